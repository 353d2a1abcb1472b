// The board: a card per entry with its clue, picture or clip, its answer
// boxes and their verdicts, and a picture quiz's explanation.

// A box and its verdict; two answers to an entry are headed by the quiz's labels.
function answerRow(page, entry, answer, headings) {
  const rank = page.perEntry * (entry - 1) + answer;
  const row = element('div', 'answer');
  const box = element('input', 'box');
  box.type = 'text';
  box.id = 'box-' + rank;
  box.autocomplete = 'off';
  box.spellcheck = false;
  box.dataset.rank = rank;
  const headed = page.perEntry === 2;
  const label = element('label', headed ? 'heading' : 'sr-only', headed ? headings[answer - 1] : 'Réponse ' + entry);
  label.htmlFor = box.id;
  const verdict = element('output', 'verdict');
  verdict.id = 'verdict-' + rank;
  box.setAttribute('aria-describedby', verdict.id);
  row.append(label, box, verdict);
  page.boxOf[rank] = box;
  page.verdictOf[rank] = verdict;
  return row;
}

function answersOf(page, entry, headings) {
  const answers = element('div', 'answers');
  for (let answer = 1; answer <= page.perEntry; ++answer) answers.append(answerRow(page, entry, answer, headings));
  return answers;
}

// The explanation a picture quiz shows once the answer is exact.
function explanationOf(page, entry) {
  const explanation = element('div', 'explanation');
  explanation.setAttribute('aria-live', 'polite');
  page.explanationOf[entry] = explanation;
  return explanation;
}

function entryCard(page, entry, headings) {
  const card = element('section', 'entry');
  card.id = 'entry-' + entry;
  card.dataset.entry = entry;
  card.setAttribute('aria-label', 'Question ' + entry);
  const number = element('span', 'number', entry + '.');
  if (page.kind === Kind.Text) card.append(number, element('span', 'clue', page.quiz.entryText(entry, 0)));
  else if (page.kind === Kind.Picture) card.append(pictureSquare(page, entry), number);
  else appendClip(page, card, entry, number);
  card.append(answersOf(page, entry, headings));
  if (page.kind === Kind.Picture) card.append(explanationOf(page, entry));
  return card;
}

function boardOf(page) {
  const board = element('main', 'board');
  board.id = 'board';
  const headings = [page.quiz.headerText(3), page.quiz.headerText(4)];
  for (let entry = 1; entry <= page.entries; ++entry) board.append(entryCard(page, entry, headings));
  page.lastBox = page.boxOf[1];
  return board;
}
