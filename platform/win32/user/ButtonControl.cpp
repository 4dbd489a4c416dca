// ButtonControl.cpp: the "Button" class: push buttons in the 3D look, owner-drawn buttons
// with their WM_DRAWITEM sequence, check boxes and radio buttons as state.
#include "platform/win32/user/Controls.h"

namespace user {
namespace {

constexpr int kStateOffset = 0;
constexpr int kFontOffset = sizeof(LONG_PTR);
constexpr LONG_PTR kPressedByUser = 0x40;  // a mouse or space press is in progress
constexpr LONG_PTR kPublicStates = BST_CHECKED | BST_INDETERMINATE | BST_PUSHED | BST_FOCUS;

DWORD button_type(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

LONG_PTR state_of(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, kStateOffset);
}

void set_state(HWND hwnd, LONG_PTR state) {
    SetWindowLongPtrA(hwnd, kStateOffset, state);
}

void notify_parent(HWND hwnd, WORD code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

// The highest check state a button type keeps.
LONG_PTR max_check(DWORD type) {
    switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return BST_CHECKED;
        case BS_3STATE:
        case BS_AUTO3STATE:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
    }
}

void fill(HDC hdc, int left, int top, int right, int bottom, int color) {
    const RECT rc{left, top, right, bottom};
    FillRect(hdc, &rc, GetSysColorBrush(color));
}

// A 3D ring one pixel wide: top and left lines in one colour, bottom and right in another.
void ring(HDC hdc, const RECT& rc, int top_left, int bottom_right) {
    fill(hdc, rc.left, rc.top, rc.right - 1, rc.top + 1, top_left);
    fill(hdc, rc.left, rc.top, rc.left + 1, rc.bottom - 1, top_left);
    fill(hdc, rc.left, rc.bottom - 1, rc.right, rc.bottom, bottom_right);
    fill(hdc, rc.right - 1, rc.top, rc.right, rc.bottom, bottom_right);
}

// Every other pixel of the rectangle's outline, as the focus rectangle shows.
void dotted_frame(HDC hdc, const RECT& rc) {
    const COLORREF color = GetSysColor(COLOR_BTNTEXT);
    for (int x = rc.left; x < rc.right; x += 2) {
        SetPixelV(hdc, x, rc.top, color);
        SetPixelV(hdc, x, rc.bottom - 1, color);
    }
    for (int y = rc.top; y < rc.bottom; y += 2) {
        SetPixelV(hdc, rc.left, y, color);
        SetPixelV(hdc, rc.right - 1, y, color);
    }
}

void paint_push_button(HWND hwnd, HDC hdc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    const LONG_PTR state = state_of(hwnd);
    const bool pushed = (state & BST_PUSHED) != 0;
    const bool is_default = button_type(hwnd) == BS_DEFPUSHBUTTON;
    control_brush(hwnd, hdc, WM_CTLCOLORBTN);
    fill(hdc, rc.left, rc.top, rc.right, rc.bottom, COLOR_3DFACE);
    RECT face = rc;
    if (is_default || pushed) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (pushed) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_3DSHADOW));
    } else {
        ring(hdc, face, COLOR_3DHILIGHT, COLOR_3DDKSHADOW);
        RECT inner = face;
        InflateRect(&inner, -1, -1);
        ring(hdc, inner, COLOR_3DLIGHT, COLOR_3DSHADOW);
    }

    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text = strip_prefixes(std::string_view(text.data(), static_cast<std::size_t>(length)));
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontOffset));
    HGDIOBJ previous = font != nullptr ? SelectObject(hdc, font) : nullptr;
    SIZE extent{};
    GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(text.size()), &extent);
    const int shift = pushed ? 1 : 0;
    const int x = (rc.left + rc.right - extent.cx) / 2 + shift;
    const int y = (rc.top + rc.bottom - extent.cy) / 2 + shift;
    SetBkMode(hdc, TRANSPARENT);
    if (IsWindowEnabled(hwnd)) {
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        TextOutA(hdc, x, y, text.data(), static_cast<int>(text.size()));
    } else {
        // Disabled text is engraved: a highlight under and right of the grey letters.
        SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
        TextOutA(hdc, x + 1, y + 1, text.data(), static_cast<int>(text.size()));
        SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
        TextOutA(hdc, x, y, text.data(), static_cast<int>(text.size()));
    }
    if (previous != nullptr) {
        SelectObject(hdc, previous);
    }
    if (state & BST_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -4, -4);
        dotted_frame(hdc, focus);
    }
}

