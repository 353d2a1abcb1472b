// Picture, sound and video quizzes for the media tests, described as their
// authors describe them and turned into real quiz programs by the quiz
// builder, with the test media made at build time.
#pragma once

#include <string>
#include <vector>

class PlayerRun;

// Texts are Windows-1252 bytes, as the player shows them; media are file
// names in the test media folder.
struct MediaEntry {
    std::vector<std::string> answers;
    std::string media;
    std::string revealPicture;  // with reveal "picture"
    std::string revealText;     // with reveal "text"
};

struct MediaQuiz {
    std::string kind;  // "text", "picture", "sound" or "video"
    int answersPerEntry = 1;
    std::string reveal = "none";  // "none", "picture" or "text"
    std::string title = "Images, sons et vid\xE9os";
    std::string author = "Ana Lune";
    std::string description = "Trouvez la r\xE9ponse \xE0 chaque question";
    std::string firstAnswerLabel = "Pays";
    std::string secondAnswerLabel = "Fleuve";
    std::string boardColour = "#D8E4F0";
    std::vector<MediaEntry> entries;
    bool fitPictures = false;  // built with quizbuild's --fit-pictures
};

// The media the tests are made with, beside this test program.
std::string mediaFixture(const std::string& name);
std::string mediaFixtureBytes(const std::string& name);

// Builds `quiz` into folder\exeName with the quiz builder and the player
// beside this program; the program's path, or empty with the builder's
// own words in `problems`.
std::string buildMediaQuiz(const MediaQuiz& quiz, const std::string& folder, std::string& problems,
                           const std::string& exeName = "quiz.exe");

// Rewrites a built quiz program without some of its media resources ("IMG"
// 400 + i or 10400 + i), as if its author had never stored them. The
// builder stores every entry's media, so this is the only way to a quiz
// program that lacks one.
bool withoutMediaResources(const std::string& program, const std::vector<int>& resourceIds);

// Every entry's answers are "rep<i>" (and "deux<i>"); media cycle
// through `media`.
MediaQuiz mediaQuiz(const std::string& kind, int entries, const std::vector<std::string>& media,
                    int answersPerEntry = 1);

// Builds `quiz` in a fresh folder named after `folderName`, removes the
// media resources `dropped` and starts the player there: the folder, or
// empty with what went wrong in `problem`.
std::string startMediaQuiz(const MediaQuiz& quiz, const std::string& folderName, const std::vector<int>& dropped,
                           PlayerRun& run, std::string& problem);
