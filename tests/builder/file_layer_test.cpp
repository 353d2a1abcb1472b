// The shared file layer (files.cpp) over primitives of an in-memory disk
// whose calls can be made to fail one by one: whatever fails, a replaced
// file is either as it was or whole, only a flushed and closed file is
// moved, the temporary file goes, and the message names the step.
#include "tools/builder/files/file_primitives.h"
#include "tools/builder/files/files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Disk {
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<NativeFile, std::string> open;  // file -> path
    NativeFile next = 3;
    std::string failing;         // the primitive that fails, by name
    std::size_t chunk = 1 << 20; // most bytes one read or write moves
    std::vector<std::string> calls;

    bool fails(const char* call)
    {
        calls.push_back(call);
        return failing == call;
    }
    NativeFile opened(const std::string& path)
    {
        open[next] = path;
        return next++;
    }
};

Disk disk;
std::map<NativeFile, std::size_t> readAt;

}  // namespace

std::string openToRead(const std::string& path, NativeFile& file, bool& missing)
{
    missing = !disk.files.count(path);
    if (disk.fails("open") || missing)
        return "no entry (test)";
    file = disk.opened(path);
    readAt[file] = 0;
    return "";
}

std::string createToWrite(const std::string& path, NativeFile& file)
{
    if (disk.fails("create"))
        return "read-only (test)";
    disk.files[path].clear();
    file = disk.opened(path);
    return "";
}

std::string createBeside(const std::string& path, std::string& made, NativeFile& file)
{
    if (disk.fails("createBeside"))
        return "no room for a name (test)";
    made = path + ".qzb.tmp";
    disk.files[made].clear();
    file = disk.opened(made);
    return "";
}

std::string sizeOfOpenFile(NativeFile file, uint64_t& size)
{
    if (disk.fails("size"))
        return "not a regular file";
    size = disk.files[disk.open[file]].size();
    if (disk.failing == "shrink")
        disk.files[disk.open[file]].pop_back();
    return "";
}

std::string readSome(NativeFile file, uint8_t* bytes, std::size_t count, std::size_t& got)
{
    if (disk.fails("read"))
        return "i/o error (test)";
    const std::vector<uint8_t>& held = disk.files[disk.open[file]];
    got = std::min({count, disk.chunk, held.size() - readAt[file]});
    std::copy_n(held.begin() + std::ptrdiff_t(readAt[file]), got, bytes);
    readAt[file] += got;
    return "";
}

std::string writeSome(NativeFile file, const uint8_t* bytes, std::size_t count, std::size_t& written)
{
    if (disk.fails("write"))
        return "no space left on device (test)";
    written = std::min(count, disk.chunk);
    disk.files[disk.open[file]].insert(disk.files[disk.open[file]].end(), bytes, bytes + written);
    return "";
}

std::string flushToDisk(NativeFile)
{
    return disk.fails("flush") ? "i/o error at flush (test)" : "";
}

std::string closeFile(NativeFile file)
{
    disk.open.erase(file);
    return disk.fails("close") ? "i/o error at close (test)" : "";
}

std::string moveOver(const std::string& from, const std::string& to)
{
    if (disk.fails("move"))
        return "access denied (test)";
    disk.files[to] = disk.files[from];
    disk.files.erase(from);
    return "";
}

void deleteFile(const std::string& path)
{
    disk.calls.push_back("delete");
    disk.files.erase(path);
}

namespace {

const std::vector<uint8_t> oldProgram = {'o', 'l', 'd'};
const std::vector<uint8_t> newProgram(100, 'n');

void startDisk(const std::string& failing, std::size_t chunk = 1 << 20)
{
    disk = Disk{};
    disk.files["out.exe"] = oldProgram;
    disk.failing = failing;
    disk.chunk = chunk;
}

std::string joined(const std::vector<std::string>& calls)
{
    std::string text;
    for (const std::string& call : calls)
        text += (text.empty() ? "" : " ") + call;
    return text;
}

TEST(FileLayer, ReplacingKeepsTheOldFileUnlessTheNewOneIsWholeOnTheDisk)
{
    struct Row {
        const char* failing;
        const char* problem;
        const char* calls;
    } rows[] = {
        {"", "", "createBeside write write write write flush close move"},
        {"createBeside", "no file can be made in its folder, no room for a name (test)", "createBeside"},
        {"write", "its temporary file out.exe.qzb.tmp cannot be written, no space left on device (test)",
         "createBeside write close delete"},
        {"flush", "its temporary file out.exe.qzb.tmp cannot be written, i/o error at flush (test)",
         "createBeside write write write write flush close delete"},
        {"close", "its temporary file out.exe.qzb.tmp cannot be written, i/o error at close (test)",
         "createBeside write write write write flush close delete"},
        {"move", "cannot be replaced, access denied (test)",
         "createBeside write write write write flush close move delete"},
    };
    for (const Row& row : rows) {
        startDisk(row.failing, 30);
        EXPECT_EQ(replaceFileBytes("out.exe", newProgram), row.problem) << row.failing;
        EXPECT_EQ(joined(disk.calls), row.calls) << row.failing;
        EXPECT_EQ(disk.files["out.exe"], *row.problem ? oldProgram : newProgram) << row.failing;
        EXPECT_EQ(disk.files.size(), 1u) << row.failing << ": a temporary file is left";
        EXPECT_TRUE(disk.open.empty()) << row.failing << ": a file is left open";
    }
}

TEST(FileLayer, WritingSaysWhenTheCloseFails)
{
    struct Row {
        const char* failing;
        const char* problem;
    } rows[] = {
        {"", ""},
        {"create", "cannot be created, read-only (test)"},
        {"write", "cannot be written, no space left on device (test)"},
        {"close", "cannot be written, i/o error at close (test)"},
    };
    for (const Row& row : rows) {
        startDisk(row.failing, 7);
        EXPECT_EQ(writeFileBytes("out.exe", newProgram), row.problem) << row.failing;
        EXPECT_TRUE(disk.open.empty()) << row.failing;
        if (!*row.problem) {
            EXPECT_EQ(disk.files["out.exe"], newProgram);
        }
    }
}

TEST(FileLayer, ReadingGivesTheWholeFileOrWhyNot)
{
    struct Row {
        const char* path;
        const char* failing;
        const char* problem;
    } rows[] = {
        {"out.exe", "", ""},
        {"missing.exe", "", "not found"},
        {"out.exe", "open", "cannot be opened, no entry (test)"},
        {"out.exe", "size", "cannot be read, not a regular file"},
        {"out.exe", "read", "cannot be read, i/o error (test)"},
        {"out.exe", "shrink", "cannot be read, it shrank while read"},
    };
    for (const Row& row : rows) {
        startDisk(row.failing, 2);
        disk.files["out.exe"] = newProgram;
        FileRead read = readFileBytes(row.path);
        EXPECT_EQ(read.problem, row.problem) << row.path << " " << row.failing;
        EXPECT_EQ(read.bytes, *row.problem ? std::vector<uint8_t>{} : newProgram) << row.failing;
        EXPECT_TRUE(disk.open.empty()) << row.failing;
    }
}

TEST(FileLayer, AFilesStartIsAtMostWhatWasAskedFor)
{
    for (std::size_t count : {std::size_t(0), std::size_t(5), std::size_t(100), std::size_t(500)}) {
        startDisk("", 3);
        disk.files["out.exe"] = newProgram;
        FileStart start = readFileStart("out.exe", count);
        EXPECT_EQ(start.problem, "");
        EXPECT_EQ(start.bytes.size(), std::min(count, newProgram.size())) << count;
    }
}

}  // namespace
