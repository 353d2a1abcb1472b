// Zip archives: a teacher's quiz folder comes in as a zip (stored or
// deflated entries, inflated by the vendored fflate, since not every
// browser, nor Debian 12's node, has DecompressionStream('deflate-raw')) and
// goes out as one (stored entries, the media being compressed already). The
// same files always give the same archive.

// The studio page declares fflate before this part; node's tests load it.
const zipDeflate = typeof fflate !== 'undefined' ? fflate : require('../../third_party/fflate/fflate.js');
// Packed bytes given to the inflater at a time: a bomb is caught after at
// most about a thousand times this much output.
const zipInflateStep = 64 * 1024;

// Entries, bytes of one archive written, and bytes of all files read once
// unpacked (more than a page can hold; a small archive may claim them).
const zipLimits = { entries: 10000, size: 0xFFFFFFFF, unpacked: 2 * 1024 ** 3 };
// 1980-01-01 00:00, the earliest time a zip can hold.
const zipFixedDate = (1 << 5) | 1;
const zipUtf8Flag = 0x0800;
// Names written without the UTF-8 flag by Windows in France: code page 850.
const zipCp850High = 'ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜø£Ø×ƒáíóúñÑªº¿®¬½¼¡«»░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐└┴┬├─┼ãÃ╚╔╩╦╠═╬¤ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀ÓßÔÒõÕµþÞÚÛÙýÝ¯´\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0';

function zipError(reason) {
  return new Error('Ce fichier zip ne peut pas être lu : ' + reason + '.');
}

let zipCrcTable = null;

function crc32(bytes) {
  if (!zipCrcTable) {
    zipCrcTable = new Uint32Array(256);
    for (let n = 0; n < 256; n++) {
      let c = n;
      for (let k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
      zipCrcTable[n] = c >>> 0;
    }
  }
  let crc = 0xFFFFFFFF;
  for (let i = 0; i < bytes.length; i++) crc = zipCrcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >>> 8);
  return (crc ^ 0xFFFFFFFF) >>> 0;
}

// The end-of-central-directory record's offset: the last one, after which
// only its comment (at most 65535 bytes) may follow.
function zipEndRecord(view) {
  const lowest = Math.max(0, view.byteLength - 22 - 0xFFFF);
  for (let at = view.byteLength - 22; at >= lowest; at--)
    if (view.getUint32(at, true) === 0x06054B50) return at;
  throw zipError('ce n’est pas une archive zip');
}

function zipDirectory(view) {
  const end = zipEndRecord(view);
  const count = view.getUint16(end + 10, true);
  const size = view.getUint32(end + 12, true);
  const offset = view.getUint32(end + 16, true);
  const zip64 = end >= 20 && view.getUint32(end - 20, true) === 0x07064B50;
  if (zip64 || count === 0xFFFF || size === 0xFFFFFFFF || offset === 0xFFFFFFFF)
    throw zipError('l’archive est au format zip64, qui n’est pas pris en charge');
  if (view.getUint16(end + 4, true) !== 0 || view.getUint16(end + 6, true) !== 0)
    throw zipError('l’archive est en plusieurs parties');
  if (count > zipLimits.entries)
    throw zipError(`l’archive compte plus de ${zipLimits.entries} fichiers`);
  if (offset + size > end)
    throw zipError('sa table des fichiers dépasse la fin du fichier (archive tronquée ou abîmée)');
  return { count, offset, end: offset + size };
}

function zipNameText(raw, flags, extra) {
  const unicodePath = zipExtraField(extra, 0x7075);
  if (unicodePath && unicodePath.length > 5 && unicodePath[0] === 1)
    return new TextDecoder().decode(unicodePath.subarray(5));
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(raw);
  } catch (error) {
    if (flags & zipUtf8Flag) throw zipError('un nom de fichier n’est pas de l’UTF-8 valide');
    return Array.from(raw, (byte) => (byte < 0x80 ? String.fromCharCode(byte) : zipCp850High[byte - 0x80])).join('');
  }
}

function zipExtraField(extra, id) {
  const view = new DataView(extra.buffer, extra.byteOffset, extra.byteLength);
  for (let at = 0; at + 4 <= extra.length;) {
    const size = view.getUint16(at + 2, true);
    if (view.getUint16(at, true) === id) return extra.subarray(at + 4, Math.min(extra.length, at + 4 + size));
    at += 4 + size;
  }
  return null;
}

