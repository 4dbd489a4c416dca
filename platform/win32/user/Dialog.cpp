// Dialog.cpp: dialogs made from templates, modal and modeless, and their window procedure.
#include "platform/win32/cp1250.h"
#include "platform/win32/user/Controls.h"
#include "platform/win32/user/DialogManager.h"
#include "platform/win32/user/ModalLoop.h"
#include "platform/win32/user/WindowFrame.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace user {
namespace {

constexpr int kScreenDpi = 96;
constexpr const char* kDialogClass = "#32770";

std::unordered_map<HWND, std::unique_ptr<DialogState>>& dialogs() {
    static std::unordered_map<HWND, std::unique_ptr<DialogState>> table;
    return table;
}

void forget_dialog(HWND hwnd) {
    auto& table = dialogs();
    const auto it = table.find(hwnd);
    if (it == table.end()) {
        return;
    }
    if (it->second->font != nullptr) {
        DeleteObject(it->second->font);
    }
    table.erase(it);
}

HWND top_level_of(HWND hwnd) {
    while (hwnd != nullptr && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        hwnd = GetParent(hwnd);
    }
    return hwnd;
}

// The class, title or icon name of a template field as the "A" calls take it; `storage` keeps
// a string alive for the call.
LPCSTR name_argument(const TemplateName& name, std::string& storage, LPCSTR absent) {
    switch (name.kind) {
        case TemplateName::Kind::Ordinal:
            return MAKEINTRESOURCEA(name.ordinal);
        case TemplateName::Kind::Text:
            storage = cp1250::utf16_to_cp1250(name.text);
            return storage.c_str();
        case TemplateName::Kind::None:
            break;
    }
    return absent;
}

HFONT create_template_font(const DialogTemplate& t) {
    if (!t.has_font) {
        return nullptr;
    }
    const std::string face = cp1250::utf16_to_cp1250(t.face);
    return CreateFontA(-MulDiv(t.point_size, kScreenDpi, 72), 0, 0, 0, t.weight, t.italic, 0, 0,
                       t.charset, 0, 0, 0, 0, face.c_str());
}

DLGPROC dialog_proc_of(HWND hwnd, const DialogState* state) {
    if (state == nullptr) {
        return nullptr;
    }
    // A program may swap the procedure through DWLP_DLGPROC when the class has the bytes.
    const LONG_PTR stored = GetWindowLongPtrA(hwnd, DWLP_DLGPROC);
    return stored != 0 ? reinterpret_cast<DLGPROC>(stored) : state->proc;
}

// Top-level dialogs stay on the work area, with room for a frame on the right and bottom.
POINT place_dialog(const DialogTemplate& t, DWORD style, HWND owner, SIZE base, SIZE window,
                   const RECT& insets) {
    const RECT work = work_area();
    POINT pos;
    if ((t.style & DS_CENTER) && !(style & WS_CHILD)) {
        pos.x = (work.left + work.right - window.cx) / 2;
        pos.y = (work.top + work.bottom - window.cy) / 2;
    } else {
        POINT client{MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8)};
        if (!(style & (WS_CHILD | DS_ABSALIGN)) && owner != nullptr) {
            ClientToScreen(owner, &client);
        }
        pos.x = client.x - insets.left;
        pos.y = client.y - insets.top;
    }
    if (!(style & WS_CHILD)) {
        const int frame_x = GetSystemMetrics(SM_CXDLGFRAME);
        const int frame_y = GetSystemMetrics(SM_CYDLGFRAME);
        if (pos.x + window.cx + frame_x > work.right) {
            pos.x = work.right - window.cx - frame_x;
        }
        if (pos.y + window.cy + frame_y > work.bottom) {
            pos.y = work.bottom - window.cy - frame_y;
        }
        pos.x = std::max(pos.x, work.left);
        pos.y = std::max(pos.y, work.top);
    }
    return pos;
}

