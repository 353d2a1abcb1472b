// The file system's answers about a path through the ANSI Windows calls,
// without reading the file: its kind, size and identity, and its first bytes.
#pragma once

#include "tools/builder/file_facts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

FileFacts fileFactsOf(const std::string& path);

// At most `count` bytes from the start of the file; empty `problem` when
// they were read (fewer when the file is shorter).
struct FileStart {
    std::vector<uint8_t> bytes;
    std::string problem;
};
FileStart readFileStart(const std::string& path, std::size_t count);
