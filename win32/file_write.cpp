#include "win32/file_write.h"

#include "win32/scoped_handles.h"

namespace {

enum class Written { NotCreated, Partly, Whole };

Written writeFile(const char* name, const void* bytes, DWORD size, DWORD creation)
{
    FileHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return Written::NotCreated;
    DWORD written = 0;
    bool whole = WriteFile(file.handle, bytes, size, &written, nullptr) && written == size
                 && FlushFileBuffers(file.handle);
    return file.close() && whole ? Written::Whole : Written::Partly;
}

}  // namespace

bool writeWholeFile(const char* name, const void* bytes, DWORD size)
{
    return writeFile(name, bytes, size, CREATE_ALWAYS) == Written::Whole;
}

bool writeNewFile(const char* name, const void* bytes, DWORD size)
{
    Written written = writeFile(name, bytes, size, CREATE_NEW);
    if (written == Written::Partly)
        DeleteFileA(name);
    return written == Written::Whole;
}
