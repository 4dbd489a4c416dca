// GameAppTest.cpp: the whole program on the headless host: start-up checks, splash, main window,
// About box and farewell.
#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "game/BoardGeometry.h"
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

using probe::find_splash;
using probe::look;
using probe::main_dialog;
using probe::run;
using probe::Sight;

TEST(Program, SplashIsCentredTopmostAndGoesAtItsTimerOrAPress) {
    struct Case {
        const char* name;
        std::function<void(host::HeadlessHost&)> act;
        bool gone;
    };
    const Case cases[] = {
        {"its timer", [](host::HeadlessHost& h) { h.script_advance(800); }, true},
        {"a key press", [](host::HeadlessHost& h) { h.script_key(VK_SHIFT); }, true},
        {"a right press on the splash",
         [](host::HeadlessHost& h) { h.script_mouse_down(100, 100, host::MouseButton::Right); },
         true},
        {"a mouse move",
         [](host::HeadlessHost& h) {
             h.script_mouse_move(300, 200);
             h.script_mouse_move(310, 210);
         },
         false},
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
        DWORD exStyle = 0, style = 0;
        bool front = false;
        headless.script_call([&](host::HeadlessHost& h) {
            before = look();
            HWND splash = find_splash();
            front = splash != nullptr && splash == probe::front_window();
            exStyle = static_cast<DWORD>(GetWindowLongPtrA(splash, GWL_EXSTYLE));
            style = static_cast<DWORD>(GetWindowLongPtrA(splash, GWL_STYLE));
            h.write_png("splash.png");
        });
        c.act(headless);
        headless.script_call([&](host::HeadlessHost&) { after = look(); });
        // Ends a splash still up and, not consumed by it, the game as well.
        headless.script_key(VK_ESCAPE);
        run(headless);
        EXPECT_TRUE(before.splash);
        EXPECT_TRUE(before.mainWindow);
        EXPECT_TRUE(front);
        EXPECT_NE(exStyle & WS_EX_TOPMOST, 0u);
        EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0u);
        EXPECT_EQ(after.splash, !c.gone);
        EXPECT_TRUE(after.mainWindow);
    }
}

TEST(Program, KeyThatEndsTheSplashStillReachesTheMainWindow) {
    // Esc while the splash is up ends the splash and, delivered on, the game.
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    bool splashBefore = false;
    headless.script_call([&](host::HeadlessHost&) { splashBefore = find_splash() != nullptr; });
    headless.script_key(VK_ESCAPE);
    headless.script_call([](host::HeadlessHost&) { ADD_FAILURE() << "the game went on"; });
    run(headless);
    EXPECT_TRUE(splashBefore);
    EXPECT_EQ(probe::visible_top_level_count(), 0);
    EXPECT_EQ(probe::wave_ids(headless), std::vector<UINT>{IDW_FAREWELL});
}

// Screen point of a board cell and of a control's centre.
POINT cell_point(int row, int column) {
    const RECT board = probe::client_rect(main_dialog()->m_boardWnd.GetSafeHwnd());
    return POINT{board.left + CellCentre(column), board.top + CellCentre(row)};
}
POINT centre_of(CWnd& wnd) {
    const RECT r = probe::window_rect(wnd.GetSafeHwnd());
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
// The first cell holding a piece.
POINT piece_point() {
    const BoardModel& model = main_dialog()->m_boardWnd.GetModel();
    for (int row = 0; row < 13; ++row) {
        for (int column = 0; column < 13; ++column) {
            if (model.Colour(row, column) >= 0) {
                return cell_point(row, column);
            }
        }
    }
    ADD_FAILURE() << "no piece on the board";
    return POINT{};
}

TEST(Program, LeftReleasesOverTheBoardAreBoardClicksElsewhereNothing) {
    struct Case {
        const char* name;
        std::function<POINT()> where;
        BoardModel::State state;
    };
    const Case cases[] = {
        {"a piece on the board", piece_point, BoardModel::Selected},
        {"the score display", [] { return centre_of(main_dialog()->m_scoreWnd); },
         BoardModel::Idle},
        {"the preview", [] { return centre_of(main_dialog()->m_previewWnd); }, BoardModel::Idle},
        {"the background below the buttons",
         [] {
             const RECT r = probe::client_rect(main_dialog()->GetSafeHwnd());
             return POINT{r.right - 5, r.top + 40};
         },
         BoardModel::Idle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        int state = -1;
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            const POINT p = c.where();
            probe::push_click(h, p.x, p.y);
        });
        headless.script_call([&](host::HeadlessHost& h) {
            state = main_dialog()->m_boardWnd.GetModel().GetState();
            probe::push_key(h, VK_ESCAPE);
        });
        run(headless);
        EXPECT_EQ(state, c.state);
    }
}

