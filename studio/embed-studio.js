// Writes the quiz studio, one self-contained HTML file: the template with
// the studio's style, the 32-bit player and the builder's WebAssembly as
// base64 data blocks, the builder module and the studio's script parts joined into one strict scope, under a
// Content-Security-Policy that allows exactly these, the quiz page the
// studio previews in a frame (its policy is inherited there) and nothing
// from elsewhere.
// Usage: node embed-studio.js TEMPLATE.html STYLE.css BUILDER.js PLAYER.exe
//        PAGE_RUNTIME.cpp OUTPUT.html PART.js... (or NAME=MODULE.js for a vendored
//        CommonJS module bound to NAME)
'use strict';
const fs = require('fs');
const { readChecked, base64Of, hash, oneStrictScope } = require('../web/page-assembly.js');

const [templatePath, stylePath, builderPath, playerPath, runtimePath, outputPath, ...partPaths] =
  process.argv.slice(2);

function fail(message) {
  console.error(`embed-studio: ${message}`);
  process.exit(1);
}

if (partPaths.length === 0)
  fail('usage: node embed-studio.js TEMPLATE.html STYLE.css BUILDER.js PLAYER.exe PAGE_RUNTIME.cpp OUTPUT.html PART.js...');

// The quiz page's own script and style hashes, as the builder writes them
// into every page it makes.
function pageHashes(path) {
  const source = fs.readFileSync(path, 'utf8');
  const found = (name) => {
    const match = source.match(new RegExp(`${name} = "('sha256-[A-Za-z0-9+/=]+')";`));
    if (!match) fail(`${path}: no ${name}`);
    return match[1];
  };
  return { script: found('pageScriptHash'), style: found('pageStyleHash') };
}

// A vendored CommonJS module (a part given as NAME=PATH) bound to the
// constant NAME, its own module and exports standing in for node's.
function vendoredModule(name, path) {
  return `const ${name} = (() => {\nconst module = { exports: {} };\nconst exports = module.exports;\n`
    + readChecked(path).trim() + '\nreturn module.exports;\n})();\n';
}

// The parts in one strict scope, vendored modules bound to their names.
function studioScript(paths) {
  return oneStrictScope(paths.map((path) => {
    const named = path.match(/^([A-Za-z_$][\w$]*)=(.+)$/);
    return named ? vendoredModule(named[1], named[2]) : readChecked(path);
  }));
}

function policy(scripts, styles) {
  return [
    "default-src 'none'",
    `script-src ${scripts.join(' ')} 'wasm-unsafe-eval'`,
    `style-src ${styles.join(' ')}`,
    'img-src data: blob:',
    'media-src data: blob:',
    'frame-src blob:',
    'worker-src blob:',
    "base-uri 'none'",
    "form-action 'none'",
  ].join('; ');
}

// Emscripten keeps the builder's WebAssembly in its script as a data:
// address, which it first tries to fetch, a fetch the policy refuses. It
// goes into a data block of its own instead, which builder.js hands to the
// module as its binary, so nothing is fetched.
function splitBuilder(text) {
  const pattern = /wasmBinaryFile="data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)"/g;
  const found = [...text.matchAll(pattern)];
  if (found.length !== 1) fail(`${builderPath}: ${found.length} WebAssembly data addresses, not one`);
  const script = text.replace(pattern, () => 'wasmBinaryFile="data:application/octet-stream;base64,"');
  return { script, wasm: found[0][1] };
}

// Each placeholder, found once in the template, is replaced by its text as
// it is, in one pass, so no inserted text is read for placeholders.
function filled(template, values) {
  for (const name of Object.keys(values))
    if (template.split(`@${name}@`).length !== 2) fail(`${templatePath}: @${name}@ must appear once`);
  return template.replace(/@([A-Z]+)@/g, (whole, name) => (name in values ? values[name] : whole));
}

function studioPage() {
  const style = readChecked(stylePath);
  const builder = splitBuilder(readChecked(builderPath).trim() + '\n');
  const script = studioScript(partPaths);
  const page = pageHashes(runtimePath);
  return filled(fs.readFileSync(templatePath, 'utf8'), {
    POLICY: policy([hash(builder.script), hash(script), page.script], [hash(style), page.style]),
    STYLE: style,
    PLAYER: base64Of(playerPath),
    WASM: builder.wasm,
    BUILDER: builder.script,
    SCRIPT: script,
  });
}

let html;
try {
  html = studioPage();
} catch (error) {
  fail(error.message);
}
fs.writeFileSync(outputPath, html);
