// MaskedDrawTest.cpp: masks of pictures whose white is transparent, and drawing through them.
#include "gfx/MaskedDraw.h"
#include "tests/gfx/ScreenTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gfxtest::read_pixels;

// Pictures as rows of letters: W white (the key), k black, r red, g green, t teal, p purple.
std::vector<COLORREF> colors_of(const std::vector<std::string>& rows) {
    const std::string letters = "Wkrgtp";
    const COLORREF colors[] = {RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 0, 0),
                               RGB(0, 128, 0),     RGB(0, 128, 128), RGB(128, 0, 128)};
    std::vector<COLORREF> out;
    for (const std::string& row : rows) {
        for (char c : row) {
            out.push_back(colors[letters.find(c)]);
        }
    }
    return out;
}

class MaskedDraw : public gfxtest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        m_dc.CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        m_dc.DeleteDC();
        ScreenTest::TearDown();
    }
    // An 8-bit device bitmap, as LoadBitmapA gives, painted from letters.
    void paint(CBitmap& bitmap, const std::vector<std::string>& rows) {
        const int w = static_cast<int>(rows[0].size());
        HDC screen = GetDC(nullptr);
        bitmap.Attach(CreateCompatibleBitmap(screen, w, static_cast<int>(rows.size())));
        ReleaseDC(nullptr, screen);
        CSelectGuard select(m_dc, bitmap);
        const std::vector<COLORREF> colors = colors_of(rows);
        for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
            m_dc.SetPixelV(i % w, i / w, colors[i]);
        }
    }
    CDC m_dc;
};

TEST_F(MaskedDraw, TheTargetShowsThroughWhiteOnlyAndNothingIsDrawnWithoutBothBitmaps) {
    CBitmap picture, mask, target, empty;
    paint(picture, {"Wrgk", "rWkW"});
    paint(target, {"tttttt", "pppppp", "tttttt"});
    ASSERT_TRUE(MakeMask(&picture, &mask));
    BITMAP bm{};
    mask.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(read_pixels(mask), colors_of({"kWWW", "WkWk"})) << "black where the key is";
    const auto drawn = [&](CDC* dc, CBitmap* p, CBitmap* m) {
        {
            CSelectGuard select(m_dc, target);
            DrawMasked(dc, CRect(1, 1, 5, 3), p, m);
        }
        return read_pixels(target);
    };
    const std::vector<COLORREF> stripes = colors_of({"tttttt", "pppppp", "tttttt"});
    EXPECT_EQ(drawn(&m_dc, &picture, &empty), stripes);
    EXPECT_EQ(drawn(&m_dc, &empty, &mask), stripes);
    EXPECT_EQ(drawn(nullptr, &picture, &mask), stripes);
    EXPECT_EQ(drawn(&m_dc, &picture, &mask), colors_of({"tttttt", "pprgkp", "trtktt"}));
    // Picture and mask were put back: both can be selected again.
    EXPECT_EQ(read_pixels(picture), colors_of({"Wrgk", "rWkW"}));
    EXPECT_EQ(read_pixels(mask), colors_of({"kWWW", "WkWk"}));
}

TEST_F(MaskedDraw, MakeMaskRefusalsLeaveTheMaskAsItWas) {
    CBitmap picture, empty, mask;
    paint(picture, {"rW"});
    EXPECT_FALSE(MakeMask(&empty, &mask));
    EXPECT_FALSE(MakeMask(nullptr, &mask));
    EXPECT_FALSE(MakeMask(&picture, nullptr));
    {
        // A picture held by another context cannot be read; the new mask is not kept.
        CSelectGuard held(m_dc, picture);
        EXPECT_FALSE(MakeMask(&picture, &mask));
    }
    EXPECT_EQ(mask.GetSafeHandle(), nullptr);
    // A mask that already holds a bitmap keeps it.
    ASSERT_TRUE(MakeMask(&picture, &mask));
    HGDIOBJ first = mask.GetSafeHandle();
    EXPECT_FALSE(MakeMask(&picture, &mask));
    EXPECT_EQ(mask.GetSafeHandle(), first);
}

}  // namespace
