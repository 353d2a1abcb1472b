// The web page's bridge to the player's own core, compiled to WebAssembly:
// its payload reading, board rules, reward code and answers-file text. The
// page hands it texts as UTF-8 and gets UTF-8 back; inside, every text is
// the Windows-1252 bytes an answer box of the player would hold.
#include "judging/board_rules.h"
#include "judging/reward.h"
#include "judging/verdict.h"
#include "judging/verdict_colour.h"
#include "page/suspend_data.h"
#include "quiz/answers_text.h"
#include "quiz/payload.h"
#include "quiz/quiz.h"
#include "quiz/windows_1252.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// What the verdict labels and answer boxes of the board would hold.
struct Board {
    Quiz quiz;
    char boxes[MaxBoxes + 1][QuizTextSize];  // by rank, 1-based
    const char* verdicts[MaxBoxes + 1];
    bool spreadTo[MaxBoxes + 1];
};

Board board;
std::string answersFile;
// The last text handed out; valid until the next call that returns one.
std::string handedOut;
// The board's answers as a school platform keeps them between sessions;
// coreSuspendedBoxes tells how many first boxes they hold.
SuspendData suspended;

// What the player's box holds for typed text.
void boxTextOf(const char* utf8, char (&text)[QuizTextSize])
{
    copyText(text, typedWindows1252(utf8, QuizTextSize - 1).c_str());
}

// A Windows-1252 text as UTF-8; the five unassigned bytes show as the
// control characters of the same number, as Windows converts them.
const char* utf8Of(const char* text)
{
    handedOut.clear();
    for (const char* at = text; *at; ++at) {
        auto byte = static_cast<uint8_t>(*at);
        char32_t c = codePointOfWindows1252(byte);
        if (c == NoCodePoint)
            c = byte;
        appendUtf8(handedOut, c);
    }
    return handedOut.c_str();
}

int boxCount()
{
    return boxCountOf(board.quiz);
}

bool validRank(int rank)
{
    return rank >= 1 && rank <= boxCount();
}

void readBox(void*, int rank, char (&text)[QuizTextSize])
{
    std::memcpy(text, board.boxes[rank], QuizTextSize);
}

void readVerdict(void*, int rank, char (&text)[QuizTextSize])
{
    copyText(text, board.verdicts[rank] ? board.verdicts[rank] : "");
}

constexpr BoardReading reading = {nullptr, readBox, readVerdict};

int judgeRank(int rank)
{
    Judgement judgement = judgeBox(board.quiz, reading, rank);
    board.verdicts[rank] = judgement.verdict;
    return static_cast<int>(judgement.reveal);
}

int currentScore()
{
    return countScore(board.quiz, reading);
}

const QuizEntry* entryNumbered(int entry)
{
    return entry >= 1 && entry <= board.quiz.entryCount ? entryAt(board.quiz, entry - 1) : nullptr;
}

}  // namespace

