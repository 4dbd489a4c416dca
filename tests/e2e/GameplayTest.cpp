// GameplayTest.cpp: the game played through its real start-up with input at screen points:
// a whole move tick by tick, a line scored, the piece-set menu, the About box from the system
// menu, and a game played to its final score.
#include "app/CGameApp.h"
#include "platform/host/VirtualKeys.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"
#include "tests/app/ProgramProbe.h"
#include "tests/e2e/E2eSupport.h"

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
const std::string kScoreLine = "Uzyskałeś wynik: "_cp1250;
constexpr int kTick = 150;

struct Move {
    RoutePoint from;
    RoutePoint to;
    int steps;
};

const BoardModel& model() {
    return e2e::main_dialog()->m_boardWnd.GetModel();
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
    return e2e::grab(h, e2e::piece_square(centre_px(p.column), centre_px(p.row)));
}

void click_cell(host::HeadlessHost& h, RoutePoint p) {
    const POINT pt = e2e::cell_point(p.row, p.column);
    probe::push_click(h, pt.x, pt.y);
}

void escape(host::HeadlessHost& h) {
    probe::push_key(h, host::vk::kEscape);
}

// Where in a screen rectangle an 18 x 18 picture is shown, left to right then top to bottom.
std::vector<POINT> find_picture(const host::HeadlessHost& h, const RECT& area,
                                const std::vector<std::uint32_t>& picture) {
    std::vector<POINT> found;
    for (int y = area.top; y + 18 <= area.bottom; ++y) {
        for (int x = area.left; x + 18 <= area.right; ++x) {
            if (e2e::grab(h, RECT{x, y, x + 18, y + 18}) == picture) {
                found.push_back(POINT{x, y});
            }
        }
    }
    return found;
}

TEST(Gameplay, TheFirstDealShowsFivePiecesThreeWaitingAndNoPoints) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    int pieces = -1;
    int drawn = 0;
    int waiting = -1;
    std::vector<int> previewOrder;  // x of each waiting piece's picture, in waiting order
    int score = -1;
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        pieces = 0;
        for (std::int16_t r = 0; r < kGrid; ++r) {
            for (std::int16_t c = 0; c < kGrid; ++c) {
                const int colour = model().Colour(r, c);
                if (colour >= 0) {
                    ++pieces;
                    drawn += cell_square(h, {r, c}) == e2e::piece_picture(colour, 0) ? 1 : 0;
                }
            }
        }
        waiting = model().NextCount();
        const RECT preview = probe::client_rect(e2e::main_dialog()->m_previewWnd.GetSafeHwnd());
        for (int i = 0; i < waiting; ++i) {
            const std::vector<POINT> at =
                find_picture(h, preview, e2e::piece_picture(model().Next()[i], 0));
            // Waiting pieces of one colour show once for each: take the i-th from the left.
            int same = 0;
            for (int j = 0; j < i; ++j) {
                same += model().Next()[j] % 6 == model().Next()[i] % 6 ? 1 : 0;
            }
            previewOrder.push_back(static_cast<size_t>(same) < at.size()
                                       ? static_cast<int>(at[static_cast<size_t>(same)].x)
                                       : -1);
        }
        score = e2e::main_dialog()->m_scoreWnd.m_nScore;
        escape(h);
    });
    e2e::run_program(headless);
    EXPECT_EQ(pieces, 5);
    EXPECT_EQ(drawn, 5);
    ASSERT_EQ(waiting, 3);
    ASSERT_EQ(previewOrder.size(), 3u);
    EXPECT_NE(previewOrder[0], -1);
    EXPECT_LT(previewOrder[0], previewOrder[1]);
    EXPECT_LT(previewOrder[1], previewOrder[2]);
    EXPECT_EQ(score, 0);
}

