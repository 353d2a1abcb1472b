// Markup made from code: every text a quiz, an author or a file brings is
// set as text, never as markup.
// el(tag, { text, className, dataset, onEVENT, value, other attributes }, ...children);
// a property left undefined, null or false is not set.
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
