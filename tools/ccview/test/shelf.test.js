// The shelf (ccview with no config) in a real browser: the person's configs
// and the installed ones listed with their programs, a refused config, the
// filter, a config opened and Back, one added and one removed; a missing
// program chosen through Browse… and remembered by the next start; a form
// made for a program from its help. Started by browser-run.js.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { example, programs, serveShelf, browserSession } = require('./browser.js');

const { dir, open } = browserSession('ccview-shelf-');

// The example with its first header text changed, compiled to file.
function compile(file, title) {
  const script = fs.readFileSync(example, 'latin1').replace('# header item 1', '# ' + title);
  fs.writeFileSync(file + '.sc', Buffer.from(script, 'latin1'));
  const r = spawnSync(programs.tarvelkin, [file + '.sc', file], { encoding: 'latin1' });
  assert.equal(r.status, 0, r.stderr);
  fs.rmSync(file + '.sc');
}

test('the shelf: listed with programs, a refused config, filter, open and Back, add, remove', async () => {
  const home = path.join(dir, 'person');
  const own = path.join(home, 'data', 'tarvelkin', 'configs');
  fs.mkdirSync(own, { recursive: true });
  // serve_tool.cc runs serve_tool, found in PATH; nowhere.cc names no program.
  compile(path.join(own, 'serve_tool.cc'), 'Found <b>tool</b>');
  compile(path.join(own, 'nowhere.cc'), 'Missing tool');
  const refused = fs.readFileSync(path.join(own, 'nowhere.cc'));
  refused[6] = 3;
  fs.writeFileSync(path.join(own, 'broken.cc'), refused);
  compile(path.join(dir, 'added.cc'), 'Added later');
  const server = await serveShelf(home, { path: path.dirname(programs.serveTool) + path.delimiter + '/usr/bin' });
  try {
    const { page, errors } = await open(server.url);
    assert.deepEqual(await page.context().cookies(), []);
    const entries = page.getByRole('list', { name: 'Configs' }).getByRole('article');
    const entry = (name) => page.getByRole('article', { name });
    // The person's configs by file name, then the one installed with ccview;
    // config text stays text.
    assert.deepEqual(await entries.getByRole('heading').allTextContents(),
      ['broken.cc', 'Missing tool', 'Found <b>tool</b>', 'header item 1']);
    assert.match(await entry('Found <b>tool</b>').textContent(), new RegExp('Program: ' + programs.serveTool));
    assert.match(await entry('Missing tool').textContent(), /Program: nowhere — not found — choose the program…/);
    assert.match(await entry('broken.cc').textContent(),
      /This config cannot be read: offset 6: version is 3, expected 2/);
    assert.equal(await entry('broken.cc').getByRole('link').count(), 0);
    assert.equal(await entry('header item 1').getByRole('button', { name: /^Remove/ }).count(), 0);
    // Filtered by typing: every word, any letter case.
    await page.getByRole('searchbox', { name: 'Filter' }).fill('TOOL found');
    assert.deepEqual(await entries.getByRole('heading').allTextContents(), ['Found <b>tool</b>']);
    await page.getByRole('searchbox', { name: 'Filter' }).fill('');
    // Open: the config's run page, its program found; Back: the shelf.
    await page.getByRole('link', { name: 'Open Found <b>tool</b>' }).click();
    await page.locator('html[data-ready=true]').waitFor();
    assert.equal(await page.getByLabel('Program', { exact: true }).inputValue(), programs.serveTool);
    await page.getByRole('link', { name: 'Back to the shelf' }).click();
    await page.locator('html[data-ready=true]').waitFor();
    // A config whose program is missing says so on its page before anything.
    await page.getByRole('link', { name: 'Open Missing tool' }).click();
    await page.locator('html[data-ready=true]').waitFor();
    await page.getByText('The program "nowhere" was not found: choose the program on the shelf.').waitFor();
    assert.ok(await page.getByRole('button', { name: 'Run', exact: true }).isDisabled());
    await page.getByRole('link', { name: 'Back to the shelf' }).click();
    await page.locator('html[data-ready=true]').waitFor();
    // Added through the browser's file dialog: copied into the person's folder.
    const chooser = page.waitForEvent('filechooser');
    await page.getByRole('button', { name: 'Add a config…' }).click();
    await (await chooser).setFiles(path.join(dir, 'added.cc'));
    await entry('Added later').waitFor();
    assert.deepEqual(fs.readFileSync(path.join(own, 'added.cc')), fs.readFileSync(path.join(dir, 'added.cc')));
    // Removed, asking first: Cancel keeps it, Remove deletes its file.
    await entry('Missing tool').getByRole('button', { name: 'Remove Missing tool' }).click();
    await page.getByRole('dialog').getByRole('button', { name: 'Cancel' }).click();
    assert.ok(fs.existsSync(path.join(own, 'nowhere.cc')));
    await entry('Missing tool').getByRole('button', { name: 'Remove Missing tool' }).click();
    await page.getByRole('dialog').getByRole('button', { name: 'Remove' }).click();
    await page.getByRole('status').filter({ hasText: 'Removed nowhere.cc.' }).waitFor();
    assert.equal(await entry('Missing tool').count(), 0);
    assert.ok(!fs.existsSync(path.join(own, 'nowhere.cc')));
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});

// A config whose program is missing: the person chooses one through the
// shelf's Browse… (the server's listing of this computer's folders), a file
// that is no program first; the program chosen is its real path, runs from
// the config's page, and is still the config's after Quit and a new start.
test('a missing program chosen by Browse…, refused for a file that is no program, remembered across a restart',
  async () => {
    const home = path.join(dir, 'chooser');
    const own = path.join(home, 'data', 'tarvelkin', 'configs');
    fs.mkdirSync(own, { recursive: true });
    compile(path.join(own, 'nowhere.cc'), 'Missing tool');
    // The server's working folder, where Browse… starts: a text file, and a
    // link to a program in a folder with a blank in its name.
    const work = path.join(dir, 'work');
    fs.mkdirSync(path.join(work, 'my tools'), { recursive: true });
    fs.writeFileSync(path.join(work, 'notes.txt'), 'not a program\n');
    fs.symlinkSync('/bin/echo', path.join(work, 'my tools', 'say'));
    const echo = fs.realpathSync('/bin/echo');
    const start = () => serveShelf(home, { cwd: work, path: '/nowhere' });
    const entry = (page) => page.getByRole('article', { name: 'Missing tool' });
    const status = (page, text) => page.getByRole('status').filter({ hasText: text });
    // The config's run page from the shelf: its program, the choices made
    // (unless ccview remembers them), and a run's output.
    async function runFromShelf(page, choose) {
      await page.getByRole('link', { name: 'Open Missing tool' }).click();
      await page.locator('html[data-ready=true]').waitFor();
      assert.equal(await page.getByLabel('Program', { exact: true }).inputValue(), echo);
      if (choose) {
        await page.getByRole('button', { name: 'Fast mode' }).click();
        await page.getByRole('textbox', { name: 'Input file' }).fill('in.txt');
        await page.getByRole('textbox', { name: 'Level' }).fill('1');
      }
      assert.equal(await page.getByRole('status', { name: 'Command line' }).textContent(), echo + ' -f in.txt 1');
      await page.getByRole('button', { name: 'Run', exact: true }).click();
      await page.waitForFunction(() => performance.getEntriesByName('ccview-run-complete').length > 0);
      assert.match(await page.locator('#run-state').textContent(), /^Finished after/);
      assert.equal((await page.getByRole('log', { name: 'Output' }).innerText()).trim(), '-f in.txt 1');
      await page.getByRole('link', { name: 'Back to the shelf' }).click();
      await page.locator('html[data-ready=true]').waitFor();
    }

    let server = await start();
    try {
      const { page, errors } = await open(server.url);
      assert.match(await entry(page).textContent(), /Program: nowhere — not found — choose the program…/);
      const choose = entry(page).getByRole('button', { name: 'Choose the program for Missing tool' });
      const dialog = page.getByRole('dialog', { name: 'Choose the program for Missing tool' });
      await choose.click();
      assert.equal(await dialog.locator('.folder').textContent(), work);
      await dialog.getByRole('button', { name: 'notes.txt' }).click();
      await status(page, path.join(work, 'notes.txt') + ' is not a program you may run').waitFor();
      assert.match(await entry(page).textContent(), /not found — choose the program…/);
      // Again, from the keyboard: into the folder, and the link to the program.
      await choose.press('Enter');
      await dialog.getByRole('button', { name: 'my tools/' }).press('Enter');
      await dialog.getByRole('button', { name: 'say' }).press('Enter');
      await status(page, 'The program for nowhere.cc is now ' + echo + '.').waitFor();
      assert.match(await entry(page).textContent(), new RegExp('Program: ' + echo + ' \\(chosen by you\\)'));
      await runFromShelf(page, true);
      await page.getByRole('button', { name: 'Quit ccview' }).click();
      await status(page, 'ccview has ended.').waitFor();
      assert.equal(await server.ended, 0);
      assert.deepEqual(errors, []);
    } finally {
      await server.stop();
    }
    assert.deepEqual(JSON.parse(fs.readFileSync(server.settings, 'utf8')).programs,
      { [path.join(own, 'nowhere.cc')]: echo });

    server = await start();
    try {
      const { page, errors } = await open(server.url);
      assert.match(await entry(page).textContent(), new RegExp('Program: ' + echo + ' \\(chosen by you\\)'));
      await runFromShelf(page, false);
      assert.deepEqual(errors, []);
    } finally {
      await server.stop();
    }
  });

// A help text as serve_tool's one word "out:TEXT" prints it.
function printed(text) {
  return 'out:' + text.replace(/\\/g, '\\\\').replace(/ /g, '\\x20').replace(/\n/g, '\\n');
}

test('the shelf makes a form for a program from its help, asks before replacing, and says why it cannot', async () => {
  const home = path.join(dir, 'maker');
  const own = path.join(home, 'data', 'tarvelkin', 'configs');
  // serve_tool is not in PATH: it is named by its full path, and remembered so.
  const help = 'Usage: serve_tool [OPTION]... FILE\nShow a file, the test\'s way.\n\n' +
    '  -n, --number          number the lines\n      --width=COLUMNS   wrap at COLUMNS\n' +
    '  -o, --output=FILE     write to FILE\n';
  const server = await serveShelf(home, { path: '/usr/bin' });
  try {
    const { page, errors } = await open(server.url);
    await page.getByRole('button', { name: 'Make a form for a program…' }).click();
    const dialog = page.getByRole('dialog', { name: 'Make a form for a program' });
    const said = dialog.getByRole('alert');
    const make = async (program, args) => {
      await dialog.getByLabel('Program', { exact: true }).fill(program);
      await dialog.getByLabel('Help arguments').fill(args);
      await dialog.getByRole('button', { name: 'Make the form' }).click();
    };
    assert.match(await dialog.textContent(), /runs the program once with "--help", its input closed/);
    // What goes wrong is said in the dialog, and leaves no file.
    await make('serve_tool', '--help');
    await said.filter({ hasText: 'No program named "serve_tool" was found in the folders of PATH' }).waitFor();
    await make(programs.serveTool, 'out:no\\x20options\\x20here');
    await said.filter({ hasText: '"serve_tool out:no\\x20options\\x20here" printed no options: ' +
      'there is nothing to make a form of' }).waitFor();
    await make(programs.serveTool, 'exit:3');
    await said.filter({ hasText: 'printed no options, and ended with status 3' }).waitFor();
    assert.deepEqual(fs.existsSync(own) ? fs.readdirSync(own) : [], []);
    // A script of that name is there already: asked first, Cancel keeps it.
    fs.mkdirSync(own, { recursive: true });
    fs.writeFileSync(path.join(own, 'serve_tool.sc'), 'written by hand\n');
    await make(programs.serveTool, printed(help));
    const ask = page.getByRole('dialog', { name: 'Replace serve_tool.sc' });
    assert.match(await ask.textContent(), /serve_tool.sc is in your configs folder already\. Replace it/);
    await ask.getByRole('button', { name: 'Cancel' }).click();
    assert.equal(fs.readFileSync(path.join(own, 'serve_tool.sc'), 'latin1'), 'written by hand\n');
    assert.deepEqual(fs.readdirSync(own), ['serve_tool.sc']);
    // Replace: the form is made and its run page opens, with its program.
    await dialog.getByRole('button', { name: 'Make the form' }).click();
    await ask.getByRole('button', { name: 'Replace' }).click();
    await page.waitForURL(/\/config\/[0-9a-f]{16}$/);
    await page.locator('html[data-ready=true]').waitFor();
    assert.equal(await page.getByLabel('Program', { exact: true }).inputValue(), programs.serveTool);
    await page.getByText('Number the lines (--number)').first().waitFor();
    // The script beside its config compiles to the same bytes.
    assert.deepEqual(fs.readdirSync(own).sort(), ['serve_tool.cc', 'serve_tool.sc']);
    const again = path.join(dir, 'again.cc');
    const r = spawnSync(programs.tarvelkin, [path.join(own, 'serve_tool.sc'), again], { encoding: 'latin1' });
    assert.equal(r.status, 0, r.stderr);
    assert.deepEqual(fs.readFileSync(again), fs.readFileSync(path.join(own, 'serve_tool.cc')));
    // On the shelf, with the program it was made from.
    await page.getByRole('link', { name: 'Back to the shelf' }).click();
    await page.locator('html[data-ready=true]').waitFor();
    const entry = page.getByRole('article', { name: 'serve_tool' });
    assert.match(await entry.textContent(), new RegExp('Program: ' + programs.serveTool + ' \\(chosen by you\\)'));
    assert.deepEqual(errors, []);
  } finally {
    await server.stop();
  }
});
