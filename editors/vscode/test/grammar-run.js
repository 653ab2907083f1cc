// Runs the grammar's tests: vscode-tmgrammar-test (npm ci in the source folder)
// over the annotated scripts beside this file, with the grammar found as the
// extension contributes it. Two checks keep the annotations honest: every scope
// the grammar gives is asserted in some script, and (with TARVELKIN_PROGRAM set,
// as ctest sets it) every script but mistakes.sc compiles, so that what the
// grammar shows as valid is; the compiler's messages on them also check the
// extension's problem matcher. Without the package it says why and exits 77,
// which ctest shows as a skipped test; with TARVELKIN_GRAMMAR_REQUIRED=1 (as CI
// sets it) that fails instead.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');

const extension = path.resolve(__dirname, '..');
const scripts = fs.readdirSync(__dirname).filter((name) => name.endsWith('.sc')).sort();
let failed = false;

function fail(message) {
  console.log('FAILED: ' + message);
  failed = true;
}

let runner;
try {
  runner = require.resolve('vscode-tmgrammar-test/dist/unit.js');
} catch (e) {
  const required = process.env.TARVELKIN_GRAMMAR_REQUIRED === '1';
  console.log((required ? 'FAILED: ' : 'SKIPPED: ') + 'vscode-tmgrammar-test is not installed; run "npm ci" in ' +
              path.resolve(extension, '..', '..'));
  process.exit(required ? 1 : 77);
}

const grammar = JSON.parse(fs.readFileSync(path.join(extension, 'syntaxes', 'sc.tmLanguage.json'), 'utf8'));
const given = new Set();
(function collect(node) {
  if (Array.isArray(node)) node.forEach(collect);
  else if (node !== null && typeof node === 'object') {
    for (const [key, value] of Object.entries(node)) {
      if ((key === 'name' || key === 'contentName') && typeof value === 'string') given.add(value);
      else collect(value);
    }
  }
})(grammar.repository);
const asserted = new Set();
for (const name of scripts) {
  for (const line of fs.readFileSync(path.join(__dirname, name), 'utf8').split(/\r?\n/)) {
    const assertion = /^;\s*(?:\^[\^\s]*|<~*-+)(.*)$/.exec(line);
    if (!assertion) continue;
    const words = assertion[1].split(/\s+/).filter(Boolean);
    const exclusions = words.indexOf('-');
    words.slice(0, exclusions < 0 ? words.length : exclusions).forEach((scope) => asserted.add(scope));
  }
}
for (const scope of given) {
  if (!asserted.has(scope)) fail('no test script asserts the scope ' + scope);
}

// The compiler on each script: mistakes.sc fails and the others compile, and
// every line it writes to standard error about a script is one that the
// problem matcher reads, naming that script; one without a place is not, and
// the file matcher reads it instead, naming the file it is about: a script
// that cannot be opened, a config whose folder is missing.
const program = process.env.TARVELKIN_PROGRAM;
if (program) {
  const [problem, fileProblem] =
    JSON.parse(fs.readFileSync(path.join(extension, 'package.json'), 'utf8')).contributes.problemPatterns;
  const located = new RegExp(problem.regexp);
  const aboutFile = new RegExp(fileProblem.regexp);
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'grammar-'));
  const compile = (script, config = path.join(folder, 'out.cc')) =>
    spawnSync(program, [script, config], { encoding: 'utf8', input: '' });
  const placedOn = (line, file) => {
    const match = aboutFile.exec(line);
    return match !== null && match[fileProblem.file] === file && match[fileProblem.severity] === 'error' &&
      match[fileProblem.message] === line.slice('tarvelkin: error: '.length);
  };
  try {
    for (const name of scripts) {
      const script = path.join(__dirname, name);
      const run = compile(script);
      if ((run.status === 0) !== (name !== 'mistakes.sc'))
        fail(name + (run.status === 0 ? ' compiles' : ' does not compile') + ':\n' + run.stdout + run.stderr);
      for (const line of run.stderr.split('\n').filter(Boolean)) {
        const match = located.exec(line);
        if (!match || match[problem.file] !== script || !/^[1-9]\d*$/.test(match[problem.line]))
          fail('the problem matcher does not place this line in ' + name + ': ' + line);
      }
    }
    const missingScript = path.join(folder, 'missing.sc');
    const missing = compile(missingScript).stderr.split('\n')[0];
    if (!missing.startsWith('tarvelkin: error: ') || located.test(missing))
      fail('the problem matcher places a message that names no line: ' + missing);
    if (!placedOn(missing, missingScript)) fail('the file matcher does not place this on the script: ' + missing);
    const config = path.join(folder, 'no-such-folder', 'out.cc');
    const unwritten = compile(path.join(__dirname, 'sample.sc'), config).stderr.trim().split('\n').pop();
    if (!placedOn(unwritten, config)) fail('the file matcher does not place this on the config: ' + unwritten);
    for (const line of [missing, unwritten])
      if (!line.includes(': No such file or directory')) fail('not the reason expected: ' + line);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

const pattern = path.join(__dirname, '*.sc').split(path.sep).join('/');
const run = spawnSync(process.execPath, [runner, '--config', path.join(extension, 'package.json'), pattern],
                      { stdio: 'inherit' });
if (run.status !== 0) failed = true;
process.exit(failed ? 1 : 0);
