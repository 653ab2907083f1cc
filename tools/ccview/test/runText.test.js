// runText.js: what the runner's page says, and Browse…'s small rules, each
// a table.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const T = require('../runText.js');
const P = require('../preview.js');

test('runText: how a run ended, in words and a tone', () => {
  const cases = [
    [{ outcome: 'exit', code: 0, ms: 420 }, 'Finished after 0.42 s', 'ok'],
    [{ outcome: 'exit', code: 2, ms: 12345 }, 'Failed (exit status 2) after 12.3 s', 'failed'],
    [{ outcome: 'exit', code: 0, ms: 30, askedForInput: true },
      'Finished after 0.03 s: it may have asked for input it could not get', 'asked'],
    [{ outcome: 'exit', code: 1, ms: 30, askedForInput: true },
      'Failed (exit status 1) after 0.03 s: it may have asked for input it could not get', 'asked'],
    [{ outcome: 'stopped', ms: 125000 }, 'Stopped by you after 2 min 5 s', 'stopped'],
    [{ outcome: 'signal', signal: 'SIGSEGV', ms: 3723000 }, 'Ended by signal SIGSEGV after 1 h 2 min', 'signal'],
    [{ outcome: 'failed', message: 'not found: no program "x" in PATH', ms: 0 },
      'Could not start the program: not found: no program "x" in PATH', 'failed'],
    [{ outcome: 'lost' }, 'Ended with its server', 'stopped'],
  ];
  for (const [end, text, tone] of cases) assert.deepEqual(T.endStatus(end), { text, tone }, text);
});

test('runText: sizes, times and the one notice', () => {
  const sizes = [[0, '0 bytes'], [1, '1 byte'], [1023, '1023 bytes'], [1536, '1.5 KB'], [3460000, '3.2 MB'],
    [3.3 * 1048576, '3.3 MB'], [64 << 20, '64 MB'], [10.99 * 1073741824, '10 GB']];
  for (const [bytes, text] of sizes) assert.equal(T.readableSize(bytes), text, String(bytes));
  const clocks = [[0, '0:00'], [7999, '0:07'], [62000, '1:02'], [3723000, '1:02:03']];
  for (const [ms, text] of clocks) assert.equal(T.elapsed(ms), text);
  const notices = [
    [{ notShown: 0, notKept: 0, running: false }, ''],
    [{ notShown: 3.3 * 1048576, notKept: 0, running: false }, '3.3 MB not shown: Save output to keep all'],
    [{ notShown: 2048, notKept: 0, running: true }, '2 KB not shown yet: the page shows what it can when the run ends'],
    [{ notShown: 200 << 20, notKept: 72 << 20, running: false },
      '200 MB not shown, of which the first 72 MB were not kept either: Save output to keep the rest'],
  ];
  for (const [facts, text] of notices) assert.equal(T.notice(facts), text);
});

test('runText: a run\'s command line, quoted for each target', () => {
  const argv = ['/opt/my tool', '-o', 'it\'s here', ''];
  assert.equal(T.commandText(argv, 'posix', P.quote, P.quoteProgram), "'/opt/my tool' -o 'it'\\''s here' ''");
  assert.equal(T.commandText(argv, 'direct', P.quote, P.quoteProgram), '"/opt/my tool" -o "it\'s here" ""');
});

test('runText: a path relative to the working folder, when it lies there', () => {
  const cases = [
    ['/home/me/work/a.txt', '/home/me/work', '/', 'a.txt'],
    ['/home/me/work/sub/a.txt', '/home/me/work/', '/', 'sub/a.txt'],
    ['/home/me/work', '/home/me/work', '/', '.'],
    ['/home/me/workshop/a.txt', '/home/me/work', '/', null],
    ['/etc/passwd', '/home/me/work', '/', null],
    ['/', '/', '/', '.'],
    ['/a', '/', '/', 'a'],
    ['C:\\Work\\Sub\\a.txt', 'c:\\work', '\\', 'Sub\\a.txt'],
    ['D:\\work\\a.txt', 'C:\\work', '\\', null],
  ];
  for (const [path, folder, sep, want] of cases) assert.equal(T.relativePath(path, folder, sep), want, path);
});

test('runText: typing jumps to the first name that begins so; one letter again steps on from where it is', () => {
  const names = ['alpha', 'Beta', 'bravo', 'charlie', 'b2'];
  const cases = [['b', 0, 1], ['br', 0, 2], ['B', 3, 1], ['bb', 1, 2], ['bbb', 2, 4], ['bb', 4, 1], ['x', 0, -1],
    ['C', 0, 3], ['ALP', 4, 0]];
  for (const [typed, from, want] of cases) assert.equal(T.typeAhead(names, typed, from), want, typed + ' from ' + from);
});