bool create_controls(HWND hwnd, const DialogTemplate& t, HINSTANCE instance, DialogState& s) {
    for (const DialogItem& item : t.items) {
        std::string class_storage, title_storage;
        const LPCSTR class_name = name_argument(item.window_class, class_storage, "");
        const LPCSTR title = name_argument(item.title, title_storage, "");
        const DWORD style = (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
        const int x = MulDiv(item.x, s.base_units.cx, 4);
        const int y = MulDiv(item.y, s.base_units.cy, 8);
        const int cx = MulDiv(item.cx, s.base_units.cx, 4);
        const int cy = MulDiv(item.cy, s.base_units.cy, 8);
        void* data = item.creation_data.empty() ? nullptr
                                                : const_cast<std::byte*>(item.creation_data.data());
        HWND control = CreateWindowExA(
            item.ex_style | WS_EX_NOPARENTNOTIFY, class_name, title, style, x, y, cx, cy, hwnd,
            reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(item.id)), instance, data);
        if (!IsWindow(hwnd)) {
            return false;
        }
        if (control == nullptr) {
            if (t.style & DS_NOFAILCREATE) {
                continue;
            }
            return false;
        }
        if (s.font != nullptr) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), 0);
        }
        if (s.default_id == 0 &&
            (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            s.default_id = static_cast<WORD>(item.id);
        }
    }
    return true;
}

void save_focus(HWND dialog, DialogState& s) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog, focus)) {
        s.focus = focus;
    }
}

void restore_focus(HWND dialog, DialogState& s) {
    if (s.ended) {
        return;
    }
    if (s.focus == nullptr || !IsWindow(s.focus) || !IsChild(dialog, s.focus)) {
        s.focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    }
    if (s.focus != nullptr) {
        set_dialog_focus(dialog, s.focus);
    }
}

HWND find_default_button(HWND dialog) {
    const Window* w = find_window(dialog);
    if (w == nullptr) {
        return nullptr;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

void set_push_style(HWND button, DWORD type) {
    if (button != nullptr) {
        const DWORD style = static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE));
        if ((style & BS_TYPEMASK) != type) {
            SendMessageA(button, BM_SETSTYLE, (style & ~static_cast<DWORD>(BS_TYPEMASK)) | type,
                         TRUE);
        }
    }
}

// What a dialog does with a message its procedure leaves alone.
LRESULT default_dialog_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    DialogState* s = dialog_state(hwnd);
    switch (msg) {
        case WM_ERASEBKGND: {
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageA(hwnd, WM_CTLCOLORDLG, wparam, reinterpret_cast<LPARAM>(hwnd)));
            if (brush == nullptr) {
                brush = default_control_brush(reinterpret_cast<HDC>(wparam), WM_CTLCOLORDLG);
            }
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wparam), &rc, brush);
            return 1;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                default_control_brush(reinterpret_cast<HDC>(wparam), msg));
        case WM_CLOSE: {
            // The window goes away only by the program's answer to IDCANCEL.
            HWND cancel = GetDlgItem(hwnd, IDCANCEL);
            if (cancel == nullptr || IsWindowEnabled(cancel)) {
                PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(cancel));
            }
            return 0;
        }
        case WM_SHOWWINDOW:
            if (!wparam && s != nullptr) {
                save_focus(hwnd, *s);
            }
            return DefWindowProcA(hwnd, msg, wparam, lparam);
        case WM_ACTIVATE:
            if (s != nullptr) {
                if (LOWORD(wparam) != 0) {
                    restore_focus(hwnd, *s);
                } else {
                    save_focus(hwnd, *s);
                }
            }
            return 0;
        case WM_SETFOCUS:
            if (s != nullptr) {
                restore_focus(hwnd, *s);
            }
            return 0;
        case DM_SETDEFID:
            if (s != nullptr) {
                set_push_style(s->default_id ? GetDlgItem(hwnd, s->default_id) : nullptr,
                               BS_PUSHBUTTON);
                s->default_id = static_cast<WORD>(wparam);
                set_push_style(s->default_id ? GetDlgItem(hwnd, s->default_id) : nullptr,
                               BS_DEFPUSHBUTTON);
            }
            return TRUE;
        case DM_GETDEFID:
            if (s != nullptr && s->default_id != 0) {
                return MAKELONG(s->default_id, DC_HASDEFID);
            }
            if (HWND button = find_default_button(hwnd)) {
                return MAKELONG(static_cast<WORD>(GetDlgCtrlID(button)), DC_HASDEFID);
            }
            return 0;
        case WM_NEXTDLGCTL: {
            HWND target;
            if (LOWORD(lparam) != 0) {
                target = reinterpret_cast<HWND>(wparam);
            } else {
                HWND focus = GetFocus();
                if (focus != nullptr && !IsChild(hwnd, focus)) {
                    focus = nullptr;
                }
                target = GetNextDlgTabItem(hwnd, focus, wparam != 0);
            }
            if (target != nullptr && IsChild(hwnd, target)) {
                set_dialog_focus(hwnd, target);
            }
            return 0;
        }
        case WM_GETFONT:
            return s != nullptr ? reinterpret_cast<LRESULT>(s->font) : 0;
        case WM_NCDESTROY:
            forget_dialog(hwnd);
            return DefWindowProcA(hwnd, msg, wparam, lparam);
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

