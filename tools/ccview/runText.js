// What the runner's page says, free of the DOM: how a run ended (its words
// and its tone), sizes and times as people read them, the one notice about
// output not shown, the command line of a run from its words, and the small
// rules of Browse… (a path relative to the working folder, typing to jump).
//
// run.js, history.js and browse.js show what this computes; Node's tests
// drive it directly.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccRunText = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // 1536 -> "1.5 KB", 3460000 -> "3.3 MB": one decimal below ten of a
  // unit, none above; units of 1024.
  function readableSize(bytes) {
    if (bytes < 1024) return bytes + (bytes === 1 ? ' byte' : ' bytes');
    const units = ['KB', 'MB', 'GB', 'TB'];
    let value = bytes / 1024;
    let unit = 0;
    while (value >= 1024 && unit < units.length - 1) {
      value /= 1024;
      ++unit;
    }
    const shown = value < 10 ? Math.floor(value * 10) / 10 : Math.floor(value);
    return shown + ' ' + units[unit];
  }

  // How long a run took: "0.42 s", "12.3 s", "2 min 5 s", "1 h 2 min".
  function duration(ms) {
    if (ms < 10000) return (ms / 1000).toFixed(2) + ' s';
    if (ms < 60000) return (ms / 1000).toFixed(1) + ' s';
    const s = Math.floor(ms / 1000);
    if (s < 3600) return Math.floor(s / 60) + ' min ' + (s % 60) + ' s';
    return Math.floor(s / 3600) + ' h ' + Math.floor((s % 3600) / 60) + ' min';
  }

  // The time a run has taken so far, as a clock shows it: "0:07", "1:02:03".
  function elapsed(ms) {
    const s = Math.floor(ms / 1000);
    const two = (n) => String(n).padStart(2, '0');
    return s < 3600 ? Math.floor(s / 60) + ':' + two(s % 60)
      : Math.floor(s / 3600) + ':' + two(Math.floor((s % 3600) / 60)) + ':' + two(s % 60);
  }

  // How a run ended, from its end event (or a history record): {text, tone}.
  // tone names what the page shows beside the words (a mark and a colour,
  // never the colour alone): 'ok', 'failed', 'stopped', 'signal', 'asked'
  // (it may have asked for input it could not get), or 'lost' (its server
  // ended during the run).
  function endStatus(end) {
    if (end.outcome === 'failed') return { text: 'Could not start the program: ' + end.message, tone: 'failed' };
    if (end.outcome === 'lost') return { text: 'Ended with its server', tone: 'stopped' };
    const took = ' after ' + duration(end.ms || 0);
    if (end.outcome === 'stopped') return { text: 'Stopped by you' + took, tone: 'stopped' };
    if (end.outcome === 'signal') return { text: 'Ended by signal ' + end.signal + took, tone: 'signal' };
    const said = end.code === 0 ? 'Finished' + took : 'Failed (exit status ' + end.code + ')' + took;
    if (end.askedForInput) return { text: said + ': it may have asked for input it could not get', tone: 'asked' };
    return { text: said, tone: end.code === 0 ? 'ok' : 'failed' };
  }

  // The one notice about output the page does not show, or '' when it
  // shows all of it. notShown: bytes of the run's output not in the page;
  // notKept: bytes of its start that the server did not keep either;
  // running: whether more is coming.
  function notice({ notShown, notKept, running }) {
    if (notShown <= 0) return '';
    if (running) return readableSize(notShown) + ' not shown yet: the page shows what it can when the run ends';
    if (notKept > 0)
      return readableSize(notShown) + ' not shown, of which the first ' + readableSize(notKept) +
        ' were not kept either: Save output to keep the rest';
    return readableSize(notShown) + ' not shown: Save output to keep all';
  }

  // A run's command line from its words (program first), quoted for style
  // by the page's own rules (quote, quoteProgram: ccPreview's).
  function commandText(argv, style, quote, quoteProgram) {
    return argv.map((word, i) => (i === 0 ? quoteProgram(word, style) : quote(word, style))).join(' ');
  }

  // path relative to folder, when it lies inside it ("sub/a.txt", "." for
  // the folder itself); null when it does not. sep: the system's folder
  // separator; on Windows ("\\") names compare in either case.
  function relativePath(path, folder, sep) {
    const fold = sep === '\\' ? (s) => s.toLowerCase() : (s) => s;
    const base = folder.endsWith(sep) ? folder : folder + sep;
    if (fold(path) === fold(folder) || fold(path + sep) === fold(base)) return '.';
    if (!fold(path).startsWith(fold(base))) return null;
    return path.slice(base.length);
  }

  // The entry typing jumps to: the first name that begins with typed,
  // letters in either case; -1 when none does. Typing one letter again and
  // again steps through the names that begin with it, on from index from.
  function typeAhead(names, typed, from) {
    const wanted = typed.toLowerCase();
    const same = wanted.length > 1 && [...wanted].every((c) => c === wanted[0]);
    const prefix = same ? wanted[0] : wanted;
    const start = same ? from + 1 : 0;
    for (let k = 0; k < names.length; ++k) {
      const i = (start + k) % names.length;
      if (names[i].toLowerCase().startsWith(prefix)) return i;
    }
    return -1;
  }

  return { readableSize, duration, elapsed, endStatus, notice, commandText, relativePath, typeAhead };
});
