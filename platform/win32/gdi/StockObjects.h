// StockObjects.h: the objects GetStockObject hands out, made once and never deleted.
#pragma once

#include "platform/win32/windows.h"

namespace gdi {

// Null for an id without a stock object.
HGDIOBJ stock_object(int id);
HBITMAP stock_bitmap();
// A solid brush that behaves as a stock object: deleting it does nothing and it is not
// counted as alive (the system-colour brushes of the window manager).
HBRUSH create_permanent_brush(COLORREF color);

}  // namespace gdi
