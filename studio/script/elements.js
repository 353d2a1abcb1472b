// The studio's own helpers for drawing, over el (web/elements.js).

function actionButton(action, label, onClick, extra = {}) {
  return el('button', { type: 'button', dataset: { action }, onclick: onClick, ...extra }, label);
}

// "12 Ko", "3,4 Mo": sizes as French readers write them.
function sizeText(bytes) {
  if (bytes < 1024) return bytes + ' octets';
  if (bytes < 1024 * 1024) return Math.round(bytes / 1024) + ' Ko';
  return (bytes / (1024 * 1024)).toFixed(1).replace('.', ',') + ' Mo';
}

function say(text, kind = 'info') {
  const notice = document.getElementById('notice');
  notice.replaceChildren(el('p', { className: kind, text }));
}

// Added to what the notice says, as its last sentence.
function sayMore(text) {
  const said = document.querySelector('#notice p:last-child');
  if (said) said.textContent += ' ' + text;
  else say(text);
}