void paint_owner_drawn(HWND hwnd, HDC hdc, UINT action) {
    const LONG_PTR state = state_of(hwnd);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemAction = action;
    dis.itemState = ((state & BST_FOCUS) ? ODS_FOCUS : 0u) |
                    ((state & BST_PUSHED) ? ODS_SELECTED : 0u) |
                    (IsWindowEnabled(hwnd) ? 0u : static_cast<UINT>(ODS_DISABLED));
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    GetClientRect(hwnd, &dis.rcItem);
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontOffset));
    if (font != nullptr) {
        SelectObject(hdc, font);
    }
    HWND parent = GetParent(hwnd);
    SendMessageA(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                 reinterpret_cast<LPARAM>(hwnd));
    SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void paint_with(HWND hwnd, HDC hdc, UINT action) {
    if (button_type(hwnd) == BS_OWNERDRAW) {
        paint_owner_drawn(hwnd, hdc, action);
    } else {
        // FIXME: check boxes, radio buttons and group boxes are drawn as push buttons.
        paint_push_button(hwnd, hdc);
    }
}

// Draws at once on the button's own DC, as state changes do.
void paint_now(HWND hwnd, UINT action) {
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    if (HDC hdc = GetDC(hwnd)) {
        paint_with(hwnd, hdc, action);
        ReleaseDC(hwnd, hdc);
    }
}

void set_pushed(HWND hwnd, bool pushed) {
    const LONG_PTR state = state_of(hwnd);
    const LONG_PTR changed = pushed ? (state | BST_PUSHED) : (state & ~LONG_PTR{BST_PUSHED});
    if (changed != state) {
        set_state(hwnd, changed);
        paint_now(hwnd, ODA_SELECT);
    }
}

void set_check(HWND hwnd, LONG_PTR check) {
    check = std::min(check, max_check(button_type(hwnd)));
    const LONG_PTR state = state_of(hwnd);
    const LONG_PTR changed = (state & ~LONG_PTR{BST_CHECKED | BST_INDETERMINATE}) | check;
    if (changed != state) {
        set_state(hwnd, changed);
        paint_now(hwnd, ODA_SELECT);
    }
}

