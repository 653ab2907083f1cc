// Drives the real tarvelkin-ls (TARVELKIN_LS, as ctest sets it) through
// JSON-RPC, as an editor does, with vscode-jsonrpc (npm ci in the source
// folder): one table of requests and the answers they must get, on the sample
// script and on a script with mistakes, in a session that counts positions in
// UTF-16 and in one that counts them in UTF-8. The diagnostics must be the
// compiler's own messages (TARVELKIN_PROGRAM run on the same script). Then the
// framing: what is not a message ends the server with a reason and status 1.
// Without vscode-jsonrpc it says why and exits 77 (skipped), unless
// TARVELKIN_LS_REQUIRED=1 (as CI sets it) makes that a failure.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawn, spawnSync } = require('node:child_process');

let rpc;
try {
  rpc = require('vscode-jsonrpc/node');
} catch (e) {
  const required = process.env.TARVELKIN_LS_REQUIRED === '1';
  console.log((required ? 'FAILED: ' : 'SKIPPED: ') + 'vscode-jsonrpc is not installed; run "npm ci" in ' +
              path.resolve(__dirname, '..', '..', '..'));
  process.exit(required ? 1 : 77);
}
const server = process.env.TARVELKIN_LS;
const compiler = process.env.TARVELKIN_PROGRAM;
assert.ok(server && compiler, 'TARVELKIN_LS and TARVELKIN_PROGRAM name the programs');

function documentOf(file, text = fs.readFileSync(file, 'utf8')) {
  return { file, original: text, uri: 'file://' + file.split(path.sep).join('/'), text, lines: text.split('\n') };
}
const sample = documentOf(path.resolve(__dirname, '..', '..', '..', 'examples', 'prog.sc'));
const broken = documentOf(path.join(__dirname, 'broken.sc'));
// Scripts made here: the sample with its sixth header line left out; with
// three names that name nothing; 120 keys with an error each; a key with
// "kmarg = Disable"; a folder browser; an empty new file.
const header = '# h1\n# h2\n# h3\n# h4\n# h5\n# h6\n';
const made = (name, text) => documentOf(path.join(os.tmpdir(), 'ls-run', name), text);
const headerless = made('headerless.sc', sample.text.replace('# header item 6\n', ''));
const unresolved = made('unresolved.sc', sample.text.replace('items = fast, slow', 'items = fast, slwo')
  .replace('kfile = input', 'kfile = inptu').replace('def modes', 'def mdoes'));
const manyErrors = made('many.sc', header + 'list l\nname=L\nitems = k1\n' +
  Array.from({ length: 120 }, (_, i) => `key k${i + 1}\nname=K\norder = keys vlaue\n`).join('') + 'def l\n');
const disabled = made('disabled.sc', header + 'list l\nname=L\nitems = k\nkey k\nname=K\norder = keys, disable\n' +
  'arg=-k\nnext = disable\nkmarg = Disable\nkfile = disable\ndef l\n');
const folder = made('folder.sc', header + 'list l\nname=L\nitems = k\nkey k\nname=K\norder = path disable\n' +
  'next = disable\nkmarg = disable\nkfile = out\nfile out\nname=Output\naction = dir\n\nfilter text\nname=Text\n' +
  'exten = txt\ndef l\n');
const empty = made('empty.sc', '');
const madeDocs = [headerless, unresolved, manyErrors, disabled, folder, empty];

// A position by line (from 0) and the text that stands there (its nth
// occurrence), counted in the session's units: UTF-16 code units, as a
// JavaScript string counts them, or UTF-8 bytes.
function at(doc, line, text, nth = 0, encoding) {
  let index = -1;
  for (let n = 0; n <= nth; ++n) index = doc.lines[line].indexOf(text, index + 1);
  assert.ok(index >= 0, `"${text}" is not in line ${line} of ${doc.file}`);
  const before = doc.lines[line].slice(0, index);
  return { line, character: encoding === 'utf-8' ? Buffer.byteLength(before) : before.length };
}
function span(doc, line, text, nth, encoding) {
  const start = at(doc, line, text, nth, encoding);
  const length = encoding === 'utf-8' ? Buffer.byteLength(text) : text.length;
  return { start, end: { line, character: start.character + length } };
}
const place = (doc, line, text, nth, encoding) => ({ uri: doc.uri, range: span(doc, line, text, nth, encoding) });
const labels = (result) => result.items.map((item) => item.label);

