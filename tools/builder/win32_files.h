// Files through the ANSI Windows calls. Paths from the command line are in
// the system's code page; paths written in a description are UTF-8 and are
// converted before use.
#pragma once

#include "tools/builder/file_read.h"

#include <cstdint>
#include <string>
#include <vector>

FileRead readFileBytes(const std::string& path);

// Empty when written, else the reason.
std::string writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

bool fileExists(const std::string& path);

// Creates the folder unless it exists; empty when it is there, else the reason.
std::string makeFolder(const std::string& path);

// A description's media file: `utf8Path` relative to `folder` unless absolute.
FileRead readMediaFile(const std::string& folder, const std::string& utf8Path);

// The path readMediaFile opens; empty when the name has no form in the
// system's code page (unwritableMediaName says so).
std::string mediaFilePath(const std::string& folder, const std::string& utf8Path);
inline constexpr const char* unwritableMediaName =
    "the name cannot be written in this system's code page; rename the file";

std::string folderOf(const std::string& path);  // "" for a bare file name
std::string joinPath(const std::string& folder, const std::string& name);
std::string fullPathOf(const std::string& path);
std::string programFolder();

// "access denied (Windows error 5)"
std::string windowsErrorText(unsigned long code);
