// How much media a quiz may carry: what the 32-bit player can load. The
// player's program is mapped whole into its 2 GB of address space, media
// included, and a picture is copied once more while it is decoded;
// docs/measurements.md ("Media sizes") tells how these figures were chosen.
#pragma once

#include <cstdint>

inline constexpr uint64_t MaxMediaFileBytes = uint64_t(128) << 20;   // one media file: 128 MiB
inline constexpr uint64_t MaxMediaTotalBytes = uint64_t(1) << 30;    // every media item of a quiz together: 1 GiB
