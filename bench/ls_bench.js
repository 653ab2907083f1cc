// The language server as an editor meets it: tarvelkin-ls started as a
// process, the largest script the limits allow (5000 lines) opened, then one
// character typed and deleted in turn; timed from sending each change to
// receiving its diagnostics, through the pipes.
//
//   node bench/ls_bench.js BUILD_DIR [CHANGES]
//
// after npm ci, with BUILD_DIR configured with -DTARVELKIN_BENCH=ON: its
// bench/make_scripts writes the script, as for the compiler's benchmarks.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawn, spawnSync } = require('node:child_process');
const rpc = require('vscode-jsonrpc/node');

const build = path.resolve(process.argv[2] || 'build');
const changes = Number(process.argv[3] || 200);
const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const ms = (x) => x.toFixed(2) + ' ms';

(async () => {
  const child = spawn(path.join(build, 'tarvelkin-ls'), [], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = rpc.createMessageConnection(new rpc.StreamMessageReader(child.stdout),
                                                 new rpc.StreamMessageWriter(child.stdin));
  let arrived = null;
  connection.onNotification('textDocument/publishDiagnostics', (params) => arrived && arrived(params));
  connection.listen();
  await connection.sendRequest('initialize', { processId: null, rootUri: null, capabilities: {} });
  const uri = 'file:///bench/largest.sc';
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ls-bench-'));
  if (spawnSync(path.join(build, 'bench', 'make_scripts'), [folder]).status !== 0) throw new Error('make_scripts failed');
  const text = fs.readFileSync(path.join(folder, 'largest.sc'), 'utf8');
  fs.rmSync(folder, { recursive: true, force: true });
  const published = (version) => new Promise((resolve) => {
    arrived = (params) => { if (params.version === version) resolve(params); };
  });
  let waiting = published(1);
  await connection.sendNotification('textDocument/didOpen', { textDocument: { uri, languageId: 'tarvelkin', version: 1, text } });
  await waiting;
  const times = [];
  for (let version = 2; version < changes + 2; ++version) {
    const insert = version % 2 === 0;
    const range = { start: { line: 8, character: 5 }, end: { line: 8, character: insert ? 5 : 6 } };
    waiting = published(version);
    const start = process.hrtime.bigint();
    await connection.sendNotification('textDocument/didChange',
      { textDocument: { uri, version }, contentChanges: [{ range, text: insert ? 'x' : '' }] });
    await waiting;
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  await connection.sendRequest('shutdown');
  await connection.sendNotification('exit');
  connection.dispose();
  console.log('script: ' + text.split('\n').length + ' lines, ' + Buffer.byteLength(text) + ' bytes');
  console.log('change to diagnostics: median ' + ms(median(times)) + ', max ' + ms(Math.max(...times)) +
              ' (' + times.length + ' changes)');
})();
