// The studio's zip reading and writing: what it writes reads back and is a
// zip other tools read, it reads what the zip command deflates, and it
// refuses damaged or hostile archives in words a teacher understands.
'use strict';
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { readZip, writeZip } = require(path.join(process.env.QUIZ_SOURCE || path.join(__dirname, '..', '..'),
  'studio', 'script', 'zip.js'));

const encoder = new TextEncoder();
const sample = [
  { path: 'quiz.json', bytes: encoder.encode('{ "kind": "text" }\n') },
  { path: 'images/été à Noël.jpg', bytes: Uint8Array.from({ length: 3000 }, (_, n) => (n * 37 + 11) % 256) },
  { path: 'vide.txt', bytes: new Uint8Array(0) },
];

function asObject(files) {
  return Object.fromEntries([...files].map(([name, bytes]) => [name, Buffer.from(bytes).toString('hex')]));
}

function withTool(name) {
  return spawnSync(name, ['-h'], { stdio: 'ignore' }).status === 0;
}

test('what writeZip writes, readZip gives back, the same bytes every time', async () => {
  const zip = writeZip(sample);
  assert.deepEqual(Buffer.from(writeZip(sample)), Buffer.from(zip));
  const read = await readZip(zip);
  assert.deepEqual(asObject(read), asObject(sample.map((file) => [file.path, file.bytes])));
  assert.deepEqual(asObject(await readZip(writeZip([]))), {});
});

