// The served page (ccview --serve) in a real browser: a run from choice to
// Stop, Browse… over the runner's folders, and an attacker page on another
// loopback port that must not run the program. Started by browser-run.js.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { example, programs, servePage, browserSession } = require('./browser.js');

const harness = browserSession('ccview-serve-', { control: true });
const { dir, open } = harness;
const sample = () => fs.readFileSync(example, 'latin1');

const output = (page) => page.getByRole('log', { name: 'Output' });
const runState = (page) => page.locator('#run-state');
// How the run stands, once it says text.
const ended = (page, text) => page.getByRole('status').filter({ hasText: text });
const commandOf = (page) => page.getByRole('status', { name: 'Command line' }).textContent();
const hexWords = (text) => text.trim().split('\n').map((h) => Buffer.from(h, 'hex').toString('utf8'));

async function chooseFastMode(page, file, level) {
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Input file' }).fill(file);
  await page.getByRole('textbox', { name: 'Level' }).fill(level);
}

test('choose, Run: lines appear while the program runs; Stop ends it', async () => {
  const server = await servePage(dir, 'live', sample(), [programs.serveTool, harness.control.arg,
    'out:first line\\n', 'wait:second', 'err:a warning\\n', 'out:second line\\n', 'wait:never', 'argv']);
  try {
    const { page, errors } = await open(server.url);
    const run = page.getByRole('button', { name: 'Run', exact: true });
    const stop = page.getByRole('button', { name: 'Stop' });
    assert.equal(await page.getByLabel('Program', { exact: true }).inputValue(), programs.serveTool);
    assert.ok(await run.isDisabled(), 'Run waits for a complete command');
    await chooseFastMode(page, 'in.txt', '3');
    // The line shown (and copied) holds the fixed arguments, quoted like the rest.
    const fixed = programs.serveTool + ' ' + harness.control.arg +
      " 'out:first line\\n' wait:second 'err:a warning\\n' 'out:second line\\n' wait:never argv";
    assert.equal(await commandOf(page), fixed + ' -f in.txt 3');
    const where = () => page.evaluate(() => ['run', 'stop'].map((id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      const row = document.getElementById(id).parentNode.getBoundingClientRect();
      return [r.left - row.left, r.top - row.top];
    }));
    const places = await where();
    // A double click asks once: nothing is refused, and the run's state stays.
    await run.dblclick();
    await output(page).getByText('first line').waitFor();
    assert.equal(await runState(page).textContent(), 'Running…');
    assert.equal(await page.locator('#run-refusal').textContent(), '');
    assert.ok(await run.isDisabled());
    // The program is still waiting: what shows came while it ran.
    harness.control.release('second');
    await output(page).getByText('second line').waitFor();
    assert.equal(await output(page).locator('.line.err').textContent(), 'a warning');
    await stop.click();
    await ended(page, /^Stopped by you after \d+\.\d+ s\.$/).waitFor();
    assert.ok(await stop.isDisabled());
    assert.ok(await run.isEnabled());
    assert.deepEqual(await where(), places, 'Run and Stop stay in place');
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

test('a program that writes without pause: the page keeps its bounds, and Stop shows the end', async () => {
  const server = await servePage(dir, 'flood', sample(), [programs.serveTool, 'flood:100000000000', 'argv']);
  try {
    const { page, errors } = await open(server.url);
    await chooseFastMode(page, 'in.txt', '1');
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await output(page).getByText(/^line \d+ of the flood/).first().waitFor();
    await page.getByRole('button', { name: 'Stop' }).click();
    await ended(page, /^Stopped by you after/).waitFor();
    assert.ok(await output(page).locator('.line').count() <= 10000);
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

test('Browse… picks a file with a blank in its path; the program receives it exactly', async () => {
  const work = path.join(dir, 'work');
  fs.mkdirSync(path.join(work, 'my files'), { recursive: true });
  fs.writeFileSync(path.join(work, 'my files', 'notes 1.txt'), 'x');
  fs.writeFileSync(path.join(work, 'my files', 'picture.png'), 'x');
  const server = await servePage(dir, 'browse', sample(), [programs.serveTool, 'argv'], work);
  try {
    const { page } = await open(server.url);
    await chooseFastMode(page, '', "it's 10");
    await page.getByRole('button', { name: 'Browse for Input file' }).click();
    const dialog = page.getByRole('dialog', { name: 'Browse: Input file' });
    assert.equal(await dialog.locator('.folder').textContent(), work);
    await dialog.getByRole('button', { name: 'my files/' }).click();
    await dialog.getByRole('button', { name: 'notes 1.txt' }).waitFor();
    // The item's filter leaves out what it does not admit.
    assert.deepEqual(await dialog.getByRole('listitem').allTextContents(), ['notes 1.txt']);
    await dialog.getByRole('button', { name: 'notes 1.txt' }).click();
    const chosen = path.join(work, 'my files', 'notes 1.txt');
    assert.equal(await page.getByRole('textbox', { name: 'Input file' }).inputValue(), chosen);
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await ended(page, /^Finished after/).waitFor();
    assert.deepEqual(hexWords(await output(page).innerText()), ['-f', chosen, "it's 10"]);
    // Once the server has ended, Run says why nothing happens.
    await server.stop();
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await page.getByRole('alert').getByText(/^ccview cannot be reached: it has ended/).waitFor();
  } finally {
    await server.stop();
  }
});

// The token reaches the browser in a file only this user can read, never on
// the opener's command line (which every user can read) nor in an address;
// the opener is no child of the server, in a session of its own that Ctrl+C
// never reaches. The browser keeps no cookie: the tab holds the token.
test('the browser, opened on the launch file, lands on the page with the token in its tab only', async () => {
  // A stand-in for xdg-open that tells the test what it was asked to open, and its /proc stat.
  const opener = path.join(dir, 'opener');
  const told = path.join(opener, 'told');
  fs.mkdirSync(opener, { recursive: true });
  fs.writeFileSync(path.join(opener, 'xdg-open'),
    `#!/bin/sh\n{ echo "$*"; cat /proc/$$/stat; } > '${told}.part' && mv '${told}.part' '${told}'\n`, { mode: 0o700 });
  const server = await servePage(dir, 'launch', sample(), [programs.serveTool, 'argv'], undefined, opener);
  const stat = (text) => text.slice(text.lastIndexOf(')') + 2).split(' ');  // state, parent, group, session...
  let launch;
  try {
    while (!fs.existsSync(told)) await new Promise((resolve) => setTimeout(resolve, 20));
    const [args, openerStat] = fs.readFileSync(told, 'utf8').split('\n');
    launch = args;
    assert.equal(path.basename(launch), 'ccview-' + server.port + '.html');
    assert.equal(fs.statSync(launch).mode & 0o777, 0o600);
    const [, parent, , session] = stat(openerStat);
    assert.notEqual(Number(parent), server.pid);
    assert.notEqual(session, stat(fs.readFileSync('/proc/' + server.pid + '/stat', 'utf8'))[3]);
    const context = await harness.browser.newContext();
    const page = await context.newPage();
    const addresses = [];
    page.on('framenavigated', (frame) => addresses.push(frame.url()));
    await page.goto(pathToFileURL(launch).href);
    await page.locator('html[data-ready=true]').waitFor();
    assert.equal(page.url(), 'http://127.0.0.1:' + server.port + '/');
    assert.deepEqual(await context.cookies(), []);
    const token = fs.readFileSync(launch.replace(/\.html$/, '.token'), 'utf8').trim();
    assert.ok(addresses.every((a) => !a.includes(token)), addresses.join(' '));
    assert.equal(await page.evaluate(() => sessionStorage.getItem('ccview-token')), token);
    // The launch answer replaced itself: Back leaves the page, no form is posted again.
    assert.equal(await page.evaluate(() => history.length), 2);
    await chooseFastMode(page, 'in.txt', '1');
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await ended(page, /^Finished after/).waitFor();
  } finally {
    await server.stop();
  }
  assert.equal(fs.existsSync(launch), false, 'the launch file goes with the server');
});

test('a page opened later takes the runs over; the first takes them back', async () => {
  const server = await servePage(dir, 'tabs', sample(), [programs.serveTool, 'argv']);
  try {
    const first = await open(server.url);
    const second = await open(server.url);
    const run = (page) => page.getByRole('button', { name: 'Run', exact: true });
    await first.page.getByText('Another page of this server now shows its runs.').waitFor();
    await chooseFastMode(first.page, 'in.txt', '1');
    assert.ok(await run(first.page).isDisabled());
    await first.page.getByRole('button', { name: 'Use this page' }).click();
    await second.page.getByRole('button', { name: 'Use this page' }).waitFor();
    await run(first.page).click();
    await ended(first.page, /^Finished after/).waitFor();
    assert.deepEqual([...first.errors, ...second.errors], []);
  } finally {
    await server.stop();
  }
});

// Another server on 127.0.0.1 (another user's, a container's) sees every
// request the browser sends it: none may carry the token, whatever the
// person did before; and its page can make the browser send nothing that
// runs the program.
test('an attacker page on another loopback port cannot run the program, nor learn the token', async () => {
  const marker = path.join(dir, 'ran');
  const server = await servePage(dir, 'attack', sample(), [programs.serveTool, 'touch:' + marker, 'argv']);
  const target = 'http://127.0.0.1:' + server.port;
  const attack = `<!DOCTYPE html><body><iframe name="sink"></iframe>
<form id="f" method="POST" action="${target}/api/run" enctype="text/plain" target="sink">
<input name='{"words":["x"],"y":"' value='"}'></form><script>
const tries = [];
tries.push(fetch('${target}/api/run', { method: 'POST', mode: 'no-cors', credentials: 'include',
  headers: { 'Content-Type': 'text/plain' }, body: '{"words":[]}' }).then(() => 'fetch answered', () => 'fetch failed'));
tries.push(fetch('${target}/api/run', { method: 'POST', credentials: 'include',
  headers: { 'Content-Type': 'application/json', 'X-Ccview-Token': 'guess' }, body: '{"words":[]}' })
  .then(() => 'header sent', () => 'preflight refused'));
tries.push(new Promise((done) => { const e = new EventSource('${target}/api/events', { withCredentials: true });
  e.onopen = () => done('events open'); e.onerror = () => { e.close(); done('events refused'); }; }));
tries.push(new Promise((done) => { const w = new WebSocket('ws://127.0.0.1:${server.port}/api/run');
  w.onopen = () => done('socket open'); w.onerror = () => done('socket refused'); }));
tries.push(new Promise((done) => { document.querySelector('iframe').onload = () => done('form posted');
  document.getElementById('f').submit(); }));
Promise.all(tries).then((r) => { window.results = r; });
</script></body>`;
  const seen = [];
  const evil = http.createServer((req, res) => {
    let body = '';
    req.on('data', (d) => { body += d; });
    req.on('end', () => {
      seen.push(req.method + ' ' + req.url + '\n' + JSON.stringify(req.headers) + '\n' + body);
      res.end(attack);
    });
  });
  await new Promise((resolve) => evil.listen(0, '127.0.0.1', resolve));
  try {
    // The person's own page first, and a run from it.
    const { page } = await open(server.url);
    await chooseFastMode(page, 'in.txt', '1');
    await page.getByRole('button', { name: 'Run', exact: true }).click();
    await ended(page, /^Finished after/).waitFor();
    fs.rmSync(marker);
    // Then, in the same tab, a page of another port.
    await page.goto('http://127.0.0.1:' + evil.address().port + '/');
    const results = await page.waitForFunction(() => window.results).then((h) => h.jsonValue());
    assert.deepEqual(results, ['fetch answered', 'preflight refused', 'events refused', 'socket refused', 'form posted']);
    assert.equal(fs.existsSync(marker), false, 'the program never ran');
    const token = fs.readFileSync(server.launch.replace(/\.html$/, '.token'), 'utf8').trim();
    assert.ok(seen.length > 0);
    for (const request of seen) assert.ok(!request.includes(token), request);
    assert.deepEqual(await page.context().cookies(), []);
  } finally {
    evil.close();
    await server.stop();
  }
});
