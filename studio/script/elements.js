// Markup made from code: every text an author or a file brings is set as
// text, never as markup.
function el(tag, properties = {}, ...children) {
  const element = document.createElement(tag);
  for (const [key, value] of Object.entries(properties)) {
    if (value === undefined || value === null || value === false) continue;
    if (key === 'text') element.textContent = value;
    else if (key === 'className') element.className = value;
    else if (key === 'dataset') Object.assign(element.dataset, value);
    else if (key.startsWith('on')) element.addEventListener(key.slice(2), value);
    else if (key === 'value') element.value = value;
    else element.setAttribute(key, value === true ? '' : value);
  }
  for (const child of children.flat())
    if (child !== null && child !== undefined && child !== false)
      element.append(typeof child === 'string' ? document.createTextNode(child) : child);
  return element;
}

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

function download(name, bytes, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = el('a', { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}
