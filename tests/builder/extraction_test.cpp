#include "tests/builder/builder_fixtures.h"
#include "tools/builder/output/extraction.h"
#include "tools/builder/program/codec.h"

#include <gtest/gtest.h>

namespace {

struct Extracted {
    Diagnostics diagnostics{"quiz.exe", {}, {}};
    std::vector<ExtractedFile> files;
};

Extracted extract(const StoredQuiz& stored)
{
    Extracted extracted;
    extracted.files = extractQuiz(stored, extracted.diagnostics);
    return extracted;
}

std::string textOf(const Bytes& bytes)
{
    return {bytes.begin(), bytes.end()};
}

const MediaFiles sources = {{"a.jpg", jpegBytes}, {"b.bmp", bmpBytes}, {"c.gif", gifBytes},
                            {"s.mp3", mp3Bytes},  {"v.avi", aviBytes}};

TEST(Extraction, DescriptionAndMediaOfAPictureQuiz)
{
    Planned planned = plan(R"({"kind": "picture", "title": "Capitales", "author": "Ana", "description": "Été",
        "answerLabels": ["", ""], "reveal": "picture", "boardColour": "#C0DC10",
        "entries": [{"clue": "France", "answers": ["Paris"], "media": "a.jpg", "revealPicture": "c.gif"},
                    {"answers": ["Rome"], "media": "b.bmp", "revealPicture": "a.jpg"}],
        "codes": ["K7Q2"]})",
                           sources);
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{});
    Extracted extracted = extract(storedQuizOf(planned.resources));
    ASSERT_EQ(errorLines(extracted.diagnostics), Lines{});
    ASSERT_EQ(extracted.files.size(), 5u);
    EXPECT_EQ(textOf(extracted.files[0].bytes), R"({
  "kind": "picture",
  "title": "Capitales",
  "author": "Ana",
  "description": "Été",
  "answersPerEntry": 1,
  "answerLabels": [
    "",
    ""
  ],
  "reveal": "picture",
  "boardColour": "#C0DC10",
  "entries": [
    {
      "clue": "France",
      "answers": [
        "Paris"
      ],
      "media": "media/01.jpg",
      "revealPicture": "media/01-reveal.gif"
    },
    {
      "clue": "",
      "answers": [
        "Rome"
      ],
      "media": "media/02.bmp",
      "revealPicture": "media/02-reveal.jpg"
    }
  ],
  "codes": [
    "K7Q2"
  ]
}
)");
    const std::pair<const char*, const Bytes*> media[] = {{"media/01.jpg", &jpegBytes},
                                                          {"media/01-reveal.gif", &gifBytes},
                                                          {"media/02.bmp", &bmpBytes},
                                                          {"media/02-reveal.jpg", &jpegBytes}};
    for (std::size_t at = 0; at < 4; ++at) {
        EXPECT_EQ(extracted.files[at + 1].name, media[at].first);
        EXPECT_EQ(extracted.files[at + 1].bytes, *media[at].second) << media[at].first;
    }
}

// Building what extraction wrote gives the same resources again.
TEST(Extraction, EveryKindAndAnswerCountComesBackIdentical)
{
    struct Row {
        const char* kind;
        const char* media;  // empty for text quizzes
        int answers;
        const char* reveal;
        const char* link;  // empty: none
    };
    const Row rows[] = {
        {"text", "", 1, "none", "https://école.test/été"},  {"text", "", 2, "picture", ""},
        {"picture", "a.jpg", 1, "text", "mailto:prof@ecole.test"}, {"picture", "b.bmp", 2, "none", ""},
        {"sound", "s.mp3", 1, "picture", ""},   {"sound", "s.mp3", 2, "text", "http://a.test"},
        {"video", "v.avi", 1, "none", ""},      {"video", "v.avi", 2, "picture", ""},
    };
    for (const Row& row : rows) {
        std::string context = std::string(row.kind) + "/" + std::to_string(row.answers) + "/" + row.reveal;
        std::string entries;
        for (int n = 1; n <= 3; ++n) {
            std::string number = std::to_string(n);
            entries += std::string(n > 1 ? ", " : "") + R"({"clue": "Indice )" + number + R"(", "answers": ["Réponse )"
                       + number + (row.answers == 2 ? R"(", "Deuxième )" + number : std::string()) + "\"]";
            if (*row.media)
                entries += R"(, "media": ")" + std::string(row.media) + "\"";
            if (std::string(row.reveal) == "picture")
                entries += R"(, "revealPicture": "c.gif")";
            if (std::string(row.reveal) == "text" && n != 2)
                entries += R"(, "revealText": "Révélé )" + number + "\"";
            entries += "}";
        }
        std::string json = std::string(R"({"kind": ")") + row.kind + R"(", "title": "Quiz – été", "author": "Ana",
            "answersPerEntry": )" + std::to_string(row.answers) + R"(, "answerLabels": ["Première", "Seconde"],
            "reveal": ")" + row.reveal + R"(", "boardColour": "#010203", "entries": [)" + entries + R"(],)"
            + (*row.link ? R"("link": ")" + std::string(row.link) + "\", " : std::string()) + R"(
            "codes": ["C1", "", "C€3"]})";
        Planned first = plan(json, sources);
        ASSERT_EQ(errorLines(first.diagnostics), Lines{}) << context;

        // The link is a resource of its own, and only a quiz with a link has one.
        bool linked = false;
        for (const QuizResource& item : first.resources)
            linked = linked || (item.type == "PATCH" && item.id == 106);
        EXPECT_EQ(linked, *row.link != '\0') << context;

        Extracted extracted = extract(storedQuizOf(first.resources));
        ASSERT_EQ(errorLines(extracted.diagnostics), Lines{}) << context;
        EXPECT_EQ(textOf(extracted.files[0].bytes).find("\"link\": \"" + std::string(row.link) + "\"") != std::string::npos,
                  *row.link != '\0')
            << context;
        MediaFiles written;
        for (std::size_t at = 1; at < extracted.files.size(); ++at)
            written[extracted.files[at].name] = extracted.files[at].bytes;
        Planned again = plan(textOf(extracted.files[0].bytes), written);
        ASSERT_EQ(errorLines(again.diagnostics), Lines{}) << context;

        ASSERT_EQ(again.resources.size(), first.resources.size()) << context;
        for (std::size_t at = 0; at < first.resources.size(); ++at) {
            EXPECT_EQ(again.resources[at].type, first.resources[at].type) << context;
            EXPECT_EQ(again.resources[at].id, first.resources[at].id) << context;
            EXPECT_EQ(again.resources[at].bytes, first.resources[at].bytes) << context << " " << first.resources[at].id;
        }
    }
}

