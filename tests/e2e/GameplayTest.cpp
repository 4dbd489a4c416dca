// GameplayTest.cpp: the game played through its real start-up with input at screen points:
// a move tick by tick, a line scored, new games and shapes, the About box from the system menu,
// a game played to its final score, and the board's timer messages.
#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "platform/host/VirtualKeys.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"
#include "tests/app/ProgramRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kGrid = 13;

// Literals of the dialogs, out here: clang cannot take the encoding literal inside a lambda
// nested in another.
const std::string kFinalScoreCaption = "Wynik końcowy"_cp1250;
constexpr int kTick = 150;

struct Move {
    RoutePoint from, to;
};

const BoardModel& model() {
    return probe::main_dialog()->m_boardWnd.GetModel();
}

// The first move in cell order with a free route.
std::optional<Move> find_move(const BoardModel& board) {
    BoardModel scratch = board;
    scratch.SetListener(nullptr);
    for (std::int16_t from = 0; from < kGrid * kGrid; ++from) {
        const RoutePoint f{static_cast<std::int16_t>(from / kGrid),
                           static_cast<std::int16_t>(from % kGrid)};
        for (std::int16_t to = 0; board.Colour(f.row, f.column) >= 0 && to < kGrid * kGrid; ++to) {
            const RoutePoint t{static_cast<std::int16_t>(to / kGrid),
                               static_cast<std::int16_t>(to % kGrid)};
            if (scratch.FindRoute(f.row, f.column, t.row, t.column)) {
                return Move{f, t};
            }
        }
    }
    return std::nullopt;
}

// An empty playable cell other than the one given.
RoutePoint empty_cell_except(const BoardModel& board, RoutePoint not_this) {
    for (std::int16_t r = 0; r < kGrid; ++r) {
        for (std::int16_t c = 0; c < kGrid; ++c) {
            if (board.IsPlayable(r, c) && board.Colour(r, c) < 0 &&
                !(RoutePoint{r, c} == not_this)) {
                return {r, c};
            }
        }
    }
    return {-1, -1};
}

int centre_px(int index) {
    return 16 + 28 * index;
}

std::vector<std::uint32_t> cell_square(const host::HeadlessHost& h, RoutePoint p) {
    return probe::grab(h, probe::piece_square(centre_px(p.column), centre_px(p.row)));
}

void click_cell(host::HeadlessHost& h, RoutePoint p) {
    probe::on_cell(p.row, p.column)(h);
}

// A click on the control `id` of a dialog.
void click_item(host::HeadlessHost& h, int id, HWND dialog) {
    const POINT p = probe::centre_of(GetDlgItem(dialog, id));
    probe::push_mouse(h, p.x, p.y);
}

// A piece sent two cells along a row (one shortest route) leaves its cell at the click, shows
// half a cell further at each tick, and ends the move in the fourth.
TEST(Gameplay, AMoveTravelsHalfACellATickAndEndsInTheArrivalTick) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    const RoutePoint from{6, 2}, to{6, 4};
    bool erasedAtClick = false;
    std::vector<std::pair<int, bool>> ticks;  // state, and the piece where it should be
    const probe::Act setUp = [&](host::HeadlessHost& h) {
        BoardModel& m = probe::main_dialog()->m_boardWnd.GetModelForSetup();
        m.ClearBoard(false);
        m.PutPiece(from.row, from.column, 0);
        probe::main_dialog()->m_boardWnd.RedrawWindow();
        click_cell(h, from);
        click_cell(h, to);
    };
    headless.script_advance(800);
    headless.script_call(setUp);
    headless.script_advance(10);
    headless.script_call([&](host::HeadlessHost& h) {
        erasedAtClick = cell_square(h, from) == cell_square(h, empty_cell_except(model(), from));
    });
    for (int k = 1; k <= 4; ++k) {
        headless.script_advance(kTick);
        headless.script_call([&, k](host::HeadlessHost& h) {
            const RECT at = probe::piece_square(centre_px(from.column) + 14 * k, centre_px(6));
            ticks.emplace_back(model().GetState(),
                               probe::grab(h, at) == probe::piece_picture(0, 0));
        });
    }
    headless.script_call([&](host::HeadlessHost& h) { probe::kEscape(h); });
    probe::run(headless);

    EXPECT_TRUE(erasedAtClick);
    const std::vector<std::pair<int, bool>> want = {{BoardModel::Moving, true},
                                                    {BoardModel::Moving, true},
                                                    {BoardModel::Moving, true},
                                                    {BoardModel::Idle, true}};
    EXPECT_EQ(ticks, want);
}

