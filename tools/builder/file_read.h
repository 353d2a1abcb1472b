// What reading one file gave: its bytes, or why there are none. Media files
// are read through a function of this shape, so the checks around them do
// not depend on how the platform opens files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FileRead {
    std::vector<uint8_t> bytes;
    std::string problem;  // empty when the file was read
};

// Reads a media file named as the description names it (UTF-8, relative to
// the description's folder).
using MediaFileReader = std::function<FileRead(const std::string& path)>;
