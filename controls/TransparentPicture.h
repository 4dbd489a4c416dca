// TransparentPicture.h: the steps both picture buttons share: loading a picture with its mask,
// having the parent repaint under a control, and drawing the chosen picture.
#pragma once

#include "platform/afx/afxwin.h"

// Loads bitmap resource nID into *pImage and makes its mask in *pMask; both must be empty.
// FALSE when the picture cannot be loaded (no mask is made then) or the mask cannot be made.
BOOL LoadTransparentPicture(UINT nID, CBitmap* pImage, CBitmap* pMask);

// Repaints the parent at once under the rectangle (0, 0, picture size) of pControl, erasing
// first. Since the parent does not clip its children, the control is repainted with it.
// FALSE, asking nothing, when the picture has no size or the control no parent.
BOOL RedrawParentUnder(CWnd* pControl, const CBitmap& picture);

// Draws picture and mask at the item rectangle of an owner-draw notification.
void DrawTransparentItem(const DRAWITEMSTRUCT& item, CBitmap* pImage, CBitmap* pMask);
