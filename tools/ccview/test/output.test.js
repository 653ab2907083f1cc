// output.js: a run's bytes as the lines a terminal would show, one table.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const O = require('../output.js');

const bytes = (text) => Uint8Array.from(text, (c) => c.charCodeAt(0));
const shown = (out) => out.lines().map((l) => l.stream + ':' + O.lineText(l));
const RED = { fg: 1, bold: false };

// Each case: chunks [stream, bytes as a latin1 string] fed in order.
const cases = [
  { what: 'lines and a partial line', chunks: [['out', 'one\ntw'], ['out', 'o\n']], lines: ['out:one', 'out:two'] },
  { what: 'a return rewrites the line', chunks: [['out', '10%\r50%\r100%\n']], lines: ['out:100%'] },
  { what: 'a shorter rewrite keeps the tail', chunks: [['out', 'abcdef\rXY\n']], lines: ['out:XYcdef'] },
  { what: 'CR LF line ends', chunks: [['out', 'a\r\nb\r\n']], lines: ['out:a', 'out:b'] },
  { what: 'erase to the end after a return', chunks: [['out', 'long text\r\x1b[Kshort\n']], lines: ['out:short'] },
  { what: 'streams keep their own open lines', chunks: [['out', 'progress'], ['err', 'warning\n'], ['out', ' done\n']],
    lines: ['out:progress done', 'err:warning'] },
  { what: 'colours become styles', chunks: [['err', '\x1b[31mred\x1b[0m plain\n']], lines: ['err:red plain'],
    styles: [[RED, O.PLAIN]] },
  { what: 'an escape cut between chunks', chunks: [['out', 'a\x1b['], ['out', '1;31mb\n']], lines: ['out:ab'],
    styles: [[O.PLAIN, { fg: 1, bold: true }]] },
  { what: 'other sequences and controls are dropped', chunks: [['out', '\x1b]0;title\x07\x1b[2J\x07x\x00y\x1b(B\n']],
    lines: ['out:xy'] },
  { what: 'an escape that starts nothing', chunks: [['out', 'a\x1b\x01b\n']], lines: ['out:ab'] },
  { what: 'an OSC left open ends at the line end', chunks: [['out', 'a\x1b]0;title\nb\n']], lines: ['out:a', 'out:b'] },
  { what: 'a CSI left open ends at the line end', chunks: [['out', 'a\x1b[12\r\nb\n']], lines: ['out:a', 'out:b'] },
  { what: 'a CSI ends at a character it cannot hold', chunks: [['out', 'a\x1b[1\xc3\xa9\n']], lines: ['out:a\u00e9'] },
  { what: 'a CSI past the length limit is read to its end and ignored',
    chunks: [['out', 'a\x1b[' + '1;'.repeat(500)], ['out', '31mb\n']], lines: ['out:ab'], styles: [[O.PLAIN]] },
  { what: 'an OSC and its terminator cut by chunks', chunks: [['out', 'a\x1b]8;;http://x'], ['out', '\x1b'], ['out', '\\b\n']],
    lines: ['out:ab'] },
  { what: 'ESC in a string starts a sequence', chunks: [['out', '\x1b]t\x1b[31mred\n']], lines: ['out:red'], styles: [[RED]] },
  { what: 'DCS and APC strings are dropped', chunks: [['out', 'a\x1bPq#0;2;0;0;0\x1b\\b\x1b_app\x07c\n']], lines: ['out:abc'] },
  { what: 'C1 controls: CSI, OSC and the rest', chunks: [['out', '\xc2\x9b31mred\xc2\x9b0m \xc2\x9d0;t\xc2\x9cx\xc2\x85y\n']],
    lines: ['out:red xy'], styles: [[RED, O.PLAIN]] },
  { what: 'a long OSC hides only its own line', chunks: [['out', 'x\x1b]' + 'y'.repeat(100000)], ['out', 'z'.repeat(100000) + '\nshown\n']],
    lines: ['out:x', 'out:shown'] },
  { what: 'bytes that are not UTF-8', chunks: [['out', '\xff\xc3'], ['out', '\xa9\n']], lines: ['out:\ufffd\u00e9'] },
  { what: 'a code page', encoding: 'windows-1251', chunks: [['out', '\xcf\xf0\xe8\xe2\xe5\xf2\n']], lines: ['out:Привет'] },
  { what: 'the oldest lines go', limits: { maxLines: 2 }, chunks: [['out', '1\n2\n3\n']], lines: ['out:2', 'out:3'], dropped: 1 },
  { what: 'a line longer than all kept keeps its end', limits: { maxChars: 4 }, chunks: [['out', 'abcdefgh']],
    lines: ['out:efgh'] },
];

test('output: bytes to lines', () => {
  for (const c of cases) {
    const out = O.create(c.encoding || 'utf-8', c.limits);
    for (const [stream, text] of c.chunks) out.write(stream, bytes(text));
    out.end();
    assert.deepEqual(shown(out), c.lines, c.what);
    if (c.styles) assert.deepEqual(out.lines().map((l) => l.spans.map((s) => s.style)), c.styles, c.what);
    assert.equal(out.dropped(), c.dropped || 0, c.what);
  }
});

test('output: lines are read one at a time; every change shows in the version; input is a line of its own', () => {
  const out = O.create('utf-8', { maxLines: 3 });
  out.write('err', bytes('Overwrite? '));
  const before = out.version();
  out.echo('y');
  assert.ok(out.version() > before);
  out.write('err', bytes('done\n'));
  out.write('out', bytes('1\n2\n'));
  assert.deepEqual([...Array(out.count())].map((_, i) => out.lineAt(i).stream + ':' + O.lineText(out.lineAt(i))),
    ['err:done', 'out:1', 'out:2']);
  assert.equal(out.firstId(), out.lineAt(0).id);
  assert.equal(out.dropped(), 2);
  // "Overwrite? " and "y", each with its line end: what the dropped lines stood for.
  assert.equal(out.droppedChars(), 14);
  const v = out.lineAt(2).v;
  out.write('out', bytes('\x1b[1A'));
  assert.equal(out.lineAt(2).v, v, 'a dropped sequence changes no line');
  assert.deepEqual([...O.decodeBase64('AP8=')], [0, 255]);
  assert.equal(O.base64Bytes('AP8='), 2);
});

test('output: what waits to be drawn is bounded; after what was left out a new line starts', () => {
  const waiting = O.backlog(8);
  for (const text of ['one\n', 'two\n', 'thr', 'ee\n']) waiting.push('out', Buffer.from(text).toString('base64'));
  assert.equal(waiting.skipped(), 8);
  const out = O.create('utf-8');
  out.write('out', bytes('par'));
  for (let chunk; (chunk = waiting.take());) {
    if (chunk.gap) out.skip();
    out.write(chunk.stream, O.decodeBase64(chunk.data));
  }
  assert.deepEqual(shown(out), ['out:par', 'out:three']);
});
