// Starts the studio: the builder, the layout, the draft kept last time,
// and what follows every change.
function renderAll() {
  renderSettings();
  renderTable();
  renderEntryForm();
  afterChange('text');
}

// The field being typed in, to be focused again once the views are redrawn.
function focusedPlace() {
  const active = document.activeElement;
  if (!active || !active.dataset || !active.dataset.field) return null;
  const holder = active.closest('[data-entry]');
  const view = ['#entry-table', '#entry-form', '#settings-fields'].find((selector) => active.closest(selector));
  return { scope: holder ? view + ' [data-entry="' + holder.dataset.entry + '"]' : view, field: active.dataset.field };
}

function focusPlace(place) {
  const control = place && document.querySelector(place.scope + ' [data-field="' + place.field + '"]');
  if (control) control.focus();
}

// After a change: the checks, their marks, the verdicts, the preview, the draft.
function afterChange(what) {
  const started = performance.now();
  if (what !== 'text') {
    const place = focusedPlace();
    studio.selected = Math.max(1, Math.min(studio.selected, workspace.quiz.entries.length));
    renderSettings();
    renderTable();
    renderEntryForm();
    focusPlace(place);
  } else syncFieldValues();
  runChecks(studio.builder);
  renderProblems();
  refreshVerdicts();
  document.querySelector('[data-action=undo]').disabled = workspace.past.length === 0;
  document.querySelector('[data-action=redo]').disabled = workspace.future.length === 0;
  schedulePreview();
  keepDraft();
  performance.measure('studio-change', { start: started });
}

function beginNewQuiz(kind) {
  replaceWork(newQuiz(kind), new Map(), 'quiz');
  say('Nouveau quiz (' + kindNames[kind] + ') : le précédent est gardé dans Mes quiz, et Annuler le reprend.');
}

// A builder that ran out of memory is not used again: a fresh one takes its place.
async function reloadBuilder() {
  builderLoading = null;
  studio.builder = await loadBuilder();
  checking.synced = new Map();
  forgetPlayerInBuilder();
}

function warnBeforeLeaving(event) {
  if (workspace.saved) return;
  event.preventDefault();
  event.returnValue = '';
}

async function startStudio() {
  studio.builder = await loadBuilder();
  studio.player = playerBytes();
  workspace.quiz = newQuiz('text');
  buildLayout();
  workspace.listeners.push(afterChange);
  document.addEventListener('keydown', onStudioKey);
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', dropOnStudio);
  window.addEventListener('beforeunload', warnBeforeLeaving);
  await openDraftStore();
  const draft = await loadDraft();
  if (draft) {
    resumeWork(draft);
    say('Votre brouillon a été repris tel que vous l’aviez laissé.');
  }
  document.querySelector('main.work').classList.add('with-preview');
  renderAll();
  document.documentElement.dataset.studio = 'ready';
  performance.mark('studio-ready');
}

function showStartFailure(error) {
  document.documentElement.dataset.studio = 'failed';
  document.getElementById('studio').replaceChildren(el('p', { text: 'Le studio n’a pas pu démarrer : ' + error.message }));
}

startStudio().catch(showStartFailure);