TEST(Program, ShapeAndNewGameButtonsDealAfreshAndResetTheScore) {
    // Each step clicks a button after the score was raised; free cells = playable - 5.
    struct Step {
        const char* name;
        int id;
        int checked;
        int cross;
        int freeCells;
    };
    const Step steps[] = {
        {"shape: to the cross", IDC_SHAPE, 1, 1, 116},
        {"new game keeps the cross", IDC_NEW_GAME, 1, 1, 116},
        {"shape: back to the square", IDC_SHAPE, 0, 0, 76},
        {"new game keeps the square", IDC_NEW_GAME, 0, 0, 76},
    };
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    struct Seen {
        int checked, cross, freeCells, score, state;
    };
    std::vector<Seen> seen;
    headless.script_advance(800);
    for (const Step& s : steps) {
        headless.script_call([&s](host::HeadlessHost& h) {
            CMainDialog* dlg = main_dialog();
            dlg->m_scoreWnd.m_nScore = 42;
            // A selection must not survive the new deal.
            const POINT piece = piece_point();
            probe::push_click(h, piece.x, piece.y);
            const POINT p = centre_of(*dlg->GetDlgItem(s.id));
            probe::push_click(h, p.x, p.y);
        });
        headless.script_advance(300);
        headless.script_call([&](host::HeadlessHost&) {
            CMainDialog* dlg = main_dialog();
            seen.push_back({dlg->m_shapeButton.m_checked, dlg->m_boardWnd.m_cross,
                            dlg->m_boardWnd.GetModel().FreeCells(), dlg->m_scoreWnd.m_nScore,
                            dlg->m_boardWnd.GetModel().GetState()});
        });
    }
    headless.script_call([](host::HeadlessHost& h) { probe::push_key(h, VK_ESCAPE); });
    run(headless);
    ASSERT_EQ(seen.size(), std::size(steps));
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].name);
        EXPECT_EQ(seen[i].checked, steps[i].checked);
        EXPECT_EQ(seen[i].cross != 0, steps[i].cross != 0);
        EXPECT_EQ(seen[i].freeCells, steps[i].freeCells);
        EXPECT_EQ(seen[i].score, 0);
        EXPECT_EQ(seen[i].state, BoardModel::Idle);
    }
}

TEST(Program, PieceSetCommandsRepaintTheBoardAndPreviewWithTheChosenSet) {
    // A picture of the preview's first piece for each command; the sets draw differently and
    // the same set draws the same.
    const UINT commands[] = {IDB_CROSSES, IDB_BALLS, IDB_STARS, IDB_CROSSES};
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::vector<std::vector<std::uint32_t>> previews, boards;
    headless.script_advance(800);
    for (UINT command : commands) {
        headless.script_call([command](host::HeadlessHost&) {
            PostMessageA(main_dialog()->GetSafeHwnd(), WM_COMMAND, command, 0);
        });
        // Past a board tick, so the loop runs and takes the posted command.
        headless.script_advance(300);
        headless.script_call([&](host::HeadlessHost& h) {
            auto grab = [&h](const RECT& r, int w, int hgt) {
                std::vector<std::uint32_t> px;
                for (int y = 0; y < hgt; ++y) {
                    for (int x = 0; x < w; ++x) {
                        px.push_back(h.pixel(r.left + x, r.top + y));
                    }
                }
                return px;
            };
            previews.push_back(
                grab(probe::client_rect(main_dialog()->m_previewWnd.GetSafeHwnd()), 88, 32));
            boards.push_back(
                grab(probe::client_rect(main_dialog()->m_boardWnd.GetSafeHwnd()), 368, 368));
        });
    }
    headless.script_call([](host::HeadlessHost& h) { probe::push_key(h, VK_ESCAPE); });
    run(headless);
    ASSERT_EQ(previews.size(), std::size(commands));
    EXPECT_NE(previews[0], previews[1]);
    EXPECT_NE(previews[1], previews[2]);
    EXPECT_NE(previews[0], previews[2]);
    EXPECT_EQ(previews[0], previews[3]);
    EXPECT_NE(boards[0], boards[1]);
    EXPECT_NE(boards[1], boards[2]);
    EXPECT_EQ(boards[0], boards[3]);
}

