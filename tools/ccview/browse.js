// Browse…: the served page's own dialog over this computer's folders, read
// through the server (GET /api/list), one folder at a time, read-only. It
// works from the keyboard as a file dialog does: the arrows move in the
// list, Enter opens a folder (the focus stays in the list) or chooses a
// file, typing jumps to the first name that begins so, Backspace goes up;
// Home and the working folder are a button away; hidden entries show on
// request. A save dialog asks before choosing a file that exists. What is
// chosen goes into the field as a full path, or relative to the working
// folder when the person prefers it (and it lies there).
(function (root) {
  'use strict';
  const T = root.ccRunText;

  const make = (tag, props, children) => {
    const node = Object.assign(document.createElement(tag), props || {});
    for (const child of children || []) node.append(child);
    return node;
  };
  const check = (id, text, checked) => {
    const box = make('input', { type: 'checkbox', id, checked });
    return { box, row: make('label', { className: 'check' }, [box, ' ' + text]) };
  };

  // Opens the dialog. o: {title, kind ('load', 'save' or 'dir'), start (a
  // folder, or ''), cwd (the working folder), home, separator, relative
  // (preferred at first), offerRelative (false: paths are always full),
  // list(folder, hidden) -> a listing or null, choose(path, relative), field
  // (focused again at the end)}.
  async function open(o) {
    let hidden = false;
    let list = (o.start && await o.list(o.start, hidden)) || await o.list(o.cwd, hidden);
    if (!list) return;
    const join = (folder, name) => (folder.endsWith(o.separator) ? folder : folder + o.separator) + name;

    const dialog = make('dialog', { className: 'browse' });
    dialog.setAttribute('aria-label', o.title);
    const where = make('p', { className: 'folder' });
    const entries = make('ul', { className: 'entries' });
    entries.setAttribute('aria-label', 'Entries');
    const up = make('button', { type: 'button', textContent: 'Up' });
    up.setAttribute('aria-label', 'Up one folder');
    const home = make('button', { type: 'button', textContent: 'Home', disabled: !o.home });
    const work = make('button', { type: 'button', textContent: 'Working folder' });
    const showHidden = check('browse-hidden', 'Show hidden entries', false);
    const relative = check('browse-relative', 'Relative to the working folder', o.relative);
    relative.row.hidden = o.offerRelative === false;
    const name = make('input', { type: 'text', id: 'browse-name', spellcheck: false, autocomplete: 'off' });
    const use = make('button', { type: 'button', textContent: o.kind === 'dir' ? 'Use this folder' : 'Use this name' });
    const cancel = make('button', { type: 'button', textContent: 'Cancel' });
    const ask = make('div', { className: 'row ask', hidden: true });

    const done = (path) => {
      const rel = relative.box.checked ? T.relativePath(path, o.cwd, o.separator) : null;
      o.choose(rel === null ? path : rel, relative.box.checked);
      dialog.close();
      // At once: closing gives the focus back to the button that opened the
      // dialog, and its close event comes only later.
      o.field.focus();
    };
    const buttons = () => [...entries.querySelectorAll('button')];
    const focusEntry = (i) => {
      const all = buttons();
      if (all.length) all[Math.max(0, Math.min(i, all.length - 1))].focus();
      else up.focus();
    };
    const go = async (folder) => {
      const next = folder === null ? null : await o.list(folder, hidden);
      if (!next) return false;
      show(next);
      focusEntry(0);
      return true;
    };
    // A save dialog asks before a file that exists is chosen.
    const chooseFile = (path, exists) => {
      if (o.kind !== 'save' || !exists) return done(path);
      const replace = make('button', { type: 'button', textContent: 'Replace it' });
      const keep = make('button', { type: 'button', textContent: 'Choose another' });
      const question = make('p', { textContent: path + ' exists already. Replace it?' });
      question.setAttribute('role', 'alert');
      ask.replaceChildren(question, replace, keep);
      ask.hidden = false;
      replace.addEventListener('click', () => done(path));
      keep.addEventListener('click', () => {
        ask.hidden = true;
        name.focus();
      });
      replace.focus();
    };
    function show(l) {
      list = l;
      where.textContent = l.folder;
      up.disabled = l.parent === null;
      ask.hidden = true;
      entries.replaceChildren(...l.entries.map((entry) => {
        const button = make('button', { type: 'button', textContent: entry.name + (entry.folder ? o.separator : '') });
        button.addEventListener('click', () => {
          if (entry.folder) return go(join(l.folder, entry.name));
          if (o.kind === 'save') {
            name.value = entry.name;
            return chooseFile(join(l.folder, entry.name), true);
          }
          return done(join(l.folder, entry.name));
        });
        return make('li', {}, [button]);
      }));
    }

    // Typing in the list: the letters typed within a second of each other
    // make the name to jump to.
    let typed = '';
    let typedAt = 0;
    entries.addEventListener('keydown', (e) => {
      const all = buttons();
      const at = all.indexOf(document.activeElement);
      const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: all.length - 1, PageDown: at + 10, PageUp: at - 10 };
      if (e.key in moves) {
        focusEntry(moves[e.key]);
      } else if (e.key === 'Backspace') {
        go(list.parent);
      } else if (e.key.length === 1 && !e.ctrlKey && !e.metaKey && !e.altKey && e.key !== ' ') {
        const now = performance.now();
        typed = now - typedAt < 1000 ? typed + e.key : e.key;
        typedAt = now;
        const found = T.typeAhead(list.entries.map((entry) => entry.name), typed, Math.max(at, 0));
        if (found >= 0) focusEntry(found);
      } else {
        return;
      }
      e.preventDefault();
    });
    up.addEventListener('click', () => go(list.parent));
    home.addEventListener('click', () => go(o.home));
    work.addEventListener('click', () => go(o.cwd));
    showHidden.box.addEventListener('change', async () => {
      hidden = showHidden.box.checked;
      const next = await o.list(list.folder, hidden);
      if (next) show(next);
    });
    cancel.addEventListener('click', () => dialog.close());
    const useName = () => {
      if (o.kind === 'dir') return done(list.folder);
      if (name.value === '') return name.focus();
      const exists = list.entries.some((entry) => !entry.folder && entry.name === name.value);
      return chooseFile(join(list.folder, name.value), exists);
    };
    use.addEventListener('click', useName);
    name.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter') return;
      e.preventDefault();
      useName();
    });
    dialog.addEventListener('close', () => {
      dialog.remove();
      o.field.focus();
    });

    const bottom = make('div', { className: 'row buttons' });
    if (o.kind === 'save')
      bottom.append(make('label', { htmlFor: 'browse-name', textContent: 'File name' }), name, use);
    if (o.kind === 'dir') bottom.append(use);
    bottom.append(cancel);
    dialog.append(make('h2', { textContent: o.title }), make('div', { className: 'row' }, [up, home, work, where]),
      make('div', { className: 'row' }, [showHidden.row, relative.row]), entries, ask, bottom);
    document.body.append(dialog);
    show(list);
    dialog.showModal();
    focusEntry(0);
  }

  root.ccBrowse = { open };
})(self);
