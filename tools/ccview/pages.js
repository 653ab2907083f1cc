// What the browser tests, the benchmarks and the README's screenshots share:
// Debian's Chromium started by playwright-core (never a downloaded browser),
// preview pages made by the built programs from script text, and served
// pages (ccview --serve) with the test tool as their program.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { spawn, spawnSync } = require('node:child_process');
const { pathToFileURL } = require('node:url');

const root = path.resolve(__dirname, '..', '..');
const programs = {
  tarvelkin: process.env.TARVELKIN_PROGRAM || path.join(root, 'build', 'tarvelkin'),
  ccview: process.env.CCVIEW_PROGRAM || path.join(root, 'build', 'ccview'),
  serveTool: process.env.SERVE_TOOL || path.join(root, 'build', 'tests', 'serve_tool'),
};
const example = process.env.TARVELKIN_EXAMPLE || path.join(root, 'examples', 'prog.sc');

// Headless Chromium without the background traffic a closed network refuses.
async function launch() {
  const { chromium } = require('playwright-core');
  return chromium.launch({
    executablePath: process.env.CCVIEW_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

function run(program, args) {
  const r = spawnSync(program, args, { encoding: 'latin1' });
  if (r.status !== 0) throw new Error(program + ' ' + args.join(' ') + ' failed:\n' + r.stdout + r.stderr);
  return r;
}

// Compiles script (a string of bytes, one per character) to dir/NAME.cc and
// writes its page dir/NAME.html; returns the page's file: URL.
function makePage(dir, name, script) {
  const base = path.join(dir, name);
  fs.writeFileSync(base + '.sc', Buffer.from(script, 'latin1'));
  run(programs.tarvelkin, [base + '.sc', base + '.cc']);
  run(programs.ccview, [base + '.cc']);
  return pathToFileURL(base + '.html').href;
}

// A server on 127.0.0.1 that the test tool's "wait:NAME" steps ask: each
// waits until release(NAME). close() lets every waiter go.
async function controlServer() {
  const released = new Set();
  const waiting = [];
  const server = http.createServer((req, res) => {
    const name = req.url.slice(1);
    const answer = () => res.end('go');
    if (released.has(name)) answer();
    else waiting.push({ name, answer });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const letGo = (all) => {
    for (const w of waiting.splice(0)) {
      if (all || released.has(w.name)) w.answer();
      else waiting.push(w);
    }
  };
  return {
    arg: 'control:' + server.address().port,
    release(name) { released.add(name); letGo(false); },
    close() { letGo(true); server.closeAllConnections(); server.close(); },
  };
}

// The launch file's path, the first line a starting ccview --serve prints.
function servedAddress(server) {
  return new Promise((resolve, reject) => {
    let text = '';
    server.stdout.on('data', (d) => {
      text += d;
      if (text.includes('\n')) resolve(text.split('\n')[0].trim());
    });
    server.on('exit', (code) => reject(new Error('ccview --serve ended with ' + code)));
  });
}

// ccview --serve for dir/NAME.cc, compiled from script, running program
// (an argument vector; the test tool by default) in cwd. Resolves to
// {url, launch, port, stop()} once the server printed its launch file (url:
// the file's address, which a browser opens to land on the page with the
// token for its tab). With opener (a folder that holds a stand-in for
// xdg-open) the server opens the browser through it; otherwise it opens none.
// The server keeps its runs in dir/state, never in the user's own state
// folder.
async function servePage(dir, name, script, program, cwd, opener) {
  const base = path.join(dir, name);
  fs.writeFileSync(base + '.sc', Buffer.from(script, 'latin1'));
  run(programs.tarvelkin, [base + '.sc', base + '.cc']);
  const args = ['--serve'].concat(opener ? [] : ['--no-browser'], cwd ? ['--cwd', cwd] : [], [base + '.cc', '--'],
    program);
  // Each server keeps its settings apart, as each browser context kept its
  // own storage: what one test leaves is not the next one's start.
  const settings = fs.mkdtempSync(path.join(dir, 'settings-'));
  const env = { ...process.env, XDG_CONFIG_HOME: settings, XDG_STATE_HOME: path.join(dir, 'state') };
  if (opener) env.PATH = opener + path.delimiter + process.env.PATH;
  const server = await started(args, { env });
  server.settings = path.join(settings, 'tarvelkin', 'settings.json');
  return server;
}

// ccview with no config: the shelf, for a person whose folders are in home
// (config, data, state and run, as the XDG variables name them; the own
// configs in data/tarvelkin/configs). The programs run in cwd when it is
// given (--cwd: Browse… starts there too), else in the home folder; PATH is
// path when given. Resolves as servePage does, with the person's settings
// file and configs folder.
async function serveShelf(home, { cwd, path: PATH } = {}) {
  const env = { ...process.env };
  for (const [name, folder] of [['XDG_CONFIG_HOME', 'config'], ['XDG_DATA_HOME', 'data'],
    ['XDG_STATE_HOME', 'state'], ['XDG_RUNTIME_DIR', 'run']]) {
    env[name] = path.join(home, folder);
    fs.mkdirSync(env[name], { recursive: true });
  }
  if (PATH !== undefined) env.PATH = PATH;
  const server = await started(['--no-browser'].concat(cwd ? ['--cwd', cwd] : []), { env });
  server.settings = path.join(home, 'config', 'tarvelkin', 'settings.json');
  server.configs = path.join(home, 'data', 'tarvelkin', 'configs');
  return server;
}

// A ccview started with args, once it printed its launch file: {url, launch,
// pid, port, ended (its exit status, once it ends), stop()}.
async function started(args, options) {
  const server = spawn(programs.ccview, args, { stdio: ['ignore', 'pipe', 'ignore'], ...options });
  const ended = new Promise((resolve) => server.on('exit', resolve));
  const launch = await servedAddress(server);
  return {
    url: pathToFileURL(launch).href,
    launch,
    pid: server.pid,
    port: launchPort(launch),
    ended,
    // Ends the server as Ctrl+C does; fails unless it ends cleanly (a
    // sanitizer's report turns into a failure here). Once it has ended, only
    // its exit status is checked.
    async stop() {
      if (server.exitCode === null && server.signalCode === null) server.kill('SIGINT');
      const code = await ended;
      if (code !== 0) throw new Error('ccview ended with ' + code);
    },
  };
}

// The port a launch file (".../ccview-PORT.html") is for.
const launchPort = (launch) => Number(/ccview-(\d+)\.html$/.exec(launch)[1]);

// The script at every limit that the C++ tests and the benchmarks use too.
function largestScript() {
  return fs.readFileSync(path.join(root, 'tests', 'every_limit.sc'), 'latin1');
}

module.exports = { programs, example, launch, makePage, largestScript, controlServer, servePage, serveShelf,
  servedAddress, launchPort };
