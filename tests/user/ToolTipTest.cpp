// ToolTipTest.cpp: when a tool-tip shows and hides on virtual time, driven by relayed mouse
// messages as a program's message loop relays them.
#include "platform/win32/commctrl.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

LRESULT CALLBACK transparent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

// The owner is a frameless popup at (100, 100), 300 x 200. In its client area: a rectangle
// tool (150, 100)-(250, 150) "Prostokąt", a child window tool at (10, 10) 40 x 30 "Okno", and
// a child at (60, 10) 40 x 30 that lets the mouse through, also registered as a window tool.
constexpr POINT kInRect{100 + 200, 100 + 120};
constexpr POINT kInRectElsewhere{100 + 160, 100 + 110};
constexpr POINT kInChild{100 + 25, 100 + 20};
constexpr POINT kInTransparentChild{100 + 75, 100 + 20};
constexpr POINT kNoTool{100 + 20, 100 + 150};
constexpr POINT kOnDesktop{20, 20};

class ToolTips;
// A script step: a mouse move, a click, time passing, or a look at the tip.
using Step = std::function<void(ToolTips&)>;

class ToolTips : public test::UserTest {
public:
    static Step move(POINT p) {
        return [p](ToolTips& t) { t.m_host.script_mouse_move(p.x, p.y); };
    }
    static Step click(POINT p) {
        return [p](ToolTips& t) { t.m_host.script_click(p.x, p.y); };
    }
    static Step wait(std::uint64_t ms) {
        return [ms](ToolTips& t) { t.m_host.script_advance(ms); };
    }
    static Step shown() { return look(true); }
    static Step hidden() { return look(false); }
    // Whether the tip shows at this point of the script, and whether it should.
    static Step look(bool shown) {
        return [shown](ToolTips& t) {
            t.m_expected.push_back(shown);
            t.m_host.script_call([&t](host::HeadlessHost&) {
                t.m_seen.push_back(IsWindowVisible(t.m_tip) != FALSE);
            });
        };
    }

    void SetUp() override {
        UserTest::SetUp();
        InitCommonControls();
        m_owner = window(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        m_child = window(WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, m_owner, 1);
        m_transparent = window(WS_CHILD | WS_VISIBLE, 60, 10, 40, 30, m_owner, 2, transparent_proc);
        SetActiveWindow(m_owner);
    }
    void TearDown() override {
        if (IsWindow(m_tip)) {
            DestroyWindow(m_tip);
        }
        UserTest::TearDown();
    }

    void create_tip() {
        m_tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, m_owner, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(m_tip, nullptr);
        SendMessageA(m_tip, TTM_ACTIVATE, TRUE, 0);
        add_tool(0, m_owner, 1000, RECT{150, 100, 250, 150}, "Prostokąt"_cp1250);
        add_tool(TTF_IDISHWND, m_owner, reinterpret_cast<UINT_PTR>(m_child), RECT{}, "Okno");
        add_tool(TTF_IDISHWND, m_owner, reinterpret_cast<UINT_PTR>(m_transparent), RECT{},
                 "Przezroczyste");
    }
    void add_tool(UINT flags, HWND hwnd, UINT_PTR id, RECT rc, const char* text) {
        TOOLINFOA ti{sizeof(TOOLINFOA), flags, hwnd, id, rc, nullptr, const_cast<LPSTR>(text)};
        ASSERT_TRUE(SendMessageA(m_tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    }

    // The program's loop: every mouse message is relayed to the tip before it is dispatched.
    void relaying_run() {
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

    HWND m_owner = nullptr;
    HWND m_child = nullptr;
    HWND m_transparent = nullptr;
    HWND m_tip = nullptr;
    std::vector<bool> m_seen, m_expected;
};

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
        m_expected.clear();
        for (const Step& step : c.steps) {
            step(*this);
        }
        relaying_run();
        EXPECT_EQ(m_seen, m_expected);
        DestroyWindow(m_tip);
        // Park the cursor away from every tool for the next case.
        m_host.script_mouse_move(kNoTool.x, kNoTool.y);
        relaying_run();
    }
}

}  // namespace
