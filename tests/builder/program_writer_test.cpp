// The builder's program-file writer, as quizbuild.exe runs it, judged by
// Windows itself: on the real player, the loader's probe and the probe left
// unstripped (debug sections after the others, a symbol table after them),
// a full quiz written by the writer is found byte for byte by
// FindResourceA/LoadResource, every resource of the player's own comes back
// unchanged from the resource enumeration, nothing of an earlier quiz
// survives, and the probe, started, loads the expected record.
#include "quiz/lzw.h"
#include "quiz/payload_writer.h"
#include "tests/builder/process_output.h"
#include "tests/win32/driver.h"
#include "tests/win32/quiz_dump.h"
#include "tools/builder/files/files.h"
#include "tools/builder/program/pe_resource_update.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Bytes = std::vector<uint8_t>;
// "type name language" -> bytes, as Windows enumerates them.
using WindowsResources = std::map<std::string, std::string>;

std::string programBeside(const char* name)
{
    return folderOfThisProgram() + "\\" + name;
}

std::string nameKey(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name);
}

BOOL CALLBACK onLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR found)
{
    HRSRC resource = FindResourceExA(module, type, name, language);
    const char* bytes = resource ? static_cast<const char*>(LockResource(LoadResource(module, resource))) : nullptr;
    std::string key = nameKey(type) + " " + nameKey(name) + " " + std::to_string(language);
    (*reinterpret_cast<WindowsResources*>(found))[key] =
        bytes ? std::string(bytes, SizeofResource(module, resource)) : "(not loaded)";
    return TRUE;
}

BOOL CALLBACK onName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found)
{
    EnumResourceLanguagesA(module, type, name, onLanguage, found);
    return TRUE;
}

BOOL CALLBACK onType(HMODULE module, LPSTR type, LONG_PTR found)
{
    EnumResourceNamesA(module, type, onName, found);
    return TRUE;
}

// Every resource of a program, through the Windows calls.
WindowsResources windowsResources(const std::string& program)
{
    WindowsResources found;
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_TRUE(module) << program;
    if (module) {
        EnumResourceTypesA(module, onType, reinterpret_cast<LONG_PTR>(&found));
        FreeLibrary(module);
    }
    return found;
}

Bytes packedBytes(const Bytes& bytes)
{
    uint8_t* out = nullptr;
    int32_t reported = 0;
    EXPECT_EQ(lzwEncode(bytes.data(), int32_t(bytes.size()), &out, &reported), lzwOk);
    Bytes result(out, out + reported - 1);
    lzwFreeBuffer(out);
    return result;
}

// Bytes that differ from one item to the next.
Bytes itemBytes(int seed, std::size_t size)
{
    Bytes bytes(size);
    uint32_t state = 2654435761u * static_cast<uint32_t>(seed + 1);
    for (uint8_t& byte : bytes) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        byte = static_cast<uint8_t>(state);
    }
    return bytes;
}

// A 90-entry picture quiz with answer pictures, as a record and as the
// resources that carry it; entry 45's picture is a megabyte.
struct FullQuiz {
    Quiz quiz;
    std::vector<std::pair<std::string, std::pair<int, Bytes>>> resources;
    FullQuiz()
    {
        initQuiz(quiz);
        quiz.kind = QuizKind::Picture;
        quiz.answersPerEntry = 2;
        quiz.revealKind = RevealKind::Picture;
        quiz.boardColour = 0x302010;
        copyText(quiz.title, "Quiz d'\xE9t\xE9");
        copyText(quiz.author, "Zo\xE9");
        for (int entry = 1; entry <= MaxEntries; ++entry) {
            std::string n = std::to_string(entry);
            appendEntry(quiz, ("r\xE9ponse " + n).c_str(), ("seconde " + n).c_str(), ("indice " + n).c_str());
            copyText(quiz.codes[entry - 1], ("C" + n).c_str());
        }
        quiz.entryCount = MaxEntries;
        resources.push_back({"PATCH", {104, packedBytes(writeQuizPayload(quiz))}});
        resources.push_back({"PATCH", {105, packedBytes(writeCodesPayload(quiz))}});
        for (int entry = 1; entry <= MaxEntries; ++entry) {
            resources.push_back({"IMG", {400 + entry, itemBytes(entry, entry == 45 ? 1 << 20 : 500 + 97 * entry)}});
            resources.push_back({"IMG", {10400 + entry, itemBytes(-entry, 1 + entry % 13)}});
        }
    }
    ~FullQuiz() { freeEntries(quiz); }
    std::vector<NewResource> added() const
    {
        std::vector<NewResource> list;
        for (const auto& [type, item] : resources)
            list.push_back({type, static_cast<uint16_t>(item.first), item.second});
        return list;
    }
};