TEST(Program, MainWindowIsCaptionedPiloWithItsControlsInPlace) {
    struct Control {
        const char* name;
        int id;
        RECT dialogUnits;  // x, y, width, height in the template
        bool resizedTo24;
    };
    const Control controls[] = {
        {"exit", IDC_EXIT, {226, 7, 20, 16}, true},
        {"preview", IDC_PREVIEW, {7, 7, 63, 22}, false},
        {"score", IDC_SCORE, {81, 7, 51, 25}, false},
        {"board", IDC_BOARD, {7, 34, 245, 228}, false},
        {"new game", IDC_NEW_GAME, {140, 7, 24, 17}, true},
        {"shape", IDC_SHAPE, {173, 7, 24, 17}, true},
    };
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    HWND mainWnd = nullptr;
    RECT windowRect{}, clientRect{};
    std::vector<RECT> placed(std::size(controls)), expected(std::size(controls));
    headless.script_advance(800);  // past the splash
    headless.script_call([&](host::HeadlessHost& h) {
        mainWnd = probe::find_top_level("Pilo");
        ASSERT_NE(mainWnd, nullptr);
        windowRect = probe::window_rect(mainWnd);
        clientRect = probe::client_rect(mainWnd);
        for (size_t i = 0; i < std::size(controls); ++i) {
            // Position and size are converted from dialog units each on its own.
            const RECT du = controls[i].dialogUnits;
            RECT origin{du.left, du.top, du.left, du.top};
            RECT size{0, 0, du.right, du.bottom};
            MapDialogRect(mainWnd, &origin);
            MapDialogRect(mainWnd, &size);
            expected[i] =
                RECT{origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
            placed[i] = probe::window_rect(GetDlgItem(mainWnd, controls[i].id));
            OffsetRect(&placed[i], -clientRect.left, -clientRect.top);
        }
        h.write_png("main-window.png");
        probe::push_key(h, VK_ESCAPE);
    });
    run(headless);
    ASSERT_NE(mainWnd, nullptr);
    // Centred on the screen.
    EXPECT_EQ(windowRect.left, (640 - (windowRect.right - windowRect.left)) / 2);
    EXPECT_EQ(windowRect.top, (480 - (windowRect.bottom - windowRect.top)) / 2);
    for (size_t i = 0; i < std::size(controls); ++i) {
        SCOPED_TRACE(controls[i].name);
        EXPECT_EQ(placed[i].left, expected[i].left);
        EXPECT_EQ(placed[i].top, expected[i].top);
        if (controls[i].resizedTo24) {
            EXPECT_EQ(placed[i].right - placed[i].left, 24);
            EXPECT_EQ(placed[i].bottom - placed[i].top, 24);
        } else {
            EXPECT_EQ(placed[i].right, expected[i].right);
            EXPECT_EQ(placed[i].bottom, expected[i].bottom);
        }
    }
}

TEST(Program, ToolTipsShowOverTheButtonsAndPanelsButNotOverTheBoard) {
    struct Case {
        const char* name;
        int id;
        bool tip;
    };
    const Case cases[] = {
        {"exit", IDC_EXIT, true},   {"new game", IDC_NEW_GAME, true},
        {"shape", IDC_SHAPE, true}, {"preview", IDC_PREVIEW, true},
        {"score", IDC_SCORE, true}, {"board", IDC_BOARD, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        bool early = true;
        bool shown = false;
        POINT at{};
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            at = centre_of(*main_dialog()->GetDlgItem(c.id));
            host::Event e;
            e.type = host::EventType::MouseMove;
            e.x = at.x;
            e.y = at.y;
            h.push_event(e);
            e.x += 1;
            h.push_event(e);
        });
        headless.script_advance(100);  // within the initial delay
        headless.script_call(
            [&](host::HeadlessHost&) { early = probe::find_class("tooltips_class32") != nullptr; });
        headless.script_advance(1000);
        headless.script_call([&](host::HeadlessHost& h) {
            HWND tip = probe::find_class("tooltips_class32");
            shown = tip != nullptr;
            if (shown) {
                // Below the cursor.
                EXPECT_GT(probe::window_rect(tip).top, at.y);
            }
            if (c.id == IDC_PREVIEW) {
                h.write_png("tool-tip.png");
            }
            probe::push_key(h, VK_ESCAPE);
        });
        run(headless);
        EXPECT_FALSE(early);
        EXPECT_EQ(shown, c.tip);
    }
}

