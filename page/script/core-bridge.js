// Calls into the judging core, with texts and bytes copied into its memory.
// Every rule (verdict, reveal, score, reward code, Tab, spread, answers file) is
// the core's; the other parts only show what it says.

function coreCalls(core) {
  const memory = {
    malloc: (size) => core._malloc(size),
    free: (at) => core._free(at),
    heap: () => core.HEAPU8,
    textSize: (text) => core.lengthBytesUTF8(text),
    writeText: (text, at, size) => core.stringToUTF8(text, at, size),
  };
  const withText = (text, call) => withTextInMemory(memory, text, call);
  const withBytes = (bytes, call) => withBytesInMemory(memory, bytes, call);
  const text = (pointer) => core.UTF8ToString(pointer);
  return {
    load(quiz, codes) {
      return withBytes(quiz, (q, ql) => withBytes(codes, (c, cl) => core._coreLoad(q, ql, c, cl)));
    },
    kind: () => core._coreKind(),
    entryCount: () => core._coreEntryCount(),
    answersPerEntry: () => core._coreAnswersPerEntry(),
    revealKind: () => core._coreRevealKind(),
    boardColour: () => core._coreBoardColour(),
    headerText: (field) => text(core._coreHeaderText(field)),
    entryText: (entry, field) => text(core._coreEntryText(entry, field)),
    setBox: (rank, typed) => withText(typed, (at) => core._coreSetBox(rank, at)),
    boxText: (rank) => text(core._coreBoxText(rank)),
    judge: (rank) => core._coreJudge(rank),
    verdict: (rank) => text(core._coreVerdict(rank)),
    verdictColour: (rank) => core._coreVerdictColour(rank),
    score: () => core._coreScore(),
    scoreText: () => text(core._coreScoreText()),
    rewardCode: () => text(core._coreRewardCode()),
    tabTarget: (rank, back) => core._coreTabTarget(rank, back ? 1 : 0),
    spread: (rank) => core._coreSpread(rank),
    spreadReached: (rank) => core._coreSpreadReached(rank),
    answersFile() {
      const at = core._coreAnswersFile();
      return core.HEAPU8.slice(at, at + core._coreAnswersFileLength());
    },
    restore: (bytes) => withBytes(bytes, (at, length) => core._coreRestore(at, length)),
    platformScore: () => core._corePlatformScore(),
    allRight: () => core._coreAllRight() === 1,
    boxName: (rank) => text(core._coreBoxName(rank)),
    boxResponse: (rank) => text(core._coreBoxResponse(rank)),
    boxRight: (rank) => core._coreBoxRight(rank) === 1,
    suspendData: () => text(core._coreSuspendData()),
    suspendedBoxes: () => core._coreSuspendedBoxes(),
    restoreSuspended: (kept) => withText(kept, (at) => core._coreRestoreSuspended(at)),
    verdictOf: (stored, typed) =>
      withBytes(stored, (s) => withBytes(typed, (t) => text(core._coreVerdictOf(s, t)))),
  };
}
