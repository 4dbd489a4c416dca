// web_layout.cpp: runs the program on the headless host at calendar second SECONDS and prints,
// for the browser test, where things are on the screen and what the first deal shows there:
// "caption X Y RRGGBB" and "field X Y RRGGBB" (the main window's caption, the board's field
// after the splash), "cell R C X Y" (centres of the board's cells), "preview L T R B", and the
// piece-set menu a right click on cell 6 6 opens: "menu L T R B" and "item I X Y".
#include "app/CMainDialog.h"
#include "platform/host/VirtualKeys.h"
#include "platform/launch/HeadlessRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

POINT cell_point(int row, int column) {
    POINT p{0, 0};
    ::ClientToScreen(static_cast<CMainDialog*>(AfxGetMainWnd())->m_boardWnd.GetSafeHwnd(), &p);
    return POINT{p.x + 16 + 28 * column, p.y + 16 + 28 * row};
}

void push(host::HeadlessHost& h, host::EventType type, POINT p, host::MouseButton b,
          std::uint16_t vk = 0) {
    host::Event e;
    e.type = type;
    e.x = p.x;
    e.y = p.y;
    e.button = b;
    e.vk = vk;
    h.push_event(e);
}

void escape(host::HeadlessHost& h) {
    push(h, host::EventType::KeyDown, {}, host::MouseButton::None, host::vk::kEscape);
    push(h, host::EventType::KeyUp, {}, host::MouseButton::None, host::vk::kEscape);
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
    const auto print = [&](const char* name, POINT p) {
        std::printf("%s %d %d %06X\n", name, static_cast<int>(p.x), static_cast<int>(p.y),
                    headless.pixel(p.x, p.y));
    };
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        auto* dlg = static_cast<CMainDialog*>(AfxGetMainWnd());
        if (dlg == nullptr) {
            return;
        }
        RECT r{};
        ::GetWindowRect(dlg->GetSafeHwnd(), &r);
        print("caption", POINT{(r.left + r.right) / 2, r.top + 8});
        const POINT corner = cell_point(0, 0);
        print("field", POINT{corner.x - 14, corner.y - 14});
        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 13; ++column) {
                const POINT p = cell_point(row, column);
                std::printf("cell %d %d %d %d\n", row, column, static_cast<int>(p.x),
                            static_cast<int>(p.y));
            }
        }
        ::GetWindowRect(dlg->m_previewWnd.GetSafeHwnd(), &r);
        std::printf("preview %d %d %d %d\n", static_cast<int>(r.left), static_cast<int>(r.top),
                    static_cast<int>(r.right), static_cast<int>(r.bottom));
        push(h, host::EventType::MouseMove, cell_point(6, 6), host::MouseButton::None);
        push(h, host::EventType::MouseDown, cell_point(6, 6), host::MouseButton::Right);
        push(h, host::EventType::MouseUp, cell_point(6, 6), host::MouseButton::Right);
    });
    headless.script_advance(100);
    headless.script_call([&](host::HeadlessHost& h) {
        const POINT click = cell_point(6, 6);
        RECT r{};
        if (!::GetWindowRect(::WindowFromPoint(POINT{click.x + 4, click.y + 4}), &r)) {
            return;
        }
        std::printf("menu %d %d %d %d\n", static_cast<int>(r.left), static_cast<int>(r.top),
                    static_cast<int>(r.right), static_cast<int>(r.bottom));
        for (int i = 0; i < 3; ++i) {  // items 18 pixels tall inside a 3-pixel border
            std::printf("item %d %d %d\n", i, static_cast<int>((r.left + r.right) / 2),
                        static_cast<int>(r.top + 3 + 18 * i + 9));
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
