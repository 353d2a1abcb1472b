// A quiz and an answers file full of markup, script endings, quotes,
// ampersands, accents and 259-character texts: the page shows each as the
// text it is, runs none of it, opens no dialog, logs no error and loads
// nothing from the network; what it reads back from storage is data too.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('hostile');
const markup = web.hostileTexts;
const long = 'É'.repeat(258) + '<';
const quiz = {
  kind: 'text',
  title: markup[0] + markup[1],
  author: markup[4],
  description: markup[2] + markup[3],
  answersPerEntry: 2,
  answerLabels: [markup[1], markup[4]],
  entries: [
    ...markup.map((text, at) => ({ clue: text, answers: [markup[(at + 1) % markup.length], 'a' + at] })),
    { clue: long, answers: ['A'.repeat(259), long] },
  ],
  codes: [...markup, long],
};
// The page's file name lands in its data: a file name can hold these too.
const pageName = `q<!--'&"\u2028\u2029.html`;
const pagePath = path.join(folder, pageName);
let browser;
let page;

const boxValues = () => page.$$eval('input.box', (boxes) => boxes.map((box) => box.value));
const texts = (selector) => page.$$eval(selector, (nodes) => nodes.map((node) => node.textContent));

before(async () => {
  browser = await web.launch();
  web.buildPage(quiz, pagePath);
  page = await web.openPage(browser, pagePath);
});
// Closed first: WebKit's page reports what it logged as it goes.
after(async () => {
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});

test('every text reads back exactly as written and none of it becomes markup', async () => {
  assert.equal(await page.title(), quiz.title);
  assert.equal(await page.textContent('#title'), quiz.title);
  assert.equal(await page.textContent('#author'), quiz.author);
  assert.equal(await page.textContent('#description'), quiz.description);
  assert.deepEqual(await texts('.clue'), quiz.entries.map((entry) => entry.clue));
  assert.deepEqual((await texts('label.heading')).slice(0, 2), quiz.answerLabels);
  // Only the page's own two scripts and style, no element made of a text.
  assert.equal(await page.$$eval('script', (scripts) => scripts.length), 2);
  assert.equal(await page.$$eval('style, img, iframe, object', (found) => found.length), 1);
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (meta) => meta.content);
  assert.match(policy, /^default-src 'none'; script-src 'sha256-[^']+' 'wasm-unsafe-eval'; style-src 'sha256-[^']+'; img-src data: blob:; media-src data: blob:/);

  // Each answer typed is right, and every code shows as text as the score climbs.
  for (let entry = 1; entry <= quiz.entries.length; ++entry) {
    const answers = quiz.entries[entry - 1].answers;
    await page.fill('#box-' + (2 * entry - 1), answers[0]);
    await page.fill('#box-' + 2 * entry, answers[1]);
    await page.focus('#box-' + 2 * entry);
    await page.keyboard.press('Enter');
    await page.focus('#box-' + (2 * entry - 1));
    await page.keyboard.press('Enter');
    assert.deepEqual(await texts(`#verdict-${2 * entry - 1}, #verdict-${2 * entry}`), ['BRAVO', 'BRAVO'], 'entry ' + entry);
    assert.equal(await page.textContent('#code'), quiz.codes[entry - 1], 'code ' + entry);
  }
  // What a box holds past 259 characters is not judged, as in the player.
  await page.fill('#box-13', 'A'.repeat(259) + 'BCDE');
  await page.keyboard.press('Enter');
  assert.equal(await page.textContent('#verdict-13'), 'BRAVO');
});

test('a loaded answers file\'s lines land in the boxes as text', async () => {
  const lines = [...markup, long, '\u2028 \u2029'];
  const file = path.join(folder, 'hostile.txt');
  fs.writeFileSync(file, Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(lines.join('\r\n') + '\r\n')]));
  await page.setInputFiles('#answers-file', file);
  await web.waitFor(page, (first) => document.getElementById('box-1').value === first, markup[0]);
  const expected = lines.map((line) => line.replace(/[\u2028\u2029]/g, '?'));
  assert.deepEqual((await boxValues()).slice(0, expected.length), expected);
});

test('storage is read as data: only this quiz\'s own well-formed value is restored', async () => {
  const key = web.pageData(pagePath).key;
  const hostile = markup[0] + '\r\n' + markup[1] + '\r\n';
  const values = [
    { value: JSON.stringify({ format: 1, key, answers: hostile }), boxes: [markup[0], markup[1]] },
    { value: 'alert(8)', boxes: [] },
    { value: JSON.stringify({ format: 1, key, answers: ['x'] }), boxes: [] },
    { value: JSON.stringify({ format: 2, key, answers: 'x\r\n' }), boxes: [] },
    { value: JSON.stringify({ format: 1, key: key + 'x', answers: 'x\r\n' }), boxes: [] },
    { value: JSON.stringify({ format: 1, key, answers: '中\r\n' }), boxes: [] },
    { value: JSON.stringify({ format: 1, key, answers: 'x'.repeat(1 << 20) }), boxes: [] },
  ];
  for (const { value, boxes } of values) {
    await page.evaluate(([k, v]) => { localStorage.clear(); localStorage.setItem(k, v); }, [key, value]);
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    const shown = await boxValues();
    assert.deepEqual(shown.slice(0, boxes.length), boxes, value.slice(0, 80));
    assert.ok(shown.slice(boxes.length).every((box) => box === ''), value.slice(0, 80));
  }
});

test('two quizzes opened from one folder keep their own answers', async () => {
  const other = path.join(folder, 'other.html');
  web.buildPage({ ...quiz, title: 'Autre' }, other);
  await page.evaluate(() => localStorage.clear());
  page = await web.openPage(browser, pagePath);
  await page.fill('#box-1', 'mine');
  page = await web.openPage(browser, other);
  await page.fill('#box-1', 'theirs');
  page = await web.openPage(browser, pagePath);
  assert.equal((await boxValues())[0], 'mine');
  page = await web.openPage(browser, other);
  assert.equal((await boxValues())[0], 'theirs');
});

test('the page works from a web server as from disk, with no other request', async () => {
  const http = require('http');
  let served = 0;
  const html = fs.readFileSync(pagePath);
  const server = http.createServer((request, response) => {
    served += 1;
    response.writeHead(request.url === '/' ? 200 : 404, { 'content-type': 'text/html; charset=utf-8' });
    response.end(request.url === '/' ? html : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const events = browser.events.requests.length;
  try {
    const served0 = served;
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.waitForSelector('body[data-ready]');
    assert.equal(await page.textContent('#title'), quiz.title);
    assert.equal(served - served0, 1, 'the page alone was asked for');
  } finally {
    server.close();
  }
  // The page's own address is the one request that leaves it.
  assert.equal(browser.events.requests.length - events, 1);
  browser.events.requests.splice(events, 1);
});
