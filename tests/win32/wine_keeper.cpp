// A hidden window that keeps Wine's desktop alive while tests start and
// end programs one after another; ended with wineserver -k.
#include "win32/platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuizzWineKeeper";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "QuizzWineKeeper", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
