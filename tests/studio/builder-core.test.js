// The builder compiled to WebAssembly against the native quizbuild: every
// command line, run on the same files in both, must give the same exit
// code, the same messages byte for byte and the same files written.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const nativeBuilder = process.env.QUIZ_BUILDER;
const player = process.env.QUIZ_PLAYER;
const examples = path.join(process.env.QUIZ_SOURCE, 'examples');
const quizzBuilder = require(process.env.QUIZ_STUDIO_BUILDER);

// Every file under `folder`, by path relative to it.
function filesUnder(folder, prefix = '') {
  const files = {};
  for (const entry of fs.readdirSync(path.join(folder, prefix), { withFileTypes: true })) {
    const name = prefix ? `${prefix}/${entry.name}` : entry.name;
    if (entry.isDirectory())
      Object.assign(files, filesUnder(folder, name));
    else
      files[name] = fs.readFileSync(path.join(folder, name));
  }
  return files;
}

function example(...names) {
  const files = {};
  for (const name of names) {
    const whole = path.join(examples, name);
    if (fs.statSync(whole).isDirectory())
      Object.assign(files, filesUnder(whole));
    else
      files[name] = fs.readFileSync(whole);
  }
  return files;
}

// Runs each command line in a fresh folder holding `files`: natively, and
// in the module; the results of both, command by command.
function runBoth(module, files, commands) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quizz-studio-'));
  module.clearFiles();
  for (const [name, bytes] of Object.entries(files)) {
    fs.mkdirSync(path.dirname(path.join(folder, name)), { recursive: true });
    fs.writeFileSync(path.join(folder, name), bytes);
    module.putFile(name, bytes);
  }
  const results = commands.map((args) => {
    const before = filesUnder(folder);
    const run = spawnSync(nativeBuilder, args, { cwd: folder });
    const after = filesUnder(folder);
    const written = Object.fromEntries(Object.entries(after).filter(([name, bytes]) =>
      !before[name] || !before[name].equals(bytes)));
    const native = { exitCode: run.status, stdout: run.stdout, stderr: run.stderr, written };
    const wasm = module.run(args);
    return { args, native, wasm };
  });
  fs.rmSync(folder, { recursive: true, force: true });
  return results;
}

function assertSame({ args, native, wasm }) {
  const line = args.join(' ');
  assert.equal(wasm.exitCode, native.exitCode, `${line}: exit code`);
  assert.equal(Buffer.from(wasm.stdout).toString('latin1'), native.stdout.toString('latin1'), `${line}: stdout`);
  assert.equal(Buffer.from(wasm.stderr).toString('latin1'), native.stderr.toString('latin1'), `${line}: stderr`);
  assert.deepEqual(Object.keys(wasm.written).sort(), Object.keys(native.written).sort(), `${line}: files written`);
  for (const [name, bytes] of Object.entries(native.written))
    assert.ok(Buffer.from(wasm.written[name]).equals(bytes), `${line}: ${name} differs`);
}

function withAnswer(description, answer) {
  const quiz = JSON.parse(description);
  quiz.entries[0].answers = [answer];
  return Buffer.from(JSON.stringify(quiz, null, 2));
}

function without(files, name) {
  const kept = { ...files };
  delete kept[name];
  return kept;
}

function respelled(files, name, from, to) {
  return { ...files, [name]: Buffer.from(files[name].toString('latin1').replace(from, to), 'latin1') };
}

const playerBytes = fs.readFileSync(player);
const capitales = fs.readFileSync(path.join(examples, 'capitales.json'));
const pictures = example('template-pictures');

// Descriptions that build: checked, built, published, extracted (as JSON
// and as CSV), rebuilt from what was extracted, published from the program.
const good = [
  ['capitales', example('capitales.json'), 'capitales.json'],
  ['inventeurs', example('inventeurs.json'), 'inventeurs.json'],
  ['departements with its CSV', example('departements.json', 'departements.csv'), 'departements.json'],
  ['template with pictures', pictures, 'quiz.json'],
  ['template with two answers', example('template-two-answers'), 'quiz.json'],
  // Named as written on Windows: found in another letter case, with a warning.
  ['media named in another letter case', respelled(pictures, 'quiz.csv', 'images/01.jpg', 'Images/01.JPG'),
    'quiz.json'],
];

