// SysColors.cpp: the system colours of the standard scheme and their permanent brushes.
#include "platform/win32/gdi/StockObjects.h"
#include "platform/win32/windows.h"

#include <array>

namespace {

constexpr std::array<COLORREF, COLOR_INFOBK + 1> kColours = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_3DFACE
    RGB(128, 128, 128),  // COLOR_3DSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_3DHILIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};

bool known(int index) {
    return index >= 0 && index < static_cast<int>(kColours.size());
}

}  // namespace

DWORD GetSysColor(int index) {
    return known(index) ? kColours[static_cast<std::size_t>(index)] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    if (!known(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    static std::array<HBRUSH, kColours.size()> brushes{};
    HBRUSH& brush = brushes[static_cast<std::size_t>(index)];
    if (brush == nullptr) {
        brush = gdi::create_permanent_brush(kColours[static_cast<std::size_t>(index)]);
    }
    return brush;
}
