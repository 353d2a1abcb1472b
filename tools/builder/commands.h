// The builder's commands; each returns the process exit code and writes
// its problems to stderr, one line each.
#pragma once

#include "tools/builder/command_line.h"

int runBuild(const CommandLine& line);
int runCheck(const CommandLine& line);
int runExtract(const CommandLine& line);
int runHtml(const CommandLine& line);
int runPack(const CommandLine& line);
int runUnpack(const CommandLine& line);
