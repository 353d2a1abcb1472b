// Firefox (Debian's firefox-esr, through WebDriver BiDi with puppeteer-core)
// and WebKit (WebKitGTK's MiniBrowser, through WebKitWebDriver with
// selenium-webdriver) behind the few calls of playwright's page the tests
// make, so that the same tables run in every engine. Each engine gives a
// session of primitives (navigate, run a function in the page or one of its
// frames, press keys, click, pick files, size the view, new downloads);
// EnginePage builds the rest in the page itself.
// What a driver cannot do, and how it is checked instead:
// - MiniBrowser downloads nothing: the blob the page hands its <a download>
//   is read in the page (downloadHook) and written here;
// - WebKitWebDriver reports no console, error, dialog or request: the page
//   records its errors and console errors, its resource timing lists its
//   loads (pageWatch), and an open dialog fails the next command;
// - neither intercepts requests, follows a new tab (can.route false) nor
//   picks a folder for a directory input (can.pickFolder false);
'use strict';
const fs = require('fs');
const path = require('path');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const notFile = (url) => !/^(file|data|blob|about):/.test(url);

// Installed in a page after each load: what WebKitWebDriver cannot report.
function pageWatch() {
  if (window.quizzWatch) return;
  const watch = { errors: [], consoleErrors: [], downloads: [] };
  window.quizzWatch = watch;
  window.addEventListener('error', (event) => watch.errors.push(event.message));
  window.addEventListener('unhandledrejection', (event) => watch.errors.push(String(event.reason)));
  const consoleError = console.error;
  console.error = (...args) => { watch.consoleErrors.push(args.join(' ')); consoleError.apply(console, args); };
  // The blobs the page makes, by address, for the download hook to read.
  const blobs = new Map();
  const createObjectURL = URL.createObjectURL;
  URL.createObjectURL = (object) => {
    const url = createObjectURL(object);
    blobs.set(url, object);
    return url;
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function downloadHook() {
    if (!this.hasAttribute('download') || !blobs.has(this.href)) return click.call(this);
    const download = { name: this.download, data: null };
    watch.downloads.push(download);
    const reader = new FileReader();
    reader.onload = () => { download.data = reader.result.slice(reader.result.indexOf(',') + 1); };
    reader.readAsDataURL(blobs.get(this.href));
    return undefined;
  };
}

// The downloads the hook holds whole, taken out, and what the page logged.
function takeWatched() {
  const watch = window.quizzWatch;
  if (!watch) return null;
  const done = watch.downloads.filter((download) => download.data !== null);
  watch.downloads = watch.downloads.filter((download) => download.data === null);
  // The page's own load counts once, as the other engines' drivers see it.
  const loads = watch.loadTaken ? [] : performance.getEntriesByType('navigation');
  watch.loadTaken = true;
  const taken = { downloads: done, errors: watch.errors.splice(0), consoleErrors: watch.consoleErrors.splice(0),
    requests: [...loads, ...performance.getEntriesByType('resource')].map((entry) => entry.name) };
  performance.clearResourceTimings();
  return taken;
}

// What the tests ask of a document, the page's own or a frame's (by its
// element's selector): playwright waits for an element; so does each call here.
class EngineDocument {
  constructor(browser, handle, frame) {
    this.browser = browser;
    this.handle = handle;
    this.frame = frame;
  }

  evaluate(fn, argument) { return this.browser.session.run(this.handle, this.frame, fn, argument); }
  title() { return this.evaluate(() => document.title); }
  url() { return this.evaluate(() => location.href); }
  async element(selector) {
    for (let tries = 0; tries < 200; ++tries) {
      if (await this.evaluate((s) => !!document.querySelector(s), selector)) return;
      await sleep(25);
    }
    throw new Error('no element ' + selector);
  }
  async $eval(selector, fn, argument) {
    await this.element(selector);
    return this.browser.session.run(this.handle, this.frame, `(s, a) => (${fn})(document.querySelector(s), a)`, selector, argument);
  }
  $$eval(selector, fn, argument) {
    return this.browser.session.run(this.handle, this.frame, `(s, a) => (${fn})([...document.querySelectorAll(s)], a)`, selector, argument);
  }
  textContent(selector) { return this.$eval(selector, (node) => node.textContent); }
  getAttribute(selector, name) { return this.$eval(selector, (node, attribute) => node.getAttribute(attribute), name); }
  inputValue(selector) { return this.$eval(selector, (node) => node.value); }
  isDisabled(selector) { return this.$eval(selector, (node) => node.disabled); }
  isVisible(selector) {
    return this.evaluate((s) => {
      const node = document.querySelector(s);
      const box = node && node.getBoundingClientRect();
      return !!node && box.width > 0 && box.height > 0 && getComputedStyle(node).visibility !== 'hidden';
    }, selector);
  }
  focus(selector) { return this.$eval(selector, (node) => node.focus()); }
  async waitForSelector(selector) { await this.element(selector); }
  // As playwright's fill: the focus, the new value, one input event.
  fill(selector, value) {
    return this.$eval(selector, (node, text) => {
      node.focus();
      node.value = text;
      node.dispatchEvent(new InputEvent('input', { bubbles: true, inputType: 'insertText', data: text }));
    }, value);
  }
  selectOption(selector, value) {
    return this.$eval(selector, (node, chosen) => {
      node.value = chosen;
      node.dispatchEvent(new Event('input', { bubbles: true }));
      node.dispatchEvent(new Event('change', { bubbles: true }));
    }, value);
  }
}

class EnginePage extends EngineDocument {
  constructor(browser, handle) {
    super(browser, handle, null);
    this.listeners = [];
    this.keyboard = {
      press: (keys) => browser.session.press(handle, keys),
      type: (text) => browser.session.type(handle, text),
    };
  }

  on(event, listener) { if (event === 'download') this.listeners.push(listener); }
  async goto(url) { await this.browser.session.navigate(this.handle, url); }
  async reload() { await this.browser.session.reload(this.handle); }
  async close() { await this.browser.closePage(this); }
  async setViewportSize(size) { await this.browser.session.viewport(this.handle, size); }
  async addScriptTag({ path: file }) { await this.browser.session.runText(this.handle, fs.readFileSync(file, 'utf8')); }

  async $(selector) {
    if (!(await this.evaluate((s) => !!document.querySelector(s), selector))) return null;
    return { contentFrame: async () => new EngineDocument(this.browser, this.handle, selector) };
  }
  // The page's frames, each by its place among the page's frames (none
  // nested), with its address when asked, as playwright's frames have it.
  async frames() {
    const count = await this.evaluate(() => document.querySelectorAll('iframe').length);
    const frames = [];
    for (let at = 1; at <= count; ++at) {
      const frame = new EngineDocument(this.browser, this.handle, 'iframe:nth-of-type(' + at + ')');
      const address = await frame.evaluate(() => location.href);
      frames.push(Object.assign(frame, { url: () => address }));
    }
    return frames;
  }
  async click(selector) {
    await this.element(selector);
    await this.browser.session.click(this.handle, selector);
  }
  async setInputFiles(selector, files) {
    await this.element(selector);
    await this.browser.session.setFiles(this.handle, selector, [].concat(files));
  }
  waitForEvent(event, { timeout = 20000 } = {}) {
    if (event !== 'download') throw new Error(this.browser.engine + ' tests cannot wait for ' + event);
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error('no download in ' + timeout + ' ms')), timeout);
      const listener = (download) => {
        clearTimeout(timer);
        this.listeners.splice(this.listeners.indexOf(listener), 1);
        resolve(download);
      };
      this.listeners.push(listener);
    });
  }
}

