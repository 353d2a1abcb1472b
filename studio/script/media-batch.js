// A batch of media becomes entries: pictures, sounds or clips picked
// together or dropped on the table, one entry each, in the order a file
// manager shows their names (letter case and accents ignored, numbers by
// value), after the chosen entry, as one step of the history. Each answer
// starts as the file's name, for the author to correct. Large pictures are
// then fitted to the board (picture-fitting.js), a step of their own.
const fileNameOrder = new Intl.Collator('fr', { sensitivity: 'base', numeric: true });

// "pont_du_gard.JPG" → "pont du gard".
function answerFromFileName(name) {
  return name.replace(/^.*[\\/]/, '').replace(/\.[^.]*$/, '').replace(/_+/g, ' ').replace(/\s+/g, ' ').trim();
}

// Whether the builder knows these bytes for a picture, a sound or a clip.
function isMedia(bytes) {
  return /^(image|audio|video)\//.test(formatOf(bytes, useOf('media')).mime);
}

function onlyBlankEntry(quiz) {
  return quiz.entries.length === 1 && Object.values(quiz.entries[0]).flat().every((value) => value === '');
}

// The entries of `sorted` after entry `after`, as one step (`changed` by
// change or changeUnseen); their paths.
function putMediaEntries(sorted, after, changed = change) {
  let first = after + 1;
  const paths = [];
  changed((quiz, media) => {
    const entries = sorted.map((file) => {
      const path = mediaPathFor(media, file.name, file.bytes);
      media.set(path, file.bytes);
      paths.push(path);
      const entry = { media: path, ...blankEntry(quiz) };
      entry.answers[0] = answerFromFileName(file.name);
      return entry;
    });
    if (onlyBlankEntry(quiz)) {
      quiz.entries = entries;
      first = 1;
    } else quiz.entries.splice(Math.min(after, quiz.entries.length), 0, ...entries);
  }, 'entries');
  // Unseen, the entry is only marked: the next step draws it.
  if (changed === change) selectEntry(first);
  else studio.selected = first;
  say(sorted.length + ' entrée(s) ajoutée(s) à partir de ' + (sorted.length > 1 ? 'ces fichiers' : 'ce fichier') +
    ' ; leurs réponses viennent des noms de fichiers, à corriger au besoin (Annuler les retire).');
  return paths;
}

// files: [{ name, bytes }]; the new entries follow entry `after`. Pictures
// are fitted first, so the page never shows the large originals; they are
// put in, then replaced by the fitted ones at once.
function addMediaEntries(files, after) {
  if (workspace.quiz.kind === 'text') return 'Un quiz de genre Texte n’a pas de médias : choisissez Images, Sons ou Vidéos dans « Genre de quiz ».';
  const sorted = [...files].sort((a, b) => fileNameOrder.compare(a.name, b.name) || (a.name < b.name ? -1 : 1));
  if (useOf('media') !== 'picture') {
    putMediaEntries(sorted, after);
    return '';
  }
  say('Préparation de ' + (sorted.length > 1 ? sorted.length + ' images…' : 'l’image…'));
  Promise.all(sorted.map((file) => fitPictureBytes(file.bytes))).then((fitted) => {
    const changed = fitted.some((picture) => picture.shrunk) ? changeUnseen : change;
    replaceWithFittedAt(putMediaEntries(sorted, after, changed), fitted);
  });
  return '';
}

async function addPickedMedia(input) {
  const list = [...input.files];
  input.value = '';
  try {
    const files = await pickedFiles(list);
    const refused = addMediaEntries([...files].map(([name, bytes]) => ({ name, bytes })), studio.selected);
    if (refused) say(refused, 'problem');
  } catch (error) {
    await refuseFailure(error);
  }
}

// Dropped files that are all media become entries; "" when they were taken.
function dropAsMedia(files) {
  const list = [...files].map(([name, bytes]) => ({ name: name.replace(/^.*[\\/]/, ''), bytes }));
  if (list.length === 0 || !list.every((file) => isMedia(file.bytes))) return null;
  return addMediaEntries(list, studio.selected);
}

// Several files dropped on a row: entries after it.
async function dropMediaAfter(entry, event) {
  try {
    const files = await pickedFiles([...event.dataTransfer.files]);
    const list = [...files].map(([name, bytes]) => ({ name, bytes }));
    const refused = list.every((file) => isMedia(file.bytes)) ? addMediaEntries(list, entry) : 'Seuls des images, des sons ou des clips deviennent des entrées.';
    if (refused) sayAtDrop(event, refused);
  } catch (error) {
    await refuseFailure(error);
  }
}
