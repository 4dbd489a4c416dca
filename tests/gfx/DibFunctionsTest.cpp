// DibFunctionsTest.cpp: sizes, palettes and bitmaps read from packed DIBs in resource memory.
#include "gfx/DibFunctions.h"
#include "platform/win32/gdi/Screen.h"
#include "tests/dib/DibBytes.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using dibtest::Bytes;
using dibtest::core_header;
using dibtest::info_header;
using dibtest::InfoFields;
using gfxtest::read_pixels;
using gfxtest::ResourceTable;

InfoFields fields(std::uint32_t size, std::int32_t w, std::int32_t h, std::uint16_t bpp,
                  std::uint32_t colors_used = 0) {
    InfoFields f;
    f.size = size;
    f.width = w;
    f.height = h;
    f.bpp = bpp;
    f.colors_used = colors_used;
    return f;
}

struct SizeCase {
    const char* name;
    Bytes header;
    WORD colors;
    LONG width, height;
    WORD table_bytes;
};

// Headers in ordinary memory: nothing bounds them but their own size field.
TEST(DibSizes, FieldsFollowTheHeaderForm) {
    const SizeCase cases[] = {
        {"info 8-bit, colours-used 20", info_header(fields(40, 108, 54, 8, 20)), 20, 108, 54, 80},
        {"info 8-bit, colours-used 0", info_header(fields(40, 108, 54, 8)), 256, 108, 54, 1024},
        {"info 4-bit", info_header(fields(40, 24, 24, 4)), 16, 24, 24, 64},
        {"info 1-bit", info_header(fields(40, 3, 5, 1)), 2, 3, 5, 8},
        {"info 24-bit, no colours-used: no table", info_header(fields(40, 7, 9, 24)), 0, 7, 9, 0},
        {"info 24-bit, colours-used 256", info_header(fields(40, 7, 9, 24, 256)), 256, 7, 9, 1024},
        {"info 16-bit", info_header(fields(40, 7, 9, 16)), 0, 7, 9, 0},
        {"info top-down keeps its negative height", info_header(fields(40, 10, -20, 8)), 256, 10,
         -20, 1024},
        {"info colours-used truncated to 16 bits", info_header(fields(40, 1, 1, 8, 0x10014)), 0x14,
         1, 1, 0x50},
        {"core 8-bit: 3-byte entries", core_header(512, 384, 8), 256, 512, 384, 768},
        {"core 4-bit", core_header(24, 24, 4), 16, 24, 24, 48},
        {"core 1-bit", core_header(2, 2, 1), 2, 2, 2, 6},
        {"core 24-bit", core_header(2, 2, 24), 0, 2, 2, 0},
        {"core width 65535 widened without sign", core_header(0xFFFF, 0x8000, 24), 0, 65535, 32768,
         0},
        // The 108- and 124-byte headers are info headers too.
        {"108-byte, colours-used 20", info_header(fields(108, 108, 54, 8, 20)), 20, 108, 54, 80},
        {"124-byte, colours-used 0", info_header(fields(124, 5, 6, 8)), 256, 5, 6, 1024},
        {"124-byte 4-bit, colours-used 12", info_header(fields(124, 5, 6, 4, 12)), 12, 5, 6, 48},
        // Any other size is no DIB at all.
        {"size 64", info_header(fields(64, 5, 6, 8, 20)), 0, 0, 0, 0},
        {"size 0", info_header(fields(0, 5, 6, 8)), 0, 0, 0, 0},
        {"size 41", info_header(fields(41, 5, 6, 8)), 0, 0, 0, 0},
        {"size 16", Bytes().u32(16).u16(5).u16(6).u16(1).u16(8).zeros(4), 0, 0, 0, 0},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const void* p = c.header.data().data();
        EXPECT_EQ(GetDibColorCount(p), c.colors);
        EXPECT_EQ(GetDibWidth(p), c.width);
        EXPECT_EQ(GetDibHeight(p), c.height);
        EXPECT_EQ(GetDibColorTableSize(p), c.table_bytes);
    }
}

TEST(DibSizes, NullHeaderGivesZero) {
    EXPECT_EQ(GetDibColorCount(nullptr), 0);
    EXPECT_EQ(GetDibWidth(nullptr), 0);
    EXPECT_EQ(GetDibHeight(nullptr), 0);
    EXPECT_EQ(GetDibColorTableSize(nullptr), 0);
}

