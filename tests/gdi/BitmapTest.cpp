// BitmapTest.cpp: device bitmaps from DIBs, DIB bits back out, and icons.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/IconFromDib.h"

#include <cstring>

namespace {

using namespace gdi_test;

using Bitmaps = GdiTest;

// A packed 8-bit DIB: 40-byte header, four colours, 2 x 2 pixels (rows padded to 4 bytes).
struct Dib8 {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[4];
    BYTE bits[8];
};

// Top row: red, (10,20,30); bottom row: white, (250,250,250).
Dib8 make_dib8(bool top_down) {
    Dib8 d{};
    d.header.biSize = sizeof(BITMAPINFOHEADER);
    d.header.biWidth = 2;
    d.header.biHeight = top_down ? -2 : 2;
    d.header.biPlanes = 1;
    d.header.biBitCount = 8;
    d.header.biCompression = BI_RGB;
    d.header.biClrUsed = 4;
    d.colors[0] = {0, 0, 255, 0};
    d.colors[1] = {30, 20, 10, 0};
    d.colors[2] = {255, 255, 255, 0};
    d.colors[3] = {250, 250, 250, 0};
    const BYTE top[] = {0, 1, 0, 0};
    const BYTE bottom[] = {2, 3, 0, 0};
    std::memcpy(d.bits, top_down ? top : bottom, 4);
    std::memcpy(d.bits + 4, top_down ? bottom : top, 4);
    return d;
}

HBITMAP from_dib(HDC dc, const Dib8& d) {
    return CreateDIBitmap(dc, &d.header, CBM_INIT, d.bits, reinterpret_cast<const BITMAPINFO*>(&d),
                          DIB_RGB_COLORS);
}

TEST_F(Bitmaps, DibColoursSnapToStaticsWithTheDefaultPalette) {
    HDC screen = GetDC(nullptr);
    for (const bool top_down : {false, true}) {
        SCOPED_TRACE(top_down ? "top-down" : "bottom-up");
        const Dib8 dib = make_dib8(top_down);
        HBITMAP bm = from_dib(screen, dib);
        ASSERT_NE(bm, nullptr);
        const std::vector<std::vector<int>> expected = {{249, 0}, {255, 255}};
        EXPECT_EQ(values_of(bm), expected);
        DeleteObject(bm);
    }
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmaps, DibOnAFreshMemoryDcBecomesMonochrome) {
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bm = from_dib(mem, make_dib8(false));
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(mono_rows(bm), (std::vector<std::string>{"00", "11"}));
    DeleteObject(bm);
    DeleteDC(mem);
}

TEST_F(Bitmaps, DibColoursGoThroughTheRealisedLogicalPalette) {
    alignas(LOGPALETTE) std::byte storage[sizeof(LOGPALETTE) + sizeof(PALETTEENTRY)];
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage);
    lp->palVersion = 0x300;
    lp->palNumEntries = 2;
    lp->palPalEntry[0] = {10, 20, 30, 0};
    PALETTEENTRY second{250, 0, 0, 0};
    std::memcpy(&lp->palPalEntry[1], &second, sizeof(second));
    HPALETTE pal = CreatePalette(lp);
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, pal, FALSE);
    EXPECT_EQ(RealizePalette(screen), 2u);  // slots 10 and 11
    HBITMAP bm = from_dib(screen, make_dib8(false));
    SelectPalette(screen, old, FALSE);
    // Each colour takes the nearest of the two logical entries, even white (nearer red).
    const std::vector<std::vector<int>> expected = {{11, 10}, {11, 11}};
    EXPECT_EQ(values_of(bm), expected);
    DeleteObject(bm);
    ReleaseDC(nullptr, screen);
    DeleteObject(pal);
}

