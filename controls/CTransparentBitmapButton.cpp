// CTransparentBitmapButton.cpp: a push button drawn as a transparent picture per state.
#include "controls/CTransparentBitmapButton.h"

#include "controls/TransparentPicture.h"

IMPLEMENT_DYNAMIC(CTransparentBitmapButton, CButton)

BEGIN_MESSAGE_MAP(CTransparentBitmapButton, CButton)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTransparentBitmapButton::CTransparentBitmapButton() : m_parentRedrawn(FALSE) {}

CTransparentBitmapButton::~CTransparentBitmapButton() = default;

BOOL CTransparentBitmapButton::SetupButton(UINT nID, CWnd* pParent, UINT nNormalID, UINT nPressedID,
                                           UINT nFocusID, UINT nDisabledID) {
    if (!SubclassDlgItem(nID, pParent)) {
        return FALSE;
    }
    LoadImages(nNormalID, nPressedID, nFocusID, nDisabledID);
    if (m_image[IMAGE_NORMAL].GetSafeHandle() == nullptr) {
        return FALSE;
    }
    FitToImage();
    return TRUE;
}

BOOL CTransparentBitmapButton::LoadImages(UINT nNormalID, UINT nPressedID, UINT nFocusID,
                                          UINT nDisabledID) {
    for (CBitmap& image : m_image) {
        image.DeleteObject();
    }
    for (CBitmap& mask : m_mask) {
        mask.DeleteObject();
    }
    if (!LoadTransparentPicture(nNormalID, &m_image[IMAGE_NORMAL], &m_mask[IMAGE_NORMAL])) {
        return FALSE;
    }
    BOOL bResult = TRUE;
    const UINT optional[] = {nPressedID, nFocusID, nDisabledID};
    for (int i = 0; i < 3; ++i) {
        const int nSlot = IMAGE_PRESSED + i;
        if (optional[i] != 0 &&
            !LoadTransparentPicture(optional[i], &m_image[nSlot], &m_mask[nSlot])) {
            bResult = FALSE;
        }
    }
    return bResult;
}

void CTransparentBitmapButton::FitToImage() {
    BITMAP bm;
    if (m_image[IMAGE_NORMAL].GetBitmap(&bm) == 0) {
        return;
    }
    SetWindowPos(nullptr, -1, -1, bm.bmWidth, bm.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CTransparentBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr) {
        return;
    }
    if (!m_parentRedrawn) {
        // Set before the parent repaints: the nested call that repaint brings must draw.
        m_parentRedrawn = TRUE;
        if (!RedrawParentUnder(this, m_image[IMAGE_NORMAL])) {
            // Without a picture there is nothing to draw over the background.
            m_parentRedrawn = FALSE;
        }
        return;
    }
    m_parentRedrawn = FALSE;

    const UINT state = lpDrawItemStruct->itemState;
    int nSlot = IMAGE_NORMAL;
    if ((state & ODS_SELECTED) && m_image[IMAGE_PRESSED].GetSafeHandle() != nullptr) {
        nSlot = IMAGE_PRESSED;
    } else if ((state & ODS_FOCUS) && m_image[IMAGE_FOCUS].GetSafeHandle() != nullptr) {
        nSlot = IMAGE_FOCUS;
    } else if ((state & ODS_DISABLED) && m_image[IMAGE_DISABLED].GetSafeHandle() != nullptr) {
        nSlot = IMAGE_DISABLED;
    }
    DrawTransparentItem(*lpDrawItemStruct, &m_image[nSlot], &m_mask[nSlot]);
}

BOOL CTransparentBitmapButton::OnEraseBkgnd(CDC* /*pDC*/) {
    // The parent's repaint provides the background.
    return TRUE;
}
