// The page plays as the player: keys, verdicts and their colours, score and
// code, reveals, media, kept and saved answers, and the layout at desktop
// and phone widths.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('page');
const capitales = JSON.parse(fs.readFileSync(path.join(web.source, 'examples/capitales.json'), 'utf8'));
let browser;

before(async () => { browser = await web.launch(); });
// Closed first: WebKit's page reports what it logged as it goes.
after(async () => {
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});

const boxValues = (page) => page.$$eval('input.box', (boxes) => boxes.map((box) => box.value));
const focusedId = (page) => page.evaluate(() => document.activeElement.id);
const verdictColour = (page, rank) =>
  page.$eval('#verdict-' + rank, (label) => getComputedStyle(label).backgroundColor);


test('keys judge, move the focus and spread the answer as in the player', async () => {
  const page = await web.openPage(browser, web.buildPage(path.join(web.source, 'examples/capitales.json'),
    path.join(folder, 'capitales.html')));
  const entries = capitales.entries.length;
  const steps = [
    { box: 1, type: 'paris', key: 'Tab', verdicts: { 1: 'BRAVO' }, focus: 'box-2', score: ' 1 / 20', code: capitales.codes[0],
      said: `Entrée 1 : BRAVO. Score 1 / 20, code ${capitales.codes[0]}` },
    { box: 2, type: 'rom', key: 'Enter', verdicts: { 2: 'Quasiment' }, focus: 'box-2', score: ' 1 / 20', said: 'Entrée 2 : Quasiment' },
    // The same verdict again is not said twice.
    { box: 2, key: 'Shift+Tab', focus: 'box-1', said: 'Entrée 2 : Quasiment' },
    { box: entries, type: 'Berne', key: 'Tab', focus: 'box-1' },
    { box: 3, type: '  MADRID ', key: 'Enter', verdicts: { 3: 'BRAVO' }, score: ' 2 / 20', code: capitales.codes[1],
      said: `Entrée 3 : BRAVO. Score 2 / 20, code ${capitales.codes[1]}` },
    { box: 3, type: 'Madri', key: 'Enter', verdicts: { 3: 'Quasiment' }, score: ' 1 / 20', code: capitales.codes[0],
      said: `Entrée 3 : Quasiment. Score 1 / 20, code ${capitales.codes[0]}` },
    { box: 4, type: 'zzzzzzzz', key: 'Enter', verdicts: { 4: 'FAUX' }, said: 'Entrée 4 : FAUX' },
  ];
  for (const step of steps) {
    const where = JSON.stringify(step);
    await page.focus('#box-' + step.box);
    if (step.type !== undefined) await page.fill('#box-' + step.box, step.type);
    await page.keyboard.press(step.key);
    for (const [rank, verdict] of Object.entries(step.verdicts || {}))
      assert.equal(await page.textContent('#verdict-' + rank), verdict, where);
    if (step.focus) assert.equal(await focusedId(page), step.focus, where);
    if (step.score) assert.equal(await page.textContent('#score'), step.score, where);
    if (step.code) assert.equal(await page.textContent('#code'), step.code, where);
    if (step.said) assert.equal(await page.textContent('#announce'), step.said, where);
  }
  // Colours by the verdict's text: green, amber for a hint, red, none for "?".
  assert.equal(await verdictColour(page, 1), 'rgb(0, 255, 0)');
  assert.equal(await verdictColour(page, 3), 'rgb(255, 203, 38)');
  assert.equal(await verdictColour(page, 4), 'rgb(255, 0, 0)');
  assert.equal(await verdictColour(page, 5), 'rgba(0, 0, 0, 0)');

  // F1 tries the box's text on every box not yet right; the right one keeps its answer.
  await page.fill('#box-6', 'Vienne');
  await page.focus('#box-6');
  await page.keyboard.press('F1');
  const values = await boxValues(page);
  assert.equal(values[0], 'paris');
  assert.deepEqual(values.slice(1), Array(entries - 1).fill('Vienne'));
  assert.equal(await focusedId(page), 'box-6');
  assert.equal(await page.textContent('#verdict-6'), 'BRAVO');
  assert.equal(await page.textContent('#score'), ' 2 / 20');
  assert.equal(await page.textContent('#code'), capitales.codes[1]);
  // The button does the same for touch screens, from the last box used.
  await page.fill('#box-6', '');
  await page.click('#spread');
  assert.deepEqual((await boxValues(page)).filter((value) => value === ''), Array(entries - 1).fill(''));
  assert.equal(await page.textContent('#score'), ' 1 / 20');
});