// The name as a path inside the archive: slashes only, never leaving it.
function zipSafePath(name) {
  const path = name.replace(/\\/g, '/');
  const parts = path.split('/');
  if (path.startsWith('/') || /^[A-Za-z]:/.test(path) || parts.includes('..'))
    throw zipError(`« ${name} » sortirait du dossier de l’archive`);
  if (path === '') throw zipError('un fichier n’a pas de nom');
  return parts.filter((part) => part !== '' && part !== '.').join('/');
}

// One central directory record at `at`: its entry and where the next starts.
function zipCentralEntry(bytes, view, at, directoryEnd) {
  if (at + 46 > directoryEnd || view.getUint32(at, true) !== 0x02014B50)
    throw zipError('sa table des fichiers est abîmée');
  const nameLength = view.getUint16(at + 28, true);
  const extraLength = view.getUint16(at + 30, true);
  const next = at + 46 + nameLength + extraLength + view.getUint16(at + 32, true);
  if (next > directoryEnd) throw zipError('sa table des fichiers dépasse sa fin annoncée');
  const flags = view.getUint16(at + 8, true);
  const raw = bytes.subarray(at + 46, at + 46 + nameLength);
  const name = zipNameText(raw, flags, bytes.subarray(at + 46 + nameLength, at + 46 + nameLength + extraLength));
  const entry = {
    name, flags,
    method: view.getUint16(at + 10, true),
    crc: view.getUint32(at + 16, true),
    packedSize: view.getUint32(at + 20, true),
    size: view.getUint32(at + 24, true),
    offset: view.getUint32(at + 42, true),
  };
  return { entry, next };
}

function zipCheckEntry(entry) {
  if (entry.flags & 0x41) throw zipError(`« ${entry.name} » est chiffré (protégé par un mot de passe)`);
  if ([entry.packedSize, entry.size, entry.offset].includes(0xFFFFFFFF))
    throw zipError('l’archive est au format zip64, qui n’est pas pris en charge');
  if (entry.method !== 0 && entry.method !== 8)
    throw zipError(`« ${entry.name} » est compressé par une méthode non prise en charge (n° ${entry.method})`);
  if (entry.method === 0 && entry.packedSize !== entry.size)
    throw zipError(`« ${entry.name} » a deux tailles différentes`);
}

// The entry's data as stored, from its local header.
function zipPackedData(bytes, view, entry, dataEnd) {
  const at = entry.offset;
  if (at + 30 > dataEnd || view.getUint32(at, true) !== 0x04034B50)
    throw zipError(`l’en-tête de « ${entry.name} » manque ou dépasse la fin du fichier`);
  const start = at + 30 + view.getUint16(at + 26, true) + view.getUint16(at + 28, true);
  if (start + entry.packedSize > dataEnd)
    throw zipError(`« ${entry.name} » dépasse la fin du fichier (archive tronquée ou abîmée)`);
  return bytes.subarray(start, start + entry.packedSize);
}

// Inflates raw deflate data, stopping as soon as it outgrows `size`.
function zipInflate(packed, size, name) {
  const chunks = [];
  let length = 0;
  let ended = false;
  const inflater = new zipDeflate.Inflate((chunk, final) => {
    length += chunk.length;
    if (length > size) throw zipError(`« ${name} » est plus grand qu’annoncé`);
    chunks.push(chunk);
    ended = final;
  });
  try {
    let at = 0;
    do {
      const piece = packed.subarray(at, at + zipInflateStep);
      at += piece.length;
      inflater.push(piece, at >= packed.length);
    } while (!ended);
  } catch (error) {
    throw error.message.startsWith('Ce fichier zip') ? error : zipError(`« ${name} » est abîmé`);
  }
  if (length !== size) throw zipError(`« ${name} » est plus petit qu’annoncé`);
  return zipJoined(chunks);
}

