// "Mes quiz": the last quizzes worked on, kept in the browser's storage
// (IndexedDB, beside the draft), media included, each with its name and the
// time it was left. The work in the studio is kept there whenever another
// quiz is opened or begun, so none is lost when the browser closes.
const myQuizzesKept = 20;
const myQuizzes = { shown: false };

// A new quiz nobody has touched yet is not worth a place in the list.
function untouched(quiz, media) {
  return media.size === 0 && descriptionText(quiz) === descriptionText(newQuiz(quiz.kind));
}

function keptRecord() {
  const media = new Map(namedMedia(workspace.quiz).filter((path) => workspace.media.has(path)).map((path) => [path, workspace.media.get(path)]));
  return {
    id: workspace.id, name: workspace.name, title: String(workspace.quiz.title || ''), kind: workspace.quiz.kind,
    entries: workspace.quiz.entries.length, date: Date.now(), quiz: JSON.stringify(workspace.quiz), media: [...media],
  };
}

async function writeKept(record) {
  const transaction = draftStore.db.transaction('quizzes', 'readwrite');
  const store = transaction.objectStore('quizzes');
  store.put(record);
  const all = await requestResult(store.getAll());
  for (const old of all.sort((a, b) => b.date - a.date).slice(myQuizzesKept)) store.delete(old.id);
  await finished(transaction);
}

// Keeps the work as it is now in the list; writes follow the draft's in order.
function keepInMyQuizzes() {
  if (!draftStore.db || untouched(workspace.quiz, workspace.media)) return;
  const record = keptRecord();
  draftStore.queue = draftStore.queue.then(() => writeKept(record)).catch(storageRefused).then(refreshMyQuizzes);
}

async function keptQuizzes() {
  if (!draftStore.db) return [];
  const all = await requestResult(draftStore.db.transaction('quizzes').objectStore('quizzes').getAll());
  return all.sort((a, b) => b.date - a.date);
}

const dateText = (time) => new Date(time).toLocaleString('fr-FR', { dateStyle: 'short', timeStyle: 'short' });

function keptLine(record, current) {
  const facts = (record.title ? '« ' + record.title + ' », ' : '') + (kindNames[record.kind] || '') + ', ' +
    record.entries + ' entrée(s), ' + (current ? 'ouvert' : dateText(record.date));
  return el('li', { dataset: { kept: record.id } },
    el('span', { className: 'kept-name', text: record.name }), ' ', el('span', { className: 'hint', text: facts }),
    current ? null : actionButton('open-kept', 'Ouvrir', () => openKept(record.id)));
}

async function refreshMyQuizzes() {
  const panel = document.getElementById('my-quizzes');
  if (!panel || !myQuizzes.shown) return;
  const records = (await keptQuizzes()).filter((record) => record.id !== workspace.id);
  const current = { ...keptRecord(), date: Date.now() };
  panel.replaceChildren(el('h2', { text: 'Mes quiz' }),
    el('ul', {}, keptLine(current, true), records.map((record) => keptLine(record, false))),
    records.length === 0 ? el('p', { className: 'hint', text: 'Les autres quiz ouverts ou commencés dans ce navigateur viendront ici.' }) : null);
}

function toggleMyQuizzes(button) {
  myQuizzes.shown = !myQuizzes.shown;
  button.setAttribute('aria-expanded', String(myQuizzes.shown));
  document.getElementById('my-quizzes').hidden = !myQuizzes.shown;
  refreshMyQuizzes();
}

async function openKept(id) {
  const record = (await keptQuizzes()).find((kept) => kept.id === id);
  if (!record) {
    say('Ce quiz n’est plus dans la liste.', 'problem');
    return;
  }
  replaceWork(JSON.parse(record.quiz), new Map(record.media), record.name, record.id);
  say('« ' + record.name + ' » repris (' + record.entries + ' entrée(s)) ; le quiz précédent est gardé dans Mes quiz.');
  refreshMyQuizzes();
}
