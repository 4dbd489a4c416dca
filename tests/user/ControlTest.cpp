// ControlTest.cpp: the "Button" and "Static" classes: owner-draw sequences under the mouse
// and keyboard, states, dialog codes, the 3D push button, and statics that let the mouse through.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/user/Controls.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kParentClass = "PiloControlTestParent";
constexpr int kButtonId = 1005;

// What the parent hears: drawing requests with their action and state, notifications with
// their code, and mouse presses with their client point.
struct Heard {
    UINT msg;
    UINT a;  // WM_DRAWITEM: itemAction; WM_COMMAND: notification; mouse: x
    UINT b;  // WM_DRAWITEM: itemState; WM_COMMAND: control id; mouse: y
    bool operator==(const Heard&) const = default;
};

std::vector<Heard> g_heard;
DRAWITEMSTRUCT g_last_draw{};

LRESULT CALLBACK parent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            g_last_draw = *dis;
            g_heard.push_back({msg, dis->itemAction, dis->itemState});
            return TRUE;
        }
        case WM_COMMAND:
            g_heard.push_back({msg, HIWORD(wparam), LOWORD(wparam)});
            return 0;
        case WM_LBUTTONDOWN:
            g_heard.push_back({msg, static_cast<UINT>(GET_X_LPARAM(lparam)),
                               static_cast<UINT>(GET_Y_LPARAM(lparam))});
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

std::string describe(const std::vector<Heard>& list) {
    std::ostringstream out;
    for (const Heard& h : list) {
        out << "  msg 0x" << std::hex << h.msg << std::dec << " " << h.a << " " << h.b << "\n";
    }
    return out.str();
}

void expect_heard(const std::vector<Heard>& expected) {
    EXPECT_EQ(g_heard, expected) << "got:\n"
                                 << describe(g_heard) << "expected:\n"
                                 << describe(expected);
}

Heard draw(UINT action, UINT state) {
    return {WM_DRAWITEM, action, state};
}
Heard note(UINT code) {
    return {WM_COMMAND, code, kButtonId};
}

