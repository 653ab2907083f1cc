// The preview page's logic, on the JSON form of real configs (ccdump's
// expected outputs for the sample and for a richer script) and on small
// configs made here. Run: node --test tools/ccview/test/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const P = require('../preview.js');

const dumps = path.join(__dirname, '..', '..', '..', 'tests', 'ccdump');
const rawOf = (name) => JSON.parse(fs.readFileSync(path.join(dumps, name + '.json'), 'latin1'));
const prog = P.decodeConfig(rawOf('prog'), 'utf-8');

// A config of one list whose keys are given, with one file item and one marg.
function oneList(keys) {
  return {
    defaultList: 1,
    headerItems: ['', '', '', '', '', ''],
    lists: [{ number: 1, name: 'L', keys: keys.map((_, i) => i) }],
    keys: keys.map((k, i) => ({ number: i, name: 'K' + i, arg: null, nextList: null, fileItem: null, marg: null, ...k })),
    fileItems: [{ number: 1, name: 'In', action: 'load', filters: [] }],
    filters: [],
    margs: [{ number: 1, name: 'Size', info: '' }],
  };
}
const order = (keys, pathPos, value) => ({ keys, path: pathPos, value });

function typed(cfg, keyNumber, pathText, valueText, style) {
  let s = P.choose(cfg, { ...P.newState(), program: 'tool', style: style || 'posix' }, keyNumber);
  s = P.setInput(s, 0, 'path', pathText);
  return P.setInput(s, 0, 'value', valueText);
}

test('a key inserts its elements by position, key data as words, glued after a word ending in =', () => {
  const cases = [
    // [order, key data, file, marg, expected line, expected words]
    [order(1, 2, 3), '-f', 1, 1, 'tool -f in.txt 10', ['-f', 'in.txt', '10']],
    [order(3, 1, 2), '-f', 1, 1, 'tool in.txt 10 -f', ['in.txt', '10', '-f']],
    [order(1, 0, 3), '--size=', null, 1, 'tool --size=10', ['--size=10']],          // a gap at 2
    [order(2, 1, 0), '--out=', 1, 1, 'tool in.txt --out=', ['in.txt', '--out=']],   // marg without position
    [order(1, 2, 3), '-f', null, null, 'tool -f', ['-f']],                          // positions without references
    [order(1, 2, 0), '', 1, null, 'tool in.txt', ['in.txt']],                       // empty key data inserts nothing
    [order(1, 2, 0), '  ', 1, null, 'tool in.txt', ['in.txt']],                     // and so do blanks
    [order(1, 2, 0), '-o out', 1, null, 'tool -o out in.txt', ['-o', 'out', 'in.txt']],
    [order(1, 3, 2), '-I "gzip -9" --size=', 1, 1, "tool -I 'gzip -9' --size=10 in.txt", ['-I', 'gzip -9', '--size=10', 'in.txt']],
    [order(0, 0, 0), null, 1, 1, 'tool', []],
  ];
  for (const [o, arg, fileItem, marg, text, words] of cases) {
    const cfg = oneList([{ order: o, arg, fileItem, marg }]);
    const line = P.commandLine(cfg, typed(cfg, 0, 'in.txt', '10'));
    assert.equal(line.text, text, JSON.stringify(o));
    assert.deepEqual(line.words, words);
    assert.equal(line.complete && line.safe, true);
  }
  // The glued word is one word, quoted as one, in every style.
  const cfg = oneList([{ order: order(1, 0, 2), arg: '--size=', marg: 1 }, { order: order(1, 0, 0), arg: '-v' }]);
  let s = typed(cfg, 0, '', '10 MB');
  for (const [style, text] of [['posix', "tool '--size=10 MB'"], ['cmd', 'tool "--size=10 MB"'], ['direct', 'tool "--size=10 MB"']])
    assert.equal(P.commandLine(cfg, { ...s, style }).text, text);
  assert.deepEqual(P.commandLine(cfg, s).words, ['--size=10 MB']);
  // An empty value is a placeholder shown right after the switch it joins.
  assert.equal(P.commandLine(cfg, typed(cfg, 0, '', '')).text, 'tool --size=<Size>');
  // A value that ends in = is the person's text, not a switch: it is not glued.
  s = typed(cfg, 0, '', 'abc=');
  s = { ...s, steps: s.steps.concat([{ list: 1, key: 1, path: '', value: '' }]) };
  assert.equal(P.commandLine(cfg, s).text, "tool --size=abc= -v");
});

