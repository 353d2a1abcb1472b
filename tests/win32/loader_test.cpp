// The loader against real resources: each case writes its payloads into a
// copy of the probe, runs it, answers its message boxes and reads back the
// record it loaded.
#include "quiz/lzw.h"
#include "quiz/payload_writer.h"
#include "tests/win32/driver.h"
#include "tests/win32/quiz_dump.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes pack(const Bytes& bytes)
{
    uint8_t* packed = nullptr;
    int32_t reported = 0;
    EXPECT_EQ(lzwEncode(bytes.data(), int32_t(bytes.size()), &packed, &reported), lzwOk);
    Bytes result(packed, packed + reported - 1);
    lzwFreeBuffer(packed);
    return result;
}

Bytes linkBytes(const std::string& link)
{
    return Bytes(link.begin(), link.end());
}

// A picture quiz with two answers, reveal texts, accented texts and codes.
struct SourceQuiz {
    Quiz quiz;
    SourceQuiz()
    {
        initQuiz(quiz);
        quiz.kind = QuizKind::Picture;
        quiz.entryCount = 3;
        quiz.answersPerEntry = 2;
        quiz.revealKind = RevealKind::Text;
        quiz.boardColour = 0x302010;
        copyText(quiz.title, "Capitales d'Europe");
        copyText(quiz.author, "Ana");
        copyText(quiz.description, "Trouvez la capitale");
        copyText(quiz.firstAnswerLabel, "Ville");
        copyText(quiz.secondAnswerLabel, "Fleuve");
        const char* rows[3][4] = {{"Paris", "Seine", "France", "Sur la Seine"},
                                  {"Rome", "Tibre", "Italie", ""},
                                  {"Vienne", "Danube", "Autriche", "\xC9t\xE9 comme hiver"}};
        for (int entry = 0; entry < 3; ++entry) {
            appendEntry(quiz, rows[entry][0], rows[entry][1], rows[entry][2]);
            copyText(entryAt(quiz, entry)->revealText, rows[entry][3]);
        }
        copyText(quiz.codes[0], "K7Q2");
        copyText(quiz.codes[1], "");
        copyText(quiz.codes[2], "Z9\xE9");
    }
    ~SourceQuiz() { freeEntries(quiz); }
};

std::string dumpOf(const Quiz& quiz, bool withCodes, bool brushMade)
{
    static Quiz copy;
    copy = quiz;
    if (!withCodes)
        for (auto& row : copy.codes)
            row[0] = '\0';
    return dumpQuiz(copy, brushMade);
}

std::string sampleDump()
{
    return "kind=2\nentryCount=30\nanswersPerEntry=2\ntitle=Nom du quizz\nauthor=Createur quizz\n"
           "description=Explications du quizz\nfirstAnswerLabel=Pr\xE9nom - Nom\nsecondAnswerLabel=Manga / Anime\n"
           "revealKind=0\nboardColour=000000\nboardBrush=none\nentry=alex|titi|titi|\nentry=xeland|plouf|titi|\n";
}

std::string emptyDump()
{
    return "kind=0\nentryCount=0\nanswersPerEntry=0\ntitle=\nauthor=\ndescription=\nfirstAnswerLabel=\n"
           "secondAnswerLabel=\nrevealKind=2\nboardColour=000000\nboardBrush=none\n";
}

struct LoaderCase {
    const char* name;
    std::optional<Bytes> quizPayload;   // packed resource 104, none when absent
    std::optional<Bytes> codesPayload;  // packed resource 105
    std::vector<std::string> messages;
    std::string expectedDump;
    std::optional<Bytes> link = std::nullopt;  // resource 106, none when absent
};

