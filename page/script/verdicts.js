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
    if (page.revealsPicture && page.media.answer[entry]) page.pictureOf[entry].src = page.media.answer[entry];
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
  page.announce.textContent = 'Score' + page.quiz.scoreText();
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
