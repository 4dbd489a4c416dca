// Menu.h: the menu table behind HMENU, for menu tracking and the system menu.
#pragma once

#include "platform/win32/windows.h"

#include <string>
#include <vector>

namespace user {

struct MenuItem {
    UINT flags = 0;  // MF_ type and state bits (MF_GRAYED, MF_CHECKED, MF_OWNERDRAW ...)
    UINT_PTR id = 0;
    std::string text;    // MF_STRING: CP1250, '&' before the mnemonic, tab before the accelerator
    ULONG_PTR data = 0;  // MF_OWNERDRAW: the item data
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;  // CreatePopupMenu rather than CreateMenu
    std::vector<MenuItem> items;
};

// The menu of a handle, or null for a stale or foreign one.
Menu* find_menu(HMENU menu);
// Same, setting ERROR_INVALID_MENU_HANDLE when it fails.
Menu* menu_or_error(HMENU menu);

inline bool is_separator(const MenuItem& item) {
    return (item.flags & MF_SEPARATOR) != 0;
}
inline bool is_owner_drawn(const MenuItem& item) {
    return (item.flags & MF_OWNERDRAW) != 0;
}
inline bool is_enabled(const MenuItem& item) {
    return (item.flags & (MF_GRAYED | MF_DISABLED)) == 0;
}

// Number of live menus, so tests can see that nothing leaks.
std::size_t live_menu_count();

}  // namespace user
