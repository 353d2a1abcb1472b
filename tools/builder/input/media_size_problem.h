// Whether one media file's size is within what the player can load, in the
// builder's words: the check that sizes media before reading them, and the
// studio, which asks before it reads a file that size into memory.
#pragma once

#include "tools/builder/files/file_facts.h"
#include "tools/builder/input/message_catalogue.h"

#include <cstdint>
#include <string>

// Why the media file cannot be stored: what inputFileProblem says of it,
// or its size over the player's limit. Empty when it may be read.
std::string mediaFileProblem(const FileFacts& facts);
Message mediaFileFault(const FileFacts& facts);

// The refusal of a media file of `size` bytes, or "" when it fits.
std::string mediaSizeProblem(uint64_t size);