class Controls : public testing::Test {
public:
    void down(int x, int y) { mouse(host::EventType::MouseDown, x, y, host::kButtonLeft); }
    void drag(int x, int y) { mouse(host::EventType::MouseMove, x, y, host::kButtonLeft); }
    void up(int x, int y) { mouse(host::EventType::MouseUp, x, y, 0); }

protected:
    void SetUp() override {
        m_host = std::make_unique<host::HeadlessHost>();
        m_install = std::make_unique<host::ScopedInstall>(*m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = parent_proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
        wc.lpszClassName = kParentClass;
        if (!GetClassInfoA(nullptr, kParentClass, &wc)) {
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        // A frameless popup at the screen's origin: its client and screen points agree.
        m_parent = CreateWindowExA(0, kParentClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        g_heard.clear();
    }
    void TearDown() override {
        DestroyWindow(m_parent);
        pump();
        m_install.reset();
    }

    HWND child(const char* class_name, const char* text, DWORD style, int x, int y, int cx, int cy,
               int id = kButtonId) {
        return CreateWindowExA(0, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                               m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }
    static void pump() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    void mouse(host::EventType type, int x, int y, std::uint8_t buttons) {
        host::Event e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.button =
            type == host::EventType::MouseMove ? host::MouseButton::None : host::MouseButton::Left;
        e.buttons = buttons;
        m_host->push_event(e);
        pump();
    }
    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_parent = nullptr;
};

constexpr UINT kSel = ODS_SELECTED;
constexpr UINT kFoc = ODS_FOCUS;

// The button covers (10, 10)-(34, 34); (100, 100) is outside it.
TEST_F(Controls, OwnerDrawnButtonFollowsTheMouse) {
    struct Case {
        const char* name;
        std::function<void(Controls&)> act;
        std::vector<Heard> expected;
    };
    const Case cases[] = {
        {"press and release inside",
         [](Controls& t) {
             t.down(20, 20);
             t.up(20, 20);
         },
         {draw(ODA_FOCUS, kFoc), note(BN_SETFOCUS), draw(ODA_SELECT, kSel | kFoc),
          draw(ODA_SELECT, kFoc), note(BN_CLICKED)}},
        {"dragged out and back in",
         [](Controls& t) {
             t.down(20, 20);
             t.drag(100, 100);
             t.drag(101, 100);  // no change: nothing drawn
             t.drag(30, 30);
             t.up(30, 30);
         },
         {draw(ODA_FOCUS, kFoc), note(BN_SETFOCUS), draw(ODA_SELECT, kSel | kFoc),
          draw(ODA_SELECT, kFoc), draw(ODA_SELECT, kSel | kFoc), draw(ODA_SELECT, kFoc),
          note(BN_CLICKED)}},
        {"dragged out and released there",
         [](Controls& t) {
             t.down(20, 20);
             t.drag(100, 100);
             t.up(100, 100);
         },
         {draw(ODA_FOCUS, kFoc), note(BN_SETFOCUS), draw(ODA_SELECT, kSel | kFoc),
          draw(ODA_SELECT, kFoc)}},
        {"released outside without a move",
         [](Controls& t) {
             t.down(20, 20);
             t.up(100, 100);
         },
         {draw(ODA_FOCUS, kFoc), note(BN_SETFOCUS), draw(ODA_SELECT, kSel | kFoc),
          draw(ODA_SELECT, kFoc)}},
        {"a release without a press", [](Controls& t) { t.up(20, 20); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = child("Button", "", BS_OWNERDRAW | BS_NOTIFY, 10, 10, 24, 24);
        ASSERT_NE(button, nullptr);
        pump();
        g_heard.clear();
        c.act(*this);
        expect_heard(c.expected);
        EXPECT_EQ(GetCapture(), nullptr) << "capture is released";
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
        DestroyWindow(button);
    }
}

TEST_F(Controls, OwnerDrawnButtonAnswersFocusEnableKeysAndDoubleClicks) {
    struct Case {
        const char* name;
        bool focused_first;
        std::function<void(HWND)> act;
        std::vector<Heard> expected;
    };
    const Case cases[] = {
        {"losing the focus",
         true,
         [](HWND) { SetFocus(nullptr); },
         {draw(ODA_FOCUS, 0), note(BN_KILLFOCUS)}},
        {"disabled",
         false,
         [](HWND b) { EnableWindow(b, FALSE); },
         {draw(ODA_DRAWENTIRE, ODS_DISABLED)}},
        {"space pressed and released",
         true,
         [](HWND b) {
             SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0);
             SendMessageA(b, WM_KEYUP, VK_SPACE, 0);
         },
         {draw(ODA_SELECT, kSel | kFoc), draw(ODA_SELECT, kFoc), note(BN_CLICKED)}},
        {"double click is no press",
         true,
         [](HWND b) { SendMessageA(b, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); },
         {note(BN_DBLCLK)}},
        {"pushed by the program",
         false,
         [](HWND b) { SendMessageA(b, BM_SETSTATE, TRUE, 0); },
         {draw(ODA_SELECT, kSel)}},
        {"focus lost while pressed cancels the press",
         true,
         [](HWND b) {
             SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SetFocus(nullptr);
             SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         // Losing the capture lets the button up before the owner hears of the focus.
         {draw(ODA_SELECT, kSel | kFoc), draw(ODA_FOCUS, kSel), draw(ODA_SELECT, 0),
          note(BN_KILLFOCUS)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = child("Button", "", BS_OWNERDRAW | BS_NOTIFY, 10, 10, 24, 24);
        ASSERT_NE(button, nullptr);
        if (c.focused_first) {
            SetFocus(button);
        }
        pump();
        g_heard.clear();
        c.act(button);
        expect_heard(c.expected);
        DestroyWindow(button);
    }
    HWND button = child("Button", "", BS_OWNERDRAW, 10, 10, 24, 24);
    g_heard.clear();
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(g_last_draw.CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(g_last_draw.CtlID, static_cast<UINT>(kButtonId));
    EXPECT_EQ(g_last_draw.hwndItem, button);
    EXPECT_EQ(g_last_draw.itemID, 0u);
    EXPECT_EQ(g_last_draw.rcItem.right, 24);
    EXPECT_EQ(g_last_draw.rcItem.bottom, 24);
    EXPECT_NE(g_last_draw.hDC, nullptr);
}

TEST_F(Controls, ButtonTypesKeepTheirChecksAndAnswerTheirDialogCodes) {
    struct Case {
        const char* name;
        DWORD type;
        WPARAM check;
        LRESULT kept;
        LRESULT code;
    };
    const Case cases[] = {
        {"push button", BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED,
         DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {"default push button", BS_DEFPUSHBUTTON, BST_CHECKED, BST_UNCHECKED,
         DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {"owner drawn", BS_OWNERDRAW, BST_CHECKED, BST_UNCHECKED, DLGC_BUTTON},
        {"check box", BS_CHECKBOX, BST_INDETERMINATE, BST_CHECKED, DLGC_BUTTON},
        {"three states", BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE, DLGC_BUTTON},
        {"radio button", BS_AUTORADIOBUTTON, BST_CHECKED, BST_CHECKED, DLGC_RADIOBUTTON},
        {"group box", BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = child("Button", "B", c.type, 10, 10, 40, 20);
        SendMessageA(button, BM_SETCHECK, c.check, 0);
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), c.kept);
        EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.code);
        DestroyWindow(button);
    }
    // An auto check box toggles on each click and says so.
    HWND box = child("Button", "B", BS_AUTOCHECKBOX, 10, 10, 40, 20);
    g_heard.clear();
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    expect_heard({note(BN_CLICKED), note(BN_CLICKED)});
}

// A 75 x 23 push button at (10, 50): the default one has a black ring outside the 3D edges,
// a pushed one a shadow ring instead of them.
TEST_F(Controls, PushButtonDrawsTheRaisedLook) {
    constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
    constexpr COLORREF kFace = RGB(192, 192, 192), kShadow = RGB(128, 128, 128);
    struct Probe {
        int x, y;
        COLORREF color;
    };
    struct Case {
        const char* name;
        DWORD type;
        bool pushed;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"plain",
         BS_PUSHBUTTON,
         false,
         {{0, 0, kWhite},
          {0, 22, kBlack},
          {74, 0, kBlack},
          {1, 1, kFace},
          {73, 10, kShadow},
          {1, 21, kShadow},
          {5, 5, kFace}}},
        {"default",
         BS_DEFPUSHBUTTON,
         false,
         {{0, 0, kBlack},
          {74, 22, kBlack},
          {1, 1, kWhite},
          {73, 10, kBlack},
          {72, 10, kShadow},
          {2, 2, kFace}}},
        {"pushed",
         BS_PUSHBUTTON,
         true,
         {{0, 0, kBlack}, {1, 1, kShadow}, {73, 10, kShadow}, {2, 2, kFace}, {74, 10, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = child("Button", "", c.type, 10, 50, 75, 23);
        pump();
        if (c.pushed) {
            SendMessageA(button, BM_SETSTATE, TRUE, 0);
        }
        HDC hdc = GetDC(m_parent);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(GetPixel(hdc, 10 + p.x, 50 + p.y), p.color) << "at " << p.x << "," << p.y;
        }
        ReleaseDC(m_parent, hdc);
        DestroyWindow(button);
    }
}

// A plain static lets the mouse through to its parent, in the parent's coordinates; a
// notifying one takes it and tells the parent.
TEST_F(Controls, StaticPassesTheMouseUnlessItNotifies) {
    struct Case {
        const char* name;
        DWORD style;
        std::vector<Heard> expected;
        bool static_is_hit;
    };
    const Case cases[] = {
        {"plain", SS_LEFT, {{WM_LBUTTONDOWN, 60, 45}}, false},
        {"notify", SS_LEFT | SS_NOTIFY, {{WM_COMMAND, STN_CLICKED, 1000}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND label = child("Static", "Static", c.style, 50, 40, 60, 20, 1000);
        ASSERT_NE(label, nullptr);
        pump();
        g_heard.clear();
        EXPECT_EQ(WindowFromPoint(POINT{60, 45}), c.static_is_hit ? label : m_parent);
        down(60, 45);
        up(60, 45);
        expect_heard(c.expected);
        DestroyWindow(label);
    }
}

TEST_F(Controls, StaticIconTakesTheIconsSize) {
    HDC screen = GetDC(nullptr);
    HBITMAP color = CreateCompatibleBitmap(screen, 32, 32);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    HWND picture = child("Static", "", SS_ICON, 5, 6, 10, 10, 1);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
    EXPECT_EQ(SendMessageA(picture, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
    RECT rc;
    GetClientRect(picture, &rc);
    EXPECT_EQ(rc.right, 32);
    EXPECT_EQ(rc.bottom, 32);
    HWND text = child("Static", "", SS_LEFT, 5, 6, 10, 10, 2);
    EXPECT_EQ(SendMessageA(text, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0)
        << "a text static takes no icon";
    DestroyWindow(picture);
    DestroyWindow(text);
    DestroyIcon(icon);
    DeleteObject(color);
    DeleteObject(mask);
}

// Widths are measured here in the same font, so each case states where the line must break.
TEST_F(Controls, TextWrapsAtSpacesAndBreaksLongWords) {
    HDC hdc = CreateCompatibleDC(nullptr);
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    auto width = [hdc](const char* s) {
        SIZE size{};
        GetTextExtentPoint32A(hdc, s, static_cast<int>(strlen(s)), &size);
        return static_cast<int>(size.cx);
    };
    struct Case {
        const char* name;
        const char* text;
        int max_width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits", "aaa bbb", width("aaa bbb"), {"aaa bbb"}},
        {"one pixel short", "aaa bbb", width("aaa bbb") - 1, {"aaa", "bbb"}},
        {"two words a line", "aa bb cc dd", width("aa bb"), {"aa bb", "cc dd"}},
        {"explicit breaks", "a\r\nb\nc", 1000, {"a", "b", "c"}},
        {"empty line kept", "a\n\nb", 1000, {"a", "", "b"}},
        {"long word broken", "wwwwww", width("www"), {"www", "www"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.text;
        std::vector<std::string> got;
        for (const user::TextLine& line : user::wrap_text(hdc, text, c.max_width)) {
            got.push_back(text.substr(line.start, line.length));
        }
        EXPECT_EQ(got, c.lines);
    }
    DeleteDC(hdc);
}

}  // namespace
