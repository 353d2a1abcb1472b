// The quiz page: builds the board from the quiz the judging core loaded and
// wires it as the player's board works. Every rule (verdict, reveal, score,
// reward code, spread, answers file) is the core's; this file only shows
// what the core says. Every quiz text is set as textContent.
'use strict';

(() => {
  // The player's own header texts.
  const publisherAddress = 'http://quiz.test';
  const versionText = 'Réalisé avec la version 2.1';
  // What the page keeps in storage: the answers file, at most this long
  // (90 entries, two boxes of 259 characters and a line end each).
  const storedAnswersLimit = 90 * 2 * 261;
  const storageFormat = 1;
  const Kind = { Text: 0, Picture: 1, Sound: 2, Video: 3 };
  const Reveal = { Shown: 1, Hidden: 2 };

  const data = JSON.parse(document.getElementById('quizz-data').textContent);

  function bytesOfBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let at = 0; at < binary.length; ++at) bytes[at] = binary.charCodeAt(at);
    return bytes;
  }

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function cssColour(colourRef) {
    const hex = (value) => value.toString(16).padStart(2, '0');
    return '#' + hex(colourRef & 0xff) + hex((colourRef >> 8) & 0xff) + hex((colourRef >> 16) & 0xff);
  }

  // Calls into the core with texts and bytes copied into its memory.
  function coreCalls(core) {
    const withText = (text, call) => {
      const size = core.lengthBytesUTF8(text) + 1;
      const at = core._malloc(size);
      core.stringToUTF8(text, at, size);
      try { return call(at); } finally { core._free(at); }
    };
    const withBytes = (bytes, call) => {
      const at = core._malloc(bytes.length + 1);
      core.HEAPU8.set(bytes, at);
      core.HEAPU8[at + bytes.length] = 0;
      try { return call(at, bytes.length); } finally { core._free(at); }
    };
    const text = (pointer) => core.UTF8ToString(pointer);
    return {
      load(quiz, codes) {
        return withBytes(quiz, (q, ql) => withBytes(codes, (c, cl) => core._coreLoad(q, ql, c, cl)));
      },
      kind: () => core._coreKind(),
      entryCount: () => core._coreEntryCount(),
      answersPerEntry: () => core._coreAnswersPerEntry(),
      revealKind: () => core._coreRevealKind(),
      boardColour: () => core._coreBoardColour(),
      headerText: (field) => text(core._coreHeaderText(field)),
      entryText: (entry, field) => text(core._coreEntryText(entry, field)),
      setBox: (rank, typed) => withText(typed, (at) => core._coreSetBox(rank, at)),
      boxText: (rank) => text(core._coreBoxText(rank)),
      judge: (rank) => core._coreJudge(rank),
      verdict: (rank) => text(core._coreVerdict(rank)),
      verdictColour: (rank) => core._coreVerdictColour(rank),
      score: () => core._coreScore(),
      scoreText: () => text(core._coreScoreText()),
      rewardCode: () => text(core._coreRewardCode()),
      spread: (rank) => core._coreSpread(rank),
      spreadReached: (rank) => core._coreSpreadReached(rank),
      answersFile() {
        const at = core._coreAnswersFile();
        return core.HEAPU8.slice(at, at + core._coreAnswersFileLength());
      },
      restore: (bytes) => withBytes(bytes, (at, length) => core._coreRestore(at, length)),
      verdictOf: (stored, typed) =>
        withBytes(stored, (s) => withBytes(typed, (t) => text(core._coreVerdictOf(s, t)))),
    };
  }

  function mediaUrls() {
    const urls = { question: {}, answer: {}, clip: {} };
    for (const item of data.media) {
      const blob = new Blob([bytesOfBase64(item.data)], { type: item.type });
      urls[item.role][item.entry] = URL.createObjectURL(blob);
    }
    return urls;
  }

  // Reads what the page stored for this quiz; anything else is ignored.
  function storedAnswers() {
    let value;
    try {
      value = localStorage.getItem(data.key);
    } catch (blocked) {
      return null;
    }
    if (typeof value !== 'string' || value.length > 2 * storedAnswersLimit) return null;
    let parsed;
    try {
      parsed = JSON.parse(value);
    } catch (notJson) {
      return null;
    }
    if (!parsed || typeof parsed !== 'object' || parsed.format !== storageFormat || parsed.key !== data.key)
      return null;
    const answers = parsed.answers;
    if (typeof answers !== 'string' || answers.length > storedAnswersLimit) return null;
    const bytes = new Uint8Array(answers.length);
    for (let at = 0; at < answers.length; ++at) {
      const code = answers.charCodeAt(at);
      if (code > 0xff) return null;
      bytes[at] = code;
    }
    return bytes;
  }

  function start(core) {
    const quiz = coreCalls(core);
    window.quizzCore = quiz;
    if (!quiz.load(bytesOfBase64(data.quiz), bytesOfBase64(data.codes))) {
      document.body.append(element('p', 'damaged', 'Quiz illisible.'));
      return;
    }
    const kind = quiz.kind();
    const entries = quiz.entryCount();
    const perEntry = quiz.answersPerEntry();
    const boxes = entries * perEntry;
    const media = mediaUrls();
    const revealsPicture = kind === Kind.Picture && quiz.revealKind() === 1;
    const revealsText = kind === Kind.Picture && quiz.revealKind() === 2;

    document.documentElement.style.setProperty('--board', cssColour(quiz.boardColour()));
    document.body.classList.add('kind-' + kind, 'answers-' + perEntry);
    if (revealsText) document.body.classList.add('reveals-text');

    // Header
    const header = element('header', 'header');
    const scoreBlock = element('div', 'block score-block');
    const score = element('div', 'score', ' 0 / ' + entries);
    score.id = 'score';
    score.setAttribute('role', 'status');
    score.setAttribute('aria-label', 'Score');
    const codeLine = element('div', 'code-line');
    const code = element('span', 'code', ' xxxxxx');
    code.id = 'code';
    code.setAttribute('role', 'status');
    code.setAttribute('aria-label', 'Code');
    codeLine.append(element('span', 'code-caption', ' Code :'), code);
    scoreBlock.append(score, codeLine);
    const middle = element('div', 'block middle');
    const title = element('h1', 'title', quiz.headerText(0));
    title.id = 'title';
    const description = element('p', 'description', quiz.headerText(2));
    description.id = 'description';
    middle.append(title, description);
    const right = element('div', 'block right');
    const link = element('a', 'link', publisherAddress);
    link.href = publisherAddress;
    link.rel = 'noopener noreferrer';
    link.target = '_blank';
    const by = element('div', 'by');
    const author = element('span', 'author', quiz.headerText(1));
    author.id = 'author';
    by.append(element('span', '', 'Par : '), author);
    right.append(link, by);
    header.append(scoreBlock, middle, right);

    const tools = element('div', 'tools');
    const spreadButton = element('button', 'spread', 'Essayer partout (F1)');
    spreadButton.type = 'button';
    spreadButton.id = 'spread';
    const saveButton = element('button', 'save', 'Enregistrer les réponses');
    saveButton.type = 'button';
    saveButton.id = 'save';
    const loadButton = element('button', 'load', 'Charger des réponses');
    loadButton.type = 'button';
    loadButton.id = 'load';
    const fileInput = element('input', 'file');
    fileInput.type = 'file';
    fileInput.accept = '.txt,text/plain';
    fileInput.id = 'answers-file';
    fileInput.hidden = true;
    tools.append(spreadButton, saveButton, loadButton, fileInput);

    const announce = element('div', 'sr-only');
    announce.id = 'announce';
    announce.setAttribute('aria-live', 'polite');

    // Board
    const board = element('main', 'board');
    board.id = 'board';
    const boxOf = [];
    const verdictOf = [];
    const pictureOf = [];
    const explanationOf = [];
    const headings = [quiz.headerText(3), quiz.headerText(4)];
    for (let entry = 1; entry <= entries; ++entry) {
      const card = element('section', 'entry');
      card.id = 'entry-' + entry;
      card.setAttribute('aria-label', 'Question ' + entry);
      const number = element('span', 'number', entry + '.');
      if (kind === Kind.Text) {
        card.append(number, element('span', 'clue', quiz.entryText(entry, 0)));
      } else if (kind === Kind.Picture) {
        const square = element('div', 'square');
        const picture = element('img', 'picture');
        picture.alt = 'Image ' + entry;
        if (media.question[entry]) picture.src = media.question[entry];
        square.append(picture);
        pictureOf[entry] = picture;
        card.append(square, number);
      } else {
        const player = element(kind === Kind.Sound ? 'audio' : 'video', 'clip');
        player.preload = 'auto';
        if (media.clip[entry]) player.src = media.clip[entry];
        const play = element('button', 'play', '▶');
        play.type = 'button';
        play.setAttribute('aria-label', 'Écouter ' + entry);
        const stop = element('button', 'stop', '■');
        stop.type = 'button';
        stop.setAttribute('aria-label', 'Arrêter ' + entry);
        play.addEventListener('click', () => {
          player.currentTime = 0;
          player.play().catch(() => {});
        });
        stop.addEventListener('click', () => {
          player.pause();
          player.currentTime = 0;
        });
        const buttons = element('div', 'buttons');
        buttons.append(play, stop);
        card.append(kind === Kind.Video ? player : element('span', 'spacer'), buttons, number);
        if (kind === Kind.Sound) card.append(player);
      }
      const answers = element('div', 'answers');
      for (let answer = 1; answer <= perEntry; ++answer) {
        const rank = perEntry * (entry - 1) + answer;
        const row = element('div', 'answer');
        const box = element('input', 'box');
        box.type = 'text';
        box.id = 'box-' + rank;
        box.autocomplete = 'off';
        box.spellcheck = false;
        box.dataset.rank = rank;
        const label = element('label', perEntry === 2 ? 'heading' : 'sr-only',
          perEntry === 2 ? headings[answer - 1] : 'Réponse ' + entry);
        label.htmlFor = box.id;
        const verdict = element('output', 'verdict');
        verdict.id = 'verdict-' + rank;
        box.setAttribute('aria-describedby', verdict.id);
        row.append(label, box, verdict);
        answers.append(row);
        boxOf[rank] = box;
        verdictOf[rank] = verdict;
      }
      card.append(answers);
      if (kind === Kind.Picture) {
        const explanation = element('div', 'explanation');
        explanation.setAttribute('aria-live', 'polite');
        explanationOf[entry] = explanation;
        card.append(explanation);
      }
      board.append(card);
    }
    const footer = element('footer', 'version', versionText);
    document.body.append(header, tools, board, footer, announce);

    const entryOf = (rank) => Math.floor((rank - 1) / perEntry) + 1;

    function showVerdict(rank) {
      const verdict = verdictOf[rank];
      verdict.textContent = quiz.verdict(rank);
      const colour = quiz.verdictColour(rank);
      if (colour < 0) verdict.style.removeProperty('background-color');
      else verdict.style.backgroundColor = cssColour(colour);
    }

    function showReveal(rank, action) {
      const entry = entryOf(rank);
      if (action === Reveal.Shown) {
        // An answer picture stays once shown, as in the player.
        if (revealsPicture && media.answer[entry]) pictureOf[entry].src = media.answer[entry];
        if (revealsText) explanationOf[entry].textContent = quiz.entryText(entry, 1);
      } else if (action === Reveal.Hidden && explanationOf[entry]) {
        explanationOf[entry].textContent = '';
      }
    }

    function showScore() {
      score.textContent = quiz.scoreText();
      code.textContent = quiz.rewardCode();
    }

    // The core reads boxes as the player does: every box of the entry as it
    // stands now.
    function judge(rank) {
      const first = (entryOf(rank) - 1) * perEntry + 1;
      for (let other = first; other < first + perEntry; ++other) quiz.setBox(other, boxOf[other].value);
      showReveal(rank, quiz.judge(rank));
      showVerdict(rank);
      showScore();
    }

    function judgeAll() {
      for (let rank = 1; rank <= boxes; ++rank) quiz.setBox(rank, boxOf[rank].value);
      for (let rank = 1; rank <= boxes; ++rank) {
        showReveal(rank, quiz.judge(rank));
        showVerdict(rank);
      }
      showScore();
    }

    function keep() {
      for (let rank = 1; rank <= boxes; ++rank) quiz.setBox(rank, boxOf[rank].value);
      const bytes = quiz.answersFile();
      let answers = '';
      for (let at = 0; at < bytes.length; at += 0x2000)
        answers += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x2000));
      try {
        localStorage.setItem(data.key, JSON.stringify({ format: storageFormat, key: data.key, answers }));
      } catch (full) {
        // Storage refused (full, or blocked): the answers file still saves them.
      }
    }

    function restore(bytes) {
      quiz.restore(bytes);
      for (let rank = 1; rank <= boxes; ++rank) boxOf[rank].value = quiz.boxText(rank);
      judgeAll();
    }

    let lastBox = boxOf[1];
    function spread(rank) {
      const box = boxOf[rank];
      for (let other = 1; other <= boxes; ++other) quiz.setBox(other, boxOf[other].value);
      quiz.spread(rank);
      for (let other = 1; other <= boxes; ++other) {
        if (!quiz.spreadReached(other)) continue;
        boxOf[other].value = box.value;
        showReveal(other, quiz.judge(other));
        showVerdict(other);
      }
      showScore();
      keep();
      announce.textContent = 'Score' + quiz.scoreText();
    }

    board.addEventListener('focusin', (event) => {
      const box = event.target;
      if (!box.dataset || !box.dataset.rank) return;
      lastBox = box;
      box.setSelectionRange(0, 25);
    });
    board.addEventListener('focusout', (event) => {
      const rank = Number(event.target.dataset && event.target.dataset.rank);
      if (rank) judge(rank);
    });
    board.addEventListener('input', () => keep());
    board.addEventListener('keydown', (event) => {
      if (!event.target.dataset || !event.target.dataset.rank) return;
      if (event.key === 'Enter' || event.key === 'Tab' || event.key === 'F1') event.preventDefault();
    });
    board.addEventListener('keyup', (event) => {
      const rank = Number(event.target.dataset && event.target.dataset.rank);
      if (!rank) return;
      if (event.key === 'Enter') {
        judge(rank);
        announce.textContent = 'Réponse ' + entryOf(rank) + ' : ' + quiz.verdict(rank);
      } else if (event.key === 'Tab') {
        judge(rank);
        // Forward from the last box wraps to the first, back from the first to the last.
        let target = rank + (event.shiftKey ? -1 : 1);
        if (target > boxes) target = 1;
        if (target < 1) target = boxes;
        boxOf[target].focus();
      } else if (event.key === 'F1') {
        spread(rank);
      }
    });
    spreadButton.addEventListener('click', () => {
      if (!lastBox) return;
      spread(Number(lastBox.dataset.rank));
      lastBox.focus();
    });
    saveButton.addEventListener('click', () => {
      keep();
      const url = URL.createObjectURL(new Blob([quiz.answersFile()], { type: 'text/plain' }));
      const anchor = element('a');
      anchor.href = url;
      anchor.download = data.answersFile;
      document.body.append(anchor);
      anchor.click();
      anchor.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    });
    loadButton.addEventListener('click', () => fileInput.click());
    fileInput.addEventListener('change', () => {
      const file = fileInput.files && fileInput.files[0];
      if (!file) return;
      file.arrayBuffer().then((buffer) => {
        restore(new Uint8Array(buffer));
        keep();
        fileInput.value = '';
        announce.textContent = 'Réponses chargées. Score' + quiz.scoreText();
      });
    });

    const saved = storedAnswers();
    if (saved) restore(saved);
    else judgeAll();
    document.body.dataset.ready = 'true';
    // Benchmarks read the time from navigation to a usable board here.
    performance.mark('quizz-ready');
  }

  quizzCore({ wasmBinary: bytesOfBase64(quizzCoreWasm) }).then(start);
})();
