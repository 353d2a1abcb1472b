// Whole-process timings of the player under Wine, not a timed test (run by
// tools/measure-player):
//   player_timing RUNS BLANK.exe TEXT2.exe TEXT1.exe PICTURES.exe SMALL.exe
//                 [TRACED-TEXT2.exe TRACED-PICTURES.exe]
// starts each program RUNS times, one of each in turn so that they share
// the machine's noise, and prints medians, one figure a line: the blank
// window's start; the text quizzes' starts to the board shown (90 entries
// with two answers, and with one); one F1 spread over the two-answer board
// with nothing solved; the picture quizzes' starts to the board shown and to
// every picture in place; their memory once settled; then, from the traced
// builds of the player, where the start-up time went.
#include "quiz/board_identifiers.h"
#include "quiz/board_settled.h"
#include "tests/win32/driver.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double startTimeoutSeconds = 60;
constexpr DWORD closeTimeoutMs = 10000;
// The fitted bitmaps a 90-entry picture quiz may add to a text quiz's
// memory: 260 x 260 at 4 bytes a pixel each.
constexpr double fittedBitmapsMb = 90.0 * 260 * 260 * 4 / (1024 * 1024);

struct Started {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    bool ok = false;
    double shown = 0;    // seconds to the top window (and the player's board) visible
    double settled = 0;  // seconds to the board settled, every picture in place
    double workingSetMb = 0;
    double privateMb = 0;
};

double megabytes(SIZE_T bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

// Polls once a millisecond rather than spinning: the player's decoding
// threads need the machine's cores more than the watcher does.
Started startAndWait(const std::string& program, const std::string& folder, bool player)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    Started started;
    std::string command = "\"" + program + "\"";
    double begin = secondsNow();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &started.process))
        return started;
    while (secondsNow() - begin < startTimeoutSeconds) {
        if (HWND window = visibleTopWindowOf(started.process.dwProcessId)) {
            HWND board = FindWindowExA(window, nullptr, "#32770", nullptr);
            if (!player || (board && IsWindowVisible(board))) {
                started.window = window;
                break;
            }
        }
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0)
            return started;
    }
    started.shown = secondsNow() - begin;
    if (!started.window)
        return started;
    if (player) {
        while (!GetPropA(started.window, BoardSettledProperty) && secondsNow() - begin < startTimeoutSeconds)
            Sleep(1);
        started.settled = secondsNow() - begin;
        if (!GetPropA(started.window, BoardSettledProperty))
            return started;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(started.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, closeTimeoutMs, &result))
        return started;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(started.process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        started.workingSetMb = megabytes(memory.WorkingSetSize);
        // Wine leaves PrivateUsage at 0; PagefileUsage is the same figure.
        started.privateMb = megabytes(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
    }
    started.ok = true;
    return started;
}

// Ended without closing: no answers are saved between runs.
void end(Started& started)
{
    if (!started.process.hProcess)
        return;
    TerminateProcess(started.process.hProcess, 0);
    WaitForSingleObject(started.process.hProcess, closeTimeoutMs);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    started.process = {};
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

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every run's figures by name, for medians.
using Figures = std::map<std::string, std::vector<double>>;

void note(Figures& figures, const std::string& name, double value)
{
    figures[name].push_back(value);
}

void measurePlayer(Figures& figures, const std::string& name, const std::string& program, const std::string& folder,
                   bool spread)
{
    Started run = startAndWait(program, folder, true);
    if (run.ok) {
        note(figures, name + " shown", run.shown * 1000);
        note(figures, name + " settled", run.settled * 1000);
        note(figures, name + " working set", run.workingSetMb);
        note(figures, name + " private", run.privateMb);
        if (spread)
            note(figures, name + " spread", timeSpread(run) * 1000);
    } else {
        std::fprintf(stderr, "%s: a run did not start and settle within %.0f s\n", program.c_str(),
                     startTimeoutSeconds);
    }
    end(run);
}

// Trace lines, "moment<TAB>ms<TAB>name" and "cost<TAB>total<TAB>count<TAB>
// largest<TAB>name", noted under `name`.
void noteTrace(Figures& figures, const std::string& name, const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t endOfLine = text.find('\n', at);
        std::string line = text.substr(at, endOfLine == std::string::npos ? std::string::npos : endOfLine - at);
        at = endOfLine == std::string::npos ? text.size() : endOfLine + 1;
        // Written as text on Windows: lines end with CR LF.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        char kind[16] = "", label[128] = "";
        double first = 0, largest = 0;
        int count = 0;
        if (std::sscanf(line.c_str(), "%15[a-z]\t%lf\t%d\t%lf\t%127[^\n]", kind, &first, &count, &largest, label) == 5
            && std::string(kind) == "cost") {
            note(figures, name + " cost " + label, first);
            note(figures, name + " count " + label, count);
            note(figures, name + " largest " + label, largest);
        } else if (std::sscanf(line.c_str(), "%15[a-z]\t%lf\t%127[^\n]", kind, &first, label) == 3
                   && std::string(kind) == "moment") {
            note(figures, name + " at " + label, first);
        }
    }
}

