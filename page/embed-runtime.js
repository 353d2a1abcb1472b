// Writes the page runtime as a C++ source for the quiz builder: the judging
// core's module and the page's script parts as one inline script, its style
// sheet, and the hashes the page's Content-Security-Policy allows them by.
// Usage: node embed-runtime.js CORE.js CORE.wasm PAGE.css OUTPUT.cpp PART.js...
'use strict';
const fs = require('fs');
const crypto = require('crypto');

const [corePath, wasmPath, stylePath, outputPath, ...partPaths] = process.argv.slice(2);
if (partPaths.length === 0) {
  console.error('usage: node embed-runtime.js CORE.js CORE.wasm PAGE.css OUTPUT.cpp PART.js...');
  process.exit(1);
}

// A file's text; any of these would end its element early or change how the
// browser reads it.
function readChecked(path) {
  const text = fs.readFileSync(path, 'utf8');
  for (const ending of ['</script', '</style', '<!--'])
    if (text.toLowerCase().includes(ending)) {
      console.error(`${path}: holds ${ending}, which would end its element in the page`);
      process.exit(1);
    }
  return text;
}

// The module as base64, decoded by the page and handed to the loader.
const wasm = "const quizzCoreWasm = '" + fs.readFileSync(wasmPath).toString('base64') + "';\n";
// The parts share one strict scope, in the order given: each uses what the
// ones before it declare, and none of it is left on the window.
const parts = partPaths.map((partPath) => readChecked(partPath).trim() + '\n').join('\n');
const script = wasm + readChecked(corePath).trim() + "\n(() => {\n'use strict';\n\n" + parts + '})();\n';
const style = readChecked(stylePath);

const hash = (text) => "'sha256-" + crypto.createHash('sha256').update(text, 'utf8').digest('base64') + "'";
const delimiter = 'quizzpage';
// Raw literals of a bounded size each, concatenated by the compiler.
function literal(text) {
  if (text.includes(')' + delimiter + '"')) throw new Error('text holds the literal delimiter');
  const pieces = [];
  for (let at = 0; at < text.length; at += 8000)
    pieces.push('R"' + delimiter + '(' + text.slice(at, at + 8000) + ')' + delimiter + '"');
  return pieces.join('\n    ');
}
const source = `// Made by page/embed-runtime.js from page/ and the compiled judging core.
#include "tools/builder/output/page_runtime.h"

const std::string_view pageScript =
    ${literal(script)};
const std::string_view pageStyle =
    ${literal(style)};
const std::string_view pageScriptHash = "${hash(script)}";
const std::string_view pageStyleHash = "${hash(style)}";
`;
fs.writeFileSync(outputPath, source);
