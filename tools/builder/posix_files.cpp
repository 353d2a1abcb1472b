#include "tools/builder/files.h"

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

// "permission denied (errno 13)"
std::string errorText(int code)
{
    std::string message = std::strerror(code);
    if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z')
        message[0] = static_cast<char>(message[0] - 'A' + 'a');
    return message + " (errno " + std::to_string(code) + ")";
}

struct FileDescriptor {
    int fd;
    ~FileDescriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

// Unlinks a temporary file on every way out but the final rename.
struct TemporaryFile {
    std::string path;
    ~TemporaryFile()
    {
        if (!path.empty())
            unlink(path.c_str());
    }
};

std::string writeAll(int fd, std::span<const uint8_t> bytes)
{
    std::size_t done = 0;
    // Each round writes at least one byte or gives up.
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return "cannot be written, " + errorText(written < 0 ? errno : EIO);
        done += static_cast<std::size_t>(written);
    }
    return "";
}

std::string programFolder()
{
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? folderOf(std::string(path, static_cast<std::size_t>(length))) : "";
}

}  // namespace

FileRead readFileBytes(const std::string& path)
{
    FileRead result;
    FileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        int code = errno;
        result.problem = code == ENOENT || code == ENOTDIR ? "not found" : "cannot be opened, " + errorText(code);
        return result;
    }
    struct stat status;
    if (fstat(file.fd, &status) != 0) {
        result.problem = "cannot be read, " + errorText(errno);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.problem = "cannot be read, not a regular file";
        return result;
    }
    if (uint64_t(status.st_size) > LargestFile) {
        result.problem = std::to_string(status.st_size) + " bytes, at most " + std::to_string(LargestFile);
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    // Each round reads at least one byte or gives up; the file's size bounds it.
    while (done < result.bytes.size()) {
        ssize_t got = read(file.fd, result.bytes.data() + done, result.bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            result.problem = got < 0 ? "cannot be read, " + errorText(errno) : "cannot be read, it shrank while read";
            result.bytes.clear();
            return result;
        }
        done += static_cast<std::size_t>(got);
    }
    return result;
}

std::string writeFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    FileDescriptor file{open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (file.fd < 0)
        return "cannot be created, " + errorText(errno);
    std::string problem = writeAll(file.fd, bytes);
    if (problem.empty() && close(file.fd) != 0)
        problem = "cannot be written, " + errorText(errno);
    file.fd = -1;
    return problem;
}

std::string replaceFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    std::string folder = folderOf(path);
    std::string pattern = joinPath(folder.empty() ? "." : folder, "qzbXXXXXX.tmp");
    FileDescriptor file{mkstemps(pattern.data(), 4)};
    if (file.fd < 0)
        return "no file can be made in its folder, " + errorText(errno);
    TemporaryFile copy{pattern};
    // mkstemps makes the file for its owner alone; a program is for all who may read the folder.
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(file.fd, 0666 & ~mask) != 0)
        return "its temporary file " + copy.path + " cannot be made readable, " + errorText(errno);
    std::string problem = writeAll(file.fd, bytes);
    if (problem.empty() && fsync(file.fd) != 0)
        problem = "cannot be written, " + errorText(errno);
    int closed = close(file.fd);
    file.fd = -1;
    if (problem.empty() && closed != 0)
        problem = "cannot be written, " + errorText(errno);
    if (!problem.empty())
        return "its temporary file " + copy.path + " " + problem;
    if (rename(copy.path.c_str(), path.c_str()) != 0)
        return "cannot be replaced, " + errorText(errno);
    copy.path.clear();
    return "";
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
        return "cannot be created, " + errorText(errno);
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return "";
    return "exists but is not a folder";
}

std::string mediaFilePath(const std::string& folder, const std::string& utf8Path)
{
    if (utf8Path.empty())
        return "";
    // Descriptions written on Windows may separate folders with "\".
    std::string path = utf8Path;
    for (char& character : path)
        if (character == '\\')
            character = '/';
    return path[0] == '/' ? path : joinPath(folder, path);
}

FileRead readMediaFile(const std::string& folder, const std::string& utf8Path)
{
    std::string path = mediaFilePath(folder, utf8Path);
    if (path.empty())
        return {{}, "not found"};
    return readFileBytes(path);
}

std::string folderOf(const std::string& path)
{
    std::size_t last = path.find_last_of('/');
    return last == std::string::npos ? "" : path.substr(0, last + 1);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
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
