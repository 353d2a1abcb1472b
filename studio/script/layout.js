// The studio's frame: the tool bar, the notices, the settings, the
// problems, the table, the form of the chosen entry and the preview.
// "Nouveau quiz" asks for the new quiz's kind when it is used; the open
// quiz's kind is its own setting ("Genre de quiz"), the only kind control.
function newQuizChooser() {
  const choices = el('span', { id: 'new-quiz-kinds', className: 'chooser', role: 'group', 'aria-label': 'Genre du nouveau quiz', hidden: true },
    el('span', { text: 'Genre :' }),
    quizKinds.map((kind) => el('button', { type: 'button', dataset: { action: 'new-kind', kind }, onclick: () => chooseNewKind(kind) }, kindNames[kind])),
    actionButton('new-cancel', 'Annuler', () => showNewQuizChooser(false)));
  return [actionButton('new', 'Nouveau quiz…', () => showNewQuizChooser(true), { 'aria-expanded': 'false', 'aria-controls': 'new-quiz-kinds' }), choices];
}

function showNewQuizChooser(shown) {
  document.getElementById('new-quiz-kinds').hidden = !shown;
  document.querySelector('[data-action=new]').setAttribute('aria-expanded', String(shown));
  if (shown) document.querySelector('[data-action=new-kind]').focus();
}

function chooseNewKind(kind) {
  showNewQuizChooser(false);
  beginNewQuiz(kind);
}

function toolBar() {
  const openInput = el('input', { type: 'file', id: 'open-file', multiple: true, dataset: { action: 'open' }, className: 'visually-hidden', onchange: (event) => openPicked(event.target) });
  const folderInput = el('input', { type: 'file', id: 'open-folder', webkitdirectory: true, dataset: { action: 'open-folder' }, className: 'visually-hidden', onchange: (event) => openPicked(event.target) });
  const resultsInput = el('input', { type: 'file', id: 'open-results', multiple: true, accept: '.txt,text/plain', dataset: { action: 'open-results' }, className: 'visually-hidden', onchange: (event) => openResults(event.target) });
  return el('header', { className: 'tools', role: 'toolbar', 'aria-label': 'Actions' },
    el('h1', { text: 'Quizz Studio' }),
    el('span', { className: 'group' }, newQuizChooser(),
      actionButton('my-quizzes', 'Mes quiz', (event) => toggleMyQuizzes(event.currentTarget), { 'aria-expanded': 'false', 'aria-controls': 'my-quizzes' })),
    el('span', { className: 'group' },
      openInput, el('label', { for: 'open-file', className: 'button' }, 'Ouvrir…'),
      folderInput, el('label', { for: 'open-folder', className: 'button' }, 'Ouvrir un dossier…')),
    el('span', { className: 'group' },
      actionButton('save-description', 'Enregistrer (.zip)', saveDescription),
      actionButton('save-json', 'Enregistrer le JSON seul', saveJson),
      actionButton('save-program', 'Programme (.exe)', saveProgram),
      actionButton('save-page', 'Page web (.html)', savePage),
      actionButton('save-scorm', 'Paquet SCORM (.zip)', saveScorm)),
    el('span', { className: 'group' },
      resultsInput, el('label', { for: 'open-results', className: 'button' }, 'Résultats…')),
    el('span', { className: 'group' },
      actionButton('undo', 'Annuler', undo, { title: 'Ctrl+Z' }),
      actionButton('redo', 'Rétablir', redo, { title: 'Ctrl+Y' }),
      actionButton('preview', 'Aperçu', togglePreview, { 'aria-pressed': 'true' })),
    // The guide is the release's page beside the studio.
    el('a', { href: 'guide.html', target: '_blank', rel: 'noopener', className: 'button', dataset: { action: 'guide' } }, 'Guide de l’auteur'));
}

function entriesSection() {
  const mediaInput = el('input', { type: 'file', id: 'add-media', multiple: true, dataset: { action: 'add-media' }, className: 'visually-hidden', onchange: (event) => addPickedMedia(event.target) });
  return el('section', { className: 'entries', 'aria-labelledby': 'entries-heading' },
    el('h2', { id: 'entries-heading', text: 'Entrées' }),
    el('div', { className: 'row-tools' },
      actionButton('add-entry', 'Ajouter une entrée', addEntry),
      mediaInput, el('label', { for: 'add-media', className: 'button' }, 'Ajouter des médias…'),
      actionButton('duplicate-entry', 'Dupliquer', duplicateEntry),
      actionButton('delete-entry', 'Supprimer', deleteEntry),
      actionButton('move-up', 'Monter', () => moveEntry(studio.selected, studio.selected - 1), { title: 'Alt+↑' }),
      actionButton('move-down', 'Descendre', () => moveEntry(studio.selected, studio.selected + 1), { title: 'Alt+↓' }),
      el('span', { id: 'media-total' })),
    el('p', { className: 'hint', text: 'Collez des lignes copiées d’un tableur pour en faire des entrées ; déposez un fichier sur une ligne pour son média, ou plusieurs images, sons ou clips pour une entrée chacun.' }),
    el('div', { className: 'field-problems', dataset: { for: 'entries' } }),
    el('div', { className: 'table-scroll' }, el('table', { id: 'entry-table', onpaste: pasteOnTable })));
}

function buildLayout() {
  const root = document.getElementById('studio');
  root.replaceChildren(
    toolBar(),
    el('div', { id: 'notice', role: 'status', 'aria-live': 'polite' }),
    el('section', { id: 'my-quizzes', className: 'my-quizzes', 'aria-label': 'Mes quiz', hidden: true }),
    el('main', { className: 'work' },
      el('div', { className: 'editor' },
        el('section', { className: 'settings', 'aria-labelledby': 'settings-heading' },
          el('h2', { id: 'settings-heading', text: 'Réglages du quiz' }), el('div', { id: 'settings-fields' }),
          el('div', { className: 'field-problems', dataset: { for: 'media' } })),
        el('section', { className: 'problems', 'aria-labelledby': 'problem-count' },
          el('h2', { id: 'problem-count' }), el('ul', { id: 'problem-list' }), el('p', { id: 'check-summary', className: 'hint' })),
        entriesSection(),
        resultsSection(),
        el('section', { id: 'entry-form', className: 'entry-form', 'aria-label': 'Entrée choisie' })),
      el('section', { className: 'preview', id: 'preview-pane', 'aria-label': 'Aperçu' },
        el('p', { id: 'preview-state', className: 'hint' }),
        el('iframe', { id: 'preview-frame', title: 'Aperçu du quiz tel que les joueurs le verront' }))));
}
