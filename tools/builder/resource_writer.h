// Writes a quiz into a copy of the player. The output appears only once it
// is complete: the copy is made and updated beside it under a temporary
// name and then moved over it, so a failure leaves no half-written program,
// and the player itself is never opened for writing.
#pragma once

#include "tools/builder/quiz_resources.h"

#include <string>
#include <vector>

// Empty when `output` was written; otherwise one line naming the file at
// fault and the reason. Quiz resources the player already carries ("PATCH"
// and "IMG" of an earlier quiz) are left out, so none survive from it.
std::string writePlayerCopy(const std::string& player, const std::string& output,
                            const std::vector<QuizResource>& resources);
