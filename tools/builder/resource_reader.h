// Reads the quiz resources of a program without running it: the program is
// mapped as data, so none of its code runs and nothing it carries is shown.
#pragma once

#include "tools/builder/extraction.h"

#include <string>

// Empty `problem` when the program could be opened; missing resources are
// simply absent from the result.
StoredQuiz readStoredQuiz(const std::string& program, std::string& problem);
