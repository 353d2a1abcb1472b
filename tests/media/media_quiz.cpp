#include "tests/media/media_quiz.h"

#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <cstdint>

namespace {

constexpr DWORD builderTimeoutMs = 120000;

std::string builderProgram()
{
    return folderOfThisProgram() + "\\quizbuild.exe";
}

std::string jsonDescription(const MediaQuiz& quiz)
{
    std::string json = "{\n";
    json += "  \"kind\": " + jsonStringOf(quiz.kind) + ",\n";
    json += "  \"title\": " + jsonStringOf(quiz.title) + ",\n";
    json += "  \"author\": " + jsonStringOf(quiz.author) + ",\n";
    json += "  \"description\": " + jsonStringOf(quiz.description) + ",\n";
    json += "  \"answersPerEntry\": " + std::to_string(quiz.answersPerEntry) + ",\n";
    json += "  \"answerLabels\": [" + jsonStringOf(quiz.firstAnswerLabel) + ", " + jsonStringOf(quiz.secondAnswerLabel)
            + "],\n";
    json += "  \"reveal\": " + jsonStringOf(quiz.reveal) + ",\n";
    json += "  \"boardColour\": " + jsonStringOf(quiz.boardColour) + ",\n";
    json += "  \"entries\": [\n";
    for (std::size_t at = 0; at < quiz.entries.size(); ++at) {
        const MediaEntry& entry = quiz.entries[at];
        json += "    {\"answers\": [";
        for (std::size_t answer = 0; answer < entry.answers.size(); ++answer)
            json += (answer ? ", " : "") + jsonStringOf(entry.answers[answer]);
        json += "]";
        if (!entry.media.empty())
            json += ", \"media\": " + jsonStringOf(mediaFixture(entry.media));
        if (!entry.revealPicture.empty())
            json += ", \"revealPicture\": " + jsonStringOf(mediaFixture(entry.revealPicture));
        if (!entry.revealText.empty())
            json += ", \"revealText\": " + jsonStringOf(entry.revealText);
        json += at + 1 < quiz.entries.size() ? "},\n" : "}\n";
    }
    json += "  ],\n";
    json += "  \"codes\": [";
    for (std::size_t at = 0; at < quiz.entries.size(); ++at)
        json += (at ? ", \"CODE" : "\"CODE") + std::to_string(at + 1) + "\"";
    json += "]\n}\n";
    return json;
}

// Runs the builder with its output in a file, which is read back and removed.
bool runBuilder(const std::string& arguments, const std::string& outputFile, std::string& output)
{
    std::string program = builderProgram();
    DWORD exitCode = runLogged("\"" + program + "\" " + arguments, outputFile, builderTimeoutMs);
    output = readWholeFile(outputFile);
    DeleteFileA(outputFile.c_str());
    if (exitCode == notRun && output.empty())
        output = "cannot run " + program;
    return exitCode == 0;
}

struct KeptResources {
    std::vector<ResourceItem> items;
    const std::vector<int>* dropped;
};

BOOL CALLBACK keepResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR parameter)
{
    auto* kept = reinterpret_cast<KeptResources*>(parameter);
    if (!IS_INTRESOURCE(name))
        return TRUE;
    int id = int(reinterpret_cast<ULONG_PTR>(name));
    for (int dropped : *kept->dropped)
        if (dropped == id && lstrcmpiA(type, "IMG") == 0)
            return TRUE;
    HRSRC resource = FindResourceA(module, name, type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (bytes)
        kept->items.push_back({type, id, std::vector<uint8_t>(bytes, bytes + SizeofResource(module, resource))});
    return TRUE;
}

}  // namespace

std::string mediaFixture(const std::string& name)
{
    return folderOfThisProgram() + "\\media-fixtures\\" + name;
}

std::string mediaFixtureBytes(const std::string& name)
{
    return readWholeFile(mediaFixture(name));
}

std::string buildMediaQuiz(const MediaQuiz& quiz, const std::string& folder, std::string& problems,
                           const std::string& exeName)
{
    std::string description = folder + "\\" + exeName + ".json";
    std::string program = folder + "\\" + exeName;
    if (!writeWholeFile(description, jsonDescription(quiz))) {
        problems = "cannot write " + description;
        return "";
    }
    bool built = runBuilder("build \"" + description + "\" -o \"" + program + "\" --player \"" + playerProgram() + "\""
                                + (quiz.fitPictures ? " --fit-pictures" : ""),
                            folder + "\\" + exeName + ".log", problems);
    DeleteFileA(description.c_str());
    return built ? program : std::string();
}

bool withoutMediaResources(const std::string& program, const std::vector<int>& resourceIds)
{
    KeptResources kept{{}, &resourceIds};
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return false;
    EnumResourceNamesA(module, "PATCH", keepResource, reinterpret_cast<LONG_PTR>(&kept));
    EnumResourceNamesA(module, "IMG", keepResource, reinterpret_cast<LONG_PTR>(&kept));
    FreeLibrary(module);
    // Resource updates cannot be relied on to delete single resources, so
    // a fresh copy of the player receives what is kept.
    return CopyFileA(playerProgram().c_str(), program.c_str(), FALSE) && writeResources(program, kept.items);
}

MediaQuiz mediaQuiz(const std::string& kind, int entries, const std::vector<std::string>& media, int answersPerEntry)
{
    MediaQuiz quiz;
    quiz.kind = kind;
    quiz.answersPerEntry = answersPerEntry;
    for (int entry = 1; entry <= entries; ++entry) {
        MediaEntry made;
        made.answers.push_back("rep" + std::to_string(entry));
        if (answersPerEntry == 2)
            made.answers.push_back("deux" + std::to_string(entry));
        if (!media.empty())
            made.media = media[std::size_t(entry - 1) % media.size()];
        quiz.entries.push_back(made);
    }
    return quiz;
}

std::string startMediaQuiz(const MediaQuiz& quiz, const std::string& folderName, const std::vector<int>& dropped,
                           PlayerRun& run, std::string& problem)
{
    std::string folder = freshFolder(folderName);
    std::string program = buildMediaQuiz(quiz, folder, problem);
    if (program.empty()) {
        problem = "the quiz builder refused the quiz: " + problem;
        return "";
    }
    if (!dropped.empty() && !withoutMediaResources(program, dropped)) {
        problem = "media resources could not be removed from " + program;
        return "";
    }
    if (!run.start(program, folder)) {
        problem = "the player did not start: " + program;
        return "";
    }
    return folder;
}
