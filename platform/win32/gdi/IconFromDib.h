// IconFromDib.h: an icon made from an icon resource image, for LoadIconA.
#pragma once

#include "platform/win32/windows.h"

#include <cstddef>
#include <span>

namespace gdi {

// `image` is one icon image as resources hold it: a BITMAPINFOHEADER of double height, its
// colour table, the XOR picture's bits, then the 1-bit AND mask, both bottom-up. The picture
// is matched to the screen through the static colours. Null, with ERROR_INVALID_PARAMETER,
// when the image is malformed or shorter than its header promises.
HICON create_icon_from_dib(std::span<const std::byte> image);

}  // namespace gdi