// A fifth piece moved beside four of its colour: the row leaves the screen and the score display
// shows the points. (A move without a line: the console script brings the previewed pieces in,
// the final-score picture shows them drawn.)
TEST(Gameplay, ALineLeavesTheScreenWithItsPoints) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::vector<std::uint32_t> scoreBefore, scoreAfter;
    int score = -1, freeCells = -1;
    bool rowErased = true;
    const auto score_picture = [](host::HeadlessHost& h) {
        return probe::grab(h, probe::client_rect(probe::main_dialog()->m_scoreWnd.GetSafeHwnd()));
    };
    const probe::Act setUp = [&](host::HeadlessHost& h) {
        CMainDialog* dlg = probe::main_dialog();
        BoardModel& m = dlg->m_boardWnd.GetModelForSetup();
        m.ClearBoard(false);
        for (int col = 2; col <= 5; ++col) {
            m.PutPiece(6, col, 0);
        }
        m.PutPiece(9, 6, 0);
        m.PutPiece(2, 2, 4);
        dlg->m_boardWnd.RedrawWindow();
        scoreBefore = score_picture(h);
        click_cell(h, {9, 6});
        click_cell(h, {6, 6});
    };
    const probe::Act see = [&](host::HeadlessHost& h) {
        score = probe::main_dialog()->m_scoreWnd.m_nScore;
        freeCells = model().FreeCells();
        scoreAfter = score_picture(h);
        const RoutePoint empty = empty_cell_except(model(), {-1, -1});
        for (std::int16_t col = 2; col <= 6; ++col) {
            rowErased = rowErased && cell_square(h, {6, col}) == cell_square(h, empty);
        }
    };
    probe::script(headless, {{800, {setUp}}, {kTick * 8, {see, probe::kEscape}}});
    probe::run(headless);
    EXPECT_EQ(score, 5);
    EXPECT_NE(scoreAfter, scoreBefore);
    EXPECT_TRUE(rowErased);
    EXPECT_EQ(freeCells, 81 - 1);
}

// A minute and more of play. Each button click comes after the score was raised and a piece
// selected: it deals afresh (free cells = playable - 5), resets the score and drops the
// selection. Then the About box, from the system menu, counts the playing time from the
// program's start, and its OK picture closes it.
TEST(Gameplay, ShapeAndNewGameDealAfreshAndTheAboutBoxCountsFromTheStart) {
    struct Step {
        const char* name;
        int id, checked, cross, freeCells;
    };
    const Step steps[] = {
        {"shape: to the cross", IDC_SHAPE, 1, 1, 116},
        {"new game keeps the cross", IDC_NEW_GAME, 1, 1, 116},
        {"shape: back to the square", IDC_SHAPE, 0, 0, 76},
        {"new game keeps the square", IDC_NEW_GAME, 0, 0, 76},
    };
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::vector<std::vector<int>> seen;
    bool menuOpened = false, aboutShown = false, timeShown = false, aboutClosed = false;
    const probe::Act raise = [](host::HeadlessHost& h) {
        probe::main_dialog()->m_scoreWnd.m_nScore = 42;
        click_cell(h, find_move(model())->from);
    };
    const probe::Act note = [&](host::HeadlessHost&) {
        CMainDialog* dlg = probe::main_dialog();
        seen.push_back({dlg->m_shapeButton.m_checked, dlg->m_boardWnd.m_cross != 0,
                        model().FreeCells(), dlg->m_scoreWnd.m_nScore, model().GetState()});
    };
    headless.script_advance(800);
    for (const Step& s : steps) {  // 800 + 4 x 15300 ms: past the minute
        probe::script(headless, {{15000, {raise, probe::on_item(s.id)}}, {300, {note}}});
    }
    const probe::Act about = [&](host::HeadlessHost& h) {
        HWND front = probe::front_window();
        aboutShown =
            front != probe::main_dialog()->GetSafeHwnd() && probe::window_text(front) == "Pilo";
        if (aboutShown) {
            const RECT client = probe::client_rect(front);
            timeShown = probe::compare_text(h, "Grasz: 1 min.", client.left + 10, client.top + 20,
                                            RGB(255, 255, 0))
                            .empty();
            click_item(h, IDOK, front);
        }
    };
    probe::script(
        headless,
        {{1000, {probe::key(VK_SPACE, host::kModAlt, ' ')}},
         {100,
          {[&](host::HeadlessHost&) { menuOpened = probe::find_class("#32768") != nullptr; },
           probe::on_menu(-1)}},  // the About entry
         {100, {about}},
         {100,
          {[&](host::HeadlessHost&) {
               aboutClosed = probe::front_window() == probe::main_dialog()->GetSafeHwnd();
           },
           probe::kEscape}}});
    probe::run(headless);
    ASSERT_EQ(seen.size(), std::size(steps));
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].name);
        const Step& s = steps[i];
        EXPECT_EQ(seen[i],
                  (std::vector<int>{s.checked, s.cross, s.freeCells, 0, BoardModel::Idle}));
    }
    EXPECT_TRUE(menuOpened);
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(timeShown);
    EXPECT_TRUE(aboutClosed);
}

