#include "board/picture.h"

#include "quiz/own_resources.h"
#include "quiz/picture_size.h"
#include "shell/late_bound.h"
#include "shell/startup_trace.h"

#include <cstring>
#include <olectl.h>

namespace {

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

// The decoder's libraries are loaded and set up by the first picture
// decoded in the process: threads that decode meanwhile (the workers, the
// window thread revealing a restored answer's picture) wait for that one
// instead of setting them up alongside it.
class FirstDecode {
public:
    FirstDecode() { InitializeCriticalSection(&lock_); }
    template <typename Decode> HBITMAP run(Decode decode)
    {
        if (InterlockedCompareExchange(&ready_, 0, 0))
            return decode();
        EnterCriticalSection(&lock_);
        bool first = !ready_;
        HBITMAP fitted = first ? decode() : nullptr;
        InterlockedExchange(&ready_, 1);
        LeaveCriticalSection(&lock_);
        return first ? fitted : decode();
    }

private:
    CRITICAL_SECTION lock_;
    volatile LONG ready_ = 0;
};

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
    ScreenDc() = default;
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

HBITMAP decodeAndFit(const void* bytes, std::size_t length, int boxWidth, int boxHeight, HDC screen)
{
    double since = startupClock();
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
    if (!block)
        return nullptr;
    std::memcpy(block, bytes, length);
    Released<IStream> stream;
    // The stream owns the block from here on and frees it when released.
    if (FAILED(createStreamOnHGlobal(block, TRUE, &stream.pointer))) {
        GlobalFree(block);
        return nullptr;
    }
    Released<IPicture> picture;
    if (FAILED(oleLoadPicture(stream.pointer, static_cast<LONG>(length), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.pointer)))
        || !picture.pointer)
        return nullptr;
    addStartupCost("picture decode (OleLoadPicture)", since);
    OLE_HANDLE handle = 0;
    if (FAILED(picture.pointer->get_Handle(&handle)) || !handle)
        return nullptr;
    // The picture's own bitmap is fitted while the picture holds it: a
    // copy to keep would cost more than the fitting.
    since = startupClock();
    HBITMAP fitted = fitBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), boxWidth, boxHeight, screen);
    addStartupCost("picture fit", since);
    return fitted;
}

}  // namespace

HBITMAP decodeFittedPicture(const void* bytes, std::size_t length, int boxWidth, int boxHeight, HDC screen)
{
    if (!bytes || length == 0 || length > 0x7FFFFFFF)
        return nullptr;
    // The decoder makes a bitmap of the stated size before anything else.
    if (!pictureSizeIsDecodable(statedPictureSize(static_cast<const uint8_t*>(bytes), length)))
        return nullptr;
    static FirstDecode firstDecode;
    return firstDecode.run([&] { return decodeAndFit(bytes, length, boxWidth, boxHeight, screen); });
}

HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight, HDC screen)
{
    BITMAP size = {};
    if (!GetObjectA(source, sizeof size, &size))
        return nullptr;
    PictureSize fittedSize = fittedPictureSize({true, size.bmWidth, size.bmHeight}, boxWidth, boxHeight);
    if (!fittedSize.known)
        return nullptr;
    HBITMAP fitted = CreateCompatibleBitmap(screen, fittedSize.width, fittedSize.height);
    if (fitted) {
        MemoryDc from(screen);
        MemoryDc to(screen);
        from.select(source);
        to.select(fitted);
        SetStretchBltMode(to.dc, HALFTONE);
        StretchBlt(to.dc, 0, 0, fittedSize.width, fittedSize.height, from.dc, 0, 0, size.bmWidth, size.bmHeight,
                   SRCCOPY);
    }
    return fitted;
}

void keepDecoderComOnWindowThread()
{
    static HRESULT com = comInitialize();
    (void)com;
}

HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight)
{
    keepDecoderComOnWindowThread();
    OwnResource resource = findOwnResource(type, name);
    if (!resource.whole)
        return nullptr;
    ScreenDc screen;
    return decodeFittedPicture(resource.bytes, resource.size, boxWidth, boxHeight, screen.dc);
}
