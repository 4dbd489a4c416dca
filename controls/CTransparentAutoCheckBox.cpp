// CTransparentAutoCheckBox.cpp: a two-state button drawn as a transparent picture per state.
#include "controls/CTransparentAutoCheckBox.h"

#include "controls/TransparentPicture.h"

IMPLEMENT_DYNAMIC(CTransparentAutoCheckBox, CButton)

BEGIN_MESSAGE_MAP(CTransparentAutoCheckBox, CButton)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CTransparentAutoCheckBox::CTransparentAutoCheckBox()
    : m_parentRedrawn(FALSE), m_pressed(FALSE), m_checked(FALSE) {}

CTransparentAutoCheckBox::~CTransparentAutoCheckBox() = default;

BOOL CTransparentAutoCheckBox::SetupButton(UINT nID, CWnd* pParent, UINT nUncheckedID,
                                           UINT nCheckedID, UINT nDisabledID) {
    if (!SubclassDlgItem(nID, pParent)) {
        return FALSE;
    }
    LoadImages(nUncheckedID, nCheckedID, nDisabledID);
    if (m_image[IMAGE_UNCHECKED].GetSafeHandle() == nullptr ||
        m_image[IMAGE_CHECKED].GetSafeHandle() == nullptr) {
        return FALSE;
    }
    FitToImage();
    return TRUE;
}

BOOL CTransparentAutoCheckBox::LoadImages(UINT nUncheckedID, UINT nCheckedID, UINT nDisabledID) {
    for (CBitmap& image : m_image) {
        image.DeleteObject();
    }
    for (CBitmap& mask : m_mask) {
        mask.DeleteObject();
    }
    if (!LoadTransparentPicture(nUncheckedID, &m_image[IMAGE_UNCHECKED],
                                &m_mask[IMAGE_UNCHECKED])) {
        return FALSE;
    }
    if (nCheckedID != 0 &&
        !LoadTransparentPicture(nCheckedID, &m_image[IMAGE_CHECKED], &m_mask[IMAGE_CHECKED])) {
        return FALSE;
    }
    if (nDisabledID != 0 &&
        !LoadTransparentPicture(nDisabledID, &m_image[IMAGE_DISABLED], &m_mask[IMAGE_DISABLED])) {
        return FALSE;
    }
    return TRUE;
}

void CTransparentAutoCheckBox::FitToImage() {
    BITMAP bm;
    if (m_image[IMAGE_UNCHECKED].GetBitmap(&bm) == 0) {
        return;
    }
    SetWindowPos(nullptr, -1, -1, bm.bmWidth, bm.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CTransparentAutoCheckBox::SetChecked(BOOL bChecked) {
    const BOOL bValue = bChecked ? TRUE : FALSE;
    if (bValue == m_checked) {
        return;
    }
    m_checked = bValue;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CTransparentAutoCheckBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr) {
        return;
    }
    if (!m_parentRedrawn) {
        // Set before the parent repaints: the nested call that repaint brings must draw.
        m_parentRedrawn = TRUE;
        if (!RedrawParentUnder(this, m_image[IMAGE_UNCHECKED])) {
            m_parentRedrawn = FALSE;
        }
        return;
    }
    m_parentRedrawn = FALSE;

    // No pressed or focus picture: only the disabled state and the value choose.
    int nSlot = IMAGE_UNCHECKED;
    if ((lpDrawItemStruct->itemState & ODS_DISABLED) &&
        m_image[IMAGE_DISABLED].GetSafeHandle() != nullptr) {
        nSlot = IMAGE_DISABLED;
    } else if (m_checked && m_image[IMAGE_CHECKED].GetSafeHandle() != nullptr) {
        nSlot = IMAGE_CHECKED;
    }
    DrawTransparentItem(*lpDrawItemStruct, &m_image[nSlot], &m_mask[nSlot]);
}

BOOL CTransparentAutoCheckBox::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CTransparentAutoCheckBox::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    m_pressed = TRUE;
    // The platform's button captures the mouse and shows itself pressed.
    Default();
}

void CTransparentAutoCheckBox::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
    if (m_pressed) {
        m_pressed = FALSE;
        CRect rect;
        GetClientRect(&rect);
        rect.NormalizeRect();
        if (rect.PtInRect(point)) {
            SetChecked(m_checked ? FALSE : TRUE);
        }
    }
    // Releases the capture and, over the control, notifies the owner with BN_CLICKED: the
    // value has changed and the control has repainted before the owner hears of it.
    Default();
}
