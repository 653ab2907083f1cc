// Named presets, free of the DOM: a person's choices and values saved under
// a name, per config, beside the remembered last values. A preset holds what
// the last values hold (P.savedForm): loading one replays it as they are.
//
// Loaded as a classic script in the page (it defines ccPresets) and as a
// CommonJS module in Node's tests.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccPresets = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  const MAX_PRESETS = 100;
  const MAX_NAME = 100;

  // The storage key of a config's presets, beside its last values' key.
  const storageKey = (valuesKey) => valuesKey + ':presets';

  // The presets stored as text: [{name, form}], sorted by name. Whatever
  // cannot be read (another page's data, a hand-edited entry) is left out.
  function parse(text) {
    let data;
    try {
      data = JSON.parse(text);
    } catch (e) {
      return [];
    }
    if (!data || !Array.isArray(data.presets)) return [];
    const seen = new Set();
    const out = [];
    for (const p of data.presets) {
      if (!p || typeof p.name !== 'string' || !p.form || typeof p.form !== 'object') continue;
      if (checkName(p.name) !== '' || seen.has(p.name)) continue;
      seen.add(p.name);
      out.push({ name: p.name, form: p.form });
    }
    return sorted(out.slice(0, MAX_PRESETS));
  }

  const serialize = (list) => JSON.stringify({ version: 1, presets: list });

  const sorted = (list) => list.slice().sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));

  // Why a name cannot be used, or '' when it can.
  function checkName(name) {
    if (name.trim() === '') return 'A preset needs a name.';
    if (name !== name.trim()) return 'A preset name cannot begin or end with a blank.';
    if (name.length > MAX_NAME) return 'A preset name takes at most ' + MAX_NAME + ' characters.';
    return '';
  }

  // Saves form under name: {list, message, error}. A preset of that name is
  // replaced; a new one is refused past MAX_PRESETS.
  function save(list, name, form) {
    name = name.trim();
    const error = checkName(name);
    if (error) return { list, error };
    const replaced = list.some((p) => p.name === name);
    if (!replaced && list.length >= MAX_PRESETS)
      return { list, error: 'At most ' + MAX_PRESETS + ' presets: delete one first.' };
    const next = sorted(list.filter((p) => p.name !== name).concat([{ name, form }]));
    return { list: next, message: (replaced ? 'Replaced "' : 'Saved "') + name + '".' };
  }

  function find(list, name) {
    return list.find((p) => p.name === name) || null;
  }

  function rename(list, from, to) {
    to = to.trim();
    const error = checkName(to);
    if (error) return { list, error };
    if (!find(list, from)) return { list, error: 'No preset "' + from + '".' };
    if (from !== to && find(list, to)) return { list, error: 'A preset "' + to + '" exists already.' };
    const next = sorted(list.map((p) => (p.name === from ? { name: to, form: p.form } : p)));
    return { list: next, message: 'Renamed "' + from + '" to "' + to + '".' };
  }

  function remove(list, name) {
    if (!find(list, name)) return { list, error: 'No preset "' + name + '".' };
    return { list: list.filter((p) => p.name !== name), message: 'Deleted "' + name + '".' };
  }

  return { MAX_PRESETS, MAX_NAME, storageKey, parse, serialize, checkName, save, find, rename, remove };
});
