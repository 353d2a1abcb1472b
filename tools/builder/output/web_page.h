// The quiz as one self-contained web page: the player's payloads and media
// inside, judged by the player's own core compiled to WebAssembly.
#pragma once

#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/quiz_files.h"
#include "tools/builder/program/stored_quiz.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Where the page's answers are kept and saved: the answers file named as
// the player of `programName` names it ("quiz.exe" gives "quiz.txt").
std::string pageAnswersFileName(const std::string& programName);

// The page's HTML, or nothing with the problems added: a damaged payload, a
// media item missing or of a type the page cannot show, a video entry
// without a web clip. With `platform`, the page looks for a school
// platform's SCORM 1.2 API and gives it the pupil's results.
std::string webPageOf(const StoredQuiz& stored, const std::map<int, WebClip>& webClips,
                      const std::string& answersFileName, Diagnostics& diagnostics, bool platform = false);

// The page's Content-Security-Policy: nothing from the network, only the
// page's own script and style, media from data: and blob: alone.
std::string pagePolicy();
