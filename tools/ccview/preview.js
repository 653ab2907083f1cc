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
  // Quoting styles: a POSIX shell, the Windows Command Prompt (cmd) and a
  // Windows program started directly, without a shell.
  const STYLES = ['posix', 'cmd', 'direct'];
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
    // A leading U+FEFF is text like any other: the decoder must not drop it.
    const decoder = new TextDecoder(encoding, { ignoreBOM: true });
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

  // ---- key data: a fragment of a command line, read into words ----

  // The words of a key data text, read as a Windows program's C runtime reads
  // its command line (the home platform's front end hands key data to the
  // program that way): blanks and tabs separate words; double quotes group,
  // and may stand anywhere in a word; 2n backslashes before a quote give n
  // backslashes and the quote groups, 2n + 1 give n and a literal quote;
  // backslashes elsewhere stand for themselves; inside quotes "" gives a
  // literal quote and the quotes go on, as the runtime current compilers ship
  // reads it. An empty pair of quotes is an empty word; blanks at either end
  // vanish.
  function keyDataWords(text) {
    const words = [];
    let word = '';
    let inWord = false;
    let quoted = false;
    for (let i = 0; i < text.length;) {
      const c = text[i];
      if ((c === ' ' || c === '\t') && !quoted) {
        if (inWord) words.push(word);
        word = '';
        inWord = false;
        ++i;
        continue;
      }
      inWord = true;
      if (c === '\\') {
        let n = 0;
        while (text[i + n] === '\\') ++n;
        if (text[i + n] !== '"') {
          word += '\\'.repeat(n);
          i += n;
        } else {
          word += '\\'.repeat(n >> 1);
          i += n;
          if (n % 2 === 1) {
            word += '"';
            ++i;
          }
        }
      } else if (c === '"') {
        if (quoted && text[i + 1] === '"') {
          word += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        word += c;
        ++i;
      }
    }
    if (inWord) words.push(word);
    return words;
  }

  // ---- quoting, one function per target ----

  const POSIX_PLAIN = /^[A-Za-z0-9_@%+=:,./-]+$/;

  // A word for a POSIX shell: as it stands when it holds only characters the
  // shell takes literally, else in single quotes, each ' written as '\''.
  function quotePosix(text) {
    if (POSIX_PLAIN.test(text)) return text;
    return "'" + text.replace(/'/g, "'\\''") + "'";
  }

  // Words that a shell reads as its own syntax when they stand first.
  const POSIX_RESERVED = new Set(['!', '{', '}', '[[', ']]', 'case', 'coproc', 'do', 'done', 'elif', 'else',
    'esac', 'fi', 'for', 'function', 'if', 'in', 'select', 'then', 'time', 'until', 'while']);

  // The program name for a POSIX shell: quoted also where it would be read as
  // an assignment (x=y) or a reserved word (if).
  function quotePosixProgram(text) {
    if (text.includes('=') || POSIX_RESERVED.has(text))
      return "'" + text.replace(/'/g, "'\\''") + "'";
    return quotePosix(text);
  }

  // A word in double quotes for a Windows program's argument parser: a quote
  // is written \", and the backslashes right before a quote (or before the
  // closing quote) are doubled, since only there do they escape.
  function windowsQuoted(text) {
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

  // A word for a program started directly on Windows (a shortcut, a task, a
  // process-start call): as it stands unless it is empty or holds a blank, a
  // tab or a quote, which the argument parser reads; else in quotes.
  function quoteDirect(text) {
    return text !== '' && !/[ \t"]/.test(text) ? text : windowsQuoted(text);
  }

  const CMD_SPECIAL = /[&|<>^()]/;

  // A word for the Windows Command Prompt, which reads the line before the
  // program does: cmd takes & | < > ^ ( ) outside quotes, so a word holding
  // them goes in quotes, inside which cmd leaves them alone. A word holding a
  // quote cannot rely on that (cmd does not know the parser's \"): it is
  // quoted for the program, then every quote and character cmd takes gets a
  // ^, so that cmd never enters quotes and hands the word on unchanged.
  function quoteCmd(text) {
    if (text.includes('"')) return windowsQuoted(text).replace(/[&|<>^()"]/g, '^$&');
    if (text === '' || /[ \t]/.test(text) || CMD_SPECIAL.test(text)) return windowsQuoted(text);
    return text;
  }

  // The program name on Windows: it ends at the first blank or tab (for cmd
  // also at ; , = and the characters cmd takes) unless it is in quotes, and
  // is read up to the next quote, with no escapes: a file name never holds a
  // quote. cmd gets quotes around anything but letters, digits and _ . : \ -.
  function quoteCmdProgram(text) {
    return /^[A-Za-z0-9_.:\\-]+$/.test(text) ? text : '"' + text + '"';
  }
  function quoteDirectProgram(text) {
    return text !== '' && !/[ \t]/.test(text) ? text : '"' + text + '"';
  }

  const QUOTERS = {
    posix: { word: quotePosix, program: quotePosixProgram },
    cmd: { word: quoteCmd, program: quoteCmdProgram },
    direct: { word: quoteDirect, program: quoteDirectProgram },
  };

  function quote(text, style) {
    return (QUOTERS[style] || QUOTERS.posix).word(text);
  }

  function quoteProgram(text, style) {
    return (QUOTERS[style] || QUOTERS.posix).program(text);
  }

  // ---- what a target cannot carry ----

  // [pattern, reason] for each target: a line whose words match a pattern is
  // not safe there, for the reason given. Pasted into a terminal, a control
  // character acts as a key (a carriage return as Enter); a pasted tab
  // completes a name in cmd, and in an interactive shell that does not take
  // the paste as one piece (bash before 5.1, or with bracketed paste off),
  // even inside quotes. cmd also ends the command at a line break.
  const NUL = [/\0/, 'a NUL character, which no program can receive'];
  const UNSAFE = {
    posix: [
      NUL,
      [/\t/, 'a tab, which an interactive shell takes as a request to complete a name when the paste is ' +
        'not taken as one piece (bash before 5.1, or with bracketed paste off)'],
      [/[\x01-\x08\x0b-\x1f\x7f]/, 'a control character, which a terminal takes as a key'],
    ],
    cmd: [
      NUL,
      [/[\r\n]/, 'a line break, where cmd ends the command'],
      [/\t/, 'a tab, which starts file name completion when pasted into a console window'],
      [/[\x01-\x08\x0b-\x1f\x7f]/, 'a control character, which a console window takes as a key'],
      [/!/, 'a "!", which cmd replaces with a variable\'s value where delayed expansion is on, ' +
        'and no escape works both with and without it'],
    ],
    direct: [NUL, [/[\r\n]/, 'a line break, which does not fit on one command line']],
  };

  // Why a line of the program name and its argument words cannot be carried
  // safely for style; empty when it can.
  function unsafeReasons(program, args, style) {
    const reasons = [];
    const text = [program].concat(args).join(' ');
    for (const [pattern, reason] of UNSAFE[style] || []) if (pattern.test(text)) reasons.push(reason);
    if (style === 'cmd' && (text.match(/%/g) || []).length >= 2)
      reasons.push('two "%", between which cmd puts the value of a variable of that name, ' +
        'and no escape stops it in every console');
    // bash takes a command that begins with % for a job, quoted or not.
    if (style === 'posix' && program.startsWith('%'))
      reasons.push('a program name that begins with "%", which bash takes for a job to resume: ' +
        'write it as a path, ./' + program);
    if (style !== 'posix' && program.includes('"'))
      reasons.push('a quote in the program name, which no file name holds');
    return reasons;
  }

  // ---- the command line ----

  // The name shown for an item: its caption, or when that is empty its kind
  // and number ("Key 3"), so that every choice, field and placeholder keeps a
  // name.
  function nameOf(kind, item) {
    return item.name === '' ? kind + ' ' + item.number : item.name;
  }

  // The elements of the line, in order: the program, its fixed arguments,
  // then every step's elements. Each is {kind, step, words} or, for an empty
  // program name, path or value, {kind, step, placeholder: "<name>"}. Key
  // data gives the words it is read as; a path or value is one word, whatever
  // it holds.
  function lineElements(cfg, state, fixed) {
    const typed = (text, kind, step, name) =>
      text === '' ? { kind, step, placeholder: '<' + name + '>' } : { kind, step, words: [text] };
    const elements = [typed(state.program, 'program', -1, 'program')];
    if (fixed.length) elements.push({ kind: 'fixed', step: -1, words: fixed });
    state.steps.forEach((step, index) => {
      const key = keyOf(cfg, step.key);
      for (const element of keyElements(key)) {
        if (element.kind === 'keys') {
          elements.push({ kind: 'keys', step: index, words: keyDataWords(key.arg) });
        } else if (element.kind === 'path') {
          elements.push(typed(step.path, 'path', index, nameOf('File item', cfg.fileItems[key.fileItem - 1])));
        } else {
          elements.push(typed(step.value, 'value', index, nameOf('Marg', cfg.margs[key.marg - 1])));
        }
      }
    });
    return elements;
  }

  // The words of the line: {word, kind, step} or {placeholder, kind, step},
  // glued: when key data's last word ends in "=", the next element's first
  // word is joined to it (--size= and 10 MB give the one word --size=10 MB),
  // or, when that element is still a placeholder, shown right after it.
  function lineWords(elements) {
    const pieces = [];
    let glue = false;
    for (const element of elements) {
      if (element.placeholder !== undefined) {
        if (glue) pieces[pieces.length - 1].glued = true;
        pieces.push({ placeholder: element.placeholder, kind: element.kind, step: element.step });
        glue = false;
        continue;
      }
      element.words.forEach((word, i) => {
        if (i === 0 && glue) pieces[pieces.length - 1].word += word;
        else pieces.push({ word, kind: element.kind, step: element.step });
      });
      // Key data that reads as no word (only blanks) inserts nothing.
      if (element.words.length) glue = element.kind === 'keys' && element.words.at(-1).endsWith('=');
    }
    return pieces;
  }

  // The command line as parts: {text, kind, placeholder, step, glued}. kind
  // is 'program', 'fixed', 'keys', 'path' or 'value' (of the element a word
  // begins with); a placeholder part's text is "<name>"; every other part is
  // one word quoted for the style. glued says that nothing separates the
  // part from the next. step is the step's index (-1 for the program and its
  // fixed arguments).
  function commandParts(cfg, state, fixed) {
    return partsOf(lineWords(lineElements(cfg, state, fixed || [])), state.style);
  }

  function partsOf(pieces, style) {
    return pieces.map((piece) => ({
      text: piece.placeholder !== undefined ? piece.placeholder
        : piece.kind === 'program' ? quoteProgram(piece.word, style) : quote(piece.word, style),
      kind: piece.kind,
      placeholder: piece.placeholder !== undefined,
      step: piece.step,
      glued: piece.glued === true,
    }));
  }

  // The separator after a part: none inside a glued word, else one blank.
  function separatorAfter(part) {
    return part.glued ? '' : ' ';
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

  // The command line and whether it can be run and carried as it stands:
  // {text, parts, complete, missing, words, safe, unsafe}. fixed: the words
  // that always follow the program (a served page's fixed arguments), shown
  // and quoted like the rest. missing says, in words, what is still to do.
  // words are the arguments the page adds after the program and its fixed
  // ones, unquoted, as the program receives them: null while the line is
  // incomplete, so that nothing half-made is ever run. safe is false when
  // the style's target cannot carry the whole line as it is meant, and
  // unsafe then says why.
  function commandLine(cfg, state, fixed) {
    fixed = fixed || [];
    const pieces = lineWords(lineElements(cfg, state, fixed));
    const parts = partsOf(pieces, state.style);
    const missing = [];
    if (state.program === '') missing.push('a program name');
    for (const part of parts)
      if (part.placeholder && part.kind !== 'program') missing.push(part.text);
    const open = openListNumber(cfg, state);
    if (stepLimitReached(cfg, state)) {
      missing.push('an end: the chain of lists was cut at ' + STEP_LIMIT + ' steps');
    } else if (open !== 0) {
      const list = cfg.lists[open - 1];
      missing.push('a choice in ' + (list.name === '' ? nameOf('List', list) : '"' + list.name + '"'));
    }
    const complete = missing.length === 0;
    const args = pieces.filter((p) => p.step >= 0 && p.placeholder === undefined).map((p) => p.word);
    const unsafe = unsafeReasons(state.program, fixed.concat(args), state.style);
    return {
      text: joinParts(parts),
      parts,
      complete,
      missing,
      words: complete ? args : null,
      safe: unsafe.length === 0,
      unsafe,
    };
  }

  // ---- notes for the author ----

  const caption = (what, number, name) => what + ' ' + number + ' "' + name + '"';

  // Key data worth a note: it holds something beyond letters, digits, blanks
  // and _ @ + = : , . / -, such as quotes or what a shell would act on.
  const KEY_DATA_NOTED = /[^A-Za-z0-9_@+=:,.\/ \t\u0080-\uffff-]/;

  // What a script's author would want to know, by caption and number: lists
  // and keys that cannot be reached from the default list, references the
  // order never inserts, positions without a reference, lists without keys,
  // and key data holding quotes or characters a shell treats specially, with
  // the words it is read as. All but the last come from the config's analysis
  // (findings: ccview's analysis block, lists of item numbers), worded here.
  function authorNotes(cfg, findings) {
    const notes = [];
    const found = (name) => new Set(findings[name]);
    const unreachableLists = found('unreachableLists');
    const listsWithoutKeys = found('listsWithoutKeys');
    const keysInNoList = found('keysInNoList');
    const keysUnreachable = found('keysOnlyInUnreachableLists');
    const pathsNeverInserted = found('pathsNeverInserted');
    const pathsWithoutFile = found('pathsWithoutFileItem');
    const valuesNeverInserted = found('valuesNeverInserted');
    const valuesWithoutMarg = found('valuesWithoutMarg');
    cfg.lists.forEach((list) => {
      const what = caption('List', list.number, list.name);
      if (unreachableLists.has(list.number)) notes.push(what + ' cannot be reached from the default list.');
      if (listsWithoutKeys.has(list.number)) notes.push(what + ' holds no keys.');
    });
    cfg.keys.forEach((key) => {
      const what = caption('Key', key.number, key.name);
      if (keysInNoList.has(key.number)) notes.push(what + ' is in no list.');
      else if (keysUnreachable.has(key.number)) notes.push(what + ' cannot be reached from the default list.');
      const o = key.order;
      if (pathsNeverInserted.has(key.number)) {
        const file = cfg.fileItems[key.fileItem - 1];
        notes.push(what + ' names ' + caption('file item', file.number, file.name) +
          ', but its order has no place for the path: the path is never inserted.');
      }
      if (pathsWithoutFile.has(key.number))
        notes.push(what + ' places a path at position ' + o.path + ', but names no file item: nothing is inserted there.');
      if (valuesNeverInserted.has(key.number)) {
        const marg = cfg.margs[key.marg - 1];
        notes.push(what + ' names ' + caption('marg', marg.number, marg.name) +
          ', but its order has no place for the value: the value is never inserted.');
      }
      if (valuesWithoutMarg.has(key.number))
        notes.push(what + ' places a value at position ' + o.value + ', but names no marg: nothing is inserted there.');
      if (key.arg && KEY_DATA_NOTED.test(key.arg)) {
        const words = keyDataWords(key.arg);
        notes.push(what + ' has the key data ' + key.arg + ', which holds quotes or characters a shell treats ' +
          'specially. It is read as ' + words.length + (words.length === 1 ? ' word' : ' words') +
          (words.length ? ', each quoted for the chosen shell: ' + words.map((w) => JSON.stringify(w)).join(', ') : '') +
          '.');
      }
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
    // Pages before the two Windows styles stored 'windows', which claimed to
    // guard against the command interpreter.
    else if (saved.style === 'windows') state.style = 'cmd';
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
    keyElements, keyDataWords, nameOf,
    quotePosix, quoteCmd, quoteDirect, quote, quoteProgram, unsafeReasons,
    commandParts, separatorAfter, joinParts, commandLine,
    authorNotes, storageKey, savedForm, restoredState,
  };
});
