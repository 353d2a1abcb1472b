// How near the board's pictures come to what the platform's own decoder
// makes of the same files, fitted by the platform's halftone stretch: JPEGs
// are decoded at a reduced scale by the player's own decoder and fitted by
// its own resampling, so their pixels may differ a little; every file that decoder turns away goes to the platform's, and
// then shows exactly as the platform makes it.
#include "quiz/picture_size.h"
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// How far a reduced decoding may stray from the platform's pixels, per
// colour channel over every pixel the board shows inside the control's
// border: the mean and the largest difference.
struct Tolerance {
    double mean;
    int largest;
};
// Photos: the reduced inverse DCT and the player's own resampling smooth a
// little differently from the platform's stretch of the whole picture
// (measured: means under 3.5, largest 23).
constexpr Tolerance photoTolerance = {4.0, 32};
// Two flat halves: only the row across the edge blends differently
// (measured: mean 0.4, largest 97).
constexpr Tolerance edgeTolerance = {1.0, 128};
// Files the player's decoder turns away show the platform's own pixels.
constexpr Tolerance exactly = {0.0, 0};

struct FidelityRow {
    const char* picture;
    Tolerance tolerance;
};

const FidelityRow fidelityRows[] = {
    {"photo1.jpg", photoTolerance},  // 800 x 600: decoded at 3/8
    {"photo2.jpg", photoTolerance},
    {"photo3.jpg", photoTolerance},
    {"gray800x600.jpg", photoTolerance},
    {"full1000x750.jpg", photoTolerance},  // colours not subsampled
    {"square130.jpg", edgeTolerance},      // decoded whole, then enlarged
    {"wide520x260.jpg", edgeTolerance},    // decoded at 4/8: already the fitted size
    {"progressive520x390.jpg", edgeTolerance},
    {"cmyk800x600.jpg", exactly},
    {"cut-photo1.jpg", exactly},  // half its data: the decoder warns, so it is not used
};

// 32-bit pixels, top row first.
struct Pixels {
    int width = 0, height = 0;
    std::vector<RGBQUAD> at;
};

Pixels pixelsOf(HDC dc, HBITMAP bitmap, int width, int height)
{
    Pixels pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.at.resize(std::size_t(width) * std::size_t(height));
    if (GetDIBits(dc, bitmap, 0, UINT(height), pixels.at.data(), &info, DIB_RGB_COLORS) == height) {
        pixels.width = width;
        pixels.height = height;
    }
    return pixels;
}

// What the platform's decoder makes of a file, fitted into the board's
// square with the stretch mode the board uses; none when it cannot decode it.
Pixels platformFitted(const std::string& bytes)
{
    Pixels fitted;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
    if (!block)
        return fitted;
    std::memcpy(block, bytes.data(), bytes.size());
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return fitted;
    }
    IPicture* picture = nullptr;
    OLE_HANDLE handle = 0;
    BITMAP size = {};
    if (SUCCEEDED(OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture)))
        && picture && SUCCEEDED(picture->get_Handle(&handle)) && handle) {
        HBITMAP source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        GetObjectA(source, sizeof size, &size);
        PictureSize box = fittedPictureSize({true, size.bmWidth, size.bmHeight}, 260, 260);
        HDC screen = GetDC(nullptr);
        HDC from = CreateCompatibleDC(screen);
        HDC to = CreateCompatibleDC(screen);
        HBITMAP result = CreateCompatibleBitmap(screen, box.width, box.height);
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, result);
        SetStretchBltMode(to, HALFTONE);
        StretchBlt(to, 0, 0, box.width, box.height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        fitted = pixelsOf(screen, result, box.width, box.height);
        DeleteObject(result);
        DeleteDC(to);
        DeleteDC(from);
        ReleaseDC(nullptr, screen);
    }
    if (picture)
        picture->Release();
    stream->Release();
    return fitted;
}

