// The quiz in a school platform: quizbuild's SCORM 1.2 package (manifest and
// page) and the page talking to a real platform runtime, the npm package
// scorm-again, as the API of a platform page that holds the package in a
// frame, all served from a loopback server. Answers are typed through the
// keyboard; a second browser profile with the platform's saved data finds
// the board as the pupil left it.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const web = require('./browser.js');

const folder = web.freshFolder('scorm');
const builder = process.env.QUIZ_BUILDER;
const runtime = path.join(process.env.QUIZ_NODE_MODULES, 'scorm-again/dist/scorm12.js');
const capitales = JSON.parse(fs.readFileSync(path.join(web.source, 'examples/capitales.json'), 'utf8'));

// The platform's page: the runtime, and the frame the package plays in (no
// icon: the browser would ask the server for one).
const platformPage = '<!DOCTYPE html><html><head><meta charset="utf-8"><link rel="icon" href="data:,">'
  + '<script src="/scorm12.js"></script>'
  + '</head><body><iframe id="sco" width="1000" height="700"></iframe></body></html>';

// Each package is unzipped into a folder of its own, served under /NAME/.
const served = new Map();
let server;
let base;
let requests = 0;
// Far above what the tests ask; a runaway loop stops here.
const requestLimit = 2000;

function serve(request, response) {
  requests += 1;
  const url = new URL(request.url, base);
  const [, name, file] = url.pathname.match(/^\/([^/]+)\/([^/]+)$/) || [];
  let body = null;
  let type = 'text/html; charset=utf-8';
  if (requests > requestLimit) body = null;
  else if (url.pathname === '/lms.html') body = platformPage;
  else if (url.pathname === '/scorm12.js') { body = fs.readFileSync(runtime); type = 'text/javascript'; }
  else if (served.has(name) && ['index.html', 'imsmanifest.xml'].includes(file)) {
    body = fs.readFileSync(path.join(served.get(name), file));
    if (file.endsWith('.xml')) type = 'application/xml';
  }
  response.writeHead(body === null ? 404 : 200, { 'Content-Type': type });
  response.end(body === null ? '' : body);
}

before(async () => {
  server = http.createServer(serve);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = 'http://127.0.0.1:' + server.address().port;
});
after(() => new Promise((resolve) => server.close(resolve)));

// quizbuild scorm and quizbuild html of one description, the package unzipped.
function buildPackage(name, description) {
  const json = path.join(folder, name + '.json');
  fs.writeFileSync(json, JSON.stringify(description));
  const zip = path.join(folder, name + '.zip');
  execFileSync(builder, ['scorm', json, '-o', zip], { stdio: ['ignore', 'ignore', 'inherit'] });
  execFileSync(builder, ['html', json, '-o', path.join(folder, name + '.html')], { stdio: ['ignore', 'ignore', 'inherit'] });
  const unpacked = path.join(folder, name);
  fs.rmSync(unpacked, { recursive: true, force: true });
  execFileSync('unzip', ['-q', zip, '-d', unpacked]);
  served.set(name, unpacked);
  return { zip, unpacked };
}

// The manifest against the IMS content packaging 1.1.2 and ADL SCORM 1.2
// schemas, kept in scorm-schemas/.
function validates(manifest) {
  const schema = path.join(web.source, 'tests/web/scorm-schemas/package.xsd');
  try {
    execFileSync('xmllint', ['--noout', '--schema', schema, manifest], { stdio: 'pipe' });
    return true;
  } catch (failure) {
    if (failure.status !== 3) throw failure;
    return false;
  }
}

async function until(find) {
  for (let tries = 0; tries < 400; ++tries) {
    const found = await find();
    if (found) return found;
    await new Promise((resolve) => setTimeout(resolve, 25));
  }
  throw new Error('timed out waiting for ' + find);
}

