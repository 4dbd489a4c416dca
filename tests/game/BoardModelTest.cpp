// BoardModelTest.cpp: hit testing and the click rules. The deal, by shape and clock, is pinned
// by the console script (tests/game/console/game.txt).
#include "game/BoardModel.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace gametest;
using Picture = std::vector<std::string>;

TEST(BoardHitTest, PixelsMapToCellsWithGapsAndMargins) {
    struct Case {
        const char* name;
        int x, y;
        int expected;  // cell index or -1
    };
    const Case cases[] = {
        {"left edge of column 0", 5, 16, 0},
        {"right edge of column 0", 28, 16, 0},
        {"gap after column 0, first pixel", 29, 16, -1},
        {"gap after column 0, last pixel", 31, 16, -1},
        {"left edge of column 1", 32, 16, 1},
        {"right edge of column 12", 364, 16, 12},
        {"left margin", 4, 16, -1},
        {"right margin", 365, 16, -1},
        {"top edge of row 0", 16, 5, 0},
        {"bottom edge of row 0", 16, 28, 0},
        {"gap under row 0", 16, 30, -1},
        {"top edge of row 1", 16, 32, 13},
        {"bottom edge of row 12", 16, 364, 156},
        {"bottom margin", 16, 365, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BoardModel::HitTest(c.x, c.y), c.expected);
    }
}

// A board for the click rules: (2,2) is walled in by pieces and the border, (10,10) is an
// empty cell no route reaches, (6,6) and (2,4) can move.
const Picture kClickBoard = {"001", "2", "", "", "....3", "", "", "........4", ".......5."};

TEST(BoardClick, RulesByState) {
    enum class Before { Idle, Selected66, Moving };
    struct Case {
        const char* name;
        Before before;
        int x, y;
        ClickOutcome outcome;
        BoardModel::State state;
        Cell selected;  // checked while Selected
        std::vector<std::string> events;
    };
    const int gap = 30;  // between columns 0 and 1
    constexpr auto kIdle = BoardModel::Idle, kSelected = BoardModel::Selected;
    constexpr auto kIgnored = ClickOutcome::Ignored, kSelects = ClickOutcome::Selected;
    // clang-format off
    const Case cases[] = {
        {"idle: margin", Before::Idle, 4, CentreY(6), kIgnored, kIdle, {}, {}},
        {"idle: walled-in piece", Before::Idle, CentreX(2), CentreY(2), kIgnored, kIdle, {}, {}},
        {"idle: piece that can move", Before::Idle, CentreX(6), CentreY(6), kSelects, kSelected, {6, 6}, {}},
        {"selected: another piece", Before::Selected66, CentreX(4), CentreY(2), kSelects, kSelected, {2, 4}, {"rest 6 6 3"}},
        {"selected: the selected piece", Before::Selected66, CentreX(6), CentreY(6), kSelects, kSelected, {6, 6}, {"rest 6 6 3"}},
        {"selected: walled-in piece", Before::Selected66, CentreX(2), CentreY(2), kIgnored, kSelected, {6, 6}, {}},
        {"selected: unreachable empty cell", Before::Selected66, CentreX(10), CentreY(10), kIgnored, kSelected, {6, 6}, {}},
        {"selected: outside the shape", Before::Selected66, CentreX(12), CentreY(6), kIgnored, kSelected, {6, 6}, {}},
        {"selected: gap", Before::Selected66, gap, CentreY(6), kIgnored, kSelected, {6, 6}, {}},
        {"selected: reachable empty cell", Before::Selected66, CentreX(8), CentreY(6), ClickOutcome::MoveStarted, BoardModel::Moving, {}, {"empty 6 6"}},
        {"moving: a piece", Before::Moving, CentreX(4), CentreY(2), kIgnored, BoardModel::Moving, {}, {}},
        {"moving: an empty cell", Before::Moving, CentreX(4), CentreY(4), kIgnored, BoardModel::Moving, {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model = BoardFromPicture(kClickBoard);
        if (c.before != Before::Idle) {
            ASSERT_EQ(model.Click(CentreX(6), CentreY(6)), ClickOutcome::Selected);
        }
        if (c.before == Before::Moving) {
            ASSERT_EQ(model.Click(CentreX(6), CentreY(4)), ClickOutcome::MoveStarted);
        }
        const Picture before = PictureOf(model);
        RecordingListener listener;
        model.SetListener(&listener);

        EXPECT_EQ(model.Click(c.x, c.y), c.outcome);
        EXPECT_EQ(model.GetState(), c.state);
        if (c.state == BoardModel::Selected) {
            EXPECT_EQ(model.SelectedCell().row, c.selected.row);
            EXPECT_EQ(model.SelectedCell().column, c.selected.column);
        }
        EXPECT_EQ(listener.events, c.events);
        if (c.outcome != ClickOutcome::MoveStarted) {
            EXPECT_EQ(PictureOf(model), before) << "a refused click changes no cell";
        }
    }
}

TEST(BoardClick, EverySelectionRestartsThePulseFromTheLargeImage) {
    struct Case {
        const char* name;
        int clickRow, clickColumn;  // -1: no click
        int pulse;
    };
    const Case cases[] = {
        {"a piece selected", 6, 6, 0},
        {"tick", -1, -1, 1},
        {"tick", -1, -1, 2},
        {"wraps", -1, -1, 0},
        {"tick", -1, -1, 1},
        {"the selected piece again", 6, 6, 0},
        {"walled in: goes on", 2, 2, 1},
        {"another piece", 2, 4, 0},
    };
    BoardModel model = BoardFromPicture(kClickBoard);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.clickRow >= 0) {
            model.Click(CentreX(c.clickColumn), CentreY(c.clickRow));
        }
        EXPECT_EQ(model.AdvancePulse(), c.pulse);
    }
}

// A piece goes only on an empty playable cell and only in one of the six colours; a refusal
// leaves the board as it was.
TEST(BoardModel, PutPieceRefusesWhatCannotStand) {
    struct Case {
        const char* name;
        int row, column, colour;
        bool placed;
    };
    const Case cases[] = {
        {"empty cell", 6, 7, 5, true},  {"outside the square", 1, 6, 0, false},
        {"taken cell", 6, 6, 1, false}, {"colour -1", 6, 7, -1, false},
        {"colour 6", 6, 7, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model = BoardFromPicture({"", "", "", "", "....0"});
        const Picture before = PictureOf(model);
        const int free = model.FreeCells();
        EXPECT_EQ(model.PutPiece(c.row, c.column, c.colour), c.placed);
        EXPECT_EQ(model.FreeCells(), free - (c.placed ? 1 : 0));
        if (c.placed) {
            EXPECT_EQ(model.Colour(c.row, c.column), c.colour);
        } else {
            EXPECT_EQ(PictureOf(model), before);
        }
    }
}

}  // namespace
