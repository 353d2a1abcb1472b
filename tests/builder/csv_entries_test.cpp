// Entries from a spreadsheet's CSV file, read through the description as
// quizbuild reads them: what comes out, where each problem is told, and the
// way back through extract --csv.
#include "tests/builder/builder_fixtures.h"
#include "tools/builder/commands/command_line.h"
#include "tools/builder/output/csv_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Checked {
    QuizDescription quiz;
    Diagnostics diagnostics{"quiz.json", {}, {}};
    Lines reads;
};

// A description whose entries are the file "e.csv" holding `csv`; `more`
// goes at the top level.
Checked checkCsv(const std::string& csv, const std::string& more = R"("kind": "text")")
{
    Checked checked;
    std::string json = "{" + more + R"(, "title": "T", "entries": "e.csv"})";
    checked.quiz = readQuizDescription(json, checked.diagnostics, [&](const std::string& path) {
        checked.reads.push_back(path);
        return FileRead{bytesOf(csv), ""};
    });
    return checked;
}

struct Pair {
    std::string clue;
    std::string answer;
};

TEST(CsvEntries, SeparatorsQuotingAndLineEnds)
{
    struct Row {
        const char* name;
        std::string csv;
        std::vector<Pair> entries;  // Windows-1252, as stored
    };
    const Row rows[] = {
        {"commas, LF", "clue,answer1\nFrance,Paris\nItalie,Rome\n", {{"France", "Paris"}, {"Italie", "Rome"}}},
        {"semicolons, CR LF", "clue;answer1\r\nFrance;Paris\r\nItalie;Rome\r\n", {{"France", "Paris"}, {"Italie", "Rome"}}},
        {"byte order mark", "\xEF\xBB\xBF" "answer1;clue\n\xC3\x89vreux;Eure\n", {{"Eure", "\xC9vreux"}}},
        {"commas inside semicolons", "clue;answer1\nUn, deux;trois\n", {{"Un, deux", "trois"}}},
        {"quoted separators and quotes", "clue,answer1\n\"Dit \"\"oui\"\", non\",\"a;b\"\n",
         {{"Dit \"oui\", non", "a;b"}}},
        {"line break inside quotes joins with a space", "clue;answer1\r\n\"Chef-lieu\r\ndu Nord\";Lille\r\nX;Y\n",
         {{"Chef-lieu du Nord", "Lille"}, {"X", "Y"}}},
        {"no line end at the end", "clue,answer1\nFrance,Paris", {{"France", "Paris"}}},
        {"trailing empty lines and rows", "clue;answer1\nFrance;Paris\n\n;\n\r\n", {{"France", "Paris"}}},
        {"quoted header, spaces around fields", "\"clue\" , \"answer1\"\n  France ,  \" Paris\"\n",
         {{"France", " Paris"}}},
        {"a lone CR ends a line", "clue,answer1\rFrance,Paris\r", {{"France", "Paris"}}},
        // Spreadsheets end lines with separators for cells once touched.
        {"unnamed empty columns left out", "clue;answer1;;\r\nFrance;Paris;;\r\nItalie;Rome;\r\n",
         {{"France", "Paris"}, {"Italie", "Rome"}}},
        {"an unnamed empty column between", "clue,,answer1\nFrance,,Paris\n", {{"France", "Paris"}}},
    };
    for (const Row& row : rows) {
        Checked checked = checkCsv(row.csv);
        ASSERT_EQ(errorLines(checked.diagnostics), Lines{}) << row.name;
        EXPECT_EQ(checked.reads, Lines{"e.csv"}) << row.name;
        EXPECT_EQ(checked.quiz.entriesFile, "e.csv") << row.name;
        ASSERT_EQ(checked.quiz.entries.size(), row.entries.size()) << row.name;
        for (std::size_t at = 0; at < row.entries.size(); ++at) {
            EXPECT_EQ(checked.quiz.entries[at].clue, row.entries[at].clue) << row.name;
            EXPECT_EQ(checked.quiz.entries[at].answers[0], row.entries[at].answer) << row.name;
        }
    }
}

