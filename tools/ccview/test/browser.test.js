// The preview page in a real browser: what needs events, storage, the
// clipboard, file dialogs and the promise that config text never becomes
// markup. Started by browser-run.js, which checks that a browser is at hand.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { example, launch, makePage, largestScript } = require('./browser.js');

let browser;
let dir;
let sampleUrl;

before(async () => {
  browser = await launch();
  dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-'));
  sampleUrl = makePage(dir, 'prog', fs.readFileSync(example, 'latin1'));
});

after(async () => {
  if (browser) await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
});

// A page in a context of its own (its own storage unless a context is given),
// with a clipboard that records what is written, and a record of errors,
// requests and dialogs.
async function open(url, context) {
  context = context || (await browser.newContext());
  await context.addInitScript(() => {
    window.copied = [];
    Object.defineProperty(navigator, 'clipboard', {
      value: { writeText: async (text) => { window.copied.push(text); } },
    });
  });
  const page = await context.newPage();
  const seen = { errors: [], requests: [], dialogs: [] };
  page.on('pageerror', (e) => seen.errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && seen.errors.push(m.text()));
  page.on('request', (r) => seen.requests.push(r.url()));
  page.on('dialog', (d) => { seen.dialogs.push(d.message()); d.dismiss(); });
  await page.goto(url);
  await page.locator('html[data-ready=true]').waitFor();
  return { context, page, seen };
}

const commandOf = (page) => page.getByRole('status', { name: 'Command line' }).textContent();
const step = (page, n) => page.getByRole('group', { name: new RegExp('^Step ' + n + ':') });

test('the sample: choose, type, the quoting styles, copy, back, loop and reset', async () => {
  const { page, context, seen } = await open(sampleUrl);
  const copy = page.getByRole('button', { name: 'Copy' });
  const copyResult = page.locator('#copy-result');
  assert.equal(await commandOf(page), '<program>');
  await page.getByRole('button', { name: 'Fast mode' }).click();
  assert.equal(await commandOf(page), '<program> -f <Input file> <Level>');
  assert.match(await page.locator('#command-state').textContent(), /^Incomplete: still needs a program name, <Input file>, <Level>\.$/);
  // Nothing incomplete is copied: placeholders never reach the clipboard.
  assert.equal(await copy.isDisabled(), true);
  assert.equal(await copyResult.textContent(), 'Copy is off until the command is complete.');

  await page.getByLabel('Program').fill('/opt/my tools/prog');
  await page.getByRole('textbox', { name: 'Input file' }).fill('/home/me/my notes.txt');
  await page.getByRole('textbox', { name: 'Level' }).fill("it's 10");
  assert.equal(await commandOf(page), "'/opt/my tools/prog' -f '/home/me/my notes.txt' 'it'\\''s 10'");
  assert.equal(await page.locator('#command-state').textContent(), 'Complete.');
  await page.getByRole('radio', { name: 'Windows, no shell' }).check();
  assert.equal(await commandOf(page), '"/opt/my tools/prog" -f "/home/me/my notes.txt" "it\'s 10"');
  await page.getByRole('radio', { name: 'Windows Command Prompt' }).check();
  assert.equal(await commandOf(page), '"/opt/my tools/prog" -f "/home/me/my notes.txt" "it\'s 10"');
  // The tooltip is the field's help, with its line break.
  const help = await page.getByRole('textbox', { name: 'Level' }).getAttribute('aria-describedby');
  assert.equal(await page.locator('#' + help).innerText(), 'First line\nSecond line');

  await copy.click();
  await page.getByText('Copied.').waitFor();
  assert.deepEqual(await page.evaluate(() => window.copied), [await commandOf(page)]);
  // "Copied." goes with the line it was said of.
  await page.getByRole('textbox', { name: 'Level' }).fill('!x!');
  assert.equal(await copyResult.textContent(), 'Copy is off: the line is not safe for the Windows Command Prompt.');
  assert.match(await page.locator('#command-state').textContent(), /^Not safe for the Windows Command Prompt: the line holds a "!"/);
  assert.equal(await copy.isDisabled(), true);
  await page.getByRole('textbox', { name: 'Level' }).fill("it's 10");
  assert.equal(await copyResult.textContent(), '');
  assert.equal(await copy.isDisabled(), false);

  await page.getByRole('button', { name: 'Back' }).click();
  assert.equal(await commandOf(page), '"/opt/my tools/prog"');
  assert.equal(await page.getByRole('group').filter({ hasText: /^Step/ }).count(), 0);

  // Slow mode leads back to Mode: each pass is a step with its own fields.
  await page.getByRole('button', { name: 'Slow mode' }).click();
  await page.getByRole('button', { name: 'Slow mode' }).click();
  await page.getByRole('button', { name: 'Fast mode' }).click();
  assert.equal(await step(page, 3).getByRole('textbox', { name: 'Input file' }).inputValue(), '');
  await step(page, 3).getByRole('textbox', { name: 'Input file' }).fill('C:\\data\\in.txt');
  await step(page, 3).getByRole('textbox', { name: 'Level' }).fill('');
  assert.equal(await commandOf(page), '"/opt/my tools/prog" -f C:\\data\\in.txt <Level>');
  await page.getByRole('button', { name: 'Reset' }).click();
  assert.equal(await commandOf(page), '"/opt/my tools/prog"');
  await page.getByRole('button', { name: 'Fast mode' }).waitFor();

  assert.deepEqual(seen.errors, []);
  assert.deepEqual(seen.requests, [sampleUrl], 'the page asks for nothing beyond itself');
  await context.close();
});

