#include "tools/builder/input/quiz_description.h"

#include "quiz/payload.h"
#include "quiz/quiz_link.h"
#include "quiz/windows_1252.h"
#include "tools/builder/input/answer_warnings.h"
#include "tools/builder/input/csv_entries.h"
#include "tools/builder/input/header_labels.h"
#include "tools/builder/input/json_text.h"
#include "tools/builder/input/quiz_shape.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <span>

using Json = nlohmann::json;

namespace {

constexpr const char* topLevelKeys[] = {"kind",         "title",  "author",      "description", "answersPerEntry",
                                        "answerLabels", "reveal", "boardColour", "entries",     "codes",
                                        "link"};
constexpr const char* kindNames[] = {"text", "picture", "sound", "video"};  // by QuizKind value
constexpr const char* revealNames[] = {"none", "picture", "text"};          // by RevealKind value

std::string typeName(const Json& value)
{
    switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "a boolean";
    case Json::value_t::string: return "a string";
    case Json::value_t::array: return "an array";
    case Json::value_t::object: return "an object";
    default: return "a number";
    }
}


// --- Members --------------------------------------------------------------

const Json* member(const Json& object, const char* key)
{
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

void refuseUnknownKeys(const Json& object, std::span<const char* const> known, const Place& where,
                       Diagnostics& diagnostics)
{
    for (const auto& [key, value] : object.items()) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || key == name;
        if (!isKnown)
            reportError(diagnostics, where, MessageId::UnknownKey, {key, listValue(known)});
    }
}

}  // namespace

std::string characterWithoutWindows1252(const std::string& utf8)
{
    // Bounded by the text's length: every step moves past one sequence.
    for (std::size_t at = 0; at < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[at]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (at + length > utf8.size())
            break;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t next = 1; next < length; ++next)
            codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8[at + next]) & 0x3F);
        if (windows1252ByteOf(codePoint) < 0)
            return utf8.substr(at, length);
        at += length;
    }
    return "";
}

