// Stored answers that players cannot match as they would expect. The
// player trims spaces from the typed text only and folds case for a to z
// only, so an answer with spaces at its ends, or with capitals outside A to
// Z, is never judged "BRAVO" for what a player naturally types.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <string>

// Warns about one stored answer (Windows-1252) at `where`.
void warnAboutAnswer(const std::string& answer, const Place& where, Diagnostics& diagnostics);
