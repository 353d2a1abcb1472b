// Start-up time and memory of a large picture quiz under Wine, printed, not
// a timed test. From the repository's root, after a build:
//   tests/with-display tests/wine-run build/win64/media_measure.exe [RUNS]
// (build/win32 where the host runs 32-bit programs; QUIZ_ARCH=i686 then)
// builds a 90-entry picture quiz whose pictures are 800 x 600 JPEGs (and,
// for comparison, one whose pictures are 130 x 130 JPEGs), starts each RUNS
// times and prints the time from process creation to the board shown, and
// to the board settled (every picture in place, quiz/board_settled.h) with the
// message loop running, and the process's memory at that moment.
// tools/measure-player (make measure) prints these figures beside the
// others; this program measures the pictures alone.
#include "quiz/board_settled.h"
#include "tests/media/media_quiz.h"
#include "tests/win32/driver.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int entries = 90;
constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD closeTimeoutMs = 20000;

struct Sample {
    bool ok = false;
    double shown = 0;
    double seconds = 0;  // to the board settled
    PROCESS_MEMORY_COUNTERS_EX memory = {};
};

// Shown once the main window and its board show; started once the board
// has settled and the message loop answers; the memory is read right then.
Sample startAndMeasure(const std::string& program, const std::string& folder)
{
    Sample sample;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + program + "\"";
    double begin = secondsNow();
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return sample;
    HWND main = nullptr;
    while (secondsNow() - begin < startTimeoutMs / 1000.0) {
        HWND window = visibleTopWindowOf(process.dwProcessId, "WindowsApp");
        HWND board = window ? FindWindowExA(window, nullptr, "#32770", nullptr) : nullptr;
        if (board && IsWindowVisible(board)) {
            main = window;
            sample.shown = secondsNow() - begin;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    while (main && !GetPropA(main, BoardSettledProperty) && secondsNow() - begin < startTimeoutMs / 1000.0)
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    if (main && !GetPropA(main, BoardSettledProperty))
        main = nullptr;
    DWORD_PTR result = 0;
    if (main && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, startTimeoutMs, &result)) {
        sample.seconds = secondsNow() - begin;
        sample.memory.cb = sizeof sample.memory;
        sample.ok = GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&sample.memory),
                                         sizeof sample.memory);
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, closeTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        sample.ok = false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return sample;
}

double megabytes(SIZE_T bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

void measure(const char* what, const std::vector<std::string>& pictures, int runs)
{
    std::string folder = freshFolder(std::string("measure-") + what);
    std::string problems;
    std::string program = buildMediaQuiz(mediaQuiz("picture", entries, pictures), folder, problems);
    if (program.empty()) {
        std::printf("%s: the quiz could not be built: %s\n", what, problems.c_str());
        return;
    }
    std::string image = readWholeFile(program);
    std::vector<Sample> samples;
    for (int run = 0; run < runs; ++run) {
        Sample sample = startAndMeasure(program, folder);
        if (sample.ok)
            samples.push_back(sample);
    }
    if (samples.empty()) {
        std::printf("%s: no run started\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.seconds < b.seconds; });
    const Sample& median = samples[samples.size() / 2];
    std::printf("%s: quiz program %.1f MB, %zu runs\n", what, megabytes(image.size()), samples.size());
    std::vector<double> shown;
    for (const Sample& sample : samples)
        shown.push_back(sample.shown);
    std::sort(shown.begin(), shown.end());
    std::printf("  start-up to board shown: median %.0f ms, fastest %.0f ms, slowest %.0f ms\n",
                shown[shown.size() / 2] * 1000, shown.front() * 1000, shown.back() * 1000);
    std::printf("  start-up to every picture in place: median %.0f ms, fastest %.0f ms, slowest %.0f ms\n",
                median.seconds * 1000, samples.front().seconds * 1000, samples.back().seconds * 1000);
    // Wine leaves PrivateUsage at 0; PagefileUsage is the same figure,
    // the process's private committed bytes.
    SIZE_T privateBytes = median.memory.PrivateUsage ? median.memory.PrivateUsage : median.memory.PagefileUsage;
    std::printf("  memory after start-up (median run): working set %.1f MB (peak %.1f MB), private bytes %.1f MB\n",
                megabytes(median.memory.WorkingSetSize), megabytes(median.memory.PeakWorkingSetSize),
                megabytes(privateBytes));
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("%d-entry picture quizzes, one answer per entry\n", entries);
    measure("800x600-jpeg", {"photo1.jpg", "photo2.jpg", "photo3.jpg"}, runs);
    measure("130x130-jpeg", {"square130.jpg"}, runs);
    return 0;
}
