// The output panel's lines, drawn as a terminal's scrollback is: only the
// rows in view are in the page (a spacer gives the panel the height of all
// of them), so that drawing costs the same for ten lines or fifty thousand,
// and a program that floods the panel never holds the page up. Each row is
// one line of the output model (output.js), not wrapped; a long line
// scrolls sideways.
//
// A row of standard error is marked "err" (read out as "standard error"), a
// line of input sent with ">" (read out as "input"); a filter shows one
// stream only. Config and output texts reach the page as text only.
(function (root) {
  'use strict';

  // Rows drawn above and below those in view, so that scrolling a little
  // shows no empty rows.
  const OVERSCAN = 20;

  function create(panel) {
    const spacer = document.createElement('div');
    spacer.className = 'output-spacer';
    const rows = document.createElement('div');
    rows.className = 'output-rows';
    spacer.append(rows);
    panel.append(spacer);

    let model = null;
    let filter = 'all';
    let rowHeight = 0;
    let following = true;
    let pending = false;
    let drawn = { version: -1, filter: '', first: -1, count: -1, lines: -1 };
    let index = null;  // the model's line numbers shown, when filtered
    let indexVersion = -1;

    function measure() {
      if (rowHeight > 0) return rowHeight;
      const probe = document.createElement('div');
      probe.className = 'line';
      probe.textContent = 'M';
      rows.append(probe);
      rowHeight = probe.getBoundingClientRect().height;
      probe.remove();
      return rowHeight;
    }

    // The number of lines shown, and the model's line at row i.
    function shown() {
      if (!model) return 0;
      if (filter === 'all') return model.count();
      if (indexVersion !== model.version() || !index) {
        index = [];
        for (let i = 0, n = model.count(); i < n; ++i) if (model.lineAt(i).stream === filter) index.push(i);
        indexVersion = model.version();
      }
      return index.length;
    }
    const lineAtRow = (row) => model.lineAt(filter === 'all' ? row : index[row]);

    function drawRow(element, line) {
      element.className = 'line ' + line.stream;
      element.replaceChildren(...line.spans.map((span) => {
        const node = document.createElement('span');
        node.textContent = span.text;
        const classes = [];
        if (span.style.fg >= 0) classes.push('fg' + span.style.fg);
        if (span.style.bold) classes.push('bold');
        if (classes.length) node.className = classes.join(' ');
        return node;
      }));
      element.dataset.id = line.id;
      element.dataset.v = line.v;
    }

    function draw() {
      pending = false;
      const height = measure() || 19;
      const total = shown();
      spacer.style.height = total * height + 'px';
      if (following) panel.scrollTop = panel.scrollHeight;
      const first = Math.max(0, Math.floor(panel.scrollTop / height) - OVERSCAN);
      const count = Math.max(0, Math.min(total - first, Math.ceil(panel.clientHeight / height) + 2 * OVERSCAN));
      const version = model ? model.version() : -1;
      if (drawn.version === version && drawn.first === first && drawn.count === count && drawn.filter === filter &&
        drawn.lines === total) return;
      drawn = { version, filter, first, count, lines: total };
      rows.style.transform = 'translateY(' + first * height + 'px)';
      while (rows.childElementCount > count) rows.lastElementChild.remove();
      while (rows.childElementCount < count) rows.append(document.createElement('div'));
      let element = rows.firstElementChild;
      for (let i = 0; i < count; ++i, element = element.nextElementSibling) {
        const line = lineAtRow(first + i);
        if (element.dataset.id !== String(line.id) || element.dataset.v !== String(line.v)) drawRow(element, line);
      }
    }

    function schedule() {
      if (pending) return;
      pending = true;
      requestAnimationFrame(draw);
    }

    // The panel follows the end unless the person scrolled away from it.
    panel.addEventListener('scroll', () => {
      following = panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
      schedule();
    });
    panel.addEventListener('keydown', (e) => {
      const step = { Home: -Infinity, End: Infinity }[e.key];
      if (step === undefined) return;
      panel.scrollTop = step < 0 ? 0 : panel.scrollHeight;
      e.preventDefault();
    });
    if (typeof ResizeObserver === 'function') new ResizeObserver(schedule).observe(panel);

    return {
      // The model to draw; the panel starts at its end.
      show(next) {
        model = next;
        index = null;
        following = true;
        drawn.version = -1;
        schedule();
      },
      model: () => model,
      // 'all', 'out' or 'err'.
      setFilter(kind) {
        filter = kind;
        index = null;
        drawn.version = -1;
        schedule();
      },
      schedule,
      // Draws now (for a run's end, so that it shows in the same frame).
      drawNow: draw,
      // The text of the lines shown (of the filter's stream), line by line;
      // lines of input sent are no output and are left out.
      text() {
        const out = [];
        for (let i = 0, n = shown(); i < n; ++i) {
          const line = lineAtRow(i);
          if (line.stream !== 'in') out.push(line.spans.map((s) => s.text).join(''));
        }
        return out.join('\n');
      },
    };
  }

  root.ccOutputView = { create };
})(self);
