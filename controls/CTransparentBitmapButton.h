// CTransparentBitmapButton.h: an owner-drawn push button showing a picture whose white is
// transparent over its parent's background.
#pragma once

#include "platform/afx/afxwin.h"

class CTransparentBitmapButton : public CButton {
    DECLARE_DYNAMIC(CTransparentBitmapButton)

public:
    // Picture slots, chosen by the button's owner-draw state.
    enum {
        IMAGE_NORMAL = 0,
        IMAGE_PRESSED = 1,
        IMAGE_FOCUS = 2,
        IMAGE_DISABLED = 3,
        IMAGE_COUNT = 4
    };

    CTransparentBitmapButton();
    ~CTransparentBitmapButton() override;

    // Takes over the owner-drawn placeholder nID of pParent, loads the pictures (0: none)
    // and sizes the control to the normal one. FALSE when the placeholder cannot be
    // subclassed or the normal picture cannot be had.
    BOOL SetupButton(UINT nID, CWnd* pParent, UINT nNormalID, UINT nPressedID, UINT nFocusID,
                     UINT nDisabledID);
    // Replaces all pictures and masks. FALSE when the normal picture or its mask fails, or
    // when any other requested picture or mask fails (the rest are still loaded).
    BOOL LoadImages(UINT nNormalID, UINT nPressedID, UINT nFocusID, UINT nDisabledID);
    // Gives the control exactly the normal picture's size, keeping its position.
    void FitToImage();

    // Each update takes two calls: the first has the parent repaint under the control, which
    // brings the second, which draws the picture through its mask.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    BOOL m_parentRedrawn;
    CBitmap m_image[IMAGE_COUNT];
    CBitmap m_mask[IMAGE_COUNT];

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
