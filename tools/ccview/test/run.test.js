// The served page as a person uses it, in a real browser: answering a
// program's question through the input line (cp -i), and the same question
// with its input closed; the whole output of a run larger than the page
// keeps, saved; the past runs, viewed, saved and run again; standard error
// marked and filtered; Browse… from the keyboard alone; and a name for
// every control. Started by browser-run.js.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { example, programs, servePage, browserSession } = require('./browser.js');
const T = require('../runText.js');

const harness = browserSession('ccview-run-', { control: true });
const { dir, open } = harness;

// A copy tool: cp -i SOURCE TARGET, a save dialog for the target.
const copyScript = ['# Copy', '# copies a file, asking before it replaces one', '#', '#', '#', '#',
  'list copy', 'name=Copy', 'items = ask',
  'key ask', 'name=Ask before replacing', 'order = keys path disable', 'arg=-i', 'next = target', 'kmarg = disable',
  'kfile = source',
  'list target', 'name=To', 'items = to',
  'key to', 'name=Target file', 'order = path disable', 'next = disable', 'kmarg = disable', 'kfile = target',
  'file source', 'name=Source', 'action = load', 'filters = all',
  'file target', 'name=Target', 'action = save', 'filters = all',
  'filter all', 'name=All files', 'exten = *',
  'def copy', ''].join('\n');

// A folder of a test's own: its server keeps its runs there.
const folder = (name) => fs.mkdirSync(path.join(dir, name), { recursive: true }) || path.join(dir, name);

const output = (page) => page.getByRole('log', { name: 'Output' });
const runState = (page) => page.locator('#run-state');
const ended = (page, text) => page.getByRole('status').filter({ hasText: text });
const run = (page) => page.getByRole('button', { name: 'Run', exact: true });
const rows = (page) => output(page).locator('.line').evaluateAll((lines) => lines.map((l) => l.className.slice(5) +
  ':' + l.textContent));

async function chooseCopy(page, source, target) {
  await page.getByRole('button', { name: 'Ask before replacing' }).click();
  await page.getByRole('textbox', { name: 'Source' }).fill(source);
  await page.getByRole('button', { name: 'Target file' }).click();
  await page.getByRole('textbox', { name: 'Target' }).fill(target);
}