// What every engine's browser shares: its pages, the events of its pages
// and a poll of new downloads, each handed to every open page's listeners.
class EngineBrowser {
  constructor(engine, session, folder, events, first) {
    this.engine = engine;
    this.session = session;
    this.folder = folder;
    this.events = events;
    this.pages = [new EnginePage(this, first)];
    this.count = 0;
    this.can = { route: false, pickFolder: false };
    this.context = { pages: () => this.pages, newPage: () => this.newPage() };
    this.polling = this.poll();
  }

  async newPage() {
    const page = new EnginePage(this, await this.session.newPage());
    this.pages.push(page);
    return page;
  }

  async closePage(page) {
    this.pages.splice(this.pages.indexOf(page), 1);
    await this.session.closePage(page.handle);
  }

  async poll() {
    while (!this.closed) {
      for (const { name, bytes } of await this.session.downloads()) {
        const file = path.join(this.folder, 'taken', String(++this.count), name);
        fs.mkdirSync(path.dirname(file), { recursive: true });
        fs.writeFileSync(file, bytes);
        const download = { suggestedFilename: () => name, path: async () => file };
        for (const page of this.pages) [...page.listeners].forEach((listener) => listener(download));
      }
      await sleep(50);
    }
  }

  async close() {
    this.closed = true;
    await this.polling;
    await this.session.close();
  }
}

