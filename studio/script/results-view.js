// A class's results: the answers files pupils saved, judged against the
// quiz in the studio by the builder's own `results` command. The view
// shows what the command says (verdicts, scores, codes, shares), sortable
// by pupil and by score, and exports the command's CSV, byte for byte.
const resultsFolder = 'resultats/';
const resultsName = 'classe.csv';
const resultsView = { table: null, csv: null, sortKey: 'pupil', sortDown: false };

function resultsOf(builder, names) {
  const args = ['results', descriptionName, ...names, '-o', resultsName];
  const run = builder.run(args);
  const csv = run.written[resultsName];
  builder.removeFile(resultsName);
  if (run.exitCode !== 0 || !csv) return { problem: utf8Decoder.decode(run.stderr) || 'Le constructeur n’a rien écrit.' };
  return { csv, table: builder.resultsTable(args).table };
}

async function openResults(input) {
  const files = [...(input.files || [])];
  input.value = '';
  if (files.length === 0 || exportRefused()) return;
  const builder = studio.builder;
  const names = [];
  for (const file of files) {
    names.push(resultsFolder + file.name);
    builder.putFile(names[names.length - 1], new Uint8Array(await file.arrayBuffer()));
  }
  const made = resultsOf(builder, names);
  for (const name of names) builder.removeFile(name);
  if (made.problem) {
    say(made.problem, 'problem');
    return;
  }
  Object.assign(resultsView, { table: made.table, csv: made.csv });
  renderResults();
  say('Résultats de ' + files.length + ' fichier(s) de réponses.');
}

function sortedPupils() {
  const pupils = [...resultsView.table.pupils];
  const byPupil = (a, b) => a.pupil.localeCompare(b.pupil, 'fr');
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

function pupilRow(pupil) {
  if (!pupil.matches)
    return el('tr', { className: 'other-quiz' }, el('th', { scope: 'row', text: pupil.pupil }),
      el('td', { colspan: resultsView.table.boxes.length + 2, text: pupil.note }));
  return el('tr', {}, el('th', { scope: 'row', text: pupil.pupil }), el('td', { text: String(pupil.score) }),
    el('td', { text: pupil.code }),
    pupil.boxes.map((box) => el('td', { dataset: { verdict: box.verdict } },
      el('span', { className: 'verdict', text: box.verdict }), ' ', el('span', { className: 'typed', text: box.typed }))));
}

function renderResults() {
  const section = document.getElementById('results');
  const { table } = resultsView;
  section.hidden = false;
  const head = el('tr', {}, el('th', { scope: 'col' }, sortButton('pupil', 'Élève')),
    el('th', { scope: 'col' }, sortButton('score', 'Score')), el('th', { scope: 'col', text: 'Code' }),
    table.boxes.map((name) => el('th', { scope: 'col', text: name })));
  const shares = el('tr', { className: 'shares' }, el('th', { scope: 'row', text: 'réussite' }), el('td'), el('td'),
    table.shares.map((share) => el('td', { text: share })));
  document.getElementById('results-table').replaceChildren(el('thead', {}, head),
    el('tbody', {}, sortedPupils().map(pupilRow)), el('tfoot', {}, shares));
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
    el('div', { className: 'table-scroll' }, el('table', { id: 'results-table' })));
}