test('answers are kept over a reload, saved as the player writes them and loaded as it reads them', async () => {
  const pagePath = web.buildPage(path.join(web.source, 'examples/inventeurs.json'), path.join(folder, 'inventeurs.html'));
  let page = await web.openPage(browser, pagePath);
  const typed = { 1: 'Graham', 2: 'Bell', 3: 'Thomàs', 4: ' Edison ', 6: '中文 €', 8: '*' };
  for (const [rank, text] of Object.entries(typed)) await page.fill('#box-' + rank, text);
  await page.focus('#box-1');
  await page.keyboard.press('Enter');
  assert.equal(await page.textContent('#score'), ' 1 / 10');
  assert.equal(await page.textContent('#code'), 'INV01');

  page = await web.openPage(browser, pagePath);
  const restored = await boxValues(page);
  assert.equal(restored[0], 'Graham');
  assert.equal(restored[2], 'Thomàs');
  assert.equal(restored[3], ' Edison ');
  assert.equal(restored[5], '?? €');  // as the player's box held it
  assert.equal(restored[7], '');      // "*" is an empty box
  assert.equal(await page.textContent('#verdict-4'), 'BRAVO');
  assert.equal(await page.textContent('#verdict-3'), 'Quasiment');
  assert.equal(await page.textContent('#score'), ' 1 / 10');

  // The first save asks for the pupil's first name, kept for the file's name
  // without what a Windows file name cannot hold; the bytes are the player's.
  await page.click('#save');
  assert.equal(await page.isVisible('#pupil-name'), true);
  await page.fill('#pupil-name', ' Lé/a: ');
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#pupil-name-ok')]);
  assert.equal(download.suggestedFilename(), 'inventeurs - Léa.txt');
  assert.equal(await page.isVisible('#pupil-name'), false);
  const saved = fs.readFileSync(await download.path());
  const boxes = restored.map((text) => web.hexOf(web.boxBytes(text))).join('\n') + '\n';
  assert.equal(saved.toString('hex'), web.reference(['answers'], boxes).trim());
  const [again] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
  assert.equal(again.suggestedFilename(), 'inventeurs - Léa.txt');
  assert.ok(fs.readFileSync(await again.path()).equals(saved));

  // Files as a text editor may have saved them: the boxes come out as the player reads them.
  const files = [
    { name: 'utf16.txt', bytes: Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from('Graham\r\nBell\r\nThomas\r\nEdison\r\nLouis\r\n中\r\n', 'utf16le')]),
      boxes: ['Graham', 'Bell', 'Thomas', 'Edison', 'Louis', '?'], score: ' 2 / 10' },
    { name: 'utf8.txt', bytes: Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from('Lumière\nLumière\n*\n', 'utf8')]),
      boxes: ['Lumière', 'Lumière', ''], score: ' 0 / 10' },
    { name: 'ansi-cr.txt', bytes: Buffer.from([0x4c, 0x75, 0x6d, 0x69, 0xe8, 0x72, 0x65, 0x0d, 0x2a, 0x0d]),
      boxes: ['Lumière', ''], score: ' 0 / 10' },
    { name: 'long.txt', bytes: Buffer.from('A'.repeat(300) + '\r\nB\r\n'), boxes: ['A'.repeat(259), 'B'], score: ' 0 / 10' },
  ];
  for (const file of files) {
    const filePath = path.join(folder, file.name);
    fs.writeFileSync(filePath, file.bytes);
    // Two files start alike: the first box waits with a text no file holds.
    await page.evaluate(() => { document.getElementById('box-1').value = '(en attente)'; });
    await page.setInputFiles('#answers-file', filePath);
    await web.waitFor(page, (first) => document.getElementById('box-1').value === first, file.boxes[0]);
    const values = await boxValues(page);
    assert.deepEqual(values.slice(0, file.boxes.length), file.boxes, file.name);
    assert.deepEqual(values.slice(file.boxes.length), Array(20 - file.boxes.length).fill(''), file.name);
    assert.equal(await page.textContent('#score'), file.score, file.name);
  }
  assert.deepEqual(await page.$$eval('label.heading', (labels) => labels.slice(0, 2).map((label) => label.textContent)),
    ['Prénom', 'Nom']);
});

