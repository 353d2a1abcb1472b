#include "tools/builder/files/file_facts.h"
#include "tools/builder/files/win32_files.h"
#include "win32/scoped_handles.h"

namespace {

bool isMissing(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME;
}

}  // namespace

FileFacts fileFactsOf(const std::string& path)
{
    FileFacts facts;
    if (isDeviceName(path)) {
        facts.kind = FileKind::Device;
        return facts;
    }
    // Attributes only, shared with every other user; folders open with backup semantics.
    FileHandle file{CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (!file.isOpen()) {
        DWORD code = GetLastError();
        facts.kind = isMissing(code) ? FileKind::Missing : FileKind::Unknown;
        facts.problem = "cannot be opened, " + windowsErrorText(code);
        return facts;
    }
    if (GetFileType(file.handle) != FILE_TYPE_DISK) {
        facts.kind = FileKind::Device;
        return facts;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file.handle, &information)) {
        facts.kind = FileKind::Unknown;
        facts.problem = "cannot be examined, " + windowsErrorText(GetLastError());
        return facts;
    }
    facts.kind = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::Folder : FileKind::File;
    facts.size = uint64_t(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    facts.identified = true;
    facts.volume = information.dwVolumeSerialNumber;
    facts.index = uint64_t(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
    return facts;
}
