// GameAppTest.cpp: the whole program on the headless host: start-up and its refusals, the
// splash, the opening piece set, tool-tips, what opens over the main window, and the farewell.
// The main window's buttons are played in tests/e2e.
#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "game/BoardGeometry.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"
#include "tests/app/ProgramRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using probe::Act;
using probe::find_splash;
using probe::kEscape;
using probe::look;
using probe::main_dialog;
using probe::run;
using probe::Sight;

TEST(Program, StartUpRefusesWhatItCannotRunWithAndGoesOnWithoutTheSplash) {
    struct Case {
        const char* name;
        int bpp;
        std::uint32_t version;
        bool timers;
        std::vector<UINT> missing;  // bitmaps taken out of the resources
        const char* message;        // the box that stays up, or nullptr
        bool splash, mainWindow;    // shown at the start, and beside the box
        bool farewell;              // the main window came, so it says farewell
        const char* golden;
    };
    const char* kDisplay =
        "Do uruchomienia wymagana jest karta graficzna pracująca z paletą logiczną w trybie 256 "
        "kolorów.";
    const char* kNoTimer =
        "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie dostępne Timery. Zamknij jedną "
        "lub kilka i spróbuj jeszcze raz.";
    // clang-format off
    const Case cases[] = {
        {"true colour", 32, 0x400, true, {}, kDisplay, false, false, false, "refused-display"},
        {"driver 0x2FF", 8, 0x2FF, true, {}, kDisplay, false, false, false, nullptr},
        {"driver 0x300 is enough", 8, 0x300, true, {}, nullptr, true, true, true, nullptr},
        {"no timers: the board warns", 8, 0x400, false, {}, kNoTimer, true, false, true, "no-timer"},
        {"no piece set", 8, 0x400, true, {IDB_CROSSES, IDB_BALLS, IDB_STARS},
         "Błąd w trakcie tworzenia pionków do gry.", true, false, false, "no-piece-set"},
        {"no splash picture", 8, 0x400, true, {IDB_SPLASH}, nullptr, false, true, true, nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.display_bpp = c.bpp;
        settings.driver_version = c.version;
        settings.timers = c.timers;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        const std::string message = c.message ? cp1250::utf8_to_cp1250(c.message) : "";
        Sight first, later;
        std::string golden;
        headless.script_call([&](host::HeadlessHost&) { first = look(message); });
        if (!c.timers) {
            headless.script_click(100, 100);  // without a timer only a press ends the splash
        }
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            later = look(message);
            golden = c.golden ? probe::compare_golden(h, c.golden) : "";
        });
        headless.script_key(c.message ? VK_RETURN : VK_ESCAPE);
        run(headless, c.missing);
        EXPECT_EQ(first.splash, c.splash);
        EXPECT_EQ(later.message, c.message != nullptr);
        EXPECT_EQ(later.mainWindow, c.mainWindow);
        EXPECT_EQ(later.visibleWindows, (c.message ? 1 : 0) + (c.mainWindow ? 1 : 0));
        EXPECT_EQ(golden, "");
        EXPECT_EQ(probe::visible_top_level_count(), 0);
        EXPECT_EQ(probe::wave_ids(headless).size(), c.farewell ? 1u : 0u);
    }
}

