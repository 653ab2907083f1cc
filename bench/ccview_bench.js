// The preview page of the largest config the limits allow: how long ccview
// takes to write it (whole runs of the program) and how long headless
// Chromium takes from the start of loading the page to its first list shown
// (the page marks "ccview-ready" when it has drawn everything).
//
//   node bench/ccview_bench.js [BUILD_DIR] [RUNS]     (after npm ci; BUILD_DIR defaults to build)
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');

const build = path.resolve(process.argv[2] || 'build');
const runs = Number(process.argv[3] || 100);
process.env.TARVELKIN_PROGRAM = path.join(build, 'tarvelkin');
process.env.CCVIEW_PROGRAM = path.join(build, 'ccview');
const { launch, makePage, largestScript } = require('../tools/ccview/pages.js');

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const ms = (x) => x.toFixed(2) + ' ms';

(async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-bench-'));
  const url = makePage(dir, 'largest', largestScript());
  const config = path.join(dir, 'largest.cc');
  const page = path.join(dir, 'largest.html');

  const writes = [];
  for (let i = 0; i < runs; ++i) {
    const start = process.hrtime.bigint();
    const r = spawnSync(process.env.CCVIEW_PROGRAM, [config, page]);
    writes.push(Number(process.hrtime.bigint() - start) / 1e6);
    if (r.status !== 0) throw new Error('ccview failed');
  }
  const browser = await launch();
  const shown = [];
  for (let i = 0; i < Math.max(5, runs / 5); ++i) {
    const context = await browser.newContext();
    const tab = await context.newPage();
    await tab.goto(url);
    await tab.locator('html[data-ready=true]').waitFor();
    shown.push(await tab.evaluate(() => performance.getEntriesByName('ccview-ready')[0].startTime));
    await context.close();
  }
  await browser.close();
  console.log('largest config: ' + fs.statSync(config).size + ' bytes, page ' + fs.statSync(page).size + ' bytes');
  console.log('ccview whole run:        median ' + ms(median(writes)) + ', max ' + ms(Math.max(...writes)) + ' (' + writes.length + ' runs)');
  console.log('first list in Chromium:  median ' + ms(median(shown)) + ', max ' + ms(Math.max(...shown)) + ' (' + shown.length + ' loads)');
  fs.rmSync(dir, { recursive: true, force: true });
})();
