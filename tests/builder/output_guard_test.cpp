#include "tools/builder/commands/output_guard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

FileFacts fileNumbered(uint64_t index)
{
    FileFacts facts;
    facts.kind = FileKind::File;
    facts.identified = true;
    facts.volume = 0x1234;
    facts.index = index;
    return facts;
}

const std::vector<InputFile> inputs = {
    {"the quiz description", false, "q.json", "C:\\Quiz\\q.json", fileNumbered(1)},
    {"the file of entry 2, media (\"img/2.jpg\")", false, "img/2.jpg", "C:\\Quiz\\img\\2.jpg", fileNumbered(2)},
    {"the player", true, "quizz.exe", "C:\\Tools\\quizz.exe", fileNumbered(3)},
};

TEST(OutputGuard, TheOutputIsNoInput)
{
    struct Row {
        const char* name;
        OutputFile output;
        std::string problem;
    };
    const Row rows[] = {
        {"another file", {"out.exe", "C:\\Quiz\\out.exe", fileNumbered(9)}, ""},
        {"a new file", {"out.exe", "C:\\Quiz\\out.exe", FileFacts{}}, ""},
        {"the description by its path", {"q.json", "C:\\Quiz\\q.json", fileNumbered(1)},
         "q.json: is the quiz description itself, which the output would replace; name another output"},
        {"the description in capitals, not yet identified", {"Q.JSON", "c:\\quiz\\Q.JSON", FileFacts{}},
         "Q.JSON: is the quiz description itself, which the output would replace; name another output"},
        {"the description with forward slashes", {"C:/Quiz/q.json", "C:/Quiz/q.json", FileFacts{}},
         "C:/Quiz/q.json: is the quiz description itself, which the output would replace; name another output"},
        {"a media file through a link", {"link.jpg", "C:\\Quiz\\link.jpg", fileNumbered(2)},
         "link.jpg: is the file of entry 2, media (\"img/2.jpg\") itself, which the output would replace; name "
         "another output"},
        {"the player by a short name", {"QUIZZ~1.EXE", "C:\\Tools\\QUIZZ~1.EXE", fileNumbered(3)},
         "QUIZZ~1.EXE: is the player itself; the player is never changed, name another output"},
        {"same index on another volume", {"d.json", "D:\\q.json", [] {
              FileFacts facts = fileNumbered(1);
              facts.volume = 0x9999;
              return facts;
          }()},
         ""},
        {"a longer path that starts alike", {"q.json.exe", "C:\\Quiz\\q.json.exe", FileFacts{}}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(outputProblem(row.output, inputs), row.problem) << row.name;
}

TEST(OutputGuard, PathsComparedAsWindowsDoes)
{
    struct Row {
        const char* first;
        const char* second;
        bool same;
    };
    const Row rows[] = {
        {"C:\\a\\b.exe", "c:\\A\\B.EXE", true},  {"C:\\a\\b.exe", "C:/a/b.exe", true},
        {"C:\\a\\b.exe", "C:\\a\\b.ex", false},  {"C:\\a\\b.exe", "C:\\a\\c.exe", false},
        {"", "", false},                         {"C:\\\xC9t\xE9", "C:\\\xE9t\xE9", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(samePath(row.first, row.second), row.same) << row.first << " " << row.second;
}

}  // namespace
