#include "tools/builder/output/class_results.h"

#include "judging/board_rules.h"
#include "judging/reward.h"
#include "judging/verdict.h"
#include "quiz/answers_text.h"
#include "quiz/windows_1252.h"

#include <cstring>

namespace {

// The board the player would show once it restored one file: its boxes,
// and the labels judged so far.
struct RestoredBoard {
    const std::vector<std::string>* typed;
    const std::vector<const char*>* verdicts;
};

void readTyped(void* board, int rank, char (&text)[QuizTextSize])
{
    copyText(text, (*static_cast<RestoredBoard*>(board)->typed)[rank - 1].c_str());
}

void readLabel(void* board, int rank, char (&text)[QuizTextSize])
{
    const std::vector<const char*>& verdicts = *static_cast<RestoredBoard*>(board)->verdicts;
    copyText(text, std::size_t(rank) <= verdicts.size() ? verdicts[rank - 1] : "");
}

// A Windows-1252 text as UTF-8; the five unassigned bytes show as the
// control characters of the same number, as Windows converts them.
std::string utf8Of(std::string_view text)
{
    std::string utf8;
    for (char byte : text) {
        char32_t codePoint = codePointOfWindows1252(static_cast<uint8_t>(byte));
        appendUtf8(utf8, codePoint == NoCodePoint ? static_cast<uint8_t>(byte) : codePoint);
    }
    return utf8;
}

// A cell as a spreadsheet reads it back whole: quoted, its quotes doubled,
// when it holds a separator, a quote or a line break.
std::string cellOf(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void appendRow(std::string& csv, const std::vector<std::string>& cells)
{
    for (std::size_t at = 0; at < cells.size(); ++at)
        csv += (at ? ";" : "") + cellOf(cells[at]);
    csv += "\r\n";
}

std::vector<std::string> pupilRow(const PupilResult& pupil, int boxes)
{
    if (!pupil.matches) {
        std::vector<std::string> row = {pupil.pupil, otherQuizNote(pupil.lineCount, boxes), ""};
        row.resize(std::size_t(3 + boxes));
        return row;
    }
    std::vector<std::string> row = {pupil.pupil, std::to_string(pupil.score), utf8Of(pupil.code)};
    for (const char* verdict : pupil.verdicts)
        row.push_back(utf8Of(verdict));
    return row;
}

}  // namespace

std::vector<std::string> successSharesOf(const std::vector<PupilResult>& pupils, int boxes)
{
    std::vector<std::string> shares;
    std::size_t judged = 0;
    std::vector<std::size_t> right(std::size_t(boxes), 0);
    for (const PupilResult& pupil : pupils) {
        if (!pupil.matches)
            continue;
        ++judged;
        for (int rank = 1; rank <= boxes; ++rank)
            right[rank - 1] += std::strcmp(pupil.verdicts[rank - 1], verdictRight) == 0;
    }
    // Rounded half up.
    for (std::size_t count : right)
        shares.push_back(judged ? std::to_string((count * 200 + judged) / (2 * judged)) + " %" : "");
    return shares;
}

PupilResult judgeAnswersFile(const Quiz& quiz, std::string pupil, std::string_view bytes)
{
    PupilResult result;
    result.pupil = std::move(pupil);
    std::vector<std::string> lines = answerLinesOf(answersFileText(bytes));
    int boxes = boxCountOf(quiz);
    result.lineCount = lines.size();
    result.matches = boxes > 0 && lines.size() == std::size_t(boxes);
    if (!result.matches)
        return result;
    for (const std::string& line : lines) {
        char text[QuizTextSize];
        boxTextOfLine(line, text);
        result.typed.emplace_back(text);
    }
    RestoredBoard board{&result.typed, &result.verdicts};
    BoardReading reading{&board, readTyped, readLabel};
    // In rank order, as the player judges the boxes it builds.
    for (int rank = 1; rank <= boxes; ++rank)
        result.verdicts.push_back(judgeBox(quiz, reading, rank).verdict);
    result.score = countScore(quiz, reading);
    result.code = result.score > 0 ? rewardCodeOf(quiz, result.score) : "";
    return result;
}

std::string pupilNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // ".txt" goes; a name that is all extension (".txt") stays whole.
    if (std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return isUtf8(name) ? name : utf8Of(name);
}

std::string otherQuizNote(std::size_t lineCount, int boxCount)
{
    return "autre quiz : " + std::to_string(lineCount) + (lineCount == 1 ? " ligne pour " : " lignes pour ")
           + std::to_string(boxCount) + " cases";
}

std::string classResultsCsv(const Quiz& quiz, const std::vector<PupilResult>& pupils)
{
    int boxes = boxCountOf(quiz);
    std::vector<std::string> header = {"\xC3\xA9l\xC3\xA8ve", "score", "code"};
    for (int rank = 1; rank <= boxes; ++rank)
        header.push_back(boxName(quiz, rank));
    std::string csv = "\xEF\xBB\xBF";
    appendRow(csv, header);
    for (const PupilResult& pupil : pupils)
        appendRow(csv, pupilRow(pupil, boxes));
    std::vector<std::string> success = {"r\xC3\xA9ussite", "", ""};
    for (std::string& share : successSharesOf(pupils, boxes))
        success.push_back(std::move(share));
    appendRow(csv, success);
    return csv;
}
