// The file layer of the builder compiled to WebAssembly: no file system,
// only files held in memory under their paths, which the page around the
// builder puts in before a command (the description, its CSV and media, the
// player) and takes out after it (what the command wrote).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Puts a file under `path`, replacing any file there; its folders exist from then on.
void putMemoryFile(const std::string& path, std::vector<uint8_t> bytes);

// The file under `path`, or null.
const std::vector<uint8_t>* memoryFile(const std::string& path);

void removeMemoryFile(const std::string& path);

// Every file and folder goes; a new session starts empty.
void clearMemoryFiles();

// The paths the builder wrote since the last call, in byte order, each once;
// a file written and then deleted (a temporary copy) is not among them.
std::vector<std::string> takeWrittenMemoryFiles();

// `path` as the store keys it: "./a/../b.json" and "b.json" are one file.
std::string memoryPathKey(const std::string& path);

// Whether `path` is a folder: made by the builder, or holding a file.
bool isMemoryFolder(const std::string& path);

// A number that stays with the file under `path` until it is replaced; 0 when there is none.
uint64_t memoryFileNumber(const std::string& path);

// Every file path, in byte order.
std::vector<std::string> memoryFilePaths();