namespace {

// Why a text cannot be stored in Windows-1252: the first character it
// lacks, named for the author, or a text that is no UTF-8.
Message windows1252Refusal(const std::string& utf8, const std::string& problem)
{
    std::string lacking = characterWithoutWindows1252(utf8);
    if (lacking.empty())
        return {MessageId::NotWindows1252Text, {problem}};
    return {MessageId::NotWindows1252Character, {problem, lacking}};
}

// Every stored text is a single line of at most 259 Windows-1252 bytes; the
// quiz payload's fields are also "|"-separated, while codes are CR LF lines
// and the link is a resource of its own.
enum class TextUse { PayloadField, Code, Link };

std::string checkedText(const Json& value, const Place& where, TextUse use, Diagnostics& diagnostics)
{
    if (!value.is_string()) {
        reportError(diagnostics, where, MessageId::ExpectedString, {typeName(value)});
        return "";
    }
    TextConversion conversion = utf8ToWindows1252(value.get_ref<const std::string&>());
    if (!conversion.converted) {
        reportError(diagnostics, where, windows1252Refusal(value.get_ref<const std::string&>(), conversion.problem));
        return "";
    }
    const std::string& text = conversion.text;
    if (text.size() > QuizTextSize - 1)
        reportError(diagnostics, where, MessageId::TextTooLong,
                    {std::to_string(text.size()), std::to_string(QuizTextSize - 1),
                     std::to_string(text.size() - (QuizTextSize - 1))});
    if (text.find('\r') != std::string::npos)
        reportError(diagnostics, where, MessageId::HoldsCarriageReturn);
    if (text.find('\n') != std::string::npos)
        reportError(diagnostics, where, MessageId::HoldsLineFeed);
    if (text.find('\0') != std::string::npos)
        reportError(diagnostics, where, MessageId::HoldsZero);
    if (use == TextUse::PayloadField && text.find(static_cast<char>(fieldSeparator)) != std::string::npos)
        reportError(diagnostics, where, MessageId::HoldsSeparator,
                    {fieldKey(where).rfind("answers", 0) == 0 ? "an answer" : "a text"});
    return text;
}

std::string optionalText(const Json& object, const char* key, const Place& where, Diagnostics& diagnostics)
{
    const Json* value = member(object, key);
    return value ? checkedText(*value, where, TextUse::PayloadField, diagnostics) : "";
}

// The index of the value among `names`; `fallback` when the key is absent
// (-1: the key is required); -1 after an error.
int choiceOf(const Json& object, const char* key, std::span<const char* const> names, int fallback,
             Diagnostics& diagnostics)
{
    const Json* value = member(object, key);
    std::string expected = listValue(names);
    if (!value) {
        if (fallback < 0)
            reportError(diagnostics, key, MessageId::ChoiceMissing, {expected});
        return fallback;
    }
    if (!value->is_string()) {
        reportError(diagnostics, key, MessageId::ChoiceNotString, {expected, typeName(*value)});
        return -1;
    }
    for (std::size_t at = 0; at < names.size(); ++at)
        if (value->get_ref<const std::string&>() == names[at])
            return static_cast<int>(at);
    reportError(diagnostics, key, MessageId::ChoiceUnknown, {value->get<std::string>(), expected});
    return -1;
}

// Media paths stay as written: they name files, not stored texts.
std::string mediaPath(const Json& entry, const char* key, const Place& where, Diagnostics& diagnostics)
{
    const Json* value = member(entry, key);
    if (!value)
        return "";
    if (!value->is_string() || value->get_ref<const std::string&>().empty()) {
        reportError(diagnostics, where, MessageId::ExpectedFilePath,
                    {value->is_string() ? std::string("an empty string") : typeName(*value)});
        return "";
    }
    return value->get<std::string>();
}

// --- The quiz -------------------------------------------------------------

// Where a field of one entry is, for its problems: "entry 3, answers[1]" in
// the description, or a line and column of a spreadsheet's CSV.
using EntryPlaces = std::function<Place(const std::string& field)>;

struct Rules {
    std::optional<QuizKind> kind;      // unset when the kind itself is wrong
    std::optional<RevealKind> reveal;
    std::optional<int32_t> answersPerEntry;
};

// What the quiz's shape (quiz_shape.h) makes of the key; nullopt while the
// setting it depends on is wrong.
std::optional<KeyUse> useOf(const Rules& rules, EntryKey key)
{
    return entryKeyUse(key, rules.kind, rules.reveal);
}

bool refused(const Json& entry, const Rules& rules, EntryKey key)
{
    return useOf(rules, key) == KeyUse::Refused && member(entry, entryKeyName(key));
}

bool missing(const Json& entry, const Rules& rules, EntryKey key)
{
    return useOf(rules, key) == KeyUse::Required && !member(entry, entryKeyName(key));
}

void readAnswers(const Json& entry, const EntryPlaces& placeOf, const Rules& rules, EntryDescription& out,
                 Diagnostics& diagnostics)
{
    Place where = placeOf("answers");
    const Json* answers = member(entry, "answers");
    if (!answers) {
        reportError(diagnostics, where, MessageId::AnswersMissing);
        return;
    }
    if (!answers->is_array()) {
        reportError(diagnostics, where, MessageId::AnswersNotArray, {typeName(*answers)});
        return;
    }
    if (rules.answersPerEntry && answers->size() != static_cast<std::size_t>(*rules.answersPerEntry))
        reportError(diagnostics, where, MessageId::AnswerCount,
                    {std::to_string(answers->size()), std::to_string(*rules.answersPerEntry)});
    for (std::size_t at = 0; at < answers->size(); ++at) {
        Place answerWhere = placeOf("answers[" + std::to_string(at) + "]");
        std::size_t errorsBefore = diagnostics.errors.size();
        std::string text = checkedText((*answers)[at], answerWhere, TextUse::PayloadField, diagnostics);
        if (diagnostics.errors.size() == errorsBefore)
            warnAboutAnswer(text, answerWhere, diagnostics);
        if (at < 2)
            out.answers[at] = text;
    }
}

// A reveal item under another reveal would be dropped when the payload is
// written, so it is refused rather than lost.
void refuseUnrevealed(const Json& entry, EntryKey key, RevealKind needed, const Rules& rules,
                      const Place& where, Diagnostics& diagnostics)
{
    if (refused(entry, rules, key))
        reportError(diagnostics, where, MessageId::RevealRefused,
                    {revealKindName(*rules.reveal), revealKindName(needed)});
}

void readEntryMedia(const Json& entry, const EntryPlaces& placeOf, const Rules& rules, EntryDescription& out,
                    Diagnostics& diagnostics)
{
    Place mediaWhere = out.mediaPlace = placeOf("media");
    out.media = mediaPath(entry, "media", mediaWhere, diagnostics);
    if (refused(entry, rules, EntryKey::Media))
        reportError(diagnostics, mediaWhere, MessageId::MediaInTextQuiz);
    if (missing(entry, rules, EntryKey::Media))
        reportError(diagnostics, mediaWhere, MessageId::MediaMissing, {quizKindName(*rules.kind)});

    Place pictureWhere = out.revealPicturePlace = placeOf("revealPicture");
    out.revealPicture = mediaPath(entry, "revealPicture", pictureWhere, diagnostics);
    refuseUnrevealed(entry, EntryKey::RevealPicture, RevealKind::Picture, rules, pictureWhere, diagnostics);
    if (missing(entry, rules, EntryKey::RevealPicture))
        reportError(diagnostics, pictureWhere, MessageId::RevealPictureMissing);

    Place clipWhere = out.webClipPlace = placeOf("webClip");
    out.webClip = mediaPath(entry, "webClip", clipWhere, diagnostics);
    if (refused(entry, rules, EntryKey::WebClip))
        reportError(diagnostics, clipWhere, MessageId::ClipRefused, {quizKindName(*rules.kind)});

    Place textWhere = placeOf("revealText");
    out.revealText = optionalText(entry, "revealText", textWhere, diagnostics);
    refuseUnrevealed(entry, EntryKey::RevealText, RevealKind::Text, rules, textWhere, diagnostics);
}

EntryDescription readEntry(const Json& entry, const EntryPlaces& placeOf, const Rules& rules, Diagnostics& diagnostics)
{
    EntryDescription out;
    if (!entry.is_object()) {
        reportError(diagnostics, placeOf(""), MessageId::EntryNotObject, {typeName(entry)});
        return out;
    }
    refuseUnknownKeys(entry, entryKeyNames(), placeOf(""), diagnostics);
    readAnswers(entry, placeOf, rules, out, diagnostics);
    out.clue = optionalText(entry, "clue", placeOf("clue"), diagnostics);
    if (missing(entry, rules, EntryKey::Clue))
        reportError(diagnostics, placeOf("clue"), MessageId::ClueMissing);
    readEntryMedia(entry, placeOf, rules, out, diagnostics);
    return out;
}

// Entries kept in a spreadsheet's CSV file, checked entry by entry as the
// description's own would be.
void readEntriesFile(const std::string& path, const Rules& rules, const EntriesFileReader& readFile,
                     QuizDescription& quiz, Diagnostics& diagnostics)
{
    quiz.entriesFile = path;
    if (path.empty()) {
        reportError(diagnostics, "entries", MessageId::EntriesPathEmpty);
        return;
    }
    FileRead read = readFile ? readFile(path) : FileRead{{}, "no CSV file can be read here"};
    if (!read.problem.empty()) {
        if (read.problem == "not found")
            reportError(diagnostics, "entries", MessageId::EntriesFileNotFound, {path});
        else
            reportError(diagnostics, "entries", MessageId::EntriesFileUnreadable, {path, read.problem});
        return;
    }
    CsvColumnsNeeded needed = csvColumnsNeeded(rules.kind, rules.answersPerEntry, rules.reveal);
    std::string name = escaped(path);
    std::size_t errorsBefore = diagnostics.errors.size();
    const char* encoding = "";
    std::vector<CsvEntry> rows = readCsvEntries(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()), name, needed,
        diagnostics, &encoding);
    quiz.entriesEncoding = encoding;
    if (diagnostics.errors.size() != errorsBefore)
        return;
    if (rows.empty())
        reportError(diagnostics, csvFilePlace(name), MessageId::EntriesFileNoEntries);
    if (rows.size() > std::size_t(MaxEntries))
        reportError(diagnostics, csvFilePlace(name), MessageId::EntriesFileTooMany,
                    {std::to_string(rows.size()), std::to_string(MaxEntries), std::to_string(rows.size() - MaxEntries)});
    for (const CsvEntry& row : rows)
        quiz.entries.push_back(readEntry(
            row.fields, [&row, &name](const std::string& field) { return csvPlace(row, name, field); }, rules,
            diagnostics));
}

