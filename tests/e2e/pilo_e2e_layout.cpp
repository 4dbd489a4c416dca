// pilo_e2e_layout.cpp: runs the program once on the headless host and prints, for the smoke
// test on the desktop host and the browser test, where things are on the 640 x 480 screen and
// what colour they show. Lines: "NAME X Y" for points, "NAME X Y RRGGBB" for colours and
// "NAME L T R B" for rectangles (the preview, and the piece-set menu a right click on cell 6 6
// opens, with its items "itemI X Y").
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

RECT print_rect(const char* name, HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    std::printf("%s %d %d %d %d\n", name, static_cast<int>(r.left), static_cast<int>(r.top),
                static_cast<int>(r.right), static_cast<int>(r.bottom));
    return r;
}

void push(host::HeadlessHost& h, host::EventType type, int x, int y, host::MouseButton button,
          std::uint16_t vk = 0) {
    host::Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    e.vk = vk;
    h.push_event(e);
}

void escape(host::HeadlessHost& h) {
    push(h, host::EventType::KeyDown, 0, 0, host::MouseButton::None, host::vk::kEscape);
    push(h, host::EventType::KeyUp, 0, 0, host::MouseButton::None, host::vk::kEscape);
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
        RECT r = print_rect("preview", dlg->m_previewWnd.GetSafeHwnd());
        ::GetWindowRect(dlg->GetSafeHwnd(), &r);
        print_colour(h, "caption", (r.left + r.right) / 2, r.top + 8);
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
        const int x = static_cast<int>(origin.x + 16 + 28 * 6);
        const int y = static_cast<int>(origin.y + 16 + 28 * 6);
        push(h, host::EventType::MouseMove, x, y, host::MouseButton::None);
        push(h, host::EventType::MouseDown, x, y, host::MouseButton::Right);
        push(h, host::EventType::MouseUp, x, y, host::MouseButton::Right);
    });
    headless.script_advance(100);
    headless.script_call([&](host::HeadlessHost& h) {
        POINT origin{0, 0};
        ::ClientToScreen(static_cast<CMainDialog*>(AfxGetMainWnd())->m_boardWnd.GetSafeHwnd(),
                         &origin);
        HWND menu =
            ::WindowFromPoint(POINT{origin.x + 16 + 28 * 6 + 4, origin.y + 16 + 28 * 6 + 4});
        const RECT r = print_rect("menu", menu);
        for (int i = 0; i < 3; ++i) {  // items 18 pixels tall inside a 3-pixel border
            std::printf("item%d %d %d\n", i, static_cast<int>((r.left + r.right) / 2),
                        static_cast<int>(r.top + 3 + 18 * i + 9));
        }
        printed = menu != nullptr;
        escape(h);  // the menu closes
    });
    headless.script_advance(100);
    headless.script_call(escape);
    std::string error;
    if (launch::run_headless(headless, &error) == -1) {
        std::fprintf(stderr, "pilo_e2e_layout: %s\n", error.c_str());
        return 1;
    }
    return printed ? 0 : 1;
}
