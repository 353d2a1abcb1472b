#include "quiz/own_resources.h"

#include "quiz/image_bounds.h"
#include "win32/platform.h"

#include <new>

namespace {

// The mapped headers are read no further than their first page.
constexpr std::size_t headerPage = 4096;

uint64_t ownFileSize()
{
    static uint64_t size = [] {
        char path[MAX_PATH] = "";
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (!GetModuleFileNameA(nullptr, path, MAX_PATH) || !GetFileAttributesExA(path, GetFileExInfoStandard, &data))
            return uint64_t(0);
        return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }();
    return size;
}

// Opened once and kept: every read names its own offset, so threads share it.
HANDLE ownFile()
{
    static HANDLE file = [] {
        char path[MAX_PATH] = "";
        if (!GetModuleFileNameA(nullptr, path, MAX_PATH))
            return INVALID_HANDLE_VALUE;
        return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    return file;
}

}  // namespace

OwnResource findOwnResource(const char* type, int id)
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!resource)
        return {false, false, nullptr, 0, 0};
    DWORD size = SizeofResource(nullptr, resource);
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    const auto* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    if (!bytes || bytes < image)
        return {true, false, nullptr, size, 0};
    uint64_t fileOffset = 0;
    if (!residentBytesAreWhole(image, headerPage, ownFileSize(), uint64_t(bytes - image), size, &fileOffset))
        return {true, false, nullptr, size, 0};
    return {true, true, bytes, size, fileOffset};
}

bool readOwnResource(const OwnResource& resource, std::vector<uint8_t>& into, uint32_t most)
{
    HANDLE file = ownFile();
    if (!resource.whole || file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = resource.size < most ? resource.size : most;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // The file was checked to hold them when the resource was found; a file
    // changed since then reads short and is not used.
    OVERLAPPED at = {};
    at.Offset = DWORD(resource.fileOffset);
    at.OffsetHigh = DWORD(resource.fileOffset >> 32);
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), size, &read, &at) || read != size)
        return false;
    into.swap(bytes);
    return true;
}
