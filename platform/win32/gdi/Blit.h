// Blit.h: the pixel loops shared by BitBlt, PatBlt, fills and text.
#pragma once

#include "platform/win32/gdi/DeviceContext.h"

namespace gdi {

// Applies a ternary operation with a constant pattern value and no source to the pieces of
// `device_rect` (surface coordinates) that the DC may draw.
void fill_rop(DeviceContext& dc, Surface& s, RECT device_rect, std::uint8_t code,
              std::uint32_t pattern);

// The device value of the DC's brush, or false for a hollow or unknown brush.
bool brush_value(const DeviceContext& dc, PixelFormat target, HBRUSH brush, std::uint32_t& out);

}  // namespace gdi
