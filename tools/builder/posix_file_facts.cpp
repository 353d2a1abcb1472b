#include "tools/builder/file_facts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileDescriptor {
    int fd;
    explicit FileDescriptor(int opened) : fd(opened) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
};

// "permission denied (errno 13)"
std::string errorText(int code)
{
    std::string message = std::strerror(code);
    if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z')
        message[0] = static_cast<char>(message[0] - 'A' + 'a');
    return message + " (errno " + std::to_string(code) + ")";
}

}  // namespace

FileFacts fileFactsOf(const std::string& path)
{
    FileFacts facts;
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        int code = errno;
        facts.kind = code == ENOENT || code == ENOTDIR || code == ENAMETOOLONG ? FileKind::Missing : FileKind::Unknown;
        facts.problem = "cannot be examined, " + errorText(code);
        return facts;
    }
    if (S_ISDIR(status.st_mode))
        facts.kind = FileKind::Folder;
    else if (S_ISREG(status.st_mode))
        facts.kind = FileKind::File;
    else {
        facts.kind = FileKind::Device;  // never read as a file: reading could block or never end
        facts.problem = "a pipe, socket or device, not a file";
    }
    facts.size = facts.kind == FileKind::File ? uint64_t(status.st_size) : 0;
    facts.identified = true;
    facts.volume = uint64_t(status.st_dev);
    facts.index = uint64_t(status.st_ino);
    // A file the builder may not read is told now, as Windows tells it on opening.
    if (facts.kind == FileKind::File && access(path.c_str(), R_OK) != 0) {
        facts.kind = FileKind::Unknown;
        facts.problem = "cannot be opened, " + errorText(errno);
    }
    return facts;
}

FileStart readFileStart(const std::string& path, std::size_t count)
{
    FileStart start;
    FileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) {
        start.problem = "cannot be opened, " + errorText(errno);
        return start;
    }
    start.bytes.resize(count);
    std::size_t done = 0;
    // Bounded by `count`: every read adds at least one byte or ends the loop.
    while (done < count) {
        ssize_t read = ::read(file.fd, start.bytes.data() + done, count - done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0) {
            start.problem = "cannot be read, " + errorText(errno);
            start.bytes.clear();
            return start;
        }
        if (read == 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    start.bytes.resize(done);
    return start;
}
