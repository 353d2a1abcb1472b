// The page's header (score and code, title and description, the quiz's
// link and the author), its tool bar and its footer.

// The player's own header texts.
const versionText = 'Réalisé avec la version 2.1';

function statusOf(tag, className, id, label) {
  const made = element(tag, className);
  made.id = id;
  made.setAttribute('role', 'status');
  made.setAttribute('aria-label', label);
  return made;
}

// The core's score text and reward code fill these before the page is ready.
function scoreBlock(page) {
  const block = element('div', 'block score-block');
  page.score = statusOf('div', 'score', 'score', 'Score');
  page.code = statusOf('span', 'code', 'code', 'Code');
  const codeLine = element('div', 'code-line');
  codeLine.append(element('span', 'code-caption', ' Code :'), page.code);
  block.append(page.score, codeLine);
  return block;
}

function headerTextOf(page, tag, className, field) {
  const made = element(tag, className, page.quiz.headerText(field));
  made.id = className;
  return made;
}

function middleBlock(page) {
  const middle = element('div', 'block middle');
  middle.append(headerTextOf(page, 'h1', 'title', 0), headerTextOf(page, 'p', 'description', 2));
  return middle;
}

function rightBlock(page) {
  const right = element('div', 'block right');
  const by = element('div', 'by');
  by.append(element('span', '', 'Par : '), headerTextOf(page, 'span', 'author', 1));
  // The address is shown as text and opened in a tab of its own; the
  // builder took only web and mail addresses.
  if (page.link) {
    const link = element('a', 'link', page.link);
    link.href = page.link;
    link.rel = 'noopener noreferrer';
    link.target = '_blank';
    right.append(link);
  }
  right.append(by);
  return right;
}

function headerOf(page) {
  const header = element('header', 'header');
  header.append(scoreBlock(page), middleBlock(page), rightBlock(page));
  return header;
}

// Spread for touch screens, the answers file's save and load, and a fresh start.
function toolsOf(page) {
  const tools = element('div', 'tools');
  const fileInput = element('input', 'file');
  fileInput.type = 'file';
  fileInput.accept = '.txt,text/plain';
  fileInput.id = 'answers-file';
  fileInput.hidden = true;
  page.tools = {
    spread: button('spread', 'Essayer partout (F1)', 'spread'),
    save: button('save', 'Enregistrer les réponses', 'save'),
    load: button('load', 'Charger des réponses', 'load'),
    fresh: button('fresh', 'Recommencer', 'fresh'),
    fileInput,
    bar: tools,
  };
  tools.append(page.tools.spread, page.tools.save, pupilNameForm(page), page.tools.load, fileInput,
    page.tools.fresh, freshStartForm(page));
  return tools;
}

// Asked once, when the answers are first saved: the file carries the name.
function pupilNameForm(page) {
  const form = element('span', 'pupil-form');
  form.hidden = true;
  const label = element('label', 'pupil-label', 'Ton prénom : ');
  label.htmlFor = 'pupil-name';
  const input = element('input', 'pupil-name');
  input.id = 'pupil-name';
  input.autocomplete = 'given-name';
  input.maxLength = 60;
  Object.assign(page.tools, { nameForm: form, nameInput: input, nameOk: button('pupil-ok', 'Enregistrer', 'pupil-name-ok') });
  form.append(label, input, page.tools.nameOk);
  return form;
}

const footerOf = () => element('footer', 'version', versionText);
