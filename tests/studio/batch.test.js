// Photos from a phone become entries in one go: picked together, or
// dropped on the table, one entry each in the order a file manager shows
// their names, answers taken from the names; fitted to the board, which
// undo takes back to the originals; the batch undone as one step; saved as
// the native quizbuild --fit-pictures builds the saved description from
// the original photos. A drop of anything else says so where it fell.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const drive = require('./studio-driver.js');

const { web, cell } = drive;
const folder = web.freshFolder('studio-batch');
const player = process.env.QUIZ_PLAYER;
let browser;
let page;

// The farm's photos as a phone takes them: 4000 x 3000, one PNG, one upper-case extension.
const photos = ['vache.JPG', 'Âne.jpg', 'poule.jpg', 'cochon.png', 'mouton_noir.jpg', 'canard.jpg', 'Lapin.jpg', 'chèvre.jpg'];
const inNameOrder = ['Âne', 'canard', 'chèvre', 'cochon', 'Lapin', 'mouton noir', 'poule', 'vache'];
const photoPath = (name) => path.join(folder, 'photos', name);

before(async () => {
  fs.mkdirSync(path.join(folder, 'photos'), { recursive: true });
  photos.forEach((name, at) => execFileSync('convert', ['-size', '4000x3000', `gradient:#${(at * 31 % 10)}0A040-#F0${at}0C0`,
    '-fill', '#203050', '-draw', `circle ${1000 + at * 300},1500 ${1400 + at * 300},1500`, photoPath(name)]));
  browser = await web.launch();
  page = await drive.openStudio(browser);
});
after(async () => {
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
  await browser.close();
});

const shownRows = () => page.$$eval('#entry-table tr[data-entry]', (trs) => trs.map((tr) =>
  tr.querySelector('[data-field="answers[0]"]').value + ' ← ' + tr.querySelector('.facts').textContent.replace(/ — .*/, '')));

async function dropOn(selector, files, at) {
  return page.evaluate(([where, dropped, point]) => {
    const data = new DataTransfer();
    for (const file of dropped) data.items.add(new File([Uint8Array.from(atob(file.base64), (c) => c.charCodeAt(0))], file.name));
    const target = document.querySelector(where);
    // In view, where an author drops: the rows above may be any height.
    target.scrollIntoView({ block: 'center' });
    const box = target.getBoundingClientRect();
    const x = box.left + point[0];
    const y = box.top + point[1];
    target.dispatchEvent(new DragEvent('drop', { dataTransfer: data, clientX: x, clientY: y, bubbles: true, cancelable: true }));
    return [x, y];
  }, [selector, files.map((file) => ({ name: path.basename(file), base64: fs.readFileSync(file).toString('base64') })), at]);
}

const fittedName = (name) => name.replace(/\.[^.]*$/, '.jpg');
const rowsOf = (named) => inNameOrder.map((answer) => answer + ' ← media/' + named(photos.find((name) => name.replace(/\.[^.]*$/, '').replace(/_/g, ' ') === answer)));

test('eight phone photos picked together become eight entries in name order, fitted, each step undone', async () => {
  await drive.startNew(page, 'picture');
  await page.setInputFiles('input[type=file][data-action=add-media]', photos.map(photoPath));
  await drive.until(page, () => document.getElementById('notice').textContent.includes('réduites'), undefined, 'the fitting');
  assert.match(await page.textContent('#notice'), /8 entrée\(s\) ajoutée\(s\).*8 photos réduites : \d+,\d Mo → \d+ Ko \(Annuler rend les originaux\)\.$/);
  const fitted = rowsOf(fittedName);
  assert.deepEqual(await shownRows(), fitted);
  const facts = await page.$$eval('#entry-table tr[data-entry] .facts', (spans) => spans.map((span) => span.textContent.replace(/^.* — /, '')));
  assert.ok(facts.every((fact) => /^JPEG, \d+ Ko$/.test(fact)), facts.join('; '));
  await page.click('[data-action=undo]');
  assert.deepEqual(await shownRows(), rowsOf((name) => name), 'one undo gives back the originals');
  await page.click('[data-action=undo]');
  assert.deepEqual(await page.$$eval('#entry-table tr[data-entry]', (trs) => trs.length), 1, 'a second takes the batch away');
  await page.click('[data-action=redo]');
  await page.click('[data-action=redo]');
  assert.deepEqual(await shownRows(), fitted);
});

