// MaskedDraw.h: pictures whose pure white pixels are transparent, drawn through a mask.
#pragma once

#include "platform/afx/afxgdi.h"
#include "platform/afx/afxtypes.h"
#include "platform/win32/windows.h"

// Fills the empty *pMask with a monochrome mask of *pPicture: 0 where the picture is exactly
// RGB(255,255,255), 1 elsewhere. Nonzero on success; on failure *pMask is left empty (a mask
// that already held a handle is refused and kept).
BOOL MakeMask(CBitmap* pPicture, CBitmap* pMask);

// Draws the picture at rect's top-left corner, leaving the target as it was where the picture
// is white: the target becomes target OR mask, then that AND picture. It needs the target's
// default colours (black text, white background). Draws nothing when its contexts cannot be
// prepared.
void DrawMasked(CDC* pDC, const CRect& rect, CBitmap* pPicture, CBitmap* pMask);
