// A run's output as a terminal would show it, free of the DOM: bytes decoded
// (UTF-8 or a code page), a carriage return moving back to the start of the
// line so that what follows overwrites it (progress bars), colour codes (SGR)
// kept as styles, every other escape sequence and control character dropped,
// never shown raw. Standard output and standard error keep lines of their
// own: each stream has its own open line, and a line knows its stream.
// Memory is bounded: past maxLines lines or maxChars characters the oldest
// lines go, and dropped counts them.
//
// run.js shows what this computes; Node's tests drive it directly.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccOutput = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  const LIMITS = { maxLines: 10000, maxChars: 4 * 1024 * 1024 };
  // Offered for a tool's output: UTF-8, the Windows code pages, and the
  // console code page of Cyrillic Windows.
  const ENCODINGS = ['utf-8', 'windows-1252', 'windows-1251', 'ibm866'];

  function decodeBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // What feed() looks for: control characters but the tab, and the escape
  // sequences it reads (control, operating system, and the rest) or keeps
  // for the next chunk when a chunk ends inside one.
  const CONTROL = /[\x00-\x08\x0a-\x1f\x7f]/g;
  const CSI = /\x1b\[([0-?]*)([ -/]*)([@-~])/y;
  const OSC = /\x1b\][^\x07\x1b]*(\x07|\x1b\\)/y;
  const OTHER = /\x1b[ -/]*[0-~]/y;
  const CUT = /^\x1b(\[[0-?]*[ -/]*|\][^\x07\x1b]*\x1b?|[ -/]*)$/;

  // A style: foreground colour (0-15 or -1 for the default) and bold.
  const PLAIN = { fg: -1, bold: false };

  // The style after one SGR sequence's parameters ("1;31", "" for reset).
  function applySgr(style, params) {
    let { fg, bold } = style;
    const codes = params === '' ? [0] : params.split(/[;:]/).map((p) => (p === '' ? 0 : Number(p)));
    for (let i = 0; i < codes.length; ++i) {
      const c = codes[i];
      if (c === 0) { fg = -1; bold = false; }
      else if (c === 1) bold = true;
      else if (c === 22) bold = false;
      else if (c >= 30 && c <= 37) fg = c - 30;
      else if (c >= 90 && c <= 97) fg = c - 90 + 8;
      else if (c === 39) fg = -1;
      else if (c === 38 || c === 48) i += codes[i + 1] === 5 ? 2 : codes[i + 1] === 2 ? 4 : 1;  // 256 / true colour: skipped
    }
    return fg === style.fg && bold === style.bold ? style : { fg, bold };
  }

  // Spans [{text, style}] with text written over them from column col.
  function overwrite(spans, col, text, style) {
    const out = [];
    let at = 0;
    const push = (t, s) => {
      if (t === '') return;
      const last = out[out.length - 1];
      if (last && last.style === s) last.text += t;
      else out.push({ text: t, style: s });
    };
    let placed = false;
    for (const span of spans) {
      const end = at + span.text.length;
      if (end <= col || placed && at >= col + text.length) push(span.text, span.style);
      else {
        push(span.text.slice(0, Math.max(0, col - at)), span.style);
        if (!placed) { push(text, style); placed = true; }
        push(span.text.slice(Math.max(0, col + text.length - at)), span.style);
      }
      at = end;
    }
    if (!placed) {
      if (at < col) push(' '.repeat(col - at), PLAIN);
      push(text, style);
    }
    return out;
  }

  // A line's text without its styles.
  const lineText = (line) => line.spans.map((s) => s.text).join('');

  // The output of one run. encoding: one of ENCODINGS.
  function create(encoding, limits) {
    const { maxLines, maxChars } = { ...LIMITS, ...(limits || {}) };
    let lines = [];        // {id, stream, spans, chars}, from index head on
    let head = 0;
    let nextId = 1;
    let chars = 0;
    let dropped = 0;
    const changed = new Set();
    const streams = {};
    for (const name of ['out', 'err']) {
      streams[name] = {
        decoder: new TextDecoder(encoding || 'utf-8'),
        line: null,        // the open line, if any
        col: 0,
        style: PLAIN,
        escape: null,      // an escape sequence cut by a chunk's end
      };
    }

    function openLine(s, name) {
      if (!s.line) {
        s.line = { id: nextId++, stream: name, spans: [], chars: 0 };
        s.col = 0;
        lines.push(s.line);
      }
      return s.line;
    }

    function put(s, name, text) {
      if (text === '') return;
      const line = openLine(s, name);
      line.spans = overwrite(line.spans, s.col, text, s.style);
      s.col += text.length;
      recount(line);
    }

    function recount(line) {
      const length = line.spans.reduce((n, span) => n + span.text.length, 0);
      chars += length - line.chars;
      line.chars = length;
      changed.add(line);
    }

    // ESC [ K: erases from the cursor to the line's end; 1K from its start
    // to the cursor; 2K all of it. The cursor stays.
    function erase(s, mode) {
      const line = s.line;
      if (!line) return;
      if (mode === '2') line.spans = [];
      else if (mode === '1') line.spans = overwrite(line.spans, 0, ' '.repeat(s.col), PLAIN);
      else line.spans = cut(line.spans, s.col);
      recount(line);
    }

    function cut(spans, col) {
      const out = [];
      let at = 0;
      for (const span of spans) {
        if (at >= col) break;
        out.push({ text: span.text.slice(0, col - at), style: span.style });
        at += span.text.length;
      }
      return out;
    }

    function trim() {
      while (lines.length - head > 1 && (lines.length - head > maxLines || chars > maxChars)) {
        const gone = lines[head++];
        chars -= gone.chars;
        changed.delete(gone);
        ++dropped;
        for (const s of Object.values(streams)) if (s.line === gone) s.line = null;
      }
      if (head > 1024 && head * 2 > lines.length) {
        lines = lines.slice(head);
        head = 0;
      }
      // One line longer than everything kept keeps its end.
      if (chars > maxChars && lines.length - head === 1) {
        const line = lines[head];
        const text = lineText(line).slice(-maxChars);
        line.spans = [{ text, style: PLAIN }];
        chars = line.chars = text.length;
        for (const s of Object.values(streams)) if (s.line === line) s.col = Math.min(s.col, text.length);
      }
    }

    // Text after decoding: printable runs, line ends, returns, escapes.
    // Runs between control characters are taken whole; sequences are read
    // where they stand (sticky expressions), never from a copy of the rest.
    function feed(name, text) {
      const s = streams[name];
      if (s.escape !== null) {
        text = s.escape + text;
        s.escape = null;
      }
      let i = 0;
      while (i < text.length) {
        CONTROL.lastIndex = i;
        const m = CONTROL.exec(text);
        const at = m ? m.index : text.length;
        if (at > i) put(s, name, text.slice(i, at));
        if (!m) break;
        const c = text[at];
        i = at + 1;
        if (c === '\n') {
          openLine(s, name);
          s.line = null;
        } else if (c === '\r') {
          s.col = 0;
        } else if (c === '\b') {
          s.col = Math.max(0, s.col - 1);
        } else if (c === '\x1b') {
          const found = [CSI, OSC, OTHER].map((re) => { re.lastIndex = at; return re.exec(text); });
          const [csi, osc, other] = found;
          if (csi) {
            if (csi[3] === 'm' && csi[2] === '') s.style = applySgr(s.style, csi[1]);
            else if (csi[3] === 'K') erase(s, csi[1]);
            i = at + csi[0].length;
          } else if (osc) {
            i = at + osc[0].length;
          } else if (CUT.test(text.slice(at))) {
            s.escape = text.slice(at);  // cut by the chunk's end: finished by the next
            break;
          } else {
            i = at + (other ? other[0].length : 1);  // ESC, intermediates, a final character (ESC ( B)
          }
        }
        // other control characters are dropped
      }
      trim();
    }

    return {
      // Bytes of one stream ('out' or 'err').
      write(name, bytes) {
        feed(name, streams[name].decoder.decode(bytes, { stream: true }));
      },
      // The streams ended: what a decoder still holds is shown.
      end() {
        for (const name of Object.keys(streams)) {
          feed(name, streams[name].decoder.decode());
          streams[name].escape = null;
        }
      },
      // Lines whose text changed since the last call, oldest first, and how
      // many lines were dropped in all.
      takeChanges() {
        const out = [...changed].sort((a, b) => a.id - b.id);
        changed.clear();
        return { lines: out, firstId: head < lines.length ? lines[head].id : nextId, dropped };
      },
      lines: () => lines.slice(head),
      dropped: () => dropped,
    };
  }

  return { LIMITS, ENCODINGS, PLAIN, decodeBase64, applySgr, create, lineText };
});
