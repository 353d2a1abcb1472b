// The quiz in the studio: the description as quiz.json holds it (plain
// values, in the keys and order the builder reads) and the media files it
// names, by path. The studio checks nothing itself: the builder does.
const quizKinds = ['text', 'picture', 'sound', 'video'];
const kindNames = { text: 'Texte', picture: 'Images', sound: 'Sons', video: 'Vidéos' };
const revealNames = { none: 'Rien', picture: 'Une image', text: 'Un texte' };
const mediaUses = { picture: 'picture', sound: 'sound', video: 'video' };

// What an entry of this quiz holds, as the builder describes it: the keys
// it takes, the fields the player shows with their headings, the CSV
// columns it needs and the builder's limits. Asked again only when the
// kind, answers per entry, reveal or answer labels change.
let shapeAsked = { settings: null, shape: null };

function quizShape(quiz = workspace.quiz) {
  const settings = JSON.stringify([quiz.kind, quiz.answersPerEntry, quiz.reveal, quiz.answerLabels]);
  if (shapeAsked.settings !== settings) shapeAsked = { settings, shape: studio.builder.quizShape(quiz) };
  return shapeAsked.shape;
}

const builderLimits = () => quizShape().limits;

// A new entry: every text the player shows, empty; no media yet.
function blankEntry(quiz) {
  const entry = {};
  for (const field of quizShape(quiz).fields) if (!field.file) setValueAt(entry, field.field, '');
  return entry;
}

function newQuiz(kind) {
  const quiz = {
    kind,
    title: 'Mon quiz',
    author: '',
    description: '',
    link: '',
    answersPerEntry: 1,
    answerLabels: ['', ''],
    reveal: 'none',
    boardColour: '#FFFFFF',
    entries: [],
    codes: [],
  };
  quiz.entries.push(blankEntry(quiz));
  return quiz;
}

// The keys an entry of this quiz may hold, in the order they are written.
function entryKeys(quiz) {
  return quizShape(quiz).keys;
}

// A setting that changes the shape of every entry (kind, answers per
// entry, reveal) leaves each entry with the keys the builder takes for it,
// as many answers as the quiz asks and every text shown; what goes is
// still in the history.
function reshapeEntries(quiz) {
  const shape = quizShape(quiz);
  const answerCount = shape.fields.filter((field) => field.answer !== undefined).length;
  quiz.entries = quiz.entries.map((entry) => {
    const shaped = {};
    for (const key of shape.keys) if (key in entry) shaped[key] = entry[key];
    shaped.answers = Array.isArray(entry.answers) ? entry.answers.slice(0, answerCount) : [];
    for (const field of shape.fields) {
      const given = field.answer !== undefined ? field.answer < shaped.answers.length : typeof shaped[field.key] === 'string';
      if (!field.file && !given) setValueAt(shaped, field.field, '');
    }
    return shaped;
  });
}

// quiz.json as the studio writes it: optional texts left out when empty,
// so a saved description reads as an author would write it.
function descriptionText(quiz) {
  const written = {};
  for (const [key, value] of Object.entries(quiz)) {
    if (['author', 'description', 'link'].includes(key) && value === '') continue;
    if (key === 'answerLabels' && Array.isArray(value) && value.every((label) => label === '')) continue;
    if (key === 'codes' && Array.isArray(value) && value.length === 0) continue;
    written[key] = key === 'entries' && Array.isArray(value) ? value.map(writtenEntry) : value;
  }
  return JSON.stringify(written, null, 2) + '\n';
}

function writtenEntry(entry) {
  const written = {};
  for (const [key, value] of Object.entries(entry))
    if (!(['media', 'revealPicture', 'webClip'].includes(key) && value === '')) written[key] = value;
  return written;
}

// A description read from a file, with the keys a new quiz gives filled in
// where it leaves them out, so every control has a value.
function quizFromDescription(description) {
  const quiz = newQuiz(quizKinds.includes(description.kind) ? description.kind : 'text');
  quiz.entries = [];
  for (const [key, value] of Object.entries(description)) quiz[key] = value;
  if (!Array.isArray(quiz.answerLabels)) quiz.answerLabels = ['', ''];
  if (!Array.isArray(quiz.codes)) quiz.codes = [];
  if (!Array.isArray(quiz.entries)) quiz.entries = [];
  return quiz;
}

// The media paths the quiz names, each once.
function namedMedia(quiz) {
  const paths = new Set();
  for (const entry of quiz.entries)
    for (const key of ['media', 'revealPicture', 'webClip'])
      if (typeof entry[key] === 'string' && entry[key] !== '') paths.add(entry[key]);
  return [...paths];
}

// Where a new media file goes: media/NAME, numbered when NAME is taken by
// other bytes.
function mediaPathFor(media, fileName, bytes) {
  const clean = fileName.replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_') || 'media';
  const dot = clean.lastIndexOf('.');
  const [stem, extension] = dot > 0 ? [clean.slice(0, dot), clean.slice(dot)] : [clean, ''];
  for (let n = 1; ; n++) {
    const path = 'media/' + (n === 1 ? stem : stem + '-' + n) + extension;
    const held = media.get(path);
    if (!held || sameBytes(held, bytes)) return path;
  }
}

function sameBytes(a, b) {
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; i++) if (a[i] !== b[i]) return false;
  return true;
}
