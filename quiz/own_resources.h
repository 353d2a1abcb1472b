// The program's own resources, read only where they lie whole inside the
// program: a resource directory may claim bytes the image does not map or
// the file does not have, and touching them would end the process. The
// player's Win32 layer provides them (win32/own_resources.cpp).
#pragma once

#include <cstdint>
#include <vector>

struct OwnResource {
    bool found;            // the directory names it
    bool whole;            // its bytes are all there; `bytes` is null otherwise
    const uint8_t* bytes;
    uint32_t size;
    uint64_t fileOffset;  // where the bytes lie in the program's file, when whole
};

OwnResource findOwnResource(const char* type, int id);

// A whole resource's first `most` bytes (all of them by default) read from
// the program's file into `into`, which takes their size: the pages a
// reader touches in the mapped image, and the system maps a few around
// each, stay in the process's memory for as long as it runs, a buffer of
// the reader's goes when it is done. False, with `into` unchanged, when the
// file cannot be read; the mapped bytes are still there.
bool readOwnResource(const OwnResource& resource, std::vector<uint8_t>& into, uint32_t most = 0xFFFFFFFF);
