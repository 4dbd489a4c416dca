// ResourcePictures.h: the resource half of LoadBitmapA and LoadIconA: the bytes they convert.
#pragma once

#include "platform/win32/windef.h"

#include <cstddef>
#include <span>

namespace kernel {

// The packed DIB (header, colour table, bits) of bitmap `name` in `module` (NULL: the program),
// read in place. Empty, with the last error set, when the bitmap is missing.
std::span<const std::byte> bitmap_resource_bytes(HINSTANCE module, LPCSTR name);

// The icon image (BITMAPINFOHEADER of double height, colour table, XOR bits, AND mask) that
// icon group `name` offers for a cx x cy icon on a display of `display_bits` per pixel.
// Choice: the nearest size, then the deepest colour not above the display, else the shallowest.
// Empty, with the last error set, when the group or its image is missing or malformed.
std::span<const std::byte> icon_resource_bytes(HINSTANCE module, LPCSTR name, int cx = 32,
                                               int cy = 32, int display_bits = 8);

}  // namespace kernel
