// BoardPainter.h: the board's pictures: the empty-board image, piece copies and the full paint.
#pragma once

#include "platform/afx/afxgdi.h"

class BoardModel;
class CPieceSprites;

// Builds the 368 x 368 image of the empty board for the model's shape and playable cells into
// `background` (any old image is deleted first), compatible with `pReference`. FALSE when the
// bitmap or its memory context cannot be had; the image is then missing or incomplete.
BOOL DrawBoardBackground(CDC* pReference, const BoardModel& model, CBitmap& background);

// Copies the 18 x 18 square centred on board pixel (x, y) from the empty-board image.
void CopyBackgroundSquare(CDC* pDC, CBitmap& background, int x, int y);

// Copies an 18 x 18 piece image centred on (x, y).
void CopyPieceImage(CDC* pDC, CBitmap& piece, int x, int y);

// The image of a piece colour (taken modulo 6) in a size (0 large, 1 medium, 2 small).
CBitmap& PieceImage(CPieceSprites& sprites, int colour, int size);

// The whole board: the empty-board image, then every piece large and at rest in its cell.
void PaintBoard(CDC* pDC, CBitmap& background, const BoardModel& model, CPieceSprites& sprites);
