// The files a quiz description names, found beside it: the description
// itself, its CSV file of entries, its media and web clips, each sized
// before it is read. A name not found as written but in another letter
// case is taken as Windows would take it, with a warning.
#pragma once

#include "tools/builder/files/file_read.h"
#include "tools/builder/input/csv_entries.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/quiz_description.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

FileRead readDescription(const std::string& path);
MediaAccess mediaBeside(const std::string& folder);
void respellMissingMedia(QuizDescription& description, const std::string& folder, Diagnostics& diagnostics);
EntriesFileReader entriesBeside(const std::string& folder, Diagnostics& diagnostics);

// A video entry's clip for the web page (browsers do not play the player's
// AVI clips), with where the description names it (for its problems).
struct WebClip {
    std::vector<uint8_t> bytes;
    Place where;
};

// The web clips the description names, by entry number.
std::map<int, WebClip> webClipsOf(const std::string& descriptionPath, const QuizDescription& description,
                                  Diagnostics& diagnostics);