// Bad input: the module must refuse it with the native builder's own words.
const bad = [
  ['malformed JSON', { 'bad.json': Buffer.from('{ "kind": "text", "title": ,\n  "entries": [] }\n') },
    ['check', 'bad.json'], /^bad\.json: line 1, column 28: malformed JSON: syntax error while parsing value/],
  ['an answer of 260 bytes', { 'long.json': withAnswer(capitales, 'a'.repeat(260)) },
    ['build', 'long.json', '-o', 'long.exe', '--player', 'quizz.exe'], /^long\.json: entry 1, answers\[0\]: 260 bytes in Windows-1252, at most 259$/m],
  ['a missing media file', without(pictures, 'images/02.jpg'),
    ['html', 'quiz.json', '-o', 'quiz.html'], /^quiz\.json: quiz\.csv, line 3, column "media": "images\/02\.jpg": not found$/m],
  ['a missing player', example('capitales.json'),
    ['build', 'capitales.json', '-o', 'out.exe', '--player', 'absent.exe'], /absent\.exe: not found/],
  ['an output into a missing folder', example('capitales.json'),
    ['html', 'capitales.json', '-o', 'nowhere/page.html'],
    /^nowhere\/page\.html: no file can be made in its folder, no such file or directory \(errno 2\)$/m],
  ['the description as its own output', example('capitales.json'),
    ['build', 'capitales.json', '-o', './capitales.json', '--player', 'quizz.exe'],
    /^\.\/capitales\.json: is the quiz description itself, which the output would replace; name another output$/m],
  ['a player that carries no quiz', {}, ['extract', 'quizz.exe', '-o', 'out'],
    /^quizz\.exe: quiz payload: missing \(no resource "PATCH" 104\); is it a built quiz\?$/m],
  ['a usage error', {}, ['build', 'x.json'], /^quizbuild: missing -o OUT\.exe\. Try 'quizbuild build --help'\.$/m],
];

// A class's answers files: one of twenty lines in Windows-1252 with a
// pupil's name in it, one of the example's ten lines, one in UTF-16.
const capitalAnswers = ['Paris', 'rome', '', 'Lisbone', 'Berlin', ...Array(15).fill('Ath\u00e8nes')];
const classFiles = {
  'classe/L\u00e9a.txt': Buffer.from(capitalAnswers.map((text) => (text || '*') + '\r\n').join(''), 'latin1'),
  'classe/Tom.txt': fs.readFileSync(path.join(examples, 'capitales-answers.txt')),
  'classe/Zo\u00e9.txt': Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(capitalAnswers.join('\r\n'), 'utf16le')]),
};
const classNames = Object.keys(classFiles);

test('the WebAssembly builder does what quizbuild does', async (t) => {
  const module = await quizzBuilder();
  for (const [name, files, description] of good) {
    await t.test(name, () => {
      const results = runBoth(module, { ...files, ...classFiles, 'quizz.exe': playerBytes }, [
        ['check', description],
        ['build', description, '-o', 'built.exe', '--player', 'quizz.exe'],
        ['html', description, '-o', 'page.html'],
        ['extract', 'built.exe', '-o', 'extracted'],
        ['extract', 'built.exe', '-o', 'extracted-csv', '--csv'],
        ['build', 'extracted/quiz.json', '-o', 'rebuilt.exe', '--player', 'quizz.exe'],
        ['html', 'built.exe', '-o', 'program.html'],
        ['pack', description, 'packed.bin'],
        ['unpack', 'packed.bin', 'unpacked.json'],
        ['scorm', description, '-o', 'package.zip'],
        ['results', description, ...classNames, '-o', 'classe.csv'],
        ['results', 'built.exe', ...classNames, '-o', 'classe-program.csv'],
      ]);
      results.forEach(assertSame);
      for (const { native } of results)
        assert.equal(native.exitCode, 0, native.stderr.toString());
      const built = results[1].wasm.written['built.exe'];
      assert.ok(built.length > playerBytes.length, 'the program carries the quiz');
      assert.ok(Buffer.from(results[5].wasm.written['rebuilt.exe']).equals(Buffer.from(built)),
        'the extracted description builds the same program');
      assert.ok(Buffer.from(results[8].wasm.written['unpacked.json']).equals(files[description]),
        'unpacking gives back what was packed');
    });
  }
  for (const [name, files, args, message] of bad) {
    await t.test(name, () => {
      const [result] = runBoth(module, { ...files, 'quizz.exe': playerBytes }, [args]);
      assertSame(result);
      assert.notEqual(result.native.exitCode, 0);
      assert.match(result.native.stderr.toString(), message);
      assert.deepEqual(Object.keys(result.wasm.written), []);
    });
  }
});

