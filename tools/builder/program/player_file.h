// The player a build writes its quiz into: the one named, or the first of
// the usual places that holds one, and only if it is a Windows program.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <string>

// Empty, with the error added, when no player can serve.
std::string playerToUse(const std::string& named, Diagnostics& diagnostics);
