// The output of a run as the page holds it: what the event stream brings
// while the run goes on (taken in a few milliseconds at a time, what comes
// faster than the page can show left out), then, when the run has ended and
// anything was left out, its end read again from the server's disk (GET
// /api/output), as far as the page keeps lines; and a past run's output the
// same way. One notice says how much is not shown. Copy output copies the
// lines shown; Save output downloads the whole output as the server keeps it.
(function (root) {
  'use strict';
  const O = root.ccOutput;
  const T = root.ccRunText;

  // parts: {log (the panel's element), notice, heading, encoding (the
  // select)}; api: {get(path) -> JSON or null, download(path, name)}.
  function create(parts, api) {
    const view = root.ccOutputView.create(parts.log);
    let run = null;       // {id, model, received, skipped, bytes, ended, kept}
    let waiting = O.backlog(O.LIMITS.maxWaiting);
    let taking = false;
    let generation = 0;   // a refill or view that a newer run or view replaces stops

    function say() {
      if (!run) return (parts.notice.textContent = '');
      const notShown = run.skipped + waiting.skipped() + Math.round(run.model.droppedChars());
      parts.notice.textContent = T.notice({ notShown, notKept: run.notKept || 0, running: !run.ended });
    }

    // Output waiting to be taken in, a few milliseconds at a time, so that
    // a program that writes fast never stops the page from answering.
    function take() {
      taking = false;
      if (!run) return;
      const until = performance.now() + 8;
      while (waiting.length() && performance.now() < until) {
        const chunk = waiting.take();
        if (chunk.gap) run.model.skip();
        run.model.write(chunk.stream, O.decodeBase64(chunk.data));
      }
      view.schedule();
      say();
      if (waiting.length()) later();
    }
    function later() {
      if (taking) return;
      taking = true;
      setTimeout(take, 0);
    }

    function fresh(id, heading) {
      ++generation;
      waiting = O.backlog(O.LIMITS.maxWaiting);
      run = { id, model: O.create(parts.encoding.value), received: 0, skipped: 0, ended: false, notKept: 0 };
      parts.heading.textContent = heading;
      view.show(run.model);
      say();
      return run;
    }

    // The end of a run's output read from the disk into a model of its own,
    // part by part, each taken in a few milliseconds at a time; then shown
    // in place of what the page had. False when the server keeps none.
    async function fromDisk(target) {
      const mine = generation;
      const model = O.create(parts.encoding.value);
      let page = await api.get('/api/output?id=' + encodeURIComponent(target.id) + '&tail=' + O.LIMITS.maxLines);
      if (!page || mine !== generation) return false;
      const from = page.from;
      const first = page.first;
      for (;;) {
        for (const piece of page.pieces) {
          if (piece.stream === 'in') {
            model.echo(piece.text);
            continue;
          }
          const bytes = O.decodeBase64(piece.data);
          for (let at = 0; at < bytes.length; at += 65536) {
            model.write(piece.stream, bytes.subarray(at, at + 65536));
            await new Promise((resolve) => setTimeout(resolve, 0));
            if (mine !== generation) return false;
          }
        }
        if (page.next >= page.size) break;
        page = await api.get('/api/output?id=' + encodeURIComponent(target.id) + '&from=' + page.next);
        if (!page || mine !== generation) return false;
      }
      model.end();
      target.model = model;
      target.skipped = from;
      target.notKept = first;
      waiting = O.backlog(O.LIMITS.maxWaiting);
      view.show(model);
      say();
      return true;
    }

    return {
      view,
      // A run started: its output begins, headed by its command line.
      start(event, heading) {
        fresh(event.id, heading);
      },
      output(event) {
        if (!run || run.ended) return;
        if (event.at > run.received) {
          run.skipped += event.at - run.received;
          waiting.push(event.stream, event.data);
          waiting.markGap();
        } else {
          waiting.push(event.stream, event.data);
        }
        run.received = event.at + O.base64Bytes(event.data);
        later();
      },
      input(event) {
        if (!run || run.ended) return;
        // What waits is taken in first: the line goes where it was sent.
        while (waiting.length()) {
          const chunk = waiting.take();
          if (chunk.gap) run.model.skip();
          run.model.write(chunk.stream, O.decodeBase64(chunk.data));
        }
        run.model.echo(event.text);
        view.schedule();
      },
      // The run ended: what waits is taken in now when it is little, else
      // left out; the end then shows at once, and what the page left out
      // is read from the disk after. Resolves once the output is complete.
      async end(event, kept) {
        if (!run) return;
        run.ended = true;
        if (waiting.bytes() <= 65536) {
          while (waiting.length()) {
            const chunk = waiting.take();
            if (chunk.gap) run.model.skip();
            run.model.write(chunk.stream, O.decodeBase64(chunk.data));
          }
        }
        run.skipped += waiting.bytes() + waiting.skipped();
        waiting = O.backlog(O.LIMITS.maxWaiting);
        run.skipped += Math.max(0, (event.bytes || 0) - run.received);
        run.model.end();
        view.drawNow();
        say();
        if (kept && (run.skipped > 0 || run.model.dropped() > 0)) await fromDisk(run);
      },
      // A past run's output, read from the disk.
      async show(record, heading) {
        const target = fresh(record.id, heading);
        target.ended = true;
        if (!(await fromDisk(target)) && target === run) parts.notice.textContent = 'The output of this run is not kept.';
      },
      current: () => run,
      copyText: () => view.text(),
      // Downloads the whole output of the run shown (or of id).
      save(id) {
        const which = id || (run && run.id);
        if (which) api.download('/api/save?id=' + encodeURIComponent(which), 'output-' + which + '.txt');
      },
    };
  }

  root.ccOutputPanel = { create };
})(self);
