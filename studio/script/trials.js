// Answer trials: what a player might type, judged by the player's own
// rules against the entry's answer, so an answer too hard to hit is seen
// before publishing. Trials are the author's scratch, not the quiz's.
const trialTexts = new Map();

function showVerdict(entry, answer, output) {
  const typed = trialTexts.get(entry + ':' + answer) || '';
  const stored = valueAt(workspace.quiz.entries[entry - 1] || {}, 'answers[' + answer + ']');
  output.textContent = typed === '' ? '' : studio.builder.trialVerdict(stored, typed);
  output.dataset.verdict = output.textContent;
}

function trialField(entry, answer) {
  const key = entry + ':' + answer;
  const output = el('output', { className: 'verdict', 'aria-live': 'polite' });
  const input = el('input', {
    type: 'text', dataset: { trial: String(answer) }, value: trialTexts.get(key) || '',
    'aria-label': 'Essai de la réponse ' + (answer + 1) + ' de l’entrée ' + entry,
    placeholder: 'Essayer…',
    oninput: (event) => {
      trialTexts.set(key, event.target.value);
      showVerdict(entry, answer, output);
    },
  });
  queueMicrotask(() => showVerdict(entry, answer, output));
  return el('div', { className: 'trial' }, input, output);
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