// The platform page with a fresh API (given the data a platform saved), the
// calls the package makes recorded, and the package's page loaded in its frame.
async function openPlatform(browser, name, saved) {
  const page = browser.context.pages()[0] || (await browser.context.newPage());
  await page.goto(base + '/lms.html');
  await page.evaluate(([source, saved]) => {
    window.API = new window.Scorm12API({ autocommit: false, logLevel: 4 });
    if (saved) window.API.loadFromJSON(saved);
    window.calls = [];
    for (const name of ['LMSInitialize', 'LMSCommit', 'LMSFinish']) window.API.on(name, () => window.calls.push([name, Date.now()]));
    window.API.on('LMSSetValue.cmi.*', (element, value) => window.calls.push(['LMSSetValue', element, value]));
    document.getElementById('sco').src = source;
  }, ['/' + name + '/index.html', saved || null]);
  const frame = await until(async () => (await page.frames()).find((frame) => frame.url().endsWith('/' + name + '/index.html')));
  await frame.waitForSelector('body[data-ready]');
  return { page, frame };
}

const calls = (page) => page.evaluate(() => window.calls);
const setValues = (recorded, element) =>
  recorded.filter((call) => call[0] === 'LMSSetValue' && call[1] === element).map((call) => call[2]);
const interactionsOf = (recorded) => {
  const byIndex = [];
  for (const [name, element, value] of recorded) {
    const match = name === 'LMSSetValue' && element.match(/^cmi\.interactions\.(\d+)\.(\w+)$/);
    if (match) (byIndex[match[1]] = byIndex[match[1]] || {})[match[2]] = value;
  }
  return byIndex;
};

async function typeInto(frame, page, rank, text, key) {
  await frame.focus('#box-' + rank);
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Delete');
  await page.keyboard.type(text);
  await page.keyboard.press(key);
}

// Closing the package's page as a platform does: its frame goes elsewhere.
async function closePackage(page) {
  await page.evaluate(() => {
    window.closedAt = Date.now();
    document.getElementById('sco').src = 'about:blank';
  });
  await until(() => page.evaluate(() => window.calls.some((call) => call[0] === 'LMSFinish')));
}

// What a platform keeps of an attempt and hands back when the pupil resumes.
const savedAttempt = (page) => page.evaluate(() => ({ suspend_data: window.API.cmi.suspend_data, core: { entry: 'resume' } }));

test('the package holds the manifest and the quiz page, which an XML parser and unzip accept', async () => {
  // A title with the characters XML escapes, and letters beyond ASCII.
  const described = { ...capitales, title: 'Capitales & pays <Europe> « été »' };
  const { zip, unpacked } = buildPackage('capitales', described);
  assert.deepEqual(execFileSync('unzip', ['-Z1', zip]).toString().split('\n').filter(Boolean), ['imsmanifest.xml', 'index.html']);
  execFileSync('unzip', ['-tq', zip]);
  const manifest = path.join(unpacked, 'imsmanifest.xml');
  assert.equal(validates(manifest), true);
  // The schemas do refuse: a misspelt element and an unknown kind of resource.
  for (const [wrong, right] of [['schemaversio>', 'schemaversion>'], ['scormtype="page"', 'scormtype="sco"']]) {
    const damaged = path.join(folder, 'damaged.xml');
    fs.writeFileSync(damaged, fs.readFileSync(manifest, 'utf8').replaceAll(right, wrong));
    assert.equal(validates(damaged), false, wrong);
  }
  // The page is quizbuild html's, but for asking for the platform.
  const page = fs.readFileSync(path.join(unpacked, 'index.html'), 'utf8');
  assert.ok(page.includes(',"platform":true'));
  assert.equal(page.replace(',"platform":true', ''), fs.readFileSync(path.join(folder, 'capitales.html'), 'utf8'));

  const browser = await web.launch();
  const parsed = await (async () => {
    const tab = await browser.context.newPage();
    await tab.goto(base + '/lms.html');
    return tab.evaluate(async (url) => {
      const xml = new DOMParser().parseFromString(await (await fetch(url)).text(), 'application/xml');
      const cp = 'http://www.imsproject.org/xsd/imscp_rootv1p1p2';
      const adlcp = 'http://www.adlnet.org/xsd/adlcp_rootv1p2';
      const one = (parent, name) => parent.getElementsByTagNameNS(cp, name)[0];
      const root = xml.documentElement;
      const organizations = one(root, 'organizations');
      const organization = one(organizations, 'organization');
      const item = one(organization, 'item');
      const resource = one(one(root, 'resources'), 'resource');
      return {
        errors: xml.getElementsByTagName('parsererror').length,
        root: [root.namespaceURI, root.localName, !!root.getAttribute('identifier')],
        metadata: [one(root, 'schema').textContent, one(root, 'schemaversion').textContent],
        defaultIsTheOrganization: organizations.getAttribute('default') === organization.getAttribute('identifier'),
        titles: [one(organization, 'title').textContent, one(item, 'title').textContent],
        itemIsTheResource: item.getAttribute('identifierref') === resource.getAttribute('identifier'),
        resource: [resource.getAttribute('type'), resource.getAttributeNS(adlcp, 'scormtype'), resource.getAttribute('href'),
          one(resource, 'file').getAttribute('href')],
      };
    }, base + '/capitales/imsmanifest.xml');
  })();
  await browser.close();
  assert.deepEqual(parsed, {
    errors: 0,
    root: ['http://www.imsproject.org/xsd/imscp_rootv1p1p2', 'manifest', true],
    metadata: ['ADL SCORM', '1.2'],
    defaultIsTheOrganization: true,
    titles: [described.title, described.title],
    itemIsTheResource: true,
    resource: ['webcontent', 'sco', 'index.html', 'index.html'],
  });
});

