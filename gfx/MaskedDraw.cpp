// MaskedDraw.cpp: pictures whose pure white pixels are transparent, drawn through a mask.
#include "gfx/MaskedDraw.h"

namespace {

const COLORREF kTransparentKey = RGB(255, 255, 255);

}  // namespace

BOOL MakeMask(CBitmap* pPicture, CBitmap* pMask) {
    if (pPicture == nullptr || pMask == nullptr || pMask->GetSafeHandle() != nullptr) {
        return FALSE;
    }
    BITMAP bm;
    if (pPicture->GetBitmap(&bm) == 0) {
        return FALSE;
    }

    CDC pictureDC;
    CDC maskDC;
    if (!pictureDC.CreateCompatibleDC(nullptr) || !maskDC.CreateCompatibleDC(nullptr)) {
        return FALSE;
    }
    // A fresh memory context holds a monochrome bitmap, so the mask is monochrome too.
    if (!pMask->CreateCompatibleBitmap(&maskDC, bm.bmWidth, bm.bmHeight)) {
        return FALSE;
    }
    HBITMAP hOldPicture = pictureDC.SelectObject(pPicture);
    if (hOldPicture == nullptr) {
        pMask->DeleteObject();
        return FALSE;
    }
    HBITMAP hOldMask = maskDC.SelectObject(pMask);
    if (hOldMask == nullptr) {
        pictureDC.SelectObject(hOldPicture);
        pMask->DeleteObject();
        return FALSE;
    }

    for (int x = 0; x < bm.bmWidth; ++x) {
        for (int y = 0; y < bm.bmHeight; ++y) {
            const bool bKey = pictureDC.GetPixel(x, y) == kTransparentKey;
            maskDC.SetPixelV(x, y, bKey ? RGB(0, 0, 0) : RGB(255, 255, 255));
        }
    }

    pictureDC.SelectObject(hOldPicture);
    maskDC.SelectObject(hOldMask);
    pictureDC.DeleteDC();
    maskDC.DeleteDC();
    return TRUE;
}

void DrawMasked(CDC* pDC, const CRect& rect, CBitmap* pPicture, CBitmap* pMask) {
    if (pDC == nullptr) {
        return;
    }
    CDC pictureDC;
    CDC maskDC;
    pictureDC.CreateCompatibleDC(pDC);
    maskDC.CreateCompatibleDC(pDC);
    // A context that was not created fails its selection.
    HBITMAP hOldPicture = pictureDC.SelectObject(pPicture);
    HBITMAP hOldMask = maskDC.SelectObject(pMask);
    if (hOldPicture != nullptr && hOldMask != nullptr) {
        // Mask first: opaque pixels turn white, key pixels keep the target. Then the picture:
        // white AND target keeps the target, white AND picture gives the picture.
        const int nWidth = rect.Width();
        const int nHeight = rect.Height();
        pDC->BitBlt(rect.left, rect.top, nWidth, nHeight, &maskDC, 0, 0, SRCPAINT);
        pDC->BitBlt(rect.left, rect.top, nWidth, nHeight, &pictureDC, 0, 0, SRCAND);
    }
    if (hOldPicture != nullptr) {
        pictureDC.SelectObject(hOldPicture);
    }
    if (hOldMask != nullptr) {
        maskDC.SelectObject(hOldMask);
    }
    pictureDC.DeleteDC();
    maskDC.DeleteDC();
}
