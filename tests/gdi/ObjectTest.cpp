// ObjectTest.cpp: handles, DC defaults, compatible bitmaps, selection rules, device caps, leaks.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/StockObjects.h"
#include "platform/win32/gdi/WindowDc.h"

namespace {

using namespace gdi_test;

using Objects = GdiTest;

BITMAP bitmap_info(HGDIOBJ bm) {
    BITMAP info{};
    GetObjectA(bm, sizeof(info), &info);
    return info;
}

TEST_F(Objects, NewMemoryDcHasThePlatformDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const BITMAP bm = bitmap_info(GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc), 0u);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    POINT p{-1, -1};
    GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    DeleteDC(dc);
}

TEST_F(Objects, CompatibleBitmapTakesTheFormatOfTheDc) {
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(ic, 3, 2);
    struct Case {
        const char* name;
        HDC dc;
        int w, h;
        int bpp, width_bytes;
    };
    const Case before[] = {
        {"information context", ic, 5, 4, 8, 6},
        {"memory DC with its first bitmap", mem, 17, 2, 1, 4},
        {"zero width gives the 1 x 1 monochrome", ic, 0, 7, 1, 2},
    };
    for (const Case& c : before) {
        SCOPED_TRACE(c.name);
        HBITMAP bm = CreateCompatibleBitmap(c.dc, c.w, c.h);
        ASSERT_NE(bm, nullptr);
        const BITMAP info = bitmap_info(bm);
        EXPECT_EQ(info.bmBitsPixel, c.bpp);
        EXPECT_EQ(info.bmWidthBytes, c.width_bytes);
        EXPECT_EQ(info.bmPlanes, 1);
        DeleteObject(bm);
    }
    HGDIOBJ old = SelectObject(mem, colour);
    HBITMAP after = CreateCompatibleBitmap(mem, 2, 2);
    EXPECT_EQ(bitmap_info(after).bmBitsPixel, 8) << "memory DC holding a colour bitmap";
    EXPECT_EQ(CreateCompatibleBitmap(mem, -1, 2), nullptr);
    SelectObject(mem, old);
    DeleteObject(after);
    DeleteObject(colour);
    DeleteDC(mem);
    DeleteDC(ic);
}

TEST_F(Objects, SelectedObjectsCannotBeDeleted) {
    HDC a = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(2, 2, 1, 8, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old_bm = SelectObject(a, bm);
    HGDIOBJ old_pen = SelectObject(a, pen);
    EXPECT_FALSE(DeleteObject(bm));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(a, old_bm), bm);
    EXPECT_EQ(SelectObject(a, old_pen), pen);
    EXPECT_TRUE(DeleteObject(bm));
    EXPECT_TRUE(DeleteObject(pen));
    DeleteDC(a);
}

TEST_F(Objects, BitmapLivesInOneDcAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(2, 2, 1, 8, nullptr);
    HGDIOBJ old_a = SelectObject(a, bm);
    ASSERT_NE(old_a, nullptr);
    EXPECT_EQ(SelectObject(b, bm), nullptr);
    EXPECT_EQ(SelectObject(a, bm), bm) << "selecting it again where it is";
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP other = CreateBitmap(2, 2, 1, 8, nullptr);
    EXPECT_EQ(SelectObject(ic, other), nullptr) << "no bitmaps in an information context";
    SelectObject(a, old_a);
    EXPECT_NE(SelectObject(b, bm), nullptr) << "free again";
    SelectObject(b, old_a);
    DeleteObject(other);
    DeleteObject(bm);
    DeleteDC(ic);
    DeleteDC(a);
    DeleteDC(b);
}

TEST_F(Objects, StaleAndForeignHandlesFail) {
    HBITMAP bm = CreateBitmap(2, 2, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteObject(bm));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bm, sizeof(info), &info), 0);
    EXPECT_EQ(SelectObject(dc, bm), nullptr);
    EXPECT_FALSE(DeleteObject(bm));
    HBITMAP reused = CreateBitmap(3, 3, 1, 1, nullptr);
    EXPECT_NE(reused, bm) << "a reused slot gets a new generation";
    EXPECT_EQ(GetObjectA(bm, sizeof(info), &info), 0);
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(DeleteDC(gone));
    EXPECT_FALSE(BitBlt(gone, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SetTextColor(gone, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(gone, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x12345678))));
    EXPECT_FALSE(DeleteObject(dc)) << "a DC is not an object to DeleteObject";
    EXPECT_FALSE(DeleteObject(nullptr));
    DeleteObject(reused);
    DeleteDC(dc);
}

