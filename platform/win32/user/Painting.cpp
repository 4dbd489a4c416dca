// Painting.cpp: update regions, WM_PAINT and WM_ERASEBKGND, and window DCs with their clipping.
#include "platform/win32/user/Painting.h"

#include "platform/win32/gdi/WindowDc.h"
#include "platform/win32/user/NonClient.h"
#include "platform/win32/user/WindowTable.h"

#include <algorithm>
#include <utility>

namespace user {

void subtract(std::vector<RECT>& rects, const RECT& cut) {
    std::vector<RECT> out;
    for (const RECT& r : rects) {
        RECT common;
        if (!IntersectRect(&common, &r, &cut)) {
            out.push_back(r);
            continue;
        }
        if (r.top < common.top)
            out.push_back(RECT{r.left, r.top, r.right, common.top});
        if (common.bottom < r.bottom)
            out.push_back(RECT{r.left, common.bottom, r.right, r.bottom});
        if (r.left < common.left)
            out.push_back(RECT{r.left, common.top, common.left, common.bottom});
        if (common.right < r.right)
            out.push_back(RECT{common.right, common.top, r.right, common.bottom});
    }
    rects = std::move(out);
}

namespace {

void subtract_windows_above(std::vector<RECT>& rects, const std::vector<HWND>& list, HWND self) {
    for (HWND h : list) {
        if (h == self) {
            return;
        }
        const Window* w = find_window(h);
        if (w != nullptr && (w->style & WS_VISIBLE)) {
            subtract(rects, screen_window_rect(*w));
        }
    }
}

RECT client_bounds(const Window& w) {
    return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

void clip_rects(std::vector<RECT>& rects, const RECT& to) {
    std::vector<RECT> out;
    for (const RECT& r : rects) {
        RECT common;
        if (IntersectRect(&common, &r, &to)) {
            out.push_back(common);
        }
    }
    rects = std::move(out);
}

HDC make_dc(const Window& w, const RECT* client_clip) {
    std::vector<RECT> rects = visible_client_rects(w);
    const POINT origin = client_origin(w);
    if (client_clip != nullptr) {
        RECT screen = *client_clip;
        OffsetRect(&screen, origin.x, origin.y);
        clip_rects(rects, screen);
    }
    return gdi::create_window_dc(w.handle, origin, rects);
}

void add_update(Window& w, const RECT* rc, bool erase) {
    RECT area = client_bounds(w);
    if (rc != nullptr && !IntersectRect(&area, &area, rc)) {
        return;
    }
    UnionRect(&w.update, &w.update, &area);
    w.erase = w.erase || erase;
}

enum class Children { Overlapped, All, None };

// Adds `rc` (client coordinates, NULL: all) to the update region of a visible window and, as
// `children` says, to its visible children under it. The update region is one rectangle, the
// bounds of all that was added, and a window without WS_CLIPCHILDREN paints all of it over its
// children: they get all of it too, so that they paint over the parent again.
void invalidate(HWND hwnd, const RECT* rc, bool erase, Children children) {
    Window* w = find_window(hwnd);
    if (w == nullptr || !is_visible(*w)) {
        return;
    }
    add_update(*w, rc, erase);
    if (children == Children::None ||
        (children == Children::Overlapped && (w->style & WS_CLIPCHILDREN))) {
        return;
    }
    const bool paints_over = (w->style & WS_CLIPCHILDREN) == 0;
    const RECT area = paints_over ? w->update : rc != nullptr ? *rc : client_bounds(*w);
    erase = erase || (paints_over && w->erase);
    for (HWND child : std::vector<HWND>(w->children)) {
        Window* c = find_window(child);
        if (c == nullptr) {
            continue;
        }
        if (RECT framed; IntersectRect(&framed, &area, &c->rect)) {
            c->frame_pending = true;
        }
        RECT part = area;
        OffsetRect(&part, -c->client.left, -c->client.top);
        const RECT bounds = client_bounds(*c);
        if (IntersectRect(&part, &part, &bounds)) {
            invalidate(child, &part, erase, children);
        }
    }
}

void validate(Window& w, const RECT* rc) {
    RECT covered;
    if (rc == nullptr ||
        (IntersectRect(&covered, rc, &w.update) && EqualRect(&covered, &w.update))) {
        w.update = RECT{};
        w.erase = false;
    }
}

void erase_now(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (w == nullptr || !w->erase || IsRectEmpty(&w->update)) {
        return;
    }
    w->erase = false;
    const RECT area = w->update;
    HDC hdc = make_dc(*w, &area);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    DeleteDC(hdc);
}

// Sends what is pending now: WM_PAINT (or only WM_ERASEBKGND), then the same for children.
void update_now(HWND hwnd, bool erase_only, bool recurse) {
    Window* w = find_window(hwnd);
    if (w == nullptr || !is_visible(*w)) {
        return;
    }
    if (erase_only) {
        erase_now(hwnd);
    } else if (!IsRectEmpty(&w->update)) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
    if (recurse && (w = find_window(hwnd)) != nullptr) {
        for (HWND child : std::vector<HWND>(w->children)) {
            update_now(child, erase_only, true);
        }
    }
}

HWND find_paint(HWND hwnd, HWND filter) {
    const Window* w = find_window(hwnd);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
        return nullptr;
    }
    if (!IsRectEmpty(&w->update) &&
        (filter == nullptr || hwnd == filter || IsChild(filter, hwnd))) {
        return hwnd;
    }
    for (HWND child : w->children) {
        if (HWND found = find_paint(child, filter)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<RECT> visible_client_rects(const Window& window) {
    return visible_rects(window, screen_client_rect(window));
}

std::vector<RECT> visible_rects(const Window& window, const RECT& screen_area) {
    std::vector<RECT> rects;
    if (!is_visible(window)) {
        return rects;
    }
    rects.push_back(screen_area);
    const Window* level = &window;
    for (const Window* p = find_window(window.parent); p != nullptr; p = find_window(p->parent)) {
        clip_rects(rects, screen_client_rect(*p));
        if (level->style & WS_CLIPSIBLINGS) {
            subtract_windows_above(rects, p->children, level->handle);
        }
        level = p;
    }
    subtract_windows_above(rects, top_level_windows(), level->handle);
    if (window.style & WS_CLIPCHILDREN) {
        for (HWND child : window.children) {
            const Window* c = find_window(child);
            if (c != nullptr && (c->style & WS_VISIBLE)) {
                subtract(rects, screen_window_rect(*c));
            }
        }
    }
    return rects;
}

void install_window_dcs() {
    static const bool installed = [] {
        gdi::set_window_dc_provider(
            [](HWND hwnd) -> HDC {
                const Window* w = window_or_error(hwnd);
                return w == nullptr ? nullptr : make_dc(*w, nullptr);
            },
            [](HWND hwnd, HDC hdc) -> int {
                if (gdi::window_of_dc(hdc) != hwnd) {
                    return 0;
                }
                return DeleteDC(hdc) ? 1 : 0;
            });
        return true;
    }();
    (void)installed;
}

HWND window_needing_paint(HWND filter) {
    for (HWND top : top_level_windows()) {
        if (HWND found = find_paint(top, filter)) {
            return found;
        }
    }
    return nullptr;
}

namespace {

// Fills what a top-level window uncovers and no other top-level window covers with the desktop
// colour; the windows beneath repaint their own parts.
void paint_desktop(const Window& gone, const RECT& screen_rect) {
    std::vector<RECT> rects{screen_rect};
    for (HWND top : top_level_windows()) {
        const Window* w = find_window(top);
        if (w != nullptr && top != gone.handle && (w->style & WS_VISIBLE) != 0) {
            subtract(rects, w->rect);
        }
    }
    if (rects.empty()) {
        return;
    }
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return;
    }
    for (const RECT& rc : rects) {
        FillRect(screen, &rc, GetSysColorBrush(COLOR_BACKGROUND));
    }
    ReleaseDC(nullptr, screen);
}

// Puts back the pixels saved when the window was shown, if they are of this very area.
bool restore_saved_bits(const Window& window, const RECT& screen_rect) {
    Window* w = find_window(window.handle);
    if (w == nullptr || w->saved_bits == nullptr) {
        return false;
    }
    const HBITMAP bits = std::exchange(w->saved_bits, nullptr);
    bool restored = false;
    if (EqualRect(&w->saved_rect, &screen_rect)) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        if (screen != nullptr && memory != nullptr) {
            const HGDIOBJ old = SelectObject(memory, bits);
            restored = old != nullptr &&
                       BitBlt(screen, screen_rect.left, screen_rect.top,
                              screen_rect.right - screen_rect.left,
                              screen_rect.bottom - screen_rect.top, memory, 0, 0, SRCCOPY);
            if (old != nullptr) {
                SelectObject(memory, old);
            }
        }
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        if (screen != nullptr) {
            ReleaseDC(nullptr, screen);
        }
    }
    DeleteObject(bits);
    return restored;
}

}  // namespace

void save_bits_beneath(Window& window) {
    if (window.parent != nullptr || window.window_class == nullptr ||
        (window.window_class->info.style & CS_SAVEBITS) == 0) {
        return;
    }
    if (window.saved_bits != nullptr) {
        DeleteObject(std::exchange(window.saved_bits, nullptr));
    }
    const RECT rc = screen_window_rect(window);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
    HBITMAP bits = screen != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (memory != nullptr && bits != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bits);
        if (old != nullptr &&
            BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY)) {
            window.saved_bits = bits;
            window.saved_rect = rc;
            bits = nullptr;
        }
        if (old != nullptr) {
            SelectObject(memory, old);
        }
    }
    if (bits != nullptr) {
        DeleteObject(bits);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
}

void invalidate_beneath(const Window& window, const RECT& screen_rect) {
    if (const Window* parent = find_window(window.parent)) {
        RECT rc = screen_rect;
        const POINT o = client_origin(*parent);
        OffsetRect(&rc, -o.x, -o.y);
        invalidate(parent->handle, &rc, true, Children::Overlapped);
        return;
    }
    if (restore_saved_bits(window, screen_rect)) {
        return;
    }
    paint_desktop(window, screen_rect);
    for (HWND top : std::vector<HWND>(top_level_windows())) {
        const Window* w = find_window(top);
        if (w == nullptr || top == window.handle) {
            continue;
        }
        if (RECT framed; IntersectRect(&framed, &screen_rect, &w->rect)) {
            find_window(top)->frame_pending = true;
        }
        const POINT o = client_origin(*w);
        RECT rc = screen_rect;
        OffsetRect(&rc, -o.x, -o.y);
        invalidate(top, &rc, true, Children::Overlapped);
    }
}

}  // namespace user

using namespace user;

BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase) {
    if (hwnd == nullptr) {
        for (HWND top : std::vector<HWND>(top_level_windows())) {
            invalidate(top, nullptr, erase != FALSE, Children::Overlapped);
        }
        return TRUE;
    }
    if (window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    invalidate(hwnd, rc, erase != FALSE, Children::Overlapped);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rc) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    validate(*w, rc);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rc, BOOL) {
    const Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (rc != nullptr) {
        *rc = w->update;
    }
    return !IsRectEmpty(&w->update);
}