// The editor's checks as it types: a text's size in Windows-1252 and the
// verdict of a trial answer, from the builder's and the player's own code.
const textSizes = [
  ['', 0],
  ['Été', 3],
  ['€', 1],
  ['œuvre « à part »', 16],
  ['日本', -1],
  ['😀', -1],
  // A character Windows-1252 leaves unassigned has no form in it either.
  ['\u0081', -1],
  ['a'.repeat(259), 259],
  ['é'.repeat(260), 260],
];

const trials = [
  ['Paris', '  PARIS ', 'BRAVO'],
  ['Paris', '', '?'],
  ['Paris', 'Londres', 'FAUX'],
  // Typed characters with no Windows-1252 form become "?", as in the box.
  ['Tokyo?', 'Tokyo日', 'BRAVO'],
  // Only the box's first 259 bytes are judged.
  ['a'.repeat(259), 'a'.repeat(259) + 'zzz', 'BRAVO'],
  ['é'.repeat(259), 'é'.repeat(300), 'BRAVO'],
];

// Windows-1252's bytes 0x80 to 0x9F (node's own decoder reads them as
// Latin-1); the five it leaves unassigned are null.
const highBlock = [...'€\0‚ƒ„…†‡ˆ‰Š‹Œ\0Ž\0\0‘’“”•–—˜™š›œ\0žŸ'].map((c) => (c === '\0' ? null : c));

function windows1252Text(bytes) {
  return Array.from(bytes, (byte) => (byte >= 0x80 && byte < 0xA0 ? highBlock[byte - 0x80] : String.fromCharCode(byte)));
}

// Generated pairs the native core judged, as UTF-8; pairs with a byte
// Windows-1252 leaves unassigned have no UTF-8 form and are left out.
function nativeTrials(count) {
  const run = spawnSync(process.env.QUIZ_WEB_REFERENCE, ['pairs', String(count), '20261209']);
  assert.equal(run.status, 0, run.stderr.toString());
  const text = (hex) => windows1252Text(hex === '-' ? [] : Buffer.from(hex, 'hex'));
  return run.stdout.toString().trim().split('\n').map((line) => line.split(' ').map(text))
    .filter((texts) => !texts.some((characters) => characters.includes(null)))
    .map((texts) => texts.map((characters) => characters.join('')));
}

test('the editor\'s checks are the builder\'s and the player\'s', async (t) => {
  const module = await quizzBuilder();
  await t.test('sizes in Windows-1252', () => {
    for (const [text, size] of textSizes)
      assert.equal(module.textBytes(text), size, JSON.stringify(text).slice(0, 40));
  });
  await t.test('verdicts of trial answers', () => {
    for (const [answer, typed, verdict] of trials)
      assert.equal(module.trialVerdict(answer, typed), verdict, `${answer.slice(0, 20)} / ${typed.slice(0, 20)}`);
  });
  await t.test('verdicts of generated pairs, as the native core gives them', () => {
    const pairs = nativeTrials(4000);
    assert.ok(pairs.length > 1000, `${pairs.length} pairs kept`);
    assert.ok(new Set(pairs.map(([, , verdict]) => verdict)).size >= 8, 'most verdicts come up');
    for (const [stored, typed, verdict] of pairs)
      assert.equal(module.trialVerdict(stored, typed), verdict, `${JSON.stringify(stored)} / ${JSON.stringify(typed)}`);
  });
});

