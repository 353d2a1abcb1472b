#include "board/picture.h"

#include "quiz/jpeg_decode.h"
#include "quiz/own_resources.h"
#include "quiz/picture_resample.h"
#include "quiz/picture_size.h"
#include "win32/late_bound.h"
#include "win32/scoped_handles.h"
#include "win32/startup_trace.h"

#include <cstring>
#include <new>
#include <vector>
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

// COM is set up on a thread only once it needs the platform's decoder:
// JPEGs the library decodes never do, so a quiz of them never loads the
// platform's picture decoder and imaging libraries at all.
thread_local bool comSetUpHere = false;

void setUpComHere()
{
    if (!comSetUpHere)
        comSetUpHere = SUCCEEDED(comInitialize());
}

// The source stretched onto a new screen-compatible bitmap of `fitted`.
HBITMAP stretchToSize(HBITMAP source, int sourceWidth, int sourceHeight, PictureSize fitted, HDC screen)
{
    HBITMAP result = CreateCompatibleBitmap(screen, fitted.width, fitted.height);
    if (result) {
        MemoryDc from(screen);
        MemoryDc to(screen);
        from.select(source);
        to.select(result);
        SetStretchBltMode(to.dc, HALFTONE);
        StretchBlt(to.dc, 0, 0, fitted.width, fitted.height, from.dc, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    }
    return result;
}

bool isJpeg(const void* bytes, std::size_t length)
{
    const auto* at = static_cast<const uint8_t*>(bytes);
    return length >= 2 && at[0] == 0xFF && at[1] == 0xD8;
}

// A top-down 32-bit DIB section of `size`, its pixels where `bits` points.
HBITMAP newTopDownDib(PictureSize size, HDC screen, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (dib && !*bits) {
        DeleteObject(dib);
        dib = nullptr;
    }
    return dib;
}

// The decoder's rows, in memory of the caller's thread: a window-system
// bitmap is made only for the fitted picture.
struct DecodedRows {
    std::vector<unsigned char> pixels;
};

unsigned char* rowsInMemory(void* context, int width, int height, int* stride)
{
    auto* rows = static_cast<DecodedRows*>(context);
    try {
        rows->pixels.resize(std::size_t(width) * std::size_t(height) * 4);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    *stride = width * 4;
    return rows->pixels.data();
}

// A JPEG decoded no larger than its fitted size needs, then fitted by the
// player's own resampling; null when the decoder finds anything amiss, for
// the platform's decoder to try as before.
HBITMAP decodeJpegAndFit(const void* bytes, std::size_t length, PictureSize stated, int boxWidth, int boxHeight,
                         HDC screen)
{
    double since = startupClock();
    PictureSize least = fittedPictureSize(stated, boxWidth, boxHeight);
    DecodedRows rows;
    JpegDecoded decoded = {};
    if (!least.known
        || !jpegDecodeCovering(static_cast<const unsigned char*>(bytes), length, least.width, least.height,
                               rowsInMemory, &rows, &decoded))
        return nullptr;
    addStartupCost("picture decode (libjpeg-turbo, reduced)", since);
    since = startupClock();
    PictureSize fitted = fittedPictureSize({true, decoded.imageWidth, decoded.imageHeight}, boxWidth, boxHeight);
    void* bits = nullptr;
    OwnedBitmap result;
    if (fitted.known)
        result.object = newTopDownDib(fitted, screen, &bits);
    if (!result.object
        || !resamplePixels({rows.pixels.data(), decoded.width, decoded.height, std::ptrdiff_t(decoded.width) * 4},
                           {static_cast<uint8_t*>(bits), fitted.width, fitted.height,
                            std::ptrdiff_t(fitted.width) * 4}))
        return nullptr;
    addStartupCost("picture fit", since);
    return result.release();
}

HBITMAP decodeOleAndFit(const void* bytes, std::size_t length, int boxWidth, int boxHeight, HDC screen)
{
    setUpComHere();
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
    // A decoder makes a bitmap of the stated size before anything else.
    PictureSize stated = statedPictureSize(static_cast<const uint8_t*>(bytes), length);
    if (!pictureSizeIsDecodable(stated))
        return nullptr;
    // The first picture of each decoder is decoded alone: the display, and
    // the platform decoder's libraries, are set up on first use.
    static FirstDecode firstDecode;
    static FirstDecode firstPlatformDecode;
    return firstDecode.run([&] {
        HBITMAP fitted = isJpeg(bytes, length) ? decodeJpegAndFit(bytes, length, stated, boxWidth, boxHeight, screen)
                                               : nullptr;
        return fitted ? fitted : firstPlatformDecode.run([&] {
            return decodeOleAndFit(bytes, length, boxWidth, boxHeight, screen);
        });
    });
}

HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight, HDC screen)
{
    BITMAP size = {};
    if (!GetObjectA(source, sizeof size, &size))
        return nullptr;
    PictureSize fittedSize = fittedPictureSize({true, size.bmWidth, size.bmHeight}, boxWidth, boxHeight);
    if (!fittedSize.known)
        return nullptr;
    return stretchToSize(source, size.bmWidth, size.bmHeight, fittedSize, screen);
}

void releaseDecoderComOfThisThread()
{
    if (comSetUpHere)
        comUninitialize();
    comSetUpHere = false;
}

HBITMAP decodeOwnPicture(const OwnResource& resource, int boxWidth, int boxHeight, HDC screen)
{
    if (!resource.whole)
        return nullptr;
    // A copy of a very large picture would take as much address space again
    // on each thread decoding one, which a 32-bit player of large media does
    // not have to spare: such pictures are read where they are mapped.
    constexpr DWORD largestCopied = 16 * 1024 * 1024;
    std::vector<uint8_t> copy;
    bool copied = resource.size <= largestCopied && readOwnResource(resource, copy);
    return decodeFittedPicture(copied ? copy.data() : resource.bytes, resource.size, boxWidth, boxHeight, screen);
}

PictureSize statedSizeOfOwnPicture(const OwnResource& resource)
{
    if (!resource.whole)
        return {};
    // A JPEG states its size within its first few kilobytes, unless it
    // carries a large thumbnail or notes first; its size read from fewer
    // bytes is its size or none. Those others, and GIFs, whose first image
    // may state a larger size further on, are read where they are mapped.
    constexpr DWORD headerBytes = 8192;
    std::vector<uint8_t> start;
    if (readOwnResource(resource, start, headerBytes)) {
        PictureSize stated = statedPictureSize(start.data(), start.size());
        if (start.size() == resource.size || (stated.known && isJpeg(start.data(), start.size())))
            return stated;
    }
    return statedPictureSize(resource.bytes, resource.size);
}

HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight)
{
    OwnResource resource = findOwnResource(type, name);
    if (!resource.whole)
        return nullptr;
    WindowDc screen(nullptr);
    return decodeOwnPicture(resource, boxWidth, boxHeight, screen.dc);
}
