// Writes the page runtime as a C++ source for the quiz builder: the judging
// core's module and the page's script parts as one inline script, its style
// sheet, and the hashes the page's Content-Security-Policy allows them by.
// Usage: node embed-runtime.js CORE.js CORE.wasm PAGE.css OUTPUT.cpp PART.js...
'use strict';
const fs = require('fs');
const { readChecked, base64Of, hash, oneStrictScope } = require('../web/page-assembly.js');

const [corePath, wasmPath, stylePath, outputPath, ...partPaths] = process.argv.slice(2);
if (partPaths.length === 0) {
  console.error('usage: node embed-runtime.js CORE.js CORE.wasm PAGE.css OUTPUT.cpp PART.js...');
  process.exit(1);
}

let script, style;
try {
  // The module as base64, decoded by the page and handed to the loader.
  const wasm = "const quizzCoreWasm = '" + base64Of(wasmPath) + "';\n";
  script = wasm + readChecked(corePath).trim() + '\n' + oneStrictScope(partPaths.map(readChecked));
  style = readChecked(stylePath);
} catch (error) {
  console.error(error.message);
  process.exit(1);
}

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