// French Excel's "CSV (separateur: point-virgule)" is Windows-1252; "Unicode
// text" is UTF-16. Whatever it was saved as, a file gives the same quiz.
TEST(CsvEntries, EncodingsSpreadsheetsSaveBuildTheSameQuiz)
{
    const std::string utf8 = "clue;answer1\r\n\"C\xC3\xB4te-d'Or; ouest\";Dijon\r\n\xC3\x89le-de-France;\xC3\x89vry \xE2\x82\xAC\r\n";
    const std::string windows1252 = "clue;answer1\r\n\"C\xF4te-d'Or; ouest\";Dijon\r\n\xC9le-de-France;\xC9vry \x80\r\n";
    auto utf16 = [](const std::string& ascii1252, bool bigEndian) {
        std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : ascii1252) {
            char16_t unit = c == '\x80' ? u'\u20AC' : char16_t(static_cast<unsigned char>(c));
            char high = char(unit >> 8), low = char(unit & 0xFF);
            out += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return out;
    };
    struct Row {
        const char* name;
        std::string csv;
        const char* encoding;
    };
    const Row rows[] = {
        {"UTF-8", utf8, "UTF-8"},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, "UTF-8"},
        {"Windows-1252", windows1252, "Windows-1252"},
        {"UTF-16, little-endian", utf16(windows1252, false), "UTF-16"},
        {"UTF-16, big-endian", utf16(windows1252, true), "UTF-16"},
    };
    std::vector<QuizResource> first;
    for (const Row& row : rows) {
        Checked checked = checkCsv(row.csv);
        ASSERT_EQ(errorLines(checked.diagnostics), Lines{}) << row.name;
        EXPECT_EQ(checked.quiz.entriesEncoding, row.encoding) << row.name;
        ASSERT_EQ(checked.quiz.entries.size(), 2u) << row.name;
        EXPECT_EQ(checked.quiz.entries[1].answers[0], "\xC9vry \x80") << row.name;
        std::vector<QuizResource> resources = planQuizResources(checked.quiz, accessOf(FakeDisk{}), checked.diagnostics);
        ASSERT_EQ(resources.size(), 2u) << row.name;
        if (first.empty())
            first = resources;
        for (std::size_t at = 0; at < resources.size(); ++at)
            EXPECT_EQ(resources[at].bytes, first[at].bytes) << row.name << " " << resources[at].id;
    }
    const std::string saveAgain = "; save it again from the spreadsheet as \"CSV UTF-8\" (Excel) or as Text CSV with "
                                  "UTF-8 (LibreOffice Calc)";
    const struct {
        const char* name;
        std::string csv;
        std::string error;
    } unreadable[] = {
        {"UTF-16 without its mark", std::string("c\0l\0u\0e\0", 8),
         "holds zero bytes, as UTF-16 without its byte order mark does" + saveAgain},
        {"a byte Windows-1252 leaves unassigned", "clue;answer1\nA;\xE9\x8D\n",
         "neither UTF-8 nor Windows-1252 (byte 0x8D on line 2, which Windows-1252 leaves unassigned)" + saveAgain},
        {"UTF-16 cut short", std::string("\xFF\xFE" "c\0l", 5), "UTF-16 cut in the middle of a character" + saveAgain},
    };
    for (const auto& row : unreadable)
        EXPECT_EQ(errorLines(checkCsv(row.csv).diagnostics), Lines{"quiz.json: e.csv: " + row.error}) << row.name;
}

TEST(CsvEntries, EveryColumnOfAPictureQuizWithTwoAnswers)
{
    Checked checked = checkCsv("revealText;media;answer2;answer1;clue\n"
                               "R\xC3\xA9v\xC3\xA9l\xC3\xA9;img/1.jpg;Seine;Paris;\n"
                               ";img/2.jpg;;Rome;Italie\n",
                               R"("kind": "picture", "answersPerEntry": 2, "reveal": "text")");
    ASSERT_EQ(errorLines(checked.diagnostics), Lines{});
    ASSERT_EQ(checked.quiz.entries.size(), 2u);
    const EntryDescription& first = checked.quiz.entries[0];
    EXPECT_EQ(first.revealText, "R\xE9v\xE9l\xE9");
    EXPECT_EQ(first.media, "img/1.jpg");
    EXPECT_EQ(first.answers[1], "Seine");
    EXPECT_EQ(first.clue, "");
    EXPECT_EQ(placeText(first.mediaPlace, Language::English), "e.csv, line 2, column \"media\"");
    EXPECT_EQ(checked.quiz.entries[1].answers[1], "");
    EXPECT_EQ(checked.quiz.entries[1].revealText, "");
    // The empty second answer is kept, and warned about as in a description.
    EXPECT_EQ(warningLines(checked.diagnostics),
              Lines{"quiz.json: e.csv, line 3, column \"answer2\": warning: empty; no typed answer is ever judged "
                    "\"BRAVO\" against it"});
}

