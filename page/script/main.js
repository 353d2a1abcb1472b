// The page's entry point: loads the quiz the page carries into the judging
// core, draws the page from it and wires its keys, buttons and storage.

const data = JSON.parse(document.getElementById('quizz-data').textContent);

function drawPage(page) {
  document.documentElement.style.setProperty('--board', cssColour(page.quiz.boardColour()));
  document.body.classList.add('kind-' + page.kind, 'answers-' + page.perEntry);
  if (page.revealsText) document.body.classList.add('reveals-text');
  page.announce = element('div', 'sr-only');
  page.announce.id = 'announce';
  page.announce.setAttribute('aria-live', 'polite');
  const header = headerOf(page);
  const tools = toolsOf(page);
  const board = boardOf(page);
  document.body.append(header, tools, board, footerOf(), page.announce);
  return board;
}

function start(core) {
  const quiz = coreCalls(core);
  window.quizzCore = quiz;
  if (!quiz.load(bytesOfBase64(data.quiz), bytesOfBase64(data.codes))) {
    document.body.append(element('p', 'damaged', 'Quiz illisible.'));
    return;
  }
  const page = pageStateOf(quiz, data, mediaOf(data.media));
  const board = drawPage(page);
  wireKeys(page, board);
  wireAnswersFile(page);
  wireFreshStart(page);
  // The browser's copy first, then what the platform kept over it.
  const saved = storedAnswers(page.storageKey);
  if (saved) quiz.restore(saved);
  const resumed = connectPlatform(page, data.platform === true);
  if (saved || resumed) showRestored(page);
  else judgeAll(page);
  wirePlatform(page);
  document.body.dataset.ready = 'true';
  watchMedia(page, [...board.children]);
  // Benchmarks read the time from navigation to a usable board here.
  performance.mark('quizz-ready');
}

quizzCore({ wasmBinary: bytesOfBase64(quizzCoreWasm) }).then(start);
