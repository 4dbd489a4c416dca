// Activation.cpp: the active window, the order of activation messages, and palette messages.
#include "platform/win32/user/Activation.h"

#include "platform/win32/gdi/WindowDc.h"
#include "platform/win32/user/WindowManager.h"
#include "platform/win32/user/WindowTable.h"

#include <algorithm>
#include <vector>

namespace user {
namespace {

HWND g_active = nullptr;

HWND current_active() {
    return find_window(g_active) != nullptr ? g_active : nullptr;
}

HWND top_level_of(HWND hwnd) {
    const Window* w = find_window(hwnd);
    while (w != nullptr && w->parent != nullptr) {
        w = find_window(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

// A window that may become active: shown, enabled and not on its way out.
bool can_activate(const Window* w) {
    return w != nullptr && w->parent == nullptr && !w->destroying && (w->style & WS_VISIBLE) &&
           (w->style & WS_DISABLED) == 0;
}

void broadcast(UINT msg, WPARAM wparam, LPARAM lparam) {
    for (HWND top : std::vector<HWND>(top_level_windows())) {
        if (find_window(top) != nullptr) {
            SendMessageA(top, msg, wparam, lparam);
        }
    }
}

bool holds_focus(HWND top) {
    const HWND focus = GetFocus();
    return focus != nullptr && (focus == top || IsChild(top, focus));
}

// Puts the window first in its z-order band with its owned windows still above it, in their
// order, and repaints what it showed behind others.
void raise(HWND hwnd) {
    if (find_window(hwnd) == nullptr) {
        return;
    }
    std::vector<HWND> owned;  // front first
    for (HWND top : top_level_windows()) {
        const Window* t = find_window(top);
        if (t != nullptr && t->owner == hwnd) {
            owned.push_back(top);
        }
    }
    std::vector<HWND> order{hwnd};  // each one linked on top of the ones before it
    order.insert(order.end(), owned.rbegin(), owned.rend());
    for (HWND h : order) {
        Window* s = find_window(h);
        if (s == nullptr) {
            continue;
        }
        const std::vector<HWND> before = top_level_windows();
        link_window(*s, HWND_TOP);
        if (before != top_level_windows() && is_visible(*s)) {
            s->frame_pending = true;
            InvalidateRect(h, nullptr, TRUE);
        }
    }
}

// Sends the activation messages; stops when a receiver activates something else meanwhile.
void set_active(HWND next, WORD state) {
    const HWND old = current_active();
    if (old == next) {
        return;
    }
    g_active = next;
    if (old != nullptr) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        if (g_active != next) {
            return;
        }
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
        if (g_active != next) {
            return;
        }
    }
    if (next == nullptr) {
        broadcast(WM_ACTIVATEAPP, FALSE, 0);
        if (old != nullptr && holds_focus(old)) {
            SetFocus(nullptr);
        }
        return;
    }
    if (SendMessageA(next, WM_QUERYNEWPALETTE, 0, 0) != 0) {
        broadcast(WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(next), 0);
    }
    if (old == nullptr) {
        broadcast(WM_ACTIVATEAPP, TRUE, 0);
    }
    if (g_active != next) {
        return;
    }
    SendMessageA(next, WM_NCACTIVATE, TRUE, 0);
    if (g_active != next) {
        return;
    }
    SendMessageA(next, WM_ACTIVATE, MAKEWPARAM(state, 0), reinterpret_cast<LPARAM>(old));
    if (g_active == next && IsWindow(next) && !holds_focus(next)) {
        SetFocus(next);
    }
}

bool is_button_down(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

bool is_non_client(UINT msg) {
    return msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONUP;
}

}  // namespace

bool activate_window(HWND hwnd, WORD state) {
    const HWND top = top_level_of(hwnd);
    if (!can_activate(find_window(top))) {
        return false;
    }
    raise(top);
    set_active(top, state);
    return true;
}

void activate_shown_window(HWND hwnd) {
    const Window* w = find_window(hwnd);
    if (w != nullptr && w->parent == nullptr && can_activate(w)) {
        activate_window(hwnd, WA_ACTIVE);
    }
}

void activate_other_window(HWND leaving) {
    if (leaving == nullptr || current_active() != leaving) {
        return;
    }
    const Window* w = find_window(leaving);
    if (w != nullptr && w->owner != nullptr && w->owner != leaving &&
        can_activate(find_window(w->owner))) {
        activate_window(w->owner, WA_ACTIVE);
        return;
    }
    for (HWND top : top_level_windows()) {
        if (top != leaving && can_activate(find_window(top))) {
            activate_window(top, WA_ACTIVE);
            return;
        }
    }
    set_active(nullptr, WA_INACTIVE);
}

bool activate_for_click(const MSG& msg) {
    if (!is_button_down(msg.message) || find_window(msg.hwnd) == nullptr) {
        return true;
    }
    const HWND top = top_level_of(msg.hwnd);
    if (top == current_active()) {
        return true;
    }
    const WORD hit = is_non_client(msg.message) ? static_cast<WORD>(msg.wParam) : HTCLIENT;
    const LRESULT answer = SendMessageA(msg.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                        MAKELPARAM(hit, static_cast<WORD>(msg.message)));
    if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) {
        activate_window(top, WA_CLICKACTIVE);
    }
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void install_palette_hooks() {
    static const bool installed = [] {
        gdi::set_foreground_query([](HWND hwnd) {
            const HWND active = current_active();
            return active != nullptr && hwnd != nullptr &&
                   (hwnd == active || IsChild(active, hwnd));
        });
        gdi::set_palette_changed_listener([](HWND realising) {
            broadcast(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(realising), 0);
        });
        return true;
    }();
    (void)installed;
}

}  // namespace user

using namespace user;

HWND SetActiveWindow(HWND hwnd) {
    const HWND previous = current_active();
    if (hwnd == nullptr) {
        set_active(nullptr, WA_INACTIVE);
        return previous;
    }
    if (window_or_error(hwnd) == nullptr || !activate_window(hwnd, WA_ACTIVE)) {
        return nullptr;
    }
    return previous;
}

HWND GetActiveWindow() {
    return current_active();
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    return activate_window(hwnd, WA_ACTIVE) ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
    return current_active();
}
