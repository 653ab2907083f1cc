// The preview page's logic, free of the DOM: which list is offered, what a
// chosen key inserts, how the command line is joined and quoted, what the
// author should know, and what is remembered. page.js shows what this computes.
//
// The config arrives as ccdump's JSON form, in which every string holds one
// code point per byte of the config (U+0000 to U+00FF). decodeConfig turns
// those bytes into text once; everything after works on decoded text.
//
// Loaded as a classic script in the page (it defines ccPreview) and as a
// CommonJS module in Node's tests.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccPreview = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // A chain of lists that loops is cut here, so that a runaway chain cannot
  // grow the page without end.
  const STEP_LIMIT = 256;
  const STYLES = ['posix', 'windows'];
  // Offered when the config's strings are not all UTF-8; the first is the default.
  const CODE_PAGES = ['windows-1252', 'windows-1251'];
  const ELEMENT_KINDS = ['keys', 'path', 'value'];

  // ---- strings: bytes to text ----

  function bytesOf(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
    return bytes;
  }

  // Every string the config holds, in no particular order.
  function rawStrings(raw) {
    const out = raw.headerItems.slice();
    for (const list of raw.lists) out.push(list.name);
    for (const key of raw.keys) {
      out.push(key.name);
      if (key.arg !== null) out.push(key.arg);
    }
    for (const file of raw.fileItems) out.push(file.name);
    for (const filter of raw.filters) out.push(filter.text);
    for (const marg of raw.margs) out.push(marg.name, marg.info);
    return out;
  }

  function isUtf8(text) {
    try {
      new TextDecoder('utf-8', { fatal: true }).decode(bytesOf(text));
      return true;
    } catch (e) {
      return false;
    }
  }

  // True when every string of the config is valid UTF-8: then the page shows
  // them as UTF-8 and offers no code page.
  function allUtf8(raw) {
    return rawStrings(raw).every(isUtf8);
  }

  // The encoding the strings are shown in: UTF-8 when all are valid UTF-8,
  // else the wanted code page when it is one of CODE_PAGES, else the first.
  function encodingFor(raw, wanted) {
    if (allUtf8(raw)) return 'utf-8';
    return CODE_PAGES.includes(wanted) ? wanted : CODE_PAGES[0];
  }

  // The config with its strings decoded and its items indexed by number:
  // lists[n - 1], keys[n], fileItems[n - 1], filters[n], margs[n - 1].
  function decodeConfig(raw, encoding) {
    const decoder = new TextDecoder(encoding);
    const text = (s) => decoder.decode(bytesOf(s));
    return {
      encoding,
      defaultList: raw.defaultList,
      headerItems: raw.headerItems.map(text),
      lists: raw.lists.map((l) => ({ number: l.number, name: text(l.name), keys: l.keys.slice() })),
      keys: raw.keys.map((k) => ({
        number: k.number,
        name: text(k.name),
        arg: k.arg === null ? null : text(k.arg),
        order: { keys: k.order.keys, path: k.order.path, value: k.order.value },
        nextList: k.nextList,
        fileItem: k.fileItem,
        marg: k.marg,
      })),
      fileItems: raw.fileItems.map((f) => ({
        number: f.number,
        name: text(f.name),
        action: f.action,
        filters: f.filters.slice(),
      })),
      filters: raw.filters.map((t) => ({ number: t.number, name: text(t.name), patterns: text(t.patterns) })),
      margs: raw.margs.map((m) => ({ number: m.number, name: text(m.name), info: text(m.info) })),
    };
  }

  // ---- file dialogs ----

  // The accept attribute of a file input for a filter's patterns ("*.txt;*.log"
  // gives ".txt,.log"). Only plain "*.ext" patterns become types; a "*.*"
  // pattern admits every file, and so does a filter with no plain pattern:
  // both give "" (no accept attribute).
  function acceptFor(patterns) {
    const types = [];
    for (const pattern of patterns.split(';')) {
      if (pattern === '*.*') return '';
      const m = /^\*(\.[^*?;]+)$/.exec(pattern);
      if (m && !types.includes(m[1])) types.push(m[1]);
    }
    return types.join(',');
  }

  // ---- steps ----

  // A state: the program name, the quoting style and the steps taken. A step
  // is one pass through a list: the list, the key chosen in it, and the path
  // and value typed for that key (each pass has its own).
  function newState() {
    return { program: '', style: 'posix', steps: [] };
  }

  function keyOf(cfg, number) {
    return cfg.keys[number];
  }

  // The list number the next choice is made in: the default list before any
  // step, else the chosen key's next list; 0 when the command is complete
  // (the last key leads nowhere) or the step limit is reached.
  function openListNumber(cfg, state) {
    if (state.steps.length === 0) return cfg.lists.length ? cfg.defaultList : 0;
    if (state.steps.length >= STEP_LIMIT) return 0;
    const next = keyOf(cfg, state.steps[state.steps.length - 1].key).nextList;
    return next === null ? 0 : next;
  }

  // True when the chain of lists was cut at STEP_LIMIT steps.
  function stepLimitReached(cfg, state) {
    if (state.steps.length < STEP_LIMIT) return false;
    return keyOf(cfg, state.steps[state.steps.length - 1].key).nextList !== null;
  }

  // The state after choosing a key of the open list; the same state when the
  // key is not one of that list's keys.
  function choose(cfg, state, keyNumber) {
    const list = openListNumber(cfg, state);
    if (list === 0 || !cfg.lists[list - 1].keys.includes(keyNumber)) return state;
    return { ...state, steps: state.steps.concat([{ list, key: keyNumber, path: '', value: '' }]) };
  }

  // Undoes the last step.
  function back(state) {
    return { ...state, steps: state.steps.slice(0, -1) };
  }

  // Undoes every step; the program name and the style stay.
  function reset(state) {
    return { ...state, steps: [] };
  }

  // The state with one step's path or value ('path' or 'value') set.
  function setInput(state, stepIndex, field, text) {
    const steps = state.steps.slice();
    steps[stepIndex] = { ...steps[stepIndex], [field]: text };
    return { ...state, steps };
  }

  // ---- the command line ----

  // The elements a key inserts, in the order of their positions (1 to 3, gaps
  // allowed): {kind: 'keys' | 'path' | 'value', position}. An element whose
  // reference is missing (no key data, no file item, no marg) inserts nothing
  // and is left out; a reference without a position is never reached.
  function keyElements(key) {
    const placed = [];
    for (const kind of ELEMENT_KINDS) {
      const position = key.order[kind];
      if (!position) continue;
      if (kind === 'keys' && !key.arg) continue;
      if (kind === 'path' && key.fileItem === null) continue;
      if (kind === 'value' && key.marg === null) continue;
      placed.push({ kind, position });
    }
    return placed.sort((a, b) => a.position - b.position);
  }

  const POSIX_PLAIN = /^[A-Za-z0-9_@%+=:,./-]+$/;

  // A word for a POSIX shell: as it stands when it holds only characters the
  // shell takes literally, else in single quotes, each ' written as '\''.
  function quotePosix(text) {
    if (POSIX_PLAIN.test(text)) return text;
    return "'" + text.replace(/'/g, "'\\''") + "'";
  }

  // Characters that make a Windows argument need quotes: blanks and line ends
  // split arguments, a double quote is special to the argument parser, and
  // & | < > ^ ( ) to the command interpreter.
  const WINDOWS_SPECIAL = /[ \t\n\v"&|<>^()]/;

  // A word for a Windows program's argument parser: as it stands unless empty
  // or holding a special character; else in double quotes, where a quote is
  // written \" and the backslashes right before a quote (or before the
  // closing quote) are doubled, since there they escape.
  function quoteWindows(text) {
    if (text !== '' && !WINDOWS_SPECIAL.test(text)) return text;
    let out = '"';
    let slashes = 0;
    for (const c of text) {
      if (c === '\\') {
        ++slashes;
        continue;
      }
      if (c === '"') out += '\\'.repeat(2 * slashes + 1) + '"';
      else out += '\\'.repeat(slashes) + c;
      slashes = 0;
    }
    return out + '\\'.repeat(2 * slashes) + '"';
  }

  function quote(text, style) {
    return style === 'windows' ? quoteWindows(text) : quotePosix(text);
  }

  // The command line as parts: {text, kind, placeholder, step}. kind is
  // 'program', 'keys', 'path' or 'value'; an empty program name, path or value
  // is a placeholder part "<caption>". step is the step's index (-1 for the
  // program).
  function commandParts(cfg, state) {
    const parts = [];
    const typed = (text, kind, step, caption) =>
      text === ''
        ? { text: '<' + caption + '>', kind, placeholder: true, step }
        : { text: quote(text, state.style), kind, placeholder: false, step };
    parts.push(typed(state.program, 'program', -1, 'program'));
    state.steps.forEach((step, index) => {
      const key = keyOf(cfg, step.key);
      for (const element of keyElements(key)) {
        if (element.kind === 'keys') {
          parts.push({ text: key.arg, kind: 'keys', placeholder: false, step: index });
        } else if (element.kind === 'path') {
          parts.push(typed(step.path, 'path', index, cfg.fileItems[key.fileItem - 1].name));
        } else {
          parts.push(typed(step.value, 'value', index, cfg.margs[key.marg - 1].name));
        }
      }
    });
    return parts;
  }

  // The separator after a part: none after key data that ends in "=" (a value
  // glued to its switch, --size=10), else one blank.
  function separatorAfter(part) {
    return part.kind === 'keys' && part.text.endsWith('=') ? '' : ' ';
  }

  // The parts as one text, each followed by its separator but the last.
  function joinParts(parts) {
    let out = '';
    parts.forEach((part, i) => {
      out += part.text;
      if (i + 1 < parts.length) out += separatorAfter(part);
    });
    return out;
  }

  // The command line and whether it can be run as it stands: {text, parts,
  // complete, missing}. missing says, in words, what is still to do.
  function commandLine(cfg, state) {
    const parts = commandParts(cfg, state);
    const missing = [];
    if (state.program === '') missing.push('a program name');
    for (const part of parts)
      if (part.placeholder && part.kind !== 'program') missing.push(part.text);
    if (stepLimitReached(cfg, state)) missing.push('an end: the chain of lists was cut at ' + STEP_LIMIT + ' steps');
    else if (openListNumber(cfg, state) !== 0)
      missing.push('a choice in "' + cfg.lists[openListNumber(cfg, state) - 1].name + '"');
    return { text: joinParts(parts), parts, complete: missing.length === 0, missing };
  }

  // ---- notes for the author ----

  const caption = (what, number, name) => what + ' ' + number + ' "' + name + '"';

  // What a script's author would want to know, by caption and number: lists
  // and keys that cannot be reached from the default list, references the
  // order never inserts, positions without a reference, lists without keys.
  function authorNotes(cfg) {
    const notes = [];
    const reachedList = new Array(cfg.lists.length).fill(false);
    const reachedKey = new Array(cfg.keys.length).fill(false);
    const listedKey = new Array(cfg.keys.length).fill(false);
    for (const list of cfg.lists) for (const k of list.keys) listedKey[k] = true;
    const queue = cfg.lists.length ? [cfg.defaultList] : [];
    if (queue.length) reachedList[cfg.defaultList - 1] = true;
    while (queue.length) {
      const list = cfg.lists[queue.shift() - 1];
      for (const k of list.keys) {
        reachedKey[k] = true;
        const next = cfg.keys[k].nextList;
        if (next !== null && !reachedList[next - 1]) {
          reachedList[next - 1] = true;
          queue.push(next);
        }
      }
    }
    cfg.lists.forEach((list, i) => {
      const what = caption('List', list.number, list.name);
      if (!reachedList[i]) notes.push(what + ' cannot be reached from the default list.');
      if (list.keys.length === 0) notes.push(what + ' holds no keys.');
    });
    cfg.keys.forEach((key, k) => {
      const what = caption('Key', key.number, key.name);
      if (!listedKey[k]) notes.push(what + ' is in no list.');
      else if (!reachedKey[k]) notes.push(what + ' cannot be reached from the default list.');
      const o = key.order;
      if (key.fileItem !== null && !o.path) {
        const file = cfg.fileItems[key.fileItem - 1];
        notes.push(what + ' names ' + caption('file item', file.number, file.name) +
          ', but its order has no place for the path: the path is never inserted.');
      }
      if (key.fileItem === null && o.path)
        notes.push(what + ' places a path at position ' + o.path + ', but names no file item: nothing is inserted there.');
      if (key.marg !== null && !o.value) {
        const marg = cfg.margs[key.marg - 1];
        notes.push(what + ' names ' + caption('marg', marg.number, marg.name) +
          ', but its order has no place for the value: the value is never inserted.');
      }
      if (key.marg === null && o.value)
        notes.push(what + ' places a value at position ' + o.value + ', but names no marg: nothing is inserted there.');
    });
    return notes;
  }

  // ---- what is remembered ----

  // The storage key of a config: its JSON text (a function of the config's
  // bytes alone) hashed with 64-bit FNV-1a.
  function storageKey(configText) {
    let h = 0xcbf29ce484222325n;
    for (let i = 0; i < configText.length; ++i) {
      h ^= BigInt(configText.charCodeAt(i));
      h = (h * 0x100000001b3n) & 0xffffffffffffffffn;
    }
    return 'ccview:' + h.toString(16).padStart(16, '0');
  }

  // What is stored: the program name, the style, the code page and the steps.
  function savedForm(state, encoding) {
    return {
      program: state.program,
      style: state.style,
      encoding,
      steps: state.steps.map((s) => ({ key: s.key, path: s.path, value: s.value })),
    };
  }

  const textOr = (value) => (typeof value === 'string' ? value : '');

  // The state stored values give back for this config. Steps are replayed as
  // choices, so a step that does not fit (another config, a changed page) ends
  // the replay; what cannot be read is left at its default.
  function restoredState(cfg, saved) {
    let state = newState();
    if (!saved || typeof saved !== 'object') return state;
    state.program = textOr(saved.program);
    if (STYLES.includes(saved.style)) state.style = saved.style;
    for (const step of Array.isArray(saved.steps) ? saved.steps : []) {
      if (!step || typeof step !== 'object') break;
      const next = choose(cfg, state, step.key);
      if (next === state) break;
      state = setInput(setInput(next, next.steps.length - 1, 'path', textOr(step.path)),
        next.steps.length - 1, 'value', textOr(step.value));
    }
    return state;
  }

  return {
    STEP_LIMIT, STYLES, CODE_PAGES,
    allUtf8, encodingFor, decodeConfig, acceptFor,
    newState, openListNumber, stepLimitReached, choose, back, reset, setInput,
    keyElements, quotePosix, quoteWindows, quote, commandParts, separatorAfter, joinParts, commandLine,
    authorNotes, storageKey, savedForm, restoredState,
  };
});
