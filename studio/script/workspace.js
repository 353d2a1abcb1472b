// The work in the studio: the quiz, its media, the name its files are
// saved under, and the history that undo and redo walk. Every change goes
// through `change`, which keeps what was before, then tells the views,
// the checks, the preview and the draft store.
const workspace = {
  quiz: null,  // a new text quiz once the builder, which shapes it, is loaded
  media: new Map(),
  name: 'quiz',
  // Which of "Mes quiz" this work is.
  id: newWorkId(),
  past: [],
  future: [],
  // The field being typed in: keystrokes in one field are one step of the history.
  typingIn: null,
  saved: true,
  listeners: [],
};

const historyLimit = 500;

function newWorkId() {
  return 'q' + Date.now().toString(36) + Math.random().toString(36).slice(2, 8);
}

function snapshot() {
  return { quiz: JSON.stringify(workspace.quiz), media: workspace.media, name: workspace.name, id: workspace.id,
    trials: keptTrials(workspace.quiz.entries) };
}

function restore(kept) {
  workspace.quiz = JSON.parse(kept.quiz);
  workspace.media = kept.media;
  workspace.name = kept.name;
  workspace.id = kept.id;
  giveBackTrials(workspace.quiz.entries, kept.trials);
}

// `what` says what changed: 'text' (a value typed; views keep their
// controls), 'entries' or 'all' (views are drawn again).
function notify(what) {
  for (const listener of workspace.listeners) listener(what);
}

function keepForUndo() {
  workspace.past.push(snapshot());
  if (workspace.past.length > historyLimit) workspace.past.shift();
  workspace.future = [];
}

// Runs `edit(quiz, media)` as one step; media are replaced, never changed
// in place, so the history's steps share them.
function change(edit, what = 'all') {
  changeUnseen(edit);
  notify(what);
}

// A step the views are not told of, which undo takes back all the same:
// the originals of pictures fitted right after (picture-fitting.js), never
// drawn, decoded or stored as a draft unless the author undoes the fitting.
function changeUnseen(edit) {
  workspace.typingIn = null;
  keepForUndo();
  const media = new Map(workspace.media);
  edit(workspace.quiz, media);
  workspace.media = media;
  workspace.saved = false;
}

// A value typed in a field: one history step per stretch of typing in it.
function typeInto(field, edit) {
  if (workspace.typingIn !== field) keepForUndo();
  workspace.typingIn = field;
  edit(workspace.quiz);
  workspace.saved = false;
  notify('text');
}

function endTyping() {
  workspace.typingIn = null;
}

function undo() {
  if (workspace.past.length === 0) return;
  workspace.future.push(snapshot());
  restore(workspace.past.pop());
  workspace.typingIn = null;
  workspace.saved = false;
  notify('all');
}

function redo() {
  if (workspace.future.length === 0) return;
  workspace.past.push(snapshot());
  restore(workspace.future.pop());
  workspace.typingIn = null;
  workspace.saved = false;
  notify('all');
}

// A quiz opened or begun anew replaces the work as one step, which undo
// takes back; the work it replaces is kept in "Mes quiz" first.
function replaceWork(quiz, media, name, id = newWorkId()) {
  workspace.typingIn = null;
  keepInMyQuizzes();
  keepForUndo();
  workspace.quiz = quiz;
  workspace.media = media;
  workspace.name = name;
  workspace.id = id;
  workspace.saved = false;
  notify('all');
}

// The draft kept from the last visit, taken up as the work at start: no
// step of the history, as nothing came before it this visit.
function resumeWork(draft) {
  Object.assign(workspace, { quiz: draft.quiz, media: draft.media, name: draft.name, id: draft.id });
}

// What the views share: the builder, the entry chosen in the table.
const studio = { builder: null, player: null, controlCount: 0, selected: 1, previewShown: true };
