#include "tests/e2e/test_quiz.h"

#include "quiz/loader.h"
#include "tests/win32/driver.h"

#include <cstdio>
#include <fstream>

namespace {

constexpr DWORD builderTimeoutMs = 60000;

std::string jsonList(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (std::size_t at = 0; at < texts.size(); ++at)
        json += (at ? ", " : "") + jsonStringOf(texts[at]);
    return json + "]";
}

std::string quizDescription(const TestQuiz& quiz)
{
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%02X%02X%02X", GetRValue(quiz.boardColour), GetGValue(quiz.boardColour),
                  GetBValue(quiz.boardColour));
    std::string json = "{\n  \"kind\": \"text\",\n";
    json += "  \"title\": " + jsonStringOf(quiz.title) + ",\n";
    json += "  \"author\": " + jsonStringOf(quiz.author) + ",\n";
    json += "  \"description\": " + jsonStringOf(quiz.description) + ",\n";
    if (!quiz.link.empty())
        json += "  \"link\": " + jsonStringOf(quiz.link) + ",\n";
    json += "  \"answersPerEntry\": " + std::to_string(quiz.answersPerEntry) + ",\n";
    json += "  \"answerLabels\": " + jsonList({quiz.firstAnswerLabel, quiz.secondAnswerLabel}) + ",\n";
    json += "  \"reveal\": \"none\",\n";
    json += std::string("  \"boardColour\": \"") + colour + "\",\n";
    json += "  \"entries\": [\n";
    for (std::size_t at = 0; at < quiz.entries.size(); ++at) {
        const TestEntry& entry = quiz.entries[at];
        std::vector<std::string> answers = {entry.answer1};
        if (quiz.answersPerEntry == 2)
            answers.push_back(entry.answer2);
        json += "    {\"clue\": " + jsonStringOf(entry.clue) + ", \"answers\": " + jsonList(answers) + "}";
        json += at + 1 < quiz.entries.size() ? ",\n" : "\n";
    }
    json += "  ],\n";
    json += "  \"codes\": " + jsonList(quiz.codes) + "\n}\n";
    return json;
}

bool writeTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace

TestQuiz textQuiz(int count, int answersPerEntry)
{
    TestQuiz quiz;
    quiz.answersPerEntry = answersPerEntry;
    for (int entry = 1; entry <= count; ++entry) {
        std::string number = std::to_string(entry);
        quiz.entries.push_back({"Indice " + number, "rep" + number, answersPerEntry == 2 ? "deux" + number : ""});
        quiz.codes.push_back("CODE" + number);
    }
    return quiz;
}

std::string playerProgram()
{
    return folderOfThisProgram() + "\\quizz.exe";
}

std::string builderProgram()
{
    return folderOfThisProgram() + "\\quizbuild.exe";
}

bool makeQuizProgram(const TestQuiz& quiz, const std::string& exePath)
{
    std::string description = exePath + ".json";
    std::string log = exePath + ".log";
    if (!writeTextFile(description, quizDescription(quiz)))
        return false;
    std::string command = "\"" + builderProgram() + "\" build \"" + description + "\" -o \"" + exePath
                          + "\" --player \"" + playerProgram() + "\"";
    DWORD exitCode = runLogged(command, log, builderTimeoutMs);
    if (exitCode != 0) {
        std::fprintf(stderr, "quizbuild ended with %lu:\n%s\n", static_cast<unsigned long>(exitCode),
                     readWholeFile(log).c_str());
        return false;
    }
    DeleteFileA(description.c_str());
    DeleteFileA(log.c_str());
    return true;
}

std::string quizProgramIn(const TestQuiz& quiz, const std::string& folder, const std::string& exeName)
{
    std::string program = folder + "\\" + exeName;
    return makeQuizProgram(quiz, program) ? program : std::string();
}

bool makeDamagedQuizProgram(const std::string& exePath)
{
    // One literal code and half of the next: the stream ends inside a code.
    std::vector<ResourceItem> damaged(1);
    damaged[0].type = PayloadResourceType;
    damaged[0].id = QuizPayloadResourceId;
    damaged[0].bytes = {0x30, 0x98};
    return makeQuizProgram(textQuiz(3), exePath) && writeResources(exePath, damaged);
}
