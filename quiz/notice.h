// The one way the core tells the user something: a message box without an
// owner and with a single OK button on Windows, a line on stderr elsewhere.
#pragma once

void showNotice(const char* text, const char* caption);
