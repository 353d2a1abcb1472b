#include "tools/builder/commands/commands.h"

#include "quiz/payload.h"
#include "quiz/resource_ids.h"
#include "quiz/windows_1252.h"
#include "tools/builder/commands/command_support.h"
#include "tools/builder/commands/output_guard.h"
#include "tools/builder/files/files.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/input/input_size.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/input/quiz_files.h"
#include "tools/builder/output/extraction.h"
#include "tools/builder/output/resource_writer.h"
#include "tools/builder/output/scorm_package.h"
#include "tools/builder/output/stored_zip.h"
#include "tools/builder/output/web_page.h"
#include "tools/builder/program/codec.h"
#include "tools/builder/program/fitted_resources.h"
#include "tools/builder/program/player_file.h"
#include "tools/builder/program/quiz_resources.h"
#include "tools/builder/input/problem_records.h"
#include "tools/builder/program/resource_reader.h"

#include <cstdio>
#include <map>
#include <optional>

void printLine(std::FILE* stream, const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
}

bool passes(const Diagnostics& diagnostics, bool strict, Language language)
{
    for (const std::string& line : problemLines(diagnostics, strict, language))
        printLine(stderr, line);
    return !failed(diagnostics, strict);
}

InputFile inputFile(const std::string& role, bool player, const std::string& path)
{
    return {role, player, path, fullPathOf(path), fileFactsOf(path)};
}

std::string outputConflict(const std::string& output, const std::vector<InputFile>& inputs)
{
    return outputProblem({output, fullPathOf(output), fileFactsOf(output)}, inputs);
}

namespace {

struct Plan {
    QuizDescription description;
    std::size_t entries = 0;
    std::vector<QuizResource> resources;
    std::vector<InputFile> inputs;  // every file read, which the output must not be
    std::optional<FittingSummary> fitting;  // with --fit-pictures
};

// The description, its texts and every media file it names, checked as one.
Plan planFrom(const std::string& descriptionPath, Diagnostics& diagnostics, bool fitPictures = false)
{
    Plan plan;
    diagnostics.file = descriptionPath;
    FileRead json = readDescription(descriptionPath);
    if (!json.problem.empty()) {
        reportError(diagnostics, "", fileReadFault(json.problem));
        return plan;
    }
    std::string folder = folderOf(descriptionPath);
    QuizDescription description =
        readQuizDescription(std::string_view(reinterpret_cast<const char*>(json.bytes.data()), json.bytes.size()),
                            diagnostics, entriesBeside(folder, diagnostics));
    respellMissingMedia(description, folder, diagnostics);
    if (fitPictures)
        plan.fitting.emplace();
    plan.resources = planQuizResources(description, mediaBeside(folder), diagnostics,
                                       plan.fitting ? &*plan.fitting : nullptr);
    plan.description = description;
    plan.entries = description.entries.size();
    plan.inputs.push_back(inputFile("the quiz description", false, descriptionPath));
    if (std::string path = mediaFilePath(folder, description.entriesFile); !description.entriesFile.empty() && !path.empty())
        plan.inputs.push_back(inputFile("the CSV file of entries", false, path));
    for (const MediaFileUse& media : mediaFilesOf(description)) {
        std::string role = "the file of " + placeText(media.where, Language::English) + " (" + inQuotes(media.path) + ")";
        if (std::string path = mediaFilePath(folder, media.path); !path.empty())
            plan.inputs.push_back(inputFile(role, false, path));
    }
    return plan;
}

// "12 entries, 24 media items", and for entries from a spreadsheet which
// encoding its file was read in: "17 entries, 0 media items, dep.csv read as Windows-1252"
std::string summaryOf(const Plan& plan, Language language = Language::English)
{
    std::size_t media = 0;
    for (const QuizResource& item : plan.resources)
        media += item.type == MediaResourceType;
    std::vector<std::string> values = {std::to_string(plan.entries), std::to_string(media)};
    if (plan.description.entriesFile.empty())
        return renderMessage({MessageId::Summary, values}, language);
    values.push_back(escaped(plan.description.entriesFile));
    values.push_back(plan.description.entriesEncoding);
    return renderMessage({MessageId::SummaryWithFile, values}, language);
}

int transcode(const CommandLine& line, CodecResult (*codec)(const std::vector<uint8_t>&),
              std::string (*problemOf)(int32_t, std::size_t), const char* verb, const char* done)
{
    FileRead input = readFileBytes(line.input);
    if (!input.problem.empty()) {
        printLine(stderr, line.input + ": " + input.problem);
        return exitBadInput;
    }
    if (std::string conflict = outputConflict(line.output, {inputFile("the input", false, line.input)});
        !conflict.empty()) {
        printLine(stderr, conflict);
        return exitBadInput;
    }
    CodecResult result = codec(input.bytes);
    if (result.status != 0) {
        printLine(stderr, line.input + ": cannot " + verb + ", " + problemOf(result.status, input.bytes.size()));
        return exitBadInput;
    }
    std::string problem = writeFileBytes(line.output, result.bytes);
    if (!problem.empty()) {
        printLine(stderr, line.output + ": " + problem);
        return exitBadInput;
    }
    std::printf("%s: %zu bytes %s to %zu\n", line.output.c_str(), input.bytes.size(), done, result.bytes.size());
    return exitSuccess;
}

}  // namespace

