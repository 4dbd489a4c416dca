// ColorMapping.h: how a COLORREF becomes a pixel value of a DC's surface, and back.
#pragma once

#include "platform/win32/gdi/DeviceContext.h"

namespace gdi {

// The plain RGB a COLORREF stands for in this DC (palette index and palette-relative forms
// resolved through the DC's logical palette).
COLORREF resolve_rgb(const DeviceContext& dc, COLORREF color);

// Pens, text, the text background, opaque fills and solid brushes. Plain RGB on an 8-bit
// surface takes the nearest static colour (no dithering); PALETTEINDEX takes the logical
// entry's system index, PALETTERGB the nearest logical entry's. On a monochrome surface black
// is 0, white 1, the bk colour its own nearest bit and any other colour the opposite bit.
std::uint32_t draw_value(const DeviceContext& dc, PixelFormat target, COLORREF color);

// SetPixel on a monochrome surface: white iff R + G + B >= 383, whatever the bk colour.
std::uint32_t mono_nearest(COLORREF rgb);

// A pixel value as the colour GetPixel reports (8-bit through the current system palette).
COLORREF value_to_colorref(PixelFormat format, std::uint32_t value);
// 0x00RRGGBB of a pixel value, as snapshots and hosts show it.
std::uint32_t value_to_rgb32(PixelFormat format, std::uint32_t value);

constexpr std::uint32_t colorref_to_rgb32(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace gdi
