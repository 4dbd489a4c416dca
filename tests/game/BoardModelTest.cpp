// BoardModelTest.cpp: shapes, hit testing, the deal and the click rules.
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <utility>
#include <string>
#include <vector>

namespace {

using namespace gametest;
using Picture = std::vector<std::string>;

const Picture kEmptySquare(9, std::string(9, '.'));

const Picture kEmptyCross = {"####.....####", "####.....####", "##.........##", "##.........##",
                             ".............", ".............", ".............", ".............",
                             ".............", "##.........##", "##.........##", "####.....####",
                             "####.....####"};

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
        {"gap in x, cell in y", 30, 16 + 28 * 6, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BoardModel::HitTest(c.x, c.y), c.expected);
    }
}

// The deal worked out independently: seed from the clock, five drawn cells each followed by
// its colour, then three waiting colours.
std::pair<Picture, std::vector<int>> WorkOutDeal(const Picture& empty, unsigned seconds) {
    std::pair<Picture, std::vector<int>> deal{Full(empty), {}};
    crt::srand(seconds);
    for (int i = 0; i < 5; ++i) {
        const auto [row, column] = DrawCell(deal.first);
        deal.first[row][column] = static_cast<char>('0' + crt::rand() % 6);
    }
    for (int i = 0; i < 3; ++i) {
        deal.second.push_back(crt::rand() % 6);
    }
    return deal;
}

// A deal empties the board, marks the shape and draws anew.
TEST(BoardDeal, FreshDealsFollowTheShapeTheClockAndTheDrawOrder) {
    struct Case {
        const char* name;
        bool cross;
        const Picture& empty;
        std::time_t seconds;
        int free;
    };
    const Case cases[] = {
        {"square at 1000", false, kEmptySquare, 1000, 76},
        {"square at 1700000000", false, kEmptySquare, 1700000000, 76},
        {"cross at 1000", true, kEmptyCross, 1000, 116},
        {"cross at 86399", true, kEmptyCross, 86399, 116},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model;
        model.PutPiece(6, 6, 3);
        model.SetShape(c.cross);
        crt::set_calendar_clock([&c] { return c.seconds; });
        RecordingListener listener;
        model.SetListener(&listener);
        model.NewGame();

        const auto [picture, next] = WorkOutDeal(c.empty, static_cast<unsigned>(c.seconds));
        EXPECT_EQ(PictureOf(model), picture);
        EXPECT_EQ(model.FreeCells(), c.free);
        EXPECT_FALSE(model.IsPlayable(-1, 6) || model.IsPlayable(6, 13));
        ASSERT_EQ(model.NextCount(), 3);
        EXPECT_EQ(std::vector<int>(model.Next(), model.Next() + 3), next);
        EXPECT_EQ(model.GetState(), BoardModel::Idle);
        EXPECT_EQ(listener.events, (std::vector<std::string>{"next 3 " + std::to_string(next[0]) +
                                                                 " " + std::to_string(next[1]) +
                                                                 " " + std::to_string(next[2]),
                                                             "dealt"}));
    }
    crt::reset_calendar_clock();
}

// A board for the click rules: (2,2) is walled in by pieces and the border, (10,10) is an
// empty cell no route reaches, (6,6) and (2,4) can move.
const Picture kClickBoard = {"001", "2", "", "", "....3", "", "", "........4", ".......5."};

struct Cell {
    int row, column;
};
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
        {"idle: empty cell", Before::Idle, CentreX(4), CentreY(4), kIgnored, kIdle, {}, {}},
        {"idle: outside the shape", Before::Idle, CentreX(0), CentreY(0), kIgnored, kIdle, {}, {}},
        {"idle: gap", Before::Idle, gap, CentreY(6), kIgnored, kIdle, {}, {}},
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

}  // namespace
