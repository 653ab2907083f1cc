// Runs the page's browser tests (browser.test.js, serve.test.js, run.test.js, shelf.test.js) when this machine can: it
// needs playwright-core (npm ci in the source folder) and a Chromium
// (Debian's chromium, or CCVIEW_CHROMIUM). Otherwise it says why and exits 77,
// which ctest shows as a skipped test; with CCVIEW_BROWSER_REQUIRED=1 (as CI
// sets it) a missing piece fails instead.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');

function cannot(reason) {
  const required = process.env.CCVIEW_BROWSER_REQUIRED === '1';
  console.log((required ? 'FAILED: ' : 'SKIPPED: ') + reason);
  process.exit(required ? 1 : 77);
}

try {
  require.resolve('playwright-core');
} catch (e) {
  cannot('playwright-core is not installed; run "npm ci" in ' + path.resolve(__dirname, '..', '..', '..'));
}
const chromium = process.env.CCVIEW_CHROMIUM || '/usr/bin/chromium';
if (!fs.existsSync(chromium)) cannot('no Chromium at ' + chromium + '; install Debian\'s chromium or set CCVIEW_CHROMIUM');

const files = ['browser.test.js', 'serve.test.js', 'run.test.js', 'shelf.test.js'].map((name) => path.join(__dirname, name));
const run = spawnSync(process.execPath, ['--test'].concat(files), {
  stdio: 'inherit',
  env: { ...process.env, CCVIEW_CHROMIUM: chromium },
});
process.exit(run.status === null ? 1 : run.status);
