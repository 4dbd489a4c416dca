// PopupMenu.cpp: the menu window (class "#32768"), its layout and drawing, and the modal loop.
#include "platform/win32/user/PopupMenu.h"

#include "platform/host/VirtualKeys.h"
#include "platform/win32/user/Menu.h"
#include "platform/win32/user/UiFont.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace user {
namespace {

constexpr const char* kMenuClass = "#32768";
constexpr int kBorder = 3;  // raised edge and a face-coloured ring
constexpr int kStringItemHeight = 18;
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 18;        // room for a check mark before the text
constexpr int kTextRight = 18;       // room after the text (and after the accelerator)
constexpr int kAcceleratorGap = 12;  // at least this between the label and the accelerator
constexpr int kMaxMenuHeight = 0x7FFF;
constexpr UINT kMouseActivate = 0x0021;  // WM_MOUSEACTIVATE
constexpr LRESULT kNoActivate = 3;       // MA_NOACTIVATE

// A check mark, drawn in the text colour in the room before the text.
constexpr const char* kCheckMark[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

struct Tracker {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HWND window = nullptr;
    UINT flags = 0;
    MenuKind kind = MenuKind::Popup;
    std::vector<RECT> rects;  // one per item, client coordinates
    SIZE size{0, 0};          // the menu window
    int selected = -1;
    bool ended = false;
    std::optional<UINT> choice;
};

Tracker* g_tracker = nullptr;

bool notifies(const Tracker& t) {
    return (t.flags & TPM_NONOTIFY) == 0;
}

// ---------------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------------

// Asks the owner for the size of every owner-drawn item and lays the items out top to bottom,
// all as wide as the widest. False when the menu went away meanwhile.
bool lay_out(Tracker& t) {
    const Menu* m = find_menu(t.menu);
    if (m == nullptr) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    HFONT regular = create_ui_font(false);
    HFONT bold = create_ui_font(true);
    HGDIOBJ old_font = SelectObject(screen, regular);
    TEXTMETRICA tm{};
    GetTextMetricsA(screen, &tm);

    struct Measured {
        int label = 0;
        int accelerator = 0;
        int owner_width = -1;  // owner-drawn: the width asked for
        int height = 0;
    };
    std::vector<Measured> measured(m->items.size());
    int widest_label = 0;
    int widest_accelerator = 0;
    int widest_owner = 0;
    for (std::size_t i = 0; i < measured.size(); ++i) {
        m = find_menu(t.menu);
        if (m == nullptr || i >= m->items.size()) {
            break;
        }
        const MenuItem item = m->items[i];
        Measured& out = measured[i];
        if (is_separator(item)) {
            out.height = kSeparatorHeight;
        } else if (is_owner_drawn(item)) {
            MEASUREITEMSTRUCT mis{
                ODT_MENU, 0, static_cast<UINT>(item.id), 0, static_cast<UINT>(tm.tmHeight),
                item.data};
            SendMessageA(t.owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            out.owner_width =
                static_cast<int>(std::min<UINT>(mis.itemWidth, 0x7FFF)) + 2 * tm.tmAveCharWidth;
            out.height = static_cast<int>(std::min<UINT>(mis.itemHeight, 0x7FFF));
            widest_owner = std::max(widest_owner, out.owner_width);
        } else {
            const ShownText shown = parse_shown_text(item.text, true);
            SelectObject(screen, (item.flags & MF_DEFAULT) ? bold : regular);
            out.label = text_size(screen, shown.label).cx;
            out.accelerator =
                shown.accelerator.empty() ? 0 : text_size(screen, shown.accelerator).cx;
            out.height = std::max(kStringItemHeight, static_cast<int>(tm.tmHeight) + 4);
            widest_label = std::max(widest_label, out.label);
            widest_accelerator = std::max(widest_accelerator, out.accelerator);
        }
    }
    SelectObject(screen, old_font);
    DeleteObject(regular);
    DeleteObject(bold);
    ReleaseDC(nullptr, screen);

    m = find_menu(t.menu);
    if (m == nullptr) {
        return false;
    }
    int text_width = kTextLeft + widest_label + kTextRight;
    if (widest_accelerator > 0) {
        text_width += kAcceleratorGap + widest_accelerator;
    }
    const bool any_text = std::any_of(m->items.begin(), m->items.end(), [](const MenuItem& it) {
        return !is_separator(it) && !is_owner_drawn(it);
    });
    const int inner_width = std::max(any_text ? text_width : 0, widest_owner);
    t.rects.clear();
    int y = kBorder;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const int height = i < measured.size() ? measured[i].height : kStringItemHeight;
        const int bottom = std::min(y + height, kMaxMenuHeight);  // absurd sizes stop growing
        t.rects.push_back(RECT{kBorder, y, kBorder + inner_width, bottom});
        y = bottom;
    }
    t.size = SIZE{inner_width + 2 * kBorder, y + kBorder};
    return true;
}

// Where the menu window goes: aligned to the point as the flags ask, flipped to the other side
// of the point when it would cross the right or bottom edge, then kept on the screen.
RECT place(POINT at, SIZE size, UINT flags, const RECT* exclude) {
    const int screen_w = GetSystemMetrics(SM_CXSCREEN);
    const int screen_h = GetSystemMetrics(SM_CYSCREEN);
    int x = at.x;
    int y = at.y;
    if (flags & TPM_RIGHTALIGN) {
        x -= size.cx;
    } else if (flags & TPM_CENTERALIGN) {
        x -= size.cx / 2;
    }
    if (flags & TPM_BOTTOMALIGN) {
        y -= size.cy;
    } else if (flags & TPM_VCENTERALIGN) {
        y -= size.cy / 2;
    }
    if (x + size.cx > screen_w && (flags & (TPM_RIGHTALIGN | TPM_CENTERALIGN)) == 0 &&
        at.x - size.cx >= 0) {
        x = at.x - size.cx;
    }
    if (y + size.cy > screen_h && (flags & (TPM_BOTTOMALIGN | TPM_VCENTERALIGN)) == 0 &&
        at.y - size.cy >= 0) {
        y = at.y - size.cy;
    }
    x = std::max(0, std::min(x, screen_w - size.cx));
    y = std::max(0, std::min(y, screen_h - size.cy));
    if (exclude != nullptr) {
        RECT menu{x, y, x + size.cx, y + size.cy};
        RECT overlap;
        if (IntersectRect(&overlap, &menu, exclude)) {
            if (exclude->bottom + size.cy <= screen_h) {
                y = exclude->bottom;
            } else if (exclude->top - size.cy >= 0) {
                y = exclude->top - size.cy;
            }
        }
    }
    return RECT{x, y, x + size.cx, y + size.cy};
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

void draw_frame(HDC hdc, SIZE size) {
    const int w = size.cx;
    const int h = size.cy;
    // Top and left lines stop short of the far corners, which belong to the bottom and right.
    struct Line {
        RECT rc;
        int color;
    };
    const Line lines[] = {
        {{0, 0, w - 1, 1}, COLOR_3DLIGHT},          {{0, 0, 1, h - 1}, COLOR_3DLIGHT},
        {{0, h - 1, w, h}, COLOR_3DDKSHADOW},       {{w - 1, 0, w, h}, COLOR_3DDKSHADOW},
        {{1, 1, w - 2, 2}, COLOR_3DHILIGHT},        {{1, 1, 2, h - 2}, COLOR_3DHILIGHT},
        {{1, h - 2, w - 1, h - 1}, COLOR_3DSHADOW}, {{w - 2, 1, w - 1, h - 1}, COLOR_3DSHADOW},
    };
    for (const Line& line : lines) {
        fill_sys_color(hdc, line.rc, line.color);
    }
}

void draw_check_mark(HDC hdc, const RECT& item, COLORREF color) {
    const int left = item.left + (kTextLeft - 7) / 2;
    const int top = item.top + (item.bottom - item.top - 7) / 2;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            if (kCheckMark[row][col] == '#') {
                SetPixelV(hdc, left + col, top + row, color);
            }
        }
    }
}

void draw_separator(HDC hdc, const RECT& rc) {
    fill_sys_color(hdc, rc, COLOR_MENU);
    const int mid = rc.top + (rc.bottom - rc.top) / 2 - 1;
    fill_sys_color(hdc, RECT{rc.left + 1, mid, rc.right - 1, mid + 1}, COLOR_3DSHADOW);
    fill_sys_color(hdc, RECT{rc.left + 1, mid + 1, rc.right - 1, mid + 2}, COLOR_3DHILIGHT);
}

void draw_string_item(HDC hdc, const RECT& rc, const MenuItem& item, bool selected) {
    fill_sys_color(hdc, rc, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    HFONT font = create_ui_font((item.flags & MF_DEFAULT) != 0);
    HGDIOBJ old_font = SelectObject(hdc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    const ShownText shown = parse_shown_text(item.text, true);
    const int y = rc.top + (rc.bottom - rc.top - tm.tmHeight) / 2;
    const int x = rc.left + kTextLeft;
    const int accel_x = rc.right - kTextRight -
                        (shown.accelerator.empty() ? 0 : text_size(hdc, shown.accelerator).cx);
    const ShownText accel{shown.accelerator, -1, {}};
    auto draw_texts = [&](int dx, int dy, COLORREF color) {
        draw_label(hdc, x + dx, y + dy, shown, color);
        if (!shown.accelerator.empty()) {
            draw_label(hdc, accel_x + dx, y + dy, accel, color);
        }
        if (item.flags & MF_CHECKED) {
            RECT shifted = rc;
            OffsetRect(&shifted, dx, dy);
            draw_check_mark(hdc, shifted, color);
        }
    };
    if (!is_enabled(item) && !selected) {
        draw_texts(1, 1, GetSysColor(COLOR_3DHILIGHT));  // etched look of an unavailable item
        draw_texts(0, 0, GetSysColor(COLOR_GRAYTEXT));
    } else if (!is_enabled(item)) {
        draw_texts(0, 0, GetSysColor(COLOR_GRAYTEXT));
    } else {
        draw_texts(0, 0, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    SelectObject(hdc, old_font);
    DeleteObject(font);
}

// Draws one item; owner-drawn items are the owner's job through WM_DRAWITEM.
void draw_item(Tracker& t, HDC hdc, int index, UINT action) {
    const Menu* m = find_menu(t.menu);
    if (m == nullptr || index < 0 || static_cast<std::size_t>(index) >= m->items.size() ||
        static_cast<std::size_t>(index) >= t.rects.size()) {
        return;
    }
    const MenuItem item = m->items[static_cast<std::size_t>(index)];
    const RECT rc = t.rects[static_cast<std::size_t>(index)];
    const bool selected = index == t.selected;
    if (is_separator(item)) {
        draw_separator(hdc, rc);
        return;
    }
    if (!is_owner_drawn(item)) {
        draw_string_item(hdc, rc, item, selected);
        return;
    }
    UINT state = 0;
    if (selected)
        state |= ODS_SELECTED;
    if (item.flags & MF_GRAYED)
        state |= ODS_GRAYED;
    if (item.flags & MF_DISABLED)
        state |= ODS_DISABLED;
    if (item.flags & MF_CHECKED)
        state |= ODS_CHECKED;
    DRAWITEMSTRUCT dis{ODT_MENU, 0,     static_cast<UINT>(item.id),
                       action,   state, reinterpret_cast<HWND>(t.menu),
                       hdc,      rc,    item.data};
    // The owner may leave objects selected or colours changed; the next item starts clean.
    const int saved = SaveDC(hdc);
    SendMessageA(t.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
}

void paint_menu(Tracker& t, HDC hdc) {
    fill_sys_color(hdc, RECT{0, 0, t.size.cx, t.size.cy}, COLOR_MENU);
    draw_frame(hdc, t.size);
    for (std::size_t i = 0; i < t.rects.size() && g_tracker == &t; ++i) {
        draw_item(t, hdc, static_cast<int>(i), ODA_DRAWENTIRE);
    }
}

// ---------------------------------------------------------------------------------------------
// Selection and choice
// ---------------------------------------------------------------------------------------------

// The item under a screen point, separators excluded; -1 for none.
int item_at(const Tracker& t, POINT screen) {
    POINT pt = screen;
    if (!ScreenToClient(t.window, &pt)) {
        return -1;
    }
    const Menu* m = find_menu(t.menu);
    for (std::size_t i = 0; m != nullptr && i < t.rects.size() && i < m->items.size(); ++i) {
        if (PtInRect(&t.rects[i], pt)) {
            return is_separator(m->items[i]) ? -1 : static_cast<int>(i);
        }
    }
    return -1;
}

void select_item(Tracker& t, int index, bool by_mouse) {
    if (index == t.selected) {
        return;
    }
    const int previous = t.selected;
    t.selected = index;
    if (HDC hdc = GetDC(t.window)) {
        if (previous >= 0) {
            draw_item(t, hdc, previous, ODA_SELECT);
        }
        if (index >= 0) {
            draw_item(t, hdc, index, ODA_SELECT);
        }
        ReleaseDC(t.window, hdc);
    }
    const Menu* m = find_menu(t.menu);
    if (index < 0 || m == nullptr || static_cast<std::size_t>(index) >= m->items.size() ||
        !notifies(t)) {
        return;
    }
    const MenuItem& item = m->items[static_cast<std::size_t>(index)];
    UINT flags = (item.flags & ~static_cast<UINT>(MF_DEFAULT)) | MF_HILITE;
    if (by_mouse)
        flags |= MF_MOUSESELECT;
    if (t.kind == MenuKind::System)
        flags |= MF_SYSMENU;
    SendMessageA(t.owner, WM_MENUSELECT,
                 MAKEWPARAM(static_cast<WORD>(item.id), static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(t.menu));
}

// Chooses the item when it can be chosen: the menu ends and the owner hears of it by post.
void choose(Tracker& t, int index) {
    const Menu* m = find_menu(t.menu);
    if (m == nullptr || index < 0 || static_cast<std::size_t>(index) >= m->items.size()) {
        return;
    }
    const MenuItem& item = m->items[static_cast<std::size_t>(index)];
    if (is_separator(item) || !is_enabled(item)) {
        return;
    }
    const UINT id = static_cast<UINT>(item.id);
    t.choice = id;
    t.ended = true;
    if (t.flags & TPM_RETURNCMD) {
        return;
    }
    if (t.kind == MenuKind::System) {
        POINT cursor{0, 0};
        GetCursorPos(&cursor);
        PostMessageA(t.owner, WM_SYSCOMMAND, id,
                     MAKELPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y)));
    } else {
        PostMessageA(t.owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    }
}

// The next item up or down from the highlight, separators skipped, wrapping round.
int step_selection(const Tracker& t, int direction) {
    const Menu* m = find_menu(t.menu);
    if (m == nullptr || m->items.empty()) {
        return -1;
    }
    const int count = static_cast<int>(m->items.size());
    int index = t.selected;
    if (index < 0) {
        index = direction > 0 ? -1 : count;
    }
    for (int n = 0; n < count; ++n) {
        index = ((index + direction) % count + count) % count;
        if (!is_separator(m->items[static_cast<std::size_t>(index)])) {
            return index;
        }
    }
    return -1;
}

void handle_mouse(Tracker& t, const MSG& msg) {
    const int hit = item_at(t, msg.pt);
    RECT window{};
    GetWindowRect(t.window, &window);
    const bool inside = PtInRect(&window, msg.pt) != FALSE;
    switch (msg.message) {
        case WM_MOUSEMOVE:
            select_item(t, hit, true);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // A press outside closes the menu and is used up by it.
            if (!inside) {
                t.ended = true;
            } else {
                select_item(t, hit, true);
            }
            break;
        case WM_RBUTTONUP:
            if ((t.flags & TPM_RIGHTBUTTON) == 0) {
                break;
            }
            [[fallthrough]];
        case WM_LBUTTONUP:
            if (hit >= 0) {
                select_item(t, hit, true);
                choose(t, hit);
            }
            break;
        default:
            break;
    }
}

void handle_key(Tracker& t, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
        return;
    }
    switch (msg.wParam) {
        case host::vk::kEscape:
        case host::vk::kMenu:
        case host::vk::kF10:
            t.ended = true;
            break;
        case host::vk::kUp:
            select_item(t, step_selection(t, -1), false);
            break;
        case host::vk::kDown:
            select_item(t, step_selection(t, +1), false);
            break;
        case host::vk::kReturn:
            choose(t, t.selected);
            break;
        default:
            break;
    }
}

unsigned char fold_case(unsigned char c) {
    return c < 0x80 ? static_cast<unsigned char>(std::tolower(c)) : c;
}

// A typed character chooses the one item whose mnemonic it is.
void handle_char(Tracker& t, const MSG& msg) {
    const Menu* m = find_menu(t.menu);
    if (m == nullptr) {
        return;
    }
    const unsigned char typed = fold_case(static_cast<unsigned char>(msg.wParam));
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (is_separator(item) || is_owner_drawn(item)) {
            continue;
        }
        const ShownText shown = parse_shown_text(item.text, true);
        if (shown.mnemonic >= 0 &&
            fold_case(static_cast<unsigned char>(
                shown.label[static_cast<std::size_t>(shown.mnemonic)])) == typed) {
            select_item(t, static_cast<int>(i), false);
            choose(t, static_cast<int>(i));
            return;
        }
    }
}

bool is_mouse_message(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool is_key_message(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

void run_loop(Tracker& t) {
    while (!t.ended) {
        if (!IsWindow(t.owner) || !IsWindow(t.window) || !IsMenu(t.menu)) {
            return;
        }
        MSG msg{};
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that runs us
            return;
        }
        if (is_mouse_message(msg.message)) {
            handle_mouse(t, msg);
        } else if (is_key_message(msg.message)) {
            handle_key(t, msg);
            if (!t.ended) {
                TranslateMessage(&msg);
            }
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            handle_char(t, msg);
        } else {
            DispatchMessageA(&msg);
        }
    }
}

LRESULT CALLBACK menu_window_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (BeginPaint(hwnd, &ps) == nullptr) {
                return 0;
            }
            if (g_tracker != nullptr && g_tracker->window == hwnd) {
                paint_menu(*g_tracker, ps.hdc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case kMouseActivate:
            return kNoActivate;  // the owner stays the active window
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

bool register_menu_class() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, kMenuClass, &wc)) {
        return true;
    }
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = menu_window_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_MENU + 1));
    wc.lpszClassName = kMenuClass;
    return RegisterClassA(&wc) != 0;
}

// Makes the tracker current for its lifetime, so only one menu is tracked at a time.
class TrackerScope {
public:
    explicit TrackerScope(Tracker& t) { g_tracker = &t; }
    ~TrackerScope() { g_tracker = nullptr; }
    TrackerScope(const TrackerScope&) = delete;
    TrackerScope& operator=(const TrackerScope&) = delete;
};

void send_to_owner(const Tracker& t, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (notifies(t) && IsWindow(t.owner)) {
        SendMessageA(t.owner, msg, wparam, lparam);
    }
}

}  // namespace

std::optional<UINT> track_menu(HMENU menu, UINT flags, POINT at, HWND owner, const RECT* exclude,
                               MenuKind kind, Highlight highlight) {
    if (g_tracker != nullptr) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return std::nullopt;
    }
    if (menu_or_error(menu) == nullptr) {
        return std::nullopt;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return std::nullopt;
    }
    if (!register_menu_class()) {
        return std::nullopt;
    }
    Tracker t;
    t.menu = menu;
    t.owner = owner;
    t.flags = flags;
    t.kind = kind;
    TrackerScope scope(t);

