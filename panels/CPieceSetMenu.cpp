// CPieceSetMenu.cpp: making, measuring and drawing the piece-set menu's picture items.
#include "panels/CPieceSetMenu.h"

#include "gfx/CPieceSprites.h"
#include "gfx/DibFunctions.h"
#include "platform/afx/afxresource.h"

namespace {

const COLORREF kFrameColor = RGB(192, 192, 192);
const COLORREF kHighlightColor = RGB(255, 0, 0);

// Copies the picture to the item rectangle and frames it; FALSE, drawing nothing, when the
// picture cannot be selected.
BOOL CopySample(CDC* pTarget, CDC* pMemDC, CBitmap* pSample, const CRect& rect) {
    if (pSample == nullptr) {
        return FALSE;
    }
    HBITMAP hOld = pMemDC->SelectObject(pSample);
    if (hOld == nullptr) {
        return FALSE;
    }
    // The full item rectangle from the picture's origin: a wider item shows what lies
    // beyond the 18 x 18 picture as the platform gives it.
    pTarget->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), pMemDC, 0, 0, SRCCOPY);
    pMemDC->SelectObject(hOld);
    return TRUE;
}

void FrameItem(CDC* pTarget, const CRect& rect, COLORREF color) {
    CBrush brush(color);
    pTarget->FrameRect(&rect, &brush);
}

}  // namespace

CPieceSetMenu::CPieceSetMenu() : m_pSamples(nullptr), m_pSamplePalettes(nullptr) {
    CreatePopupMenu();
}

CPieceSetMenu::~CPieceSetMenu() {
    delete[] m_pSamples;
    delete[] m_pSamplePalettes;
}

void CPieceSetMenu::AppendPieceSets() {
    if (m_pSamples != nullptr) {
        // Filled once per opening; a second call would append the items again.
        return;
    }
    m_pSamples = new CBitmap[s_nSets];
    m_pSamplePalettes = new CPalette[s_nSets];
    for (int nSet = 0; nSet < s_nSets; ++nSet) {
        LoadPieceSample(nSet, m_pSamples[nSet], m_pSamplePalettes[nSet]);
        AppendMenu(MF_OWNERDRAW, g_pieceSetBitmapIds[nSet],
                   reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(nSet)));
    }
}

BOOL CPieceSetMenu::LoadPieceSample(int nSet, CBitmap& picture, CPalette& palette) {
    if (nSet < 0 || nSet >= s_nSets) {
        return FALSE;
    }
    HINSTANCE hInstance = AfxFindResourceHandle(
        MAKEINTRESOURCE(static_cast<WORD>(g_pieceSetBitmapIds[nSet])), RT_BITMAP);
    HGLOBAL hResource = nullptr;
    LPCVOID pHeader = nullptr;
    if (!LockDibResource(hInstance, g_pieceSetBitmapIds[nSet], &hResource, &pHeader)) {
        return FALSE;
    }

    palette.DeleteObject();
    BOOL bResult = BuildDibPalette(hResource, pHeader, &palette);

    CBitmap sheet;
    if (!sheet.Attach(BuildDibBitmap(hResource, pHeader, palette))) {
        bResult = FALSE;
    }

    CDC sheetDC;
    if (!sheetDC.CreateCompatibleDC(nullptr)) {
        return FALSE;
    }
    HPALETTE hOldPalette = sheetDC.SelectPalette(&palette, FALSE);
    if (hOldPalette == nullptr) {
        bResult = FALSE;
    }
    sheetDC.RealizePalette();
    HBITMAP hOldSheet = sheetDC.SelectObject(&sheet);

    // Compatible with the sheet's context, so the picture has the sheet's format. Without the
    // sheet in it the context holds a monochrome stand-in: no picture then, a blank item.
    picture.DeleteObject();
    const int nCell = CPieceSprites::s_nCellSize;
    if (hOldSheet == nullptr) {
        bResult = FALSE;
    } else if (!picture.CreateCompatibleBitmap(&sheetDC, nCell, nCell)) {
        bResult = FALSE;
    } else {
        CDC pictureDC;
        if (!pictureDC.CreateCompatibleDC(&sheetDC)) {
            bResult = FALSE;
        } else {
            HBITMAP hOldPicture = pictureDC.SelectObject(&picture);
            if (hOldPicture == nullptr) {
                bResult = FALSE;
            } else {
                if (!pictureDC.BitBlt(0, 0, nCell, nCell, &sheetDC, 0, 0, SRCCOPY)) {
                    bResult = FALSE;
                }
                pictureDC.SelectObject(hOldPicture);
            }
            pictureDC.DeleteDC();
        }
    }

    if (hOldSheet != nullptr) {
        sheetDC.SelectObject(hOldSheet);
    }
    if (hOldPalette != nullptr) {
        sheetDC.SelectPalette(hOldPalette, FALSE);
    }
    sheetDC.DeleteDC();
    sheet.DeleteObject();
    return bResult;
}

void CPieceSetMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct == nullptr) {
        return;
    }
    // Every item is as big as the first picture; without one, as big as a piece cell, so
    // the items stay where they can be chosen.
    BITMAP bm;
    if (m_pSamples != nullptr && m_pSamples[0].GetSafeHandle() != nullptr &&
        m_pSamples[0].GetBitmap(&bm) != 0) {
        lpMeasureItemStruct->itemWidth = static_cast<UINT>(bm.bmWidth);
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(bm.bmHeight);
    } else {
        lpMeasureItemStruct->itemWidth = CPieceSprites::s_nCellSize;
        lpMeasureItemStruct->itemHeight = CPieceSprites::s_nCellSize;
    }
}

void CPieceSetMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr) {
        return;
    }
    CDC target;
    if (!target.Attach(lpDrawItemStruct->hDC)) {
        return;
    }
    CDC memDC;
    if (memDC.CreateCompatibleDC(&target)) {
        CBitmap* pSample = SampleOf(lpDrawItemStruct->itemData);
        const CRect rect(lpDrawItemStruct->rcItem);
        const UINT action = lpDrawItemStruct->itemAction;
        const bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;

        if (action & ODA_DRAWENTIRE) {
            if (CopySample(&target, &memDC, pSample, rect)) {
                FrameItem(&target, rect, kFrameColor);
            }
        }
        if (bSelected && (action & (ODA_DRAWENTIRE | ODA_SELECT))) {
            CopySample(&target, &memDC, pSample, rect);
            FrameItem(&target, rect, kHighlightColor);
        }
        if (!bSelected && (action & ODA_SELECT)) {
            if (CopySample(&target, &memDC, pSample, rect)) {
                FrameItem(&target, rect, kFrameColor);
            }
        }
        memDC.DeleteDC();
    }
    target.Detach();
}

CBitmap* CPieceSetMenu::SampleOf(ULONG_PTR nData) const {
    // Item data outside the sets (an item someone else appended) has no picture.
    if (m_pSamples == nullptr || nData >= static_cast<ULONG_PTR>(s_nSets)) {
        return nullptr;
    }
    return &m_pSamples[nData];
}
