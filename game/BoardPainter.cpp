// BoardPainter.cpp: the empty-board image, piece copies and the full paint of the board.
#include "game/BoardPainter.h"

#include "game/BoardGeometry.h"
#include "game/BoardModel.h"
#include "gfx/CPieceSprites.h"

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kLight = RGB(255, 255, 255);
constexpr COLORREF kDark = RGB(0, 0, 0);
constexpr int kPiece = 18;
constexpr int kHalfPiece = kPiece / 2;
constexpr int kTile = 24;
constexpr int kTileOrigin = 4;
// The raised frame around the playable 9 x 9 square of the square shape.
constexpr int kFrameFirst = (kBoardPixels - 256) / 2;
constexpr int kFrameEnd = kFrameFirst + 256;

// A raised outline of w x h at (x, y): light top and left edges, dark bottom and right edges.
// LineTo leaves out the end point, so each line ends one pixel past the last one it paints.
void DrawRaised(CDC& dc, CPen& light, CPen& dark, int x, int y, int w, int h) {
    dc.SelectObject(&light);
    dc.MoveTo(x, y);
    dc.LineTo(x + w, y);
    dc.MoveTo(x, y);
    dc.LineTo(x, y + h);
    dc.SelectObject(&dark);
    dc.MoveTo(x, y + h - 1);
    dc.LineTo(x + w, y + h - 1);
    dc.MoveTo(x + w - 1, y);
    dc.LineTo(x + w - 1, y + h);
}

}  // namespace

BOOL DrawBoardBackground(CDC* pReference, const BoardModel& model, CBitmap& background) {
    background.DeleteObject();
    if (!background.CreateCompatibleBitmap(pReference, kBoardPixels, kBoardPixels)) {
        return FALSE;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(pReference)) {
        return FALSE;
    }
    const HBITMAP previousBitmap = memory.SelectObject(&background);
    if (previousBitmap == nullptr) {
        return FALSE;
    }
    memory.FillSolidRect(0, 0, kBoardPixels, kBoardPixels, kFace);
    CPen light(PS_SOLID, 0, kLight);
    CPen dark(PS_SOLID, 0, kDark);
    const HPEN previousPen = memory.SelectObject(&light);
    DrawRaised(memory, light, dark, 0, 0, kBoardPixels, kBoardPixels);
    if (!model.IsCross()) {
        DrawRaised(memory, light, dark, kFrameFirst, kFrameFirst, kFrameEnd - kFrameFirst,
                   kFrameEnd - kFrameFirst);
    }
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            if (model.IsPlayable(row, column)) {
                DrawRaised(memory, light, dark, kTileOrigin + kCellPitch * column,
                           kTileOrigin + kCellPitch * row, kTile, kTile);
            }
        }
    }
    memory.SelectObject(previousPen);
    memory.SelectObject(previousBitmap);
    return TRUE;
}

void CopyBackgroundSquare(CDC* pDC, CBitmap& background, int x, int y) {
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC)) {
        return;
    }
    CSelectGuard select(memory, background);
    if (select.IsSelected()) {
        pDC->BitBlt(x - kHalfPiece, y - kHalfPiece, kPiece, kPiece, &memory, x - kHalfPiece,
                    y - kHalfPiece, SRCCOPY);
    }
}

void CopyPieceImage(CDC* pDC, CBitmap& piece, int x, int y) {
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC)) {
        return;
    }
    CSelectGuard select(memory, piece);
    if (select.IsSelected()) {
        pDC->BitBlt(x - kHalfPiece, y - kHalfPiece, kPiece, kPiece, &memory, 0, 0, SRCCOPY);
    }
}

CBitmap& PieceImage(CPieceSprites& sprites, int colour, int size) {
    const int column = ((colour % kColourCount) + kColourCount) % kColourCount;
    return sprites.m_pieceBitmaps[column * CPieceSprites::s_nSizes + size];
}

void PaintBoard(CDC* pDC, CBitmap& background, const BoardModel& model, CPieceSprites& sprites) {
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC)) {
        return;
    }
    // The first selection that succeeds returns the context's own bitmap, put back at the end.
    HBITMAP original = memory.SelectObject(&background);
    if (original != nullptr) {
        pDC->BitBlt(0, 0, kBoardPixels, kBoardPixels, &memory, 0, 0, SRCCOPY);
    }
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            const int colour = model.Colour(row, column);
            if (!model.IsPlayable(row, column) || colour == kNoPiece) {
                continue;
            }
            const HBITMAP previous = memory.SelectObject(&PieceImage(sprites, colour, 0));
            if (previous != nullptr) {
                if (original == nullptr) {
                    original = previous;
                }
                pDC->BitBlt(CellCentre(column) - kHalfPiece, CellCentre(row) - kHalfPiece, kPiece,
                            kPiece, &memory, 0, 0, SRCCOPY);
            }
        }
    }
    if (original != nullptr) {
        memory.SelectObject(original);
    }
}