TEST_F(Objects, PermanentBrushesActLikeStockObjects) {
    const std::size_t alive = GdiAliveCountForTest();
    HBRUSH face = gdi::create_permanent_brush(RGB(192, 192, 192));
    EXPECT_EQ(GdiAliveCountForTest(), alive);
    EXPECT_TRUE(DeleteObject(face));
    MemoryDc dst(make_indexed({{0}}));
    const RECT r{0, 0, 1, 1};
    EXPECT_NE(FillRect(dst.dc(), &r, face), 0) << "still usable after DeleteObject";
    EXPECT_EQ(value_at(dst.bitmap(), 0, 0), 7);
}

TEST_F(Objects, StockObjectsSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(dc, white), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr) << "no stock object 9";
    DeleteDC(dc);
}

TEST_F(Objects, DeviceCapsDescribeThePaletteScreen) {
    struct Case {
        const char* name;
        int index;
        int eight_bit;
        int true_colour;
    };
    const Case cases[] = {
        {"RASTERCAPS palette bit", RASTERCAPS, RC_PALETTE, 0},
        {"BITSPIXEL", BITSPIXEL, 8, 32},
        {"PLANES", PLANES, 1, 1},
        {"NUMCOLORS", NUMCOLORS, 20, -1},
        {"SIZEPALETTE", SIZEPALETTE, 256, 0},
        {"NUMRESERVED", NUMRESERVED, 20, 0},
        {"HORZRES", HORZRES, 640, 640},
        {"VERTRES", VERTRES, 480, 480},
        {"LOGPIXELSX", LOGPIXELSX, 96, 96},
        {"LOGPIXELSY", LOGPIXELSY, 96, 96},
        {"DRIVERVERSION", DRIVERVERSION, 0x400, 0x300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gdi::configure_screen(8);
        HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        const int eight = GetDeviceCaps(ic, c.index);
        DeleteDC(ic);
        gdi::configure_screen(32, 0x300);
        ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        const int wide = GetDeviceCaps(ic, c.index);
        DeleteDC(ic);
        if (c.index == RASTERCAPS) {
            EXPECT_EQ(eight & RC_PALETTE, c.eight_bit);
            EXPECT_EQ(wide & RC_PALETTE, c.true_colour);
        } else {
            EXPECT_EQ(eight, c.eight_bit);
            EXPECT_EQ(wide, c.true_colour);
        }
    }
    gdi::configure_screen(8);
    EXPECT_EQ(CreateICA("PRINTER", nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Objects, TrueColourScreenKeepsRgbAndRefusesEightBitBitmaps) {
    HBITMAP eight = CreateBitmap(2, 1, 1, 8, nullptr);  // made while the screen had 8 bits
    gdi::configure_screen(32);
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP bm = CreateCompatibleBitmap(ic, 2, 1);
    EXPECT_EQ(bitmap_info(bm).bmBitsPixel, 32);
    EXPECT_EQ(CreateBitmap(2, 1, 1, 8, nullptr), nullptr);
    HDC mem = CreateCompatibleDC(ic);
    EXPECT_EQ(SelectObject(mem, eight), nullptr) << "not the screen's format";
    HGDIOBJ old = SelectObject(mem, bm);
    SetPixelV(mem, 0, 0, RGB(12, 34, 56));
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(12, 34, 56));
    EXPECT_EQ(value_at(bm, 0, 0), 0x0C2238);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bm);
    DeleteObject(eight);
    DeleteDC(ic);
    gdi::configure_screen(8);
}

TEST_F(Objects, WindowDcDrawsAtItsOriginInsideItsVisibleRectangles) {
    const RECT visible[] = {{100, 50, 110, 60}, {110, 50, 120, 55}};
    HWND w = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x4242));
    HDC dc = gdi::create_window_dc(w, POINT{100, 50}, visible);
    EXPECT_EQ(gdi::window_of_dc(dc), w);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT all{-10, -10, 40, 40};
    FillRect(dc, &all, red);
    HDC screen = GetDC(nullptr);
    struct Case {
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {100, 50, RGB(255, 0, 0)},   {109, 59, RGB(255, 0, 0)},  {119, 54, RGB(255, 0, 0)},
        {119, 55, RGB(0, 128, 128)}, {99, 50, RGB(0, 128, 128)}, {100, 60, RGB(0, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(GetPixel(screen, c.x, c.y), c.expected);
    }
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << "window coordinates";
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_EQ(GetPixel(dc, 19, 5), CLR_INVALID) << "outside the visible rectangles";
    ReleaseDC(nullptr, screen);
    DeleteObject(red);
    DeleteDC(dc);
}

TEST_F(Objects, CreatingSelectingAndDrawingLeavesNothingBehindOnceDeleted) {
    const std::size_t before = GdiAliveCountForTest();
    {
        HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        HDC mem = CreateCompatibleDC(ic);
        HBITMAP bm = CreateCompatibleBitmap(ic, 20, 20);
        HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
        LOGPALETTE lp{0x300, 1, {{1, 2, 3, 0}}};
        HPALETTE pal = CreatePalette(&lp);
        EXPECT_EQ(GdiAliveCountForTest(), before + 7);
        HGDIOBJ old_bm = SelectObject(mem, bm);
        HGDIOBJ old_pen = SelectObject(mem, pen);
        HGDIOBJ old_brush = SelectObject(mem, brush);
        HGDIOBJ old_font = SelectObject(mem, font);
        HPALETTE old_pal = SelectPalette(mem, pal, FALSE);
        RealizePalette(mem);
        Rectangle(mem, 1, 1, 10, 10);
        TextOutA(mem, 0, 0, "Pilo", 4);
        SelectPalette(mem, old_pal, FALSE);
        SelectObject(mem, old_font);
        SelectObject(mem, old_brush);
        SelectObject(mem, old_pen);
        SelectObject(mem, old_bm);
        for (HGDIOBJ o : {HGDIOBJ(bm), HGDIOBJ(pen), HGDIOBJ(brush), HGDIOBJ(font), HGDIOBJ(pal)}) {
            EXPECT_TRUE(DeleteObject(o));
        }
        EXPECT_TRUE(DeleteDC(mem));
        EXPECT_TRUE(DeleteDC(ic));
    }
    EXPECT_EQ(GdiAliveCountForTest(), before);
}

}  // namespace

