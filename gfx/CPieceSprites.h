// CPieceSprites.h: the current piece set's 18 piece images and its logical palette.
#pragma once

#include "platform/afx/afxgdi.h"
#include "platform/win32/windows.h"

// Sprite-sheet bitmap of each piece set: 0 crosses, 1 balls, 2 stars. The same numbers are
// the piece-set menu's command identifiers.
extern const UINT g_pieceSetBitmapIds[3];

class CPieceSprites {
public:
    // A sheet holds 6 colour columns by 3 size rows of 18 x 18 cells.
    static constexpr int s_nColors = 6;
    static constexpr int s_nSizes = 3;
    static constexpr int s_nCellSize = 18;
    static constexpr int s_nImages = s_nColors * s_nSizes;

    // Index colour * 3 + size; size 0 largest, 2 smallest.
    CBitmap m_pieceBitmaps[s_nImages];
    // Built from the colour table of the sheet loaded last.
    CPalette m_piecePalette;
    // The set whose images were last made in full; -1 before the first.
    int m_nLoadedSet = -1;

    // Loads set 0, 1 or 2: rebuilds the palette, then every image. Nonzero on success; when
    // the sheet resource cannot be had nothing is changed.
    BOOL LoadPieceSet(int nSet);
    // Cuts the sheet selected into pSheetDC into the 18 images; nonzero when all were made.
    BOOL CutPieceCells(CDC* pSheetDC);
};
