#include "quiz/payload.h"
#include "quiz/payload_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

struct LoadedQuiz {
    Quiz quiz;
    bool parsed;
    LoadedQuiz() { initQuiz(quiz); }
    ~LoadedQuiz() { freeEntries(quiz); }
};

bool parse(LoadedQuiz& loaded, const std::string& payload)
{
    auto bytes = bytesOf(payload);
    loaded.parsed = parseQuizPayload(loaded.quiz, bytes.data(), bytes.size());
    return loaded.parsed;
}

const std::string header1 = std::string("\x00\x01\x02\x01", 4) + "Titre|Ana|Desc|L1|L2|";
const std::string header2 = std::string("\x00\x02\x02\x02", 4) + "Titre|Ana|Desc|L1|L2|";

TEST(QuizPayload, OneAnswerPerEntry)
{
    LoadedQuiz loaded;
    ASSERT_TRUE(parse(loaded, header1 + "Paris|France|Rome|Italie|" + std::string("\x00\x10\x20\x30", 4)));
    const Quiz& quiz = loaded.quiz;
    EXPECT_EQ(quiz.kind, QuizKind::Text);
    EXPECT_EQ(quiz.entryCount, 2);
    EXPECT_EQ(quiz.answersPerEntry, 1);
    EXPECT_STREQ(quiz.title, "Titre");
    EXPECT_STREQ(quiz.author, "Ana");
    EXPECT_STREQ(quiz.description, "Desc");
    EXPECT_STREQ(quiz.firstAnswerLabel, "L1");
    EXPECT_STREQ(quiz.secondAnswerLabel, "L2");
    EXPECT_STREQ(entryAt(quiz, 0)->answer1, "Paris");
    EXPECT_STREQ(entryAt(quiz, 0)->answer2, "");
    EXPECT_STREQ(entryAt(quiz, 0)->clue, "France");
    EXPECT_STREQ(entryAt(quiz, 1)->answer1, "Rome");
    EXPECT_STREQ(entryAt(quiz, 1)->clue, "Italie");
    EXPECT_EQ(quiz.tail, entryAt(quiz, 1));
    EXPECT_EQ(quiz.revealKind, RevealKind::None);
    EXPECT_EQ(quiz.boardColour, 0x302010u);
}

TEST(QuizPayload, TwoAnswersPerEntryAndRevealTexts)
{
    LoadedQuiz loaded;
    ASSERT_TRUE(parse(loaded, header2 + "a1|a2|c|b1||d|" + std::string("\x02", 1) + "texte 1||"
                                  + std::string("\xFF\x00\x01", 3)));
    const Quiz& quiz = loaded.quiz;
    EXPECT_EQ(quiz.kind, QuizKind::Picture);
    EXPECT_STREQ(entryAt(quiz, 0)->answer1, "a1");
    EXPECT_STREQ(entryAt(quiz, 0)->answer2, "a2");
    EXPECT_STREQ(entryAt(quiz, 0)->clue, "c");
    EXPECT_STREQ(entryAt(quiz, 1)->answer2, "");
    EXPECT_STREQ(entryAt(quiz, 1)->clue, "d");
    EXPECT_EQ(quiz.revealKind, RevealKind::Text);
    EXPECT_STREQ(entryAt(quiz, 0)->revealText, "texte 1");
    EXPECT_STREQ(entryAt(quiz, 1)->revealText, "");
    EXPECT_EQ(quiz.boardColour, 0x0100FFu);
}

TEST(QuizPayload, KindsAndRevealKinds)
{
    struct Row { uint8_t kindByte; QuizKind kind; uint8_t reveal; };
    const Row rows[] = {{1, QuizKind::Text, 0}, {2, QuizKind::Picture, 1}, {3, QuizKind::Sound, 0},
                        {4, QuizKind::Video, 7}};
    for (const Row& row : rows) {
        LoadedQuiz loaded;
        std::string payload = std::string("\x00", 1) + char(row.kindByte) + std::string("\x01\x01", 2)
                              + "T|A|D|||x|y|" + char(row.reveal) + "abc";
        ASSERT_TRUE(parse(loaded, payload)) << int(row.kindByte);
        EXPECT_EQ(loaded.quiz.kind, row.kind);
        EXPECT_EQ(static_cast<int>(loaded.quiz.revealKind), row.reveal);
        EXPECT_EQ(loaded.quiz.boardColour, 0x636261u) << "reveal " << int(row.reveal);
    }
}

