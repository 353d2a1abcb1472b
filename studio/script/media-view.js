// An entry's media: what the builder says the file is, its size, a look
// at it (a picture, a sound or a clip to play), and ways to pick, drop or
// paste another. A picture put in is fitted to the board; a PNG or a
// picture too large is offered as the JPEG the builder's fitting makes.
const mediaUrls = new WeakMap();
const mediaFormats = new WeakMap();
const mediaKeyNames = { media: 'Média', revealPicture: 'Image révélée', webClip: 'Clip pour la page web (MP4, WebM)' };

function useOf(key) {
  if (key === 'revealPicture') return 'picture';
  if (key === 'webClip') return 'webClip';
  return mediaUses[workspace.quiz.kind] || 'picture';
}

function formatOf(bytes, use) {
  let formats = mediaFormats.get(bytes);
  if (!formats) mediaFormats.set(bytes, (formats = {}));
  if (!formats[use]) formats[use] = studio.builder.mediaFormat(bytes, use);
  return formats[use];
}

function urlOf(bytes, mime) {
  if (!mediaUrls.has(bytes)) mediaUrls.set(bytes, URL.createObjectURL(new Blob([bytes], { type: mime })));
  return mediaUrls.get(bytes);
}

function mediaLook(bytes, format) {
  const url = urlOf(bytes, format.mime);
  if (format.mime.startsWith('image/')) return el('img', { src: url, alt: '' });
  if (format.mime.startsWith('audio/')) return el('audio', { src: url, controls: true, preload: 'none' });
  if (format.mime.startsWith('video/')) return el('video', { src: url, controls: true, preload: 'metadata' });
  return null;
}

// A picture is fitted first, then put in and replaced by the fitted one
// (picture-fitting.js).
async function addMedia(entry, key, file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const fitted = useOf(key) === 'picture' ? await fitPictureBytes(bytes) : null;
  const path = mediaPathFor(workspace.media, file.name || 'media', bytes);
  (fitted && fitted.shrunk ? changeUnseen : change)((quiz, media) => {
    media.set(path, bytes);
    quiz.entries[entry - 1][key] = path;
  });
  if (fitted) replaceWithFittedAt([path], [fitted]);
}

// A PNG (which the player cannot show) or a picture too large becomes the
// JPEG the builder's fitting makes of it.
async function convertToJpeg(entry, key) {
  const path = workspace.quiz.entries[entry - 1][key];
  const original = workspace.media.get(path);
  const fitted = await fitPictureBytes(original);
  if (!fitted.bytes) {
    say('« ' + path + ' » ne peut pas être converti : le fichier est abîmé, incomplet ou trop grand.', 'problem');
    return;
  }
  replaceWithFitted([{ path, original, bytes: fitted.bytes }]);
  say('« ' + path + ' » est remplacé par « ' + workspace.quiz.entries[entry - 1][key] + ' », un JPEG de ' + sizeText(fitted.bytes.length) + '.');
}

function mediaFacts(entry, key, path) {
  const bytes = workspace.media.get(path);
  if (!bytes) return [el('span', { className: 'facts', text: path + ' : fichier absent' })];
  const format = formatOf(bytes, useOf(key));
  const facts = [mediaLook(bytes, format), el('span', { className: 'facts', text: path + ' — ' + (format.format || 'format inconnu') + ', ' + sizeText(bytes.length) })];
  const tooLarge = problemsAt(entry, key).some((problem) => problem.id === 'MediaPictureTooLarge');
  if (format.format === 'PNG' || (tooLarge && format.mime.startsWith('image/')))
    facts.push(actionButton('convert-media', 'Convertir en JPEG', () => convertToJpeg(entry, key)));
  return facts;
}

function mediaField(entry, key) {
  const path = valueAt(workspace.quiz.entries[entry - 1], key);
  const id = 'f' + (++studio.controlCount);
  const picker = el('input', {
    id, type: 'file', className: 'visually-hidden', dataset: { action: 'pick-media', field: key },
    'aria-label': mediaKeyNames[key] + ' de l’entrée ' + entry + ' : choisir un fichier',
    onchange: (event) => event.target.files[0] && addMedia(entry, key, event.target.files[0]),
  });
  return el('div', { className: 'field media', dataset: { mediaKey: key } },
    el('span', { className: 'media-name', text: mediaKeyNames[key] }),
    path ? mediaFacts(entry, key, path) : el('span', { className: 'facts', text: 'aucun fichier' }),
    picker, el('label', { for: id, className: 'button' }, 'Choisir…'), el('div', { className: 'field-problems' }));
}

// Files dropped or pasted on an entry go to its media.
function takeMediaFiles(entry, files) {
  if (files.length === 0 || workspace.quiz.kind === 'text') return false;
  addMedia(entry, 'media', files[0]);
  return true;
}

// Every media file the quiz names, against the builder's limit for all.
function mediaTotalText() {
  let total = 0;
  for (const entry of workspace.quiz.entries)
    for (const key of ['media', 'revealPicture'])
      if (workspace.media.has(entry[key])) total += workspace.media.get(entry[key]).length;
  return 'Médias : ' + sizeText(total) + ' en tout, au plus ' + sizeText(builderLimits().mediaTotalBytes).replace(/,0 /, ' ');
}
