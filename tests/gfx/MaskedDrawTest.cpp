// MaskedDrawTest.cpp: masks of pictures whose white is transparent, and drawing through them.
#include "gfx/MaskedDraw.h"
#include "platform/win32/gdi/Screen.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gfxtest::read_pixels;

// A palette-relative RGB: the nearest entry of the DC's logical palette.
constexpr COLORREF kNearWhite = RGB(255, 255, 254);
constexpr COLORREF kNearWhiteFromPalette = 0x02000000 | kNearWhite;

// Picture letters: W is the transparent key, n the opaque near-white from the test palette.
COLORREF color_of(char c) {
    switch (c) {
        case 'W':
            return RGB(255, 255, 255);
        case 'n':
            return kNearWhite;
        case 'k':
            return RGB(0, 0, 0);
        case 'r':
            return RGB(255, 0, 0);
        case 'm':
            return RGB(128, 0, 0);
        case 'g':
            return RGB(0, 128, 0);
        case 'b':
            return RGB(0, 0, 255);
        case 'y':
            return RGB(255, 255, 0);
        case 't':
            return RGB(0, 128, 128);
        case 'p':
            return RGB(128, 0, 128);
        default:
            ADD_FAILURE() << "unknown letter " << c;
            return 0;
    }
}

using Picture = std::vector<std::string>;

class MaskedDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
        // One logical colour, RGB(255,255,254), realised into a free system slot so a picture
        // can hold it exactly.
        LOGPALETTE lp{0x300, 1, {{255, 255, 254, 0}}};
        ASSERT_TRUE(m_palette.CreatePalette(&lp));
    }
    void TearDown() override {
        m_palette.DeleteObject();
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
    }

    // An 8-bit device bitmap, as LoadBitmapA gives, painted from letters.
    void paint(CBitmap& bitmap, const Picture& rows) {
        const int w = static_cast<int>(rows[0].size());
        const int h = static_cast<int>(rows.size());
        HDC screen = GetDC(nullptr);
        ASSERT_TRUE(bitmap.Attach(CreateCompatibleBitmap(screen, w, h)));
        ReleaseDC(nullptr, screen);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap.GetSafeHandle());
        HPALETTE old_palette = SelectPalette(dc, m_palette, FALSE);
        RealizePalette(dc);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const char c = rows[y][x];
                SetPixelV(dc, x, y, c == 'n' ? kNearWhiteFromPalette : color_of(c));
            }
        }
        SelectPalette(dc, old_palette, FALSE);
        SelectObject(dc, old);
        DeleteDC(dc);
    }

    static std::vector<COLORREF> colors_of(const Picture& rows) {
        std::vector<COLORREF> out;
        for (const std::string& row : rows) {
            for (char c : row) {
                out.push_back(color_of(c));
            }
        }
        return out;
    }

    CPalette m_palette;
    std::size_t m_gdi_baseline = 0;
};

struct MaskCase {
    const char* name;
    Picture picture;
    Picture mask;  // k: key (bit 0), W: opaque (bit 1)
};

const MaskCase kMaskCases[] = {
    {"all white: all key", {"WWWW", "WWWW", "WWWW"}, {"kkkk", "kkkk", "kkkk"}},
    {"no white: all opaque", {"rgbk", "mtpy", "kkkk"}, {"WWWW", "WWWW", "WWWW"}},
    {"255,255,254 is opaque", {"nWnW", "WnWn", "nnnn"}, {"WkWk", "kWkW", "WWWW"}},
    {"mixed", {"Wrrr", "rWgW", "kkkW"}, {"kWWW", "WkWk", "WWWk"}},
};

TEST_F(MaskedDraw, MaskIsBlackExactlyWhereThePictureIsWhite) {
    for (const MaskCase& c : kMaskCases) {
        SCOPED_TRACE(c.name);
        CBitmap picture;
        paint(picture, c.picture);
        ASSERT_EQ(read_pixels(static_cast<HBITMAP>(picture.GetSafeHandle())), colors_of(c.picture))
            << "the test picture itself";
        CBitmap mask;
        ASSERT_TRUE(MakeMask(&picture, &mask));
        BITMAP bm{};
        ASSERT_NE(mask.GetBitmap(&bm), 0);
        EXPECT_EQ(bm.bmWidth, 4);
        EXPECT_EQ(bm.bmHeight, 3);
        EXPECT_EQ(bm.bmBitsPixel, 1);
        EXPECT_EQ(read_pixels(static_cast<HBITMAP>(mask.GetSafeHandle())), colors_of(c.mask));
    }
}

// A 6 x 5 target of teal and purple stripes, so that an untouched pixel is recognisable.
const Picture kTarget = {"tttttt", "pppppp", "tttttt", "pppppp", "tttttt"};

