// The builder's commands; each returns the process exit code and writes
// its problems to stderr, one line each.
#pragma once

#include "tools/builder/commands/command_line.h"
#include "tools/builder/output/class_results.h"

#include <optional>
#include <string>
#include <vector>

int runBuild(const CommandLine& line);
int runCheck(const CommandLine& line);
int runExtract(const CommandLine& line);
int runHtml(const CommandLine& line);
int runScorm(const CommandLine& line);
int runResults(const CommandLine& line);
int runPack(const CommandLine& line);
int runUnpack(const CommandLine& line);

// What `results` writes, and what the studio shows of it: the boxes' names,
// every file judged and the CSV table. Nothing when the command would
// fail; its problems are then printed.
struct ClassTable {
    std::vector<std::string> boxNames;
    std::vector<PupilResult> pupils;
    std::string csv;
};
std::optional<ClassTable> classTableOf(const CommandLine& line);