// What the compiler writes on standard error for a script, as the editor's
// diagnostics: line and column (in the session's units), severity, text.
function compilerDiagnostics(doc, encoding) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ls-'));
  const script = path.join(folder, 'script.sc');
  fs.writeFileSync(script, doc.text);
  const run = spawnSync(compiler, [script, path.join(folder, 'out.cc')], { encoding: 'utf8', input: '' });
  fs.rmSync(folder, { recursive: true, force: true });
  return run.stderr.split('\n').filter(Boolean).map((line) => {
    const [, row, column, kind, text] = /^:(\d+):(\d+): (error|warning): (.*)$/.exec(line.slice(script.length));
    const bytes = Buffer.from(doc.lines[row - 1]).subarray(0, column - 1);
    const character = encoding === 'utf-8' ? bytes.length : bytes.toString('utf8').length;
    return { line: row - 1, character, severity: kind === 'error' ? 1 : 2, message: text };
  });
}
const shown = (diagnostics) =>
  diagnostics.map((d) => ({ line: d.range.start.line, character: d.range.start.character, severity: d.severity,
                            message: d.message }));

// The table: each row a request on a document and the answer it must get,
// given the session's encoding (e). A row with `edit` changes the document first.
const keys = '**keys** (order word)\n\nInserts the key data, the text of the key\'s `arg`';
const cases = [
  { name: 'diagnostics of the sample: none, as from the compiler', doc: sample, diagnostics: () => [] },
  { name: 'diagnostics of the broken script: the compiler\'s, and the error of a later section',
    doc: broken,
    diagnostics: (e) => [...compilerDiagnostics(broken, e),
      { ...at(broken, 26, 'Load', 0, e), severity: 1,
        message: 'unknown action "Load"; expected load, save or dir; keywords are lower case' }] },
  { name: 'hover on an order word: its row of the guide', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 12, 'keys', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: keys } }) },
  { name: 'hover on a parameter keyword', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 15, 'kmarg', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value:
      '**kmarg** (parameter of a key)\n\nthe marg whose value the key inserts, or `disable`\n\nNeeded: always' } }) },
  { name: 'hover on a marg\'s name: caption, tooltip, definition', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 15, 'level', 0, e) }),
    expect: (e) => ({ contents: { kind: 'markdown', value:
      '**marg** `level`\n\nCaption: Level  \nTooltip: First line  \nSecond line  \nDefined at line 31.' },
    range: span(sample, 15, 'level', 0, e) }) },
  { name: 'hover on a name after the error: read on past it', doc: broken, method: 'textDocument/hover',
    params: (e) => ({ position: at(broken, 21, 'more', 0, e) }),
    expect: (e) => ({ contents: { kind: 'markdown', value: '**list** `more`\n\nCaption: More  \nDefined at line 36.' },
      range: span(broken, 21, 'more', 0, e) }) },
  { name: 'hover on disable', doc: broken, method: 'textDocument/hover',
    params: (e) => ({ position: at(broken, 22, 'disable', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**disable** (in next, kmarg and kfile)\n\nIn a key\'s `next`, `kmarg` and `kfile` ' +
      'lines, the word `disable` instead of a name switches that reference off.' } }) },
  // Hover on each kind of keyword: what the guide says of it, in its own words.
  { name: 'hover on a section keyword: the section and its parameters', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 7, 'list', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**list** (section)\n\nA list is a group of keys the front end ' +
      'offers together, with a caption.\n\nParameters:\n- `name`: the caption (needed: yes)\n- `items`: the names of ' +
      'its keys, separated by commas (needed: yes)' } }) },
  { name: 'hover on def, a section without parameters', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 33, 'def', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**def** (section)\n\n`def` and a list\'s name, on one line, ' +
      'make that list the one the front end shows first.' } }) },
  { name: 'hover on a file item\'s parameter', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 25, 'action', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**action** (parameter of a file item)\n\n`load` (an open ' +
      'dialog), `save` (a save dialog) or `dir` (a folder browser)\n\nNeeded: yes' } }) },
  { name: 'hover on an action word', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 25, 'load', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**load** (action)\n\nThe dialog: an open dialog, for a file that exists' } }) },
  { name: 'hover on a tooltip\'s line break', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 32, '<@', 0, e) }),
    expect: () => ({ contents: { kind: 'markdown', value: '**<@** (in a tooltip)\n\nevery `<@` in the tooltip becomes a line break' } }) },
  { name: 'hover on a caption: nothing', doc: sample, method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 11, 'mode', 0, e) }), expect: () => null },
  { name: 'definition of a file item named in kfile', doc: sample, method: 'textDocument/definition',
    params: (e) => ({ position: at(sample, 16, 'input', 0, e) }),
    expect: (e) => [place(sample, 23, 'input', 0, e)] },
  { name: 'definition of a list named after the error', doc: broken, method: 'textDocument/definition',
    params: (e) => ({ position: at(broken, 32, 'more', 0, e) }),
    expect: (e) => [place(broken, 35, 'more', 0, e)] },
  { name: 'references of a list, with its definition: next and def', doc: sample, method: 'textDocument/references',
    params: (e) => ({ position: at(sample, 33, 'modes', 0, e), context: { includeDeclaration: true } }),
    expect: (e) => [place(sample, 7, 'modes', 0, e), place(sample, 20, 'modes', 0, e), place(sample, 33, 'modes', 0, e)] },
  { name: 'references of a key, after a name with characters of two UTF-16 units', doc: broken,
    method: 'textDocument/references',
    params: (e) => ({ position: at(broken, 28, 'quiet', 0, e), context: { includeDeclaration: false } }),
    expect: (e) => [place(broken, 9, 'quiet', 0, e), place(broken, 37, 'quiet', 0, e)] },
  { name: 'the outline of the sample', doc: sample, method: 'textDocument/documentSymbol', params: () => ({}),
    check: (result) => assert.deepEqual(result.map((s) => [s.name, s.kind, s.detail, s.range.start.line, s.range.end.line]), [
      ['modes', 18, 'list "Mode"', 7, 9], ['fast', 20, 'key "Fast mode"', 10, 16], ['slow', 20, 'key "Slow mode"', 17, 22],
      ['input', 1, 'file item "Input file"', 23, 26], ['text', 7, 'filter "Text files(*.txt, *.log)"', 27, 29],
      ['level', 13, 'marg "Level"', 30, 32], ['def modes', 14, 'the list shown first', 33, 33]]) },
  { name: 'the outline of the broken script: every section, the captions read before an error too', doc: broken,
    method: 'textDocument/documentSymbol', params: () => ({}),
    check: (result, e) => {
      assert.deepEqual(result.map((s) => [s.name, s.detail]), [['main', 'list "Main"'], ['go', 'key " Go"'],
        ['größe', 'key "Größe 𝄞"'], ['out', 'file item "Output"'], ['quiet', 'key "Quiet"'], ['more', 'list "More"'],
        ['def main', 'the list shown first']]);
      assert.deepEqual(result[2].selectionRange, span(broken, 17, 'größe', 0, e));
    } },
  { name: 'completion after kmarg =: the margs and disable', doc: sample, method: 'textDocument/completion',
    params: (e) => ({ position: at(sample, 15, 'level', 0, e) }),
    check: (result, e) => {
      assert.deepEqual(labels(result), ['level', 'disable']);
      const where = at(sample, 15, 'level', 0, e);
      assert.deepEqual(result.items[0].textEdit, { range: { start: where, end: where }, newText: 'level' });
    } },
  { name: 'completion in an items line: the keys', doc: sample, method: 'textDocument/completion',
    params: (e) => ({ position: at(sample, 9, 'slow', 0, e) }), check: (result) => assert.deepEqual(labels(result), ['fast', 'slow']) },
  { name: 'completion in an order line: the order words', doc: sample, method: 'textDocument/completion',
    params: (e) => ({ position: at(sample, 12, 'path', 0, e) }),
    check: (result) => assert.deepEqual(labels(result), ['path', 'keys', 'value', 'disable']) },
  { name: 'completion at the start of a complete key\'s last line: only its own keyword, no arg (the order has no keys)',
    doc: sample, method: 'textDocument/completion', params: () => ({ position: { line: 22, character: 0 } }),
    check: (result) => assert.deepEqual(labels(result), ['kfile']) },
  { name: 'completion after a third order word: nothing, as no more is read', doc: sample,
    edit: (e) => ({ range: span(sample, 12, 'value', 0, e), text: 'value ' }), method: 'textDocument/completion',
    params: (e) => ({ position: span(sample, 12, 'value ', 0, e).end }), expect: () => ({ isIncomplete: false, items: [] }) },
  { name: 'completion after disable in an order: nothing', doc: sample,
    edit: (e) => ({ range: span(sample, 19, 'disable', 0, e), text: 'disable ' }), method: 'textDocument/completion',
    params: (e) => ({ position: span(sample, 19, 'disable ', 0, e).end }), expect: () => ({ isIncomplete: false, items: [] }) },
  { name: 'completion of a word being written at a line\'s start: what the unfinished section lacks, no section',
    doc: broken, edit: (e) => ({ range: span(broken, 27, 'filters = text', 0, e), text: 'fil' }),
    method: 'textDocument/completion', params: (e) => ({ position: { line: 27, character: 3 } }),
    check: (result, e) => {
      assert.deepEqual(labels(result), ['filters']);
      assert.deepEqual(result.items[0].textEdit.range, { start: { line: 27, character: 0 }, end: { line: 27, character: 3 } });
    } },
  { name: 'completion at a line\'s start after action = dir: no filters, which a folder does not take', doc: broken,
    edit: (e) => ({ range: span(broken, 26, 'Load', 0, e), text: 'dir' }),
    method: 'textDocument/completion', params: (e) => ({ position: { line: 27, character: 3 } }),
    check: (result) => assert.deepEqual(labels(result), ['list', 'key', 'file', 'filter', 'marg', 'def']) },
  { name: 'completion of an action', doc: broken, edit: (e) => ({ range: span(broken, 27, 'fil', 0, e), text: 'filters = text' }),
    more: (e) => ({ range: span(broken, 26, 'dir', 0, e), text: 'Load' }),
    method: 'textDocument/completion', params: (e) => ({ position: at(broken, 26, 'Load', 0, e) }),
    check: (result) => assert.deepEqual(labels(result), ['load', 'save', 'dir']) },
  { name: 'rename refused while an error stops the reading', doc: broken, method: 'textDocument/rename',
    params: (e) => ({ position: at(broken, 32, 'more', 0, e), newName: 'extra' }),
    error: 'the script has an error that stops the compiler reading it: fix it first, so that every use of the name is found' },
  { name: 'after the reading errors are mended: the compiler\'s messages alone', doc: broken,
    edit: (e) => ({ range: span(broken, 12, 'vlaue', 0, e), text: 'disable' }),
    more: (e) => ({ range: span(broken, 26, 'Load', 0, e), text: 'load' }),
    diagnostics: (e) => compilerDiagnostics(broken, e) },
  { name: 'rename of a list: its section line, next and def', doc: broken, method: 'textDocument/rename',
    params: (e) => ({ position: at(broken, 35, 'more', 0, e), newName: 'extra' }),
    expect: (e) => ({ changes: { [broken.uri]: [span(broken, 35, 'more', 0, e), span(broken, 21, 'more', 0, e),
      span(broken, 32, 'more', 0, e)].map((range) => ({ range, newText: 'extra' })) } }) },
  { name: 'rename to a name that a reference to nothing uses', doc: broken,
    edit: (e) => ({ range: span(broken, 37, 'quiet', 0, e), text: 'quiet, loud' }), method: 'textDocument/rename',
    params: (e) => ({ position: at(broken, 9, 'go', 0, e), newName: 'loud' }),
    error: 'a reference to "loud" stands at line 38 already: it would come to name this key' },
  { name: 'rename to the name of an item of another kind', doc: sample, method: 'textDocument/rename',
    params: (e) => ({ position: at(sample, 15, 'level', 0, e), newName: 'fast' }),
    expect: (e) => ({ changes: { [sample.uri]: [span(sample, 30, 'level', 0, e), span(sample, 15, 'level', 0, e)]
      .map((range) => ({ range, newText: 'fast' })) } }) },
  { name: 'rename to a name the kind has', doc: sample, method: 'textDocument/rename',
    params: (e) => ({ position: at(sample, 9, 'fast', 0, e), newName: 'slow' }),
    error: 'a key named "slow" stands at line 18 already' },
  { name: 'rename to no valid name', doc: sample, method: 'textDocument/rename',
    params: (e) => ({ position: at(sample, 9, 'fast', 0, e), newName: 'very fast' }),
    error: '"very fast" cannot be the name of a key: a name cannot hold a blank, ",", ":", ";" or "=": the readers end a name there' },
  { name: 'prepareRename on a name and elsewhere', doc: sample, method: 'textDocument/prepareRename',
    params: (e) => ({ position: at(sample, 16, 'input', 0, e) }),
    expect: (e) => ({ range: span(sample, 16, 'input', 0, e), placeholder: 'input' }) },
  { name: 'prepareRename on a keyword: nothing to rename', doc: sample, method: 'textDocument/prepareRename',
    params: (e) => ({ position: at(sample, 16, 'kfile', 0, e) }), expect: () => null },
  { name: 'rename refused in a script too long for the compiler to read', doc: sample,
    edit: () => ({ range: { start: { line: 34, character: 0 }, end: { line: 34, character: 0 } }, text: '\n'.repeat(5000) }),
    method: 'textDocument/rename', params: (e) => ({ position: at(sample, 30, 'level', 0, e), newName: 'lvl' }),
    error: 'the script has an error that stops the compiler reading it: fix it first, so that every use of the name is found' },
  { name: 'a method the server does not have', doc: sample, method: 'textDocument/formatting', params: () => ({}),
    error: 'no method textDocument/formatting' },

  // After errors: what the compiler shows, and nothing a correct line would not deserve.
  { name: 'a header that lacks a line: the compiler\'s one error, and the sections read', doc: headerless,
    diagnostics: (e) => compilerDiagnostics(headerless, e) },
  { name: 'a header that lacks a line: hover on a name after it', doc: headerless, method: 'textDocument/hover',
    params: (e) => ({ position: at(headerless, 19, 'modes', 0, e) }),
    check: (result) => assert.equal(result.contents.value, '**list** `modes`\n\nCaption: Mode  \nDefined at line 7.') },
  { name: 'every name that names nothing at once, each at its place; the first is the compiler\'s', doc: unresolved,
    diagnostics: (e) => [...compilerDiagnostics(unresolved, e),
      { ...at(unresolved, 16, 'inptu', 0, e), severity: 1, message: 'kfile "inptu" of key "fast" names no file item' },
      { ...at(unresolved, 33, 'mdoes', 0, e), severity: 1, message: 'def "mdoes" names no list' }] },
  { name: 'at most 100 errors, and the last diagnostic says the rest are left out', doc: manyErrors,
    check: async (ctx, e) => {
      const got = (await ctx.diagnosticsOf(manyErrors, 1)).diagnostics;
      assert.equal(got.length, 101);
      assert.deepEqual(shown(got.slice(99)), [
        { ...at(manyErrors, 308, 'vlaue', 0, e), severity: 1,
          message: 'unknown order word "vlaue"; expected path, keys, value or disable' },
        { ...at(manyErrors, 311, 'vlaue', 0, e), severity: 1,
          message: 'more than 100 errors: the reading stops here, and the errors from here on are left out' }]);
    } },
  { name: 'no warning where an error stands: kmarg = Disable', doc: disabled,
    diagnostics: (e) => [{ ...at(disabled, 14, 'Disable', 0, e), severity: 1,
      message: 'kmarg "Disable" of key "k" names no marg; keywords are lower case: did you mean "disable"?' }] },

  // Completion: only what can stand at the cursor.
  { name: 'completion where a new item\'s name goes: nothing', doc: folder,
    edit: () => ({ range: { start: { line: 22, character: 0 }, end: { line: 22, character: 0 } }, text: 'key ' }),
    method: 'textDocument/completion', params: () => ({ position: { line: 22, character: 4 } }),
    expect: () => ({ isIncomplete: false, items: [] }) },
  { name: 'completion in an unfinished section: what it lacks, and no section', doc: folder,
    edit: () => ({ range: { start: { line: 22, character: 4 }, end: { line: 22, character: 4 } }, text: 'extra\nname=E\n' }),
    method: 'textDocument/completion', params: () => ({ position: { line: 24, character: 0 } }),
    check: (result) => assert.deepEqual(labels(result), ['order', 'arg', 'next', 'kmarg', 'kfile']) },
  { name: 'completion after filters = in a folder browser: nothing', doc: folder,
    edit: () => ({ range: { start: { line: 18, character: 0 }, end: { line: 18, character: 0 } }, text: 'filters = ' }),
    method: 'textDocument/completion', params: () => ({ position: { line: 18, character: 10 } }),
    expect: () => ({ isIncomplete: false, items: [] }) },
  { name: 'completion at the start of the line after a complete folder browser: sections only', doc: folder,
    edit: () => ({ range: { start: { line: 18, character: 0 }, end: { line: 18, character: 10 } }, text: '' }),
    method: 'textDocument/completion', params: () => ({ position: { line: 18, character: 0 } }),
    check: (result) => assert.deepEqual(labels(result), ['list', 'key', 'file', 'filter', 'marg', 'def']) },
  { name: 'completion after def: the lists', doc: sample, method: 'textDocument/completion',
    params: () => ({ position: { line: 33, character: 4 } }),
    check: (result) => assert.deepEqual(result.items.map((i) => [i.label, i.kind, i.detail]), [['modes', 13, 'Mode']]) },
  { name: 'completion after next =: the lists, or disable', doc: sample, method: 'textDocument/completion',
    params: () => ({ position: { line: 20, character: 7 } }),
    check: (result) => assert.deepEqual(labels(result), ['modes', 'disable']) },
  { name: 'completion after kmarg =: the margs, or disable', doc: sample, method: 'textDocument/completion',
    params: () => ({ position: { line: 15, character: 8 } }),
    check: (result) => assert.deepEqual(labels(result), ['level', 'disable']) },
  { name: 'completion after filters = of an open dialog: the filters', doc: sample, method: 'textDocument/completion',
    params: () => ({ position: { line: 26, character: 10 } }),
    check: (result) => assert.deepEqual(labels(result), ['text']) },
  { name: 'completion in an empty new file: the six header lines', doc: empty, method: 'textDocument/completion',
    params: () => ({ position: { line: 0, character: 0 } }),
    check: (result, e) => assert.deepEqual(result.items.map((i) => [i.label, i.textEdit.newText, i.insertTextFormat]),
      [['header', e === 'utf-8' ? '# ${1:the program}\n# ${2:what it does}\n# ${3:script by}\n# ${4:see also}\n# ${5}\n# ${6}'
        : '#\n#\n#\n#\n#\n#', e === 'utf-8' ? 2 : undefined]]) },
  { name: 'completion on an empty line of a header that lacks one: that line', doc: headerless,
    edit: () => ({ range: { start: { line: 6, character: 0 }, end: { line: 6, character: 0 } }, text: '\n' }),
    method: 'textDocument/completion', params: () => ({ position: { line: 6, character: 0 } }),
    check: (result, e) => assert.deepEqual(result.items.map((i) => [i.label, i.textEdit.newText]),
      [['header lines', e === 'utf-8' ? '# ${1}' : '#']]) },

  // Protocol edges: refused with InvalidParams, and nothing changes.
  { name: 'a position that is no integer: InvalidParams', doc: sample, method: 'textDocument/hover',
    params: () => ({ position: { line: 1.5, character: 0 } }), code: -32602,
    error: 'position.line must be an integer from 0 to 2147483647, not 1.5' },
  { name: 'a character beyond the protocol\'s range: InvalidParams', doc: sample, method: 'textDocument/hover',
    params: () => ({ position: { line: 1, character: 2147483648 } }), code: -32602,
    error: 'position.character must be an integer from 0 to 2147483647, not 2147483648' },
  { name: 'a change with a version that is no integer, and a batch with a bad change: nothing changes', doc: folder,
    check: async (ctx) => {
      const before = await ctx.connection.sendRequest('textDocument/documentSymbol', { textDocument: { uri: folder.uri } });
      const insert = { range: { start: { line: 0, character: 0 }, end: { line: 0, character: 0 } }, text: 'list new\n' };
      await ctx.connection.sendNotification('textDocument/didChange',
        { textDocument: { uri: folder.uri, version: 2.5 }, contentChanges: [insert] });
      await ctx.connection.sendNotification('textDocument/didChange', { textDocument: { uri: folder.uri, version: 90 },
        contentChanges: [insert, { range: { start: { line: -1, character: 0 }, end: { line: 0, character: 0 } }, text: '' }] });
      const after = await ctx.connection.sendRequest('textDocument/documentSymbol', { textDocument: { uri: folder.uri } });
      assert.deepEqual(after, before);
      assert.deepEqual(ctx.logs.splice(0), [
        'textDocument/didChange refused, nothing changed: textDocument.version must be an integer from -2147483648 to 2147483647, not 2.5',
        'textDocument/didChange refused, nothing changed: range.start.line must be an integer from 0 to 2147483647, not -1']);
    } },
  { name: 'a lone surrogate in a change: U+FFFD, and the change made', doc: sample,
    edit: (e) => ({ range: span(sample, 31, 'Level', 0, e), text: 'Le\uD800vel' }), method: 'textDocument/hover',
    params: (e) => ({ position: at(sample, 15, 'level', 0, e) }),
    check: (result) => assert.ok(result.contents.value.includes('Caption: Le\uFFFDvel'), result.contents.value) },
];

