// MessageQueueTest.cpp: retrieval order, timers, input routing, capture, focus and the wait.
#include "platform/host/VirtualKeys.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/mm/WaveImage.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

constexpr const char* kClass = "PiloQueueTestWindow";

LRESULT CALLBACK transparent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    return test::recording_proc(hwnd, msg, wparam, lparam);
}

class Queue : public testing::Test {
protected:
    void SetUp() override { start(host::Settings{}); }
    void start(const host::Settings& settings) {
        m_install.reset();
        m_host = std::make_unique<host::HeadlessHost>(settings);
        m_install = std::make_unique<host::ScopedInstall>(*m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = test::recording_proc;
        wc.lpszClassName = kClass;
        if (!GetClassInfoA(nullptr, kClass, &wc)) {
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        // A frameless popup over (0, 0)-(200, 200) with one plain child at (100, 100).
        m_top = CreateWindowExA(0, kClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                nullptr, nullptr, nullptr);
        m_child = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, m_top,
                                  reinterpret_cast<HMENU>(1), nullptr, nullptr);
        ASSERT_NE(m_child, nullptr);
        drain();
        message_log().clear();
    }
    void TearDown() override {
        DestroyWindow(m_top);
        drain();
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
        m_install.reset();
    }
    // Empties the queue of anything earlier steps left, painting what wants it.
    static void drain() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
    }
    void mouse(host::EventType type, int x, int y, std::uint8_t buttons = 0) {
        host::Event e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.button =
            type == host::EventType::MouseMove ? host::MouseButton::None : host::MouseButton::Left;
        e.buttons = buttons;
        m_host->push_event(e);
    }
    // Every message the queue hands out now, in order, as (hwnd, message, wParam); WM_PAINT
    // is dispatched (so it goes away) and left out.
    static std::vector<Logged> retrieve_all() {
        std::vector<Logged> got;
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m.message == WM_PAINT) {
                DispatchMessageA(&m);
            } else {
                got.push_back({m.hwnd, m.message, m.wParam});
            }
        }
        return got;
    }
    static void expect_same(const std::vector<Logged>& got, const std::vector<Logged>& expected) {
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].hwnd, expected[i].hwnd);
            EXPECT_EQ(got[i].msg, expected[i].msg);
            EXPECT_EQ(got[i].wparam, expected[i].wparam);
        }
    }

    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

TEST_F(Queue, LateTicksMergeIntoOneTimerMessageAndTheNextPeriodCountsFromExpiry) {
    ASSERT_EQ(SetTimer(m_top, 7, 100, nullptr), 7u);
    MSG m{};
    m_host->advance(99);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "before the first period";
    m_host->advance(401);  // five periods since SetTimer
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(m.hwnd, m_top);
    expect_same(retrieve_all(), {{m_top, WM_TIMER, 7}});
    m_host->advance(99);  // expiry was seen at 500: next due at 600
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    m_host->advance(1);
    expect_same(retrieve_all(), {{m_top, WM_TIMER, 7}});
    // Restarting the same id starts a fresh period.
    m_host->advance(90);
    ASSERT_EQ(SetTimer(m_top, 7, 100, nullptr), 7u);
    m_host->advance(90);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(KillTimer(m_top, 7));
    EXPECT_FALSE(KillTimer(m_top, 7));
    m_host->advance(1000);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, FilteredPeekDrainsTimersAndLeavesTheRest) {
    SetTimer(m_top, 1, 50, nullptr);
    SetTimer(m_child, 2, 50, nullptr);
    PostMessageA(m_top, WM_USER, 5, 0);
    m_host->advance(50);
    MSG m;
    std::vector<Logged> timers;
    while (PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        timers.push_back({m.hwnd, m.message, m.wParam});
        ASSERT_LE(timers.size(), 2u) << "a drained timer came back";
    }
    expect_same(timers, {{m_top, WM_TIMER, 1}, {m_child, WM_TIMER, 2}});
    expect_same(retrieve_all(), {{m_top, WM_USER, 5}});
    // A window filter takes its children's messages too, not its parent's.
    m_host->advance(50);
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
    m_host->advance(10);
    mouse(host::EventType::MouseDown, 20, 30, host::kButtonLeft);
    PostMessageA(m_child, WM_USER + 1, 1, 0);
    PostMessageA(m_top, WM_USER + 2, 2, 0);
    expect_same(retrieve_all(), {{m_child, WM_USER + 1, 1},
                                 {m_top, WM_USER + 2, 2},
                                 {m_top, WM_LBUTTONDOWN, MK_LBUTTON},
                                 {m_top, WM_TIMER, 3}});
    KillTimer(m_top, 3);
}

