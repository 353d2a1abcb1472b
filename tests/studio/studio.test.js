// The quiz studio in each browser, driven through its controls only: an author
// makes a quiz of each kind, opens every example in every way it comes,
// breaks quizzes, undoes and redoes, reloads, and opens hostile files. What
// it saves must be what the native quizbuild makes of the same description,
// byte for byte; each problem it shows must be the line quizbuild prints.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const drive = require('./studio-driver.js');

const { web, cell } = drive;
const folder = web.freshFolder('studio');
const examples = path.join(web.source, 'examples');
let made;
let browser;
let page;

before(async () => {
  made = drive.makeExamples(path.join(folder, 'examples'));
  browser = await web.launch();
  page = await drive.openStudio(browser);
});
// Closed first: WebKit's page reports what it logged as it goes.
after(async () => {
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});

// The zip, program and page the studio saved, against quizbuild's build of that zip.
async function savedAndRebuilt(name) {
  const zip = await drive.save(page, 'save-description');
  assert.equal(zip.name, name + '.zip');
  const exe = await drive.save(page, 'save-program');
  const html = await drive.save(page, 'save-page');
  const scorm = await drive.save(page, 'save-scorm');
  assert.deepEqual([exe.name, html.name, scorm.name], [name + '.exe', name + '.html', name + '-scorm.zip']);
  const unpacked = drive.unzip(zip.bytes, path.join(folder, 'saved', name));
  const native = drive.buildNative(unpacked, 'quiz.json', name);
  assert.ok(native.exe.equals(exe.bytes), name + '.exe differs from quizbuild build');
  assert.ok(native.html.equals(html.bytes), name + '.html differs from quizbuild html');
  assert.ok(native.scorm.equals(scorm.bytes), name + '-scorm.zip differs from quizbuild scorm');
  return { zip, exe: exe.bytes, description: JSON.parse(fs.readFileSync(path.join(unpacked, 'quiz.json'), 'utf8')), folder: unpacked };
}

const media = (...parts) => path.join(made, ...parts);
const scratch = [
  {
    kind: 'text', name: 'capitales-du-nord',
    texts: { title: 'Capitales du Nord', author: 'Ana', description: 'Trouvez la capitale et le code', link: 'https://ex.fr', boardColour: '#C0DCC0' },
    choices: { answersPerEntry: '2', reveal: 'text' },
    labels: ['Capitale', 'Code'], codes: ['NORD1', 'NORD2', 'NORD3'],
    rows: 'Suède\tStockholm\tSE\tLa Venise du Nord\nNorvège\tOslo\tNO\tAu bout du fjord\n',
    cells: [[3, 'clue', 'Finlande'], [3, 'answers[0]', 'Helsinki'], [3, 'answers[1]', 'FI'], [3, 'revealText', 'Mille lacs']],
    entries: [
      { clue: 'Suède', answers: ['Stockholm', 'SE'], revealText: 'La Venise du Nord' },
      { clue: 'Norvège', answers: ['Oslo', 'NO'], revealText: 'Au bout du fjord' },
      { clue: 'Finlande', answers: ['Helsinki', 'FI'], revealText: 'Mille lacs' },
    ],
  },
  {
    kind: 'picture', name: 'drapeaux', texts: { title: 'Drapeaux' }, choices: { reveal: 'picture' },
    rows: 'France\nItalie\n',
    picks: [[1, 'media', 'picture/img/01.jpg'], [1, 'revealPicture', 'picture/img/01-reponse.gif'],
      [2, 'media', 'picture/img/02.bmp'], [2, 'revealPicture', 'picture/img/02-reponse.gif']],
    entries: [
      { answers: ['France'], media: 'media/01.jpg', revealPicture: 'media/01-reponse.gif' },
      { answers: ['Italie'], media: 'media/02.bmp', revealPicture: 'media/02-reponse.gif' },
    ],
  },
  {
    kind: 'sound', start: 'text', choices: { kind: 'sound' }, name: 'mots', texts: { title: 'Mots anglais', boardColour: '#F0E6D2' }, codes: ['SON1', 'SON2'],
    rows: 'chat\nchien\n', picks: [[1, 'media', 'sound/mp3/01.mp3'], [2, 'media', 'sound/mp3/02.mp3']],
    entries: [{ answers: ['chat'], media: 'media/01.mp3' }, { answers: ['chien'], media: 'media/02.mp3' }],
  },
  {
    kind: 'video', name: 'couleurs', texts: { title: 'Couleurs' }, rows: 'rouge\nvert\n',
    picks: [[1, 'media', 'video/avi/01.avi'], [1, 'webClip', 'video/webm/01.webm'], [2, 'media', 'video/avi/02.avi'], [2, 'webClip', 'video/webm/02.webm']],
    entries: [{ answers: ['rouge'], media: 'media/01.avi', webClip: 'media/01.webm' }, { answers: ['vert'], media: 'media/02.avi', webClip: 'media/02.webm' }],
  },
];

