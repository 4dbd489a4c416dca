// ToolTip.cpp: the tool-tip control: tools, relayed mouse messages, delays on window timers,
// and the small topmost window that shows the text.
#include "platform/win32/user/ToolTip.h"

#include "platform/win32/commctrl.h"
#include "platform/win32/user/UiFont.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace user {
namespace {

constexpr UINT kDefaultInitial = 500;  // the double-click time
constexpr UINT_PTR kShowTimer = 1;     // initial or reshow delay
constexpr UINT_PTR kAutopopTimer = 2;  // how long a tip stays
constexpr UINT_PTR kLeaveTimer = 3;    // watches the cursor leave the tool unrelayed
constexpr UINT kLeaveCheckPeriod = 100;
constexpr int kMargin = 2;               // between the border and the text
constexpr int kCursorDrop = 20;          // the tip's top below the cursor
constexpr UINT kMouseActivate = 0x0021;  // WM_MOUSEACTIVATE
constexpr LRESULT kNoActivate = 3;       // MA_NOACTIVATE

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE instance = nullptr;
    std::string text;
    UINT text_id = 0;  // non-zero: the text is this string of `instance`'s table
};

struct ToolTip {
    HWND owner = nullptr;  // top-level window whose activity gates the tip
    bool active = true;
    std::vector<Tool> tools;
    UINT initial = kDefaultInitial;
    UINT autopop = kDefaultInitial * 10;
    UINT reshow = kDefaultInitial / 5;
    int current = -1;  // the tool under the cursor
    bool shown = false;
    std::string shown_text;
};

std::map<HWND, std::unique_ptr<ToolTip>>& tips() {
    static std::map<HWND, std::unique_ptr<ToolTip>> table;
    return table;
}

ToolTip* tip_of(HWND hwnd) {
    const auto it = tips().find(hwnd);
    return it == tips().end() ? nullptr : it->second.get();
}

