#include "tests/builder/builder_fixtures.h"
#include "tools/builder/program/program_header.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t optionalHeaderBytes = 0xE0;  // as i686 linkers write it

// The first bytes of a program: "MZ", the "PE" header's offset at 0x3C,
// then "PE\0\0", the machine, the section count, the optional header's size
// and the characteristics, the optional header, and a table of `sections`
// sections of 0x200 bytes each from byte 0x400 on.
Bytes programStart(uint32_t peOffset, const char* signature, uint16_t machine, uint16_t characteristics,
                   std::size_t size = 1024, uint16_t sections = 1)
{
    Bytes bytes(size, 0);
    auto put = [&](std::size_t at, uint32_t value, int count) {
        for (int n = 0; n < count && at + n < size; ++n)
            bytes[at + n] = static_cast<uint8_t>(value >> (8 * n));
    };
    put(0, 'M' | 'Z' << 8, 2);
    put(0x3C, peOffset, 4);
    for (std::size_t at = 0; at < 4; ++at)
        put(std::size_t(peOffset) + at, uint8_t(signature[at]), 1);
    put(std::size_t(peOffset) + 4, machine, 2);
    put(std::size_t(peOffset) + 6, sections, 2);
    put(std::size_t(peOffset) + 20, optionalHeaderBytes, 2);
    put(std::size_t(peOffset) + 22, characteristics, 2);
    std::size_t table = std::size_t(peOffset) + 24 + optionalHeaderBytes;
    for (std::size_t section = 0; section < sections && section < 100; ++section) {
        std::size_t at = table + 40 * section;
        put(at, '.' | 't' << 8 | 'x' << 16 | 't' << 24, 4);
        put(at + 16, 0x200, 4);                    // its bytes in the file
        put(at + 20, 0x400 + 0x200 * uint32_t(section), 4);  // where they start
    }
    return bytes;
}

TEST(ProgramHeader, WhatServesAsAPlayer)
{
    const char pe[] = {'P', 'E', 0, 0};
    const char ne[] = {'N', 'E', 0, 0};
    const uint64_t fileSize = 0x1000;
    struct Row {
        const char* name;
        Bytes start;
        uint64_t fileSize;
        std::string problem;
    };
    const std::vector<Row> rows = {
        {"i686 program", programStart(0x80, pe, 0x014C, 0x0102), fileSize, ""},
        {"x86-64 program", programStart(0x80, pe, 0x8664, 0x0022), fileSize, ""},
        {"section table at the end of the bytes read", programStart(4096 - 24 - 0xE0 - 40, pe, 0x014C, 0x0002, 4096),
         fileSize, ""},
        {"section table past the bytes read", programStart(4096 - 24 - 0xE0 - 39, pe, 0x014C, 0x0002, 4096),
         fileSize, "its section table lies past its first 4096 bytes, where quizbuild checks a program"},
        {"text", bytesOf("not a program"), 13, "not a Windows program (no \"MZ\" header)"},
        {"empty", {}, 0, "not a Windows program (no \"MZ\" header)"},
        {"M alone", bytesOf("M"), 1, "not a Windows program (no \"MZ\" header)"},
        {"MZ cut short", bytesOf("MZ but nothing more"), 19, "not a Windows program (its \"MZ\" header is cut short)"},
        {"PE header past the bytes read", programStart(4096 - 23, pe, 0x014C, 0x0002, 4096), fileSize,
         "not a Windows program (no \"PE\" header within its first 4096 bytes)"},
        {"PE offset far away", programStart(0xFFFFFFF0u, pe, 0x014C, 0x0002), fileSize,
         "not a Windows program (no \"PE\" header within its first 4096 bytes)"},
        {"MS-DOS program", programStart(0x80, ne, 0x014C, 0x0002), fileSize,
         "not a Windows program (an MS-DOS program: no \"PE\" header)"},
        {"ARM64 program", programStart(0x80, pe, 0xAA64, 0x0022), fileSize,
         "a Windows program for another processor (machine 0xAA64), not for x86 or x86-64"},
        {"library", programStart(0x80, pe, 0x014C, 0x2102), fileSize, "a Windows library (DLL), not a program"},
        {"object file", programStart(0x80, pe, 0x014C, 0x0100), fileSize,
         "not a Windows program (its \"PE\" header does not mark it executable)"},
        {"no sections", programStart(0x80, pe, 0x014C, 0x0002, 1024, 0), fileSize,
         "not a Windows program (no sections)"},
        {"97 sections", programStart(0x80, pe, 0x014C, 0x0002, 4096, 97), 0x10000,
         "not a Windows program (97 sections, at most 96)"},
        {"every byte there", programStart(0x80, pe, 0x014C, 0x0002, 1024, 3), 0xA00, ""},
        {"the last section cut short", programStart(0x80, pe, 0x014C, 0x0002, 1024, 3), 0x9FF,
         "cut short: its section \".txt\" runs to byte 2560, but the file has 2559 bytes"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(windowsProgramProblem(row.start, row.fileSize), row.problem) << row.name;
}

TEST(FileFacts, InputProblemsAndIdentity)
{
    struct Row {
        FileKind kind;
        std::string problem;
        std::string expected;
    };
    const Row rows[] = {
        {FileKind::File, "", ""},
        {FileKind::Missing, "cannot be opened, the file cannot be found (Windows error 2)", "not found"},
        {FileKind::Folder, "", "a folder, not a file"},
        {FileKind::Device, "",
         "names a device, not a file (Windows keeps NUL, CON, PRN, AUX, COM1 to COM9 and LPT1 to LPT9, with any "
         "extension, for its devices); rename the file"},
        {FileKind::Unknown, "cannot be opened, access denied (Windows error 5)",
         "cannot be opened, access denied (Windows error 5)"},
        {FileKind::Unknown, "", "cannot be opened"},
    };
    for (const Row& row : rows) {
        FileFacts facts;
        facts.kind = row.kind;
        facts.problem = row.problem;
        EXPECT_EQ(inputFileProblem(facts), row.expected) << static_cast<int>(row.kind);
    }

    auto identified = [](uint64_t volume, uint64_t index) {
        FileFacts facts;
        facts.kind = FileKind::File;
        facts.identified = true;
        facts.volume = volume;
        facts.index = index;
        return facts;
    };
    FileFacts unknown;  // a missing file is no file at all, not the same as another missing one
    EXPECT_TRUE(sameFile(identified(7, 42), identified(7, 42)));
    EXPECT_FALSE(sameFile(identified(7, 42), identified(8, 42)));
    EXPECT_FALSE(sameFile(identified(7, 42), identified(7, 43)));
    EXPECT_FALSE(sameFile(unknown, unknown));
    EXPECT_FALSE(sameFile(identified(0, 0), unknown));
}

TEST(FileFacts, NamesWindowsKeepsForDevices)
{
    struct Row {
        const char* path;
        bool device;
    };
    const Row rows[] = {
        {"nul.json", true},      {"NUL", true},          {"dir\\Con.exe", true}, {"a/b/aux.tar.gz", true},
        {"C:prn", true},         {"com1.jpg", true},     {"LPT9", true},         {"nul .json", true},
        {"com0.jpg", false},     {"com10.jpg", false},   {"null.json", false},   {"console.exe", false},
        {"nul/quiz.json", false}, {"my nul.json", false}, {"", false},            {"lpt", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(isDeviceName(row.path), row.device) << row.path;
}

}  // namespace
