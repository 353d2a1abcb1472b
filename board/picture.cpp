#include "board/picture.h"

#include "quiz/own_resources.h"
#include "quiz/picture_size.h"

#include <cstring>
#include <ole2.h>
#include <olectl.h>

namespace {

// Balances COM's set-up on every return path of one decoding.
struct ComScope {
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

template <typename T> struct Released {
    T* pointer = nullptr;
    ~Released()
    {
        if (pointer)
            pointer->Release();
    }
};

// Screen-compatible memory DCs with their selections undone on the way out.
struct MemoryDc {
    HDC dc;
    HGDIOBJ previous = nullptr;
    explicit MemoryDc(HDC screen) : dc(CreateCompatibleDC(screen)) {}
    ~MemoryDc()
    {
        if (previous)
            SelectObject(dc, previous);
        DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    void select(HGDIOBJ object) { previous = SelectObject(dc, object); }
};

}  // namespace

HBITMAP decodePicture(const void* bytes, std::size_t length)
{
    if (!bytes || length == 0 || length > 0x7FFFFFFF)
        return nullptr;
    // The decoder makes a bitmap of the stated size before anything else.
    if (!pictureSizeIsDecodable(statedPictureSize(static_cast<const uint8_t*>(bytes), length)))
        return nullptr;
    ComScope com;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
    if (!block)
        return nullptr;
    std::memcpy(block, bytes, length);
    Released<IStream> stream;
    // The stream owns the block from here on and frees it when released.
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream.pointer))) {
        GlobalFree(block);
        return nullptr;
    }
    Released<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.pointer, static_cast<LONG>(length), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.pointer)))
        || !picture.pointer)
        return nullptr;
    OLE_HANDLE handle = 0;
    if (FAILED(picture.pointer->get_Handle(&handle)) || !handle)
        return nullptr;
    return static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight)
{
    BITMAP size = {};
    if (!GetObjectA(source, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
        return nullptr;
    double scale = double(boxHeight) / size.bmHeight;
    if (double(boxWidth) / size.bmWidth < scale)
        scale = double(boxWidth) / size.bmWidth;
    int width = static_cast<int>(size.bmWidth * scale);
    int height = static_cast<int>(size.bmHeight * scale);

    HDC screen = GetDC(nullptr);
    HBITMAP fitted = CreateCompatibleBitmap(screen, width, height);
    if (fitted) {
        MemoryDc from(screen);
        MemoryDc to(screen);
        from.select(source);
        to.select(fitted);
        SetStretchBltMode(to.dc, HALFTONE);
        StretchBlt(to.dc, 0, 0, width, height, from.dc, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    return fitted;
}

HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight)
{
    OwnResource resource = findOwnResource(type, name);
    HBITMAP decoded = resource.whole ? decodePicture(resource.bytes, resource.size) : nullptr;
    if (!decoded)
        return nullptr;
    // Only the fitted copy is shown; the decoded one is not kept.
    HBITMAP fitted = fitBitmap(decoded, boxWidth, boxHeight);
    DeleteObject(decoded);
    return fitted;
}
