// Whole-process timings of the player under Wine, not a timed test:
//   player_timing QUIZ.exe BLANK.exe [RUNS]
// prints the median time from process start to the board being shown,
// against a blank window's start in the same run, and the time one F1
// spread takes over the quiz's board with nothing solved.
#include "board/identifiers.h"
#include "tests/win32/driver.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Started {
    PROCESS_INFORMATION process;
    HWND window;
    double seconds;
};

// Started when the top window is visible and, for the player, its board too.
Started startAndWait(const std::string& program, const std::string& folder, bool waitForBoard)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    Started started = {};
    std::string command = "\"" + program + "\"";
    double begin = secondsNow();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &started.process))
        return started;
    for (int poll = 0; poll < 200000; ++poll) {
        if (HWND window = visibleTopWindowOf(started.process.dwProcessId)) {
            HWND board = FindWindowExA(window, nullptr, "#32770", nullptr);
            if (!waitForBoard || (board && IsWindowVisible(board))) {
                started.window = window;
                break;
            }
        }
        Sleep(0);
    }
    started.seconds = secondsNow() - begin;
    return started;
}

void closeAndWait(Started& started)
{
    PostMessageA(started.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One F1 over the whole board: sent, so it returns when the spread is done.
double timeSpread(const Started& player)
{
    HWND board = FindWindowExA(player.window, nullptr, "#32770", nullptr);
    HWND first = GetDlgItem(board, AnswerBoxIdBase + 1);
    SendMessageA(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    double begin = secondsNow();
    SendMessageA(first, WM_KEYUP, VK_F1, 0xC0000001);
    return secondsNow() - begin;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: player_timing QUIZ.exe BLANK.exe [RUNS]\n");
        return 2;
    }
    int runs = argc > 3 ? std::atoi(argv[3]) : 9;
    std::string folder = freshFolder("timing");
    std::vector<double> player, blank, spread;
    for (int run = 0; run < runs; ++run) {
        Started blankRun = startAndWait(argv[2], folder, false);
        blank.push_back(blankRun.seconds);
        closeAndWait(blankRun);
        Started playerRun = startAndWait(argv[1], folder, true);
        player.push_back(playerRun.seconds);
        spread.push_back(timeSpread(playerRun));
        TerminateProcess(playerRun.process.hProcess, 0);  // no answers saved between runs
        WaitForSingleObject(playerRun.process.hProcess, 10000);
        CloseHandle(playerRun.process.hThread);
        CloseHandle(playerRun.process.hProcess);
    }
    double playerStart = median(player);
    double blankStart = median(blank);
    std::printf("runs: %d\n", runs);
    std::printf("blank window start: %.1f ms (median)\n", blankStart * 1000);
    std::printf("player start to board shown: %.1f ms (median)\n", playerStart * 1000);
    std::printf("ratio: %.2f\n", playerStart / blankStart);
    std::printf("F1 spread: %.1f ms (median)\n", median(spread) * 1000);
    return 0;
}
