// Pictures fitted to the board as they come in: the builder's own fitting
// (studioFitPicture, what quizbuild --fit-pictures does) shrinks a picture
// whose long side is over twice the board's box and stores it as JPEG. It
// runs in workers that start the same WebAssembly module from the page's
// own copy (a blob: worker works on a page opened from disk), so the page
// keeps answering while 90 photos are fitted; where no worker starts, the
// page's module fits them, one picture between two frames. The fitted
// pictures replace the originals as one step, which undo takes back.
// Jobs wait in `queue` for the first worker free: one large PNG does not
// hold up the photos behind it.
const fitting = { workers: null, jobs: new Map(), queue: [], nextJob: 1 };

// Runs in the worker, after the builder module's script.
function fittingWorkerMain() {
  let builder = null;
  self.onmessage = async (event) => {
    const { job, wasm, bytes } = event.data;
    if (wasm) {
      builder = quizzBuilder({ wasmBinary: wasm });
      return;
    }
    try {
      const fitted = (await builder).fitPicture(bytes);
      self.postMessage({ job, ...fitted }, fitted.bytes ? [fitted.bytes.buffer] : []);
    } catch (error) {
      self.postMessage({ job, failed: true });
    }
  };
}

function startFittingWorkers() {
  const source = document.getElementById('quizz-builder-script').textContent + '\n;(' + fittingWorkerMain + ')();\n';
  const url = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
  const wasm = dataBlockBytes('quizz-builder-wasm');
  const count = Math.max(1, Math.min(4, navigator.hardwareConcurrency || 1));
  const workers = [];
  for (let n = 0; n < count; n++) {
    const worker = new Worker(url);
    worker.onmessage = (event) => {
      worker.job = 0;
      finishJob(event.data);
      giveJobs();
    };
    worker.onerror = workersFailed;
    worker.postMessage({ wasm });
    workers.push(worker);
  }
  return workers;
}

function giveJobs() {
  for (const worker of fitting.workers) {
    if (worker.job || fitting.queue.length === 0) continue;
    worker.job = fitting.queue.shift();
    worker.postMessage({ job: worker.job, bytes: fitting.jobs.get(worker.job).bytes });
  }
}

// A worker that cannot start or run: the page fits what was asked of them.
function workersFailed() {
  fitting.workers = [];
  fitting.queue = [];
  for (const job of [...fitting.jobs.keys()]) finishJob({ job, failed: true });
}

function finishJob({ job, failed, ...fitted }) {
  const pending = fitting.jobs.get(job);
  if (!pending) return;
  fitting.jobs.delete(job);
  if (failed) fitOnPage(pending.bytes).then(pending.resolve);
  else pending.resolve(fitted);
}

async function fitOnPage(bytes) {
  await new Promise((resolve) => setTimeout(resolve, 0));
  return studio.builder.fitPicture(bytes);
}

// { bytes: the JPEG made or null when kept, shrunk, problem }.
function fitPictureBytes(bytes) {
  if (!fitting.workers) {
    try {
      fitting.workers = startFittingWorkers();
    } catch (error) {
      fitting.workers = [];
    }
  }
  if (fitting.workers.length === 0) return fitOnPage(bytes);
  const job = fitting.nextJob++;
  return new Promise((resolve) => {
    fitting.jobs.set(job, { bytes, resolve });
    fitting.queue.push(job);
    giveJobs();
  });
}

// The path a fitted picture takes: its own with .jpg, unless another file
// has that name in any letter case (the quiz's files go to Windows).
function fittedPathFor(media, path, bytes) {
  const stem = path.replace(/\.[^./\\]*$/, '');
  const taken = new Set([...media.keys()].map((name) => name.toLowerCase()));
  for (let n = 1; ; n++) {
    const candidate = stem + (n === 1 ? '' : '-' + n) + '.jpg';
    if (!taken.has(candidate.toLowerCase()) || sameBytes(media.get(candidate) || [], bytes)) return candidate;
  }
}

// fitted: [{ path, original, bytes }], each picture still as it was put in.
function replaceWithFitted(fitted) {
  change((quiz, media) => {
    for (const { path, original, bytes } of fitted) {
      if (media.get(path) !== original) continue;
      media.delete(path);
      const fittedPath = fittedPathFor(media, path, bytes);
      media.set(fittedPath, bytes);
      for (const entry of quiz.entries)
        for (const key of ['media', 'revealPicture']) if (entry[key] === path) entry[key] = fittedPath;
    }
  }, 'entries');
}

// "8 photos réduites : 31,0 Mo → 0,4 Mo".
function fittingText(fitted) {
  const before = fitted.reduce((sum, item) => sum + item.original.length, 0);
  const after = fitted.reduce((sum, item) => sum + item.bytes.length, 0);
  const count = fitted.length === 1 ? '1 photo réduite' : fitted.length + ' photos réduites';
  return count + ' : ' + sizeText(before) + ' → ' + sizeText(after) + ' (Annuler rend les originaux).';
}

// The pictures just put at `paths` replaced by `fitted` (what
// fitPictureBytes gave for each), as one step; the author is told after
// what the import said.
function replaceWithFittedAt(paths, fitted) {
  const replaced = paths.map((path, at) => ({ path, original: workspace.media.get(path), bytes: fitted[at].bytes }))
    .filter((item, at) => fitted[at].shrunk && item.original && paths.indexOf(item.path) === at);
  if (replaced.length > 0) {
    replaceWithFitted(replaced);
    sayMore(fittingText(replaced));
  }
  // Only pictures count: a sound in a picture quiz is the checks' to tell.
  const unread = paths.filter((path, at) => fitted[at].problem && workspace.media.has(path) &&
    formatOf(workspace.media.get(path), 'picture').mime.startsWith('image/')).length;
  if (unread > 0) sayMore(unread === 1 ? '1 image n’a pas pu être lue pour être réduite : elle reste telle quelle.'
    : unread + ' images n’ont pas pu être lues pour être réduites : elles restent telles quelles.');
}
