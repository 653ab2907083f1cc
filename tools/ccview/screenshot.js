// Retakes the README's picture of the sample's preview page (docs/preview.png):
// the sample compiled, "Fast mode" chosen and its fields filled in.
//
//   node tools/ccview/screenshot.js        (after building into build/, and npm ci)
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { example, launch, makePage } = require('./pages.js');

(async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-shot-'));
  const browser = await launch();
  try {
    const page = await browser.newPage({ viewport: { width: 900, height: 720 } });
    await page.goto(makePage(dir, 'prog', fs.readFileSync(example, 'latin1')));
    await page.getByLabel('Program').fill('prog');
    await page.getByRole('button', { name: 'Fast mode' }).click();
    await page.getByRole('textbox', { name: 'Input file' }).fill('/home/me/my notes.txt');
    await page.getByRole('textbox', { name: 'Level' }).fill('3');
    await page.evaluate(() => document.activeElement.blur());
    const out = path.resolve(__dirname, '..', '..', 'docs', 'preview.png');
    await page.screenshot({ path: out, fullPage: true });
    console.log(out);
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
