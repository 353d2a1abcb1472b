// Shows what the core says of the boxes: each verdict and its colour, an
// entry's reveal, the score and the reward code. The core reads the boxes
// as the player does, every box as it stands now.

function showVerdict(page, rank) {
  const verdict = page.verdictOf[rank];
  verdict.textContent = page.quiz.verdict(rank);
  const colour = page.quiz.verdictColour(rank);
  if (colour < 0) verdict.style.removeProperty('background-color');
  else verdict.style.backgroundColor = cssColour(colour);
}

function showReveal(page, rank, action) {
  const entry = entryOf(page, rank);
  const explanation = page.explanationOf[entry];
  if (action === Reveal.Shown) {
    // An answer picture stays once shown, as in the player.
    if (page.revealsPicture && !page.answerShown[entry]) {
      page.answerShown[entry] = true;
      showMedia(page, entry);
      wantMedia(page, entry);
    }
    if (page.revealsText) explanation.textContent = page.quiz.entryText(entry, 1);
  } else if (action === Reveal.Hidden && explanation) {
    explanation.textContent = '';
  }
}

function showScore(page) {
  page.score.textContent = page.quiz.scoreText();
  page.code.textContent = page.quiz.rewardCode();
}

// Judges one box and shows what the core says of it.
function showJudged(page, rank) {
  showReveal(page, rank, page.quiz.judge(rank));
  showVerdict(page, rank);
}

// The core judges a box with the other boxes of its entry as they stand.
function judge(page, rank) {
  const first = (entryOf(page, rank) - 1) * page.perEntry + 1;
  passBoxes(page, first, first + page.perEntry - 1);
  showJudged(page, rank);
  showScore(page);
  reportToPlatform(page, [rank]);
}

// The box as a screen reader names it: its entry, and which answer when
// the entry has two.
function spokenBoxName(page, rank) {
  const entry = entryOf(page, rank);
  return 'Entrée ' + entry + (page.perEntry === 2 ? ', réponse ' + (rank - (entry - 1) * page.perEntry) : '');
}

const scoreAnnounced = (page) =>
  'Score' + page.score.textContent + (page.code.textContent ? ', code ' + page.code.textContent : '');

// Judges a box the pupil left or confirmed and tells a screen reader what
// changed, once: the box's new verdict, and the score and code if they moved.
function judgeAndAnnounce(page, rank) {
  const verdictBefore = page.verdictOf[rank].textContent;
  const scoreBefore = scoreAnnounced(page);
  judge(page, rank);
  const said = [];
  const verdict = page.verdictOf[rank].textContent;
  if (verdict && verdict !== verdictBefore) said.push(spokenBoxName(page, rank) + ' : ' + verdict);
  if (scoreAnnounced(page) !== scoreBefore) said.push(scoreAnnounced(page));
  if (said.length) page.announce.textContent = said.join('. ');
}

function judgeAll(page) {
  passBoxes(page, 1, page.boxes);
  for (let rank = 1; rank <= page.boxes; ++rank) showJudged(page, rank);
  showScore(page);
}

// The core says which boxes the text of this one goes to.
function spread(page, rank) {
  const text = page.boxOf[rank].value;
  passBoxes(page, 1, page.boxes);
  page.quiz.spread(rank);
  const reached = [];
  for (let other = 1; other <= page.boxes; ++other) {
    if (!page.quiz.spreadReached(other)) continue;
    page.boxOf[other].value = text;
    showJudged(page, other);
    reached.push(other);
  }
  showScore(page);
  reportToPlatform(page, reached);
  keep(page);
  page.announce.textContent = scoreAnnounced(page);
}

// Fills the boxes with what the core holds, and judges them all.
function showRestored(page) {
  for (let rank = 1; rank <= page.boxes; ++rank) page.boxOf[rank].value = page.quiz.boxText(rank);
  judgeAll(page);
}

// Fills the boxes from an answers file, as the core read it.
function restore(page, bytes) {
  page.quiz.restore(bytes);
  showRestored(page);
  reportToPlatform(page, []);
}
