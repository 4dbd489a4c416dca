// BoardWndTest.cpp: the board window on the headless host: deal, pulse, travel, lines, spawn,
// timer pacing, a missing timer and the end of the game.
#include "game/BoardGeometry.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/gdi/Snapshot.h"
#include "tests/app/ProgramProbe.h"
#include "tests/board/WindowHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using boardtest::compare_picture;
using boardtest::kBoardAt;
using boardtest::kPreviewAt;
using boardtest::kScoreAt;
using boardtest::ScreenShot;
using boardtest::take_screenshot;
using boardtest::WindowHarness;

struct Piece {
    int row, column, colour;
};

// A piece picture expected on the screen, centred on board pixel (x, y).
struct Drawn {
    int x, y;
    HBITMAP image;
};

class BoardWnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_h.error(), "");
        m_h.attach();
        ASSERT_TRUE(board().Start());
        // The empty board as the window paints it, for comparing everything but the pieces.
        setup({}, {});
        m_empty = take_screenshot();
    }

    CBoardWnd& board() { return m_h.m_board; }
    const BoardModel& model() { return board().GetModel(); }

    // A position of the current shape, painted as a repaint would.
    void setup(const std::vector<Piece>& pieces, const std::vector<std::int16_t>& next) {
        BoardModel& m = board().GetModelForSetup();
        m.ClearBoard(board().m_cross != 0);
        for (const Piece& p : pieces) {
            ASSERT_TRUE(m.PutPiece(p.row, p.column, p.colour));
        }
        ASSERT_TRUE(m.SetNextPieces(next.data(), static_cast<int>(next.size())));
        board().Invalidate(TRUE);
        board().UpdateWindow();
    }

    void click(int row, int column) {
        board().OnLButtonUp(0, CPoint(CellCentre(column), CellCentre(row)));
    }

    HBITMAP image(int colour, int size = 0) const { return m_h.piece_image(colour, size); }

    // Every board pixel shows the empty board, except the squares of `drawn` (later ones on
    // top). Returns the first differences, empty when the board matches.
    std::string compare_board(const std::vector<Drawn>& drawn) const {
        const ScreenShot shot = take_screenshot();
        std::vector<ScreenShot> images;
        for (const Drawn& d : drawn) {
            images.push_back(boardtest::bitmap_pixels(d.image));
        }
        std::string out;
        int mismatches = 0;
        for (int y = 0; y < kBoardPixels; ++y) {
            for (int x = 0; x < kBoardPixels; ++x) {
                COLORREF want = m_empty.at(kBoardAt.x + x, kBoardAt.y + y);
                for (size_t i = 0; i < drawn.size(); ++i) {
                    const int dx = x - (drawn[i].x - 9);
                    const int dy = y - (drawn[i].y - 9);
                    if (dx >= 0 && dx < 18 && dy >= 0 && dy < 18) {
                        want = images[i].at(dx, dy);
                    }
                }
                const COLORREF got = shot.at(kBoardAt.x + x, kBoardAt.y + y);
                if (got != want && mismatches++ < 3) {
                    out += "board (" + std::to_string(x) + ", " + std::to_string(y) + "): got " +
                           std::to_string(got) + ", expected " + std::to_string(want) + "; ";
                }
            }
        }
        return mismatches == 0 ? "" : out + std::to_string(mismatches) + " pixels differ";
    }

    // The model's pieces, each large at rest in its cell.
    std::vector<Drawn> pieces_at_rest() {
        std::vector<Drawn> drawn;
        for (int row = 0; row < kGridSize; ++row) {
            for (int column = 0; column < kGridSize; ++column) {
                const int colour = model().Colour(row, column);
                if (colour != kNoPiece) {
                    drawn.push_back({CellCentre(column), CellCentre(row), image(colour)});
                }
            }
        }
        return drawn;
    }

    WindowHarness m_h;
    ScreenShot m_empty;
};

