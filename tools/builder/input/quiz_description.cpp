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

std::string listOf(std::span<const char* const> names, const char* last)
{
    std::string list;
    for (std::size_t at = 0; at < names.size(); ++at) {
        if (at)
            list += at + 1 == names.size() ? last : ", ";
        list += inQuotes(names[at]);
    }
    return list;
}

// --- Members --------------------------------------------------------------

const Json* member(const Json& object, const char* key)
{
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

void refuseUnknownKeys(const Json& object, std::span<const char* const> known, const std::string& where,
                       Diagnostics& diagnostics)
{
    for (const auto& [key, value] : object.items()) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || key == name;
        if (!isKnown)
            reportError(diagnostics, where, "unknown key " + inQuotes(key) + "; known keys: " + listOf(known, ", "));
    }
}

// Every stored text is a single line of at most 259 Windows-1252 bytes; the
// quiz payload's fields are also "|"-separated, while codes are CR LF lines
// and the link is a resource of its own.
enum class TextUse { PayloadField, Code, Link };

std::string checkedText(const Json& value, const std::string& where, TextUse use, Diagnostics& diagnostics)
{
    if (!value.is_string()) {
        reportError(diagnostics, where, "expected a string, found " + typeName(value));
        return "";
    }
    TextConversion conversion = utf8ToWindows1252(value.get_ref<const std::string&>());
    if (!conversion.converted) {
        reportError(diagnostics, where, conversion.problem);
        return "";
    }
    const std::string& text = conversion.text;
    if (text.size() > QuizTextSize - 1)
        reportError(diagnostics, where,
                    std::to_string(text.size()) + " bytes in Windows-1252, at most " + std::to_string(QuizTextSize - 1));
    if (text.find('\r') != std::string::npos)
        reportError(diagnostics, where, "holds a carriage return (CR); stored texts are single lines");
    if (text.find('\n') != std::string::npos)
        reportError(diagnostics, where, "holds a line feed (LF); stored texts are single lines");
    if (text.find('\0') != std::string::npos)
        reportError(diagnostics, where, "holds a zero character (U+0000), which would end the stored text");
    if (use == TextUse::PayloadField && text.find(static_cast<char>(fieldSeparator)) != std::string::npos)
        reportError(diagnostics, where, "holds \"|\", which separates the stored fields");
    return text;
}

std::string optionalText(const Json& object, const char* key, const std::string& where, Diagnostics& diagnostics)
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
    std::string expected = "expected " + listOf(names, " or ");
    if (!value) {
        if (fallback < 0)
            reportError(diagnostics, key, "missing; " + expected);
        return fallback;
    }
    if (!value->is_string()) {
        reportError(diagnostics, key, expected + ", found " + typeName(*value));
        return -1;
    }
    for (std::size_t at = 0; at < names.size(); ++at)
        if (value->get_ref<const std::string&>() == names[at])
            return static_cast<int>(at);
    reportError(diagnostics, key, inQuotes(value->get<std::string>()) + " is not known; " + expected);
    return -1;
}

// Media paths stay as written: they name files, not stored texts.
std::string mediaPath(const Json& entry, const char* key, const std::string& where, Diagnostics& diagnostics)
{
    const Json* value = member(entry, key);
    if (!value)
        return "";
    if (!value->is_string() || value->get_ref<const std::string&>().empty()) {
        reportError(diagnostics, where,
                    "expected a file path, found " + (value->is_string() ? std::string("an empty string") : typeName(*value)));
        return "";
    }
    return value->get<std::string>();
}

// --- The quiz -------------------------------------------------------------

