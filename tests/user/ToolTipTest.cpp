// ToolTipTest.cpp: when a tool-tip shows and hides on virtual time, where it shows and how it
// looks, driven by relayed mouse messages as a program's message loop relays them.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/commctrl.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kOwnerClass = "PiloToolTipOwner";
constexpr const char* kChildClass = "PiloToolTipChild";
constexpr const char* kTransparentClass = "PiloToolTipTransparentChild";

LRESULT CALLBACK transparent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

// The owner is a frameless popup at (100, 100), 300 x 200. In its client area: a rectangle
// tool (150, 100)-(250, 150) "Prostokąt", a child window tool at (10, 10) 40 x 30 "Okno", and
// a child at (60, 10) 40 x 30 that lets the mouse through, also registered as a window tool.
constexpr POINT kOwnerOrigin{100, 100};
constexpr POINT kInRect{100 + 200, 100 + 120};
constexpr POINT kInRectElsewhere{100 + 160, 100 + 110};
constexpr POINT kInChild{100 + 25, 100 + 20};
constexpr POINT kInTransparentChild{100 + 75, 100 + 20};
constexpr POINT kNoTool{100 + 20, 100 + 150};
constexpr POINT kOnDesktop{20, 20};

class ToolTips : public testing::Test {
public:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        InitCommonControls();
        struct Class {
            const char* name;
            WNDPROC proc;
        };
        for (const Class& c :
             {Class{kOwnerClass, DefWindowProcA}, Class{kChildClass, DefWindowProcA},
              Class{kTransparentClass, transparent_proc}}) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = c.proc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_3DFACE + 1));
            wc.lpszClassName = c.name;
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        m_owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, kOwnerOrigin.x,
                                  kOwnerOrigin.y, 300, 200, nullptr, nullptr, nullptr, nullptr);
        m_child = CreateWindowExA(0, kChildClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30,
                                  m_owner, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        m_transparent = CreateWindowExA(0, kTransparentClass, "", WS_CHILD | WS_VISIBLE, 60, 10, 40,
                                        30, m_owner, reinterpret_cast<HMENU>(2), nullptr, nullptr);
        ASSERT_NE(m_transparent, nullptr);
        SetActiveWindow(m_owner);
    }
    void TearDown() override {
        if (IsWindow(m_tip)) {
            DestroyWindow(m_tip);
        }
        DestroyWindow(m_owner);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&m);
        }
        for (const char* name : {kOwnerClass, kChildClass, kTransparentClass}) {
            EXPECT_TRUE(UnregisterClassA(name, nullptr));
        }
    }

    void create_tip(DWORD style = 0) {
        m_tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, 0, 0, 0, 0, m_owner,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(m_tip, nullptr);
        SendMessageA(m_tip, TTM_ACTIVATE, TRUE, 0);
        add_tool(0, m_owner, 1000, RECT{150, 100, 250, 150}, "Prostokąt"_cp1250);
        add_tool(TTF_IDISHWND, m_owner, reinterpret_cast<UINT_PTR>(m_child), RECT{}, "Okno");
        add_tool(TTF_IDISHWND, m_owner, reinterpret_cast<UINT_PTR>(m_transparent), RECT{},
                 "Przezroczyste");
    }
    void add_tool(UINT flags, HWND hwnd, UINT_PTR id, RECT rc, const char* text) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = flags;
        ti.hwnd = hwnd;
        ti.uId = id;
        ti.rect = rc;
        ti.lpszText = const_cast<LPSTR>(text);
        ASSERT_TRUE(SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    }

    // What a check step saw.
    struct Seen {
        bool visible;
        RECT rect;
    };
    void check_later() {
        m_host.script_call([this](host::HeadlessHost&) {
            Seen s{IsWindowVisible(m_tip) != FALSE, {}};
            GetWindowRect(m_tip, &s.rect);
            m_seen.push_back(s);
        });
    }
    // The program's loop: every mouse message is relayed to the tip before it is dispatched.
    void run() {
        m_host.script_call([](host::HeadlessHost&) { PostQuitMessage(0); });
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) {
            if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
                SendMessageA(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_owner = nullptr;
    HWND m_child = nullptr;
    HWND m_transparent = nullptr;
    HWND m_tip = nullptr;
    std::vector<Seen> m_seen;
};

// A script step: a mouse move, a click, time passing, or a look at the tip.
struct Step {
    enum Kind { Move, Click, Wait, ExpectShown, ExpectHidden } kind;
    POINT at{};
    std::uint64_t ms = 0;
};

Step move(POINT p) {
    return {Step::Move, p, 0};
}
Step click(POINT p) {
    return {Step::Click, p, 0};
}
Step wait(std::uint64_t ms) {
    return {Step::Wait, {}, ms};
}
Step shown() {
    return {Step::ExpectShown};
}
Step hidden() {
    return {Step::ExpectHidden};
}

TEST_F(ToolTips, ShowAndHideOnVirtualTime) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"shows only after the initial 500 ms",
         {move(kInRect), hidden(), wait(499), hidden(), wait(2), shown()}},
        {"moving within the tool does not restart the delay",
         {move(kInRect), wait(300), move(kInRectElsewhere), wait(201), shown()}},
        {"hides when the cursor leaves every tool",
         {move(kInRect), wait(501), shown(), move(kNoTool), hidden(), wait(1000), hidden()}},
        {"hides at autopop, 5000 ms after showing",
         {move(kInRect), wait(501), shown(), wait(4990), shown(), wait(20), hidden()}},
        {"a button press hides it until the cursor leaves the tool",
         {move(kInRect), wait(501), shown(), click(kInRect), hidden(), wait(2000), hidden(),
          move(kNoTool), move(kInRect), wait(501), shown()}},
        {"a window tool shows over its window",
         {move(kInChild), wait(499), hidden(), wait(2), shown()}},
        {"a window that lets the mouse through never shows its tip",
         {move(kInTransparentChild), wait(2000), hidden()}},
        {"from one tool to the next after the 100 ms reshow delay",
         {move(kInRect), wait(501), shown(), move(kInChild), hidden(), wait(99), hidden(), wait(2),
          shown()}},
        {"leaving for the desktop, where nothing is relayed, hides within 100 ms",
         {move(kInRect), wait(501), shown(), move(kOnDesktop), shown(), wait(101), hidden()}},
        {"leaving before the delay shows nothing",
         {move(kInRect), wait(400), move(kNoTool), wait(1000), hidden()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        create_tip();
        m_seen.clear();
        std::vector<bool> expected;
        for (const Step& s : c.steps) {
            switch (s.kind) {
                case Step::Move:
                    m_host.script_mouse_move(s.at.x, s.at.y);
                    break;
                case Step::Click:
                    m_host.script_click(s.at.x, s.at.y);
                    break;
                case Step::Wait:
                    m_host.script_advance(s.ms);
                    break;
                case Step::ExpectShown:
                case Step::ExpectHidden:
                    check_later();
                    expected.push_back(s.kind == Step::ExpectShown);
                    break;
            }
        }
        run();
        ASSERT_EQ(m_seen.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "look " << i);
            EXPECT_EQ(m_seen[i].visible, expected[i]);
        }
        DestroyWindow(m_tip);
        // Park the cursor away from every tool for the next case.
        m_host.script_mouse_move(kNoTool.x, kNoTool.y);
        run();
    }
}

