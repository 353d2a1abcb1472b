// The catalogue holds every message in both languages, and each text takes
// exactly the values its message is given; the language of the lines
// follows --lang, else the system's locale.
#include "tools/builder/commands/command_line.h"
#include "tools/builder/commands/system_language.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/message_catalogue.h"

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
