// Whether a resource of a running program lies whole inside what the
// program really holds. Its resource directory may claim more bytes than the
// image maps or the file on disk has (a damaged or cut program), and reading
// past either ends the process; the loader checks before it reads.
#pragma once

#include <cstddef>
#include <cstdint>

// `headers` are the first `headerBytes` bytes of the loaded image (its DOS
// and PE headers and section table, as mapped); `fileSize` the size of the
// program's file. True when the `size` bytes at relative address `rva` lie
// inside the image and inside one section's data as read from the file;
// `fileOffset`, when given, then receives where those bytes start in the file.
bool residentBytesAreWhole(const uint8_t* headers, std::size_t headerBytes, uint64_t fileSize, uint64_t rva,
                           uint64_t size, uint64_t* fileOffset = nullptr);
