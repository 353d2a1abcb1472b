// The controls that edit a text of the quiz. A field is named as the
// builder's messages name it ("title", "answerLabels[1]", and within an
// entry "answers[0]", "clue"); its control carries that name in
// data-field, inside an element whose data-entry gives the entry (from 1).
function fieldParts(field) {
  const match = /^([A-Za-z]+)(?:\[(\d+)\])?$/.exec(field);
  return match ? [match[1], match[2] === undefined ? -1 : Number(match[2])] : [field, -1];
}

function valueAt(holder, field) {
  const [key, index] = fieldParts(field);
  const value = index < 0 ? holder[key] : Array.isArray(holder[key]) ? holder[key][index] : undefined;
  return value === undefined || value === null ? '' : typeof value === 'string' ? value : JSON.stringify(value);
}

function setValueAt(holder, field, value) {
  const [key, index] = fieldParts(field);
  if (index < 0) {
    holder[key] = value;
    return;
  }
  if (!Array.isArray(holder[key])) holder[key] = [];
  while (holder[key].length <= index) holder[key].push('');
  holder[key][index] = value;
}

function holderOf(entry) {
  return entry > 0 ? workspace.quiz.entries[entry - 1] : workspace.quiz;
}

// "12 / N caractères", N being the builder's limit, or the character that
// stops the text being stored: the builder sizes the text once per
// keystroke (a Windows-1252 character is one byte).
function showCount(control) {
  const count = control.parentElement.querySelector('.count');
  if (!count) return;
  const bytes = studio.builder.textBytes(control.value);
  const limit = builderLimits().textLength;
  const outside = bytes < 0 ? studio.builder.characterOutside(control.value) : '';
  count.textContent = bytes >= 0 ? bytes + ' / ' + limit + ' caractères'
    : outside ? 'caractère « ' + outside + ' » hors Windows-1252' : 'caractère hors Windows-1252';
  count.classList.toggle('over', bytes < 0 || bytes > limit);
}

// A labelled text control for `field` of entry `entry` (0: the quiz).
function textField(entry, field, label, options = {}) {
  const id = 'f' + (++studio.controlCount);
  const control = el(options.multiline ? 'textarea' : 'input', {
    id,
    type: options.multiline ? undefined : 'text',
    dataset: { field },
    value: valueAt(holderOf(entry), field),
    'aria-label': options.hideLabel ? label : undefined,
    oninput: (event) => typedIn(entry, field, event.target),
    onblur: endTyping,
    placeholder: options.placeholder,
  });
  const parts = [control, options.counted === false ? null : el('small', { className: 'count', 'aria-live': 'off' })];
  const wrapper = el('div', { className: 'field' }, options.hideLabel ? null : el('label', { for: id, text: label }), parts, el('div', { className: 'field-problems' }));
  if (options.counted !== false) queueMicrotask(() => showCount(control));
  return wrapper;
}

function typedIn(entry, field, control) {
  typeInto(entry + ':' + field, () => setValueAt(holderOf(entry), field, control.value));
  showCount(control);
}

// The controls of one field in both views hold the same text, but the one
// being typed in is left alone.
function syncFieldValues(root = document) {
  for (const control of root.querySelectorAll('[data-field]')) {
    if (control === document.activeElement || !('value' in control) || control.type === 'file') continue;
    const holder = control.closest('[data-entry]');
    const entry = holder ? Number(holder.dataset.entry) : 0;
    if (entry > workspace.quiz.entries.length) continue;
    const value = control.dataset.field === 'codes' ? workspace.quiz.codes.join('\n') : valueAt(holderOf(entry), control.dataset.field);
    if (control.value !== value) {
      control.value = value;
      showCount(control);
    }
  }
}
