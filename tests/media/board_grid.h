// The board's identifiers and grid as the tests expect them, written out
// here rather than taken from the player's own code, so that a wrong
// number in the player shows as a failure instead of moving the test along.
#pragma once

// Controls by entry number i (1-based) and answer box by rank k.
constexpr int numberLabelId = 153;
constexpr int headingLabelId = 156;
constexpr int answerBoxId(int rank)
{
    return 4000 + rank;
}
constexpr int verdictLabelId(int rank)
{
    return 5000 + rank;
}
constexpr int playButtonId(int entry)
{
    return 6000 + entry;
}
constexpr int stopButtonId(int entry)
{
    return 7000 + entry;
}
constexpr int explanationLabelId(int entry)
{
    return 8000 + entry;
}
constexpr int pictureControlId(int entry)
{
    return 9000 + entry;
}
constexpr int videoFrameId(int entry)
{
    return 9900 + entry;
}
// Media resources "IMG": the entry's picture, sound or clip, and its answer picture.
constexpr int mediaResourceId(int entry)
{
    return 400 + entry;
}
constexpr int answerPictureResourceId(int entry)
{
    return 10400 + entry;
}
constexpr int mostEntries = 90;

// Three entries to a row; with two answers per entry the grid stands 90
// pixels further right, and rows stand 360 instead of 330 pixels apart
// when an answer text is revealed under the picture.
constexpr int columnX(int entry, int answersPerEntry)
{
    return (entry - 1) % 3 * 290 + (answersPerEntry == 2 ? 90 : 0);
}
constexpr int rowBaseY(int entry, bool answerTexts = false)
{
    return (entry - 1) / 3 * (answerTexts ? 360 : 330) + 280;
}
constexpr int soundRowY(int entry)
{
    return (entry - 1) / 3 * 80 + 20;
}
