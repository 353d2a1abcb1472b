// Files as the builder's commands use them, the same on every platform:
// whole-file reads and writes, folders, paths, the atomic replacement of a
// built program, and where the default player lives. The reads and writes
// are files.cpp's, over each platform's primitives (file_primitives.h); paths
// are the platform's: ANSI Windows calls in win32_files.cpp (paths from the
// command line are in the system's code page; paths written in a
// description are UTF-8 and are converted), POSIX calls in posix_files.cpp
// (paths are bytes, as Linux has them).
#pragma once

#include "tools/builder/files/file_read.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Files larger than this are refused: no player or media item comes near
// it, and the whole quiz must fit in a 32-bit process while it is built.
constexpr uint64_t LargestFile = 512ull * 1024 * 1024;

FileRead readFileBytes(const std::string& path);

// Empty when written, else the reason.
std::string writeFileBytes(const std::string& path, std::span<const uint8_t> bytes);

// Writes `bytes` under a temporary name in `path`'s folder, flushes it to
// the disk, closes it and only then moves it over `path` (written through),
// so `path` is either as it was or complete; the temporary file is removed
// on every failure. Empty when done, else the
// reason: "no file can be made in its folder, ..." or "cannot be replaced, ...".
std::string replaceFileBytes(const std::string& path, std::span<const uint8_t> bytes);

bool fileExists(const std::string& path);

// Whether two paths name the same file (the second may not exist yet).
bool sameFile(const std::string& existing, const std::string& other);

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
std::string fullPathOf(const std::string& path);  // as the system resolves it

// Where `build` looks for the player when --player names none, in order.
std::vector<std::string> defaultPlayerPaths();

// Standard output and error pass bytes through unchanged, lines ending in LF.
void useBinaryStandardStreams();
