// Every file the builder reads is sized before it is read, against the
// largest it takes of its kind.
#pragma once

#include "tools/builder/files/file_facts.h"
#include "tools/builder/input/message_catalogue.h"

#include <cstdint>
#include <string>

// Why the file cannot be read as an input: what inputFileProblem says, or
// its size over `largest` ("5 bytes (...), at most 4 bytes (...) for a quiz
// description", `what` ending the line). Empty when it may be read.
// The file layer's words as a message: "not found" is the author's to mend.
Message fileReadFault(const std::string& problem);

Message inputSizeFault(const FileFacts& facts, uint64_t largest, const std::string& what);
std::string inputSizeProblem(const FileFacts& facts, uint64_t largest, const std::string& what);