// The shared table of hard values (tests/frontend/hard-values.json), which the
// real-parser checks pass through the shells too: each row's text quoted for
// each target, or null where the target cannot carry it and the line is
// marked unsafe.
test('hard values: quoted for each target, or marked unsafe where it cannot carry them', () => {
  const { rows, rowLine } = require('../../../tests/frontend/command-lines.js');
  for (const row of rows) {
    for (const style of P.STYLES) {
      const expected = row[style];
      if (expected === undefined) continue;
      const what = row.name + ' (' + style + ')';
      const line = rowLine(row, style, 'p');
      assert.equal(line.safe, expected !== null, what + ': ' + line.unsafe.join('; '));
      if (expected === null) continue;
      if (row.program !== undefined) assert.equal(P.quoteProgram(row.program, style), expected, what);
      else if (row.value !== undefined) assert.equal(P.quote(row.value, style), expected, what);
      else assert.equal(P.keyDataWords(row.keyData).map((w) => P.quote(w, style)).join(' '), expected, what);
    }
    if (row.keyData !== undefined) assert.deepEqual(P.keyDataWords(row.keyData), row.words, row.name);
  }
});

test('the quoting tables of front-end.md are what the page does', () => {
  const lines = fs.readFileSync(path.join(__dirname, '..', '..', '..', 'docs', 'front-end.md'), 'utf8').split('\n');
  const cell = (c) => c.trim().replace(/^`(.*)`$/, '$1');
  // The rows of the table under the header line that begins with head.
  const table = (head) => {
    const at = lines.findIndex((l) => l.startsWith(head));
    const rows = [];
    for (let i = at + 2; at >= 0 && lines[i] && lines[i].startsWith('|'); ++i) rows.push(lines[i].slice(1, -1).split('|').map(cell));
    return rows;
  };
  const words = table('| text | POSIX shell |');
  const programs = table('| program name | POSIX shell |');
  assert.ok(words.length >= 10 && programs.length >= 5);
  for (const [rows, quoter, line] of [[words, P.quote, (t) => ['p', [t]]], [programs, P.quoteProgram, (t) => [t, []]]]) {
    for (const [text, ...cells] of rows) {
      P.STYLES.forEach((style, i) => {
        const [program, args] = line(text);
        assert.equal(P.unsafeReasons(program, args, style).length > 0, cells[i] === 'not safe', text + ' (' + style + ')');
        if (cells[i] !== 'not safe') assert.equal(quoter(text, style), cells[i], text + ' (' + style + ')');
      });
    }
  }
});

test('an empty program, path or value is a placeholder and the command is incomplete', () => {
  let s = P.choose(prog, P.newState(), 0);
  let line = P.commandLine(prog, s);
  assert.equal(line.text, '<program> -f <Input file> <Level>');
  assert.deepEqual(line.parts.filter((p) => p.placeholder).map((p) => p.kind), ['program', 'path', 'value']);
  assert.equal(line.complete, false);
  assert.deepEqual(line.missing, ['a program name', '<Input file>', '<Level>']);
  assert.equal(line.words, null, 'an incomplete line has no words to run');
  s = P.setInput(P.setInput({ ...s, program: 'my tool', style: 'cmd' }, 0, 'path', 'C:\\in put.txt'), 0, 'value', '3');
  line = P.commandLine(prog, s);
  assert.equal(line.text, '"my tool" -f "C:\\in put.txt" 3');
  assert.equal(line.complete, true);
  // A served page's fixed arguments follow the program, quoted like the rest, but are not the page's words.
  line = P.commandLine(prog, { ...s, style: 'posix' }, ['-c', 'echo "$@"', 'x y']);
  assert.equal(line.text, "'my tool' -c 'echo \"$@\"' 'x y' -f 'C:\\in put.txt' 3");
  assert.deepEqual(line.words, ['-f', 'C:\\in put.txt', '3']);
  assert.equal(P.commandLine(prog, { ...s, style: 'posix' }, ['a\tb']).safe, false);
  // Nothing chosen yet: the default list is still open.
  assert.deepEqual(P.commandLine(prog, { ...P.newState(), program: 'x' }).missing, ['a choice in "Mode"']);
  // Empty captions are named by kind and number.
  const unnamed = oneList([{ order: order(1, 2, 3), arg: '-a', fileItem: 1, marg: 1, nextList: 1 }]);
  unnamed.lists[0].name = unnamed.fileItems[0].name = unnamed.margs[0].name = '';
  line = P.commandLine(unnamed, P.choose(unnamed, P.newState(), 0));
  assert.equal(line.text, '<program> -a <File item 1> <Marg 1>');
  assert.deepEqual(line.missing, ['a program name', '<File item 1>', '<Marg 1>', 'a choice in List 1']);
  assert.equal(P.nameOf('Key', unnamed.keys[0]), 'K0');
  assert.equal(P.nameOf('Key', { ...unnamed.keys[0], name: '' }), 'Key 0');
});

