// PixelTest.cpp: raster operations, colour mapping, lines, fills, clipping, DIBs and icons.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/IconFromDib.h"
#include "platform/win32/gdi/RasterOp.h"
#include "platform/win32/gdi/WindowDc.h"

#include <climits>
#include <cstring>

namespace {

using namespace gdi_test;
using Pixels = GdiTest;

TEST_F(Pixels, RasterOperationsFollowTheirBooleanExpression) {
    // 8 bits: source 0xCC, destination 0xAA, pattern 0xF0 hold every bit combination.
    // Monochrome: source 0011 over destination 0101 under the white stock brush.
    // clang-format off
    struct Case { DWORD rop; int eight; const char* mono; };
    const Case cases[] = {
        {SRCCOPY, 0xCC, "0011"}, {SRCPAINT, 0xEE, "0111"}, {SRCAND, 0x88, "0001"},
        {SRCINVERT, 0x66, "0110"}, {SRCERASE, 0x44, "0010"}, {NOTSRCCOPY, 0x33, "1100"},
        {NOTSRCERASE, 0x11, "1000"}, {MERGECOPY, 0xC0, "0011"}, {MERGEPAINT, 0xBB, "1101"},
        {PATCOPY, 0xF0, "1111"}, {PATPAINT, 0xFB, "1111"}, {PATINVERT, 0x5A, "1010"},
        {DSTINVERT, 0x55, "1010"}, {BLACKNESS, 0x00, "0000"}, {WHITENESS, 0xFF, "1111"},
    };
    // clang-format on
    HPALETTE pal = make_palette({{0xF0, 0, 0, PC_EXPLICIT}});  // names system index 0xF0 itself
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(0));
    MemoryDc src(make_indexed({{0xCC, 0xCC}})), mono_src(make_mono({"0011"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.rop);
        const bool reads_source = ((c.rop >> 2) ^ c.rop) & 0x330000;
        for (const bool pat_blt : {false, true}) {
            MemoryDc dst(make_indexed({{0xAA, 0xAA, 0xAA}}));
            HPALETTE old_pal = SelectPalette(dst.dc(), pal, FALSE);
            RealizePalette(dst.dc());
            HGDIOBJ old_brush = SelectObject(dst.dc(), brush);
            const BOOL ok = pat_blt ? PatBlt(dst.dc(), 0, 0, 2, 1, c.rop)
                                    : BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, c.rop);
            const bool done = !(pat_blt && reads_source);
            EXPECT_EQ(ok, done) << "PatBlt refuses operations that read the source";
            EXPECT_EQ(values_of(dst.bitmap())[0],
                      (std::vector<int>{done ? c.eight : 0xAA, done ? c.eight : 0xAA, 0xAA}));
            SelectObject(dst.dc(), old_brush);
            SelectPalette(dst.dc(), old_pal, FALSE);
        }
        MemoryDc dst(make_mono({"0101"}));
        EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, mono_src.dc(), 0, 0, c.rop));
        EXPECT_EQ(mono_rows(dst.bitmap())[0], c.mono);
    }
    DeleteObject(brush);
    DeleteObject(pal);
    // clang-format off
    const std::pair<int, int> pen_mixes[] = {  // the pen is the pattern
        {R2_BLACK, 0x00}, {R2_COPYPEN, 0xF0}, {R2_NOT, 0x55}, {R2_XORPEN, 0x5A}, {R2_MASKPEN, 0xA0},
        {R2_MERGEPEN, 0xFA}, {R2_NOP, 0xAA}, {R2_NOTCOPYPEN, 0x0F}, {R2_WHITE, 0xFF},
    };
    // clang-format on
    for (const auto& [rop2, code] : pen_mixes) {
        EXPECT_EQ(gdi::rop2_to_rop3(rop2), code) << rop2;
    }
}

