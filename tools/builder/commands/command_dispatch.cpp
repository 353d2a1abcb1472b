#include "tools/builder/commands/command_dispatch.h"

#include "tools/builder/commands/commands.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

namespace {

int dispatch(const CommandLine& line)
{
    switch (line.command) {
    case Command::Build: return runBuild(line);
    case Command::Check: return runCheck(line);
    case Command::Extract: return runExtract(line);
    case Command::Html: return runHtml(line);
    case Command::Scorm: return runScorm(line);
    case Command::Results: return runResults(line);
    case Command::Pack: return runPack(line);
    case Command::Unpack: return runUnpack(line);
    case Command::None: break;
    }
    return exitUsage;
}

}  // namespace

std::optional<int> exitBeforeRunning(const CommandLine& line)
{
    if (line.help) {
        std::fputs(usageText(line.command).c_str(), stdout);
        return exitSuccess;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "quizbuild: %s. %s\n", line.error.c_str(), helpHint(line.command).c_str());
        return exitUsage;
    }
    return std::nullopt;
}

int runCommand(const CommandLine& line)
{
    try {
        return dispatch(line);
    } catch (const std::bad_alloc&) {
        // The build's temporary copy went as the stack unwound; extraction writes
        // only once everything is in memory.
        std::string written = line.output.empty() ? "" : ", " + line.output + " not written";
        std::fprintf(stderr, "%s: quizbuild ran out of memory%s\n", line.input.c_str(), written.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quizbuild: %s\n", error.what());
    }
    return exitBadInput;
}
