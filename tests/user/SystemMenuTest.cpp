// SystemMenuTest.cpp: the system menu's contents and the ways into it: Alt+Space, a right click
// on the caption, the caption icon, and what its choices send.
#include "platform/host/VirtualKeys.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/windows.h"
#include "tests/user/MenuScript.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kClass = "PiloSystemMenuTestWindow";
constexpr UINT kAboutId = 0x0010;

struct Heard {
    HWND hwnd;
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
};

std::vector<Heard>& heard() {
    static std::vector<Heard> log;
    return log;
}

LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_SYSCOMMAND:
        case WM_CONTEXTMENU:
        case WM_MENUSELECT:
        case WM_CLOSE:
            heard().push_back({hwnd, msg, wparam, lparam});
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

// A captioned popup at (50, 50), 300 x 200: a 3-pixel frame and a 19-pixel caption, so the
// caption's left end is at (53, 53) and its bottom at y = 72.
constexpr RECT kWindow{50, 50, 350, 250};
constexpr POINT kUnderCaption{53, 72};
constexpr POINT kOnCaption{200, 60};
constexpr POINT kInClient{200, 150};

class SystemMenu : public testing::Test {
public:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = window_proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_3DFACE + 1));
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        m_hwnd = make_window(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
        ASSERT_NE(m_hwnd, nullptr);
        SetActiveWindow(m_hwnd);
        SetFocus(m_hwnd);
        run();
        heard().clear();
    }
    void TearDown() override {
        if (IsWindow(m_hwnd)) {
            DestroyWindow(m_hwnd);
        }
        run();
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
    }
    static HWND make_window(DWORD style) {
        return CreateWindowExA(0, kClass, "Okno", style, kWindow.left, kWindow.top,
                               kWindow.right - kWindow.left, kWindow.bottom - kWindow.top, nullptr,
                               nullptr, nullptr, nullptr);
    }
    // The program's loop until the script is spent.
    static void run() {
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    void alt_space() {
        host::Event down;
        down.type = host::EventType::KeyDown;
        down.vk = host::vk::kSpace;
        down.ch = ' ';
        down.modifiers = host::kModAlt;
        m_host.script_event(down);
        host::Event up = down;
        up.type = host::EventType::KeyUp;
        up.ch = 0;
        m_host.script_event(up);
    }
    void add_about() {
        HMENU menu = GetSystemMenu(m_hwnd, FALSE);
        ASSERT_NE(menu, nullptr);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, kAboutId, "&O Programie..."_cp1250);
    }
    // Records where the menu window is when the step runs.
    void note_menu_position() {
        m_host.script_call([this](host::HeadlessHost&) {
            RECT rc{-1, -1, -1, -1};
            GetWindowRect(user::tracking_window(), &rc);
            m_menu_at = POINT{rc.left, rc.top};
        });
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_hwnd = nullptr;
    POINT m_menu_at{-1, -1};
};

TEST_F(SystemMenu, MoveSeparatorAndCloseInPolishWithCloseTheDefault) {
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    ASSERT_NE(menu, nullptr);
    struct Case {
        UINT id;
        UINT state;
        const char* text;
    };
    const Case expected[] = {
        {SC_MOVE, MF_STRING, "&Przenie\x9c"},
        {0, MF_SEPARATOR, ""},
        {SC_CLOSE, MF_STRING | MF_DEFAULT, "&Zamknij\tAlt+F4"},
    };
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(std::size(expected)));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const UINT pos = static_cast<UINT>(i);
        EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(i)), expected[i].id);
        EXPECT_EQ(GetMenuState(menu, pos, MF_BYPOSITION), expected[i].state);
        char text[64] = {};
        GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i].text);
    }
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(SC_CLOSE));
}