TEST_F(Queue, SentMessagesArriveAtOncePostedOnlyWhenDispatched) {
    EXPECT_EQ(SendMessageA(m_child, WM_USER, 9, 0), 0);
    test::expect_messages({{m_child, WM_USER, 9}});
    message_log().clear();
    ASSERT_TRUE(PostMessageA(m_child, WM_USER, 10, 0));
    test::expect_messages({});
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    DispatchMessageA(&m);
    test::expect_messages({{m_child, WM_USER, 10}});
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x4321), WM_USER, 0, 0));
}

TEST_F(Queue, GetMessageWaitsForTheNextTimerOnTheHostClock) {
    const std::uint64_t start = m_host->now_ms();
    SetTimer(m_top, 4, 250, nullptr);
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(m_host->now_ms() - start, 250u);
    KillTimer(m_top, 4);
    // Nothing can come any more: the loop ends instead of spinning.
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_TRUE(m_host->exhausted());
}

TEST_F(Queue, QuitComesAfterPostedMessages) {
    PostMessageA(m_top, WM_USER, 1, 0);
    PostQuitMessage(3);
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(Queue, ScriptedInputArrivesWhileWaiting) {
    m_host->script_click(110, 120);
    MSG m;
    std::vector<Logged> got;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
        got.push_back({m.hwnd, m.message, m.wParam});
        EXPECT_EQ(GET_X_LPARAM(m.lParam), 10);
        EXPECT_EQ(GET_Y_LPARAM(m.lParam), 20);
    }
    expect_same(got, {{m_child, WM_MOUSEMOVE, 0},
                      {m_child, WM_LBUTTONDOWN, MK_LBUTTON},
                      {m_child, WM_LBUTTONUP, 0}});
    POINT pt{};
    ASSERT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(pt.x, 110);
    EXPECT_EQ(pt.y, 120);
}

TEST_F(Queue, MouseGoesThroughTransparentStaticsToTheParentInItsCoordinates) {
    SetWindowLongPtrA(m_child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(transparent_proc));
    struct Case {
        const char* name;
        int x, y;
        HWND target;
        int client_x, client_y;
    };
    const Case cases[] = {
        {"over the static", 120, 130, m_top, 120, 130},
        {"beside it", 20, 30, m_top, 20, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mouse(host::EventType::MouseDown, c.x, c.y, host::kButtonLeft);
        MSG m;
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.hwnd, c.target);
        EXPECT_EQ(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
        EXPECT_EQ(GET_X_LPARAM(m.lParam), c.client_x);
        EXPECT_EQ(GET_Y_LPARAM(m.lParam), c.client_y);
    }
    mouse(host::EventType::MouseDown, 300, 300);  // over no window: dropped
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, CaptureTakesTheMouseWhereverItIs) {
    EXPECT_EQ(SetCapture(m_child), nullptr);
    EXPECT_EQ(GetCapture(), m_child);
    mouse(host::EventType::MouseMove, 5, 300, host::kButtonLeft);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, m_child);
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(GET_X_LPARAM(m.lParam), -95);
    EXPECT_EQ(GET_Y_LPARAM(m.lParam), 200);
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

TEST_F(Queue, KeysGoToTheFocusAndTranslateToCharacters) {
    EXPECT_EQ(SetFocus(nullptr), m_top) << "the shown window took the focus when it became active";
    message_log().clear();
    EXPECT_EQ(SetFocus(m_child), nullptr);
    EXPECT_EQ(SetFocus(m_top), m_child);
    test::expect_messages({{m_child, WM_SETFOCUS, 0},
                           {m_child, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_top)},
                           {m_top, WM_SETFOCUS, reinterpret_cast<WPARAM>(m_child)}});
    host::Event key;
    key.type = host::EventType::KeyDown;
    key.vk = 'A';
    key.ch = 'a';
    m_host->push_event(key);
    key.modifiers = host::kModAlt;
    key.vk = host::vk::kF1 + 3;
    key.ch = 0;
    m_host->push_event(key);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, m_top);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>('A'));
    EXPECT_TRUE(TranslateMessage(&m));
    // The character is posted, so it comes before the next key.
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>('a'));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(host::vk::kF1 + 3));
    EXPECT_NE(m.lParam & (1 << 29), 0) << "Alt bit";
    EXPECT_FALSE(TranslateMessage(&m)) << "F4 types nothing";
    EXPECT_TRUE(retrieve_all().empty());
    SetFocus(nullptr);
    m_host->push_event(key);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "no focus: key dropped";
}

