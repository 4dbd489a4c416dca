// WindowManager.h: the window manager's tables: classes, windows, handles, z-order.
#pragma once

#include "platform/win32/windows.h"

#include <memory>
#include <string>
#include <vector>

namespace user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    WNDCLASSA info{};
    int window_count = 0;
};

struct Window {
    HWND handle = nullptr;
    WindowClass* window_class = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr;  // children only
    HWND owner = nullptr;   // top-level windows only
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR user_data = 0;
    std::vector<std::byte> extra;  // cbWndExtra bytes
    std::string text;
    RECT rect{};    // window rectangle in the parent's client coordinates (screen: top)
    RECT client{};  // client rectangle in the same coordinates
    std::vector<HWND> children;  // front first
    RECT update{};               // pending repaint, client coordinates; empty: none
    bool erase = false;          // the update region wants WM_ERASEBKGND
    bool destroying = false;
    HBITMAP saved_bits = nullptr;  // CS_SAVEBITS: the screen beneath, taken when shown
    RECT saved_rect{};             // where saved_bits came from, screen coordinates
    bool frame_pending = false;    // the non-client area wants WM_NCPAINT
    bool caption_active = false;   // the caption is drawn active (WM_NCACTIVATE)
    HICON icon_big = nullptr;      // WM_SETICON
    HICON icon_small = nullptr;
};

// The window of a handle, or null for a stale or foreign one.
Window* find_window(HWND hwnd);
// Same, setting ERROR_INVALID_WINDOW_HANDLE when it fails.
Window* window_or_error(HWND hwnd);

// Top-level windows, front first (WS_EX_TOPMOST ones ahead of the others).
const std::vector<HWND>& top_level_windows();
// The z-order list holding the window: its parent's children or the top-level list.
std::vector<HWND>& sibling_list(Window& window);

// Screen coordinates of the client area's origin; a window's rectangles by screen.
POINT client_origin(const Window& window);
RECT screen_window_rect(const Window& window);
RECT screen_client_rect(const Window& window);

}  // namespace user
