// ControlColors.cpp: the colours controls draw in, asked of their parent with WM_CTLCOLOR*.
#include "platform/win32/user/Controls.h"

namespace user {

HBRUSH default_control_brush(HDC hdc, UINT ctlcolor_message) {
    const bool field =
        ctlcolor_message == WM_CTLCOLOREDIT || ctlcolor_message == WM_CTLCOLORLISTBOX;
    const int background = field ? COLOR_WINDOW : COLOR_3DFACE;
    if (hdc != nullptr) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(background));
    }
    return GetSysColorBrush(background);
}

HBRUSH control_brush(HWND control, HDC hdc, UINT ctlcolor_message) {
    HWND parent = GetParent(control);
    HBRUSH brush = nullptr;
    if (parent != nullptr) {
        brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlcolor_message,
                                                      reinterpret_cast<WPARAM>(hdc),
                                                      reinterpret_cast<LPARAM>(control)));
    }
    return brush != nullptr ? brush : default_control_brush(hdc, ctlcolor_message);
}

}  // namespace user