int runCheck(const CommandLine& line)
{
    Diagnostics diagnostics;
    Plan plan = planFrom(line.input, diagnostics);
    if (line.records)
        std::fputs(problemRecords(diagnostics, line.strict, line.language).c_str(), stdout);
    if (!passes(diagnostics, line.strict, line.language))
        return exitBadInput;
    std::string fit = renderMessage({MessageId::FitToBuild, {summaryOf(plan, line.language)}}, line.language);
    std::printf("%s%s%s\n", line.input.c_str(), line.language == Language::French ? " : " : ": ", fit.c_str());
    return exitSuccess;
}

namespace {

void printFitting(const Plan& plan, Language language)
{
    if (plan.fitting)
        printLine(stdout, fittingLine(*plan.fitting, language));
}

}  // namespace

int runBuild(const CommandLine& line)
{
    Diagnostics diagnostics;
    Plan plan = planFrom(line.input, diagnostics, line.fitPictures);
    std::string player = playerToUse(line.player, diagnostics);
    if (!player.empty())
        plan.inputs.push_back(inputFile("the player", true, player));
    if (std::string conflict = outputConflict(line.output, plan.inputs); !conflict.empty())
        reportError(diagnostics, wholeLine(), MessageId::OutputConflict, {conflict});
    if (!passes(diagnostics, line.strict, line.language))
        return exitBadInput;
    std::string problem = writePlayerCopy(player, line.output, plan.resources);
    if (!problem.empty()) {
        printLine(stderr, problem);
        return exitBadInput;
    }
    printFitting(plan, line.language);
    std::printf("%s%s%s\n", line.output.c_str(), line.language == Language::French ? " : " : ": ",
                summaryOf(plan, line.language).c_str());
    return exitSuccess;
}

namespace {

// A built program starts as every Windows program does; anything else is
// taken for a description.
bool isProgram(const std::string& path)
{
    FileStart start = readFileStart(path, 2);
    return start.problem.empty() && start.bytes.size() == 2 && start.bytes[0] == 'M' && start.bytes[1] == 'Z';
}

// The page's name with .exe in place of its extension: the program built
// from the same description, whose answers file the page saves.
std::string programNameOf(const std::string& pagePath)
{
    std::size_t slash = pagePath.find_last_of("/\\");
    std::size_t dot = pagePath.rfind('.');
    std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? pagePath.substr(0, dot)
                                                                                              : pagePath;
    return stem + ".exe";
}

}  // namespace

bool loadStoredQuiz(const StoredQuiz& stored, Quiz& quiz, Diagnostics& diagnostics)
{
    if (!stored.quizPayload) {
        reportError(diagnostics, "quiz payload", MessageId::PayloadMissing);
        return false;
    }
    CodecResult unpacked = unpackBytes(*stored.quizPayload);
    if (unpacked.status != 0 || !parseQuizPayload(quiz, unpacked.bytes.data(), unpacked.bytes.size())) {
        reportError(diagnostics, "quiz payload", MessageId::PayloadDamaged);
        return false;
    }
    // Without codes the player shows none, and so does the table.
    if (stored.codesPayload) {
        CodecResult codes = unpackBytes(*stored.codesPayload);
        if (codes.status == 0)
            parseCodesPayload(quiz, codes.bytes.data(), codes.bytes.size());
    }
    return true;
}

