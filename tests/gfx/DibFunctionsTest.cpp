// DibFunctionsTest.cpp: sizes, palettes and bitmaps read from packed DIBs in resource memory.
#include "gfx/DibFunctions.h"
#include "tests/gfx/ScreenTest.h"

#include <gtest/gtest.h>

namespace {

using dibtest::Bytes;
using dibtest::core_header;
using dibtest::info_header;

Bytes cut(Bytes b, std::size_t size) {
    b.v.resize(size);
    return b;
}

// Each header is a resource of its own, ending where the header does.
TEST(DibSizes, FieldsFollowTheHeaderFormAndStopAtTheResourcesEnd) {
    const struct {
        const char* name;
        Bytes header;
        LONG colors, width, height, table_bytes;
    } cases[] = {
        {"colours-used wins", info_header(40, 108, 54, 8, 0, 20), 20, 108, 54, 80},
        {"8 bits, colours-used 0", info_header(40, 108, 54, 8), 256, 108, 54, 1024},
        {"4 bits", info_header(40, 24, 24, 4), 16, 24, 24, 64},
        {"1 bit", info_header(40, 3, 5, 1), 2, 3, 5, 8},
        {"24 bits: no table", info_header(40, 7, 9, 24), 0, 7, 9, 0},
        {"24 bits with colours-used", info_header(40, 7, 9, 24, 0, 256), 256, 7, 9, 1024},
        {"top-down keeps its sign", info_header(40, 10, -20, 8), 256, 10, -20, 1024},
        {"colours-used cut to 16 bits", info_header(40, 1, 1, 8, 0, 0x10014), 0x14, 1, 1, 0x50},
        {"core: 3-byte entries", core_header(512, 384, 8), 256, 512, 384, 768},
        {"core, widened unsigned", core_header(0xFFFF, 0x8000, 24), 0, 65535, 32768, 0},
        {"108-byte header", info_header(108, 108, 54, 8, 0, 20), 20, 108, 54, 80},
        {"124-byte header", info_header(124, 5, 6, 4), 16, 5, 6, 64},
        {"size 64 is no DIB", info_header(64, 5, 6, 8, 0, 20), 0, 0, 0, 0},
        {"size 16 is no DIB", Bytes().u32(16).u16(5).u16(6).u16(1).u16(8).u32(0), 0, 0, 0, 0},
        {"info cut at 39", cut(info_header(40, 5, 6, 8), 39), 0, 0, 0, 0},
        {"size field cut", cut(info_header(40, 5, 6, 8), 3), 0, 0, 0, 0},
        {"124-byte header cut at 100", cut(info_header(124, 5, 6, 8), 100), 0, 0, 0, 0},
        {"core cut at 11", cut(core_header(5, 6, 8), 11), 0, 0, 0, 0},
    };
    gfxtest::ResourceTable table;
    for (WORD i = 0; i < std::size(cases); ++i) {
        table.add_bitmap(i + 1, cases[i].header.v);
    }
    ASSERT_TRUE(table.install());
    for (WORD i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        const void* p = table.locked(i + 1);
        EXPECT_EQ(
            std::tuple(GetDibColorCount(p), GetDibWidth(p), GetDibHeight(p),
                       GetDibColorTableSize(p)),
            std::tuple(cases[i].colors, cases[i].width, cases[i].height, cases[i].table_bytes));
    }
    EXPECT_EQ(GetDibColorCount(nullptr) + GetDibWidth(nullptr) + GetDibColorTableSize(nullptr), 0);
}

class DibBuild : public gfxtest::ScreenTest {
protected:
    gfxtest::ResourceTable m_table;
};

// 3 x 2, 8 bits, colours-used 20, entry i (10 i + 5, 200 - i, 77); rows 19 19 0 | 0 7 19, each
// padded by one byte, bottom row first.
std::vector<std::uint8_t> twenty_colors() {
    Bytes dib = info_header(40, 3, 2, 8, 0, 20);
    for (unsigned i = 0; i < 20; ++i) {
        dib.quad(10 * i + 5, 200 - i, 77);
    }
    return dib.u8(19).u8(19).u8(0).u8(0).u8(0).u8(7).u8(19).u8(0).v;
}

TEST_F(DibBuild, PaletteIsTheTableAndTheBitmapShowsItsColours) {
    Bytes core = core_header(2, 1, 8);
    for (unsigned i = 0; i < 256; ++i) {
        core.u8(255 - i).u8(77).u8(i);  // triples: blue, green, red
    }
    Bytes rgb = info_header(40, 2, 1, 24);  // pure red, a near silver
    m_table.add_bitmap(1, twenty_colors());
    m_table.add_bitmap(2, core.u8(3).u8(200).u16(0).v);
    m_table.add_bitmap(3, rgb.u8(0).u8(0).u8(255).u8(190).u8(195).u8(188).u16(0).v);
    ASSERT_TRUE(m_table.install());
    const COLORREF A = RGB(5, 200, 77), B = RGB(75, 193, 77), C = RGB(195, 181, 77);
    const struct {
        const char* name;
        int entries;  // 0: no palette can be made
        COLORREF entry1;
        std::vector<COLORREF> pixels;
    } cases[] = {
        {"colours-used 20: bits at 40 + 80", 20, RGB(15, 199, 77), {A, B, C, C, C, A}},
        // Read as 4-byte entries, entry 1 would start at the second triple's green.
        {"core: triples, bits at 12 + 768", 256, RGB(1, 77, 254), {0xFC4D03, 0x374DC8}},
        {"24 bits: no palette, the nearest statics", 0, 0, {RGB(255, 0, 0), RGB(192, 192, 192)}},
    };
    for (WORD id = 1; id <= 3; ++id) {
        const auto& c = cases[id - 1];
        SCOPED_TRACE(c.name);
        CPalette palette;
        EXPECT_EQ(BuildDibPalette(m_table.handle(id), m_table.locked(id), &palette), c.entries > 0);
        PALETTEENTRY e{};
        if (palette.GetSafeHandle() != nullptr) {
            EXPECT_EQ(palette.GetEntryCount(), c.entries);
            palette.GetPaletteEntries(1, 1, &e);
            EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue) | e.peFlags << 24, c.entry1);
        }
        HBITMAP bitmap = BuildDibBitmap(m_table.handle(id), m_table.locked(id),
                                        static_cast<HPALETTE>(palette.GetSafeHandle()));
        EXPECT_EQ(gfxtest::read_pixels(bitmap), c.pixels) << "the palette was realised";
        DeleteObject(bitmap);
        // The screen let go of the palette: nothing holds it.
        EXPECT_TRUE(palette.GetSafeHandle() == nullptr || palette.DeleteObject());
    }
}

