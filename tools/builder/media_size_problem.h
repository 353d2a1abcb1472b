// Whether one media file's size is within what the player can load, in the
// builder's words: the check that sizes media before reading them, and the
// studio, which asks before it reads a file that size into memory.
#pragma once

#include <cstdint>
#include <string>

// The refusal of a media file of `size` bytes, or "" when it fits.
std::string mediaSizeProblem(uint64_t size);
