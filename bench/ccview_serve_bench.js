// The served page's runner (ccview --serve) in headless Chromium:
// - how long a line the program writes takes to show in the page: the test
//   tool writes its clock (microseconds since the epoch) in the line, the
//   page notes its own when the line is drawn; RUNS runs, median and worst;
// - 10 MB of output streamed: how long until the end shows (and until the
//   page has read back what it left out), how late the
//   page's timer fires at worst meanwhile (a page that stops responding
//   shows it here), and the server's peak memory (VmHWM) before and after;
//   beside it the same run's event stream read by a bare fetch in the page,
//   drawing nothing: what the browser itself needs to take the stream in
//   (the server sends a page at most 1 MB a second of a run's output live);
// - a program that writes without end (yes) for 10 s, and a real grep -rn
//   whose output is 200,000 lines: the longest task on the page's main
//   thread (the Long Tasks API) and how many took over 100 ms; the page's
//   JS heap and DOM nodes; for yes, how long after the click on Stop the
//   page shows "Stopping…" and then "Stopped by you" (drawn: the frame
//   after the change); for grep, how long until its end is shown, and until
//   the page has read back from the server what it had left out.
//
//   node bench/ccview_serve_bench.js [BUILD_DIR] [RUNS]   (after npm ci; Linux)
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const build = path.resolve(process.argv[2] || 'build');
const runs = Number(process.argv[3] || 50);
process.env.TARVELKIN_PROGRAM = path.join(build, 'tarvelkin');
process.env.CCVIEW_PROGRAM = path.join(build, 'ccview');
process.env.SERVE_TOOL = path.join(build, 'tests', 'serve_tool');
const { example, launch, programs, servePage } = require('../tools/ccview/pages.js');

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const peakKb = (pid) => Number(/VmHWM:\s+(\d+)/.exec(fs.readFileSync('/proc/' + pid + '/status', 'utf8'))[1]);

// The sample config served with program, its choices made: "-f in.txt LEVEL".
async function served(browser, dir, name, program, cwd, level) {
  const server = await servePage(dir, name, fs.readFileSync(example, 'latin1'), program, cwd);
  const page = await browser.newPage();
  await page.goto(server.url);
  await page.locator('html[data-ready=true]').waitFor();
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
  await page.getByRole('textbox', { name: 'Level' }).fill(level || '1');
  return { server, page };
}

// From now on the page notes its longest main-thread task, and how many
// took longer than 100 ms.
const watchTasks = (page) => page.evaluate(() => {
  window.tasks = { longest: 0, over100: 0, count: 0 };
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) {
      window.tasks.longest = Math.max(window.tasks.longest, task.duration);
      window.tasks.count += 1;
      if (task.duration > 100) window.tasks.over100 += 1;
    }
  }).observe({ type: 'longtask' });
});
const tasksSaid = (t) => (t.count === 0 ? 'no main-thread task over 50 ms' : 'longest main-thread task ' +
  t.longest.toFixed(0) + ' ms (' + t.count + ' over 50 ms, ' + t.over100 + ' over 100 ms)');

// The page's JS heap (MB) and DOM nodes, after a garbage collection.
async function pageMemory(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('HeapProfiler.collectGarbage');
  await cdp.send('Performance.enable');
  const { metrics } = await cdp.send('Performance.getMetrics');
  const metric = (name) => metrics.find((m) => m.name === name).value;
  await cdp.detach();
  return { heap: metric('JSHeapUsedSize') / 1048576, nodes: metric('Nodes') };
}
const memorySaid = (m) => 'JS heap ' + m.heap.toFixed(1) + ' MB, ' + m.nodes + ' DOM nodes';

