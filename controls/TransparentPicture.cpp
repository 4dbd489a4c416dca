// TransparentPicture.cpp: the steps both picture buttons share.
#include "controls/TransparentPicture.h"

#include "gfx/MaskedDraw.h"
#include "platform/afx/afxresource.h"

BOOL LoadTransparentPicture(UINT nID, CBitmap* pImage, CBitmap* pMask) {
    const LPCSTR lpszName = MAKEINTRESOURCE(static_cast<WORD>(nID));
    HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_BITMAP);
    if (!pImage->Attach(::LoadBitmapA(hInstance, lpszName))) {
        return FALSE;
    }
    return MakeMask(pImage, pMask);
}

BOOL RedrawParentUnder(CWnd* pControl, const CBitmap& picture) {
    BITMAP bm;
    if (picture.GetSafeHandle() == nullptr || picture.GetBitmap(&bm) == 0) {
        return FALSE;
    }
    CWnd* pParent = pControl->GetParent();
    if (pParent == nullptr) {
        return FALSE;
    }
    CRect rect(0, 0, bm.bmWidth, bm.bmHeight);
    pControl->ClientToScreen(&rect);
    pParent->ScreenToClient(&rect);
    pParent->RedrawWindow(&rect, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
    return TRUE;
}

void DrawTransparentItem(const DRAWITEMSTRUCT& item, CBitmap* pImage, CBitmap* pMask) {
    // The notification's context is used as it comes: its default colours make the mask work.
    CDC dc;
    if (!dc.Attach(item.hDC)) {
        return;
    }
    DrawMasked(&dc, CRect(item.rcItem), pImage, pMask);
    dc.Detach();
}
