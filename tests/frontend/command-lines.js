// The command lines the preview page builds from the table of hard values
// (hard-values.json), one per row and target, with the words the program must
// receive: what the real-parser checks pass through sh, bash, dash, cmd.exe
// and a direct process start.
//
//   node command-lines.js windows OUT   writes the Windows cases for the
//                                       Windows build's test (format below)
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const P = require('../../tools/ccview/preview.js');

const rows = JSON.parse(fs.readFileSync(path.join(__dirname, 'hard-values.json'), 'utf8'));

// One list, one key: its key data (-a unless the row gives its own), then a
// value and a path, so that every line reads PROGRAM KEYDATA VALUE -z and a
// word that leaks into its neighbours shows.
function rowConfig(keyData) {
  return {
    defaultList: 1,
    headerItems: ['', '', '', '', '', ''],
    lists: [{ number: 1, name: 'L', keys: [0] }],
    keys: [{ number: 0, name: 'K', arg: keyData, order: { keys: 1, value: 2, path: 3 }, nextList: null, fileItem: 1, marg: 1 }],
    fileItems: [{ number: 1, name: 'F', action: 'load', filters: [] }],
    filters: [],
    margs: [{ number: 1, name: 'M', info: '' }],
  };
}

// The line of a row for a target, from the state a person would reach.
// printer is the argument printer's name for rows that name no program.
function rowLine(row, style, printer) {
  const cfg = rowConfig(row.keyData !== undefined ? row.keyData : '-a');
  let state = P.choose(cfg, { ...P.newState(), program: row.program || printer, style }, 0);
  state = P.setInput(state, 0, 'value', row.value !== undefined ? row.value : 'v');
  state = P.setInput(state, 0, 'path', '-z');
  return P.commandLine(cfg, state);
}

// Every case a target's parser can judge: {name, line, words}. Rows whose
// line is not safe for the target are left out (nothing may be run for
// them), and so are rows the row leaves without an expectation for it.
function cases(style, printer) {
  const out = [];
  for (const row of rows) {
    if (row[style] === undefined) continue;
    const line = rowLine(row, style, printer);
    if (line.safe) out.push({ name: row.name, program: row.program || printer, line: line.text, words: line.words });
  }
  return out;
}

// What the argument printer (argv_print.cpp) writes for words: their count,
// then each word's UTF-8 bytes in hexadecimal, one a line.
const report = (words) => words.length + '\n' + words.map((w) => Buffer.from(w, 'utf8').toString('hex') + '\n').join('');

// The Windows cases, one a line, fields separated by tabs: the target
// ("cmd", "direct", or "raw" for key data given to the program as it stands,
// read by its own runtime), the row's name, the program's file name and the
// line (UTF-16 in hexadecimal), and the printer's expected report (in
// hexadecimal), so that the test program needs no parser beyond splitting.
function windowsCases() {
  const utf16 = (text) => Buffer.from(text, 'utf16le').toString('hex');
  const lines = [];
  const add = (target, name, program, line, words) =>
    lines.push([target, name, utf16(program), utf16(line), Buffer.from(report(words)).toString('hex')].join('\t'));
  for (const style of ['cmd', 'direct']) {
    for (const c of cases(style, 'argv_print.exe')) {
      if (c.program.endsWith('.exe')) add(style, c.name, c.program, c.line, c.words);
    }
  }
  for (const row of rows) {
    if (row.keyData !== undefined) add('raw', row.name, 'argv_print.exe', 'argv_print.exe ' + row.keyData, row.words);
  }
  return lines.join('\n') + '\n';
}

module.exports = { rows, rowLine, cases, report };

if (require.main === module) {
  const [what, out] = process.argv.slice(2);
  if (what !== 'windows' || !out) {
    console.error('usage: node command-lines.js windows OUT');
    process.exit(2);
  }
  fs.writeFileSync(out, windowsCases());
}