// Resources shorter than the header their size field announces: nothing past the end is read.
TEST(DibSizes, HeadersCutByTheEndOfTheirResourceGiveZero) {
    const std::vector<std::uint8_t> info = info_header(fields(40, 5, 6, 8, 20)).data();
    const std::vector<std::uint8_t> v5 = info_header(fields(124, 5, 6, 8, 20)).data();
    const std::vector<std::uint8_t> core = core_header(5, 6, 8).data();
    const struct {
        const char* name;
        WORD id;
        std::vector<std::uint8_t> data;
        LONG width, height;  // 0 when refused
        WORD colors;
    } cases[] = {
        {"info header whole", 1, info, 5, 6, 20},
        {"info header cut at 39", 2, {info.begin(), info.begin() + 39}, 0, 0, 0},
        {"size field only", 3, {info.begin(), info.begin() + 4}, 0, 0, 0},
        {"size field cut", 4, {info.begin(), info.begin() + 3}, 0, 0, 0},
        {"124-byte header cut at 100", 5, {v5.begin(), v5.begin() + 100}, 0, 0, 0},
        {"core header whole", 6, core, 5, 6, 256},
        {"core header cut at 11", 7, {core.begin(), core.begin() + 11}, 0, 0, 0},
    };
    ResourceTable table;
    for (const auto& c : cases) {
        table.add_bitmap(c.id, c.data);
    }
    ASSERT_TRUE(table.install());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const void* p = table.locked(c.id);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(GetDibWidth(p), c.width);
        EXPECT_EQ(GetDibHeight(p), c.height);
        EXPECT_EQ(GetDibColorCount(p), c.colors);
    }
}

// A fresh 8-bit screen per test, so system palette slots start free.
class DibBuild : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
        m_global_baseline = GlobalAliveCountForTest();
    }
    void TearDown() override {
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
        EXPECT_EQ(GlobalAliveCountForTest(), m_global_baseline) << "global memory leaked";
    }

    std::size_t m_gdi_baseline = 0;
    std::size_t m_global_baseline = 0;
};

std::vector<PALETTEENTRY> entries_of(const CPalette& palette) {
    std::vector<PALETTEENTRY> entries(static_cast<std::size_t>(palette.GetEntryCount()));
    palette.GetPaletteEntries(0, static_cast<UINT>(entries.size()), entries.data());
    return entries;
}

// 8-bit, colours-used 20: entry i is (10 i + 5, 200 - i, 77); pixels use entries 0, 7, 19.
std::vector<std::uint8_t> twenty_color_dib() {
    Bytes dib = info_header(fields(40, 3, 2, 8, 20));
    for (int i = 0; i < 20; ++i) {
        dib.quad(static_cast<std::uint8_t>(10 * i + 5), static_cast<std::uint8_t>(200 - i), 77);
    }
    // Bottom row first: bottom 19 19 0, top 0 7 19; one padding byte per row.
    dib.u8(19).u8(19).u8(0).u8(0).u8(0).u8(7).u8(19).u8(0);
    return dib.data();
}

TEST_F(DibBuild, ColoursUsed20GivesA20EntryPaletteAndBitsAt40Plus80) {
    ResourceTable table;
    table.add_bitmap(1, twenty_color_dib());
    ASSERT_TRUE(table.install());
    const void* header = table.locked(1);
    HGLOBAL resource = LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(1), RT_BITMAP));
    ASSERT_NE(resource, nullptr);

    CPalette palette;
    ASSERT_TRUE(BuildDibPalette(resource, header, &palette));
    const std::vector<PALETTEENTRY> entries = entries_of(palette);
    ASSERT_EQ(entries.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].peRed, 10 * i + 5);
        EXPECT_EQ(entries[i].peGreen, 200 - i);
        EXPECT_EQ(entries[i].peBlue, 77);
        EXPECT_EQ(entries[i].peFlags, 0);
    }

    HBITMAP bitmap = BuildDibBitmap(resource, header, palette);
    ASSERT_NE(bitmap, nullptr);
    // Realised, the palette's colours come back exactly.
    const std::vector<COLORREF> expected = {RGB(5, 200, 77),   RGB(75, 193, 77),  RGB(195, 181, 77),
                                            RGB(195, 181, 77), RGB(195, 181, 77), RGB(5, 200, 77)};
    EXPECT_EQ(read_pixels(bitmap), expected);
    DeleteObject(bitmap);
}

TEST_F(DibBuild, CoreHeaderGives256EntriesFromTriplesAndBitsAt12Plus768) {
    Bytes dib = core_header(2, 1, 8);
    for (int i = 0; i < 256; ++i) {
        dib.triple(static_cast<std::uint8_t>(i), 77, static_cast<std::uint8_t>(255 - i));
    }
    // Entries 0 to 235 take the free system slots; later ones would only get the nearest.
    dib.u8(3).u8(200).u16(0);
    ResourceTable table;
    table.add_bitmap(7, dib.data());
    ASSERT_TRUE(table.install());
    HGLOBAL resource = LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(7), RT_BITMAP));
    const void* header = LockResource(resource);

    CPalette palette;
    ASSERT_TRUE(BuildDibPalette(resource, header, &palette));
    const std::vector<PALETTEENTRY> entries = entries_of(palette);
    ASSERT_EQ(entries.size(), 256u);
    // Read as 4-byte entries, entry 1 would start at the second triple's green.
    EXPECT_EQ(entries[1].peRed, 1);
    EXPECT_EQ(entries[1].peGreen, 77);
    EXPECT_EQ(entries[1].peBlue, 254);
    EXPECT_EQ(entries[255].peRed, 255);
    EXPECT_EQ(entries[255].peBlue, 0);

    HBITMAP bitmap = BuildDibBitmap(resource, header, palette);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(read_pixels(bitmap), (std::vector<COLORREF>{RGB(3, 77, 252), RGB(200, 77, 55)}));
    DeleteObject(bitmap);
}

