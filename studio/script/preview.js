// The quiz page, made from the quiz in the studio by `quizbuild html`, as
// players will see it, refreshed shortly after each change and playable.
const previewName = 'studio-apercu.html';
const previewState = { timer: 0, url: null };

function schedulePreview() {
  clearTimeout(previewState.timer);
  previewState.timer = setTimeout(refreshPreview, 40);
}

function showPreviewPage(bytes) {
  const frame = document.getElementById('preview-frame');
  const old = previewState.url;
  previewState.url = URL.createObjectURL(new Blob([bytes], { type: 'text/html' }));
  frame.src = previewState.url;
  if (old) setTimeout(() => URL.revokeObjectURL(old), 1000);
}

function refreshPreview() {
  if (!studio.previewShown) return;
  const state = document.getElementById('preview-state');
  if (checking.failed) {
    state.textContent = 'L’aperçu attend que les problèmes soient corrigés.';
    return;
  }
  const started = performance.now();
  const result = studio.builder.run(['html', descriptionName, '-o', previewName, '--lang', 'fr']);
  const page = result.written[previewName];
  studio.builder.removeFile(previewName);
  if (result.exitCode !== 0 || !page) {
    state.textContent = utf8Decoder.decode(result.stderr);
    return;
  }
  state.textContent = 'Aperçu de la page web (la même que « Page web »).';
  showPreviewPage(page);
  performance.measure('studio-preview', { start: started });
}

function togglePreview() {
  studio.previewShown = !studio.previewShown;
  document.getElementById('preview-pane').hidden = !studio.previewShown;
  document.querySelector('[data-action=preview]').setAttribute('aria-pressed', String(studio.previewShown));
  document.querySelector('main.work').classList.toggle('with-preview', studio.previewShown);
  schedulePreview();
}
