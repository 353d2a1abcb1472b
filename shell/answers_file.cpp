#include "shell/answers_file.h"

#include "board/controls.h"
#include "board/identifiers.h"
#include "shell/app.h"

#include <cstring>

namespace {

// Hand-edited files may be large; nothing past this is read.
constexpr DWORD largestAnswersFile = 16 * 1024 * 1024;

struct FileHandle {
    HANDLE handle;
    ~FileHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

bool writeWholeFile(const char* name, const std::string& text)
{
    FileHandle file{CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    return WriteFile(file.handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
           && written == text.size() && FlushFileBuffers(file.handle);
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
    if (quizSource == QuizSource::Unreadable)
        return;
    const Quiz& quiz = *currentQuiz;
    std::string text;
    for (int rank = 1; rank <= quiz.entryCount * quiz.answersPerEntry; ++rank) {
        char answer[QuizTextSize];
        readControlText(board, AnswerBoxIdBase + rank, answer);
        appendAnswerLine(text, answer);
    }
    char name[QuizTextSize];
    answersFileName(name);
    // A read-only answers file stays as it is, as it would if written in place.
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return;
    std::string fresh = std::string(name) + ".new";
    if (!writeWholeFile(fresh.c_str(), text)
        || !MoveFileExA(fresh.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(fresh.c_str());
}

void openRestoredAnswers(RestoredAnswers& answers)
{
    answers.bytes.clear();
    answers.opened = false;
    char name[QuizTextSize];
    answersFileName(name);
    FileHandle file{CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr)};
    if (file.handle != INVALID_HANDLE_VALUE) {
        answers.opened = true;
        DWORD size = GetFileSize(file.handle, nullptr);
        if (size == INVALID_FILE_SIZE || size > largestAnswersFile)
            size = largestAnswersFile;
        answers.bytes.resize(size);
        DWORD read = 0;
        if (size && !ReadFile(file.handle, answers.bytes.data(), size, &read, nullptr))
            read = 0;
        answers.bytes.resize(read);
    }
    answers.reader = {answers.bytes.data(), answers.bytes.size(), 0};
}

void restoreAnswers(RestoredAnswers& answers, char (&text)[QuizTextSize])
{
    nextAnswer(answers.reader, text);
}

void closeRestoredAnswers(RestoredAnswers& answers)
{
    answers.bytes.clear();
    answers.reader = {nullptr, 0, 0};
    answers.opened = false;
}
