// SystemMenu.h: the window's system menu: its copy per window, opening it, and the default
// handling of the messages that open it.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// Opens the system menu of the window (or of its top-level ancestor) with its top-left corner
// at `screen`. The window hears WM_ENTERMENULOOP, WM_INITMENU and WM_INITMENUPOPUP (high word
// TRUE) first; a choice is posted as WM_SYSCOMMAND(id, cursor). Nothing happens for a window
// without WS_SYSMENU. From the keyboard the first item starts highlighted.
enum class OpenedBy { Mouse, Keyboard };
void track_system_menu(HWND hwnd, POINT screen, OpenedBy opened_by);

// Where the keyboard opens the system menu: under the left end of the caption (screen).
POINT system_menu_anchor(HWND hwnd);

// Default processing of the messages that lead to the system menu: Alt+Space
// (WM_SYSKEYDOWN), WM_SYSCOMMAND SC_KEYMENU, SC_MOUSEMENU and SC_CLOSE, WM_NCLBUTTONDOWN on
// HTSYSMENU, WM_NCRBUTTONUP and WM_CONTEXTMENU on the caption. True when it handled the
// message, with `result` set.
bool system_menu_default(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);

}  // namespace user