namespace {

using WindowDcs = gdi_test::GdiTest;

TEST_F(WindowDcs, WindowDcsComeFromTheWindowManagerOnceItIsThere) {
    HWND w = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x77));
    EXPECT_EQ(GetDC(w), nullptr) << "no window manager yet";
    std::vector<HWND> released;
    gdi::set_window_dc_provider(
        [](HWND hwnd) {
            const RECT visible{0, 0, 10, 10};
            return gdi::create_window_dc(hwnd, POINT{5, 5}, {&visible, 1});
        },
        [&](HWND hwnd, HDC hdc) {
            released.push_back(hwnd);
            return DeleteDC(hdc) ? 1 : 0;
        });
    HDC dc = GetDC(w);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(gdi::window_of_dc(dc), w);
    EXPECT_EQ(ReleaseDC(w, dc), 1);
    EXPECT_EQ(released, std::vector<HWND>{w});
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetObjectType(screen), OBJ_DC);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1) << "the screen DC needs no window manager";
    gdi::set_window_dc_provider(nullptr, nullptr);
}

}  // namespace

namespace {

using SavedStates = gdi_test::GdiTest;

TEST_F(SavedStates, RestoreBringsBackSelectionsColoursAndClip) {
    gdi_test::MemoryDc dst(gdi_test::make_mono({"0000"}));
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
    EXPECT_TRUE(RestoreDC(dst.dc(), 1));
    EXPECT_EQ(GetCurrentObject(dst.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(dst.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dst.dc()), OPAQUE);
    const RECT all{0, 0, 4, 1};
    FillRect(dst.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(gdi_test::mono_rows(dst.bitmap())[0], "1111") << "the clip went with level 1";
    EXPECT_FALSE(RestoreDC(dst.dc(), -1)) << "nothing saved any more";
    EXPECT_TRUE(DeleteObject(pen));
}

TEST_F(SavedStates, DeletingADcReleasesItsSavedLevels) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, brush);
    SaveDC(dc);
    SelectObject(dc, old);
    EXPECT_FALSE(DeleteObject(brush)) << "level 1 still holds it";
    EXPECT_FALSE(RestoreDC(dc, 2));
    EXPECT_FALSE(RestoreDC(dc, 0));
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(brush));
}

}  // namespace
