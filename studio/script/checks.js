// The builder's checks on the quiz in the studio: quiz.json and the media
// go into the builder's memory, `quizbuild check --lang fr --records` runs,
// and each record it writes becomes a problem placed at its field, with the
// French line the command prints. The studio adds no rule.
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

// A record {entry, field: "answers", item: 2, severity, id, line} → the
// problem at the control named "answers[1]".
function problemOf(record) {
  const field = record.field + (record.item > 0 ? '[' + (record.item - 1) + ']' : '');
  return { line: record.line, entry: record.entry, field, warning: record.severity === 'warning', id: record.id };
}

function linesOf(bytes) {
  return utf8Decoder.decode(bytes).split('\n').filter((line) => line !== '');
}

// Runs the checks; the problems and the summary line are kept in `checking`.
function runChecks(builder) {
  const started = performance.now();
  syncBuilderFiles(builder);
  const result = builder.run(['check', descriptionName, '--lang', 'fr', '--records']);
  const lines = linesOf(result.stdout);
  checking.problems = lines.filter((line) => line.startsWith('{')).map((line) => problemOf(JSON.parse(line)));
  checking.summary = lines.filter((line) => !line.startsWith('{')).join(' ');
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