test('the page reports to the platform and a pupil resumes on another computer', async () => {
  buildPackage('capitales', capitales);
  const first = await web.launch();
  const { page, frame } = await openPlatform(first, 'capitales');
  const commitTimes = async () => (await calls(page)).filter((call) => call[0] === 'LMSCommit').map((call) => call[1]);
  await typeInto(frame, page, 1, 'paris', 'Tab');
  // The judgement's store waits for a second after the start's.
  await until(async () => (await commitTimes()).length >= 2);
  await typeInto(frame, page, 2, 'Rom', 'Enter');
  await typeInto(frame, page, 3, 'Madrid', 'Enter');
  await until(async () => setValues(await calls(page), 'cmi.core.score.raw').includes('10'));
  await closePackage(page);
  const recorded = await calls(page);
  const names = recorded.map((call) => call[0]);
  assert.equal(names[0], 'LMSInitialize');
  assert.equal(names[names.length - 1], 'LMSFinish');
  assert.deepEqual(setValues(recorded, 'cmi.core.score.min'), ['0']);
  assert.deepEqual(setValues(recorded, 'cmi.core.score.max'), ['100']);
  // 2 of 20 entries right at the end: 10 %; never "failed".
  assert.equal(setValues(recorded, 'cmi.core.score.raw').at(-1), '10');
  assert.deepEqual([...new Set(setValues(recorded, 'cmi.core.lesson_status'))], ['incomplete']);
  assert.deepEqual(setValues(recorded, 'cmi.core.exit'), ['suspend']);
  assert.match(setValues(recorded, 'cmi.core.session_time')[0], /^\d{4}:\d{2}:\d{2}$/);
  // Each box judged once as typed (Tab then leaving the box judge it twice).
  assert.deepEqual(interactionsOf(recorded), [
    { id: '1', type: 'fill-in', student_response: 'paris', result: 'correct' },
    { id: '2', type: 'fill-in', student_response: 'Rom', result: 'wrong' },
    { id: '3', type: 'fill-in', student_response: 'Madrid', result: 'correct' },
  ]);
  // While the page is shown, stores come at most once a second; hiding and
  // closing it store at once.
  const closedAt = await page.evaluate(() => window.closedAt);
  const shown = recorded.filter((call) => call[0] === 'LMSCommit' && call[1] < closedAt).map((call) => call[1]);
  assert.ok(shown.length >= 2, shown.length + ' stores');
  for (let at = 1; at < shown.length; ++at) assert.ok(shown[at] - shown[at - 1] >= 995, 'stores ' + (shown[at] - shown[at - 1]) + ' ms apart');
  assert.ok(recorded.filter((call) => call[0] === 'LMSCommit' && call[1] >= closedAt).length >= 1, 'a store on closing');
  const saved = await savedAttempt(page);
  assert.ok(saved.suspend_data.length > 0 && saved.suspend_data.length <= 4096);
  await first.close();
  assertLoopbackOnly(first.events);

  const second = await web.launch();
  const resumed = await openPlatform(second, 'capitales', saved);
  const values = await resumed.frame.$$eval('input.box', (boxes) => boxes.slice(0, 4).map((box) => box.value));
  assert.deepEqual(values, ['paris', 'Rom', 'Madrid', '']);
  assert.equal(await resumed.frame.textContent('#verdict-2'), 'Quasiment');
  assert.equal(await resumed.frame.textContent('#score'), ' 2 / 20');
  await closePackage(resumed.page);
  await second.close();
  assertLoopbackOnly(second.events);
});

