// The catalogue holds every message in both languages, and each text takes
// exactly the values its message is given; the language of the lines
// follows --lang, else the system's locale.
#include "tools/builder/commands/command_line.h"
#include "tools/builder/commands/system_language.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/message_catalogue.h"
#include "tools/builder/input/problem_records.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

std::set<std::size_t> usedValues(const char* text)
{
    std::vector<std::size_t> numbers = placeholdersOf(text);
    return {numbers.begin(), numbers.end()};
}

TEST(MessageCatalogue, EveryMessageHasBothTextsAndTheirValues)
{
    std::set<MessageId> seen;
    for (const CatalogueEntry& entry : messageCatalogue()) {
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(seen.insert(entry.id).second) << "listed twice";
        ASSERT_NE(entry.english, nullptr);
        ASSERT_NE(entry.french, nullptr);
        EXPECT_STRNE(entry.english, "");
        EXPECT_STRNE(entry.french, "");
        std::set<std::size_t> english = usedValues(entry.english), french = usedValues(entry.french);
        std::set<std::size_t> all = english;
        all.insert(french.begin(), french.end());
        // Every value is shown in one language at least, and none beyond the message's.
        std::set<std::size_t> wanted;
        for (std::size_t value = 1; value <= entry.values; ++value)
            wanted.insert(value);
        EXPECT_EQ(all, wanted);
        // A message holding an inner message shows it in both languages.
        EXPECT_EQ(std::string(entry.english).find("{m}") == std::string::npos,
                  std::string(entry.french).find("{m}") == std::string::npos);
    }
    EXPECT_EQ(seen.size(), std::size_t(MessageId::Count));
    for (std::size_t id = 0; id < std::size_t(MessageId::Count); ++id)
        EXPECT_TRUE(seen.count(MessageId(id))) << "message " << id << " has no texts";
}

// Authors read French: no programmer's English and no bytes in it.
TEST(MessageCatalogue, FrenchTextsSpeakToAuthors)
{
    const char* programmers[] = {"bytes", "octets", "expected", "found", "missing;", "warning", "string",
                                 "array", "Windows-1252,", "UTF-16"};
    for (const CatalogueEntry& entry : messageCatalogue())
        for (const char* word : programmers)
            EXPECT_EQ(std::string(entry.french).find(word), std::string::npos) << entry.name << ": " << word;
    for (const CatalogueWord& word : catalogueWords()) {
        EXPECT_STRNE(word.french, "") << word.english;
        EXPECT_STRNE(word.french, word.english);
    }
}