TEST_F(Queue, DestroyedWindowsLoseTheirQueuedMessagesAndTimers) {
    PostMessageA(m_child, WM_USER, 1, 0);
    PostMessageA(m_top, WM_USER, 2, 0);
    SetTimer(m_child, 5, 10, nullptr);
    DestroyWindow(m_child);
    m_host->advance(100);
    expect_same(retrieve_all(), {{m_top, WM_USER, 2}});
}

TEST_F(Queue, HostWithoutTimersRefusesSetTimer) {
    host::Settings settings;
    settings.timers = false;
    DestroyWindow(m_top);
    start(settings);
    EXPECT_EQ(SetTimer(m_top, 1, 100, nullptr), 0u);
    m_host->advance(1000);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, TheScreenIsPresentedBeforeWaitingOnlyWhenItChanged) {
    HDC screen = GetDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT rc{10, 20, 30, 40};
    FillRect(screen, &rc, red);
    DeleteObject(red);
    ReleaseDC(nullptr, screen);
    SetTimer(m_top, 1, 100, nullptr);
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m_host->frames_presented(), 1);
    EXPECT_EQ(m_host->colorref_at(10, 20), RGB(255, 0, 0));
    EXPECT_EQ(m_host->colorref_at(29, 39), RGB(255, 0, 0));
    EXPECT_NE(m_host->colorref_at(30, 40), RGB(255, 0, 0));
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
    EXPECT_EQ(m_host->frames_presented(), 1) << "nothing changed";
    KillTimer(m_top, 1);
}

// A synchronous wave holds the thread: what was drawn before it must be on screen while it plays.
TEST_F(Queue, ASynchronousWaveShowsTheScreenAsDrawnBeforeItPlays) {
    using namespace wavetest;
    const Bytes wave =
        riff({chunk("fmt ", fmt_body(1, 1, 11025, 8)), chunk("data", samples({128, 128}))});
    struct Case {
        const char* name;
        COLORREF fill;
    };
    const Case kCases[] = {{"red", RGB(255, 0, 0)}, {"blue", RGB(0, 0, 255)}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        HDC dc = GetDC(m_top);
        HBRUSH brush = CreateSolidBrush(c.fill);
        const RECT rc{0, 0, 10, 10};
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        ReleaseDC(m_top, dc);
        ASSERT_TRUE(
            sndPlaySoundA(reinterpret_cast<LPCSTR>(wave.data()), SND_MEMORY | SND_NODEFAULT));
        ASSERT_EQ(m_host->waves().size(), &c - kCases + 1u);
        const std::uint32_t expected =
            (GetRValue(c.fill) << 16) | (GetGValue(c.fill) << 8) | GetBValue(c.fill);
        EXPECT_EQ(m_host->rgb()[5 * 640 + 5], expected) << "the frame shown while the wave played";
    }
}

}  // namespace
