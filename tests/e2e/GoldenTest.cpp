// GoldenTest.cpp: whole-screen pictures of the running program compared with committed ones.
// PILO_UPDATE_GOLDEN=1 (or `make golden`) rewrites them when a change of look is intended.
#include "res/resource.h"
#include "tests/app/ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using probe::kEscape;
using probe::kMouseAway;
using probe::Step;
using Steps = std::vector<Step>;
constexpr auto kRight = host::MouseButton::Right;

// Past the splash's timer (800 ms) the main window is alone and idle; a right click on the
// board opens the piece-set menu, whose items are as tall as the pictures.
Steps choose_set(int item) {
    return {
        {800, {probe::on_cell(6, 6, kRight)}}, {100, {probe::on_menu(item), kMouseAway}}, {300}};
}

TEST(Golden, ScreensMatchTheirCommittedPictures) {
    struct Case {
        const char* name;
        Steps before;  // the script up to the moment of the picture
        Steps after;   // what ends the program from there
    };
    const Case cases[] = {
        {"splash", {}, {{800, {kEscape}}}},
        {"square-board", {{800}}, {{0, {kEscape}}}},
        {"cross-board", {{800, {probe::on_item(IDC_SHAPE), kMouseAway}}, {300}}, {{0, {kEscape}}}},
        {"set-crosses", choose_set(0), {{0, {kEscape}}}},
        {"set-balls", choose_set(1), {{0, {kEscape}}}},
        {"set-stars", choose_set(2), {{0, {kEscape}}}},
        // The pointer over an item of the open menu; Esc dismisses it, another ends the program.
        {"piece-set-menu",
         {{800, {probe::on_cell(6, 6, kRight)}},
          {100, {probe::on_menu(1, host::MouseButton::None)}},
          {100}},
         {{0, {kEscape}}, {100, {kEscape}}}},
        // Alt+Space opens the system menu, the pointer on its last item, the About entry.
        {"system-menu",
         {{800, {probe::key(VK_SPACE, host::kModAlt, ' ')}},
          {100, {probe::on_menu(-1, host::MouseButton::None)}},
          {100}},
         {{0, {kEscape}}, {100, {kEscape}}}},
        // The About entry chosen.
        {"about-box",
         {{800, {probe::key(VK_SPACE, host::kModAlt, ' ')}},
          {100, {probe::on_menu(-1), kMouseAway}},
          {300}},
         {{0, {probe::key(VK_RETURN)}}, {100, {kEscape}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::string mismatch = "no picture was taken";
        probe::script(headless, c.before);
        headless.script_call(
            [&](host::HeadlessHost& h) { mismatch = probe::compare_golden(h, c.name); });
        probe::script(headless, c.after);
        probe::run(headless);
        EXPECT_EQ(mismatch, "");
        EXPECT_EQ(probe::visible_top_level_count(), 0);
    }
}

}  // namespace