TEST_F(ToolTips, GatedByTheOwnersActivityAndByActivation) {
    struct Case {
        const char* name;
        DWORD style;
        bool owner_active;
        BOOL activated;
        bool expected;
    };
    const Case cases[] = {
        {"active owner", 0, true, TRUE, true},
        {"inactive owner", 0, false, TRUE, false},
        {"inactive owner, TTS_ALWAYSTIP", TTS_ALWAYSTIP, false, TRUE, true},
        {"deactivated control", TTS_ALWAYSTIP, true, FALSE, false},
    };
    HWND other = CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, 500, 400, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetActiveWindow(c.owner_active ? m_owner : other);
        create_tip(c.style);
        SendMessageA(m_tip, TTM_ACTIVATE, c.activated, 0);
        m_seen.clear();
        m_host.script_mouse_move(kInRect.x, kInRect.y);
        m_host.script_advance(600);
        check_later();
        run();
        ASSERT_EQ(m_seen.size(), 1u);
        EXPECT_EQ(m_seen[0].visible, c.expected);
        DestroyWindow(m_tip);
        m_host.script_mouse_move(kNoTool.x, kNoTool.y);
        run();
    }
    DestroyWindow(other);
}

TEST_F(ToolTips, PlacedBelowTheCursorAndKeptOnTheScreen) {
    // A long text near the right and bottom edges, a short one in the open.
    struct Case {
        const char* name;
        RECT owner;  // screen
        POINT cursor;
        const char* text;
        bool below;  // else above the cursor
    };
    const Case cases[] = {
        {"in the open", {100, 100, 400, 300}, {200, 150}, "Krótki"_cp1250, true},
        {"right edge: pulled left",
         {340, 100, 640, 300},
         {630, 150},
         "Dłuższy tekst podpowiedzi"_cp1250,
         true},
        {"bottom edge: above the cursor", {100, 280, 400, 480}, {200, 470}, "Na dole", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveWindow(m_owner, c.owner.left, c.owner.top, c.owner.right - c.owner.left,
                   c.owner.bottom - c.owner.top, TRUE);
        create_tip();
        add_tool(0, m_owner, 2000, RECT{0, 0, 300, 200}, c.text);  // over the whole owner
        SendMessageA(m_tip, TTM_DELTOOLA, 0, 0);                   // a missing record is ignored
        TOOLINFOA gone{};
        gone.cbSize = sizeof gone;
        gone.hwnd = m_owner;
        gone.uId = 1000;  // the rectangle tool would win over the whole-owner one
        SendMessageA(m_tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&gone));
        m_seen.clear();
        m_host.script_mouse_move(c.cursor.x, c.cursor.y);
        m_host.script_advance(501);
        check_later();
        run();
        ASSERT_EQ(m_seen.size(), 1u);
        ASSERT_TRUE(m_seen[0].visible);
        const RECT r = m_seen[0].rect;
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, 640);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.bottom, 480);
        if (c.below) {
            EXPECT_EQ(r.top, c.cursor.y + 20);
        } else {
            EXPECT_EQ(r.bottom, c.cursor.y);
        }
        if (r.right < 640) {
            EXPECT_EQ(r.left, c.cursor.x);  // not pushed: starts at the cursor
        } else {
            EXPECT_LT(r.left, c.cursor.x);
        }
        DestroyWindow(m_tip);
        m_host.script_mouse_move(0, 0);
        run();
    }
}

