#include "tools/builder/files/file_facts.h"
#include "tools/builder/files/posix_files.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

FileFacts fileFactsOf(const std::string& path)
{
    FileFacts facts;
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        int code = errno;
        facts.kind = code == ENOENT || code == ENOTDIR || code == ENAMETOOLONG ? FileKind::Missing : FileKind::Unknown;
        facts.problem = "cannot be examined, " + errnoText(code);
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
        facts.problem = "cannot be opened, " + errnoText(errno);
    }
    return facts;
}
