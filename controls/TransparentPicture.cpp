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
    CDC dc;
    if (!dc.Attach(item.hDC)) {
        return;
    }
    // The mask works only with black text and a white background. The parent may have
    // coloured the context while answering WM_CTLCOLORBTN, so the defaults are put back for
    // the drawing and the parent's colours afterwards.
    const COLORREF crOldText = dc.SetTextColor(RGB(0, 0, 0));
    const COLORREF crOldBk = dc.SetBkColor(RGB(255, 255, 255));
    DrawMasked(&dc, CRect(item.rcItem), pImage, pMask);
    dc.SetTextColor(crOldText);
    dc.SetBkColor(crOldBk);
    dc.Detach();
}