void runCase(const LoaderCase& row)
{
    std::string folder = freshFolder(row.name);
    std::string program = folder + "\\probe.exe";
    ASSERT_TRUE(CopyFileA((folderOfThisProgram() + "\\loader_probe.exe").c_str(), program.c_str(), FALSE));
    std::vector<ResourceItem> resources;
    if (row.quizPayload)
        resources.push_back({"PATCH", 104, *row.quizPayload});
    if (row.codesPayload)
        resources.push_back({"PATCH", 105, *row.codesPayload});
    if (row.link)
        resources.push_back({"PATCH", 106, *row.link});
    if (!resources.empty())
        ASSERT_TRUE(writeResources(program, resources)) << row.name;
    // An empty payload is written with one byte, then its size set to 0.
    for (const ResourceItem& item : resources)
        if (item.bytes.size() == 1 && item.bytes[0] == 0)
            ASSERT_TRUE(emptyResource(program, item.type, item.id)) << row.name;

    ProgramRun run = runAnsweringMessageBoxes("\"" + program + "\" \"" + folder + "\\dump.txt\"", folder, 30000);
    ASSERT_TRUE(run.started) << row.name;
    ASSERT_TRUE(run.exited) << row.name;
    EXPECT_EQ(run.exitCode, 0u) << row.name;
    ASSERT_EQ(run.messageBoxes.size(), row.messages.size()) << row.name;
    for (std::size_t at = 0; at < row.messages.size(); ++at) {
        EXPECT_EQ(run.messageBoxes[at].caption, "Quizz") << row.name << " box " << at;
        EXPECT_EQ(run.messageBoxes[at].text, row.messages[at]) << row.name << " box " << at;
    }
    EXPECT_EQ(readWholeFile(folder + "\\dump.txt"), row.expectedDump) << row.name;
}

TEST(LoadQuiz, EveryOutcomeWithItsMessagesInOrder)
{
    SourceQuiz source;
    Bytes quizPayload = pack(writeQuizPayload(source.quiz));
    Bytes codesPayload = pack(writeCodesPayload(source.quiz));
    Bytes brokenStream = {0x30, 0x98};  // "a" and half a code, no end
    Bytes quizCut = writeQuizPayload(source.quiz);
    quizCut.resize(quizCut.size() - 1);  // unpacks, but the colour is one byte short
    Bytes codesCut = pack({'K', '7', '\r', '\n'});  // one line for three entries

    const std::string full = dumpOf(source.quiz, true, true);
    const std::string noCodes = dumpOf(source.quiz, false, true);
    const std::string damagedQuiz = "Erreur dans le d\xE9" "cryptage des reponses";
    const std::string damagedCodes = "Erreur dans le d\xE9" "cryptage des codes";
    const Bytes emptyPayload = {0};
    const LoaderCase rows[] = {
        {"both", quizPayload, codesPayload, {}, full},
        {"quiz-missing", std::nullopt, codesPayload,
         {"Erreur dans le fichier", "Reponses non trouv\xE9" "es"}, sampleDump()},
        {"quiz-empty", emptyPayload, codesPayload, {"Reponses non trouv\xE9" "es"}, sampleDump()},
        {"quiz-damaged-stream", brokenStream, codesPayload, {damagedQuiz}, emptyDump()},
        {"quiz-damaged-layout", pack(quizCut), codesPayload, {damagedQuiz}, emptyDump()},
        {"codes-missing", quizPayload, std::nullopt, {"Codes non trouv\xE9" "s."}, noCodes},
        {"codes-empty", quizPayload, emptyPayload, {"Codes non renseign\xE9" "s."}, noCodes},
        {"codes-damaged-stream", quizPayload, brokenStream, {damagedCodes}, noCodes},
        {"codes-too-few", quizPayload, codesCut, {damagedCodes}, noCodes},
        // The quiz's link, its bytes as stored; one a click must not hand to the shell is none.
        {"link", quizPayload, codesPayload, {}, full + "link=https://ecole.test/\xE9t\xE9\n",
         Bytes{'h', 't', 't', 'p', 's', ':', '/', '/', 'e', 'c', 'o', 'l', 'e', '.', 't', 'e', 's', 't', '/', 0xE9, 't', 0xE9}},
        {"link-mail", quizPayload, codesPayload, {}, full + "link=mailto:a@b.test\n", linkBytes("mailto:a@b.test")},
        {"link-file", quizPayload, codesPayload, {}, full, linkBytes("file:///C:/Windows/notepad.exe")},
        {"link-program", quizPayload, codesPayload, {}, full, linkBytes("C:\\Windows\\notepad.exe")},
        {"link-too-long", quizPayload, codesPayload, {}, full, linkBytes("https://" + std::string(252, 'a'))},
        {"link-two-lines", quizPayload, codesPayload, {}, full, linkBytes("https://a.test\r\nhttps://b.test")},
    };
    for (const LoaderCase& row : rows)
        runCase(row);
}

}  // namespace
