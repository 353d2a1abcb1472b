// What the studio tests share: the studio page in the web tests' browser,
// its controls driven as an author would (typing, choosing, picking files,
// pasting rows), its downloads caught, and the native quizbuild run on
// what it saved.
'use strict';
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const web = require('../web/browser.js');

const studioPage = process.env.QUIZ_STUDIO_PAGE;
const player = process.env.QUIZ_PLAYER;
const nativeBuilder = process.env.QUIZ_BUILDER;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls a condition in the page (the page's policy forbids evaluated strings).
async function until(page, condition, argument, what = String(condition)) {
  for (let tries = 0; tries < 400; ++tries) {
    if (await page.evaluate(condition, argument)) return;
    await sleep(25);
  }
  throw new Error('timed out waiting for ' + what);
}

// The studio with a script that runs before its own, put ahead of its
// policy in a copy (WebKitWebDriver runs no script before a page's own).
function studioRunning(initScript) {
  const copy = path.join(web.freshFolder('studio-with-script'), path.basename(studioPage));
  const page = fs.readFileSync(studioPage, 'utf8');
  fs.writeFileSync(copy, page.replace('<head>', () => '<head>\n<script>(' + initScript + ')();</script>'));
  return copy;
}

async function openStudio(browser, initScript) {
  const page = await browser.context.newPage();
  page.downloads = [];
  page.on('download', (download) => page.downloads.push(download));
  await page.goto('file://' + (initScript ? studioRunning(initScript) : studioPage));
  await until(page, () => document.documentElement.dataset.studio, undefined, 'the studio to start');
  assert.equal(await page.evaluate(() => document.documentElement.dataset.studio), 'ready');
  return page;
}

async function reload(page) {
  await page.reload();
  await until(page, () => document.documentElement.dataset.studio === 'ready', undefined, 'the studio to start again');
}

const notice = (page) => page.textContent('#notice');

// Clicks an action and waits for the notice it leaves.
async function act(page, action) {
  await page.evaluate(() => document.getElementById('notice').replaceChildren());
  await page.click(`[data-action="${action}"]`);
}

async function startNew(page, kind) {
  await act(page, 'new');
  await page.click(`[data-action="new-kind"][data-kind="${kind}"]`);
  await until(page, (k) => document.querySelector('[data-field=kind]').value === k, kind);
}

// Opens files through the open control (or the folder control for a folder).
async function openFiles(page, files, folder = false) {
  await page.evaluate(() => document.getElementById('notice').replaceChildren());
  await page.setInputFiles(folder ? 'input[data-action="open-folder"]' : 'input[data-action="open"]', files);
  await until(page, () => document.getElementById('notice').textContent !== '', undefined, 'the file to open');
  return notice(page);
}

const cell = (entry, field) => `#entry-table tr[data-entry="${entry}"] [data-field="${field}"]`;

async function pickMedia(page, entry, field, file) {
  await page.setInputFiles(`#entry-table tr[data-entry="${entry}"] input[data-action="pick-media"][data-field="${field}"]`, file);
  await until(page, ([e, f, name]) => {
    const row = document.querySelector(`#entry-table tr[data-entry="${e}"] [data-media-key="${f}"] .facts`);
    return row && row.textContent.includes('media/' + name.replace(/\.[^.]*$/, ''));
  }, [entry, field, path.basename(file)], 'the media of entry ' + entry);
}

// A spreadsheet's rows pasted on an element of the table (Firefox drops
// the data a paste event is made with: the event carries it as its own).
async function paste(page, selector, text) {
  await page.evaluate(([where, pasted]) => {
    const data = new DataTransfer();
    data.setData('text/plain', pasted);
    const event = new ClipboardEvent('paste', { bubbles: true, cancelable: true });
    Object.defineProperty(event, 'clipboardData', { value: data });
    document.querySelector(where).dispatchEvent(event);
  }, [selector, text]);
}

// Clicks a save action; the file the browser was handed.
async function save(page, action) {
  const [download] = await Promise.all([
    page.waitForEvent('download', { timeout: 20000 }).catch(async () => assert.fail(action + ' gave no file: ' + (await notice(page)))),
    act(page, action)]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

// Clicks a save action that must be refused: no download, the reason said.
async function refusedSave(page, action) {
  const before = page.downloads.length;
  await act(page, action);
  await sleep(300);
  assert.equal(page.downloads.length, before, action + ' gave a file');
  return notice(page);
}

function unzip(bytes, folder) {
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(folder + '.zip', bytes);
  execFileSync('unzip', ['-q', folder + '.zip', '-d', folder]);
  return folder;
}

function zipFolder(folder, zipPath) {
  fs.rmSync(zipPath, { force: true });
  execFileSync('zip', ['-qr', zipPath, '.'], { cwd: folder });
  return zipPath;
}

function quizbuild(args, cwd) {
  const run = spawnSync(nativeBuilder, args, { cwd });
  return { status: run.status, stdout: run.stdout.toString(), stderr: run.stderr.toString() };
}

// The program and page quizbuild makes of FOLDER/JSON, named as the studio names them.
function buildNative(folder, json, stem) {
  const built = quizbuild(['build', json, '-o', stem + '.exe', '--player', player], folder);
  assert.equal(built.status, 0, built.stderr);
  const page = quizbuild(['html', json, '-o', stem + '.html'], folder);
  assert.equal(page.status, 0, page.stderr);
  const scorm = quizbuild(['scorm', json, '-o', stem + '-scorm.zip'], folder);
  assert.equal(scorm.status, 0, scorm.stderr);
  return { exe: fs.readFileSync(path.join(folder, stem + '.exe')), html: fs.readFileSync(path.join(folder, stem + '.html')),
    scorm: fs.readFileSync(path.join(folder, stem + '-scorm.zip')) };
}

// The French lines of quizbuild check, and each one's record (its place).
function checkLines(folder, json = 'quiz.json') {
  return quizbuild(['check', json, '--lang', 'fr'], folder).stderr.split('\n').filter((line) => line !== '');
}

function checkRecords(folder, json = 'quiz.json') {
  return quizbuild(['check', json, '--lang', 'fr', '--records'], folder).stdout.split('\n')
    .filter((line) => line.startsWith('{')).map((line) => JSON.parse(line));
}

// Where each problem line shows outside the list: "ENTRY:FIELD" of its slot.
function shownAt(page, lines) {
  return page.evaluate((all) => all.map((line) => [...document.querySelectorAll('[data-problem]')]
    .filter((node) => node.dataset.problem === line && !node.closest('#problem-list'))
    .map((node) => {
      const holder = node.closest('[data-entry]');
      const slot = node.closest('.field-problems');
      const control = slot.parentElement.querySelector('[data-field]');
      return (holder ? holder.dataset.entry : '0') + ':' + (slot.dataset.for || (control && control.dataset.field));
    })), lines);
}

// Where a problem of quizbuild check belongs, from its record: "3:answers[0]"
// in an entry, "0:codes" for a setting (its items share one control).
function placeOf(record) {
  if (!record.field) return null;
  if (record.entry > 0) return record.entry + ':' + record.field + (record.item > 0 ? '[' + (record.item - 1) + ']' : '');
  return '0:' + record.field;
}

const listedProblems = (page) => page.$$eval('#problem-list [data-problem]', (nodes) => nodes.map((node) => node.dataset.problem));

// Makes the media examples (picture, sound, video) with their own scripts.
function makeExamples(folder) {
  for (const kind of ['picture', 'sound', 'video'])
    execFileSync(path.join(web.source, 'examples', kind, 'make-media'), [path.join(folder, kind)], { stdio: 'ignore' });
  execFileSync('convert', ['-size', '40x30', 'xc:#3060C0', path.join(folder, 'drapeau.png')]);
  return folder;
}

module.exports = {
  web, until, openStudio, reload, notice, act, startNew, openFiles, cell, pickMedia, paste, save, refusedSave, unzip,
  zipFolder, quizbuild, buildNative, checkLines, checkRecords, shownAt, placeOf, listedProblems, makeExamples, sleep,
};
