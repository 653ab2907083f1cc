// ccview --serve against connections that would hold it, each time with the
// page's own request (GET /api/info with the token) timed while they hold:
// - 300 connections that send nothing;
// - 40 connections that send their request a byte a second;
// - a PUT without a length that sends 400 MB: the server's memory after it
//   (VmRSS), and what it answered.
//
//   node bench/ccview_hold_bench.js [BUILD_DIR] [RUNS]   (Linux)
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const { spawn, spawnSync } = require('node:child_process');

const build = path.resolve(process.argv[2] || 'build');
const runs = Number(process.argv[3] || 5);
const root = path.resolve(__dirname, '..');

async function start(dir) {
  spawnSync(path.join(build, 'tarvelkin'), [path.join(root, 'examples', 'prog.sc'), path.join(dir, 'prog.cc')]);
  const server = spawn(path.join(build, 'ccview'), ['--serve', '--no-browser', path.join(dir, 'prog.cc'), '--', 'true'],
    { stdio: ['ignore', 'pipe', 'ignore'], env: { ...process.env, XDG_RUNTIME_DIR: dir } });
  const launch = await new Promise((resolve) => {
    let text = '';
    server.stdout.on('data', (d) => {
      text += d;
      if (text.includes('\n')) resolve(text.split('\n')[0].trim());
    });
  });
  const port = Number(/ccview-(\d+)\.html$/.exec(launch)[1]);
  const token = fs.readFileSync(launch.replace(/\.html$/, '.token'), 'utf8').trim();
  return { server, port, token };
}

const connect = (port) => new Promise((resolve) => {
  const socket = net.connect(port, '127.0.0.1', () => resolve(socket));
  socket.on('error', () => {});
});

// The page's own request, on a connection of its own: milliseconds until its
// answer, or null.
function pageRequest({ port, token }) {
  const began = performance.now();
  return new Promise((resolve) => {
    const req = http.get({ host: '127.0.0.1', port, path: '/api/info', agent: false,
      headers: { 'X-Ccview-Token': token } }, (res) => {
      res.resume();
      res.on('end', () => resolve(res.statusCode === 200 ? performance.now() - began : null));
    });
    req.on('error', () => resolve(null));
  });
}

const rss = (pid) => Number(/VmRSS:\s+(\d+)/.exec(fs.readFileSync('/proc/' + pid + '/status', 'utf8'))[1]) >> 10;
const worst = (xs) => (xs.includes(null) ? 'no answer' : Math.max(...xs).toFixed(0) + ' ms');
const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];

(async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ccview-hold-'));
  const s = await start(dir);
  try {
    const quiet = [];
    for (let i = 0; i < runs; ++i) quiet.push(await pageRequest(s));
    console.log('nothing else:            median ' + median(quiet).toFixed(1) + ' ms, worst ' + worst(quiet));

    const idle = [];
    for (let i = 0; i < runs; ++i) {
      const sockets = await Promise.all(Array.from({ length: 300 }, () => connect(s.port)));
      idle.push(await pageRequest(s));
      sockets.forEach((x) => x.destroy());
    }
    console.log('300 idle connections:    median ' + median(idle).toFixed(0) + ' ms, worst ' + worst(idle));

    const drip = [];
    for (let i = 0; i < runs; ++i) {
      const sockets = await Promise.all(Array.from({ length: 40 }, () => connect(s.port)));
      sockets.forEach((x) => x.write('GET /api/info HTTP/1.1\r\nHost: 127.0.0.1:' + s.port + '\r\nX-Slow: '));
      const timer = setInterval(() => sockets.forEach((x) => x.write('x')), 1000);
      drip.push(await pageRequest(s));
      clearInterval(timer);
      sockets.forEach((x) => x.destroy());
    }
    console.log('40 dripping connections: median ' + median(drip).toFixed(0) + ' ms, worst ' + worst(drip));

    const before = rss(s.server.pid);
    const put = await connect(s.port);
    let answer = '';
    put.on('data', (d) => { answer += d; });
    put.write('PUT /api/run HTTP/1.1\r\nHost: 127.0.0.1:' + s.port + '\r\nX-Ccview-Token: ' + s.token + '\r\n\r\n');
    const chunk = Buffer.alloc(1 << 20, 'x');
    let sent = 0;
    for (; sent < 400 && !put.destroyed && put.writable; ++sent) {
      if (put.write(chunk)) continue;
      await new Promise((resolve) => {
        const done = () => {
          put.off('drain', done);
          put.off('close', done);
          resolve();
        };
        put.on('drain', done);
        put.on('close', done);
      });
    }
    await new Promise((resolve) => setTimeout(resolve, 500));
    console.log('PUT without a length:    ' + sent + ' MB sent before the server closed the connection; ' +
      'its memory ' + before + ' MB before, ' + rss(s.server.pid) + ' MB after; answer: ' +
      (answer.split('\r\n')[0] || 'none seen (the connection was reset)'));
    put.destroy();
  } finally {
    s.server.kill('SIGINT');
    fs.rmSync(dir, { recursive: true, force: true });
  }
})();
