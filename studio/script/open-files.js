// Opening: a description (its folder, a .zip of it, or its JSON alone), a
// CSV of entries, or a built quiz program, read as `quizbuild` reads them.
// A file that cannot be read as a quiz is refused with the builder's words
// and the work in the studio stays as it was.

// The builder's words for the last file refused, which a drop also shows
// where it fell.
let lastRefusal = '';

function refuse(lines) {
  lastRefusal = lines;
  say('Impossible d’ouvrir : ' + lines, 'problem');
}

// The builder's memory is used to read the opened files; what the checks
// had put there is put back on the next check.
function withScratchFiles(files) {
  studio.builder.clearFiles();
  checking.synced = new Map();
  forgetPlayerInBuilder();
  for (const [path, bytes] of files) studio.builder.putFile(path, bytes);
}

const slashed = (path) => path.replace(/\\/g, '/');
const stemOf = (path) => slashed(path).replace(/^.*\//, '').replace(/\.[^.]*$/, '');

// The description among the files: a .json at the root, or in the one
// folder that holds everything; paths come back relative to it.
function descriptionAmong(files) {
  const paths = [...files.keys()].map(slashed);
  const tops = new Set(paths.map((path) => (path.includes('/') ? path.slice(0, path.indexOf('/')) : '')));
  const folder = tops.size === 1 && !tops.has('') ? [...tops][0] + '/' : '';
  const jsons = paths.filter((path) => path.startsWith(folder) && !path.slice(folder.length).includes('/') && /\.json$/i.test(path));
  const chosen = jsons.length === 1 ? jsons[0] : jsons.find((path) => /\/?quiz\.json$/i.test(path));
  if (!chosen) return null;
  const relative = new Map();
  for (const [path, bytes] of files) if (slashed(path).startsWith(folder)) relative.set(slashed(path).slice(folder.length), bytes);
  return { json: chosen.slice(folder.length), folder: folder.replace(/\/$/, ''), files: relative };
}

// "clue,answer1,": the columns a CSV of entries needs for this quiz.
function csvNeeds(quiz) {
  return quizShape(quiz).csvColumns.filter((column) => column.needed).map((column) => column.name + ',').join('');
}

function csvEntriesOf(bytes, name, quiz) {
  const read = studio.builder.csvEntries(bytes, name, csvNeeds(quiz));
  const problems = read.problems;
  if (problems.length > 0 || read.entries.length === 0) {
    refuse(problems.join(' ') || name + ' : aucune entrée sous la ligne d’en-tête');
    return null;
  }
  return read.entries;
}

// The media the description names, found among the files as written
// (either slash) or, as the builder finds them, with other letter cases;
// kept under the path the description gives.
function mediaNamed(quiz, files) {
  const bySlashed = new Map([...files].map(([path, bytes]) => [slashed(path), bytes]));
  const byLowerCase = new Map([...files].map(([path, bytes]) => [slashed(path).toLowerCase(), bytes]));
  const media = new Map();
  for (const path of namedMedia(quiz)) {
    const bytes = bySlashed.get(slashed(path)) || byLowerCase.get(slashed(path).toLowerCase());
    if (bytes) media.set(path, bytes);
  }
  return media;
}

function openDescription(found, fallbackName) {
  const text = utf8Decoder.decode(found.files.get(found.json));
  withScratchFiles(found.files);
  const result = studio.builder.run(['check', found.json, '--lang', 'fr']);
  let description;
  try {
    description = JSON.parse(text.replace(/^\uFEFF/, ''));
  } catch (error) {
    description = null;
  }
  if (!description || typeof description !== 'object' || Array.isArray(description)) {
    refuse(linesOf(result.stderr)[0] || found.json + ' : pas une description de quiz');
    return;
  }
  const quiz = quizFromDescription(description);
  if (typeof description.entries === 'string') {
    const entries = csvEntriesOf(found.files.get(slashed(description.entries)) || new Uint8Array(), description.entries, quiz);
    if (!entries) return;
    quiz.entries = entries;
  }
  const stem = stemOf(found.json);
  replaceWork(quiz, mediaNamed(quiz, found.files), stem !== 'quiz' ? stem : stemOf(found.folder || fallbackName) || 'quiz');
  say('« ' + found.json + ' » ouvert : ' + quiz.entries.length + ' entrée(s).');
}

// The program goes into the builder's memory under its own name, so that
// the builder's messages name the file the author opened.
function openProgram(bytes, name) {
  const program = slashed(name).replace(/^.*\//, '') || 'quiz.exe';
  const folder = program + '-ouvert/';
  withScratchFiles([[program, bytes]]);
  const result = studio.builder.run(['extract', program, '-o', folder.slice(0, -1), '--lang', 'fr']);
  if (result.exitCode !== 0) {
    refuse(utf8Decoder.decode(result.stderr).trim());
    return;
  }
  const files = new Map(Object.entries(result.written).map(([path, written]) => [path.startsWith(folder) ? path.slice(folder.length) : path, written]));
  openDescription({ json: 'quiz.json', folder: '', files }, name);
}

function openCsv(bytes, name) {
  const entries = csvEntriesOf(bytes, name, workspace.quiz);
  if (!entries) return;
  change((quiz) => { quiz.entries = entries; });
  say('« ' + name + ' » ouvert : ' + entries.length + ' entrée(s) à la place des précédentes (Annuler les remet).');
}

// The builder's refusal of a file by its size, asked before it is read
// into memory; "" when it may be read.
function sizeRefusal(path, size) {
  const problem = studio.builder.fileSizeProblem(size);
  return problem ? slashed(path) + ' : ' + problem : '';
}

// A program carries every media file in one: the builder reads it, and
// says what it refuses; any other file is held to one media file's limit.
async function pickedRefusal(file) {
  const head = new Uint8Array(await file.slice(0, 2).arrayBuffer());
  return startsWith(head, 'MZ') ? '' : sizeRefusal(file.webkitRelativePath || file.name, file.size);
}

const startsWith = (bytes, text) => [...text].every((character, at) => bytes[at] === character.charCodeAt(0));

async function openOneFile(path, bytes) {
  if (startsWith(bytes, 'PK\u0003\u0004') || startsWith(bytes, 'PK\u0005\u0006')) {
    const found = descriptionAmong(await readZip(bytes, sizeRefusal));
    if (!found) refuse(path + ' : aucune description (.json) à sa racine ni dans son dossier');
    else openDescription(found, path);
  } else if (startsWith(bytes, 'MZ')) openProgram(bytes, path);
  else if (/\.json$/i.test(path) || /^\s*[{[]/.test(utf8Decoder.decode(bytes.subarray(0, 64)))) openDescription({ json: stemOf(path) + '.json', folder: '', files: new Map([[stemOf(path) + '.json', bytes]]) }, path);
  else openCsv(bytes, slashed(path).replace(/^.*\//, ''));
}

// files: Map of path → bytes, paths as the folder or the drop gives them.
async function openFileMap(files) {
  try {
    if (files.size === 1) await openOneFile(...[...files][0]);
    else {
      const found = descriptionAmong(files);
      if (!found) refuse('aucune description (.json) parmi ces fichiers');
      else openDescription(found, 'quiz');
    }
  } catch (error) {
    await refuseFailure(error);
  }
}

// A builder that trapped (its memory exhausted, a bad call) is started
// afresh, so every button keeps working; the work stays as it was.
async function refuseFailure(error) {
  if (!(error instanceof WebAssembly.RuntimeError)) {
    refuse(error.message);
    return;
  }
  await reloadBuilder();
  refuse('le constructeur a dû être relancé (' + error.message + ') ; le quiz ouvert reste tel qu’il était.');
}

// Files too large for the builder are refused before they are read.
async function pickedFiles(list) {
  const files = new Map();
  for (const file of list) {
    const refused = await pickedRefusal(file);
    if (refused) throw new Error(refused);
    files.set(file.webkitRelativePath || file.name, new Uint8Array(await file.arrayBuffer()));
  }
  return files;
}

async function openPicked(input) {
  const list = [...input.files];
  input.value = '';
  let files;
  try {
    files = await pickedFiles(list);
  } catch (error) {
    refuse(error.message);
    return;
  }
  if (files.size > 0) await openFileMap(files);
}