TEST(Program, FarewellPlaysLastWhicheverWayTheWindowCloses) {
    struct Case {
        const char* name;
        std::function<void(host::HeadlessHost&)> close;
        bool audio;
    };
    const Case cases[] = {
        {"Esc", [](host::HeadlessHost& h) { probe::push_key(h, VK_ESCAPE); }, true},
        {"Enter", [](host::HeadlessHost& h) { probe::push_key(h, VK_RETURN); }, true},
        {"exit button",
         [](host::HeadlessHost& h) {
             const RECT r = probe::window_rect(GetDlgItem(probe::find_top_level("Pilo"), IDC_EXIT));
             probe::push_click(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
         },
         true},
        {"no wave device", [](host::HeadlessHost& h) { probe::push_key(h, VK_ESCAPE); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.audio = c.audio;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) { c.close(h); });
        // The program keeps no exit code of its own.
        EXPECT_EQ(run(headless), 0);
        EXPECT_EQ(probe::visible_top_level_count(), 0);
        if (c.audio) {
            ASSERT_EQ(probe::wave_ids(headless), std::vector<UINT>{IDW_FAREWELL});
        } else {
            EXPECT_TRUE(headless.waves().empty());
        }
    }
}

TEST(Program, AboutEntryOpensTheBoxOtherSystemCommandsDoNot) {
    struct Case {
        const char* name;
        WPARAM command;
        bool about;
    };
    const Case cases[] = {
        {"About entry", IDM_ABOUTBOX, true},
        {"About entry with low bits", IDM_ABOUTBOX | 0x3, true},
        {"close", SC_CLOSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool aboutSeen = false;
        bool credit = false;
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost&) {
            PostMessageA(probe::find_top_level("Pilo"), WM_SYSCOMMAND, c.command, 0);
        });
        headless.script_advance(300);
        headless.script_call([&](host::HeadlessHost& h) {
            // The About box is captioned "Pilo" too; it is the front one and it is smaller.
            HWND front = probe::front_window();
            if (front != nullptr && AfxGetMainWnd() != nullptr &&
                front != AfxGetMainWnd()->GetSafeHwnd() && probe::window_text(front) == "Pilo") {
                aboutSeen = true;
                const RECT client = probe::client_rect(front);
                credit =
                    probe::compare_text(h, probe::render_text("Programował: zespół Pilo"_cp1250),
                                        client.left + 10, client.top + 40, RGB(255, 0, 0))
                        .empty();
                h.write_png("about-from-menu.png");
                probe::push_key(h, VK_RETURN);
            }
        });
        headless.script_advance(300);
        headless.script_call([](host::HeadlessHost& h) { probe::push_key(h, VK_ESCAPE); });
        run(headless);
        EXPECT_EQ(aboutSeen, c.about);
        EXPECT_EQ(credit, c.about);
        EXPECT_EQ(probe::wave_ids(headless), std::vector<UINT>{IDW_FAREWELL});
    }
}

}  // namespace
