// FontMatch.h: choosing the built-in font that best answers a logical font.
#pragma once

#include "platform/win32/gdi/FontData.h"
#include "platform/win32/windows.h"

namespace gdi {

// Face names compare without case; a negative height asks for that character height (cell
// minus internal leading), a positive one for that cell height; weight 600 and more asks for
// bold. An unknown or empty face picks among all fonts by size ("System" when no size is
// asked). Never null.
const FontData* match_font(const LOGFONTA& font);

}  // namespace gdi
