// The page's WebAssembly core against the player's native core: the verdict
// of generated (stored, typed) pairs; and a full 90-entry board's score and
// code on the page.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('differential');
const pairCount = 12000;
const verdicts = ['?', 'BRAVO', 'Anagramme', 'Quasiment', 'Presque', 'Trop court', 'pas loin', 'Trop long',
  'yade lidée', 'FAUX'];
let browser;
let page;

// A 90-entry quiz whose every code differs, accents and the longest code included.
const entries = [...Array(90).keys()].map((at) => ({ clue: 'Question ' + (at + 1), answers: ['réponse' + at] }));
const codes = entries.map((_, at) => (at === 89 ? 'Z'.repeat(259) : 'Code é' + at));
const quiz = { kind: 'text', title: 'Quatre-vingt-dix', author: 'Ana', description: '', entries, codes };

before(async () => {
  browser = await web.launch();
  page = await web.openPage(browser, web.buildPage(quiz, path.join(folder, 'ninety.html')));
});
// Closed first: WebKit's page reports what it logged as it goes.
after(async () => {
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});

test(`${pairCount} generated pairs get the same verdict from both cores`, async () => {
  const rows = web.reference(['pairs', String(pairCount), '20261208']).trim().split('\n').map((line) => line.split(' '));
  assert.equal(rows.length, pairCount);
  const fromPage = await page.evaluate((pairs) => {
    const bytes = (hex) => (hex === '-' ? new Uint8Array(0) : Uint8Array.from(hex.match(/../g), (b) => parseInt(b, 16)));
    return pairs.map(([stored, typed]) => window.quizzCore.verdictOf(bytes(stored), bytes(typed)));
  }, rows);
  const seen = new Map(verdicts.map((verdict) => [verdict, 0]));
  let longest = 0;
  for (let at = 0; at < rows.length; ++at) {
    const [stored, typed, native] = rows[at];
    const expected = web.textOf1252(web.bytesOfHex(native));
    assert.equal(fromPage[at], expected, `stored ${stored}, typed ${typed}`);
    seen.set(expected, seen.get(expected) + 1);
    longest = Math.max(longest, typed.length / 2);
  }
  for (const [verdict, count] of seen) assert.ok(count > 0, `no pair came out ${verdict}`);
  assert.ok(longest > 259, 'typed texts past the 259-character limit');
});

// Score and code come from the board rules the player runs; the page must
// show them for a board it restores from the player's answers file.
test('a full board restored from the player\'s answers file shows the top score and its longest code', async () => {
  const answers = path.join(folder, 'ninety.txt');
  fs.writeFileSync(answers, Buffer.from(entries.map((entry) => entry.answers[0]).join('\r\n') + '\r\n', 'latin1'));
  await page.setInputFiles('#answers-file', answers);
  await web.waitFor(page, () => document.getElementById('score').textContent === ' 90 / 90');
  assert.equal(await page.textContent('#code'), codes[89]);
});
