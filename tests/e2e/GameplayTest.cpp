// GameplayTest.cpp: the game played through its real start-up with input at screen points:
// a whole move tick by tick, a line scored, the About box from the system
// menu, a game played to its final score, and the board's timer messages.
#include "app/CGameApp.h"
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
    RoutePoint from;
    RoutePoint to;
    int steps;
};

const BoardModel& model() {
    return probe::main_dialog()->m_boardWnd.GetModel();
}

// The first move in cell order with a free route of at least minSteps steps.
std::optional<Move> find_move(const BoardModel& board, int minSteps) {
    BoardModel scratch = board;
    scratch.SetListener(nullptr);
    for (int fr = 0; fr < kGrid; ++fr) {
        for (int fc = 0; fc < kGrid; ++fc) {
            if (board.Colour(fr, fc) < 0 || !board.IsPlayable(fr, fc)) {
                continue;
            }
            for (int tr = 0; tr < kGrid; ++tr) {
                for (int tc = 0; tc < kGrid; ++tc) {
                    if (!board.IsPlayable(tr, tc) || board.Colour(tr, tc) >= 0) {
                        continue;
                    }
                    auto s = [](int v) { return static_cast<std::int16_t>(v); };
                    if (scratch.FindRoute(s(fr), s(fc), s(tr), s(tc)) &&
                        scratch.RouteLen() - 1 >= minSteps) {
                        return Move{{s(fr), s(fc)}, {s(tr), s(tc)}, scratch.RouteLen() - 1};
                    }
                }
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

const probe::Act& escape = probe::kEscape;

// A click on the control `id` of a dialog.
void click_item(host::HeadlessHost& h, int id, HWND dialog) {
    const POINT p = probe::centre_of(GetDlgItem(dialog, id));
    probe::push_mouse(h, p.x, p.y);
}

TEST(Gameplay, AMoveTravelsHalfACellATickAndEndsInTheArrivalTick) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::optional<Move> move;
    int colour = -1;
    bool erasedAtClick = false;
    bool ignoredWhileMoving = false;
    struct Tick {
        int state;
        bool pieceWhereExpected;
    };
    std::vector<Tick> ticks;
    std::vector<RoutePoint> route;  // start first
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        move = find_move(model(), 2);
        ASSERT_TRUE(move.has_value());
        colour = model().Colour(move->from.row, move->from.column);
        click_cell(h, move->from);
        click_cell(h, move->to);
    });
    headless.script_advance(10);
    headless.script_call([&](host::HeadlessHost& h) {
        if (!move) {
            return;
        }
        const RoutePoint empty = empty_cell_except(model(), move->from);
        erasedAtClick = cell_square(h, move->from) == cell_square(h, empty);
        const int len = model().RouteLen();
        for (int i = len - 1; i >= 0; --i) {
            route.push_back(model().Route()[i]);
        }
        // Another piece clicked while the piece travels changes nothing.
        const std::optional<Move> other = find_move(model(), 1);
        if (other) {
            click_cell(h, other->from);
        }
    });
    const int maxTicks = 2 * 24;
    for (int k = 1; k <= maxTicks; ++k) {
        headless.script_advance(kTick);
        headless.script_call([&, k](host::HeadlessHost& h) {
            if (!move || route.empty() ||
                (!ticks.empty() && ticks.back().state == BoardModel::Idle)) {
                return;
            }
            if (k == 1) {
                ignoredWhileMoving = model().GetState() == BoardModel::Moving &&
                                     model().RouteLen() == static_cast<int>(route.size());
            }
            const size_t step = static_cast<size_t>(k - 1) / 2;
            bool placed = false;
            if (step + 1 < route.size()) {
                const RoutePoint a = route[step];
                const RoutePoint b = route[step + 1];
                const bool half = (k - 1) % 2 == 0;
                const int x =
                    half ? (centre_px(a.column) + centre_px(b.column)) / 2 : centre_px(b.column);
                const int y = half ? (centre_px(a.row) + centre_px(b.row)) / 2 : centre_px(b.row);
                placed =
                    probe::grab(h, probe::piece_square(x, y)) == probe::piece_picture(colour, 0);
            }
            ticks.push_back({model().GetState(), placed});
        });
    }
    headless.script_call([&](host::HeadlessHost& h) { escape(h); });
    probe::run(headless);

    ASSERT_TRUE(move.has_value());
    EXPECT_TRUE(erasedAtClick);
    EXPECT_TRUE(ignoredWhileMoving);
    ASSERT_EQ(route.size(), static_cast<size_t>(move->steps + 1));
    EXPECT_EQ(route.front(), move->from);
    EXPECT_EQ(route.back(), move->to);
    // Two ticks a step; the end of the move runs in the last.
    ASSERT_EQ(ticks.size(), static_cast<size_t>(2 * move->steps));
    for (size_t k = 0; k < ticks.size(); ++k) {
        SCOPED_TRACE("tick " + std::to_string(k + 1));
        EXPECT_TRUE(ticks[k].pieceWhereExpected);
        EXPECT_EQ(ticks[k].state, k + 1 == ticks.size() ? BoardModel::Idle : BoardModel::Moving);
    }
}

// What the screen showed after a move that completes a line, and what came in after one
// that does not.
TEST(Gameplay, ALineGoesWithItsPointsAndAMoveWithoutOneBringsThePreviewedPieces) {
    struct Case {
        const char* name;
        RoutePoint target;  // where the piece from 9 6 goes, beside four of its colour in row 6
        int score, freeCells, incoming;
        bool rowErased;
    };
    const Case cases[] = {{"a fifth piece completes the row", {6, 6}, 5, 81 - 1, 0, true},
                          {"the piece stops short of the row", {7, 6}, 0, 81 - 6 - 3, 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::vector<std::uint32_t> scoreBefore, scoreAfter;
        int score = -1, freeCells = -1, incoming = 0;
        bool rowErased = true, incomingDrawn = true;
        const auto score_picture = [](host::HeadlessHost& h) {
            return probe::grab(h,
                               probe::client_rect(probe::main_dialog()->m_scoreWnd.GetSafeHwnd()));
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
            const std::int16_t next[3] = {1, 2, 3};
            m.SetNextPieces(next, 3);
            dlg->m_boardWnd.RedrawWindow();
            scoreBefore = score_picture(h);
            click_cell(h, {9, 6});
            click_cell(h, c.target);
        };
        const probe::Act see = [&](host::HeadlessHost& h) {
            score = probe::main_dialog()->m_scoreWnd.m_nScore;
            freeCells = model().FreeCells();
            scoreAfter = score_picture(h);
            const RoutePoint empty = empty_cell_except(model(), {-1, -1});
            for (std::int16_t col = 2; col <= 6; ++col) {
                rowErased = rowErased && cell_square(h, {6, col}) == cell_square(h, empty);
            }
            for (std::int16_t r = 0; r < kGrid; ++r) {
                for (std::int16_t col = 0; col < kGrid; ++col) {
                    const int colour = model().Colour(r, col);
                    const bool setUp = (r == 6 && col <= 5) || (r == 2 && col == 2) ||
                                       RoutePoint{r, col} == c.target;
                    if (colour >= 0 && !setUp) {
                        ++incoming;
                        incomingDrawn = incomingDrawn &&
                                        cell_square(h, {r, col}) == probe::piece_picture(colour, 0);
                    }
                }
            }
        };
        probe::script(headless, {{800, {setUp}}, {kTick * 8, {see, escape}}});
        probe::run(headless);
        EXPECT_EQ(score, c.score);
        EXPECT_EQ(scoreAfter != scoreBefore, c.score > 0);
        EXPECT_EQ(rowErased, c.rowErased);
        EXPECT_EQ(incoming, c.incoming);
        EXPECT_TRUE(incomingDrawn);
        EXPECT_EQ(freeCells, c.freeCells);
    }
}

// A minute and more of play, with a new game and a shape change on the way: the About box
// counts the playing time from the program's start, and its OK picture closes it.
TEST(Gameplay, AboutBoxFromTheSystemMenuCountsFromTheStartAndClosesByItsPicture) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    bool menuOpened = false, aboutShown = false, timeShown = false, aboutClosed = false;
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
        {{30800, {probe::on_item(IDC_NEW_GAME)}},
         {30000, {probe::on_item(IDC_SHAPE)}},
         {1000, {probe::key(VK_SPACE, host::kModAlt, ' ')}},
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
        const probe::Act finish = c.pictures ? probe::on_item(IDC_EXIT) : escape;
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
                return escape(h);
            }
            const std::optional<Move> m = idle ? find_move(model(), 1) : std::nullopt;
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
        const std::optional<Move> move = find_move(model(), 1);
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
                             {0, {look, escape}}});
    probe::run(headless);
    EXPECT_EQ(sizes, (std::vector<int>{0, 1, 2}));
}

}  // namespace
