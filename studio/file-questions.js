// The builder's reading of files an author brings (file_questions.cpp):
// appended to the module's script beside builder-session.js.
function answerOf(call) {
  return JSON.parse(UTF8ToString(call()));
}

function withBytes(bytes, use) {
  return withBytesInMemory(builderMemory, bytes, use);
}

// { entries, problems, encoding } for a CSV file of entries; `needs` as
// studioCsvEntries takes them ("clue,answer1,").
Module['csvEntries'] = function (bytes, name, needs) {
  return withBytes(bytes, function (pointer) {
    return withString(name, function (namePointer) {
      return withString(needs, function (needsPointer) {
        return answerOf(function () { return _studioCsvEntries(pointer, bytes.length, namePointer, needsPointer); });
      });
    });
  });
};

// { format, mime, extension, problem } for a media file put to `use`.
Module['mediaFormat'] = function (bytes, use) {
  return withBytes(bytes, function (pointer) {
    return withString(use, function (usePointer) {
      return answerOf(function () { return _studioMediaFormat(pointer, bytes.length, usePointer); });
    });
  });
};

Module['removeFile'] = function (path) {
  withString(path, function (name) { _studioRemoveFile(name); });
};

// { bytes, shrunk, problem } of a picture fitted as --fit-pictures fits it:
// bytes, the JPEG made, null when the picture is kept as it is; shrunk,
// whether it was made smaller (not only turned from PNG into JPEG);
// problem, the builder's words when it cannot be fitted.
Module['fitPicture'] = function (bytes) {
  var sizePointer = _malloc(4);
  try {
    return withBytes(bytes, function (pointer) {
      var fitted = _studioFitPicture(pointer, bytes.length, sizePointer);
      return {
        bytes: fitted ? HEAPU8.slice(fitted, fitted + HEAPU32[sizePointer >> 2]) : null,
        shrunk: _studioFittingShrunk() === 1,
        problem: UTF8ToString(_studioFittingProblem()),
      };
    });
  } finally {
    _free(sizePointer);
  }
};
