// quizbuild results: a class's answers files judged against their quiz,
// into one table for a spreadsheet.
#include "tools/builder/commands/commands.h"

#include "judging/board_rules.h"
#include "quiz/answers_text.h"
#include "tools/builder/commands/command_support.h"
#include "tools/builder/files/files.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/output/class_results.h"

#include <algorithm>
#include <span>

namespace {

// The file's bytes as the player reads them: at most its first
// LargestAnswersFile bytes. Empty `problem` when read.
FileStart readAnswersFile(const std::string& path)
{
    FileFacts facts = fileFactsOf(path);
    if (std::string problem = inputFileProblem(facts); !problem.empty())
        return {{}, problem};
    return readFileStart(path, std::size_t(std::min<uint64_t>(facts.size, LargestAnswersFile)));
}

// Every answers file judged; nothing when one cannot be read (each such
// file is named on stderr). A file of another quiz is named there too.
std::optional<std::vector<PupilResult>> judgedAnswers(const Quiz& quiz, const std::vector<std::string>& paths)
{
    std::vector<PupilResult> pupils;
    bool unread = false;
    for (const std::string& path : paths) {
        FileStart read = readAnswersFile(path);
        if (!read.problem.empty()) {
            printLine(stderr, path + ": " + read.problem);
            unread = true;
            continue;
        }
        std::string_view bytes(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
        pupils.push_back(judgeAnswersFile(quiz, pupilNameOf(path), bytes));
        if (!pupils.back().matches)
            printLine(stderr, path + ": warning: " + countOf(pupils.back().lineCount, "line", "lines") + ", the quiz has "
                                  + countOf(std::size_t(boxCountOf(quiz)), "answer box", "answer boxes")
                                  + "; listed as another quiz's answers, not judged");
    }
    if (unread)
        return std::nullopt;
    return pupils;
}

}  // namespace

std::optional<ClassTable> classTableOf(const CommandLine& line)
{
    std::optional<QuizInput> input = quizInputOf(line.input, line.language);
    if (!input)
        return std::nullopt;
    OwnedQuiz owned;
    Diagnostics diagnostics{line.input, {}, {}};
    if (!loadStoredQuiz(input->stored, owned.quiz, diagnostics)) {
        passes(diagnostics, false, line.language);
        return std::nullopt;
    }
    for (const std::string& path : line.answers)
        input->inputs.push_back(inputFile("an answers file", false, path));
    if (std::string conflict = outputConflict(line.output, input->inputs); !conflict.empty()) {
        printLine(stderr, conflict);
        return std::nullopt;
    }
    std::optional<std::vector<PupilResult>> pupils = judgedAnswers(owned.quiz, line.answers);
    if (!pupils) {
        printLine(stderr, line.output + ": not written");
        return std::nullopt;
    }
    ClassTable table;
    for (int rank = 1; rank <= boxCountOf(owned.quiz); ++rank)
        table.boxNames.push_back(boxName(owned.quiz, rank));
    table.csv = classResultsCsv(owned.quiz, *pupils);
    table.pupils = std::move(*pupils);
    return table;
}

int runResults(const CommandLine& line)
{
    std::optional<ClassTable> table = classTableOf(line);
    if (!table)
        return exitBadInput;
    const std::string& csv = table->csv;
    std::string problem =
        replaceFileBytes(line.output, std::span(reinterpret_cast<const uint8_t*>(csv.data()), csv.size()));
    if (!problem.empty()) {
        printLine(stderr, line.output + ": " + problem);
        return exitBadInput;
    }
    const std::vector<PupilResult>& pupils = table->pupils;
    std::size_t judged = std::count_if(pupils.begin(), pupils.end(), [](const PupilResult& p) { return p.matches; });
    std::printf("%s: %s, %zu judged\n", line.output.c_str(),
                countOf(pupils.size(), "answers file", "answers files").c_str(), judged);
    return exitSuccess;
}
