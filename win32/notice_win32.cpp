#include "quiz/notice.h"

#include "shell/platform.h"

void showNotice(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}
