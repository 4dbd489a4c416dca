// TileBackground.h: the stone texture tiled behind the main window and the two dialogs.
#pragma once

#include "platform/afx/afxwin.h"

// Tiles texture bitmap 130 over pWnd's client area from its top left corner into pDC. The
// bitmap is loaded at every call, matched to the display's colours without a logical
// palette. Always TRUE (background erased), also when the bitmap or a context is missing.
BOOL TileBackground(CWnd* pWnd, CDC* pDC);
