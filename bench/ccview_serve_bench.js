// The served page's runner (ccview --serve) in headless Chromium:
// - how long a line the program writes takes to show in the page: the test
//   tool writes its clock (microseconds since the epoch) in the line, the
//   page notes its own when the line is drawn; RUNS runs, median and worst;
// - 10 MB of output streamed: how long until the end shows, how late the
//   page's timer fires at worst meanwhile (a page that stops responding
//   shows it here), and the server's peak memory (VmHWM) before and after;
//   beside it the same stream read by a bare fetch in the page, drawing
//   nothing: what the browser itself needs to take the stream in;
// - a program that writes without end (yes) for 10 s: the page's JS heap,
//   then how long after Stop the end shows.
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

async function served(browser, dir, name, program) {
  const server = await servePage(dir, name, fs.readFileSync(example, 'latin1'), program);
  const page = await browser.newPage();
  await page.goto(server.url);
  await page.locator('html[data-ready=true]').waitFor();
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
  await page.getByRole('textbox', { name: 'Level' }).fill('1');
  return { server, page };
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
      window.shownAt = [];
      new MutationObserver(() => {
        const line = document.querySelector('#output .line');
        if (line && line.textContent.startsWith('stamp ') && !line.dataset.seen) {
          line.dataset.seen = '1';
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
    const lag = await page.evaluate(() => window.lag);
    const lines = await page.locator('#output .line').count();
    const after = peakKb(server.pid);
    await server.stop();
    console.log('10 MB streamed: end shown after ' + took + ' ms; the page\'s 16 ms timer late by at most ' +
      lag.toFixed(0) + ' ms; ' + lines + ' lines kept in the page');
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
    console.log('the same 10 MB read by a bare fetch, nothing drawn: ' + bare[0].toFixed(0) +
      ' ms; timer late by at most ' + bare[1].toFixed(0) + ' ms');
    console.log('server peak memory (VmHWM): ' + (before / 1024).toFixed(1) + ' MB before, ' +
      (after / 1024).toFixed(1) + ' MB after the 10 MB run (it keeps the last 8 MB of a run)');

    // Output without end: yes repeats the page's words as fast as it can.
    ({ server, page } = await served(browser, dir, 'endless', ['/usr/bin/yes', '--']));
    const cdp = await page.context().newCDPSession(page);
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await page.locator('#output .line').first().waitFor();
    const heaps = [];
    for (let i = 0; i < 10; ++i) {
      await new Promise((resolve) => setTimeout(resolve, 1000));
      heaps.push((await cdp.send('Runtime.getHeapUsage')).usedSize / 1048576);
    }
    const stopAt = Date.now();
    await page.getByRole('button', { name: 'Stop' }).click();
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-end').length > 0, null, { timeout: 300000 });
    const stopTook = Date.now() - stopAt;
    await server.stop();
    console.log('yes for 10 s: the page\'s JS heap ' + heaps.map((h) => h.toFixed(0)).join(', ') +
      ' MB (once a second); the end shown ' + stopTook + ' ms after Stop');
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
