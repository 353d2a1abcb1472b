// quizbuild.exe opened from Explorer gets a console window of its own,
// which Windows closes as soon as the program ends: the author would see
// its help or its messages flash by. Windows programs only.
#pragma once

// Whether no other program (a command prompt) shares this console, and
// the program reads and writes it.
bool consoleIsOwn();

// Asks for a key and waits for it, so the window stays open to be read.
void waitForKeyBeforeClosing();
