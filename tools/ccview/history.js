// The past runs of a served page's config, as the server keeps them (GET
// /api/history): each with its command line, when it started, how long it
// took, how it ended and how much of its output is kept; its output can be
// viewed and saved, and Run again puts its choices back in the page.
(function (root) {
  'use strict';
  const T = root.ccRunText;

  const make = (tag, props, children) => {
    const node = Object.assign(document.createElement(tag), props || {});
    for (const child of children || []) node.append(child);
    return node;
  };

  // section: the element the list goes in. o: {get(path), commandOf(argv),
  // view(record), save(record), runAgain(record)}.
  function create(section, o) {
    const list = make('ol', { className: 'history-list' });
    const empty = make('p', { className: 'hint', textContent: 'No runs yet.' });
    section.append(empty, list);
    let records = [];

    function item(record, n) {
      const id = 'history-' + n;
      const status = record.outcome === undefined ? { text: 'Running', tone: 'running' } : T.endStatus(record);
      const started = new Date(record.start);
      const facts = ['started ' + started.toLocaleString()];
      facts.push(record.kept > 0 ? T.readableSize(record.kept) + ' of output kept' : 'no output kept');
      const command = make('code', { id, className: 'history-command', textContent: o.commandOf(record.argv) });
      const state = make('span', { className: 'run-state ' + status.tone, textContent: status.text });
      const view = make('button', { type: 'button', textContent: 'View output', disabled: !(record.kept > 0) });
      const save = make('button', { type: 'button', textContent: 'Save output…', disabled: !(record.kept > 0) });
      const again = make('button', { type: 'button', textContent: 'Run again', disabled: !record.form });
      for (const button of [view, save, again]) button.setAttribute('aria-describedby', id);
      view.addEventListener('click', () => o.view(record));
      save.addEventListener('click', () => o.save(record));
      again.addEventListener('click', () => o.runAgain(record));
      return make('li', {}, [
        command,
        make('p', { className: 'history-facts' }, [state, ' · ' + facts.join(' · ')]),
        make('div', { className: 'row' }, [view, save, again]),
      ]);
    }

    return {
      async refresh() {
        const answer = await o.get('/api/history');
        if (!answer) return;
        records = answer.runs;
        list.replaceChildren(...records.map(item));
        empty.hidden = records.length > 0;
      },
      records: () => records,
    };
  }

  root.ccHistory = { create };
})(self);