// Media made with the tools the examples use.
function makeMedia(name, args) {
  const file = path.join(folder, name);
  execFileSync('ffmpeg', ['-loglevel', 'error', '-y', ...args, file]);
  return name;
}

test('pictures fit their square and the answer picture shows once the answer is exact', async () => {
  const pictures = ['red', 'blue', 'green'].map((colour, at) =>
    makeMedia(`p${at}.gif`, ['-f', 'lavfi', '-i', `color=${colour}:size=${130 * (at + 1)}x65`, '-frames:v', '1']));
  const answer = makeMedia('answer.jpg', ['-f', 'lavfi', '-i', 'color=yellow:size=100x200', '-frames:v', '1']);
  const quiz = {
    kind: 'picture', title: 'Images', author: 'Ana', description: 'Couleurs', reveal: 'picture',
    entries: pictures.map((media, at) => ({ answers: [['rouge', 'bleu', 'vert'][at]], media, revealPicture: answer })),
    codes: ['C1', 'C2', 'C3'],
  };
  const page = await web.openPage(browser, web.buildPage(quiz, path.join(folder, 'pictures.html')));
  await web.waitFor(page, () => document.querySelector('#entry-1 img').src.startsWith('blob:'));
  const question = await page.$eval('#entry-1 img', (img) => img.src);
  const fitted = await page.$eval('#entry-1 img', (img) => [img.clientWidth, img.clientHeight, getComputedStyle(img).objectFit]);
  assert.deepEqual(fitted, [258, 258, 'contain']);
  await page.fill('#box-1', 'ROUGE');
  await page.keyboard.press('Enter');
  assert.equal(await page.textContent('#verdict-1'), 'BRAVO');
  assert.equal(await page.$eval('#entry-1 img', (img) => img.src), question, 'a folded answer reveals nothing');
  await page.fill('#box-1', 'rouge');
  await page.keyboard.press('Enter');
  await web.waitFor(page, () => document.querySelector('#entry-1 img').naturalWidth === 100);
  const revealed = await page.$eval('#entry-1 img', (img) => [img.src, img.naturalWidth, img.naturalHeight]);
  assert.notEqual(revealed[0], question);
  assert.deepEqual(revealed.slice(1), [100, 200]);
  // It stays when the answer turns wrong, as in the player.
  await page.fill('#box-1', 'x');
  await page.keyboard.press('Enter');
  assert.equal(await page.$eval('#entry-1 img', (img) => img.src), revealed[0]);
});

test('the page holds its texts first, then its script, then every media file whole in board order', () => {
  // Sizes of each remainder by 3, so every ending of base64 is there.
  const pictures = [0, 1, 2, 3, 4, 5].map((at) =>
    makeMedia(`d${at}.jpg`, ['-f', 'lavfi', '-i', `color=c=0x${(at * 40).toString(16).padStart(2, '0')}8040:size=${16 + at * 9}x${16 + at * 5}`, '-frames:v', '1']));
  const answer = makeMedia('d-answer.gif', ['-f', 'lavfi', '-i', 'color=yellow:size=30x20', '-frames:v', '1']);
  const quiz = {
    kind: 'picture', title: '{"data":"","entry":1}', author: 'Ana', description: '</script> & <', reveal: 'picture',
    link: 'https://exemple.fr/?{"data":""}&x=</script>',
    entries: pictures.map((media, at) => ({ answers: ['r' + at], media, revealPicture: answer })),
  };
  const data = web.pageData(web.buildPage(quiz, path.join(folder, '{"data":"",x.html')));
  const expected = pictures.flatMap((media, at) => [[at + 1, 'question', media], [at + 1, 'answer', answer]]);
  assert.deepEqual(data.media.map((item) => [item.entry, item.role, item.type]),
    expected.map(([entry, role, file]) => [entry, role, file.endsWith('.gif') ? 'image/gif' : 'image/jpeg']));
  data.media.forEach((item, at) =>
    assert.ok(Buffer.from(item.data, 'base64').equals(fs.readFileSync(path.join(folder, expected[at][2]))), `media ${at}`));
  assert.equal(new Set([...pictures, answer].map((file) => fs.statSync(path.join(folder, file)).size % 3)).size, 3, 'each remainder');
  assert.equal(data.link, quiz.link);
  const [texts, script, media] = data.order;
  assert.ok(texts >= 0 && texts < script && script < media, `texts, script and media at ${data.order}`);
});

