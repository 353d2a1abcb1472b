// "Recommencer": on a computer a class shares, the next pupil starts with
// empty boxes. Asked first in the page itself (no browser dialog), with a
// way to save the answers file before they go; then every box is emptied,
// judged again by the core, and the browser's copy is dropped.

function freshStartForm(page) {
  const form = element('span', 'fresh-form');
  form.hidden = true;
  form.setAttribute('role', 'group');
  form.setAttribute('aria-label', 'Recommencer');
  const question = element('span', 'fresh-question', 'Effacer toutes les réponses ? ');
  page.tools.freshSave = button('fresh-save', 'Enregistrer d’abord les réponses', 'fresh-save');
  page.tools.freshYes = button('fresh-yes', 'Tout effacer', 'fresh-yes');
  page.tools.freshNo = button('fresh-no', 'Annuler', 'fresh-no');
  form.append(question, page.tools.freshSave, page.tools.freshYes, page.tools.freshNo);
  page.tools.freshForm = form;
  return form;
}

function forgetStoredAnswers(page) {
  try {
    localStorage.removeItem(page.storageKey);
  } catch (blocked) {
    // Nothing could be stored either.
  }
}

function startAfresh(page) {
  for (let rank = 1; rank <= page.boxes; ++rank) page.boxOf[rank].value = '';
  judgeAll(page);
  reportToPlatform(page, []);
  forgetStoredAnswers(page);
  page.tools.freshForm.hidden = true;
  page.announce.textContent = 'Toutes les réponses sont effacées. ' + scoreAnnounced(page);
  page.boxOf[1].focus();
}

function askFreshStart(page) {
  page.tools.freshForm.hidden = false;
  page.tools.freshNo.focus();
}

function wireFreshStart(page) {
  page.tools.fresh.addEventListener('click', () => askFreshStart(page));
  page.tools.freshSave.addEventListener('click', () => saveAnswersFile(page));
  page.tools.freshYes.addEventListener('click', () => startAfresh(page));
  page.tools.freshNo.addEventListener('click', () => {
    page.tools.freshForm.hidden = true;
    page.tools.fresh.focus();
  });
}
