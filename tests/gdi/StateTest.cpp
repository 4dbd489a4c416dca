// StateTest.cpp: handles and DC state, palettes and their realisation, text, and snapshots.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/FontData.h"
#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/gdi/StockObjects.h"
#include "platform/win32/gdi/WindowDc.h"
#include "platform/win32/gdi/png/PngFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

using namespace gdi_test;
using State = GdiTest;

BITMAP info_of(HGDIOBJ bm) {
    BITMAP info{};
    GetObjectA(bm, sizeof(info), &info);
    return info;
}
HWND fake_window(int n) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1000 + n));
}

TEST_F(State, CompatibleBitmapsTakeTheFormatOfTheDc) {
    HDC dc = CreateCompatibleDC(nullptr);
    const BITMAP one = info_of(GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(std::vector({one.bmWidth, one.bmHeight, LONG{one.bmBitsPixel}}),
              std::vector<LONG>({1, 1, 1}));
    EXPECT_EQ(std::vector<long>({long(GetTextAlign(dc)), GetROP2(dc), long(GetObjectType(dc))}),
              std::vector<long>({0, R2_COPYPEN, OBJ_MEMDC}));
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    // clang-format off
    struct Case { HDC dc; int w, h, bpp, width_bytes; };
    const Case cases[] = {
        {ic, 5, 4, 8, 6}, {dc, 17, 2, 1, 4} /* memory DC with its first bitmap */,
        {ic, 0, 7, 1, 2} /* zero width: the 1 x 1 monochrome */,
    };
    // clang-format on
    for (const Case& c : cases) {
        HBITMAP bm = CreateCompatibleBitmap(c.dc, c.w, c.h);
        const BITMAP info = info_of(bm);
        EXPECT_EQ(std::vector({LONG{info.bmBitsPixel}, info.bmWidthBytes, LONG{info.bmPlanes}}),
                  std::vector<LONG>({c.bpp, c.width_bytes, 1}))
            << c.w;
        DeleteObject(bm);
    }
    HBITMAP colour = CreateCompatibleBitmap(ic, 3, 2);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 2), nullptr);
    EXPECT_EQ(SelectObject(ic, colour), nullptr) << "no bitmaps in an information context";
    DeleteObject(colour);
    DeleteDC(ic);
    DeleteDC(dc);
    EXPECT_EQ(CreateICA("PRINTER", nullptr, nullptr, nullptr), nullptr);
}

TEST_F(State, SelectedObjectsStayAndStaleHandlesFail) {
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(2, 2, 1, 8, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old_bm = SelectObject(a, bm), old_pen = SelectObject(a, pen);
    EXPECT_FALSE(DeleteObject(bm)) << "selected";
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(b, bm), nullptr) << "a bitmap lives in one DC at a time";
    EXPECT_EQ(SelectObject(a, bm), bm) << "again where it is";
    EXPECT_EQ(SelectObject(a, old_bm), bm);
    EXPECT_EQ(SelectObject(a, old_pen), pen);
    EXPECT_NE(SelectObject(b, bm), nullptr) << "free again";
    SelectObject(b, old_bm);
    EXPECT_TRUE(DeleteObject(bm));
    EXPECT_TRUE(DeleteObject(pen));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bm, sizeof(info), &info), 0);
    EXPECT_EQ(SelectObject(a, bm), nullptr);
    EXPECT_FALSE(DeleteObject(bm));
    HBITMAP reused = CreateBitmap(3, 3, 1, 1, nullptr);
    EXPECT_NE(reused, bm) << "a reused slot gets a new generation";
    EXPECT_EQ(GetObjectA(bm, sizeof(info), &info), 0);
    DeleteDC(b);
    EXPECT_FALSE(DeleteDC(b));
    EXPECT_FALSE(BitBlt(b, 0, 0, 1, 1, a, 0, 0, SRCCOPY));
    EXPECT_EQ(SetTextColor(b, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x12345678})));
    EXPECT_FALSE(DeleteObject(a)) << "a DC is not an object to DeleteObject";
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(GetDC(fake_window(3)), nullptr) << "a window's DC needs the window manager";
    DeleteObject(reused);
    // Stock and permanent objects survive DeleteObject and are not counted.
    const std::size_t alive = GdiAliveCountForTest();
    HBRUSH face = gdi::create_permanent_brush(RGB(192, 192, 192));
    EXPECT_EQ(GdiAliveCountForTest(), alive);
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_NE(SelectObject(a, GetStockObject(WHITE_BRUSH)), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr) << "no stock object 9";
    DeleteDC(a);
    MemoryDc dst(make_indexed({{0}}));
    const RECT r{0, 0, 1, 1};
    EXPECT_NE(FillRect(dst.dc(), &r, face), 0) << "still usable after DeleteObject";
    EXPECT_EQ(values_of(dst.bitmap())[0][0], 7);
}

