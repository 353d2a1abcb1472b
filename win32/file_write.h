// Writing a whole file in one go, created afresh, without sharing.
#pragma once

#include "win32/platform.h"

// True only when every byte reached the disk: a failed or short write is
// reported, so nobody is handed a partial file.
bool writeWholeFile(const char* name, const void* bytes, DWORD size);

// The same, but only as a new file: a file of that name already there is
// left untouched and false returned. A partial new file is removed again.
bool writeNewFile(const char* name, const void* bytes, DWORD size);
