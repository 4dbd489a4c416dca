// Snapshot.h: a DC's surface or a bitmap as COLORREF pixels, and as a PNG file.
#pragma once

#include "platform/win32/windows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

// Every pixel of the surface (the whole screen for screen and window DCs) as 0x00bbggrr,
// the layout of RGB() and GetPixel, top row first; 8-bit values are shown through the current
// system palette. Empty (0 x 0) for a bad handle or an
// information context.
std::vector<std::uint32_t> snapshot_rgb(HDC hdc, int& width, int& height);
std::vector<std::uint32_t> snapshot_rgb(HBITMAP bitmap, int& width, int& height);

// The snapshot written as a PNG file; false when there is nothing to write or writing failed.
bool write_png(HDC hdc, const std::string& path);
bool write_png(HBITMAP bitmap, const std::string& path);

}  // namespace gdi
