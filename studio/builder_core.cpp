// The bridge between the studio page and the builder compiled to
// WebAssembly: files go into the memory file layer, a command line runs
// through quizbuild's own dispatch, and what it wrote comes back out.
// builder-session.js wraps these calls; messages reach it through the
// standard streams (captured-streams.js). The editor's checks as it types
// (a text's size in Windows-1252, the verdict a trial answer gets) are the
// builder's and the player's own code too.
#include "judging/verdict.h"
#include "quiz/quiz.h"
#include "quiz/windows_1252.h"
#include "tools/builder/commands/command_dispatch.h"
#include "tools/builder/commands/commands.h"
#include "tools/builder/files/memory_files.h"
#include "tools/builder/input/media_size_problem.h"
#include "tools/builder/input/quiz_description.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// The paths the last command wrote, kept for studioWrittenPath.
std::vector<std::string> lastWritten;
// The last verdict handed out, valid until the next one.
std::string lastVerdict;
// The last class table handed out, valid until the next one.
std::string lastTable;
// The last size refusal handed out, valid until the next one.
std::string lastSizeProblem;
std::string lastCharacter;

std::vector<std::string> argumentsOf(const char* arguments, int count)
{
    std::vector<std::string> line;
    for (int n = 0; n < count; ++n) {  // bounded by count
        line.emplace_back(arguments);
        arguments += line.back().size() + 1;
    }
    return line;
}

// A box's Windows-1252 text as UTF-8; the five unassigned bytes, which no
// box can hold from the keyboard, as the control characters of the same number.
std::string utf8OfBox(const std::string& text)
{
    std::string utf8;
    for (char byte : text) {
        char32_t codePoint = codePointOfWindows1252(static_cast<uint8_t>(byte));
        appendUtf8(utf8, codePoint == NoCodePoint ? static_cast<uint8_t>(byte) : codePoint);
    }
    return utf8;
}

// Written by hand: a class of 35 files of 180 boxes makes 6,300 small
// objects, which a JSON library takes several times longer to build.
void appendJsonText(std::string& json, std::string_view text)
{
    json += '"';
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    json += '"';
}

void appendJsonTexts(std::string& json, const std::vector<std::string>& texts)
{
    json += '[';
    for (std::size_t at = 0; at < texts.size(); ++at) {
        if (at)
            json += ',';
        appendJsonText(json, texts[at]);
    }
    json += ']';
}

void appendPupilJson(std::string& json, const PupilResult& pupil, std::size_t boxCount)
{
    json += "{\"pupil\":";
    appendJsonText(json, pupil.pupil);
    json += std::string(",\"matches\":") + (pupil.matches ? "true" : "false") + ",\"score\":" + std::to_string(pupil.score)
            + ",\"code\":";
    appendJsonText(json, utf8OfBox(pupil.code));
    json += ",\"boxes\":[";
    for (std::size_t at = 0; at < pupil.verdicts.size(); ++at) {
        json += at ? ",{\"typed\":" : "{\"typed\":";
        appendJsonText(json, utf8OfBox(pupil.typed[at]));
        json += ",\"verdict\":";
        appendJsonText(json, utf8OfBox(pupil.verdicts[at]));
        json += '}';
    }
    json += "],\"note\":";
    appendJsonText(json, pupil.matches ? "" : otherQuizNote(pupil.lineCount, int(boxCount)));
    json += '}';
}

