// The resources a player copy receives for one quiz: "PATCH" 104 (the quiz
// payload) and "PATCH" 105 (the codes payload), both packed, "PATCH" 106
// (the link's bytes) when the quiz has a link, then "IMG" 400 + i for entry
// i's media and "IMG" 10400 + i for its answer picture.
#pragma once

#include "quiz/quiz.h"
#include "quiz/resource_ids.h"
#include "tools/builder/files/file_read.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/program/fitted_resources.h"

#include <cstdint>
#include <string>
#include <vector>

struct QuizResource {
    std::string type;
    int id;
    std::vector<uint8_t> bytes;
};

// A media file the description names, in board order.
struct MediaFileUse {
    std::string path;   // as the description names it
    int id;             // its "IMG" resource
    MediaUse use;
    Place where;        // "entry 3, media"
};

// Every media file the description names, each time it names one.
std::vector<MediaFileUse> mediaFilesOf(const QuizDescription& description);

// The record the player would load from this description.
void fillQuiz(const QuizDescription& description, Quiz& quiz);

// Sizes every media file from the file system first and reads none unless
// they are files within the player's limits (media_limits.h); then reads
// and checks each one, even when the description has errors, so one run
// reports all problems. Assembles and packs the payloads only for a
// description without errors. Checks the codec's limits: 65536 bytes
// before packing, and at most 65536 packed bytes, all the player unpacks.
// With `fitting`, every picture is fitted as it is read and counted there.
std::vector<QuizResource> planQuizResources(const QuizDescription& description, const MediaAccess& media,
                                            Diagnostics& diagnostics, FittingSummary* fitting = nullptr);