TEST(Extraction, RefusedPrograms)
{
    Planned planned = plan(R"({"kind": "sound", "title": "T", "entries": [
        {"answers": ["a"], "media": "s.mp3"}, {"answers": ["b"], "media": "s.mp3"}], "codes": ["X"]})",
                           sources);
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{});
    const StoredQuiz good = storedQuizOf(planned.resources);
    const std::string damagedLayout =
        "damaged: its fields end early, or its kind, counts or texts break the record's limits";
    const Bytes packedAbc = {0x30, 0x98, 0x8C, 0x70, 0x00};  // "abc", a payload cut short

    struct Row {
        const char* name;
        StoredQuiz stored;
        Lines errors;
    };
    std::vector<Row> rows;
    rows.push_back({"no payloads", StoredQuiz{},
                    {"quiz.exe: quiz payload: missing (no resource \"PATCH\" 104); is it a built quiz?",
                     "quiz.exe: codes payload: missing (no resource \"PATCH\" 105); is it a built quiz?"}});
    StoredQuiz brokenStream = good;
    brokenStream.quizPayload = Bytes{0x30, 0x98};
    rows.push_back({"broken stream", brokenStream,
                    {"quiz.exe: quiz payload: cannot be unpacked, status -7: damaged: it ends before its end code, "
                     "holds a code not yet defined or widens past 32 bits"}});
    StoredQuiz emptyCodes = good;
    emptyCodes.codesPayload = Bytes{};
    rows.push_back({"empty codes", emptyCodes,
                    {"quiz.exe: codes payload: cannot be unpacked, status -5: empty, or it ends inside its first code"}});
    StoredQuiz shortQuiz = good;
    shortQuiz.quizPayload = packedAbc;
    rows.push_back({"short quiz payload", shortQuiz,
                    {"quiz.exe: quiz payload: " + damagedLayout}});
    StoredQuiz shortCodes = good;
    shortCodes.codesPayload = packBytes(bytesOf("X\r\n")).bytes;
    rows.push_back({"one code line for two entries", shortCodes,
                    {"quiz.exe: codes payload: damaged: fewer lines than entries, or a code over 259 bytes"}});
    StoredQuiz noMedia = good;
    noMedia.media.erase(402);
    rows.push_back({"media missing", noMedia, {"quiz.exe: entry 2, media: missing (no resource \"IMG\" 402)"}});
    StoredQuiz emptyMedia = good;
    emptyMedia.media[401].clear();
    rows.push_back({"media empty or unreadable", emptyMedia,
                    {"quiz.exe: entry 1, media: resource \"IMG\" 401 is empty or cannot be read; the program is "
                     "damaged"}});
    // One-entry sound quizzes (kind byte 3) written by hand: header, five
    // header fields, answer and clue, reveal kind 0, white.
    const std::string header = std::string("\x00\x03\x01\x01", 4);
    const std::string tail = std::string("a|c|\x00\xFF\xFF\xFF", 8);
    StoredQuiz unassigned = good;
    unassigned.quizPayload = packBytes(bytesOf(header + "T\x81|||||" + tail)).bytes;
    rows.push_back({"unassigned byte", unassigned, {"quiz.exe: title: byte 0x81 (byte 2) is unassigned in Windows-1252"}});
    StoredQuiz badKind = good;
    badKind.quizPayload = packBytes(bytesOf(std::string("\x00\x07\x01\x01", 4) + "T|||||" + tail)).bytes;
    rows.push_back({"kind byte 7", badKind, {"quiz.exe: quiz payload: " + damagedLayout}});
    StoredQuiz badReveal = good;
    badReveal.quizPayload = packBytes(bytesOf(header + "T|||||a|c|\x07\xFF\xFF\xFF")).bytes;
    rows.push_back({"reveal byte 7", badReveal, {"quiz.exe: quiz payload: reveal kind 7, expected 0 to 2"}});

    Planned withAnswers = plan(R"({"kind": "text", "title": "T", "reveal": "picture", "entries": [
        {"clue": "c", "answers": ["a"], "revealPicture": "c.gif"}], "codes": ["X"]})",
                               sources);
    ASSERT_EQ(errorLines(withAnswers.diagnostics), Lines{});
    StoredQuiz emptyAnswer = storedQuizOf(withAnswers.resources);
    emptyAnswer.media[10401].clear();
    rows.push_back({"answer picture empty or unreadable", emptyAnswer,
                    {"quiz.exe: entry 1, revealPicture: resource \"IMG\" 10401 is empty or cannot be read; the "
                     "program is damaged"}});

    for (const Row& row : rows) {
        Extracted extracted = extract(row.stored);
        EXPECT_EQ(errorLines(extracted.diagnostics), row.errors) << row.name;
        EXPECT_TRUE(extracted.files.empty()) << row.name;
    }
}

}  // namespace
