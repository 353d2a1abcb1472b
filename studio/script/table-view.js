// The entries as a table, one row each: cells edit in place; rows are
// added, deleted, duplicated and moved with the buttons, the keyboard
// (Alt+↑, Alt+↓) or by dragging; rows pasted from a spreadsheet become
// entries; files dropped or pasted on a row become its media.
// The control of one field of the quiz's shape: a text or a media file.
function shapeField(entry, field, options) {
  return field.file ? mediaField(entry, field.field) : textField(entry, field.field, field.label, options);
}

// A column per field of the quiz's shape, then the answers' trials.
function tableColumns() {
  const fields = quizShape().fields;
  const answers = fields.filter((field) => field.answer !== undefined).map((field) => field.answer);
  const columns = fields.map((field) => ({ heading: field.label, cell: (entry) => shapeField(entry, field, { hideLabel: true }) }));
  columns.push({ heading: 'Essai', cell: (entry) => answers.map((answer) => trialField(entry, answer)) });
  return columns;
}

function entryRow(entry, columns) {
  const row = el('tr', {
    dataset: { entry: String(entry) }, draggable: 'true',
    className: entry === studio.selected ? 'selected' : undefined,
    onfocusin: () => selectEntry(entry),
    onclick: () => selectEntry(entry),
    ondragstart: (event) => event.dataTransfer.setData('application/x-quizz-entry', String(entry)),
    ondragover: (event) => event.preventDefault(),
    ondrop: (event) => dropOnRow(entry, event),
  }, el('th', { scope: 'row', text: String(entry) }), columns.map((column) => el('td', {}, column.cell(entry))));
  return row;
}

function renderTable() {
  const columns = tableColumns();
  const head = el('tr', {}, el('th', { scope: 'col', text: 'N°' }), columns.map((column) => el('th', { scope: 'col', text: column.heading })));
  const rows = workspace.quiz.entries.map((_, index) => entryRow(index + 1, columns));
  document.getElementById('entry-table').replaceChildren(el('thead', {}, head), el('tbody', {}, rows));
  document.getElementById('media-total').textContent = mediaTotalText();
}

function selectEntry(entry) {
  if (studio.selected === entry) return;
  studio.selected = entry;
  for (const row of document.querySelectorAll('#entry-table tr[data-entry]'))
    row.classList.toggle('selected', Number(row.dataset.entry) === entry);
  renderEntryForm();
}

function dropOnRow(entry, event) {
  event.preventDefault();
  const moved = event.dataTransfer.getData('application/x-quizz-entry');
  event.stopPropagation();
  if (moved) moveEntry(Number(moved), entry);
  else if (event.dataTransfer.files.length > 1) dropMediaAfter(entry, event);
  else takeMediaFiles(entry, [...event.dataTransfer.files]);
}

function addEntry() {
  change((quiz) => quiz.entries.splice(studio.selected, 0, blankEntry(quiz)));
  selectEntry(Math.min(studio.selected + 1, workspace.quiz.entries.length));
  focusEntry(studio.selected);
}

function duplicateEntry() {
  change((quiz) => quiz.entries.splice(studio.selected, 0, JSON.parse(JSON.stringify(quiz.entries[studio.selected - 1]))));
  selectEntry(studio.selected + 1);
}

function deleteEntry() {
  if (workspace.quiz.entries.length === 0) return;
  change((quiz) => quiz.entries.splice(studio.selected - 1, 1));
  studio.selected = Math.max(1, Math.min(studio.selected, workspace.quiz.entries.length));
  renderEntryForm();
}

function moveEntry(from, to) {
  const count = workspace.quiz.entries.length;
  if (from < 1 || to < 1 || from > count || to > count || from === to) return;
  change((quiz) => quiz.entries.splice(to - 1, 0, quiz.entries.splice(from - 1, 1)[0]));
  studio.selected = to;
  focusEntry(to);
}

function focusEntry(entry) {
  const row = document.querySelector('#entry-table tr[data-entry="' + entry + '"]');
  const control = row && row.querySelector('input[type=text], textarea');
  if (control) control.focus();
}

// Tab-separated rows (a spreadsheet's copy) become entries after the chosen
// one, their columns the table's text columns in order (clue of a text
// quiz, answers, revealed text).
function pastedEntries(text) {
  const quiz = workspace.quiz;
  const keys = quizShape(quiz).fields.filter((field) => !field.file).map((field) => field.field);
  return text.replace(/\r\n?/g, '\n').replace(/\n$/, '').split('\n').map((line) => {
    const entry = blankEntry(quiz);
    line.split('\t').forEach((cell, column) => column < keys.length && setValueAt(entry, keys[column], cell));
    return entry;
  });
}

function pasteOnTable(event) {
  const row = event.target.closest && event.target.closest('tr[data-entry]');
  const files = [...event.clipboardData.files];
  if (files.length > 0 && row) {
    event.preventDefault();
    takeMediaFiles(Number(row.dataset.entry), files);
    return;
  }
  const text = event.clipboardData.getData('text/plain');
  if (!text.includes('\t') && !text.includes('\n')) return;
  event.preventDefault();
  const entries = pastedEntries(text);
  change((quiz) => {
    // A new quiz's one empty entry gives way to the pasted ones, whatever
    // keys it kept from the kind the quiz had before.
    const onlyBlank = quiz.entries.length === 1 && Object.values(quiz.entries[0]).flat().every((value) => value === '');
    if (onlyBlank) quiz.entries = entries;
    else quiz.entries.splice(studio.selected, 0, ...entries);
  });
  say(entries.length + ' entrée(s) collée(s) après l’entrée ' + studio.selected + '.');
}
