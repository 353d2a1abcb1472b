#include "win32/controls.h"

#include "win32/startup_trace.h"
#include "win32/window_text.h"

#include <cstring>

namespace {

// Identifiers of the board and the header stay below this.
constexpr int largestId = 10000;
// Remembered as asked for and not found.
const HWND missing = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

struct RememberedControls {
    HWND parent;
    HWND byId[largestId];
};

RememberedControls remembered[2];

RememberedControls& tableOf(HWND parent)
{
    for (RememberedControls& table : remembered)
        if (table.parent == parent)
            return table;
    RememberedControls& table = remembered[0].parent ? remembered[1] : remembered[0];
    table = {};
    table.parent = parent;
    return table;
}

}  // namespace

HWND findControl(HWND parent, int id)
{
    if (id < 0 || id >= largestId)
        return GetDlgItem(parent, id);
    HWND& control = tableOf(parent).byId[id];
    if (control == missing)
        return nullptr;
    // A remembered control is checked to be still that child, which costs
    // nothing; children made by createControl are remembered as they come.
    if (!control || GetDlgCtrlID(control) != id || GetParent(control) != parent) {
        control = GetDlgItem(parent, id);
        if (!control)
            control = missing;
    }
    return control == missing ? nullptr : control;
}

void readControlText(HWND parent, int id, char* text, int size)
{
    text[0] = '\0';
    if (HWND control = findControl(parent, id))
        GetWindowTextA(control, text, size);
}

void setControlText(HWND parent, int id, const char* text)
{
    HWND control = findControl(parent, id);
    if (!control)
        return;
    // Judging rewrites labels that mostly keep their text; an unchanged
    // label is not repainted.
    std::size_t length = std::strlen(text);
    if (length < QuizTextSize && std::size_t(GetWindowTextLengthA(control)) == length) {
        char current[QuizTextSize];
        GetWindowTextA(control, current, QuizTextSize);
        if (std::strcmp(current, text) == 0)
            return;
    }
    SetWindowTextA(control, text);
}

HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id, bool guiFont)
{
    double since = startupClock();
    HWND control = createWindowWithText(className, text, style, x, y, width, height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)));
    addStartupCost("board control creation", since);
    if (control && guiFont) {
        since = startupClock();
        // A control made this moment has not been drawn yet: asking it to
        // redraw would only cost a trip to the window system.
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        addStartupCost("board fonts set", since);
    }
    // The first child made with an identifier is the one a look-up yields.
    if (control && id >= 0 && id < largestId) {
        HWND& known = tableOf(parent).byId[id];
        if (!known || known == missing)
            known = control;
    }
    return control;
}
