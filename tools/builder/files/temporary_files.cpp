#include "tools/builder/files/temporary_files.h"

#include <cstdio>
#include <cstring>

namespace {

// Fixed storage: the crash handler must not allocate.
char remembered[MaxTemporaryFiles][MaxTemporaryPath];

}  // namespace

void rememberTemporaryFile(const std::string& path)
{
    if (path.empty() || path.size() >= MaxTemporaryPath)
        return;
    for (char* slot : remembered)
        if (slot[0] == '\0') {
            std::memcpy(slot, path.c_str(), path.size() + 1);
            return;
        }
}

void forgetTemporaryFile(const std::string& path)
{
    for (char* slot : remembered)
        if (path == slot)
            slot[0] = '\0';
}

void removeTemporaryFiles()
{
    for (char* slot : remembered)
        if (slot[0] != '\0') {
            std::remove(slot);
            slot[0] = '\0';
        }
}
