// MessageLog.h: a window procedure that records what it gets, and expected-sequence checks.
#pragma once

#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace test {

// An expected wParam that matches any (an HDC, for example).
inline constexpr WPARAM kAnyWParam = ~WPARAM{0};

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wparam;
};

// Messages every recording window got, in order.
std::vector<Logged>& message_log();

// Answers passed to DefWindowProcA unless a test sets one: `create_result` for WM_CREATE,
// `hit_test` for WM_NCHITTEST when not HTERROR.
struct RecorderAnswers {
    LRESULT create_result = 0;
    LRESULT hit_test = HTERROR;
};
RecorderAnswers& recorder_answers();

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Compares the log (only messages in `watched`, when given) with the expected table.
void expect_messages(const std::vector<Logged>& expected, const std::vector<UINT>& watched = {});

}  // namespace test
