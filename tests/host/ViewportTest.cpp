// ViewportTest.cpp: integer-scaled placement of the screen and pointer mapping back to it.
#include "platform/host/Viewport.h"

#include <gtest/gtest.h>

namespace {

using host::ScreenPoint;
using host::Viewport;

TEST(Viewport, LargestScaleThatFits) {
    struct Case {
        const char* name;
        int avail_w, avail_h;
        int expected;
    };
    const Case cases[] = {
        {"exactly one screen", 640, 480, 1},
        {"one pixel short still gives 1", 639, 479, 1},
        {"full HD usable area", 1920, 1040, 2},
        {"height limits", 2560, 1400, 2},
        {"width limits", 1300, 2000, 2},
        {"4K", 3840, 2112, 4},
        {"nothing", 0, 0, 1},
        {"negative", -5, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(host::largest_scale(c.avail_w, c.avail_h, 640, 480), c.expected);
    }
}

TEST(Viewport, ScreenIsCentredAtTheRequestedOrLargestScale) {
    struct Case {
        const char* name;
        int out_w, out_h;
        std::optional<int> requested;
        Viewport expected;
    };
    const Case cases[] = {
        {"window of the screen's size", 1280, 960, 2, {0, 0, 2}},
        {"fullscreen 1920x1080, largest", 1920, 1080, std::nullopt, {320, 60, 2}},
        {"fullscreen 1920x1080 at 1", 1920, 1080, 1, {640, 300, 1}},
        {"requested 3 does not fit", 1920, 1080, 3, {320, 60, 2}},
        {"requested 0 is ignored", 1280, 960, 0, {0, 0, 2}},
        {"odd border splits down", 641, 481, std::nullopt, {0, 0, 1}},
        {"output smaller than the screen", 320, 200, std::nullopt, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(host::place_screen(c.out_w, c.out_h, 640, 480, c.requested), c.expected);
    }
}

TEST(Viewport, WindowPixelsMapToScreenPixelsWithFloorInTheBorder) {
    struct Case {
        const char* name;
        Viewport viewport;
        int wx, wy;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"scale 1 origin", {0, 0, 1}, 0, 0, {0, 0}},
        {"scale 2 both pixels of a cell", {0, 0, 2}, 201, 200, {100, 100}},
        {"scale 2 last pixel", {0, 0, 2}, 1279, 959, {639, 479}},
        {"scale 2 past the right edge", {0, 0, 2}, 1280, 959, {640, 479}},
        {"letterboxed top-left corner", {320, 60, 2}, 320, 60, {0, 0}},
        {"letterboxed left border", {320, 60, 2}, 319, 59, {-1, -1}},
        {"letterboxed far left", {320, 60, 2}, 0, 0, {-160, -30}},
        {"scale 3 inside", {10, 20, 3}, 10 + 3 * 7 + 2, 20 + 3 * 5, {7, 5}},
        {"zero scale treated as 1", {0, 0, 0}, 5, 6, {5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(host::window_to_screen(c.viewport, c.wx, c.wy), c.expected);
    }
}

}  // namespace