TEST_F(BoardWnd, StartDealsFivePiecesAndShowsThemAndTheNextPieces) {
    for (int game = 0; game < 3; ++game) {
        SCOPED_TRACE("game " + std::to_string(game));
        m_h.m_host.advance(1000);  // the deal seeds from the calendar clock
        board().NewGame();
        EXPECT_EQ(model().FreeCells(), 76);
        EXPECT_EQ(pieces_at_rest().size(), 5u);
        EXPECT_EQ(compare_board(pieces_at_rest()), "");
        ASSERT_EQ(m_h.m_preview.m_nPieceCount, 3);
        const ScreenShot shot = take_screenshot();
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("next piece " + std::to_string(i));
            EXPECT_EQ(m_h.m_preview.m_nPieceColour[i], model().Next()[i]);
            EXPECT_EQ(compare_picture(shot, image(model().Next()[i]), kPreviewAt.x + 7 + 28 * i,
                                      kPreviewAt.y + 7),
                      "");
        }
    }
}

TEST_F(BoardWnd, StartAsksForTimer101) {
    EXPECT_EQ(board().m_timerId, CBoardWnd::s_nTimerId);
}

TEST_F(BoardWnd, SelectedPiecePulsesLargeMediumSmallOneSizePerTick) {
    setup({{6, 6, 4}, {2, 2, 1}}, {0, 1, 2});
    click(6, 6);
    EXPECT_EQ(model().GetState(), BoardModel::Selected);
    const Drawn other = {CellCentre(2), CellCentre(2), image(1)};
    EXPECT_EQ(compare_board({other, {CellCentre(6), CellCentre(6), image(4, 0)}}), "")
        << "nothing changes before the first tick";
    const int sizes[] = {0, 1, 2, 0, 1, 2, 0};
    for (int tick = 0; tick < 7; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick + 1));
        m_h.tick();
        EXPECT_EQ(compare_board({other, {CellCentre(6), CellCentre(6), image(4, sizes[tick])}}),
                  "");
    }
}

TEST_F(BoardWnd, SelectingAnotherPieceLeavesTheFirstLargeAtRest) {
    setup({{6, 6, 4}, {2, 2, 1}}, {0, 1, 2});
    click(6, 6);
    m_h.tick();
    m_h.tick();  // the first piece now shows medium
    click(2, 2);
    const Drawn first = {CellCentre(6), CellCentre(6), image(4, 0)};
    EXPECT_EQ(compare_board({first, {CellCentre(2), CellCentre(2), image(1, 0)}}), "");
    m_h.tick();
    m_h.tick();
    EXPECT_EQ(compare_board({first, {CellCentre(2), CellCentre(2), image(1, 1)}}), "")
        << "the new selection pulses from its large image";
}

struct TravelCase {
    const char* name;
    std::vector<Piece> pieces;  // the travelling piece first
    RoutePoint target;
    // The piece's centre after each tick, in board pixels.
    std::vector<POINT> centres;
};

// A cell is 28 pixels: every tick moves the piece 14 pixels along its route.
const TravelCase kTravelCases[] = {
    {"one step right", {{6, 6, 2}}, {6, 7}, {{198, 184}, {212, 184}}},
    {"three steps right",
     {{6, 2, 0}},
     {6, 5},
     {{86, 184}, {100, 184}, {114, 184}, {128, 184}, {142, 184}, {156, 184}}},
    {"two steps up", {{10, 4, 5}}, {8, 4}, {{128, 282}, {128, 268}, {128, 254}, {128, 240}}},
    {"two steps left", {{3, 9, 3}}, {3, 7}, {{254, 100}, {240, 100}, {226, 100}, {212, 100}}},
    // (4, 5) is taken, so the only shortest route goes down first, then right.
    {"down, then right around a piece",
     {{4, 4, 1}, {4, 5, 0}},
     {5, 5},
     {{128, 142}, {128, 156}, {142, 156}, {156, 156}}},
};

