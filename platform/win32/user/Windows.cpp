// Windows.cpp: creating and destroying windows, their geometry, z-order and window longs.
#include "platform/win32/user/Activation.h"
#include "platform/win32/user/MessageQueue.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/WindowClasses.h"
#include "platform/win32/user/WindowTable.h"

#include <algorithm>
#include <cstring>

namespace user {
namespace {

// Sends WM_NCCALCSIZE with the window rectangle and keeps what comes back as the client.
void calculate_client(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = w->rect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
    if ((w = find_window(hwnd)) != nullptr) {
        RECT client = params.rgrc[0];
        client.right = std::max(client.right, client.left);
        client.bottom = std::max(client.bottom, client.top);
        w->client = client;
    }
}

void send_size_and_move(HWND hwnd, bool sized, bool moved) {
    const Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    const RECT c = w->client;
    if (sized) {
        SendMessageA(
            hwnd, WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(static_cast<WORD>(c.right - c.left), static_cast<WORD>(c.bottom - c.top)));
    }
    if (moved) {
        SendMessageA(hwnd, WM_MOVE, 0,
                     MAKELPARAM(static_cast<WORD>(c.left), static_cast<WORD>(c.top)));
    }
}

// Takes the window out of every table, children first, each hearing WM_NCDESTROY last.
void release_tree(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        release_tree(child);
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    if ((w = find_window(hwnd)) == nullptr) {
        return;
    }
    forget_window(hwnd);
    unlink_window(*w);
    --w->window_class->window_count;
    free_window(hwnd);
}

void send_destroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    if (const Window* w = find_window(hwnd)) {
        const std::vector<HWND> children = w->children;
        for (HWND child : children) {
            send_destroy(child);
        }
    }
}

void mark_destroying(Window& w) {
    w.destroying = true;
    for (HWND child : w.children) {
        if (Window* c = find_window(child)) {
            mark_destroying(*c);
        }
    }
}

HWND root_of(HWND hwnd) {
    Window* w = find_window(hwnd);
    while (w != nullptr && w->parent != nullptr) {
        w = find_window(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

}  // namespace
}  // namespace user

using namespace user;

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    install_window_dcs();
    install_palette_hooks();
    WindowClass* window_class = find_class(class_name);
    if (window_class == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    if (child && parent == nullptr) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (parent != nullptr && window_or_error(parent) == nullptr) {
        return nullptr;
    }
    Window* w = allocate_window();
    if (w == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const HWND hwnd = w->handle;
    w->window_class = window_class;
    ++window_class->window_count;
    w->proc = window_class->info.lpfnWndProc;
    w->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    w->ex_style = ex_style;
    w->instance = instance;
    w->extra.assign(static_cast<std::size_t>(window_class->info.cbWndExtra), std::byte{0});
    w->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    w->client = w->rect;
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
        link_window(*w, HWND_BOTTOM);  // later children lie under earlier ones
    } else {
        w->owner = root_of(parent);
        link_window(*w, HWND_TOP);
    }

    CREATESTRUCTA cs{
        param,       instance,   menu,    parent, height, width, y, x, static_cast<LONG>(style),
        window_name, class_name, ex_style};
    bool created = SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) != 0;
    if (created && IsWindow(hwnd)) {
        calculate_client(hwnd);
        created = SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1;
    }
    if (!created || !IsWindow(hwnd)) {
        if (Window* failed = find_window(hwnd)) {
            mark_destroying(*failed);
        }
        release_tree(hwnd);
        return nullptr;
    }
    send_size_and_move(hwnd, true, true);
    if (style & WS_VISIBLE) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (w->destroying) {
        return TRUE;  // already on its way out: a procedure destroying itself again
    }
    // Owned windows go first, as they cannot outlive their owner.
    const std::vector<HWND> tops = top_level_windows();
    for (HWND top : tops) {
        if (const Window* t = find_window(top); t != nullptr && t->owner == hwnd) {
            DestroyWindow(top);
        }
    }
    if ((w = find_window(hwnd)) == nullptr) {
        return TRUE;
    }
    mark_destroying(*w);
    if (is_visible(*w)) {
        invalidate_beneath(*w, screen_window_rect(*w));
    }
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    activate_other_window(hwnd);
    send_destroy(hwnd);
    release_tree(hwnd);
    return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return 0;
    }
    return w->proc(hwnd, msg, wparam, lparam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (proc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return proc(hwnd, msg, wparam, lparam);
}

BOOL IsWindow(HWND hwnd) {
    return find_window(hwnd) != nullptr;
}

HWND GetParent(HWND hwnd) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    if (w->style & WS_CHILD) {
        return w->parent;
    }
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    const Window* w = find_window(hwnd);
    while (w != nullptr && w->parent != nullptr) {
        if (w->parent == parent) {
            return TRUE;
        }
        w = find_window(w->parent);
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    const Window* w = find_window(hwnd);
    return w != nullptr && is_visible(*w);
}

BOOL IsWindowEnabled(HWND hwnd) {
    const Window* w = find_window(hwnd);
    return w != nullptr && (w->style & WS_DISABLED) == 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL was_disabled = (w->style & WS_DISABLED) != 0;
    if (was_disabled == !enable) {
        return was_disabled;
    }
    if (enable) {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
    } else {
        w->style |= WS_DISABLED;
        // A disabled window keeps its activation but loses the keyboard and the mouse.
        if (const HWND focus = GetFocus(); focus == hwnd || IsChild(hwnd, focus)) {
            SetFocus(nullptr);
        }
        if (const HWND capture = GetCapture(); capture == hwnd || IsChild(hwnd, capture)) {
            ReleaseCapture();
        }
    }
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return was_disabled;
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    const bool was_visible = (w->style & WS_VISIBLE) != 0;
    const bool show = cmd != SW_HIDE;
    if (show != was_visible) {
        SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if ((w = find_window(hwnd)) != nullptr) {
            if (show) {
                save_bits_beneath(*w);
                w->style |= WS_VISIBLE;
                w->frame_pending = true;
                InvalidateRect(hwnd, nullptr, TRUE);
            } else {
                if (is_visible(*w)) {
                    invalidate_beneath(*w, screen_window_rect(*w));
                }
                w->style &= ~static_cast<DWORD>(WS_VISIBLE);
                if (const HWND focus = GetFocus();
                    w->parent != nullptr && (focus == hwnd || IsChild(hwnd, focus))) {
                    SetFocus(w->parent);
                }
                activate_other_window(hwnd);
            }
        }
    }
    if (show && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE) {
        activate_shown_window(hwnd);
    }
    return was_visible ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    RECT rect = w->rect;
    if ((flags & SWP_NOMOVE) == 0) {
        OffsetRect(&rect, x - rect.left, y - rect.top);
    }
    if ((flags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + std::max(cx, 0);
        rect.bottom = rect.top + std::max(cy, 0);
    }
    const bool moved = rect.left != w->rect.left || rect.top != w->rect.top;
    const bool sized = rect.right - rect.left != w->rect.right - w->rect.left ||
                       rect.bottom - rect.top != w->rect.bottom - w->rect.top;
    if ((flags & SWP_NOZORDER) == 0) {
        if (w->parent == nullptr) {
            if (insert_after == HWND_TOPMOST) {
                w->ex_style |= WS_EX_TOPMOST;
            } else if (insert_after == HWND_NOTOPMOST || insert_after == HWND_BOTTOM) {
                w->ex_style &= ~static_cast<DWORD>(WS_EX_TOPMOST);
            }
        }
        link_window(*w, insert_after);
    }
    const bool redraw = (flags & SWP_NOREDRAW) == 0;
    const bool was_visible = is_visible(*w);
    if (redraw && was_visible && (moved || sized || (flags & SWP_HIDEWINDOW))) {
        invalidate_beneath(*w, screen_window_rect(*w));
    }
    if (flags & SWP_SHOWWINDOW) {
        if (!was_visible) {
            save_bits_beneath(*w);
        }
        w->style |= WS_VISIBLE;
    } else if (flags & SWP_HIDEWINDOW) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        w->rect = rect;
        calculate_client(hwnd);
        send_size_and_move(hwnd, sized, moved);
    }
    if (Window* after = find_window(hwnd); after != nullptr && redraw &&
                                           (moved || sized || (flags & SWP_FRAMECHANGED) ||
                                            ((flags & SWP_SHOWWINDOW) && !was_visible))) {
        after->frame_pending = true;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    if ((flags & SWP_HIDEWINDOW) && was_visible) {
        activate_other_window(hwnd);
    } else if ((flags & SWP_SHOWWINDOW) && (flags & SWP_NOACTIVATE) == 0) {
        activate_shown_window(hwnd);
    }
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rc) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr || rc == nullptr) {
        return FALSE;
    }
    *rc = screen_window_rect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rc) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr || rc == nullptr) {
        return FALSE;
    }
    *rc = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr || pt == nullptr) {
        return FALSE;
    }
    const POINT o = client_origin(*w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr || pt == nullptr) {
        return FALSE;
    }
    const POINT o = client_origin(*w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT from_origin{0, 0}, to_origin{0, 0};
    if (from != nullptr) {
        const Window* w = window_or_error(from);
        if (w == nullptr) {
            return 0;
        }
        from_origin = client_origin(*w);
    }
    if (to != nullptr) {
        const Window* w = window_or_error(to);
        if (w == nullptr) {
            return 0;
        }
        to_origin = client_origin(*w);
    }
    if (points == nullptr && count > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const LONG dx = from_origin.x - to_origin.x;
    const LONG dy = from_origin.y - to_origin.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace {

// The deepest window under `pt` inside `hwnd`, or null when `hwnd` lets the point through.
HWND hit_window(HWND hwnd, POINT pt) {
    const Window* w = find_window(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    const RECT client = screen_client_rect(*w);
    if (PtInRect(&client, pt)) {
        const std::vector<HWND> children = w->children;
        for (HWND child : children) {
            const Window* c = find_window(child);
            if (c == nullptr || (c->style & WS_VISIBLE) == 0 || (c->style & WS_DISABLED)) {
                continue;
            }
            const RECT r = screen_window_rect(*c);
            if (PtInRect(&r, pt)) {
                if (HWND hit = hit_window(child, pt)) {
                    return hit;
                }
            }
        }
    }
    const LRESULT test = SendMessageA(hwnd, WM_NCHITTEST, 0,
                                      MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    return test == HTTRANSPARENT ? nullptr : hwnd;
}

}  // namespace

HWND WindowFromPoint(POINT pt) {
    const std::vector<HWND> tops = top_level_windows();
    for (HWND top : tops) {
        const Window* w = find_window(top);
        if (w == nullptr || (w->style & WS_VISIBLE) == 0 || (w->style & WS_DISABLED)) {
            continue;
        }
        const RECT r = screen_window_rect(*w);
        if (PtInRect(&r, pt)) {
            if (HWND hit = hit_window(top, pt)) {
                return hit;
            }
        }
    }
    return nullptr;
}

namespace {

bool read_long_ptr(Window& w, int index, LONG_PTR& out) {
    switch (index) {
        case GWLP_WNDPROC:
            out = reinterpret_cast<LONG_PTR>(w.proc);
            return true;
        case GWLP_HINSTANCE:
            out = reinterpret_cast<LONG_PTR>(w.instance);
            return true;
        case GWLP_ID:
            out = w.id;
            return true;
        case GWL_STYLE:
            out = static_cast<LONG>(w.style);
            return true;
        case GWL_EXSTYLE:
            out = static_cast<LONG>(w.ex_style);
            return true;
        case GWLP_USERDATA:
            out = w.user_data;
            return true;
        default:
            return false;
    }
}

bool write_long_ptr(Window& w, int index, LONG_PTR value) {
    switch (index) {
        case GWLP_WNDPROC:
            if (value == 0) {
                return false;
            }
            w.proc = reinterpret_cast<WNDPROC>(value);
            return true;
        case GWLP_HINSTANCE:
            w.instance = reinterpret_cast<HINSTANCE>(value);
            return true;
        case GWLP_ID:
            w.id = value;
            return true;
        case GWL_STYLE:
            w.style = static_cast<DWORD>(value);
            return true;
        case GWL_EXSTYLE:
            w.ex_style = static_cast<DWORD>(value);
            return true;
        case GWLP_USERDATA:
            w.user_data = value;
            return true;
        default:
            return false;
    }
}

// Extra bytes at `index`, `size` long; null when they lie outside the class's cbWndExtra.
std::byte* extra_at(Window& w, int index, std::size_t size) {
    if (index < 0 || static_cast<std::size_t>(index) > w.extra.size() ||
        w.extra.size() - static_cast<std::size_t>(index) < size) {
        return nullptr;
    }
    return w.extra.data() + index;
}

template <typename T>
T get_long(HWND hwnd, int index) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (index >= 0) {
        if (const std::byte* p = extra_at(*w, index, sizeof(T))) {
            T value;
            std::memcpy(&value, p, sizeof(T));
            return value;
        }
    } else if (LONG_PTR value; read_long_ptr(*w, index, value)) {
        return static_cast<T>(value);
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

template <typename T>
T set_long(HWND hwnd, int index, T value) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if (index >= 0) {
        if (std::byte* p = extra_at(*w, index, sizeof(T))) {
            T old;
            std::memcpy(&old, p, sizeof(T));
            std::memcpy(p, &value, sizeof(T));
            return old;
        }
    } else if (LONG_PTR old; read_long_ptr(*w, index, old) && write_long_ptr(*w, index, value)) {
        return static_cast<T>(old);
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

}  // namespace

LONG GetWindowLongA(HWND hwnd, int index) {
    if (index == GWL_WNDPROC || index == GWL_HINSTANCE) {
        SetLastError(ERROR_INVALID_INDEX);  // pointers do not fit a LONG
        return 0;
    }
    return get_long<LONG>(hwnd, index);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (index == GWL_WNDPROC || index == GWL_HINSTANCE) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return set_long<LONG>(hwnd, index, value);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    return get_long<LONG_PTR>(hwnd, index);
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return set_long<LONG_PTR>(hwnd, index, value);
}

HWND GetDlgItem(HWND dialog, int id) {
    const Window* w = window_or_error(dialog);
    if (w == nullptr) {
        return nullptr;
    }
    for (HWND child : w->children) {
        const Window* c = find_window(child);
        if (c != nullptr && static_cast<int>(c->id) == id) {
            return child;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    const Window* w = window_or_error(hwnd);
    return w == nullptr ? 0 : static_cast<int>(w->id);
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int buffer_max) {
    if (window_or_error(hwnd) == nullptr || buffer == nullptr || buffer_max <= 0) {
        return 0;
    }
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(buffer_max),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
    if (window_or_error(hwnd) == nullptr) {
        return 0;
    }
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
