// The program's own resources, read only where they lie whole inside the
// program: a resource directory may claim bytes the image does not map or
// the file does not have, and touching them would end the process.
#pragma once

#include "shell/platform.h"

#include <cstdint>

struct OwnResource {
    bool found;            // the directory names it
    bool whole;            // its bytes are all there; `bytes` is null otherwise
    const uint8_t* bytes;
    DWORD size;
};

OwnResource findOwnResource(const char* type, int id);
