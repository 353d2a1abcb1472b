// quizbuild: turns a quiz description into a copy of the player that
// carries the quiz, and a built quiz back into a description.
#include "tools/builder/commands/command_line.h"
#include "tools/builder/commands/command_dispatch.h"
#include "tools/builder/commands/system_language.h"
#include "tools/builder/files/temporary_files.h"
#include "tools/builder/files/files.h"

#include <cstdio>
#include <optional>
#include <string>

#ifdef _WIN32
#include "win32/platform.h"
#include "tools/builder/commands/win32_console.h"
#endif

#ifdef _WIN32
namespace {

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

}  // namespace
#endif

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
    if (std::optional<int> code = exitBeforeRunning(line))
        return *code;
    line.language = commandLanguage(line, systemLanguage());
#ifdef _WIN32
    std::snprintf(inputName, sizeof inputName, "%s", line.input.c_str());
    SetUnhandledExceptionFilter(onCrash);
#endif
    return runCommand(line);
}
