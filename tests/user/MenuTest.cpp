// MenuTest.cpp: tracking a popup menu: choices and dismissals by mouse and keys, and what
// ends the loop.
#include "platform/host/VirtualKeys.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/user/Menu.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The menu-loop messages the owner heard, in order.
std::vector<UINT> g_menu_loop;

// Measures owner-drawn items 18 x 18 and records the menu loop's messages.
LRESULT CALLBACK owner_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
        mis->itemWidth = 18;
        mis->itemHeight = 18;
        return TRUE;
    }
    if (msg == WM_ENTERMENULOOP || msg == WM_EXITMENULOOP || msg == WM_INITMENUPOPUP) {
        g_menu_loop.push_back(msg);
    }
    return msg == WM_DRAWITEM ? TRUE : DefWindowProcA(hwnd, msg, wparam, lparam);
}

// The owner covers the screen and has the focus.
class Tracking : public test::UserTest {
public:
    void SetUp() override {
        UserTest::SetUp();
        m_owner = window(WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, 0, owner_proc);
        SetFocus(m_owner);
        drain();
        g_menu_loop.clear();
    }
    void TearDown() override {
        EXPECT_EQ(user::tracking_window(), nullptr);
        UserTest::TearDown();
    }
    // Two owner-drawn items (ids 160 and 161, data 0 and 1) and a string item 300.
    static HMENU make_mixed_menu() {
        HMENU m = CreatePopupMenu();
        AppendMenuA(m, MF_OWNERDRAW, 160, reinterpret_cast<LPCSTR>(0));
        AppendMenuA(m, MF_OWNERDRAW, 161, reinterpret_cast<LPCSTR>(1));
        AppendMenuA(m, MF_STRING, 300, "&Trzeci");
        return m;
    }
    // A posted WM_COMMAND for the owner, taken from the queue; 0 when none.
    UINT take_posted_command() {
        MSG m;
        return PeekMessageA(&m, m_owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(m.wParam) : 0;
    }
    void key(std::uint16_t vk, std::uint8_t ch = 0) { m_host.script_key(vk, ch); }
    // Move, press and release over an item of the tracked menu, each seen by its own wait; the
    // item is found when the step runs.
    void click_item(int position, host::MouseButton button = host::MouseButton::Left) {
        const std::uint8_t held =
            button == host::MouseButton::Right ? host::kButtonRight : host::kButtonLeft;
        const std::pair<host::EventType, std::uint8_t> steps[] = {
            {host::EventType::MouseMove, 0},
            {host::EventType::MouseDown, held},
            {host::EventType::MouseUp, 0}};
        for (const auto& step : steps) {
            m_host.script_call(
                [=, this, type = step.first, buttons = step.second](host::HeadlessHost&) {
                    RECT rc{};
                    user::tracked_item_rect(position, rc);
                    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
                    ClientToScreen(user::tracking_window(), &pt);
                    mouse(type, pt.x, pt.y, buttons, button);
                });
        }
    }
    // Runs what the script still holds (a key's release, say) through the queue.
    void finish_script() {
        MSG m;
        while (m_host.script_steps_left() > 0 && GetMessageA(&m, nullptr, 0, 0) > 0) {
            DispatchMessageA(&m);
        }
        drain();
    }

    HWND m_owner = nullptr;
};

// A freed slot is taken again by a new menu, under a handle the old one never had.
TEST(MenuHandles, ANewMenuTakesAFreedSlotAndLeavesTheLiveOnesAlone) {
    const std::size_t live_before = user::live_menu_count();
    HMENU first = CreatePopupMenu();
    HMENU second = CreatePopupMenu();
    ASSERT_TRUE(DestroyMenu(first));
    HMENU third = CreatePopupMenu();
    EXPECT_NE(third, first);
    EXPECT_TRUE(!IsMenu(first) && IsMenu(second) && IsMenu(third));
    EXPECT_EQ(user::live_menu_count(), live_before + 2);
    DestroyMenu(second);
    DestroyMenu(third);
}

TEST_F(Tracking, ChoicesAndDismissals) {
    struct Case {
        const char* name;
        UINT flags;
        void (*script)(Tracking&);
        BOOL result;
        UINT posted;  // 0: none
    };
    const Case cases[] = {
        {"right release ignored without TPM_RIGHTBUTTON, then Esc", 0,
         [](Tracking& t) {
             t.click_item(2, host::MouseButton::Right);
             t.key(host::vk::kEscape);
         },
         FALSE, 0},
        {"right release with TPM_RIGHTBUTTON", TPM_RIGHTBUTTON,
         [](Tracking& t) { t.click_item(0, host::MouseButton::Right); }, TRUE, 160},
        {"TPM_RETURNCMD returns the id and posts nothing", TPM_RETURNCMD,
         [](Tracking& t) { t.click_item(1); }, 161, 0},
        {"Alt closes", 0, [](Tracking& t) { t.key(host::vk::kMenu); }, FALSE, 0},
        {"click outside", 0, [](Tracking& t) { t.m_host.script_click(600, 400); }, FALSE, 0},
        {"arrows wrap and step over the separator, Enter chooses", 0,
         [](Tracking& t) {
             // Up from nothing: the last item, 400; then down: 160 (wrapped), 161, 300, over
             // the separator to 400, and wrapped to 160 again.
             using namespace host::vk;
             for (const std::uint16_t vk : {kUp, kDown, kDown, kDown, kDown, kDown, kReturn}) {
                 t.key(vk);
             }
         },
         TRUE, 160},
        {"mnemonic chooses its item", 0, [](Tracking& t) { t.key('T', 't'); }, TRUE, 300},
        {"a grey item cannot be chosen by click or Enter", 0,
         [](Tracking& t) {
             t.click_item(4);
             t.key(host::vk::kReturn);
             t.key(host::vk::kEscape);
         },
         FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU menu = make_mixed_menu();
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 400, "Szary");
        // 160, 161, 300, separator, 400 (grey).
        g_menu_loop.clear();
        c.script(*this);
        const BOOL result = TrackPopupMenu(menu, c.flags, 100, 100, 0, m_owner, nullptr);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(take_posted_command(), c.posted);
        EXPECT_EQ(g_menu_loop,
                  (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
        EXPECT_FALSE(IsWindow(user::tracking_window()));
        finish_script();
        DestroyMenu(menu);
    }
}

TEST_F(Tracking, DestroyingTheOwnerOrTheMenuEndsTheLoop) {
    struct Case {
        const char* name;
        bool destroy_owner;
    };
    const Case cases[] = {{"menu destroyed", false}, {"owner destroyed", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU menu = make_mixed_menu();
        HWND extra = window(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, 0, owner_proc);
        m_host.script_call([&](host::HeadlessHost&) {
            if (c.destroy_owner) {
                DestroyWindow(extra);
            } else {
                DestroyMenu(menu);
            }
        });
        m_host.script_advance(10);  // a wait after the call, so the loop looks again
        EXPECT_FALSE(
            TrackPopupMenu(menu, 0, 60, 60, 0, c.destroy_owner ? extra : m_owner, nullptr));
        EXPECT_EQ(user::tracking_window(), nullptr);
        EXPECT_EQ(IsMenu(menu), c.destroy_owner ? TRUE : FALSE);
        DestroyMenu(menu);
        DestroyWindow(extra);
        drain();
    }
}

}  // namespace
