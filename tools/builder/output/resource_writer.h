// Writes a quiz into a copy of the player. The player's bytes are read, a
// new program image is made with the quiz's resources in place of any
// earlier quiz's (pe_resource_update.h), and the output appears only once
// it is complete: it is written beside its final name under a temporary one
// and then moved over it, so a failure leaves no half-written program. The
// player itself is never opened for writing.
#pragma once

#include "tools/builder/program/quiz_resources.h"

#include <string>
#include <vector>

// Empty when `output` was written; otherwise one line naming the file at
// fault and the reason. Quiz resources the player already carries ("PATCH"
// and "IMG" of an earlier quiz) are left out, so none survive from it; the
// player's own resources are kept byte for byte.
std::string writePlayerCopy(const std::string& player, const std::string& output,
                            const std::vector<QuizResource>& resources);
