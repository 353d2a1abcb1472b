// One entry as a form, its media shown large, for careful work: the same
// fields as its table row, kept in step with it.
function renderEntryForm() {
  const form = document.getElementById('entry-form');
  const entry = studio.selected;
  const quiz = workspace.quiz;
  if (entry < 1 || entry > quiz.entries.length) {
    form.replaceChildren(el('p', { text: 'Aucune entrée choisie.' }));
    return;
  }
  const parts = [el('h2', { text: 'Entrée ' + entry })];
  for (const field of quizShape(quiz).fields) {
    parts.push(shapeField(entry, field));
    if (field.answer !== undefined) parts.push(trialField(entry, field.answer));
  }
  const holder = el('div', { dataset: { entry: String(entry) }, className: 'form-fields' }, parts);
  form.replaceChildren(holder);
  markProblems(form);
}