TEST_F(DibBuild, TwentyFourBitsHaveNoPaletteButStillConvert) {
    // Pixels: pure red, a near red, pure blue. Without a palette they snap to static colours.
    Bytes dib = info_header(fields(40, 3, 1, 24));
    dib.u8(0).u8(0).u8(255).u8(5).u8(5).u8(250).u8(255).u8(0).u8(0).u8(0).u8(0).u8(0);
    ResourceTable table;
    table.add_bitmap(3, dib.data());
    ASSERT_TRUE(table.install());
    HGLOBAL resource = LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(3), RT_BITMAP));
    const void* header = LockResource(resource);

    CPalette palette;
    const std::size_t globals = GlobalAliveCountForTest();
    EXPECT_FALSE(BuildDibPalette(resource, header, &palette));
    EXPECT_EQ(palette.GetSafeHandle(), nullptr);
    EXPECT_EQ(GlobalAliveCountForTest(), globals);

    HBITMAP bitmap = BuildDibBitmap(resource, header, nullptr);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(read_pixels(bitmap),
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)}));
    DeleteObject(bitmap);
}

TEST_F(DibBuild, RefusalsChangeNothing) {
    ResourceTable table;
    table.add_bitmap(1, twenty_color_dib());
    // A 20-entry table that the resource cuts after 19 entries.
    std::vector<std::uint8_t> cut = twenty_color_dib();
    cut.resize(40 + 79);
    table.add_bitmap(2, cut);
    table.add_bitmap(3, info_header(fields(64, 3, 2, 8, 20)).zeros(80).zeros(8).data());
    // Header and table, but the resource ends where the pixels should begin.
    std::vector<std::uint8_t> no_bits = twenty_color_dib();
    no_bits.resize(40 + 80);
    table.add_bitmap(4, no_bits);
    ASSERT_TRUE(table.install());
    HGLOBAL resource = LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(1), RT_BITMAP));
    const void* good = table.locked(1);

    CPalette palette;
    EXPECT_FALSE(BuildDibPalette(nullptr, good, &palette));
    EXPECT_FALSE(BuildDibPalette(resource, table.locked(2), &palette));
    EXPECT_FALSE(BuildDibPalette(resource, table.locked(3), &palette));
    EXPECT_EQ(palette.GetSafeHandle(), nullptr);

    EXPECT_EQ(BuildDibBitmap(nullptr, good, nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, nullptr, nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, table.locked(3), nullptr), nullptr);
    EXPECT_EQ(BuildDibBitmap(resource, table.locked(4), nullptr), nullptr);

    // A palette that already holds a handle keeps it, and the new one is not leaked.
    ASSERT_TRUE(BuildDibPalette(resource, good, &palette));
    HGDIOBJ held = palette.GetSafeHandle();
    const std::size_t alive = GdiAliveCountForTest();
    EXPECT_FALSE(BuildDibPalette(resource, good, &palette));
    EXPECT_EQ(palette.GetSafeHandle(), held);
    EXPECT_EQ(GdiAliveCountForTest(), alive);
}

TEST_F(DibBuild, PaletteIsRealisedAndReleased) {
    ResourceTable table;
    table.add_bitmap(1, twenty_color_dib());
    ASSERT_TRUE(table.install());
    HGLOBAL resource = LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(1), RT_BITMAP));
    CPalette palette;
    ASSERT_TRUE(BuildDibPalette(resource, table.locked(1), &palette));
    HBITMAP bitmap = BuildDibBitmap(resource, table.locked(1), palette);
    ASSERT_NE(bitmap, nullptr);

    // The palette was realised: its colours hold system palette slots now.
    HDC screen = GetDC(nullptr);
    PALETTEENTRY system[256];
    ASSERT_EQ(GetSystemPaletteEntries(screen, 0, 256, system), 256u);
    ReleaseDC(nullptr, screen);
    int found = 0;
    for (const PALETTEENTRY& e : system) {
        found += e.peBlue == 77 && e.peGreen + e.peRed / 10 == 200;
    }
    EXPECT_EQ(found, 20);
    // Deleting it works only because no DC holds it any more.
    EXPECT_TRUE(palette.DeleteObject());
    DeleteObject(bitmap);
}

}  // namespace
