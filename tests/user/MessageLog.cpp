// MessageLog.cpp: the recording window procedure and the fixture of the window manager tests.
#include "tests/user/MessageLog.h"

#include <algorithm>
#include <sstream>

namespace test {

std::vector<Logged>& message_log() {
    static std::vector<Logged> log;
    return log;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    message_log().push_back({hwnd, msg, wparam});
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

namespace {

std::string describe(const std::vector<Logged>& log) {
    std::ostringstream out;
    for (const Logged& m : log) {
        out << "  hwnd " << m.hwnd << " msg 0x" << std::hex << m.msg << " wparam " << std::dec
            << m.wparam << "\n";
    }
    return out.str();
}

}  // namespace

void expect_messages(const std::vector<Logged>& expected, const std::vector<UINT>& watched) {
    std::vector<Logged> got;
    for (const Logged& m : message_log()) {
        if (watched.empty() || std::find(watched.begin(), watched.end(), m.msg) != watched.end()) {
            got.push_back(m);
        }
    }
    bool same = got.size() == expected.size();
    for (std::size_t i = 0; same && i < got.size(); ++i) {
        same = got[i].hwnd == expected[i].hwnd && got[i].msg == expected[i].msg &&
               (expected[i].wparam == kAnyWParam || got[i].wparam == expected[i].wparam);
    }
    EXPECT_TRUE(same) << "got:\n" << describe(got) << "expected:\n" << describe(expected);
}

void UserTest::start(const host::Settings& settings) {
    destroy_windows();
    m_install.reset();
    m_host = std::make_unique<host::HeadlessHost>(settings);
    m_install = std::make_unique<host::ScopedInstall>(*m_host);
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, kRecordingClass, &wc)) {
        wc.lpfnWndProc = recording_proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kRecordingClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    message_log().clear();
}

void UserTest::destroy_windows() {
    for (HWND hwnd : m_windows) {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }
    m_windows.clear();
    drain();
}

void UserTest::TearDown() {
    destroy_windows();
    EXPECT_TRUE(UnregisterClassA(kRecordingClass, nullptr));
    m_install.reset();
    m_host.reset();
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
    host::Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = type == host::EventType::MouseMove ? host::MouseButton::None : button;
    e.buttons = buttons;
    m_host->push_event(e);
}

void UserTest::drain() {
    MSG m;
    for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

}  // namespace test