// Clicks Stop; resolves to the milliseconds from the click's event to the
// frames that show "Stopping…" and "Stopped by you".
async function stopTimed(page) {
  await page.evaluate(() => {
    const state = document.getElementById('run-state');
    window.stopSeen = new Promise((resolve) => {
      let clicked = null;
      const seen = {};
      const note = (key) => requestAnimationFrame(() => {
        seen[key] = performance.now() - clicked;
        if (seen.stopped !== undefined) resolve(seen);
      });
      document.getElementById('stop').addEventListener('click', (e) => { clicked = e.timeStamp; }, { capture: true });
      new MutationObserver(() => {
        if (clicked === null) return;
        if (seen.stopping === undefined && state.textContent.startsWith('Stopping')) note('stopping');
        if (state.textContent.startsWith('Stopped by you')) note('stopped');
      }).observe(state, { childList: true, characterData: true, subtree: true });
    });
  });
  await page.getByRole('button', { name: 'Stop' }).click();
  return page.evaluate(() => window.stopSeen);
}

// A tree of sources for grep: files of 5,000 lines each, lines lines in all,
// every one of them matching "value".
function sources(folder, lines) {
  for (let file = 0; file * 5000 < lines; ++file) {
    const dir = path.join(folder, 'src', 'part' + (file % 8));
    fs.mkdirSync(dir, { recursive: true });
    const text = [];
    for (let line = 0; line < 5000 && file * 5000 + line < lines; ++line)
      text.push('    total += value_of(items[' + line + '], ' + file + ');  /* step ' + line + ' of the loop */');
    fs.writeFileSync(path.join(dir, 'file' + file + '.c'), text.join('\n') + '\n');
  }
}

async function runOnce(page) {
  await page.evaluate(() => { window.ended = false; performance.clearMarks('ccview-run-end'); });
  await page.getByRole('button', { name: 'Run', exact: true }).click();
  await page.waitForFunction(() => performance.getEntriesByName('ccview-run-end').length > 0);
}