namespace {

// The quiz's web page as `html` writes it, from a built program or a
// description; nothing when a problem stops it (printed), the output
// being one of the inputs included.
struct MadePage {
    std::string page;
    std::string answersFile;
    StoredQuiz stored;
};

std::optional<MadePage> madePage(const CommandLine& line, bool platform)
{
    Diagnostics diagnostics;
    MadePage made;
    std::map<int, WebClip> clips;
    std::vector<InputFile> inputs;
    if (isProgram(line.input)) {
        if (line.fitPictures) {
            printLine(stderr, line.input + ": --fit-pictures fits the pictures of a quiz description, not of a built quiz");
            return std::nullopt;
        }
        std::string problem;
        made.stored = readStoredQuiz(line.input, problem);
        if (!problem.empty()) {
            printLine(stderr, line.input + ": " + problem);
            return std::nullopt;
        }
        diagnostics.file = line.input;
        inputs.push_back(inputFile("the quiz program", false, line.input));
        made.answersFile = pageAnswersFileName(line.input);
    } else {
        Plan plan = planFrom(line.input, diagnostics, line.fitPictures);
        clips = webClipsOf(line.input, plan.description, diagnostics);
        if (!passes(diagnostics, line.strict, line.language))
            return std::nullopt;
        printFitting(plan, line.language);
        diagnostics = {line.input, {}, {}};
        made.stored = storedQuizOf(plan.resources);
        inputs = plan.inputs;
        made.answersFile = pageAnswersFileName(programNameOf(line.output));
    }
    if (std::string conflict = outputConflict(line.output, inputs); !conflict.empty()) {
        printLine(stderr, conflict);
        return std::nullopt;
    }
    made.page = webPageOf(made.stored, clips, made.answersFile, diagnostics, platform);
    if (!passes(diagnostics, line.strict, line.language))
        return std::nullopt;
    return made;
}

std::string replaceWith(const std::string& path, std::span<const uint8_t> bytes)
{
    std::string problem = replaceFileBytes(path, bytes);
    if (!problem.empty())
        printLine(stderr, path + ": " + problem);
    return problem;
}

// The quiz's title as UTF-8, for the platform's list of activities.
std::string titleOf(const StoredQuiz& stored)
{
    OwnedQuiz owned;
    Diagnostics ignored;
    if (!loadStoredQuiz(stored, owned.quiz, ignored))
        return "";
    TextConversion title = windows1252ToUtf8(owned.quiz.title);
    return title.converted ? title.text : "";
}

// Tells one quiz's package from another's on a platform: a hash of its
// payloads, as hex.
std::string packageIdentifier(const StoredQuiz& stored)
{
    uint64_t hash = 0xCBF29CE484222325;  // FNV-1a
    for (const auto* payload : {&stored.quizPayload, &stored.codesPayload})
        if (*payload)
            for (uint8_t byte : **payload)
                hash = (hash ^ byte) * 0x100000001B3;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace

int runHtml(const CommandLine& line)
{
    std::optional<MadePage> made = madePage(line, false);
    if (!made)
        return exitBadInput;
    const std::string& page = made->page;
    if (!replaceWith(line.output, std::span(reinterpret_cast<const uint8_t*>(page.data()), page.size())).empty())
        return exitBadInput;
    std::printf("%s: %zu bytes, answers saved as %s\n", line.output.c_str(), page.size(), made->answersFile.c_str());
    return exitSuccess;
}

int runScorm(const CommandLine& line)
{
    std::optional<MadePage> made = madePage(line, true);
    if (!made)
        return exitBadInput;
    std::vector<uint8_t> package = scormPackageOf(titleOf(made->stored), packageIdentifier(made->stored), made->page);
    if (package.empty()) {
        printLine(stderr, line.output + ": " + byteSize(made->page.size()) + " of page, more than a zip holds ("
                              + byteSize(LargestStoredZip) + " at most); not written");
        return exitBadInput;
    }
    if (!replaceWith(line.output, package).empty())
        return exitBadInput;
    std::printf("%s: %zu bytes, SCORM 1.2 package of %s (%zu bytes)\n", line.output.c_str(), package.size(),
                ScormPageName, made->page.size());
    return exitSuccess;
}

int runExtract(const CommandLine& line)
{
    std::string problem;
    StoredQuiz stored = readStoredQuiz(line.input, problem);
    if (!problem.empty()) {
        printLine(stderr, line.input + ": " + problem);
        return exitBadInput;
    }
    Diagnostics diagnostics{line.input, {}, {}};
    std::vector<ExtractedFile> files = extractQuiz(stored, diagnostics, line.csv);
    if (!passes(diagnostics, false, line.language))
        return exitBadInput;

    for (const std::string& folder : {line.output, joinPath(line.output, "media")}) {
        if (std::string reason = makeFolder(folder); !reason.empty()) {
            printLine(stderr, folder + ": " + reason);
            return exitBadInput;
        }
    }
    for (const ExtractedFile& file : files) {
        std::string path = joinPath(line.output, file.name);
        if (std::string reason = writeFileBytes(path, file.bytes); !reason.empty()) {
            printLine(stderr, path + ": " + reason);
            return exitBadInput;
        }
    }
    std::size_t described = line.csv ? 2 : 1;
    std::printf("%s: %s and %s\n", line.output.c_str(), line.csv ? "quiz.json, quiz.csv" : "quiz.json",
                countOf(files.size() - described, "media file", "media files").c_str());
    return exitSuccess;
}

int runPack(const CommandLine& line)
{
    return transcode(line, packBytes, packProblem, "pack", "packed");
}

int runUnpack(const CommandLine& line)
{
    return transcode(line, unpackBytes, unpackProblem, "unpack", "unpacked");
}

std::optional<QuizInput> quizInputOf(const std::string& path, Language language)
{
    if (isProgram(path)) {
        std::string problem;
        StoredQuiz stored = readStoredQuiz(path, problem);
        if (!problem.empty()) {
            printLine(stderr, path + ": " + problem);
            return std::nullopt;
        }
        return QuizInput{stored, {inputFile("the quiz program", false, path)}};
    }
    Diagnostics diagnostics;
    Plan plan = planFrom(path, diagnostics);
    if (!passes(diagnostics, false, language))
        return std::nullopt;
    return QuizInput{storedQuizOf(plan.resources), plan.inputs};
}
