// The scrolling board: a modeless child dialog (template 1001) holding every
// entry's controls, found by identifier alone. Its procedure only
// dispatches, to one file per concern.
#pragma once

#include "win32/platform.h"

constexpr int BoardTemplateId = 1001;

// lParam of the dialog's creation: the answers restored into its boxes
// (board/restored_answers.h), or null for none.
INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam);
