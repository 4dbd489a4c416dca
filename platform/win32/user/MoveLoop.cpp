// MoveLoop.cpp: moving a window with the mouse (SC_MOVE), keeping its caption on the screen.
#include "platform/host/VirtualKeys.h"
#include "platform/win32/user/NonClient.h"
#include "platform/win32/user/WindowFrame.h"

#include <algorithm>

namespace user {
namespace {

// Where the window's top-left corner may go (screen coordinates) so that the whole caption
// strip, frame included, stays on the screen.
POINT keep_caption_on_screen(const Window& w, POINT top_left) {
    const int width = w.rect.right - w.rect.left;
    const int strip = frame_insets(w.style, w.ex_style).top;
    const int max_x = std::max(0, GetSystemMetrics(SM_CXSCREEN) - width);
    const int max_y = std::max(0, GetSystemMetrics(SM_CYSCREEN) - strip);
    return POINT{std::clamp(static_cast<int>(top_left.x), 0, max_x),
                 std::clamp(static_cast<int>(top_left.y), 0, max_y)};
}

// Moves the window so its top-left corner is at `screen`; children are placed in their
// parent's client coordinates.
void place(HWND hwnd, POINT screen) {
    const Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    POINT at = screen;
    if (const Window* parent = find_window(w->parent)) {
        const POINT origin = client_origin(*parent);
        at.x -= origin.x;
        at.y -= origin.y;
    }
    if (at.x != w->rect.left || at.y != w->rect.top) {
        SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

void run_move_loop(HWND hwnd, POINT start) {
    const Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    const RECT original = screen_window_rect(*w);
    const bool top_level = w->parent == nullptr;
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    MSG msg{};
    while (IsWindow(hwnd) && GetCapture() == hwnd) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            }
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP ||
            msg.message == WM_LBUTTONDOWN) {
            POINT to{original.left + msg.pt.x - start.x, original.top + msg.pt.y - start.y};
            if (const Window* now = find_window(hwnd); now != nullptr && top_level) {
                to = keep_caption_on_screen(*now, to);
            }
            place(hwnd, to);
            if (msg.message != WM_MOUSEMOVE) {
                break;  // released (or, in a move begun from the keyboard, clicked)
            }
            continue;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            continue;
        }
        if (msg.message == WM_KEYDOWN &&
            (msg.wParam == host::vk::kReturn || msg.wParam == host::vk::kEscape)) {
            if (msg.wParam == host::vk::kEscape) {
                place(hwnd, POINT{original.left, original.top});
            }
            break;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_CHAR) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (IsWindow(hwnd)) {
        SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
    }
}

}  // namespace user
