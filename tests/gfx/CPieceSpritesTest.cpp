// CPieceSpritesTest.cpp: piece sets loaded from synthetic sheets served as bitmap resources.
#include "gfx/CPieceSprites.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/afx/afxresource.h"
#include "res/PiloResources.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using gfxtest::corner_index;
using gfxtest::far_index;
using gfxtest::fill_index;
using gfxtest::kGrey;
using gfxtest::read_pixels;
using gfxtest::ResourceTable;
using gfxtest::sheet_color;

class PieceSprites : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
        m_global_baseline = GlobalAliveCountForTest();
    }
    void TearDown() override {
        m_sprites.reset();
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
        EXPECT_EQ(GlobalAliveCountForTest(), m_global_baseline) << "global memory leaked";
    }

    // Serves sheets 160 to 162, or only the ids given.
    void install(std::vector<int> sets = {0, 1, 2}) {
        for (int set : sets) {
            m_table.add_bitmap(static_cast<WORD>(160 + set), gfxtest::make_sheet(set));
        }
        ASSERT_TRUE(m_table.install());
    }

    CPieceSprites& sprites() { return *m_sprites; }

    std::array<HGDIOBJ, 19> handles() const {
        std::array<HGDIOBJ, 19> h{};
        for (int i = 0; i < 18; ++i) {
            h[i] = m_sprites->m_pieceBitmaps[i].GetSafeHandle();
        }
        h[18] = m_sprites->m_piecePalette.GetSafeHandle();
        return h;
    }

    // Every image of `set` shows its own cell: corner, far corner and fill from the sheet.
    void expect_images_of_set(int set) {
        for (int i = 0; i < 18; ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            HBITMAP bitmap = static_cast<HBITMAP>(m_sprites->m_pieceBitmaps[i].GetSafeHandle());
            BITMAP bm{};
            ASSERT_EQ(GetObjectA(bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
            EXPECT_EQ(bm.bmWidth, 18);
            EXPECT_EQ(bm.bmHeight, 18);
            EXPECT_EQ(bm.bmBitsPixel, 8);
            const std::vector<COLORREF> pixels = read_pixels(bitmap);
            ASSERT_EQ(pixels.size(), 324u);
            // Image i = colour * 3 + size is the sheet's cell in column colour, row size,
            // which the sheet marks with cell number column * 3 + row = i.
            for (int y = 0; y < 18; ++y) {
                for (int x = 0; x < 18; ++x) {
                    int index = fill_index(i);
                    if (x == 0 && y == 0) {
                        index = corner_index(i);
                    } else if (x == 17 && y == 17) {
                        index = far_index(i);
                    }
                    ASSERT_EQ(pixels[y * 18 + x], sheet_color(set, index))
                        << "at (" << x << ", " << y << ")";
                }
            }
        }
    }

    ResourceTable m_table;
    std::unique_ptr<CPieceSprites> m_sprites = std::make_unique<CPieceSprites>();
    std::size_t m_gdi_baseline = 0;
    std::size_t m_global_baseline = 0;
};

TEST_F(PieceSprites, EveryImageIsCutFromItsColumnAndRow) {
    install();
    for (int set : {0, 1, 2}) {
        SCOPED_TRACE("set " + std::to_string(set));
        ASSERT_TRUE(sprites().LoadPieceSet(set));
        expect_images_of_set(set);
    }
}

TEST_F(PieceSprites, Image14OfSet1IsTheSmallestMagentaBallFrom72And36) {
    install();
    ASSERT_TRUE(sprites().LoadPieceSet(1));
    // Sheet pixel (72, 36) is the top-left of column 4 (magenta), row 2 (smallest): table
    // entry 114 of sheet 161, RGB(20 + 114, 40 + 60, 77).
    const std::vector<COLORREF> pixels =
        read_pixels(static_cast<HBITMAP>(sprites().m_pieceBitmaps[14].GetSafeHandle()));
    ASSERT_EQ(pixels.size(), 324u);
    EXPECT_EQ(pixels[0], RGB(134, 100, 77));
    EXPECT_EQ(pixels[17 * 18 + 17], RGB(234, 100, 77));  // entry 214 at (89, 53)
    EXPECT_EQ(pixels[9 * 18 + 9], RGB(35, 100, 77));     // fill, entry 15
}

TEST_F(PieceSprites, PaletteIsTheSheetsColourTable) {
    install();
    ASSERT_TRUE(sprites().LoadPieceSet(2));
    ASSERT_EQ(sprites().m_piecePalette.GetEntryCount(), 256);
    PALETTEENTRY entries[256];
    ASSERT_EQ(sprites().m_piecePalette.GetPaletteEntries(0, 256, entries), 256u);
    const struct {
        int index;
        COLORREF color;
    } cases[] = {{0, kGrey},  {1, RGB(21, 160, 77)},    {18, RGB(38, 160, 77)},
                 {19, kGrey}, {117, RGB(137, 160, 77)}, {217, RGB(237, 160, 77)},
                 {255, kGrey}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const PALETTEENTRY& e = entries[c.index];
        EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), c.color);
        EXPECT_EQ(e.peFlags, 0);
    }
}