TEST_F(Bitmaps, CoreHeaderAndTrueColourDibs) {
    HDC screen = GetDC(nullptr);
    struct Core {
        BITMAPCOREHEADER header;
        RGBTRIPLE colors[2];
        BYTE pad[2];
        BYTE bits[4];
    } core{};
    core.header = {sizeof(BITMAPCOREHEADER), 8, 1, 1, 1};
    core.colors[0] = {0, 0, 0};
    core.colors[1] = {255, 255, 255};
    core.bits[0] = 0xB0;  // 1011 0000
    HBITMAP mono_dib =
        CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(&core), CBM_INIT,
                       core.bits, reinterpret_cast<const BITMAPINFO*>(&core), DIB_RGB_COLORS);
    ASSERT_NE(mono_dib, nullptr);
    EXPECT_EQ(values_of(mono_dib)[0], (std::vector<int>{255, 0, 255, 255, 0, 0, 0, 0}))
        << "a screen DC gives 8 bits even for a 1-bit DIB";
    DeleteObject(mono_dib);

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const BYTE bits[8] = {0, 0, 255, 192, 192, 192, 0, 0};  // red, light grey (B, G, R)
    HBITMAP rgb = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(values_of(rgb)[0], (std::vector<int>{249, 7}));
    DeleteObject(rgb);
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmaps, BadDibsAreRefusedAndLeaveNothingBehind) {
    HDC screen = GetDC(nullptr);
    Dib8 rle = make_dib8(false);
    rle.header.biCompression = BI_RLE8;
    Dib8 zero_width = make_dib8(false);
    zero_width.header.biWidth = 0;
    const Dib8 good = make_dib8(false);
    struct Case {
        const char* name;
        const Dib8* dib;
        const void* bits;
        UINT usage;
    };
    const Case cases[] = {
        {"run-length encoded", &rle, rle.bits, DIB_RGB_COLORS},
        {"zero width", &zero_width, zero_width.bits, DIB_RGB_COLORS},
        {"no bits", &good, nullptr, DIB_RGB_COLORS},
        {"palette-index colours", &good, good.bits, DIB_PAL_COLORS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CreateDIBitmap(screen, &c.dib->header, CBM_INIT, c.bits,
                                 reinterpret_cast<const BITMAPINFO*>(c.dib), c.usage),
                  nullptr);
    }
    HBITMAP empty = CreateDIBitmap(screen, &good.header, 0, nullptr, nullptr, DIB_RGB_COLORS);
    BITMAP info{};
    GetObjectA(empty, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 2) << "without CBM_INIT only the size is taken";
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 8);
    DeleteObject(empty);
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmaps, GetDIBitsGivesColoursBottomUp) {
    HBITMAP bm = make_indexed({{249, 7}, {0, 255}});
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_EQ(GetDIBits(dc, bm, 0, 2, nullptr, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.bmiHeader.biWidth, 2);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    BYTE bits[16] = {};
    EXPECT_EQ(GetDIBits(dc, bm, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    const BYTE expected[16] = {0, 0, 0,   0, 255, 255, 255, 0,   // bottom row: black, white
                               0, 0, 255, 0, 192, 192, 192, 0};  // top row: red, grey
    EXPECT_EQ(std::memcmp(bits, expected, sizeof(bits)), 0);
    DeleteDC(dc);
    DeleteObject(bm);
}

TEST_F(Bitmaps, IconsKeepWhereTheMaskIsSetAndXorThePicture) {
    HBITMAP mask = make_mono({"01", "10"});
    HBITMAP color = make_indexed({{249, 255}, {0, 252}});
    ICONINFO ii{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);  // the icon keeps copies
    DeleteObject(color);
    MemoryDc target(make_indexed({{6, 6}, {6, 6}}));
    EXPECT_TRUE(DrawIcon(target.dc(), 0, 0, icon));
    // Masked out: the picture. Kept: teal XOR picture (255 inverts teal 6 to red 249).
    EXPECT_EQ(values_of(target.bitmap()), (std::vector<std::vector<int>>{{249, 249}, {6, 252}}));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(target.dc(), 0, 0, icon));
}

TEST_F(Bitmaps, MonochromeIconStacksMaskAboveThePicture) {
    HBITMAP both = make_mono({"01", "10", "00", "01"});
    ICONINFO ii{TRUE, 0, 0, both, nullptr};
    HICON icon = CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    DeleteObject(both);
    MemoryDc target(make_indexed({{6, 6, 6}, {6, 6, 6}}));
    EXPECT_TRUE(DrawIcon(target.dc(), 1, 0, icon));
    EXPECT_EQ(values_of(target.bitmap()), (std::vector<std::vector<int>>{{6, 0, 6}, {6, 6, 255}}));
    DestroyIcon(icon);
}

}  // namespace

namespace {

using IconImages = gdi_test::GdiTest;

// A 2 x 2 icon image of 4 bits per pixel: header of double height, 16 colours, XOR rows and
// AND rows, both bottom-up and padded to 4 bytes.
std::vector<std::byte> icon_image() {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = 2;
    h.biHeight = 4;
    h.biPlanes = 1;
    h.biBitCount = 4;
    RGBQUAD table[16] = {};
    table[1] = {0, 0, 255, 0};                                // red
    table[15] = {255, 255, 255, 0};                           // white
    const BYTE xor_rows[8] = {0x1F, 0, 0, 0, 0x01, 0, 0, 0};  // bottom: 1 15; top: 0 1
    const BYTE and_rows[8] = {0x40, 0, 0, 0, 0x80, 0, 0, 0};  // bottom: 0 1; top: 1 0
    std::vector<std::byte> image(sizeof(h) + sizeof(table) + sizeof(xor_rows) + sizeof(and_rows));
    std::byte* p = image.data();
    std::memcpy(p, &h, sizeof(h));
    std::memcpy(p + sizeof(h), table, sizeof(table));
    std::memcpy(p + sizeof(h) + sizeof(table), xor_rows, sizeof(xor_rows));
    std::memcpy(p + sizeof(h) + sizeof(table) + sizeof(xor_rows), and_rows, sizeof(and_rows));
    return image;
}

TEST_F(IconImages, ResourceImageBecomesAnIconWithItsMask) {
    const auto image = icon_image();
    HICON icon = gdi::create_icon_from_dib(image);
    ASSERT_NE(icon, nullptr);
    gdi_test::MemoryDc target(gdi_test::make_indexed({{6, 6}, {6, 6}}));
    EXPECT_TRUE(DrawIcon(target.dc(), 0, 0, icon));
    // Top: kept teal, then red; bottom: red, then teal inverted by white (red again).
    EXPECT_EQ(gdi_test::values_of(target.bitmap()),
              (std::vector<std::vector<int>>{{6, 249}, {249, 249}}));
    DestroyIcon(icon);
}

TEST_F(IconImages, MalformedImagesAreRefused) {
    auto truncated = icon_image();
    truncated.pop_back();
    auto odd = icon_image();
    odd[8] = std::byte{3};  // height 3 cannot split into picture and mask
    struct Case {
        const char* name;
        std::vector<std::byte> image;
    };
    const Case cases[] = {{"mask cut short", truncated}, {"odd height", odd}, {"empty", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gdi::create_icon_from_dib(c.image), nullptr);
    }
}

}  // namespace