TEST_F(State, SavedLevelsRestoreSelectionsColoursAndClip) {
    MemoryDc dst(make_mono({"0000"}));
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    EXPECT_EQ(SaveDC(dst.dc()), 1);
    SelectObject(dst.dc(), pen);
    SetTextColor(dst.dc(), RGB(1, 2, 3));
    IntersectClipRect(dst.dc(), 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(dst.dc()), 2);
    SetBkMode(dst.dc(), TRANSPARENT);
    EXPECT_EQ(SaveDC(dst.dc()), 3);
    EXPECT_TRUE(RestoreDC(dst.dc(), -1));
    EXPECT_EQ(GetBkMode(dst.dc()), TRANSPARENT) << "level 3 held the transparent mode";
    EXPECT_FALSE(DeleteObject(pen)) << "selected now and in level 2";
    EXPECT_FALSE(RestoreDC(dst.dc(), 3));
    EXPECT_FALSE(RestoreDC(dst.dc(), 0));
    EXPECT_TRUE(RestoreDC(dst.dc(), 1));
    EXPECT_EQ(GetCurrentObject(dst.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(dst.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dst.dc()), OPAQUE);
    const RECT all{0, 0, 4, 1};
    FillRect(dst.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(mono_rows(dst.bitmap())[0], "1111") << "the clip went with level 1";
    EXPECT_FALSE(RestoreDC(dst.dc(), -1)) << "nothing saved any more";
    EXPECT_TRUE(DeleteObject(pen));
    HDC dc = CreateCompatibleDC(nullptr);  // deleting a DC releases its saved levels
    HGDIOBJ old = SelectObject(dc, pen = CreatePen(PS_SOLID, 0, 0));
    SaveDC(dc);
    SelectObject(dc, old);
    EXPECT_FALSE(DeleteObject(pen)) << "level 1 still holds it";
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(pen));
}

TEST_F(State, DeviceCapsDescribeThePaletteOrTrueColourScreen) {
    // clang-format off
    const std::tuple<int, int, int> cases[] = {  // index, 8-bit, 32-bit; the program reads the rest
        {BITSPIXEL, 8, 32}, {PLANES, 1, 1}, {NUMCOLORS, 20, -1}, {SIZEPALETTE, 256, 0}, {NUMRESERVED, 20, 0},
        {HORZRES, 640, 640}, {VERTRES, 480, 480}, {LOGPIXELSX, 96, 96}, {LOGPIXELSY, 96, 96},
    };
    // clang-format on
    for (const auto& [index, eight, wide] : cases) {
        for (const bool palette : {true, false}) {
            gdi::configure_screen(palette ? 8 : 32);
            HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
            EXPECT_EQ(GetDeviceCaps(ic, index), palette ? eight : wide) << index;
            DeleteDC(ic);
        }
    }
    HBITMAP eight = CreateBitmap(2, 1, 1, 8, nullptr);  // made while the screen had 8 bits
    gdi::configure_screen(32);
    EXPECT_EQ(CreateBitmap(2, 1, 1, 8, nullptr), nullptr);
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HDC mem = CreateCompatibleDC(ic);
    EXPECT_EQ(SelectObject(mem, eight), nullptr) << "not the screen's format";
    DeleteObject(eight);
    DeleteDC(mem);
    DeleteDC(ic);
    gdi::configure_screen(8);
}

// The system index each entry was realised to, read back through PALETTEINDEX(i).
std::vector<int> mapping_of(HPALETTE pal, int count) {
    std::vector<int> out;
    MemoryDc probe(make_indexed({{0}}));
    HPALETTE old = SelectPalette(probe.dc(), pal, TRUE);
    for (int i = 0; i < count; ++i) {
        SetPixelV(probe.dc(), 0, 0, PALETTEINDEX(static_cast<WORD>(i)));
        out.push_back(values_of(probe.bitmap())[0][0]);
    }
    SelectPalette(probe.dc(), old, TRUE);
    return out;
}
// Realises in a memory DC: always a background realisation.
UINT realize_background(HPALETTE pal) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE old = SelectPalette(dc, pal, FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    DeleteDC(dc);
    return changed;
}

class Palettes : public GdiTest {
protected:
    void TearDown() override {
        gdi::set_foreground_query(nullptr);
        gdi::set_palette_changed_listener(nullptr);
        GdiTest::TearDown();
    }
};

TEST_F(Palettes, DefaultPaletteHoldsTheStaticsAndNearestIndexTakesTheFirstMinimum) {
    HPALETTE def = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY e[20];
    ASSERT_EQ(GetPaletteEntries(def, 0, 20, e), 20u);
    EXPECT_EQ(RGB(e[10].peRed, e[10].peGreen, e[10].peBlue), RGB(255, 251, 240)) << "system 246";
    EXPECT_EQ(RGB(e[19].peRed, e[19].peGreen, e[19].peBlue), RGB(255, 255, 255));
    EXPECT_EQ(SetPaletteEntries(def, 0, 1, e), 0u) << "the default palette cannot change";
    EXPECT_EQ(mapping_of(def, 20)[10], 246);
    HPALETTE p =
        make_palette({{0, 0, 0, 0}, {100, 100, 100, 0}, {100, 100, 100, 0}, {0, 0, 90, 0}});
    // clang-format off
    const std::pair<COLORREF, UINT> nearest[] = {  // the first strict minimum wins
        {RGB(0, 0, 0), 0}, {RGB(100, 100, 100), 1}, {RGB(0, 0, 45), 0}, {RGB(0, 0, 46), 3},
    };
    // clang-format on
    for (const auto& [colour, index] : nearest) {
        EXPECT_EQ(GetNearestPaletteIndex(p, colour), index) << colour;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectPalette(dc, p, FALSE), def);
    EXPECT_FALSE(DeleteObject(p)) << "selected";
    EXPECT_EQ(SelectPalette(dc, def, FALSE), p);
    DeleteDC(dc);
    DeleteObject(p);
}

TEST_F(Palettes, BackgroundRealisationMatchesExactlyThenFillsFreeSlotsAscending) {
    HPALETTE a = make_palette({{192, 192, 192, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}});
    HPALETTE b = make_palette({{40, 50, 60, 0}, {1, 2, 3, 0}});
    EXPECT_EQ(realize_background(a), 3u) << "first realisation counts every entry";
    EXPECT_EQ(mapping_of(a, 3), (std::vector<int>{7, 10, 11}));
    HDC screen = GetDC(nullptr);
    PALETTEENTRY e{};
    GetSystemPaletteEntries(screen, 10, 1, &e);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(10, 20, 30));
    EXPECT_EQ(realize_background(a), 0u) << "nothing moved";
    EXPECT_EQ(realize_background(b), 2u);
    EXPECT_EQ(mapping_of(b, 2), (std::vector<int>{11, 12}));
    HPALETTE flagged = make_palette({
        {192, 192, 192, PC_NOCOLLAPSE},  // no exact match: a slot of its own
        {9, 9, 9, PC_RESERVED},          // always a slot of its own
        {249, 0, 0, PC_EXPLICIT},        // names system index 249
    });
    EXPECT_EQ(realize_background(flagged), 3u);
    EXPECT_EQ(mapping_of(flagged, 3), (std::vector<int>{13, 14, 249}));
    HPALETTE plain = make_palette({{192, 192, 192, 0}, {9, 9, 9, 0}});
    realize_background(plain);
    EXPECT_EQ(mapping_of(plain, 2), (std::vector<int>{7, 15}))
        << "reserved entries are not matched";
    for (HPALETTE p : {a, b, flagged, plain}) {
        DeleteObject(p);
    }
    gdi::configure_screen(8);
    std::vector<PALETTEENTRY> many;
    for (int k = 0; k < 236; ++k) {
        many.push_back({static_cast<BYTE>(k), 100, 100, 0});
    }
    HPALETTE fill = make_palette(many);
    EXPECT_EQ(realize_background(fill), 236u);
    EXPECT_EQ(mapping_of(fill, 236).back(), 245);
    HPALETTE late = make_palette({{3, 100, 104, 0}, {255, 0, 0, 0}, {200, 100, 100, 0}});
    EXPECT_EQ(realize_background(late), 3u);
    EXPECT_EQ(mapping_of(late, 3), (std::vector<int>{13, 249, 210})) << "full: the nearest used";
    DeleteObject(late);
    DeleteObject(fill);
}

