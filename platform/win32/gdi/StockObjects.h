// StockObjects.h: the objects GetStockObject hands out, made once and never deleted.
#pragma once

#include "platform/win32/windows.h"

namespace gdi {

// Null for an id without a stock object.
HGDIOBJ stock_object(int id);
HBITMAP stock_bitmap();

}  // namespace gdi
