// The builder's checks on the quiz in the studio: quiz.json and the media
// go into the builder's memory, `quizbuild check` runs, and each line it
// prints becomes a problem placed at its field. The studio adds no rule.
const descriptionName = 'quiz.json';
const checking = { synced: new Map(), problems: [], summary: '', failed: false };
const utf8Encoder = new TextEncoder();
const utf8Decoder = new TextDecoder();

// Only media that changed go in again: a keystroke rewrites quiz.json alone.
function syncBuilderFiles(builder) {
  for (const [path, bytes] of workspace.media)
    if (checking.synced.get(path) !== bytes) {
      builder.putFile(path, bytes);
      checking.synced.set(path, bytes);
    }
  for (const path of [...checking.synced.keys()])
    if (!workspace.media.has(path)) {
      builder.removeFile(path);
      checking.synced.delete(path);
    }
  builder.putFile(descriptionName, utf8Encoder.encode(descriptionText(workspace.quiz)));
}

// "quiz.json: entry 3, answers[1]: 262 bytes ..." → where it points.
function problemOf(line) {
  const problem = { line, entry: 0, field: '', warning: line.includes(': warning: ') };
  const rest = line.startsWith(descriptionName + ': ') ? line.slice(descriptionName.length + 2) : '';
  const entry = /^entry (\d+)(?:, ([A-Za-z]+(?:\[\d+\])?))?: /.exec(rest);
  if (entry) {
    problem.entry = Number(entry[1]);
    problem.field = entry[2] || '';
    return problem;
  }
  const field = /^([A-Za-z]+)(\[\d+\])?: /.exec(rest);
  if (field && !(field[1] === 'warning' && !field[2])) problem.field = field[1] + (field[2] || '');
  return problem;
}

function linesOf(bytes) {
  return utf8Decoder.decode(bytes).split('\n').filter((line) => line !== '');
}

// Runs the checks; the problems and the summary line are kept in `checking`.
function runChecks(builder) {
  const started = performance.now();
  syncBuilderFiles(builder);
  const result = builder.run(['check', descriptionName]);
  checking.problems = linesOf(result.stderr).map(problemOf);
  checking.summary = linesOf(result.stdout).join(' ');
  checking.failed = result.exitCode !== 0;
  performance.measure('studio-check', { start: started });
  return checking;
}

// A list kept in one control ("codes") holds the problems of its items ("codes[2]").
function problemsAt(entry, field) {
  const items = field !== '' && !field.includes('[') ? field + '[' : null;
  return checking.problems.filter((problem) => problem.entry === entry
    && (problem.field === field || (items && problem.field.startsWith(items))));
}
