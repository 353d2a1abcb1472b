// Saves the answers file the core writes as a download, and loads one the
// user picks into the boxes.

function saveAnswersFile(page) {
  keep(page);
  const url = URL.createObjectURL(new Blob([page.quiz.answersFile()], { type: 'text/plain' }));
  const anchor = element('a');
  anchor.href = url;
  anchor.download = page.answersFileName;
  document.body.append(anchor);
  anchor.click();
  anchor.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

function loadAnswersFile(page) {
  const fileInput = page.tools.fileInput;
  const file = fileInput.files && fileInput.files[0];
  if (!file) return;
  file.arrayBuffer().then((buffer) => {
    restore(page, new Uint8Array(buffer));
    keep(page);
    fileInput.value = '';
    page.announce.textContent = 'Réponses chargées. ' + scoreAnnounced(page);
  });
}

function wireAnswersFile(page) {
  page.tools.save.addEventListener('click', () => saveAnswersFile(page));
  page.tools.load.addEventListener('click', () => page.tools.fileInput.click());
  page.tools.fileInput.addEventListener('change', () => loadAnswersFile(page));
}