async function zipEntryBytes(bytes, view, entry, dataEnd) {
  const packed = zipPackedData(bytes, view, entry, dataEnd);
  const data = entry.method === 0 ? packed.slice() : zipInflate(packed, entry.size, entry.name);
  if (crc32(data) !== entry.crc) throw zipError(`« ${entry.name} » est abîmé (somme de contrôle fausse)`);
  return data;
}

// Every file of the archive by its path. `refusal(path, size)` may refuse a
// file by its announced size before it is inflated: a reason, or ''.
async function readZip(bytes, refusal = () => '') {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const directory = zipDirectory(view);
  const files = new Map();
  let at = directory.offset;
  let unpacked = 0;
  for (let n = 0; n < directory.count; n++) {
    const { entry, next } = zipCentralEntry(bytes, view, at, directory.end);
    at = next;
    zipCheckEntry(entry);
    const path = zipSafePath(entry.name);
    // Folders, and the resource forks macOS's Finder adds beside a folder it
    // compresses, are no files of the quiz.
    if (entry.name.endsWith('/') || entry.name.endsWith('\\') || path === '' || /^__MACOSX(\/|$)/.test(path)) continue;
    if (files.has(path)) throw zipError(`« ${path} » y figure deux fois`);
    const refused = refusal(path, entry.size);
    if (refused) throw new Error(refused);
    unpacked += entry.size;
    if (unpacked > zipLimits.unpacked) throw zipError('ses fichiers font plus de 2 Go une fois décompressés');
    files.set(path, await zipEntryBytes(bytes, view, entry, directory.offset));
  }
  return files;
}

// The 30-byte local header or 46-byte central record of one stored file.
function zipHeader(file, central) {
  const header = new DataView(new ArrayBuffer(central ? 46 : 30));
  header.setUint32(0, central ? 0x02014B50 : 0x04034B50, true);
  const at = central ? 2 : 0;
  // Made on Unix, read and write for its owner and read for others: what
  // unzip and Windows both read, names in UTF-8 included.
  if (central) header.setUint16(4, 0x0314, true);
  header.setUint16(at + 4, 10, true);
  header.setUint16(at + 6, zipUtf8Flag, true);
  header.setUint16(at + 12, zipFixedDate, true);
  header.setUint32(at + 14, file.crc, true);
  header.setUint32(at + 18, file.bytes.length, true);
  header.setUint32(at + 22, file.bytes.length, true);
  header.setUint16(at + 26, file.name.length, true);
  if (central) header.setUint32(38, 0o100644 * 0x10000, true);
  if (central) header.setUint32(42, file.offset, true);
  return new Uint8Array(header.buffer);
}

function zipEndOfDirectory(count, size, offset) {
  const end = new DataView(new ArrayBuffer(22));
  end.setUint32(0, 0x06054B50, true);
  end.setUint16(8, count, true);
  end.setUint16(10, count, true);
  end.setUint32(12, size, true);
  end.setUint32(16, offset, true);
  return new Uint8Array(end.buffer);
}

function zipJoined(pieces) {
  const out = new Uint8Array(pieces.reduce((sum, piece) => sum + piece.length, 0));
  let at = 0;
  for (const piece of pieces) { out.set(piece, at); at += piece.length; }
  return out;
}

// An archive of `files` ({ path, bytes }), each stored as it is.
function writeZip(files) {
  if (files.length > Math.min(zipLimits.entries, 0xFFFE))
    throw new Error(`Une archive zip ne peut pas compter plus de ${zipLimits.entries} fichiers.`);
  const local = [];
  const entries = [];
  let offset = 0;
  for (const { path, bytes } of files) {
    const entry = { name: new TextEncoder().encode(path), bytes, crc: crc32(bytes), offset };
    local.push(zipHeader(entry, false), entry.name, bytes);
    offset += 30 + entry.name.length + bytes.length;
    entries.push(entry);
  }
  const central = entries.flatMap((entry) => [zipHeader(entry, true), entry.name]);
  const centralSize = central.reduce((sum, piece) => sum + piece.length, 0);
  if (offset + centralSize > zipLimits.size)
    throw new Error('Ces fichiers dépassent les 4 Go qu’une archive zip peut contenir.');
  return zipJoined([...local, ...central, zipEndOfDirectory(entries.length, centralSize, offset)]);
}

if (typeof module !== 'undefined') module.exports = { readZip, writeZip };
