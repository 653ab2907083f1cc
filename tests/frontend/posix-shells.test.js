// The page's POSIX lines through the real parsers: every line the page builds
// from the table of hard values, and calls safe, is run by sh, bash and dash
// (sh -c LINE) and starts the argument printer, which must receive exactly the
// words the page meant. ARGV_PRINT names the printer (ctest sets it).
//
//   ARGV_PRINT=build/tests/argv_print node --test tests/frontend/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { cases, report } = require('./command-lines.js');

const printer = process.env.ARGV_PRINT || path.join(__dirname, '..', '..', 'build', 'tests', 'argv_print');

// The programs the lines name, copies of the printer in a folder of their own
// that is first on PATH (a shell looks up a name without a slash there).
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'shell-lines-'));
test.after(() => fs.rmSync(folder, { recursive: true, force: true }));
const posixCases = cases('posix', 'argv_print');
for (const c of posixCases) {
  const file = path.join(folder, c.program);
  if (!fs.existsSync(file)) fs.copyFileSync(printer, file);
  fs.chmodSync(file, 0o755);
}

for (const shell of ['/bin/sh', '/bin/bash', '/bin/dash']) {
  const missing = fs.existsSync(shell) ? false : shell + ' is not installed';
  test('every safe line reaches the program as the words meant, through ' + shell, { skip: missing }, () => {
    assert.ok(posixCases.length > 50);
    for (const c of posixCases) {
      const run = spawnSync(shell, ['-c', c.line], {
        cwd: folder,
        env: { PATH: folder + path.delimiter + process.env.PATH, HOME: folder },
        encoding: 'utf8',
      });
      assert.equal(run.stdout, report(c.words), c.name + ': ' + c.line + '\n' + run.stderr);
    }
  });
}