function assertLoopbackOnly(events) {
  assert.deepEqual([events.dialogs, events.consoleErrors, events.pageErrors], [0, [], []]);
  for (const url of events.requests) assert.ok(url.startsWith(base + '/'), url + ' left the loopback server');
}

// 90 entries of two 40-letter answers each, none alike (a fixed sequence
// of pseudo-random letters, which no codec packs into 4,096 characters).
function fullBoard() {
  let state = 12345;
  const letter = () => {
    state = (state * 1103515245 + 12345) % 2147483648;
    return String.fromCharCode(97 + (state >> 16) % 26);
  };
  const word = () => Array.from({ length: 40 }, letter).join('');
  const entries = Array.from({ length: 90 }, (_, n) => ({ clue: 'Question ' + (n + 1), answers: [word(), word()] }));
  return { kind: 'text', title: 'Grand quiz', answersPerEntry: 2, answerLabels: ['Un', 'Deux'], entries };
}

test('a 90 x 2 board of 40-letter answers keeps at most 4,096 characters on the platform, the rest here', async () => {
  const board = fullBoard();
  buildPackage('grand', board);
  const browser = await web.launch();
  const { page, frame } = await openPlatform(browser, 'grand');
  await frame.$$eval('input.box', (boxes, texts) => boxes.forEach((box, at) => { box.value = texts[at]; }),
    board.entries.flatMap((entry) => entry.answers));
  await typeInto(frame, page, 180, board.entries[89].answers[1], 'Enter');
  await until(async () => (await frame.textContent('#platform-note')).length > 0);
  const note = await frame.textContent('#platform-note');
  const kept = Number(note.match(/des (\d+) premières cases/)[1]);
  assert.ok(kept > 0 && kept < 180, note);
  await closePackage(page);
  const saved = await savedAttempt(page);
  assert.ok(saved.suspend_data.length <= 4096, saved.suspend_data.length + ' characters');
  await browser.close();
  assertLoopbackOnly(browser.events);

  const other = await web.launch();
  const resumed = await openPlatform(other, 'grand', saved);
  const values = await resumed.frame.$$eval('input.box', (boxes) => boxes.map((box) => box.value));
  assert.deepEqual(values.slice(0, kept), board.entries.flatMap((entry) => entry.answers).slice(0, kept));
  assert.deepEqual(values.slice(kept), Array(180 - kept).fill(''));
  await closePackage(resumed.page);
  await other.close();
});

test('a page without a platform asks for none, as quizbuild html makes it', async () => {
  buildPackage('capitales', capitales);
  const browser = await web.launch();
  const page = await web.openPage(browser, path.join(folder, 'capitales.html'));
  assert.equal(await page.$('#platform-note'), null);
  await browser.close();
  assert.deepEqual(browser.events, { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] });
});