// The studio's results view shows what the command wrote: the same
// verdicts, scores, codes and shares as the CSV, with the typed texts,
// and exports the command's CSV from the same run.
test('the results table is the CSV quizbuild writes, with what was typed', async () => {
  const module = await quizzBuilder();
  const args = ['results', 'capitales.json', ...classNames, '-o', 'classe.csv'];
  const [result] = runBoth(module, { ...example('capitales.json'), ...classFiles }, [args]);
  assertSame(result);
  const { table } = module.resultsTable(args);
  assert.ok(Buffer.from(table.csv, 'utf8').equals(result.native.written['classe.csv']), 'the table\'s CSV is not the command\'s');
  const rows = result.native.written['classe.csv'].toString('utf8').replace(/^\ufeff/, '').split('\r\n');
  assert.equal(rows[0], ['\u00e9l\u00e8ve', 'score', 'code', ...table.boxes].join(';'));
  const shown = table.pupils.map((pupil) => (pupil.matches
    ? [pupil.pupil, pupil.score, pupil.code, ...pupil.boxes.map((box) => box.verdict)]
    : [pupil.pupil, pupil.note, '', ...table.boxes.map(() => '')]).join(';'));
  assert.deepEqual(shown, rows.slice(1, 1 + classNames.length));
  assert.equal(rows[1 + classNames.length], ['r\u00e9ussite', '', '', ...table.shares].join(';'));
  assert.deepEqual(table.pupils.map((pupil) => [pupil.pupil, pupil.matches, pupil.score]),
    [['L\u00e9a', true, 4], ['Tom', false, 0], ['Zo\u00e9', true, 4]]);
  assert.deepEqual(table.pupils[0].boxes.slice(0, 4), [
    { typed: 'Paris', verdict: 'BRAVO' }, { typed: 'rome', verdict: 'BRAVO' },
    { typed: '', verdict: '?' }, { typed: 'Lisbone', verdict: 'Quasiment' }]);
});

// The studio's colour swatch and link check ask the builder; what it says
// of a value is what quizbuild check says of a quiz holding it.
test('a setting passes in the studio exactly when quizbuild check takes it', async () => {
  const module = await quizzBuilder();
  const values = [
    ['boardColour', '#C0DCC0'], ['boardColour', '#c0dcc0'], ['boardColour', 'jaune'], ['boardColour', '#C0DCC'],
    ['link', 'https://www.college.fr'], ['link', 'mailto:prof@college.fr'], ['link', 'www.college.fr'],
    ['link', 'https://' + 'x'.repeat(252)], ['link', 'https://x.fr/∑'], ['link', ''],
  ];
  const verdicts = values.map(([key, value]) => {
    const quiz = { kind: 'text', title: 'T', entries: [{ clue: 'C', answers: ['A'] }], [key]: value };
    const [result] = runBoth(module, { 'quiz.json': Buffer.from(JSON.stringify(quiz)) }, [['check', 'quiz.json']]);
    return [key, value, module.settingPasses(key, value), result.native.exitCode === 0];
  });
  assert.deepEqual(verdicts.map(([key, value, , native]) => [key, value, native]), verdicts.map(([key, value, asked]) => [key, value, asked]));
  assert.deepEqual(verdicts.map(([, , asked]) => asked), [true, true, false, false, true, true, false, false, false, true]);
});

// A CSV holding the columns the shape says a quiz needs is taken; without
// one of them it is refused, by the builder's own reader in both.
test('the CSV columns the shape needs are those quizbuild asks for', async () => {
  const module = await quizzBuilder();
  for (const kind of ['text', 'picture']) {
    for (const answersPerEntry of [1, 2]) {
      const shape = module.quizShape({ kind, answersPerEntry, reveal: 'none', answerLabels: ['', ''] });
      const needed = shape.csvColumns.filter((column) => column.needed).map((column) => column.french);
      const csv = (names) => Buffer.from(names.join(';') + '\n' + names.map((name) => (name === 'média' ? 'a.jpg' : 'x')).join(';') + '\n');
      const quiz = Buffer.from(JSON.stringify({ kind, answersPerEntry, title: 'T', entries: 'e.csv' }));
      const files = { 'quiz.json': quiz, 'a.jpg': fs.readFileSync(path.join(examples, 'template-pictures', 'images', '01.jpg')) };
      const context = kind + '/' + answersPerEntry;
      const [whole] = runBoth(module, { ...files, 'e.csv': csv(needed) }, [['check', 'quiz.json']]);
      assertSame(whole);
      assert.equal(whole.native.exitCode, 0, context + ': ' + whole.native.stderr);
      for (const left of needed) {
        const [fewer] = runBoth(module, { ...files, 'e.csv': csv(needed.filter((name) => name !== left)) }, [['check', 'quiz.json']]);
        assertSame(fewer);
        assert.notEqual(fewer.native.exitCode, 0, context + ' without ' + left);
      }
    }
  }
});
