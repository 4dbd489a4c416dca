// CTransparentAutoCheckBox.h: an owner-drawn two-state button showing a picture whose white is
// transparent over its parent's background, toggled by a click.
#pragma once

#include "platform/afx/afxwin.h"

class CTransparentAutoCheckBox : public CButton {
    DECLARE_DYNAMIC(CTransparentAutoCheckBox)

public:
    enum { IMAGE_UNCHECKED = 0, IMAGE_CHECKED = 1, IMAGE_DISABLED = 2, IMAGE_COUNT = 3 };

    CTransparentAutoCheckBox();
    ~CTransparentAutoCheckBox() override;

    // Takes over the owner-drawn placeholder nID of pParent, loads the pictures (0: none) and
    // sizes the control to the unchecked one. FALSE when the placeholder cannot be subclassed
    // or the unchecked or checked picture cannot be had.
    BOOL SetupButton(UINT nID, CWnd* pParent, UINT nUncheckedID, UINT nCheckedID, UINT nDisabledID);
    // Replaces all pictures and masks. A failing unchecked or checked picture stops the
    // loading at once; a failing disabled picture only makes the result FALSE.
    BOOL LoadImages(UINT nUncheckedID, UINT nCheckedID, UINT nDisabledID);
    void FitToImage();
    // Stores 0 or 1 and repaints at once when that changes the state.
    void SetChecked(BOOL bChecked);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    BOOL m_parentRedrawn;
    BOOL m_pressed;
    // 0 unchecked, 1 checked; read by the owner when it gets BN_CLICKED.
    BOOL m_checked;
    CBitmap m_image[IMAGE_COUNT];
    CBitmap m_mask[IMAGE_COUNT];

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