// Whether the page in the preview frame comes to have this title.
async function previewTitled(title) {
  for (let tries = 0; tries < 200; ++tries, await drive.sleep(25)) {
    const frame = await (await page.$('#preview-frame')).contentFrame();
    if (frame && (await frame.url()).startsWith('blob:') && (await frame.title().catch(() => '')) === title) return true;
  }
  return false;
}

async function makeFromScratch(quiz) {
  await drive.startNew(page, quiz.start || quiz.kind);
  for (const [field, value] of Object.entries(quiz.choices || {})) await page.selectOption(`#settings-fields [data-field="${field}"]`, value);
  for (const [field, value] of Object.entries(quiz.texts)) await page.fill(`#settings-fields [data-field="${field}"]`, value);
  for (const [at, label] of (quiz.labels || []).entries()) await page.fill(`#settings-fields [data-field="answerLabels[${at}]"]`, label);
  if (quiz.codes) await page.fill('#settings-fields [data-field=codes]', quiz.codes.join('\n'));
  await page.fill('[data-setting=name]', quiz.name);
  await drive.paste(page, cell(1, 'answers[0]'), quiz.rows);
  if (quiz.cells) {
    await page.click(cell(2, 'clue'));
    await page.click('[data-action=add-entry]');
  }
  // The new entry is typed in the form, which the table follows.
  for (const [entry, field, value] of quiz.cells || []) {
    await page.fill(`#entry-form [data-entry="${entry}"] [data-field="${field}"]`, value);
    assert.equal(await page.inputValue(cell(entry, field)), value);
  }
  for (const [entry, field, file] of quiz.picks || []) await drive.pickMedia(page, entry, field, media(file));
}

// What the player shows as the text quiz's answers are typed (box, typed,
// verdict, score, code), for wine-ARCH.studio_program to play.
const noCode = '      ';
const playSteps = [
  [1, 'Stockhölm', 'Quasiment', ' 0 / 3', noCode], [1, 'stockholm', 'BRAVO', ' 0 / 3', noCode],
  [2, 'SE', 'BRAVO', ' 1 / 3', 'NORD1'], [3, 'Olso', 'Anagramme', ' 1 / 3', 'NORD1'],
  [4, ' no ', 'BRAVO', ' 1 / 3', 'NORD1'], [3, 'Oslo', 'BRAVO', ' 2 / 3', 'NORD2'],
  [5, 'Helsinky', 'Quasiment', ' 2 / 3', 'NORD2'], [6, 'FI', 'BRAVO', ' 2 / 3', 'NORD2'],
  [5, 'Helsinki', 'BRAVO', ' 3 / 3', 'NORD3'], [2, 'Oslo', 'FAUX', ' 2 / 3', 'NORD2'],
];

function leaveForWine(program) {
  const play = process.env.QUIZ_STUDIO_PLAY_DIR;
  if (!play) return;
  fs.mkdirSync(play, { recursive: true });
  fs.writeFileSync(path.join(play, 'quiz.exe'), program);
  fs.writeFileSync(path.join(play, 'steps.txt'), Buffer.from(playSteps.map((step) => step.join('\t')).join('\r\n') + '\r\n', 'latin1'));
}

