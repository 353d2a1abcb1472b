// Files dropped on the studio (not on a row): pictures, sounds or clips
// alone become entries; anything else is opened as a quiz. Folders are
// walked through the browser's entries. A drop that is refused says so
// where it was dropped, as well as in the notice.
function entryFiles(entry, prefix, files) {
  if (entry.isFile)
    return new Promise((resolve, reject) => entry.file(async (file) => {
      try {
        const refused = await pickedRefusal(file);
        if (refused) throw new Error(refused);
        files.set(prefix + file.name, new Uint8Array(await file.arrayBuffer()));
        resolve();
      } catch (error) {
        reject(error);
      }
    }, reject));
  const reader = entry.createReader();
  // readEntries gives a folder's entries in batches, an empty one last.
  const readAll = () => new Promise((resolve, reject) => reader.readEntries(async (batch) => {
    if (batch.length === 0) return resolve();
    for (const child of batch) await entryFiles(child, prefix + entry.name + '/', files);
    resolve(readAll());
  }, reject));
  return readAll();
}

async function droppedFiles(transfer) {
  const entries = [...transfer.items].map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry()).filter(Boolean);
  if (entries.length === 0) return pickedFiles([...transfer.files]);
  const files = new Map();
  for (const entry of entries) await entryFiles(entry, '', files);
  return files;
}

// A line beside the place of the drop, gone at the next click or drop.
function sayAtDrop(event, text) {
  document.getElementById('drop-message')?.remove();
  const message = el('p', { id: 'drop-message', className: 'drop-message', role: 'alert', text });
  document.body.append(message);
  const width = Math.min(420, window.innerWidth - 16);
  message.style.width = width + 'px';
  message.style.left = Math.max(8, Math.min(event.clientX, window.innerWidth - width - 8)) + 'px';
  message.style.top = Math.max(8, Math.min(event.clientY + 12, window.innerHeight - message.offsetHeight - 8)) + 'px';
  document.addEventListener('pointerdown', () => message.remove(), { once: true });
}

async function dropOnStudio(event) {
  event.preventDefault();
  document.getElementById('drop-message')?.remove();
  lastRefusal = '';
  let files;
  try {
    files = await droppedFiles(event.dataTransfer);
  } catch (error) {
    refuse(error.message);
    sayAtDrop(event, 'Impossible d’ouvrir : ' + lastRefusal);
    return;
  }
  if (files.size === 0) return;
  const asMedia = dropAsMedia(files);
  if (asMedia) {
    say(asMedia, 'problem');
    sayAtDrop(event, asMedia);
    return;
  }
  if (asMedia === null) await openFileMap(files);
  if (lastRefusal) sayAtDrop(event, 'Impossible d’ouvrir : ' + lastRefusal);
}
