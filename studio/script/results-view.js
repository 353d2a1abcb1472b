// A class's results: the answers files pupils saved, judged against the
// quiz in the studio by the builder's own `results` command. The view
// shows what the command says (verdicts, scores, codes, shares), sortable
// by pupil and by score, and exports the command's CSV, byte for byte.
const resultsFolder = 'resultats/';
const resultsName = 'classe.csv';
// Boxes shown at once: a whole class of the largest board, two answers a
// row, would be a table some 60,000 pixels wide, slow to lay out and to read.
const resultsBoxesShown = 30;
const resultsView = { table: null, csv: null, sortKey: 'pupil', sortDown: false, firstBox: 0 };
const pupilOrder = new Intl.Collator('fr');

// The table and the CSV come from one run of the command's own code.
function resultsOf(builder, names) {
  const { table, stderr } = builder.resultsTable(['results', descriptionName, ...names, '-o', resultsName]);
  if (!table) return { problem: utf8Decoder.decode(stderr) || 'Le constructeur n’a rien écrit.' };
  return { csv: new TextEncoder().encode(table.csv), table };
}

async function openResults(input) {
  const files = [...(input.files || [])];
  input.value = '';
  if (files.length === 0 || exportRefused()) return;
  const builder = studio.builder;
  const names = files.map((file) => resultsFolder + file.name);
  const started = performance.now();
  const contents = await Promise.all(files.map((file) => file.arrayBuffer()));
  performance.measure('studio-results-read', { start: started });
  names.forEach((name, at) => builder.putFile(name, new Uint8Array(contents[at])));
  const judged = performance.now();
  const made = resultsOf(builder, names);
  for (const name of names) builder.removeFile(name);
  performance.measure('studio-results-judge', { start: judged });
  if (made.problem) {
    say(made.problem, 'problem');
    return;
  }
  Object.assign(resultsView, { table: made.table, csv: made.csv, firstBox: 0 });
  renderResults();
  say('Résultats de ' + files.length + ' fichier(s) de réponses.');
}

function sortedPupils() {
  const pupils = [...resultsView.table.pupils];
  const byPupil = (a, b) => pupilOrder.compare(a.pupil, b.pupil);
  // A file of another quiz has no score: it goes last either way.
  const byScore = (a, b) => (a.matches !== b.matches ? (a.matches ? -1 : 1) : a.score - b.score) || byPupil(a, b);
  pupils.sort(resultsView.sortKey === 'score' ? byScore : byPupil);
  if (resultsView.sortDown) pupils.reverse();
  return pupils;
}

function sortButton(key, label) {
  const active = resultsView.sortKey === key;
  return actionButton('sort-' + key, label, () => {
    resultsView.sortDown = active ? !resultsView.sortDown : false;
    resultsView.sortKey = key;
    renderResults();
  }, { 'aria-sort': active ? (resultsView.sortDown ? 'descending' : 'ascending') : undefined });
}

// The boxes of the page shown: [first, end).
const shownBoxes = (boxes) => boxes.slice(resultsView.firstBox, resultsView.firstBox + resultsBoxesShown);

function pupilRow(pupil) {
  if (!pupil.matches)
    return el('tr', { className: 'other-quiz' }, el('th', { scope: 'row', text: pupil.pupil }),
      el('td', { colspan: shownBoxes(resultsView.table.boxes).length + 2, text: pupil.note }));
  return el('tr', {}, el('th', { scope: 'row', text: pupil.pupil }), el('td', { text: String(pupil.score) }),
    el('td', { text: pupil.code }),
    shownBoxes(pupil.boxes).map((box) => el('td', { dataset: { verdict: box.verdict } },
      el('span', { className: 'verdict', text: box.verdict }), ' ', el('span', { className: 'typed', text: box.typed }))));
}

function boxPageButton(action, label, first) {
  const count = resultsView.table.boxes.length;
  return actionButton(action, label, () => {
    resultsView.firstBox = first;
    renderResults();
    // The buttons are drawn anew: the focus stays on one of them.
    const again = document.querySelector(`#results-pages [data-action=${action}]:not([disabled])`);
    (again || document.querySelector('#results-pages button:not([disabled])')).focus();
  }, { disabled: first < 0 || first >= count });
}

// "Cases 31 à 60 sur 180", and the buttons to the pages beside it.
function renderBoxPages() {
  const count = resultsView.table.boxes.length;
  const first = resultsView.firstBox;
  const pages = document.getElementById('results-pages');
  if (count <= resultsBoxesShown) return pages.replaceChildren();
  pages.replaceChildren(boxPageButton('results-previous', '‹ Cases précédentes', first - resultsBoxesShown),
    el('span', { text: ' Cases ' + (first + 1) + ' à ' + Math.min(first + resultsBoxesShown, count) + ' sur ' + count + ' ' }),
    boxPageButton('results-next', 'Cases suivantes ›', first + resultsBoxesShown));
}

function renderResults() {
  const section = document.getElementById('results');
  const { table } = resultsView;
  section.hidden = false;
  const head = el('tr', {}, el('th', { scope: 'col' }, sortButton('pupil', 'Élève')),
    el('th', { scope: 'col' }, sortButton('score', 'Score')), el('th', { scope: 'col', text: 'Code' }),
    shownBoxes(table.boxes).map((name) => el('th', { scope: 'col', text: name })));
  const shares = el('tr', { className: 'shares' }, el('th', { scope: 'row', text: 'réussite' }), el('td'), el('td'),
    shownBoxes(table.shares).map((share) => el('td', { text: share })));
  document.getElementById('results-table').replaceChildren(el('thead', {}, head),
    el('tbody', {}, sortedPupils().map(pupilRow)), el('tfoot', {}, shares));
  renderBoxPages();
}

function saveResults() {
  if (!resultsView.csv) return;
  download(resultsName, resultsView.csv, 'text/csv');
  say(resultsName + ' enregistré (' + sizeText(resultsView.csv.length) + ').');
}

function resultsSection() {
  return el('section', { id: 'results', className: 'results', hidden: true, 'aria-labelledby': 'results-heading' },
    el('h2', { id: 'results-heading', text: 'Résultats' }),
    el('div', { className: 'row-tools' }, actionButton('save-results', 'Exporter le tableau (.csv)', saveResults)),
    el('div', { id: 'results-pages', className: 'row-tools' }),
    el('div', { className: 'table-scroll' }, el('table', { id: 'results-table' })));
}
