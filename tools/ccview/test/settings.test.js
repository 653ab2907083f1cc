// store.js: what earlier pages kept in the browser goes to the server once,
// then leaves the browser; shelf.js: what a shelf entry shows.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const store = require('../store.js');
const shelf = require('../shelf.js');

// A browser storage in a Map.
function memoryStorage(items) {
  const map = new Map(Object.entries(items));
  return {
    getItem: (k) => (map.has(k) ? map.get(k) : null),
    setItem: (k, v) => map.set(k, String(v)),
    removeItem: (k) => map.delete(k),
    keys: () => [...map.keys()],
  };
}

// A server API that keeps what it is sent; fail: answer every POST refused.
function fakeApi(known, fail) {
  const sent = [];
  return {
    sent,
    get: async () => ({ ok: true, body: known }),
    post: async (p, body) => {
      sent.push(body);
      return fail ? { ok: false, error: 'no' } : { ok: true, body: {} };
    },
  };
}

test('browser values are taken over once, and only when the server knows none', async () => {
  const key = 'ccview:0123456789abcdef';
  const old = { [key]: JSON.stringify({ style: 'cmd' }), [key + ':presets']: JSON.stringify({ version: 1,
    presets: [{ name: 'p', form: { style: 'posix' } }] }) };
  const cases = [
    // server's answer, POST fails, expected values, expected sent, storage left
    [{ known: false, values: null, presets: [] }, false, { style: 'cmd' }, 1, []],
    [{ known: true, values: { style: 'posix' }, presets: [] }, false, { style: 'posix' }, 0, []],
    [{ known: false, values: null, presets: [] }, true, null, 1, [key, key + ':presets']],
  ];
  for (const [known, fail, values, sent, left] of cases) {
    const storage = memoryStorage(old);
    const api = fakeApi(known, fail);
    const loaded = await store.server(key, api, storage, 0).load();
    assert.deepEqual(loaded.values, values);
    assert.equal(api.sent.length, sent);
    if (sent) assert.deepEqual(api.sent[0].presets, [{ name: 'p', form: { style: 'posix' } }]);
    assert.deepEqual(storage.keys(), left);
  }
});

test('a shelf entry: its title, description and program', () => {
  const program = (found, chosen) => ({ name: 'tar', path: found ? '/bin/tar' : '', found, chosen });
  const cases = [
    [{ name: 'a.cc', headerItems: ['Tar', ' ', 'Archives'], program: program(true, false), refused: '' },
      { title: 'Tar', description: 'Archives', program: '/bin/tar', missing: false, openable: true }],
    [{ name: 'b.cc', headerItems: ['', '', '', '', '', ''], program: program(false, false), refused: 'bad' },
      { title: 'b.cc', description: '', program: 'tar — not found — choose the program…', missing: true,
        openable: false }],
    // Bytes that are not UTF-8 read as windows-1252; UTF-8 as UTF-8.
    [{ name: 'c.cc', headerItems: ['caf\xe9', 'caf\xc3\xa9'], program: program(true, true), refused: '' },
      { title: 'café', description: 'café', program: '/bin/tar (chosen by you)', missing: false, openable: true }],
    [{ name: 'd.cc', headerItems: [], program: program(false, true), refused: '' },
      { title: 'd.cc', description: '', missing: true, openable: true,
        program: 'the program chosen for it is not there any more — choose the program…' }],
  ];
  for (const [entry, view] of cases) assert.deepEqual(shelf.entryView(entry), view);
  const view = shelf.entryView(cases[0][0]);
  assert.ok(shelf.matches(cases[0][0], view, ' archives  TAR '));
  assert.ok(shelf.matches(cases[0][0], view, 'a.cc'));
  assert.ok(!shelf.matches(cases[0][0], view, 'tar zip'));
});
