// LineFinderTest.cpp: lines of five or more, found one at a time in scan order; their runs
// stop at another colour, an empty cell, the shape and the grid.
#include "game/BoardModel.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace gametest;
using Picture = std::vector<std::string>;

struct Case {
    const char* name;
    Picture board;
    std::vector<BoardLine> lines;  // n, row, column, row step, column step; in order found
};

// Every line FindLine reports until it finds none; checks the free-cell count on the way.
std::vector<BoardLine> FindAllLines(BoardModel& model) {
    std::vector<BoardLine> lines;
    BoardLine line{};
    for (int free = model.FreeCells(); lines.size() < 20 && model.FindLine(line);) {
        lines.push_back(line);
        EXPECT_EQ(model.FreeCells(), free += line.n);
    }
    return lines;
}

const Case kCases[] = {
    {"four in a row stay", {"", "", "", "", "..0000"}, {}},
    {"down a column, to the board's edge",
     {"", "", "", "", "........5", "........5", "........5", "........5", "........5"},
     {{5, 6, 10, 1, 0}}},
    {"down to the right", {"4", ".4", "..4", "...4", "....4", ".....4"}, {{6, 2, 2, 1, 1}}},
    {"down to the left, met at its top end",
     {"", "", "", "", "......3", ".....3", "....3", "...3", "..3"},
     {{5, 6, 8, 1, -1}}},
    {"plus crossing: the column is met first and takes the middle piece",
     {"", "", "..0", "..0", "00000", "..0", "..0"},
     {{5, 4, 4, 1, 0}}},
    {"shared first cell: down first, then the rest of the row: 10 points",
     {"", "", "", "", "111111", "1", "1", "1", "1"},
     {{5, 6, 2, 1, 0}, {5, 6, 3, 0, 1}}},
    {"L: the column goes, four stay in the row", {"2", "2", "2", "2", "22222"}, {{5, 2, 2, 1, 0}}},
    {"two separate lines go in scan order",
     {"", ".....5", ".....5", ".....5", ".....5", ".....5", "", "", "33333"},
     {{5, 3, 7, 1, 0}, {5, 10, 2, 0, 1}}},
    {"thirteen in a row on the cross",
     {"####.....####", "####.....####", "##.........##", "##.........##", ".............",
      ".............", "4444444444444", ".............", ".............", "##.........##",
      "##.........##", "####.....####", "####.....####"},
     {{13, 6, 0, 0, 1}}},
    {"a cross arm's column of five",
     {"####.0...####", "####.0...####", "##...0.....##", "##...0.....##", ".....0.......",
      ".............", ".............", ".............", ".............", "##.........##",
      "##.........##", "####.....####", "####.....####"},
     {{5, 0, 5, 1, 0}}},
    {"colours must match: a broken run stays", {"", "", "", "", "00100"}, {}},
};

TEST(LineFinder, FindsAndClearsLinesOneAtATime) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        BoardModel model = BoardFromPicture(c.board);
        EXPECT_EQ(FindAllLines(model), c.lines);
        // Exactly the cells of the lines are cleared.
        Picture after = Full(c.board);
        for (const BoardLine& line : c.lines) {
            for (int i = 0; i < line.n; ++i) {
                after[line.row + i * line.rowStep][line.column + i * line.columnStep] = '.';
            }
        }
        EXPECT_EQ(PictureOf(model), after);
    }
}

}  // namespace
