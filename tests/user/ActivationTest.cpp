// ActivationTest.cpp: what a press on an inactive window asks and the activation messages that
// follow, and the palette messages of a foreground realisation.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using test::Logged;
using test::message_log;

const std::vector<UINT> kActivationMessages = {WM_NCACTIVATE,      WM_ACTIVATE,   WM_ACTIVATEAPP,
                                               WM_QUERYNEWPALETTE, WM_SETFOCUS,   WM_KILLFOCUS,
                                               WM_MOUSEACTIVATE,   WM_LBUTTONDOWN};

// Answers WM_MOUSEACTIVATE as a test asks.
LRESULT g_mouse_activate_answer = 0;

LRESULT CALLBACK test_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_MOUSEACTIVATE && g_mouse_activate_answer != 0) {
        message_log().push_back({hwnd, msg, wparam});
        return g_mouse_activate_answer;
    }
    return test::recording_proc(hwnd, msg, wparam, lparam);
}

class Activation : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        g_mouse_activate_answer = 0;
        SetActiveWindow(nullptr);
    }
    HWND create(DWORD style, int x, int y, int cx, int cy, HWND owner = nullptr, int id = 0) {
        return window(style, x, y, cx, cy, owner, id, test_proc);
    }
};

struct ClickCase {
    const char* name;
    LRESULT answer;  // WM_MOUSEACTIVATE; 0: the default window procedure's
    bool activates, delivered;
};

TEST_F(Activation, APressOnAnInactiveWindowAsksItAndActivates) {
    const ClickCase cases[] = {
        {"default", 0, true, true},
        {"MA_ACTIVATE", MA_ACTIVATE, true, true},
        {"MA_ACTIVATEANDEAT", MA_ACTIVATEANDEAT, true, false},
        {"MA_NOACTIVATE", MA_NOACTIVATE, false, true},
        {"MA_NOACTIVATEANDEAT", MA_NOACTIVATEANDEAT, false, false},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND back = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
        HWND child = create(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, back, 1);
        HWND front = create(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
        drain();
        g_mouse_activate_answer = c.answer;
        message_log().clear();
        mouse(host::EventType::MouseDown, 15, 15, host::kButtonLeft);
        drain();
        std::vector<Logged> expected{{child, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(back)}};
        if (c.answer == 0) {
            // The child's default procedure asks its parent first.
            expected.push_back({back, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(back)});
        }
        if (c.activates) {
            expected.insert(expected.end(), {{front, WM_NCACTIVATE, FALSE},
                                             {front, WM_ACTIVATE, WA_INACTIVE},
                                             {back, WM_QUERYNEWPALETTE, 0},
                                             {back, WM_NCACTIVATE, TRUE},
                                             {back, WM_ACTIVATE, WA_CLICKACTIVE},
                                             {front, WM_KILLFOCUS, reinterpret_cast<WPARAM>(back)},
                                             {back, WM_SETFOCUS, reinterpret_cast<WPARAM>(front)}});
        }
        if (c.delivered) {
            expected.push_back({child, WM_LBUTTONDOWN, MK_LBUTTON});
        }
        test::expect_messages(expected, kActivationMessages);
        EXPECT_EQ(GetActiveWindow(), c.activates ? back : front);
        g_mouse_activate_answer = 0;
        DestroyWindow(front);
        DestroyWindow(back);
    }
}

// Realises its one-colour palette in the foreground when asked, as a program with a palette.
HPALETTE g_palette = nullptr;

LRESULT CALLBACK palette_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg != WM_QUERYNEWPALETTE) {
        return test::recording_proc(hwnd, msg, wparam, lparam);
    }
    message_log().push_back({hwnd, msg, wparam});
    HDC dc = GetDC(hwnd);
    HPALETTE old = SelectPalette(dc, g_palette, FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(hwnd, dc);
    return changed != 0 ? TRUE : FALSE;
}

// gdi's palette tests pin the slots; these are the messages every top-level window hears.
TEST_F(Activation, AForegroundRealisationThatChangesColoursTellsEveryWindow) {
    LOGPALETTE lp{0x300, 1, {{3, 130, 250, 0}}};
    g_palette = CreatePalette(&lp);
    HWND other = create(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    HWND a = window(WS_POPUP, 0, 0, 100, 100, nullptr, 0, palette_proc);
    const std::vector<UINT> watched = {WM_QUERYNEWPALETTE, WM_PALETTEISCHANGING, WM_PALETTECHANGED};
    const auto by_a = reinterpret_cast<WPARAM>(a);
    message_log().clear();
    ShowWindow(a, SW_SHOW);
    test::expect_messages({{a, WM_QUERYNEWPALETTE, 0},
                           {a, WM_PALETTECHANGED, by_a},
                           {other, WM_PALETTECHANGED, by_a},
                           {a, WM_PALETTEISCHANGING, by_a},
                           {other, WM_PALETTEISCHANGING, by_a}},
                          watched);
    message_log().clear();
    SetActiveWindow(other);
    SetActiveWindow(a);  // the same colours again: nobody hears of it
    test::expect_messages({{other, WM_QUERYNEWPALETTE, 0}, {a, WM_QUERYNEWPALETTE, 0}}, watched);
    DeleteObject(g_palette);
}

}  // namespace