TEST_F(BoardWnd, TravellingPieceMovesHalfACellPerTick) {
    for (const TravelCase& c : kTravelCases) {
        SCOPED_TRACE(c.name);
        setup(c.pieces, {0, 0, 0});
        const Piece& mover = c.pieces.front();
        std::vector<Drawn> still;
        for (size_t i = 1; i < c.pieces.size(); ++i) {
            const Piece& p = c.pieces[i];
            still.push_back({CellCentre(p.column), CellCentre(p.row), image(p.colour)});
        }
        click(mover.row, mover.column);
        click(c.target.row, c.target.column);
        ASSERT_EQ(model().GetState(), BoardModel::Moving);
        EXPECT_EQ(compare_board(still), "") << "the piece leaves its start cell at the click";
        for (size_t tick = 0; tick < c.centres.size(); ++tick) {
            SCOPED_TRACE("tick " + std::to_string(tick + 1));
            m_h.tick();
            std::vector<Drawn> expected = still;
            expected.push_back({static_cast<int>(c.centres[tick].x),
                                static_cast<int>(c.centres[tick].y), image(mover.colour)});
            if (tick + 1 < c.centres.size()) {
                EXPECT_EQ(model().GetState(), BoardModel::Moving);
                EXPECT_EQ(compare_board(expected), "");
            }
        }
        // The arrival tick also brought in the three waiting pieces; all stand at rest.
        EXPECT_EQ(model().GetState(), BoardModel::Idle);
        EXPECT_EQ(model().Colour(c.target.row, c.target.column), mover.colour);
        EXPECT_EQ(compare_board(pieces_at_rest()), "");
    }
}

TEST_F(BoardWnd, ClicksAreIgnoredWhileAPieceTravels) {
    setup({{6, 2, 0}, {9, 9, 1}}, {2, 2, 2});
    click(6, 2);
    click(6, 5);
    m_h.tick();
    const struct {
        const char* name;
        int x, y;
    } clicks[] = {
        {"another piece that can move", CellCentre(9), CellCentre(9)},
        {"an empty cell", CellCentre(3), CellCentre(3)},
        {"the target", CellCentre(5), CellCentre(6)},
        {"outside every cell", 2, 2},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.name);
        board().OnLButtonUp(0, CPoint(c.x, c.y));
        EXPECT_EQ(model().GetState(), BoardModel::Moving);
        EXPECT_EQ(model().Colour(9, 9), 1);
        EXPECT_EQ(model().Colour(6, 5), 0);
        EXPECT_EQ(model().StepsLeft(), 3) << "half way through the first of three steps";
    }
    // The travel goes on from where it was.
    m_h.tick();
    EXPECT_EQ(compare_board({{CellCentre(9), CellCentre(9), image(1)},
                             {CellCentre(3), CellCentre(6), image(0)}}),
              "");
}

TEST_F(BoardWnd, ClickMessagesReachTheBoardToo) {
    setup({{6, 6, 3}}, {0, 0, 0});
    board().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(CellCentre(6), CellCentre(6)));
    EXPECT_EQ(model().GetState(), BoardModel::Selected);
}

TEST_F(BoardWnd, ALineVanishesScoresAndBringsNoPieces) {
    // Four red pieces in row 6; the fifth comes up column 6 from row 8.
    setup({{8, 6, 0}, {6, 2, 0}, {6, 3, 0}, {6, 4, 0}, {6, 5, 0}, {2, 10, 5}}, {1, 2, 3});
    m_h.m_score.ResetScore();
    click(8, 6);
    click(6, 6);
    for (int tick = 0; tick < 4; ++tick) {
        m_h.tick();
    }
    EXPECT_EQ(model().GetState(), BoardModel::Idle);
    EXPECT_EQ(model().FreeCells(), 80);
    EXPECT_EQ(compare_board({{CellCentre(10), CellCentre(2), image(5)}}), "")
        << "the line's pieces are erased, nothing came in";
    EXPECT_EQ(m_h.m_score.m_nScore, 5);
    const ScreenShot shot = take_screenshot();
    EXPECT_EQ(compare_picture(shot, static_cast<HBITMAP>(m_h.m_score.m_bmDigits[5].GetSafeHandle()),
                              kScoreAt.x + 52, kScoreAt.y + 4),
              "")
        << "the score display shows 5 at once";
    EXPECT_EQ(m_h.m_preview.m_nPieceCount, 3);
    EXPECT_EQ(model().Next()[0], 1) << "the waiting pieces still wait";
}

