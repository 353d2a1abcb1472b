// Runs a console program and keeps what it printed, stdout and stderr
// apart, with its exit code, as a shell user would see them.
#pragma once

#include "win32/platform.h"

#include <string>

struct ProcessOutput {
    bool finished = false;
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

// The program's output goes to two files in `folder`'s parent (so the
// folder's own listing is what the program left), read after it ends; no
// pipe can fill up and stall it.
ProcessOutput runCapturingOutput(const std::string& commandLine, const std::string& folder, DWORD timeoutMs);
