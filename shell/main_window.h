// The main window: a fixed header (score, code, title, description, author,
// link), the board below it and a version label in its corner.
#pragma once

#include "win32/platform.h"

inline constexpr const char* MainWindowClass = "WindowsApp";
constexpr int MainWindowWidth = 870;
constexpr int MainWindowHeight = 650;
constexpr int HandCursorId = 1003;
// The header's controls. The score and code displays, which the board
// writes, are board/score_display.h's ScoreDisplayId and CodeDisplayId.
constexpr int ScoreFrameId = 1;   // the bordered frames: around the score,
constexpr int CodeFrameId = 2;    // around the code,
constexpr int TitleFrameId = 3;   // around the title and description,
constexpr int AuthorFrameId = 4;  // around the link and the author
constexpr int CodeCaptionId = 151;
// The title, description, author and its caption share the score
// display's number; looked up by number, the score display comes first.
constexpr int HeaderTextId = 150;
constexpr int LinkLabelId = 154;
constexpr int VersionLabelId = 8000;

// The build's address for quizzes that give none; empty by default.
#ifndef QUIZ_PUBLISHER_URL
#define QUIZ_PUBLISHER_URL ""
#endif
inline constexpr const char* publisherAddress = QUIZ_PUBLISHER_URL;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// header.cpp
void createHeader(HWND window);
HWND createLabel(HWND parent, const char* text, int x, int y, int width, int height, int id);
void makeLinkLook(HWND label);
// What the header's link shows and opens: the quiz's own link, else the
// build's address; empty when neither is set, and the link does nothing.
const char* linkAddress();

// Moves a window to the middle of a reference window, keeping its size.
void centreWindow(HWND window, HWND reference);