// A file the traced player writes whole, once it shows; empty after a timeout.
std::string awaitFile(const std::string& path, bool running)
{
    double begin = secondsNow();
    std::string text;
    while (running && secondsNow() - begin < startTimeoutSeconds) {
        text = readWholeFile(path);
        if (!text.empty())
            break;
        Sleep(5);
    }
    return text;
}

// The traced player writes startup-trace.txt into its folder once settled
// and painted, and spread-trace.txt after each F1 spread.
void traceOnce(Figures& figures, const std::string& name, const std::string& program, const std::string& folder,
               bool spread)
{
    std::string startupPath = folder + "\\startup-trace.txt", spreadPath = folder + "\\spread-trace.txt";
    DeleteFileA(startupPath.c_str());
    DeleteFileA(spreadPath.c_str());
    Started run = startAndWait(program, folder, true);
    noteTrace(figures, name, awaitFile(startupPath, run.ok));
    if (run.ok && spread) {
        note(figures, name + " traced spread", timeSpread(run) * 1000);
        noteTrace(figures, name + " spread", awaitFile(spreadPath, true));
    }
    end(run);
}

void print(const char* name, double value, const char* unit)
{
    std::printf("%s: %.1f%s%s\n", name, value, *unit ? " " : "", unit);
}

void printMegabytes(const char* name, double value, double goal)
{
    std::printf("%s: %.1f MB (goal at most %.1f)\n", name, value, goal);
}

void printRatio(const char* name, double value, double goal)
{
    std::printf("%s: %.2f (goal at most %.1f)\n", name, value, goal);
}

// The traced build's breakdown: moments in start-up order, then costs.
void printTrace(const Figures& figures, const std::string& name)
{
    std::vector<std::pair<double, std::string>> moments;
    for (const auto& [key, values] : figures)
        if (key.rfind(name + " at ", 0) == 0)
            moments.push_back({median(values), key.substr(name.size() + 4)});
    std::sort(moments.begin(), moments.end());
    for (const auto& [ms, moment] : moments)
        std::printf("%s, traced, at %s: %.1f ms\n", name.c_str(), moment.c_str(), ms);
    for (const auto& [key, values] : figures) {
        if (key.rfind(name + " cost ", 0) != 0)
            continue;
        std::string cost = key.substr(name.size() + 6);
        std::printf("%s, traced, %s: %.1f ms in %d, largest %.1f ms\n", name.c_str(), cost.c_str(), median(values),
                    int(median(figures.at(name + " count " + cost))), median(figures.at(name + " largest " + cost)));
    }
}

