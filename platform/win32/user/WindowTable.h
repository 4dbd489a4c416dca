// WindowTable.h: allocation and linking of windows, for the window functions.
#pragma once

#include "platform/win32/user/WindowManager.h"

namespace user {

// A fresh window with its handle set; null when the table is full.
Window* allocate_window();
// Frees the window's slot; its handle and every copy of it go stale.
void free_window(HWND hwnd);

// Puts the window into its sibling list after `insert_after` (or HWND_TOP, HWND_BOTTOM,
// HWND_TOPMOST, HWND_NOTOPMOST), keeping WS_EX_TOPMOST windows ahead of the others.
void link_window(Window& window, HWND insert_after);
void unlink_window(Window& window);

// The window and all its ancestors have WS_VISIBLE.
bool is_visible(const Window& window);

}  // namespace user