TEST_F(Palettes, OnlyAnActiveWindowRealisesInTheForegroundAndFreesEverySlot) {
    gdi::set_foreground_query([](HWND w) { return w == fake_window(1); });
    // clang-format off
    const std::tuple<int, BOOL, bool> cases[] = {  // window, forced background, foreground
        {1, FALSE, true}, {1, TRUE, false}, {2, FALSE, false},
    };
    // clang-format on
    for (const auto& [window, force, foreground] : cases) {
        SCOPED_TRACE(testing::Message() << window << " " << force);
        gdi::configure_screen(8);
        std::vector<HWND> changed_by;
        gdi::set_palette_changed_listener([&](HWND w) { changed_by.push_back(w); });
        HPALETTE first = make_palette({{192, 192, 192, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}});
        HPALETTE second = make_palette({{1, 2, 3, 0}, {4, 5, 6, 0}});
        realize_background(first);  // slots 10 and 11
        const RECT visible{0, 0, 640, 480};
        HDC dc = gdi::create_window_dc(fake_window(window), POINT{0, 0}, {&visible, 1});
        HPALETTE old = SelectPalette(dc, second, force);
        EXPECT_EQ(RealizePalette(dc), 2u);
        EXPECT_EQ(mapping_of(second, 2), (foreground ? std::vector{10, 11} : std::vector{12, 13}));
        EXPECT_EQ(changed_by.size(), foreground ? 1u : 0u);
        EXPECT_EQ(RealizePalette(dc), 0u) << "same slots again";
        EXPECT_EQ(changed_by.size(), foreground ? 1u : 0u) << "no change, no notice";
        if (foreground) {
            EXPECT_EQ(changed_by[0], fake_window(1));
            EXPECT_EQ(realize_background(first), 2u) << "its colours are gone";
            EXPECT_EQ(mapping_of(first, 3), (std::vector<int>{7, 12, 13}));
        }
        SelectPalette(dc, old, FALSE);
        DeleteDC(dc);
        DeleteObject(first);
        DeleteObject(second);
    }
}

