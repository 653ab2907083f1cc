// The preview page's DOM: shows what preview.js computes and turns the
// person's clicks and typing into new states. Config texts only ever reach the
// page as textContent or attribute values, never as markup.
(function () {
  'use strict';
  const P = ccPreview;
  const $ = (id) => document.getElementById(id);

  const configText = $('config-data').textContent;
  const raw = JSON.parse(configText);
  const findings = JSON.parse($('analysis-data').textContent);
  const sourceName = new TextDecoder('utf-8', { ignoreBOM: true }).decode(
    Uint8Array.from(JSON.parse($('source-data').textContent), (c) => c.charCodeAt(0) & 0xff));
  const storeKey = P.storageKey(configText);

  let cfg = null;
  let state = P.newState();
  // The arguments that always follow the program: a served page's, which
  // the server fixed. Not the person's choice, so never remembered.
  let fixed = [];

  // ---- what is remembered: in the browser for the static page, with the
  // server for a served one (store.js) ----

  const store = self.ccApi ? ccStore.server(storeKey) : ccStore.local(storeKey);
  // Until the remembered values are in, nothing is drawn nor saved.
  let started = false;

  function save() {
    if (started) store.saveValues(P.savedForm(state, cfg.encoding));
  }

  function forget() {
    store.forgetValues();
  }

  // ---- small DOM helpers ----

  function el(tag, props, children) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(props || {})) {
      if (name === 'text') node.textContent = value;
      else if (name === 'className') node.className = value;
      else if (name in node && typeof value !== 'string') node[name] = value;
      else node.setAttribute(name, value);
    }
    for (const child of children || []) node.append(child);
    return node;
  }

  // ---- the command line ----

  const TARGETS = {
    posix: 'a POSIX shell',
    cmd: 'the Windows Command Prompt',
    direct: 'a program started without a shell',
  };
  // The style and text of the line last copied, while "Copied." stands for it.
  let copied = null;

  // The first few of a list of things, and how many more there are.
  function listed(items) {
    const shownItems = items.slice(0, 4);
    if (items.length > shownItems.length) shownItems.push('and ' + (items.length - shownItems.length) + ' more');
    return shownItems.join(', ');
  }

  function showCommand() {
    const line = P.commandLine(cfg, state, fixed);
    const out = $('command');
    out.replaceChildren();
    line.parts.forEach((part, i) => {
      out.append(el('span', { className: 'part ' + part.kind + (part.placeholder ? ' placeholder' : ''), text: part.text }));
      if (i + 1 < line.parts.length) out.append(P.separatorAfter(part));
    });
    const usable = line.complete && line.safe;
    out.classList.toggle('incomplete', !usable);
    const said = [];
    if (!line.complete) said.push('Incomplete: still needs ' + listed(line.missing) + '.');
    if (!line.safe) said.push('Not safe for ' + TARGETS[state.style] + ': the line holds ' + line.unsafe.join('; ') + '.');
    $('command-state').textContent = usable ? 'Complete.' : said.join(' ');
    $('command-state').classList.toggle('incomplete', !usable);
    // Only a whole line that its target carries as meant may be copied.
    $('copy').disabled = !usable;
    const current = state.style + '\n' + line.text;
    if (copied !== current) {
      copied = null;
      $('copy-result').textContent = usable ? ''
        : line.complete ? 'Copy is off: the line is not safe for ' + TARGETS[state.style] + '.'
          : 'Copy is off until the command is complete.';
    }
    $('back').disabled = state.steps.length === 0;
    $('reset').disabled = state.steps.length === 0;
    for (const hook of hooks.command) hook(line);
    return line;
  }

  function changed() {
    showCommand();
    save();
  }

  // ---- steps ----

  // A step's text field for its 'path' or 'value', labelled, in a field row.
  function stepInput(stepIndex, step, which, label) {
    const id = 's' + stepIndex + '-' + which;
    const input = el('input', { id, type: 'text', spellcheck: false, autocomplete: 'off', value: step[which] });
    input.addEventListener('input', () => {
      state = P.setInput(state, stepIndex, which, input.value);
      changed();
    });
    return { id, input, field: el('div', { className: 'field' }, [el('label', { for: id, text: label }), input]) };
  }

  function pathField(stepIndex, step, file) {
    const label = P.nameOf('File item', file);
    const { id, input, field } = stepInput(stepIndex, step, 'path', label);
    if (file.action === 'dir') {
      field.append(el('span', { className: 'hint', text: 'a folder path' }));
      for (const hook of hooks.pathField) hook({ field, input, file, label, filterIndex: () => 0 });
      return field;
    }
    const picker = el('input', { type: 'file', hidden: true, tabIndex: -1, 'aria-hidden': 'true' });
    const filters = file.filters.map((t) => cfg.filters[t]);
    const setAccept = (filter) => {
      const accept = filter ? P.acceptFor(filter.patterns) : '';
      if (accept) picker.setAttribute('accept', accept);
      else picker.removeAttribute('accept');
    };
    setAccept(filters[0]);
    if (filters.length) {
      const select = el('select', { id: id + '-type', 'aria-label': 'File type for ' + label },
        filters.map((f, i) => el('option', { value: String(i), text: P.nameOf('Filter', f) })));
      select.addEventListener('change', () => setAccept(filters[Number(select.value)]));
      field.append(select);
    }
    const button = el('button', { type: 'button', text: 'Choose…', 'aria-label': 'Choose ' + label });
    button.addEventListener('click', () => picker.click());
    picker.addEventListener('change', () => {
      if (!picker.files.length) return;
      // A browser gives the file's name, never its folder: the field says
      // where the file is, and the person completes it.
      input.value = picker.files[0].name;
      state = P.setInput(state, stepIndex, 'path', input.value);
      changed();
      input.focus();
    });
    field.append(button, picker,
      el('span', { className: 'hint', text: file.action === 'save' ? 'a file to write' : 'a file to read' }));
    const filterIndex = () => ($(id + '-type') ? Number($(id + '-type').value) : 0);
    for (const hook of hooks.pathField) hook({ field, input, file, label, filterIndex, choose: button });
    return field;
  }

  function valueField(stepIndex, step, marg) {
    const { id, input, field } = stepInput(stepIndex, step, 'value', P.nameOf('Marg', marg));
    if (marg.info !== '') {
      input.setAttribute('aria-describedby', id + '-help');
      field.append(el('p', { id: id + '-help', className: 'help', text: marg.info }));
    }
    return field;
  }

  function stepItem(step, index) {
    const key = cfg.keys[step.key];
    const list = cfg.lists[step.list - 1];
    const legend = 'Step ' + (index + 1) + ': ' + P.nameOf('List', list) + ': ' + P.nameOf('Key', key);
    const group = el('fieldset', { className: 'step' }, [el('legend', { text: legend })]);
    for (const element of P.keyElements(key)) {
      if (element.kind === 'path') group.append(pathField(index, step, cfg.fileItems[key.fileItem - 1]));
      if (element.kind === 'value') group.append(valueField(index, step, cfg.margs[key.marg - 1]));
    }
    return el('li', {}, [group]);
  }

  function openList() {
    const place = $('open-list');
    place.replaceChildren();
    const number = P.openListNumber(cfg, state);
    if (number === 0) {
      const limit = P.stepLimitReached(cfg, state);
      place.append(el('p', {
        className: limit ? 'end limit' : 'end',
        text: limit
          ? 'The chain of lists stops here: a command may take at most ' + P.STEP_LIMIT +
            ' steps. Go back, or reset.'
          : cfg.lists.length ? 'No more choices: the last key ends the command.' : 'This config has no lists.',
      }));
      return;
    }
    const list = cfg.lists[number - 1];
    const group = el('fieldset', { className: 'open' }, [el('legend', { text: P.nameOf('List', list) })]);
    for (const k of list.keys) {
      const key = cfg.keys[k];
      const button = el('button', { type: 'button', className: 'choice', text: P.nameOf('Key', key) });
      button.addEventListener('click', () => {
        state = P.choose(cfg, state, k);
        // Only the new step is drawn, so that a long chain stays quick.
        $('steps').append(stepItem(state.steps[state.steps.length - 1], state.steps.length - 1));
        openList();
        changed();
        const first = $('steps').lastElementChild.querySelector('input');
        (first || $('open-list').querySelector('button') || $('back')).focus();
      });
      group.append(button);
    }
    place.append(group);
  }

  function showSteps() {
    $('steps').replaceChildren(...state.steps.map(stepItem));
    openList();
  }

  // ---- panels ----

  function showPanels() {
    $('source').textContent = sourceName;
    document.title = sourceName + ' - Command line preview';
    $('header-items').replaceChildren(...cfg.headerItems.map((h) => el('li', { text: h })));
    const notes = P.authorNotes(cfg, findings);
    $('notes-summary').textContent = 'Notes for the author (' + notes.length + ')';
    $('note-list').replaceChildren(...(notes.length ? notes : ['Nothing to note.']).map((n) => el('li', { text: n })));
    for (const hook of hooks.panels) hook(cfg);
  }

  function showAll() {
    showPanels();
    showSteps();
    $('program').value = state.program;
    for (const radio of document.querySelectorAll('input[name=style]')) radio.checked = radio.value === state.style;
    showCommand();
  }

  function useEncoding(wanted) {
    cfg = P.decodeConfig(raw, P.encodingFor(raw, wanted));
    $('encoding').value = cfg.encoding;
  }

  // ---- parts other scripts add: presets, and the runner of a served page ----

  // Each part is a function that ccPageParts lists before this script runs;
  // it gets this interface, and may ask to hear of each new command line
  // (command), of each path field drawn (pathField), of the config's texts
  // shown (panels: the title, the header items), and of the remembered
  // values once they are in (loaded).
  const hooks = { command: [], pathField: [], panels: [], loaded: [] };
  const pageApi = {
    config: () => cfg,
    state: () => state,
    storeKey,
    savedForm: () => P.savedForm(state, cfg.encoding),
    // Replaces the choices and values by saved ones, as reopening the page does.
    restore(saved) {
      useEncoding(saved && saved.encoding);
      state = P.restoredState(cfg, saved);
      showAll();
      save();
    },
    // The program (and, on a served page, its fixed arguments), which the
    // person then cannot change.
    setProgram(name, fixedWords) {
      fixed = fixedWords || [];
      program = name;
      if (!started) return;
      state = { ...state, program: name };
      $('program').value = name;
      changed();
    },
    store: () => store,
    onCommand: (hook) => hooks.command.push(hook),
    onPathField: (hook) => hooks.pathField.push(hook),
    // hook({values, presets, error}) once the remembered values are in.
    onLoaded: (hook) => hooks.loaded.push(hook),
    onPanels: (hook) => hooks.panels.push(hook),
  };
  // A program set before the remembered values were in.
  let program = null;
  for (const attach of self.ccPageParts || []) attach(pageApi);

  // ---- start ----

  function start(loaded) {
    const saved = loaded.values;
    if (!P.allUtf8(raw)) {
      $('encoding-row').hidden = false;
      $('encoding').replaceChildren(...P.CODE_PAGES.map((c) => el('option', { value: c, text: c })));
    }
    useEncoding(saved && saved.encoding);
    state = P.restoredState(cfg, saved);
    if (program !== null) state = { ...state, program };
    started = true;
    showAll();
    $('remember-hint').textContent = loaded.error ? 'Nothing remembered could be read: ' + loaded.error
      : self.ccApi ? 'The program name, choices and values are kept by ccview, for this config.'
        : 'The program name, choices and values are kept in this browser for this config.';
    wire();
    for (const hook of hooks.loaded) hook(loaded);
    document.documentElement.dataset.ready = 'true';
    if (window.performance && performance.mark) performance.mark('ccview-ready');
  }

  // The controls answer once the remembered values are in.
  function wire() {
    $('program').addEventListener('input', () => {
      state = { ...state, program: $('program').value };
      changed();
    });
    for (const radio of document.querySelectorAll('input[name=style]')) {
      radio.addEventListener('change', () => {
        state = { ...state, style: radio.value };
        changed();
      });
    }
    $('encoding').addEventListener('change', () => {
      useEncoding($('encoding').value);
      showAll();
      save();
    });
    $('back').addEventListener('click', () => {
      state = P.back(state);
      $('steps').lastElementChild.remove();
      openList();
      changed();
      ($('open-list').querySelector('button') || $('program')).focus();
    });
    $('reset').addEventListener('click', () => {
      state = P.reset(state);
      showSteps();
      changed();
      ($('open-list').querySelector('button') || $('program')).focus();
    });
    $('forget').addEventListener('click', () => {
      forget();
      state = P.newState();
      showAll();
    });
    $('copy').addEventListener('click', () => {
      const line = P.commandLine(cfg, state, fixed);
      if (!line.complete || !line.safe) return;
      const text = line.text;
      const current = state.style + '\n' + text;
      const done = (ok) => {
        // The line may have changed while the clipboard was busy.
        if (state.style + '\n' + P.commandLine(cfg, state, fixed).text !== current) return;
        copied = ok ? current : null;
        $('copy-result').textContent = ok ? 'Copied.' : 'Copy failed: select the command line and copy it by hand.';
      };
      if (navigator.clipboard && navigator.clipboard.writeText) {
        navigator.clipboard.writeText(text).then(() => done(true), () => done(false));
      } else {
        done(false);
      }
    });
  }

  store.load().then(start);
})();
