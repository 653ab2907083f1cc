// Retakes the README's pictures:
// - docs/preview.png: the sample's preview page, "Fast mode" chosen and its
//   fields filled in;
// - docs/run.png: a served page (ccview --serve), whole, after two runs of
//   `tail` over a small log chosen with Browse… (relative to the working
//   folder): the output of the last, and both among the past runs.
// - docs/shelf.png: the shelf (ccview with no config) of a person with three
//   configs: one whose program is found, one whose program is missing, one
//   the reader refuses; and the example installed with ccview.
//
//   node tools/ccview/screenshot.js        (after building into build/, and npm ci)
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { example, launch, makePage, programs, servePage, serveShelf } = require('./pages.js');

const docs = path.resolve(__dirname, '..', '..', 'docs');

// A log viewer: the last lines of a log file, or the file followed.
const logViewer = [
  '# Log viewer', '# shows the end of a log file', '#', '#', '#', '#',
  'list show', 'name=Show', 'items = last, follow',
  'key last', 'name=Last lines', 'order = keys value path', 'arg=-n', 'next = disable', 'kmarg = lines', 'kfile = log',
  'key follow', 'name=Follow it', 'order = keys path disable', 'arg=-f', 'next = disable', 'kmarg = disable', 'kfile = log',
  'file log', 'name=Log file', 'action = load', 'filters = logs',
  'filter logs', 'name=Log files', 'exten = log, txt',
  'marg lines', 'name=Lines', 'info=How many lines from the end',
  'def show', '',
].join('\n');

const log = [
  '09:14:02 \x1b[32mINFO\x1b[0m  build started: 14 targets',
  '09:14:05 \x1b[32mINFO\x1b[0m  compiled parser (1.2 s)',
  '09:14:07 \x1b[33mWARN\x1b[0m  cache folder missing, made a new one',
  '09:14:11 \x1b[31mERROR\x1b[0m test "upload resumes" failed: timeout after 30 s',
  'tests: 10% 20%\r\x1b[Ktests: 100%, 1 failed',
  '09:14:12 \x1b[1mDONE\x1b[0m  13 of 14 targets',
  '',
].join('\n');

async function previewPicture(browser, dir) {
  const page = await browser.newPage({ viewport: { width: 900, height: 720 } });
  await page.goto(makePage(dir, 'prog', fs.readFileSync(example, 'latin1')));
  await page.getByLabel('Program').fill('prog');
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Input file' }).fill('/home/me/my notes.txt');
  await page.getByRole('textbox', { name: 'Level' }).fill('3');
  await page.evaluate(() => document.activeElement.blur());
  await page.screenshot({ path: path.join(docs, 'preview.png'), fullPage: true });
}

async function runPicture(browser, dir) {
  const work = path.join(dir, 'project');
  fs.mkdirSync(path.join(work, 'logs'), { recursive: true });
  fs.writeFileSync(path.join(work, 'logs', 'build 2.log'), log);
  const server = await servePage(dir, 'logs', logViewer, ['tail'], work);
  try {
    const page = await browser.newPage({ viewport: { width: 900, height: 760 } });
    await page.goto(server.url);
    await page.locator('html[data-ready=true]').waitFor();
    await page.getByRole('button', { name: 'Last lines' }).click();
    await page.getByRole('textbox', { name: 'Lines' }).fill('6');
    await page.getByRole('button', { name: 'Browse for Log file' }).click();
    await page.getByRole('checkbox', { name: 'Relative to the working folder' }).check();
    await page.getByRole('button', { name: 'logs/' }).click();
    await page.getByRole('button', { name: 'build 2.log' }).click();
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    const finished = page.locator('#run-state', { hasText: /^Finished after/ });
    await finished.waitFor();
    // Then the same with 4 lines: the past runs list both.
    await page.getByRole('textbox', { name: 'Lines' }).fill('4');
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await page.locator('.history-list > li').nth(1).waitFor();
    await page.waitForFunction(() => document.querySelectorAll('#output .line').length === 4);
    await finished.waitFor();
    await page.evaluate(() => {
      document.activeElement.blur();
      window.scrollTo(0, 0);
    });
    // The whole page: the choices, the command line with Run, the output, the past runs.
    await page.screenshot({ path: path.join(docs, 'run.png'), fullPage: true });
  } finally {
    await server.stop();
  }
}

async function shelfPicture(browser, dir) {
  const home = path.join(dir, 'person');
  const own = path.join(home, 'data', 'tarvelkin', 'configs');
  fs.mkdirSync(own, { recursive: true });
  fs.writeFileSync(path.join(dir, 'tail.sc'), logViewer);
  spawnSync(programs.tarvelkin, [path.join(dir, 'tail.sc'), path.join(own, 'tail.cc')]);
  const backup = logViewer.replace('# Log viewer', '# Backups').replace('# shows the end of a log file',
    '# copies a folder to the backup disk');
  fs.writeFileSync(path.join(dir, 'backup.sc'), backup);
  spawnSync(programs.tarvelkin, [path.join(dir, 'backup.sc'), path.join(own, 'mybackup.cc')]);
  const broken = fs.readFileSync(path.join(own, 'tail.cc'));
  broken[6] = 3;
  fs.writeFileSync(path.join(own, 'old-tool.cc'), broken);
  const server = await serveShelf(home);
  try {
    const page = await browser.newPage({ viewport: { width: 900, height: 760 } });
    await page.goto(server.url);
    await page.locator('html[data-ready=true]').waitFor();
    await page.screenshot({ path: path.join(docs, 'shelf.png'), fullPage: true });
  } finally {
    await server.stop();
  }
}

(async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-shot-'));
  const browser = await launch();
  try {
    await previewPicture(browser, dir);
    await runPicture(browser, dir);
    await shelfPicture(browser, dir);
    console.log(['preview.png', 'run.png', 'shelf.png'].map((name) => path.join(docs, name)).join('\n'));
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
