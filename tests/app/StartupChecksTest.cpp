// StartupChecksTest.cpp: start-up refusals: a display that cannot show the palette, no timers.
#include "app/CGameApp.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"
#include "tests/app/ProgramProbe.h"
#include "tests/app/ProgramRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using probe::look;
using probe::run;
using probe::Sight;

const std::string kNoTimerMessage =
    "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie dostępne Timery. Zamknij jedną lub "
    "kilka i spróbuj jeszcze raz."_cp1250;
const std::string kDisplayMessage =
    "Do uruchomienia wymagana jest karta graficzna pracująca z paletą logiczną w trybie 256 "
    "kolorów."_cp1250;

TEST(Program, DisplayCheckRefusesWhatCannotShowThePalette) {
    struct Case {
        const char* name;
        int bpp;
        std::uint32_t version;
        bool refused;
    };
    const Case cases[] = {
        {"true colour", 32, 0x400, true},
        {"driver 0x2FF", 8, 0x2FF, true},
        {"driver 0x300", 8, 0x300, false},
        {"driver 0x400", 8, 0x400, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.display_bpp = c.bpp;
        settings.driver_version = c.version;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        std::vector<Sight> sights;
        headless.script_call([&](host::HeadlessHost& h) {
            sights.push_back(look(kDisplayMessage));
            if (c.refused) {
                h.write_png(std::string("display-refused-") + std::to_string(c.bpp) + ".png");
            }
        });
        // OK on the message box, or Esc on the main window.
        headless.script_key(c.refused ? VK_RETURN : VK_ESCAPE);
        headless.script_call([&](host::HeadlessHost&) { sights.push_back(look(kDisplayMessage)); });
        run(headless);
        ASSERT_GE(sights.size(), 1u);
        EXPECT_EQ(sights[0].message, c.refused);
        EXPECT_EQ(sights[0].mainWindow, !c.refused);
        if (c.refused) {
            EXPECT_FALSE(sights[0].splash);
            EXPECT_EQ(sights[0].visibleWindows, 1);  // the message box alone
            EXPECT_TRUE(headless.waves().empty());   // no main window, so no farewell
        }
        EXPECT_EQ(probe::visible_top_level_count(), 0);
    }
}

TEST(Program, WithoutATimerTheBoardWarnsAndTheGameEnds) {
    host::Settings settings;
    settings.timers = false;
    host::HeadlessHost headless(settings);
    host::ScopedInstall installed(headless);
    bool warned = false;
    headless.script_call([&](host::HeadlessHost& h) {
        warned = probe::find_showing(kNoTimerMessage) != nullptr;
        h.write_png("no-timer.png");
    });
    // Without timers the splash stays over the warning until a press on it ends it.
    headless.script_click(100, 100);
    bool uncovered = false;
    headless.script_call([&](host::HeadlessHost&) {
        const HWND front = probe::front_window();
        uncovered = front != nullptr && probe::shows_text(front, kNoTimerMessage);
    });
    headless.script_key(VK_RETURN);
    run(headless);
    EXPECT_TRUE(warned);
    EXPECT_TRUE(uncovered);
    EXPECT_EQ(probe::visible_top_level_count(), 0);
    // The main window existed, so it says farewell.
    EXPECT_EQ(probe::wave_ids(headless), std::vector<UINT>{IDW_FAREWELL});
}

}  // namespace
