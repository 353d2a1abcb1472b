// Bytes handed to the browser as a file to save (uses el, from elements.js).
// The address is let go a minute later: the browser may still be reading it
// when the click returns.
function download(name, bytes, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = el('a', { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}
