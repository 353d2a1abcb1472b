// The writer on the real players of both Windows build trees (i686 and
// x86_64): a full quiz's resources written and read back byte for byte,
// the player's own resources untouched, a second quiz built on the first
// leaving nothing of it; and writePlayerCopy / readStoredQuiz through the
// native file layer: atomic output, no temporary file left on any failure.
#include "tests/builder/pe_checks.h"
#include "tools/builder/files/files.h"
#include "tools/builder/output/resource_writer.h"
#include "tools/builder/program/pe_resource_update.h"
#include "tools/builder/program/resource_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

// The players of the Windows build trees, built before this tree.
const char* const playerPaths[] = {QUIZ_WIN32_PLAYER, QUIZ_WIN64_PLAYER};

Bytes bytesOfText(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes playerBytes(const char* path)
{
    FileRead read = readFileBytes(path);
    EXPECT_EQ(read.problem, "") << path << " (run 'make build' first)";
    return read.bytes;
}

// Bytes that differ from one item to the next and in length.
Bytes itemBytes(int seed, std::size_t size)
{
    Bytes bytes(size);
    uint32_t state = 2166136261u ^ static_cast<uint32_t>(seed);
    for (uint8_t& byte : bytes) {
        state = state * 16777619u + 12345u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

// A full quiz: both payloads, 90 media items and 90 answer pictures.
std::vector<QuizResource> fullQuiz(int seed)
{
    // Both payloads, the link, then every media item.
    std::vector<QuizResource> quiz = {{"PATCH", 104, itemBytes(seed, 3001)}, {"PATCH", 105, itemBytes(seed + 1, 77)},
                                      {"PATCH", 106, itemBytes(seed + 2, 40)}};
    for (int entry = 1; entry <= 90; ++entry) {
        quiz.push_back({"IMG", 400 + entry, itemBytes(seed + entry, 100 + 37 * std::size_t(entry))});
        quiz.push_back({"IMG", 10400 + entry, itemBytes(seed - entry, 1 + std::size_t(entry) % 9)});
    }
    return quiz;
}

std::vector<NewResource> asNew(const std::vector<QuizResource>& quiz)
{
    std::vector<NewResource> added;
    for (const QuizResource& item : quiz)
        added.push_back({item.type, static_cast<uint16_t>(item.id), item.bytes});
    return added;
}

std::map<std::string, std::string> withoutQuiz(std::map<std::string, std::string> resources)
{
    std::erase_if(resources, [](const auto& item) { return item.first.starts_with("PATCH ") || item.first.starts_with("IMG "); });
    return resources;
}

TEST(PlayerImage, TheLinkersChecksumIsTheOneComputed)
{
    for (const char* path : playerPaths) {
        Bytes player = playerBytes(path);
        PeParse parse = parsePeImage(player);
        ASSERT_EQ(parse.problem, "") << path;
        ASSERT_NE(parse.image.checkSum, 0u) << path;
        EXPECT_EQ(peCheckSum(player, parse.image.optionalHeaderOffset + CheckSumField), parse.image.checkSum) << path;
    }
}

TEST(PlayerImage, AFullQuizComesBackAndThePlayersOwnResourcesStay)
{
    for (const char* path : playerPaths) {
        Bytes player = playerBytes(path);
        std::map<std::string, std::string> own = resourcesOf(player);
        // The dialog, the play and stop icons, the cursor and the program's icon group.
        for (const char* label : {"type 5 1001", "type 14 1004", "type 14 1005", "type 12 1003", "type 14 \"A\""})
            EXPECT_EQ(own.count(std::string(label) + " (language 1033)"), 1u) << path << " " << label;

        std::vector<QuizResource> quiz = fullQuiz(1);
        ImageUpdate first = replaceResources(player, {"PATCH", "IMG"}, asNew(quiz));
        ASSERT_EQ(first.problem, "") << path;
        expectConsistent(first.bytes, path);
        std::map<std::string, std::string> back = resourcesOf(first.bytes);
        EXPECT_EQ(withoutQuiz(back), own) << path;
        for (const QuizResource& item : quiz)
            EXPECT_EQ(back[item.type + " " + std::to_string(item.id)], std::string(item.bytes.begin(), item.bytes.end()))
                << path << " " << item.type << " " << item.id;
        EXPECT_EQ(back.size(), own.size() + quiz.size()) << path;

        // A smaller quiz built on the first, without a link: none of the first survives.
        std::vector<QuizResource> second = {{"PATCH", 104, itemBytes(7, 10)}, {"IMG", 401, itemBytes(8, 20)}};
        ImageUpdate again = replaceResources(first.bytes, {"PATCH", "IMG"}, asNew(second));
        ASSERT_EQ(again.problem, "") << path;
        expectConsistent(again.bytes, path);
        std::map<std::string, std::string> expected = own;
        for (const QuizResource& item : second)
            expected[item.type + " " + std::to_string(item.id)] = std::string(item.bytes.begin(), item.bytes.end());
        EXPECT_EQ(resourcesOf(again.bytes), expected) << path;
        // The code and data before the resources are the player's.
        PeImage image = parsePeImage(player).image;
        uint32_t rsrc = sectionAt(image, dataDirectory(image, ResourceDirectoryIndex).rva)->rawOffset;
        EXPECT_TRUE(std::equal(player.begin() + image.sizeOfHeaders, player.begin() + rsrc,
                               again.bytes.begin() + image.sizeOfHeaders))
            << path;
    }
}

// A fresh folder under the system's temporary folder, removed afterwards.
struct ScratchFolder {
    fs::path path;
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "player-image-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(path))
            found.insert(entry.path().filename().string());
        return found;
    }
};

std::string fileText(const std::string& path)
{
    FileRead read = readFileBytes(path);
    return std::string(read.bytes.begin(), read.bytes.end());
}

TEST(PlayerImage, WritePlayerCopyIsTheImageAndReadStoredQuizReadsItBack)
{
    ScratchFolder folder;
    Bytes player = playerBytes(playerPaths[0]);
    ASSERT_EQ(writeFileBytes(folder / "quizz.exe", player), "");
    std::vector<QuizResource> quiz = fullQuiz(3);
    ASSERT_EQ(writePlayerCopy(folder / "quizz.exe", folder / "quiz.exe", quiz), "");
    EXPECT_EQ(folder.names(), (std::set<std::string>{"quiz.exe", "quizz.exe"}));
    EXPECT_EQ(readFileBytes(folder / "quiz.exe").bytes, replaceResources(player, {"PATCH", "IMG"}, asNew(quiz)).bytes);
    EXPECT_EQ(readFileBytes(folder / "quizz.exe").bytes, player);

    std::string problem;
    StoredQuiz stored = readStoredQuiz(folder / "quiz.exe", problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(stored.quizPayload, quiz[0].bytes);
    EXPECT_EQ(stored.codesPayload, quiz[1].bytes);
    EXPECT_EQ(stored.link, quiz[2].bytes);
    ASSERT_EQ(stored.media.size(), 180u);
    for (std::size_t n = 3; n < quiz.size(); ++n)
        EXPECT_EQ(stored.media[quiz[n].id], quiz[n].bytes) << quiz[n].id;
}

TEST(PlayerImage, AFailedCopyLeavesTheOldOutputAndNoTemporaryFile)
{
    ScratchFolder folder;
    ASSERT_EQ(writeFileBytes(folder / "quizz.exe", playerBytes(playerPaths[1])), "");
    ASSERT_EQ(writeFileBytes(folder / "notes.txt", bytesOfText("not a program")), "");
    ASSERT_EQ(writeFileBytes(folder / "quiz.exe", bytesOfText("the previous build")), "");
    fs::create_directory(folder.path / "folder.exe");
    const std::set<std::string> before = folder.names();
    const std::vector<QuizResource> quiz = fullQuiz(5);
    struct Row {
        std::string player;
        std::string output;
        std::string problem;
    };
    const Row rows[] = {
        {folder / "notes.txt", folder / "quiz.exe",
         folder / "notes.txt" + ": not a Windows program: 13 bytes, less than the 64-byte DOS header"},
        {folder / "absent.exe", folder / "quiz.exe", folder / "absent.exe" + ": not found"},
        {folder / "quizz.exe", folder / "quizz.exe",
         folder / "quizz.exe" + ": is the player itself; the player is never changed, name another output"},
        {folder / "quizz.exe", folder / "none/quiz.exe",
         folder / "none/quiz.exe" + ": no file can be made in its folder, no such file or directory (errno 2)"},
        {folder / "quizz.exe", folder / "folder.exe",
         folder / "folder.exe" + ": cannot be replaced, is a directory (errno 21)"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(writePlayerCopy(row.player, row.output, quiz), row.problem) << row.output;
        EXPECT_EQ(folder.names(), before) << row.output;
        EXPECT_EQ(fileText(folder / "quiz.exe"), "the previous build") << row.output;
    }
}

}  // namespace
