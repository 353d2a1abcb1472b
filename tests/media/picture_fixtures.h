// The test pictures that make-fixtures draws: their sizes and the colours
// of their top and bottom halves, so a test can tell on screen which
// picture shows and that it stands right side up.
#pragma once

#include "tests/e2e/player_driver.h"
#include "tests/media/media_driver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

struct PictureFixture {
    const char* name;
    int width, height;
    Colour top, bottom;
    int tolerance;  // per colour channel: JPEG stores colours only nearly
};

inline const PictureFixture& pictureFixture(const std::string& name)
{
    static const PictureFixture fixtures[] = {
        {"fill260.bmp", 260, 260, rgb(0xC8, 0x1E, 0x1E), rgb(0x1E, 0x1E, 0xC8), 0},
        {"wide130x65.bmp", 130, 65, rgb(0x1E, 0xA0, 0x1E), rgb(0xF0, 0xC8, 0x00), 0},
        {"wide520x260.jpg", 520, 260, rgb(0xC8, 0x3C, 0xA0), rgb(0x00, 0x80, 0x80), 12},
        {"square520.gif", 520, 520, rgb(0xFF, 0x80, 0x00), rgb(0x00, 0x00, 0x80), 0},
        {"square130.jpg", 130, 130, rgb(0xF0, 0xF0, 0xF0), rgb(0x20, 0x20, 0x20), 12},
        {"wide200x100.bmp", 200, 100, rgb(0xFF, 0xFF, 0x00), rgb(0x80, 0x00, 0x00), 0},
        {"tall100x200.gif", 100, 200, rgb(0x00, 0xC0, 0xFF), rgb(0xC0, 0x00, 0xC0), 0},
        {"progressive520x390.jpg", 520, 390, rgb(0x20, 0x60, 0xE0), rgb(0xE0, 0xA0, 0x20), 12},
        {"interlaced130x104.gif", 130, 104, rgb(0x40, 0xE0, 0x40), rgb(0x60, 0x20, 0xA0), 0},
        {"screen130top.gif", 130, 65, rgb(0xE0, 0x40, 0x40), rgb(0x40, 0x40, 0xE0), 0},
        {"screen130bottom.gif", 130, 65, rgb(0xE0, 0x40, 0x40), rgb(0x40, 0x40, 0xE0), 0},
        {"photo4000x3000.jpg", 4000, 3000, rgb(0xD0, 0x40, 0x10), rgb(0x10, 0x70, 0xB0), 12},
        {"photo1200x1600.png", 1200, 1600, rgb(0x30, 0xA0, 0x40), rgb(0xE0, 0xD0, 0x20), 12},
    };
    for (const PictureFixture& fixture : fixtures)
        if (name == fixture.name)
            return fixture;
    static const PictureFixture unknown = {"", 0, 0, {CLR_INVALID}, {CLR_INVALID}, 0};
    return unknown;
}

// Whether a picture control shows that test picture: scrolled into view,
// the middle of its top half and of its bottom half have the picture's
// colours on screen.
inline testing::AssertionResult showsPicture(const PlayerRun& run, HWND control, const std::string& name)
{
    const PictureFixture& fixture = pictureFixture(name);
    if (!control || !*fixture.name)
        return testing::AssertionFailure() << "no control, or no test picture \"" << name << "\"";
    if (!scrollIntoView(run, control))
        return testing::AssertionFailure() << "the control cannot be scrolled into view";
    Placement at = run.placementIn(control, run.board());
    Colour top = colourNear(control, at.width / 2, at.height / 4, fixture.top, fixture.tolerance);
    Colour bottom = colourNear(control, at.width / 2, at.height * 3 / 4, fixture.bottom, fixture.tolerance);
    if (coloursClose(top, fixture.top, fixture.tolerance) && coloursClose(bottom, fixture.bottom, fixture.tolerance))
        return testing::AssertionSuccess();
    std::ostringstream seen;
    seen << "\"" << name << "\" has " << fixture.top << " above " << fixture.bottom << "; the control at " << at
         << " shows " << top << " above " << bottom;
    return testing::AssertionFailure() << seen.str();
}
