// The builder's problems and warnings, each at its field (the cell or the
// control) and in one list whose items jump to it. Each carries in
// data-problem the line `quizbuild check` prints.
function problemLine(problem) {
  return el('p', { className: problem.warning ? 'problem warning' : 'problem', dataset: { problem: problem.line }, text: problem.line });
}

// Where a field's problems go: the field's own slot, or one named by data-for.
function slotPlace(slot) {
  const holder = slot.closest('[data-entry]');
  const control = slot.dataset.for ? null : slot.parentElement.querySelector('[data-field]');
  return { entry: holder ? Number(holder.dataset.entry) : 0, field: slot.dataset.for || (control ? control.dataset.field : '') };
}

function markProblems(root = document) {
  for (const slot of root.querySelectorAll('.field-problems')) {
    const place = slotPlace(slot);
    const problems = problemsAt(place.entry, place.field);
    slot.replaceChildren(...problems.map(problemLine));
    const control = slot.parentElement.querySelector('[data-field]');
    if (control && !slot.dataset.for) control.setAttribute('aria-invalid', String(problems.some((problem) => !problem.warning)));
  }
}

function jumpTo(problem) {
  if (problem.entry > 0) selectEntry(problem.entry);
  const scope = problem.entry > 0 ? '#entry-form [data-entry="' + problem.entry + '"]' : '#settings-fields';
  const control = document.querySelector(scope + ' [data-field="' + (problem.field || 'title') + '"]')
    || document.querySelector('#entry-table tr[data-entry="' + problem.entry + '"] [data-field]');
  if (control) control.focus();
}

function renderProblems() {
  const errors = checking.problems.filter((problem) => !problem.warning).length;
  const warnings = checking.problems.length - errors;
  const heading = errors + warnings === 0
    ? 'Aucun problème : le quiz peut être enregistré et publié.'
    : errors + ' problème(s), ' + warnings + ' avertissement(s)' + (errors ? ' : à corriger avant de publier.' : '.');
  const items = checking.problems.map((problem) =>
    el('li', {}, el('button', { type: 'button', className: 'jump', dataset: { problem: problem.line }, onclick: () => jumpTo(problem), text: problem.line })));
  document.getElementById('problem-count').textContent = heading;
  document.getElementById('problem-list').replaceChildren(...items);
  document.getElementById('check-summary').textContent = checking.summary;
  markProblems();
}