(async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-serve-bench-'));
  const browser = await launch();
  try {
    // First line: the page notes when a line holding "stamp" is drawn.
    let { server, page } = await served(browser, dir, 'first', [programs.serveTool, 'stamp', 'argv']);
    await page.evaluate(() => {
      // (the page draws its rows again in the elements it has: a stamp is
      // new by its text)
      window.shownAt = [];
      const seen = new Set();
      new MutationObserver(() => {
        const line = document.querySelector('#output .line');
        if (line && line.textContent.startsWith('stamp ') && !seen.has(line.textContent)) {
          seen.add(line.textContent);
          window.shownAt.push([line.textContent, (performance.timeOrigin + performance.now()) * 1000]);
        }
      }).observe(document.getElementById('output'), { childList: true, subtree: true, characterData: true });
    });
    for (let i = 0; i < runs; ++i) await runOnce(page);
    const delays = (await page.evaluate(() => window.shownAt))
      .map(([text, at]) => (at - Number(text.split(' ')[1])) / 1000);
    await server.stop();
    console.log('first line shown after the program wrote it, ' + delays.length + ' runs: median ' +
      median(delays).toFixed(2) + ' ms, worst ' + Math.max(...delays).toFixed(2) + ' ms');

    // 10 MB of output.
    ({ server, page } = await served(browser, dir, 'flood', [programs.serveTool, 'flood:10485760', 'argv']));
    const before = peakKb(server.pid);
    await page.evaluate(() => {
      window.lag = 0;
      let last = performance.now();
      setInterval(() => {
        const now = performance.now();
        window.lag = Math.max(window.lag, now - last - 16);
        last = now;
      }, 16);
    });
    const start = Date.now();
    await runOnce(page);
    const took = Date.now() - start;
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0);
    const complete = Date.now() - start;
    const lag = await page.evaluate(() => window.lag);
    const floodNotice = await page.locator('#output-notice').textContent();
    const after = peakKb(server.pid);
    await server.stop();
    console.log('10 MB streamed: end shown after ' + took + ' ms, the page\'s lines read back from the server after ' +
      complete + ' ms; the page\'s 16 ms timer late by at most ' + lag.toFixed(0) + ' ms; notice: "' +
      floodNotice + '"');
    // The same run read by a bare fetch, on a page of its own.
    ({ server, page } = await served(browser, dir, 'bare', [programs.serveTool, 'flood:10485760', 'argv']));
    const bare = await page.evaluate(async () => {
      const t0 = performance.now();
      let lag = 0;
      let last = t0;
      const timer = setInterval(() => {
        const now = performance.now();
        lag = Math.max(lag, now - last - 16);
        last = now;
      }, 16);
      const response = await fetch('/api/events');
      await fetch('/api/run', { method: 'POST', headers: { 'Content-Type': 'application/json' }, body: '{"words":[]}' });
      const reader = response.body.getReader();
      const decoder = new TextDecoder();
      let tail = '';
      for (;;) {
        const { value, done } = await reader.read();
        if (done) break;
        tail = (tail + decoder.decode(value, { stream: true })).slice(-200);
        if (tail.includes('"type":"end"')) break;
      }
      clearInterval(timer);
      return [performance.now() - t0, lag];
    });
    await server.stop();
    console.log('the same run\'s event stream read by a bare fetch, nothing drawn: ' + bare[0].toFixed(0) +
      ' ms; timer late by at most ' + bare[1].toFixed(0) + ' ms');
    console.log('server peak memory (VmHWM): ' + (before / 1024).toFixed(1) + ' MB before, ' +
      (after / 1024).toFixed(1) + ' MB after the 10 MB run (it keeps the last 8 MB of a run)');

    // Output without end: yes repeats the page's words as fast as it can.
    ({ server, page } = await served(browser, dir, 'endless', ['/usr/bin/yes', '--']));
    const cdp = await page.context().newCDPSession(page);
    await watchTasks(page);
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await page.locator('#output .line').first().waitFor();
    const heaps = [];
    for (let i = 0; i < 10; ++i) {
      await new Promise((resolve) => setTimeout(resolve, 1000));
      heaps.push((await cdp.send('Runtime.getHeapUsage')).usedSize / 1048576);
    }
    const stopped = await stopTimed(page);
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0, null,
      { timeout: 300000 });
    const yesTasks = await page.evaluate(() => window.tasks);
    const yesMemory = await pageMemory(page);
    await server.stop();
    console.log('yes for 10 s: the page\'s JS heap ' + heaps.map((h) => h.toFixed(0)).join(', ') +
      ' MB (once a second); ' + tasksSaid(yesTasks) + '; after Stop, "Stopping…" drawn ' +
      stopped.stopping.toFixed(0) + ' ms and "Stopped by you" ' + stopped.stopped.toFixed(0) +
      ' ms after the click; then ' + memorySaid(yesMemory));

    // grep -rn over sources, 200,000 lines of output (about 17 MB).
    const tree = path.join(dir, 'grep');
    sources(path.join(tree, 'tree'), 200000);
    fs.writeFileSync(path.join(tree, 'in.txt'), 'value\n');
    ({ server, page } = await served(browser, dir, 'grep', ['/usr/bin/grep', '-rn'], tree, 'tree'));
    await watchTasks(page);
    const grepStart = Date.now();
    await runOnce(page);
    const grepEnd = Date.now() - grepStart;
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0, null,
      { timeout: 300000 });
    const grepComplete = Date.now() - grepStart;
    const grepTasks = await page.evaluate(() => window.tasks);
    const grepMemory = await pageMemory(page);
    const notice = await page.locator('#output-notice').textContent();
    const status = await page.locator('#run-state').textContent();
    await server.stop();
    console.log('grep -rn, 200,000 lines: "' + status + '"; end shown after ' + grepEnd + ' ms, the page\'s ' +
      'lines read back from the server after ' + grepComplete + ' ms; ' + tasksSaid(grepTasks) + '; ' +
      memorySaid(grepMemory) + '; notice: "' + notice + '"');
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
