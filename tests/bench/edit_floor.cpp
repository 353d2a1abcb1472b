// The floor under an F1 spread: in a bare window of the player's size, the
// time to give 180 edit controls a new text each, as a spread over a 90 x 2
// board with nothing solved does, and nothing else. Prints the medians of
// RUNS rounds in milliseconds: with the window drawn as it goes, then with
// its drawing off around the texts, as the player's spread has it.
#include "win32/platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int boxCount = 180;

double nowMs()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = "EditFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "EditFloor", "Edit floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 870, 650,
                                  nullptr, nullptr, instance, nullptr);
    std::vector<HWND> boxes;
    for (int box = 0; box < boxCount; ++box)
        boxes.push_back(CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                        20 + box % 2 * 200, 10 + box / 2 * 30, 180, 22, window, nullptr, instance,
                                        nullptr));
    std::vector<double> drawn, undrawn;
    for (int run = 0; run < 2 * runs; ++run) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        bool drawing = run % 2 == 0;
        const char* text = run % 4 < 2 ? "reponse" : "x";
        if (!drawing)
            SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        double begin = nowMs();
        for (HWND box : boxes)
            SetWindowTextA(box, text);
        (drawing ? drawn : undrawn).push_back(nowMs() - begin);
        if (!drawing) {
            SendMessageA(window, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
    std::printf("%.1f %.1f\n", median(drawn), median(undrawn));
    DestroyWindow(window);
    return 0;
}