TEST(CsvEntries, ProblemsOfTheFileAndItsHeaderRow)
{
    struct Row {
        const char* name;
        std::string csv;
        std::string more;
        Lines errors;
    };
    const std::string text = R"("kind": "text")";
    const Row rows[] = {
        {"empty file", "", text, {"quiz.json: e.csv, line 1: no header row; the first row names the columns, such as clue and answer1"}},
        {"header alone", "clue,answer1\n", text, {"quiz.json: e.csv: no entries below the header row, at least 1"}},
        {"unknown column", "clue;answer1;Answer3\nA;b;c\n", text,
         {"quiz.json: e.csv, line 1, column 3: unknown column \"Answer3\"; the header row names columns among \"clue\", "
          "\"answer1\", \"answer2\", \"media\", \"revealPicture\", \"revealText\""}},
        {"empty column name over a value", "clue,,answer1\nA,,b\nC,x,d\n", text,
         {"quiz.json: e.csv, line 1, column 2: no column name; the header row names columns among \"clue\", "
          "\"answer1\", \"answer2\", \"media\", \"revealPicture\", \"revealText\""}},
        {"first row of another file", "Paris;France;" + std::string(50, 'x') + "\nRome;Italie;x\n", text,
         {"quiz.json: e.csv, line 1: the first row names none of the columns \"clue\", \"answer1\", \"answer2\", "
          "\"media\", \"revealPicture\", \"revealText\"; it must be the header row, naming the column of each field"}},
        {"long unknown column name", "clue,answer1,\xC3\xA9" + std::string(39, 'x') + "\nA,b,c\n", text,
         {"quiz.json: e.csv, line 1, column 3: unknown column \"\xC3\xA9" + std::string(38, 'x')
          + "\"...; the header row names columns among \"clue\", \"answer1\", \"answer2\", \"media\", "
            "\"revealPicture\", \"revealText\""}},
        {"duplicate column", "answer1;clue;answer1\nA;b;c\n", text,
         {"quiz.json: e.csv, line 1, column 3: \"answer1\" again, first named in column 1; name each column once"}},
        {"no answer", "clue\nA\n", text, {"quiz.json: e.csv, line 1: no column \"answer1\"; every entry has an answer"}},
        {"no clue in a text quiz", "answer1\nA\n", text,
         {"quiz.json: e.csv, line 1: no column \"clue\"; a text quiz shows the clue of every entry"}},
        {"no second answer", "clue,answer1\nA,b\n", R"("kind": "text", "answersPerEntry": 2)",
         {"quiz.json: e.csv, line 1: no column \"answer2\"; answersPerEntry is 2"}},
        {"no media", "answer1\nA\n", R"("kind": "sound")",
         {"quiz.json: e.csv, line 1: no column \"media\"; this quiz kind needs a media file for every entry"}},
        {"no answer picture", "clue,answer1\nA,b\n", R"("kind": "text", "reveal": "picture")",
         {"quiz.json: e.csv, line 1: no column \"revealPicture\"; reveal \"picture\" needs one for every entry"}},
    };
    for (const Row& row : rows) {
        Checked checked = checkCsv(row.csv, row.more);
        EXPECT_EQ(errorLines(checked.diagnostics), row.errors) << row.name;
        EXPECT_TRUE(checked.quiz.entries.empty()) << row.name;
    }
}

