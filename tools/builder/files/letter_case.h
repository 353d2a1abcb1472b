// Descriptions written on Windows name their files in any letter case,
// which Windows' file system does not tell apart and Linux's does: the
// Linux builder looks for such a file as Windows would find it.
#pragma once

#include <string>

// The existing file whose path differs from `path` in the letter case of
// its parts only, each part looked up in its folder (ASCII letters and the
// accented letters of Latin-1 in UTF-8: "Img/Été.jpg" for "img/été.jpg");
// of several, the first in byte order. Empty when `path` exists as written
// or nothing matches, and always on Windows, which finds every spelling itself.
std::string pathInOtherCase(const std::string& path);

// Whether two names are the same but for letter case, as pathInOtherCase compares them.
bool sameNameButCase(const std::string& first, const std::string& second);
