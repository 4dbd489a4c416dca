// CFaceButton.cpp: an owner-drawn push button with a coloured face that sinks while pressed.
#include "tests/afxdemo/CFaceButton.h"

CFaceButton::CFaceButton(COLORREF crFace, COLORREF crPressed)
    : m_crFace(crFace), m_crPressed(crPressed) {}

void CFaceButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr) {
        return;
    }
    const BOOL bPressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    if (bPressed) {
        ++m_nPressedDraws;
    }

    CRect rc(lpDrawItemStruct->rcItem);
    // A black outline, then a two-pixel bevel: light over dark at rest, reversed when sunk.
    pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
    rc.DeflateRect(1, 1);
    const COLORREF crLight = RGB(255, 255, 255);
    const COLORREF crShadow = RGB(128, 128, 128);
    pDC->Draw3dRect(&rc, bPressed ? crShadow : crLight, bPressed ? crLight : crShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, bPressed ? crShadow : RGB(192, 192, 192),
                    bPressed ? RGB(192, 192, 192) : crShadow);
    rc.DeflateRect(1, 1);
    pDC->FillSolidRect(&rc, bPressed ? m_crPressed : m_crFace);

    // The caption moves one pixel down and right while pressed, like a sunk key.
    char szText[64] = {};
    const int nLength = GetWindowText(szText, sizeof szText);
    const CSize size = pDC->GetTextExtent(szText, nLength);
    const int nShift = bPressed ? 1 : 0;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(255, 255, 255));
    pDC->TextOut(rc.left + (rc.Width() - size.cx) / 2 + nShift,
                 rc.top + (rc.Height() - size.cy) / 2 + nShift, szText, nLength);

    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0) {
        CRect rcFocus(rc);
        rcFocus.DeflateRect(2, 2);
        pDC->Draw3dRect(&rcFocus, RGB(255, 255, 0), RGB(255, 255, 0));
    }
}