test('cp -i through the input line: the question, the answer "y", the copy; with input closed, amber', async () => {
  const work = path.join(folder('copy'), 'work');
  fs.mkdirSync(work, { recursive: true });
  fs.writeFileSync(path.join(work, 'new.txt'), 'new\n');
  fs.writeFileSync(path.join(work, 'old.txt'), 'old\n');
  const server = await servePage(folder('copy'), 'copy', copyScript, ['cp'], work);
  try {
    // A window too low for the choices and the output together.
    const { page, errors } = await open(server.url, { viewport: { width: 900, height: 600 } });
    assert.equal(await page.title(), 'Copy');
    assert.equal(await page.getByRole('heading', { level: 1 }).textContent(), 'Copy copy.cc');
    await chooseCopy(page, 'new.txt', 'old.txt');
    await page.getByRole('checkbox', { name: /input line/ }).check();
    // Enter in a field runs the complete command.
    await page.getByRole('textbox', { name: 'Target' }).press('Enter');
    await ended(page, 'Running: waiting for input').waitFor();
    assert.deepEqual(await rows(page), ["err:cp: overwrite 'old.txt'? "]);
    assert.equal(await page.locator('#output-command').textContent(), '$ cp -i new.txt old.txt');
    // The output was brought into view.
    const box = await output(page).boundingBox();
    assert.ok(box.y >= 0 && box.y < 600, 'the output is in view: ' + box.y);
    const input = page.getByRole('textbox', { name: 'Input', exact: true });
    await input.fill('y');
    await input.press('Enter');
    await ended(page, /^Finished after/).waitFor();
    assert.equal(fs.readFileSync(path.join(work, 'old.txt'), 'utf8'), 'new\n');
    assert.deepEqual(await rows(page), ["err:cp: overwrite 'old.txt'? ", 'in:y']);
    assert.ok(await input.isHidden());

    // The same question with the input closed: not a plain success.
    fs.writeFileSync(path.join(work, 'old.txt'), 'old\n');
    await page.getByRole('checkbox', { name: /input line/ }).uncheck();
    await run(page).click();
    const asked = ended(page, /^Finished after [\d.]+ s: it may have asked for input it could not get\./);
    await asked.waitFor();
    assert.equal(await runState(page).getAttribute('class'), 'run-state asked');
    assert.equal(await runState(page).evaluate((e) => getComputedStyle(e).color),
      await page.evaluate(() => { const p = document.createElement('p'); p.style.color = 'var(--amber)';
        document.body.append(p); const c = getComputedStyle(p).color; p.remove(); return c; }));
    assert.equal(fs.readFileSync(path.join(work, 'old.txt'), 'utf8'), 'old\n');
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

// What serve_tool's flood:BYTES writes.
function flood(total) {
  const parts = [];
  let size = 0;
  for (let line = 0; size < total; ++line) {
    const text = 'line ' + line + ' of the flood, to fill the output panel\n';
    parts.push(text);
    size += text.length;
  }
  return Buffer.from(parts.join('').slice(0, total));
}

test('a run larger than the page keeps: its end shown, one notice, the whole output saved byte for byte', async () => {
  const bytes = 24 << 20;
  const server = await servePage(folder('large'), 'large', fs.readFileSync(example, 'latin1'),
    [programs.serveTool, 'flood:' + bytes, 'argv']);
  try {
    const { page, errors } = await open(server.url);
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('1');
    await page.keyboard.press('Control+Enter');
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0, null,
      { timeout: 120000 });
    const wrote = Buffer.concat([flood(bytes), Buffer.from(['-f', 'in.txt', '1'].map((w) =>
      Buffer.from(w).toString('hex') + '\n').join(''))]);
    const lines = wrote.toString('latin1').split('\n').slice(0, -1);
    // The page keeps the last 50,000 lines: the notice says how much is not
    // shown, and scrolling back reaches the first of them.
    const kept = lines.slice(-50000);
    const notShown = wrote.length - Buffer.from(kept.join('\n') + '\n', 'latin1').length;
    assert.equal(await page.locator('#output-notice').textContent(),
      T.readableSize(notShown) + ' not shown: Save output to keep all');
    assert.equal((await rows(page)).at(-1), 'out:' + lines.at(-1));
    await output(page).press('Home');
    await page.waitForFunction((first) => {
      const row = document.querySelector('#output .line');
      return row && row.textContent === first;
    }, kept[0]);

    const [download] = await Promise.all([page.waitForEvent('download'),
      page.getByRole('button', { name: 'Save output…' }).first().click()]);
    const saved = fs.readFileSync(await download.path());
    assert.equal(saved.length, wrote.length);
    assert.ok(saved.equals(wrote), 'the saved output is what the program wrote');
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

test('past runs: the command shown is the run\'s; view, save and Run again with the same words', async () => {
  const server = await servePage(folder('again'), 'again', fs.readFileSync(example, 'latin1'),
    [programs.serveTool, harness.control.arg, 'wait:again', 'out:a notice\\n', 'argv']);
  try {
    const { page, errors } = await open(server.url);
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('my notes.txt');
    const level = page.getByRole('textbox', { name: 'Level' });
    await level.fill('3');
    await run(page).click();
    await ended(page, 'Running…').waitFor();
    // Choices edited during the run change the next run, not this one's line.
    const heading = await page.locator('#output-command').textContent();
    await level.fill('4');
    assert.equal(await page.locator('#output-command').textContent(), heading);
    harness.control.release('again');
    await ended(page, /^Finished after/).waitFor();
    const first = await output(page).innerText();
    assert.match(heading, / -f 'my notes.txt' 3$/);

    // Another run with other choices, then the first again.
    await page.getByRole('button', { name: 'Reset' }).click();
    await page.getByRole('button', { name: 'Slow mode' }).click();
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('other.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('9');
    await run(page).click();
    await page.locator('.history-list > li').nth(1).waitFor();
    await ended(page, /^Finished after/).first().waitFor();
    // The new run's lines replace the last one's, also where they are alike.
    const hex = (word) => Buffer.from(word).toString('hex');
    await page.waitForFunction((text) => document.getElementById('output').innerText === text,
      ['a notice', hex('-f'), hex('other.txt'), hex('9')].join('\n'), { timeout: 5000 });
    const past = page.locator('.history-list > li');
    assert.equal(await past.count(), 2);
    const older = past.nth(1);
    assert.equal(await older.locator('code').textContent(), heading.slice(2));

    const [download] = await Promise.all([page.waitForEvent('download'),
      older.getByRole('button', { name: 'Save output…' }).click()]);
    assert.equal(fs.readFileSync(await download.path(), 'latin1'), 'a notice\n' + first.split('\n').slice(1).join('\n') + '\n');
    await older.getByRole('button', { name: 'View output' }).click();
    await output(page).getByText('a notice').waitFor();

    // (the output viewed is the older run's: the new run's shows once it is complete)
    await page.evaluate(() => performance.clearMarks('ccview-run-complete'));
    await older.getByRole('button', { name: 'Run again' }).click();
    await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0);
    await page.locator('.history-list > li').nth(2).waitFor();
    assert.equal(await page.locator('#output-command').textContent(), heading);
    assert.equal(await page.getByRole('textbox', { name: 'Input file' }).inputValue(), 'my notes.txt');
    assert.equal(await page.getByRole('textbox', { name: 'Level' }).inputValue(), '3');
    assert.equal(await output(page).innerText(), first, 'the same argument vector');
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

// A run's first rows are drawn where the last run's were: the page must
// never leave the last run's text in them (each run's lines count from 1).
test('each run shows its own lines, never the last run\'s', async () => {
  const server = await servePage(folder('fresh'), 'fresh', fs.readFileSync(example, 'latin1'),
    [programs.serveTool, 'stamp', 'argv']);
  try {
    const { page, errors } = await open(server.url);
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('1');
    const shown = new Set();
    for (let i = 0; i < 6; ++i) {
      await page.evaluate(() => performance.clearMarks('ccview-run-complete'));
      await run(page).click();
      await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0);
      const first = await output(page).locator('.line').first().textContent();
      assert.match(first, /^stamp \d+$/);
      assert.ok(!shown.has(first), 'run ' + (i + 1) + ' shows a line of an earlier run: ' + first);
      shown.add(first);
    }
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

test('standard error: a neutral tint, a mark read out, a filter for each stream', async () => {
  const server = await servePage(folder('streams'), 'streams', fs.readFileSync(example, 'latin1'),
    [programs.serveTool, 'out:one\\n', 'err:warning: two\\n', 'out:three\\n', 'exit:0']);
  try {
    const { page } = await open(server.url);
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('1');
    await run(page).click();
    await ended(page, /^Finished after/).waitFor();
    // (two pipes: which stream's line comes first is the system's to say)
    assert.deepEqual((await rows(page)).sort(), ['err:warning: two', 'out:one', 'out:three']);
    const err = output(page).locator('.line.err');
    const [r, g, b] = (await err.evaluate((e) => getComputedStyle(e).backgroundColor)).match(/[\d.]+/g).map(Number);
    assert.ok(Math.abs(r - g) < 30 && Math.abs(r - b) < 40, 'no red: ' + [r, g, b]);
    assert.equal(await err.evaluate((e) => getComputedStyle(e).color), await output(page).evaluate((e) => getComputedStyle(e).color));
    assert.equal(await err.evaluate((e) => getComputedStyle(e, '::before').content), '"err" / "standard error:"');
    const show = page.getByRole('combobox', { name: 'Show' });
    await show.selectOption({ label: 'Standard error only' });
    await page.waitForFunction(() => document.querySelectorAll('#output .line').length === 1);
    assert.deepEqual(await rows(page), ['err:warning: two']);
    await show.selectOption({ label: 'Standard output only' });
    await page.waitForFunction(() => document.querySelectorAll('#output .line').length === 2);
    assert.deepEqual(await rows(page), ['out:one', 'out:three']);
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await page.getByRole('button', { name: 'Copy output' }).click();
    await page.getByRole('status').filter({ hasText: 'Copied.' }).waitFor();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), 'one\nthree');
  } finally {
    await server.stop();
  }
});

test('Browse… from the keyboard: typing, Enter into a folder, hidden entries, relative paths, a save that asks', async () => {
  const work = path.join(folder('keys'), 'work');
  for (const folder of ['alpha', 'my files', '.hidden']) fs.mkdirSync(path.join(work, folder), { recursive: true });
  for (const file of ['my files/notes 1.txt', 'my files/notes 2.txt', 'old.txt']) fs.writeFileSync(path.join(work, file), 'x');
  const server = await servePage(folder('keys'), 'keys', copyScript, ['cp'], work);
  try {
    const { page, errors } = await open(server.url);
    await page.getByRole('button', { name: 'Ask before replacing' }).click();
    await page.getByRole('textbox', { name: 'Source' }).focus();
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Browse for Source');
    await page.keyboard.press('Enter');
    const dialog = page.getByRole('dialog', { name: 'Browse: Source' });
    const focused = () => page.evaluate(() => document.activeElement.textContent);
    // The listing comes from the server: the focus lands on its first entry once it is there.
    await page.waitForFunction(() => document.activeElement.textContent === 'alpha/');
    await page.keyboard.type('my');
    assert.equal(await focused(), 'my files/');
    await page.keyboard.press('Enter');
    await dialog.getByRole('button', { name: 'notes 2.txt' }).waitFor();
    assert.equal(await focused(), 'notes 1.txt', 'the focus stays in the list');
    await page.keyboard.press('ArrowDown');
    assert.equal(await focused(), 'notes 2.txt');
    // Backspace goes up; the hidden entries show on request.
    await page.keyboard.press('Backspace');
    await dialog.getByRole('button', { name: 'old.txt' }).waitFor();
    assert.ok(await dialog.getByRole('button', { name: '.hidden/' }).isHidden());
    await dialog.getByRole('checkbox', { name: 'Show hidden entries' }).press('Space');
    await dialog.getByRole('button', { name: '.hidden/' }).waitFor();
    await dialog.getByRole('button', { name: 'Home' }).press('Enter');
    await page.waitForFunction((home) => document.querySelector('dialog .folder').textContent === home, os.homedir());
    await dialog.getByRole('button', { name: 'Working folder' }).press('Enter');
    await page.waitForFunction((w) => document.querySelector('dialog .folder').textContent === w, work);
    await dialog.getByRole('checkbox', { name: 'Relative to the working folder' }).press('Space');
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Shift+Tab');
    await dialog.getByRole('button', { name: 'my files/' }).press('Enter');
    await dialog.getByRole('button', { name: 'notes 1.txt' }).press('Enter');
    assert.equal(await page.getByRole('textbox', { name: 'Source' }).inputValue(), path.join('my files', 'notes 1.txt'));
    assert.equal(await page.evaluate(() => document.activeElement.id), 's0-path', 'the focus is back in the field');

    // A save dialog asks before it chooses a file that exists.
    await page.getByRole('button', { name: 'Target file' }).click();
    await page.getByRole('button', { name: 'Browse for Target' }).press('Enter');
    const save = page.getByRole('dialog', { name: 'Browse: Target' });
    await save.getByRole('textbox', { name: 'File name' }).fill('old.txt');
    await save.getByRole('textbox', { name: 'File name' }).press('Enter');
    await save.getByRole('alert').getByText('old.txt exists already. Replace it?', { exact: false }).waitFor();
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Replace it');
    await page.keyboard.press('Enter');
    assert.equal(await page.getByRole('textbox', { name: 'Target' }).inputValue(), 'old.txt');
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

test('every control in the accessibility tree has a name', async () => {
  const server = await servePage(folder('names'), 'names', fs.readFileSync(example, 'latin1'),
    [programs.serveTool, harness.control.arg, 'ask:Go on? ', 'wait:names', 'argv']);
  try {
    const { page } = await open(server.url);
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('1');
    await page.getByRole('checkbox', { name: /input line/ }).check();
    await run(page).click();
    await page.getByRole('textbox', { name: 'Input', exact: true }).waitFor();
    for (const summary of ['Command line details', 'For the config\'s author']) await page.getByText(summary).click();
    const cdp = await page.context().newCDPSession(page);
    const unnamed = async () => {
      const { nodes } = await cdp.send('Accessibility.getFullAXTree');
      const controls = new Set(['button', 'textbox', 'checkbox', 'radio', 'combobox', 'listbox', 'link', 'slider',
        'spinbutton', 'switch', 'searchbox', 'log', 'dialog', 'timer']);
      return nodes.filter((n) => !n.ignored && controls.has(n.role && n.role.value) &&
        !(n.name && n.name.value && n.name.value.trim())).map((n) => n.role.value);
    };
    assert.deepEqual(await unnamed(), []);
    await page.getByRole('button', { name: 'Browse for Input file' }).click();
    await page.getByRole('dialog', { name: 'Browse: Input file' }).waitFor();
    assert.deepEqual(await unnamed(), []);
    await page.keyboard.press('Escape');
    harness.control.release('names');
    await page.getByRole('button', { name: 'Stop' }).click();
    await ended(page, /^Stopped by you/).waitFor();
  } finally {
    await server.stop();
  }
});
