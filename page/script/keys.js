// The board's keys as the player's: Enter judges the box, Tab judges it and
// moves on (wrapping at either end), F1 spreads its text; leaving a box
// judges it, typing keeps the answers, and the spread button spreads from
// the last box used.

const rankOf = (event) => Number(event.target.dataset && event.target.dataset.rank);

function onKeyUp(page, event) {
  const rank = rankOf(event);
  if (!rank) return;
  if (event.key === 'Enter') {
    judgeAndAnnounce(page, rank);
  } else if (event.key === 'Tab') {
    judgeAndAnnounce(page, rank);
    page.boxOf[page.quiz.tabTarget(rank, event.shiftKey)].focus();
  } else if (event.key === 'F1') {
    spread(page, rank);
  }
}

function wireKeys(page, board) {
  board.addEventListener('focusin', (event) => {
    const box = event.target;
    if (!box.dataset || !box.dataset.rank) return;
    page.lastBox = box;
    box.setSelectionRange(0, 25);
  });
  board.addEventListener('focusout', (event) => {
    const rank = rankOf(event);
    if (rank) judgeAndAnnounce(page, rank);
  });
  board.addEventListener('input', () => keep(page));
  // The browser's own Enter, Tab and F1 would move the focus or open its help.
  board.addEventListener('keydown', (event) => {
    if (!event.target.dataset || !event.target.dataset.rank) return;
    if (event.key === 'Enter' || event.key === 'Tab' || event.key === 'F1') event.preventDefault();
  });
  board.addEventListener('keyup', (event) => onKeyUp(page, event));
  page.tools.spread.addEventListener('click', () => {
    if (!page.lastBox) return;
    spread(page, Number(page.lastBox.dataset.rank));
    page.lastBox.focus();
  });
}