TEST_F(DibBuild, RefusalsChangeNothing) {
    std::vector<std::uint8_t> cut = twenty_colors(), no_bits = twenty_colors();
    cut.resize(40 + 79);      // the table cut short by a byte
    no_bits.resize(40 + 80);  // the resource ends where the pixels begin
    m_table.add_bitmap(1, twenty_colors());
    m_table.add_bitmap(2, cut);
    m_table.add_bitmap(3, info_header(64, 3, 2, 8, 0, 20).u32(0).v);
    m_table.add_bitmap(4, no_bits);
    ASSERT_TRUE(m_table.install());
    HGLOBAL resource = m_table.handle(1);
    const void* good = m_table.locked(1);
    CPalette palette;
    EXPECT_FALSE(BuildDibPalette(nullptr, good, &palette));
    EXPECT_FALSE(BuildDibPalette(resource, m_table.locked(2), &palette));
    EXPECT_FALSE(BuildDibPalette(resource, m_table.locked(3), &palette));
    EXPECT_EQ(palette.GetSafeHandle(), nullptr);
    EXPECT_EQ(BuildDibBitmap(nullptr, good, nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, nullptr, nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, m_table.locked(3), nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, m_table.locked(4), nullptr), nullptr);
    EXPECT_TRUE(BuildDibPalette(resource, m_table.locked(4), &palette)) << "the table is whole";
    // A palette that already holds a handle keeps it, and the new one is not leaked.
    HGDIOBJ held = palette.GetSafeHandle();
    const std::size_t alive = GdiAliveCountForTest();
    EXPECT_FALSE(BuildDibPalette(resource, good, &palette));
    EXPECT_EQ(palette.GetSafeHandle(), held);
    EXPECT_EQ(GdiAliveCountForTest(), alive);
}

}  // namespace
