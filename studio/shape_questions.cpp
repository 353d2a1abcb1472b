// What the studio asks the builder about a quiz's shape and settings: the
// fields, CSV columns and limits its table and form are drawn from, from
// the table the description's checks use (quiz_shape.h), and whether a
// setting's value passes the checks themselves (setting_check.h). Answers
// go back as JSON text that shape-questions.js parses.
#include "quiz/picture_size.h"
#include "quiz/quiz.h"
#include "tools/builder/input/csv_column_names.h"
#include "tools/builder/input/csv_entries.h"
#include "tools/builder/input/media_limits.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/input/quiz_shape.h"
#include "tools/builder/input/setting_check.h"

#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace {

using Json = nlohmann::json;

// Kept until the next call, for the page to copy out.
std::string lastShape;

// A kind or reveal the builder would refuse is drawn as the one it most
// resembles to an author: media shown, nothing revealed.
QuizKind kindNamed(std::string_view name)
{
    for (QuizKind kind : {QuizKind::Text, QuizKind::Picture, QuizKind::Sound, QuizKind::Video})
        if (name == quizKindName(kind))
            return kind;
    return QuizKind::Picture;
}

RevealKind revealNamed(std::string_view name)
{
    for (RevealKind reveal : {RevealKind::None, RevealKind::Picture, RevealKind::Text})
        if (name == revealKindName(reveal))
            return reveal;
    return RevealKind::None;
}

const char* useName(KeyUse use)
{
    return use == KeyUse::Required ? "required" : "optional";
}

Json fieldJson(const ShapeField& field)
{
    Json json = {{"field", field.field},      {"key", entryKeyName(field.key)}, {"label", field.label},
                 {"use", useName(field.use)}, {"file", field.isFile}};
    if (field.answer >= 0)
        json["answer"] = field.answer;
    if (field.column)
        json["column"] = csvColumnName(*field.column);
    return json;
}

bool needs(const CsvColumnsNeeded& needed, CsvColumn column)
{
    switch (column) {
    case CsvColumn::Clue: return needed.clue;
    case CsvColumn::Answer1: return true;
    case CsvColumn::Answer2: return needed.secondAnswer;
    case CsvColumn::Media: return needed.media;
    case CsvColumn::RevealPicture: return needed.revealPicture;
    case CsvColumn::RevealText: break;
    }
    return false;
}

Json csvColumnsJson(const CsvColumnsNeeded& needed)
{
    Json columns = Json::array();
    for (const CsvColumnSpelling& spelling : csvColumnSpellings())
        columns.push_back({{"name", spelling.english}, {"french", spelling.french}, {"needed", needs(needed, spelling.column)}});
    return columns;
}

Json limitsJson()
{
    return {{"textLength", QuizTextSize - 1},
            {"entries", MaxEntries},
            {"pictureSide", LargestPictureSide},
            {"mediaFileBytes", MaxMediaFileBytes},
            {"mediaTotalBytes", MaxMediaTotalBytes},
            {"entriesFileBytes", MaxEntriesFileBytes},
            {"descriptionBytes", MaxDescriptionBytes}};
}

}  // namespace

extern "C" {

// The shape of an entry of a quiz of `kind` ("text", ...), `answersPerEntry`
// and `reveal` ("none", ...), with `answerLabels` (a JSON array of two
// texts) heading a two-answer quiz's answers, as JSON:
// {"keys": ["clue", "media", ...], "fields": [{"field": "answers[0]", "key":
// "answers", "answer": 0, "label": "Réponse 1", "use": "required", "file":
// false, "column": "answer1"}, ...], "csvColumns": [{"name": "clue",
// "french": "indice", "needed": true}, ...], "limits": {"textLength": ...,
// "entries": ..., "pictureSide": ..., "mediaFileBytes": ..., "mediaTotalBytes":
// ..., "entriesFileBytes": ..., "descriptionBytes": ...}}, the limits being
// the builder's own constants.
EMSCRIPTEN_KEEPALIVE const char* studioQuizShape(const char* kind, int answersPerEntry, const char* reveal,
                                                 const char* answerLabels)
{
    std::string labels[2];
    Json given = Json::parse(answerLabels, nullptr, false);
    for (std::size_t at = 0; at < 2; ++at)
        if (given.is_array() && at < given.size() && given[at].is_string())
            labels[at] = given[at].get<std::string>();
    QuizShape shape = quizShapeOf(kindNamed(kind), answersPerEntry, revealNamed(reveal), labels);
    Json keys = Json::array(), fields = Json::array();
    for (EntryKey key : shape.keys)
        keys.push_back(entryKeyName(key));
    for (const ShapeField& field : shape.fields)
        fields.push_back(fieldJson(field));
    lastShape = Json{{"keys", keys}, {"fields", fields}, {"csvColumns", csvColumnsJson(shape.csvNeeded)},
                     {"limits", limitsJson()}}
                    .dump(-1, ' ', false, Json::error_handler_t::replace);
    return lastShape.c_str();
}

// Whether the top-level `key` ("boardColour", "link") holding `value` (JSON
// text) passes the builder's checks: 1 when it does.
EMSCRIPTEN_KEEPALIVE int studioSettingPasses(const char* key, const char* value)
{
    Json parsed = Json::parse(value, nullptr, false);
    return !parsed.is_discarded() && settingPasses(key, parsed) ? 1 : 0;
}

}  // extern "C"
