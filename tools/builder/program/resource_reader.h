// Reads the quiz resources of a program without running it: the program's
// file is read as bytes and its resource tree walked (pe_resources.h), so
// none of its code runs, on any platform.
#pragma once

#include "tools/builder/program/stored_quiz.h"

#include <string>

// Empty `problem` when the program could be read; missing resources are
// simply absent from the result. A problem is the reason alone, without
// the file's name: "not found", "IMG 401: data at RVA ... runs past ...".
StoredQuiz readStoredQuiz(const std::string& program, std::string& problem);