TEST(Gameplay, AMoveTravelsHalfACellATickAndEndsInTheArrivalTick) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::optional<Move> move;
    int colour = -1;
    int freeBefore = 0;
    BoardModel before;
    std::vector<int> pulseSizes;  // the size seen at the selected cell after each tick
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
    });
    for (int i = 0; i < 4; ++i) {
        headless.script_advance(kTick);
        headless.script_call([&](host::HeadlessHost& h) {
            if (!move) {
                return;
            }
            const std::vector<std::uint32_t> seen = cell_square(h, move->from);
            int size = -1;
            for (int s = 0; s < 3; ++s) {
                if (seen == e2e::piece_picture(colour, s)) {
                    size = s;
                }
            }
            pulseSizes.push_back(size);
        });
    }
    headless.script_call([&](host::HeadlessHost& h) {
        if (move) {
            before = model();
            freeBefore = model().FreeCells();
            click_cell(h, move->to);
        }
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
                placed = e2e::grab(h, e2e::piece_square(x, y)) == e2e::piece_picture(colour, 0);
            }
            ticks.push_back({model().GetState(), placed});
        });
    }
    headless.script_call([&](host::HeadlessHost& h) { escape(h); });
    e2e::run_program(headless);

    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(pulseSizes, (std::vector<int>{0, 1, 2, 0}));
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
        bool completesLine;
    };
    const Case cases[] = {{"a fifth piece completes the row", true},
                          {"the piece stops short of the row", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::vector<std::uint32_t> scoreBefore, scoreAfter;
        int score = -1;
        int freeCells = -1;
        bool rowErased = false;
        bool incomingDrawn = false;
        int incoming = 0;
        const std::int16_t next[3] = {1, 2, 3};
        const RoutePoint target = c.completesLine ? RoutePoint{6, 6} : RoutePoint{7, 6};
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            CMainDialog* dlg = e2e::main_dialog();
            BoardModel& m = dlg->m_boardWnd.GetModelForSetup();
            m.ClearBoard(false);
            for (int col = 2; col <= 5; ++col) {
                m.PutPiece(6, col, 0);
            }
            m.PutPiece(9, 6, 0);
            m.PutPiece(2, 2, 4);
            m.SetNextPieces(next, 3);
            dlg->m_boardWnd.RedrawWindow();
            scoreBefore = e2e::grab(h, probe::client_rect(dlg->m_scoreWnd.GetSafeHwnd()));
            click_cell(h, {9, 6});
            click_cell(h, target);
        });
        headless.script_advance(kTick * 8);
        headless.script_call([&](host::HeadlessHost& h) {
            CMainDialog* dlg = e2e::main_dialog();
            score = dlg->m_scoreWnd.m_nScore;
            freeCells = model().FreeCells();
            scoreAfter = e2e::grab(h, probe::client_rect(dlg->m_scoreWnd.GetSafeHwnd()));
            const RoutePoint empty = empty_cell_except(model(), {-1, -1});
            rowErased = true;
            for (std::int16_t col = 2; col <= 6; ++col) {
                rowErased = rowErased && cell_square(h, {6, col}) == cell_square(h, empty);
            }
            incomingDrawn = true;
            for (std::int16_t r = 0; r < kGrid; ++r) {
                for (std::int16_t col = 0; col < kGrid; ++col) {
                    const int colour = model().Colour(r, col);
                    const bool setUp = (r == 6 && col <= 5) || (r == 2 && col == 2) ||
                                       RoutePoint{r, col} == target;
                    if (colour >= 0 && !setUp) {
                        ++incoming;
                        incomingDrawn = incomingDrawn &&
                                        cell_square(h, {r, col}) == e2e::piece_picture(colour, 0);
                    }
                }
            }
            escape(h);
        });
        e2e::run_program(headless);
        if (c.completesLine) {
            EXPECT_EQ(score, 5);
            EXPECT_NE(scoreAfter, scoreBefore);
            EXPECT_TRUE(rowErased);
            EXPECT_EQ(incoming, 0);
            EXPECT_EQ(freeCells, 81 - 1);
        } else {
            EXPECT_EQ(score, 0);
            EXPECT_EQ(scoreAfter, scoreBefore);
            EXPECT_FALSE(rowErased);
            EXPECT_EQ(incoming, 3);
            EXPECT_TRUE(incomingDrawn);
            EXPECT_EQ(freeCells, 81 - 6 - 3);
        }
    }
}

