// What the file system says about a path before anything is read from it:
// what the path names, how large it is, and which file it is, so that two
// spellings of one file (a relative and a full path, other letter cases, a
// link) are known to be one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileKind { Missing, File, Folder, Device, Unknown };

struct FileFacts {
    FileKind kind = FileKind::Missing;
    uint64_t size = 0;        // bytes, for a file
    bool identified = false;  // whether `volume` and `index` name the file
    uint64_t volume = 0;      // the volume's serial number
    uint64_t index = 0;       // the file's number on its volume
    // For Unknown, why nothing is known: "cannot be opened, access denied
    // (Windows error 5)"; for a Device its name does not tell, what it is.
    std::string problem;
};

// Empty for a file; otherwise what is wrong with the path as an input
// file, in words for the author: "not found", "a folder, not a file", ...
std::string inputFileProblem(const FileFacts& facts);

// Whether the last part of `path` is a name Windows keeps for a device
// (NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to LPT9), with any extension and
// in any case: "nul.json" and "Con.exe" name devices, not files.
bool isDeviceName(const std::string& path);

// Whether both facts name one and the same file.
bool sameFile(const FileFacts& first, const FileFacts& second);

// The file system's answers about a path, without reading the file
// (win32_file_facts.cpp and posix_file_facts.cpp).
FileFacts fileFactsOf(const std::string& path);

// At most `count` bytes from the start of the file; empty `problem` when
// they were read (fewer when the file is shorter).
struct FileStart {
    std::vector<uint8_t> bytes;
    std::string problem;
};
FileStart readFileStart(const std::string& path, std::size_t count);