test('an author makes a quiz of each kind from nothing and saves what quizbuild makes of it', async () => {
  for (const quiz of scratch) {
    await makeFromScratch(quiz);
    assert.equal(await page.textContent('#problem-count'), 'Aucun problème : le quiz peut être enregistré et publié.', quiz.kind);
    const saved = await savedAndRebuilt(quiz.name);
    if (quiz.kind === 'text') leaveForWine(saved.exe);
    const expected = { kind: quiz.kind, answersPerEntry: quiz.choices?.answersPerEntry === '2' ? 2 : 1, reveal: quiz.choices?.reveal || 'none', boardColour: '#FFFFFF', ...quiz.texts, entries: quiz.entries };
    if (quiz.labels) expected.answerLabels = quiz.labels;
    if (quiz.codes) expected.codes = quiz.codes;
    assert.deepEqual(saved.description, expected, quiz.kind);
    for (const [, , file] of quiz.picks || []) {
      const inZip = path.join(saved.folder, 'media', path.basename(file));
      assert.ok(fs.readFileSync(inZip).equals(fs.readFileSync(media(file))), file);
    }
    // The JSON alone is the zip's quiz.json, for a quiz without media.
    if (quiz.kind === 'text') assert.ok((await drive.save(page, 'save-json')).bytes.equals(fs.readFileSync(path.join(saved.folder, 'quiz.json'))));
    else assert.match(await drive.refusedSave(page, 'save-json'), /^Ce quiz a des médias : enregistrez-le en \.zip/);
    // The preview is the quiz page quizbuild html makes, shown in its frame, and hides on demand.
    assert.ok(await previewTitled(quiz.texts.title), 'the preview of ' + quiz.kind);
    for (const shown of [false, true]) {
      await page.click('[data-action=preview]');
      assert.deepEqual([await page.isVisible('#preview-frame'), await page.getAttribute('[data-action=preview]', 'aria-pressed')], [shown, String(shown)]);
    }
  }
  // The guide in French the tool bar links to sits beside the studio, as in the release.
  const guide = path.join(path.dirname(process.env.QUIZ_STUDIO_PAGE), await page.getAttribute('[data-action=guide]', 'href'));
  assert.match(fs.readFileSync(guide, 'utf8'), /<html lang="fr">[^]*<h1>Guide de l'auteur<\/h1>/);
});

test('trials judge what a player might type as the player does', async () => {
  await drive.openFiles(page, [path.join(examples, 'capitales.json')]);
  const trials = [['Paris', 'BRAVO'], ['  paris ', 'BRAVO'], ['Pari', 'Quasiment'], ['Lyon', 'FAUX']];
  for (const [typed, verdict] of trials) {
    await page.fill('#entry-table tr[data-entry="1"] [data-trial="0"]', typed);
    assert.equal(await page.textContent('#entry-table tr[data-entry="1"] [data-trial="0"] + output'), verdict, typed);
  }
});

// Every example, as the files of its folder, as a zip and as a program.
function exampleFolders() {
  const folders = { picture: media('picture'), sound: media('sound'), video: media('video') };
  for (const [name, files] of [['capitales', ['capitales.json']], ['inventeurs', ['inventeurs.json']], ['departements', ['departements.json', 'departements.csv']]]) {
    folders[name] = web.freshFolder(path.join('studio', 'examples', name));
    for (const file of files) fs.copyFileSync(path.join(examples, file), path.join(folders[name], file));
  }
  return folders;
}

// quizbuild build FOLDER/JSON into OUT (a folder of its own): the program's path.
function programOf(folder, json, out) {
  fs.mkdirSync(out, { recursive: true });
  const built = drive.quizbuild(['build', json, '-o', path.join(out, 'quiz.exe'), '--player', process.env.QUIZ_PLAYER], folder);
  assert.equal(built.status, 0, built.stderr);
  return path.join(out, 'quiz.exe');
}

const hasFolders = (dir) => fs.readdirSync(dir).some((file) => fs.statSync(path.join(dir, file)).isDirectory());
const openWays = {
  files: (name, dir) => (hasFolders(dir) ? drive.openFiles(page, dir, true) : drive.openFiles(page, fs.readdirSync(dir).map((file) => path.join(dir, file)))),
  zip: (name, dir) => drive.openFiles(page, [drive.zipFolder(dir, path.join(folder, 'zips', name + '.zip'))]),
  program: (name, dir) => drive.openFiles(page, [programOf(dir, name + '.json', path.join(folder, 'programs', name))]),
};

test('every example opened in every way saves a description that builds the same program', async () => {
  fs.mkdirSync(path.join(folder, 'zips'), { recursive: true });
  for (const [name, dir] of Object.entries(exampleFolders())) {
    const original = fs.readFileSync(programOf(dir, name + '.json', path.join(folder, 'originals', name)));
    for (const [way, open] of Object.entries(openWays)) {
      // Firefox's and WebKit's drivers pick no folder: the zip brings those examples there.
      if (way === 'files' && hasFolders(dir) && !browser.can.pickFolder) continue;
      const said = await open(name, dir);
      assert.match(said, /ouvert : \d+ entrée\(s\)\.$/, name + ' ' + way);
      const zip = await drive.save(page, 'save-description');
      const unpacked = drive.unzip(zip.bytes, path.join(folder, 'reopened', name + '-' + way));
      const rebuilt = fs.readFileSync(programOf(unpacked, 'quiz.json', path.join(unpacked, 'out')));
      assert.ok(rebuilt.equals(original), name + ' opened as ' + way + ' builds another program');
    }
  }
});

test('a CSV of entries opened in a text quiz becomes its entries', async () => {
  await drive.startNew(page, 'text');
  const said = await drive.openFiles(page, [path.join(examples, 'departements.csv')]);
  // What quizbuild reads of the same file, as extract writes it back.
  const extracted = path.join(folder, 'extracted');
  const program = path.join(folder, 'originals', 'departements', 'quiz.exe');
  assert.equal(drive.quizbuild(['extract', program, '-o', extracted], folder).status, 0);
  const entries = JSON.parse(fs.readFileSync(path.join(extracted, 'quiz.json'), 'utf8')).entries;
  assert.equal(said, `« departements.csv » ouvert : ${entries.length} entrée(s) à la place des précédentes (Annuler les remet).`);
  const zip = await drive.save(page, 'save-description');
  const saved = JSON.parse(fs.readFileSync(path.join(drive.unzip(zip.bytes, path.join(folder, 'csv')), 'quiz.json'), 'utf8'));
  assert.deepEqual(saved.entries, entries);
});

// The table's columns and the form's fields are the builder's shape of the
// quiz, in its order and under its headings, and nothing else.
test('a video quiz with two answers and a revealed text shows exactly the fields of the builder\'s shape', async () => {
  const builder = await require(process.env.QUIZ_STUDIO_BUILDER)();
  const shape = builder.quizShape({ kind: 'video', answersPerEntry: 2, reveal: 'text', answerLabels: ['', ''] })
    .fields.map((field) => [field.field, field.label]);
  await drive.startNew(page, 'video');
  await page.selectOption('#settings-fields [data-field="answersPerEntry"]', '2');
  await page.selectOption('#settings-fields [data-field="reveal"]', 'text');
  const shown = await page.evaluate(() => ({
    headings: [...document.querySelectorAll('#entry-table thead th')].slice(1).map((th) => th.textContent),
    row: [...document.querySelectorAll('#entry-table tr[data-entry="1"] [data-field]')].map((control) => control.dataset.field),
    form: [...document.querySelectorAll('#entry-form [data-field]')].map((control) => control.dataset.field),
  }));
  assert.deepEqual(shape, [['media', 'Média'], ['webClip', 'Clip web'], ['answers[0]', 'Réponse 1'], ['answers[1]', 'Réponse 2'], ['revealText', 'Texte révélé']]);
  assert.deepEqual(shown.headings, [...shape.map(([, label]) => label), 'Essai']);
  assert.deepEqual(shown.row, shape.map(([field]) => field));
  assert.deepEqual(shown.form, shape.map(([field]) => field));
});

const bases = {
  capitales: () => drive.openFiles(page, [path.join(examples, 'capitales.json')]),
  picture: async () => {
    await drive.startNew(page, 'picture');
    await page.fill(cell(1, 'answers[0]'), 'France');
    await drive.pickMedia(page, 1, 'media', media('picture/img/01.jpg'));
  },
  nothing: () => drive.startNew(page, 'text'),
};
const fill = (selector, text) => () => page.fill(selector, text);
const setting = (field) => `#settings-fields [data-field="${field}"]`;
// Each problem in the author's French words, the line `quizbuild check --lang fr` prints.
const badEdits = [
  { name: 'an answer of 260 characters', base: 'capitales', edit: fill(cell(3, 'answers[0]'), 'x'.repeat(260)), expect: /^quiz\.json : Entrée 3, réponse 1 : 260 caractères, au plus 259 \(1 de trop\)$/ },
  { name: 'a character outside Windows-1252', base: 'capitales', edit: fill(cell(2, 'clue'), 'Japon 日本'), expect: /^quiz\.json : Entrée 2, indice : le caractère « 日 » n'existe pas dans les textes du quiz/ },
  { name: 'a | in an answer', base: 'capitales', edit: fill(cell(4, 'answers[0]'), 'Lis|bonne'), expect: /^quiz\.json : Entrée 4, réponse 1 : le signe « \| » n'est pas permis dans une réponse ; remplacez-le/ },
  { name: 'a link that is no address', base: 'capitales', edit: fill(setting('link'), 'C:\\Windows\\notepad.exe'), expect: /^quiz\.json : Lien : « C:\\Windows\\notepad\.exe » n'est pas une adresse web ou de courriel ; elle doit commencer par http:\/\/, https:\/\/ ou mailto:$/ },
  { name: 'a link without its scheme', base: 'capitales', edit: fill(setting('link'), 'www.college.fr'), expect: /^quiz\.json : Lien : « www\.college\.fr » doit commencer par http:\/\/, https:\/\/ ou mailto: \(par exemple https:\/\/www\.college\.fr\)$/ },
  { name: 'a colour that is none', base: 'capitales', edit: fill(setting('boardColour'), 'rouge'), expect: /^quiz\.json : Couleur du tableau : « rouge » n'est pas une couleur ; écrivez-la #RRGGBB, par exemple #FFD700$/ },
  { name: 'a code outside Windows-1252', base: 'capitales', edit: fill(setting('codes'), 'C1\nC2\n日'), expect: /^quiz\.json : Code 3 : le caractère « 日 »/ },
  { name: 'an answer ending with a space', base: 'capitales', edit: fill(cell(5, 'answers[0]'), 'Berlin '), expect: /^quiz\.json : Entrée 5, réponse 1 : attention : « Berlin  » finit par une espace/, warning: true },
  { name: '91 entries', base: 'capitales', edit: () => drive.paste(page, cell(20, 'clue'), 'Pays\tVille\n'.repeat(71)), expect: /^quiz\.json : Entrées : 91 entrées, au plus 90 ; retirez-en 1$/ },
  { name: 'a PNG picture', base: 'picture', edit: () => drive.pickMedia(page, 1, 'media', media('drapeau.png')), expect: /^quiz\.json : Entrée 1, média : « media\/drapeau\.png » : c'est une image PNG/ },
  { name: 'a sound in a picture quiz', base: 'picture', edit: () => drive.pickMedia(page, 1, 'media', media('sound/mp3/01.mp3')), expect: /^quiz\.json : Entrée 1, média : « media\/01\.mp3 » : ce fichier est un son MP3 ; choisissez une image BMP, JPEG ou GIF$/ },
  { name: 'media files left behind', base: 'nothing', edit: () => drive.openFiles(page, [media('picture/picture.json')]), expect: /^quiz\.json : Entrée 9, image révélée : « img\/09-reponse\.gif »/ },
];
// No English word of the builder reaches the author.
const englishWords = /\b(entry|answers|bytes|warning|expected|found|missing)\b/;

// The problems quizbuild check finds in what the studio saved, as the studio shows them.
async function problemsShownAsQuizbuildFinds(what) {
  const zip = await drive.save(page, 'save-description');
  const saved = drive.unzip(zip.bytes, path.join(folder, 'bad'));
  const lines = drive.checkLines(saved);
  assert.deepEqual(await drive.listedProblems(page), lines, what);
  const records = drive.checkRecords(saved);
  assert.deepEqual(records.map((record) => record.line), lines, what);
  const places = await drive.shownAt(page, lines);
  records.forEach((record, at) => drive.placeOf(record) && assert.ok(places[at].includes(drive.placeOf(record)), `${what}: ${record.line} shown at ${places[at]}`));
  for (const line of lines) assert.doesNotMatch(line, englishWords, what);
  return lines;
}

test('each bad edit shows the line quizbuild check prints at its field, and export is refused', async () => {
  for (const bad of badEdits) {
    await bases[bad.base]();
    await bad.edit();
    const lines = await problemsShownAsQuizbuildFinds(bad.name);
    assert.ok(lines.some((line) => bad.expect.test(line) && line.includes(' : attention : ') === Boolean(bad.warning)), bad.name + ': ' + lines.join('\n'));
    const errors = lines.filter((line) => !line.includes(' : attention : ')).length;
    assert.equal(await page.textContent('#problem-count'), `${errors} problème(s), ${lines.length - errors} avertissement(s)` + (errors ? ' : à corriger avant de publier.' : '.'));
    // A warning does not stop the export; an error does.
    if (bad.warning) assert.equal((await drive.save(page, 'save-program')).name, 'capitales.exe');
    else for (const action of ['save-program', 'save-page'])
      assert.match(await drive.refusedSave(page, action), /^Enregistrement refusé : [1-9]\d* problème\(s\) à corriger\. quiz\.json : /, bad.name);
  }
});

test('a PNG converted to JPEG takes the problem away', async () => {
  await bases.picture();
  await drive.pickMedia(page, 1, 'media', media('drapeau.png'));
  await page.click('#entry-table tr[data-entry="1"] [data-action=convert-media]');
  await drive.until(page, () => document.querySelector('#entry-table tr[data-entry="1"] .facts').textContent.startsWith('media/drapeau.jpg — JPEG'));
  assert.deepEqual(await problemsShownAsQuizbuildFinds('converted'), []);
  const saved = await savedAndRebuilt('quiz');
  assert.equal(saved.description.entries[0].media, 'media/drapeau.jpg');
  assert.equal(fs.readFileSync(path.join(saved.folder, 'media/drapeau.jpg')).subarray(0, 2).toString('hex'), 'ffd8');
});

// The title and each row's clue and first answer, as the controls show them.
const workShown = () => page.evaluate(() => ({
  title: document.querySelector('#settings-fields [data-field=title]').value,
  rows: [...document.querySelectorAll('#entry-table tr[data-entry]')].map((row) =>
    row.querySelector('[data-field=clue]').value + '=' + row.querySelector('[data-field="answers[0]"]').value),
}));
const steps = [
  fill(setting('title'), 'Géographie'),
  fill(cell(1, 'clue'), 'France'),
  fill(cell(1, 'answers[0]'), 'Paris'),
  () => drive.paste(page, cell(1, 'clue'), 'Italie\tRome\nEspagne\tMadrid'),
  async () => { await page.click(cell(3, 'clue')); await page.click('[data-action=move-up]'); },
  () => page.click('[data-action=add-entry]'),
  async () => { await page.click(cell(1, 'clue')); await page.click('[data-action=delete-entry]'); },
  async () => { await page.click(cell(2, 'clue')); await page.click('[data-action=duplicate-entry]'); },
  async () => { await page.click(cell(1, 'clue')); await page.click('[data-action=move-down]'); },
  bases.capitales,
];

test('undo and redo walk back and forth over typing, rows, paste and open', async () => {
  await drive.startNew(page, 'text');
  const shown = [await workShown()];
  for (const step of steps) {
    await step();
    shown.push(await workShown());
  }
  assert.deepEqual(shown[5].rows, ['France=Paris', 'Espagne=Madrid', 'Italie=Rome']);
  assert.deepEqual(shown[8].rows, ['Espagne=Madrid', '=', '=', 'Italie=Rome']);
  assert.deepEqual(shown[9].rows, ['=', 'Espagne=Madrid', '=', 'Italie=Rome']);
  await page.click('#problem-count');
  for (let at = steps.length - 1; at >= 0; --at) {
    if (at % 3) await page.keyboard.press('Control+z');
    else await page.click('[data-action=undo]');
    assert.deepEqual(await workShown(), shown[at], 'undo to step ' + at);
  }
  for (let at = 1; at <= steps.length; ++at) {
    if (at % 2) await page.keyboard.press('Control+y');
    else await page.click('[data-action=redo]');
    assert.deepEqual(await workShown(), shown[at], 'redo to step ' + at);
  }
  assert.equal(await page.isDisabled('[data-action=redo]'), true);
});

test('a reload gives back the draft with its media', async () => {
  await bases.picture();
  await page.selectOption(setting('reveal'), 'picture');
  await drive.pickMedia(page, 1, 'revealPicture', media('picture/img/01-reponse.gif'));
  await page.fill('[data-setting=name]', 'brouillon');
  const before = await drive.save(page, 'save-description');
  await drive.sleep(500);
  await drive.reload(page);
  assert.equal(await drive.notice(page), 'Votre brouillon a été repris tel que vous l’aviez laissé.');
  const restored = await drive.save(page, 'save-description');
  assert.equal(restored.name, 'brouillon.zip');
  assert.ok(restored.bytes.equals(before.bytes), 'the draft differs from the work saved before the reload');
});

test('storage refused still lets the author save a zip, and says so', async () => {
  const refused = await drive.openStudio(browser, () => {
    IDBFactory.prototype.open = () => { throw new DOMException('refusé', 'SecurityError'); };
  });
  assert.match(await drive.notice(refused), /^Le navigateur refuse de garder le brouillon \(SecurityError\) : .*Enregistrez le quiz \(\.zip\)/);
  await refused.fill(setting('title'), 'Sans brouillon');
  const [download] = await Promise.all([refused.waitForEvent('download'), refused.click('[data-action=save-description]')]);
  const unpacked = drive.unzip(fs.readFileSync(await download.path()), path.join(folder, 'refused'));
  assert.equal(JSON.parse(fs.readFileSync(path.join(unpacked, 'quiz.json'), 'utf8')).title, 'Sans brouillon');
  await refused.close();
});

// Texts full of markup, script endings, quotes and ampersands, in file names too.
const markup = web.hostileTexts;
const hostileQuiz = {
  kind: 'text', title: markup[0] + markup[1], author: markup[4], description: markup[2] + markup[3],
  answersPerEntry: 2, answerLabels: [markup[1], markup[4]], reveal: 'none', boardColour: '#FFFFFF',
  entries: markup.map((text, at) => ({ clue: text, answers: [markup[(at + 1) % markup.length], 'a' + at] })),
  codes: markup,
};
const hostileName = 'q<img src=x onerror=alert(4)>&amp;"';
const csvField = (text) => '"' + text.replace(/"/g, '""') + '"';
const hostileFiles = {
  description: () => path.join(folder, 'hostile', hostileName + '.json'),
  program: () => programOf(path.join(folder, 'hostile'), hostileName + '.json', path.join(folder, 'hostile', 'exe')),
  csv: () => path.join(folder, 'hostile', hostileName + '.csv'),
};

// What the studio shows of the opened quiz, and what it holds besides.
const hostileShown = () => page.evaluate(() => ({
  title: document.querySelector('#settings-fields [data-field=title]').value,
  clues: [...document.querySelectorAll('#entry-table [data-field=clue]')].map((control) => control.value),
  name: document.querySelector('[data-setting=name]').value,
  elements: document.querySelectorAll('script, img, style, iframe, object, embed, link, meta').length,
  handlers: [...document.querySelectorAll('*')].filter((node) => [...node.attributes].some((attribute) => attribute.name.startsWith('on'))).length,
  problems: [...document.querySelectorAll('#problem-list [data-problem]')].every((node) => node.textContent === node.dataset.problem),
}));

test('hostile texts in a description, a CSV and a program are shown as text and run nothing', async () => {
  fs.mkdirSync(path.join(folder, 'hostile'), { recursive: true });
  fs.writeFileSync(hostileFiles.description(), JSON.stringify(hostileQuiz));
  fs.writeFileSync(hostileFiles.csv(), 'clue;answer1\r\n' + markup.map((text, at) => csvField(text) + ';' + csvField(markup[at ^ 1])).join('\r\n'));
  await drive.startNew(page, 'text');
  const { elements } = await hostileShown();
  for (const [way, file] of Object.entries(hostileFiles)) {
    if (way === 'csv') await drive.startNew(page, 'text');
    const said = await drive.openFiles(page, [file()]);
    assert.match(said, /ouvert : 6 entrée\(s\)/, way);
    const shown = await hostileShown();
    assert.deepEqual(shown, {
      title: way === 'csv' ? 'Mon quiz' : hostileQuiz.title, clues: markup,
      name: way === 'csv' ? 'quiz' : way === 'program' ? 'quiz' : hostileName, elements, handlers: 0, problems: true,
    }, way);
    if (way !== 'csv') assert.ok(await previewTitled(hostileQuiz.title), 'the preview of the ' + way);
  }
  const zip = await drive.save(page, 'save-description');
  const saved = JSON.parse(fs.readFileSync(path.join(drive.unzip(zip.bytes, path.join(folder, 'hostile-saved')), 'quiz.json'), 'utf8'));
  assert.deepEqual(saved.entries, markup.map((text, at) => ({ clue: text, answers: [markup[at ^ 1]] })));
});

// Files that are no quiz: refused with quizbuild's own line, the work left as it was.
const refusedOpens = [
  { file: 'virgule.json', text: '{\n  "kind": "text",\n  "title": "x"\n  "entries": []\n}\n', native: ['check', 'virgule.json', '--lang', 'fr'] },
  { file: 'quizz.exe', copy: process.env.QUIZ_PLAYER, native: ['extract', 'quizz.exe', '-o', 'extrait', '--lang', 'fr'] },
  { file: 'colonnes.csv', text: 'clue;answer3\nA;B\n', native: ['check', 'colonnes.json', '--lang', 'fr'], json: { kind: 'text', title: 't', entries: 'colonnes.csv' } },
  { file: 'reponses.csv', text: 'Indice;Réponse 1;Couleur\nA;B;C\n', native: ['check', 'reponses.json', '--lang', 'fr'], json: { kind: 'text', title: 't', entries: 'reponses.csv' },
    said: 'reponses.csv : reponses.csv, ligne 1, colonne 3 : colonne « Couleur » inconnue ; les colonnes possibles sont « indice », « réponse 1 », « réponse 2 », « média », « image révélée », « texte révélé »' },
  { file: 'vide.zip', zipped: 'lisez-moi.txt', said: 'vide.zip : aucune description (.json) à sa racine ni dans son dossier' },
];

test('a file that is no quiz is refused with quizbuild\'s words and the work stays', async () => {
  const dir = web.freshFolder(path.join('studio', 'refused-opens'));
  await bases.capitales();
  const before = await workShown();
  for (const refused of refusedOpens) {
    const file = path.join(dir, refused.file);
    if (refused.copy) fs.copyFileSync(refused.copy, file);
    if (refused.text) fs.writeFileSync(file, refused.text);
    if (refused.json) fs.writeFileSync(path.join(dir, refused.native[1]), JSON.stringify(refused.json));
    if (refused.zipped) {
      fs.mkdirSync(path.join(dir, 'zip'));
      fs.writeFileSync(path.join(dir, 'zip', refused.zipped), 'rien');
      drive.zipFolder(path.join(dir, 'zip'), file);
    }
    const lines = refused.native ? drive.quizbuild(refused.native, dir).stderr.trim().split('\n') : [refused.said];
    // A CSV opened alone stands where quizbuild names the description that names it.
    const expected = lines.map((line) => (refused.json ? refused.file + line.slice(refused.native[1].length) : line)).join(refused.json ? ' ' : '\n');
    if (refused.native && refused.said) assert.equal(expected, refused.said, refused.file);
    assert.equal(await drive.openFiles(page, [file]), 'Impossible d’ouvrir : ' + expected, refused.file);
    assert.deepEqual(await workShown(), before, refused.file);
  }
});

test('the studio with a quiz open and its problems shown breaks no WCAG 2.1 A or AA rule', async () => {
  const audited = await web.launch({ bypassCSP: true });
  try {
    const studio = await drive.openStudio(audited);
    await drive.openFiles(studio, [path.join(examples, 'capitales.json')]);
    await studio.fill(cell(2, 'clue'), 'Japon 日本');
    await studio.fill('#settings-fields [data-field="boardColour"]', 'rouge');
    await drive.until(studio, () => document.querySelectorAll('#problem-list [data-problem]').length >= 2, undefined, 'the problems');
    assert.deepEqual(await web.accessibilityViolations(studio), []);
    assert.deepEqual(audited.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
  } finally {
    await audited.close();
  }
});

// A class's answers files, picked together: the table shows the verdicts
// and typed texts, sorts by pupil and by score, lists another quiz's file
// as such, and exports the very CSV quizbuild results writes.
test('a class\'s answers files come back as a table and the CSV quizbuild writes', async () => {
  const dir = web.freshFolder(path.join('studio', 'results'));
  const capitals = ['Paris', 'Rome', 'Madrid', 'Lisbonne', 'Berlin'];
  const files = {
    'Zoé.txt': Buffer.from(capitals.concat(Array(15).fill('*')).join('\r\n') + '\r\n', 'latin1'),
    'Léa.txt': Buffer.from(['paris', 'Rmoe'].concat(Array(18).fill('*')).join('\r\n') + '\r\n', 'latin1'),
    'Tom.txt': fs.readFileSync(path.join(examples, 'capitales-answers.txt')),
  };
  for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), bytes);
  fs.copyFileSync(path.join(examples, 'capitales.json'), path.join(dir, 'capitales.json'));
  await drive.openFiles(page, [path.join(examples, 'capitales.json')]);
  await page.evaluate(() => document.getElementById('notice').replaceChildren());
  await page.setInputFiles('input[data-action="open-results"]', Object.keys(files).map((name) => path.join(dir, name)));
  await drive.until(page, () => !document.getElementById('results').hidden, undefined, 'the results');
  const rows = () => page.$$eval('#results-table tbody tr', (trs) => trs.map((tr) => [...tr.children].slice(0, 5).map((cell) => cell.textContent)));
  assert.deepEqual(await rows(), [
    ['Léa', '1', 'K7Q2', 'BRAVO paris', 'Anagramme Rmoe'],
    ['Tom', 'autre quiz : 10 lignes pour 20 cases'],
    ['Zoé', '5', 'T8NB', 'BRAVO Paris', 'BRAVO Rome'],
  ]);
  await page.click('[data-action=sort-score]');
  assert.deepEqual((await rows()).map((row) => row[0]), ['Léa', 'Zoé', 'Tom']);
  await page.click('[data-action=sort-score]');
  assert.deepEqual((await rows()).map((row) => row[0]), ['Tom', 'Zoé', 'Léa']);
  assert.deepEqual(await page.$$eval('#results-table tfoot td', (tds) => tds.slice(2, 5).map((td) => td.textContent)), ['100 %', '50 %', '50 %']);
  const csv = await drive.save(page, 'save-results');
  const native = drive.quizbuild(['results', 'capitales.json', ...Object.keys(files), '-o', 'classe.csv'], dir);
  assert.equal(native.status, 0, native.stderr);
  assert.equal(csv.name, 'classe.csv');
  assert.ok(csv.bytes.equals(fs.readFileSync(path.join(dir, 'classe.csv'))), 'classe.csv differs from quizbuild results');

  // 40 boxes: shown 30 at a time, the pages turned by their buttons.
  const wide = { kind: 'text', title: 'Large', answersPerEntry: 2, answerLabels: ['Un', 'Deux'],
    entries: Array.from({ length: 20 }, (_, i) => ({ clue: 'Indice ' + i, answers: ['a' + i, 'b' + i] })) };
  fs.writeFileSync(path.join(dir, 'large.json'), JSON.stringify(wide));
  fs.writeFileSync(path.join(dir, 'Ana.txt'), Array.from({ length: 40 }, (_, i) => (i === 39 ? 'b19' : '*')).join('\r\n') + '\r\n');
  await drive.openFiles(page, [path.join(dir, 'large.json')]);
  await page.setInputFiles('input[data-action="open-results"]', [path.join(dir, 'Ana.txt')]);
  await drive.until(page, () => document.querySelector('#results-table thead th:nth-child(4)')?.textContent === '1.1', undefined, 'the wide results');
  const shown = () => page.$eval('#results', (section) => ({
    pages: section.querySelector('#results-pages span').textContent.trim(),
    boxes: [...section.querySelectorAll('#results-table thead th')].slice(3).map((th) => th.textContent),
    last: section.querySelector('#results-table tbody td:last-child').textContent,
    shares: section.querySelectorAll('#results-table tfoot td').length - 2,
    disabled: [...section.querySelectorAll('#results-pages button')].map((button) => button.disabled),
  }));
  let seen = await shown();
  assert.deepEqual([seen.pages, seen.boxes.length, seen.boxes.at(-1), seen.shares, seen.disabled], ['Cases 1 à 30 sur 40', 30, '15.2', 30, [true, false]]);
  await page.click('[data-action=results-next]');
  seen = await shown();
  assert.deepEqual([seen.pages, seen.boxes, seen.last, seen.shares, seen.disabled],
    ['Cases 31 à 40 sur 40', ['16.1', '16.2', '17.1', '17.2', '18.1', '18.2', '19.1', '19.2', '20.1', '20.2'], 'BRAVO b19', 10, [false, true]]);
  assert.equal(await page.evaluate(() => document.activeElement.dataset.action), 'results-previous');
});
