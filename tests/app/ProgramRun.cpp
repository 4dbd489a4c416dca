// ProgramRun.cpp: running the whole program once in a test and looking at its windows.
#include "tests/app/ProgramRun.h"

#include "app/CGameApp.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/launch/ProgramSetup.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "res/PiloResources.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

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

namespace {

// A copy of the program's resource image whose bitmaps of these ids are renamed to id + 0x7F00.
// Entries: data size, header size, type and name (0xFFFF then an ordinal), padded to 4 bytes.
std::vector<std::byte> image_without(const std::vector<UINT>& ids) {
    const std::span<const std::byte> real = pilo_resource_image();
    std::vector<std::byte> image(real.begin(), real.end());
    auto at = [&image](size_t i) {
        return std::to_integer<unsigned>(image[i]) | std::to_integer<unsigned>(image[i + 1]) << 8;
    };
    for (size_t i = 0; i + 16 <= image.size();) {
        const size_t data = at(i) | at(i + 2) << 16;
        const size_t header = at(i + 4) | at(i + 6) << 16;
        if (at(i + 8) == 0xFFFF && at(i + 10) == 2 && at(i + 12) == 0xFFFF &&
            std::find(ids.begin(), ids.end(), at(i + 14)) != ids.end()) {
            image[i + 15] = std::byte{0x7F};
        }
        i = (i + header + data + 3) & ~size_t{3};
    }
    return image;
}

void end_a_stuck_run(host::HeadlessHost& host) {
    host.script_advance(10000);
    host.script_call([](host::HeadlessHost&) {
        if (visible_top_level_count() > 0) {
            ADD_FAILURE() << "the program is still running";
            PostQuitMessage(1);
        }
    });
}

}  // namespace

int run(host::HeadlessHost& host, const std::vector<UINT>& missingBitmaps) {
    end_a_stuck_run(host);
    std::string error;
    EXPECT_TRUE(launch::prepare_program(host, &error)) << error;
    const std::vector<std::byte> image = image_without(missingBitmaps);
    HINSTANCE patched = kernel::install_resource_image(image, kernel::ModuleRole::Program, &error);
    EXPECT_NE(patched, nullptr) << error;
    // The real image would stay reachable as an extra module: out with it for the run.
    for (HINSTANCE module : kernel::installed_modules()) {
        if (module != patched) {
            kernel::remove_resource_image(module);
        }
    }
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    int code = -1;
    {
        CGameApp app;
        code = AfxWinMain();
    }
    kernel::remove_resource_image(patched);
    pilo_install_resources();
    return code;
}

int run(host::HeadlessHost& host) {
    end_a_stuck_run(host);
    std::string error;
    const int code = launch::run_headless(host, &error);
    EXPECT_NE(code, -1) << error;
    return code;
}

}  // namespace probe
