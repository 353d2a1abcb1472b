#include "tools/builder/commands/win32_console.h"

#include "tools/builder/commands/system_language.h"
#include "win32/platform.h"

#include <conio.h>
#include <cstdio>

bool consoleIsOwn()
{
    // A command prompt's console lists the prompt too; Explorer's lists this
    // program alone. Output or input sent elsewhere (a pipe, a file) is no
    // one's window to keep open.
    DWORD processes[2], mode;
    return GetConsoleProcessList(processes, 2) == 1 && GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)
           && GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode);
}

void waitForKeyBeforeClosing()
{
    std::fputs("\nPress a key to close this window.\n", stdout);
    std::fflush(stdout);
    _getch();
}

// Windows has no locale variables: the language the user reads Windows in
// decides, as for the player's own texts.
Language systemLanguage()
{
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? Language::French : Language::English;
}
