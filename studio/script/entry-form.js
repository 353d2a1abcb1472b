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
  if (quiz.kind === 'text') parts.push(textField(entry, 'clue', 'Indice'));
  else parts.push(mediaField(entry, 'media'));
  if (quiz.kind === 'video') parts.push(mediaField(entry, 'webClip'));
  for (let answer = 0; answer < quiz.answersPerEntry; answer++) {
    parts.push(textField(entry, 'answers[' + answer + ']', answerHeading(answer)));
    parts.push(trialField(entry, answer));
  }
  if (quiz.reveal === 'text') parts.push(textField(entry, 'revealText', 'Texte révélé'));
  if (quiz.reveal === 'picture') parts.push(mediaField(entry, 'revealPicture'));
  const holder = el('div', { dataset: { entry: String(entry) }, className: 'form-fields' }, parts);
  form.replaceChildren(holder);
  markProblems(form);
}
