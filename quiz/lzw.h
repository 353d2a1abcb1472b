// Variable-width LZW with in-band control codes: the packing of both stored
// payloads. Status codes are returned, never thrown. Each call hands its
// buffer (allocated with std::malloc) to the caller, who releases it with
// lzwFreeBuffer, on failure too; a set-up failure hands out nothing.
#pragma once

#include <cstdint>

constexpr int32_t lzwOk = 0;
constexpr int32_t lzwNoMemory = -4;     // a working buffer, string or the output could not be had
constexpr int32_t lzwNoInput = -5;      // empty input, or it ended inside the first code
constexpr int32_t lzwCannotWrite = -6;  // packing: a code could not be written (output full)
constexpr int32_t lzwBadStream = -7;    // unpacking: truncated or corrupt stream, or a limit broken

constexpr int32_t lzwMaxInput = 65536;       // input positions are 16 bits wide
constexpr int32_t lzwMaxUnpacked = 120000;   // room of the unpacked output
constexpr int32_t lzwMaxPacked = 80000;      // room of the packed output

// Reported length: unpacked bytes + 2.
int32_t lzwDecode(const uint8_t* packed, int32_t length, uint8_t** unpacked, int32_t* reportedLength);
// Reported length: packed bytes + 1.
int32_t lzwEncode(const uint8_t* input, int32_t length, uint8_t** packed, int32_t* reportedLength);
void lzwFreeBuffer(uint8_t* buffer);

// Figures of the current or most recent operation.
int32_t lzwInputSize();
int32_t lzwInputUsed();
int32_t lzwEncodeInputSize();
int32_t lzwEncodeOutputSize();
