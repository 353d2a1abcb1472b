// A CSV header row in French, in any letter case, with or without accents
// and spaces, gives the very quiz its English twin gives; whatever else it
// names is refused with the list of known columns.
#include "tests/builder/builder_fixtures.h"
#include "tools/builder/input/csv_column_names.h"

#include <gtest/gtest.h>

namespace {

// The quiz planned from a description of `kind`/`more` whose entries are
// the CSV file `csv`, with the picture files a picture quiz names.
Planned planCsv(const std::string& csv, const std::string& more)
{
    Planned planned;
    std::string json = "{" + more + R"(, "title": "T", "entries": "e.csv", "codes": ["A"]})";
    QuizDescription quiz = readQuizDescription(json, planned.diagnostics, [&csv](const std::string&) {
        return FileRead{bytesOf(csv), ""};
    });
    if (!planned.diagnostics.errors.empty())
        return planned;
    FakeDisk disk{{{"a.jpg", jpegBytes}, {"b.gif", gifBytes}}, {}, {}, {}, {}};
    planned.resources = planQuizResources(quiz, accessOf(disk), planned.diagnostics);
    return planned;
}

// The header with each English name replaced by its spelling in `names`.
std::string csvWith(const std::vector<std::string>& names, const std::string& rows)
{
    std::string header;
    for (const std::string& name : names)
        header += (header.empty() ? "" : ";") + name;
    return header + "\r\n" + rows;
}

void expectSameQuiz(const Planned& planned, const Planned& twin, const std::string& context)
{
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{}) << context;
    EXPECT_EQ(warningLines(planned.diagnostics), warningLines(twin.diagnostics)) << context;
    ASSERT_EQ(planned.resources.size(), twin.resources.size()) << context;
    for (std::size_t at = 0; at < twin.resources.size(); ++at) {
        EXPECT_EQ(planned.resources[at].type, twin.resources[at].type) << context;
        EXPECT_EQ(planned.resources[at].id, twin.resources[at].id) << context;
        EXPECT_EQ(planned.resources[at].bytes, twin.resources[at].bytes) << context << " " << twin.resources[at].id;
    }
}

// Every column of a picture quiz with two answers and a revealed picture or
// text, under English names and under French ones spelled as authors do.
TEST(CsvColumnNames, FrenchSpellingsBuildTheQuizOfTheEnglishTwin)
{
    const std::string pictureRows = "Fleuve;a.jpg;Paris;Seine;b.gif\r\nMont;a.jpg;Rome;Tibre;b.gif\r\n";
    const std::string textRows = "Fleuve;a.jpg;Paris;Seine;R\xC3\xA9v\xC3\xA9l\xC3\xA9\r\nMont;a.jpg;Rome;Tibre;\r\n";
    const std::string picture = R"("kind": "picture", "answersPerEntry": 2, "reveal": "picture")";
    const std::string text = R"("kind": "picture", "answersPerEntry": 2, "reveal": "text")";
    struct Row {
        std::vector<std::string> names;  // clue, media, answer1, answer2, then the revealed item
        bool revealsText;
    };
    const Row rows[] = {
        {{"indice", "média", "réponse 1", "réponse 2", "image révélée"}, false},
        {{"Indice", "Média", "Réponse 1", "Réponse 2", "Image Révélée"}, false},
        {{"INDICE", "MEDIA", "REPONSE1", "REPONSE2", "IMAGEREVELEE"}, false},
        {{"indice", "media", "reponse 1", "reponse2", "image revelee"}, false},
        {{" indice ", "M\xC3\x89" "DIA", "R\xC3\x89PONSE\xC2\xA0" "1", "r\xC3\xA9ponse\xE2\x80\xAF" "2", "Image r\xC3\xA9v\xC3\xA9l\xC3\xA9" "e"}, false},
        {{"Clue", "MEDIA", "answer 1", "Answer2", "reveal picture"}, false},
        {{"indice", "média", "réponse 1", "réponse 2", "texte révélé"}, true},
        {{"Indice", "Média", "Réponse 1", "Réponse 2", "Texte Revele"}, true},
        {{"INDICE", "MÉDIA", "REPONSE 1", "RÉPONSE 2", "TEXTE RÉVÉLÉ"}, true},
    };
    const Planned pictureTwin =
        planCsv(csvWith({"clue", "media", "answer1", "answer2", "revealPicture"}, pictureRows), picture);
    const Planned textTwin = planCsv(csvWith({"clue", "media", "answer1", "answer2", "revealText"}, textRows), text);
    ASSERT_EQ(errorLines(pictureTwin.diagnostics), Lines{});
    ASSERT_EQ(errorLines(textTwin.diagnostics), Lines{});
    ASSERT_EQ(pictureTwin.resources.size(), 6u);  // the quiz, its codes, two pictures and two revealed ones
    for (const Row& row : rows) {
        std::string context = row.names[2] + " / " + row.names[4];
        Planned planned = planCsv(csvWith(row.names, row.revealsText ? textRows : pictureRows),
                                  row.revealsText ? text : picture);
        expectSameQuiz(planned, row.revealsText ? textTwin : pictureTwin, context);
    }
}