TEST_F(MaskedDraw, TargetShowsThroughWhiteAndThePictureElsewhere) {
    for (const MaskCase& c : kMaskCases) {
        SCOPED_TRACE(c.name);
        CBitmap picture, mask, target;
        paint(picture, c.picture);
        ASSERT_TRUE(MakeMask(&picture, &mask));
        paint(target, kTarget);

        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        HBITMAP old = dc.SelectObject(&target);
        DrawMasked(&dc, CRect(1, 2, 5, 5), &picture, &mask);
        dc.SelectObject(old);

        // The picture lands at (1, 2); white and everything outside keep the stripes.
        Picture expected = kTarget;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                if (c.picture[y][x] != 'W') {
                    expected[y + 2][x + 1] = c.picture[y][x];
                }
            }
        }
        EXPECT_EQ(read_pixels(static_cast<HBITMAP>(target.GetSafeHandle())), colors_of(expected));
    }
}

struct ColourCase {
    const char* name;
    COLORREF text, background;
    COLORREF key_result, opaque_result;
};

// Target green (index 2), picture maroon (index 1) and white (255). Step one ORs the target
// with the mask expanded to text colour (key bits) or background colour (opaque bits); step
// two ANDs the picture: key = (2 | text) & 255, opaque = (2 | background) & 1.
const ColourCase kColourCases[] = {
    {"defaults: black text, white background", RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 128, 0),
     RGB(128, 0, 0)},
    // Red is index 249: 2 | 249 = 251, yellow.
    {"red text spoils the key pixels", RGB(255, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0),
     RGB(128, 0, 0)},
    // Navy is index 4: (2 | 4) & 1 = 0, black.
    {"navy background spoils the opaque pixels", RGB(0, 0, 0), RGB(0, 0, 128), RGB(0, 128, 0),
     RGB(0, 0, 0)},
    {"both spoiled", RGB(255, 0, 0), RGB(0, 0, 128), RGB(255, 255, 0), RGB(0, 0, 0)},
};

TEST_F(MaskedDraw, TargetColoursExpandTheMask) {
    for (const ColourCase& c : kColourCases) {
        SCOPED_TRACE(c.name);
        CBitmap picture, mask, target;
        paint(picture, {"Wm"});
        ASSERT_TRUE(MakeMask(&picture, &mask));
        paint(target, {"gg"});
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        HBITMAP old = dc.SelectObject(&target);
        dc.SetTextColor(c.text);
        dc.SetBkColor(c.background);
        DrawMasked(&dc, CRect(0, 0, 2, 1), &picture, &mask);
        EXPECT_EQ(dc.GetPixel(0, 0), c.key_result);
        EXPECT_EQ(dc.GetPixel(1, 0), c.opaque_result);
        dc.SelectObject(old);
    }
}

TEST_F(MaskedDraw, UnpreparedContextsDrawNothing) {
    CBitmap picture, mask, target, empty;
    paint(picture, {"rg", "bW"});
    ASSERT_TRUE(MakeMask(&picture, &mask));
    paint(target, {"tt", "pp"});
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HBITMAP old = dc.SelectObject(&target);

    DrawMasked(&dc, CRect(0, 0, 2, 2), &empty, &mask);
    DrawMasked(&dc, CRect(0, 0, 2, 2), &picture, &empty);
    DrawMasked(&dc, CRect(0, 0, 2, 2), nullptr, nullptr);
    DrawMasked(nullptr, CRect(0, 0, 2, 2), &picture, &mask);
    // A picture held by another context cannot be selected.
    CDC holder;
    ASSERT_TRUE(holder.CreateCompatibleDC(nullptr));
    HBITMAP held = holder.SelectObject(&picture);
    ASSERT_NE(held, nullptr);
    DrawMasked(&dc, CRect(0, 0, 2, 2), &picture, &mask);
    holder.SelectObject(held);

    dc.SelectObject(old);
    EXPECT_EQ(read_pixels(static_cast<HBITMAP>(target.GetSafeHandle())), colors_of({"tt", "pp"}));
    // The mask was put back each time: it can still be selected and deleted.
    EXPECT_TRUE(mask.DeleteObject());
}

TEST_F(MaskedDraw, MakeMaskRefusalsLeaveTheMaskAsItWas) {
    CBitmap picture, empty;
    paint(picture, {"rW"});

    CBitmap mask;
    EXPECT_FALSE(MakeMask(&empty, &mask));
    EXPECT_EQ(mask.GetSafeHandle(), nullptr);
    EXPECT_FALSE(MakeMask(nullptr, &mask));
    EXPECT_FALSE(MakeMask(&picture, nullptr));

    // A picture held by another context cannot be selected; the new mask is not kept.
    CDC holder;
    ASSERT_TRUE(holder.CreateCompatibleDC(nullptr));
    HBITMAP held = holder.SelectObject(&picture);
    ASSERT_NE(held, nullptr);
    const std::size_t alive = GdiAliveCountForTest();
    EXPECT_FALSE(MakeMask(&picture, &mask));
    EXPECT_EQ(mask.GetSafeHandle(), nullptr);
    EXPECT_EQ(GdiAliveCountForTest(), alive);
    holder.SelectObject(held);

    // A mask that already holds a bitmap keeps it.
    ASSERT_TRUE(MakeMask(&picture, &mask));
    HGDIOBJ first = mask.GetSafeHandle();
    EXPECT_FALSE(MakeMask(&picture, &mask));
    EXPECT_EQ(mask.GetSafeHandle(), first);
}

}  // namespace
