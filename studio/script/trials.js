// Answer trials: what a player might type, judged by the player's own
// rules against the entry's answer, so an answer too hard to hit is seen
// before publishing. Trials are the author's scratch, not the quiz's: they
// are held by the entry itself (its record, not its row number), so they
// follow it when it moves, go with it when it is deleted, and stay with
// its quiz when another is opened; undo and redo carry them along.
const entryTrials = new WeakMap();

function trialsOf(entry) {
  let trials = entryTrials.get(entry);
  if (!trials) entryTrials.set(entry, (trials = []));
  return trials;
}

// The trials of every entry, in order, for the history to keep.
function keptTrials(entries) {
  return entries.map((entry) => (entryTrials.has(entry) ? [...entryTrials.get(entry)] : null));
}

function giveBackTrials(entries, kept) {
  entries.forEach((entry, at) => kept && kept[at] && entryTrials.set(entry, [...kept[at]]));
}

function trialText(entry, answer) {
  const record = workspace.quiz.entries[entry - 1];
  return (record && trialsOf(record)[answer]) || '';
}

function showVerdict(entry, answer, output) {
  const typed = trialText(entry, answer);
  const stored = valueAt(workspace.quiz.entries[entry - 1] || {}, 'answers[' + answer + ']');
  output.textContent = typed === '' ? '' : studio.builder.trialVerdict(stored, typed);
  output.dataset.verdict = output.textContent;
}

function trialField(entry, answer) {
  const output = el('output', { className: 'verdict', 'aria-live': 'polite' });
  const input = el('input', {
    type: 'text', dataset: { trial: String(answer) }, value: trialText(entry, answer),
    'aria-label': 'Essai de la réponse ' + (answer + 1) + ' de l’entrée ' + entry,
    placeholder: 'Essayer…',
    oninput: (event) => {
      const record = workspace.quiz.entries[entry - 1];
      if (record) trialsOf(record)[answer] = event.target.value;
      syncTrialInputs(entry, answer, event.target);
      showVerdict(entry, answer, output);
    },
  });
  queueMicrotask(() => showVerdict(entry, answer, output));
  return el('div', { className: 'trial' }, input, output);
}

// The table and the form both show the chosen entry's trials.
function syncTrialInputs(entry, answer, typedIn) {
  for (const input of document.querySelectorAll('[data-entry="' + entry + '"] [data-trial="' + answer + '"]'))
    if (input !== typedIn) {
      input.value = typedIn.value;
      showVerdict(entry, answer, input.parentElement.querySelector('output'));
    }
}

// An answer changed: its trials are judged again.
function refreshVerdicts(root = document) {
  for (const output of root.querySelectorAll('.trial output')) {
    const row = output.closest('[data-entry]');
    const input = output.parentElement.querySelector('[data-trial]');
    if (row && Number(row.dataset.entry) <= workspace.quiz.entries.length)
      showVerdict(Number(row.dataset.entry), Number(input.dataset.trial), output);
  }
}
