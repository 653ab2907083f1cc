// The runner's panel of a served page (ccview --serve): Run and Stop, the
// output as it comes, how the run ended, and Browse… beside each path field.
// The server fixes the program; the page sends only the words after its
// fixed arguments. Output arrives as server-sent events; output.js turns its
// bytes into lines. Every request goes through api.js, with the token.
(self.ccPageParts = self.ccPageParts || []).push(function (page) {
  'use strict';
  const O = ccOutput;
  const make = (tag, props, children) => {
    const node = Object.assign(document.createElement(tag), props || {});
    for (const child of children || []) node.append(child);
    return node;
  };

  // ---- the panel ----

  const runButton = make('button', { type: 'button', id: 'run', textContent: 'Run', disabled: true });
  const stopButton = make('button', { type: 'button', id: 'stop', textContent: 'Stop', disabled: true });
  const encoding = make('select', { id: 'output-encoding' },
    O.ENCODINGS.map((e) => make('option', { value: e, textContent: e })));
  const about = make('p', { id: 'run-program', className: 'hint' });
  const status = make('p', { id: 'run-state', className: 'run-state' });
  status.setAttribute('role', 'status');
  // Why a Run or Stop just asked for did not happen: beside how the run
  // stands, which it never replaces, until the next run starts or ends.
  const refusal = make('p', { id: 'run-refusal', className: 'run-refusal' });
  refusal.setAttribute('role', 'alert');
  const output = make('div', { id: 'output', className: 'output', tabIndex: 0 });
  output.setAttribute('role', 'log');
  output.setAttribute('aria-label', 'Output');
  const section = make('section', { className: 'run' }, [
    make('h2', { id: 'run-heading', textContent: 'Output' }),
    about,
    make('div', { className: 'row' }, [
      make('label', { htmlFor: 'output-encoding', textContent: 'Output encoding' }), encoding]),
    output,
    make('p', { className: 'hint', textContent: 'Standard input is closed. Standard error is marked "err". ' +
      'This page keeps the last ' + O.LIMITS.maxLines + ' lines (' + (O.LIMITS.maxChars >> 20) +
      ' M characters) and leaves out what a program writes faster than it can show, saying so; ' +
      'the server keeps the last 8 MB of a run\'s output.' }),
  ]);
  section.setAttribute('aria-labelledby', 'run-heading');
  // Run, Stop and how the run stands go with the command line, which stays
  // in sight while the choices scroll; the output follows it.
  const commandSection = document.querySelector('section.command');
  const buttons = commandSection.querySelector('.buttons');
  buttons.prepend(runButton, stopButton);
  buttons.after(status, refusal);
  commandSection.parentNode.insertBefore(section, commandSection.nextSibling);

  let info = null;
  let running = false;
  let asking = false;  // a Run sent and not yet answered
  let takenOver = null;  // see "one page at a time"
  let lastLine = null;
  let out = null;
  let shownDropped = 0;
  const elements = new Map();  // line id -> element
  let drawPending = false;

  function updateButtons() {
    runButton.disabled = running || asking || takenOver !== null || !info || info.missing !== '' || !lastLine ||
      !lastLine.complete;
    stopButton.disabled = !running || takenOver !== null;
  }

  page.onCommand((line) => {
    lastLine = line;
    if (info && page.state().program !== info.program) {
      page.setProgram(info.program, info.fixed);
      return;
    }
    if (info) showProgram(line);
    updateButtons();
  });

  // What runs: the program and its fixed arguments as the line above shows
  // them (quoted for the target chosen there), and where.
  function showProgram(line) {
    const fixedPart = ccPreview.joinParts(line.parts.filter((part) => part.step < 0));
    about.textContent = 'Runs ' + fixedPart + ' (fixed when ccview started) with the words chosen above, in ' +
      info.cwd + '.';
  }

  // ---- output lines ----

  function drawLine(element, line) {
    element.replaceChildren(...line.spans.map((span) => {
      const node = make('span', { textContent: span.text });
      const classes = [];
      if (span.style.fg >= 0) classes.push('fg' + span.style.fg);
      if (span.style.bold) classes.push('bold');
      if (classes.length) node.className = classes.join(' ');
      return node;
    }));
  }

  // Output waiting to be shown (bounded: what a program writes faster than
  // the page draws it is left out, oldest first), and the run's end. Each
  // turn takes what it can in a few milliseconds, so that a program that
  // writes fast never stops the page from answering.
  let waiting = O.backlog(O.LIMITS.maxWaiting);
  let shownSkipped = 0;
  let endEvent = null;

  function draw() {
    drawPending = false;
    if (!out) return;
    const until = performance.now() + 8;
    while (waiting.length() && performance.now() < until) {
      const chunk = waiting.take();
      if (chunk.gap) out.skip();
      out.write(chunk.stream, O.decodeBase64(chunk.data));
    }
    // Output after a quiet spell shows at once; a flood is drawn once a frame.
    if (!waiting.length() && afterQuiet) {
      afterQuiet = false;
      render();
    } else if (!renderPending) {
      renderPending = true;
      requestAnimationFrame(render);
    }
    if (waiting.length()) later();
  }

  // The lines that changed since the last time, drawn.
  let renderPending = false;
  let lastOutput = 0;
  let afterQuiet = false;
  function render() {
    renderPending = false;
    if (!out) return;
    const changes = out.takeChanges();
    for (const [id, element] of elements) {
      if (id >= changes.firstId) break;
      element.remove();
      elements.delete(id);
    }
    if (changes.dropped !== shownDropped) {
      shownDropped = changes.dropped;
      notice('dropped', shownDropped + ' earlier lines are no longer shown.');
    }
    if (waiting.skipped() !== shownSkipped) {
      shownSkipped = waiting.skipped();
      notice('behind', 'The program wrote faster than this page can show: ' + shownSkipped +
        ' bytes of its output were left out.');
    }
    const added = document.createDocumentFragment();
    for (const line of changes.lines) {
      let element = elements.get(line.id);
      if (!element) {
        element = make('div', { className: 'line ' + line.stream });
        if (line.stream === 'err') element.title = 'standard error';
        elements.set(line.id, element);
        added.append(element);
      }
      drawLine(element, line);
    }
    output.append(added);
    if (following) output.scrollTop = output.scrollHeight;
    if (endEvent && !waiting.length()) finish(endEvent);
  }

  // Output is taken in as soon as it comes and drawn once a frame: lines
  // that scroll out of what is kept between two frames never reach the
  // page. The panel follows the end unless the person scrolled away.
  let following = true;
  output.addEventListener('scroll', () => {
    following = output.scrollTop + output.clientHeight >= output.scrollHeight - 4;
  });

  function later() {
    if (!drawPending) {
      drawPending = true;
      setTimeout(draw, 0);
    }
  }

  // A line of the panel's own (not the program's), at its top.
  function notice(kind, text) {
    let element = output.querySelector('.notice.' + kind);
    if (!element) {
      element = make('div', { className: 'notice ' + kind });
      output.prepend(element);
    }
    element.textContent = text;
  }

  // ---- events ----

  const seconds = (ms) => (ms < 10000 ? (ms / 1000).toFixed(2) : (ms / 1000).toFixed(1)) + ' s';

  function endText(event) {
    if (event.outcome === 'failed') return 'Could not start the program: ' + event.message;
    const took = ' after ' + seconds(event.ms) + '.';
    if (event.outcome === 'stopped') return 'Stopped by you' + took;
    if (event.outcome === 'signal') return 'Ended by ' + event.signal + took;
    return 'Exit status ' + event.code + took;
  }

  const handlers = {
    start(event) {
      running = true;
      out = O.create(encoding.value);
      waiting = O.backlog(O.LIMITS.maxWaiting);
      endEvent = null;
      shownDropped = 0;
      shownSkipped = 0;
      elements.clear();
      output.replaceChildren();
      status.textContent = 'Running…';
      status.className = 'run-state running';
      refusal.textContent = '';
      void event;
    },
    output(event) {
      if (!out) return;
      waiting.push(event.stream, event.data);
      const now = performance.now();
      if (now - lastOutput > 50) afterQuiet = true;
      lastOutput = now;
      later();
    },
    gap(event) {
      notice('gap', 'The server kept only the last part of the output: ' + event.bytes + ' bytes before it were dropped.');
    },
    stopping() {
      status.textContent = 'Stopping…';
    },
    end(event) {
      endEvent = event;
      later();
      if (!renderPending) {
        renderPending = true;
        requestAnimationFrame(render);
      }
    },
  };

  // The end is shown once the output before it is.
  function finish(event) {
    endEvent = null;
    refusal.textContent = '';
    running = false;
    out.end();
    render();
    status.textContent = endText(event);
    if (event.note) status.textContent += ' ' + event.note;
    if (event.outcome === 'failed') notice('failed', endText(event));
    status.className = 'run-state ' + (event.outcome === 'exit' && event.code === 0 ? 'ok' : 'failed');
    updateButtons();
    if (window.performance && performance.mark) performance.mark('ccview-run-end');
  }

  // The event stream, read with fetch rather than EventSource, which takes
  // long output in far more slowly; after a lost connection it asks again
  // from the last event it saw (Last-Event-ID), as EventSource would.
  async function listen() {
    let lastId = '';
    for (;;) {
      try {
        const response = await ccApi.call('/api/events', { headers: lastId ? { 'Last-Event-ID': lastId } : {} });
        if (!response.ok) throw new Error(response.status === 403 && !ccApi.token() ? ccApi.NO_TOKEN : 'refused');
        const reader = response.body.getReader();
        const decoder = new TextDecoder();
        let text = '';
        for (;;) {
          const { value, done } = await reader.read();
          if (done) break;
          text += decoder.decode(value, { stream: true });
          let at = 0;
          for (let cut; (cut = text.indexOf('\n\n', at)) >= 0; at = cut + 2) {
            let data = null;
            for (const line of text.slice(at, cut).split('\n')) {
              if (line.startsWith('id: ')) lastId = line.slice(4);
              else if (line.startsWith('data: ')) data = line.slice(6);
            }
            if (data === null) continue;
            const event = JSON.parse(data);
            if (handlers[event.type]) handlers[event.type](event);
            updateButtons();
          }
          text = text.slice(at);
        }
      } catch (e) {
        // the server ended or refused: asked again below, unless this tab
        // has no token, which asking again cannot mend
        if (e.message === ccApi.NO_TOKEN) {
          status.textContent = ccApi.NO_TOKEN;
          return;
        }
      }
      if (takenOver) {
        await takenOver;
        takenOver = null;
        updateButtons();
        continue;
      }
      if (!running) status.textContent = 'Not connected to ccview: trying again…';
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }

  // ---- one page at a time ----

  // The server gives its runs to one page at a time: a page opened later
  // takes them over (so that tabs never hold every connection the browser
  // allows), and this one waits, Run and Stop off, until the person takes
  // them back (takenOver: the wait, or null).
  handlers['taken-over'] = () => {
    const back = make('button', { type: 'button', id: 'take-back', textContent: 'Use this page' });
    status.textContent = 'Another page of this server now shows its runs. ';
    status.className = 'run-state';
    status.append(back);
    takenOver = new Promise((resolve) => back.addEventListener('click', () => {
      back.remove();
      status.textContent = '';
      resolve();
    }));
  };

  const post = ccApi.post;

  runButton.addEventListener('click', async () => {
    if (!lastLine || !lastLine.complete || asking) return;
    // Run stays off until the server answered, so that a double click
    // asks once.
    asking = true;
    refusal.textContent = '';
    updateButtons();
    // The words are the arguments as the program must receive them, with
    // no quoting: no shell reads them.
    const answer = await post('/api/run', { words: lastLine.words });
    asking = false;
    if (!answer.ok) refusal.textContent = answer.error;
    updateButtons();
  });
  stopButton.addEventListener('click', async () => {
    const answer = await post('/api/stop');
    if (!answer.ok) refusal.textContent = answer.error;
  });

  // ---- Browse… ----

  const join = (folder, name) => (folder.endsWith(info.separator) ? folder : folder + info.separator) + name;

  async function listing(item, filter, folder) {
    const query = new URLSearchParams({ item: String(item), filter: String(filter), folder });
    const answer = await ccApi.get('/api/list?' + query);
    return answer.ok ? answer.body : null;
  }

  // The in-page dialog: a folder at a time, read-only; a file (or, for a
  // folder item, the folder shown) is chosen into the field.
  async function browse({ input, file, label, filterIndex }) {
    const typed = input.value;
    const cut = Math.max(typed.lastIndexOf('/'), typed.lastIndexOf(info.separator));
    let list = cut > 0 ? await listing(file.number, filterIndex(), typed.slice(0, cut)) : null;
    if (!list) list = await listing(file.number, filterIndex(), '');
    if (!list) return;
    const dialog = make('dialog', { className: 'browse' });
    dialog.setAttribute('aria-label', 'Browse: ' + label);
    const where = make('p', { className: 'folder' });
    const entries = make('ul', { className: 'entries' });
    const name = make('input', { type: 'text', id: 'browse-name', spellcheck: false, autocomplete: 'off' });
    const choose = (path) => {
      input.value = path;
      input.dispatchEvent(new Event('input'));
      dialog.close();
      input.focus();
    };
    const up = make('button', { type: 'button', textContent: 'Up' });
    up.setAttribute('aria-label', 'Up one folder');
    const cancel = make('button', { type: 'button', textContent: 'Cancel' });
    const use = make('button', { type: 'button', textContent: file.action === 'dir' ? 'Use this folder' : 'Use this name' });
    const show = (l) => {
      list = l;
      where.textContent = l.folder;
      up.disabled = l.parent === null;
      entries.replaceChildren(...l.entries.map((entry) => {
        const button = make('button', { type: 'button', textContent: entry.name + (entry.folder ? info.separator : '') });
        button.addEventListener('click', async () => {
          if (!entry.folder) return choose(join(l.folder, entry.name));
          const next = await listing(file.number, filterIndex(), join(l.folder, entry.name));
          if (next) show(next);
        });
        return make('li', {}, [button]);
      }));
    };
    up.addEventListener('click', async () => {
      const next = list.parent === null ? null : await listing(file.number, filterIndex(), list.parent);
      if (next) show(next);
    });
    cancel.addEventListener('click', () => dialog.close());
    use.addEventListener('click', () => {
      if (file.action === 'dir') choose(list.folder);
      else if (name.value !== '') choose(join(list.folder, name.value));
    });
    dialog.addEventListener('close', () => dialog.remove());
    const bottom = make('div', { className: 'row buttons' });
    if (file.action === 'save')
      bottom.append(make('label', { htmlFor: 'browse-name', textContent: 'File name' }), name, use);
    if (file.action === 'dir') bottom.append(use);
    bottom.append(cancel);
    dialog.append(make('h2', { textContent: 'Browse: ' + label }), make('div', { className: 'row' }, [up, where]),
      entries, bottom);
    document.body.append(dialog);
    show(list);
    dialog.showModal();
  }

  // On Windows: the desktop's own dialog, shown by the server.
  async function nativeBrowse({ input, file, filterIndex }) {
    const query = new URLSearchParams({ item: String(file.number), filter: String(filterIndex()) });
    const answer = await post('/api/dialog?' + query);
    if (answer.ok && answer.body.path) {
      input.value = answer.body.path;
      input.dispatchEvent(new Event('input'));
    }
  }

  page.onPathField((field) => {
    // A browser's own file dialog gives a file's name only; here the runner
    // lists the real folders instead.
    if (field.choose) field.choose.hidden = true;
    const button = make('button', { type: 'button', textContent: 'Browse…' });
    button.setAttribute('aria-label', 'Browse for ' + field.label);
    button.addEventListener('click', () => (info && info.nativeDialog ? nativeBrowse(field) : browse(field)));
    field.field.insertBefore(button, field.choose || null);
  });

  // ---- start ----

  ccApi.get('/api/info').then((answer) => {
    if (!answer.ok) {
      status.textContent = answer.error;
      return;
    }
    info = answer.body;
    const program = document.getElementById('program');
    program.readOnly = true;
    page.setProgram(info.program, info.fixed);
    // A program that is not there is said before anything is filled in.
    if (info.missing) {
      status.textContent = info.missing;
      status.className = 'run-state failed';
    }
    listen();
  });
});