TEST(CsvEntries, ProblemsOfRowsNameTheLineAndColumn)
{
    struct Row {
        const char* name;
        std::string csv;
        Lines errors;
    };
    const Row rows[] = {
        {"quote inside an unquoted field", "clue;answer1\nA;b\nC;dit \"x\"\n",
         {"quiz.json: e.csv, line 3, column \"answer1\": a quote inside a field that does not start with one; put the "
          "whole field in quotes and write each quote inside it as two (\"\")"}},
        {"text after a closing quote", "clue,answer1\n\"A\"B,c\n",
         {"quiz.json: e.csv, line 2, column \"clue\": text after the closing quote of a quoted field; inside quotes, "
          "write a quote as two (\"\")"}},
        {"quote never closed", "clue,answer1\nA,b\nC,\"d\ne,f\n",
         {"quiz.json: e.csv, line 3, column \"answer1\": the quoted field that starts here has no closing quote"}},
        {"a field too many", "clue;answer1\nA;b\n\"two\nlines\";c;d\n",
         {"quiz.json: e.csv, line 4, column 3: a field past the last column; the header row names 2 columns"}},
        {"a field too few", "answer1;clue\nA;b\nC\n",
         {"quiz.json: e.csv, line 3, column \"clue\": missing; the row ends after 1 field, the header row names 2 "
          "columns"}},
        {"text too long after a multi-line cell", "clue;answer1\n\"a\nb\nc\";" + std::string(260, 'x') + "\n",
         {"quiz.json: e.csv, line 4, column \"answer1\": 260 bytes in Windows-1252, at most 259"}},
        {"character outside Windows-1252", "clue,answer1\nA,b\nC,\xE2\x82\xAC\xE4\xB8\x80\n",
         {"quiz.json: e.csv, line 3, column \"answer1\": character U+4E00 (character 2) has no Windows-1252 form"}},
        {"field separator of the payload", "clue,answer1\nA|B,c\n",
         {"quiz.json: e.csv, line 2, column \"clue\": holds \"|\", which separates the stored fields"}},
        {"media in a text quiz", "clue,answer1,media\nA,b,\nC,d,x.jpg\n",
         {"quiz.json: e.csv, line 3, column \"media\": a text quiz shows no media, so it would not be stored; remove "
          "it"}},
        {"second answer with one answer per entry", "clue,answer1,answer2\nA,b,\nC,d,e\n",
         {"quiz.json: e.csv, line 3, column \"answer2\": 2 answers, answersPerEntry is 1"}},
    };
    for (const Row& row : rows) {
        Checked checked = checkCsv(row.csv);
        EXPECT_EQ(errorLines(checked.diagnostics), row.errors) << row.name;
    }
}

TEST(CsvEntries, MoreThanNinetyEntries)
{
    std::string csv = "clue,answer1\n";
    for (int n = 0; n < 91; ++n)
        csv += "c,a\n";
    EXPECT_EQ(errorLines(checkCsv(csv).diagnostics), Lines{"quiz.json: e.csv: 91 entries below the header row, at most 90"});
}

TEST(CsvEntries, FilesThatCannotBeRead)
{
    Diagnostics diagnostics{"quiz.json", {}, {}};
    // The codes are not counted against entries that could not be read.
    readQuizDescription(R"({"kind": "text", "title": "T", "entries": "gone.csv", "codes": ["A", "B"]})", diagnostics,
                        [](const std::string&) { return FileRead{{}, "not found"}; });
    EXPECT_EQ(errorLines(diagnostics), Lines{"quiz.json: entries: \"gone.csv\": not found"});

    Diagnostics empty{"quiz.json", {}, {}};
    readQuizDescription(R"({"kind": "text", "title": "T", "entries": ""})", empty,
                        [](const std::string&) -> FileRead { throw std::logic_error("no path, no read"); });
    EXPECT_EQ(errorLines(empty), Lines{"quiz.json: entries: expected an array of 1 to 90 entries or a CSV file path, "
                                  "found an empty string"});
}

TEST(CsvEntries, MediaProblemsNameTheCell)
{
    FakeDisk disk{{{"a.jpg", jpegBytes}}, {}, {}, {}, {}};
    Planned planned;
    QuizDescription description = readQuizDescription(
        R"({"kind": "picture", "title": "T", "entries": "e.csv"})", planned.diagnostics,
        [](const std::string&) { return FileRead{bytesOf("answer1;media\nA;a.jpg\nB;\n\nC;b.jpg\n"), ""}; });
    planQuizResources(description, accessOf(disk), planned.diagnostics);
    EXPECT_EQ(errorLines(planned.diagnostics),
              (Lines{"quiz.json: e.csv, line 3, column \"media\": missing; a picture quiz needs one for every entry",
                     "quiz.json: e.csv, line 5, column \"media\": \"b.jpg\": not found"}));
}

TEST(CsvEntries, WrittenFieldsAreQuotedOnlyWhenNeeded)
{
    nlohmann::ordered_json entries = nlohmann::ordered_json::parse(R"([
        {"clue": "Plain", "answers": ["Un, deux", "a;b"], "revealText": "dit \"oui\""},
        {"clue": " spaced ", "answers": ["two\nlines", ""], "revealText": ""},
        {"clue": "", "answers": ["", ""], "revealText": ""}])");
    EXPECT_EQ(entriesCsv(entries), "\xEF\xBB\xBF" "clue,answer1,answer2,revealText\r\n"
                                   "Plain,\"Un, deux\",\"a;b\",\"dit \"\"oui\"\"\"\r\n"
                                   "\" spaced \",\"two\nlines\",,\r\n"
                                   "\"\",,,\r\n");
}

