// CPieceSprites.cpp: loading a piece set's sheet with its palette and cutting it into cells.
#include "gfx/CPieceSprites.h"

#include "gfx/DibFunctions.h"
#include "platform/afx/afxresource.h"

#include <iterator>

const UINT g_pieceSetBitmapIds[3] = {160, 161, 162};

BOOL CPieceSprites::LoadPieceSet(int nSet) {
    if (nSet < 0 || nSet >= static_cast<int>(std::size(g_pieceSetBitmapIds))) {
        return FALSE;
    }
    HINSTANCE hInstance = AfxGetResourceHandle();
    HGLOBAL hResource = nullptr;
    LPCVOID pHeader = nullptr;
    if (!LockDibResource(hInstance, g_pieceSetBitmapIds[nSet], &hResource, &pHeader)) {
        return FALSE;
    }

    // The palette is replaced before the images, so they are cut under the new one.
    m_piecePalette.DeleteObject();
    BOOL bResult = BuildDibPalette(hResource, pHeader, &m_piecePalette);

    CBitmap sheet;
    sheet.Attach(BuildDibBitmap(hResource, pHeader, m_piecePalette));

    CDC sheetDC;
    if (!sheetDC.CreateCompatibleDC(nullptr)) {
        return FALSE;
    }
    HPALETTE hOldPalette = sheetDC.SelectPalette(&m_piecePalette, FALSE);
    if (hOldPalette == nullptr) {
        bResult = FALSE;
    }
    sheetDC.RealizePalette();
    HBITMAP hOldBitmap = sheetDC.SelectObject(&sheet);
    if (hOldBitmap == nullptr) {
        // Without its sheet the context would give blank images: keep the old ones instead.
        bResult = FALSE;
    } else if (!CutPieceCells(&sheetDC)) {
        bResult = FALSE;
    }

    if (hOldBitmap != nullptr) {
        sheetDC.SelectObject(hOldBitmap);
    }
    if (hOldPalette != nullptr) {
        sheetDC.SelectPalette(hOldPalette, FALSE);
    }
    sheetDC.DeleteDC();
    sheet.DeleteObject();
    if (bResult) {
        m_nLoadedSet = nSet;
    }
    return bResult;
}

BOOL CPieceSprites::CutPieceCells(CDC* pSheetDC) {
    CDC cellDC;
    if (!cellDC.CreateCompatibleDC(pSheetDC)) {
        return FALSE;
    }
    BOOL bResult = TRUE;
    for (int nRow = 0; nRow < s_nSizes; ++nRow) {
        for (int nColumn = 0; nColumn < s_nColors; ++nColumn) {
            CBitmap& cell = m_pieceBitmaps[nColumn * s_nSizes + nRow];
            cell.DeleteObject();
            // Compatible with the sheet's context: the format of the sheet bitmap.
            if (!cell.CreateCompatibleBitmap(pSheetDC, s_nCellSize, s_nCellSize)) {
                bResult = FALSE;
                continue;
            }
            // Selecting the next cell takes the previous one out of the context.
            if (cellDC.SelectObject(&cell) == nullptr) {
                bResult = FALSE;
                continue;
            }
            cellDC.BitBlt(0, 0, s_nCellSize, s_nCellSize, pSheetDC, s_nCellSize * nColumn,
                          s_nCellSize * nRow, SRCCOPY);
        }
    }
    cellDC.DeleteDC();
    return bResult;
}
