// ColorTest.cpp: COLORREF to device values, GetPixel, and monochrome/colour conversions.
#include "tests/gdi/GdiTestSupport.h"

namespace {

using namespace gdi_test;

using Colors = GdiTest;

struct NearestCase {
    const char* name;
    COLORREF color;
    int index;
};

TEST_F(Colors, PenColoursTakeTheNearestStaticColour) {
    const NearestCase cases[] = {
        {"black", RGB(0, 0, 0), 0},
        {"dark red", RGB(128, 0, 0), 1},
        {"teal", RGB(0, 128, 128), 6},
        {"light grey", RGB(192, 192, 192), 7},
        {"money green", RGB(192, 220, 192), 8},
        {"sky blue", RGB(166, 202, 240), 9},
        {"cream", RGB(255, 251, 240), 246},
        {"medium grey", RGB(160, 160, 164), 247},
        {"dark grey", RGB(128, 128, 128), 248},
        {"red", RGB(255, 0, 0), 249},
        {"lime", RGB(0, 255, 0), 250},
        {"yellow", RGB(255, 255, 0), 251},
        {"blue", RGB(0, 0, 255), 252},
        {"magenta", RGB(255, 0, 255), 253},
        {"cyan", RGB(0, 255, 255), 254},
        {"white", RGB(255, 255, 255), 255},
        {"info background snaps to cream (d2 241)", RGB(255, 255, 225), 246},
        {"near navy", RGB(0, 0, 100), 4},
        {"tie between black and dark red keeps the first", RGB(64, 0, 0), 0},
        {"grey 96 goes to dark grey", RGB(96, 96, 96), 248},
        {"palette index 12 of the default palette", PALETTEINDEX(12), 248},
        {"palette index 3 of the default palette", PALETTEINDEX(3), 3},
        {"palette-relative with the default palette", PALETTERGB(250, 250, 250), 255},
    };
    MemoryDc dst(make_indexed({{100}}));
    for (const NearestCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(SetPixelV(dst.dc(), 0, 0, c.color));
        EXPECT_EQ(value_at(dst.bitmap(), 0, 0), c.index);
    }
}

TEST_F(Colors, GetPixelReadsThroughTheSystemPalette) {
    MemoryDc dst(make_indexed({{0, 249, 255, 7}}));
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dst.dc(), 3, 0), RGB(192, 192, 192));
    EXPECT_EQ(GetPixel(dst.dc(), 4, 0), CLR_INVALID) << "right of the bitmap";
    EXPECT_EQ(GetPixel(dst.dc(), -1, 0), CLR_INVALID) << "left of the bitmap";
    EXPECT_EQ(GetPixel(dst.dc(), 0, 1), CLR_INVALID) << "below the bitmap";
}

TEST_F(Colors, SetPixelOnMonochromeSplitsAtHalfBrightness) {
    const NearestCase cases[] = {
        {"sum 383 is white", RGB(128, 128, 127), 1},
        {"sum 382 is black", RGB(128, 127, 127), 0},
        {"red is dark", RGB(255, 0, 0), 0},
        {"bk colour rule does not apply", RGB(255, 255, 255), 1},
    };
    MemoryDc dst(make_mono({"0"}));
    SetBkColor(dst.dc(), RGB(128, 127, 127));
    for (const NearestCase& c : cases) {
        SCOPED_TRACE(c.name);
        const COLORREF set = SetPixel(dst.dc(), 0, 0, c.color);
        EXPECT_EQ(value_at(dst.bitmap(), 0, 0), c.index);
        EXPECT_EQ(set, c.index ? RGB(255, 255, 255) : RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(dst.dc(), 0, 0), c.index ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
}

struct MonoPenCase {
    const char* name;
    COLORREF bk;
    COLORREF pen;
    int bit;
};

TEST_F(Colors, PensOnMonochromeFollowTheBackgroundColour) {
    const MonoPenCase cases[] = {
        {"black is 0", RGB(255, 255, 255), RGB(0, 0, 0), 0},
        {"white is 1", RGB(0, 0, 0), RGB(255, 255, 255), 1},
        {"other than white bk gives 0", RGB(255, 255, 255), RGB(200, 200, 200), 0},
        {"other than black bk gives 1", RGB(0, 0, 0), RGB(200, 200, 200), 1},
        {"equal to a light bk gives its bit", RGB(200, 200, 200), RGB(200, 200, 200), 1},
        {"equal to a dark bk gives its bit", RGB(100, 0, 0), RGB(100, 0, 0), 0},
        {"other than a dark bk gives 1", RGB(100, 0, 0), RGB(10, 10, 10), 1},
    };
    for (const MonoPenCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono({c.bit ? "00" : "11"}));
        HPEN pen = CreatePen(PS_SOLID, 0, c.pen);
        HGDIOBJ old = SelectObject(dst.dc(), pen);
        SetBkColor(dst.dc(), c.bk);
        MoveToEx(dst.dc(), 0, 0, nullptr);
        LineTo(dst.dc(), 2, 0);
        EXPECT_EQ(mono_rows(dst.bitmap())[0], c.bit ? "11" : "00");
        SelectObject(dst.dc(), old);
        DeleteObject(pen);
    }
}

struct MonoToColourCase {
    const char* name;
    COLORREF text;
    COLORREF bk;
    std::vector<int> expected;  // for source bits 0 1 1 0
};

TEST_F(Colors, MonochromeSourceTakesDestinationTextAndBackground) {
    const MonoToColourCase cases[] = {
        {"defaults: black text, white bk", RGB(0, 0, 0), RGB(255, 255, 255), {0, 255, 255, 0}},
        {"red text, blue bk", RGB(255, 0, 0), RGB(0, 0, 255), {249, 252, 252, 249}},
        {"grey text snaps to a static", RGB(190, 190, 190), RGB(0, 128, 128), {7, 6, 6, 7}},
    };
    MemoryDc src(make_mono({"0110"}));
    SetTextColor(src.dc(), RGB(0, 255, 0));  // the source DC's colours play no part
    SetBkColor(src.dc(), RGB(255, 0, 255));
    for (const MonoToColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_indexed({{100, 100, 100, 100}}));
        SetTextColor(dst.dc(), c.text);
        SetBkColor(dst.dc(), c.bk);
        BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(values_of(dst.bitmap())[0], c.expected);
    }
}

