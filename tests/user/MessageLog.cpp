// MessageLog.cpp: the recording window procedure of the window manager tests.
#include "tests/user/MessageLog.h"

#include <algorithm>
#include <sstream>

namespace test {

std::vector<Logged>& message_log() {
    static std::vector<Logged> log;
    return log;
}

RecorderAnswers& recorder_answers() {
    static RecorderAnswers answers;
    return answers;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    message_log().push_back({hwnd, msg, wparam});
    if (msg == WM_CREATE) {
        return recorder_answers().create_result;
    }
    if (msg == WM_NCHITTEST && recorder_answers().hit_test != HTERROR) {
        return recorder_answers().hit_test;
    }
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

}  // namespace test
