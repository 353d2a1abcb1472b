#include "tools/builder/input/quiz_description.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct Checked {
    QuizDescription quiz;
    Diagnostics diagnostics{"quiz.json", {}, {}};
};

Checked check(const std::string& json)
{
    Checked checked;
    checked.quiz = readQuizDescription(json, checked.diagnostics);
    return checked;
}

// A text quiz of one entry with `entry` as its only entry and `more` added
// at the top level.
std::string textQuiz(const std::string& entry, const std::string& more = "")
{
    return R"({"kind": "text", "title": "T", )" + more + R"("entries": [)" + entry + "]}";
}

std::string pictureQuiz(const std::string& entry, const std::string& more = "")
{
    return R"({"kind": "picture", "title": "T", )" + more + R"("entries": [)" + entry + "]}";
}

const std::string plainEntry = R"({"clue": "c", "answers": ["a"]})";

std::string entries(int count)
{
    std::string list;
    for (int n = 0; n < count; ++n)
        list += (n ? ", " : "") + plainEntry;
    return list;
}

TEST(QuizDescription, ReadsEveryFieldIntoWindows1252)
{
    Checked checked = check(R"({
      "kind": "sound", "title": "Capitales d'Europe", "author": "Ana", "description": "Écoutez",
      "answersPerEntry": 2, "answerLabels": ["Ville", "Fleuve"], "reveal": "text", "boardColour": "#C0DC10",
      "entries": [
        {"clue": "France", "answers": ["Paris", "Seine"], "media": "s/1.mp3", "revealText": "Sur la Seine"},
        {"answers": ["Vienne", "Danube"], "media": "s/2.mp3"}
      ],
      "codes": ["K7Q2", "Z|9"]
    })");
    ASSERT_EQ(errorLines(checked.diagnostics), Lines{});
    EXPECT_EQ(warningLines(checked.diagnostics), Lines{});
    const QuizDescription& quiz = checked.quiz;
    EXPECT_EQ(quiz.kind, QuizKind::Sound);
    EXPECT_EQ(quiz.title, "Capitales d'Europe");
    EXPECT_EQ(quiz.description, "\xC9" "coutez");
    EXPECT_EQ(quiz.answersPerEntry, 2);
    EXPECT_EQ(quiz.answerLabels[1], "Fleuve");
    EXPECT_EQ(quiz.reveal, RevealKind::Text);
    EXPECT_EQ(quiz.boardColour, 0x10DCC0u);
    ASSERT_EQ(quiz.entries.size(), 2u);
    EXPECT_EQ(quiz.entries[0].answers[1], "Seine");
    EXPECT_EQ(quiz.entries[0].media, "s/1.mp3");
    EXPECT_EQ(quiz.entries[0].revealText, "Sur la Seine");
    EXPECT_EQ(quiz.entries[1].clue, "");
    EXPECT_EQ(quiz.codes, (Lines{"K7Q2", "Z|9"}));
}

TEST(QuizDescription, DefaultsOfTheOptionalKeys)
{
    Checked checked = check(textQuiz(plainEntry));
    ASSERT_EQ(errorLines(checked.diagnostics), Lines{});
    EXPECT_EQ(checked.quiz.author, "");
    EXPECT_EQ(checked.quiz.answersPerEntry, 1);
    EXPECT_EQ(checked.quiz.reveal, RevealKind::None);
    EXPECT_EQ(checked.quiz.boardColour, 0xFFFFFFu);
    EXPECT_EQ(checked.quiz.answerLabels[0], "");
    EXPECT_TRUE(checked.quiz.codes.empty());
    // Windows editors may start UTF-8 files with a byte order mark.
    EXPECT_EQ(errorLines(check("\xEF\xBB\xBF" + textQuiz(plainEntry)).diagnostics), Lines{});
}

