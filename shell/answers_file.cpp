#include "shell/answers_file.h"

#include "board/app_state.h"
#include "quiz/board_identifiers.h"
#include "win32/controls.h"
#include "win32/file_write.h"
#include "win32/scoped_handles.h"

#include <algorithm>
#include <cstring>

namespace {

// What the file held at start-up, line by line, and what each box was given
// from it; and whether a file was there that could not be opened (a backup
// or sync tool holding it), which closing then leaves alone.
struct AnswersAtStart {
    std::vector<std::string> lines;
    std::vector<std::string> boxTexts;
    bool held;
};

AnswersAtStart atStart;

enum class FileState { Absent, Held, Read };

// The file's lines as Windows-1252 text, whatever a text editor saved it as.
FileState readAnswerLines(const char* name, std::vector<std::string>& lines)
{
    lines.clear();
    FileHandle file{CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr)};
    if (!file.isOpen()) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileState::Absent : FileState::Held;
    }
    DWORD size = GetFileSize(file.handle, nullptr);
    if (size == INVALID_FILE_SIZE || size > LargestAnswersFile)
        size = static_cast<DWORD>(LargestAnswersFile);
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (size && !ReadFile(file.handle, bytes.data(), size, &read, nullptr))
        return FileState::Held;
    bytes.resize(read);
    lines = answerLinesOf(answersFileText(bytes));
    return FileState::Read;
}

// The line of box `rank` (1-based) as the file gives it now: a box the
// player left as it started takes it, so that answers another copy of the
// quiz saved meanwhile are kept.
const std::string* lineNow(const std::vector<std::string>& lines, int rank)
{
    return std::size_t(rank) <= lines.size() ? &lines[rank - 1] : nullptr;
}

}  // namespace

void executableBaseName(char (&name)[QuizTextSize])
{
    char path[QuizTextSize] = "";
    GetModuleFileNameA(nullptr, path, QuizTextSize - 1);
    const char* base = std::strrchr(path, '\\');
    copyText(name, base ? base + 1 : path);
}

void answersFileName(char (&name)[QuizTextSize])
{
    char base[QuizTextSize];
    executableBaseName(base);
    answersFileNameFrom(base, name);
}

void saveAnswers(HWND board)
{
    // An unreadable quiz shows no boxes; saving it would wipe the answers.
    // A file that could not be read at start-up is not written over blind.
    if (quizSource == QuizSource::Unreadable || atStart.held)
        return;
    char name[QuizTextSize];
    answersFileName(name);
    // A read-only answers file stays as it is, as it would if written in place.
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return;
    std::vector<std::string> lines;
    if (readAnswerLines(name, lines) == FileState::Held)
        lines = atStart.lines;

    const Quiz& quiz = *currentQuiz;
    int boxes = quiz.entryCount * quiz.answersPerEntry;
    std::string text;
    for (int rank = 1; rank <= boxes; ++rank) {
        char answer[QuizTextSize] = "";
        const std::string* line = lineNow(lines, rank);
        bool built = findControl(board, AnswerBoxIdBase + rank) != nullptr;
        if (built)
            readControlText(board, AnswerBoxIdBase + rank, answer);
        bool untouched = !built || (std::size_t(rank) <= atStart.boxTexts.size() ? atStart.boxTexts[rank - 1] == answer
                                                                                  : answer[0] == '\0');
        if (untouched && line)
            boxTextOfLine(*line, answer);
        appendAnswerLine(text, answer);
    }
    // Lines past the boxes (a fuller quiz wrote them) are kept as they are.
    for (std::size_t at = std::max(boxes, 0); at < lines.size(); ++at)
        text += lines[at] + "\r\n";

    std::string fresh = std::string(name) + ".new";
    if (!writeWholeFile(fresh.c_str(), text.data(), static_cast<DWORD>(text.size()))
        || !MoveFileExA(fresh.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(fresh.c_str());
}

void openRestoredAnswers(RestoredAnswers& answers)
{
    answers = {};
    atStart = {};
    char name[QuizTextSize];
    answersFileName(name);
    FileState state = readAnswerLines(name, atStart.lines);
    atStart.held = state == FileState::Held;
    answers.opened = state == FileState::Read;
    const Quiz& quiz = *currentQuiz;
    int boxes = quiz.entryCount * quiz.answersPerEntry;
    char text[QuizTextSize];
    for (int rank = 1; rank <= boxes && std::size_t(rank) <= atStart.lines.size(); ++rank) {
        boxTextOfLine(atStart.lines[rank - 1], text);
        answers.texts.push_back(text);
    }
    atStart.boxTexts = answers.texts;
}
