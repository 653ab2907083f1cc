// A run's output as a terminal would show it, free of the DOM: bytes decoded
// (UTF-8 or a code page), a carriage return moving back to the start of the
// line so that what follows overwrites it (progress bars), colour codes (SGR)
// kept as styles, every other escape sequence and control character dropped,
// never shown raw. A sequence ends at a line end, so that one left open
// hides no more than the rest of its line. Standard output and standard
// error keep lines of their own: each stream has its own open line, and a
// line knows its stream.
// A line of input sent to the program is a line of its own (stream 'in'),
// after which each stream starts a new line, as a terminal's Enter does.
// Memory is bounded: past maxLines lines or maxChars characters the oldest
// lines go, and dropped counts them. Output that arrives faster than it can
// be drawn waits in a backlog of at most maxWaiting bytes; past that the
// oldest waiting output is left out, and the backlog says how much.
//
// run.js shows what this computes; Node's tests drive it directly.
(function (root, factory) {
  'use strict';
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.ccOutput = api;
})(typeof self !== 'undefined' ? self : this, function () {
  'use strict';

  // The page draws only the lines in view, so what it keeps costs memory,
  // not drawing: 50,000 lines, 8 M characters. maxWaiting: a program that
  // writes many short lines outruns the page by far, and of those lines
  // only the last maxLines stay; 1 MB of them is taken in well under a
  // second, so the end of a run shows soon after it.
  const LIMITS = { maxLines: 50000, maxChars: 8 * 1024 * 1024, maxWaiting: 1024 * 1024 };
  // Offered for a tool's output: UTF-8, the Windows code pages, and the
  // console code page of Cyrillic Windows.
  const ENCODINGS = ['utf-8', 'windows-1252', 'windows-1251', 'ibm866'];

  function decodeBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // The number of bytes base64 text stands for.
  const base64Bytes = (text) => (text.length >> 2) * 3 - (text.endsWith('==') ? 2 : text.endsWith('=') ? 1 : 0);

  // Output waiting to be drawn: {stream, data (base64), gap} chunks, oldest
  // first. Past maxBytes the oldest go; the chunk after what went is marked
  // gap, and skipped() counts the bytes left out.
  function backlog(maxBytes) {
    let chunks = [];
    let at = 0;
    let bytes = 0;
    let skipped = 0;
    const next = () => {
      const chunk = chunks[at];
      chunks[at++] = undefined;
      bytes -= chunk.bytes;
      if (at === chunks.length) {
        chunks = [];
        at = 0;
      } else if (at > 1024 && at * 2 > chunks.length) {
        chunks = chunks.slice(at);
        at = 0;
      }
      return chunk;
    };
    return {
      push(stream, data) {
        const chunk = { stream, data, gap: false, bytes: base64Bytes(data) };
        chunks.push(chunk);
        bytes += chunk.bytes;
        while (bytes > maxBytes && chunks.length - at > 1) {
          skipped += next().bytes;
          chunks[at].gap = true;
        }
      },
      // Output before the chunk pushed last was left out elsewhere (the
      // server skipped it): what it was in the middle of is over.
      markGap() {
        if (chunks.length > at) chunks[chunks.length - 1].gap = true;
      },
      // The oldest chunk, taken out; null when none waits.
      take: () => (at < chunks.length ? next() : null),
      length: () => chunks.length - at,
      bytes: () => bytes,
      skipped: () => skipped,
    };
  }

  // What feed() looks for: C0 and C1 control characters but the tab. C1
  // controls arrive decoded (UTF-8 C2 80 to C2 9F, or a code page's
  // unassigned bytes); one that opens a sequence (U+009B: CSI) opens it as
  // ESC and its 7-bit partner ([) would.
  const CONTROL = /[\x00-\x08\x0a-\x1f\x7f-\x9f]/g;
  // Inside a control string (OSC, DCS, APC, PM, SOS): what ends it.
  const STRING_END = /[\x07\x0a\x0d\x18\x1a\x1b\x9c]/g;
  // Inside a CSI: parameter and intermediate characters, and the form they
  // must take to mean something here.
  const CSI_BODY = /[\x20-\x3f]*/y;
  const CSI_PARTS = /^([0-?]*)([ -/]*)$/;
  // The characters after ESC (or the C1 control) that open a control string.
  const STRING_OPENERS = ']P_^X';
  const C1_OPENERS = { '\x9b': '[', '\x9d': ']', '\x90': 'P', '\x9f': '_', '\x9e': '^', '\x98': 'X' };
  // How much of one sequence is kept while it is read; a longer one is read
  // to its end and ignored. A control string's text is never kept.
  const SEQUENCE_LIMIT = 256;

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
    let lines = [];        // {id, stream, spans, chars, v}, from index head on
    let head = 0;
    let nextId = 1;
    let chars = 0;
    let dropped = 0;
    let droppedChars = 0;  // of the lines dropped, with a line end each
    let version = 0;       // changes with every line that changes
    const streams = {};
    for (const name of ['out', 'err']) {
      streams[name] = {
        decoder: new TextDecoder(encoding || 'utf-8'),
        line: null,        // the open line, if any
        col: 0,
        style: PLAIN,
        seq: null,         // the escape sequence being read, if any (below)
      };
    }
    const streamList = Object.values(streams);

    function openLine(s, name) {
      if (!s.line) {
        s.line = { id: nextId++, stream: name, spans: [], chars: 0, v: 0 };
        s.col = 0;
        lines.push(s.line);
      }
      return s.line;
    }

    function put(s, name, text) {
      if (text === '') return;
      const line = openLine(s, name);
      const col = s.col;
      s.col += text.length;
      if (col !== line.chars) {
        line.spans = overwrite(line.spans, col, text, s.style);
        recount(line);
        return;
      }
      // Text after the end of the line, as most is, is added in place.
      const last = line.spans[line.spans.length - 1];
      if (last && last.style === s.style) last.text += text;
      else line.spans.push({ text, style: s.style });
      line.chars += text.length;
      chars += text.length;
      ++line.v;
      ++version;
    }

    function recount(line) {
      const length = line.spans.reduce((n, span) => n + span.text.length, 0);
      chars += length - line.chars;
      line.chars = length;
      ++line.v;
      ++version;
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
        droppedChars += gone.chars + 1;
        ++dropped;
        ++version;
        for (const s of streamList) if (s.line === gone) s.line = null;
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
        droppedChars += line.chars - text.length;
        chars = line.chars = text.length;
        ++line.v;
        for (const s of streamList) if (s.line === line) s.col = Math.min(s.col, text.length);
      }
    }

    // A sequence being read, which a chunk's end may cut: after ESC,
    // {kind: 'esc', body} with the intermediates so far; in a CSI, {kind:
    // 'csi', body, over} with its parameters (over once they pass the
    // limit); in a control string, {kind: 'string', esc} (esc: the chunk
    // ended on an ESC that may begin its terminator). Every sequence ends at
    // a line end or a character it cannot hold, and is then dropped: what
    // follows is text again, never the sequence shown raw.
    const ESC_STATE = () => ({ kind: 'esc', body: '' });

    // Reads on in the sequence s.seq from text[i]; returns where text
    // goes on, with s.seq null once the sequence is over.
    function sequence(s, text, i) {
      const seq = s.seq;
      if (seq.kind === 'string') {
        if (seq.esc) {
          // ESC \ ends the string; ESC and anything else starts a new sequence.
          s.seq = text[i] === '\\' ? null : ESC_STATE();
          return text[i] === '\\' ? i + 1 : i;
        }
        STRING_END.lastIndex = i;
        const m = STRING_END.exec(text);
        if (!m) return text.length;  // the string's text, dropped as it comes
        const c = m[0];
        if (c === '\x1b') {
          seq.esc = true;
          return m.index + 1;
        }
        s.seq = null;
        // BEL, ST, CAN and SUB end it and go with it; a line end ends it and stays.
        return c === '\n' || c === '\r' ? m.index : m.index + 1;
      }
      if (seq.kind === 'csi') {
        CSI_BODY.lastIndex = i;
        const params = CSI_BODY.exec(text)[0];
        if (seq.body.length + params.length > SEQUENCE_LIMIT) seq.over = true;
        else seq.body += params;
        const at = i + params.length;
        if (at === text.length) return at;
        s.seq = null;
        const final = text[at];
        if (final < '\x40' || final > '\x7e') return at;  // not a CSI: dropped, the character stays
        const m = seq.over ? null : CSI_PARTS.exec(seq.body);
        if (m && final === 'm' && m[2] === '') s.style = applySgr(s.style, m[1]);
        else if (m && final === 'K') erase(s, m[1]);
        return at + 1;
      }
      // After ESC: intermediates, then the character that says what it is.
      const c = text[i];
      if (seq.body === '' && c === '[') seq.kind = 'csi';
      else if (seq.body === '' && STRING_OPENERS.includes(c)) s.seq = { kind: 'string', esc: false };
      else if (c >= '\x20' && c <= '\x2f') seq.body = (seq.body + c).slice(0, SEQUENCE_LIMIT);
      else {
        s.seq = null;
        if (c < '\x30' || c > '\x7e') return i;  // ESC before a control or non-ASCII: only ESC goes
      }
      return i + 1;  // ESC ( B and the like: dropped
    }

    // Text after decoding: printable runs, line ends, returns, escape
    // sequences. Runs between control characters are taken whole; a
    // sequence keeps at most SEQUENCE_LIMIT characters between chunks.
    function feed(name, text) {
      const s = streams[name];
      let i = 0;
      while (i < text.length) {
        if (s.seq) {
          i = sequence(s, text, i);
          continue;
        }
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
          s.seq = ESC_STATE();
        } else if (C1_OPENERS[c]) {
          s.seq = ESC_STATE();
          sequence(s, C1_OPENERS[c], 0);
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
      // The streams ended: what a decoder still holds is shown; a sequence
      // left open is dropped.
      end() {
        for (const name of Object.keys(streams)) {
          feed(name, streams[name].decoder.decode());
          streams[name].seq = null;
        }
      },
      // Output was left out here: what each stream was in the middle of (a
      // line, a character, a sequence) is over, and what comes next starts
      // a line of its own. Styles stay.
      skip() {
        for (const s of streamList) {
          s.line = null;
          s.seq = null;
          s.decoder = new TextDecoder(encoding || 'utf-8');
        }
      },

      // A line of input sent: a line of its own; each stream's next output
      // starts a line too.
      echo(text) {
        for (const s of streamList) s.line = null;
        lines.push({ id: nextId++, stream: 'in', spans: [{ text, style: PLAIN }], chars: text.length, v: 0 });
        chars += text.length;
        ++version;
        trim();
      },

      // The lines kept, oldest first, one at a time: lineAt(0) is the
      // oldest; ids follow one another from firstId().
      count: () => lines.length - head,
      lineAt: (i) => lines[head + i],
      firstId: () => (head < lines.length ? lines[head].id : nextId),
      lines: () => lines.slice(head),
      // Changes whenever a line is added, changed or dropped.
      version: () => version,
      dropped: () => dropped,
      // The characters of the lines dropped, a line end counted for each:
      // about the bytes of output they stood for.
      droppedChars: () => droppedChars,
    };
  }

  return { LIMITS, ENCODINGS, PLAIN, decodeBase64, base64Bytes, backlog, applySgr, create, lineText };
});
