// What only the POSIX file layer needs beyond files.h.
#pragma once

#include <string>

// "permission denied (errno 13)"
std::string errnoText(int code);
