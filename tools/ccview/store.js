// Where a page keeps a config's last values and its presets, free of the DOM:
// - local(key): the browser's storage, for the static page (a file, with no
//   server); the values under key, the presets under key + ':presets';
// - server(key): the server's settings file, through its API, for the served
//   pages. What the browser's storage holds for the key (kept there by the
//   pages of earlier versions) is taken over once: sent to the server when
//   the server knows nothing for the key yet, then cleared.
// Both answer load() with a promise of {values, presets, error}; saveValues
// and forgetValues keep or drop the last values (the server's store sends
// them a moment after the last change, and at once when the page goes);
// savePresets(list) answers a promise of {ok, error}.
//
// Loaded as a classic script in the page (it defines ccStore) and as a
// CommonJS module in Node's tests, which hand in their own storage and API.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccStore = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // The presets' key beside the values' (presets.js says it).
  const presetsKey = (key) =>
    (typeof ccPresets !== 'undefined' ? ccPresets : require('./presets.js')).storageKey(key);

  function browserStorage() {
    try {
      return window.localStorage;
    } catch (e) {
      return null;  // a browser may refuse it: the page works without
    }
  }

  // What storage holds for key: {values, presets} (presets as a list).
  function readLocal(storage, key) {
    const out = { values: null, presets: [] };
    if (!storage) return out;
    try {
      const values = storage.getItem(key);
      out.values = values ? JSON.parse(values) : null;
    } catch (e) {
      out.values = null;
    }
    try {
      const presets = JSON.parse(storage.getItem(presetsKey(key)) || '{}');
      out.presets = presets && Array.isArray(presets.presets) ? presets.presets : [];
    } catch (e) {
      out.presets = [];
    }
    return out;
  }

  function local(key, storage = browserStorage()) {
    const attempt = (action) => {
      try {
        if (!storage) return false;
        action();
        return true;
      } catch (e) {
        return false;
      }
    };
    return {
      load: () => Promise.resolve({ ...readLocal(storage, key), error: '' }),
      saveValues: (form) => attempt(() => storage.setItem(key, JSON.stringify(form))),
      forgetValues: () => attempt(() => storage.removeItem(key)),
      savePresets: (list) => Promise.resolve(
        attempt(() => storage.setItem(presetsKey(key), JSON.stringify({ version: 1, presets: list })))
          ? { ok: true, error: '' } : { ok: false, error: 'This browser keeps no presets for this page.' }),
    };
  }

  // api: {get(path), post(path, body, keepalive)} answering {ok, body, error}
  // (api.js); wait: how long after a change the values are sent.
  function server(key, api = self.ccApi, storage = browserStorage(), wait = 300) {
    const path = '/api/values';
    let pending = null;
    let timer = null;
    const send = (keepalive) => {
      clearTimeout(timer);
      timer = null;
      if (pending === null) return Promise.resolve({ ok: true });
      const values = pending.values;
      pending = null;
      return api.post(path, { key, values }, keepalive);
    };
    if (typeof window !== 'undefined' && window.addEventListener) window.addEventListener('pagehide', () => send(true));
    const later = (values) => {
      pending = { values };
      clearTimeout(timer);
      timer = setTimeout(() => send(false), wait);
    };
    return {
      async load() {
        const answer = await api.get(path + '?key=' + encodeURIComponent(key));
        if (!answer.ok) return { values: null, presets: [], error: answer.error };
        let { values, presets } = answer.body;
        const old = readLocal(storage, key);
        if (old.values !== null || old.presets.length) {
          let taken = answer.body.known;
          if (!taken) {
            taken = (await api.post(path, { key, values: old.values, presets: old.presets })).ok;
            if (taken) ({ values, presets } = old);
          }
          if (taken && storage) {
            storage.removeItem(key);
            storage.removeItem(presetsKey(key));
          }
        }
        return { values: values || null, presets: presets || [], error: '' };
      },
      saveValues: later,
      forgetValues: () => later(null),
      flush: () => send(false),
      async savePresets(list) {
        const answer = await api.post(path, { key, presets: list });
        return { ok: answer.ok, error: answer.ok ? '' : answer.error };
      },
    };
  }

  return { local, server, readLocal };
});
