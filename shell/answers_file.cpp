#include "shell/answers_file.h"

#include "board/controls.h"
#include "board/identifiers.h"
#include "shell/app.h"
#include "shell/file_write.h"

#include <cstring>

namespace {

// Hand-edited files may be large; nothing past this is read.
constexpr DWORD largestAnswersFile = 16 * 1024 * 1024;

std::vector<std::string> answersAtStart;

struct FileHandle {
    HANDLE handle;
    ~FileHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

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
    if (quizSource == QuizSource::Unreadable)
        return;
    const Quiz& quiz = *currentQuiz;
    std::string text;
    for (int rank = 1; rank <= quiz.entryCount * quiz.answersPerEntry; ++rank) {
        char answer[QuizTextSize] = "";
        if (findControl(board, AnswerBoxIdBase + rank))
            readControlText(board, AnswerBoxIdBase + rank, answer);
        else if (std::size_t(rank) <= answersAtStart.size())
            copyText(answer, answersAtStart[rank - 1].c_str());
        appendAnswerLine(text, answer);
    }
    char name[QuizTextSize];
    answersFileName(name);
    // A read-only answers file stays as it is, as it would if written in place.
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return;
    std::string fresh = std::string(name) + ".new";
    if (!writeWholeFile(fresh.c_str(), text.data(), static_cast<DWORD>(text.size()))
        || !MoveFileExA(fresh.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(fresh.c_str());
}

void openRestoredAnswers(RestoredAnswers& answers)
{
    answers = {};
    answersAtStart.clear();
    char name[QuizTextSize];
    answersFileName(name);
    FileHandle file{CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return;
    answers.opened = true;
    DWORD size = GetFileSize(file.handle, nullptr);
    if (size == INVALID_FILE_SIZE || size > largestAnswersFile)
        size = largestAnswersFile;
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (size && !ReadFile(file.handle, bytes.data(), size, &read, nullptr))
        read = 0;
    AnswersReader reader{bytes.data(), read, 0};
    const Quiz& quiz = *currentQuiz;
    char text[QuizTextSize];
    for (int rank = 1; rank <= quiz.entryCount * quiz.answersPerEntry && nextAnswer(reader, text); ++rank)
        answers.texts.push_back(text);
    answersAtStart = answers.texts;
}

void restoreAnswers(RestoredAnswers& answers, char (&text)[QuizTextSize])
{
    copyText(text, answers.next < answers.texts.size() ? answers.texts[answers.next].c_str() : "");
    ++answers.next;
}

void closeRestoredAnswers(RestoredAnswers& answers)
{
    answers = {};
}