TEST(QuizDescription, TextLimitsCountWindows1252Bytes)
{
    struct Row {
        std::string title;
        Lines errors;
    };
    const Row rows[] = {
        {std::string(259, 'a'), {}},
        {std::string(260, 'a'), {"quiz.json: title: 260 bytes in Windows-1252, at most 259"}},
        {[] { std::string t; for (int n = 0; n < 259; ++n) t += "é"; return t; }(), {}},  // 518 bytes of UTF-8
        {[] { std::string t; for (int n = 0; n < 262; ++n) t += "€"; return t; }(),
         {"quiz.json: title: 262 bytes in Windows-1252, at most 259"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(errorLines(check(R"({"kind": "text", "title": ")" + row.title + R"(", "entries": [)" + plainEntry + "]}")
                                 .diagnostics),
                  row.errors)
            << row.title.size();
}

struct ErrorRow {
    const char* name;
    std::string json;
    Lines errors;
};

void expectErrors(const std::vector<ErrorRow>& rows)
{
    for (const ErrorRow& row : rows)
        EXPECT_EQ(errorLines(check(row.json).diagnostics), row.errors) << row.name;
}

TEST(QuizDescription, MalformedJsonNamesLineAndColumn)
{
    expectErrors({
        {"bad literal", "{\"kind\": \"text\",\n  \"title\": tru }",
         {"quiz.json: line 2, column 15: malformed JSON: syntax error while parsing value - invalid literal"}},
        {"missing comma", "{\"kind\": \"text\"\n\n \"title\": \"T\"}",
         {"quiz.json: line 1, kind: a comma is missing after this value"}},
        {"accented line", "{\"title\": \"Été\",\n \"x\": ]}",
         {"quiz.json: line 2, column 7: malformed JSON: syntax error while parsing value - unexpected ']'; "
          "expected '[', '{', or a literal"}},
        {"column counts characters", "{\"title\": \"Été\" ]",
         {"quiz.json: line 1, column 17: malformed JSON: syntax error while parsing object - unexpected ']'; "
          "expected '}'"}},
        {"after a byte order mark", "\xEF\xBB\xBF{\"kind\": x}",
         {"quiz.json: line 1, column 10: malformed JSON: syntax error while parsing value - invalid literal"}},
        {"cut short", "{\"kind\": \"text\"",
         {"quiz.json: line 1, column 16: malformed JSON: syntax error while parsing object - unexpected end of "
          "input; expected '}'"}},
        {"broken UTF-8", "{\"title\": \"a\xFF\"}",
         {"quiz.json: line 1, column 13: malformed JSON: syntax error while parsing value - invalid string: "
          "ill-formed UTF-8 byte"}},
        {"not an object", "[1, 2]", {"quiz.json: the top level is an array, expected an object"}},
        // The bytes read are not echoed, even where they hold what the parser's text looks for.
        {"echo holding \"; expected\"", "{\"k; expected \x7F\xF6\": 1}",
         {"quiz.json: line 1, column 16: malformed JSON: syntax error while parsing object key - invalid string: "
          "ill-formed UTF-8 byte; expected string literal"}},
    });
}

// Nesting is refused at a fixed depth, at the bracket that goes too deep,
// so no text costs memory or time level by level.
TEST(QuizDescription, NestingDeeperThanSixteenLevels)
{
    const std::string tooDeep = "arrays and objects nested more than 16 levels deep; a quiz description needs 4 "
                                "(the quiz, its entries, an entry, its answers)";
    auto opened = [](int count) { return std::string(count, '['); };
    auto nested = [](int count) { return std::string(count, '[') + std::string(count, ']'); };
    auto repeated = [](const std::string& piece, int count) {
        std::string text;
        for (int n = 0; n < count; ++n)
            text += piece;
        return text;
    };
    expectErrors({
        {"16 levels", nested(16), {"quiz.json: the top level is an array, expected an object"}},
        {"17 levels", nested(17), {"quiz.json: line 1, column 17: " + tooDeep}},
        {"2000 open brackets", opened(2000), {"quiz.json: line 1, column 17: " + tooDeep}},
        {"objects and arrays", "{\"kind\": \"text\",\n \"title\": " + opened(7) + repeated("{\"a\": ", 8) + nested(3)
                                   + repeated("}", 8) + std::string(7, ']') + "}",
         {"quiz.json: line 2, column 66: " + tooDeep}},
        {"brackets in texts do not nest",
         textQuiz(R"({"clue": "[[[[[[[[[[[[[[[[[[[[", "answers": ["\"{{{{{{{{{{{{{{{{{{{{"]})"), {}},
        {"an escaped backslash ends a text", R"({"title": "a\\", "x": )" + opened(17),
         {"quiz.json: line 1, column 38: " + tooDeep}},
        {"a cut text hides the rest", "{\"title\": \"" + opened(40), {"quiz.json: line 1, column 52: malformed JSON: "
                                                                       "syntax error while parsing value - invalid "
                                                                       "string: missing closing quote"}},
    });
}

// 200 KB of open arrays or objects, as a hostile file may hold: refused at
// the seventeenth level, without a cost per level read.
TEST(QuizDescription, TwoHundredKilobytesOfOpenBrackets)
{
    struct Row {
        std::string piece;
        const char* place;
    };
    const Row rows[] = {{"[", "line 1, column 28"}, {"{\"a\":", "line 1, column 88"}, {"[\n", "line 16, column 1"}};
    for (const Row& row : rows) {
        std::string json = "{\"entries\": ";
        while (json.size() < 200000)
            json += row.piece;
        Checked checked = check(json);
        ASSERT_EQ(checked.diagnostics.errors.size(), 1u) << row.piece;
        const std::string start = "quiz.json: " + std::string(row.place) + ": arrays and objects nested more than 16";
        EXPECT_EQ(errorLines(checked.diagnostics)[0].substr(0, start.size()), start) << row.piece;
    }
}

TEST(QuizDescription, NumbersTooLargeForTheParser)
{
    expectErrors({
        {"1e400", "{\"kind\": \"text\",\n \"answersPerEntry\": 1e400, \"title\": \"T\", \"entries\": [" + plainEntry + "]}",
         {"quiz.json: line 2, column 21: the number 1e400 is too large"}},
        {"negative, in an entry", textQuiz(R"({"clue": "c", "answers": ["a"], "media": -2.5E+999})"),
         {"quiz.json: line 1, column 85: the number -2.5E+999 is too large"}},
        {"after a number in a text", R"({"title": "1e400", "x": [1e300, 1.5e308, 2e308]})",
         {"quiz.json: line 1, column 42: the number 2e308 is too large"}},
        {"four hundred digits", R"({"kind": )" + std::string(400, '9') + "}",
         {"quiz.json: line 1, column 10: the number 99999999999999999999999999999999... (400 characters) is too "
          "large"}},
    });
    EXPECT_EQ(errorLines(check(textQuiz(plainEntry, R"("answersPerEntry": 1e300, )")).diagnostics),
              Lines{"quiz.json: answersPerEntry: 1e+300, expected 1 or 2"});
}

TEST(QuizDescription, NoJsonTextAtAll)
{
    const Lines empty = {"quiz.json: holds no JSON text; expected a quiz description, a JSON object"};
    expectErrors({
        {"empty", "", empty},
        {"blanks", " \r\n\t\n", empty},
        {"a byte order mark alone", "\xEF\xBB\xBF\n", empty},
    });
}

// Control characters are shown as JSON escapes, so a line on the console
// is whole and shows what the file holds.
TEST(QuizDescription, ControlCharactersInEchoedValues)
{
    expectErrors({
        {"zero in an unknown key", textQuiz(plainEntry, R"("ti\u0000tle": 1, )"),
         {"quiz.json: unknown key \"ti\\u0000tle\"; known keys: \"kind\", \"title\", \"author\", \"description\", "
          "\"answersPerEntry\", \"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\""}},
        {"line feed in a kind", R"({"kind": "te\nxt", "title": "T", "entries": [)" + plainEntry + "]}",
         {"quiz.json: kind: \"te\\nxt\" is not known; expected \"text\", \"picture\", \"sound\" or \"video\""}},
        {"escape and tab in a colour", textQuiz(plainEntry, R"("boardColour": "#\u001b\t\u007f", )"),
         {"quiz.json: boardColour: \"#\\u001B\\t\\u007F\" is not a colour; expected \"#RRGGBB\" with hexadecimal "
          "digits"}},
        {"C1 controls and accents in a kind", R"({"kind": "\u0085t\u009f\u00a0é", "title": "T", "entries": [)" + plainEntry + "]}",
         {"quiz.json: kind: \"\\u0085t\\u009F\u00a0é\" is not known; expected \"text\", \"picture\", \"sound\" or "
          "\"video\""}},
        {"repeated key inside an unknown key with controls",
         textQuiz(plainEntry, R"("k\u0001\u0085": [{"a": 1, "a": 2}], )"),
         {"quiz.json: k\\u0001\\u0085[0]: key \"a\" appears twice; only one value per key can be kept",
          "quiz.json: unknown key \"k\\u0001\\u0085\"; known keys: \"kind\", \"title\", \"author\", \"description\", "
          "\"answersPerEntry\", \"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\""}},
        {"repeated key with a zero", textQuiz(plainEntry, R"("a\u0000": 1, "a\u0000": 2, )"),
         {"quiz.json: key \"a\\u0000\" appears twice; only one value per key can be kept",
          "quiz.json: unknown key \"a\\u0000\"; known keys: \"kind\", \"title\", \"author\", \"description\", "
          "\"answersPerEntry\", \"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\""}},
    });
}

TEST(QuizDescription, UnknownAndRepeatedKeys)
{
    const std::string knownTop = "known keys: \"kind\", \"title\", \"author\", \"description\", \"answersPerEntry\", "
                                 "\"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\"";
    const std::string knownEntry = "known keys: \"clue\", \"answers\", \"media\", \"revealPicture\", \"revealText\", \"webClip\"";
    expectErrors({
        {"top-level typo", textQuiz(plainEntry, R"("titel": "x", )"),
         {"quiz.json: unknown key \"titel\"; " + knownTop}},
        {"entry typo", textQuiz(R"({"clue": "c", "answers": ["a"], "answer": "b"})"),
         {"quiz.json: entry 1: unknown key \"answer\"; " + knownEntry}},
        {"repeated title", textQuiz(plainEntry, R"("title": "U", )"),
         {"quiz.json: key \"title\" appears twice; only one value per key can be kept"}},
        {"repeated in entry 2", textQuiz(plainEntry + R"(, {"clue": "c", "clue": "d", "answers": ["a"]})"),
         {"quiz.json: entry 2: key \"clue\" appears twice; only one value per key can be kept"}},
    });
}

TEST(QuizDescription, KindsRevealsCountsAndColours)
{
    expectErrors({
        {"kind missing", R"({"title": "T", "entries": [)" + plainEntry + "]}",
         {"quiz.json: kind: missing; expected \"text\", \"picture\", \"sound\" or \"video\""}},
        {"kind unknown", R"({"kind": "movie", "title": "T", "entries": [)" + plainEntry + "]}",
         {"quiz.json: kind: \"movie\" is not known; expected \"text\", \"picture\", \"sound\" or \"video\""}},
        {"kind number", R"({"kind": 1, "title": "T", "entries": [)" + plainEntry + "]}",
         {"quiz.json: kind: expected \"text\", \"picture\", \"sound\" or \"video\", found a number"}},
        {"reveal unknown", textQuiz(plainEntry, R"("reveal": "image", )"),
         {"quiz.json: reveal: \"image\" is not known; expected \"none\", \"picture\" or \"text\""}},
        {"title missing", R"({"kind": "text", "entries": [)" + plainEntry + "]}",
         {"quiz.json: title: missing; expected the quiz's title"}},
        {"title number", R"({"kind": "text", "title": 12, "entries": [)" + plainEntry + "]}",
         {"quiz.json: title: expected a string, found a number"}},
        {"three answers each", textQuiz(plainEntry, R"("answersPerEntry": 3, )"),
         {"quiz.json: answersPerEntry: 3, expected 1 or 2"}},
        {"answers as text", textQuiz(plainEntry, R"("answersPerEntry": "2", )"),
         {"quiz.json: answersPerEntry: a string, expected 1 or 2"}},
        {"answers as fraction", textQuiz(plainEntry, R"("answersPerEntry": 1.5, )"),
         {"quiz.json: answersPerEntry: 1.5, expected 1 or 2"}},
        {"three labels", textQuiz(plainEntry, R"("answerLabels": ["a", "b", "c"], )"),
         {"quiz.json: answerLabels: 3 labels, expected an array of 2 (first and second answer)"}},
        {"label number", textQuiz(plainEntry, R"("answerLabels": ["a", 2], )"),
         {"quiz.json: answerLabels[1]: expected a string, found a number"}},
        {"colour without #", textQuiz(plainEntry, R"("boardColour": "C0DCC0", )"),
         {"quiz.json: boardColour: \"C0DCC0\" is not a colour; expected \"#RRGGBB\" with hexadecimal digits"}},
        {"colour not hex", textQuiz(plainEntry, R"("boardColour": "#C0DCCG", )"),
         {"quiz.json: boardColour: \"#C0DCCG\" is not a colour; expected \"#RRGGBB\" with hexadecimal digits"}},
        {"colour number", textQuiz(plainEntry, R"("boardColour": 12632256, )"),
         {"quiz.json: boardColour: a number is not a colour; expected \"#RRGGBB\" with hexadecimal digits"}},
        {"no entries key", R"({"kind": "text", "title": "T"})",
         {"quiz.json: entries: missing; expected an array of 1 to 90 entries"}},
        {"entries object", R"({"kind": "text", "title": "T", "entries": {}})",
         {"quiz.json: entries: expected an array of 1 to 90 entries, found an object"}},
        {"no entry", textQuiz(""), {"quiz.json: entries: empty, at least 1"}},
        {"91 entries", textQuiz(entries(91)), {"quiz.json: entries: 91 entries, at most 90"}},
    });
    EXPECT_EQ(errorLines(check(textQuiz(entries(90))).diagnostics), Lines{});
}

TEST(QuizDescription, StoredTextRules)
{
    expectErrors({
        {"no Windows-1252 form", textQuiz(R"({"clue": "中国", "answers": ["a"]})"),
         {"quiz.json: entry 1, clue: character U+4E2D (character 1) has no Windows-1252 form"}},
        {"escaped character", textQuiz(R"({"clue": "x", "answers": ["\u0101"]})"),
         {"quiz.json: entry 1, answers[0]: character U+0101 (character 1) has no Windows-1252 form"}},
        {"separator in answer", textQuiz(R"({"clue": "c", "answers": ["a|b"]})"),
         {"quiz.json: entry 1, answers[0]: holds \"|\", which separates the stored fields"}},
        {"separator in title", R"({"kind": "text", "title": "A|B", "entries": [)" + plainEntry + "]}",
         {"quiz.json: title: holds \"|\", which separates the stored fields"}},
        {"line feed in clue", textQuiz(R"({"clue": "two\nlines", "answers": ["a"]})"),
         {"quiz.json: entry 1, clue: holds a line feed (LF); stored texts are single lines"}},
        {"return in author", textQuiz(plainEntry, R"("author": "A\r", )"),
         {"quiz.json: author: holds a carriage return (CR); stored texts are single lines"}},
        {"zero in description", textQuiz(plainEntry, R"("description": "a\u0000b", )"),
         {"quiz.json: description: holds a zero character (U+0000), which would end the stored text"}},
        {"two faults in one text", textQuiz(R"({"clue": "c", "answers": [")" + std::string(259, 'x') + R"(|"]})"),
         {"quiz.json: entry 1, answers[0]: 260 bytes in Windows-1252, at most 259",
          "quiz.json: entry 1, answers[0]: holds \"|\", which separates the stored fields"}},
    });
}

TEST(QuizDescription, EntryRules)
{
    const std::string twoAnswers = R"("answersPerEntry": 2, )";
    expectErrors({
        {"entry not an object", textQuiz(plainEntry + ", [1]"),
         {"quiz.json: entry 2: expected an object, found an array"}},
        {"answers missing", textQuiz(R"({"clue": "c"})"),
         {"quiz.json: entry 1, answers: missing; expected an array of answer texts"}},
        {"answers a text", textQuiz(R"({"clue": "c", "answers": "a"})"),
         {"quiz.json: entry 1, answers: expected an array of answer texts, found a string"}},
        {"one answer of two", textQuiz(R"({"clue": "c", "answers": ["a"]})", twoAnswers),
         {"quiz.json: entry 1, answers: 1 answer, answersPerEntry is 2"}},
        {"two answers of one", textQuiz(R"({"clue": "c", "answers": ["a", "b"]})"),
         {"quiz.json: entry 1, answers: 2 answers, answersPerEntry is 1"}},
        {"answer number", textQuiz(R"({"clue": "c", "answers": ["a", 7]})", twoAnswers),
         {"quiz.json: entry 1, answers[1]: expected a string, found a number"}},
        {"clue missing in text quiz", textQuiz(R"({"answers": ["a"]})"),
         {"quiz.json: entry 1, clue: missing; a text quiz shows the clue of every entry"}},
        {"media in text quiz", textQuiz(R"({"clue": "c", "answers": ["a"], "media": "a.jpg"})"),
         {"quiz.json: entry 1, media: a text quiz shows no media, so it would not be stored; remove it"}},
        {"media missing", pictureQuiz(R"({"answers": ["a"]})"),
         {"quiz.json: entry 1, media: missing; a picture quiz needs one for every entry"}},
        {"media number", pictureQuiz(R"({"answers": ["a"], "media": 3})"),
         {"quiz.json: entry 1, media: expected a file path, found a number"}},
        {"media empty", pictureQuiz(R"({"answers": ["a"], "media": ""})"),
         {"quiz.json: entry 1, media: expected a file path, found an empty string"}},
        {"reveal picture without reveal", pictureQuiz(R"({"answers": ["a"], "media": "a.jpg", "revealPicture": "b.jpg"})"),
         {"quiz.json: entry 1, revealPicture: reveal is \"none\", so it would not be stored; remove it or set "
          "reveal to \"picture\""}},
        {"reveal picture missing", pictureQuiz(R"({"answers": ["a"], "media": "a.jpg"})", R"("reveal": "picture", )"),
         {"quiz.json: entry 1, revealPicture: missing; reveal \"picture\" needs one for every entry"}},
        {"reveal text under picture reveal",
         textQuiz(R"({"clue": "c", "answers": ["a"], "revealPicture": "b.gif", "revealText": "t"})",
                  R"("reveal": "picture", )"),
         {"quiz.json: entry 1, revealText: reveal is \"picture\", so it would not be stored; remove it or set "
          "reveal to \"text\""}},
    });
}

TEST(QuizDescription, CodeRules)
{
    expectErrors({
        {"more codes than entries", textQuiz(plainEntry, R"("codes": ["A", "B"], )"),
         {"quiz.json: codes: 2 codes for 1 entry, at most one per entry"}},
        {"codes a text", textQuiz(plainEntry, R"("codes": "A", )"),
         {"quiz.json: codes: expected an array of code texts, found a string"}},
        {"code number", textQuiz(entries(2), R"("codes": ["A", 2], )"),
         {"quiz.json: codes[1]: expected a string, found a number"}},
        {"code with return", textQuiz(plainEntry, R"("codes": ["K7\rQ2"], )"),
         {"quiz.json: codes[0]: holds a carriage return (CR); stored texts are single lines"}},
        {"code too long", textQuiz(plainEntry, R"("codes": [")" + std::string(300, 'K') + R"("], )"),
         {"quiz.json: codes[0]: 300 bytes in Windows-1252, at most 259"}},
    });
    Checked fewer = check(textQuiz(entries(5), R"("codes": ["A", "", "C"], )"));
    EXPECT_EQ(errorLines(fewer.diagnostics), Lines{});
    EXPECT_EQ(warningLines(fewer.diagnostics),
              Lines{"quiz.json: codes: warning: 3 codes for 5 entries; 2 rows stay empty, and players reaching those "
                    "scores see no code"});
    EXPECT_EQ(fewer.quiz.codes, (Lines{"A", "", "C"}));
}

TEST(QuizDescription, EveryProblemOfTheFileInOneRun)
{
    Checked checked = check(R"({"kind": "picture", "title": "T|", "boardColour": "#12345",
      "entries": [
        {"answers": ["a"], "media": "1.jpg"},
        {"answers": ["b", "c"], "media": "2.jpg"},
        {"answers": ["d"]}
      ],
      "codes": ["1", "2", "3", "4"]})");
    EXPECT_EQ(errorLines(checked.diagnostics),
              (Lines{"quiz.json: title: holds \"|\", which separates the stored fields",
                     "quiz.json: boardColour: \"#12345\" is not a colour; expected \"#RRGGBB\" with hexadecimal digits",
                     "quiz.json: entry 2, answers: 2 answers, answersPerEntry is 1",
                     "quiz.json: entry 3, media: missing; a picture quiz needs one for every entry",
                     "quiz.json: codes: 4 codes for 3 entries, at most one per entry"}));
}

TEST(QuizDescription, ColoursBothWays)
{
    struct Row {
        const char* text;
        uint32_t colour;
    };
    const Row rows[] = {{"#C0DCC0", 0xC0DCC0}, {"#102030", 0x302010}, {"#FF0000", 0x0000FF}, {"#0000FF", 0xFF0000},
                        {"#000000", 0}};
    for (const Row& row : rows) {
        uint32_t colour = 0xDEADBEEF;
        ASSERT_TRUE(parseColour(row.text, colour)) << row.text;
        EXPECT_EQ(colour, row.colour) << row.text;
        EXPECT_EQ(colourText(row.colour), row.text);
    }
    uint32_t lower = 0;
    EXPECT_TRUE(parseColour("#a0b1c2", lower));
    EXPECT_EQ(lower, 0xC2B1A0u);
}

}  // namespace
