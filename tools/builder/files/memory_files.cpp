// The builder's files in memory (memory_files.h): the store, the
// primitives files.cpp builds its reads and writes on, and the paths as
// POSIX has them, so that the commands tell the same messages as the Linux
// builder run in the folder the page's files stand for.
#include "tools/builder/files/memory_files.h"

#include "tools/builder/files/file_primitives.h"
#include "tools/builder/files/files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace {

struct StoredFile {
    std::vector<uint8_t> bytes;
    uint64_t number = 0;
};

// An open file: the path it was opened under and where the next read starts.
struct OpenedFile {
    std::string path;
    std::size_t position = 0;
    bool open = false;
};

struct Store {
    std::map<std::string, StoredFile> files;
    std::set<std::string> folders;
    std::set<std::string> written;
    std::vector<OpenedFile> opened;  // indexed by NativeFile
    uint64_t nextNumber = 1;
    uint64_t nextTemporary = 1;
};

Store& store()
{
    static Store instance;
    return instance;
}

std::vector<uint8_t>& emptiedFile(const std::string& key)
{
    StoredFile& file = store().files[key];
    file.bytes.clear();
    file.number = store().nextNumber++;
    store().written.insert(key);
    return file.bytes;
}

NativeFile openAs(const std::string& key)
{
    std::vector<OpenedFile>& opened = store().opened;
    auto slot = std::find_if(opened.begin(), opened.end(), [](const OpenedFile& file) { return !file.open; });
    if (slot == opened.end())
        slot = opened.insert(opened.end(), OpenedFile{});
    *slot = {key, 0, true};
    return NativeFile(slot - opened.begin());
}

OpenedFile* openedFile(NativeFile file)
{
    std::vector<OpenedFile>& opened = store().opened;
    if (file < 0 || std::size_t(file) >= opened.size() || !opened[std::size_t(file)].open)
        return nullptr;
    return &opened[std::size_t(file)];
}

StoredFile* storedFile(const std::string& key)
{
    auto found = store().files.find(key);
    return found == store().files.end() ? nullptr : &found->second;
}

// Errors as the POSIX builder words them.
const std::string noSuchFile = "no such file or directory (errno 2)";
const std::string badDescriptor = "bad file descriptor (errno 9)";

}  // namespace

std::string memoryPathKey(const std::string& path)
{
    std::string key = std::filesystem::path(path).lexically_normal().string();
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return key;
}

void putMemoryFile(const std::string& path, std::vector<uint8_t> bytes)
{
    std::string key = memoryPathKey(path);
    store().files[key] = {std::move(bytes), store().nextNumber++};
}

const std::vector<uint8_t>* memoryFile(const std::string& path)
{
    const StoredFile* file = storedFile(memoryPathKey(path));
    return file ? &file->bytes : nullptr;
}

void removeMemoryFile(const std::string& path)
{
    std::string key = memoryPathKey(path);
    store().files.erase(key);
    store().written.erase(key);
}

void clearMemoryFiles()
{
    store() = Store{};
}

std::vector<std::string> takeWrittenMemoryFiles()
{
    std::vector<std::string> paths(store().written.begin(), store().written.end());
    store().written.clear();
    return paths;
}

bool isMemoryFolder(const std::string& path)
{
    std::string key = memoryPathKey(path);
    if (key == "." || key == "/" || store().folders.count(key))
        return true;
    auto after = store().files.lower_bound(key + "/");
    return after != store().files.end() && after->first.compare(0, key.size() + 1, key + "/") == 0;
}

uint64_t memoryFileNumber(const std::string& path)
{
    const StoredFile* file = storedFile(memoryPathKey(path));
    return file ? file->number : 0;
}

std::vector<std::string> memoryFilePaths()
{
    std::vector<std::string> paths;
    for (const auto& [path, file] : store().files)
        paths.push_back(path);
    return paths;
}

bool fileExists(const std::string& path)
{
    return storedFile(memoryPathKey(path)) != nullptr;
}

bool sameFile(const std::string& existing, const std::string& other)
{
    return fileExists(existing) && memoryPathKey(existing) == memoryPathKey(other);
}

std::string makeFolder(const std::string& path)
{
    std::string key = memoryPathKey(path);
    if (storedFile(key))
        return "exists but is not a folder";
    store().folders.insert(key);
    return "";
}

std::string fullPathOf(const std::string& path)
{
    return memoryPathKey(path);
}

// The page puts the player in beside the description under its shipped name.
std::vector<std::string> defaultPlayerPaths()
{
    return {"quizz.exe"};
}

void useBinaryStandardStreams()
{
}

std::string openToRead(const std::string& path, NativeFile& file, bool& missing)
{
    std::string key = memoryPathKey(path);
    missing = !storedFile(key);
    if (missing)
        return noSuchFile;
    file = openAs(key);
    return "";
}

std::string createToWrite(const std::string& path, NativeFile& file)
{
    std::string key = memoryPathKey(path);
    if (isMemoryFolder(key))
        return "is a directory (errno 21)";
    std::string folder = folderOf(key);
    if (!folder.empty() && !isMemoryFolder(folder))
        return noSuchFile;
    emptiedFile(key);
    file = openAs(key);
    return "";
}

std::string createBeside(const std::string& path, std::string& made, NativeFile& file)
{
    std::string folder = folderOf(path);
    made = joinPath(folder.empty() ? "." : folder, "qzb" + std::to_string(store().nextTemporary++) + ".tmp");
    return createToWrite(made, file);
}

std::string sizeOfOpenFile(NativeFile file, uint64_t& size)
{
    OpenedFile* opened = openedFile(file);
    StoredFile* stored = opened ? storedFile(opened->path) : nullptr;
    if (!stored)
        return badDescriptor;
    size = stored->bytes.size();
    return "";
}

std::string readSome(NativeFile file, uint8_t* bytes, std::size_t count, std::size_t& got)
{
    OpenedFile* opened = openedFile(file);
    StoredFile* stored = opened ? storedFile(opened->path) : nullptr;
    if (!stored)
        return badDescriptor;
    std::size_t left = stored->bytes.size() - std::min(opened->position, stored->bytes.size());
    got = std::min(count, left);
    if (got > 0)
        std::memcpy(bytes, stored->bytes.data() + opened->position, got);
    opened->position += got;
    return "";
}

std::string writeSome(NativeFile file, const uint8_t* bytes, std::size_t count, std::size_t& written)
{
    OpenedFile* opened = openedFile(file);
    StoredFile* stored = opened ? storedFile(opened->path) : nullptr;
    if (!stored)
        return badDescriptor;
    stored->bytes.insert(stored->bytes.end(), bytes, bytes + count);
    written = count;
    return "";
}

std::string flushToDisk(NativeFile file)
{
    return openedFile(file) ? "" : badDescriptor;
}

std::string closeFile(NativeFile file)
{
    OpenedFile* opened = openedFile(file);
    if (!opened)
        return badDescriptor;
    opened->open = false;
    return "";
}

std::string moveOver(const std::string& from, const std::string& to)
{
    std::string source = memoryPathKey(from), target = memoryPathKey(to);
    auto found = store().files.find(source);
    if (found == store().files.end())
        return noSuchFile;
    StoredFile moved = std::move(found->second);
    store().files.erase(found);
    store().written.erase(source);
    store().files[target] = std::move(moved);
    store().written.insert(target);
    return "";
}

void deleteFile(const std::string& path)
{
    removeMemoryFile(path);
}
