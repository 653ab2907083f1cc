// What the browser test files share: the page tools' own helpers
// (../pages.js), and a session of one Chromium for a file's tests.
'use strict';
const { before, after } = require('node:test');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const pages = require('../pages.js');

// Registers the file's before and after: a Chromium (session.browser), a
// scratch folder made now and removed at the end (session.dir, its name
// beginning with prefix), and with control set, a control server for the
// test tool's waits (session.control). session.open(url, contextOptions)
// opens url in a browser context of its own once the page says it is ready:
// {page, errors}, errors collecting the page's uncaught script errors.
function browserSession(prefix, { control = false } = {}) {
  const session = { browser: null, control: null, dir: fs.mkdtempSync(path.join(os.tmpdir(), prefix)) };
  before(async () => {
    session.browser = await pages.launch();
    if (control) session.control = await pages.controlServer();
  });
  after(async () => {
    if (session.control) session.control.close();
    if (session.browser) await session.browser.close();
    fs.rmSync(session.dir, { recursive: true, force: true });
  });
  session.open = async (url, contextOptions) => {
    const page = await (await session.browser.newContext(contextOptions)).newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(url);
    await page.locator('html[data-ready=true]').waitFor();
    return { page, errors };
  };
  return session;
}

module.exports = { ...pages, browserSession };
