// MessageBox.cpp: the modal message box: icon, word-wrapped text and a centred row of buttons.
#include "platform/win32/cp1250.h"
#include "platform/win32/user/Controls.h"
#include "platform/win32/user/DialogManager.h"
#include "platform/win32/user/MessageBoxIcons.h"
#include "platform/win32/user/ModalLoop.h"

#include <algorithm>
#include <string>
#include <vector>

namespace user {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 16;  // icon to text, and icon or text to the buttons
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonPadding = 8;  // each side of a caption wider than the button
constexpr WORD kIconId = 0x0014;
constexpr WORD kTextId = 0xFFFF;

struct ButtonSpec {
    WORD id;
    const char* text;
};

struct BoxRequest {
    const char* text;
    const char* caption;
    UINT type;
    HICON icon;
    std::vector<ButtonSpec> buttons;
};

std::vector<ButtonSpec> buttons_of(UINT type) {
    const ButtonSpec ok{IDOK, "OK"};
    const ButtonSpec cancel{IDCANCEL, "Anuluj"};
    const ButtonSpec yes{IDYES, "&Tak"};
    const ButtonSpec no{IDNO, "&Nie"};
    const ButtonSpec retry{IDRETRY, "&Ponów próbę"_cp1250};
    switch (type & MB_TYPEMASK) {
        case MB_OK:
            return {ok};
        case MB_OKCANCEL:
            return {ok, cancel};
        case MB_ABORTRETRYIGNORE:
            return {{IDABORT, "&Przerwij"}, retry, {IDIGNORE, "&Ignoruj"}};
        case MB_YESNOCANCEL:
            return {yes, no, cancel};
        case MB_YESNO:
            return {yes, no};
        case MB_RETRYCANCEL:
            return {retry, cancel};
        default:
            return {};
    }
}

TemplateName ordinal(WORD atom) {
    TemplateName name;
    name.kind = TemplateName::Kind::Ordinal;
    name.ordinal = atom;
    return name;
}

// The controls only; INITDIALOG sizes and places everything in pixels.
DialogTemplate box_template(const BoxRequest& request) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.has_font = true;
    t.point_size = 8;
    t.weight = FW_NORMAL;
    t.charset = EASTEUROPE_CHARSET;
    t.face = u"MS Sans Serif";
    if (request.icon != nullptr) {
        DialogItem icon;
        icon.style = WS_CHILD | WS_VISIBLE | SS_ICON;
        icon.id = kIconId;
        icon.window_class = ordinal(0x82);
        t.items.push_back(icon);
    }
    DialogItem text;
    text.style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    text.id = kTextId;
    text.window_class = ordinal(0x82);
    t.items.push_back(text);
    const UINT default_index = (request.type & MB_DEFMASK) >> 8;
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        DialogItem button;
        button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                       (i == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                       (i == 0 ? WS_GROUP : 0);
        button.id = request.buttons[i].id;
        button.window_class = ordinal(0x80);
        t.items.push_back(button);
    }
    return t;
}

