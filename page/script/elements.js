// Small helpers for drawing: every quiz text is set as textContent, never
// as markup.

function element(tag, className, text) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

function button(className, text, id) {
  const made = element('button', className, text);
  made.type = 'button';
  if (id) made.id = id;
  return made;
}

// The core's colours are Windows COLORREFs: 0x00BBGGRR.
function cssColour(colourRef) {
  const hex = (value) => value.toString(16).padStart(2, '0');
  return '#' + hex(colourRef & 0xff) + hex((colourRef >> 8) & 0xff) + hex((colourRef >> 16) & 0xff);
}