// The waves of the announcement for a score: the opening, then the digits from the first
// non-zero one, or one zero.
std::vector<UINT> announcement(int score) {
    std::vector<UINT> ids{IDW_ANNOUNCE};
    const std::string digits = std::to_string(score);
    for (char d : digits) {
        ids.push_back(static_cast<UINT>(IDW_DIGIT0 + (d - '0')));
    }
    return ids;
}

TEST(Gameplay, AGamePlayedToItsEndShowsTheFinalScoreAndAnnouncesIt) {
    struct Case {
        const char* name;
        bool audio;
        bool pictures;  // OK picture and exit button, else Enter and Esc
        const char* golden;
    };
    const Case cases[] = {
        {"with sound, ended by Esc", true, false, "final-score"},
        {"without a wave device, closed by its OK picture", false, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.audio = c.audio;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        int moves = 0, busyChecks = 0, score = -1;
        bool dialogSeen = false, ended = false;
        std::string golden;
        std::vector<UINT> wavesAtDialog;
        const probe::Act finish = c.pictures ? probe::on_item(IDC_EXIT) : probe::kEscape;
        std::function<void(host::HeadlessHost&)> drive = [&](host::HeadlessHost& h) {
            HWND front = probe::front_window();
            if (front != nullptr && probe::window_text(front) == kFinalScoreCaption) {
                dialogSeen = true;
                score = probe::main_dialog()->m_scoreWnd.m_nScore;
                wavesAtDialog = probe::wave_ids(h);
                golden = c.golden ? probe::compare_golden(h, c.golden) : "";
                c.pictures ? click_item(h, IDOK, front) : probe::push_key(h, VK_RETURN);
                probe::script(h, {{200,
                                   {[&](host::HeadlessHost&) {  // closed, and not shown again
                                        ended = probe::front_window() ==
                                                probe::main_dialog()->GetSafeHwnd();
                                    },
                                    finish}}});
                return;
            }
            const bool idle = model().GetState() == BoardModel::Idle;
            if (moves > 200 || (!idle && ++busyChecks > 400)) {
                ADD_FAILURE() << "no end of the game after " << moves << " moves, or no rest";
                return probe::kEscape(h);
            }
            const std::optional<Move> m = idle ? find_move(model()) : std::nullopt;
            if (m) {
                click_cell(h, m->from);
                click_cell(h, m->to);
                ++moves;
            }
            probe::script(h, {{kTick * 4, {drive}}});
        };
        headless.script_advance(800);
        headless.script_call(drive);
        probe::run(headless, {}, false);
        EXPECT_TRUE(ended);
        ASSERT_TRUE(dialogSeen);
        EXPECT_GT(moves, 10);
        EXPECT_EQ(golden, "");
        EXPECT_EQ(probe::visible_top_level_count(), 0);
        if (c.audio) {
            EXPECT_EQ(wavesAtDialog, announcement(score));
            std::vector<UINT> all = announcement(score);
            all.push_back(IDW_FAREWELL);
            EXPECT_EQ(probe::wave_ids(headless), all);
        } else {
            EXPECT_TRUE(headless.waves().empty());
        }
    }
}

// Every WM_TIMER is a tick, whatever its id; ticks queued while one runs are dropped.
TEST(Gameplay, AnyTimerMessageTicksTheBoardAndAPileOfThemTicksOnce) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    RoutePoint piece{-1, -1};
    std::vector<int> sizes;  // the selected piece's picture after each batch of messages
    auto post_ticks = [](int count) {
        return [count](host::HeadlessHost& h) {
            for (int i = 0; i < count; ++i) {
                PostMessageA(probe::main_dialog()->m_boardWnd.GetSafeHwnd(), WM_TIMER, 7, 0);
            }
            probe::kMouseAway(h);  // an event, so the loop runs before the next step
        };
    };
    auto look = [&](host::HeadlessHost& h) {
        const std::vector<std::uint32_t> seen = cell_square(h, piece);
        const int colour = model().Colour(piece.row, piece.column);
        int size = -1;
        for (int s = 0; s < 3; ++s) {
            size = seen == probe::piece_picture(colour, s) ? s : size;
        }
        sizes.push_back(size);
    };
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        const std::optional<Move> move = find_move(model());
        ASSERT_TRUE(move.has_value());
        piece = move->from;
        click_cell(h, piece);
    });
    // No virtual time passes: the board's own timer stays quiet.
    probe::script(headless, {{0, {post_ticks(1)}},
                             {0, {look}},
                             {0, {post_ticks(1)}},
                             {0, {look}},
                             {0, {post_ticks(3)}},
                             {0, {look, probe::kEscape}}});
    probe::run(headless);
    EXPECT_EQ(sizes, (std::vector<int>{0, 1, 2}));
}

}  // namespace
