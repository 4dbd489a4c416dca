// NonClient.cpp: drawing the frame, caption, caption icon and close box, and hit testing them.
#include "platform/win32/user/NonClient.h"

#include "platform/win32/gdi/WindowDc.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/WindowFrame.h"
#include "platform/win32/user/WindowTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace user {
namespace {

constexpr int kSmallCaptionButton = 15;  // width and height of a tool window's caption button

// The window whose close box is held down, drawn pushed while the mouse is over it.
HWND g_pushed_close = nullptr;

int frame_border(const Window& w) {
    if (w.style & WS_THICKFRAME) {
        return GetSystemMetrics(SM_CXFRAME);
    }
    if ((w.style & WS_DLGFRAME) || (w.ex_style & WS_EX_DLGMODALFRAME)) {
        return GetSystemMetrics(SM_CXDLGFRAME);
    }
    return (w.style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

bool has_caption(const Window& w) {
    return (w.style & WS_CAPTION) == WS_CAPTION;
}

bool has_frame(const Window& w) {
    const RECT in = frame_insets(w.style, w.ex_style);
    return in.left != 0 || in.top != 0 || in.right != 0 || in.bottom != 0;
}

RECT window_bounds(const Window& w) {
    return RECT{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
}

RECT client_in_window(const Window& w) {
    RECT rc = w.client;
    OffsetRect(&rc, -w.rect.left, -w.rect.top);
    return rc;
}

void fill(HDC dc, int left, int top, int right, int bottom, int colour) {
    const RECT rc{left, top, right, bottom};
    FillRect(dc, &rc, GetSysColorBrush(colour));
}

// One ring of an edge: top and left lines in `lt` (stopping one short of the far corners),
// bottom and right lines in `rb`, which own the top-right and bottom-left corners.
void ring(HDC dc, const RECT& rc, int lt, int rb) {
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1) {
        return;
    }
    fill(dc, rc.left, rc.top, rc.right - 1, rc.top + 1, lt);
    fill(dc, rc.left, rc.top, rc.left + 1, rc.bottom - 1, lt);
    fill(dc, rc.left, rc.bottom - 1, rc.right, rc.bottom, rb);
    fill(dc, rc.right - 1, rc.top, rc.right, rc.bottom, rb);
}

enum class Edge { Raised, Sunken, Pushed };

// Two rings inside `rc`.
void edge(HDC dc, RECT rc, Edge kind) {
    switch (kind) {
        case Edge::Raised:
            ring(dc, rc, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
            InflateRect(&rc, -1, -1);
            ring(dc, rc, COLOR_3DHILIGHT, COLOR_3DSHADOW);
            break;
        case Edge::Sunken:
            ring(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
            InflateRect(&rc, -1, -1);
            ring(dc, rc, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
            break;
        case Edge::Pushed:
            ring(dc, rc, COLOR_3DDKSHADOW, COLOR_3DHILIGHT);
            InflateRect(&rc, -1, -1);
            ring(dc, rc, COLOR_3DSHADOW, COLOR_3DLIGHT);
            break;
    }
}

// The close box's cross, one string a row, 'X' for an ink pixel.
constexpr std::array<const char*, 7> kCross = {
    "XX    XX", " XX  XX ", "  XXXX  ", "   XX   ", "  XXXX  ", " XX  XX ", "XX    XX",
};
constexpr std::array<const char*, 5> kSmallCross = {
    "XX  XX", " XXXX ", "  XX  ", " XXXX ", "XX  XX",
};

template <std::size_t N>
void draw_glyph(HDC dc, const std::array<const char*, N>& rows, int x, int y) {
    for (std::size_t row = 0; row < N; ++row) {
        const char* line = rows[row];
        const int width = static_cast<int>(std::strlen(line));
        for (int col = 0; col < width; ++col) {
            if (line[col] == 'X') {
                const int py = y + static_cast<int>(row);
                fill(dc, x + col, py, x + col + 1, py + 1, COLOR_BTNTEXT);
            }
        }
    }
}

void draw_close_box(HDC dc, const RECT& box, bool small, bool pushed) {
    fill(dc, box.left, box.top, box.right, box.bottom, COLOR_3DFACE);
    edge(dc, box, pushed ? Edge::Pushed : Edge::Raised);
    const int shift = pushed ? 1 : 0;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (small) {
        draw_glyph(dc, kSmallCross, box.left + (width - 6) / 2 + shift,
                   box.top + (height - 5) / 2 + shift);
    } else {
        draw_glyph(dc, kCross, box.left + (width - 8) / 2 + shift,
                   box.top + (height - 7) / 2 + shift);
    }
}

// DrawIcon at the small icon size: an icon of another size is sampled down (or up) to it.
void draw_small_icon(HDC dc, int x, int y, HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return;
    }
    BITMAP bm{};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    const int size = GetSystemMetrics(SM_CXSMICON);
    if (bm.bmWidth == size && bm.bmHeight == size) {
        DrawIcon(dc, x, y, icon);
    } else if (bm.bmWidth > 0 && bm.bmHeight > 0) {
        HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
        HBITMAP colour = CreateCompatibleBitmap(dc, size, size);
        HDC from = CreateCompatibleDC(dc);
        HDC to = CreateCompatibleDC(dc);
        const std::array<std::pair<HBITMAP, HBITMAP>, 2> pairs = {std::pair{info.hbmMask, mask},
                                                                  std::pair{info.hbmColor, colour}};
        for (const auto& [source, target] : pairs) {
            HGDIOBJ old_from = SelectObject(from, source);
            HGDIOBJ old_to = SelectObject(to, target);
            for (int py = 0; py < size; ++py) {
                for (int px = 0; px < size; ++px) {
                    BitBlt(to, px, py, 1, 1, from, px * bm.bmWidth / size, py * bm.bmHeight / size,
                           SRCCOPY);
                }
            }
            SelectObject(from, old_from);
            SelectObject(to, old_to);
        }
        DeleteDC(from);
        DeleteDC(to);
        ICONINFO small{TRUE, 0, 0, mask, colour};
        if (HICON scaled = CreateIconIndirect(&small)) {
            DrawIcon(dc, x, y, scaled);
            DestroyIcon(scaled);
        }
        DeleteObject(mask);
        DeleteObject(colour);
    }
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

void draw_title(HDC dc, const Window& w, const FrameLayout& f) {
    if (w.text.empty()) {
        return;
    }
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, 0, 0,
                             0, 0, "MS Sans Serif");
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w.caption_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT room = f.caption;
    room.left += IsRectEmpty(&f.icon) ? 2 : f.icon.right + 2;
    room.right = (IsRectEmpty(&f.close) ? f.caption.right : f.close.left) - 2;
    SIZE extent{};
    GetTextExtentPoint32A(dc, w.text.c_str(), static_cast<int>(w.text.size()), &extent);
    const int y = f.caption.top + (f.caption.bottom - f.caption.top - extent.cy) / 2;
    if (room.right > room.left) {
        ExtTextOutA(dc, room.left, y, ETO_CLIPPED, &room, w.text.c_str(),
                    static_cast<UINT>(w.text.size()), nullptr);
    }
    SelectObject(dc, old_font);
    DeleteObject(font);
}

void draw_frame_into(HDC dc, const Window& w) {
    const RECT bounds = window_bounds(w);
    RECT rc = bounds;
    if (w.style & WS_THICKFRAME) {
        edge(dc, rc, Edge::Raised);
        InflateRect(&rc, -2, -2);
        ring(dc, rc, COLOR_3DFACE, COLOR_3DFACE);
        InflateRect(&rc, -1, -1);
        ring(dc, rc, COLOR_3DFACE, COLOR_3DFACE);
    } else if ((w.style & WS_DLGFRAME) || (w.ex_style & WS_EX_DLGMODALFRAME)) {
        edge(dc, rc, Edge::Raised);
        InflateRect(&rc, -2, -2);
        ring(dc, rc, COLOR_3DFACE, COLOR_3DFACE);
    } else if (w.style & WS_BORDER) {
        ring(dc, rc, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    }
    const FrameLayout f = frame_layout(w);
    if (!IsRectEmpty(&f.caption)) {
        fill(dc, f.caption.left, f.caption.top, f.caption.right, f.caption.bottom,
             w.caption_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        fill(dc, f.caption.left, f.caption.bottom, f.caption.right, f.caption.bottom + 1,
             COLOR_3DFACE);
        if (!IsRectEmpty(&f.icon)) {
            draw_small_icon(dc, f.icon.left, f.icon.top, caption_icon(w));
        }
        draw_title(dc, w, f);
        if (!IsRectEmpty(&f.close)) {
            draw_close_box(dc, f.close, f.small_caption, g_pushed_close == w.handle);
        }
    }
    RECT client = client_in_window(w);
    if (w.ex_style & WS_EX_STATICEDGE) {
        InflateRect(&client, 1, 1);
        ring(dc, client, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    }
    if (w.ex_style & WS_EX_CLIENTEDGE) {
        InflateRect(&client, 2, 2);
        edge(dc, client, Edge::Sunken);
    }
}

// A DC over the window's frame: the window's visible part without its client area.
HDC frame_dc(const Window& w, bool with_client) {
    const RECT screen = screen_window_rect(w);
    std::vector<RECT> visible = visible_rects(w, screen);
    if (!with_client) {
        subtract(visible, screen_client_rect(w));
    }
    return gdi::create_window_dc(w.handle, POINT{screen.left, screen.top}, visible);
}

void collect_pending(HWND hwnd, std::vector<HWND>& out) {
    const Window* w = find_window(hwnd);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
        return;
    }
    if (w->frame_pending) {
        out.push_back(hwnd);
    }
    for (HWND child : w->children) {
        collect_pending(child, out);
    }
}

}  // namespace

FrameLayout frame_layout(const Window& w) {
    FrameLayout f;
    if (!has_caption(w)) {
        return f;
    }
    const int border = frame_border(w);
    const RECT bounds = window_bounds(w);
    f.small_caption = (w.ex_style & WS_EX_TOOLWINDOW) != 0;
    const int height = GetSystemMetrics(f.small_caption ? SM_CYSMCAPTION : SM_CYCAPTION);
    f.caption = RECT{border, border, bounds.right - border, border + height - 1};
    if (f.caption.right <= f.caption.left) {
        f.caption = RECT{};
        return f;
    }
    if ((w.style & WS_SYSMENU) == 0) {
        return f;
    }
    const int button = f.small_caption ? kSmallCaptionButton : GetSystemMetrics(SM_CXSIZE);
    const int button_height = f.small_caption ? kSmallCaptionButton : GetSystemMetrics(SM_CYSIZE);
    f.close = RECT{f.caption.right - button, f.caption.top + 2, f.caption.right - 2,
                   f.caption.top + button_height - 2};
    f.close_hit = RECT{f.caption.right - button, f.caption.top, f.caption.right, f.caption.bottom};
    if (!f.small_caption && caption_icon(w) != nullptr) {
        const int size = GetSystemMetrics(SM_CXSMICON);
        f.icon = RECT{f.caption.left + 2, f.caption.top + 1, f.caption.left + 2 + size,
                      f.caption.top + 1 + size};
        f.sysmenu_hit = RECT{f.caption.left, f.caption.top,
                             f.caption.left + GetSystemMetrics(SM_CYCAPTION) - 1, f.caption.bottom};
    }
    return f;
}

HICON caption_icon(const Window& w) {
    if (w.icon_small != nullptr) {
        return w.icon_small;
    }
    if (w.icon_big != nullptr) {
        return w.icon_big;
    }
    if (w.ex_style & WS_EX_DLGMODALFRAME) {
        return nullptr;
    }
    return w.window_class != nullptr ? w.window_class->info.hIcon : nullptr;
}

LRESULT hit_test_frame(const Window& w, POINT screen) {
    const RECT window = screen_window_rect(w);
    if (!PtInRect(&window, screen)) {
        return HTNOWHERE;
    }
    const RECT client = screen_client_rect(w);
    if (PtInRect(&client, screen)) {
        return HTCLIENT;
    }
    const POINT pt{screen.x - window.left, screen.y - window.top};
    const FrameLayout f = frame_layout(w);
    RECT caption = f.caption;
    caption.bottom += 1;  // the line under the bar belongs to the caption
    if (!PtInRect(&caption, pt)) {
        return HTBORDER;
    }
    if (PtInRect(&f.close_hit, pt)) {
        return HTCLOSE;
    }
    if (PtInRect(&f.sysmenu_hit, pt)) {
        return HTSYSMENU;
    }
    return HTCAPTION;
}

void draw_frame(HWND hwnd) {
    const Window* w = find_window(hwnd);
    if (w == nullptr || !is_visible(*w) || !has_frame(*w)) {
        return;
    }
    HDC dc = frame_dc(*w, false);
    if (dc != nullptr) {
        draw_frame_into(dc, *w);
        DeleteDC(dc);
    }
}

void paint_frame_if_pending(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (w == nullptr || !w->frame_pending || !is_visible(*w)) {
        return;
    }
    w->frame_pending = false;
    if (has_frame(*w)) {
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    }
}

void paint_pending_frames() {
    std::vector<HWND> pending;
    for (HWND top : top_level_windows()) {
        collect_pending(top, pending);
    }
    for (HWND hwnd : pending) {
        paint_frame_if_pending(hwnd);
    }
}

LRESULT set_window_icon(HWND hwnd, WPARAM kind, HICON icon) {
    Window* w = find_window(hwnd);
    if (w == nullptr) {
        return 0;
    }
    HICON& slot = kind == ICON_SMALL ? w->icon_small : w->icon_big;
    const HICON old = slot;
    slot = icon;
    if (old != icon && is_visible(*w) && has_caption(*w)) {
        draw_frame(hwnd);
    }
    return reinterpret_cast<LRESULT>(old);
}

void track_close_button(HWND hwnd) {
    const Window* w = find_window(hwnd);
    if (w == nullptr) {
        return;
    }
    const RECT hit = frame_layout(*w).close_hit;
    if (IsRectEmpty(&hit)) {
        return;
    }
    auto over_box = [hwnd, hit](POINT screen) {
        const Window* now = find_window(hwnd);
        if (now == nullptr) {
            return false;
        }
        const RECT window = screen_window_rect(*now);
        return PtInRect(&hit, POINT{screen.x - window.left, screen.y - window.top}) != FALSE;
    };
    g_pushed_close = hwnd;
    draw_frame(hwnd);
    SetCapture(hwnd);
    bool pushed = true;
    bool clicked = false;
    POINT last{};
    MSG msg{};
    while (IsWindow(hwnd) && GetCapture() == hwnd) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            }
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            last = msg.pt;
            const bool inside = over_box(msg.pt);
            if (msg.message == WM_LBUTTONUP) {
                clicked = inside;
                break;
            }
            if (inside != pushed) {
                pushed = inside;
                g_pushed_close = pushed ? hwnd : nullptr;
                draw_frame(hwnd);
            }
            continue;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            continue;  // other buttons do nothing while the box is held
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    g_pushed_close = nullptr;
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (!IsWindow(hwnd)) {
        return;
    }
    draw_frame(hwnd);
    if (clicked) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE,
                     MAKELPARAM(static_cast<WORD>(last.x), static_cast<WORD>(last.y)));
    }
}

bool non_client_default(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    Window* w = find_window(hwnd);
    if (w == nullptr) {
        return false;
    }
    result = 0;
    switch (msg) {
        case WM_NCPAINT:
            draw_frame(hwnd);
            return true;
        case WM_NCACTIVATE:
            w->caption_active = wparam != FALSE;
            draw_frame(hwnd);
            result = TRUE;
            return true;
        case WM_SETICON:
            result = set_window_icon(hwnd, wparam, reinterpret_cast<HICON>(lparam));
            return true;
        case WM_GETICON:
            result = reinterpret_cast<LRESULT>(wparam == ICON_SMALL ? w->icon_small : w->icon_big);
            return true;
        case WM_MOUSEACTIVATE:
            if (w->parent != nullptr) {
                result = SendMessageA(w->parent, msg, wparam, lparam);
            }
            if (result == 0) {
                result = MA_ACTIVATE;
            }
            return true;
        case WM_NCLBUTTONDOWN:
            if (wparam == HTCAPTION) {
                SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lparam);
                return true;
            }
            if (wparam == HTCLOSE) {
                track_close_button(hwnd);
                return true;
            }
            return false;
        case WM_SYSCOMMAND:
            switch (wparam & 0xFFF0) {
                case SC_MOVE: {
                    POINT start{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
                    if ((wparam & 0x000F) != HTCAPTION) {
                        GetCursorPos(&start);  // from the menu or the keyboard
                    }
                    run_move_loop(hwnd, start);
                    return true;
                }
                case SC_CLOSE:
                    SendMessageA(hwnd, WM_CLOSE, 0, 0);
                    return true;
                default:
                    return false;
            }
        default:
            return false;
    }
}

}  // namespace user

using namespace user;

HDC GetWindowDC(HWND hwnd) {
    install_window_dcs();
    const Window* w = window_or_error(hwnd);
    return w == nullptr ? nullptr : frame_dc(*w, true);
}
