// presets.js: saving, renaming and deleting named presets, and reading what
// storage holds.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const S = require('../presets.js');

const form = (program) => ({ program, style: 'posix', encoding: 'utf-8', steps: [] });

test('presets: a table of edits', () => {
  let list = [];
  const steps = [
    [(l) => S.save(l, ' fast ', form('a')), 'Saved "fast".', ['fast']],
    [(l) => S.save(l, 'alpha', form('b')), 'Saved "alpha".', ['alpha', 'fast']],
    [(l) => S.save(l, 'fast', form('c')), 'Replaced "fast".', ['alpha', 'fast']],
    [(l) => S.save(l, '  ', form('d')), 'A preset needs a name.', ['alpha', 'fast']],
    [(l) => S.save(l, 'x'.repeat(101), form('d')), 'A preset name takes at most 100 characters.', ['alpha', 'fast']],
    [(l) => S.rename(l, 'alpha', 'fast'), 'A preset "fast" exists already.', ['alpha', 'fast']],
    [(l) => S.rename(l, 'alpha', 'zeta'), 'Renamed "alpha" to "zeta".', ['fast', 'zeta']],
    [(l) => S.rename(l, 'nope', 'x'), 'No preset "nope".', ['fast', 'zeta']],
    [(l) => S.remove(l, 'fast'), 'Deleted "fast".', ['zeta']],
  ];
  for (const [edit, said, names] of steps) {
    const outcome = edit(list);
    assert.equal(outcome.message || outcome.error, said);
    list = outcome.list;
    assert.deepEqual(list.map((p) => p.name), names, said);
  }
  assert.equal(S.find(list, 'zeta').form.program, 'b');
  // Full: a new name is refused, an existing one still replaced.
  let full = [];
  for (let i = 0; i < S.MAX_PRESETS; ++i) full = S.save(full, 'p' + String(i).padStart(3, '0'), form('')).list;
  assert.equal(S.save(full, 'one more', form('')).error, 'At most 100 presets: delete one first.');
  assert.equal(S.save(full, 'p000', form('')).message, 'Replaced "p000".');
});

test('presets: what storage holds is read back, junk left out', () => {
  const list = S.save([], 'fast', form('prog')).list;
  assert.deepEqual(S.parse(S.serialize(list)), list);
  for (const junk of ['', 'not json', 'null', '{"presets": 3}'])
    assert.deepEqual(S.parse(junk), []);
  const mixed = JSON.stringify({ presets: [{ name: 'ok', form: {} }, { name: 'ok', form: {} }, { name: 3, form: {} },
    { name: ' pad', form: {} }, { name: 'noform' }, null] });
  assert.deepEqual(S.parse(mixed).map((p) => p.name), ['ok']);
  assert.equal(S.storageKey('ccview:0123'), 'ccview:0123:presets');
});
