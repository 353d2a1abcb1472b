// Saves the answers file the core writes as a download named for the quiz
// and the pupil, whose first name is asked once and kept by the browser,
// and loads one the user picks into the boxes.

// One name for every quiz opened in this browser: the pupil's.
const pupilNameKey = 'quizz:prenom';
// What a file name cannot hold on Windows, control characters included.
const unfitInFileName = /[\\/:*?"<>|\u0000-\u001f\u007f]/g;
const pupilNameLimit = 40;

// Windows drops dots and spaces that end a name; they go here too.
function cleanPupilName(text) {
  return text.replace(unfitInFileName, '').replace(/\s+/g, ' ').trim().slice(0, pupilNameLimit).replace(/[. ]+$/, '');
}

function keptPupilName() {
  try {
    return cleanPupilName(localStorage.getItem(pupilNameKey) || '');
  } catch (blocked) {
    return '';
  }
}

function keepPupilName(name) {
  try {
    localStorage.setItem(pupilNameKey, name);
  } catch (blocked) {
    // Not kept: the name is asked again next time.
  }
}

// "QUIZ - Prénom.txt": the player's answers file name with the pupil's.
function pupilFileName(page, name) {
  return page.answersFileName.replace(/\.txt$/i, '') + ' - ' + name + '.txt';
}

function downloadAnswers(page, name) {
  keep(page);
  download(pupilFileName(page, name), page.quiz.answersFile(), 'text/plain');
}

function saveAnswersFile(page) {
  const name = keptPupilName();
  if (name) {
    downloadAnswers(page, name);
    return;
  }
  page.tools.nameForm.hidden = false;
  page.tools.nameInput.focus();
}

function acceptPupilName(page) {
  const name = cleanPupilName(page.tools.nameInput.value);
  if (!name) {
    page.announce.textContent = 'Écris ton prénom pour enregistrer tes réponses.';
    page.tools.nameInput.focus();
    return;
  }
  keepPupilName(name);
  page.tools.nameForm.hidden = true;
  downloadAnswers(page, name);
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
  page.tools.nameOk.addEventListener('click', () => acceptPupilName(page));
  page.tools.nameInput.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') acceptPupilName(page);
  });
  page.tools.load.addEventListener('click', () => page.tools.fileInput.click());
  page.tools.fileInput.addEventListener('change', () => loadAnswersFile(page));
}
