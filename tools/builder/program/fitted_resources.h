// A build's pictures fitted to the board as they are read (--fit-pictures):
// the entries' pictures of a picture quiz and every reveal picture, each
// through fitPicture, before their format is checked, so a PNG the player
// cannot show is stored as the JPEG it becomes. A picture that cannot be
// fitted is stored as it is, with a warning naming it.
#pragma once

#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/message_catalogue.h"

#include <cstdint>
#include <string>
#include <vector>

struct FittingSummary {
    std::size_t fitted = 0;
    uint64_t before = 0, after = 0;  // bytes of the fitted pictures, as read and as stored
};

// Replaces `bytes` by the fitted picture when it is fitted, and counts it.
// `path` and `where` name the file in a warning.
void fitMediaPicture(const std::string& path, const Place& where, std::vector<uint8_t>& bytes,
                     FittingSummary& summary, Diagnostics& diagnostics);

// "8 pictures fitted: 31.0 MiB -> 0.4 MiB", "8 images réduites : 31,0 Mo → 0,4 Mo"
std::string fittingLine(const FittingSummary& summary, Language language);