BOOL UpdateWindow(HWND hwnd) {
    if (window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    update_now(hwnd, false, true);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rc, HRGN region, UINT flags) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    if (region != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);  // FIXME: regions
        return FALSE;
    }
    const Children children = (flags & RDW_ALLCHILDREN)  ? Children::All
                              : (flags & RDW_NOCHILDREN) ? Children::None
                                                         : Children::Overlapped;
    if (flags & RDW_INVALIDATE) {
        if (flags & RDW_FRAME) {
            w->frame_pending = true;
        }
        invalidate(hwnd, rc, (flags & RDW_ERASE) != 0, children);
    } else if (flags & RDW_VALIDATE) {
        validate(*w, rc);
    }
    const bool recurse = children != Children::None;
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        paint_frame_if_pending(hwnd);
    }
    if (flags & RDW_UPDATENOW) {
        update_now(hwnd, false, recurse);
    } else if (flags & RDW_ERASENOW) {
        update_now(hwnd, true, recurse);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window* w = window_or_error(hwnd);
    if (w == nullptr || ps == nullptr) {
        if (w != nullptr)
            SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    paint_frame_if_pending(hwnd);
    if ((w = find_window(hwnd)) == nullptr) {
        return nullptr;
    }
    *ps = PAINTSTRUCT{};
    const RECT area = w->update;
    const bool erase = w->erase;
    w->update = RECT{};
    w->erase = false;
    HDC hdc = make_dc(*w, &area);
    ps->hdc = hdc;
    ps->rcPaint = area;
    ps->fErase = FALSE;
    if (erase && !IsRectEmpty(&area)) {
        ps->fErase =
            SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0 ? TRUE : FALSE;
    }
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps == nullptr || gdi::window_of_dc(ps->hdc) != hwnd) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return DeleteDC(ps->hdc);
}
