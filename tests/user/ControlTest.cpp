// ControlTest.cpp: the "Button" class: owner-draw sequences under the mouse and keyboard,
// kept checks and the dialog codes the dialog manager's keys go by; control text: its '&' marks
// and how it breaks into lines.
#include "platform/win32/user/Controls.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kButtonId = 1005;

// What the parent hears: drawing requests with their action and state, notifications with
// their code.
struct Heard {
    UINT msg;
    UINT a;  // WM_DRAWITEM: itemAction; WM_COMMAND: notification
    UINT b;  // WM_DRAWITEM: itemState; WM_COMMAND: control id
    bool operator==(const Heard&) const = default;
};

std::vector<Heard> g_heard;

LRESULT CALLBACK parent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            g_heard.push_back({msg, dis->itemAction, dis->itemState});
            return TRUE;
        }
        case WM_COMMAND:
            g_heard.push_back({msg, HIWORD(wparam), LOWORD(wparam)});
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

// How gtest prints a Heard in a failure.
void PrintTo(const Heard& h, std::ostream* out) {
    *out << "{0x" << std::hex << h.msg << std::dec << ", " << h.a << ", " << h.b << "}";
}

Heard draw(UINT action, UINT state) {
    return {WM_DRAWITEM, action, state};
}
Heard note(UINT code) {
    return {WM_COMMAND, code, kButtonId};
}

// Buttons are children of a frameless popup at the screen's origin.
class Controls : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        m_parent = window(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, 0, parent_proc);
        g_heard.clear();
    }
    HWND child(const char* text, DWORD style, int x, int y, int cx, int cy) {
        return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                               m_parent, reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
    }
    HWND m_parent = nullptr;
};

constexpr UINT kSel = ODS_SELECTED, kFoc = ODS_FOCUS;

TEST_F(Controls, OwnerDrawnButtonAnswersTheMouseFocusEnableKeysAndDoubleClicks) {
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
        {"disabled with the focus, which it loses",
         true,
         [](HWND b) { EnableWindow(b, FALSE); },
         {draw(ODA_FOCUS, ODS_DISABLED), note(BN_KILLFOCUS), draw(ODA_DRAWENTIRE, ODS_DISABLED)}},
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
        {"dragged out and back in before the release",
         true,
         [](HWND b) {
             SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
             SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(101, 100));  // nothing drawn
             SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(23, 23));
             SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(23, 23));
         },
         {draw(ODA_SELECT, kSel | kFoc), draw(ODA_SELECT, kFoc), draw(ODA_SELECT, kSel | kFoc),
          draw(ODA_SELECT, kFoc), note(BN_CLICKED)}},
        {"released outside: no click",
         true,
         [](HWND b) {
             SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(24, 5));
         },
         {draw(ODA_SELECT, kSel | kFoc), draw(ODA_SELECT, kFoc)}},
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
        HWND button = child("", BS_OWNERDRAW | BS_NOTIFY, 10, 10, 24, 24);
        if (c.focused_first) {
            SetFocus(button);
        }
        drain();
        g_heard.clear();
        c.act(button);
        EXPECT_EQ(g_heard, c.expected);
        DestroyWindow(button);
    }
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
        HWND button = child("B", c.type, 10, 10, 40, 20);
        SendMessageA(button, BM_SETCHECK, c.check, 0);
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), c.kept);
        EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.code);
        DestroyWindow(button);
    }
    // An auto check box toggles on each click and says so.
    HWND box = child("B", BS_AUTOCHECKBOX, 10, 10, 40, 20);
    g_heard.clear();
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(g_heard, (std::vector<Heard>{note(BN_CLICKED), note(BN_CLICKED)}));
}

// Button, static and message-box texts show without their '&' marks.
TEST(ControlText, AmpersandsMarkTheNextCharacterAndTwoStandForOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Nowa gra", "Nowa gra"},
        {"Za&mknij", "Zamknij"},
        {"A && B", "A & B"},
        {"koniec&", "koniec&"} /* a last '&' marks nothing */,
        {"&&&x", "&x"},
        {"", ""},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(user::strip_prefixes(text), shown) << text;
    }
}

// Text breaks at "\n" or "\r\n", else after the last space that fits; a word wider than the
// line breaks between characters.
TEST_F(Controls, TextBreaksAtNewlinesThenAfterTheLastSpaceThatFits) {
    struct Case {
        const char* text;
        const char* fits;  // the widest text a line takes
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"jeden\ndwa", "jeden dwa", {"jeden", "dwa"}},
        {"jeden\r\n\r\ndwa", "jeden dwa", {"jeden", "", "dwa"}},
        {"raz dwa trzy", "raz dwa t", {"raz dwa", "trzy"}},
        {"raz   ", "raz", {"raz"}} /* the spaces after a break make no line */,
        {"aaaaaa", "aaa", {"aaa", "aaa"}},
        {"", "", {""}},
    };
    HDC dc = GetDC(m_parent);
    for (const Case& c : cases) {
        SIZE fits{};
        GetTextExtentPoint32A(dc, c.fits, static_cast<int>(std::strlen(c.fits)), &fits);
        std::vector<std::string> lines;
        for (const user::TextLine& line : user::wrap_text(dc, c.text, fits.cx)) {
            lines.emplace_back(c.text + line.start, line.length);
        }
        EXPECT_EQ(lines, c.lines) << c.text;
    }
    ReleaseDC(m_parent, dc);
}

}  // namespace
