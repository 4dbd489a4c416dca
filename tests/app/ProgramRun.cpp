// ProgramRun.cpp: running the whole program once in a test and looking at its windows.
#include "tests/app/ProgramRun.h"

#include "platform/launch/HeadlessRun.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

namespace probe {

Sight look(const std::string& message) {
    Sight s;
    // Message boxes carry the program's name too: the main window is the dialog object's.
    const CMainDialog* pMain = main_dialog();
    s.mainWindow = pMain != nullptr && ::IsWindowVisible(pMain->GetSafeHwnd());
    s.splash = find_splash() != nullptr;
    s.message = !message.empty() && find_showing(message) != nullptr;
    s.visibleWindows = visible_top_level_count();
    return s;
}

// The splash is topmost, so only the front window can be it.
HWND find_splash() {
    HWND front = front_window();
    const RECT r = window_rect(front);
    const bool placed = r.left == kSplashRect.left && r.top == kSplashRect.top &&
                        r.right == kSplashRect.right && r.bottom == kSplashRect.bottom;
    return front != nullptr && placed ? front : nullptr;
}

CMainDialog* main_dialog() {
    return static_cast<CMainDialog*>(AfxGetMainWnd());
}

int run(host::HeadlessHost& host) {
    host.script_advance(10000);
    host.script_call([](host::HeadlessHost&) {
        if (visible_top_level_count() > 0) {
            ADD_FAILURE() << "the program is still running";
            PostQuitMessage(1);
        }
    });
    std::string error;
    const int code = launch::run_headless(host, &error);
    EXPECT_NE(code, -1) << error;
    return code;
}

}  // namespace probe