void readEntries(const Json& root, const Rules& rules, const EntriesFileReader& readFile, QuizDescription& quiz,
                 Diagnostics& diagnostics)
{
    const Json* entries = member(root, "entries");
    if (!entries) {
        reportError(diagnostics, "entries", MessageId::EntriesMissing);
        return;
    }
    if (entries->is_string()) {
        readEntriesFile(entries->get<std::string>(), rules, readFile, quiz, diagnostics);
        return;
    }
    if (!entries->is_array()) {
        reportError(diagnostics, "entries", MessageId::EntriesNotArray, {typeName(*entries)});
        return;
    }
    if (entries->empty())
        reportError(diagnostics, "entries", MessageId::EntriesEmpty);
    if (entries->size() > MaxEntries)
        reportError(diagnostics, "entries", MessageId::EntriesTooMany,
                    {std::to_string(entries->size()), std::to_string(MaxEntries),
                     std::to_string(entries->size() - MaxEntries)});
    for (std::size_t index = 0; index < entries->size(); ++index)
        quiz.entries.push_back(readEntry(
            (*entries)[index], [index](const std::string& field) { return entryField(index, field); }, rules,
            diagnostics));
}

void readCodes(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* codes = member(root, "codes");
    if (!codes)
        return;
    if (!codes->is_array()) {
        reportError(diagnostics, "codes", MessageId::CodesNotArray, {typeName(*codes)});
        return;
    }
    for (std::size_t at = 0; at < codes->size(); ++at)
        quiz.codes.push_back(
            checkedText((*codes)[at], Place("codes[" + std::to_string(at) + "]"), TextUse::Code, diagnostics));
    // A CSV file of entries that could not be read has had its problems
    // told; its entries are not counted against the codes.
    if (!quiz.entriesFile.empty() && quiz.entries.empty())
        return;
    std::size_t entries = quiz.entries.size();
    std::string codeCount = std::to_string(codes->size()), entryCount = std::to_string(entries);
    if (codes->size() > entries)
        reportError(diagnostics, "codes", MessageId::CodesTooMany, {codeCount, entryCount});
    else if (codes->size() < entries)
        reportWarning(diagnostics, "codes", MessageId::CodesTooFew,
                      {codeCount, entryCount, std::to_string(entries - codes->size())});
}

