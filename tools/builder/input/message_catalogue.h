// Every problem the builder tells an author, by identifier, with its words
// in English and in French. Messages are records (an identifier and its
// values); this catalogue is the one place their words live, and renders
// them in the language asked for.
//
// Placeholders in a text: {1} a value as it is; {q1} a value quoted
// ("Paris" in English, « Paris » in French); {n1:entry|entries} a count and
// its noun; {w1} a word of the catalogue's word list (a value's type, a
// reason), given by its English words; {d1} a decimal number (572,2 in
// French); {l1} and {o1} a list of names
// (values separated by '\n') joined with commas, or with "or" at the end;
// {m} the message's inner message.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

enum class Language { English, French };

enum class MessageId {
    // Texts and values of the description
    UnknownKey, ExpectedString, TextTooLong, HoldsCarriageReturn, HoldsLineFeed, HoldsZero, HoldsSeparator,
    NotWindows1252Character, NotWindows1252Text,
    ChoiceMissing, ChoiceNotString, ChoiceUnknown, ExpectedFilePath, TopLevelNotObject, TitleMissing,
    // Entries
    AnswersMissing, AnswersNotArray, AnswerCount, RevealRefused, MediaInTextQuiz, MediaMissing,
    RevealPictureMissing, ClipRefused, EntryNotObject, ClueMissing,
    EntriesPathEmpty, EntriesFileNotFound, EntriesFileUnreadable, EntriesFileNoEntries, EntriesFileTooMany,
    EntriesMissing, EntriesNotArray, EntriesEmpty, EntriesTooMany,
    // Settings
    CodesNotArray, CodesTooMany, CodesTooFew, AnswersPerEntryNumber, AnswersPerEntryType, AnswerLabelsCount,
    AnswerLabelsType, LinkScheme, LinkSchemeMissing, LinkControl, ColourBad, ColourBadType,
    // Answers and header texts
    AnswerEmpty, AnswerLeadingSpace, AnswerTrailingSpace, AnswerCapitals, AnswerCapital, HeaderTextCut,
    // JSON text
    JsonMalformed, JsonNumberTooLarge, JsonNumberTooLargeShown, JsonNoText, JsonKeyTwice, JsonTooDeep,
    JsonCurlyQuotes, JsonLineBreak, JsonTrailingComma, JsonMissingComma, JsonUnreadable,
    // CSV files
    CsvUnclosedQuote, CsvTextAfterQuote, CsvStrayQuote, CsvNoHeaderNames, CsvUnknownColumn, CsvNoColumnName,
    CsvColumnAgain, CsvColumnMissing, CsvFieldPastLastColumn, CsvRowTooShort, CsvNoHeaderRow,
    CsvUtf16Cut, CsvUtf16Broken, CsvZeroBytes, CsvUnknownEncoding,
    // Files and media
    FileTooLarge, FileRespelled, FileProblem, FileNotFound, MediaFileProblem, MediaEmpty, MediaChanged, MediaPictureTooLarge,
    MediaPng, MediaUnknownFormat, MediaWrongFormat, MediaTotalTooLarge, MediaMissingResource,
    MediaResourceEmpty, ClipMissing, PictureNotFitted,
    // Built programs and their payloads
    PayloadMissing, PayloadDamaged, PayloadDamagedFields, PayloadRevealKind, CodesPayloadDamaged, StoredLinkBad,
    StoredTextUnreadable, ResourceMissing, ResourceUnpackable, ResourceNotPacked, ResourcePacksTooLarge, ResourceTooLarge, PlayerNotFound, PlayerProblem,
    OutputConflict, ProgramProblem,
    // Summaries, and markers around a problem line
    FitToBuild, Summary, SummaryWithFile, PicturesFitted, WarningMark, StrictTail,
    Count
};

// {m} shows the inner message: a problem of a file, after the file's name.
struct Message {
    MessageId id;
    std::vector<std::string> values;
    std::vector<Message> inner = {};

    bool none() const { return id == MessageId::Count; }
};

inline const Message noProblem{MessageId::Count, {}, {}};

struct CatalogueEntry {
    MessageId id;
    const char* name;     // the identifier as programs reading records know it
    std::size_t values;   // how many values its texts take
    const char* english;  // today's wording, which scripts read
    const char* french;   // for authors
};

// Every message, each once.
std::span<const CatalogueEntry> messageCatalogue();

struct CatalogueWord {
    const char* english;
    const char* french;
};

// The words {w} placeholders show.
std::span<const CatalogueWord> catalogueWords();

std::string renderMessage(const Message& message, Language language);

// "HoldsSeparator": the identifier's name.
const char* messageName(MessageId id);

// A field as the author's form names it: "title" -> "Titre",
// "answers[1]" -> "Réponse 2", "codes[0]" -> "Code 1"; a path of keys
// ("a, b[2]") part by part; unknown keys as written.
std::string frenchFieldName(const std::string& field);

// The placeholders a text uses, by value number (1-based), for the
// catalogue's own check; every {w} value's word and {n} noun must exist.
std::vector<std::size_t> placeholdersOf(const char* text);

// The text with control characters shown as JSON escapes ("a\u0000b",
// "two\nlines"), so that every line of a message stays whole.
std::string escapedControls(const std::string& text);

// A list value for {l} and {o}: the names separated by '\n'.
std::string listValue(std::span<const char* const> names);