test('lists loop, each pass is its own step, and a runaway chain stops at the limit', () => {
  let s = { ...P.newState(), program: 'x' };
  assert.equal(P.openListNumber(prog, s), 1);
  s = P.choose(prog, s, 1); // Slow mode leads back to Mode
  s = P.choose(prog, s, 0); // Fast mode ends it
  s = P.setInput(P.setInput(s, 1, 'path', 'a.txt'), 1, 'value', '1');
  assert.equal(P.openListNumber(prog, s), 0);
  assert.equal(P.commandLine(prog, s).text, 'x -f a.txt 1');
  assert.equal(P.choose(prog, s, 0), s, 'no list is open after a key that leads nowhere');
  const fresh = P.newState();
  assert.equal(P.choose(prog, fresh, 7), fresh, 'a key of no open list is not chosen');

  let loop = P.newState();
  for (let i = 0; i < P.STEP_LIMIT + 10; ++i) loop = P.choose(prog, loop, 1);
  assert.equal(loop.steps.length, P.STEP_LIMIT);
  assert.equal(P.stepLimitReached(prog, loop), true);
  assert.equal(P.openListNumber(prog, loop), 0);
  assert.match(P.commandLine(prog, loop).missing.at(-1), /cut at 256 steps/);
  loop = P.back(loop);
  assert.equal(P.stepLimitReached(prog, loop), false);
  assert.equal(P.choose(prog, loop, 0).steps.length, P.STEP_LIMIT);

  const again = P.reset({ ...s, program: 'kept', style: 'cmd' });
  assert.deepEqual(again, { program: 'kept', style: 'cmd', steps: [] });
});

// The analysis's findings (ccview's analysis block) as lists of item numbers;
// the ones not given are empty.
const findings = (given) => ({
  unreachableLists: [], listsWithoutKeys: [], keysInNoList: [], keysOnlyInUnreachableLists: [],
  pathsNeverInserted: [], pathsWithoutFileItem: [], valuesNeverInserted: [], valuesWithoutMarg: [],
  unusedFileItems: [], unusedFilters: [], unusedMargs: [], ...given,
});

test('notes for the author word the findings by caption and number, and read key data', () => {
  const sample = P.decodeConfig(rawOf('sample'), 'windows-1252');
  assert.deepEqual(P.authorNotes(sample, findings({ keysInNoList: [4], unusedFileItems: [1], unusedMargs: [2] })),
    ['Key 4 "Nobody lists me" is in no list.']);
  assert.deepEqual(P.authorNotes(prog, findings({})), []);

  const cfg = oneList([
    { order: order(1, 0, 0), arg: '-a', fileItem: 1, marg: 1, nextList: null },
    { order: order(1, 2, 3), arg: '-b' },
    { order: order(1, 0, 0), arg: '-I "gzip -9" -o out.txt' },
    { order: order(1, 0, 0), arg: '-x ; rm -rf ~' },
    { order: order(1, 0, 0), arg: '--size=10 -o C:/out_1,a+b@c' },
  ]);
  cfg.lists.push({ number: 2, name: 'Far', keys: [2] }, { number: 3, name: 'Empty', keys: [] });
  cfg.keys.push({ number: 5, name: 'Lost', arg: null, order: order(0, 0, 0), nextList: 3, fileItem: null, marg: null });
  cfg.lists[1].keys = [5];
  // What the analysis finds in this config (its own test has the same one).
  const found = findings({
    unreachableLists: [2, 3], listsWithoutKeys: [3], keysOnlyInUnreachableLists: [5],
    pathsNeverInserted: [0], valuesNeverInserted: [0], pathsWithoutFileItem: [1], valuesWithoutMarg: [1],
  });
  assert.deepEqual(P.authorNotes(cfg, found), [
    'List 2 "Far" cannot be reached from the default list.',
    'List 3 "Empty" cannot be reached from the default list.',
    'List 3 "Empty" holds no keys.',
    'Key 0 "K0" names file item 1 "In", but its order has no place for the path: the path is never inserted.',
    'Key 0 "K0" names marg 1 "Size", but its order has no place for the value: the value is never inserted.',
    'Key 1 "K1" places a path at position 2, but names no file item: nothing is inserted there.',
    'Key 1 "K1" places a value at position 3, but names no marg: nothing is inserted there.',
    'Key 2 "K2" has the key data -I "gzip -9" -o out.txt, which holds quotes or characters a shell treats ' +
      'specially. It is read as 4 words, each quoted for the chosen shell: "-I", "gzip -9", "-o", "out.txt".',
    'Key 3 "K3" has the key data -x ; rm -rf ~, which holds quotes or characters a shell treats ' +
      'specially. It is read as 5 words, each quoted for the chosen shell: "-x", ";", "rm", "-rf", "~".',
    'Key 5 "Lost" cannot be reached from the default list.',
  ]);
});

