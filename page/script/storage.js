// Keeps the answers in the browser's storage, under the quiz's own key, as
// the answers file the core writes; reads back only a well-formed value
// stored for this quiz.

// At most this long: 90 entries, two boxes of 259 characters and a line end each.
const storedAnswersLimit = 90 * 2 * 261;
const storageFormat = 1;

// The answers file's bytes as a string of the characters 0 to 255.
function textOfBytes(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; at += 0x2000) text += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x2000));
  return text;
}

function bytesOfText(text) {
  const bytes = new Uint8Array(text.length);
  for (let at = 0; at < text.length; ++at) {
    const code = text.charCodeAt(at);
    if (code > 0xff) return null;
    bytes[at] = code;
  }
  return bytes;
}

function storedValue(key) {
  try {
    return localStorage.getItem(key);
  } catch (blocked) {
    return null;
  }
}

// What the page stored for this quiz; anything else is ignored.
function storedAnswers(key) {
  const value = storedValue(key);
  if (typeof value !== 'string' || value.length > 2 * storedAnswersLimit) return null;
  let parsed;
  try {
    parsed = JSON.parse(value);
  } catch (notJson) {
    return null;
  }
  if (!parsed || typeof parsed !== 'object' || parsed.format !== storageFormat || parsed.key !== key) return null;
  const answers = parsed.answers;
  if (typeof answers !== 'string' || answers.length > storedAnswersLimit) return null;
  return bytesOfText(answers);
}

function keep(page) {
  passBoxes(page, 1, page.boxes);
  const answers = textOfBytes(page.quiz.answersFile());
  try {
    localStorage.setItem(page.storageKey, JSON.stringify({ format: storageFormat, key: page.storageKey, answers }));
  } catch (full) {
    // Storage refused (full, or blocked): the answers file still saves them.
  }
}