// Every kind, answer count and reveal through extract --csv and back: the
// same resources, with quiz.json naming quiz.csv.
TEST(CsvEntries, ExtractedAsCsvBuildsTheSameQuiz)
{
    struct Row {
        const char* kind;
        int answers;
        const char* reveal;
    };
    const Row rows[] = {{"text", 1, "none"}, {"text", 2, "text"}, {"picture", 2, "picture"}, {"sound", 1, "text"}};
    const MediaFiles sources = {{"a.jpg", jpegBytes}, {"c.gif", gifBytes}, {"s.mp3", mp3Bytes}};
    for (const Row& row : rows) {
        std::string context = std::string(row.kind) + "/" + std::to_string(row.answers) + "/" + row.reveal;
        std::string kind = row.kind, reveal = row.reveal;
        std::string media = kind == "picture" ? "a.jpg" : kind == "sound" ? "s.mp3" : "";
        std::string entries;
        const char* clues[] = {"Chef-lieu, \\\"Nord\\\"", " ", ""};
        for (int n = 0; n < 3; ++n) {
            entries += std::string(n ? ", " : "") + R"({"clue": ")" + clues[n] + R"(", "answers": ["Réponse; )"
                       + std::to_string(n) + (row.answers == 2 ? R"(", ")" : "") + "\"]";
            if (!media.empty())
                entries += R"(, "media": ")" + media + "\"";
            if (reveal == "picture")
                entries += R"(, "revealPicture": "c.gif")";
            if (reveal == "text")
                entries += n == 1 ? R"(, "revealText": "")" : R"(, "revealText": "Été \"chaud\"")";
            entries += "}";
        }
        std::string json = R"({"kind": ")" + kind + R"(", "title": "Quiz", "answersPerEntry": )"
                           + std::to_string(row.answers) + R"(, "reveal": ")" + reveal + R"(", "entries": [)" + entries
                           + R"(], "codes": ["C1"]})";
        Planned first = plan(json, sources);
        ASSERT_EQ(errorLines(first.diagnostics), Lines{}) << context;

        Diagnostics extracted{"quiz.exe", {}, {}};
        std::vector<ExtractedFile> files = extractQuiz(storedQuizOf(first.resources), extracted, true);
        ASSERT_EQ(errorLines(extracted), Lines{}) << context;
        ASSERT_GE(files.size(), 2u) << context;
        EXPECT_EQ(files[1].name, "quiz.csv") << context;
        std::string description(files[0].bytes.begin(), files[0].bytes.end());
        EXPECT_NE(description.find("\"entries\": \"quiz.csv\""), std::string::npos) << context;
        MediaFiles written;
        for (std::size_t at = 2; at < files.size(); ++at)
            written[files[at].name] = files[at].bytes;

        Planned again;
        FakeDisk disk{written, {}, {}, {}, {}};
        QuizDescription read = readQuizDescription(description, again.diagnostics, [&](const std::string& path) {
            return path == "quiz.csv" ? FileRead{files[1].bytes, ""} : FileRead{{}, "not found"};
        });
        again.resources = planQuizResources(read, accessOf(disk), again.diagnostics);
        ASSERT_EQ(errorLines(again.diagnostics), Lines{}) << context;
        ASSERT_EQ(again.resources.size(), first.resources.size()) << context;
        for (std::size_t at = 0; at < first.resources.size(); ++at) {
            EXPECT_EQ(again.resources[at].id, first.resources[at].id) << context;
            EXPECT_EQ(again.resources[at].bytes, first.resources[at].bytes) << context << " " << first.resources[at].id;
        }
    }
}

TEST(CsvEntries, OnlyExtractTakesCsv)
{
    struct Row {
        std::vector<std::string> arguments;
        bool csv;
        std::string error;
    };
    const Row rows[] = {
        {{"extract", "q.exe", "-o", "dir", "--csv"}, true, ""},
        {{"extract", "--csv", "q.exe", "-o", "dir"}, true, ""},
        {{"extract", "q.exe", "-o", "dir"}, false, ""},
        {{"build", "q.json", "-o", "q.exe", "--csv"}, false, "unknown option --csv"},
        {{"check", "q.json", "--csv"}, false, "unknown option --csv"},
    };
    for (const Row& row : rows) {
        CommandLine line = parseCommandLine(row.arguments);
        EXPECT_EQ(line.csv, row.csv) << row.arguments[0];
        EXPECT_EQ(line.error, row.error) << row.arguments[0];
    }
    EXPECT_NE(usageText(Command::Extract).find("--csv"), std::string::npos);
    EXPECT_NE(usageText(Command::None).find("extract QUIZ.exe -o DIR [--csv]"), std::string::npos);
}

}  // namespace
