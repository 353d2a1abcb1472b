// What reading one file gave: its bytes, or why there are none. Media files
// are sized and read through functions of these shapes, so the checks
// around them do not depend on how the platform opens files.
#pragma once

#include "tools/builder/files/file_facts.h"

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

// What the file system says about a media file named as the description
// names it, asked before any media file is read.
using MediaFileFacts = std::function<FileFacts(const std::string& path)>;

struct MediaAccess {
    MediaFileFacts factsOf;
    MediaFileReader read;
};