test('the batch saved is under 1 MB, the program quizbuild --fit-pictures builds of the original photos', async () => {
  await page.fill('[data-setting=name]', 'ferme');
  const zip = await drive.save(page, 'save-description');
  const exe = await drive.save(page, 'save-program');
  assert.ok(exe.bytes.length < 1 << 20, exe.bytes.length + ' bytes');
  const unpacked = drive.unzip(zip.bytes, path.join(folder, 'saved'));
  const description = JSON.parse(fs.readFileSync(path.join(unpacked, 'quiz.json'), 'utf8'));
  assert.deepEqual(description.entries.map((entry) => entry.answers[0]), inNameOrder);
  // The photos as taken, under the names the description gives them.
  for (const entry of description.entries) {
    const photo = photos.find((name) => 'media/' + fittedName(name) === entry.media);
    fs.copyFileSync(photoPath(photo), path.join(unpacked, entry.media));
  }
  const built = drive.quizbuild(['build', 'quiz.json', '-o', 'ferme.exe', '--player', player, '--fit-pictures'], unpacked);
  assert.equal(built.status, 0, built.stderr);
  assert.match(built.stdout, /^8 pictures fitted: \d+\.\d MiB -> \d+ KiB$/m);
  assert.ok(fs.readFileSync(path.join(unpacked, 'ferme.exe')).equals(exe.bytes), 'ferme.exe differs from quizbuild build --fit-pictures');
});

// Each row: what is dropped, where, and what the table then shows or what is said by the drop.
const drops = [
  { name: 'two pictures on row 2 go after it', on: cell(2, 'answers[0]'), files: ['zèbre.gif', 'Ours_brun.bmp'],
    rows: (before) => [...before.slice(0, 2), 'Ours brun ← media/Ours_brun.bmp', 'zèbre ← media/zèbre.gif', ...before.slice(2)] },
  { name: 'a note is neither a quiz nor media', on: '.table-scroll', files: ['notes.txt'], said: /^Impossible d’ouvrir : / },
];

for (const drop of drops) {
  test('a drop: ' + drop.name, async () => {
    const dir = path.join(folder, 'drops');
    fs.mkdirSync(dir, { recursive: true });
    for (const name of drop.files)
      if (name.endsWith('.txt')) fs.writeFileSync(path.join(dir, name), 'Des idées de quiz\n');
      else execFileSync('convert', ['-size', '40x30', 'xc:#40A060', path.join(dir, name)]);
    const before = await shownRows();
    const [x, y] = await dropOn(drop.on, drop.files.map((name) => path.join(dir, name)), [20, 10]);
    if (drop.rows) {
      await drive.until(page, (count) => document.querySelectorAll('#entry-table tr[data-entry]').length === count, drop.rows(before).length, 'the dropped entries');
      assert.deepEqual(await shownRows(), drop.rows(before));
      assert.equal(await page.$('#drop-message'), null);
      return;
    }
    await drive.until(page, () => !!document.getElementById('drop-message'), undefined, 'the message by the drop');
    const message = await page.$eval('#drop-message', (shown) => ({ text: shown.textContent, box: shown.getBoundingClientRect().toJSON() }));
    assert.match(message.text, drop.said);
    assert.ok(Math.abs(message.box.top - y) < 60 && message.box.left <= x && x - message.box.left < 440, 'beside the drop: ' + JSON.stringify([x, y, message.box]));
    assert.deepEqual(await shownRows(), before, 'the table stays');
  });
}

test('a photo cut short is kept as it is, and the studio says it could not shrink it', async () => {
  const dir = path.join(folder, 'damaged');
  fs.mkdirSync(dir, { recursive: true });
  const whole = fs.readFileSync(photoPath('poule.jpg'));
  fs.writeFileSync(path.join(dir, 'abimee.jpg'), whole.subarray(0, whole.length >> 1));
  const before = await shownRows();
  await page.setInputFiles('input[type=file][data-action=add-media]', [path.join(dir, 'abimee.jpg')]);
  await drive.until(page, () => /pas pu être lue/.test(document.getElementById('notice').textContent), undefined, 'the message');
  assert.match(await page.textContent('#notice'), /1 entrée\(s\) ajoutée\(s\).* 1 image n’a pas pu être lue pour être réduite : elle reste telle quelle\.$/);
  const rows = await shownRows();
  assert.equal(rows.length, before.length + 1);
  assert.ok(rows.includes('abimee ← media/abimee.jpg'), rows.join('; '));
});