HWND top_level_of(HWND hwnd) {
    const Window* w = find_window(hwnd);
    while (w != nullptr && w->parent != nullptr) {
        w = find_window(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

int find_tool(const ToolTip& tip, HWND hwnd, UINT_PTR id) {
    for (std::size_t i = 0; i < tip.tools.size(); ++i) {
        if (tip.tools[i].hwnd == hwnd && tip.tools[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Reads a TOOLINFOA; false for a missing or short record or a text the control cannot keep.
bool read_tool(LPARAM lparam, Tool& out) {
    const auto* info = reinterpret_cast<const TOOLINFOA*>(lparam);
    if (info == nullptr || info->cbSize < sizeof(TOOLINFOA) ||
        info->lpszText == LPSTR_TEXTCALLBACKA) {
        return false;  // FIXME: texts asked for through TTN_NEEDTEXT
    }
    out.flags = info->uFlags;
    out.hwnd = info->hwnd;
    out.id = info->uId;
    out.rect = info->rect;
    out.instance = info->hinst;
    if (info->lpszText != nullptr && IS_INTRESOURCE(info->lpszText)) {
        out.text_id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info->lpszText));
    } else if (info->lpszText != nullptr) {
        out.text = info->lpszText;
    }
    return true;
}

std::string text_of(const Tool& tool) {
    if (tool.text_id == 0) {
        return tool.text;
    }
    char buffer[256];
    const int n = LoadStringA(tool.instance, tool.text_id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(std::max(n, 0)));
}

// The tool a relayed mouse message points at: rectangles of the message's window first, then
// windows that are tools themselves.
int tool_at(const ToolTip& tip, const MSG& msg) {
    const POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    for (std::size_t i = 0; i < tip.tools.size(); ++i) {
        const Tool& tool = tip.tools[i];
        if ((tool.flags & TTF_IDISHWND) == 0 && tool.hwnd == msg.hwnd && PtInRect(&tool.rect, pt)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < tip.tools.size(); ++i) {
        const Tool& tool = tip.tools[i];
        if ((tool.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(tool.id) == msg.hwnd) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Whether the cursor (screen) is still over the tool.
bool cursor_over(const Tool& tool, POINT cursor) {
    RECT area{};
    if (tool.flags & TTF_IDISHWND) {
        if (!GetWindowRect(reinterpret_cast<HWND>(tool.id), &area)) {
            return false;
        }
    } else {
        area = tool.rect;
        POINT origin{0, 0};
        if (!ClientToScreen(tool.hwnd, &origin)) {
            return false;
        }
        OffsetRect(&area, origin.x, origin.y);
    }
    return PtInRect(&area, cursor) != FALSE;
}

bool owner_allows(HWND self, const ToolTip& tip) {
    if (GetWindowLongA(self, GWL_STYLE) & TTS_ALWAYSTIP) {
        return true;
    }
    return tip.owner != nullptr && GetActiveWindow() == tip.owner;
}

void hide(HWND self, ToolTip& tip) {
    KillTimer(self, kAutopopTimer);
    if (tip.shown) {
        tip.shown = false;
        SetWindowPos(self, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

// Forgets the tool under the cursor: nothing shows until the cursor enters a tool again.
void leave(HWND self, ToolTip& tip) {
    KillTimer(self, kShowTimer);
    KillTimer(self, kLeaveTimer);
    hide(self, tip);
    tip.current = -1;
}

void show(HWND self, ToolTip& tip) {
    if (tip.current < 0 || static_cast<std::size_t>(tip.current) >= tip.tools.size() ||
        !tip.active || !owner_allows(self, tip)) {
        return;
    }
    const std::string text = text_of(tip.tools[static_cast<std::size_t>(tip.current)]);
    if (text.empty()) {
        return;
    }
    HDC screen = GetDC(nullptr);
    HFONT font = create_ui_font(false);
    HGDIOBJ old_font = SelectObject(screen, font);
    const bool prefixes = (GetWindowLongA(self, GWL_STYLE) & TTS_NOPREFIX) == 0;
    const SIZE extent = text_size(screen, parse_shown_text(text, prefixes).label);
    SelectObject(screen, old_font);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);

    const int border = GetSystemMetrics(SM_CXBORDER);
    const int width = extent.cx + 2 * (kMargin + border);
    const int height = extent.cy + 2 * (kMargin + border);
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    const int screen_w = GetSystemMetrics(SM_CXSCREEN);
    const int screen_h = GetSystemMetrics(SM_CYSCREEN);
    int x = std::max(0, std::min(cursor.x, screen_w - width));
    int y = cursor.y + kCursorDrop;
    if (y + height > screen_h) {
        y = cursor.y - height;  // no room below the cursor: above it
    }
    y = std::max(0, std::min(y, screen_h - height));

    tip.shown_text = text;
    tip.shown = true;
    SetWindowPos(self, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(self, nullptr, TRUE);
    UpdateWindow(self);
    SetTimer(self, kAutopopTimer, tip.autopop, nullptr);
}

void relay(HWND self, ToolTip& tip, const MSG* msg) {
    if (msg == nullptr) {
        return;
    }
    switch (msg->message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            // A press hides the tip; it comes back only after the cursor leaves the tool.
            KillTimer(self, kShowTimer);
            hide(self, tip);
            return;
        case WM_MOUSEMOVE:
            break;
        default:
            return;
    }
    if (!tip.active) {
        return;
    }
    const int hit = tool_at(tip, *msg);
    if (hit == tip.current) {
        return;
    }
    if (hit < 0) {
        leave(self, tip);
        return;
    }
    const bool was_shown = tip.shown;
    hide(self, tip);
    tip.current = hit;
    SetTimer(self, kShowTimer, was_shown ? tip.reshow : tip.initial, nullptr);
    SetTimer(self, kLeaveTimer, kLeaveCheckPeriod, nullptr);
}

void on_timer(HWND self, ToolTip& tip, UINT_PTR id) {
    switch (id) {
        case kShowTimer:
            KillTimer(self, kShowTimer);
            show(self, tip);
            break;
        case kAutopopTimer:
            hide(self, tip);
            break;
        case kLeaveTimer: {
            POINT cursor{0, 0};
            GetCursorPos(&cursor);
            if (tip.current < 0 || static_cast<std::size_t>(tip.current) >= tip.tools.size() ||
                !cursor_over(tip.tools[static_cast<std::size_t>(tip.current)], cursor)) {
                leave(self, tip);
            }
            break;
        }
        default:
            break;
    }
}

void set_delay(ToolTip& tip, WPARAM which, LPARAM lparam) {
    const int value = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lparam)));
    const UINT ms = value < 0 ? kDefaultInitial : static_cast<UINT>(value);
    switch (which) {
        case TTDT_AUTOMATIC:
            tip.initial = ms;
            tip.autopop = ms * 10;
            tip.reshow = ms / 5;
            break;
        case TTDT_INITIAL:
            tip.initial = value < 0 ? kDefaultInitial : ms;
            break;
        case TTDT_AUTOPOP:
            tip.autopop = value < 0 ? tip.initial * 10 : ms;
            break;
        case TTDT_RESHOW:
            tip.reshow = value < 0 ? tip.initial / 5 : ms;
            break;
        default:
            break;
    }
}

void paint(HWND self, const ToolTip& tip) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(self, &ps);
    if (hdc == nullptr) {
        return;
    }
    RECT rc;
    GetClientRect(self, &rc);
    fill_sys_color(hdc, rc, COLOR_INFOBK);
    HFONT font = create_ui_font(false);
    HGDIOBJ old_font = SelectObject(hdc, font);
    const bool prefixes = (GetWindowLongA(self, GWL_STYLE) & TTS_NOPREFIX) == 0;
    draw_label(hdc, kMargin, kMargin, parse_shown_text(tip.shown_text, prefixes),
               GetSysColor(COLOR_INFOTEXT));
    SelectObject(hdc, old_font);
    DeleteObject(font);
    EndPaint(self, &ps);
}

LRESULT CALLBACK tool_tip_proc(HWND self, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        auto tip = std::make_unique<ToolTip>();
        tip->owner = cs != nullptr ? top_level_of(cs->hwndParent) : nullptr;
        tips()[self] = std::move(tip);
        // Every tip is a bordered topmost popup, whatever style it was created with.
        SetWindowLongA(self, GWL_STYLE,
                       static_cast<LONG>(static_cast<DWORD>(GetWindowLongA(self, GWL_STYLE)) |
                                         WS_POPUP | WS_BORDER));
        SetWindowLongA(self, GWL_EXSTYLE,
                       GetWindowLongA(self, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        return DefWindowProcA(self, msg, wparam, lparam);
    }
    if (msg == WM_NCDESTROY) {
        tips().erase(self);
        return DefWindowProcA(self, msg, wparam, lparam);
    }
    ToolTip* tip = tip_of(self);
    if (tip == nullptr) {
        return DefWindowProcA(self, msg, wparam, lparam);
    }
    switch (msg) {
        case TTM_ACTIVATE:
            tip->active = wparam != 0;
            if (!tip->active) {
                leave(self, *tip);
            }
            return 0;
        case TTM_SETDELAYTIME:
            set_delay(*tip, wparam, lparam);
            return 0;
        case TTM_GETDELAYTIME:
            switch (wparam) {
                case TTDT_RESHOW:
                    return tip->reshow;
                case TTDT_AUTOPOP:
                    return tip->autopop;
                default:
                    return tip->initial;
            }
        case TTM_ADDTOOLA: {
            Tool tool;
            if (!read_tool(lparam, tool)) {
                return FALSE;
            }
            const int existing = find_tool(*tip, tool.hwnd, tool.id);
            if (existing >= 0) {
                tip->tools[static_cast<std::size_t>(existing)] = std::move(tool);
            } else {
                tip->tools.push_back(std::move(tool));
            }
            return TRUE;
        }
        case TTM_DELTOOLA: {
            const auto* info = reinterpret_cast<const TOOLINFOA*>(lparam);
            if (info == nullptr || info->cbSize < sizeof(TOOLINFOA)) {
                return 0;
            }
            const int index = find_tool(*tip, info->hwnd, info->uId);
            if (index >= 0) {
                if (index == tip->current) {
                    leave(self, *tip);
                } else if (index < tip->current) {
                    --tip->current;
                }
                tip->tools.erase(tip->tools.begin() + index);
            }
            return 0;
        }
        case TTM_NEWTOOLRECTA:
        case TTM_UPDATETIPTEXTA: {
            Tool tool;
            if (!read_tool(lparam, tool)) {
                return 0;
            }
            const int index = find_tool(*tip, tool.hwnd, tool.id);
            if (index < 0) {
                return 0;
            }
            Tool& kept = tip->tools[static_cast<std::size_t>(index)];
            if (msg == TTM_NEWTOOLRECTA) {
                kept.rect = tool.rect;
            } else {
                kept.text = tool.text;
                kept.text_id = tool.text_id;
                kept.instance = tool.instance;
                if (tip->shown && index == tip->current) {
                    show(self, *tip);  // resized to the new text
                }
            }
            return 0;
        }
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(tip->tools.size());
        case TTM_RELAYEVENT:
            relay(self, *tip, reinterpret_cast<const MSG*>(lparam));
            return 0;
        case TTM_POP:
            hide(self, *tip);
            return 0;
        case WM_TIMER:
            on_timer(self, *tip, wparam);
            return 0;
        case WM_PAINT:
            paint(self, *tip);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the client area
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case kMouseActivate:
            return kNoActivate;
        default:
            return DefWindowProcA(self, msg, wparam, lparam);
    }
}

}  // namespace

bool register_tool_tip_class() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &wc)) {
        return true;
    }
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = tool_tip_proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = TOOLTIPS_CLASSA;
    return RegisterClassA(&wc) != 0;
}

}  // namespace user

void InitCommonControls() {
    user::register_tool_tip_class();
}
