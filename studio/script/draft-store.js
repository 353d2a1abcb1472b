// The draft: every change is kept at once in the browser's storage
// (IndexedDB, media included) and taken back when the studio opens again.
// A storage that is full or refused is said plainly; saving a .zip still works.
const draftStore = { db: null, written: new Map(), queue: Promise.resolve(), refusedSaid: false };

function storageRefused(error) {
  if (draftStore.refusedSaid) return;
  draftStore.refusedSaid = true;
  say('Le navigateur refuse de garder le brouillon (' + (error && error.name ? error.name : 'stockage indisponible') +
    ') : vos changements ne sont gardés que dans cette page. Enregistrez le quiz (.zip) pour ne rien perdre.', 'problem');
}

function openDraftStore() {
  return new Promise((resolve) => {
    let request;
    try {
      request = indexedDB.open('quizz-studio', 2);
    } catch (error) {
      storageRefused(error);
      return resolve(null);
    }
    // Version 2 adds "Mes quiz"; a version 1 store keeps its draft.
    request.onupgradeneeded = () => {
      for (const store of ['draft', 'media'])
        if (!request.result.objectStoreNames.contains(store)) request.result.createObjectStore(store);
      if (!request.result.objectStoreNames.contains('quizzes')) request.result.createObjectStore('quizzes', { keyPath: 'id' });
    };
    request.onsuccess = () => resolve((draftStore.db = request.result));
    request.onerror = () => {
      storageRefused(request.error);
      resolve(null);
    };
  });
}

function finished(transaction) {
  return new Promise((resolve, reject) => {
    transaction.oncomplete = resolve;
    transaction.onerror = transaction.onabort = () => reject(transaction.error);
  });
}

async function writeDraft(quizText, name, media, id) {
  const transaction = draftStore.db.transaction(['draft', 'media'], 'readwrite');
  const written = [];
  for (const [path, bytes] of media)
    if (draftStore.written.get(path) !== bytes) {
      transaction.objectStore('media').put(bytes, path);
      written.push([path, bytes]);
    }
  transaction.objectStore('draft').put({ quiz: quizText, name, id, date: Date.now(), paths: [...media.keys()] }, 'current');
  await finished(transaction);
  for (const [path, bytes] of written) draftStore.written.set(path, bytes);
}

// Keeps the work as it is now; writes follow one another in order.
function keepDraft() {
  if (!draftStore.db) return;
  const quizText = JSON.stringify(workspace.quiz);
  const { name, media, id } = workspace;
  draftStore.queue = draftStore.queue.then(() => writeDraft(quizText, name, media, id)).catch(storageRefused);
}

function requestResult(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

// The draft kept last time, or null.
async function loadDraft() {
  if (!draftStore.db) return null;
  try {
    const transaction = draftStore.db.transaction(['draft', 'media']);
    const draft = await requestResult(transaction.objectStore('draft').get('current'));
    if (!draft) return null;
    const media = new Map();
    for (const path of draft.paths) {
      const bytes = await requestResult(transaction.objectStore('media').get(path));
      if (bytes) media.set(path, bytes);
    }
    for (const [path, bytes] of media) draftStore.written.set(path, bytes);
    return { quiz: JSON.parse(draft.quiz), name: draft.name, media, id: draft.id || newWorkId() };
  } catch (error) {
    storageRefused(error);
    return null;
  }
}
