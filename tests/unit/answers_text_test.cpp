#include "quiz/answers_text.h"
#include "quiz/content_extents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> readAll(const std::string& file, int boxes)
{
    AnswersReader reader{file.data(), file.size(), 0};
    std::vector<std::string> texts;
    for (int box = 0; box < boxes; ++box) {
        char text[QuizTextSize];
        nextAnswer(reader, text);
        texts.push_back(text);
    }
    return texts;
}

TEST(AnswersFileName, LastThreeCharactersBecomeTxt)
{
    struct Row { const char* path; const char* name; };
    const Row rows[] = {
        {"C:\\quizz\\Quiz.exe", "Quiz.txt"}, {"QUIZ.EXE", "QUIZ.txt"}, {"D:\\a\\b\\quizexe", "quiztxt"},
        {"C:\\x\\ab", "txt"}, {"C:\\dir.v2\\capitales.exe", "capitales.txt"},
    };
    for (const Row& row : rows) {
        char name[QuizTextSize];
        answersFileNameFrom(row.path, name);
        EXPECT_STREQ(name, row.name) << row.path;
    }
}

TEST(AnswersText, OtherEncodingsAndLineEndsBecomeWindows1252Lines)
{
    using namespace std::string_literals;
    struct Row { const char* name; std::string bytes; std::vector<std::string> lines; };
    const Row rows[] = {
        {"plain Windows-1252", "a\r\n\xE9t\xE9\nz", {"a", "\xE9t\xE9", "z"}},
        {"UTF-16 LE, euro sign and a character past U+FFFF", "\xFF\xFE" "a\0\xAC\x20\r\0\n\0\x3D\xD8\x00\xDE"s,
         {"a\x80", "?"}},
        {"UTF-16 BE, odd last byte dropped", "\xFE\xFF\0b\0\xE9\0\n\0"s, {"b\xE9"}},
        {"UTF-16 LE, lone surrogate", "\xFF\xFE\x00\xD8x\0"s, {"?x"}},
        {"UTF-8 with its mark, invalid byte kept", "\xEF\xBB\xBF\xC3\xA9\xFF\xE4\xB8\xAD\r\n", {"\xE9\xFF?"}},
        {"CR alone ends lines", "un\rdeux\r\rtrois", {"un", "deux", "", "trois"}},
        {"CR inside a file with LF stays", "un\rdeux\n", {"un\rdeux"}},
        {"a mark alone", "\xFF\xFE", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(answerLinesOf(answersFileText(row.bytes)), row.lines) << row.name;
}

TEST(AnswersText, WritesOneLinePerBox)
{
    std::string file;
    for (const char* box : {"Paris", "", " rome ", "*", "\xE9t\xE9"})
        appendAnswerLine(file, box);
    EXPECT_EQ(file, "Paris\r\n*\r\n rome \r\n*\r\n\xE9t\xE9\r\n");
    std::string longer;
    appendAnswerLine(longer, std::string(300, 'x').c_str());
    EXPECT_EQ(longer, std::string(259, 'x') + "\r\n");
}

TEST(AnswersText, ReadsLinesAsSaved)
{
    struct Row { const char* what; std::string file; int boxes; std::vector<std::string> texts; };
    const std::string long259(259, 'a');
    const std::vector<Row> rows = {
        {"first run", "", 2, {"", ""}},
        {"star, spaces, star between spaces", "*\r\n \r\n * \r\n", 3, {"", " ", " * "}},
        {"line feeds only, last without end", "un\ndeux\ntrois", 3, {"un", "deux", "trois"}},
        {"empty line", "\r\nb\r\n", 2, {"", "b"}},
        {"fewer lines than boxes", "a\r\n", 3, {"a", "", ""}},
        {"more lines than boxes", "a\r\nb\r\nc\r\n", 2, {"a", "b"}},
        {"259 characters", long259 + "\r\nnext\r\n", 2, {long259, "next"}},
        {"300 characters: cut, rest skipped", std::string(300, 'b') + "\r\nnext\r\n", 2, {std::string(259, 'b'), "next"}},
        {"accented bytes", "\xE9t\xE9\r\n\xC0 bient\xF4t\r\n", 2, {"\xE9t\xE9", "\xC0 bient\xF4t"}},
        {"lone carriage return kept", "a\rb\r\n", 1, {"a\rb"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(readAll(row.file, row.boxes), row.texts) << row.what;
}

// The boxes a saved file restores, read as the player reads it: the file's
// text, its lines, each line as its box holds it.
TEST(AnswersText, RestoresBoxesAsThePlayerReadsTheFile)
{
    struct Row { const char* what; std::string file; std::vector<std::string> boxes; };
    const Row rows[] = {
        // Only the line "*" alone stands for an empty box.
        {"star followed by text", "*x\r\n**\r\n*\r\n", {"*x", "**", ""}},
        // A file with line feeds ends lines with them alone: a carriage return
        // not followed by one is text, at the very end of the file too.
        {"lone carriage return at the end of the file", "a\r\nb\r", {"a", "b\r"}},
        // Without any line feed, carriage returns end the lines.
        {"carriage returns only, one last", "a\rb\r", {"a", "b"}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> boxes;
        for (const std::string& line : answerLinesOf(answersFileText(row.file))) {
            char text[QuizTextSize];
            boxTextOfLine(line, text);
            boxes.push_back(text);
        }
        EXPECT_EQ(boxes, row.boxes) << row.what;
    }
}

TEST(AnswersText, SavedFileReadsBack)
{
    const std::vector<std::string> boxes = {"Paris", "", "  deux espaces  ", std::string(259, 'z'), "\xC9t\xE9"};
    std::string file;
    for (const std::string& box : boxes)
        appendAnswerLine(file, box.c_str());
    EXPECT_EQ(readAll(file, int(boxes.size())), boxes);
}

TEST(ContentExtents, ByKindAndCount)
{
    struct Row { QuizKind kind; int entries; int answers; RevealKind reveal; int height; };
    const Row rows[] = {
        {QuizKind::Text, 30, 1, RevealKind::None, 775},      {QuizKind::Picture, 30, 1, RevealKind::None, 3325},
        {QuizKind::Picture, 30, 2, RevealKind::Text, 3625},  {QuizKind::Video, 30, 1, RevealKind::Picture, 3325},
        {QuizKind::Sound, 30, 2, RevealKind::None, 820},     {QuizKind::Text, 1, 1, RevealKind::None, 50},
        {QuizKind::Picture, 1, 1, RevealKind::None, 355},    {QuizKind::Picture, 1, 1, RevealKind::Text, 385},
        {QuizKind::Sound, 1, 1, RevealKind::None, 100},      {QuizKind::Text, 0, 1, RevealKind::None, 25},
        // two answers of a text quiz: a heading line per group of three entries
        {QuizKind::Text, 1, 2, RevealKind::None, 70},        {QuizKind::Text, 3, 2, RevealKind::None, 120},
        {QuizKind::Text, 4, 2, RevealKind::None, 165},       {QuizKind::Text, 90, 2, RevealKind::Text, 2875},
    };
    for (const Row& row : rows)
        EXPECT_EQ(contentHeightFor(row.kind, row.entries, row.answers, row.reveal), row.height)
            << int(row.kind) << " x " << row.entries << " x " << row.answers;
    EXPECT_EQ(contentWidthFor(1), 890);
    EXPECT_EQ(contentWidthFor(2), 980);
}

}  // namespace