TEST_F(ToolTips, LooksLikeAToolTip) {
    create_tip();
    RECT r{};
    std::vector<std::uint32_t> seen;
    m_host.script_mouse_move(kInRect.x, kInRect.y);
    m_host.script_advance(501);
    m_host.script_call([&](host::HeadlessHost& h) {
        GetWindowRect(m_tip, &r);
        h.write_png("tooltip.png");
        const POINT probes[] = {
            {r.left, r.top},                        // border
            {r.right - 1, r.bottom - 1},            // border
            {r.left + 1, r.top + 1},                // face
            {r.right - 2, (r.top + r.bottom) / 2},  // face, right of the text
        };
        for (const POINT& p : probes) {
            seen.push_back(h.colorref_at(p.x, p.y));
        }
    });
    run();
    HDC screen = GetDC(nullptr);
    const COLORREF face = GetNearestColor(screen, GetSysColor(COLOR_INFOBK));
    ReleaseDC(nullptr, screen);
    const std::uint32_t expected[] = {RGB(0, 0, 0), RGB(0, 0, 0), face, face};
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i], expected[i]);
    }
    // One line of 13-pixel text with 2-pixel margins inside a 1-pixel border.
    EXPECT_EQ(r.bottom - r.top, 13 + 2 * 2 + 2);
}

