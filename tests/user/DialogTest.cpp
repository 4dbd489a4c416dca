// DialogTest.cpp: dialogs from templates: the modal loop and its owner, the dialog keyboard,
// tab order and refused templates, driven through the headless host's script.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

// What the test dialog procedure does with a message; FALSE: not handled, and WM_INITDIALOG
// answers TRUE.
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> g_on_message;

INT_PTR CALLBACK test_dialog_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (g_on_message) {
        if (const INT_PTR handled = g_on_message(hwnd, msg, wparam, lparam)) {
            return handled;
        }
    }
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

class Dialogs : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        g_on_message = nullptr;
    }
    void TearDown() override {
        g_on_message = nullptr;
        UserTest::TearDown();
    }
    HWND owner_window() { return window(WS_POPUP | WS_VISIBLE, 20, 30, 300, 200); }

    // A dialog of three push buttons and an owner-drawn one: OK (default), Cancel, 100 (owner
    // drawn) and 101 (a push button that is not a tab stop), in that order.
    static test::TemplateBytes button_dialog(DWORD extra_style = 0) {
        test::TemplateBytes b;
        b.extended_head(kPopup | extra_style, 0, 4, 0, 0, 160, 60).u16(0).u16(0).text("Buttons");
        b.extended_font(8, "MS Sans Serif");
        const auto item = [&](DWORD style, short x, short cx, DWORD id, const char* title) {
            b.extended_item(WS_VISIBLE | style, x, 5, cx, 14, id).ordinal(0x80).text(title).u16(0);
        };
        item(WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 40, IDOK, "OK");
        item(WS_TABSTOP | BS_PUSHBUTTON, 50, 40, IDCANCEL, "Cancel");
        item(WS_TABSTOP | BS_OWNERDRAW, 95, 20, 100, "");
        item(BS_PUSHBUTTON, 120, 30, 101, "X");
        return b;
    }
};

// Keys typed into a modal dialog whose focus starts on OK (kShift: with Shift held; kClose: the
// window's close button), or else a timer, end it; the owner is disabled while it runs and
// enabled before it hides.
constexpr WORD kShift = 0x100, kClose = 0x200;

TEST_F(Dialogs, ModalLoopEndsByKeysOrATimerAndGivesTheOwnerBack) {
    struct Case {
        const char* name;
        std::vector<WORD> keys;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"EndDialog in a timer handler", {}, 7},
        {"Esc cancels", {VK_ESCAPE}, IDCANCEL},
        {"Enter presses the focused default button", {VK_RETURN}, IDOK},
        {"Tab to Cancel makes it the one Enter presses", {VK_TAB, VK_RETURN}, IDCANCEL},
        {"Enter on an owner-drawn button gives the default id", {VK_TAB, VK_TAB, VK_RETURN}, IDOK},
        {"Shift+Tab goes back to Cancel", {kShift | VK_TAB, kShift | VK_TAB, VK_RETURN}, IDCANCEL},
        {"closing the window is Cancel", {kClose}, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = owner_window();
        bool owner_enabled_inside = true, owner_enabled_at_hide = false;
        HWND dialog = nullptr;
        g_on_message = [&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG) {
                dialog = hwnd;
                owner_enabled_inside = IsWindowEnabled(owner);
                if (c.keys.empty()) {
                    SetTimer(hwnd, 3, 200, nullptr);
                }
            } else if (msg == WM_TIMER && wparam == 3) {
                EndDialog(hwnd, 7);
                return TRUE;
            } else if (msg == WM_COMMAND) {
                EndDialog(hwnd, LOWORD(wparam));
                return TRUE;
            } else if (msg == WM_SHOWWINDOW && wparam == FALSE) {
                owner_enabled_at_hide = IsWindowEnabled(owner);
            }
            return FALSE;
        };
        for (const WORD k : c.keys) {
            if (k == kClose) {
                m_host.script_close();
                continue;
            }
            const bool shift = (k & kShift) != 0;
            if (shift) {
                m_host.script_event({.type = host::EventType::KeyDown, .vk = VK_SHIFT});
            }
            m_host.script_key(k & 0xFF);
            if (shift) {
                m_host.script_event({.type = host::EventType::KeyUp, .vk = VK_SHIFT});
            }
        }
        const INT_PTR result = DialogBoxIndirectParamA(nullptr, button_dialog().as_template(),
                                                       owner, test_dialog_proc, 0);
        EXPECT_EQ(result, c.expected);
        EXPECT_FALSE(owner_enabled_inside) << "the owner stays disabled while the dialog runs";
        EXPECT_TRUE(owner_enabled_at_hide) << "the owner comes back before the dialog hides";
        EXPECT_TRUE(IsWindowEnabled(owner));
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindow(dialog)) << "the dialog is destroyed";
    }
}

// Tab order runs over visible, enabled WS_TABSTOP controls in template order and wraps.
TEST_F(Dialogs, NextTabItemSkipsWhatCannotTakeTheFocus) {
    HWND dlg = CreateDialogIndirectParamA(nullptr, button_dialog().as_template(), nullptr,
                                          test_dialog_proc, 0);
    ASSERT_NE(dlg, nullptr);
    m_windows.push_back(dlg);
    HWND ok = GetDlgItem(dlg, IDOK);
    HWND cancel = GetDlgItem(dlg, IDCANCEL);
    HWND drawn = GetDlgItem(dlg, 100);
    EXPECT_EQ(GetFocus(), ok) << "WM_INITDIALOG answered TRUE: the first tab stop has it";
    struct Case {
        const char* name;
        HWND from;
        BOOL previous;
        HWND disabled, expected;
    };
    const Case cases[] = {
        {"first", nullptr, FALSE, nullptr, ok},
        {"last", nullptr, TRUE, nullptr, drawn},
        {"forward", ok, FALSE, nullptr, cancel},
        {"wraps forward", drawn, FALSE, nullptr, ok},
        {"wraps back", ok, TRUE, nullptr, drawn},
        {"skips a disabled control", ok, FALSE, cancel, drawn},
        {"first when the first is disabled", nullptr, FALSE, ok, cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnableWindow(c.disabled, FALSE);  // none: refused
        EXPECT_EQ(GetNextDlgTabItem(dlg, c.from, c.previous), c.expected);
        EnableWindow(c.disabled, TRUE);
    }
}

TEST_F(Dialogs, MalformedOrMissingTemplatesFail) {
    test::TemplateBytes b;
    b.extended_head(kPopup, 0, 1, 0, 0, 10, 10).u16(0).u16(0).text("Bad").extended_font(8, "X");
    b.extended_item(WS_VISIBLE, 0, 0, 5, 5, 1).text("NoSuchClass").u16(0).u16(0);
    HWND owner = owner_window();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.as_template(), owner, test_dialog_proc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "a failed modal dialog gives its owner back";
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(9999), owner, test_dialog_proc, 0), -1);
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(9999), owner, test_dialog_proc, 0),
              nullptr);
    EXPECT_EQ(CreateDialogIndirectParamA(nullptr, nullptr, owner, test_dialog_proc, 0), nullptr);
    EXPECT_FALSE(EndDialog(owner, 1)) << "not a dialog";
}

}  // namespace
