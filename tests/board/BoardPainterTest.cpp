// BoardPainterTest.cpp: the empty-board image, pieces at rest, and erasing from the image.
#include "game/BoardPainter.h"

#include "game/BoardGeometry.h"
#include "game/BoardModel.h"
#include "gfx/CPieceSprites.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/Snapshot.h"
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
        m_target.FillSolidRect(0, 0, kBoardPixels, kBoardPixels, RGB(0, 0, 255));
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

struct PixelCase {
    const char* name;
    int x, y;
    COLORREF square, cross;
};

// Cell (row, column) has its tile at (4 + 28 column, 4 + 28 row), 24 x 24; the square shape's
// frame runs at 56 and 311.
const PixelCase kBackgroundCases[] = {
    {"outer top-left", 0, 0, kWhite, kWhite},
    {"outer top edge", 200, 0, kWhite, kWhite},
    {"outer left edge", 0, 200, kWhite, kWhite},
    {"outer bottom edge", 200, 367, kBlack, kBlack},
    {"outer right edge", 367, 200, kBlack, kBlack},
    {"outer bottom-left: black over white", 0, 367, kBlack, kBlack},
    {"outer top-right: black over white", 367, 0, kBlack, kBlack},
    {"field outside every shape", 20, 20, kGrey, kGrey},
    {"frame top, gap above row 2", 100, 56, kWhite, kGrey},
    {"frame left, gap left of column 2", 56, 150, kWhite, kGrey},
    {"frame bottom, gap below row 10", 100, 311, kBlack, kGrey},
    {"frame right, gap right of column 10", 311, 150, kBlack, kGrey},
    {"frame top-right corner", 311, 56, kBlack, kGrey},
    {"frame bottom-left corner", 56, 311, kBlack, kGrey},
    {"inside the frame, before the tiles", 58, 58, kGrey, kGrey},
    {"tile 2,2 top-left", 60, 60, kWhite, kWhite},
    {"tile 2,2 top edge", 70, 60, kWhite, kWhite},
    {"tile 2,2 top-right", 83, 60, kBlack, kBlack},
    {"tile 2,2 bottom-left", 60, 83, kBlack, kBlack},
    {"tile 2,2 bottom-right", 83, 83, kBlack, kBlack},
    {"tile 2,2 face", 72, 72, kGrey, kGrey},
    {"gap between columns 2 and 3", 86, 72, kGrey, kGrey},
    {"tile 10,10 bottom-right", 307, 307, kBlack, kBlack},
    {"arm tile 0,4 top-left", 116, 4, kGrey, kWhite},
    {"arm tile 0,4 bottom-right", 139, 27, kGrey, kBlack},
    {"arm tile 6,0 left edge", 4, 180, kGrey, kWhite},
    {"arm tile 6,12 top-left", 340, 172, kGrey, kWhite},
    {"arm tile 12,8 bottom-right", 251, 363, kGrey, kBlack},
    {"corner cell 0,0 of the cross", 4, 4, kGrey, kGrey},
    {"cell 1,3 outside both shapes", 88, 32, kGrey, kGrey},
};

TEST_F(BoardPainter, EmptyBoardImageHasFrameAndTilesOfItsShape) {
    for (Shape shape : {kSquare, kCross}) {
        SCOPED_TRACE(shape == kCross ? "cross" : "square");
        build(shape);
        PaintBoard(&m_target, m_background, m_model, *m_sprites);
        for (const PixelCase& c : kBackgroundCases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(at(c.x, c.y), shape == kCross ? c.cross : c.square)
                << "at (" << c.x << ", " << c.y << ")";
        }
    }
}

TEST_F(BoardPainter, RebuildingReplacesTheOldImage) {
    build(kSquare);
    const std::size_t alive = GdiAliveCountForTest();
    build(kCross);
    EXPECT_EQ(GdiAliveCountForTest(), alive) << "the old image is deleted";
    PaintBoard(&m_target, m_background, m_model, *m_sprites);
    EXPECT_EQ(at(100, 56), kGrey) << "no frame of the square shape";
    EXPECT_EQ(at(116, 4), kWhite) << "arm tile of the cross";
}