std::optional<int32_t> readAnswersPerEntry(const Json& root, Diagnostics& diagnostics)
{
    const Json* value = member(root, "answersPerEntry");
    if (!value)
        return 1;
    if (value->is_number_integer() && (*value == 1 || *value == 2))
        return value->get<int32_t>();
    if (value->is_number())
        reportError(diagnostics, "answersPerEntry", MessageId::AnswersPerEntryNumber, {value->dump()});
    else
        reportError(diagnostics, "answersPerEntry", MessageId::AnswersPerEntryType, {typeName(*value)});
    return std::nullopt;
}

void readAnswerLabels(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* labels = member(root, "answerLabels");
    if (!labels)
        return;
    if (!labels->is_array() || labels->size() != 2) {
        if (labels->is_array())
            reportError(diagnostics, "answerLabels", MessageId::AnswerLabelsCount, {std::to_string(labels->size())});
        else
            reportError(diagnostics, "answerLabels", MessageId::AnswerLabelsType, {typeName(*labels)});
        return;
    }
    for (std::size_t at = 0; at < 2; ++at)
        quiz.answerLabels[at] = checkedText((*labels)[at], Place("answerLabels[" + std::to_string(at) + "]"),
                                            TextUse::PayloadField, diagnostics);
}

// The link is opened by the shell on a click, which would as readily run a
// program or open a local file: only web and mail addresses are taken.
void readLink(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* value = member(root, "link");
    if (!value)
        return;
    std::size_t errorsBefore = diagnostics.errors.size();
    std::string link = checkedText(*value, "link", TextUse::Link, diagnostics);
    if (diagnostics.errors.size() != errorsBefore || link.empty())  // "" is no link
        return;
    switch (quizLinkFault(link.data(), link.size())) {
    case QuizLinkFault::None: quiz.link = link; break;
    case QuizLinkFault::Scheme:
        // A bare address ("www.college.fr") gets its mended form as example.
        reportError(diagnostics, "link",
                    value->get<std::string>().find(':') == std::string::npos ? MessageId::LinkSchemeMissing
                                                                              : MessageId::LinkScheme,
                    {value->get<std::string>(), quizLinkSchemes});
        break;
    case QuizLinkFault::TooLong:  // told by checkedText
        break;
    case QuizLinkFault::ControlCharacter:
        reportError(diagnostics, "link", MessageId::LinkControl);
        break;
    }
}

