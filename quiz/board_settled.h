// The board's "settled" signal: pictures are decoded and placed after the
// board first shows, so whoever reads the board's controls or pixels from
// outside (tests, measurements) waits until the main window carries this
// property. It is set once every entry's picture is in place (or known to
// be missing or undecodable) and judging has run on the restored answers;
// boards without pictures carry it from the start.
#pragma once

inline constexpr const char* BoardSettledProperty = "QuizzBoardSettled";
