// DemoPlayerTest.cpp: the demo player's choice of move on boards drawn as text.
#include "platform/launch/DemoPlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The 9 x 9 square at rows and columns 2 to 10, missing rows and cells empty: '.' empty,
// r g b y m c the six colours.
BoardModel Square(const std::vector<std::string>& rows) {
    BoardModel model;
    model.ClearBoard(false);
    const std::string colours = "rgbymc";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::size_t k = colours.find(rows[r][c]);
            if (k != std::string::npos) {
                EXPECT_TRUE(model.PutPiece(static_cast<int>(r) + 2, static_cast<int>(c) + 2,
                                           static_cast<int>(k)));
            }
        }
    }
    return model;
}

// Every cell filled, the colours shifting by two from row to row.
std::vector<std::string> FullBoard() {
    std::vector<std::string> rows(9, std::string(9, '.'));
    for (int i = 0; i < 81; ++i) {
        rows[i / 9][i % 9] = "rgbymc"[(2 * (i / 9) + i % 9) % 6];
    }
    return rows;
}

struct Case {
    const char* name;
    std::vector<std::string> board;
    bool found;
    DemoMove expected;  // in the picture's coordinates (0 to 8)
};

// clang-format off
const Case kCases[] = {
    {"completes a row, first gap in cell order", {"", "", "", ".rrrr", "", "", "", "......r"}, true, {7, 6, 3, 0, 5}},
    {"completes a diagonal", {"g", ".g", "..g", "...g", "", "", "", "", "........g"}, true, {8, 8, 4, 4, 5}},
    {"a line of six beats extending elsewhere", {"bbb.bb", "", "yyy", "", "", "", "", "", "..b"}, true, {8, 2, 0, 3, 6}},
    {"without a line, the longest run through the target", {"mm", "", "", "ccc", "", "", "", "", "c.......m"}, true, {8, 0, 3, 3, 4}},
    {"a piece without a way out cannot complete its line", {"yyyy", "", "", "", "", "", "", ".......mm", "......m.y"}, true, {0, 0, 0, 4, 4}},
    {"a full board has no move", FullBoard(), false, {}},
};
// clang-format on

TEST(DemoPlayer, ChoosesTheMoveThatMakesOrExtendsTheLongestLine) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        BoardModel model = Square(c.board);
        const std::optional<DemoMove> move = ChooseDemoMove(model);
        ASSERT_EQ(move.has_value(), c.found);
        if (move) {
            EXPECT_EQ(
                (std::vector<int>{move->fromRow, move->fromColumn, move->toRow, move->toColumn,
                                  move->run}),
                (std::vector<int>{c.expected.fromRow + 2, c.expected.fromColumn + 2,
                                  c.expected.toRow + 2, c.expected.toColumn + 2, c.expected.run}));
            EXPECT_NE(model.Colour(move->fromRow, move->fromColumn), kNoPiece) << "model kept";
            EXPECT_EQ(model.Colour(move->toRow, move->toColumn), kNoPiece);
        }
    }
}

}  // namespace
