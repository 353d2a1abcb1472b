// What the page tests share: building a quiz page with the native builder,
// a fresh browser per test file, of the engine QUIZ_ENGINE names (chromium,
// the default, headless through playwright-core; firefox or webkit through
// engines.js, with the same calls), and a page that counts every dialog,
// console error, page error and request that leaves the page.
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { createRequire } = require('module');

const env = (name) => {
  if (!process.env[name]) throw new Error(name + ' is not set; run the page tests through ctest');
  return process.env[name];
};
const requireModule = createRequire(path.join(env('QUIZ_NODE_MODULES'), 'index.js'));
const { chromium } = requireModule('playwright-core');

const engines = require('./engines.js');

const engine = process.env.QUIZ_ENGINE || 'chromium';
const work = env('QUIZ_WEB_WORK');
const source = env('QUIZ_SOURCE');

function freshFolder(name) {
  const folder = path.join(work, name);
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  return folder;
}

// quizbuild html DESCRIPTION -o PAGE; the description is a path or an object.
function buildPage(description, pagePath) {
  let input = description;
  if (typeof description !== 'string') {
    input = pagePath.replace(/\.html$/, '.json');
    fs.writeFileSync(input, JSON.stringify(description));
  }
  execFileSync(env('QUIZ_BUILDER'), ['html', input, '-o', pagePath], { stdio: ['ignore', 'ignore', 'inherit'] });
  return pagePath;
}

// The page's data block (the payloads it carries), each media item with
// the base64 of its own block after the page's script, and where the data,
// the script and the first media block start in the file.
function pageData(pagePath) {
  const html = fs.readFileSync(pagePath, 'utf8');
  const blockText = (opening) => {
    const start = html.indexOf(opening);
    return start < 0 ? null : html.slice(start + opening.length, html.indexOf('</script>', start));
  };
  const data = JSON.parse(blockText('<script type="application/json" id="quizz-data">'));
  data.media.forEach((item, at) => {
    item.data = blockText(`<script type="application/octet-stream" id="quizz-media-${at}">`);
  });
  data.order = ['id="quizz-data"', '<script>', 'id="quizz-media-0"'].map((mark) => html.indexOf(mark));
  return data;
}

function reference(args, input) {
  return execFileSync(env('QUIZ_WEB_REFERENCE'), args, { input, maxBuffer: 64 << 20 }).toString();
}

const hexOf = (bytes) => (bytes.length ? Buffer.from(bytes).toString('hex') : '-');
const bytesOfHex = (hex) => (hex === '-' ? Buffer.alloc(0) : Buffer.from(hex, 'hex'));

// Windows-1252 where it differs from Latin-1 (node's decoder may lack it).
const above0x7F = '€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ';
const characterOf1252 = (byte) => (byte >= 0x80 && byte < 0xa0 ? above0x7F[byte - 0x80] : String.fromCharCode(byte));
const byteOf1252 = new Map([...Array(256).keys()].map((byte) => [characterOf1252(byte), byte]));
// What the player's box holds for a text: "?" for a character the code page lacks.
const boxBytes = (text) => Buffer.from([...text].map((c) => (byteOf1252.has(c) ? byteOf1252.get(c) : 0x3f)));
const textOf1252 = (bytes) => Array.from(bytes, characterOf1252).join('');

// Firefox or WebKit: their drivers run scripts past the page's policy, so
// they take no options. `can` says what the tests may ask of each engine.
async function launchEngine() {
  const folder = fs.mkdtempSync(path.join(work, engine + '-'));
  const events = { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] };
  const { session, first } = engine === 'firefox'
    ? await engines.firefoxSession(requireModule('puppeteer-core'), env('QUIZ_FIREFOX'), folder, events)
    : await engines.webkitSession({ ...requireModule('selenium-webdriver'), remote: requireModule('selenium-webdriver/remote') },
      env('QUIZ_WEBKIT_DRIVER'), env('QUIZ_WEBKIT_BROWSER'), events);
  return new engines.EngineBrowser(engine, session, folder, events, first);
}

// A browser; `options` are playwright's for Chromium's context (bypassCSP
// lets an audit's script into a page whose policy forbids it).
async function launch(options = {}) {
  if (engine !== 'chromium') return launchEngine();
  const profile = fs.mkdtempSync(path.join(work, 'profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    ...options,
    executablePath: env('QUIZ_CHROMIUM'),
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    acceptDownloads: true,
    viewport: { width: 1000, height: 800 },
  });
  const events = { dialogs: 0, consoleErrors: [], pageErrors: [], requests: [] };
  const watch = (page) => {
    page.on('dialog', (dialog) => { events.dialogs += 1; dialog.dismiss().catch(() => {}); });
    page.on('console', (message) => { if (message.type() === 'error') events.consoleErrors.push(message.text()); });
    page.on('pageerror', (error) => events.pageErrors.push(error.message));
  };
  // Anything but the page's own file and its data: and blob: media is a network load.
  context.on('request', (request) => {
    const url = request.url();
    if (!/^(file|data|blob):/.test(url)) events.requests.push(url);
  });
  context.on('page', watch);
  for (const page of context.pages()) watch(page);
  return { engine, can: { route: true, pickFolder: true }, context, events, close: () => context.close() };
}

async function openPage(browser, pagePath, viewport) {
  const page = browser.context.pages()[0] || (await browser.context.newPage());
  if (viewport) await page.setViewportSize(viewport);
  await page.goto('file://' + pagePath);
  await page.waitForSelector('body[data-ready]');
  return page;
}

// Polls a condition in the page; playwright's own waitForFunction evaluates
// strings, which the page's policy forbids.
async function waitFor(page, condition, argument) {
  for (let tries = 0; tries < 200; ++tries) {
    if (await page.evaluate(condition, argument)) return;
    await new Promise((resolve) => setTimeout(resolve, 25));
  }
  throw new Error('timed out waiting for ' + condition);
}

// Texts full of markup, script endings, quotes and ampersands, which pages
// must show as the texts they are.
const hostileTexts = [
  '<img src=x onerror=alert(1)>',
  '</script><script>alert(2)</script>',
  '<!-- <script>alert(3)</script>',
  '</style><style>*{display:none}</style>',
  '"double" \'single\' & &amp; &lt;',
  'é è à ç œ € “” ÿ',
];

// The WCAG 2.1 A and AA rules axe-core finds broken in the page, one line
// each with the elements; the browser must be launched with bypassCSP.
async function accessibilityViolations(page) {
  await page.addScriptTag({ path: requireModule.resolve('axe-core/axe.min.js') });
  return page.evaluate(async () => {
    // eslint-disable-next-line no-undef
    const result = await axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } });
    return result.violations.map((rule) => `${rule.id}: ${rule.nodes.map((node) => node.target.join(' ')).join(', ')}`);
  });
}

module.exports = {
  engine,
  accessibilityViolations,
  hostileTexts,
  waitFor,
  buildPage, pageData, reference, hexOf, bytesOfHex, textOf1252, boxBytes, launch, openPage, freshFolder, source, work,
};
