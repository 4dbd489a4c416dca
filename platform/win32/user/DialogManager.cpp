// DialogManager.cpp: the keyboard of dialogs: tab order, Enter, Esc, and the modal loop.
#include "platform/win32/user/DialogManager.h"

#include "platform/win32/user/ModalLoop.h"
#include "platform/win32/user/WindowManager.h"

#include <vector>

namespace user {
namespace {

// Shift as the dialog keyboard last saw it go down or up.
bool g_shift_held = false;

bool is_tab_stop(HWND hwnd) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

void press_enter(HWND dialog) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog, focus) &&
        (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        SendMessageA(dialog, WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(focus)), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
        return;
    }
    const auto def = static_cast<DWORD>(SendMessageA(dialog, DM_GETDEFID, 0, 0));
    if (HIWORD(def) == DC_HASDEFID) {
        HWND button = GetDlgItem(dialog, LOWORD(def));
        if (button == nullptr || IsWindowEnabled(button)) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return;
    }
    SendMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// True when the key message was the dialog's to act on.
bool handle_dialog_key(HWND dialog, const MSG& msg, LRESULT code) {
    if (code & DLGC_WANTMESSAGE) {
        return false;
    }
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) {
                    return false;
                }
                SendMessageA(dialog, WM_NEXTDLGCTL, g_shift_held ? 1 : 0, 0);
                return true;
            case VK_ESCAPE:
                SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
                return true;
            case VK_RETURN:
                press_enter(dialog);
                return true;
            default:
                return false;
        }
    }
    if (msg.message == WM_CHAR) {
        // The characters of the keys above go nowhere unless the control asks for them.
        if (code & DLGC_WANTCHARS) {
            return false;
        }
        return msg.wParam == '\t' ? !(code & DLGC_WANTTAB)
                                  : (msg.wParam == '\r' || msg.wParam == 0x1B);
    }
    return false;
}

}  // namespace

INT_PTR run_modal_loop(HWND dialog) {
    HWND owner = GetParent(dialog);
    bool quit = false;
    MSG msg{};
    for (;;) {
        const DialogState* s = dialog_state(dialog);
        if (s == nullptr || s->ended) {
            break;
        }
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsWindowVisible(dialog)) {
                ShowWindow(dialog, SW_SHOWNORMAL);  // the queue ran dry: time to be seen
                continue;
            }
            if (owner != nullptr && !(GetWindowLongA(dialog, GWL_STYLE) & DS_NOIDLEMSG)) {
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            }
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                quit = true;
                break;
            }
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    INT_PTR result = -1;
    if (DialogState* s = dialog_state(dialog)) {
        if (s->ended && !quit) {
            result = s->result;
        }
        if (HWND disabled = s->disabled_owner) {
            s->disabled_owner = nullptr;
            EnableWindow(disabled, TRUE);
        }
        DestroyWindow(dialog);
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    return result;
}

}  // namespace user

using namespace user;

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (msg == nullptr || !IsWindow(dialog) ||
        (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) {
        return FALSE;
    }
    if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_SHIFT) {
        g_shift_held = msg->message == WM_KEYDOWN;
    }
    if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
        const LRESULT code =
            SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (handle_dialog_key(dialog, *msg, code)) {
            return TRUE;
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    const Window* w = window_or_error(dialog);
    if (w == nullptr) {
        return nullptr;
    }
    const std::vector<HWND> children = w->children;  // template order
    const int n = static_cast<int>(children.size());
    int start = -1;
    for (int i = 0; i < n; ++i) {
        if (children[i] == control) {
            start = i;
        }
    }
    if (start < 0) {
        // No control: the first tab stop, or the last one going backwards.
        start = previous ? 0 : n - 1;
    }
    const int step = previous ? n - 1 : 1;
    for (int k = 1; k <= n; ++k) {
        const HWND candidate = children[(start + step * k) % n];
        if (candidate != control && is_tab_stop(candidate)) {
            return candidate;
        }
    }
    return control;
}
