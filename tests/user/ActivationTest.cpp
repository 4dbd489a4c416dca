// ActivationTest.cpp: what a press on an inactive window asks and the activation messages that
// follow, and the palette messages of foreground and background realisation.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

const std::vector<UINT> kActivationMessages = {WM_NCACTIVATE,      WM_ACTIVATE,   WM_ACTIVATEAPP,
                                               WM_QUERYNEWPALETTE, WM_SETFOCUS,   WM_KILLFOCUS,
                                               WM_MOUSEACTIVATE,   WM_LBUTTONDOWN};

// Answers WM_MOUSEACTIVATE as a test asks; realises the window's palette on
// WM_QUERYNEWPALETTE and WM_PALETTECHANGED like a program that keeps one.
LRESULT g_mouse_activate_answer = 0;
std::map<HWND, HPALETTE>& palettes() {
    static std::map<HWND, HPALETTE> map;
    return map;
}

UINT realise(HWND hwnd, bool background) {
    HDC dc = GetDC(hwnd);
    HPALETTE old = SelectPalette(dc, palettes()[hwnd], background ? TRUE : FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(hwnd, dc);
    return changed;
}

LRESULT CALLBACK test_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_MOUSEACTIVATE && g_mouse_activate_answer != 0) {
        message_log().push_back({hwnd, msg, wparam});
        return g_mouse_activate_answer;
    }
    if (palettes().count(hwnd) != 0) {
        if (msg == WM_QUERYNEWPALETTE) {
            message_log().push_back({hwnd, msg, wparam});
            return realise(hwnd, false) != 0 ? TRUE : FALSE;
        }
        if (msg == WM_PALETTECHANGED) {
            message_log().push_back({hwnd, msg, wparam});
            if (reinterpret_cast<HWND>(wparam) != hwnd) {
                realise(hwnd, true);
            }
            return 0;
        }
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
    void TearDown() override {
        destroy_windows();
        for (auto& [hwnd, palette] : palettes()) {
            DeleteObject(palette);
        }
        palettes().clear();
        UserTest::TearDown();
    }
    HWND create(DWORD style, int x, int y, int cx, int cy, HWND owner = nullptr, int id = 0) {
        return window(style, x, y, cx, cy, owner, id, test_proc);
    }
    void press(int x, int y) { mouse(host::EventType::MouseDown, x, y, host::kButtonLeft); }
};

struct ClickCase {
    const char* name;
    LRESULT answer;  // WM_MOUSEACTIVATE; 0: the default window procedure's
    bool activates;
    bool delivered;
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
        press(15, 15);
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

PALETTEENTRY entry(BYTE r, BYTE g, BYTE b) {
    return PALETTEENTRY{r, g, b, 0};
}

HPALETTE make_palette(std::initializer_list<PALETTEENTRY> entries) {
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(bytes.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(entries.size());
    std::copy(entries.begin(), entries.end(), lp->palPalEntry);
    return CreatePalette(lp);
}

bool system_palette_has(PALETTEENTRY colour) {
    HDC screen = GetDC(nullptr);
    PALETTEENTRY all[256];
    const UINT n = GetSystemPaletteEntries(screen, 0, 256, all);
    ReleaseDC(nullptr, screen);
    for (UINT i = 0; i < n; ++i) {
        if (all[i].peRed == colour.peRed && all[i].peGreen == colour.peGreen &&
            all[i].peBlue == colour.peBlue) {
            return true;
        }
    }
    return false;
}

TEST_F(Activation, TheActiveWindowRealisesInTheForegroundAndOthersHearOfIt) {
    const PALETTEENTRY first = entry(3, 130, 250);
    const PALETTEENTRY second = entry(250, 3, 130);
    HWND a = create(WS_POPUP, 0, 0, 100, 100);
    HWND b = create(WS_POPUP, 200, 0, 100, 100);
    palettes()[a] = make_palette({first});
    palettes()[b] = make_palette({second});
    ShowWindow(b, SW_SHOWNA);
    message_log().clear();
    const std::vector<UINT> watched = {WM_QUERYNEWPALETTE, WM_PALETTEISCHANGING, WM_PALETTECHANGED};
    struct Step {
        const char* name;
        std::function<void()> action;
        std::vector<Logged> expected;
    };
    const Step steps[] = {
        {"a becomes active and takes a slot",
         [&] { ShowWindow(a, SW_SHOW); },
         {{a, WM_QUERYNEWPALETTE, 0},
          {a, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(a)},
          {b, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(a)},
          {a, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(a)},
          {b, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(a)}}},
        {"realising the same palette again changes nothing and tells nobody",
         [&] { realise(a, false); },
         {}},
        {"an inactive window realises in the background only", [&] { realise(b, false); }, {}},
        {"b becomes active: the foreground realisation frees a's slot",
         [&] { SetActiveWindow(b); },
         {{b, WM_QUERYNEWPALETTE, 0},
          {b, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(b)},
          {a, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(b)},
          {b, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(b)},
          {a, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(b)}}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        message_log().clear();
        s.action();
        test::expect_messages(s.expected, watched);
        EXPECT_TRUE(system_palette_has(first) && system_palette_has(second)) << "both keep a slot";
    }
    EXPECT_EQ(DefWindowProcA(a, WM_QUERYNEWPALETTE, 0, 0), FALSE);
}

}  // namespace
