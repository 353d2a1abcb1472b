// Writes the page runtime as a C++ source for the quiz builder: the judging
// core's module and the page's script as one inline script, its style sheet,
// and the hashes the page's Content-Security-Policy allows them by.
// Usage: node embed-runtime.js CORE.js CORE.wasm PAGE.js PAGE.css OUTPUT.cpp
'use strict';
const fs = require('fs');
const crypto = require('crypto');

const [corePath, wasmPath, pagePath, stylePath, outputPath] = process.argv.slice(2);
// The module as base64, decoded by the page and handed to the loader.
const wasm = "const quizzCoreWasm = '" + fs.readFileSync(wasmPath).toString('base64') + "';\n";
const script = wasm + fs.readFileSync(corePath, 'utf8').trim() + '\n' + fs.readFileSync(pagePath, 'utf8');
const style = fs.readFileSync(stylePath, 'utf8');

// Either would end the element early or change how the browser reads it.
for (const [name, text] of [['script', script], ['style', style]]) {
  for (const ending of ['</script', '</style', '<!--'])
    if (text.toLowerCase().includes(ending)) {
      console.error(`${name} holds ${ending}, which would end its element`);
      process.exit(1);
    }
}

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
#include "tools/builder/page_runtime.h"

const std::string_view pageScript =
    ${literal(script)};
const std::string_view pageStyle =
    ${literal(style)};
const std::string_view pageScriptHash = "${hash(script)}";
const std::string_view pageStyleHash = "${hash(style)}";
`;
fs.writeFileSync(outputPath, source);
