// The Windows build's Browse…: the desktop's own open dialog, shown by the
// server (ccview.exe --serve under Wine, on an Xvfb display), driven with
// xdotool as a person would: the file typed into it reaches the page's field
// and the program receives it exactly. Saves a picture of the dialog beside
// its log. Run by .ci/windows, with DISPLAY set to its Xvfb display:
//
//   node tools/ccview/test/native-dialog.js BUILD-MINGW-FOLDER
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawn, spawnSync } = require('node:child_process');
const { pathToFileURL } = require('node:url');
const { example, launch, servedAddress } = require('../pages.js');

const build = path.resolve(process.argv[2] || 'build-mingw');
const wine = process.env.TARVELKIN_WINE || '/usr/lib/wine/wine64';
const picture = path.join(build, 'native-dialog.png');

function cannot(reason) {
  const required = process.env.CCVIEW_BROWSER_REQUIRED === '1';
  console.log((required ? 'FAILED: ' : 'SKIPPED: ') + reason);
  process.exit(required ? 1 : 0);
}

// A program run to its end; its standard output.
function run(program, args) {
  const r = spawnSync(program, args, { encoding: 'utf8', timeout: 120000 });
  if (r.status !== 0) throw new Error(program + ' ' + args.join(' ') + ' failed:\n' + r.stdout + r.stderr);
  return r.stdout;
}

(async () => {
  try {
    require.resolve('playwright-core');
  } catch (e) {
    cannot('playwright-core is not installed (npm ci)');
  }
  if (!process.env.DISPLAY) cannot('no DISPLAY: .ci/windows starts Xvfb');
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-dialog-'));
  const windows = (p) => 'Z:' + p.replace(/\//g, '\\');
  fs.mkdirSync(path.join(dir, 'work', 'my files'), { recursive: true });
  fs.writeFileSync(path.join(dir, 'work', 'my files', 'notes 1.txt'), 'x');
  fs.copyFileSync(example, path.join(dir, 'prog.sc'));
  run(wine, [path.join(build, 'tarvelkin.exe'), windows(path.join(dir, 'prog.sc')), windows(path.join(dir, 'prog.cc'))]);

  const server = spawn(wine, [path.join(build, 'ccview.exe'), '--serve', '--no-browser', '--cwd',
    windows(path.join(dir, 'work')), windows(path.join(dir, 'prog.cc')), '--', path.join(build, 'tests', 'argv_print.exe')],
  { stdio: ['ignore', 'pipe', 'inherit'] });
  // The launch file, as Wine names it and as this system does.
  const url = pathToFileURL(run(wine, ['winepath', '-u', await servedAddress(server)]).trim()).href;
  const browser = await launch();
  try {
    const page = await browser.newPage();
    await page.goto(url);
    await page.locator('html[data-ready=true]').waitFor();
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Level' }).fill('2');
    await page.getByRole('button', { name: 'Browse for Input file' }).click();

    // The dialog is titled with the file item's caption.
    const found = run('xdotool', ['search', '--sync', '--name', '^Input file$']).trim().split('\n')[0];
    run('xdotool', ['windowfocus', '--sync', found]);
    run('xdotool', ['type', '--delay', '20', 'my files\\notes 1.txt']);
    run('import', ['-window', 'root', picture]);
    run('xdotool', ['key', 'Return']);

    const field = page.getByRole('textbox', { name: 'Input file' });
    const chosen = windows(path.join(dir, 'work', 'my files', 'notes 1.txt'));
    await page.waitForFunction((want) => document.getElementById('s0-path').value === want, chosen);
    assert.equal(await field.inputValue(), chosen);
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await page.getByRole('status').filter({ hasText: /^Finished after/ }).waitFor();
    const lines = (await page.getByRole('log', { name: 'Output' }).innerText()).trim().split('\n');
    assert.deepEqual(lines.slice(1).map((h) => Buffer.from(h, 'hex').toString('utf8')), ['-f', chosen, '2']);
    console.log('native dialog: chose ' + chosen + '; the program received it; picture in ' + picture);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})().catch((e) => {
  console.log('FAILED: ' + (e.stack || e));
  process.exit(1);
});
