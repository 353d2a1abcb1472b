// The builder's description of a quiz's shape and its checks of settings
// (shape_questions.cpp): appended to the module's script beside
// builder-session.js.

// { keys, fields, csvColumns, limits } for the quiz's kind, answers per
// entry, reveal and answer labels (see studioQuizShape).
Module['quizShape'] = function (quiz) {
  var labels = JSON.stringify(Array.isArray(quiz.answerLabels) ? quiz.answerLabels : []);
  return withString(String(quiz.kind), function (kind) {
    return withString(String(quiz.reveal), function (reveal) {
      return withString(labels, function (labelsPointer) {
        return JSON.parse(UTF8ToString(_studioQuizShape(kind, Number(quiz.answersPerEntry) || 0, reveal, labelsPointer)));
      });
    });
  });
};

// Whether the quiz's setting `key` holding `value` passes the builder's checks.
Module['settingPasses'] = function (key, value) {
  return withString(key, function (keyPointer) {
    return withString(JSON.stringify(value === undefined ? null : value), function (valuePointer) {
      return _studioSettingPasses(keyPointer, valuePointer) === 1;
    });
  });
};
