// MaskedDrawTest.cpp: masks of pictures whose white is transparent, and drawing through them.
#include "gfx/MaskedDraw.h"
#include "tests/gfx/ScreenTest.h"

#include <string>
#include <vector>

namespace {

using gfxtest::read_pixels;

// Rows of letters: W white (the key), k black, r red, g green, t teal, p purple.
std::vector<COLORREF> colors_of(const std::vector<std::string>& rows) {
    const COLORREF colors[] = {0xFFFFFF, 0, 0xFF, 0x8000, 0x808000, 0x800080};
    std::vector<COLORREF> out;
    for (const std::string& row : rows) {
        for (char c : row) {
            out.push_back(colors[std::string("Wkrgtp").find(c)]);
        }
    }
    return out;
}

// An 8-bit device bitmap, as LoadBitmapA gives, painted from letters.
void paint(CBitmap& bitmap, const std::vector<std::string>& rows) {
    const int w = static_cast<int>(rows[0].size());
    CDC ic, dc;
    ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&ic, w, static_cast<int>(rows.size()));
    CSelectGuard select(dc, bitmap);
    const std::vector<COLORREF> colors = colors_of(rows);
    for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
        dc.SetPixelV(i % w, i / w, colors[i]);
    }
}

using MaskedDraw = gfxtest::ScreenTest;

TEST_F(MaskedDraw, MaskKeysExactWhiteAndDrawingNeedsBothBitmaps) {
    CBitmap picture, mask, target, empty;
    paint(picture, {"Wrgk", "rWkW"});
    paint(target, {"tttttt", "pppppp", "tttttt"});
    EXPECT_FALSE(MakeMask(&empty, &mask));
    EXPECT_FALSE(MakeMask(nullptr, &mask));
    EXPECT_FALSE(MakeMask(&picture, nullptr));
    {
        // A picture held by another context cannot be read; the new mask is not kept.
        CDC holder;
        holder.CreateCompatibleDC(nullptr);
        CSelectGuard held(holder, picture);
        EXPECT_FALSE(MakeMask(&picture, &mask));
    }
    EXPECT_EQ(mask.GetSafeHandle(), nullptr);
    ASSERT_TRUE(MakeMask(&picture, &mask));
    HGDIOBJ first = mask.GetSafeHandle();
    EXPECT_FALSE(MakeMask(&picture, &mask)) << "a mask holding a bitmap keeps it";
    EXPECT_EQ(mask.GetSafeHandle(), first);
    BITMAP bm{};
    mask.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(read_pixels(mask), colors_of({"kWWW", "WkWk"})) << "black where the key is";
    const auto drawn = [&](bool dc, CBitmap* p, CBitmap* m) {
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        {
            CSelectGuard select(memory, target);
            DrawMasked(dc ? &memory : nullptr, CRect(1, 1, 5, 3), p, m);
        }
        return read_pixels(target);
    };
    const std::vector<COLORREF> stripes = colors_of({"tttttt", "pppppp", "tttttt"});
    EXPECT_EQ(drawn(true, &picture, &empty), stripes);
    EXPECT_EQ(drawn(true, &empty, &mask), stripes);
    EXPECT_EQ(drawn(false, &picture, &mask), stripes);
    EXPECT_EQ(drawn(true, &picture, &mask), colors_of({"tttttt", "pprgkp", "trtktt"}));
    // Picture and mask were put back: both can be read again.
    EXPECT_EQ(read_pixels(picture), colors_of({"Wrgk", "rWkW"}));
    EXPECT_EQ(read_pixels(mask), colors_of({"kWWW", "WkWk"}));
}

}  // namespace