TEST(QuizPayload, NoEntries)
{
    for (char reveal : {char(0), char(2)}) {
        LoadedQuiz loaded;
        ASSERT_TRUE(parse(loaded, std::string("\x00\x01\x00\x01", 4) + "T|A|D|||" + reveal + "\x01\x02\x03"));
        EXPECT_EQ(loaded.quiz.entryCount, 0);
        EXPECT_EQ(loaded.quiz.head, nullptr);
        EXPECT_EQ(loaded.quiz.boardColour, 0x030201u);
    }
}

TEST(QuizPayload, FieldsOf259BytesAreKept)
{
    LoadedQuiz loaded;
    std::string longest(259, 'z');
    ASSERT_TRUE(parse(loaded, std::string("\x00\x01\x01\x01", 4) + longest + "|A|D|||" + longest + "|c|"
                                  + std::string("\x00\x00\x00\x00", 4)));
    EXPECT_EQ(std::strlen(loaded.quiz.title), 259u);
    EXPECT_EQ(std::strlen(entryAt(loaded.quiz, 0)->answer1), 259u);
}

TEST(QuizPayload, DamagedPayloadsLeaveAnEmptyQuiz)
{
    std::string full = header1 + "Paris|France|Rome|Italie|" + std::string("\x00\x10\x20\x30", 4);
    struct Row { const char* what; std::string payload; };
    std::vector<Row> rows = {
        {"empty", ""},
        {"header cut", std::string("\x00\x01", 2)},
        {"title without separator", std::string("\x00\x01\x00\x01", 4) + "Titre"},
        {"field of 260 bytes", std::string("\x00\x01\x00\x01", 4) + std::string(260, 'x') + "|A|D|||"
                                   + std::string("\x00\x00\x00\x00", 4)},
        {"91 entries", std::string("\x00\x01\x5B\x01", 4) + "T|A|D|||"},
        {"255 entries", std::string("\x00\x01\xFF\x01", 4) + "T|A|D|||"},
        {"three answers", std::string("\x00\x01\x01\x03", 4) + "T|A|D|||a|b|c|" + std::string(4, '\0')},
        {"no answers", std::string("\x00\x01\x01\x00", 4) + "T|A|D|||a|" + std::string(4, '\0')},
        {"kind byte 0", std::string("\x00\x00\x00\x01", 4) + "T|A|D|||" + std::string(4, '\0')},
        {"kind byte 5", std::string("\x00\x05\x00\x01", 4) + "T|A|D|||" + std::string(4, '\0')},
        {"missing colour byte", full.substr(0, full.size() - 1)},
        {"missing reveal kind", header1 + "Paris|France|Rome|Italie|"},
        {"missing entry", header1 + "Paris|France|" + std::string("\x00\x10\x20\x30", 4)},
        {"missing reveal text", header1 + "Paris|France|Rome|Italie|" + std::string("\x02", 1) + "t1|"},
    };
    for (const Row& row : rows) {
        LoadedQuiz loaded;
        EXPECT_FALSE(parse(loaded, row.payload)) << row.what;
        EXPECT_EQ(loaded.quiz.entryCount, 0) << row.what;
        EXPECT_EQ(loaded.quiz.head, nullptr) << row.what;
        EXPECT_STREQ(loaded.quiz.title, "") << row.what;
    }
    LoadedQuiz loaded;
    EXPECT_TRUE(parse(loaded, full));
}

TEST(CodesPayload, RowsFromCrLfLines)
{
    LoadedQuiz loaded;
    loaded.quiz.entryCount = 2;
    std::string payload = "K7Q2\r\nZ9\r\nnot read\r\n";
    ASSERT_TRUE(parseCodesPayload(loaded.quiz, reinterpret_cast<const uint8_t*>(payload.data()), payload.size()));
    EXPECT_STREQ(loaded.quiz.codes[0], "K7Q2");
    EXPECT_STREQ(loaded.quiz.codes[1], "Z9");
    EXPECT_STREQ(loaded.quiz.codes[2], "");
}