    const bool system = kind == MenuKind::System;
    send_to_owner(t, WM_ENTERMENULOOP, system ? FALSE : TRUE, 0);
    if (system) {
        send_to_owner(t, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    }
    send_to_owner(t, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, system));

    const Menu* m = find_menu(menu);
    if (m != nullptr && !m->items.empty() && IsWindow(owner) && lay_out(t)) {
        const RECT rc = place(at, t.size, flags, exclude);
        t.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuClass, "", WS_POPUP,
                                   rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, owner,
                                   nullptr, nullptr, nullptr);
    }
    if (t.window != nullptr) {
        ShowWindow(t.window, SW_SHOWNA);
        UpdateWindow(t.window);
        SetCapture(t.window);
        if (highlight == Highlight::First) {
            select_item(t, step_selection(t, +1), false);
        }
        run_loop(t);
        if (GetCapture() == t.window) {
            ReleaseCapture();
        }
        if (IsWindow(t.window)) {
            DestroyWindow(t.window);
        }
        send_to_owner(t, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
    send_to_owner(t, WM_EXITMENULOOP, system ? FALSE : TRUE, 0);
    SetLastError(ERROR_SUCCESS);
    return t.choice;
}

HWND tracking_window() {
    return g_tracker != nullptr ? g_tracker->window : nullptr;
}

bool tracked_item_rect(int position, RECT& rc) {
    if (g_tracker == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= g_tracker->rects.size()) {
        return false;
    }
    rc = g_tracker->rects[static_cast<std::size_t>(position)];
    return true;
}

}  // namespace user

using namespace user;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    if (params != nullptr && params->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::optional<UINT> choice =
        track_menu(menu, flags, POINT{x, y}, owner,
                   params != nullptr ? &params->rcExclude : nullptr, MenuKind::Popup);
    if (!choice) {
        return FALSE;
    }
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(*choice) : TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    if (g_tracker == nullptr) {
        return FALSE;
    }
    g_tracker->ended = true;
    return TRUE;
}