TEST_F(SystemMenu, OneCopyPerWindowUntilReverted) {
    HMENU first = GetSystemMenu(m_hwnd, FALSE);
    add_about();
    struct Case {
        const char* name;
        HWND hwnd;
        BOOL revert;
        bool expect_null;
        bool expect_same;
        int expect_count;
    };
    HWND plain = make_window(WS_POPUP | WS_VISIBLE);
    const Case cases[] = {
        {"second call: the same copy with the program's items", m_hwnd, FALSE, false, true, 5},
        {"revert throws the copy away", m_hwnd, TRUE, true, false, 0},
        {"then a fresh copy", m_hwnd, FALSE, false, false, 3},
        {"no WS_SYSMENU: none", plain, FALSE, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU got = GetSystemMenu(c.hwnd, c.revert);
        EXPECT_EQ(got == nullptr, c.expect_null);
        if (!c.expect_null) {
            EXPECT_EQ(got == first, c.expect_same);
            EXPECT_EQ(GetMenuItemCount(got), c.expect_count);
        }
    }
    EXPECT_FALSE(IsMenu(first));  // the reverted copy is gone
    HMENU last = GetSystemMenu(m_hwnd, FALSE);
    DestroyWindow(m_hwnd);
    GetSystemMenu(plain, FALSE);  // copies of windows that went away are dropped
    EXPECT_FALSE(IsMenu(last));
    DestroyWindow(plain);
}

TEST_F(SystemMenu, WaysInAndWhatAChoiceSends) {
    struct Case {
        const char* name;
        void (*open)(SystemMenu&);
        void (*act)(SystemMenu&);
        POINT menu_at;   // expected top-left of the menu; (-1, -1): no menu
        UINT highlight;  // the first item highlighted; 0: none
        UINT command;    // expected WM_SYSCOMMAND id afterwards; 0: none
    };
    const Case cases[] = {
        {"Alt+Space, Up to the last item, Enter", [](SystemMenu& t) { t.alt_space(); },
         [](SystemMenu& t) {
             t.m_host.script_key(host::vk::kUp);
             t.m_host.script_key(host::vk::kReturn);
         },
         kUnderCaption, SC_MOVE, kAboutId},
        {"Alt+Space, Esc", [](SystemMenu& t) { t.alt_space(); },
         [](SystemMenu& t) { t.m_host.script_key(host::vk::kEscape); }, kUnderCaption, SC_MOVE, 0},
        {"right click on the caption, click on the About entry",
         [](SystemMenu& t) {
             t.m_host.script_click(kOnCaption.x, kOnCaption.y, host::MouseButton::Right);
         },
         [](SystemMenu& t) { test::script_click_item(t.m_host, 4); }, kOnCaption, kAboutId,
         kAboutId},
        {"the caption icon's press",
         [](SystemMenu& t) {
             PostMessageA(t.m_hwnd, WM_NCLBUTTONDOWN, HTSYSMENU,
                          MAKELPARAM(kUnderCaption.x + 4, kUnderCaption.y - 8));
         },
         [](SystemMenu& t) { t.m_host.script_key(host::vk::kEscape); }, kUnderCaption, 0, 0},
        {"a context menu request over the client area opens nothing",
         [](SystemMenu& t) {
             PostMessageA(t.m_hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(t.m_hwnd),
                          MAKELPARAM(kInClient.x, kInClient.y));
         },
         [](SystemMenu&) {},
         {-1, -1},
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        add_about();
        heard().clear();
        m_menu_at = POINT{-1, -1};
        c.open(*this);
        note_menu_position();
        c.act(*this);
        run();
        EXPECT_EQ(m_menu_at.x, c.menu_at.x);
        EXPECT_EQ(m_menu_at.y, c.menu_at.y);

        std::vector<UINT> menu_messages;
        UINT command = 0;
        UINT highlight = 0;
        for (const Heard& h : heard()) {
            if (h.msg == WM_MENUSELECT) {
                if (highlight == 0 && HIWORD(h.wparam) != 0xFFFF) {
                    highlight = LOWORD(h.wparam);
                    EXPECT_NE(HIWORD(h.wparam) & MF_SYSMENU, 0);
                }
                continue;
            }
            if (h.msg == WM_SYSCOMMAND && (h.wparam & 0xFFF0) == kAboutId) {
                command = static_cast<UINT>(h.wparam);
            } else if (h.msg != WM_SYSCOMMAND && h.msg != WM_CONTEXTMENU) {
                menu_messages.push_back(h.msg);
            }
            if (h.msg == WM_INITMENU || h.msg == WM_INITMENUPOPUP) {
                EXPECT_EQ(h.wparam, reinterpret_cast<WPARAM>(GetSystemMenu(m_hwnd, FALSE)));
            }
            if (h.msg == WM_INITMENUPOPUP) {
                EXPECT_EQ(HIWORD(h.lparam), TRUE);  // the system menu
            }
        }
        EXPECT_EQ(command, c.command);
        EXPECT_EQ(highlight, c.highlight);
        const std::vector<UINT> opened = {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP,
                                          WM_EXITMENULOOP};
        EXPECT_EQ(menu_messages, c.menu_at.x < 0 ? std::vector<UINT>{} : opened);
        GetSystemMenu(m_hwnd, TRUE);
    }
}

TEST_F(SystemMenu, ChoosingCloseClosesTheWindow) {
    alt_space();
    m_host.script_call([](host::HeadlessHost& h) { h.write_png("system_menu.png"); });
    m_host.script_key(host::vk::kUp);  // Close, the last item
    m_host.script_key(host::vk::kReturn);
    run();
    std::vector<UINT> got;
    for (const Heard& h : heard()) {
        if (h.msg == WM_SYSCOMMAND || h.msg == WM_CLOSE) {
            got.push_back(h.msg == WM_SYSCOMMAND ? static_cast<UINT>(h.wparam & 0xFFF0) : h.msg);
        }
    }
    // Alt+Space itself arrives as SC_KEYMENU; the choice as SC_CLOSE, which closes.
    const std::vector<UINT> expected = {SC_KEYMENU, SC_CLOSE, WM_CLOSE};
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(IsWindow(m_hwnd));
}

}  // namespace