// Where a field of one entry is, for its problems: "entry 3, answers[1]" in
// the description, or a line and column of a spreadsheet's CSV.
using EntryPlaces = std::function<std::string(const std::string& field)>;

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
    std::string where = placeOf("answers");
    const Json* answers = member(entry, "answers");
    if (!answers) {
        reportError(diagnostics, where, "missing; expected an array of answer texts");
        return;
    }
    if (!answers->is_array()) {
        reportError(diagnostics, where, "expected an array of answer texts, found " + typeName(*answers));
        return;
    }
    if (rules.answersPerEntry && answers->size() != static_cast<std::size_t>(*rules.answersPerEntry))
        reportError(diagnostics, where,
                    countOf(answers->size(), "answer", "answers") + ", answersPerEntry is "
                        + std::to_string(*rules.answersPerEntry));
    for (std::size_t at = 0; at < answers->size(); ++at) {
        std::string answerWhere = placeOf("answers[" + std::to_string(at) + "]");
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
                      const std::string& where, Diagnostics& diagnostics)
{
    if (refused(entry, rules, key))
        reportError(diagnostics, where,
                    std::string("reveal is \"") + revealKindName(*rules.reveal)
                        + "\", so it would not be stored; remove it or set reveal to \"" + revealKindName(needed)
                        + "\"");
}

void readEntryMedia(const Json& entry, const EntryPlaces& placeOf, const Rules& rules, EntryDescription& out,
                    Diagnostics& diagnostics)
{
    std::string mediaWhere = out.mediaPlace = placeOf("media");
    out.media = mediaPath(entry, "media", mediaWhere, diagnostics);
    if (refused(entry, rules, EntryKey::Media))
        reportError(diagnostics, mediaWhere, "a text quiz shows no media, so it would not be stored; remove it");
    if (missing(entry, rules, EntryKey::Media))
        reportError(diagnostics, mediaWhere,
                    std::string("missing; a ") + quizKindName(*rules.kind) + " quiz needs one for every entry");

    std::string pictureWhere = out.revealPicturePlace = placeOf("revealPicture");
    out.revealPicture = mediaPath(entry, "revealPicture", pictureWhere, diagnostics);
    refuseUnrevealed(entry, EntryKey::RevealPicture, RevealKind::Picture, rules, pictureWhere, diagnostics);
    if (missing(entry, rules, EntryKey::RevealPicture))
        reportError(diagnostics, pictureWhere, "missing; reveal \"picture\" needs one for every entry");

    std::string clipWhere = out.webClipPlace = placeOf("webClip");
    out.webClip = mediaPath(entry, "webClip", clipWhere, diagnostics);
    if (refused(entry, rules, EntryKey::WebClip))
        reportError(diagnostics, clipWhere,
                    std::string("a ") + quizKindName(*rules.kind) + " quiz plays no clips; remove it");

    std::string textWhere = placeOf("revealText");
    out.revealText = optionalText(entry, "revealText", textWhere, diagnostics);
    refuseUnrevealed(entry, EntryKey::RevealText, RevealKind::Text, rules, textWhere, diagnostics);
}

