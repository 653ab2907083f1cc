// What the browser tests, the benchmark and the README's screenshot share:
// Debian's Chromium started by playwright-core (never a downloaded browser),
// and preview pages made by the built programs from script text.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { pathToFileURL } = require('node:url');

const root = path.resolve(__dirname, '..', '..', '..');
const programs = {
  tarvelkin: process.env.TARVELKIN_PROGRAM || path.join(root, 'build', 'tarvelkin'),
  ccview: process.env.CCVIEW_PROGRAM || path.join(root, 'build', 'ccview'),
};
const example = process.env.TARVELKIN_EXAMPLE || path.join(root, 'examples', 'prog.sc');

// Headless Chromium without the background traffic a closed network refuses.
async function launch() {
  const { chromium } = require('playwright-core');
  return chromium.launch({
    executablePath: process.env.CCVIEW_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

function run(program, args) {
  const r = spawnSync(program, args, { encoding: 'latin1' });
  if (r.status !== 0) throw new Error(program + ' ' + args.join(' ') + ' failed:\n' + r.stdout + r.stderr);
  return r;
}

// Compiles script (a string of bytes, one per character) to dir/NAME.cc and
// writes its page dir/NAME.html; returns the page's file: URL.
function makePage(dir, name, script) {
  const base = path.join(dir, name);
  fs.writeFileSync(base + '.sc', Buffer.from(script, 'latin1'));
  run(programs.tarvelkin, [base + '.sc', base + '.cc']);
  run(programs.ccview, [base + '.cc']);
  return pathToFileURL(base + '.html').href;
}

// The script at every limit that the C++ tests and the benchmarks use too.
function largestScript() {
  return fs.readFileSync(path.join(root, 'tests', 'every_limit.sc'), 'latin1');
}

module.exports = { programs, example, launch, makePage, largestScript };
