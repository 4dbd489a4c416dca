// PanelPicturesTest.cpp: the dot-matrix digit pictures of the score display.
#include "panels/PanelPictures.h"

#include "tests/gfx/ScreenTest.h"

#include <string>

namespace {

// The glyphs as they should look, one string per row, '#' a dot.
const char* const kGlyphs[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

using PanelPictures = gfxtest::ScreenTest;

// 20 x 28 pictures: each dot 3 x 3 on a 4-pixel pitch, on the frame's grey face.
TEST_F(PanelPictures, DigitsAreThreePixelDotsOnAFourPixelPitch) {
    const COLORREF colour = RGB(0, 255, 255);
    CDC ic;
    ASSERT_TRUE(ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    CBitmap frame;  // drawn as the preview and score display show it
    EXPECT_TRUE(BuildRaisedFrame(&ic, frame, 3, 3));
    for (int digit = -1; digit <= 10; ++digit) {
        SCOPED_TRACE("digit " + std::to_string(digit));
        CBitmap picture;
        ASSERT_EQ(BuildDigitPicture(&ic, picture, digit, colour), digit >= 0 && digit <= 9);
        const std::vector<COLORREF> px = gfxtest::read_pixels(picture);
        ASSERT_EQ(px.size(), digit >= 0 && digit <= 9 ? 560u : 0u);
        for (int p = 0; p < static_cast<int>(px.size()); ++p) {
            const int x = p % 20;
            const int y = p / 20;
            const bool dot = x % 4 < 3 && y % 4 < 3 && kGlyphs[digit][y / 4][x / 4] == '#';
            ASSERT_EQ(px[p], dot ? colour : gfxtest::kGrey) << x << ", " << y;
        }
    }
}

}  // namespace