TEST(Gameplay, RightClickOverBoardOrPreviewOpensThePieceSetMenu) {
    struct Case {
        const char* name;
        std::function<POINT()> where;
        bool opens;
    };
    const Case cases[] = {
        {"board", [] { return e2e::cell_point(0, 0); }, true},
        {"preview", [] { return e2e::centre_of(e2e::main_dialog()->m_previewWnd.GetSafeHwnd()); },
         true},
        {"score", [] { return e2e::centre_of(e2e::main_dialog()->m_scoreWnd.GetSafeHwnd()); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        bool opened = false;
        int items = -1;
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            const POINT p = c.where();
            e2e::push_right_click(h, p.x, p.y);
        });
        headless.script_advance(100);
        headless.script_call([&](host::HeadlessHost& h) {
            HWND menu = e2e::popup_menu();
            opened = menu != nullptr;
            if (opened) {
                const RECT r = probe::window_rect(menu);
                items = (r.bottom - r.top - 6) / 18;
                escape(h);  // dismissed: no command
            }
        });
        headless.script_advance(100);
        headless.script_call([](host::HeadlessHost& h) { escape(h); });
        e2e::run_program(headless);
        EXPECT_EQ(opened, c.opens);
        if (c.opens) {
            EXPECT_EQ(items, 3);
        }
    }
}

