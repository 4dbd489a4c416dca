// pilo_e2e_layout.cpp: runs the program once on the headless host and prints, for the smoke
// test on the desktop host, where things are on the 640 x 480 screen and what colour they
// show. Lines: "NAME X Y" for points and "NAME X Y RRGGBB" for colours.
#include "app/CMainDialog.h"
#include "platform/host/VirtualKeys.h"
#include "platform/launch/HeadlessRun.h"
#include "res/resource.h"

#include <cstdio>
#include <string>

namespace {

// A point the splash covers and the main window does not.
constexpr int kSplashX = 70;
constexpr int kSplashY = 240;

void print_colour(const host::HeadlessHost& h, const char* name, int x, int y) {
    std::printf("%s %d %d %06X\n", name, x, y, static_cast<unsigned>(h.pixel(x, y)));
}

}  // namespace

int main() {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    bool printed = false;
    headless.script_call(
        [](host::HeadlessHost& h) { print_colour(h, "splash", kSplashX, kSplashY); });
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        auto* dlg = static_cast<CMainDialog*>(AfxGetMainWnd());
        if (dlg == nullptr) {
            return;
        }
        print_colour(h, "desktop", kSplashX, kSplashY);
        RECT r{};
        ::GetWindowRect(::GetDlgItem(dlg->GetSafeHwnd(), IDC_NEW_GAME), &r);
        std::printf("newgame %d %d\n", static_cast<int>((r.left + r.right) / 2),
                    static_cast<int>((r.top + r.bottom) / 2));
        POINT origin{0, 0};
        ::ClientToScreen(dlg->m_boardWnd.GetSafeHwnd(), &origin);
        // The grey field between the board's edge and its first tile.
        print_colour(h, "boardfield", origin.x + 2, origin.y + 2);
        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 13; ++column) {
                std::printf("cell%d_%d %d %d\n", row, column,
                            static_cast<int>(origin.x + 16 + 28 * column),
                            static_cast<int>(origin.y + 16 + 28 * row));
            }
        }
        printed = true;
        host::Event e;
        e.type = host::EventType::KeyDown;
        e.vk = host::vk::kEscape;
        h.push_event(e);
        e.type = host::EventType::KeyUp;
        h.push_event(e);
    });
    std::string error;
    if (launch::run_headless(headless, &error) == -1) {
        std::fprintf(stderr, "pilo_e2e_layout: %s\n", error.c_str());
        return 1;
    }
    return printed ? 0 : 1;
}
