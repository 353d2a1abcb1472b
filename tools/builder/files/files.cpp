// The builder's whole-file reads and writes, the same on every platform,
// over the primitives of file_primitives.h.
#include "tools/builder/files/files.h"

#include "tools/builder/files/file_primitives.h"
#include "tools/builder/files/temporary_files.h"

namespace {

// Closes on every way out; close() says whether the last writes failed.
struct OpenFile {
    NativeFile file = NoFile;
    OpenFile() = default;
    ~OpenFile()
    {
        if (file != NoFile)
            closeFile(file);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    std::string close()
    {
        std::string problem = closeFile(file);
        file = NoFile;
        return problem;
    }
};

// Deletes a temporary file on every way out but the final move; the crash
// handler knows of it too.
struct TemporaryFile {
    std::string path;
    explicit TemporaryFile(const std::string& made) : path(made) { rememberTemporaryFile(path); }
    ~TemporaryFile()
    {
        forgetTemporaryFile(path);
        if (!path.empty())
            deleteFile(path);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
};

// Reads until `bytes` is full or the file ends; the buffer's size bounds the
// loop, as every round adds a byte or stops. Empty or the reason.
std::string readInto(NativeFile file, std::vector<uint8_t>& bytes, std::size_t& done)
{
    done = 0;
    while (done < bytes.size()) {
        std::size_t got = 0;
        if (std::string problem = readSome(file, bytes.data() + done, bytes.size() - done, got); !problem.empty())
            return "cannot be read, " + problem;
        if (got == 0)
            break;
        done += got;
    }
    return "";
}

// Every round writes at least one byte or gives up.
std::string writeAll(NativeFile file, std::span<const uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t written = 0;
        if (std::string problem = writeSome(file, bytes.data() + done, bytes.size() - done, written);
            !problem.empty())
            return "cannot be written, " + problem;
        done += written;
    }
    return "";
}

}  // namespace

FileRead readFileBytes(const std::string& path)
{
    FileRead result;
    OpenFile opened;
    bool missing = false;
    if (std::string problem = openToRead(path, opened.file, missing); !problem.empty()) {
        result.problem = missing ? "not found" : "cannot be opened, " + problem;
        return result;
    }
    uint64_t size = 0;
    if (std::string problem = sizeOfOpenFile(opened.file, size); !problem.empty()) {
        result.problem = "cannot be read, " + problem;
        return result;
    }
    if (size > LargestFile) {
        result.problem = std::to_string(size) + " bytes, at most " + std::to_string(LargestFile);
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    result.problem = readInto(opened.file, result.bytes, done);
    if (result.problem.empty() && done < result.bytes.size())
        result.problem = "cannot be read, it shrank while read";
    if (!result.problem.empty())
        result.bytes.clear();
    return result;
}

FileStart readFileStart(const std::string& path, std::size_t count)
{
    FileStart start;
    OpenFile opened;
    bool missing = false;
    if (std::string problem = openToRead(path, opened.file, missing); !problem.empty()) {
        start.problem = "cannot be opened, " + problem;
        return start;
    }
    start.bytes.resize(count);
    std::size_t done = 0;
    start.problem = readInto(opened.file, start.bytes, done);
    start.bytes.resize(start.problem.empty() ? done : 0);
    return start;
}

std::string writeFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    OpenFile created;
    if (std::string problem = createToWrite(path, created.file); !problem.empty())
        return "cannot be created, " + problem;
    std::string problem = writeAll(created.file, bytes);
    std::string closed = created.close();
    if (problem.empty() && !closed.empty())
        problem = "cannot be written, " + closed;
    return problem;
}

// The old file stays until the new one is wholly on the disk: written,
// flushed and closed without error, then moved over it in one step.
std::string replaceFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    OpenFile created;
    std::string made;
    if (std::string problem = createBeside(path, made, created.file); !problem.empty())
        return "no file can be made in its folder, " + problem;
    TemporaryFile copy{made};
    std::string problem = writeAll(created.file, bytes);
    if (problem.empty())
        if (std::string flushed = flushToDisk(created.file); !flushed.empty())
            problem = "cannot be written, " + flushed;
    std::string closed = created.close();
    if (problem.empty() && !closed.empty())
        problem = "cannot be written, " + closed;
    if (!problem.empty())
        return "its temporary file " + copy.path + " " + problem;
    if (std::string moved = moveOver(copy.path, path); !moved.empty())
        return "cannot be replaced, " + moved;
    forgetTemporaryFile(copy.path);
    copy.path.clear();
    return "";
}