// A function, or the source text of one, as a function (each driver sends its source).
const asFunction = (fn) => (typeof fn === 'string' ? new Function('return ' + fn)() : fn);

// Firefox's preferences: every download saved at once into `folder`.
const firefoxPrefs = (folder) => ({
  'browser.download.dir': folder,
  'browser.download.folderList': 2,
  'browser.download.useDownloadDir': true,
  'browser.download.always_ask_before_handling_new_types': false,
  'browser.download.alwaysOpenPanel': false,
  'browser.download.sanitize_non_media_extensions': false,
  'browser.safebrowsing.downloads.enabled': false,
  'browser.helperApps.neverAsk.saveToDisk': 'text/plain,text/csv,text/html,application/zip,application/json,application/octet-stream',
});

async function firefoxSession(puppeteer, executablePath, folder, events) {
  const saved = path.join(folder, 'downloads');
  fs.mkdirSync(saved, { recursive: true });
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath, headless: true,
    defaultViewport: { width: 1000, height: 800 }, extraPrefsFirefox: firefoxPrefs(saved) });
  const watch = (page) => {
    page.on('dialog', (dialog) => { events.dialogs += 1; dialog.dismiss().catch(() => {}); });
    page.on('console', (message) => { if (message.type() === 'error') events.consoleErrors.push(message.text()); });
    page.on('pageerror', (error) => events.pageErrors.push(error.message));
    page.on('request', (request) => { if (notFile(request.url())) events.requests.push(request.url()); });
    return page;
  };
  // Only the tab in front has the focus, whose events the page judges on.
  let front = null;
  const use = async (page) => {
    if (page !== front) await page.bringToFront();
    front = page;
    return page;
  };
  const target = async (page, frame) => (frame ? (await page.$(frame)).contentFrame() : use(page));
  const sizes = new Map();
  const session = {
    navigate: (page, url) => page.goto(url),
    reload: (page) => page.reload(),
    run: async (page, frame, fn, ...args) => (await target(page, frame)).evaluate(asFunction(fn), ...args),
    runText: (page, text) => page.evaluate(text),
    press: async (page, keys) => {
      const [key, ...modifiers] = keys.split('+').reverse();
      await use(page);
      for (const modifier of modifiers) await page.keyboard.down(modifier);
      await page.keyboard.press(key);
      for (const modifier of modifiers.reverse()) await page.keyboard.up(modifier);
    },
    type: async (page, text) => (await use(page)).keyboard.type(text),
    click: async (page, selector) => (await use(page)).click(selector),
    setFiles: async (page, selector, files) => (await (await use(page)).$(selector)).uploadFile(...files),
    viewport: (page, size) => page.setViewport(size),
    newPage: async () => { front = watch(await browser.newPage()); return front; },
    closePage: async (page) => { front = null; await page.close(); },
    // A file is whole once Firefox holds no part file and its size stayed
    // the same over one poll.
    downloads: async () => {
      const names = fs.readdirSync(saved);
      if (names.some((name) => name.endsWith('.part'))) return [];
      const done = [];
      for (const name of names) {
        const size = fs.statSync(path.join(saved, name)).size;
        if (sizes.get(name) !== size) { sizes.set(name, size); continue; }
        done.push({ name, bytes: fs.readFileSync(path.join(saved, name)) });
        fs.rmSync(path.join(saved, name));
        sizes.delete(name);
      }
      return done;
    },
    close: () => browser.close(),
  };
  // The tab Firefox starts with never has the focus; a new one has.
  const [blank] = await browser.pages();
  const first = await session.newPage();
  await blank.close();
  return { session, first };
}

// WebKitWebDriver's keys for playwright's names.
const webdriverKey = (Key, name) => ({ Shift: Key.SHIFT, Control: Key.CONTROL, Tab: Key.TAB, Enter: Key.ENTER,
  F1: Key.F1, Escape: Key.ESCAPE, Delete: Key.DELETE }[name] || name);