TEST_F(State, FontsAreMatchedByFaceHeightAndWeight) {
    // clang-format off
    struct Case { LONG height, weight; const char* face; LONG tm_height, tm_weight; const char* matched; };
    const Case cases[] = {  // the faces' other metrics show in the program's screenshots
        {-11, FW_NORMAL, "MS Sans Serif", 13, 400, "MS Sans Serif"}, {-11, FW_NORMAL, "ms sans serif", 13, 400, "MS Sans Serif"},
        {-11, FW_BOLD, "MS Sans Serif", 13, 700, "MS Sans Serif"}, {-11, FW_SEMIBOLD, "MS Sans Serif", 13, 700, "MS Sans Serif"} /* bold */,
        {13, FW_NORMAL, "MS Sans Serif", 13, 400, "MS Sans Serif"} /* cell height */, {-11, FW_NORMAL, "Nonexistent", 13, 400, "MS Sans Serif"},
        {0, FW_NORMAL, "Nonexistent", 16, 700, "System"}, {0, FW_DONTCARE, "System", 16, 700, "System"},
    };
    // clang-format on
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.face << " " << c.height << " " << c.weight);
        HFONT font = CreateFontA(c.height, 0, 0, 0, c.weight, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0,
                                 0, c.face);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(dc, &tm));
        EXPECT_EQ(std::make_pair(tm.tmHeight, tm.tmWeight),
                  std::make_pair(c.tm_height, c.tm_weight));
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc, LF_FACESIZE, face);
        EXPECT_STREQ(face, c.matched);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    DeleteDC(dc);
}

TEST_F(State, OpaqueTextAndRectanglesFillWithTheBackgroundInsideTheirClip) {
    for (const int mode : {OPAQUE, TRANSPARENT}) {
        MemoryDc dst(filled(20, 20, 6));
        SIZE ext{};
        GetTextExtentPoint32A(dst.dc(), "  ", 2, &ext);
        SetBkColor(dst.dc(), RGB(255, 0, 0));
        SetBkMode(dst.dc(), mode);
        TextOutA(dst.dc(), 1, 2, "  ", 2);
        const int inside = mode == OPAQUE ? 249 : 6;
        // clang-format off
        const std::tuple<int, int, int> probes[] = {
            {1, 2, inside}, {ext.cx, 17, inside}, {1 + ext.cx, 2, 6}, {1, 18, 6}, {0, 2, 6},
        };
        // clang-format on
        for (const auto& [x, y, want] : probes) {
            EXPECT_EQ(values_of(dst.bitmap())[y][x], want) << mode << " " << x << "," << y;
        }
    }
    MemoryDc dst(filled(4, 3, 6));
    SetBkColor(dst.dc(), RGB(0, 0, 255));
    const RECT inverted{3, 2, 1, 0};  // normalised to (1,0)-(3,2)
    EXPECT_TRUE(ExtTextOutA(dst.dc(), 0, 0, ETO_OPAQUE, &inverted, nullptr, 0, nullptr));
    EXPECT_EQ(values_of(dst.bitmap()), (Rows{{6, 252, 252, 6}, {6, 252, 252, 6}, {6, 6, 6, 6}}));
}