TEST(Gameplay, HoverFramesTheItemUnderTheMouseAndAChoiceRepaintsWithTheNewSet) {
    // The mouse visits the items in this order; then item `chosen` is clicked.
    const int visits[] = {0, 1, 2, 1};
    const int chosen = 2;
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    std::vector<std::vector<bool>> redFrames;  // per visit, per item
    std::vector<std::uint32_t> boardBefore;
    bool boardRepainted = false;
    bool previewRepainted = false;
    const std::uint32_t kRed = host::rgb(255, 0, 0);
    const std::uint32_t kGrey = host::rgb(192, 192, 192);
    HWND menuSeen = nullptr;
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        // Crosses first, so that stars is a change.
        PostMessageA(e2e::main_dialog()->GetSafeHwnd(), WM_COMMAND, IDB_CROSSES, 0);
        h.advance(1);
    });
    headless.script_advance(kTick * 2);
    headless.script_call([&](host::HeadlessHost& h) {
        boardBefore =
            e2e::grab(h, probe::client_rect(e2e::main_dialog()->m_boardWnd.GetSafeHwnd()));
        const POINT p = e2e::cell_point(12, 12);
        e2e::push_right_click(h, p.x, p.y);
    });
    headless.script_advance(100);
    for (int v : visits) {
        headless.script_call([&, v](host::HeadlessHost& h) {
            menuSeen = e2e::popup_menu();
            if (menuSeen == nullptr) {
                return;
            }
            const RECT r = e2e::menu_item(menuSeen, v, 18);
            e2e::push_move(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        });
        headless.script_advance(50);
        headless.script_call([&](host::HeadlessHost& h) {
            if (menuSeen == nullptr) {
                return;
            }
            std::vector<bool> red;
            for (int i = 0; i < 3; ++i) {
                const RECT r = e2e::menu_item(menuSeen, i, 18);
                const std::uint32_t corner = h.pixel(r.left, r.top);
                EXPECT_TRUE(corner == kRed || corner == kGrey)
                    << "item " << i << ": " << std::hex << corner;
                red.push_back(corner == kRed);
            }
            redFrames.push_back(red);
        });
    }
    headless.script_call([&](host::HeadlessHost& h) {
        if (menuSeen == nullptr) {
            return;
        }
        const RECT r = e2e::menu_item(menuSeen, chosen, 18);
        probe::push_click(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    headless.script_advance(100);
    headless.script_call([&](host::HeadlessHost& h) {
        CMainDialog* dlg = e2e::main_dialog();
        EXPECT_EQ(e2e::popup_menu(), nullptr);
        // Every piece on the board and in the preview is the new set's large picture.
        boardRepainted = true;
        for (std::int16_t r = 0; r < kGrid; ++r) {
            for (std::int16_t c = 0; c < kGrid; ++c) {
                const int colour = model().Colour(r, c);
                if (colour >= 0) {
                    boardRepainted =
                        boardRepainted && cell_square(h, {r, c}) == e2e::piece_picture(colour, 0);
                }
            }
        }
        boardRepainted =
            boardRepainted &&
            e2e::grab(h, probe::client_rect(dlg->m_boardWnd.GetSafeHwnd())) != boardBefore;
        // The preview holds the first waiting piece somewhere: look for its picture.
        const RECT pr = probe::client_rect(dlg->m_previewWnd.GetSafeHwnd());
        const std::vector<std::uint32_t> first = e2e::piece_picture(model().Next()[0], 0);
        for (int y = pr.top; y + 18 <= pr.bottom && !previewRepainted; ++y) {
            for (int x = pr.left; x + 18 <= pr.right && !previewRepainted; ++x) {
                previewRepainted = e2e::grab(h, RECT{x, y, x + 18, y + 18}) == first;
            }
        }
        escape(h);
    });
    e2e::run_program(headless);
    ASSERT_EQ(redFrames.size(), std::size(visits));
    for (size_t i = 0; i < std::size(visits); ++i) {
        SCOPED_TRACE("visit " + std::to_string(i));
        for (int item = 0; item < 3; ++item) {
            EXPECT_EQ(redFrames[i][static_cast<size_t>(item)], item == visits[i])
                << "item " << item;
        }
    }
    EXPECT_TRUE(boardRepainted);
    EXPECT_TRUE(previewRepainted);
}

// The playing time line as the dialogs word it.
std::string time_line(long total) {
    const long hours = total / 3600 - 24 * (total / 86400);
    const long minutes = total / 60 - 60 * (total / 3600);
    const long seconds = total - 60 * (total / 60);
    if (hours != 0) {
        return "Grasz: " + std::to_string(hours) + " godz. " + std::to_string(minutes) + " min.";
    }
    if (minutes != 0) {
        return "Grasz: " + std::to_string(minutes) + " min.";
    }
    return "Grasz: " + std::to_string(seconds) + " sek.";
}

// Whether a line of text is painted in colour with its top left at (x, y), or centred on x
// when centred is set, for one of the playing times in [from, to].
bool shows_time(const host::HeadlessHost& h, long from, long to, int x, int y, bool centred,
                COLORREF colour) {
    for (long t = from; t <= to; ++t) {
        const probe::TextMask mask = probe::render_text(time_line(t));
        const int left = centred ? x - mask.width / 2 : x;
        if (probe::compare_text(h, mask, left, y, colour).empty()) {
            return true;
        }
    }
    return false;
}

long playing_seconds() {
    return static_cast<long>(
        (CTime::GetCurrentTime() - GetGameApp()->GetStartTime()).GetTotalSeconds());
}

TEST(Gameplay, AboutBoxOpensFromTheSystemMenuByKeyOrCaptionClick) {
    struct Case {
        const char* name;
        std::function<void(host::HeadlessHost&)> open;
    };
    const Case cases[] = {
        {"Alt+Space", [](host::HeadlessHost& h) { e2e::push_alt_space(h); }},
        {"right click on the caption",
         [](host::HeadlessHost& h) {
             HWND main = e2e::main_dialog()->GetSafeHwnd();
             const RECT w = probe::window_rect(main);
             const RECT c = probe::client_rect(main);
             e2e::push_right_click(h, (w.left + w.right) / 2, (w.top + c.top) / 2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        bool menuOpened = false;
        bool aboutShown = false;
        bool timeShown = false;
        headless.script_advance(800);
        headless.script_advance(61000);  // a minute and more of play
        headless.script_call([&](host::HeadlessHost& h) { c.open(h); });
        headless.script_advance(100);
        headless.script_call([&](host::HeadlessHost& h) {
            HWND menu = e2e::popup_menu();
            menuOpened = menu != nullptr;
            if (menu != nullptr) {
                const RECT r = probe::window_rect(menu);
                probe::push_click(h, (r.left + r.right) / 2, r.bottom - 3 - 9);
            }
        });
        headless.script_advance(100);
        headless.script_call([&](host::HeadlessHost& h) {
            HWND front = probe::front_window();
            aboutShown = front != nullptr && front != e2e::main_dialog()->GetSafeHwnd() &&
                         probe::window_text(front) == "Pilo";
            if (aboutShown) {
                const RECT client = probe::client_rect(front);
                const long now = playing_seconds();
                timeShown = shows_time(h, now - 1, now, client.left + 10, client.top + 20, false,
                                       RGB(255, 255, 0));
                probe::push_key(h, host::vk::kReturn);
            }
        });
        headless.script_advance(100);
        headless.script_call([](host::HeadlessHost& h) { escape(h); });
        e2e::run_program(headless);
        EXPECT_TRUE(menuOpened);
        EXPECT_TRUE(aboutShown);
        EXPECT_TRUE(timeShown);
    }
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
        bool exitButton;  // else Esc
        const char* golden;
    };
    const Case cases[] = {
        {"with sound, ended by Esc", true, false, "final-score"},
        {"without a wave device, ended by the exit button", false, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Settings settings;
        settings.audio = c.audio;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        int moves = 0;
        int busyChecks = 0;
        int score = -1;
        bool dialogSeen = false;
        bool scoreLine = false;
        bool timeLine = false;
        std::string golden;
        std::vector<UINT> wavesAtDialog;
        bool ended = false;
        std::function<void(host::HeadlessHost&)> drive = [&](host::HeadlessHost& h) {
            HWND front = probe::front_window();
            if (front != nullptr && probe::window_text(front) == kFinalScoreCaption) {
                dialogSeen = true;
                score = e2e::main_dialog()->m_scoreWnd.m_nScore;
                wavesAtDialog = probe::wave_ids(h);
                const RECT client = probe::client_rect(front);
                const int mid = client.left + (client.right - client.left) / 2;
                const probe::TextMask mask = probe::render_text(kScoreLine + std::to_string(score));
                scoreLine = probe::compare_text(h, mask, mid - mask.width / 2, client.top + 40,
                                                RGB(255, 255, 0))
                                .empty();
                const long now = playing_seconds();
                timeLine =
                    shows_time(h, now - 10, now, mid, client.top + 20, true, RGB(255, 255, 0));
                if (c.golden != nullptr) {
                    golden = e2e::compare_golden(h, c.golden);
                }
                probe::push_key(h, host::vk::kReturn);
                h.script_advance(200);
                h.script_call([&](host::HeadlessHost& hh) {
                    if (c.exitButton) {
                        const POINT p =
                            e2e::centre_of(GetDlgItem(e2e::main_dialog()->GetSafeHwnd(), IDC_EXIT));
                        probe::push_click(hh, p.x, p.y);
                    } else {
                        escape(hh);
                    }
                    ended = true;
                });
                return;
            }
            if (moves > 200) {
                ADD_FAILURE() << "no end of the game after " << moves << " moves";
                escape(h);
                return;
            }
            if (model().GetState() != BoardModel::Idle && ++busyChecks > 400) {
                ADD_FAILURE() << "the board never came back to rest";
                escape(h);
                return;
            }
            if (model().GetState() == BoardModel::Idle) {
                const std::optional<Move> m = find_move(model(), 1);
                if (m) {
                    click_cell(h, m->from);
                    click_cell(h, m->to);
                    ++moves;
                }
            }
            h.script_advance(kTick * 4);
            h.script_call(drive);
        };
        headless.script_advance(800);
        headless.script_call(drive);
        e2e::run_program(headless, false);
        EXPECT_TRUE(ended);
        ASSERT_TRUE(dialogSeen);
        EXPECT_GT(moves, 10);
        EXPECT_TRUE(scoreLine);
        EXPECT_TRUE(timeLine);
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

// The program leaves no exit code of its own: however the player ends it, it ends with 0.
TEST(Gameplay, TheProgramEndsWithZeroHoweverThePlayerLeaves) {
    struct Case {
        const char* name;
        std::function<void(host::HeadlessHost&)> leave;
    };
    const Case cases[] = {
        {"Esc", [](host::HeadlessHost& h) { escape(h); }},
        {"exit button",
         [](host::HeadlessHost& h) {
             const POINT p =
                 e2e::centre_of(GetDlgItem(e2e::main_dialog()->GetSafeHwnd(), IDC_EXIT));
             probe::push_click(h, p.x, p.y);
         }},
        {"close box",
         [](host::HeadlessHost& h) {
             host::Event e;
             e.type = host::EventType::CloseRequested;
             h.push_event(e);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) { c.leave(h); });
        EXPECT_EQ(e2e::run_program(headless), 0);
        EXPECT_EQ(probe::visible_top_level_count(), 0);
    }
}

// Choosing the set already in use reloads the same pictures, so the screen must not change:
// the opening deal has to show its pieces in their true colours from the start.
TEST(Gameplay, TheOpeningSetShowsInTheColoursItHasWhenChosenAgain) {
    const UINT sets[] = {IDB_CROSSES, IDB_BALLS, IDB_STARS};
    int unchanged = 0;
    for (UINT set : sets) {
        SCOPED_TRACE(set);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        std::vector<std::uint32_t> opening, after;
        headless.script_advance(800);
        headless.script_call([&](host::HeadlessHost& h) {
            opening = e2e::grab(h, probe::window_rect(e2e::main_dialog()->GetSafeHwnd()));
            PostMessageA(e2e::main_dialog()->GetSafeHwnd(), WM_COMMAND, set, 0);
        });
        headless.script_advance(kTick * 2);
        headless.script_call([&](host::HeadlessHost& h) {
            after = e2e::grab(h, probe::window_rect(e2e::main_dialog()->GetSafeHwnd()));
            escape(h);
        });
        e2e::run_program(headless);
        ASSERT_FALSE(opening.empty());
        unchanged += opening == after ? 1 : 0;
    }
    // Exactly one of the sets is the opening one.
    EXPECT_EQ(unchanged, 1);
}

// Whatever the menu covered is the board again once a set is chosen: in the rectangle the
// menu took, the gaps between the cell tiles show the board's plain grey.
TEST(Gameplay, ChoosingASetLeavesNoTraceOfTheMenuOnTheBoard) {
    const int items[] = {0, 1, 2};
    for (int item : items) {
        SCOPED_TRACE(item);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        RECT menuRect{};
        int gapPixels = 0;
        int notGrey = 0;
        headless.script_advance(800);
        headless.script_call([](host::HeadlessHost& h) {
            const POINT p = e2e::cell_point(6, 6);
            e2e::push_right_click(h, p.x, p.y);
        });
        headless.script_advance(100);
        headless.script_call([&](host::HeadlessHost& h) {
            HWND menu = e2e::popup_menu();
            ASSERT_NE(menu, nullptr);
            menuRect = probe::window_rect(menu);
            const RECT r = e2e::menu_item(menu, item, 18);
            probe::push_click(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            e2e::push_move(h, 0, 0);
        });
        headless.script_advance(300);
        headless.script_call([&](host::HeadlessHost& h) {
            const RECT board = probe::client_rect(e2e::main_dialog()->m_boardWnd.GetSafeHwnd());
            for (int y = menuRect.top; y < menuRect.bottom; ++y) {
                for (int x = menuRect.left; x < menuRect.right; ++x) {
                    const int bx = x - board.left;
                    const int by = y - board.top;
                    if ((bx - 4) % 28 >= 24 || (by - 4) % 28 >= 24) {
                        ++gapPixels;
                        notGrey += h.pixel(x, y) == host::rgb(192, 192, 192) ? 0 : 1;
                    }
                }
            }
            escape(h);
        });
        e2e::run_program(headless);
        EXPECT_GT(gapPixels, 0);
        EXPECT_EQ(notGrey, 0) << "of " << gapPixels << " gap pixels";
    }
}

}  // namespace