TEST_F(PieceSprites, ReloadingTheSameSetRebuildsPaletteAndAllImages) {
    install();
    ASSERT_TRUE(sprites().LoadPieceSet(2));
    const std::array<HGDIOBJ, 19> before = handles();
    const std::size_t alive = GdiAliveCountForTest();
    ASSERT_TRUE(sprites().LoadPieceSet(2));
    const std::array<HGDIOBJ, 19> after = handles();
    for (int i = 0; i < 19; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(after[i], before[i]);
        EXPECT_EQ(GetObjectType(before[i]), 0) << "old object still alive";
        EXPECT_NE(GetObjectType(after[i]), 0);
    }
    EXPECT_EQ(GdiAliveCountForTest(), alive);
    expect_images_of_set(2);
}

TEST_F(PieceSprites, SwitchingSetsReplacesEveryImage) {
    install();
    ASSERT_TRUE(sprites().LoadPieceSet(0));
    ASSERT_TRUE(sprites().LoadPieceSet(1));
    expect_images_of_set(1);
    ASSERT_TRUE(sprites().LoadPieceSet(0));
    expect_images_of_set(0);
}

TEST_F(PieceSprites, MissingSheetChangesNothing) {
    install({0, 1});
    ASSERT_TRUE(sprites().LoadPieceSet(1));
    const std::array<HGDIOBJ, 19> before = handles();
    EXPECT_FALSE(sprites().LoadPieceSet(2));
    EXPECT_FALSE(sprites().LoadPieceSet(-1));
    EXPECT_FALSE(sprites().LoadPieceSet(3));
    EXPECT_EQ(handles(), before);
    expect_images_of_set(1);
}

TEST_F(PieceSprites, UnreadableSheetFailsAndKeepsTheOldImages) {
    // Sheet 162 announces a 64-byte header, which is no DIB.
    std::vector<std::uint8_t> broken = gfxtest::make_sheet(2);
    broken[0] = 64;
    m_table.add_bitmap(162, broken);
    install({1});
    ASSERT_TRUE(sprites().LoadPieceSet(1));
    const std::array<HGDIOBJ, 19> before = handles();
    EXPECT_FALSE(sprites().LoadPieceSet(2));
    // The palette was replaced first and could not be rebuilt; the images stay.
    EXPECT_EQ(sprites().m_piecePalette.GetSafeHandle(), nullptr);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(handles()[i], before[i]);
    }
    expect_images_of_set(1);
}

TEST_F(PieceSprites, DeletingEverythingAfterUseLeavesNoObject) {
    install();
    ASSERT_TRUE(sprites().LoadPieceSet(0));
    ASSERT_TRUE(sprites().LoadPieceSet(1));
    ASSERT_TRUE(sprites().LoadPieceSet(2));
    // Draw every image once, as the board does, through a window-sized bitmap.
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 108, 54);
    HGDIOBJ old_canvas = SelectObject(target, canvas);
    HDC source = CreateCompatibleDC(screen);
    for (int i = 0; i < 18; ++i) {
        HGDIOBJ old = SelectObject(source, sprites().m_pieceBitmaps[i].GetSafeHandle());
        ASSERT_NE(old, nullptr);
        EXPECT_TRUE(BitBlt(target, 18 * (i / 3), 18 * (i % 3), 18, 18, source, 0, 0, SRCCOPY));
        SelectObject(source, old);
    }
    // The canvas now shows the sheet of set 2 again, corner by corner.
    EXPECT_EQ(GetPixel(target, 72, 36), sheet_color(2, corner_index(14)));
    EXPECT_EQ(GetPixel(target, 107, 53), sheet_color(2, far_index(17)));
    DeleteDC(source);
    SelectObject(target, old_canvas);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    // TearDown destroys the sprites and compares the live object counts.
}

// The program's own sheets: every set loads, and every image has the grey surround at its
// corners and a piece in its middle.
TEST(PieceSpritesOfTheProgram, EverySheetLoadsWithPiecesOnGrey) {
    ASSERT_TRUE(gdi::configure_screen(8));
    const std::size_t baseline = GdiAliveCountForTest();
    // Named as the resource module, so that whichever module is the program's does not matter.
    HINSTANCE module = pilo_install_resources();
    ASSERT_NE(module, nullptr);
    AfxSetResourceHandle(module);
    {
        CPieceSprites sprites;
        for (int set : {0, 1, 2}) {
            SCOPED_TRACE("set " + std::to_string(set));
            ASSERT_TRUE(sprites.LoadPieceSet(set));
            EXPECT_EQ(sprites.m_piecePalette.GetEntryCount(), 256);
            for (int i = 0; i < 18; ++i) {
                SCOPED_TRACE("image " + std::to_string(i));
                const std::vector<COLORREF> pixels =
                    read_pixels(static_cast<HBITMAP>(sprites.m_pieceBitmaps[i].GetSafeHandle()));
                ASSERT_EQ(pixels.size(), 324u);
                for (int corner : {0, 17, 17 * 18, 17 * 18 + 17}) {
                    EXPECT_EQ(pixels[corner], kGrey) << "corner pixel " << corner;
                }
                EXPECT_NE(pixels[9 * 18 + 9], kGrey) << "no piece in the middle";
            }
        }
    }
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(GdiAliveCountForTest(), baseline);
}

}  // namespace
