// The colour a verdict label is filled with, told by its text exactly (a
// lower-case "bravo" is a hint): the player's board and the web page agree.
#pragma once

#include <cstdint>

// COLORREF layout 0x00BBGGRR.
inline constexpr uint32_t anagramColour = 0x000064FF;
inline constexpr uint32_t rightColour = 0x0000FF00;
inline constexpr uint32_t wrongColour = 0x000000FF;
inline constexpr uint32_t hintColour = 0x0026CBFF;
// "?" keeps the platform's default colours.
inline constexpr int64_t defaultLabelColour = -1;

int64_t verdictColourOf(const char* verdict);
