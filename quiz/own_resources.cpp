#include "quiz/own_resources.h"

#include "quiz/image_bounds.h"

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

}  // namespace

OwnResource findOwnResource(const char* type, int id)
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!resource)
        return {false, false, nullptr, 0};
    DWORD size = SizeofResource(nullptr, resource);
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    const auto* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    if (!bytes || bytes < image)
        return {true, false, nullptr, size};
    if (!residentBytesAreWhole(image, headerPage, ownFileSize(), uint64_t(bytes - image), size))
        return {true, false, nullptr, size};
    return {true, true, bytes, size};
}