bool isQuizKey(const std::string& key)
{
    return key.starts_with("PATCH ") || key.starts_with("IMG ");
}

const char* const players[] = {"quizz.exe", "loader_probe.exe", "loader_probe_unstripped.exe"};

TEST(ProgramWriter, WindowsFindsEveryResourceTheWriterWrote)
{
    FullQuiz full;
    std::string folder = freshFolder("program-writer");
    for (const char* name : players) {
        std::string player = programBeside(name);
        FileRead read = readFileBytes(player);
        ASSERT_EQ(read.problem, "") << name;
        ImageUpdate update = replaceResources(read.bytes, {"PATCH", "IMG"}, full.added());
        ASSERT_EQ(update.problem, "") << name;
        std::string program = folder + "\\" + name;
        ASSERT_EQ(writeFileBytes(program, update.bytes), "") << name;

        HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module) << name << " error " << GetLastError();
        for (const auto& [type, item] : full.resources) {
            HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(item.first), type.c_str());
            ASSERT_TRUE(resource) << name << " " << type << " " << item.first;
            const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
            ASSERT_TRUE(bytes) << name << " " << type << " " << item.first;
            EXPECT_EQ(Bytes(bytes, bytes + SizeofResource(module, resource)), item.second)
                << name << " " << type << " " << item.first;
        }
        FreeLibrary(module);

        WindowsResources before = windowsResources(player);
        WindowsResources after = windowsResources(program);
        std::erase_if(after, [](const auto& item) { return isQuizKey(item.first); });
        EXPECT_EQ(after, before) << name;
        EXPECT_EQ(windowsResources(program).size(), before.size() + full.resources.size()) << name;
    }
}

TEST(ProgramWriter, TheBuiltProbesStartAndLoadTheQuiz)
{
    FullQuiz full;
    std::string folder = freshFolder("program-writer-run");
    const std::string expected = dumpQuiz(full.quiz, true);
    for (const char* name : {"loader_probe.exe", "loader_probe_unstripped.exe"}) {
        FileRead read = readFileBytes(programBeside(name));
        ASSERT_EQ(read.problem, "") << name;
        ImageUpdate first = replaceResources(read.bytes, {"PATCH", "IMG"}, full.added());
        ASSERT_EQ(first.problem, "") << name;
        // Built again on the built program: the same bytes, rebuilt in place.
        ImageUpdate again = replaceResources(first.bytes, {"PATCH", "IMG"}, full.added());
        EXPECT_EQ(again.bytes, first.bytes) << name;
        std::string program = folder + "\\" + name;
        ASSERT_EQ(writeFileBytes(program, first.bytes), "") << name;
        std::string dump = folder + "\\dump.txt";
        DeleteFileA(dump.c_str());
        ProcessOutput run = runCapturingOutput("\"" + program + "\" \"" + dump + "\"", folder, 30000);
        EXPECT_TRUE(run.finished) << name;
        EXPECT_EQ(run.exitCode, 0u) << name;
        EXPECT_EQ(readWholeFile(dump), expected) << name;
    }
}

}  // namespace
