// The builder's command line: a command, its files and options. Usage
// problems are told apart from bad input, since they exit with 2.
#pragma once

#include "tools/builder/input/message_catalogue.h"

#include <string>
#include <vector>

enum class Command { None, Build, Extract, Check, Html, Scorm, Results, Pack, Unpack };

struct CommandLine {
    Command command = Command::None;
    bool help = false;
    bool strict = false;
    bool csv = false;    // extract: the entries into a CSV file for spreadsheets
    bool fitPictures = false;  // build, html, scorm: pictures fitted to the board before writing
    bool records = false;  // check: every problem as a JSON record on standard output as well
    Language language = Language::English;  // of the problem lines
    bool languageGiven = false;             // --lang: the system's language is not asked
    std::string input;
    std::vector<std::string> answers;  // results: the answers files after the quiz
    std::string output;
    std::string player;  // empty: the player beside the builder
    std::string error;   // the usage problem; empty when the line is usable
};

// `arguments` without the program's own name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The help text of one command, or of the builder as a whole for None.
std::string usageText(Command command);

// How to ask for help after a usage problem: "Try 'quizbuild build --help'."
std::string helpHint(Command command);

constexpr int exitSuccess = 0;
constexpr int exitBadInput = 1;
constexpr int exitUsage = 2;