test('the keyboard alone reaches every choice and field, and every field has a name', async () => {
  const { page, context } = await open(sampleUrl);
  const focused = () => page.evaluate(() => {
    const e = document.activeElement;
    return (e.labels && e.labels[0] && e.labels[0].textContent) || e.getAttribute('aria-label') || e.textContent;
  });
  for (let i = 0; i < 20 && (await focused()) !== 'Slow mode'; ++i) await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  assert.equal(await focused(), 'Fast mode', 'the next list takes the focus');
  await page.keyboard.press('Enter');
  assert.equal(await focused(), 'Input file', 'the new step\'s first field takes the focus');
  await page.keyboard.type('x.txt');
  for (let i = 0; i < 5 && (await focused()) !== 'Level'; ++i) await page.keyboard.press('Tab');
  await page.keyboard.type('5');
  assert.equal(await commandOf(page), '<program> -f x.txt 5');

  const unnamed = await page.evaluate(() =>
    [...document.querySelectorAll('input, select, button')]
      .filter((e) => e.getAttribute('aria-hidden') !== 'true')
      .filter((e) => !((e.labels && e.labels.length) || e.getAttribute('aria-label') || e.textContent.trim()))
      .map((e) => e.outerHTML));
  assert.deepEqual(unnamed, []);
  await context.close();
});

test('a file dialog offers the filter\'s types and fills in the chosen name', async () => {
  const { page, context } = await open(sampleUrl);
  await page.getByRole('button', { name: 'Fast mode' }).click();
  assert.equal(await page.locator('input[type=file]').getAttribute('accept'), '.txt,.log');
  assert.equal(await page.getByLabel('File type for Input file').inputValue(), '0');
  const file = path.join(dir, 'data file.txt');
  fs.writeFileSync(file, 'x');
  const [chooser] = await Promise.all([
    page.waitForEvent('filechooser'),
    page.getByRole('button', { name: 'Choose Input file' }).click(),
  ]);
  await chooser.setFiles(file);
  assert.equal(await page.getByRole('textbox', { name: 'Input file' }).inputValue(), 'data file.txt');
  assert.equal(await commandOf(page), "<program> -f 'data file.txt' <Level>");
  await context.close();
});

