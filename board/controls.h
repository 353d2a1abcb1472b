// One helper per awkward control call, used everywhere instead of inline calls.
#pragma once

#include "quiz/quiz.h"
#include "shell/platform.h"

// A child's text, at most 259 characters; empty when the child does not exist.
void readControlText(HWND parent, int id, char (&text)[QuizTextSize]);
// Writes to a child that does not exist are ignored; a child that already
// shows the text is left alone.
void setControlText(HWND parent, int id, const char* text);

// A child control; `guiFont` gives it the stock DEFAULT_GUI_FONT, else it
// keeps the window system's default font.
HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id, bool guiFont);
