// The page of every kind of quiz as an audit and a slow reader see it:
// axe-core finds no WCAG 2.1 A or AA violation with answers typed, verdicts
// shown and a reveal, and a picture quiz answers at once while its pictures
// come in, each in its own entry.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('child_process');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('access');
let browser;

before(async () => { browser = await web.launch({ bypassCSP: true }); });
// Closed first: WebKit's page reports what it logged as it goes.
after(async () => {
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});

function makeMedia(name, args) {
  execFileSync('ffmpeg', ['-loglevel', 'error', '-y', ...args, path.join(folder, name)]);
  return name;
}
const picture = (name, size, colour = 'red') =>
  makeMedia(name, ['-f', 'lavfi', '-i', `color=${colour}:size=${size}`, '-frames:v', '1']);

async function typeAndJudge(page, steps) {
  for (const [rank, text] of steps) {
    await page.fill('#box-' + rank, text);
    await page.focus('#box-' + rank);
    await page.keyboard.press('Enter');
  }
}

const quizzes = [
  ['a text quiz with verdicts shown', () => path.join(web.source, 'examples/capitales.json'),
    [[1, 'paris'], [2, 'rom'], [3, 'zzzz']]],
  ['a two-answer text quiz', () => ({
    kind: 'text', title: 'Conjugaison', author: 'Ana', description: 'Deux réponses', answersPerEntry: 2,
    answerLabels: ['Présent', 'Passé'], entries: [{ clue: 'aller', answers: ['va', 'allé'] }, { clue: 'être', answers: ['est', 'été'] }],
    codes: ['A', 'B'] }), [[1, 'va'], [2, 'alle']]],
  ['a picture quiz with its answer picture revealed', () => ({
    kind: 'picture', title: 'Images', author: 'Ana', description: 'Couleurs', reveal: 'picture',
    entries: [{ answers: ['rouge'], media: picture('a1.gif', '40x30'), revealPicture: picture('a2.jpg', '20x40', 'yellow') },
      { answers: ['bleu'], media: picture('a3.gif', '30x30', 'blue'), revealPicture: picture('a2.jpg', '20x40', 'yellow') }],
    codes: ['C1', 'C2'] }), [[1, 'rouge'], [2, 'vert']]],
  ['a picture quiz with its explanation revealed', () => ({
    kind: 'picture', title: 'Images', author: 'Ana', description: 'Textes', reveal: 'text',
    entries: [{ answers: ['rouge'], media: picture('t1.gif', '40x30'), revealText: 'La couleur du feu' }],
    codes: ['T1'] }), [[1, 'rouge']]],
  ['a sound quiz', () => ({
    kind: 'sound', title: 'Sons', author: 'Ana', description: 'Écoutez',
    entries: [{ answers: ['la'], media: makeMedia('s.mp3', ['-f', 'lavfi', '-i', 'sine=frequency=440:duration=1']) }],
    codes: ['S1'] }), [[1, 'si']]],
];

test('no WCAG 2.1 A or AA violation, answers typed and verdicts shown, in every kind of quiz', async (t) => {
  for (const [name, description, steps] of quizzes) {
    await t.test(name, async () => {
      const page = await web.openPage(browser, web.buildPage(description(), path.join(folder, 'audit.html')));
      await typeAndJudge(page, steps);
      assert.notEqual(await page.textContent('#verdict-1'), '', name);
      assert.deepEqual(await web.accessibilityViolations(page), [], name);
    });
  }
});

test('a picture quiz answers before its pictures come, and each comes to its own entry', async () => {
  const count = 40;
  // Each entry's picture has a width of its own, to tell them apart.
  const entries = Array.from({ length: count }, (_, at) =>
    ({ answers: ['r' + (at + 1)], media: picture(`w${at}.gif`, `${20 + 2 * at}x16`) }));
  const page = await web.openPage(browser, web.buildPage({ kind: 'picture', title: 'Quarante', author: 'Ana',
    description: '', entries, codes: ['C'] }, path.join(folder, 'forty.html')));
  await typeAndJudge(page, [[count, 'r' + count]]);
  assert.equal(await page.textContent('#verdict-' + count), 'BRAVO');
  await page.evaluate(() => document.querySelector('#entry-40').scrollIntoView());
  await web.waitFor(page, () => [...document.querySelectorAll('img.picture')].every((img) => img.complete && img.naturalWidth));
  assert.deepEqual(await page.$$eval('img.picture', (pictures) => pictures.map((img) => img.naturalWidth)),
    entries.map((_, at) => 20 + 2 * at));
  assert.equal(await page.$$eval('script[type="application/octet-stream"]', (blocks) => blocks.length), 0,
    'every media block was read and let go');
});
