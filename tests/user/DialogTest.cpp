// DialogTest.cpp: dialogs from templates: creation order, dialog units, placement, the modal
// loop and the dialog keyboard, driven through the headless host's script.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

constexpr const char* kControlClass = "PiloDialogTestControl";
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr UINT kRunNested = WM_USER + 5;

// What the test dialog procedure does besides recording.
struct ProcScript {
    INT_PTR init_result = TRUE;
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> on_message;
};
ProcScript g_script;

INT_PTR CALLBACK test_dialog_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    message_log().push_back({hwnd, msg, wparam});
    if (g_script.on_message) {
        if (INT_PTR handled = g_script.on_message(hwnd, msg, wparam, lparam)) {
            return handled;
        }
    }
    return msg == WM_INITDIALOG ? g_script.init_result : FALSE;
}

// Ends the dialog with the id of any command.
INT_PTR end_on_command(HWND hwnd, UINT msg, WPARAM wparam, LPARAM) {
    if (msg == WM_COMMAND) {
        EndDialog(hwnd, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override {
        m_host = std::make_unique<host::HeadlessHost>();
        m_install = std::make_unique<host::ScopedInstall>(*m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = test::recording_proc;
        wc.lpszClassName = kControlClass;
        if (!GetClassInfoA(nullptr, kControlClass, &wc)) {
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        message_log().clear();
        g_script = {};
    }
    void TearDown() override {
        for (HWND hwnd : m_windows) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
        g_script = {};
        m_install.reset();
    }

    HWND owner_window() {
        HWND hwnd = CreateWindowExA(0, kControlClass, "owner", WS_POPUP | WS_VISIBLE, 20, 30, 300,
                                    200, nullptr, nullptr, nullptr, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }

    // A dialog of three push buttons and an owner-drawn one: OK (default), Cancel, 100 (owner
    // drawn) and 101 (a push button that is not a tab stop), in that order.
    static test::TemplateBytes button_dialog(DWORD extra_style = 0) {
        test::TemplateBytes b;
        b.extended_head(kPopup | extra_style, 0, 4, 0, 0, 160, 60)
            .u16(0)
            .u16(0)
            .text("Buttons")
            .extended_font(8, "MS Sans Serif");
        b.extended_item(WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 5, 40, 14, IDOK)
            .ordinal(0x80)
            .text("OK")
            .u16(0);
        b.extended_item(WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 50, 5, 40, 14, IDCANCEL)
            .ordinal(0x80)
            .text("Cancel")
            .u16(0);
        b.extended_item(WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 95, 5, 20, 14, 100)
            .ordinal(0x80)
            .u16(0)
            .u16(0);
        b.extended_item(WS_VISIBLE | BS_PUSHBUTTON, 120, 5, 30, 14, 101)
            .ordinal(0x80)
            .text("X")
            .u16(0);
        return b;
    }

    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    std::vector<HWND> m_windows;
};

// WM_SETFONT to the dialog, the controls in template order each with their font, then
// WM_INITDIALOG naming the first tab stop, the focus (when it answers TRUE) and the showing.
TEST_F(Dialogs, CreationSendsFontControlsInitAndFocusInOrder) {
    test::TemplateBytes b;
    b.extended_head(kPopup | WS_VISIBLE, 0, 2, 10, 10, 100, 50)
        .u16(0)
        .u16(0)
        .text("Order")
        .extended_font(8, "MS Sans Serif");
    b.extended_item(WS_VISIBLE, 1, 1, 10, 10, 10).text(kControlClass).text("a").u16(0);
    b.extended_item(WS_VISIBLE | WS_TABSTOP, 1, 20, 10, 10, 11)
        .text(kControlClass)
        .text("b")
        .u16(0);
    struct Case {
        const char* name;
        INT_PTR init_result;
        bool focused;
    };
    const Case cases[] = {{"TRUE gives the first tab stop the focus", TRUE, true},
                          {"FALSE leaves the focus to the program", FALSE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        message_log().clear();
        SetFocus(nullptr);
        g_script.init_result = c.init_result;
        HWND dlg =
            CreateDialogIndirectParamA(nullptr, b.as_template(), nullptr, test_dialog_proc, 77);
        ASSERT_NE(dlg, nullptr);
        m_windows.push_back(dlg);
        HWND first = GetDlgItem(dlg, 10);
        HWND second = GetDlgItem(dlg, 11);
        ASSERT_NE(second, nullptr);
        const auto font = static_cast<WPARAM>(SendMessageA(dlg, WM_GETFONT, 0, 0));
        EXPECT_NE(font, 0u);
        std::vector<Logged> expected{
            {dlg, WM_SETFONT, font},      {first, WM_CREATE, 0},
            {first, WM_SHOWWINDOW, TRUE}, {first, WM_SETFONT, font},
            {second, WM_CREATE, 0},       {second, WM_SHOWWINDOW, TRUE},
            {second, WM_SETFONT, font},   {dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(second)}};
        if (c.focused) {
            expected.push_back({second, WM_SETFOCUS, test::kAnyWParam});
        }
        expected.push_back({dlg, WM_SHOWWINDOW, TRUE});
        // Up to the showing: activating the dialog may bring the focus after it.
        std::vector<Logged>& log = message_log();
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (log[i].hwnd == dlg && log[i].msg == WM_SHOWWINDOW) {
                log.resize(i + 1);
                break;
            }
        }
        test::expect_messages(expected,
                              {WM_CREATE, WM_SETFONT, WM_INITDIALOG, WM_SETFOCUS, WM_SHOWWINDOW});
        if (c.focused) {
            EXPECT_EQ(GetFocus(), second);
        }
        EXPECT_TRUE(IsWindowVisible(dlg));
        DestroyWindow(dlg);
    }
}

// MS Sans Serif 8 has base units 6 x 13: x * 6 / 4 and y * 13 / 8, rounded half away from 0.
TEST_F(Dialogs, DialogUnitsUseTheTemplateFontsBaseUnits) {
    test::TemplateBytes b;
    b.extended_head(kPopup, 0, 0, 0, 0, 259, 269)
        .u16(0)
        .u16(0)
        .text("Units")
        .extended_font(8, "MS Sans Serif");
    HWND dlg = CreateDialogIndirectParamA(nullptr, b.as_template(), nullptr, test_dialog_proc, 0);
    ASSERT_NE(dlg, nullptr);
    m_windows.push_back(dlg);
    struct Case {
        const char* name;
        RECT in;
        RECT out;
    };
    const Case cases[] = {
        {"one base unit", {0, 0, 4, 8}, {0, 0, 6, 13}},
        {"halves round up", {7, 7, 70, 29}, {11, 11, 105, 47}},
        {"single units", {1, 1, 1, 1}, {2, 2, 2, 2}},
        {"negative rounds away from zero", {-2, -3, 0, 0}, {-3, -5, 0, 0}},
        {"exit button of the main window", {226, 7, 246, 23}, {339, 11, 369, 37}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT rc = c.in;
        ASSERT_TRUE(MapDialogRect(dlg, &rc));
        EXPECT_EQ(rc.left, c.out.left);
        EXPECT_EQ(rc.top, c.out.top);
        EXPECT_EQ(rc.right, c.out.right);
        EXPECT_EQ(rc.bottom, c.out.bottom);
    }
    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 389);
    EXPECT_EQ(client.bottom, 437);
    RECT rc{};
    EXPECT_FALSE(MapDialogRect(owner_window(), &rc)) << "not a dialog";
}

// Centred on the 640 x 480 work area, kept a frame's width inside its right and bottom edges
// and never above or left of it; without DS_CENTER at the template position in the owner's
// client area.
TEST_F(Dialogs, PlacementCentresOrFollowsTheOwner) {
    HWND owner = owner_window();  // client at (20, 30)
    struct Case {
        const char* name;
        DWORD style;
        DWORD ex_style;
        short x, y, cx, cy;
        HWND owner;
        RECT window;
    };
    const Case cases[] = {
        // Main window: client 389 x 437, frame 3 + edge 2 a side, tool caption 16.
        {"main window centred",
         kPopup | DS_CENTER,
         WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE,
         0,
         0,
         259,
         269,
         nullptr,
         {120, 8, 519, 471}},
        // Client 150 x 65, frame 3 a side, caption 19 above: window 156 x 90.
        {"small centred", kPopup | DS_CENTER, 0, 40, 40, 100, 40, owner, {242, 195, 398, 285}},
        // Client at owner (20, 30) + (15, 13), window 3 left and 22 above it.
        {"at the owner's client", kPopup, 0, 10, 8, 100, 40, owner, {32, 21, 188, 111}},
        // A 90 x 650 client cannot fit the height: pinned to the top, still centred across.
        {"taller than the screen",
         kPopup | DS_CENTER,
         0,
         0,
         0,
         60,
         400,
         nullptr,
         {272, 0, 368, 675}},
        // Window at 597 would end past 640 - 3: shifted left; above the screen: pulled down.
        {"kept inside the work area", kPopup, 0, 400, 0, 100, 40, nullptr, {481, 0, 637, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TemplateBytes b;
        b.extended_head(c.style, c.ex_style, 0, c.x, c.y, c.cx, c.cy)
            .u16(0)
            .u16(0)
            .text("Place")
            .extended_font(8, "MS Sans Serif");
        HWND dlg =
            CreateDialogIndirectParamA(nullptr, b.as_template(), c.owner, test_dialog_proc, 0);
        ASSERT_NE(dlg, nullptr);
        RECT rc;
        GetWindowRect(dlg, &rc);
        EXPECT_EQ(rc.left, c.window.left);
        EXPECT_EQ(rc.top, c.window.top);
        EXPECT_EQ(rc.right, c.window.right);
        EXPECT_EQ(rc.bottom, c.window.bottom);
        EXPECT_TRUE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        DestroyWindow(dlg);
    }
}

TEST_F(Dialogs, ModalLoopEndsFromAHandlerOrATimerAndGivesTheOwnerBack) {
    struct Case {
        const char* name;
        bool by_timer;
        INT_PTR expected;
    };
    const Case cases[] = {{"EndDialog in a command handler", false, 42},
                          {"EndDialog in a timer handler", true, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = owner_window();
        bool owner_enabled_inside = true;
        bool owner_enabled_at_hide = false;
        HWND dialog = nullptr;
        g_script.on_message = [&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG) {
                dialog = hwnd;
                owner_enabled_inside = IsWindowEnabled(owner);
                if (c.by_timer) {
                    SetTimer(hwnd, 3, 200, nullptr);
                }
            } else if (msg == WM_TIMER && wparam == 3) {
                EndDialog(hwnd, 7);
                return TRUE;
            } else if (msg == WM_COMMAND && LOWORD(wparam) == IDOK) {
                EndDialog(hwnd, 42);
                return TRUE;
            } else if (msg == WM_SHOWWINDOW && wparam == FALSE) {
                owner_enabled_at_hide = IsWindowEnabled(owner);
            }
            return FALSE;
        };
        if (!c.by_timer) {
            m_host->script_advance(50);
            m_host->script_key(VK_RETURN);
        }
        message_log().clear();
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

TEST_F(Dialogs, NestedModalDialogsEachGiveTheirOwnerBack) {
    HWND owner = owner_window();
    HWND outer = nullptr;
    INT_PTR inner_result = 0;
    bool outer_enabled_inside_inner = true;
    test::TemplateBytes inner_template = button_dialog();
    g_script.on_message = [&](HWND hwnd, UINT msg, WPARAM wparam, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG && outer == nullptr) {
            outer = hwnd;
            PostMessageA(hwnd, kRunNested, 0, 0);
        } else if (msg == WM_INITDIALOG) {
            outer_enabled_inside_inner = IsWindowEnabled(outer);
        } else if (msg == kRunNested) {
            inner_result = DialogBoxIndirectParamA(nullptr, inner_template.as_template(), hwnd,
                                                   test_dialog_proc, 0);
            return TRUE;
        } else if (msg == WM_COMMAND) {
            EndDialog(hwnd, hwnd == outer ? 1000 + LOWORD(wparam) : LOWORD(wparam));
            return TRUE;
        }
        return FALSE;
    };
    m_host->script_key(VK_ESCAPE);  // ends the inner dialog
    m_host->script_key(VK_RETURN);  // then the outer one
    const INT_PTR result =
        DialogBoxIndirectParamA(nullptr, button_dialog().as_template(), owner, test_dialog_proc, 0);
    EXPECT_EQ(inner_result, IDCANCEL);
    EXPECT_EQ(result, 1000 + IDOK);
    EXPECT_FALSE(outer_enabled_inside_inner);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

struct Key {
    WORD vk;
    bool shift;
};

// Keys typed into a modal dialog whose focus starts on OK; the command that ends it.
TEST_F(Dialogs, KeyboardChoosesTheCommand) {
    struct Case {
        const char* name;
        std::vector<Key> keys;
        bool close;
        WPARAM expected;
    };
    const Case cases[] = {
        {"Esc cancels", {{VK_ESCAPE, false}}, false, IDCANCEL},
        {"Enter presses the focused default button", {{VK_RETURN, false}}, false, IDOK},
        {"Tab to Cancel makes it the one Enter presses",
         {{VK_TAB, false}, {VK_RETURN, false}},
         false,
         IDCANCEL},
        {"Enter on an owner-drawn button gives the default id",
         {{VK_TAB, false}, {VK_TAB, false}, {VK_RETURN, false}},
         false,
         IDOK},
        {"Tab wraps past the last tab stop",
         {{VK_TAB, false}, {VK_TAB, false}, {VK_TAB, false}, {VK_TAB, false}, {VK_RETURN, false}},
         false,
         IDCANCEL},
        {"Shift+Tab goes back to Cancel",
         {{VK_TAB, true}, {VK_TAB, true}, {VK_RETURN, false}},
         false,
         IDCANCEL},
        {"closing the window is Cancel", {}, true, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_script.on_message = end_on_command;
        for (const Key& k : c.keys) {
            host::Event shift;
            shift.type = host::EventType::KeyDown;
            shift.vk = VK_SHIFT;
            if (k.shift) {
                m_host->script_event(shift);
            }
            m_host->script_key(k.vk);
            if (k.shift) {
                shift.type = host::EventType::KeyUp;
                m_host->script_event(shift);
            }
        }
        if (c.close) {
            m_host->script_close();
        }
        const INT_PTR result = DialogBoxIndirectParamA(nullptr, button_dialog().as_template(),
                                                       nullptr, test_dialog_proc, 0);
        EXPECT_EQ(result, static_cast<INT_PTR>(c.expected));
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
    struct Case {
        const char* name;
        HWND from;
        BOOL previous;
        HWND disabled;
        HWND expected;
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
        if (c.disabled != nullptr) {
            EnableWindow(c.disabled, FALSE);
        }
        EXPECT_EQ(GetNextDlgTabItem(dlg, c.from, c.previous), c.expected);
        if (c.disabled != nullptr) {
            EnableWindow(c.disabled, TRUE);
        }
    }
}

TEST_F(Dialogs, DefaultProcedureAnswersForTheDialog) {
    g_script.on_message = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        return msg == WM_CTLCOLORDLG ? reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_3DSHADOW))
                                     : FALSE;
    };
    HWND dlg = CreateDialogIndirectParamA(nullptr, button_dialog(WS_VISIBLE).as_template(), nullptr,
                                          test_dialog_proc, 0);
    ASSERT_NE(dlg, nullptr);
    m_windows.push_back(dlg);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    SendMessageA(dlg, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDCANCEL, WM_GETDLGCODE, 0, 0),
              DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDOK, WM_GETDLGCODE, 0, 0),
              DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);

    char text[16];
    EXPECT_TRUE(SetDlgItemTextA(dlg, 101, "Tak"));
    EXPECT_EQ(GetDlgItemTextA(dlg, 101, text, sizeof(text)), 3u);
    EXPECT_STREQ(text, "Tak");
    EXPECT_EQ(GetDlgItemTextA(dlg, 555, text, sizeof(text)), 0u);
    EXPECT_STREQ(text, "");

    // The erase asks the procedure for its brush: a dark grey one here.
    MSG m;
    for (int i = 0; i < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        DispatchMessageA(&m);
    }
    HDC hdc = GetDC(dlg);
    EXPECT_EQ(GetPixel(hdc, 2, 50), RGB(128, 128, 128));
    ReleaseDC(dlg, hdc);

    // WM_CLOSE does not destroy: it posts IDCANCEL.
    message_log().clear();
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(dlg));
    ASSERT_TRUE(PeekMessageA(&m, dlg, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), GetDlgItem(dlg, IDCANCEL));
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
