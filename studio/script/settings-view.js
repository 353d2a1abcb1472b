// The quiz's settings: its texts, kind, answers per entry, reveal, board
// colour, reward codes and link, and the name its files are saved under.
function choiceField(field, label, choices, onChoose) {
  const id = 'f' + (++studio.controlCount);
  const select = el('select', { id, dataset: { field }, onchange: (event) => onChoose(event.target.value) },
    Object.entries(choices).map(([value, name]) => el('option', { value, text: name })));
  select.value = String(workspace.quiz[field]);
  return el('div', { className: 'field' }, el('label', { for: id, text: label }), select, el('div', { className: 'field-problems' }));
}

// A setting that reshapes every entry (kind, answers, reveal).
function chooseShape(field, value) {
  change((quiz) => {
    quiz[field] = field === 'answersPerEntry' ? Number(value) : value;
    reshapeEntries(quiz);
  });
}

function colourField() {
  const colour = workspace.quiz.boardColour;
  const valid = studio.builder.settingPasses('boardColour', colour);
  const picker = el('input', {
    type: 'color', 'aria-label': 'Choisir la couleur', value: valid ? colour.toLowerCase() : '#ffffff',
    onchange: (event) => change((quiz) => { quiz.boardColour = event.target.value.toUpperCase(); }),
  });
  const field = textField(0, 'boardColour', 'Couleur du plateau (#RRVVBB)', { counted: false });
  field.insertBefore(picker, field.querySelector('.field-problems'));
  // Set through the style object: the page's policy refuses style attributes.
  const swatch = el('span', { className: 'swatch', 'aria-hidden': 'true' });
  if (valid) swatch.style.background = colour;
  field.append(swatch);
  return field;
}

function codesField() {
  const id = 'f' + (++studio.controlCount);
  const codes = el('textarea', {
    id, rows: 3, dataset: { field: 'codes' }, value: workspace.quiz.codes.join('\n'),
    oninput: (event) => typeInto('0:codes', () => {
      workspace.quiz.codes = event.target.value === '' ? [] : event.target.value.split('\n');
    }),
    onblur: endTyping,
  });
  return el('div', { className: 'field wide' },
    el('label', { for: id, text: 'Codes de récompense, un par ligne (le premier dès 1 point, le deuxième dès 2, …)' }),
    codes, el('div', { className: 'field-problems' }));
}

function nameField() {
  const id = 'f' + (++studio.controlCount);
  return el('div', { className: 'field' }, el('label', { for: id, text: 'Nom des fichiers enregistrés' }),
    el('input', {
      id, type: 'text', value: workspace.name, dataset: { setting: 'name' },
      oninput: (event) => typeInto('name', () => { workspace.name = event.target.value; }),
      onblur: endTyping,
    }));
}

function renderSettings() {
  const quiz = workspace.quiz;
  const parts = [
    textField(0, 'title', 'Titre'),
    textField(0, 'author', 'Auteur'),
    textField(0, 'description', 'Description (une ligne sous le titre)'),
    textField(0, 'link', 'Lien (http://, https:// ou mailto:)'),
    choiceField('kind', 'Genre de quiz', kindNames, (value) => chooseShape('kind', value)),
    choiceField('answersPerEntry', 'Réponses par entrée', { 1: 'Une', 2: 'Deux' }, (value) => chooseShape('answersPerEntry', value)),
    choiceField('reveal', 'Révélé quand tout est juste', revealNames, (value) => chooseShape('reveal', value)),
  ];
  if (quiz.answersPerEntry === 2)
    parts.push(textField(0, 'answerLabels[0]', 'Titre de la 1re réponse'), textField(0, 'answerLabels[1]', 'Titre de la 2e réponse'));
  parts.push(colourField(), codesField(), nameField());
  document.getElementById('settings-fields').replaceChildren(...parts);
}
