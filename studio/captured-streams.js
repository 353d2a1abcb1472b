// The builder's standard output and error, kept byte for byte (messages
// quote an author's texts in any encoding) for builder-session.js to hand
// over, instead of being printed line by line as text.
mergeInto(LibraryManager.library, {
  fd_write__sig: 'iiiii',
  fd_write: function (fd, iov, iovcnt, pnum) {
    var total = 0;
    for (var i = 0; i < iovcnt; i++) {
      var ptr = HEAPU32[(iov + i * 8) >> 2];
      var len = HEAPU32[(iov + i * 8 + 4) >> 2];
      if (Module['capturedStreams'] && (fd === 1 || fd === 2))
        Module['capturedStreams'][fd].push(HEAPU8.slice(ptr, ptr + len));
      total += len;
    }
    HEAPU32[pnum >> 2] = total;
    return 0;
  },
});