// The text drawn white on black into a fresh 8-bit bitmap.
Rows render(UINT align, int x, int y, const char* text) {
    MemoryDc dst(filled(64, 24, 0));
    SetTextColor(dst.dc(), RGB(255, 255, 255));
    SetBkMode(dst.dc(), TRANSPARENT);
    SetTextAlign(dst.dc(), align);
    TextOutA(dst.dc(), x, y, text, static_cast<int>(std::strlen(text)));
    return values_of(dst.bitmap());
}

TEST_F(State, TextIsPlacedByItsAlignmentAndMeasuredByTheFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE ext{};
    GetTextExtentPoint32A(dc, "Wynik", 5, &ext);
    // clang-format off
    const std::tuple<UINT, int, int, int, int> cases[] = {  // align, x, y, the same picture's left-top x, y
        {TA_CENTER, 32, 2, 32 - ext.cx / 2, 2}, {TA_RIGHT, 60, 2, 60 - ext.cx, 2}, {TA_BOTTOM, 3, 20, 3, 4}, {TA_BASELINE, 3, 15, 3, 2},
    };
    // clang-format on
    for (const auto& [align, x, y, left, top] : cases) {
        const auto aligned = render(align, x, y, "Wynik");
        EXPECT_EQ(aligned, render(TA_LEFT | TA_TOP, left, top, "Wynik")) << align;
        EXPECT_NE(aligned, render(TA_LEFT | TA_TOP, 0, 0, "")) << "something was drawn";
    }
    SIZE size{-1, -1}, fallback{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", -1, &size));
    const char low = '\x10', def = static_cast<char>(builtin_fonts().front()->default_char);
    GetTextExtentPoint32A(dc, &low, 1, &size);
    GetTextExtentPoint32A(dc, &def, 1, &fallback);
    EXPECT_EQ(size.cx, fallback.cx) << "bytes outside the font measure as its default character";
    SetTextAlign(dc, TA_UPDATECP);  // the current position advances by the extent
    MoveToEx(dc, 10, 3, nullptr);
    TextOutA(dc, 500, 500, "ab", 2);
    GetTextExtentPoint32A(dc, "ab", 2, &size);
    POINT p{};
    GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(10 + size.cx, LONG{3}));
    DeleteDC(dc);
}

// The 8-bit screen's snapshots and frames are the program's screenshots; these are the rest.
TEST_F(State, SnapshotsOfMonochromeAndTrueColourAndOfWhatHasNoPixels) {
    int w = 0, h = 0;
    HBITMAP mono = make_mono({"10"});
    const auto pixels = gdi::snapshot_rgb(mono, w, h);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{RGB(255, 255, 255), 0}));
    const std::string path =
        (std::filesystem::temp_directory_path() / "pilo_gdi_snapshot.png").string();
    ASSERT_TRUE(gdi::write_png(mono, path));
    std::vector<std::uint32_t> back;
    ASSERT_TRUE(gdi::png::read_rgb(path, w, h, back));
    std::remove(path.c_str());
    EXPECT_EQ(back, pixels);
    EXPECT_FALSE(gdi::write_png(static_cast<HBITMAP>(nullptr), path)) << "nothing to write";
    DeleteObject(mono);
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_TRUE(gdi::snapshot_rgb(ic, w, h).empty());
    EXPECT_EQ(w, 0);
    DeleteDC(ic);
    const std::uint64_t seen = gdi::screen_change_count();
    gdi::configure_screen(32);
    EXPECT_GT(gdi::screen_change_count(), seen) << "a new screen is a change";
    HDC screen = GetDC(nullptr);
    SetPixelV(screen, 1, 0, RGB(1, 2, 3));
    const gdi::ScreenFrame frame = gdi::screen_frame();
    EXPECT_EQ(frame.bits_per_pixel, 32);
    ASSERT_EQ(frame.pixels.size(), 640u * 480u);
    EXPECT_EQ(std::make_pair(frame.pixels[0], frame.pixels[1]),
              std::make_pair(0x008080u, 0x010203u));
    ReleaseDC(nullptr, screen);
    gdi::configure_screen(8);
}

}  // namespace
