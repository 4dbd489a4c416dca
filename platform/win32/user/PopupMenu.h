// PopupMenu.h: showing a menu in its own window and running its modal loop.
#pragma once

#include "platform/win32/windows.h"

#include <optional>

namespace user {

enum class MenuKind {
    Popup,   // TrackPopupMenu: a choice posts WM_COMMAND(id)
    System,  // the system menu: a choice posts WM_SYSCOMMAND(id, cursor)
};

enum class Highlight {
    None,   // nothing highlighted until the mouse or a key moves
    First,  // the first item, as when the keyboard opens the menu
};

// Shows `menu` at `at` (screen) for `owner` and runs the loop until a choice, Esc, a click
// outside, EndMenu, WM_QUIT (posted again) or the owner or menu going away. Posts the choice
// unless TPM_RETURNCMD. Returns the chosen id, or nothing; fails with the last error set
// when another menu is being tracked or a handle is bad.
std::optional<UINT> track_menu(HMENU menu, UINT flags, POINT at, HWND owner, const RECT* exclude,
                               MenuKind kind, Highlight highlight = Highlight::None);

// The menu window of the menu being tracked; null when none is.
HWND tracking_window();

// Item rectangles of the menu being tracked, in the menu window's client coordinates.
bool tracked_item_rect(int position, RECT& rc);

}  // namespace user