test('config text is shown as text and never runs', async () => {
  const attack = '</script><img src=x onerror=alert(1)>';
  const url = makePage(dir, 'attack', [
    '# ' + attack, '# <b>bold</b>', '# <!--', '# &amp;', '# 5', '# 6',
    'list l', 'name=' + attack, 'items = k',
    'key k', 'name=<b>bold</b><script>alert(2)</script>', 'order = keys, value, disable', 'arg=--x=' + attack,
    'next = disable', 'kmarg = m', 'kfile = disable',
    'marg m', 'name=<i>m</i>', 'info=<img src=y onerror=alert(3)><@&lt',
    'def l', '',
  ].join('\n'));
  const { page, context, seen } = await open(url);
  await page.getByRole('button', { name: '<b>bold</b><script>alert(2)</script>' }).click();
  assert.equal(await page.locator('#open-list, #steps').locator('legend').first().textContent(),
    'Step 1: ' + attack + ': <b>bold</b><script>alert(2)</script>');
  await page.getByRole('textbox', { name: '<i>m</i>' }).fill('v');
  // Key data is read into words, each quoted: the markup stays text in the line too.
  assert.equal(await commandOf(page), "<program> '--x=</script><img' src=x 'onerror=alert(1)>' v");
  await page.getByText('About').click();
  assert.deepEqual(await page.locator('#header-items li').allTextContents(),
    [attack, '<b>bold</b>', '<!--', '&amp;', '5', '6']);
  assert.equal(await page.locator('.help').innerText(), '<img src=y onerror=alert(3)>\n&lt');
  assert.equal(await page.locator('img, b, i, body script:not([type])').count(), 1, 'only the page\'s own script');
  assert.deepEqual(seen.dialogs, []);
  assert.deepEqual(seen.errors, []);
  assert.deepEqual(seen.requests, [url]);
  await context.close();
});

test('texts that are not UTF-8 are shown in the code page chosen, and the choice is kept', async () => {
  const url = makePage(dir, 'latin', ['#1', '#2', '#3', '#4', '#5', '#6', 'list l', 'name=Caf\xe9', 'items = k',
    'key k', 'name=Na\xefve', 'order = keys, disable', 'arg=-n', 'next = disable', 'kmarg = disable', 'kfile = disable',
    'def l', ''].join('\n'));
  const { page, context } = await open(url);
  const select = page.getByLabel('Text encoding');
  assert.equal(await select.inputValue(), 'windows-1252');
  await page.getByRole('group', { name: 'Café' }).waitFor();
  await select.selectOption('windows-1251');
  await page.getByRole('group', { name: 'Cafй' }).waitFor();
  await page.getByRole('button', { name: 'Naпve' }).waitFor();
  const again = await open(url, context);
  assert.equal(await again.page.getByLabel('Text encoding').inputValue(), 'windows-1251');
  await again.page.getByRole('group', { name: 'Cafй' }).waitFor();
  // A config of UTF-8 texts offers no code page.
  const sample = await open(sampleUrl);
  assert.equal(await sample.page.getByLabel('Text encoding').isVisible(), false);
  await sample.context.close();
  await context.close();
});

test('reopening restores the program, choices, values and style, until they are forgotten', async () => {
  const first = await open(sampleUrl);
  const { page, context } = first;
  await page.getByLabel('Program').fill('prog');
  await page.getByRole('radio', { name: 'Windows, no shell' }).check();
  await page.getByRole('button', { name: 'Slow mode' }).click();
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Input file' }).fill('a b.txt');
  await page.getByRole('textbox', { name: 'Level' }).fill('7');
  const command = await commandOf(page);
  assert.equal(command, 'prog -f "a b.txt" 7');

  const second = await open(sampleUrl, context);
  assert.equal(await commandOf(second.page), command);
  assert.equal(await second.page.getByLabel('Program').inputValue(), 'prog');
  assert.equal(await second.page.getByRole('radio', { name: 'Windows, no shell' }).isChecked(), true);
  assert.equal(await step(second.page, 2).getByRole('textbox', { name: 'Input file' }).inputValue(), 'a b.txt');
  await second.page.getByRole('button', { name: 'Forget saved values' }).click();
  assert.equal(await commandOf(second.page), '<program>');

  const third = await open(sampleUrl, context);
  assert.equal(await commandOf(third.page), '<program>');
  // Another context (another browser profile) remembers nothing.
  await context.close();
});

