// DemoPlayerTest.cpp: the demo player's choice of move on boards drawn as text.
#include "platform/launch/DemoPlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The 9 x 9 square at rows and columns 2 to 10: '.' empty, r g b y m c the six colours.
BoardModel Square(const std::vector<std::string>& rows) {
    BoardModel model;
    model.ClearBoard(false);
    const std::string colours = "rgbymc";
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const std::size_t k = colours.find(rows[r][c]);
            if (k != std::string::npos) {
                EXPECT_TRUE(model.PutPiece(r + 2, c + 2, static_cast<int>(k)));
            }
        }
    }
    return model;
}

// Every cell filled, the colours shifting by two from row to row.
std::vector<std::string> FullBoard() {
    std::vector<std::string> rows(9, std::string(9, '.'));
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            rows[r][c] = "rgbymc"[(2 * r + c) % 6];
        }
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
    {"completes a row, first gap in cell order",
     {".........", ".........", ".........", ".rrrr....", ".........",
      ".........", ".........", "......r..", "........."},
     true, {7, 6, 3, 0, 5}},
    {"completes a diagonal",
     {"g........", ".g.......", "..g......", "...g.....", ".........",
      ".........", ".........", ".........", "........g"},
     true, {8, 8, 4, 4, 5}},
    {"a line of six beats extending elsewhere",
     {"bbb.bb...", ".........", "yyy......", ".........", ".........",
      ".........", ".........", ".........", "..b......"},
     true, {8, 2, 0, 3, 6}},
    {"without a line, the longest run through the target",
     {"mm.......", ".........", ".........", "ccc......", ".........",
      ".........", ".........", ".........", "c.......m"},
     true, {8, 0, 3, 3, 4}},
    {"a piece without a way out cannot complete its line",
     {"yyyy.....", ".........", ".........", ".........", ".........",
      ".........", ".........", ".......mm", "......m.y"},
     true, {0, 0, 0, 4, 4}},
    {"a full board has no move", FullBoard(), false, {}},
};
// clang-format on

TEST(DemoPlayer, ChoosesTheMoveThatMakesOrExtendsTheLongestLine) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rows = c.board;
        rows.resize(9, std::string(9, '.'));
        for (std::string& row : rows) {
            row.resize(9, '.');
        }
        BoardModel model = Square(rows);
        const std::optional<DemoMove> move = ChooseDemoMove(model);
        ASSERT_EQ(move.has_value(), c.found);
        if (!move) {
            continue;
        }
        EXPECT_EQ(move->fromRow, c.expected.fromRow + 2);
        EXPECT_EQ(move->fromColumn, c.expected.fromColumn + 2);
        EXPECT_EQ(move->toRow, c.expected.toRow + 2);
        EXPECT_EQ(move->toColumn, c.expected.toColumn + 2);
        EXPECT_EQ(move->run, c.expected.run);
        // The model itself is left as it was.
        EXPECT_EQ(model.Colour(move->fromRow, move->fromColumn) != kNoPiece, true);
        EXPECT_EQ(model.Colour(move->toRow, move->toColumn), kNoPiece);
    }
}

}  // namespace