// French Excel saves Windows-1252: its accented header row is read alike.
TEST(CsvColumnNames, AWindows1252HeaderRowIsReadAsItsUtf8Twin)
{
    const std::string more = R"("kind": "text", "answersPerEntry": 2, "reveal": "text")";
    const Planned twin = planCsv("clue;answer1;answer2;revealText\r\nA;b;c;d\r\n", more);
    ASSERT_EQ(errorLines(twin.diagnostics), Lines{});
    expectSameQuiz(planCsv("Indice;R\xE9ponse 1;R\xC9PONSE 2;Texte r\xE9v\xE9l\xE9\r\nA;b;c;d\r\n", more), twin,
                   "Windows-1252");
}

TEST(CsvColumnNames, OtherNamesAreRefusedWithTheKnownOnes)
{
    const std::string known = "the header row names columns among \"clue\", \"answer1\", \"answer2\", \"media\", "
                              "\"revealPicture\", \"revealText\"";
    struct Row {
        std::string header;
        Lines errors;
    };
    const Row rows[] = {
        {"indice;réponse 1;réponse 3", {"quiz.json: e.csv, line 1, column 3: unknown column \"réponse 3\"; " + known}},
        {"indice;réponse 1;réponses 1", {"quiz.json: e.csv, line 1, column 3: unknown column \"réponses 1\"; " + known}},
        {"indice;réponse 1;image", {"quiz.json: e.csv, line 1, column 3: unknown column \"image\"; " + known}},
        {"indice;réponse-1;réponse 1", {"quiz.json: e.csv, line 1, column 2: unknown column \"réponse-1\"; " + known}},
        {"indice;answer1;Réponse 1",
         {"quiz.json: e.csv, line 1, column 3: \"Réponse 1\" again, first named in column 2; name each column once"}},
        {"réponse 1", {"quiz.json: e.csv, line 1: no column \"clue\"; a text quiz shows the clue of every entry"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(errorLines(planCsv(row.header + "\r\nA;b;c\r\n", R"("kind": "text")").diagnostics), row.errors)
            << row.header;
}

TEST(CsvColumnNames, EachColumnIsNamedByBothSpellingsAndNoOther)
{
    for (const CsvColumnSpelling& spelling : csvColumnSpellings()) {
        EXPECT_EQ(csvColumnNamed(spelling.english), spelling.column) << spelling.english;
        EXPECT_EQ(csvColumnNamed(spelling.french), spelling.column) << spelling.french;
        EXPECT_STREQ(csvColumnName(spelling.column), spelling.english);
    }
    for (const char* other : {"", " ", "answer", "réponse", "indices", "clue1", "m\xC3\xA9" "dias"})
        EXPECT_EQ(csvColumnNamed(other), std::nullopt) << other;
}

}  // namespace
