// The baseline of the player's start-up time: a window of the player's size
// that shows nothing, started under the same Wine.
#include "win32/platform.h"

namespace {

LRESULT CALLBACK blankProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = blankProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = "BlankWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BlankWindow", "Blank", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 870,
                                  650, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
