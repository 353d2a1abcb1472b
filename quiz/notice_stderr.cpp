#include "quiz/notice.h"

#include <cstdio>

void showNotice(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
}
