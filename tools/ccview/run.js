// The served page (ccview --serve) as the application a person came for: the
// tool's name and choices first, then Run with the command line and how the
// run stands, the output with an input line while the program reads, and
// the past runs; the quoting targets and what is for the config's author
// wait in collapsed sections. The server fixes the program; the page sends
// only the words after its fixed arguments. Events come as a stream read
// with fetch; outputPanel.js holds the output, history.js the past runs,
// browse.js the Browse… dialog. Every request goes through api.js, with the
// token.
(self.ccPageParts = self.ccPageParts || []).push(function (page) {
  'use strict';
  const O = ccOutput;
  const P = ccPreview;
  const T = ccRunText;
  const $ = (id) => document.getElementById(id);
  const make = (tag, props, children) => {
    const node = Object.assign(document.createElement(tag), props || {});
    for (const child of children || []) node.append(child);
    return node;
  };
  const labelled = (node, text) => {
    node.setAttribute('aria-label', text);
    return node;
  };

  // ---- the server ----

  // Every request to the server goes through api.js, with the token.
  const api = {
    // The JSON answer, or null.
    async get(path) {
      const answer = await ccApi.get(path);
      return answer.ok ? answer.body : null;
    },
    // {ok, body, error}: body the JSON answer, error why it was refused or
    // could not be sent.
    post: ccApi.post,
    // A download of what path gives, as a file named name.
    async download(path, name) {
      const response = await ccApi.call(path).catch(() => null);
      if (!response || !response.ok) return false;
      const url = URL.createObjectURL(await response.blob());
      const link = make('a', { href: url, download: name });
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
      return true;
    },
  };

  // ---- the page for the person ----

  document.body.classList.add('served');
  const commandSection = document.querySelector('section.command');
  const stepsSection = document.querySelector('section.steps');
  const main = commandSection.parentNode;
  main.insertBefore(stepsSection, commandSection);
  const about = make('p', { className: 'tool-about' });
  document.querySelector('header').append(about);
  $('command-heading').textContent = 'Run';

  // Back and Reset go with the choices.
  stepsSection.append(make('div', { className: 'row' }, [$('back'), $('reset')]));

  // The working folder, and whether the program gets an input line: the
  // person's, per config, in this browser.
  const cwdField = make('input', { type: 'text', id: 'run-cwd', spellcheck: false, autocomplete: 'off' });
  const cwdBrowse = labelled(make('button', { type: 'button', textContent: 'Browse…' }), 'Browse for the working folder');
  const inputBox = make('input', { type: 'checkbox', id: 'run-input' });
  const runButton = make('button', { type: 'button', id: 'run', textContent: 'Run', disabled: true });
  const stopButton = make('button', { type: 'button', id: 'stop', textContent: 'Stop', disabled: true });
  const status = make('p', { id: 'run-state', className: 'run-state' });
  status.setAttribute('role', 'status');
  const clock = make('span', { id: 'run-elapsed', className: 'elapsed' });
  clock.setAttribute('role', 'timer');
  clock.setAttribute('aria-label', 'Time taken');
  // Why a Run or Stop just asked for did not happen: beside how the run
  // stands, which it never replaces, until the next run starts or ends.
  const refusal = make('p', { id: 'run-refusal', className: 'run-refusal' });
  refusal.setAttribute('role', 'alert');
  commandSection.insertBefore(make('div', { className: 'row' }, [
    make('label', { htmlFor: 'run-cwd', textContent: 'Working folder' }), cwdField, cwdBrowse]), $('command'));
  commandSection.insertBefore(make('label', { className: 'check' }, [inputBox,
    ' Give the program an input line (else its input is closed)']), $('command'));
  const buttons = commandSection.querySelector('.buttons');
  buttons.after(make('div', { className: 'row run-row' }, [runButton, stopButton, status, clock]), refusal);

  // The output, and the line that sends input while the program reads.
  const filter = labelled(make('select', { id: 'output-filter' }, [['all', 'Both streams'],
    ['out', 'Standard output only'], ['err', 'Standard error only']].map(([value, text]) =>
    make('option', { value, textContent: text }))), 'Show');
  const encoding = make('select', { id: 'output-encoding' },
    O.ENCODINGS.map((e) => make('option', { value: e, textContent: e })));
  const copyOutput = make('button', { type: 'button', textContent: 'Copy output' });
  const saveOutput = make('button', { type: 'button', textContent: 'Save output…', disabled: true });
  const outputSaid = make('span', { className: 'copy-result' });
  outputSaid.setAttribute('role', 'status');
  const heading = make('p', { id: 'output-command', className: 'output-command' });
  const notice = make('p', { id: 'output-notice', className: 'output-notice' });
  notice.setAttribute('role', 'status');
  const log = make('div', { id: 'output', className: 'output', tabIndex: 0 });
  log.setAttribute('role', 'log');
  log.setAttribute('aria-label', 'Output');
  // Every row would be read out as it changes: how the run stands says
  // what matters instead (a question the program waits on).
  log.setAttribute('aria-live', 'off');
  const lineField = make('input', { type: 'text', id: 'run-line', spellcheck: false, autocomplete: 'off' });
  const sendButton = make('button', { type: 'button', textContent: 'Send' });
  const endInput = make('button', { type: 'button', textContent: 'End input' });
  const reading = make('span', { id: 'input-state', className: 'hint' });
  const inputRow = make('div', { className: 'row input-row', hidden: true }, [
    make('label', { htmlFor: 'run-line', textContent: 'Input' }), lineField, sendButton, endInput, reading]);
  const outputSection = make('section', { className: 'run' }, [
    make('h2', { id: 'run-heading', textContent: 'Output' }),
    make('div', { className: 'row' }, [make('label', { htmlFor: 'output-filter', textContent: 'Show' }), filter,
      make('label', { htmlFor: 'output-encoding', textContent: 'Encoding' }), encoding, copyOutput, saveOutput,
      outputSaid]),
    heading, notice, log, inputRow]);
  outputSection.setAttribute('aria-labelledby', 'run-heading');
  const historySection = make('section', { className: 'history' }, [
    make('h2', { id: 'history-heading', textContent: 'Past runs' })]);
  historySection.setAttribute('aria-labelledby', 'history-heading');

  // What the person rarely needs: the program and the quoting targets; what
  // only the config's author needs: the header items and the notes.
  const details = make('details', { id: 'command-details' }, [make('summary', { textContent: 'Command line details' }),
    $('program').parentNode, document.querySelector('fieldset.style')]);
  const author = make('details', { id: 'for-author' }, [make('summary', { textContent: 'For the config\'s author' }),
    $('about'), $('notes')]);
  commandSection.after(outputSection, historySection, details, author);
  $('program').readOnly = true;

  page.onPanels((cfg) => {
    const items = cfg.headerItems.filter((h) => h.trim() !== '');
    const title = items.length ? items[0] : $('source').textContent;
    const h1 = document.querySelector('h1');
    h1.replaceChildren(title + ' ', $('source'));
    about.textContent = items.length > 1 ? items[1] : '';
    document.title = title;
  });

  const prefsKey = page.storeKey + ':run';
  function loadPrefs() {
    try {
      return JSON.parse(window.localStorage.getItem(prefsKey)) || {};
    } catch (e) {
      return {};
    }
  }
  let prefs = loadPrefs();
  function savePrefs() {
    prefs = { ...prefs, cwd: cwdField.value, input: inputBox.checked };
    try {
      window.localStorage.setItem(prefsKey, JSON.stringify(prefs));
    } catch (e) {
      // kept for this page only
    }
  }
  cwdField.addEventListener('change', savePrefs);
  inputBox.addEventListener('change', savePrefs);

  // ---- state ----

  let info = null;
  let running = false;
  let asking = false;     // a Run sent and not yet answered
  let takenOver = null;   // see "one page at a time"
  let lastLine = null;
  let bringIntoView = false;
  let inputOpen = false;   // the run's input takes lines now
  let runHasInput = false; // the run began with its input open
  let ticking = null;

  const commandOf = (argv) => T.commandText(argv, page.state().style, P.quote, P.quoteProgram);
  const canRun = () => !running && !asking && takenOver === null && info !== null && info.missing === '' &&
    lastLine !== null && lastLine.complete;
  function updateButtons() {
    runButton.disabled = !canRun();
    stopButton.disabled = !running || takenOver !== null;
    sendButton.disabled = endInput.disabled = lineField.disabled = !inputOpen;
    inputRow.hidden = !running || !runHasInput;
  }

  page.onCommand((line) => {
    lastLine = line;
    if (info && page.state().program !== info.program) {
      page.setProgram(info.program, info.fixed);
      return;
    }
    updateButtons();
  });

  function setStatus(text, tone) {
    status.textContent = text;
    status.className = 'run-state ' + (tone || '');
  }

  const panel = ccOutputPanel.create({ log, notice, heading, encoding }, api);
  filter.addEventListener('change', () => panel.view.setFilter(filter.value));

  // ---- Run, Stop, input ----

  async function doRun() {
    if (!canRun()) return;
    // Run stays off until the server answered, so that a double click
    // asks once.
    asking = true;
    bringIntoView = true;
    refusal.textContent = '';
    updateButtons();
    // The words are the arguments as the program must receive them, with
    // no quoting: no shell reads them.
    const answer = await api.post('/api/run', {
      words: lastLine.words, input: inputBox.checked, cwd: cwdField.value, form: page.savedForm() });
    asking = false;
    if (!answer.ok) {
      refusal.textContent = answer.error;
      bringIntoView = false;
    }
    updateButtons();
  }
  runButton.addEventListener('click', doRun);
  stopButton.addEventListener('click', async () => {
    setStatus('Stopping…', 'running');
    const answer = await api.post('/api/stop');
    if (!answer.ok) refusal.textContent = answer.error;
  });
  // Enter in a field of the choices or the working folder, or Ctrl+Enter
  // anywhere but the input line, runs a complete command.
  for (const place of [$('steps'), cwdField]) {
    place.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.target.tagName !== 'INPUT' || e.target.type !== 'text') return;
      e.preventDefault();
      doRun();
    });
  }
  document.addEventListener('keydown', (e) => {
    if (e.key !== 'Enter' || !(e.ctrlKey || e.metaKey) || e.target === lineField || document.querySelector('dialog[open]'))
      return;
    e.preventDefault();
    doRun();
  });

  async function send(body) {
    const answer = await api.post('/api/input', body);
    if (!answer.ok) refusal.textContent = answer.error;
    return answer.ok;
  }
  const sendLine = async () => {
    if (!inputOpen) return;
    const text = lineField.value;
    lineField.value = '';
    if (!(await send({ line: text }))) lineField.value = text;
  };
  sendButton.addEventListener('click', sendLine);
  lineField.addEventListener('keydown', (e) => {
    if (e.key !== 'Enter') return;
    e.preventDefault();
    sendLine();
  });
  endInput.addEventListener('click', () => send({ end: true }));

  copyOutput.addEventListener('click', () => {
    const text = panel.copyText();
    const said = (ok) => (outputSaid.textContent = ok ? 'Copied.' : 'Copy failed: select the output and copy it by hand.');
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).then(() => said(true), () => said(false));
    else said(false);
  });
  saveOutput.addEventListener('click', () => panel.save());

  // ---- events ----

  const READING = {
    reading: 'The program waits for input: type a line and press Enter.',
    'not-reading': '',
    unknown: 'This system does not tell when the program reads: type a line when it asks.',
    closed: 'Its input is closed.',
  };

  const handlers = {
    start(event) {
      running = true;
      inputOpen = runHasInput = event.input;
      reading.textContent = inputOpen ? READING.unknown : '';
      refusal.textContent = '';
      panel.start(event, '$ ' + commandOf(event.argv));
      saveOutput.disabled = !(info && info.runBytes > 0);
      setStatus('Running…', 'running');
      if (event.note) refusal.textContent = event.note;
      clearInterval(ticking);
      const tick = () => (clock.textContent = T.elapsed(Math.max(0, Date.now() - event.started)));
      tick();
      ticking = setInterval(tick, 1000);
      if (bringIntoView) {
        bringIntoView = false;
        const box = outputSection.getBoundingClientRect();
        if (box.top < 0 || box.top > window.innerHeight - 80) outputSection.scrollIntoView({ block: 'start' });
      }
      updateButtons();
    },
    output: (event) => panel.output(event),
    input: (event) => panel.input(event),
    reading(event) {
      if (event.state === 'closed') inputOpen = false;
      reading.textContent = READING[event.state] || '';
      if (event.state === 'reading') setStatus('Running: waiting for input', 'running');
      else if (running && status.textContent.startsWith('Running')) setStatus('Running…', 'running');
      updateButtons();
    },
    stopping() {
      setStatus('Stopping…', 'running');
    },
    async end(event) {
      running = false;
      inputOpen = false;
      reading.textContent = '';
      clearInterval(ticking);
      clock.textContent = '';
      refusal.textContent = '';
      const said = T.endStatus(event);
      setStatus(said.text + '.' + (event.note ? ' ' + event.note : ''), said.tone);
      if (said.tone === 'asked' && !inputBox.checked)
        status.textContent += ' To answer it, give the program an input line and run it again.';
      updateButtons();
      if (window.performance && performance.mark) performance.mark('ccview-run-end');
      await panel.end(event, info && info.runBytes > 0);
      history.refresh();
      if (window.performance && performance.mark) performance.mark('ccview-run-complete');
    },
  };

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
          setStatus(ccApi.NO_TOKEN);
          return;
        }
      }
      if (takenOver) {
        await takenOver;
        takenOver = null;
        updateButtons();
        continue;
      }
      if (!running) setStatus('Not connected to ccview: trying again…');
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
    setStatus('Another page of this server now shows its runs. ');
    status.append(back);
    takenOver = new Promise((resolve) => back.addEventListener('click', () => {
      back.remove();
      status.textContent = '';
      resolve();
    }));
  };

  // ---- the past runs ----

  const history = ccHistory.create(historySection, {
    get: api.get,
    commandOf,
    view(record) {
      const said = T.endStatus(record);
      panel.show(record, '$ ' + commandOf(record.argv) + '  (' + new Date(record.start).toLocaleString() + ': ' +
        said.text + ')');
      saveOutput.disabled = false;
      outputSection.scrollIntoView({ block: 'start' });
    },
    save: (record) => panel.save(record.id),
    runAgain(record) {
      page.restore(record.form);
      cwdField.value = record.cwd;
      inputBox.checked = record.input === true;
      savePrefs();
      doRun();
    },
  });

  // ---- Browse… ----

  async function listing(item, filterIndex, folder, hidden) {
    const query = new URLSearchParams({ item: String(item), filter: String(filterIndex), folder });
    if (hidden) query.set('hidden', '1');
    return api.get('/api/list?' + query);
  }
  const browseOptions = (title, kind, start, field, list, relative, choose) => ({
    title, kind, start, field, list, choose, relative,
    cwd: cwdField.value || info.cwd, home: info.home, separator: info.separator,
  });
  const fill = (input, path) => {
    input.value = path;
    input.dispatchEvent(new Event('input'));
    input.dispatchEvent(new Event('change'));
  };

  page.onPathField((field) => {
    // A browser's own file dialog gives a file's name only; here the runner
    // lists the real folders instead.
    if (field.choose) field.choose.hidden = true;
    const button = labelled(make('button', { type: 'button', textContent: 'Browse…' }), 'Browse for ' + field.label);
    button.addEventListener('click', async () => {
      if (info && info.nativeDialog) {
        // On Windows: the desktop's own dialog, shown by the server.
        const query = new URLSearchParams({ item: String(field.file.number), filter: String(field.filterIndex()) });
        const answer = await api.post('/api/dialog?' + query);
        if (answer.ok && answer.body.path) fill(field.input, answer.body.path);
        return;
      }
      const typed = field.input.value;
      const cut = Math.max(typed.lastIndexOf('/'), typed.lastIndexOf(info.separator));
      ccBrowse.open(browseOptions('Browse: ' + field.label, field.file.action, cut > 0 ? typed.slice(0, cut) : '',
        field.input, (folder, hidden) => listing(field.file.number, field.filterIndex(), folder, hidden),
        prefs.relative === true, (path, relative) => {
          prefs.relative = relative;
          savePrefs();
          fill(field.input, path);
        }));
    });
    field.field.insertBefore(button, field.choose || null);
  });
  cwdBrowse.addEventListener('click', () => ccBrowse.open({
    ...browseOptions('Browse: Working folder', 'dir', cwdField.value, cwdField,
      (folder, hidden) => listing(0, 0, folder, hidden), false, (path) => fill(cwdField, path)),
    offerRelative: false }));

  // ---- start ----

  ccApi.get('/api/info').then((answer) => {
    if (!answer.ok) {
      setStatus(answer.error);
      return;
    }
    info = answer.body;
    cwdField.value = typeof prefs.cwd === 'string' && prefs.cwd !== '' ? prefs.cwd : info.cwd;
    inputBox.checked = prefs.input === true;
    page.setProgram(info.program, info.fixed);
    // A program that is not there is said before anything is filled in.
    if (info.missing) {
      status.textContent = info.missing;
      status.className = 'run-state failed';
    }
    history.refresh();
    listen();
  });
});