// What the screen shows of a window's rectangle.
Pixels onScreen(HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(copy, shot);
    BitBlt(copy, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(copy, old);
    Pixels pixels = pixelsOf(screen, shot, width, height);
    DeleteObject(shot);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
}

struct Difference {
    double mean = -1;  // -1: not comparable (sizes differ)
    int largest = 0;
};

// The part of a control that the board shows, in the control's window
// coordinates: the board's right edge cuts its third column.
RECT visiblePart(HWND control, HWND board)
{
    RECT rect = {}, client = {}, visible = {};
    GetWindowRect(control, &rect);
    GetClientRect(board, &client);
    MapWindowPoints(board, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&visible, &rect, &client);
    OffsetRect(&visible, -rect.left, -rect.top);
    return visible;
}

// The picture inside the control's 1-pixel border, where the board shows
// it, against the same pixels of the fitted picture: the control is the
// picture's size, border included, and centres the picture in what the
// border leaves.
Difference differenceInsideBorder(const Pixels& shown, const Pixels& expected, RECT visible)
{
    Difference difference;
    if (shown.width != expected.width || shown.height != expected.height)
        return difference;
    long long sum = 0, count = 0;
    for (int y = std::max(1, int(visible.top)); y + 1 < shown.height && y < visible.bottom; ++y)
        for (int x = std::max(1, int(visible.left)); x + 1 < shown.width && x < visible.right; ++x) {
            const RGBQUAD& a = shown.at[std::size_t(y) * std::size_t(shown.width) + std::size_t(x)];
            const RGBQUAD& b = expected.at[std::size_t(y) * std::size_t(expected.width) + std::size_t(x)];
            for (int channel : {std::abs(a.rgbRed - b.rgbRed), std::abs(a.rgbGreen - b.rgbGreen),
                                std::abs(a.rgbBlue - b.rgbBlue)}) {
                sum += channel;
                ++count;
                difference.largest = std::max(difference.largest, channel);
            }
        }
    if (count > 0)
        difference.mean = double(sum) / double(count);
    return difference;
}

bool withinTolerance(const Difference& difference, const Tolerance& tolerance)
{
    return difference.mean >= 0 && difference.mean <= tolerance.mean && difference.largest <= tolerance.largest;
}

TEST(PictureFidelity, EveryJpegIsWithinTheToleranceOfThePlatformsOwnPixels)
{
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    std::vector<std::string> pictures;
    for (const FidelityRow& row : fidelityRows)
        pictures.push_back(row.picture);
    MediaQuiz quiz = mediaQuiz("picture", int(pictures.size()), pictures);
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-picture-fidelity", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    int entry = 0;
    for (const FidelityRow& row : fidelityRows) {
        ++entry;
        SCOPED_TRACE(std::string("entry ") + std::to_string(entry) + ", \"" + row.picture + "\"");
        Pixels expected = platformFitted(mediaFixtureBytes(row.picture));
        HWND control = run.boardItem(pictureControlId(entry));
        ASSERT_NE(control, nullptr);
        if (expected.width == 0) {
            // What the platform cannot decode stays empty, as before.
            EXPECT_EQ(row.tolerance.largest, 0);
            EXPECT_EQ(shownBitmap(control), 0);
            std::printf("[ fidelity ] %-24s not decoded by the platform: nothing shown\n", row.picture);
            continue;
        }
        ASSERT_TRUE(scrollIntoView(run, control));
        // Read until the control has painted what it holds.
        Difference difference;
        waitUntil([&] {
            difference = differenceInsideBorder(onScreen(control), expected, visiblePart(control, run.board()));
            return withinTolerance(difference, row.tolerance);
        });
        std::printf("[ fidelity ] %-24s mean %.3f, largest %d\n", row.picture, difference.mean, difference.largest);
        EXPECT_TRUE(withinTolerance(difference, row.tolerance))
            << "mean difference " << difference.mean << ", largest " << difference.largest << "; allowed: mean "
            << row.tolerance.mean << ", largest " << row.tolerance.largest;
    }
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    CoUninitialize();
}

}  // namespace
