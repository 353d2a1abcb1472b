// What a school platform keeps of the board between sessions, in SCORM
// 1.2's cmi.suspend_data (at most 4,096 characters): the answers file's
// lines of the first boxes, packed with the quiz codec and written in
// base64 after a format mark. A board whose packed answers do not all fit
// keeps as many first boxes as fit; the page keeps the rest itself.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t SuspendDataLimit = 4096;

struct SuspendData {
    std::string text;  // ASCII, at most SuspendDataLimit characters
    int boxes = 0;     // how many boxes, from the first, it holds
};

// `boxTexts` are the boxes' Windows-1252 texts by rank, first box first.
SuspendData suspendDataOf(const std::vector<std::string>& boxTexts);

// The box texts the data holds, first box first; nothing when the text is
// not such data (another program's, or damaged).
std::optional<std::vector<std::string>> boxTextsOfSuspendData(std::string_view text);
