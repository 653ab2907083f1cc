// The editor's half of the language server: starts tarvelkin-ls (found on
// PATH, or the path in the setting tarvelkin.serverPath) over standard input
// and output for tarvelkin scripts, and starts it again when that setting
// changes. Highlighting and the problem matcher need no server: where it
// cannot be started, the author is told once and the rest keeps working.
'use strict';
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;
let output;  // one channel for every server started, so that a restart adds none

function serverCommand() {
  const configured = vscode.workspace.getConfiguration('tarvelkin').get('serverPath', '').trim();
  return configured !== '' ? configured : 'tarvelkin-ls';
}

async function start() {
  const command = serverCommand();
  const server = { command, transport: TransportKind.stdio };
  const candidate = new LanguageClient('tarvelkin', 'tarvelkin-ls', { run: server, debug: server }, {
    documentSelector: [{ language: 'tarvelkin' }],
    outputChannel: output,
  });
  try {
    await candidate.start();
    client = candidate;
  } catch (error) {
    vscode.window.showWarningMessage(
      `The tarvelkin language server "${command}" could not be started (${error.message}). ` +
        'Put tarvelkin-ls on PATH or set tarvelkin.serverPath; highlighting works without it.');
  }
}

async function stop() {
  const running = client;
  client = undefined;
  // A server that has already ended cannot be stopped; it is replaced all the same.
  if (running) await running.stop().catch(() => undefined);
}

async function activate(context) {
  output = vscode.window.createOutputChannel('tarvelkin-ls');
  context.subscriptions.push(
    output,
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (!event.affectsConfiguration('tarvelkin.serverPath')) return;
      await stop();
      await start();
    }),
  );
  await start();
}

function deactivate() {
  return stop();
}

module.exports = { activate, deactivate };
