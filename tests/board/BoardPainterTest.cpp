// BoardPainterTest.cpp: the board image rebuilt, pieces erased from it, the piece images chosen.
// The whole board as painted is pinned by the golden pictures of tests/e2e.
#include "game/BoardPainter.h"

#include "game/BoardGeometry.h"
#include "game/BoardModel.h"
#include "gfx/CPieceSprites.h"
#include "platform/win32/gdi/Screen.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using gfxtest::corner_index;
using gfxtest::far_index;
using gfxtest::fill_index;
using gfxtest::sheet_color;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kSet = 1;

enum Shape { kSquare, kCross };

class BoardPainter : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
        m_table.add_bitmap(static_cast<WORD>(160 + kSet), gfxtest::make_sheet(kSet));
        ASSERT_TRUE(m_table.install());
        ASSERT_TRUE(m_sprites->LoadPieceSet(kSet));
        ASSERT_TRUE(m_ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
        ASSERT_TRUE(m_target_bitmap.CreateCompatibleBitmap(&m_ic, kBoardPixels, kBoardPixels));
        ASSERT_TRUE(m_target.CreateCompatibleDC(&m_ic));
        m_target_previous = m_target.SelectObject(&m_target_bitmap);
        ASSERT_NE(m_target_previous, nullptr);
        m_target.FillSolidRect(0, 0, kBoardPixels, kBoardPixels, kBlue);
    }
    void TearDown() override {
        m_target.SelectObject(m_target_previous);
        m_target.DeleteDC();
        m_target_bitmap.DeleteObject();
        m_background.DeleteObject();
        m_ic.DeleteDC();
        m_sprites.reset();
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
    }

    void build(Shape shape) {
        m_model.ClearBoard(shape == kCross);
        ASSERT_TRUE(DrawBoardBackground(&m_ic, m_model, m_background));
    }
    COLORREF at(int x, int y) const { return m_target.GetPixel(x, y); }

    // The piece image of `colour` (large) must cover the 18 x 18 square centred on (x, y).
    void expect_piece(int colour, int x, int y) const {
        const int image = colour * 3;
        for (int dy = -9; dy <= 8; ++dy) {
            for (int dx = -9; dx <= 8; ++dx) {
                int index = fill_index(image);
                if (dx == -9 && dy == -9) {
                    index = corner_index(image);
                } else if (dx == 8 && dy == 8) {
                    index = far_index(image);
                }
                ASSERT_EQ(at(x + dx, y + dy), sheet_color(kSet, index))
                    << "at (" << x + dx << ", " << y + dy << ")";
            }
        }
    }

    gfxtest::ResourceTable m_table;
    std::unique_ptr<CPieceSprites> m_sprites = std::make_unique<CPieceSprites>();
    CDC m_ic;
    CBitmap m_target_bitmap;
    CDC m_target;
    HBITMAP m_target_previous = nullptr;
    CBitmap m_background;
    BoardModel m_model;
    std::size_t m_gdi_baseline = 0;
};

// A piece half way from (6,6) to (6,7) erased: the tiles and outlines come back, and no more.
TEST_F(BoardPainter, ErasingAPieceRestoresTheTileAndOutlinesOfItsSquareOnly) {
    build(kCross);
    build(kSquare);  // the cross image goes (TearDown counts the GDI objects)
    ASSERT_TRUE(m_model.PutPiece(6, 6, 2));
    PaintBoard(&m_target, m_background, m_model, *m_sprites);
    const int x = CellCentre(6), y = CellCentre(6);
    CopyBackgroundSquare(&m_target, m_background, x, y);
    CopyPieceImage(&m_target, PieceImage(*m_sprites, 3, 0), x + 14, y);
    expect_piece(3, x + 14, y);
    CopyBackgroundSquare(&m_target, m_background, x + 14, y);
    m_target.FillSolidRect(80, 180, 40, 40, kBlue);
    CopyBackgroundSquare(&m_target, m_background, 100, 200);
    const struct {
        const char* name;
        int x, y;
        COLORREF expected;
    } cases[] = {
        {"face of cell 6,6 where the piece stood", x, y, kGrey},
        {"right outline of cell 6,6", 195, y, kBlack},
        {"gap between the cells", 197, y, kGrey},
        {"left outline of cell 6,7", 200, y, kWhite},
        {"face of cell 6,7", 205, y, kGrey},
        {"top-left of a square at (100, 200)", 91, 191, kGrey},
        {"bottom-right of the square", 108, 208, kGrey},
        {"left of the square", 90, 200, kBlue},
        {"right of the square", 109, 200, kBlue},
        {"below the square", 100, 209, kBlue},
        {"above the square", 100, 190, kBlue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(at(c.x, c.y), c.expected);
    }
}

TEST_F(BoardPainter, PieceImageTakesTheColourModuloSix) {
    const struct {
        int colour, size, index;
    } cases[] = {{0, 0, 0}, {1, 2, 5}, {5, 1, 16}, {6, 0, 0}, {13, 2, 5}, {11, 1, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE("colour " + std::to_string(c.colour) + " size " + std::to_string(c.size));
        EXPECT_EQ(&PieceImage(*m_sprites, c.colour, c.size), &m_sprites->m_pieceBitmaps[c.index]);
    }
}

TEST_F(BoardPainter, PaintingWithoutAnImageStillDrawsThePieces) {
    build(kSquare);
    ASSERT_TRUE(m_model.PutPiece(4, 5, 0));
    m_background.DeleteObject();
    PaintBoard(&m_target, m_background, m_model, *m_sprites);
    expect_piece(0, CellCentre(5), CellCentre(4));
    EXPECT_EQ(at(20, 20), kBlue) << "no background copied";
}

}  // namespace
