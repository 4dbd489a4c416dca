// ActivationTest.cpp: which window is active, the activation message order, clicks, disabled
// windows, palette messages and the host's close request.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

constexpr const char* kClass = "PiloActivationTestWindow";

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
std::vector<UINT>& realised_counts() {
    static std::vector<UINT> counts;
    return counts;
}

UINT realise(HWND hwnd, bool background) {
    HDC dc = GetDC(hwnd);
    HPALETTE old = SelectPalette(dc, palettes()[hwnd], background ? TRUE : FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(hwnd, dc);
    realised_counts().push_back(changed);
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

class Activation : public testing::Test {
protected:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = test_proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        g_mouse_activate_answer = 0;
        realised_counts().clear();
        SetActiveWindow(nullptr);
        message_log().clear();
    }
    void TearDown() override {
        for (HWND hwnd : m_windows) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
        drain();
        for (auto& [hwnd, palette] : palettes()) {
            DeleteObject(palette);
        }
        palettes().clear();
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
    }
    HWND create(DWORD style, int x, int y, int cx, int cy, HWND owner = nullptr) {
        HWND hwnd =
            CreateWindowExA(0, kClass, "", style, x, y, cx, cy, owner, nullptr, nullptr, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }
    static void drain() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
    }
    void press(int x, int y) {
        host::Event e;
        e.type = host::EventType::MouseDown;
        e.button = host::MouseButton::Left;
        e.buttons = host::kButtonLeft;
        e.x = x;
        e.y = y;
        m_host.push_event(e);
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    std::vector<HWND> m_windows;
};

// Windows of a case by number: 0 and 1 are unowned popups, 2 is owned by 0. The wParam of
// WM_SETFOCUS and WM_KILLFOCUS is a window number too, kNone for no window.
constexpr int kNone = -1;
struct Expected {
    int window;
    UINT msg;
    int wparam;
};

struct SequenceCase {
    const char* name;
    std::vector<int> shown;  // shown in this order before the action, the last one active
    std::function<void(const std::vector<HWND>&)> action;
    std::vector<Expected> expected;
    int active_after;  // -1: none
};

TEST_F(Activation, MessagesArriveInTheRealOrder) {
    const SequenceCase cases[] = {
        {"showing the first window",
         {},
         [](const auto& w) { ShowWindow(w[0], SW_SHOW); },
         {{0, WM_QUERYNEWPALETTE, 0},
          // every top-level window, shown or not, front first: the owned window stays above
          // its owner as the owner comes to the top
          {2, WM_ACTIVATEAPP, TRUE},
          {0, WM_ACTIVATEAPP, TRUE},
          {1, WM_ACTIVATEAPP, TRUE},
          {0, WM_NCACTIVATE, TRUE},
          {0, WM_ACTIVATE, WA_ACTIVE},
          {0, WM_SETFOCUS, kNone}},
         0},
        {"showing a second window",
         {0},
         [](const auto& w) { ShowWindow(w[1], SW_SHOWNORMAL); },
         {{0, WM_NCACTIVATE, FALSE},
          {0, WM_ACTIVATE, WA_INACTIVE},
          {1, WM_QUERYNEWPALETTE, 0},
          {1, WM_NCACTIVATE, TRUE},
          {1, WM_ACTIVATE, WA_ACTIVE},
          {0, WM_KILLFOCUS, 1},
          {1, WM_SETFOCUS, 0}},
         1},
        {"showing without activation",
         {0},
         [](const auto& w) { ShowWindow(w[1], SW_SHOWNA); },
         {},
         0},
        {"SWP_SHOWWINDOW activates",
         {0},
         [](const auto& w) {
             SetWindowPos(w[1], nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
         },
         {{0, WM_NCACTIVATE, FALSE},
          {0, WM_ACTIVATE, WA_INACTIVE},
          {1, WM_QUERYNEWPALETTE, 0},
          {1, WM_NCACTIVATE, TRUE},
          {1, WM_ACTIVATE, WA_ACTIVE},
          {0, WM_KILLFOCUS, 1},
          {1, WM_SETFOCUS, 0}},
         1},
        {"destroying an owned window activates its owner, not the front window",
         {0, 1, 2},
         [](const auto& w) { DestroyWindow(w[2]); },
         {{2, WM_NCACTIVATE, FALSE},
          {2, WM_ACTIVATE, WA_INACTIVE},
          {0, WM_QUERYNEWPALETTE, 0},
          {0, WM_NCACTIVATE, TRUE},
          {0, WM_ACTIVATE, WA_ACTIVE},
          {2, WM_KILLFOCUS, 0},
          {0, WM_SETFOCUS, 2}},
         0},
        {"hiding the active window activates the front one left",
         {0, 1},
         [](const auto& w) { ShowWindow(w[1], SW_HIDE); },
         {{1, WM_NCACTIVATE, FALSE},
          {1, WM_ACTIVATE, WA_INACTIVE},
          {0, WM_QUERYNEWPALETTE, 0},
          {0, WM_NCACTIVATE, TRUE},
          {0, WM_ACTIVATE, WA_ACTIVE},
          {1, WM_KILLFOCUS, 0},
          {0, WM_SETFOCUS, 1}},
         0},
        {"destroying the last window leaves none active",
         {0},
         [](const auto& w) {
             DestroyWindow(w[1]);
             DestroyWindow(w[2]);
             DestroyWindow(w[0]);
         },
         {{0, WM_NCACTIVATE, FALSE},
          {0, WM_ACTIVATE, WA_INACTIVE},
          {0, WM_ACTIVATEAPP, FALSE},
          {0, WM_KILLFOCUS, kNone}},
         -1},
        {"a disabled window is skipped",
         {1, 0},
         [](const auto& w) {
             EnableWindow(w[1], FALSE);
             DestroyWindow(w[0]);
         },
         {{0, WM_NCACTIVATE, FALSE},
          {0, WM_ACTIVATE, WA_INACTIVE},
          {0, WM_ACTIVATEAPP, FALSE},
          {1, WM_ACTIVATEAPP, FALSE},
          {0, WM_KILLFOCUS, kNone}},
         -1},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<HWND> w;
        w.push_back(create(WS_POPUP, 0, 0, 100, 100));
        w.push_back(create(WS_POPUP, 200, 0, 100, 100));
        w.push_back(create(WS_POPUP, 100, 100, 100, 100, w[0]));
        for (int i : c.shown) {
            ShowWindow(w[static_cast<std::size_t>(i)], SW_SHOW);
        }
        drain();
        message_log().clear();
        c.action(w);
        std::vector<Logged> expected;
        for (const Expected& e : c.expected) {
            WPARAM wparam = static_cast<WPARAM>(e.wparam);
            if (e.msg == WM_KILLFOCUS || e.msg == WM_SETFOCUS) {
                wparam = e.wparam == kNone
                             ? 0
                             : reinterpret_cast<WPARAM>(w[static_cast<std::size_t>(e.wparam)]);
            }
            expected.push_back({w[static_cast<std::size_t>(e.window)], e.msg, wparam});
        }
        test::expect_messages(expected, kActivationMessages);
        EXPECT_EQ(GetActiveWindow(),
                  c.active_after < 0 ? nullptr : w[static_cast<std::size_t>(c.active_after)]);
        EXPECT_EQ(GetForegroundWindow(), GetActiveWindow());
        for (HWND hwnd : w) {
            DestroyWindow(hwnd);
        }
        SetActiveWindow(nullptr);
    }
}

TEST_F(Activation, ActivationBringsTheWindowToTheTopAndMovesTheFocusIntoIt) {
    HWND back = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, back,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
    HWND front = create(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    EXPECT_EQ(GetActiveWindow(), front);
    POINT overlap{60, 60};
    EXPECT_EQ(WindowFromPoint(overlap), front);
    SetFocus(child);
    EXPECT_EQ(SetActiveWindow(back), front);
    EXPECT_EQ(GetActiveWindow(), back);
    EXPECT_EQ(WindowFromPoint(overlap), back) << "raised above the other window";
    EXPECT_EQ(GetFocus(), child) << "the focus was already inside";
    EXPECT_EQ(SetActiveWindow(child), back) << "a child stands for its top-level window";
    EXPECT_EQ(GetActiveWindow(), back);
    EXPECT_TRUE(SetForegroundWindow(front));
    EXPECT_EQ(GetFocus(), front) << "the focus moves into the newly active window";
}

TEST_F(Activation, OwnedWindowsStayAboveTheirOwnerWhenItIsActivated) {
    HWND owner = create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND first = create(WS_POPUP | WS_VISIBLE, 20, 20, 100, 100, owner);
    HWND second = create(WS_POPUP | WS_VISIBLE, 40, 40, 100, 100, owner);
    HWND other = create(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
    ASSERT_EQ(SetActiveWindow(owner), other);
    struct Case {
        const char* name;
        POINT pt;
        HWND expected;
    };
    const Case cases[] = {
        {"the owner above the other window", {10, 10}, owner},
        {"the first owned window above the owner", {30, 30}, first},
        {"the second above the first, as before", {50, 50}, second},
        {"the other window where none of them is", {250, 250}, other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WindowFromPoint(c.pt), c.expected);
    }
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(Activation, HiddenDisabledAndBadWindowsCannotBeActivated) {
    HWND shown = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND hidden = create(WS_POPUP, 0, 0, 100, 100);
    HWND disabled = create(WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, 0, 100, 100);
    ASSERT_EQ(GetActiveWindow(), shown) << "a window created disabled is not activated";
    struct Case {
        const char* name;
        HWND hwnd;
    };
    const Case cases[] = {
        {"hidden", hidden},
        {"disabled", disabled},
        {"stale", reinterpret_cast<HWND>(0x7777)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SetActiveWindow(c.hwnd), nullptr);
        EXPECT_FALSE(SetForegroundWindow(c.hwnd));
        EXPECT_EQ(GetActiveWindow(), shown);
    }
}

TEST_F(Activation, DisablingTheFocusWindowDropsTheFocusButKeepsActivation) {
    HWND top = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
    SetFocus(child);
    SetCapture(child);
    EnableWindow(top, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), top);
}

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
        HWND child = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, back,
                                     reinterpret_cast<HMENU>(1), nullptr, nullptr);
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

TEST_F(Activation, APressOnTheActiveWindowSendsNoActivationMessages) {
    HWND hwnd = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    drain();
    message_log().clear();
    press(50, 50);
    drain();
    test::expect_messages({{hwnd, WM_LBUTTONDOWN, MK_LBUTTON}}, kActivationMessages);
}

TEST_F(Activation, ADisabledOwnerTakesNoClicksAndKeepsTheModalWindowActive) {
    HWND behind = create(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
    HWND owner = create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND modal = create(WS_POPUP, 300, 300, 100, 100, owner);
    EnableWindow(owner, FALSE);
    ShowWindow(modal, SW_SHOW);
    drain();
    message_log().clear();
    press(50, 50);    // on the disabled owner
    press(250, 250);  // on the window behind it, where the owner does not reach
    drain();
    test::expect_messages({{behind, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(behind)},
                           {modal, WM_NCACTIVATE, FALSE},
                           {modal, WM_ACTIVATE, WA_INACTIVE},
                           {behind, WM_QUERYNEWPALETTE, 0},
                           {behind, WM_NCACTIVATE, TRUE},
                           {behind, WM_ACTIVATE, WA_CLICKACTIVE},
                           {modal, WM_KILLFOCUS, reinterpret_cast<WPARAM>(behind)},
                           {behind, WM_SETFOCUS, reinterpret_cast<WPARAM>(modal)},
                           {behind, WM_LBUTTONDOWN, MK_LBUTTON}},
                          kActivationMessages);
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
        bool first_present;
        bool second_present;
    };
    const Step steps[] = {
        {"a becomes active and takes a slot",
         [&] { ShowWindow(a, SW_SHOW); },
         {{a, WM_QUERYNEWPALETTE, 0},
          {a, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(a)},
          {b, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(a)},
          {a, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(a)},
          {b, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(a)}},
         true,
         true},
        {"realising the same palette again changes nothing and tells nobody",
         [&] { realise(a, false); },
         {},
         true,
         true},
        {"an inactive window realises in the background only",
         [&] { realise(b, false); },
         {},
         true,
         true},
        {"b becomes active: the foreground realisation frees a's slot",
         [&] { SetActiveWindow(b); },
         {{b, WM_QUERYNEWPALETTE, 0},
          {b, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(b)},
          {a, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(b)},
          {b, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(b)},
          {a, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(b)}},
         true,
         true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        message_log().clear();
        s.action();
        test::expect_messages(s.expected, watched);
        EXPECT_EQ(system_palette_has(first), s.first_present);
        EXPECT_EQ(system_palette_has(second), s.second_present);
    }
    EXPECT_EQ(DefWindowProcA(a, WM_QUERYNEWPALETTE, 0, 0), FALSE);
}

TEST_F(Activation, TheHostsCloseRequestGoesToTheActiveWindow) {
    HWND main = create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND dialog = create(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, main);
    ASSERT_EQ(GetActiveWindow(), dialog);
    drain();
    host::Event close;
    close.type = host::EventType::CloseRequested;
    m_host.push_event(close);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, dialog);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CLOSE));
    SetActiveWindow(nullptr);
    m_host.push_event(close);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, main) << "with none active: the front unowned window";
}

}  // namespace