test('sounds and web clips play from the page; a video quiz without web clips is refused', async () => {
  const sound = makeMedia('sound.mp3', ['-f', 'lavfi', '-i', 'sine=frequency=440:duration=1']);
  const soundQuiz = { kind: 'sound', title: 'Sons', author: 'Ana', description: 'Écoutez',
    entries: [{ answers: ['la'], media: sound }, { answers: ['si'], media: sound }], codes: ['S1', 'S2'] };
  let page = await web.openPage(browser, web.buildPage(soundQuiz, path.join(folder, 'sound.html')));
  await web.waitFor(page, () => document.querySelector('#entry-1 audio').src.startsWith('blob:'));
  await web.waitFor(page, () => document.querySelector('#entry-1 audio').duration > 0.9);
  await page.click('#entry-1 .stop');
  assert.equal(await page.$eval('#entry-1 audio', (audio) => audio.paused && audio.currentTime === 0), true);

  const avi = makeMedia('clip.avi', ['-f', 'lavfi', '-i', 'testsrc=size=160x120:duration=1', '-c:v', 'mjpeg']);
  const webm = makeMedia('clip.webm', ['-f', 'lavfi', '-i', 'testsrc=size=160x120:duration=1', '-c:v', 'libvpx']);
  const videoQuiz = { kind: 'video', title: 'Films', author: 'Ana', description: 'Regardez',
    entries: [{ answers: ['mire'], media: avi, webClip: webm }, { answers: ['test'], media: avi }], codes: ['V1', 'V2'] };
  fs.writeFileSync(path.join(folder, 'video.json'), JSON.stringify(videoQuiz));
  const refused = spawnSync(process.env.QUIZ_BUILDER,
    ['html', path.join(folder, 'video.json'), '-o', path.join(folder, 'video.html')], { encoding: 'utf8' });
  assert.equal(refused.status, 1);
  assert.match(refused.stderr, /video\.json: entry 2, webClip: missing; .*MP4 or WebM/);
  assert.equal(fs.existsSync(path.join(folder, 'video.html')), false);

  videoQuiz.entries[1].webClip = webm;
  page = await web.openPage(browser, web.buildPage(videoQuiz, path.join(folder, 'video.html')));
  await web.waitFor(page, () => document.querySelector('#entry-2 video').videoWidth === 160);
  await page.click('#entry-2 .play');
  await web.waitFor(page, () => document.querySelector('#entry-2 video').currentTime > 0);
});

test('the board keeps the player\'s columns on a desktop and one column on a phone', async () => {
  const quiz = { kind: 'picture', title: 'Colonnes', author: 'Ana', description: '', answersPerEntry: 2,
    answerLabels: ['Un', 'Deux'], entries: [], codes: [] };
  const picture = makeMedia('square.gif', ['-f', 'lavfi', '-i', 'color=red:size=64x64', '-frames:v', '1']);
  for (let entry = 0; entry < 6; ++entry) quiz.entries.push({ answers: ['a', 'b'], media: picture });
  const pagePath = web.buildPage(quiz, path.join(folder, 'columns.html'));
  const columns = (page) => page.$$eval('.entry', (entries) => new Set(entries.map((e) => e.getBoundingClientRect().left)).size);
  const overflow = (page) => page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
  for (const [viewport, expected] of [[{ width: 1024, height: 800 }, 3], [{ width: 390, height: 800 }, 1]]) {
    const page = await web.openPage(browser, pagePath, viewport);
    assert.equal(await columns(page), expected, JSON.stringify(viewport));
    assert.ok((await overflow(page)) <= 0, 'no sideways scrolling at ' + viewport.width);
  }
});

