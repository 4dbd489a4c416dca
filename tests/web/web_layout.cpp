// web_layout.cpp: runs the program on the headless host at a given calendar second and prints,
// for the browser test, where things are on the screen and what the first deal shows there:
//   field X Y RRGGBB          the board's grey field once the main window is up
//   cell R C X Y C0 C1 C2 C3 C4  a cell's centre and its colours at the centre and 7 px
//                             left, right, up and down
//   preview L T R B           the next-pieces preview
//   menu L T R B / item I X Y the piece-set menu a right click on cell 6 6 opens, its items
#include "app/CMainDialog.h"
#include "platform/host/VirtualKeys.h"
#include "platform/launch/HeadlessRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kGrid = 13;
constexpr int kMenuBorder = 3;
constexpr int kMenuItemHeight = 18;
constexpr int kMenuItems = 3;

POINT cell_point(int row, int column) {
    POINT origin{0, 0};
    ::ClientToScreen(static_cast<CMainDialog*>(AfxGetMainWnd())->m_boardWnd.GetSafeHwnd(), &origin);
    return POINT{origin.x + 16 + 28 * column, origin.y + 16 + 28 * row};
}

void push(host::HeadlessHost& h, host::EventType type, int x, int y, host::MouseButton b) {
    host::Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = b;
    h.push_event(e);
}

void escape(host::HeadlessHost& h) {
    host::Event e;
    e.type = host::EventType::KeyDown;
    e.vk = host::vk::kEscape;
    h.push_event(e);
    e.type = host::EventType::KeyUp;
    h.push_event(e);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: web_layout SECONDS\n");
        return 2;
    }
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    headless.set_calendar_time(static_cast<std::time_t>(std::strtoll(argv[1], nullptr, 10)));
    bool printed = false;
    POINT click{0, 0};
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        auto* dlg = static_cast<CMainDialog*>(AfxGetMainWnd());
        if (dlg == nullptr) {
            return;
        }
        POINT origin{0, 0};
        ::ClientToScreen(dlg->m_boardWnd.GetSafeHwnd(), &origin);
        std::printf("field %d %d %06X\n", static_cast<int>(origin.x + 2),
                    static_cast<int>(origin.y + 2), h.pixel(origin.x + 2, origin.y + 2));
        for (int row = 0; row < kGrid; ++row) {
            for (int column = 0; column < kGrid; ++column) {
                const POINT p = cell_point(row, column);
                std::printf("cell %d %d %d %d", row, column, static_cast<int>(p.x),
                            static_cast<int>(p.y));
                const int dx[] = {0, -7, 7, 0, 0};
                const int dy[] = {0, 0, 0, -7, 7};
                for (int i = 0; i < 5; ++i) {
                    std::printf(" %06X", h.pixel(p.x + dx[i], p.y + dy[i]));
                }
                std::printf("\n");
            }
        }
        RECT r{};
        ::GetWindowRect(dlg->m_previewWnd.GetSafeHwnd(), &r);
        std::printf("preview %d %d %d %d\n", static_cast<int>(r.left), static_cast<int>(r.top),
                    static_cast<int>(r.right), static_cast<int>(r.bottom));
        click = cell_point(6, 6);
        push(h, host::EventType::MouseMove, click.x, click.y, host::MouseButton::None);
        push(h, host::EventType::MouseDown, click.x, click.y, host::MouseButton::Right);
        push(h, host::EventType::MouseUp, click.x, click.y, host::MouseButton::Right);
    });
    headless.script_advance(100);
    headless.script_call([&](host::HeadlessHost& h) {
        RECT r{};
        HWND menu = ::WindowFromPoint(POINT{click.x + 4, click.y + 4});
        if (menu == nullptr || !::GetWindowRect(menu, &r)) {
            return;
        }
        std::printf("menu %d %d %d %d\n", static_cast<int>(r.left), static_cast<int>(r.top),
                    static_cast<int>(r.right), static_cast<int>(r.bottom));
        for (int i = 0; i < kMenuItems; ++i) {
            std::printf(
                "item %d %d %d\n", i, static_cast<int>((r.left + r.right) / 2),
                static_cast<int>(r.top + kMenuBorder + kMenuItemHeight * i + kMenuItemHeight / 2));
        }
        printed = true;
        escape(h);  // the menu closes
    });
    headless.script_advance(100);
    headless.script_call([](host::HeadlessHost& h) { escape(h); });
    std::string error;
    if (launch::run_headless(headless, &error) == -1) {
        std::fprintf(stderr, "web_layout: %s\n", error.c_str());
        return 1;
    }
    return printed ? 0 : 1;
}
