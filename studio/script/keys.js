// The studio's keys: Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) undo and redo
// every change, typing included; Alt+↑ and Alt+↓ move the chosen entry.
function onStudioKey(event) {
  const key = event.key.toLowerCase();
  if ((event.ctrlKey || event.metaKey) && !event.altKey) {
    if (key === 'z' && !event.shiftKey) return handled(event, undo);
    if (key === 'y' || (key === 'z' && event.shiftKey)) return handled(event, redo);
  }
  if (event.altKey && !event.ctrlKey && event.target.closest && event.target.closest('#entry-table, #entry-form')) {
    if (event.key === 'ArrowUp') return handled(event, () => moveEntry(studio.selected, studio.selected - 1));
    if (event.key === 'ArrowDown') return handled(event, () => moveEntry(studio.selected, studio.selected + 1));
  }
}

function handled(event, action) {
  event.preventDefault();
  action();
}
