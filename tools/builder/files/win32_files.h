// What only the Windows file layer needs beyond files.h.
#pragma once

#include <string>

// "access denied (Windows error 5)"
std::string windowsErrorText(unsigned long code);