EntryDescription readEntry(const Json& entry, const EntryPlaces& placeOf, const Rules& rules, Diagnostics& diagnostics)
{
    EntryDescription out;
    if (!entry.is_object()) {
        reportError(diagnostics, placeOf(""), "expected an object, found " + typeName(entry));
        return out;
    }
    refuseUnknownKeys(entry, entryKeyNames(), placeOf(""), diagnostics);
    readAnswers(entry, placeOf, rules, out, diagnostics);
    out.clue = optionalText(entry, "clue", placeOf("clue"), diagnostics);
    if (missing(entry, rules, EntryKey::Clue))
        reportError(diagnostics, placeOf("clue"), "missing; a text quiz shows the clue of every entry");
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
        reportError(diagnostics, "entries", "expected an array of 1 to 90 entries or a CSV file path, found an empty string");
        return;
    }
    FileRead read = readFile ? readFile(path) : FileRead{{}, "no CSV file can be read here"};
    if (!read.problem.empty()) {
        reportError(diagnostics, "entries", inQuotes(path) + ": " + read.problem);
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
        reportError(diagnostics, name, "no entries below the header row, at least 1");
    if (rows.size() > std::size_t(MaxEntries))
        reportError(diagnostics, name,
                    countOf(rows.size(), "entry", "entries") + " below the header row, at most "
                        + std::to_string(MaxEntries));
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
        reportError(diagnostics, "entries", "missing; expected an array of 1 to 90 entries");
        return;
    }
    if (entries->is_string()) {
        readEntriesFile(entries->get<std::string>(), rules, readFile, quiz, diagnostics);
        return;
    }
    if (!entries->is_array()) {
        reportError(diagnostics, "entries", "expected an array of 1 to 90 entries, found " + typeName(*entries));
        return;
    }
    if (entries->empty())
        reportError(diagnostics, "entries", "empty, at least 1");
    if (entries->size() > MaxEntries)
        reportError(diagnostics, "entries",
                    countOf(entries->size(), "entry", "entries") + ", at most " + std::to_string(MaxEntries));
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
        reportError(diagnostics, "codes", "expected an array of code texts, found " + typeName(*codes));
        return;
    }
    for (std::size_t at = 0; at < codes->size(); ++at)
        quiz.codes.push_back(
            checkedText((*codes)[at], "codes[" + std::to_string(at) + "]", TextUse::Code, diagnostics));
    // A CSV file of entries that could not be read has had its problems
    // told; its entries are not counted against the codes.
    if (!quiz.entriesFile.empty() && quiz.entries.empty())
        return;
    std::size_t entries = quiz.entries.size();
    std::string counts = countOf(codes->size(), "code", "codes") + " for " + countOf(entries, "entry", "entries");
    if (codes->size() > entries)
        reportError(diagnostics, "codes", counts + ", at most one per entry");
    else if (codes->size() < entries)
        reportWarning(diagnostics, "codes",
                      counts + "; " + countOf(entries - codes->size(), "row stays", "rows stay")
                          + " empty, and players reaching those scores see no code");
}

std::optional<int32_t> readAnswersPerEntry(const Json& root, Diagnostics& diagnostics)
{
    const Json* value = member(root, "answersPerEntry");
    if (!value)
        return 1;
    if (value->is_number_integer() && (*value == 1 || *value == 2))
        return value->get<int32_t>();
    reportError(diagnostics, "answersPerEntry",
                (value->is_number() ? value->dump() : typeName(*value)) + ", expected 1 or 2");
    return std::nullopt;
}

void readAnswerLabels(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* labels = member(root, "answerLabels");
    if (!labels)
        return;
    if (!labels->is_array() || labels->size() != 2) {
        reportError(diagnostics, "answerLabels",
                    (labels->is_array() ? countOf(labels->size(), "label", "labels") : typeName(*labels))
                        + ", expected an array of 2 (first and second answer)");
        return;
    }
    for (std::size_t at = 0; at < 2; ++at)
        quiz.answerLabels[at] = checkedText((*labels)[at], "answerLabels[" + std::to_string(at) + "]",
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
        reportError(diagnostics, "link",
                    inQuotes(value->get<std::string>()) + " is no web or mail address; it must start with "
                        + quizLinkSchemes + ", as a click opens it with the system's shell");
        break;
    case QuizLinkFault::TooLong:  // told by checkedText
        break;
    case QuizLinkFault::ControlCharacter:
        reportError(diagnostics, "link", "holds a control character (such as a tab); an address is one line of printable characters");
        break;
    }
}

void readBoardColour(const Json& root, QuizDescription& quiz, Diagnostics& diagnostics)
{
    const Json* value = member(root, "boardColour");
    if (!value)
        return;
    if (!value->is_string() || !parseColour(value->get<std::string>(), quiz.boardColour))
        reportError(diagnostics, "boardColour",
                    (value->is_string() ? inQuotes(value->get<std::string>()) : typeName(*value))
                        + " is not a colour; expected \"#RRGGBB\" with hexadecimal digits");
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
        reportError(diagnostics, "", "the top level is " + typeName(root) + ", expected an object");
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
        reportError(diagnostics, "title", "missing; expected the quiz's title");
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