TEST(MessageCatalogue, PlaceholdersShowTheirValues)
{
    struct Row {
        Message message;
        std::string english, french;
    };
    const Row rows[] = {
        {{MessageId::TextTooLong, {"306", "259", "47"}}, "306 bytes in Windows-1252, at most 259",
         "306 caractères, au plus 259 (47 de trop)"},
        {{MessageId::ChoiceUnknown, {"a\tb", "text\npicture"}}, "\"a\\tb\" is not known; expected \"text\" or \"picture\"",
         "« a\\tb » n'est pas un choix possible ; choisissez « text » ou « picture »"},
        {{MessageId::CodesTooFew, {"1", "0", "1"}},
         "1 code for 0 entries; 1 row stays empty, and players reaching those scores see no code",
         "1 code pour 0 entrée ; 1 score reste sans code, les joueurs qui y arrivent n'en verront aucun ; ajoutez "
         "des codes si vous le souhaitez"},
        {{MessageId::ExpectedString, {"an array"}}, "expected a string, found an array",
         "un texte est attendu ici, pas une liste ; écrivez-le entre guillemets"},
        {{MessageId::MediaFileProblem, {"a.bmp"}, {{MessageId::MediaEmpty, {}}}}, "\"a.bmp\": the file is empty",
         "« a.bmp » : le fichier est vide ; choisissez-en un autre"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(renderMessage(row.message, Language::English), row.english);
        EXPECT_EQ(renderMessage(row.message, Language::French), row.french);
    }
}

TEST(MessageCatalogue, PlacesInTheAuthorsWords)
{
    Place csv;
    csv.file = "dep.csv";
    csv.line = 4;
    csv.column = "answer1";
    csv.columnNamed = true;
    csv.columnAsWritten = "Réponse 1";
    const struct {
        Place place;
        std::string english, french;
    } rows[] = {
        {entryField(13, "answers[1]"), "entry 14, answers[1]", "Entrée 14, réponse 2"},
        {Place("boardColour"), "boardColour", "Couleur du tableau"},
        {Place("codes[2]"), "codes[2]", "Code 3"},
        {entryField(0, "revealPicture"), "entry 1, revealPicture", "Entrée 1, image révélée"},
        {csv, "dep.csv, line 4, column \"answer1\"", "dep.csv, ligne 4, colonne « Réponse 1 »"},
        {Place(), "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(placeText(row.place, Language::English), row.english);
        EXPECT_EQ(placeText(row.place, Language::French), row.french);
    }
}

// What the studio places problems by: the record's place, its cause and the
// very line quizbuild prints.
TEST(ProblemRecords, TellThePlaceTheCauseAndThePrintedLine)
{
    Diagnostics diagnostics{"quiz.json", {}, {}};
    reportError(diagnostics, entryField(13, "answers[1]"), MessageId::HoldsSeparator, {"an answer"});
    Place cell;
    cell.file = "dep.csv";
    cell.line = 4;
    cell.column = "answer1";
    cell.columnNamed = true;
    cell.columnAsWritten = "Réponse 1";
    cell.csvKey = "answers[0]";
    reportError(diagnostics, cell, {MessageId::MediaFileProblem, {"a.png"}, {{MessageId::MediaPng, {}}}});
    reportWarning(diagnostics, "codes", MessageId::CodesTooFew, {"1", "2", "1"});
    std::string records = problemRecords(diagnostics, false, Language::French);
    std::vector<nlohmann::json> parsed;
    for (std::size_t start = 0, end; (end = records.find('\n', start)) != std::string::npos; start = end + 1)
        parsed.push_back(nlohmann::json::parse(records.substr(start, end - start)));
    ASSERT_EQ(parsed.size(), 3u);
    std::vector<std::string> lines = problemLines(diagnostics, false, Language::French);
    const struct {
        std::string severity, file, field, column, id;
        int entry, answer, csvLine;
    } rows[] = {
        {"error", "quiz.json", "answers", "", "HoldsSeparator", 14, 2, 0},
        {"error", "dep.csv", "answers", "Réponse 1", "MediaPng", 0, 1, 4},
        {"warning", "quiz.json", "codes", "", "CodesTooFew", 0, 0, 0},
    };
    for (std::size_t at = 0; at < parsed.size(); ++at) {
        const nlohmann::json& record = parsed[at];
        EXPECT_EQ(record["severity"], rows[at].severity);
        EXPECT_EQ(record["file"], rows[at].file);
        EXPECT_EQ(record["field"], rows[at].field);
        EXPECT_EQ(record["column"], rows[at].column);
        EXPECT_EQ(record["id"], rows[at].id);
        EXPECT_EQ(record["entry"], rows[at].entry);
        EXPECT_EQ(record["answer"], rows[at].answer);
        EXPECT_EQ(record["csvLine"], rows[at].csvLine);
        EXPECT_EQ(record["line"], lines[at]);
    }
    EXPECT_EQ(lines[0], "quiz.json : Entrée 14, réponse 2 : le signe « | » n'est pas permis dans une réponse ; "
                        "remplacez-le, par exemple par « / »");
}

TEST(CommandLanguage, LocaleVariablesInOrderAndLangOverridesThem)
{
    struct Row {
        std::vector<std::string> arguments;
        const char *lcAll, *lcMessages, *lang;
        Language expected;
    };
    const Row rows[] = {
        {{"check", "q.json"}, nullptr, nullptr, nullptr, Language::English},
        {{"check", "q.json"}, nullptr, nullptr, "fr_FR.UTF-8", Language::French},
        {{"check", "q.json"}, nullptr, nullptr, "fr_CA", Language::French},
        {{"check", "q.json"}, nullptr, nullptr, "C", Language::English},
        {{"check", "q.json"}, nullptr, "fr_BE.UTF-8", "en_GB.UTF-8", Language::French},
        {{"check", "q.json"}, nullptr, "en_US.UTF-8", "fr_FR.UTF-8", Language::English},
        {{"check", "q.json"}, "C", "fr_FR.UTF-8", "fr_FR.UTF-8", Language::English},
        {{"check", "q.json"}, "fr_FR.UTF-8", "en_US.UTF-8", "C", Language::French},
        {{"check", "q.json"}, "", "", "fr_FR", Language::French},  // empty is unset
        {{"check", "q.json"}, "", "en_US", "fr_FR", Language::English},
        {{"check", "q.json"}, "de_DE.UTF-8", "fr_FR", "fr_FR", Language::English},
        {{"check", "q.json", "--lang", "en"}, "fr_FR.UTF-8", nullptr, nullptr, Language::English},
        {{"build", "--lang", "fr", "q.json", "-o", "q.exe"}, "C", "C", "C", Language::French},
        {{"results", "q.exe", "a.txt", "-o", "c.csv", "--lang", "fr"}, nullptr, nullptr, nullptr, Language::French},
    };
    for (const Row& row : rows) {
        CommandLine line = parseCommandLine(row.arguments);
        ASSERT_EQ(line.error, "") << row.arguments.back();
        Language system = languageOfLocale(row.lcAll, row.lcMessages, row.lang);
        EXPECT_EQ(commandLanguage(line, system), row.expected)
            << (row.lcAll ? row.lcAll : "-") << " " << (row.lcMessages ? row.lcMessages : "-") << " "
            << (row.lang ? row.lang : "-");
    }
}

TEST(CommandLanguage, ABadLangIsAUsageError)
{
    EXPECT_EQ(parseCommandLine({"check", "q.json", "--lang", "de"}).error, "--lang takes fr or en, not de");
    EXPECT_EQ(parseCommandLine({"check", "q.json", "--lang"}).error, "--lang takes fr or en");
    EXPECT_EQ(parseCommandLine({"extract", "q.exe", "-o", "d", "--lang", "FR"}).error, "--lang takes fr or en, not FR");
}

}  // namespace