TEST_F(Pixels, ColoursTakeTheNearestStaticColourOrTheirPaletteIndex) {
    // clang-format off
    const std::pair<COLORREF, int> cases[] = {
        {RGB(0, 0, 0), 0}, {RGB(128, 0, 0), 1}, {RGB(0, 128, 128), 6}, {RGB(192, 192, 192), 7},
        {RGB(192, 220, 192), 8}, {RGB(166, 202, 240), 9}, {RGB(255, 251, 240), 246},
        {RGB(160, 160, 164), 247}, {RGB(128, 128, 128), 248}, {RGB(255, 0, 0), 249},
        {RGB(0, 255, 0), 250}, {RGB(255, 255, 0), 251}, {RGB(0, 0, 255), 252}, {RGB(255, 0, 255), 253},
        {RGB(0, 255, 255), 254}, {RGB(255, 255, 255), 255}, {RGB(255, 255, 225), 246} /* cream */,
        {RGB(0, 0, 100), 4}, {RGB(64, 0, 0), 0} /* a tie keeps the first */, {RGB(96, 96, 96), 248},
        {PALETTEINDEX(12), 248} /* default palette 12 is system 248 */, {PALETTEINDEX(3), 3},
        {PALETTERGB(250, 250, 250), 255},
    };
    // clang-format on
    MemoryDc dst(make_indexed({{100, 249, 255, 7}}));
    for (const auto& [colour, index] : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << colour);
        EXPECT_TRUE(SetPixelV(dst.dc(), 0, 0, colour));
        EXPECT_EQ(values_of(dst.bitmap())[0][0], index);
    }
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(255, 0, 0)) << "through the system palette";
    EXPECT_EQ(GetPixel(dst.dc(), 3, 0), RGB(192, 192, 192));
    for (const POINT p : {POINT{4, 0}, POINT{-1, 0}, POINT{0, 1}}) {
        EXPECT_EQ(GetPixel(dst.dc(), p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    }
}

TEST_F(Pixels, MonochromeTargetsSplitByBrightnessOrTheBackgroundColour) {
    // SetPixel: white from a channel sum of 383; the bk colour plays no part.
    MemoryDc dot(make_mono({"0"}));
    SetBkColor(dot.dc(), RGB(128, 127, 127));
    // clang-format off
    const std::pair<COLORREF, int> pixels[] = {
        {RGB(128, 128, 127), 1}, {RGB(128, 127, 127), 0}, {RGB(255, 0, 0), 0}, {RGB(255, 255, 255), 1},
    };
    // clang-format on
    for (const auto& [colour, bit] : pixels) {
        EXPECT_EQ(SetPixel(dot.dc(), 0, 0, colour), bit ? RGB(255, 255, 255) : 0u) << colour;
        EXPECT_EQ(GetPixel(dot.dc(), 0, 0), bit ? RGB(255, 255, 255) : 0u) << colour;
    }
    // Pens: black 0, white 1, the bk colour its own bit, any other colour the bk's opposite.
    // clang-format off
    struct Pen { COLORREF bk, pen; int bit; };
    const Pen pens[] = {
        {RGB(255, 255, 255), RGB(0, 0, 0), 0}, {RGB(0, 0, 0), RGB(255, 255, 255), 1},
        {RGB(255, 255, 255), RGB(200, 200, 200), 0}, {RGB(0, 0, 0), RGB(200, 200, 200), 1},
        {RGB(200, 200, 200), RGB(200, 200, 200), 1}, {RGB(100, 0, 0), RGB(100, 0, 0), 0},
        {RGB(100, 0, 0), RGB(10, 10, 10), 1},
    };
    // clang-format on
    for (const Pen& c : pens) {
        SCOPED_TRACE(testing::Message() << std::hex << c.bk << " " << c.pen);
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

TEST_F(Pixels, MonochromeAndColourConvertThroughTextAndBackgroundColours) {
    // Mono to colour: 0 takes the destination's text colour, 1 its bk colour.
    // clang-format off
    struct ToColour { COLORREF text, bk; std::vector<int> want; /* for source bits 0110 */ };
    const ToColour to_colour[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), {0, 255, 255, 0}}, {RGB(255, 0, 0), RGB(0, 0, 255), {249, 252, 252, 249}},
        {RGB(190, 190, 190), RGB(0, 128, 128), {7, 6, 6, 7}} /* grey snaps to a static */,
    };
    // clang-format on
    MemoryDc bits(make_mono({"0110"}));
    SetTextColor(bits.dc(), RGB(0, 255, 0));  // the source DC's colours play no part
    SetBkColor(bits.dc(), RGB(255, 0, 255));
    for (const ToColour& c : to_colour) {
        MemoryDc dst(filled(4, 1, 100));
        SetTextColor(dst.dc(), c.text);
        SetBkColor(dst.dc(), c.bk);
        BitBlt(dst.dc(), 0, 0, 4, 1, bits.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(values_of(dst.bitmap())[0], c.want) << std::hex << c.text;
    }
    // Colour to mono: white where the source equals the source DC's bk colour.
    // clang-format off
    const std::pair<COLORREF, const char*> to_mono[] = {  // source indices 250 0 255 7
        {RGB(255, 255, 255), "0010"}, {RGB(0, 255, 0), "1000"}, {RGB(190, 190, 190), "0001"}, {RGB(0, 0, 0), "0100"},
    };
    // clang-format on
    MemoryDc colour(make_indexed({{250, 0, 255, 7}}));
    for (const auto& [bk, want] : to_mono) {
        MemoryDc dst(make_mono({"0101"}));
        SetBkColor(colour.dc(), bk);
        SetBkColor(dst.dc(), RGB(255, 0, 0));  // the destination's colours play no part
        BitBlt(dst.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(mono_rows(dst.bitmap())[0], want) << std::hex << bk;
    }
}

TEST_F(Pixels, TrueColourScreenWorksOnRgbValues) {
    gdi::configure_screen(32);
    {
        HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        MemoryDc src(make_mono({"01"})), dst(CreateCompatibleBitmap(ic, 2, 1));
        MemoryDc other(CreateCompatibleBitmap(ic, 1, 1));
        DeleteDC(ic);
        SetTextColor(dst.dc(), RGB(10, 20, 30));
        SetBkColor(dst.dc(), RGB(200, 100, 50));
        BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(values_of(dst.bitmap())[0], (std::vector<int>{0x0A141E, 0xC86432}));
        MemoryDc mono(make_mono({"00"}));
        SetBkColor(dst.dc(), RGB(10, 20, 30));
        BitBlt(mono.dc(), 0, 0, 2, 1, dst.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(mono_rows(mono.bitmap())[0], "10") << "equal to the source's bk is white";
        SetPixelV(other.dc(), 0, 0, RGB(200, 100, 50));
        BitBlt(other.dc(), 0, 0, 1, 1, dst.dc(), 0, 0, SRCAND);
        EXPECT_EQ(GetPixel(other.dc(), 0, 0), RGB(0x08, 0x04, 0x12)) << "bitwise on RGB";
    }
    gdi::configure_screen(8);
}

TEST_F(Pixels, LinesStopBeforeTheirEndPointInEveryDirection) {
    // clang-format off
    struct Case { POINT from, to; Bits want; /* '1' where the white pen drew */ };
    const Case cases[] = {
        {{1, 2}, {4, 2}, {"00000", "00000", "01110", "00000", "00000"}}, {{3, 2}, {0, 2}, {"00000", "00000", "01110", "00000", "00000"}},
        {{2, 1}, {2, 4}, {"00000", "00100", "00100", "00100", "00000"}}, {{2, 3}, {2, 0}, {"00000", "00100", "00100", "00100", "00000"}},
        {{0, 0}, {3, 3}, {"10000", "01000", "00100", "00000", "00000"}}, {{4, 4}, {1, 1}, {"00000", "00000", "00100", "00010", "00001"}},
        {{4, 0}, {1, 3}, {"00001", "00010", "00100", "00000", "00000"}}, {{0, 4}, {3, 1}, {"00000", "00000", "00100", "01000", "10000"}},
        {{2, 2}, {2, 2}, blank(5, 5)} /* zero length */,
        {{0, 0}, {5, 2}, {"11000", "00110", "00001", "00000", "00000"}} /* y rounds to nearest */,
        {{0, 0}, {2, 5}, {"10000", "10000", "01000", "01000", "00100"}}, {{-2, 1}, {8, 1}, {"00000", "11111", "00000", "00000", "00000"}},
        {{-2000000000, 3}, {2000000000, 3}, {"00000", "00000", "00000", "11111", "00000"}},
        {{1, 2000000000}, {1, -2000000000}, {"01000", "01000", "01000", "01000", "01000"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x << "," << c.from.y << " " << c.to.x << "," << c.to.y);
        MemoryDc dst(make_mono(blank(5, 5)));
        SelectObject(dst.dc(), GetStockObject(WHITE_PEN));
        MoveToEx(dst.dc(), c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(dst.dc(), c.to.x, c.to.y));
        EXPECT_EQ(mono_rows(dst.bitmap()), c.want);
        POINT pos{};
        GetCurrentPositionEx(dst.dc(), &pos);
        EXPECT_EQ(std::make_pair(pos.x, pos.y), std::make_pair(c.to.x, c.to.y));
    }
}

TEST_F(Pixels, RectanglesFramesAndFillsCoverLeftTopButNotRightBottom) {
    // clang-format off
    struct Case { bool frame; RECT r; Bits want; };
    const Case cases[] = {
        {true, {1, 1, 5, 4}, {"000000", "011110", "010010", "011110", "000000"}},
        {true, {2, 0, 3, 5}, {"001000", "001000", "001000", "001000", "001000"}},
        {true, {3, 1, 3, 4}, blank(6, 5)}, {true, {5, 4, 1, 1}, blank(6, 5)} /* inverted */,
        {true, {-1, -1, 7, 6}, blank(6, 5)} /* edges outside */,
        {true, {4, 1, 9, 4}, {"000000", "000011", "000010", "000011", "000000"}},
        {false, {1, 1, 3, 3}, {"000000", "011000", "011000", "000000", "000000"}},
        {false, {-5, 2, 2, 10}, {"000000", "000000", "110000", "110000", "110000"}},
        {false, {2, 2, 2, 3}, blank(6, 5)},
    };
    // clang-format on
    const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom);
        MemoryDc dst(make_mono(blank(6, 5)));
        EXPECT_NE(c.frame ? FrameRect(dst.dc(), &c.r, white) : FillRect(dst.dc(), &c.r, white), 0);
        EXPECT_EQ(mono_rows(dst.bitmap()), c.want);
    }
    MemoryDc dst(filled(5, 5, 6));
    const RECT some{0, 0, 2, 2};
    for (const auto paint : {FillRect, FrameRect}) {  // refused: no DC, rectangle or brush
        EXPECT_EQ(paint(nullptr, &some, white), 0);
        EXPECT_EQ(paint(dst.dc(), nullptr, white), 0);
        EXPECT_EQ(paint(dst.dc(), &some, nullptr), 0);
    }
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dst.dc(), red);
    EXPECT_TRUE(Rectangle(dst.dc(), 0, 0, 4, 4)) << "outlined with the pen, filled with the brush";
    EXPECT_TRUE(Rectangle(dst.dc(), 3, 3, 5, 5)) << "two by two: all outline";
    EXPECT_EQ(values_of(dst.bitmap()), (Rows{{0, 0, 0, 0, 6},
                                             {0, 249, 249, 0, 6},
                                             {0, 249, 249, 0, 6},
                                             {0, 0, 0, 0, 0},
                                             {6, 6, 6, 0, 0}}));
    SelectObject(dst.dc(), old);
    DeleteObject(red);
}

TEST_F(Pixels, BitBltClipsSourceAndDestinationAndTouchesNothingElse) {
    constexpr int o = 200;  // the destination's own value
    // clang-format off
    struct Case { int x, y, w, h, sx, sy; Rows want; };
    const Case cases[] = {
        {1, 1, 2, 2, 0, 0, {{o, o, o, o}, {o, 1, 2, o}, {o, 5, 6, o}, {o, o, o, o}}},
        {-1, -1, 3, 3, 0, 0, {{6, 7, o, o}, {10, 11, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {3, 3, 10, 10, 0, 0, {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, 1}}},
        {0, 0, 4, 1, -2, 0, {{o, o, 1, 2}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}} /* source left outside */,
        {0, 0, 4, 4, 3, 3, {{16, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {0, 0, 4, 4, 4, 0, Rows(4, {o, o, o, o})} /* source wholly outside */,
        {2, 2, -2, 2, 0, 0, Rows(4, {o, o, o, o})} /* negative width */,
        {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, 0, 0, Rows(4, {o, o, o, o})},
        {0, 0, INT_MAX, INT_MAX, INT_MIN, 0, Rows(4, {o, o, o, o})},
    };
    // clang-format on
    MemoryDc src(make_indexed({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << "," << c.y << " " << c.w << "x" << c.h << " from " << c.sx);
        MemoryDc dst(filled(4, 4, o));
        EXPECT_TRUE(BitBlt(dst.dc(), c.x, c.y, c.w, c.h, src.dc(), c.sx, c.sy, SRCCOPY));
        EXPECT_EQ(values_of(dst.bitmap()), c.want);
    }
    MemoryDc one(make_indexed({{1, 2, 3, 4, 5}}));  // within one bitmap: pixels as they were
    BitBlt(one.dc(), 1, 0, 4, 1, one.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(values_of(one.bitmap())[0], (std::vector<int>{1, 1, 2, 3, 4}));
    BitBlt(one.dc(), 0, 0, 4, 1, one.dc(), 1, 0, SRCINVERT);
    EXPECT_EQ(values_of(one.bitmap())[0], (std::vector<int>{0, 3, 1, 7, 4}));
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_TRUE(BitBlt(ic, 0, 0, 1, 1, one.dc(), 0, 0, SRCCOPY)) << "an IC draws nothing";
    EXPECT_TRUE(PatBlt(ic, 0, 0, 5, 5, WHITENESS));
    EXPECT_EQ(GetPixel(ic, 0, 0), CLR_INVALID);
    EXPECT_FALSE(BitBlt(one.dc(), 0, 0, 1, 1, ic, 0, 0, SRCCOPY)) << "nothing to read";
    DeleteDC(ic);
}

TEST_F(Pixels, ClipRectanglesLimitDrawingUntilReset) {
    MemoryDc dst(make_mono(blank(6, 4)));
    const HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT all{0, 0, 6, 4};
    RECT box{};
    EXPECT_EQ(ExcludeClipRect(dst.dc(), 1, 1, 3, 3), COMPLEXREGION);
    FillRect(dst.dc(), &all, white);
    EXPECT_EQ(mono_rows(dst.bitmap()), (Bits{"111111", "100111", "100111", "111111"}));
    EXPECT_EQ(GetClipBox(dst.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(SelectClipRgn(dst.dc(), nullptr), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(dst.dc(), 4, -5, 10, 2), SIMPLEREGION);
    PatBlt(dst.dc(), 0, 0, 6, 4, BLACKNESS);
    EXPECT_EQ(mono_rows(dst.bitmap()), (Bits{"111100", "100100", "100111", "111111"}));
    EXPECT_EQ(IntersectClipRect(dst.dc(), 0, 0, 1, 1), NULLREGION) << "no overlap left";
    EXPECT_EQ(GetClipBox(dst.dc(), &box), NULLREGION);
    SelectClipRgn(dst.dc(), nullptr);
    FillRect(dst.dc(), &all, white);
    EXPECT_EQ(mono_rows(dst.bitmap())[0], "111111");
    EXPECT_EQ(SelectClipRgn(dst.dc(), reinterpret_cast<HRGN>(std::uintptr_t{0x10})), RGN_ERROR);
    // A window DC returns to its visible rectangles, in window coordinates.
    const RECT visible{5, 5, 15, 15};
    HDC dc = gdi::create_window_dc(reinterpret_cast<HWND>(std::uintptr_t{0x99}), POINT{5, 5},
                                   {&visible, 1});
    EXPECT_EQ(IntersectClipRect(dc, 2, 3, 4, 20), SIMPLEREGION);
    GetClipBox(dc, &box);
    EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.right, box.bottom}),
              std::vector<LONG>({2, 3, 4, 10}));
    SelectClipRgn(dc, nullptr);
    GetClipBox(dc, &box);
    EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.right, box.bottom}),
              std::vector<LONG>({0, 0, 10, 10}));
    DeleteDC(dc);
}

// A packed 8-bit DIB, 2 x 2: top row red, (10,20,30); bottom row white, (250,250,250).
struct Dib8 {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, BI_RGB, 0, 0, 0, 4, 0};
    RGBQUAD colors[4] = {{0, 0, 255, 0}, {30, 20, 10, 0}, {255, 255, 255, 0}, {250, 250, 250, 0}};
    BYTE bits[8] = {2, 3, 0, 0, 0, 1, 0, 0};  // bottom-up
};
HBITMAP from_dib(HDC dc, const Dib8& d, const void* bits, UINT usage = DIB_RGB_COLORS) {
    return CreateDIBitmap(dc, &d.header, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(&d),
                          usage);
}

TEST_F(Pixels, DibsBecomeDeviceBitmapsThroughThePaletteOfTheDc) {
    HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(nullptr);
    Dib8 up, down;
    down.header.biHeight = -2;
    std::memcpy(down.bits, "\0\1\0\0\2\3\0\0", 8);
    for (const Dib8* d : {&up, &down}) {
        HBITMAP bm = from_dib(screen, *d, d->bits);
        EXPECT_EQ(values_of(bm), (Rows{{249, 0}, {255, 255}})) << "statics, top-down or not";
        DeleteObject(bm);
    }
    HBITMAP mono = from_dib(mem, up, up.bits);
    EXPECT_EQ(mono_rows(mono), (Bits{"00", "11"})) << "a fresh memory DC makes it monochrome";
    DeleteObject(mono);
    // Refused: run-length, zero width, no bits, palette-index colours.
    Dib8 rle, narrow;
    rle.header.biCompression = BI_RLE8;
    narrow.header.biWidth = 0;
    EXPECT_EQ(from_dib(screen, rle, rle.bits), nullptr);
    EXPECT_EQ(from_dib(screen, narrow, narrow.bits), nullptr);
    EXPECT_EQ(from_dib(screen, up, nullptr), nullptr);
    EXPECT_EQ(from_dib(screen, up, up.bits, DIB_PAL_COLORS), nullptr);
    HBITMAP empty = CreateDIBitmap(screen, &up.header, 0, nullptr, nullptr, DIB_RGB_COLORS);
    BITMAP bm{};
    GetObjectA(empty, sizeof(bm), &bm);
    EXPECT_EQ(std::vector({bm.bmWidth, bm.bmHeight, LONG{bm.bmBitsPixel}}),
              std::vector<LONG>({2, 2, 8}));
    DeleteObject(empty);
    // GetDIBits gives 32-bit colours bottom-up.
    HBITMAP src = make_indexed({{249, 7}, {0, 255}});
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_EQ(GetDIBits(mem, src, 0, 2, nullptr, &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out.bmiHeader.biBitCount, 32);
    std::vector<BYTE> got(16);
    EXPECT_EQ(GetDIBits(mem, src, 0, 2, got.data(), &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(got,
              (std::vector<BYTE>{0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 192, 192, 192, 0}));
    // Refused: no DC, no bitmap, no header, palette-index colours, a core header.
    EXPECT_EQ(GetDIBits(nullptr, src, 0, 2, nullptr, &out, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(mem, nullptr, 0, 2, nullptr, &out, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(mem, src, 0, 2, nullptr, nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(mem, src, 0, 2, nullptr, &out, DIB_PAL_COLORS), 0);
    out.bmiHeader.biSize = sizeof(BITMAPCOREHEADER);
    EXPECT_EQ(GetDIBits(mem, src, 0, 2, nullptr, &out, DIB_RGB_COLORS), 0);
    DeleteObject(src);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

TEST_F(Pixels, IconsKeepWhereTheMaskIsSetAndXorThePicture) {
    HBITMAP mask = make_mono({"01", "10"}), color = make_indexed({{249, 255}, {0, 252}});
    ICONINFO ii{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);  // the icon keeps copies
    DeleteObject(color);
    MemoryDc target(filled(3, 2, 6));
    EXPECT_TRUE(DrawIcon(target.dc(), 0, 0, icon));
    // Masked out: the picture. Kept: teal XOR picture (255 inverts teal 6 to red 249).
    EXPECT_EQ(values_of(target.bitmap()), (Rows{{249, 249, 6}, {6, 252, 6}}));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(target.dc(), 0, 0, icon));
    HBITMAP both = make_mono({"01", "10", "00", "01"});  // monochrome: mask above the picture
    ICONINFO mono{TRUE, 0, 0, both, nullptr};
    icon = CreateIconIndirect(&mono);
    DeleteObject(both);
    EXPECT_TRUE(DrawIcon(target.dc(), 1, 0, icon));
    EXPECT_EQ(values_of(target.bitmap()), (Rows{{249, 0, 6}, {6, 252, 255}}));
    DestroyIcon(icon);
    // An icon resource image: 2 x 2 at 4 bits, double height, XOR rows then AND rows.
    std::vector<std::byte> image(40 + 64 + 16);
    const BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER), 2, 4, 1, 4, 0, 0, 0, 0, 0, 0};
    std::memcpy(image.data(), &h, sizeof h);
    const BYTE red[4] = {0, 0, 255, 0}, white[4] = {255, 255, 255, 0};
    std::memcpy(&image[44], red, 4);
    std::memcpy(&image[100], white, 4);
    const BYTE rows[16] = {0x1F, 0, 0, 0, 0x01, 0, 0, 0, 0x40, 0, 0, 0, 0x80, 0, 0, 0};
    std::memcpy(&image[104], rows, 16);
    icon = gdi::create_icon_from_dib(image);
    MemoryDc drawn(filled(2, 2, 6));
    EXPECT_TRUE(DrawIcon(drawn.dc(), 0, 0, icon));
    EXPECT_EQ(values_of(drawn.bitmap()), (Rows{{6, 249}, {249, 249}}));
    DestroyIcon(icon);
    auto odd = image;
    odd[8] = std::byte{3};  // height 3 cannot split into picture and mask
    image.pop_back();
    for (const auto& bad : {image, odd, std::vector<std::byte>{}}) {
        EXPECT_EQ(gdi::create_icon_from_dib(bad), nullptr);
    }
}

}  // namespace
