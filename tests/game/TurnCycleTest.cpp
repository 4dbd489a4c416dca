// TurnCycleTest.cpp: the end of a move: lines, incoming pieces, waiting pieces, the end of the
// game. The arrival tick and where the incoming pieces land are pinned by the console script
// (tests/game/console/game.txt); the travel tick by tick on the screen of the running program.
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace gametest;
using Picture = std::vector<std::string>;

// A full square board with no run longer than one: colour (row + 2 x column) mod 6.
// Along a row colours step by 2, down a column by 1, on the diagonals by 3 and by -1, so
// no line can form, and a single new piece makes a run of at most 2.
const Picture kNoLines = {"024024024", "135135135", "240240240", "351351351", "402402402",
                          "513513513", "024024024", "135135135", "240240240"};


Picture WithEmptyCells(const Picture& square, const std::vector<Cell>& cells) {
    Picture picture = Full(square);
    for (const Cell& c : cells) {
        picture[c.row][c.column] = '.';
    }
    return picture;
}

// Selects (row, column) and clicks the target; the move must start.
void StartMove(BoardModel& model, Cell from, Cell to) {
    ASSERT_EQ(model.Click(CentreX(from.column), CentreY(from.row)), ClickOutcome::Selected);
    ASSERT_EQ(model.Click(CentreX(to.column), CentreY(to.row)), ClickOutcome::MoveStarted);
}

// Travels to the target and ends the move, as the board's ticks do.
void EndMove(BoardModel& model) {
    TravelToTarget(model);
    model.FinishMove();
}

std::vector<std::string> Lines(const RecordingListener& listener) {
    std::vector<std::string> lines;
    std::copy_if(listener.events.begin(), listener.events.end(), std::back_inserter(lines),
                 [](const std::string& e) { return e.rfind("line", 0) == 0; });
    return lines;
}

TEST(EndOfMove, FewerThanThreeEmptyCellsLeftMeanFewerWaitingPiecesAndAFullBoardEndsTheGameOnce) {
    struct Case {
        const char* name;
        std::vector<Cell> extraEmpty;  // besides (2,2), where (2,3) moves
        int nextBefore;
        int freeAfter, nextAfter;
        bool over;
    };
    const Case cases[] = {
        {"five empty: two are left", {{5, 8}, {8, 5}, {10, 10}, {4, 10}}, 3, 2, 2, false},
        {"three empty: the board fills", {{5, 8}, {8, 5}}, 3, 0, 0, true},
        {"two empty, two waiting: the board fills", {{5, 8}}, 2, 0, 0, true},
        {"one empty, one waiting: the board fills", {}, 1, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Cell> empty = c.extraEmpty;
        empty.push_back({2, 2});
        BoardModel model = BoardFromPicture(WithEmptyCells(kNoLines, empty));
        const std::int16_t next[] = {5, 5, 5};
        model.SetNextPieces(next, c.nextBefore);
        RecordingListener listener;
        model.SetListener(&listener);
        StartMove(model, {2, 3}, {2, 2});
        EndMove(model);
        EXPECT_TRUE(Lines(listener).empty());
        for (int index = 0; c.over && index < kCellCount; ++index) {  // nothing moves any more
            EXPECT_EQ(model.Click(CentreX(index % kGridSize), CentreY(index / kGridSize)),
                      ClickOutcome::Ignored);
        }
        model.FinishMove();  // a stray end of move in Idle does nothing
        EXPECT_EQ(model.FreeCells(), c.freeAfter);
        EXPECT_EQ(model.NextCount(), c.nextAfter);
        EXPECT_EQ(listener.gameOvers, c.over ? 1 : 0);
        if (c.over) {
            EXPECT_EQ(listener.events.back(), "gameover");
        } else {
            EXPECT_EQ(listener.events.back().substr(0, 7),
                      "next " + std::to_string(c.nextAfter) + " ");
        }
    }
}

TEST(EndOfMove, IncomingPiecesThatFillTheBoardButMakeLinesLeaveNoWaitingPieces) {
    // After (6,6) moves down, the empty cells are (6,6) and (6,10), and both waiting pieces
    // are 1: wherever each lands, the column at (2..6, 10) and the row at (6, 2..6) fill.
    BoardModel model =
        BoardFromPicture({"024024021", "135135131", "240240241", "351351351", "11110240.",
                          "5135.3513", "024024024", "135135135", "240240240"});
    const std::int16_t next[] = {1, 1};
    model.SetNextPieces(next, 2);
    RecordingListener listener;
    model.SetListener(&listener);
    StartMove(model, {6, 6}, {7, 6});
    EndMove(model);

    EXPECT_EQ(Lines(listener), (std::vector<std::string>{"line 5 2 10 1 0", "line 5 6 2 0 1"}));
    EXPECT_EQ(listener.points, 10);
    EXPECT_EQ(model.NextCount(), 0) << "counted before the lines went";
    EXPECT_EQ(model.FreeCells(), 10);
    EXPECT_EQ(listener.gameOvers, 0);

    // The next move without a line brings nothing in, then draws three waiting pieces.
    StartMove(model, {7, 6}, {6, 6});
    listener.events.clear();
    EndMove(model);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].substr(0, 7), "next 3 ");
    EXPECT_EQ(model.FreeCells(), 10);
    EXPECT_EQ(model.NextCount(), 3);
}

TEST(EndOfMove, ANewGameOrAShapeChangeAbandonsATravellingPieceTheSameShapeDoesNot) {
    crt::set_calendar_clock([] { return std::time_t{31337}; });
    struct Case {
        const char* name;
        void (*change)(BoardModel&);
        bool abandoned, cross;
    };
    const Case cases[] = {
        {"new game", [](BoardModel& m) { m.NewGame(); }, true, false},
        {"shape change", [](BoardModel& m) { m.SetShape(true); }, true, true},
        {"the shape in force", [](BoardModel& m) { m.SetShape(false); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model;
        model.PutPiece(6, 6, 2);
        StartMove(model, {6, 6}, {4, 8});
        TravelStep step{};
        model.AdvanceTravel(step);
        const Picture before = PictureOf(model);
        RecordingListener listener;
        model.SetListener(&listener);
        c.change(model);
        EXPECT_EQ(model.IsCross(), c.cross);
        if (!c.abandoned) {
            EXPECT_TRUE(listener.events.empty());
            EXPECT_EQ(PictureOf(model), before);
            EXPECT_EQ(TravelToTarget(model), 7);
            continue;
        }
        EXPECT_EQ(model.GetState(), BoardModel::Idle);
        EXPECT_EQ(listener.events.back(), "dealt");
        listener.events.clear();
        EXPECT_FALSE(model.AdvanceTravel(step));
        model.FinishMove();
        EXPECT_TRUE(listener.events.empty()) << "the abandoned move never ends";
        EXPECT_EQ(model.FreeCells(), c.cross ? 116 : 76);
    }
    crt::reset_calendar_clock();
}

}  // namespace
