// StaticControl.cpp: the "Static" class: text, icons, bitmaps and plain rectangles.
#include "platform/win32/user/Controls.h"

namespace user {
namespace {

constexpr int kFontOffset = 0;
constexpr int kImageOffset = sizeof(LONG_PTR);
constexpr int kOwnsImageOffset = 2 * sizeof(LONG_PTR);  // 1: the control loaded it

DWORD static_type(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK;
}

HANDLE image_of(HWND hwnd) {
    return reinterpret_cast<HANDLE>(GetWindowLongPtrA(hwnd, kImageOffset));
}

// Icons and bitmaps size the control to themselves unless it centres them.
void fit_to_image(HWND hwnd, HANDLE image) {
    if (image == nullptr || (GetWindowLongA(hwnd, GWL_STYLE) & SS_CENTERIMAGE)) {
        return;
    }
    SIZE size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    if (static_type(hwnd) == SS_BITMAP) {
        BITMAP bm{};
        if (GetObjectA(image, sizeof(bm), &bm) == 0) {
            return;
        }
        size = SIZE{bm.bmWidth, bm.bmHeight};
    }
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

HANDLE set_image(HWND hwnd, HANDLE image) {
    const HANDLE old = image_of(hwnd);
    SetWindowLongPtrA(hwnd, kImageOffset, reinterpret_cast<LONG_PTR>(image));
    fit_to_image(hwnd, image);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

void paint_text(HWND hwnd, HDC hdc, const RECT& client, DWORD style) {
    HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &client, brush);
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kFontOffset));
    HGDIOBJ previous = font != nullptr ? SelectObject(hdc, font) : nullptr;
    if (!IsWindowEnabled(hwnd)) {
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(hdc, TRANSPARENT);
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (!(style & SS_NOPREFIX)) {
        text = strip_prefixes(text);
    }
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    const DWORD type = style & SS_TYPEMASK;
    const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    const int width = client.right - client.left;
    const std::vector<TextLine> lines =
        wraps ? wrap_text(hdc, text, width) : std::vector<TextLine>{{0, text.size()}};
    int y = client.top;
    for (const TextLine& line : lines) {
        if (y >= client.bottom) {
            break;
        }
        const char* start = text.data() + line.start;
        SIZE extent{};
        GetTextExtentPoint32A(hdc, start, static_cast<int>(line.length), &extent);
        int x = client.left;
        if (type == SS_CENTER) {
            x += (width - extent.cx) / 2;
        } else if (type == SS_RIGHT) {
            x += width - extent.cx;
        }
        ExtTextOutA(hdc, x, y, ETO_CLIPPED, &client, start, static_cast<UINT>(line.length),
                    nullptr);
        y += tm.tmHeight;
    }
    if (previous != nullptr) {
        SelectObject(hdc, previous);
    }
}

void paint_image(HWND hwnd, HDC hdc, const RECT& client, DWORD type) {
    FillRect(hdc, &client, control_brush(hwnd, hdc, WM_CTLCOLORSTATIC));
    const HANDLE image = image_of(hwnd);
    if (image == nullptr) {
        return;
    }
    if (type == SS_ICON) {
        int x = 0, y = 0;
        if (GetWindowLongA(hwnd, GWL_STYLE) & SS_CENTERIMAGE) {
            x = (client.right - GetSystemMetrics(SM_CXICON)) / 2;
            y = (client.bottom - GetSystemMetrics(SM_CYICON)) / 2;
        }
        DrawIcon(hdc, x, y, static_cast<HICON>(image));
        return;
    }
    BITMAP bm{};
    HDC memory = CreateCompatibleDC(hdc);
    if (memory == nullptr || GetObjectA(image, sizeof(bm), &bm) == 0) {
        DeleteDC(memory);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, image);
    if (previous != nullptr) {
        BitBlt(hdc, 0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
}

void paint_static(HWND hwnd, HDC hdc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD type = style & SS_TYPEMASK;
    switch (type) {
        case SS_ICON:
        case SS_BITMAP:
            paint_image(hwnd, hdc, client, type);
            break;
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME: {
            static constexpr int kColors[] = {COLOR_3DDKSHADOW, COLOR_3DSHADOW, COLOR_3DHILIGHT};
            const bool frame = type >= SS_BLACKFRAME;
            HBRUSH brush =
                GetSysColorBrush(kColors[(type - (frame ? SS_BLACKFRAME : SS_BLACKRECT))]);
            if (frame) {
                FrameRect(hdc, &client, brush);
            } else {
                FillRect(hdc, &client, brush);
            }
            break;
        }
        case SS_OWNERDRAW: {
            DRAWITEMSTRUCT dis{ODT_STATIC,
                               static_cast<UINT>(GetDlgCtrlID(hwnd)),
                               0,
                               ODA_DRAWENTIRE,
                               IsWindowEnabled(hwnd) ? 0u : static_cast<UINT>(ODS_DISABLED),
                               hwnd,
                               hdc,
                               client,
                               0};
            SendMessageA(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            break;
        }
        default:
            paint_text(hwnd, hdc, client, style);
            break;
    }
}

void notify_parent(HWND hwnd, WORD code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace

LRESULT CALLBACK static_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_CREATE: {
            // An icon or bitmap static names its picture in the window text.
            const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
            const DWORD type = static_cast<DWORD>(cs->style) & SS_TYPEMASK;
            if ((type == SS_ICON || type == SS_BITMAP) && cs->lpszName != nullptr &&
                (IS_INTRESOURCE(cs->lpszName) || cs->lpszName[0] != '\0')) {
                HANDLE image =
                    type == SS_ICON
                        ? static_cast<HANDLE>(load_icon_copy(cs->hInstance, cs->lpszName))
                        : static_cast<HANDLE>(LoadBitmapA(cs->hInstance, cs->lpszName));
                SetWindowLongPtrA(hwnd, kImageOffset, reinterpret_cast<LONG_PTR>(image));
                SetWindowLongPtrA(hwnd, kOwnsImageOffset, image != nullptr ? 1 : 0);
                fit_to_image(hwnd, image);
            }
            return 0;
        }
        case WM_NCDESTROY:
            if (GetWindowLongPtrA(hwnd, kOwnsImageOffset) == 1) {
                if (const HANDLE image = image_of(hwnd)) {
                    if (static_type(hwnd) == SS_ICON) {
                        DestroyIcon(static_cast<HICON>(image));
                    } else {
                        DeleteObject(image);
                    }
                }
            }
            return DefWindowProcA(hwnd, msg, wparam, lparam);
        case WM_NCHITTEST:
            return (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_LBUTTONDOWN:
            if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) {
                notify_parent(hwnd, STN_CLICKED);
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) {
                notify_parent(hwnd, STN_DBLCLK);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC hdc = BeginPaint(hwnd, &ps)) {
                paint_static(hwnd, hdc);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(hwnd, msg, wparam, lparam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_SETFONT:
            SetWindowLongPtrA(hwnd, kFontOffset, static_cast<LONG_PTR>(wparam));
            if (LOWORD(lparam)) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontOffset);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case STM_SETICON:
        case STM_SETIMAGE: {
            const bool icon_message = msg == STM_SETICON;
            const HANDLE image = reinterpret_cast<HANDLE>(icon_message ? wparam : lparam);
            const DWORD wanted = (!icon_message && wparam == IMAGE_BITMAP) ? SS_BITMAP : SS_ICON;
            if (static_type(hwnd) != wanted) {
                return 0;
            }
            // The picture the control loaded goes to the caller with the answer.
            SetWindowLongPtrA(hwnd, kOwnsImageOffset, 0);
            return reinterpret_cast<LRESULT>(set_image(hwnd, image));
        }
        case STM_GETICON:
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(image_of(hwnd));
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

}  // namespace user
