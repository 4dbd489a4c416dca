// SystemMenu.cpp: each window's copy of the system menu and the ways of opening it.
#include "platform/win32/user/SystemMenu.h"

#include "platform/host/VirtualKeys.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/user/WindowFrame.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace user {
namespace {

struct SystemMenuCopy {
    HWND hwnd;
    HMENU menu;
};

std::vector<SystemMenuCopy>& copies() {
    static std::vector<SystemMenuCopy> list;
    return list;
}

// Copies of windows that are gone are destroyed here, as a window handle never comes back.
void forget_gone_windows() {
    auto& list = copies();
    for (auto it = list.begin(); it != list.end();) {
        if (!IsWindow(it->hwnd) || !IsMenu(it->menu)) {
            DestroyMenu(it->menu);
            it = list.erase(it);
        } else {
            ++it;
        }
    }
}

// FIXME: Restore, Size, Minimize and Maximize for windows with sizing frames or those boxes.
HMENU make_system_menu() {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    if (!AppendMenuA(menu, MF_STRING, SC_MOVE, "&Przenieś"_cp1250) ||
        !AppendMenuA(menu, MF_SEPARATOR, 0, nullptr) ||
        !AppendMenuA(menu, MF_STRING | MF_DEFAULT, SC_CLOSE, "&Zamknij\tAlt+F4"_cp1250)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

HWND top_level_of(HWND hwnd) {
    const Window* w = find_window(hwnd);
    while (w != nullptr && w->parent != nullptr) {
        w = find_window(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

bool is_child(HWND hwnd) {
    const Window* w = find_window(hwnd);
    return w != nullptr && w->parent != nullptr;
}

}  // namespace

POINT system_menu_anchor(HWND hwnd) {
    const Window* w = find_window(top_level_of(hwnd));
    if (w == nullptr) {
        return POINT{0, 0};
    }
    const RECT window = screen_window_rect(*w);
    // The frame without the client edges: its left side and its top with the caption.
    const RECT frame = frame_insets(
        w->style, w->ex_style & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    return POINT{window.left + frame.left, window.top + frame.top};
}

void track_system_menu(HWND hwnd, POINT screen, OpenedBy opened_by) {
    const HWND top = top_level_of(hwnd);
    HMENU menu = GetSystemMenu(top, FALSE);
    if (menu == nullptr) {
        return;
    }
    track_menu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen, top, nullptr, MenuKind::System,
               opened_by == OpenedBy::Keyboard ? Highlight::First : Highlight::None);
}

bool system_menu_default(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_SYSKEYDOWN:
            // Alt+Space: the top-level window opens its system menu.
            if (wparam != host::vk::kSpace || (static_cast<DWORD>(lparam) & (1u << 29)) == 0) {
                return false;
            }
            if (is_child(hwnd)) {
                result = SendMessageA(GetParent(hwnd), msg, wparam, lparam);
            } else {
                SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
            }
            return true;
        case WM_SYSCOMMAND:
            switch (wparam & 0xFFF0) {
                case SC_KEYMENU:
                    if (lparam == ' ') {
                        track_system_menu(hwnd, system_menu_anchor(hwnd), OpenedBy::Keyboard);
                    }
                    return true;
                case SC_MOUSEMENU:
                    track_system_menu(hwnd, system_menu_anchor(hwnd), OpenedBy::Mouse);
                    return true;
                case SC_CLOSE:
                    SendMessageA(hwnd, WM_CLOSE, 0, 0);
                    return true;
                default:
                    return false;
            }
        case WM_NCLBUTTONDOWN:
            if (wparam != HTSYSMENU) {
                return false;
            }
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lparam);
            return true;
        case WM_NCRBUTTONUP:
            SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lparam);
            return true;
        case WM_CONTEXTMENU: {
            if (is_child(hwnd)) {
                result = SendMessageA(GetParent(hwnd), msg, wparam, lparam);
                return true;
            }
            if (lparam == -1) {  // from the keyboard: no point to go by
                track_system_menu(hwnd, system_menu_anchor(hwnd), OpenedBy::Keyboard);
                return true;
            }
            const LRESULT hit = SendMessageA(hwnd, WM_NCHITTEST, 0, lparam);
            if (hit == HTCAPTION || hit == HTSYSMENU) {
                track_system_menu(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)},
                                  OpenedBy::Mouse);
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace user

using namespace user;

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    forget_gone_windows();
    auto& list = copies();
    const auto it = std::find_if(list.begin(), list.end(),
                                 [hwnd](const SystemMenuCopy& c) { return c.hwnd == hwnd; });
    if (revert) {
        if (it != list.end()) {
            DestroyMenu(it->menu);
            list.erase(it);
        }
        return nullptr;
    }
    if (it != list.end()) {
        return it->menu;
    }
    if ((w->style & WS_SYSMENU) == 0) {
        return nullptr;
    }
    HMENU menu = make_system_menu();
    if (menu != nullptr) {
        list.push_back(SystemMenuCopy{hwnd, menu});
    }
    return menu;
}
