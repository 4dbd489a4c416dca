// MessageLog.cpp: the recording window procedure and the fixture of the window manager tests.
#include "tests/user/MessageLog.h"

#include <algorithm>
#include <iterator>

namespace test {

std::vector<Logged>& message_log() {
    static std::vector<Logged> log;
    return log;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    message_log().push_back({hwnd, msg, wparam});
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

void PrintTo(const Logged& m, std::ostream* out) {
    *out << "{" << m.hwnd << ", 0x" << std::hex << m.msg << std::dec << ", " << m.wparam << "}";
}

void expect_messages(const std::vector<Logged>& expected, const std::vector<UINT>& watched) {
    std::vector<Logged> got;
    std::ranges::copy_if(message_log(), std::back_inserter(got), [&](const Logged& m) {
        return watched.empty() || std::ranges::find(watched, m.msg) != watched.end();
    });
    EXPECT_EQ(got, expected);
}

void UserTest::SetUp() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = recording_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kRecordingClass;
    ASSERT_NE(RegisterClassA(&wc), 0);
    message_log().clear();
}

void UserTest::TearDown() {
    for (HWND hwnd : m_windows) {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }
    drain();
    EXPECT_TRUE(UnregisterClassA(kRecordingClass, nullptr));
}

HWND UserTest::window(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                      WNDPROC proc) {
    HWND hwnd =
        CreateWindowExA(0, kRecordingClass, "", style, x, y, cx, cy, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    if (proc != nullptr) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    }
    m_windows.push_back(hwnd);
    return hwnd;
}

void UserTest::mouse(host::EventType type, int x, int y, std::uint8_t buttons,
                     host::MouseButton button) {
    const auto pressed = type == host::EventType::MouseMove ? host::MouseButton::None : button;
    m_host.push_event({.type = type, .x = x, .y = y, .button = pressed, .buttons = buttons});
}

void UserTest::drain() {
    MSG m;
    for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

}  // namespace test
