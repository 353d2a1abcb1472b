// One command line run from start to end, as quizbuild runs it and as the
// WebAssembly builder runs it for the studio: the help, the usage problem,
// or the command with its failures reported.
#pragma once

#include "tools/builder/commands/command_line.h"

#include <optional>

// Prints the help or the usage problem `line` asks for and gives the exit
// code; nothing when the command is to run.
std::optional<int> exitBeforeRunning(const CommandLine& line);

// Runs the line's command; running out of memory or another failure of the
// process is reported as bad input.
int runCommand(const CommandLine& line);
