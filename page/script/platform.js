// The page inside a school platform (SCORM 1.2, as Moodle plays a package):
// it finds the platform's API, takes back the answers the platform kept,
// and gives it the score, the status, the answers and every box judged, as
// the core states them. A page without the platform flag, or where no API
// answers, does none of this.

// Frames searched upwards from this one: platforms nest their player a few deep.
const platformSearchDepth = 12;
// The platform is asked to store at most once in this many milliseconds.
const platformCommitInterval = 1000;

function platformApiOf(start) {
  let frame = start;
  for (let depth = 0; frame && depth <= platformSearchDepth; ++depth) {
    try {
      if (frame.API && typeof frame.API.LMSInitialize === 'function') return frame.API;
    } catch (otherOrigin) {
      // A frame of another origin throws at any look; the search goes on above it.
    }
    let parent = null;
    try {
      parent = frame.parent;
    } catch (otherOrigin) {
      parent = null;
    }
    if (!parent || parent === frame) break;
    frame = parent;
  }
  return null;
}

function findPlatformApi() {
  const found = platformApiOf(window);
  if (found) return found;
  try {
    return window.opener ? platformApiOf(window.opener) : null;
  } catch (otherOrigin) {
    return null;
  }
}

// Platforms answer "true" or true; anything else is a refusal.
const accepted = (answer) => answer === true || answer === 'true';

// A platform whose API throws is left alone from then on: the quiz goes on
// as a plain page, its answers kept in the browser.
function guarded(page, action) {
  try {
    return action();
  } catch (failure) {
    if (page.platform) clearTimeout(page.platform.timer);
    page.platform = null;
    return false;
  }
}

// Connects to the platform and restores into the core the answers it kept;
// true when it restored any. The platform's copy wins over the browser's.
function connectPlatform(page, wanted) {
  return wanted && guarded(page, () => connectTo(page, findPlatformApi()));
}

function connectTo(page, api) {
  if (!api || !accepted(api.LMSInitialize(''))) return false;
  page.platform = {
    api, started: Date.now(), lastCommit: 0, timer: null, finished: false, recorded: [], shownKept: -1,
    interactions: Number.parseInt(api.LMSGetValue('cmi.interactions._count'), 10) || 0,
  };
  api.LMSSetValue('cmi.core.score.min', '0');
  api.LMSSetValue('cmi.core.score.max', '100');
  const kept = String(api.LMSGetValue('cmi.suspend_data') || '');
  return kept !== '' && page.quiz.restoreSuspended(kept) > 0;
}

function recordInteraction(platform, page, rank) {
  const response = page.quiz.boxResponse(rank);
  if (response === (platform.recorded[rank] || '')) return;
  platform.recorded[rank] = response;
  const at = 'cmi.interactions.' + platform.interactions++ + '.';
  platform.api.LMSSetValue(at + 'id', page.quiz.boxName(rank));
  platform.api.LMSSetValue(at + 'type', 'fill-in');
  platform.api.LMSSetValue(at + 'student_response', response);
  platform.api.LMSSetValue(at + 'result', page.quiz.boxRight(rank) ? 'correct' : 'wrong');
}

// "failed" is never said: some platforms then refuse another attempt.
function reportScore(platform, page) {
  platform.api.LMSSetValue('cmi.core.score.raw', String(page.quiz.platformScore()));
  platform.api.LMSSetValue('cmi.core.lesson_status', page.quiz.allRight() ? 'completed' : 'incomplete');
}

// The answers go with each store; a board too large for the platform's
// room keeps its first boxes there and says that the rest stay here.
function commitPlatform(platform, page) {
  clearTimeout(platform.timer);
  platform.timer = null;
  // What was typed since the last judgement is kept too.
  passBoxes(page, 1, page.boxes);
  platform.api.LMSSetValue('cmi.suspend_data', page.quiz.suspendData());
  const kept = page.quiz.suspendedBoxes();
  if (kept !== platform.shownKept) {
    platform.shownKept = kept;
    page.platformNote.textContent = kept < page.boxes
      ? 'La plateforme garde les réponses des ' + kept + ' premières cases ; les autres restent dans ce navigateur.'
      : '';
  }
  platform.api.LMSCommit('');
  platform.lastCommit = Date.now();
}

function scheduleCommit(platform, page) {
  if (platform.timer) return;
  const wait = platform.lastCommit + platformCommitInterval - Date.now();
  if (wait <= 0) commitPlatform(platform, page);
  else platform.timer = setTimeout(() => guarded(page, () => commitPlatform(platform, page)), wait);
}

// After a judgement: the boxes judged (by rank), then the score and status.
function reportToPlatform(page, ranks) {
  const platform = page.platform;
  if (!platform || platform.finished) return;
  guarded(page, () => {
    for (const rank of ranks) recordInteraction(platform, page, rank);
    reportScore(platform, page);
    scheduleCommit(platform, page);
  });
}

// SCORM 1.2's CMITimespan: HHHH:MM:SS.
function sessionTime(milliseconds) {
  const seconds = Math.floor(milliseconds / 1000);
  const two = (value) => String(value).padStart(2, '0');
  const hours = Math.min(Math.floor(seconds / 3600), 9999);
  return String(hours).padStart(4, '0') + ':' + two(Math.floor(seconds / 60) % 60) + ':' + two(seconds % 60);
}

function finishPlatform(page) {
  const platform = page.platform;
  if (!platform || platform.finished) return;
  platform.finished = true;
  guarded(page, () => {
    reportScore(platform, page);
    platform.api.LMSSetValue('cmi.core.exit', 'suspend');
    platform.api.LMSSetValue('cmi.core.session_time', sessionTime(Date.now() - platform.started));
    commitPlatform(platform, page);
    platform.api.LMSFinish('');
  });
}

function wirePlatform(page) {
  if (!page.platform) return;
  page.platformNote = element('p', 'platform-note');
  page.platformNote.id = 'platform-note';
  page.platformNote.setAttribute('role', 'status');
  page.tools.bar.after(page.platformNote);
  // The first store waits for the board to be usable: nothing needs it sooner.
  setTimeout(() => reportToPlatform(page, []), 0);
  document.addEventListener('visibilitychange', () => {
    const platform = page.platform;
    if (document.visibilityState !== 'hidden' || !platform || platform.finished) return;
    guarded(page, () => {
      reportScore(platform, page);
      commitPlatform(platform, page);
    });
  });
  window.addEventListener('pagehide', () => finishPlatform(page));
}