TEST_F(BoardWnd, AMoveWithoutALineBringsTheWaitingPiecesAndNewOnes) {
    setup({{6, 6, 0}}, {3, 4, 5});
    click(6, 6);
    click(6, 7);
    m_h.tick();
    m_h.tick();
    EXPECT_EQ(model().GetState(), BoardModel::Idle);
    EXPECT_EQ(model().FreeCells(), 77);
    int counts[6] = {};
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            if (model().Colour(row, column) != kNoPiece) {
                ++counts[model().Colour(row, column)];
            }
        }
    }
    EXPECT_EQ(counts[0], 1);
    EXPECT_GE(counts[3], 1);
    EXPECT_GE(counts[4], 1);
    EXPECT_GE(counts[5], 1);
    EXPECT_EQ(compare_board(pieces_at_rest()), "") << "the incoming pieces stand at rest";
    const ScreenShot shot = take_screenshot();
    ASSERT_EQ(m_h.m_preview.m_nPieceCount, 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("next piece " + std::to_string(i));
        EXPECT_EQ(m_h.m_preview.m_nPieceColour[i], model().Next()[i]);
        EXPECT_EQ(compare_picture(shot, image(model().Next()[i]), kPreviewAt.x + 7 + 28 * i,
                                  kPreviewAt.y + 7),
                  "");
    }
}

