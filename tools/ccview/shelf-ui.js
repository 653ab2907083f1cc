// The shelf's page: the configs with their programs (shelf.js says what each
// shows), a filter, Add, making a form for a program, Remove (asking first),
// choosing a program, Quit.
// Opening a config goes to its run page, whose Back comes here again. Every
// request goes through api.js, with the token; config texts only ever reach
// the page as text.
(function () {
  'use strict';
  const S = ccShelf;
  const $ = (id) => document.getElementById(id);
  const make = (tag, props, children) => {
    const node = Object.assign(document.createElement(tag), props || {});
    for (const child of children || []) node.append(child);
    return node;
  };

  let shelf = null;  // the server's answer: {entries, folders, notice, nativeDialog, separator}
  const result = (text) => { $('shelf-result').textContent = text; };

  // The shelf listed anew; false (and why, said) when it cannot be.
  async function load() {
    const answer = await ccApi.get('/api/shelf');
    if (!answer.ok) {
      result(answer.error);
      return false;
    }
    shelf = answer.body;
    $('shelf-notice').hidden = shelf.notice === '';
    $('shelf-notice').textContent = shelf.notice;
    $('shelf-folders').textContent = shelf.folders.map((f) =>
      (f.own ? 'Your configs: ' : 'Installed with ccview: ') + f.path).join(' · ');
    show();
    return true;
  }

  // Says what an action came to once the list is listed anew, so that what
  // is read out and what is listed agree.
  async function said(answer, done) {
    if (!answer.ok) result(answer.error);
    if (await load() && answer.ok) result(done);
  }

  function show() {
    const filter = $('shelf-filter').value;
    const shown = shelf.entries.map((e) => [e, S.entryView(e)]).filter(([e, v]) => S.matches(e, v, filter));
    $('shelf-entries').replaceChildren(...shown.map(([e, v]) => entryItem(e, v)));
    $('shelf-empty').hidden = shown.length > 0;
    $('shelf-empty').textContent = shelf.entries.length === 0
      ? 'No config yet: add one with "Add a config…".' : 'No config matches "' + filter + '".';
  }

  function entryItem(entry, view) {
    const titleId = 'title-' + entry.id;
    const article = make('article', {}, [make('h2', { id: titleId, textContent: view.title })]);
    article.setAttribute('aria-labelledby', titleId);
    if (view.description) article.append(make('p', { className: 'description', textContent: view.description }));
    article.append(make('p', { className: 'file', textContent: entry.name + (entry.own ? '' : ' (installed)') }));
    if (!view.openable) {
      article.append(make('p', { className: 'refused', textContent: 'This config cannot be read: ' + entry.refused }));
    }
    article.append(make('p', {
      className: 'program' + (view.missing ? ' missing' : ''), textContent: 'Program: ' + view.program }));
    const buttons = make('div', { className: 'row buttons' });
    if (view.openable) {
      const open = make('a', { className: 'open', href: '/config/' + entry.id, textContent: 'Open' });
      open.setAttribute('aria-label', 'Open ' + view.title);
      buttons.append(open);
    }
    const choose = make('button', { type: 'button',
      textContent: view.missing ? 'Choose the program…' : 'Choose another program…' });
    choose.setAttribute('aria-label', (view.missing ? 'Choose the program for ' : 'Choose another program for ') +
      view.title);
    choose.addEventListener('click', () => chooseProgram(entry, view));
    buttons.append(choose);
    if (entry.own) {
      const remove = make('button', { type: 'button', textContent: 'Remove…' });
      remove.setAttribute('aria-label', 'Remove ' + view.title);
      remove.addEventListener('click', () => askToRemove(entry, view));
      buttons.append(remove);
    }
    article.append(buttons);
    return make('li', {}, [article]);
  }

  // ---- add: the browser's own file dialog gives the bytes ----

  function base64Of(buffer) {
    const bytes = new Uint8Array(buffer);
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }

  $('shelf-add').addEventListener('click', () => $('shelf-add-file').click());
  $('shelf-add-file').addEventListener('change', async () => {
    const file = $('shelf-add-file').files[0];
    $('shelf-add-file').value = '';
    if (!file) return;
    const answer = await ccApi.post('/api/shelf/add', { name: file.name, bytes: base64Of(await file.arrayBuffer()) });
    await said(answer, 'Added ' + file.name + '.');
  });

  // ---- remove, asking first ----

  function askToRemove(entry, view) {
    const dialog = make('dialog', { className: 'ask' });
    dialog.setAttribute('aria-label', 'Remove ' + view.title);
    const yes = make('button', { type: 'button', textContent: 'Remove' });
    const no = make('button', { type: 'button', textContent: 'Cancel' });
    dialog.append(make('p', { textContent: 'Remove "' + view.title + '" from your shelf? Its file ' + entry.name +
      ' is deleted from your configs folder.' }), make('div', { className: 'row buttons' }, [yes, no]));
    no.addEventListener('click', () => dialog.close());
    yes.addEventListener('click', async () => {
      dialog.close();
      const answer = await ccApi.post('/api/shelf/remove', { id: entry.id });
      await said(answer, 'Removed ' + entry.name + '.');
      $('shelf-filter').focus();
    });
    dialog.addEventListener('close', () => dialog.remove());
    document.body.append(dialog);
    dialog.showModal();
    no.focus();
  }

  // ---- the program: a file of this computer, chosen by its real path ----

  async function useProgram(entry, path) {
    const answer = await ccApi.post('/api/shelf/program', { id: entry.id, path });
    await said(answer, answer.ok && 'The program for ' + entry.name + ' is now ' + answer.body.program.path + '.');
  }

  async function chooseProgram(entry, view) {
    const path = await browseProgram('Choose the program for ' + view.title, entry.id);
    if (path) await useProgram(entry, path);
  }

  // A program chosen by its real path: in the desktop's own dialog where
  // there is one, else in a listing the server gives, starting in the folder
  // of the program of the entry with id startId (if any). Null when cancelled.
  async function browseProgram(title, startId) {
    if (shelf.nativeDialog) {
      const answer = await ccApi.post('/api/shelf/dialog' + (startId ? '?id=' + encodeURIComponent(startId) : ''));
      if (!answer.ok) result(answer.error);
      return answer.ok && answer.body.path ? answer.body.path : null;
    }
    const listing = async (folder) => {
      const query = new URLSearchParams({ id: startId || '', folder });
      const answer = await ccApi.get('/api/shelf/browse?' + query);
      if (!answer.ok) result(answer.error);
      return answer.ok ? answer.body : null;
    };
    let list = await listing('');
    if (!list) return null;
    const join = (folder, name) => (folder.endsWith(shelf.separator) ? folder : folder + shelf.separator) + name;
    const dialog = make('dialog', { className: 'browse' });
    dialog.setAttribute('aria-label', title);
    const where = make('p', { className: 'folder' });
    const entries = make('ul', { className: 'entries' });
    const up = make('button', { type: 'button', textContent: 'Up' });
    up.setAttribute('aria-label', 'Up one folder');
    const cancel = make('button', { type: 'button', textContent: 'Cancel' });
    let chosen = null;
    const go = async (folder) => {
      const next = await listing(folder);
      if (next) showList(next);
    };
    const showList = (l) => {
      list = l;
      where.textContent = l.folder;
      up.disabled = l.parent === null;
      entries.replaceChildren(...l.entries.map((e) => {
        const button = make('button', { type: 'button', textContent: e.name + (e.folder ? shelf.separator : '') });
        button.addEventListener('click', () => {
          if (e.folder) return go(join(l.folder, e.name));
          chosen = join(l.folder, e.name);
          return dialog.close();
        });
        return make('li', {}, [button]);
      }));
    };
    up.addEventListener('click', () => list.parent !== null && go(list.parent));
    cancel.addEventListener('click', () => dialog.close());
    const closed = new Promise((resolve) => dialog.addEventListener('close', () => {
      dialog.remove();
      resolve(chosen);
    }));
    dialog.append(make('h2', { textContent: title }),
      make('div', { className: 'row' }, [up, where]), entries, make('div', { className: 'row buttons' }, [cancel]));
    document.body.append(dialog);
    showList(list);
    dialog.showModal();
    return closed;
  }

  // ---- a form made for a program from its own help ----

  // The dialog: the program and its help words, and what pressing "Make the
  // form" will do; nothing runs before that. Errors stay in the dialog; the
  // new config's run page opens when it is made.
  function makeForm() {
    const dialog = make('dialog', { className: 'make' });
    dialog.setAttribute('aria-labelledby', 'make-title');
    const field = (id, label, value) => {
      const input = make('input', { id, type: 'text', value, spellcheck: false, autocomplete: 'off' });
      return [make('label', { htmlFor: id, textContent: label }), input];
    };
    const [programLabel, program] = field('make-program', 'Program', '');
    const [argsLabel, args] = field('make-args', 'Help arguments', '--help');
    const browse = make('button', { type: 'button', textContent: 'Browse…' });
    browse.setAttribute('aria-label', 'Browse for the program');
    const what = make('p', { className: 'hint' });
    const said = make('p', { className: 'refused', role: 'alert' });
    const busy = make('p', { className: 'hint', role: 'status' });
    const go = make('button', { type: 'button', textContent: 'Make the form' });
    const cancel = make('button', { type: 'button', textContent: 'Cancel' });
    const words = () => args.value.split(/\s+/).filter((w) => w !== '');
    const describe = () => {
      const name = program.value.trim() || 'the program';
      what.textContent = 'ccview runs ' + name + ' once with ' +
        (words().length ? '"' + words().join(' ') + '"' : 'no arguments') +
        ', its input closed, to read its options from the help it prints. The form is saved in your configs ' +
        'folder as a script and its config, and opens.';
    };
    const send = async (replace) => {
      go.disabled = true;
      said.textContent = '';
      busy.textContent = 'Running ' + program.value.trim() + '…';
      const answer = await ccApi.post('/api/shelf/make', { program: program.value.trim(), args: words(), replace });
      busy.textContent = '';
      go.disabled = false;
      if (answer.ok) {
        location.assign('/config/' + answer.body.id);
      } else if (answer.body.exists && !replace) {
        askToReplace(answer.body.exists, () => send(true));
      } else {
        said.textContent = answer.error;
      }
    };
    const askToReplace = (names, replace) => {
      const ask = make('dialog', { className: 'ask' });
      ask.setAttribute('aria-label', 'Replace ' + names.join(' and '));
      const yes = make('button', { type: 'button', textContent: 'Replace' });
      const no = make('button', { type: 'button', textContent: 'Cancel' });
      ask.append(make('p', { textContent: names.join(' and ') + (names.length > 1 ? ' are' : ' is') +
        ' in your configs folder already. Replace ' + (names.length > 1 ? 'them' : 'it') + ' with the new form?' }),
      make('div', { className: 'row buttons' }, [yes, no]));
      no.addEventListener('click', () => ask.close());
      yes.addEventListener('click', () => {
        ask.close();
        replace();
      });
      ask.addEventListener('close', () => ask.remove());
      document.body.append(ask);
      ask.showModal();
      no.focus();
    };
    program.addEventListener('input', describe);
    args.addEventListener('input', describe);
    for (const input of [program, args]) {
      input.addEventListener('keydown', (e) => {
        if (e.key === 'Enter' && !go.disabled) send(false);
      });
    }
    browse.addEventListener('click', async () => {
      const path = await browseProgram('Choose the program to make a form for', '');
      if (path) program.value = path;
      describe();
      program.focus();
    });
    go.addEventListener('click', () => send(false));
    cancel.addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => dialog.remove());
    dialog.append(make('h2', { id: 'make-title', textContent: 'Make a form for a program' }),
      make('div', { className: 'row' }, [programLabel, program, browse]),
      make('div', { className: 'row' }, [argsLabel, args]),
      what, said, busy, make('div', { className: 'row buttons' }, [go, cancel]));
    describe();
    document.body.append(dialog);
    dialog.showModal();
    program.focus();
  }

  $('shelf-make').addEventListener('click', makeForm);

  // ---- the rest ----

  $('shelf-filter').addEventListener('input', () => shelf && show());
  $('shelf-quit').addEventListener('click', async () => {
    const answer = await ccApi.post('/api/quit');
    result(answer.ok ? 'ccview has ended. Start it again from the menu, or by running ccview.' : answer.error);
    $('shelf-quit').disabled = answer.ok;
  });

  if (!ccApi.token()) {
    result(ccApi.NO_TOKEN);
  } else {
    load().then(() => {
      document.documentElement.dataset.ready = 'true';
    });
  }
})();
