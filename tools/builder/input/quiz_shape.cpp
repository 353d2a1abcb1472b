#include "tools/builder/input/quiz_shape.h"

#include <array>

namespace {

using enum KeyUse;

struct KeyRow {
    EntryKey key;
    const char* name;
    KeyRule rule;
    std::array<KeyUse, 4> use;  // by QuizKind or RevealKind value, as `rule` says; [0] for Always
    bool isFile;
    const char* label;          // the studio's heading
};

// The one statement of which key goes with which kind and reveal. The clue
// of a picture, sound or video quiz is stored but never shown; a web clip
// is for the web page only, which plays no AVI.
constexpr KeyRow keyRows[] = {
    {EntryKey::Clue, "clue", KeyRule::Kind, {Required, Stored, Stored, Stored}, false, "Indice"},
    {EntryKey::Answers, "answers", KeyRule::Always, {Required}, false, "Réponse"},
    {EntryKey::Media, "media", KeyRule::Kind, {Refused, Required, Required, Required}, true, "Média"},
    {EntryKey::RevealPicture, "revealPicture", KeyRule::Reveal, {Refused, Required, Refused}, true, "Image révélée"},
    {EntryKey::RevealText, "revealText", KeyRule::Reveal, {Refused, Refused, Optional}, false, "Texte révélé"},
    {EntryKey::WebClip, "webClip", KeyRule::Kind, {Refused, Refused, Refused, Optional}, true, "Clip web"},
};

constexpr std::array<const char*, std::size(keyRows)> keyNames = {
    keyRows[0].name, keyRows[1].name, keyRows[2].name, keyRows[3].name, keyRows[4].name, keyRows[5].name};

// How the studio lays an entry out, the media first, as the player does.
constexpr EntryKey shownOrder[] = {EntryKey::Clue,    EntryKey::Media,         EntryKey::WebClip,
                                   EntryKey::Answers, EntryKey::RevealPicture, EntryKey::RevealText};

const KeyRow& rowOf(EntryKey key)
{
    return keyRows[static_cast<std::size_t>(key)];
}

std::optional<CsvColumn> columnOf(EntryKey key, int answer)
{
    switch (key) {
    case EntryKey::Clue: return CsvColumn::Clue;
    case EntryKey::Answers: return answer == 1 ? CsvColumn::Answer2 : CsvColumn::Answer1;
    case EntryKey::Media: return CsvColumn::Media;
    case EntryKey::RevealPicture: return CsvColumn::RevealPicture;
    case EntryKey::RevealText: return CsvColumn::RevealText;
    case EntryKey::WebClip: break;
    }
    return std::nullopt;
}

bool required(EntryKey key, std::optional<QuizKind> kind, std::optional<RevealKind> reveal)
{
    return entryKeyUse(key, kind, reveal) == Required;
}

}  // namespace

const char* entryKeyName(EntryKey key)
{
    return rowOf(key).name;
}

std::span<const char* const> entryKeyNames()
{
    return keyNames;
}

KeyRule entryKeyRule(EntryKey key)
{
    return rowOf(key).rule;
}

KeyUse entryKeyUse(EntryKey key, QuizKind kind, RevealKind reveal)
{
    const KeyRow& row = rowOf(key);
    switch (row.rule) {
    case KeyRule::Kind: return row.use[static_cast<std::size_t>(kind)];
    case KeyRule::Reveal: return row.use[static_cast<std::size_t>(reveal)];
    case KeyRule::Always: break;
    }
    return row.use[0];
}

std::optional<KeyUse> entryKeyUse(EntryKey key, std::optional<QuizKind> kind, std::optional<RevealKind> reveal)
{
    KeyRule rule = entryKeyRule(key);
    if ((rule == KeyRule::Kind && !kind) || (rule == KeyRule::Reveal && !reveal))
        return std::nullopt;
    return entryKeyUse(key, kind.value_or(QuizKind::Text), reveal.value_or(RevealKind::None));
}

CsvColumnsNeeded csvColumnsNeeded(std::optional<QuizKind> kind, std::optional<int32_t> answersPerEntry,
                                  std::optional<RevealKind> reveal)
{
    CsvColumnsNeeded needed;
    needed.clue = required(EntryKey::Clue, kind, reveal);
    needed.secondAnswer = answersPerEntry == 2;
    needed.media = required(EntryKey::Media, kind, reveal);
    needed.revealPicture = required(EntryKey::RevealPicture, kind, reveal);
    return needed;
}

QuizShape quizShapeOf(QuizKind kind, int32_t answersPerEntry, RevealKind reveal, const std::string (&answerLabels)[2])
{
    QuizShape shape;
    shape.csvNeeded = csvColumnsNeeded(kind, answersPerEntry, reveal);
    int answers = answersPerEntry == 2 ? 2 : 1;
    for (EntryKey key : shownOrder) {
        KeyUse use = entryKeyUse(key, kind, reveal);
        if (use == Refused)
            continue;
        shape.keys.push_back(key);
        if (use == Stored)
            continue;
        const KeyRow& row = rowOf(key);
        if (key != EntryKey::Answers) {
            shape.fields.push_back({row.name, key, use, -1, row.isFile, row.label, columnOf(key, -1)});
            continue;
        }
        for (int answer = 0; answer < answers; ++answer) {
            const std::string& given = answerLabels[answer];
            std::string label = answers == 2 && !given.empty() ? given : row.label + (" " + std::to_string(answer + 1));
            shape.fields.push_back({"answers[" + std::to_string(answer) + "]", key, use, answer, false, label,
                                    columnOf(key, answer)});
        }
    }
    return shape;
}