TEST(Program, SplashIsCentredTopmostAndGoesAt750MillisecondsOrAPress) {
    struct Case {
        const char* name;
        Act act;
        bool gone;
    };
    const Case cases[] = {
        {"749 ms", [](host::HeadlessHost& h) { h.script_advance(749); }, false},
        {"750 ms", [](host::HeadlessHost& h) { h.script_advance(750); }, true},
        {"a key press", [](host::HeadlessHost& h) { h.script_key(VK_SHIFT); }, true},
        {"a right press on the splash",
         [](host::HeadlessHost& h) { h.script_mouse_down(100, 100, host::MouseButton::Right); },
         true},
        {"a mouse move", [](host::HeadlessHost& h) { h.script_mouse_move(300, 200); }, false},
        {"a button release",
         [](host::HeadlessHost& h) { h.script_mouse_up(100, 100, host::MouseButton::Right); },
         false},
        {"a key release",
         [](host::HeadlessHost& h) {
             host::Event e;
             e.type = host::EventType::KeyUp;
             e.vk = VK_SHIFT;
             h.script_event(e);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        Sight before, after;
        DWORD exStyle = 0;  // frameless: the golden splash picture
        headless.script_call([&](host::HeadlessHost&) {
            before = look();
            exStyle = static_cast<DWORD>(GetWindowLongPtrA(find_splash(), GWL_EXSTYLE));
        });
        c.act(headless);
        headless.script_call([&](host::HeadlessHost&) { after = look(); });
        headless.script_key(VK_ESCAPE);
        run(headless);
        EXPECT_TRUE(before.splash && before.mainWindow);
        EXPECT_NE(exStyle & WS_EX_TOPMOST, 0u);
        EXPECT_EQ(after.splash, !c.gone);
        EXPECT_TRUE(after.mainWindow);
    }
}

// The opening set is the first rand() % 3 after srand(time): worked out by hand with the
// runtime's generator (seed x 214013 + 2531011, bits 16 to 30). Choosing that set again
// changes nothing on the screen; choosing another does.
TEST(Program, TheOpeningPieceSetFollowsTheCalendarClock) {
    struct Case {
        std::time_t calendar;
        int set;
    };
    const Case cases[] = {{1000000000, 2}, {1000000003, 0}, {1700000000, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.calendar);
        std::vector<bool> unchanged;
        for (int set = 0; set < 3; ++set) {
            host::HeadlessHost headless;
            host::ScopedInstall installed(headless);
            headless.set_calendar_time(c.calendar);
            std::vector<std::uint32_t> opening, after;
            const auto grab = [](std::vector<std::uint32_t>& into) {
                return [&into](host::HeadlessHost& h) {
                    into = probe::grab(h, probe::window_rect(main_dialog()->GetSafeHwnd()));
                };
            };
            probe::script(headless, {{800,
                                      {grab(opening),
                                       [set](host::HeadlessHost&) {
                                           PostMessageA(main_dialog()->GetSafeHwnd(), WM_COMMAND,
                                                        IDB_CROSSES + set, 0);
                                       }}},
                                     {300, {grab(after), kEscape}}});
            run(headless);
            unchanged.push_back(!opening.empty() && opening == after);
        }
        EXPECT_EQ(unchanged, (std::vector<bool>{c.set == 0, c.set == 1, c.set == 2}));
    }
}

// A click on the first cell holding a piece.
void click_piece(host::HeadlessHost& h) {
    const BoardModel& model = main_dialog()->m_boardWnd.GetModel();
    for (int cell = 0; cell < 13 * 13; ++cell) {
        if (model.Colour(cell / 13, cell % 13) >= 0) {
            return probe::on_cell(cell / 13, cell % 13)(h);
        }
    }
    ADD_FAILURE() << "no piece on the board";
}

// Each tip is pinned by its golden picture, which shows its own text below the cursor.
TEST(Program, ToolTipsShowTheirOwnTextsAfterTheDelayButNotOverTheBoard) {
    struct Case {
        int id;
        const char* golden;  // nullptr: no tip
    };
    const Case cases[] = {{IDC_EXIT, "tip-exit"},   {IDC_NEW_GAME, "tip-new-game"},
                          {IDC_SHAPE, "tip-shape"}, {IDC_PREVIEW, "tip-preview"},
                          {IDC_SCORE, "tip-score"}, {IDC_BOARD, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        bool early = true, shown = false;
        std::string golden;
        const Act hover = [&c](host::HeadlessHost& h) {  // the pointer comes to rest there
            const POINT at = probe::centre_of(GetDlgItem(main_dialog()->GetSafeHwnd(), c.id));
            probe::push_mouse(h, at.x, at.y, host::MouseButton::None);
            probe::push_mouse(h, at.x + 1, at.y, host::MouseButton::None);
        };
        const auto tip = [](bool& into) {
            return [&into](host::HeadlessHost&) {
                into = probe::find_class("tooltips_class32") != nullptr;
            };
        };
        const Act picture = [&](host::HeadlessHost& h) {
            golden = c.golden ? probe::compare_golden(h, c.golden) : "";
        };
        // 100 ms is within the initial delay.
        probe::script(
            headless,
            {{800, {hover}}, {100, {tip(early)}}, {1000, {tip(shown), picture, kEscape}}});
        run(headless);
        EXPECT_FALSE(early);
        EXPECT_EQ(shown, c.golden != nullptr);
        EXPECT_EQ(golden, "");
    }
}

// Whichever way the window closes, even by the key that ends the splash, the farewell plays
// last (after Esc: WhatOpensOverTheMainWindow); afterwards no timer is left and nothing is drawn.
TEST(Program, FarewellPlaysLastWhicheverWayTheWindowCloses) {
    struct Case {
        const char* name;
        int at;     // ms after the start; from 800 a piece is selected first: it pulses on
        Act close;  // every tick while the board lives
        bool audio;
    };
    const Case cases[] = {
        {"Esc on the splash", 0, kEscape, true},
        {"Enter", 800, probe::key(VK_RETURN), true},
        {"exit button", 800, probe::on_item(IDC_EXIT), true},
        {"close box", 800,
         [](host::HeadlessHost& h) { h.push_event(host::Event{host::EventType::CloseRequested}); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.audio = c.audio;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        probe::script(
            headless,
            {{c.at, {c.at > 0 ? Act(click_piece) : Act([](host::HeadlessHost&) {}), c.close}}});
        run(headless);
        EXPECT_EQ(probe::visible_top_level_count(), 0);
        EXPECT_EQ(probe::wave_ids(headless),
                  c.audio ? std::vector<UINT>{IDW_FAREWELL} : std::vector<UINT>{});
        const int frames = headless.frames_presented();
        headless.advance(1000);
        int ticks = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ticks += msg.message == WM_TIMER ? 1 : 0;
            DispatchMessageA(&msg);
        }
        EXPECT_EQ(ticks, 0);
        EXPECT_EQ(headless.frames_presented(), frames);
    }
}

// A right click over the preview opens the piece-set menu, over the score nothing; the About
// entry of the system menu, with any low bits, opens the About box (the plain entry, its credit
// and OK picture are pinned by the golden about-box and Gameplay), other system commands do not;
// dismissed, nothing runs.
TEST(Program, WhatOpensOverTheMainWindow) {
    const auto command = [](WPARAM id) -> Act {
        return [id](host::HeadlessHost&) {
            PostMessageA(main_dialog()->GetSafeHwnd(), WM_SYSCOMMAND, id, 0);
        };
    };
    struct Case {
        const char* name;
        Act act;
        const char* window;  // the class of the window that opens, or nullptr
        std::uint16_t dismiss;
    };
    const Case cases[] = {
        {"right click on the preview", probe::on_item(IDC_PREVIEW, host::MouseButton::Right),
         "#32768", VK_ESCAPE},
        {"right click on the score", probe::on_item(IDC_SCORE, host::MouseButton::Right), nullptr,
         VK_ESCAPE},
        {"About entry with low bits", command(IDM_ABOUTBOX | 0x3), "#32770", VK_RETURN},
        {"close", command(SC_CLOSE), nullptr, VK_RETURN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::string opened = "(none)";
        const Act see = [&](host::HeadlessHost& h) {
            HWND front = probe::front_window();
            if (main_dialog() != nullptr && front != main_dialog()->GetSafeHwnd()) {
                opened = probe::class_name(front);
                probe::push_key(h, c.dismiss);
            }
        };
        probe::script(headless, {{800, {c.act}}, {300, {see}}, {300, {kEscape}}});
        run(headless);
        EXPECT_EQ(opened, c.window ? c.window : "(none)");
        EXPECT_EQ(probe::wave_ids(headless), std::vector<UINT>{IDW_FAREWELL});
    }
}

}  // namespace
