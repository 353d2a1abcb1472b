// A soak of the player under Wine, not a test: starts and closes a 90-entry
// quiz STARTS times, then spreads F1 over its board SPREADS times in one
// run, and prints the player's memory along the way. Leaks show as growth
// from the first figures to the last.
//   soak [STARTS] [SPREADS]    (500 and 1000 by default)
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void printMemory(const char* when, HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    std::printf("%s: working set %zu KB, committed %zu KB\n", when, std::size_t(counters.WorkingSetSize / 1024),
                std::size_t(counters.PagefileUsage / 1024));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    int starts = argc > 1 ? std::atoi(argv[1]) : 500;
    int spreads = argc > 2 ? std::atoi(argv[2]) : 1000;
    TestFolder folder("soak");
    std::string program = quizProgramIn(textQuiz(90, 2), folder.path());
    if (program.empty())
        return 1;

    for (int start = 1; start <= starts; ++start) {
        PlayerRun run;
        if (!run.start(program, folder.path())) {
            std::fprintf(stderr, "start %d: the player did not start\n", start);
            return 1;
        }
        if (start == 1 || start % 100 == 0 || start == starts)
            printMemory(("start " + std::to_string(start)).c_str(), run.process());
        run.setText(run.boardItem(4000 + 1 + start % 180), "essai");
        if (!run.close() || run.exitCode() != 0) {
            std::fprintf(stderr, "start %d: the player did not close cleanly\n", start);
            return 1;
        }
    }

    PlayerRun run;
    if (!run.start(program, folder.path()))
        return 1;
    printMemory("spread 0", run.process());
    HWND first = run.boardItem(4001);
    for (int spread = 1; spread <= spreads; ++spread) {
        // A different text each time, so every box is judged and relabelled.
        std::string text = spread % 2 ? "reponse " + std::to_string(spread % 90 + 1) : "x";
        run.setText(first, text);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(first, WM_KEYUP, VK_F1, 0xC0000001, SMTO_ABORTIFHUNG, 10000, &result);
        if (spread % 250 == 0 || spread == spreads)
            printMemory(("spread " + std::to_string(spread)).c_str(), run.process());
    }
    return run.close() && run.exitCode() == 0 ? 0 : 1;
}