test('texts are UTF-8 when all of them are, else in the code page chosen, and no byte is lost', () => {
  assert.equal(P.encodingFor(rawOf('prog'), 'windows-1251'), 'utf-8');
  const raw = rawOf('sample');
  assert.equal(P.allUtf8(raw), false);
  assert.equal(P.encodingFor(raw, undefined), 'windows-1252');
  assert.equal(P.encodingFor(raw, 'koi8-r'), 'windows-1252');
  assert.equal(P.decodeConfig(raw, 'windows-1252').fileItems[2].name, 'Dossier crÃ©Ã© / café');
  assert.equal(P.decodeConfig(raw, 'windows-1251').fileItems[2].name, 'Dossier crГ©Г© / cafй');

  const every = String.fromCharCode(...Array.from({ length: 256 }, (_, i) => i));
  for (const codePage of P.CODE_PAGES) {
    const cfg = P.decodeConfig({ ...raw, headerItems: [every, '', '', '', '', ''] }, codePage);
    assert.equal(new Set(cfg.headerItems[0]).size, 256, codePage + ' maps every byte to its own character');
  }
  const utf8 = P.decodeConfig({ ...rawOf('prog'), headerItems: ['caf\u00c3\u00a9', '', '', '', '', ''] }, 'utf-8');
  assert.equal(utf8.headerItems[0], 'café');
  // A leading byte order mark is text of its own, in UTF-8 and in a code page.
  const bom = P.decodeConfig({ ...rawOf('prog'), headerItems: ['\u00ef\u00bb\u00bfx', '', '', '', '', ''] }, 'utf-8');
  assert.equal(bom.headerItems[0], '\ufeffx');
  assert.equal(P.decodeConfig({ ...raw, headerItems: ['\u00ef\u00bb\u00bf', '', '', '', '', ''] }, 'windows-1252')
    .headerItems[0], 'ï»¿');
});

test('dialog types come from plain *.ext patterns only', () => {
  const cases = [
    ['*.txt;*.log', '.txt,.log'],
    ['*.txt;*.*', ''],
    ['*.*', ''],
    ['*.tar.gz;*.TXT', '.tar.gz,.TXT'],
    ['a*.txt;*.md;*', '.md'],
    ['*.txt;*.txt', '.txt'],
    ['', ''],
  ];
  for (const [patterns, accept] of cases) assert.equal(P.acceptFor(patterns), accept, patterns);
});

test('remembered values are keyed by the config and replayed only where they fit', () => {
  const text = fs.readFileSync(path.join(dumps, 'prog.json'), 'latin1');
  assert.equal(P.storageKey(text), P.storageKey(text));
  assert.match(P.storageKey(text), /^ccview:[0-9a-f]{16}$/);
  assert.notEqual(P.storageKey(text), P.storageKey(text.replace('Fast', 'Fest')));

  let s = P.choose(prog, { ...P.newState(), program: 'tool', style: 'direct' }, 1);
  s = P.setInput(P.choose(prog, s, 0), 1, 'path', 'a b');
  const saved = JSON.parse(JSON.stringify(P.savedForm(s, 'utf-8')));
  assert.deepEqual(P.restoredState(prog, saved), s);
  // Older pages stored 'windows', which claimed to guard against cmd.
  assert.equal(P.restoredState(prog, { ...saved, style: 'windows' }).style, 'cmd');
  const broken = { ...saved, style: 'fish', steps: [saved.steps[0], { key: 9 }, saved.steps[1]] };
  assert.deepEqual(P.restoredState(prog, broken), { program: 'tool', style: 'posix', steps: [s.steps[0]] });
  for (const junk of [null, 'x', 7, { steps: 'no' }, { steps: [null] }])
    assert.deepEqual(P.restoredState(prog, junk).steps, []);
});
