// PanelPicturesTest.cpp: the raised frame and the dot-matrix digit pictures.
#include "panels/PanelPictures.h"

#include "platform/win32/gdi/Screen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);

class PanelPictures : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
        ASSERT_TRUE(m_ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    }
    void TearDown() override {
        m_ic.DeleteDC();
        m_picture.DeleteObject();
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
    }
    COLORREF at(int x, int y) {
        CDC dc;
        dc.CreateCompatibleDC(&m_ic);
        CSelectGuard select(dc, m_picture);
        return select.IsSelected() ? dc.GetPixel(x, y) : CLR_INVALID;
    }
    void expect_size(int width, int height) {
        BITMAP bm{};
        ASSERT_EQ(m_picture.GetBitmap(&bm), static_cast<int>(sizeof(bm)));
        EXPECT_EQ(bm.bmWidth, width);
        EXPECT_EQ(bm.bmHeight, height);
        EXPECT_EQ(bm.bmBitsPixel, 8) << "in the display's format";
    }

    CDC m_ic;
    CBitmap m_picture;
    std::size_t m_gdi_baseline = 0;
};

TEST_F(PanelPictures, FrameIsARaisedGreyPanelOfItsSize) {
    const struct { int width, height; } sizes[] = {{88, 32}, {76, 36}, {3, 3}};
    for (const auto& size : sizes) {
        const int w = size.width;
        const int h = size.height;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        ASSERT_TRUE(BuildRaisedFrame(&m_ic, m_picture, w, h));
        expect_size(w, h);
        const struct {
            const char* name;
            int x, y;
            COLORREF expected;
        } cases[] = {
            {"top-left", 0, 0, kWhite},
            {"top edge", w / 2, 0, kWhite},
            {"left edge", 0, h / 2, kWhite},
            {"top-right: black over white", w - 1, 0, kBlack},
            {"bottom-left: black over white", 0, h - 1, kBlack},
            {"bottom edge", w / 2, h - 1, kBlack},
            {"right edge", w - 1, h / 2, kBlack},
            {"bottom-right", w - 1, h - 1, kBlack},
            {"face inside the top-left", 1, 1, kGrey},
            {"face inside the bottom-right", w - 2, h - 2, kGrey},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(at(c.x, c.y), c.expected);
        }
    }
}

TEST_F(PanelPictures, RebuildingTheFrameReplacesTheOldBitmap) {
    ASSERT_TRUE(BuildRaisedFrame(&m_ic, m_picture, 88, 32));
    const std::size_t alive = GdiAliveCountForTest();
    ASSERT_TRUE(BuildRaisedFrame(&m_ic, m_picture, 76, 36));
    EXPECT_EQ(GdiAliveCountForTest(), alive);
    expect_size(76, 36);
}

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

TEST_F(PanelPictures, DigitsAreThreePixelDotsOnAFourPixelPitch) {
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 255)};
    for (COLORREF colour : colours) {
        for (int digit = 0; digit <= 9; ++digit) {
            SCOPED_TRACE("digit " + std::to_string(digit));
            ASSERT_TRUE(BuildDigitPicture(&m_ic, m_picture, digit, colour));
            expect_size(20, 28);
            for (int r = 0; r < 7; ++r) {
                for (int k = 0; k < 5; ++k) {
                    const COLORREF dot = kGlyphs[digit][r][k] == '#' ? colour : kGrey;
                    const int x = 4 * k;
                    const int y = 4 * r;
                    ASSERT_EQ(at(x, y), dot) << "dot " << k << ", " << r;
                    ASSERT_EQ(at(x + 2, y + 2), dot) << "dot " << k << ", " << r;
                    ASSERT_EQ(at(x + 3, y + 1), kGrey) << "gap right of dot " << k << ", " << r;
                    ASSERT_EQ(at(x + 1, y + 3), kGrey) << "gap below dot " << k << ", " << r;
                }
            }
            EXPECT_EQ(at(19, 27), kGrey) << "last column and row stay grey";
        }
    }
}

TEST_F(PanelPictures, ADigitOutsideZeroToNineIsRefused) {
    for (int digit : {-1, 10}) {
        SCOPED_TRACE(digit);
        EXPECT_FALSE(BuildDigitPicture(&m_ic, m_picture, digit, kWhite));
        EXPECT_EQ(m_picture.GetSafeHandle(), nullptr);
    }
}

}  // namespace