// Texts the player's header labels cut show whole in the page, at a
// desktop's width and a phone's: nothing leaves its block, nothing covers it.
test('the header shows its code, title, author and link whole', async () => {
  const quiz = { kind: 'text', title: 'Conjugaison : le passé composé et l\'imparfait de l\'indicatif', author: 'Mme Dupont-Lefebvre',
    description: 'Une ligne', link: 'https://www.college-exemple.fr/francais/conjugaison', answersPerEntry: 1,
    codes: ['ESCARGOTS-DE-BOURGOGNE'], entries: [{ clue: 'Capitale de la France', answers: ['Paris'] }] };
  const pagePath = web.buildPage(quiz, path.join(folder, 'header.html'));
  for (const viewport of [{ width: 1024, height: 700 }, { width: 390, height: 700 }]) {
    const page = await web.openPage(browser, pagePath, viewport);
    await page.focus('#box-1');
    await page.fill('#box-1', 'Paris');
    await page.keyboard.press('Enter');
    assert.equal(await page.textContent('#code'), quiz.codes[0]);
    const cut = await page.evaluate(() => ['code', 'title', 'author'].map((id) => document.getElementById(id))
      .concat(document.querySelector('header a.link')).filter((element) => {
        const text = element.getBoundingClientRect();
        const block = element.closest('.block').getBoundingClientRect();
        const inside = text.left >= block.left - 0.5 && text.right <= block.right + 0.5 && text.bottom <= block.bottom + 0.5;
        const middle = { x: (text.left + Math.max(text.left, Math.min(text.right, block.right) - 1)) / 2, y: text.top + 3 };
        // An inline element has no client width of its own to overflow.
        const overflows = element.clientWidth > 0 && element.scrollWidth > element.clientWidth + 1;
        return !inside || !element.contains(document.elementFromPoint(middle.x, middle.y)) || overflows;
      }).map((element) => element.id || element.className));
    assert.deepEqual(cut, [], JSON.stringify(viewport));
  }
});

test('the header shows the quiz\'s link and opens it in a tab of its own; without one it shows none', async () => {
  const base = { kind: 'text', title: 'Liens', author: 'Ana', description: '', entries: [{ clue: 'a', answers: ['b'] }] };
  const address = 'https://ecole.test/capitales?niveau=1&nom=%C3%A9t%C3%A9';
  const page = await web.openPage(browser, web.buildPage({ ...base, link: address }, path.join(folder, 'link.html')));
  assert.equal(await page.textContent('header a.link'), address);
  assert.deepEqual(await page.$eval('header a.link', (a) => [a.getAttribute('href'), a.target, a.rel]),
    [address, '_blank', 'noopener noreferrer']);

  // The click's navigation, answered here: the one load from the network,
  // asked for by the author's link (its answer names an icon, so the tab asks
  // for none). Firefox's and WebKit's drivers here answer no request and
  // follow no new tab: there the link's address and target above stand for it.
  if (browser.can.route) {
    const site = 'https://ecole.test/**';
    await browser.context.route(site, (route) =>
      route.fulfill({ contentType: 'text/html', body: '<link rel="icon" href="data:,">ok' }));
    const [tab] = await Promise.all([browser.context.waitForEvent('page'), page.click('header a.link')]);
    await tab.waitForLoadState();
    assert.equal(tab.url(), address);
    assert.equal(await tab.evaluate(() => window.opener), null);
    await tab.close();
    await browser.context.unroute(site);
    assert.deepEqual(browser.events.requests, [address]);
    browser.events.requests = [];
  }

  const none = web.buildPage(base, path.join(folder, 'no-link.html'));
  assert.equal(web.pageData(none).link, '', 'this build gives no default address');
  const plain = await web.openPage(browser, none);
  assert.equal(await plain.$('header a.link'), null);
  assert.equal(await plain.$$eval('header a', (links) => links.length), 0);
});