std::string resultsJson(const ClassTable& table)
{
    std::string json = "{\"boxes\":";
    appendJsonTexts(json, table.boxNames);
    json += ",\"pupils\":[";
    for (std::size_t at = 0; at < table.pupils.size(); ++at) {
        if (at)
            json += ',';
        appendPupilJson(json, table.pupils[at], table.boxNames.size());
    }
    json += "],\"shares\":";
    appendJsonTexts(json, successSharesOf(table.pupils, int(table.boxNames.size())));
    json += ",\"csv\":";
    appendJsonText(json, table.csv);
    return json + '}';
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void studioClearFiles()
{
    clearMemoryFiles();
    lastWritten.clear();
}

EMSCRIPTEN_KEEPALIVE void studioPutFile(const char* path, const uint8_t* bytes, std::size_t size)
{
    putMemoryFile(path, std::vector<uint8_t>(bytes, bytes + size));
}

// The file's bytes and size, or null when there is none.
EMSCRIPTEN_KEEPALIVE const uint8_t* studioFileBytes(const char* path, std::size_t* size)
{
    const std::vector<uint8_t>* file = memoryFile(path);
    *size = file ? file->size() : 0;
    return file ? file->data() : nullptr;
}

// The builder's refusal of a file of `size` bytes in the author's words, or
// "" when it may be read: asked before a file that size is read into the
// browser's memory. A double carries sizes over 4 GiB exactly.
EMSCRIPTEN_KEEPALIVE const char* studioFileSizeProblem(double size)
{
    FileFacts facts;
    facts.kind = FileKind::File;
    facts.size = size < 0 ? 0 : uint64_t(size);
    Message fault = mediaFileFault(facts);
    lastSizeProblem = fault.none() ? "" : renderMessage(fault, Language::French);
    return lastSizeProblem.c_str();
}

// `arguments` holds `count` arguments, each ended by a NUL, as the command
// line gives them after the program's name. Returns the exit code.
EMSCRIPTEN_KEEPALIVE int studioRun(const char* arguments, int count)
{
    std::vector<std::string> line = argumentsOf(arguments, count);
    takeWrittenMemoryFiles();
    CommandLine parsed = parseCommandLine(line);
    std::optional<int> code = exitBeforeRunning(parsed);
    int exitCode = code ? *code : runCommand(parsed);
    std::fflush(stdout);
    std::fflush(stderr);
    lastWritten = takeWrittenMemoryFiles();
    return exitCode;
}

EMSCRIPTEN_KEEPALIVE int studioWrittenCount()
{
    return int(lastWritten.size());
}

EMSCRIPTEN_KEEPALIVE const char* studioWrittenPath(int index)
{
    return lastWritten.at(std::size_t(index)).c_str();
}

// What the studio's results view shows of a `results` command line, as JSON:
// {"boxes": [names], "pupils": [{"pupil", "matches", "score", "code",
// "boxes": [{"typed", "verdict"}], "note"}], "shares": [per box], "csv": the
// file the command writes}, judged and worded by the command's own code; ""
// when the command would fail (its messages on stderr).
EMSCRIPTEN_KEEPALIVE const char* studioResultsTable(const char* arguments, int count)
{
    CommandLine parsed = parseCommandLine(argumentsOf(arguments, count));
    std::optional<ClassTable> table = parsed.error.empty() ? classTableOf(parsed) : std::nullopt;
    std::fflush(stderr);
    lastTable.clear();
    if (table)
        lastTable = resultsJson(*table);
    return lastTable.c_str();
}

// The bytes a UTF-8 text takes in Windows-1252, as the builder stores it;
// -1 when a character has no Windows-1252 form.
EMSCRIPTEN_KEEPALIVE int studioTextBytes(const char* text)
{
    TextConversion converted = utf8ToWindows1252(text);
    return converted.converted ? int(converted.text.size()) : -1;
}

// The first character of the text that Windows-1252 lacks, "" when none.
EMSCRIPTEN_KEEPALIVE const char* studioCharacterOutside(const char* text)
{
    lastCharacter = characterWithoutWindows1252(text);
    return lastCharacter.c_str();
}

// The verdict, as UTF-8, the player gives to `typed` for the stored
// `answer`, both held as its boxes hold typed text.
EMSCRIPTEN_KEEPALIVE const char* studioTrialVerdict(const char* answer, const char* typed)
{
    std::string stored = typedWindows1252(answer, QuizTextSize - 1);
    std::string box = typedWindows1252(typed, QuizTextSize - 1);
    lastVerdict = windows1252ToUtf8(chooseVerdict(stored.c_str(), box.c_str())).text;
    return lastVerdict.c_str();
}

}  // extern "C"
