// GoldenTest.cpp: whole-screen pictures of the running program compared with committed ones.
// PILO_UPDATE_GOLDEN=1 (or `make golden`) rewrites them when a change of look is intended.
#include "platform/host/VirtualKeys.h"
#include "res/resource.h"
#include "tests/app/ProgramProbe.h"
#include "tests/e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Script = std::function<void(host::HeadlessHost&)>;

// Items of the piece-set menu are as tall as the pictures.
constexpr int kPieceItemHeight = 18;

// Past the splash's timer: the main window alone, idle.
void settle(host::HeadlessHost& h) {
    h.script_advance(800);
}

void right_click_board(host::HeadlessHost& h) {
    h.script_call([](host::HeadlessHost& hh) {
        const POINT p = e2e::cell_point(6, 6);
        e2e::push_right_click(hh, p.x, p.y);
    });
    h.script_advance(100);
}

Script choose_set(int item) {
    return [item](host::HeadlessHost& h) {
        settle(h);
        right_click_board(h);
        h.script_call([item](host::HeadlessHost& hh) {
            HWND menu = e2e::popup_menu();
            ASSERT_NE(menu, nullptr);
            const RECT r = e2e::menu_item(menu, item, kPieceItemHeight);
            probe::push_click(hh, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            e2e::push_move(hh, 0, 0);
        });
        h.script_advance(300);
    };
}

struct Case {
    const char* name;
    Script before;  // the script up to the moment of the picture
    Script after;   // what ends the program from there
};

void escape(host::HeadlessHost& h) {
    h.script_call([](host::HeadlessHost& hh) { probe::push_key(hh, host::vk::kEscape); });
}

const Case kCases[] = {
    {"splash", [](host::HeadlessHost&) {},
     [](host::HeadlessHost& h) {
         settle(h);
         escape(h);
     }},
    {"square-board", settle, escape},
    {"cross-board",
     [](host::HeadlessHost& h) {
         settle(h);
         h.script_call([](host::HeadlessHost& hh) {
             const POINT p =
                 e2e::centre_of(GetDlgItem(e2e::main_dialog()->GetSafeHwnd(), IDC_SHAPE));
             probe::push_click(hh, p.x, p.y);
             e2e::push_move(hh, 0, 0);
         });
         h.script_advance(300);
     },
     escape},
    {"set-crosses", choose_set(0), escape},
    {"set-balls", choose_set(1), escape},
    {"set-stars", choose_set(2), escape},
    {"piece-set-menu",
     [](host::HeadlessHost& h) {
         settle(h);
         right_click_board(h);
         h.script_call([](host::HeadlessHost& hh) {
             HWND menu = e2e::popup_menu();
             ASSERT_NE(menu, nullptr);
             const RECT r = e2e::menu_item(menu, 1, kPieceItemHeight);
             e2e::push_move(hh, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
         });
         h.script_advance(100);
     },
     [](host::HeadlessHost& h) {
         escape(h);  // dismisses the menu
         h.script_advance(100);
         escape(h);
     }},
    {"about-box",
     [](host::HeadlessHost& h) {
         settle(h);
         h.script_call([](host::HeadlessHost& hh) { e2e::push_alt_space(hh); });
         h.script_advance(100);
         h.script_call([](host::HeadlessHost& hh) {
             HWND menu = e2e::popup_menu();
             ASSERT_NE(menu, nullptr);
             // The About entry is the last item, a text item below a separator.
             const RECT r = probe::window_rect(menu);
             probe::push_click(hh, (r.left + r.right) / 2, r.bottom - 3 - 9);
             e2e::push_move(hh, 0, 0);
         });
         h.script_advance(300);
     },
     [](host::HeadlessHost& h) {
         h.script_call([](host::HeadlessHost& hh) { probe::push_key(hh, host::vk::kReturn); });
         h.script_advance(100);
         escape(h);
     }},
};

TEST(Golden, ScreensMatchTheirCommittedPictures) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::string mismatch = "no picture was taken";
        c.before(headless);
        headless.script_call(
            [&](host::HeadlessHost& h) { mismatch = e2e::compare_golden(h, c.name); });
        c.after(headless);
        e2e::run_program(headless);
        EXPECT_EQ(mismatch, "");
        EXPECT_EQ(probe::visible_top_level_count(), 0);
    }
}

}  // namespace