void readBoardColour(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* value = member(root, "boardColour");
    if (!value)
        return;
    if (!value->is_string() || !parseColour(value->get<std::string>(), quiz.boardColour))
        reportError(diagnostics, "boardColour", value->is_string() ? MessageId::ColourBad : MessageId::ColourBadType,
                    {value->is_string() ? value->get<std::string>() : typeName(*value)});
}

}  // namespace

QuizDescription readQuizDescription(std::string_view json, Diagnostics& diagnostics,
                                    const EntriesFileReader& readEntriesFile)
{
    QuizDescription quiz;
    Json root;
    if (!parseJson(json, root, diagnostics))
        return quiz;
    if (!root.is_object()) {
        reportError(diagnostics, "", MessageId::TopLevelNotObject, {typeName(root)});
        return quiz;
    }
    refuseUnknownKeys(root, topLevelKeys, "", diagnostics);

    Rules rules;
    if (int kind = choiceOf(root, "kind", kindNames, -1, diagnostics); kind >= 0)
        rules.kind = quiz.kind = static_cast<QuizKind>(kind);
    if (int reveal = choiceOf(root, "reveal", revealNames, 0, diagnostics); reveal >= 0)
        rules.reveal = quiz.reveal = static_cast<RevealKind>(reveal);
    rules.answersPerEntry = readAnswersPerEntry(root, diagnostics);
    quiz.answersPerEntry = rules.answersPerEntry.value_or(1);

    if (const Json* title = member(root, "title"))
        quiz.title = checkedText(*title, "title", TextUse::PayloadField, diagnostics);
    else
        reportError(diagnostics, "title", MessageId::TitleMissing);
    quiz.author = optionalText(root, "author", "author", diagnostics);
    quiz.description = optionalText(root, "description", "description", diagnostics);
    readLink(root, quiz, diagnostics);
    readAnswerLabels(root, quiz, diagnostics);
    readBoardColour(root, quiz, diagnostics);
    readEntries(root, rules, readEntriesFile, quiz, diagnostics);
    readCodes(root, quiz, diagnostics);
    warnAboutHeaderTexts({quiz.title, quiz.description, quiz.author, quiz.link, quiz.codes}, diagnostics);
    return quiz;
}

bool parseColour(const std::string& text, uint32_t& colour)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    uint32_t rgb = 0;
    for (std::size_t at = 1; at < 7; ++at) {
        char c = text[at];
        int digit = c >= '0' && c <= '9' ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return false;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    colour = (rgb >> 16) | (rgb & 0x00FF00) | ((rgb & 0xFF) << 16);
    return true;
}

std::string colourText(uint32_t colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

const char* quizKindName(QuizKind kind)
{
    int index = static_cast<int>(kind);
    return index >= 0 && index < int(std::size(kindNames)) ? kindNames[index] : "unknown";
}

const char* revealKindName(RevealKind reveal)
{
    int index = static_cast<int>(reveal);
    return index >= 0 && index < int(std::size(revealNames)) ? revealNames[index] : "unknown";
}