const DialogTemplate* load_template(HINSTANCE instance, LPCSTR name, DialogTemplate& storage) {
    HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    if (resource == nullptr) {
        return nullptr;
    }
    const void* bytes = LockResource(LoadResource(instance, resource));
    const DWORD size = SizeofResource(instance, resource);
    if (bytes == nullptr ||
        read_dialog_template(std::span(static_cast<const std::byte*>(bytes), size), storage) !=
            TemplateError::None) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &storage;
}

const DialogTemplate* read_indirect(LPCDLGTEMPLATEA dialog_template, DialogTemplate& storage) {
    if (dialog_template == nullptr ||
        read_dialog_template(
            std::span(reinterpret_cast<const std::byte*>(dialog_template), kUnsizedTemplate),
            storage) != TemplateError::None) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &storage;
}

INT_PTR run_dialog_box(const DialogTemplate* t, HINSTANCE instance, HWND owner, DLGPROC proc,
                       LPARAM param) {
    if (t == nullptr) {
        return -1;
    }
    HWND hwnd = create_dialog(*t, instance, owner, proc, param, Modality::Modal);
    return hwnd == nullptr ? -1 : run_modal_loop(hwnd);
}

}  // namespace

DialogState* dialog_state(HWND hwnd) {
    auto& table = dialogs();
    const auto it = table.find(hwnd);
    if (it == table.end()) {
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        table.erase(it);  // its window went without WM_NCDESTROY reaching us
        return nullptr;
    }
    return it->second.get();
}

RECT work_area() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

SIZE dialog_base_units(HFONT font) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return SIZE{8, 16};
    }
    HGDIOBJ previous = SelectObject(
        dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    TEXTMETRICA tm{};
    GetTextExtentPoint32A(dc, kAlphabet, 52, &extent);
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, previous);
    DeleteDC(dc);
    // The average width of the letters, rounded to the nearest pixel.
    return SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
}

HWND create_dialog(const DialogTemplate& t, HINSTANCE instance, HWND owner, DLGPROC proc,
                   LPARAM param, Modality modality) {
    owner = top_level_of(owner);
    HWND disabled_owner = nullptr;
    if (modality == Modality::Modal && owner != nullptr && IsWindowEnabled(owner)) {
        disabled_owner = owner;
        EnableWindow(owner, FALSE);
    }
    auto state = std::make_unique<DialogState>();
    state->proc = proc;
    state->font = create_template_font(t);
    state->base_units = dialog_base_units(state->font);
    state->disabled_owner = disabled_owner;
    auto give_up = [&]() -> HWND {
        if (disabled_owner != nullptr) {
            EnableWindow(disabled_owner, TRUE);
        }
        return nullptr;
    };

    const DWORD style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
    const DWORD ex_style = t.ex_style | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    const RECT insets = frame_insets(style, ex_style);
    const SIZE client{MulDiv(t.cx, state->base_units.cx, 4), MulDiv(t.cy, state->base_units.cy, 8)};
    const SIZE window{client.cx + insets.left + insets.right,
                      client.cy + insets.top + insets.bottom};
    const POINT pos = place_dialog(t, style, owner, state->base_units, window, insets);

    std::string class_storage, title;
    const LPCSTR class_name = name_argument(t.window_class, class_storage, kDialogClass);
    title = cp1250::utf16_to_cp1250(t.title);
    HWND hwnd = CreateWindowExA(ex_style, class_name, title.c_str(), style, pos.x, pos.y, window.cx,
                                window.cy, owner, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        if (state->font != nullptr) {
            DeleteObject(state->font);
        }
        return give_up();
    }
    DialogState& s = *state;
    dialogs()[hwnd] = std::move(state);
    SetWindowLongPtrA(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

    if (s.font != nullptr) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), 0);
    }
    if (!IsWindow(hwnd) || !create_controls(hwnd, t, instance, s)) {
        s.disabled_owner = nullptr;
        DestroyWindow(hwnd);
        return give_up();
    }
    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    const LRESULT wants_focus =
        SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    DialogState* after = dialog_state(hwnd);
    if (after == nullptr) {
        return give_up();  // the dialog went away inside WM_INITDIALOG
    }
    if (wants_focus) {
        after->focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (after->focus != nullptr) {
            set_dialog_focus(hwnd, after->focus);
        }
    }
    if ((t.style & WS_VISIBLE) && !(style & WS_CHILD) && IsWindow(hwnd) && !after->ended) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

