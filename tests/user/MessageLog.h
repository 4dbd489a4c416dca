// MessageLog.h: a window procedure that records what it gets, expected-sequence checks, and
// the headless host fixture of the window manager tests.
#pragma once

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace test {

// An expected wParam that matches any.
inline constexpr WPARAM kAnyWParam = ~WPARAM{0};

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wparam;
    bool operator==(const Logged& o) const {
        return hwnd == o.hwnd && msg == o.msg &&
               (wparam == o.wparam || wparam == kAnyWParam || o.wparam == kAnyWParam);
    }
};
void PrintTo(const Logged& m, std::ostream* out);

std::vector<Logged>& message_log();

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Compares the log (only messages in `watched`, when given) with the expected table.
void expect_messages(const std::vector<Logged>& expected, const std::vector<UINT>& watched = {});

// The class of recording windows, erased in the window colour (white).
inline constexpr const char* kRecordingClass = "PiloRecordingWindow";

// A headless host installed for one test, the recording class, and the windows the test made,
// destroyed after it.
class UserTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A recording window, its procedure replaced by `proc` when given, destroyed after the test.
    HWND window(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, int id = 0,
                WNDPROC proc = nullptr);
    // Queues a mouse event at a screen point with `buttons` held after it.
    void mouse(host::EventType type, int x, int y, std::uint8_t buttons = 0,
               host::MouseButton button = host::MouseButton::Left);
    static void drain();

    host::HeadlessHost m_host;
    host::ScopedInstall m_install{m_host};
    std::vector<HWND> m_windows;
};

}  // namespace test