TEST_F(BoardWnd, ARepaintShowsEveryPieceAtRestInItsModelCell) {
    const struct {
        const char* name;
        int set;
        bool moving;
    } cases[] = {
        {"another piece set", 2, false},
        {"the same set", 1, false},
        {"during a travel the piece stands in its target", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setup({{6, 2, 0}, {3, 3, 4}, {9, 8, 5}}, {0, 0, 0});
        if (c.moving) {
            click(6, 2);
            click(6, 5);
            m_h.tick();
        }
        ASSERT_TRUE(m_h.m_app->m_pieceSprites.LoadPieceSet(c.set));
        board().Invalidate(TRUE);
        board().UpdateWindow();
        const std::vector<Drawn> expected = pieces_at_rest();
        ASSERT_EQ(expected.size(), 3u);
        EXPECT_EQ(compare_board(expected), "");
        EXPECT_EQ(model().Colour(6, 5), c.moving ? 0 : kNoPiece);
    }
}

TEST_F(BoardWnd, NewGameDuringATravelAbandonsIt) {
    setup({{6, 2, 0}}, {0, 0, 0});
    click(6, 2);
    click(6, 5);
    m_h.tick();
    board().NewGame();
    EXPECT_EQ(model().GetState(), BoardModel::Idle);
    const std::string dealt = compare_board(pieces_at_rest());
    EXPECT_EQ(dealt, "");
    m_h.tick();
    EXPECT_EQ(compare_board(pieces_at_rest()), "") << "the next tick draws nothing";
}

TEST_F(BoardWnd, ShapeChangeRebuildsTheImageAndTheSameShapeChangesNothing) {
    const struct {
        const char* name;
        BOOL cross;
        bool deals;
        COLORREF armTile;  // board pixel (116, 4): the top-left of arm cell 0,4
    } steps[] = {
        {"to the cross", TRUE, true, RGB(255, 255, 255)},
        {"cross again", 2, false, RGB(255, 255, 255)},
        {"back to the square", FALSE, true, RGB(192, 192, 192)},
        {"square again", FALSE, false, RGB(192, 192, 192)},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        setup({{6, 6, 2}}, {0, 0, 0});
        board().SetShape(s.cross);
        EXPECT_EQ(board().m_cross != 0, s.cross != 0);
        EXPECT_EQ(model().IsCross(), s.cross != 0);
        EXPECT_EQ(model().Colour(6, 6) == 2 && model().FreeCells() == (s.cross ? 120 : 80),
                  !s.deals);
        EXPECT_EQ(take_screenshot().at(kBoardAt.x + 116, kBoardAt.y + 4), s.armTile);
    }
}

TEST_F(BoardWnd, TheTimerTicksEvery150MillisecondsAndBacklogIsDropped) {
    setup({{6, 6, 4}}, {0, 0, 0});
    click(6, 6);
    const Drawn large = {CellCentre(6), CellCentre(6), image(4, 0)};
    const Drawn medium = {CellCentre(6), CellCentre(6), image(4, 1)};
    m_h.m_host.advance(149);
    m_h.pump();
    EXPECT_EQ(compare_board({large}), "") << "before 150 ms nothing ticks";
    m_h.m_host.advance(1);
    m_h.pump();
    EXPECT_EQ(compare_board({large}), "") << "first tick: the large image";
    m_h.m_host.advance(150);
    m_h.pump();
    EXPECT_EQ(compare_board({medium}), "");
    // Ticks piled up in the queue are dropped by the tick that handles the first of them.
    for (int i = 0; i < 3; ++i) {
        board().PostMessage(WM_TIMER, CBoardWnd::s_nTimerId, 0);
    }
    m_h.pump();
    EXPECT_EQ(compare_board({{CellCentre(6), CellCentre(6), image(4, 2)}}), "")
        << "one tick, not three";
}

TEST_F(BoardWnd, DestroyingTheWindowKillsTheTimer) {
    ASSERT_NE(board().m_timerId, 0u);
    m_h.m_parent.DestroyWindow();
    EXPECT_EQ(board().m_timerId, 0u);
}

TEST(BoardWndWithoutTimers, StartWarnsAndTheBoardStaysDealt) {
    host::Settings settings;
    settings.timers = false;
    WindowHarness h(settings);
    ASSERT_EQ(h.error(), "");
    h.attach();
    bool shown = false;
    h.m_host.script_call([&](host::HeadlessHost& host) {
        const HWND box = probe::front_window();
        ASSERT_NE(box, nullptr);
        shown = probe::shows_text(box,
                                  "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie "
                                  "dostępne Timery. Zamknij jedną lub kilka i spróbuj jeszcze "
                                  "raz."_cp1250);
        probe::push_key(host, VK_RETURN);
    });
    EXPECT_FALSE(h.m_board.Start());
    EXPECT_TRUE(shown);
    EXPECT_EQ(h.m_board.m_timerId, 0u);
    EXPECT_EQ(h.m_board.GetModel().FreeCells(), 76) << "the deal is on the board";
}

// Colours in which no line can form: along a row they step by 1, down a column by 2, down
// the diagonals by 3 and 1, so no two neighbours in a line share a colour except every other
// cell of a right-down diagonal.
std::int16_t pattern_colour(int row, int column) {
    return static_cast<std::int16_t>((2 * row + column) % 6);
}

TEST_F(BoardWnd, FillingTheLastCellOpensTheFinalScoreOnce) {
    // Every cell full but (2, 2) and (10, 10); the piece at (2, 3) moves to (2, 2), so the two
    // waiting pieces fill (2, 3) and (10, 10).
    std::vector<Piece> pieces;
    for (int row = 2; row <= 10; ++row) {
        for (int column = 2; column <= 10; ++column) {
            if (!(row == 2 && column == 2) && !(row == 10 && column == 10)) {
                pieces.push_back({row, column, pattern_colour(row, column)});
            }
        }
    }
    setup(pieces, {pattern_colour(2, 3), pattern_colour(10, 10)});
    m_h.m_score.ResetScore();
    m_h.m_score.AddPoints(305);
    m_h.m_host.clear_waves();
    int dialogs = 0;
    m_h.m_host.script_call([&](host::HeadlessHost& host) {
        if (probe::find_top_level("Wynik końcowy"_cp1250) != nullptr) {
            ++dialogs;
        }
        probe::push_key(host, VK_ESCAPE);
    });
    click(2, 3);
    click(2, 2);
    m_h.tick();
    m_h.tick();
    EXPECT_EQ(model().FreeCells(), 0);
    EXPECT_EQ(model().GetState(), BoardModel::Idle);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(probe::wave_ids(m_h.m_host), (std::vector<UINT>{144, 148, 145, 150}))
        << "the dialog announced the score display's 305";
    // No empty cell is left, so no piece waits: the preview shows its bare frame.
    EXPECT_EQ(m_h.m_preview.m_nPieceCount, 0);
    EXPECT_EQ(take_screenshot().at(kPreviewAt.x + 7 + 9, kPreviewAt.y + 7 + 9), RGB(192, 192, 192));
    // Afterwards nothing can be selected: no piece has an empty neighbour.
    click(6, 6);
    EXPECT_EQ(model().GetState(), BoardModel::Idle);
    m_h.tick();
    EXPECT_EQ(dialogs, 1);
}

TEST_F(BoardWnd, WritesSnapshots) {
    const struct {
        const char* name;
        BOOL cross;
    } shapes[] = {{"square", FALSE}, {"cross", TRUE}};
    for (const auto& s : shapes) {
        board().SetShape(s.cross);
        HDC screen = GetDC(nullptr);
        EXPECT_TRUE(gdi::write_png(
            screen, std::string(PILO_SNAPSHOT_DIR "/board-window-") + s.name + ".png"));
        ReleaseDC(nullptr, screen);
    }
}

}  // namespace