TEST_F(ToolTips, DelaysAndToolRecords) {
    create_tip();
    struct Case {
        const char* name;
        WPARAM which;
        int value;
        UINT initial, autopop, reshow;
    };
    const Case cases[] = {
        {"automatic", TTDT_AUTOMATIC, 1000, 1000, 10000, 200},
        {"initial alone", TTDT_INITIAL, 300, 300, 10000, 200},
        {"autopop alone", TTDT_AUTOPOP, 2500, 300, 2500, 200},
        {"reshow alone", TTDT_RESHOW, 50, 300, 2500, 50},
        {"automatic back to the defaults", TTDT_AUTOMATIC, -1, 500, 5000, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessageA(m_tip, TTM_SETDELAYTIME, c.which, MAKELPARAM(static_cast<WORD>(c.value), 0));
        EXPECT_EQ(SendMessageA(m_tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), c.initial);
        EXPECT_EQ(SendMessageA(m_tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), c.autopop);
        EXPECT_EQ(SendMessageA(m_tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), c.reshow);
    }
    EXPECT_EQ(SendMessageA(m_tip, TTM_GETTOOLCOUNT, 0, 0), 3);
    TOOLINFOA shortened{};
    shortened.cbSize = sizeof shortened - 1;
    shortened.hwnd = m_owner;
    shortened.uId = 5;
    shortened.lpszText = const_cast<LPSTR>("x");
    EXPECT_FALSE(SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&shortened)));
    EXPECT_FALSE(SendMessageA(m_tip, TTM_ADDTOOLA, 0, 0));
    EXPECT_EQ(SendMessageA(m_tip, TTM_GETTOOLCOUNT, 0, 0), 3);
    add_tool(0, m_owner, 1000, RECT{0, 0, 10, 10}, "again");  // same tool: replaced
    EXPECT_EQ(SendMessageA(m_tip, TTM_GETTOOLCOUNT, 0, 0), 3);
}

}  // namespace

namespace {

TEST_F(ToolTips, NewTextResizesTheShownTipAndDeletingItsToolHidesIt) {
    create_tip();
    std::vector<RECT> rects;
    std::vector<bool> visible;
    auto look = [&](host::HeadlessHost&) {
        RECT r{};
        GetWindowRect(m_tip, &r);
        rects.push_back(r);
        visible.push_back(IsWindowVisible(m_tip) != FALSE);
    };
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_owner;
    ti.uId = 1000;
    m_host.script_mouse_move(kInRect.x, kInRect.y);
    m_host.script_advance(501);
    m_host.script_call(look);
    m_host.script_call([&](host::HeadlessHost&) {
        ti.lpszText = const_cast<LPSTR>("A much longer text than before");
        SendMessageA(m_tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    });
    m_host.script_call(look);
    m_host.script_call([&](host::HeadlessHost&) {
        SendMessageA(m_tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    });
    m_host.script_call(look);
    run();
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_TRUE(visible[0]);
    EXPECT_TRUE(visible[1]);
    EXPECT_FALSE(visible[2]);
    EXPECT_GT(rects[1].right - rects[1].left, rects[0].right - rects[0].left);
    EXPECT_EQ(rects[1].left, rects[0].left);
    EXPECT_EQ(rects[1].top, rects[0].top);
    EXPECT_EQ(SendMessageA(m_tip, TTM_GETTOOLCOUNT, 0, 0), 2);
}

}  // namespace