void set_dialog_focus(HWND dialog, HWND control) {
    const LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    DialogState* s = dialog_state(dialog);
    const HWND home = (s != nullptr && s->default_id) ? GetDlgItem(dialog, s->default_id) : nullptr;
    if (code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) {
        // A focused push button is the one Enter presses: it alone looks like the default.
        if (HWND other = find_default_button(dialog); other != nullptr && other != control) {
            set_push_style(other, BS_PUSHBUTTON);
        }
        set_push_style(control, BS_DEFPUSHBUTTON);
    } else if (home != nullptr) {
        HWND shown = find_default_button(dialog);
        if (shown != home) {
            set_push_style(shown, BS_PUSHBUTTON);
            set_push_style(home, BS_DEFPUSHBUTTON);
        }
    }
    if (s != nullptr) {
        s->focus = control;  // what activation gives the focus back to
    }
    SetFocus(control);
}

}  // namespace user

using namespace user;

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                DLGPROC proc, LPARAM param) {
    DialogTemplate t;
    if (read_indirect(dialog_template, t) == nullptr) {
        return nullptr;
    }
    return create_dialog(t, instance, owner, proc, param, Modality::Modeless);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc,
                        LPARAM param) {
    DialogTemplate t;
    if (load_template(instance, template_name, t) == nullptr) {
        return nullptr;
    }
    return create_dialog(t, instance, owner, proc, param, Modality::Modeless);
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                DLGPROC proc, LPARAM param) {
    DialogTemplate t;
    return run_dialog_box(read_indirect(dialog_template, t), instance, owner, proc, param);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc,
                        LPARAM param) {
    DialogTemplate t;
    return run_dialog_box(load_template(instance, template_name, t), instance, owner, proc, param);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogState* s = dialog_state(dialog);
    if (s == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    s->result = result;
    s->ended = true;
    // The owner comes back before the dialog hides, so it can take the activation.
    if (HWND owner = s->disabled_owner) {
        s->disabled_owner = nullptr;
        EnableWindow(owner, TRUE);
    }
    if (IsChild(dialog, GetFocus())) {
        SetFocus(dialog);
    }
    ShowWindow(dialog, SW_HIDE);
    // The keyboard goes back to the owner unless hiding already moved it elsewhere.
    const HWND focus = GetFocus();
    HWND owner = GetParent(dialog);
    if (owner != nullptr && !(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) &&
        (focus == nullptr || focus == dialog || IsChild(dialog, focus))) {
        SetFocus(owner);
    }
    PostMessageA(dialog, WM_NULL, 0, 0);  // wakes a loop waiting for input
    return TRUE;
}

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (!IsWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    DialogState* s = dialog_state(dialog);
    DLGPROC proc = dialog_proc_of(dialog, s);
    INT_PTR handled = 0;
    if (proc != nullptr) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        handled = proc(dialog, msg, wparam, lparam);
    }
    if (!IsWindow(dialog)) {
        return handled;
    }
    if (!handled) {
        return default_dialog_message(dialog, msg, wparam, lparam);
    }
    if (msg == WM_NCDESTROY) {
        forget_dialog(dialog);
    }
    switch (msg) {
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return handled;  // these answer with the procedure's own value
        default:
            return GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
    }
}

BOOL MapDialogRect(HWND dialog, LPRECT rc) {
    DialogState* s = dialog_state(dialog);
    if (s == nullptr || rc == nullptr) {
        SetLastError(s == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    rc->left = MulDiv(rc->left, s->base_units.cx, 4);
    rc->right = MulDiv(rc->right, s->base_units.cx, 4);
    rc->top = MulDiv(rc->top, s->base_units.cy, 8);
    rc->bottom = MulDiv(rc->bottom, s->base_units.cy, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    static const SIZE units = dialog_base_units(nullptr);
    return MAKELONG(static_cast<WORD>(units.cx), static_cast<WORD>(units.cy));
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr && SetWindowTextA(item, text);
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int buffer_max) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        if (buffer != nullptr && buffer_max > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, buffer, buffer_max));
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wparam, LPARAM lparam) {
    HWND item = GetDlgItem(dialog, id);
    return item == nullptr ? 0 : SendMessageA(item, msg, wparam, lparam);
}