extern "C" {

// Loads the two unpacked payloads; false when the quiz payload is damaged.
EMSCRIPTEN_KEEPALIVE int coreLoad(const uint8_t* quiz, int quizLength, const uint8_t* codes, int codesLength)
{
    freeEntries(board.quiz);
    initQuiz(board.quiz);
    std::memset(board.boxes, 0, sizeof board.boxes);
    for (const char*& verdict : board.verdicts)
        verdict = nullptr;
    if (!parseQuizPayload(board.quiz, quiz, quizLength))
        return 0;
    parseCodesPayload(board.quiz, codes, codesLength);
    return 1;
}

EMSCRIPTEN_KEEPALIVE int coreKind() { return static_cast<int>(board.quiz.kind); }
EMSCRIPTEN_KEEPALIVE int coreEntryCount() { return board.quiz.entryCount; }
EMSCRIPTEN_KEEPALIVE int coreAnswersPerEntry() { return board.quiz.answersPerEntry; }
EMSCRIPTEN_KEEPALIVE int coreRevealKind() { return static_cast<int>(board.quiz.revealKind); }
EMSCRIPTEN_KEEPALIVE int coreBoardColour() { return static_cast<int>(board.quiz.boardColour); }

// Header texts: 0 title, 1 author, 2 description, 3 and 4 the answer headings.
EMSCRIPTEN_KEEPALIVE const char* coreHeaderText(int field)
{
    const Quiz& quiz = board.quiz;
    const char* texts[] = {quiz.title, quiz.author, quiz.description, quiz.firstAnswerLabel, quiz.secondAnswerLabel};
    return utf8Of(field >= 0 && field < 5 ? texts[field] : "");
}

// Entry texts: 0 clue, 1 reveal text.
EMSCRIPTEN_KEEPALIVE const char* coreEntryText(int entry, int field)
{
    const QuizEntry* at = entryNumbered(entry);
    if (!at)
        return utf8Of("");
    return utf8Of(field == 0 ? at->clue : at->revealText);
}

// Sets what box `rank` holds, as the player's box would hold the typed text.
EMSCRIPTEN_KEEPALIVE void coreSetBox(int rank, const char* typed)
{
    if (validRank(rank))
        boxTextOf(typed, board.boxes[rank]);
}

// What box `rank` holds, as UTF-8.
EMSCRIPTEN_KEEPALIVE const char* coreBoxText(int rank)
{
    return utf8Of(validRank(rank) ? board.boxes[rank] : "");
}

// Judges box `rank`: its reveal action (RevealAction) after the verdict.
EMSCRIPTEN_KEEPALIVE int coreJudge(int rank)
{
    return validRank(rank) ? judgeRank(rank) : static_cast<int>(RevealAction::Nothing);
}

EMSCRIPTEN_KEEPALIVE const char* coreVerdict(int rank)
{
    return utf8Of(validRank(rank) && board.verdicts[rank] ? board.verdicts[rank] : "");
}

// The fill colour of box `rank`'s verdict label, 0x00BBGGRR, or -1 for none.
EMSCRIPTEN_KEEPALIVE int coreVerdictColour(int rank)
{
    if (!validRank(rank) || !board.verdicts[rank])
        return static_cast<int>(defaultLabelColour);
    return static_cast<int>(verdictColourOf(board.verdicts[rank]));
}

EMSCRIPTEN_KEEPALIVE int coreScore() { return currentScore(); }

EMSCRIPTEN_KEEPALIVE const char* coreScoreText()
{
    char text[32];
    scoreText(currentScore(), board.quiz.entryCount, text, sizeof text);
    return utf8Of(text);
}

EMSCRIPTEN_KEEPALIVE const char* coreRewardCode()
{
    return utf8Of(rewardCodeOf(board.quiz, currentScore()));
}

// The box Tab moves to from box `rank`, or with Shift (`back`) the one before.
EMSCRIPTEN_KEEPALIVE int coreTabTarget(int rank, int back)
{
    return validRank(rank) ? tabTarget(board.quiz, rank, back != 0) : 0;
}

// F1 in box `rank`: its text goes into every box whose verdict is not
// "BRAVO", each then judged; coreSpreadReached tells which boxes it set.
EMSCRIPTEN_KEEPALIVE void coreSpread(int rank)
{
    if (!validRank(rank))
        return;
    char text[QuizTextSize];
    std::memcpy(text, board.boxes[rank], QuizTextSize);
    std::memset(board.spreadTo, 0, sizeof board.spreadTo);
    for (int other = nextSpreadTarget(board.quiz, reading, 0); other;
         other = nextSpreadTarget(board.quiz, reading, other)) {
        board.spreadTo[other] = true;
        std::memcpy(board.boxes[other], text, QuizTextSize);
        judgeRank(other);
    }
}

EMSCRIPTEN_KEEPALIVE int coreSpreadReached(int rank)
{
    return validRank(rank) && board.spreadTo[rank];
}

// The answers file the player writes on closing, from what the boxes hold.
EMSCRIPTEN_KEEPALIVE const char* coreAnswersFile()
{
    answersFile.clear();
    for (int rank = 1; rank <= boxCount(); ++rank)
        appendAnswerLine(answersFile, board.boxes[rank]);
    return answersFile.data();
}

EMSCRIPTEN_KEEPALIVE int coreAnswersFileLength() { return static_cast<int>(answersFile.size()); }

// Restores every box from an answers file's bytes, as the player reads it
// at start-up (a box past the file's last line starts empty); the page then
// judges them.
EMSCRIPTEN_KEEPALIVE void coreRestore(const char* bytes, int length)
{
    std::string text = answersFileText(std::string_view(bytes, length > 0 ? length : 0));
    AnswersReader reader{text.data(), text.size(), 0};
    for (int rank = 1; rank <= boxCount(); ++rank)
        nextAnswer(reader, board.boxes[rank]);
}

// What a school platform is told (SCORM 1.2): the percentage of entries
// right, whether every entry is, and for box `rank` its name, its text as
// the platform keeps it (255 characters at most) and whether it is right.
EMSCRIPTEN_KEEPALIVE int corePlatformScore() { return scorePercent(currentScore(), board.quiz.entryCount); }

EMSCRIPTEN_KEEPALIVE int coreAllRight()
{
    return board.quiz.entryCount > 0 && currentScore() == board.quiz.entryCount;
}

EMSCRIPTEN_KEEPALIVE const char* coreBoxName(int rank)
{
    handedOut = validRank(rank) ? boxName(board.quiz, rank) : "";
    return handedOut.c_str();
}

// SCORM 1.2 keeps 255 characters of a response; one byte is one character here.
constexpr std::size_t platformResponseLimit = 255;

EMSCRIPTEN_KEEPALIVE const char* coreBoxResponse(int rank)
{
    char text[QuizTextSize] = "";
    if (validRank(rank))
        std::memcpy(text, board.boxes[rank], platformResponseLimit);
    text[platformResponseLimit] = '\0';
    return utf8Of(text);
}

EMSCRIPTEN_KEEPALIVE int coreBoxRight(int rank)
{
    return validRank(rank) && board.verdicts[rank] && std::strcmp(board.verdicts[rank], verdictRight) == 0;
}

EMSCRIPTEN_KEEPALIVE const char* coreSuspendData()
{
    std::vector<std::string> texts;
    for (int rank = 1; rank <= boxCount(); ++rank)
        texts.emplace_back(board.boxes[rank]);
    suspended = suspendDataOf(texts);
    return suspended.text.c_str();
}

EMSCRIPTEN_KEEPALIVE int coreSuspendedBoxes() { return suspended.boxes; }

// Restores the first boxes from what the platform kept, the others left as
// they are; how many it restored, or -1 when the text is not such data.
EMSCRIPTEN_KEEPALIVE int coreRestoreSuspended(const char* text)
{
    std::optional<std::vector<std::string>> texts = boxTextsOfSuspendData(text);
    if (!texts)
        return -1;
    int restored = 0;
    for (; restored < boxCount() && std::size_t(restored) < texts->size(); ++restored)
        copyText(board.boxes[restored + 1], (*texts)[restored].c_str());
    return restored;
}

// The verdict of two Windows-1252 texts, for checking the core against the
// player's own build.
EMSCRIPTEN_KEEPALIVE const char* coreVerdictOf(const char* stored, const char* typed)
{
    return utf8Of(chooseVerdict(stored, typed));
}
}
