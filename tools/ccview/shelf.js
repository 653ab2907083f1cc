// The shelf's logic, free of the DOM: what an entry shows, and which entries
// a filter keeps.
//
// Loaded as a classic script in the shelf's page (it defines ccShelf) and as
// a CommonJS module in Node's tests.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccShelf = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // A config text as the server sends it, one code point per byte: shown as
  // UTF-8 when it is, else in windows-1252, as the config's own page starts.
  function decodeText(text) {
    const bytes = Uint8Array.from(text, (c) => c.charCodeAt(0) & 0xff);
    try {
      return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    } catch (e) {
      return new TextDecoder('windows-1252').decode(bytes);
    }
  }

  // What an entry shows: {title, description, program, missing, openable}.
  // The title is the config's first header text that is not empty (its file
  // name when none is), the description the others, a line each.
  function entryView(entry) {
    const texts = (entry.headerItems || []).map(decodeText).map((t) => t.trim()).filter((t) => t !== '');
    const title = texts.length ? texts[0] : entry.name;
    const description = texts.slice(1).join('\n');
    const p = entry.program;
    const missing = !p.found;
    const program = missing
      ? (p.chosen ? 'the program chosen for it is not there any more' : p.name + ' — not found') +
        ' — choose the program…'
      : p.path + (p.chosen ? ' (chosen by you)' : '');
    return { title, description, program, missing, openable: entry.refused === '' };
  }

  // Whether a view is kept by the filter's text: every word of it, in any
  // letter case, is in the title, the description or the file name.
  function matches(entry, view, filter) {
    const words = filter.toLowerCase().split(/\s+/).filter((w) => w !== '');
    const text = (view.title + '\n' + view.description + '\n' + entry.name).toLowerCase();
    return words.every((w) => text.includes(w));
  }

  return { decodeText, entryView, matches };
});
