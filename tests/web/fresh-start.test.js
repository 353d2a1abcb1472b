// "Recommencer" on a class's shared computer: asked first, with the answers
// file offered; declined, nothing changes; accepted, every box is empty,
// the score is back to nothing and the browser keeps no answer over a reload.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('fresh-start');
let browser;
let pagePath;

before(async () => {
  browser = await web.launch();
  pagePath = web.buildPage(path.join(web.source, 'examples/inventeurs.json'), path.join(folder, 'inventeurs.html'));
});
after(async () => {
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
  await browser.close();
});

const boxValues = (page) => page.$$eval('input.box', (boxes) => boxes.map((box) => box.value));
const storedKeys = (page) => page.evaluate(() => Object.keys(localStorage).filter((key) => key !== 'quizz:prenom'));
const typed = ['Graham', 'Bell', 'Thomas', 'Edison'];

async function typeAnswers(page) {
  for (const [at, text] of typed.entries()) await page.fill('#box-' + (at + 1), text);
  await page.focus('#box-1');
  await page.keyboard.press('Enter');
}

// Each row: the buttons pressed after "Recommencer", what the boxes hold
// then and after a reload, the score, whether the storage still holds them,
// and the files handed to the pupil.
const rows = [
  { name: 'declined', clicks: ['#fresh-no'], boxes: typed, score: ' 2 / 10', stored: 1, downloads: [] },
  { name: 'accepted', clicks: ['#fresh-yes'], boxes: [], score: ' 0 / 10', stored: 0, downloads: [] },
  { name: 'saved first, then accepted', clicks: ['#fresh-save', '#pupil-name-ok', '#fresh-yes'], boxes: [], score: ' 0 / 10', stored: 0,
    downloads: ['inventeurs - Léa.txt'] },
];

for (const row of rows) {
  test('Recommencer, ' + row.name, async () => {
    let page = await web.openPage(browser, pagePath);
    await page.evaluate(() => localStorage.clear());
    page = await web.openPage(browser, pagePath);
    await typeAnswers(page);
    assert.equal((await boxValues(page)).slice(0, 4).join('|'), typed.join('|'), 'typed');
    assert.equal((await storedKeys(page)).length, 1, 'the answers are stored before');
    await page.click('#fresh');
    assert.equal(await page.isVisible('#fresh-yes'), true, 'the question is asked');
    const downloads = [];
    for (const selector of row.clicks) {
      if (selector !== '#pupil-name-ok') {
        await page.click(selector);
        continue;
      }
      await page.fill('#pupil-name', 'Léa');
      const [download] = await Promise.all([page.waitForEvent('download'), page.click(selector)]);
      downloads.push(download.suggestedFilename());
    }
    const expected = (await boxValues(page)).map((_, at) => row.boxes[at] || '');
    assert.ok(expected.length > typed.length, 'every box counted');
    assert.deepEqual(await boxValues(page), expected, row.name);
    assert.equal(await page.textContent('#score'), row.score, row.name);
    assert.equal((await storedKeys(page)).length, row.stored, row.name + ': storage');
    assert.deepEqual(downloads, row.downloads, row.name + ': files saved');
    assert.equal(await page.isVisible('#fresh-yes'), false, 'the question goes away');
    page = await web.openPage(browser, pagePath);
    assert.deepEqual(await boxValues(page), expected, row.name + ', after a reload');
  });
}