// The end of a press by mouse or space: a click when it ends over the button.
void release(HWND hwnd, bool inside) {
    LONG_PTR state = state_of(hwnd);
    if (!(state & kPressedByUser)) {
        return;
    }
    state &= kPublicStates;
    set_state(hwnd, state);
    if (!(state & BST_PUSHED)) {
        ReleaseCapture();
        return;
    }
    set_pushed(hwnd, false);
    if (!inside) {
        ReleaseCapture();
        return;
    }
    switch (button_type(hwnd)) {
        case BS_AUTOCHECKBOX:
            set_check(hwnd, (state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTORADIOBUTTON:
            set_check(hwnd, BST_CHECKED);
            break;
        case BS_AUTO3STATE:
            set_check(hwnd, ((state & 3) + 1) % 3);
            break;
        default:
            break;
    }
    ReleaseCapture();
    notify_parent(hwnd, BN_CLICKED);
}

POINT point_of(LPARAM lparam) {
    return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

}  // namespace

LRESULT CALLBACK button_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    const DWORD type = button_type(hwnd);
    const bool notify = (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) != 0;
    switch (msg) {
        case WM_GETDLGCODE:
            switch (type) {
                case BS_PUSHBUTTON:
                    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
                case BS_DEFPUSHBUTTON:
                    return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
                case BS_RADIOBUTTON:
                case BS_AUTORADIOBUTTON:
                    return DLGC_RADIOBUTTON;
                case BS_GROUPBOX:
                    return DLGC_STATIC;
                default:
                    return DLGC_BUTTON;
            }
        case WM_NCHITTEST:
            return type == BS_GROUPBOX ? HTTRANSPARENT : DefWindowProcA(hwnd, msg, wparam, lparam);
        case WM_ENABLE:
            paint_now(hwnd, ODA_DRAWENTIRE);
            return 0;
        case WM_ERASEBKGND:
            if (type == BS_OWNERDRAW) {
                // What the owner does not draw shows the parent's button colour.
                RECT rc;
                GetClientRect(hwnd, &rc);
                HDC hdc = reinterpret_cast<HDC>(wparam);
                FillRect(hdc, &rc, control_brush(hwnd, hdc, WM_CTLCOLORBTN));
            }
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC hdc = BeginPaint(hwnd, &ps)) {
                paint_with(hwnd, hdc, ODA_DRAWENTIRE);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            if (notify || type == BS_OWNERDRAW || type == BS_RADIOBUTTON) {
                notify_parent(hwnd, BN_DBLCLK);
                return 0;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            SetCapture(hwnd);
            SetFocus(hwnd);
            set_state(hwnd, state_of(hwnd) | kPressedByUser);
            set_pushed(hwnd, true);
            return 0;
        case WM_KEYDOWN:
            if (wparam == VK_SPACE) {
                set_pushed(hwnd, true);
                set_state(hwnd, state_of(hwnd) | kPressedByUser);
                SetCapture(hwnd);
            }
            return 0;
        case WM_KEYUP:
            if (wparam == VK_SPACE) {
                release(hwnd, true);
            }
            return 0;
        case WM_LBUTTONUP: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            release(hwnd, PtInRect(&rc, point_of(lparam)) != 0);
            return 0;
        }
        case WM_MOUSEMOVE:
            if ((wparam & MK_LBUTTON) && GetCapture() == hwnd &&
                (state_of(hwnd) & kPressedByUser)) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                set_pushed(hwnd, PtInRect(&rc, point_of(lparam)) != 0);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lparam) != hwnd && (state_of(hwnd) & kPressedByUser)) {
                set_state(hwnd, state_of(hwnd) & kPublicStates);
                set_pushed(hwnd, false);
            }
            return 0;
        case WM_SETFOCUS:
            set_state(hwnd, state_of(hwnd) | BST_FOCUS);
            paint_now(hwnd, ODA_FOCUS);
            if (notify) {
                notify_parent(hwnd, BN_SETFOCUS);
            }
            return 0;
        case WM_KILLFOCUS: {
            const LONG_PTR state = state_of(hwnd);
            set_state(hwnd, state & ~LONG_PTR{BST_FOCUS});
            paint_now(hwnd, ODA_FOCUS);
            if ((state & kPressedByUser) && GetCapture() == hwnd) {
                ReleaseCapture();
            }
            if (notify) {
                notify_parent(hwnd, BN_KILLFOCUS);
            }
            return 0;
        }
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, msg, wparam, lparam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_SETFONT:
            SetWindowLongPtrA(hwnd, kFontOffset, static_cast<LONG_PTR>(wparam));
            if (LOWORD(lparam)) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontOffset);
        case BM_GETCHECK:
            return state_of(hwnd) & (BST_CHECKED | BST_INDETERMINATE);
        case BM_SETCHECK:
            set_check(hwnd, static_cast<LONG_PTR>(wparam & 3));
            return 0;
        case BM_GETSTATE:
            return state_of(hwnd) & kPublicStates;
        case BM_SETSTATE:
            set_pushed(hwnd, wparam != 0);
            return 0;
        case BM_SETSTYLE: {
            const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
            SetWindowLongA(hwnd, GWL_STYLE,
                           static_cast<LONG>((style & ~static_cast<DWORD>(BS_TYPEMASK)) |
                                             (static_cast<DWORD>(wparam) & BS_TYPEMASK)));
            if (LOWORD(lparam)) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        }
        case BM_CLICK:
            SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

}  // namespace user