// Each pass through the loop adds a word, so the line grows with every step:
// its box keeps a bounded height, and every choice stays reachable up to the
// step limit, in a desktop window and in a phone-sized one.
test('at any length the command box stays bounded and every choice reachable', async () => {
  const url = makePage(dir, 'loop', ['# 1', '# 2', '# 3', '# 4', '# 5', '# 6', 'list l', 'name=Loop', 'items = more, done',
    'key more', 'name=Once more', 'order = keys, disable', 'arg=--once-more-and-again', 'next = l',
    'kmarg = disable', 'kfile = disable',
    'key done', 'name=Done', 'order = keys, disable', 'arg=--done', 'next = disable', 'kmarg = disable', 'kfile = disable',
    'def l', ''].join('\n'));
  for (const viewport of [{ width: 1280, height: 720 }, { width: 390, height: 844 }]) {
    const { page, context } = await open(url, await browser.newContext({ viewport }));
    page.setDefaultTimeout(5000);
    await page.getByLabel('Program').fill('tool');
    const more = page.getByRole('button', { name: 'Once more' });
    for (let i = 0; i < 256; ++i) await more.click();
    const note = page.getByText('The chain of lists stops here: a command may take at most 256 steps. Go back, or reset.');
    await note.scrollIntoViewIfNeeded();
    assert.equal(await note.isVisible(), true);
    assert.equal(await more.count(), 0);
    assert.match(await page.locator('#command-state').textContent(), /the chain of lists was cut at 256 steps/);
    const box = await page.locator('#command').evaluate((e) => ({ shown: e.clientHeight, whole: e.scrollHeight }));
    assert.ok(box.shown <= viewport.height / 4 && box.whole > 4 * box.shown, JSON.stringify(box));
    await page.getByRole('button', { name: 'Back' }).click();
    await page.getByRole('button', { name: 'Done' }).click();
    assert.equal(await page.locator('#command-state').textContent(), 'Complete.');
    assert.equal((await commandOf(page)).split(' ').length, 1 + 255 + 1);
    await context.close();
  }
});

test('the largest config renders and responds', async () => {
  const url = makePage(dir, 'largest', largestScript());
  const { page, context, seen } = await open(url);
  assert.equal(await page.locator('#open-list button').count(), 20);
  await page.getByRole('button', { name: 'Key 5, the caption a person reads', exact: true }).click();
  await page.getByRole('textbox', { name: 'File 3', exact: true }).fill('in');
  await page.getByRole('textbox', { name: 'Marg 2', exact: true }).fill('9');
  assert.equal(await commandOf(page), '<program> --option-5=in 9');
  assert.equal(await page.locator('#open-list button').count(), 20);
  await page.getByText('Notes for the author').click();
  assert.equal(await page.locator('#note-list li').count(), 1);
  assert.deepEqual(seen.errors, []);
  await context.close();
});

test('the page reads well in light and dark schemes', async () => {
  const colours = async (colorScheme) => {
    const context = await browser.newContext({ colorScheme });
    const page = await context.newPage();
    await page.goto(sampleUrl);
    const c = await page.evaluate(() => {
      const s = getComputedStyle(document.body);
      return [s.backgroundColor, s.color];
    });
    await context.close();
    return c;
  };
  assert.deepEqual(await colours('light'), ['rgb(255, 255, 255)', 'rgb(27, 27, 27)']);
  assert.deepEqual(await colours('dark'), ['rgb(23, 24, 27)', 'rgb(232, 232, 232)']);
});

test('presets: saved under a name, loaded, renamed and deleted, kept for the config', async () => {
  const { page, context, seen } = await open(sampleUrl);
  await page.getByLabel('Program').fill('prog');
  await page.getByRole('button', { name: 'Fast mode' }).click();
  await page.getByRole('textbox', { name: 'Level' }).fill('9');
  await page.getByLabel('Preset name').fill('nine');
  await page.getByRole('button', { name: 'Save', exact: true }).click();
  await page.getByText('Saved "nine".').waitFor();
  await page.getByRole('button', { name: 'Reset', exact: true }).click();
  await page.getByLabel('Program').fill('other');
  await page.getByRole('button', { name: 'Load', exact: true }).click();
  assert.equal(await commandOf(page), 'prog -f <Input file> 9');
  await page.getByLabel('Preset name').fill('level nine');
  await page.getByRole('button', { name: 'Rename', exact: true }).click();
  await page.getByText('Renamed "nine" to "level nine".').waitFor();

  const again = await open(sampleUrl, context);
  const presets = again.page.getByLabel('Saved presets');
  assert.deepEqual(await presets.locator('option').allTextContents(), ['level nine']);
  await again.page.getByRole('button', { name: 'Delete', exact: true }).click();
  assert.equal(await presets.locator('option').count(), 0);
  assert.ok(await again.page.getByRole('button', { name: 'Load', exact: true }).isDisabled());
  assert.deepEqual(seen.errors, []);
});
