// TileBackground.cpp: the stone texture tiled over a client area.
#include "app/TileBackground.h"

#include "res/resource.h"

BOOL TileBackground(CWnd* pWnd, CDC* pDC) {
    CBitmap texture;
    if (!texture.Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_TEXTURE)))) {
        return TRUE;
    }
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC)) {
        return TRUE;
    }
    CSelectGuard selected(memDC, texture);
    if (!selected.IsSelected()) {
        return TRUE;
    }

    CRect client;
    pWnd->GetClientRect(&client);
    BITMAP bm{};
    texture.GetBitmap(&bm);
    // An empty texture would never advance the loops.
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return TRUE;
    }
    for (int y = 0; y < client.Height(); y += bm.bmHeight) {
        for (int x = 0; x < client.Width(); x += bm.bmWidth) {
            pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, SRCCOPY);
        }
    }
    return TRUE;
}