struct PieceCase {
    const char* name;
    Shape shape;
    int row, column, colour;
};

const PieceCase kPieceCases[] = {
    {"red, top-left of the square", kSquare, 2, 2, 0},
    {"magenta, centre", kSquare, 6, 6, 4},
    {"cyan, bottom-right of the square", kSquare, 10, 10, 5},
    {"green, left arm of the cross", kCross, 6, 0, 1},
    {"yellow, bottom arm of the cross", kCross, 12, 8, 3},
    {"blue, right arm of the cross", kCross, 4, 12, 2},
};

TEST_F(BoardPainter, PiecesStandLargeInTheirCellsInsideTheTile) {
    for (const PieceCase& c : kPieceCases) {
        SCOPED_TRACE(c.name);
        build(c.shape);
        ASSERT_TRUE(m_model.PutPiece(c.row, c.column, c.colour));
        PaintBoard(&m_target, m_background, m_model, *m_sprites);
        const int x = CellCentre(c.column);
        const int y = CellCentre(c.row);
        expect_piece(c.colour, x, y);
        // The tile's face shows around the piece and its outline is untouched.
        EXPECT_EQ(at(x - 10, y), kGrey);
        EXPECT_EQ(at(x + 9, y), kGrey);
        EXPECT_EQ(at(x, y - 10), kGrey);
        EXPECT_EQ(at(x, y + 9), kGrey);
        EXPECT_EQ(at(x - 12, y - 12), kWhite);
        EXPECT_EQ(at(x + 11, y + 11), kBlack);
    }
}

TEST_F(BoardPainter, ErasingAPieceRestoresTheTileAndHalfWayOutlines) {
    build(kSquare);
    ASSERT_TRUE(m_model.PutPiece(6, 6, 2));
    PaintBoard(&m_target, m_background, m_model, *m_sprites);
    const int x = CellCentre(6);
    const int y = CellCentre(6);
    CopyBackgroundSquare(&m_target, m_background, x, y);
    // Half way to column 7 the piece covers the right outline of cell 6, the gap and the left
    // outline of cell 7.
    CopyPieceImage(&m_target, PieceImage(*m_sprites, 3, 0), x + 14, y);
    expect_piece(3, x + 14, y);
    CopyBackgroundSquare(&m_target, m_background, x + 14, y);
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(at(c.x, c.y), c.expected);
    }
}

TEST_F(BoardPainter, ErasingTouchesOnlyTheSquareAroundTheCentre) {
    build(kSquare);
    CopyBackgroundSquare(&m_target, m_background, 100, 200);
    const struct {
        const char* name;
        int x, y;
        COLORREF expected;
    } cases[] = {
        {"top-left of the square", 91, 191, kGrey},
        {"bottom-right of the square", 108, 208, kGrey},
        {"left of the square", 90, 200, RGB(0, 0, 255)},
        {"right of the square", 109, 200, RGB(0, 0, 255)},
        {"above the square", 100, 190, RGB(0, 0, 255)},
        {"below the square", 100, 209, RGB(0, 0, 255)},
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
    EXPECT_EQ(at(20, 20), RGB(0, 0, 255)) << "no background copied";
}

// Pictures to look at: both shapes with a few pieces.
TEST_F(BoardPainter, WritesSnapshots) {
    for (Shape shape : {kSquare, kCross}) {
        build(shape);
        const int pieces[][3] = {{2, 2, 0}, {4, 6, 1},   {6, 6, 2},
                                 {8, 3, 3}, {10, 10, 4}, {6, 0, 5}};
        for (const auto& p : pieces) {
            m_model.PutPiece(p[0], p[1], p[2]);
        }
        PaintBoard(&m_target, m_background, m_model, *m_sprites);
        const std::string path = std::string(PILO_SNAPSHOT_DIR "/board-image-") +
                                 (shape == kCross ? "cross" : "square") + ".png";
        EXPECT_TRUE(gdi::write_png(static_cast<HBITMAP>(m_target_bitmap.GetSafeHandle()), path));
    }
}

}  // namespace
