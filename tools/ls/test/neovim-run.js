// Runs the Neovim setup that the README and the man page give, as they give
// it, in the Neovim on PATH (Debian 12's is 0.7), headless, against the real
// tarvelkin-ls (TARVELKIN_LS, as ctest sets it): a script with an error is
// opened, and the diagnostics Neovim shows and a hover it asks for must be
// the server's. Without nvim it says why and exits 77 (skipped), unless
// TARVELKIN_NEOVIM_REQUIRED=1 (as CI sets it) makes that a failure.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');

const server = process.env.TARVELKIN_LS;
assert.ok(server, 'TARVELKIN_LS names the server');
const nvim = spawnSync('nvim', ['--version'], { encoding: 'utf8' });
if (nvim.status !== 0) {
  const required = process.env.TARVELKIN_NEOVIM_REQUIRED === '1';
  console.log((required ? 'FAILED: ' : 'SKIPPED: ') + 'nvim is not installed (Debian: apt install neovim)');
  process.exit(required ? 1 : 77);
}
const version = nvim.stdout.split('\n')[0];
const root = path.resolve(__dirname, '..', '..', '..');

// The snippet as the README shows it: the first lua block of its Neovim section.
function readmeSnippet() {
  const text = fs.readFileSync(path.join(root, 'README.md'), 'utf8');
  const section = text.slice(text.indexOf('### Neovim and Helix'));
  const block = /```lua\n([\s\S]*?)```/.exec(section);
  assert.ok(block, 'the README has no lua block under "Neovim and Helix"');
  return block[1];
}

// The snippet as the man page shows it: the first .nf block of its examples,
// its escapes read as man reads them.
function manSnippet() {
  const text = fs.readFileSync(path.join(root, 'man', 'tarvelkin-ls.1'), 'utf8');
  const examples = text.slice(text.indexOf('.SH EXAMPLES'));
  const block = /\n\.nf\n([\s\S]*?)\n\.fi\n/.exec(examples);
  assert.ok(block, 'the man page has no .nf block under EXAMPLES');
  return block[1].replace(/\\-/g, '-').replace(/\\\(dq/g, '"').replace(/\\e/g, '\\') + '\n';
}

// What Neovim is asked, after the snippet: once the script is open, wait for
// its diagnostics, ask for a hover on "more" in "next = more" (line 22), and
// write both, with the buffer's file type, to the file in TEST_OUT.
const probe = `
vim.api.nvim_create_autocmd("VimEnter", {
  callback = function()
    local buf = vim.api.nvim_get_current_buf()
    local result = { filetype = vim.bo[buf].filetype, diagnostics = {} }
    vim.wait(30000, function() return #vim.diagnostic.get(buf) > 0 end, 20)
    for _, d in ipairs(vim.diagnostic.get(buf)) do
      table.insert(result.diagnostics, { line = d.lnum, character = d.col, severity = d.severity, message = d.message })
    end
    local params = { textDocument = { uri = vim.uri_from_bufnr(buf) }, position = { line = 21, character = 8 } }
    for _, answer in pairs(vim.lsp.buf_request_sync(buf, "textDocument/hover", params, 30000) or {}) do
      if answer.result then result.hover = answer.result.contents.value end
    end
    local file = io.open(os.getenv("TEST_OUT"), "w")
    file:write(vim.fn.json_encode(result))
    file:close()
    vim.cmd("qall!")
  end,
})
`;

function run(name, snippet) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'neovim-'));
  try {
    fs.writeFileSync(path.join(folder, 'init.lua'), snippet + probe);
    fs.copyFileSync(path.join(__dirname, 'broken.sc'), path.join(folder, 'broken.sc'));
    const out = path.join(folder, 'out.json');
    // A home of its own, so that no setup of the person running the test counts.
    const env = { ...process.env, HOME: folder, XDG_CONFIG_HOME: folder, XDG_DATA_HOME: folder, XDG_STATE_HOME: folder,
                  XDG_CACHE_HOME: folder, TEST_OUT: out,
                  PATH: path.dirname(path.resolve(server)) + path.delimiter + process.env.PATH };
    const nvimRun = spawnSync('nvim', ['--headless', '-n', '-i', 'NONE', '-u', 'init.lua', 'broken.sc'],
                              { cwd: folder, env, encoding: 'utf8', timeout: 90000, input: '' });
    assert.ok(fs.existsSync(out), `${name}: Neovim wrote nothing (status ${nvimRun.status}): ${nvimRun.stderr}`);
    const result = JSON.parse(fs.readFileSync(out, 'utf8'));
    assert.equal(result.filetype, 'tarvelkin', name);
    assert.deepEqual(result.diagnostics.find((d) => d.line === 12),
      { line: 12, character: 13, severity: 1, message: 'unknown order word "vlaue"; expected path, keys, value or disable' },
      name);
    assert.equal(result.hover, '**list** `more`\n\nCaption: More  \nDefined at line 36.', name);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

let failed = 0;
for (const [name, snippet] of [['README', readmeSnippet()], ['man page', manSnippet()]]) {
  try {
    run(name, snippet);
  } catch (e) {
    ++failed;
    console.log(`FAILED (${version}, the ${name}'s setup): ${e.message}`);
  }
}
console.log(failed === 0 ? `the README's and the man page's setups work in ${version}` : `${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
