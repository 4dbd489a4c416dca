// MessageQueueTest.cpp: retrieval order, timer coalescing, filtered peeks and the capture.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

// A frameless popup over (0, 0)-(200, 200) with one plain child at (100, 100).
class Queue : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        m_top = window(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
        m_child = window(WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, m_top, 1);
        drain();
        message_log().clear();
    }
    // Puts in the log every message the queue hands out now, in order; WM_PAINT is dispatched
    // (so it goes away) and left out.
    static void retrieve_all() {
        std::vector<Logged> got;
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m.message == WM_PAINT) {
                DispatchMessageA(&m);
            } else {
                got.push_back({m.hwnd, m.message, m.wParam});
            }
        }
        message_log() = got;
    }

    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

TEST_F(Queue, LateTicksMergeIntoOneTimerMessageAndTheNextPeriodCountsFromExpiry) {
    ASSERT_EQ(SetTimer(m_top, 7, 100, nullptr), 7u);
    MSG m{};
    m_host.advance(99);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "before the first period";
    m_host.advance(401);  // five periods since SetTimer
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ((Logged{m.hwnd, m.message, m.wParam}), (Logged{m_top, WM_TIMER, 7}));
    retrieve_all();
    test::expect_messages({{m_top, WM_TIMER, 7}});
    m_host.advance(99);  // expiry was seen at 500: next due at 600
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    m_host.advance(1);
    retrieve_all();
    test::expect_messages({{m_top, WM_TIMER, 7}});
    // Restarting the same id starts a fresh period.
    m_host.advance(90);
    ASSERT_EQ(SetTimer(m_top, 7, 100, nullptr), 7u);
    m_host.advance(90);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(KillTimer(m_top, 7));
    EXPECT_FALSE(KillTimer(m_top, 7));
    m_host.advance(1000);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, FilteredPeekDrainsTimersAndLeavesTheRest) {
    SetTimer(m_top, 1, 50, nullptr);
    SetTimer(m_child, 2, 50, nullptr);
    PostMessageA(m_top, WM_USER, 5, 0);
    m_host.advance(50);
    MSG m;
    std::vector<Logged> timers;
    while (PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        timers.push_back({m.hwnd, m.message, m.wParam});
        ASSERT_LE(timers.size(), 2u) << "a drained timer came back";
    }
    message_log() = timers;
    test::expect_messages({{m_top, WM_TIMER, 1}, {m_child, WM_TIMER, 2}});
    retrieve_all();
    test::expect_messages({{m_top, WM_USER, 5}});
    // A window filter takes its children's messages too, not its parent's.
    m_host.advance(50);
    EXPECT_FALSE(PeekMessageA(&m, m_child, WM_TIMER, WM_TIMER, PM_NOREMOVE) && m.hwnd == m_top);
    ASSERT_TRUE(PeekMessageA(&m, m_child, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, m_child);
    ASSERT_TRUE(PeekMessageA(&m, m_top, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, m_top);
    KillTimer(m_top, 1);
    KillTimer(m_child, 2);
}

TEST_F(Queue, PostedComeBeforeInputAndTimersLast) {
    SetTimer(m_top, 3, 10, nullptr);
    m_host.advance(10);
    mouse(host::EventType::MouseDown, 20, 30, host::kButtonLeft);
    PostMessageA(m_child, WM_USER + 1, 1, 0);
    PostMessageA(m_top, WM_USER + 2, 2, 0);
    retrieve_all();
    test::expect_messages({{m_child, WM_USER + 1, 1},
                           {m_top, WM_USER + 2, 2},
                           {m_top, WM_LBUTTONDOWN, MK_LBUTTON},
                           {m_top, WM_TIMER, 3}});
    KillTimer(m_top, 3);
}

TEST_F(Queue, CaptureTakesTheMouseWhereverItIs) {
    EXPECT_EQ(SetCapture(m_child), nullptr);
    EXPECT_EQ(GetCapture(), m_child);
    mouse(host::EventType::MouseMove, 5, 300, host::kButtonLeft);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(std::tuple(m.hwnd, m.wParam, GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)),
              std::tuple(m_child, WPARAM{MK_LBUTTON}, -95, 200));
    message_log().clear();
    EXPECT_EQ(SetCapture(m_top), m_child);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    test::expect_messages({{m_child, WM_CAPTURECHANGED, 0}, {m_top, WM_CAPTURECHANGED, 0}});
    mouse(host::EventType::MouseMove, 5, 300);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "capture released";
    SetCapture(m_child);
    DestroyWindow(m_child);
    EXPECT_EQ(GetCapture(), nullptr) << "a destroyed window loses the capture";
}

// (Their timers go too: the program's farewell leaves none.)
TEST_F(Queue, DestroyedWindowsLoseTheirQueuedMessages) {
    PostMessageA(m_child, WM_USER, 1, 0);
    PostMessageA(m_top, WM_USER, 2, 0);
    DestroyWindow(m_child);
    retrieve_all();
    test::expect_messages({{m_top, WM_USER, 2}});
}

}  // namespace
