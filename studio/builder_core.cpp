// The bridge between the studio page and the builder compiled to
// WebAssembly: files go into the memory file layer, a command line runs
// through quizbuild's own dispatch, and what it wrote comes back out.
// builder-session.js wraps these calls; messages reach it through the
// standard streams (captured-streams.js).
#include "tools/builder/command_dispatch.h"
#include "tools/builder/memory_files.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// The paths the last command wrote, kept for studioWrittenPath.
std::vector<std::string> lastWritten;

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

// `arguments` holds `count` arguments, each ended by a NUL, as the command
// line gives them after the program's name. Returns the exit code.
EMSCRIPTEN_KEEPALIVE int studioRun(const char* arguments, int count)
{
    std::vector<std::string> line;
    for (int n = 0; n < count; ++n) {  // bounded by count
        line.emplace_back(arguments);
        arguments += line.back().size() + 1;
    }
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

}  // extern "C"
