// The page's one record: the core's calls, the quiz's shape, the media's
// addresses and the elements the views draw into. What the boxes hold is
// in the boxes and the core; no part keeps a copy of its own.

const Kind = { Text: 0, Picture: 1, Sound: 2, Video: 3 };
// How a picture quiz shows an exact answer (the core's reveal kind).
const RevealKind = { Picture: 1, Text: 2 };
// What the core's judge says to do with the entry's reveal.
const Reveal = { Shown: 1, Hidden: 2 };

function pageStateOf(quiz, data, media) {
  const kind = quiz.kind();
  const entries = quiz.entryCount();
  const perEntry = quiz.answersPerEntry();
  return {
    quiz,
    kind,
    entries,
    perEntry,
    boxes: entries * perEntry,
    revealsPicture: kind === Kind.Picture && quiz.revealKind() === RevealKind.Picture,
    revealsText: kind === Kind.Picture && quiz.revealKind() === RevealKind.Text,
    media,
    storageKey: data.key,
    answersFileName: data.answersFile,
    // The quiz's link, else the build's address (the builder chose); empty: none.
    link: data.link || '',
    // Elements by entry or box rank (from 1), drawn by the header and board.
    boxOf: [],
    verdictOf: [],
    pictureOf: [],
    clipOf: [],
    // Entries whose answer picture was shown: it stays, as in the player.
    answerShown: [],
    explanationOf: [],
    score: null,
    code: null,
    tools: null,
    announce: null,
    // The box the spread button spreads from.
    lastBox: null,
    // The school platform's connection (platform.js), when the page runs in one.
    platform: null,
    platformNote: null,
  };
}

const entryOf = (page, rank) => Math.floor((rank - 1) / page.perEntry) + 1;

// Hands the core what boxes first to last hold: it judges, spreads and
// writes the answers file from the core's copy.
function passBoxes(page, first, last) {
  for (let rank = first; rank <= last; ++rank) page.quiz.setBox(rank, page.boxOf[rank].value);
}
