// NonClient.h: the frame, caption and close box of a window: layout, painting, hit testing.
#pragma once

#include "platform/win32/user/WindowManager.h"

namespace user {

// Where the parts of the frame lie, in window coordinates ((0, 0) is the window's top-left
// corner). Empty rectangles for parts the window does not have.
struct FrameLayout {
    RECT caption{};    // the caption bar, without the face-coloured line under it
    RECT icon{};       // the 16 x 16 caption icon
    RECT close{};      // the close box as drawn
    RECT close_hit{};  // where a press counts as on the close box
    RECT sysmenu_hit{};
    bool small_caption = false;  // WS_EX_TOOLWINDOW
};
FrameLayout frame_layout(const Window& window);

// The icon the caption shows: the small icon, else the big one, else the class icon (not for
// a modal-frame dialog); null when none.
HICON caption_icon(const Window& window);

// Default processing of WM_NCPAINT, WM_NCACTIVATE, WM_SETICON, WM_GETICON, WM_MOUSEACTIVATE,
// presses on the caption and the close box (WM_NCLBUTTONDOWN) and WM_SYSCOMMAND SC_MOVE and
// SC_CLOSE. True when it handled the message, with `result` set.
bool non_client_default(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);

// WM_NCHITTEST of the default window procedure, for a point in screen coordinates.
LRESULT hit_test_frame(const Window& window, POINT screen);

// Draws the whole frame now, the caption in the window's caption_active state.
void draw_frame(HWND hwnd);

// Sends WM_NCPAINT to a visible framed window whose frame waits for painting.
void paint_frame_if_pending(HWND hwnd);
// The same for every window, parents before their children.
void paint_pending_frames();

// WM_SETICON: stores the icon of the kind wParam names, returns the one it replaces.
LRESULT set_window_icon(HWND hwnd, WPARAM kind, HICON icon);

// A press on the close box: the box looks pushed while the mouse is over it; releasing it
// there sends WM_SYSCOMMAND(SC_CLOSE). Returns when the button is released.
void track_close_button(HWND hwnd);

// SC_MOVE: the window follows the mouse from `start` (screen coordinates) until the left
// button is released (or Enter; Esc puts it back), its caption kept on the screen.
void run_move_loop(HWND hwnd, POINT start);

}  // namespace user