double figure(const Figures& figures, const std::string& name)
{
    auto found = figures.find(name);
    return found == figures.end() ? 0 : median(found->second);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7 && argc != 9) {
        std::fprintf(stderr, "usage: player_timing RUNS BLANK.exe TEXT2.exe TEXT1.exe PICTURES.exe SMALL.exe "
                             "[TRACED-TEXT2.exe TRACED-PICTURES.exe]\n");
        return 2;
    }
    int runs = std::max(1, std::atoi(argv[1]));
    std::string blank = argv[2], text2 = argv[3], text1 = argv[4], pictures = argv[5], small = argv[6];
    std::string folder = freshFolder("timing");
    Figures figures;
    for (int run = 0; run < runs; ++run) {
        Started blankRun = startAndWait(blank, folder, false);
        if (blankRun.ok) {
            note(figures, "blank shown", blankRun.shown * 1000);
            note(figures, "blank working set", blankRun.workingSetMb);
        }
        PostMessageA(blankRun.window, WM_CLOSE, 0, 0);
        end(blankRun);
        measurePlayer(figures, "text2", text2, folder, true);
        measurePlayer(figures, "text1", text1, folder, false);
        measurePlayer(figures, "pictures", pictures, folder, false);
        measurePlayer(figures, "small", small, folder, false);
    }
    if (argc == 9)
        for (int run = 0; run < runs; ++run) {
            traceOnce(figures, "text2", argv[7], folder, true);
            traceOnce(figures, "pictures", argv[8], folder, false);
        }

    double blankMs = figure(figures, "blank shown");
    double text2Ms = figure(figures, "text2 shown");
    double text1Ms = figure(figures, "text1 shown");
    double picturesShownMs = figure(figures, "pictures shown");
    double picturesPlacedMs = figure(figures, "pictures settled");
    std::printf("runs: %d (medians)\n", runs);
    print("blank window start", blankMs, "ms");
    print("text quiz, 90 entries x 2 answers, start to board shown", text2Ms, "ms");
    printRatio("text quiz start / blank window start", text2Ms / blankMs, 2.0);
    std::printf("F1 spread over the text board, nothing solved: %.1f ms (goal under 30, moonshot 16)\n",
                figure(figures, "text2 spread"));
    print("text quiz, 90 entries x 1 answer, start to board shown", text1Ms, "ms");
    print("picture quiz, 90 x 800x600 JPEG, start to board shown", picturesShownMs, "ms");
    printRatio("picture quiz board shown / 1-answer text quiz's", picturesShownMs / text1Ms, 1.5);
    print("picture quiz, 90 x 800x600 JPEG, start to every picture in place", picturesPlacedMs, "ms");
    printRatio("picture quiz every picture in place / blank window start", picturesPlacedMs / blankMs, 3.0);
    print("picture quiz, 90 x 130x130 JPEG, start to board shown", figure(figures, "small shown"), "ms");
    print("picture quiz, 90 x 130x130 JPEG, start to every picture in place", figure(figures, "small settled"),
          "ms");
    printRatio("picture quiz 130x130 every picture in place / blank window start",
               figure(figures, "small settled") / blankMs, 3.0);
    print("memory, blank window, working set", figure(figures, "blank working set"), "MB");
    print("memory, text quiz 90 x 2, working set", figure(figures, "text2 working set"), "MB");
    print("memory, text quiz 90 x 1, working set", figure(figures, "text1 working set"), "MB");
    print("memory, picture quiz 800x600, working set", figure(figures, "pictures working set"), "MB");
    print("memory, picture quiz 130x130, working set", figure(figures, "small working set"), "MB");
    // The goal is the fitted bitmaps of 260 x 260, whatever the sources.
    printMegabytes("memory, picture quiz 800x600 over text quiz 90 x 1, working set",
                   figure(figures, "pictures working set") - figure(figures, "text1 working set"), fittedBitmapsMb);
    printMegabytes("memory, picture quiz 130x130 over text quiz 90 x 1, working set",
                   figure(figures, "small working set") - figure(figures, "text1 working set"), fittedBitmapsMb);
    printMegabytes("memory, picture quiz 800x600 over 130x130, working set",
                   figure(figures, "pictures working set") - figure(figures, "small working set"), 0);
    print("memory, text quiz 90 x 1, private bytes", figure(figures, "text1 private"), "MB");
    print("memory, picture quiz 800x600, private bytes", figure(figures, "pictures private"), "MB");
    print("memory, picture quiz 130x130, private bytes", figure(figures, "small private"), "MB");
    if (argc == 9) {
        printTrace(figures, "text2");
        std::printf("F1 spread, traced build: %.1f ms, of which:\n", figure(figures, "text2 traced spread"));
        printTrace(figures, "text2 spread");
        printTrace(figures, "pictures");
    }
    return 0;
}
