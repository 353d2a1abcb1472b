// The builder's calls as the studio uses them (appended to the module's
// script, so it sees the module's heap): files in, a command line run,
// the exit code, the standard output and error and the files written out.
// Paths are as the command line would give them; the module's folder
// stands for the folder quizbuild runs in.
Module['capturedStreams'] = { 1: [], 2: [] };

function joinedBytes(chunks) {
  var size = chunks.reduce(function (sum, chunk) { return sum + chunk.length; }, 0);
  var joined = new Uint8Array(size);
  var at = 0;
  chunks.forEach(function (chunk) { joined.set(chunk, at); at += chunk.length; });
  return joined;
}

// The module's memory as web/wasm-memory.js (appended before this script)
// takes it; the functions are looked up at each call, since they are bound
// once the module is instantiated.
var builderMemory = {
  malloc: function (size) { return _malloc(size); },
  free: function (at) { _free(at); },
  heap: function () { return HEAPU8; },
  textSize: function (text) { return lengthBytesUTF8(text); },
  writeText: function (text, at, size) { stringToUTF8(text, at, size); },
};

function withString(text, use) {
  return withTextInMemory(builderMemory, text, use);
}

Module['putFile'] = function (path, bytes) {
  withBytesInMemory(builderMemory, bytes, function (pointer, length) {
    withString(path, function (name) { _studioPutFile(name, pointer, length); });
  });
};

// A copy of the file's bytes, or null.
Module['fileBytes'] = function (path) {
  var sizePointer = _malloc(4);
  try {
    return withString(path, function (name) {
      var bytes = _studioFileBytes(name, sizePointer);
      return bytes ? HEAPU8.slice(bytes, bytes + HEAPU32[sizePointer >> 2]) : null;
    });
  } finally {
    _free(sizePointer);
  }
};

Module['clearFiles'] = function () { _studioClearFiles(); };

// The arguments, each ended by a NUL, in the module's heap for `use`.
function withArguments(args, use) {
  var encoded = args.map(function (arg) { return new TextEncoder().encode(arg); });
  var size = encoded.reduce(function (sum, arg) { return sum + arg.length + 1; }, 0);
  var pointer = _malloc(size);
  var at = pointer;
  encoded.forEach(function (arg) { HEAPU8.set(arg, at); HEAPU8[at + arg.length] = 0; at += arg.length + 1; });
  try { return use(pointer); } finally { _free(pointer); }
}

// { exitCode, stdout, stderr (bytes), written: { path: bytes } }
Module['run'] = function (args) {
  Module['capturedStreams'] = { 1: [], 2: [] };
  var exitCode = withArguments(args, function (pointer) { return _studioRun(pointer, args.length); });
  var written = {};
  for (var n = 0; n < _studioWrittenCount(); n++) {
    var path = UTF8ToString(_studioWrittenPath(n));
    written[path] = Module['fileBytes'](path);
  }
  return {
    exitCode: exitCode,
    stdout: joinedBytes(Module['capturedStreams'][1]),
    stderr: joinedBytes(Module['capturedStreams'][2]),
    written: written,
  };
};

// The bytes the text takes in Windows-1252, or -1 when a character has no
// Windows-1252 form.
Module['textBytes'] = function (text) {
  return withString(text, function (pointer) { return _studioTextBytes(pointer); });
};

// The first character of the text that Windows-1252 lacks, "" when none.
Module['characterOutside'] = function (text) {
  return withString(text, function (pointer) { return UTF8ToString(_studioCharacterOutside(pointer)); });
};

// The verdict the player gives when `typed` is typed for the stored `answer`.
Module['trialVerdict'] = function (answer, typed) {
  return withString(answer, function (stored) {
    return withString(typed, function (box) { return UTF8ToString(_studioTrialVerdict(stored, box)); });
  });
};

// The table a `results` command line makes, as the studio shows it (see
// studioResultsTable), or null with the command's messages as `stderr`.
Module['resultsTable'] = function (args) {
  Module['capturedStreams'] = { 1: [], 2: [] };
  var json = withArguments(args, function (pointer) { return UTF8ToString(_studioResultsTable(pointer, args.length)); });
  return { table: json ? JSON.parse(json) : null, stderr: joinedBytes(Module['capturedStreams'][2]) };
};

// The builder's refusal of a file of `size` bytes, or "" when it may be read.
Module['fileSizeProblem'] = function (size) {
  return UTF8ToString(_studioFileSizeProblem(size));
};
