// quizbuild: turns a quiz description into a copy of the player that
// carries the quiz, and a built quiz back into a description.
#include "tools/builder/command_line.h"
#include "tools/builder/commands.h"
#include "tools/builder/temporary_files.h"
#include "tools/builder/files.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

#ifdef _WIN32
#include "shell/platform.h"
#include "tools/builder/win32_console.h"
#endif

namespace {

#ifdef _WIN32
// The file the command reads, for the crash handler's message (which
// must not allocate).
char inputName[MaxTemporaryPath];

// A fault that ends the process without unwinding (a system call failing
// this badly when memory runs out) still removes the temporary output, and
// the author learns which file was not built.
LONG WINAPI onCrash(EXCEPTION_POINTERS* exception)
{
    removeTemporaryFiles();
    std::fprintf(stderr,
                 "%s: quizbuild stopped on exception 0x%08lX (most likely out of memory); nothing was written\n",
                 inputName, static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    ExitProcess(1);
}
#endif

int run(const CommandLine& line)
{
    switch (line.command) {
    case Command::Build: return runBuild(line);
    case Command::Check: return runCheck(line);
    case Command::Extract: return runExtract(line);
    case Command::Html: return runHtml(line);
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

#ifdef _WIN32
    // Opened from Explorer: the help stays on screen until a key is pressed,
    // rather than flashing by in a window that closes with the program.
    if (argc == 1 && consoleIsOwn()) {
        std::fputs(usageText(Command::None).c_str(), stdout);
        waitForKeyBeforeClosing();
        return exitSuccess;
    }
#endif
    CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::fputs(usageText(line.command).c_str(), stdout);
        return exitSuccess;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "quizbuild: %s. %s\n", line.error.c_str(), helpHint(line.command).c_str());
        return exitUsage;
    }
#ifdef _WIN32
    std::snprintf(inputName, sizeof inputName, "%s", line.input.c_str());
    SetUnhandledExceptionFilter(onCrash);
#endif
    try {
        return run(line);
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
