// How close a typed text is to the stored answer, named by one of ten fixed
// Windows-1252 texts that the score and the board's colours read back.
#pragma once

#include <cstddef>

inline constexpr const char* verdictEmpty = "?";
inline constexpr const char* verdictRight = "BRAVO";
inline constexpr const char* verdictAnagram = "Anagramme";
inline constexpr const char* verdictOneOff = "Quasiment";
inline constexpr const char* verdictTwoOff = "Presque";
inline constexpr const char* verdictTooShort = "Trop court";
inline constexpr const char* verdictNotFar = "pas loin";
inline constexpr const char* verdictTooLong = "Trop long";
inline constexpr const char* verdictSimilar = "yade lid\xE9" "e";
inline constexpr const char* verdictWrong = "FAUX";

// Texts are read up to 259 bytes; anything beyond is not judged.
constexpr std::size_t verdictTextLimit = 259;

// Typed text is trimmed of spaces and folded; the stored answer is only
// folded. Returns one of the ten texts above.
const char* chooseVerdict(const char* stored, const char* typed);

// Text primitives, on zero-terminated texts of at most 259 bytes.
void trimSpaces(char* text);      // spaces (0x20) off both ends
void foldCase(char* text);        // a-z to A-Z, every other byte kept
void sortBytes(char* text);       // bytes in ascending order
int editDistance(const char* x, const char* y);
// 2 * sign when found, 0 when not, 1 * sign when the shorter text is empty;
// the sign is -1 when typed is the shorter (the needle). The scan never
// steps back, so it misses an occurrence overlapping a failed partial match.
int containmentScan(const char* stored, const char* typed);
