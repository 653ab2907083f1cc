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

// A script at every limit: 50 lists of 20 keys, 500 keys that insert all
// three elements and lead on to the next list, 100 file items of 5 filters,
// 50 filters of 10 extensions and 100 margs with two-line tooltips.
function largestScript() {
  const lines = ['# Largest', '# 2', '# 3', '# 4', '# 5', '# 6'];
  for (let l = 0; l < 50; ++l) {
    const keys = Array.from({ length: 20 }, (_, i) => 'k' + ((l * 10 + i) % 500));
    lines.push('list l' + l, 'name=List ' + l, 'items = ' + keys.join(', '));
  }
  for (let k = 0; k < 500; ++k) {
    lines.push('key k' + k, 'name=Key ' + k + ' caption', 'order = keys path value', 'arg=--option-' + k + '=',
      'next = l' + ((k + 1) % 50), 'kmarg = m' + (k % 100), 'kfile = f' + (k % 100));
  }
  for (let f = 0; f < 100; ++f)
    lines.push('file f' + f, 'name=File ' + f, 'action = ' + ['load', 'save'][f % 2], 'filters = t0, t1, t2, t3, t4');
  for (let t = 0; t < 50; ++t)
    lines.push('filter t' + t, 'name=Filter ' + t, 'exten = a, b, c, d, e, f, g, h, i, j');
  for (let m = 0; m < 100; ++m) lines.push('marg m' + m, 'name=Marg ' + m, 'info=First line<@Second line ' + m);
  lines.push('def l0');
  return lines.join('\n') + '\n';
}

module.exports = { programs, example, launch, makePage, largestScript };
