// A file or folder dropped on the studio (not on a row) is opened;
// folders are walked through the browser's entries.
function entryFiles(entry, prefix, files) {
  if (entry.isFile)
    return new Promise((resolve, reject) => entry.file(async (file) => {
      files.set(prefix + file.name, new Uint8Array(await file.arrayBuffer()));
      resolve();
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

async function dropOnStudio(event) {
  event.preventDefault();
  const entries = [...event.dataTransfer.items].map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry()).filter(Boolean);
  const files = new Map();
  try {
    if (entries.length > 0) for (const entry of entries) await entryFiles(entry, '', files);
    else for (const file of event.dataTransfer.files) files.set(file.name, new Uint8Array(await file.arrayBuffer()));
  } catch (error) {
    refuse(error.message);
    return;
  }
  if (files.size > 0) await openFileMap(files);
}