SIZE text_extent(HDC hdc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void lay_out(HWND box, const BoxRequest& request) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous =
        SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);

    const bool has_icon = request.icon != nullptr;
    const int text_left = has_icon ? kMargin + kIconSize + kIconGap : kMargin;
    const int max_text = GetSystemMetrics(SM_CXSCREEN) * 4 / 5 - (has_icon ? kIconSize : 0);
    const std::string text = request.text != nullptr ? request.text : "";
    int text_width = 0;
    const std::vector<TextLine> lines = wrap_text(hdc, text, max_text);
    for (const TextLine& line : lines) {
        text_width = std::max<int>(
            text_width,
            text_extent(hdc, std::string_view(text).substr(line.start, line.length)).cx);
    }
    const int text_height = static_cast<int>(lines.size()) * tm.tmHeight;
    // Short text sits level with the middle of the icon.
    const int text_top =
        kMargin + (has_icon && text_height < kIconSize ? (kIconSize - text_height) / 2 : 0);
    const int content_bottom =
        std::max(has_icon ? kMargin + kIconSize : kMargin, text_top + text_height);

    int button_width = kButtonWidth;
    for (const ButtonSpec& b : request.buttons) {
        button_width = std::max<int>(
            button_width, text_extent(hdc, strip_prefixes(b.text)).cx + 2 * kButtonPadding);
    }
    SelectObject(hdc, previous);
    DeleteDC(hdc);

    const int count = static_cast<int>(request.buttons.size());
    const int row_width = count * button_width + (count - 1) * kButtonGap;
    const int client_width = std::max(text_left + text_width + kMargin, row_width + 2 * kMargin);
    const int button_top = content_bottom + kIconGap;
    const int client_height = button_top + kButtonHeight + kMargin;

    if (has_icon) {
        HWND icon = GetDlgItem(box, kIconId);
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(request.icon), 0);
        MoveWindow(icon, kMargin, kMargin, kIconSize, kIconSize, FALSE);
    }
    HWND label = GetDlgItem(box, kTextId);
    SetWindowTextA(label, text.c_str());
    MoveWindow(label, text_left, text_top, text_width, text_height, FALSE);
    int x = (client_width - row_width) / 2;
    for (const ButtonSpec& b : request.buttons) {
        HWND button = GetDlgItem(box, b.id);
        SetWindowTextA(button, b.text);
        MoveWindow(button, x, button_top, button_width, kButtonHeight, FALSE);
        x += button_width + kButtonGap;
    }

    RECT window, client;
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    const int width = client_width + (window.right - window.left) - client.right;
    const int height = client_height + (window.bottom - window.top) - client.bottom;
    const RECT work = work_area();
    SetWindowPos(box, nullptr, std::max(work.left, (work.left + work.right - width) / 2),
                 std::max(work.top, (work.top + work.bottom - height) / 2), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool has_button(const BoxRequest& request, WORD id) {
    return std::any_of(request.buttons.begin(), request.buttons.end(),
                       [id](const ButtonSpec& b) { return b.id == id; });
}

INT_PTR CALLBACK box_proc(HWND box, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto* request = reinterpret_cast<const BoxRequest*>(lparam);
            SetWindowLongPtrA(box, DWLP_USER, lparam);
            SetWindowTextA(box, request->caption != nullptr ? request->caption : "Błąd"_cp1250);
            lay_out(box, *request);
            const UINT default_index = (request->type & MB_DEFMASK) >> 8;
            if (default_index < request->buttons.size()) {
                set_dialog_focus(box, GetDlgItem(box, request->buttons[default_index].id));
            }
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const auto* request =
                reinterpret_cast<const BoxRequest*>(GetWindowLongPtrA(box, DWLP_USER));
            WORD id = LOWORD(wparam);
            if (request == nullptr) {
                return FALSE;
            }
            // Esc or closing a box that has only OK answers OK.
            if (id == IDCANCEL && !has_button(*request, IDCANCEL) && request->buttons.size() == 1 &&
                request->buttons[0].id == IDOK) {
                id = IDOK;
            }
            if (has_button(*request, id)) {
                EndDialog(box, id);
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace
}  // namespace user

using namespace user;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    BoxRequest request{text, caption, type, nullptr, buttons_of(type)};
    const UINT default_index = (type & MB_DEFMASK) >> 8;
    if (request.buttons.empty() || default_index >= request.buttons.size() ||
        (owner != nullptr && !IsWindow(owner))) {
        SetLastError(request.buttons.empty() || default_index >= request.buttons.size()
                         ? ERROR_INVALID_PARAMETER
                         : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    // FIXME: the icon's MessageBeep sound; there is no system sound to play.
    request.icon = create_message_box_icon(type);
    const DialogTemplate t = box_template(request);
    HWND box = create_dialog(t, nullptr, owner, box_proc, reinterpret_cast<LPARAM>(&request),
                             Modality::Modal);
    INT_PTR result = -1;
    if (box != nullptr) {
        ShowWindow(box, SW_SHOWNORMAL);
        result = run_modal_loop(box);
    }
    if (request.icon != nullptr) {
        DestroyIcon(request.icon);
    }
    return result > 0 ? static_cast<int>(result) : 0;
}
