// Small helpers for drawing: every quiz text is set as textContent, never
// as markup.

// The page's shorthand for el (web/elements.js): most of its elements are a
// class and a text.
function element(tag, className, text) {
  return el(tag, { className: className || undefined, text });
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
