// One helper per awkward control call, used everywhere instead of inline calls.
#pragma once

#include "quiz/quiz.h"
#include "win32/platform.h"

// A child's text, at most size - 1 characters; empty when the child does not exist.
void readControlText(HWND parent, int id, char* text, int size);
inline void readControlText(HWND parent, int id, char (&text)[QuizTextSize])
{
    readControlText(parent, id, text, QuizTextSize);
}
// Writes to a child that does not exist are ignored; a child that already
// shows the text is left alone.
void setControlText(HWND parent, int id, const char* text);

// The child with that identifier, or null. Look-ups are remembered, a
// missing child too: asking the window manager costs a round trip each time,
// and judging reads every verdict label again after each answer. Children of
// a parent that is searched must be made with createControl once a search
// has found them missing.
HWND findControl(HWND parent, int id);

// A child control; `guiFont` gives it the stock DEFAULT_GUI_FONT, else it
// keeps the window system's default font.
HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id, bool guiFont);
