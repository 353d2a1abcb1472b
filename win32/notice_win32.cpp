#include "quiz/notice.h"
#include "win32/platform.h"

void showNotice(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}
