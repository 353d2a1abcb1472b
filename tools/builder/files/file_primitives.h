// The few file operations each platform supplies (win32_files.cpp and
// posix_files.cpp). files.cpp builds the whole-file reads and writes and the
// replacement of a built program on them, so both builders run one set of
// loops and tell one set of messages. Each returns an empty string when it
// succeeded, else what the system said: "permission denied (errno 13)",
// "access denied (Windows error 5)".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using NativeFile = std::intptr_t;
inline constexpr NativeFile NoFile = -1;  // INVALID_HANDLE_VALUE's value too

// Opens an existing file to read; `missing` says that it or its folder does not exist.
std::string openToRead(const std::string& path, NativeFile& file, bool& missing);

// Creates a file to write, or empties the one there.
std::string createToWrite(const std::string& path, NativeFile& file);

// Creates a new file under a name of its own in `path`'s folder, readable as
// any file made there; `made` is its path. Nothing is left on failure.
std::string createBeside(const std::string& path, std::string& made, NativeFile& file);

// The open file's size; a pipe, socket or device is refused.
std::string sizeOfOpenFile(NativeFile file, uint64_t& size);

// Reads at most `count` bytes; `got` is 0 at the end of the file.
std::string readSome(NativeFile file, uint8_t* bytes, std::size_t count, std::size_t& got);

// Writes at most `count` bytes: at least one, or it fails.
std::string writeSome(NativeFile file, const uint8_t* bytes, std::size_t count, std::size_t& written);

// Waits until what was written is on the disk.
std::string flushToDisk(NativeFile file);

// Closes the file; a write the system had deferred may fail here.
std::string closeFile(NativeFile file);

// Moves `from` over `to` in one step, the move itself written through.
std::string moveOver(const std::string& from, const std::string& to);

void deleteFile(const std::string& path);