struct ColourToMonoCase {
    const char* name;
    COLORREF source_bk;
    const char* expected;  // for source indices 250 0 255 7
};

TEST_F(Colors, ColourSourceIsWhiteWhereItEqualsTheSourceBackground) {
    const ColourToMonoCase cases[] = {
        {"default white bk", RGB(255, 255, 255), "0010"},
        {"lime bk", RGB(0, 255, 0), "1000"},
        {"bk snapped to the static grey", RGB(190, 190, 190), "0001"},
        {"black bk", RGB(0, 0, 0), "0100"},
    };
    MemoryDc src(make_indexed({{250, 0, 255, 7}}));
    for (const ColourToMonoCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono({"0101"}));
        SetBkColor(src.dc(), c.source_bk);
        SetBkColor(dst.dc(), RGB(255, 0, 0));  // the destination's colours play no part
        BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(mono_rows(dst.bitmap())[0], c.expected);
    }
}

TEST_F(Colors, MaskedDrawingLeavesTheBackgroundWhereThePictureIsWhite) {
    // The mask is 0 where the picture is white; OR with the mask, then AND with the picture.
    MemoryDc picture(make_indexed({{255, 249, 255, 0}}));
    MemoryDc mask(make_mono({"0101"}));
    MemoryDc target(make_indexed({{6, 6, 7, 7}}));
    BitBlt(target.dc(), 0, 0, 4, 1, mask.dc(), 0, 0, SRCPAINT);
    BitBlt(target.dc(), 0, 0, 4, 1, picture.dc(), 0, 0, SRCAND);
    EXPECT_EQ(values_of(target.bitmap())[0], (std::vector<int>{6, 249, 7, 0}));
}

}  // namespace

namespace {

using TrueColour = gdi_test::GdiTest;

HBITMAP make_wide(int w, int h) {
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP bm = CreateCompatibleBitmap(ic, w, h);
    DeleteDC(ic);
    return bm;
}

TEST_F(TrueColour, ConversionsAndOperationsWorkOnRgbValues) {
    gdi::configure_screen(32);
    {
        gdi_test::MemoryDc src(gdi_test::make_mono({"01"}));
        gdi_test::MemoryDc dst(make_wide(2, 1));
        SetTextColor(dst.dc(), RGB(10, 20, 30));
        SetBkColor(dst.dc(), RGB(200, 100, 50));
        BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(gdi_test::value_at(dst.bitmap(), 0, 0), 0x0A141E) << "0 takes the text colour";
        EXPECT_EQ(gdi_test::value_at(dst.bitmap(), 1, 0), 0xC86432) << "1 takes the bk colour";
        // Back to monochrome: equal to the source's bk colour is white.
        gdi_test::MemoryDc mono(gdi_test::make_mono({"00"}));
        SetBkColor(dst.dc(), RGB(10, 20, 30));
        BitBlt(mono.dc(), 0, 0, 2, 1, dst.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(gdi_test::mono_rows(mono.bitmap())[0], "10");
        // SRCAND is bitwise on the RGB value: 0x0A141E & 0xC86432 = 0x080412.
        gdi_test::MemoryDc other(make_wide(1, 1));
        SetPixelV(other.dc(), 0, 0, RGB(200, 100, 50));
        BitBlt(other.dc(), 0, 0, 1, 1, dst.dc(), 0, 0, SRCAND);
        EXPECT_EQ(GetPixel(other.dc(), 0, 0), RGB(0x08, 0x04, 0x12));
    }
    gdi::configure_screen(8);
}

}  // namespace
