// What the studio saves: the description (a .zip with quiz.json and its
// media, or the JSON alone), the player program and the web page, each
// made by the builder exactly as `quizbuild` makes it. Export is refused
// while the builder finds a problem.
function fileStem() {
  const stem = workspace.name.trim().replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_');
  return stem === '' ? 'quiz' : stem;
}

function exportRefused() {
  runChecks(studio.builder);
  renderProblems();
  if (!checking.failed) return false;
  const errors = checking.problems.filter((problem) => !problem.warning);
  say('Enregistrement refusé : ' + errors.length + ' problème(s) à corriger. ' + (errors[0] ? errors[0].line : ''), 'problem');
  return true;
}

function descriptionFiles() {
  const files = [{ path: descriptionName, bytes: utf8Encoder.encode(descriptionText(workspace.quiz)) }];
  for (const path of namedMedia(workspace.quiz).sort())
    if (workspace.media.has(path)) files.push({ path: path.replace(/\\/g, '/'), bytes: workspace.media.get(path) });
  return files;
}

function saveDescription() {
  try {
    download(fileStem() + '.zip', writeZip(descriptionFiles()), 'application/zip');
    workspace.saved = true;
    say('Description enregistrée : ' + fileStem() + '.zip (quiz.json et ses médias).');
  } catch (error) {
    say('La description n’a pas pu être enregistrée : ' + error.message, 'problem');
  }
}

function saveJson() {
  if (namedMedia(workspace.quiz).length > 0) {
    say('Ce quiz a des médias : enregistrez-le en .zip pour les garder avec la description.', 'problem');
    return;
  }
  download(fileStem() + '.json', utf8Encoder.encode(descriptionText(workspace.quiz)), 'application/json');
  workspace.saved = true;
  say('Description enregistrée : ' + fileStem() + '.json.');
}

// Runs one export command of the builder and hands its file to the browser.
function exportWith(args, output, type) {
  if (exportRefused()) return;
  const started = performance.now();
  try {
    const result = studio.builder.run(args);
    const bytes = result.written[output];
    studio.builder.removeFile(output);
    if (result.exitCode !== 0 || !bytes) {
      say(utf8Decoder.decode(result.stderr) || 'Le constructeur n’a rien écrit.', 'problem');
      return;
    }
    performance.measure('studio-export', { start: started });
    download(output, bytes, type);
    say(output + ' enregistré (' + sizeText(bytes.length) + ').');
  } catch (error) {
    say('La mémoire du navigateur ne suffit pas pour écrire ' + output + ' (' + error.message + '). Votre travail est gardé : enregistrez la description (.zip) et construisez le quiz avec quizbuild.', 'problem');
    reloadBuilder();
  }
}

// Whether the builder's memory holds the player programs are built from:
// put there for the first one, and again once that memory is emptied.
let playerPut = false;

function forgetPlayerInBuilder() {
  playerPut = false;
}

function saveProgram() {
  if (!playerPut) {
    studio.builder.putFile('quizz.exe', studio.player);
    playerPut = true;
  }
  const output = fileStem() + '.exe';
  exportWith(['build', descriptionName, '-o', output, '--player', 'quizz.exe'], output, 'application/vnd.microsoft.portable-executable');
}

function savePage() {
  const output = fileStem() + '.html';
  exportWith(['html', descriptionName, '-o', output], output, 'text/html');
}

// The package a school platform takes: named apart from the description's zip.
function saveScorm() {
  const output = fileStem() + '-scorm.zip';
  exportWith(['scorm', descriptionName, '-o', output], output, 'application/zip');
}
