// What the build scripts that assemble the quiz page (page/embed-runtime.js)
// and the studio (studio/embed-studio.js) share: files read for inlining,
// binaries as base64, the Content-Security-Policy's hashes, and script parts
// joined into one scope. Run by node at build time, never shipped.
'use strict';
const fs = require('fs');
const crypto = require('crypto');

// A file's text; any of these would end its element early or change how the
// browser reads it, so such a file is refused (an Error naming it).
function readChecked(path) {
  const text = fs.readFileSync(path, 'utf8');
  for (const ending of ['</script', '</style', '<!--'])
    if (text.toLowerCase().includes(ending)) throw new Error(`${path}: holds ${ending}, which would end its element in the page`);
  return text;
}

const base64Of = (path) => fs.readFileSync(path).toString('base64');

// The policy's source expression allowing exactly this inline text.
const hash = (text) => "'sha256-" + crypto.createHash('sha256').update(text, 'utf8').digest('base64') + "'";

// The parts share one strict scope, in the order given: each uses what the
// ones before it declare, and none of it is left on the window.
function oneStrictScope(parts) {
  return "(() => {\n'use strict';\n\n" + parts.map((part) => part.trim() + '\n').join('\n') + '})();\n';
}

module.exports = { readChecked, base64Of, hash, oneStrictScope };
