#include "tools/builder/files/file_primitives.h"
#include "tools/builder/files/files.h"
#include "tools/builder/files/posix_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* defaultPlayerName = "quizz.exe";
// The player shipped to players, from the Windows build tree beside this
// program's own tree (build/host/quizbuild finds build/win32/quizz.exe).
constexpr const char* shippedPlayerFromHere = "../win32/quizz.exe";

std::string programFolder()
{
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? folderOf(std::string(path, static_cast<std::size_t>(length))) : "";
}

int descriptorOf(NativeFile file)
{
    return static_cast<int>(file);
}

std::string lastErrorText()
{
    return errnoText(errno);
}

// One call moves at most this much, as Linux does anyway.
constexpr std::size_t LargestTransfer = 0x7FFFF000;

}  // namespace

// "permission denied (errno 13)"
std::string errnoText(int code)
{
    std::string message = std::strerror(code);
    if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z')
        message[0] = static_cast<char>(message[0] - 'A' + 'a');
    return message + " (errno " + std::to_string(code) + ")";
}

bool fileExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool sameFile(const std::string& existing, const std::string& other)
{
    struct stat first, second;
    if (stat(existing.c_str(), &first) != 0)
        return false;
    return stat(other.c_str(), &second) == 0 && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string makeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        return "cannot be created, " + errnoText(errno);
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return "";
    return "exists but is not a folder";
}

std::string fullPathOf(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    std::error_code error;
    std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.lexically_normal().string();
}

std::vector<std::string> defaultPlayerPaths()
{
    std::string folder = programFolder();
    std::filesystem::path shipped = std::filesystem::path(folder) / shippedPlayerFromHere;
    return {joinPath(folder, defaultPlayerName), shipped.lexically_normal().string()};
}

void useBinaryStandardStreams()
{
}

// Without blocking: a FIFO named as a file must not hang the builder; its
// size is then refused.
std::string openToRead(const std::string& path, NativeFile& file, bool& missing)
{
    file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file >= 0)
        return "";
    file = NoFile;
    missing = errno == ENOENT || errno == ENOTDIR;
    return lastErrorText();
}

std::string createToWrite(const std::string& path, NativeFile& file)
{
    file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file >= 0)
        return "";
    file = NoFile;
    return lastErrorText();
}

std::string createBeside(const std::string& path, std::string& made, NativeFile& file)
{
    std::string folder = folderOf(path);
    std::string pattern = joinPath(folder.empty() ? "." : folder, "qzbXXXXXX.tmp");
    int created = mkstemps(pattern.data(), 4);
    if (created < 0)
        return lastErrorText();
    // mkstemps makes the file for its owner alone; a program is for all who may read the folder.
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(created, 0666 & ~mask) != 0) {
        std::string problem = lastErrorText();
        close(created);
        unlink(pattern.c_str());
        return problem;
    }
    file = created;
    made = pattern;
    return "";
}

std::string sizeOfOpenFile(NativeFile file, uint64_t& size)
{
    struct stat status;
    if (fstat(descriptorOf(file), &status) != 0)
        return lastErrorText();
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    size = uint64_t(status.st_size);
    return "";
}

std::string readSome(NativeFile file, uint8_t* bytes, std::size_t count, std::size_t& got)
{
    ssize_t read;
    do
        read = ::read(descriptorOf(file), bytes, std::min(count, LargestTransfer));
    while (read < 0 && errno == EINTR);  // a signal, not a failure
    if (read < 0)
        return lastErrorText();
    got = static_cast<std::size_t>(read);
    return "";
}

std::string writeSome(NativeFile file, const uint8_t* bytes, std::size_t count, std::size_t& written)
{
    ssize_t done;
    do
        done = write(descriptorOf(file), bytes, std::min(count, LargestTransfer));
    while (done < 0 && errno == EINTR);
    if (done <= 0)
        return errnoText(done < 0 ? errno : EIO);
    written = static_cast<std::size_t>(done);
    return "";
}

std::string flushToDisk(NativeFile file)
{
    return fsync(descriptorOf(file)) == 0 ? "" : lastErrorText();
}

std::string closeFile(NativeFile file)
{
    return close(descriptorOf(file)) == 0 ? "" : lastErrorText();
}

std::string moveOver(const std::string& from, const std::string& to)
{
    return rename(from.c_str(), to.c_str()) == 0 ? "" : lastErrorText();
}

void deleteFile(const std::string& path)
{
    unlink(path.c_str());
}