async function webkitSession(selenium, driverPath, browserPath, events) {
  const { Builder, By, Capabilities, Key } = selenium;
  const service = new selenium.remote.DriverService.Builder(driverPath).setLoopback(true).build();
  const driver = await new Builder().usingServer(await service.start()).withCapabilities(new Capabilities({
    browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { binary: browserPath, args: ['--automation'] } })).build();
  // One command at a time, in the window it is for (the download poll runs
  // beside the tests); one left unanswered fails its test rather than hang it.
  let chain = Promise.resolve();
  let current = await driver.getWindowHandle();
  const serial = (handle, command) => {
    const result = chain.then(async () => {
      if (handle && handle !== current) await driver.switchTo().window(handle);
      current = handle || current;
      let timer;
      const unanswered = new Promise((resolve, reject) => {
        timer = setTimeout(() => reject(new Error('WebKitWebDriver left unanswered: ' + command)), 60000);
      });
      try { return await Promise.race([command(), unanswered]); } finally { clearTimeout(timer); }
    });
    chain = result.catch(() => {});
    return result;
  };
  const script = (fn, args) => driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
    Promise.resolve().then(() => (${fn}).apply(null, arguments[0]))
      .then((value) => done({ value: value === undefined ? null : value }), (error) => done({ error: String(error && error.stack || error) }));`, args)
    .then((result) => { if ('error' in result) throw new Error(result.error); return result.value; });
  const windows = new Set([current]);
  let taken = [];
  // What the page's watch holds, before the page goes.
  const take = async () => {
    const watched = await script(takeWatched, []);
    if (!watched) return;
    events.pageErrors.push(...watched.errors);
    events.consoleErrors.push(...watched.consoleErrors);
    events.requests.push(...watched.requests.filter(notFile));
    taken.push(...watched.downloads.map(({ name, data }) => ({ name, bytes: Buffer.from(data, 'base64') })));
  };
  const load = async (go) => { await take(); await go(); await script(pageWatch, []); };
  const sizeView = async ({ width, height }) => {
    await driver.manage().window().setRect({ width, height });
    const [innerWidth, innerHeight] = await script(() => [window.innerWidth, window.innerHeight], []);
    await driver.manage().window().setRect({ width: 2 * width - innerWidth, height: 2 * height - innerHeight });
  };
  const session = {
    navigate: (handle, url) => serial(handle, () => load(() => driver.get(url))),
    reload: (handle) => serial(handle, () => load(() => driver.navigate().refresh())),
    run: (handle, frame, fn, ...args) => serial(handle, async () => {
      if (!frame) return script(fn, args);
      await driver.switchTo().frame(await driver.findElement(By.css(frame)));
      try { return await script(fn, args); } finally { await driver.switchTo().defaultContent(); }
    }),
    runText: (handle, text) => serial(handle, () => driver.executeScript(text)),
    press: (handle, keys) => serial(handle, () => {
      const [key, ...modifiers] = keys.split('+').reverse().map((name) => webdriverKey(Key, name));
      let actions = driver.actions();
      for (const modifier of modifiers) actions = actions.keyDown(modifier);
      actions = actions.keyDown(key).keyUp(key);
      for (const modifier of modifiers.reverse()) actions = actions.keyUp(modifier);
      return actions.perform();
    }),
    type: (handle, text) => serial(handle, () => driver.actions().sendKeys(text).perform()),
    click: (handle, selector) => serial(handle, async () => (await driver.findElement(By.css(selector))).click()),
    setFiles: (handle, selector, files) => serial(handle, async () => (await driver.findElement(By.css(selector))).sendKeys(files.join('\n'))),
    viewport: (handle, size) => serial(handle, () => sizeView(size)),
    newPage: () => serial(null, async () => {
      await driver.switchTo().newWindow('window');
      current = await driver.getWindowHandle();
      windows.add(current);
      await sizeView({ width: 1000, height: 800 });
      return current;
    }),
    closePage: (handle) => serial(handle, async () => {
      await take();
      await driver.close();
      windows.delete(handle);
      current = [...windows][0];
      await driver.switchTo().window(current);
    }),
    downloads: async () => {
      for (const handle of windows) await serial(handle, take).catch(() => {});
      const done = taken;
      taken = [];
      return done;
    },
    close: async () => {
      await session.downloads();
      await serial(null, () => driver.quit());
      await service.kill();
    },
  };
  await serial(null, () => sizeView({ width: 1000, height: 800 }));
  return { session, first: current };
}

module.exports = { EngineBrowser, firefoxSession, webkitSession };
