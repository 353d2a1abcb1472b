// The page runtime's joiner: the script parts run in the order given in one
// strict scope that leaves nothing on the window, the policy's hashes are
// those of the texts the builder embeds, and a file that would end its
// element early is refused by name.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const os = require('os');
const path = require('path');
const vm = require('vm');

const joiner = path.join(__dirname, '..', '..', 'page', 'embed-runtime.js');
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quizz-embed-'));

function write(name, text) {
  const file = path.join(folder, name);
  fs.writeFileSync(file, text);
  return file;
}

const files = {
  core: write('core.js', 'var quizzCore = () => ({ then: (start) => start() });\n'),
  wasm: write('core.wasm', Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0])),
  style: write('page.css', 'body { margin: 0; }\n'),
  first: write('first.js', "const order = ['first'];\nfunction shared() { return order; }\n"),
  // Long enough to be cut into several literals.
  second: write('second.js', `order.push('second');\nconst filler = '${'x'.repeat(20000)}';\n`
    + 'quizzCore().then(() => order.push(typeof quizzCoreWasm));\n'
    + 'report({ order: shared(), strict: (function () { return this; })() === undefined, filler: filler.length });\n'),
};

function embed(parts, overrides = {}) {
  const output = path.join(folder, 'runtime.cpp');
  fs.rmSync(output, { force: true });
  const { core, wasm, style } = { ...files, ...overrides };
  const run = spawnSync(process.execPath, [joiner, core, wasm, style, output, ...parts], { encoding: 'utf8' });
  return { ...run, output };
}

// The texts of the C++ source's two raw literals, each made of its pieces.
function literals(source) {
  const [script, style] = source.split('const std::string_view pageStyle =');
  const joined = (text) => [...text.matchAll(/R"quizzpage\(([\s\S]*?)\)quizzpage"/g)].map((piece) => piece[1]);
  return { scriptPieces: joined(script.split('pageScriptHash')[0]), style: joined(style.split('pageScriptHash')[0]).join('') };
}

const sha256 = (text) => crypto.createHash('sha256').update(text, 'utf8').digest('base64');

test('the parts run in order in one strict scope, and the hashes are of the embedded texts', () => {
  const run = embed([files.first, files.second]);
  assert.equal(run.status, 0, run.stderr);
  const source = fs.readFileSync(run.output, 'utf8');
  const { scriptPieces, style } = literals(source);
  assert.ok(scriptPieces.length > 2 && scriptPieces.every((piece) => piece.length <= 8000), 'literals of bounded size');
  const script = scriptPieces.join('');
  assert.equal(source.match(/pageScriptHash = "'sha256-([^']+)'"/)[1], sha256(script));
  assert.equal(source.match(/pageStyleHash = "'sha256-([^']+)'"/)[1], sha256(style));
  assert.equal(style, fs.readFileSync(files.style, 'utf8'));

  const reports = [];
  const context = vm.createContext({ report: (seen) => reports.push(JSON.parse(JSON.stringify(seen))) });
  vm.runInContext(script, context);
  assert.deepEqual(reports, [{ order: ['first', 'second', 'string'], strict: true, filler: 20000 }]);
  for (const name of ['order', 'shared', 'filler'])
    assert.equal(vm.runInContext(`typeof ${name}`, context), 'undefined', name + ' is left on the window');
});

test('a file that would end its element early is refused by name, and nothing is written', () => {
  const rows = [
    { name: 'part.js', text: "const end = '</SCRIPT>';\n", as: 'part' },
    { name: 'comment.js', text: "const start = '<!-- x';\n", as: 'part' },
    { name: 'style.css', text: 'body::after { content: "</style>"; }\n', as: 'style' },
    { name: 'core-end.js', text: "var quizzCore = '</script';\n", as: 'core' },
  ];
  for (const row of rows) {
    const file = write(row.name, row.text);
    const run = row.as === 'part' ? embed([files.first, file]) : embed([files.first], { [row.as]: file });
    assert.equal(run.status, 1, row.name);
    assert.match(run.stderr, new RegExp('^' + file.replace(/[.\\]/g, '\\$&') + ': holds '), row.name);
    assert.equal(fs.existsSync(run.output), false, row.name);
  }
  const none = embed([]);
  assert.equal(none.status, 1);
  assert.match(none.stderr, /^usage: /);
});
