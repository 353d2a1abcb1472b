// A command never writes its output over one of its inputs: the quiz
// description, a media file or the player. Paths are compared once the
// system has made them whole, letter case aside; and where the output
// exists already, by file identity too, so other spellings of one file (a
// link, a short name) are caught as well.
#pragma once

#include "tools/builder/files/file_facts.h"

#include <string>
#include <vector>

// One file a command reads, and how it is named in messages.
struct InputFile {
    std::string role;       // "the quiz description", "the file of entry 2, media (\"img/2.jpg\")"
    bool player;            // the player, which is never changed
    std::string path;       // as the author named it
    std::string fullPath;   // as the system resolves it
    FileFacts facts;
};

// One file a command writes.
struct OutputFile {
    std::string path;
    std::string fullPath;
    FileFacts facts;
};

// Whether two whole paths name one place: letters compared without case (as
// Windows does for a to z), "/" and "\" alike.
bool samePath(const std::string& first, const std::string& second);

// Empty when `output` is none of `inputs`; otherwise one line naming the
// output and the input it is, e.g. "quiz.json: is the quiz description
// itself, which the output would replace; name another output".
std::string outputProblem(const OutputFile& output, const std::vector<InputFile>& inputs);