TEST(CodesPayload, DamagedCodesLeaveEveryRowEmpty)
{
    struct Row { const char* what; std::string payload; };
    const Row rows[] = {
        {"too few lines", "K7Q2\r\n"},
        {"last line without CR", "K7Q2\r\nZ9"},
        {"code of 260 bytes", "A\r\n" + std::string(260, 'c') + "\r\n"},
        {"empty", ""},
    };
    for (const Row& row : rows) {
        LoadedQuiz loaded;
        loaded.quiz.entryCount = 2;
        EXPECT_FALSE(parseCodesPayload(loaded.quiz, reinterpret_cast<const uint8_t*>(row.payload.data()),
                                       row.payload.size()))
            << row.what;
        EXPECT_STREQ(loaded.quiz.codes[0], "") << row.what;
        EXPECT_STREQ(loaded.quiz.codes[1], "") << row.what;
    }
    LoadedQuiz loaded;
    loaded.quiz.entryCount = 2;
    std::string crOnly = "A\r\nB\r";
    EXPECT_TRUE(parseCodesPayload(loaded.quiz, reinterpret_cast<const uint8_t*>(crOnly.data()), crOnly.size()));
    EXPECT_STREQ(loaded.quiz.codes[1], "B");
}

TEST(SampleQuiz, ThirtyDeclaredTwoStored)
{
    LoadedQuiz loaded;
    loadSampleQuiz(loaded.quiz);
    const Quiz& quiz = loaded.quiz;
    EXPECT_STREQ(quiz.title, "Nom du quizz");
    EXPECT_STREQ(quiz.author, "Createur quizz");
    EXPECT_STREQ(quiz.description, "Explications du quizz");
    EXPECT_STREQ(quiz.firstAnswerLabel, "Pr\xE9nom - Nom");
    EXPECT_STREQ(quiz.secondAnswerLabel, "Manga / Anime");
    EXPECT_EQ(quiz.answersPerEntry, 2);
    EXPECT_EQ(quiz.entryCount, 30);
    EXPECT_EQ(quiz.revealKind, RevealKind::None);
    EXPECT_EQ(quiz.kind, QuizKind::Sound);
    EXPECT_STREQ(entryAt(quiz, 0)->answer1, "alex");
    EXPECT_STREQ(entryAt(quiz, 0)->answer2, "titi");
    EXPECT_STREQ(entryAt(quiz, 29)->answer1, "xeland");
    EXPECT_STREQ(entryAt(quiz, 29)->answer2, "plouf");
    EXPECT_STREQ(entryAt(quiz, 29)->clue, "titi");
}

TEST(PayloadWriter, WritesTheLayoutTheParserReads)
{
    LoadedQuiz source;
    Quiz& quiz = source.quiz;
    quiz.kind = QuizKind::Video;
    quiz.entryCount = 2;
    quiz.answersPerEntry = 2;
    quiz.revealKind = RevealKind::Text;
    quiz.boardColour = 0xC0DCC0;
    copyText(quiz.title, "T");
    copyText(quiz.firstAnswerLabel, "Nom");
    appendEntry(quiz, "a1", "a2", "c1");
    appendEntry(quiz, "b1", "b2", "c2");
    copyText(entryAt(quiz, 1)->revealText, "r2");
    copyText(quiz.codes[0], "X1");
    copyText(quiz.codes[1], "X2");

    auto payload = writeQuizPayload(quiz);
    std::string expected = std::string("\x00\x04\x02\x02", 4) + "T|||Nom||a1|a2|c1|b1|b2|c2|\x02|r2|"
                           + std::string("\xC0\xDC\xC0", 3);
    EXPECT_EQ(std::string(payload.begin(), payload.end()), expected);
    auto codes = writeCodesPayload(quiz);
    EXPECT_EQ(std::string(codes.begin(), codes.end()), "X1\r\nX2\r\n");

    LoadedQuiz parsed;
    ASSERT_TRUE(parseQuizPayload(parsed.quiz, payload.data(), payload.size()));
    EXPECT_STREQ(entryAt(parsed.quiz, 1)->revealText, "r2");
    EXPECT_EQ(parsed.quiz.boardColour, 0xC0DCC0u);
}

}  // namespace