test('unzip reads what writeZip writes, names and timestamps included', { skip: !withTool('unzip') }, () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quizz-zip-'));
  try {
    fs.writeFileSync(path.join(folder, 'out.zip'), writeZip(sample));
    const run = spawnSync('unzip', ['-q', 'out.zip', '-d', 'out'], { cwd: folder, env: { ...process.env, LC_ALL: 'C.UTF-8' } });
    assert.equal(run.status, 0, run.stderr.toString());
    for (const file of sample)
      assert.deepEqual(fs.readFileSync(path.join(folder, 'out', file.path)), Buffer.from(file.bytes), file.path);
    const year = fs.statSync(path.join(folder, 'out', 'quiz.json')).mtime.getFullYear();
    assert.ok(year === 1980 || year === 1979, `timestamp year ${year}`);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

// A quiz folder as the zip command makes it: seekable, and streamed
// through a pipe, as macOS's Finder writes it (each entry's sizes in a data
// descriptor after its data) with Finder's __MACOSX/ resource forks beside.
const zipCommandWays = [
  ['by the zip command', 'zip -q -r -X -D quiz.zip mon-quiz', 0],
  ['streamed with data descriptors, with __MACOSX/, as Finder writes it',
    'zip -q -r -X -D - mon-quiz __MACOSX | cat > quiz.zip', 0x0008],
];

test('readZip reads a folder deflated', { skip: !withTool('zip') }, async (t) => {
  const files = {
    'mon-quiz/quiz.csv': Buffer.from('clue;answer\n'.repeat(4000)),
    'mon-quiz/images/élève.bin': Buffer.from(sample[1].bytes),
    'mon-quiz/quiz.json': Buffer.from(sample[0].bytes),
  };
  const forks = { '__MACOSX/mon-quiz/._quiz.json': Buffer.from('Mac OS X        ATTR') };
  for (const [way, command, flags] of zipCommandWays) {
    await t.test(way, async () => {
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quizz-zip-'));
      try {
        for (const [name, bytes] of Object.entries({ ...files, ...forks })) {
          fs.mkdirSync(path.dirname(path.join(folder, name)), { recursive: true });
          fs.writeFileSync(path.join(folder, name), bytes);
        }
        const run = spawnSync('sh', ['-c', command], { cwd: folder, env: { ...process.env, LC_ALL: 'C.UTF-8' } });
        assert.equal(run.status, 0, run.stderr.toString());
        const zip = fs.readFileSync(path.join(folder, 'quiz.zip'));
        assert.ok(zip.length < 20000, `deflated: ${zip.length} bytes`);
        assert.equal(zip.readUInt16LE(6) & 0x0008, flags, 'data descriptor flag of the first entry');
        assert.deepEqual(asObject(await readZip(new Uint8Array(zip))), asObject(Object.entries(files)));
      } finally {
        fs.rmSync(folder, { recursive: true, force: true });
      }
    });
  }
});

// The parts of a one-file archive from writeZip, to damage them.
function oneFile(name = 'quiz.json', bytes = encoder.encode('{ "kind": "text" }')) {
  const zip = writeZip([{ path: name, bytes }]);
  const view = new DataView(zip.buffer);
  const end = zip.length - 22;
  return { zip, view, end, central: view.getUint32(end + 16, true) };
}

function damaged(change) {
  const parts = oneFile();
  change(parts);
  return parts.zip;
}

// A deflated entry (method 8) with the given raw deflate data, by hand.
function deflatedZip(raw, size, crc) {
  const { zip, view, central } = oneFile('a.txt', raw);
  for (const at of [8, central + 10]) view.setUint16(at, 8, true);
  for (const at of [14, central + 16]) view.setUint32(at, crc, true);
  for (const at of [22, central + 24]) view.setUint32(at, size, true);
  return zip;
}

const zlib = require('zlib');
const text = encoder.encode('bonjour '.repeat(50));
// The CRC-32 writeZip puts in a local header.
const crcOf = (bytes) => new DataView(writeZip([{ path: 'a', bytes }]).buffer).getUint32(14, true);

const refused = [
  ['an empty file', new Uint8Array(0), /pas une archive zip/],
  ['a text file', encoder.encode('ceci n’est pas un zip, mais un texte assez long pour le croire\n'), /pas une archive zip/],
  ['an archive cut short', oneFile().zip.slice(0, 40), /pas une archive zip/],
  ['a directory past the end', damaged(({ view, end }) => view.setUint32(end + 16, 5000, true)), /dépasse la fin/],
  ['an entry past the end', damaged(({ view, central }) => {
    view.setUint32(central + 20, 900, true);
    view.setUint32(central + 24, 900, true);
  }), /« quiz\.json » dépasse la fin/],
  ['a local header elsewhere', damaged(({ view, central }) => view.setUint32(central + 42, 7, true)), /en-tête de « quiz\.json »/],
  ['an encrypted entry', damaged(({ view, central }) => view.setUint16(central + 8, 0x0801, true)), /« quiz\.json » est chiffré/],
  ['a zip64 archive', damaged(({ view, end }) => view.setUint16(end + 10, 0xFFFF, true)), /zip64/],
  ['a zip64 entry', damaged(({ view, central }) => view.setUint32(central + 24, 0xFFFFFFFF, true)), /zip64/],
  ['bzip2 compression', damaged(({ view, central }) => view.setUint16(central + 10, 12, true)), /méthode non prise en charge \(n° 12\)/],
  ['10001 entries', damaged(({ view, end }) => view.setUint16(end + 10, 10001, true)), /plus de 10000 fichiers/],
  ['a wrong checksum', damaged(({ zip }) => { zip[30 + 'quiz.json'.length] ^= 1; }), /« quiz\.json » est abîmé \(somme de contrôle fausse\)/],
  ['a name climbing out', writeZip([{ path: 'images/../../secret.txt', bytes: text }]), /« images\/\.\.\/\.\.\/secret\.txt » sortirait/],
  ['an absolute name', writeZip([{ path: '/etc/passwd', bytes: text }]), /sortirait du dossier/],
  ['a drive letter', writeZip([{ path: 'C:\\quiz.json', bytes: text }]), /sortirait du dossier/],
  ['a name twice', writeZip([{ path: 'a.txt', bytes: text }, { path: './a.txt', bytes: text }]), /« a\.txt » y figure deux fois/],
  // A few bytes claiming 4 GB: refused before anything is inflated.
  ['files of more than 2 GB unpacked', deflatedZip(zlib.deflateRawSync(text), 0xFFFFFFFE, 0), /plus de 2 Go une fois décompressés/],
  ['deflate data that is no deflate', deflatedZip(Uint8Array.of(0xFF, 0xFF, 0xFF, 0xFF), 10, 0), /« a\.txt » est abîmé/],
  ['deflate data larger than said', deflatedZip(zlib.deflateRawSync(text), 20, crcOf(text)), /plus grand qu’annoncé/],
  ['deflate data smaller than said', deflatedZip(zlib.deflateRawSync(text), 900, crcOf(text)), /plus petit qu’annoncé/],
];

test('damaged and hostile archives are refused with a reason', async (t) => {
  for (const [name, zip, message] of refused) {
    await t.test(name, async () => {
      await assert.rejects(readZip(zip), (error) => {
        assert.match(error.message, /^Ce fichier zip ne peut pas être lu : /);
        assert.match(error.message, message);
        return true;
      });
    });
  }
});

test('a deflated entry with the right checksum reads back', async () => {
  const files = await readZip(deflatedZip(zlib.deflateRawSync(text), text.length, crcOf(text)));
  assert.deepEqual(Buffer.from(files.get('a.txt')), Buffer.from(text));
});

test('a name without the UTF-8 flag, as older Windows writes it, reads as code page 850', async () => {
  const { zip, view, central } = oneFile('xlxve.txt', text);
  for (const start of [30, central + 46]) {
    zip[start] = 0x82;      // é
    zip[start + 2] = 0x8A;  // è
  }
  for (const at of [6, central + 8]) view.setUint16(at, 0, true);
  assert.deepEqual([...(await readZip(zip)).keys()], ['élève.txt']);
});