// One session: initialize (offering UTF-8 positions or not), open both
// scripts, run the table, shut down and exit with status 0.
async function session(encoding) {
  const child = spawn(server, [], { stdio: ['pipe', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (chunk) => { stderr += chunk; });
  const exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  const connection = rpc.createMessageConnection(new rpc.StreamMessageReader(child.stdout),
                                                 new rpc.StreamMessageWriter(child.stdin));
  const published = new Map();  // uri -> the last diagnostics
  let waiting = null;
  connection.onNotification('textDocument/publishDiagnostics', (params) => {
    published.set(params.uri, params);
    if (waiting && waiting.uri === params.uri && params.version === waiting.version) waiting.resolve(params);
  });
  const diagnosticsOf = (doc, version) => {
    const last = published.get(doc.uri);
    if (last && last.version === version) return Promise.resolve(last);
    return new Promise((resolve) => { waiting = { uri: doc.uri, version, resolve }; });
  };
  connection.listen();
  const logs = [];
  connection.onNotification('window/logMessage', (params) => logs.push(params.message));
  const offered = encoding === 'utf-8' ? ['utf-8', 'utf-16'] : undefined;
  // The UTF-8 session takes completions as snippets, the other does not.
  const completion = { completionItem: { snippetSupport: encoding === 'utf-8' } };
  const init = await connection.sendRequest('initialize', { processId: null, rootUri: null,
    capabilities: { general: { positionEncodings: offered }, textDocument: { completion } } });
  assert.equal(init.capabilities.positionEncoding, encoding);
  await connection.sendNotification('initialized', {});
  const versions = new Map();
  for (const doc of [sample, broken, ...madeDocs]) {
    versions.set(doc, 1);
    await connection.sendNotification('textDocument/didOpen',
      { textDocument: { uri: doc.uri, languageId: 'tarvelkin', version: 1, text: doc.text } });
  }
  let failed = 0;
  for (const c of cases) {
    try {
      for (const change of [c.edit, c.more].filter(Boolean)) {
        const version = versions.get(c.doc) + 1;
        versions.set(c.doc, version);
        await connection.sendNotification('textDocument/didChange',
          { textDocument: { uri: c.doc.uri, version }, contentChanges: [change(encoding)] });
        // The script as the editor now holds it, for the next rows.
        const { range, text } = change(encoding);
        const lines = c.doc.lines;
        const offset = (p) => encoding === 'utf-8'
          ? Buffer.from(lines[p.line]).subarray(0, p.character).toString('utf8').length : p.character;
        lines[range.start.line] = lines[range.start.line].slice(0, offset(range.start)) + text +
          lines[range.end.line].slice(offset(range.end));
        c.doc.text = lines.join('\n');
        c.doc.lines = c.doc.text.split('\n');
      }
      if (c.diagnostics) {
        const got = await diagnosticsOf(c.doc, versions.get(c.doc));
        assert.deepEqual(shown(got.diagnostics), c.diagnostics(encoding));
        continue;
      }
      if (!c.method) {
        await c.check({ connection, diagnosticsOf, logs }, encoding);
        continue;
      }
      const params = { textDocument: { uri: c.doc.uri }, ...c.params(encoding) };
      let result;
      let error;
      try {
        result = await connection.sendRequest(c.method, params);
      } catch (e) {
        error = e;
      }
      if (c.error) {
        assert.ok(error, 'the request was not refused');
        assert.equal(error.message, c.error);
        if (c.code) assert.equal(error.code, c.code);
      } else {
        assert.ifError(error);
        if (c.expect) assert.deepEqual(result, c.expect(encoding));
        if (c.check) c.check(result, encoding);
      }
    } catch (e) {
      ++failed;
      console.log(`FAILED (${encoding}): ${c.name}\n${e.message}\n`);
    }
  }
  await connection.sendRequest('shutdown');
  await connection.sendNotification('exit');
  const code = await exited;
  connection.dispose();
  if (code !== 0 || stderr !== '') {
    ++failed;
    console.log(`FAILED (${encoding}): the server ended with status ${code}: ${stderr}`);
  }
  for (const doc of [sample, broken, ...madeDocs]) Object.assign(doc, documentOf(doc.file, doc.original));
  return failed;
}

// The framing and the command line: bytes that are no message end the
// server at once, with the reason on standard error; a body that is no JSON
// gets a parse error.
function framing() {
  const frame = (body) => `Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`;
  const rows = [
    { input: 'Content-Length 4\r\n\r\nnull', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header line that is no "Name: value": "Content-Length 4"' },
    { input: 'Content-Length: 4\nContent-Type: x\r\n\r\nnull', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header line not ended by CR LF: "Content-Length: 4?Content-Type: x"' },
    { input: 'Content-Length: 1x\r\n\r\n', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a Content-Length that is no number of bytes: "1x"' },
    { input: 'X-Trace: 1\r\nContent-Length: 2\r\n\r\n{}', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: an unknown message header "X-Trace"; expected Content-Length or Content-Type' },
    { input: 'Content-Length: 10\r\n\r\n{}', status: 1,
      stderr: 'tarvelkin-ls: error: standard input ended inside a message' },
    { input: frame('{"jsonrpc":"2.0","id":1,"method":"initialize"') + frame('{"jsonrpc":"2.0","method":"exit"}'), status: 1,
      stdout: frame('{"error":{"code":-32700,"message":"the message is no JSON"},"id":null,"jsonrpc":"2.0"}') },
    { input: frame('{"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":{}}') + frame('{"jsonrpc":"2.0","method":"exit"}'),
      status: 1, stdout: frame('{"error":{"code":-32002,"message":"the first request must be initialize"},"id":7,"jsonrpc":"2.0"}') },
    // Headers too long, doubled or without what they must say; what an
    // editor may write as it likes (the name's case, blanks, Content-Type).
    { input: 'Content-Type: ' + 'x'.repeat(5000), status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header longer than 4096 bytes, or none' },
    { input: 'Content-Length: 2\r\nContent-Length: 2\r\n\r\n{}', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header with two Content-Length lines' },
    { input: 'Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header without Content-Length' },
    { input: 'Content-Length: 1000000000000\r\n\r\n', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a Content-Length that is no number of bytes: "1000000000000"' },
    { input: 'Content-Length: 999999999\r\n\r\n', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message of 999999999 bytes; at most 536870912 are taken' },
    { input: 'Content-Length:\t\r\n\r\n', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a Content-Length that is no number of bytes: ""' },
    { input: ': 2\r\n\r\n{}', status: 1,
      stderr: 'tarvelkin-ls: error: cannot read the messages on standard input: a message header line that is no "Name: value": ": 2"' },
    { input: `X-${'y'.repeat(70)}: 1\r\n\r\n`, status: 1,
      stderr: `tarvelkin-ls: error: cannot read the messages on standard input: an unknown message header "X-${'y'.repeat(58)}..."; expected Content-Length or Content-Type` },
    { input: 'content-length:  33 \t\r\nCONTENT-TYPE: application/vscode-jsonrpc\r\n\r\n{"jsonrpc":"2.0","method":"exit"}', status: 1,
      stdout: '' },
    // A whole message, and then the input ends: the editor has gone.
    { input: frame('{"jsonrpc":"2.0","method":"initialized","params":{}}'), status: 1,
      stderr: 'tarvelkin-ls: error: standard input ended before the exit notification' },
    // The command line: --stdio, as editors start it, or --version.
    { args: ['--stdio'], input: frame('{"jsonrpc":"2.0","method":"exit"}'), status: 1, stdout: '' },
    { args: ['--version'], input: '', status: 0, stdout: /^tarvelkin-ls \d+\.\d+\.\d+\r?\n$/ },
    { args: ['--socket=5000'], input: '', status: 1,
      stderr: 'tarvelkin-ls: error: unknown argument "--socket=5000"; tarvelkin-ls speaks the Language Server Protocol on ' +
              'standard input and output (see man tarvelkin-ls)' },
  ];
  let failed = 0;
  for (const row of rows) {
    const run = spawnSync(server, row.args ?? [], { input: row.input, encoding: 'utf8' });
    try {
      assert.equal(run.status, row.status);
      assert.equal(run.stderr.replace(/\r?\n$/, ''), row.stderr ?? '');
      if (row.stdout instanceof RegExp) assert.match(run.stdout, row.stdout);
      else if (row.stdout !== undefined) assert.equal(run.stdout, row.stdout);
    } catch (e) {
      ++failed;
      console.log(`FAILED: framing of ${JSON.stringify(row.input)}\n${e.message}\n`);
    }
  }
  return [failed, rows.length];
}

(async () => {
  let [failed, framingRows] = framing();
  for (const encoding of ['utf-16', 'utf-8']) failed += await session(encoding);
  console.log(failed === 0 ? `all ${2 * cases.length + framingRows} cases passed` : `${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
})();
