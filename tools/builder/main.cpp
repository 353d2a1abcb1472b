// quizbuild: turns a quiz description into a copy of the player that
// carries the quiz, and a built quiz back into a description.
#include "tools/builder/command_line.h"
#include "tools/builder/commands.h"
#include "tools/builder/files.h"

#include <cstdio>
#include <exception>
#include <new>

namespace {

int run(const CommandLine& line)
{
    switch (line.command) {
    case Command::Build: return runBuild(line);
    case Command::Check: return runCheck(line);
    case Command::Extract: return runExtract(line);
    case Command::Pack: return runPack(line);
    case Command::Unpack: return runUnpack(line);
    case Command::None: break;
    }
    return exitUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    // Lines end in LF alone on every platform, and texts pass through byte
    // for byte.
    useBinaryStandardStreams();

    CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::fputs(usageText(line.command).c_str(), stdout);
        return exitSuccess;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "quizbuild: %s. %s\n", line.error.c_str(), helpHint(line.command).c_str());
        return exitUsage;
    }
    try {
        return run(line);
    } catch (const std::bad_alloc&) {
        std::fputs("quizbuild: out of memory\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quizbuild: %s\n", error.what());
    }
    return exitBadInput;
}
