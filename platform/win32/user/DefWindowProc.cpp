// DefWindowProc.cpp: what a window does with messages its procedure leaves alone.
#include "platform/win32/user/SystemMenu.h"
#include "platform/win32/user/NonClient.h"
#include "platform/win32/user/WindowFrame.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <cstring>

namespace user {

RECT frame_insets(DWORD style, DWORD ex_style) {
    int border = 0;
    if (style & WS_THICKFRAME) {
        border = GetSystemMetrics(SM_CXFRAME);
    } else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) {
        border = GetSystemMetrics(SM_CXDLGFRAME);  // raised edge and a face-coloured ring
    } else if (style & WS_BORDER) {
        border = GetSystemMetrics(SM_CXBORDER);
    }
    int caption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        caption = GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    int edge = 0;
    if (ex_style & WS_EX_CLIENTEDGE) {
        edge += GetSystemMetrics(SM_CXEDGE);
    }
    if (ex_style & WS_EX_STATICEDGE) {
        edge += GetSystemMetrics(SM_CXBORDER);
    }
    return RECT{border + edge, border + caption + edge, border + edge, border + edge};
}

}  // namespace user

using namespace user;

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (LRESULT result = 0; system_menu_default(hwnd, msg, wparam, lparam, result)) {
        return result;
    }
    if (LRESULT result = 0; non_client_default(hwnd, msg, wparam, lparam, result)) {
        return result;
    }
    switch (msg) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
            if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) {
                w->text = cs->lpszName;
            }
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* rc = reinterpret_cast<RECT*>(lparam);
            if (rc != nullptr) {
                const RECT in = frame_insets(w->style, w->ex_style);
                rc->left += in.left;
                rc->top += in.top;
                rc->right = std::max(rc->left, rc->right - in.right);
                rc->bottom = std::max(rc->top, rc->bottom - in.bottom);
            }
            return 0;
        }
        case WM_NCHITTEST:
            return hit_test_frame(*w, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (BeginPaint(hwnd, &ps) != nullptr) {
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        case WM_ERASEBKGND: {
            // A class brush up to COLOR_INFOBK + 1 names a system colour.
            HBRUSH brush = w->window_class->info.hbrBackground;
            const auto value = reinterpret_cast<ULONG_PTR>(brush);
            if (value >= 1 && value <= COLOR_INFOBK + 1) {
                brush = GetSysColorBrush(static_cast<int>(value) - 1);
            }
            if (brush == nullptr) {
                return 0;
            }
            RECT rc{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
            return FillRect(reinterpret_cast<HDC>(wparam), &rc, brush) ? 1 : 0;
        }
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<LPCSTR>(lparam);
            w->text = text == nullptr ? "" : text;
            return TRUE;
        }
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPSTR>(lparam);
            if (buffer == nullptr || wparam == 0) {
                return 0;
            }
            const std::size_t n = std::min(w->text.size(), static_cast<std::size_t>(wparam) - 1);
            std::memcpy(buffer, w->text.data(), n);
            buffer[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        default:
            return 0;
    }
}
