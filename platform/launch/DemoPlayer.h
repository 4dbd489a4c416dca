// DemoPlayer.h: the demo's player: picks a legal move on a board, preferring moves that make
// or extend lines.
#pragma once

#include "game/BoardModel.h"

#include <optional>

struct DemoMove {
    int fromRow = 0;
    int fromColumn = 0;
    int toRow = 0;
    int toColumn = 0;
    int run = 0;  // pieces of the moved colour in a row through the target after the move
};

// The best move with a free route, or nothing when no piece can reach an empty cell. A move
// that completes a line of five or more beats any other; then longer runs through the target
// win, then moves that break up the shorter run at their start; ties go to the first move in
// cell order, so a game is repeatable.
std::optional<DemoMove> ChooseDemoMove(const BoardModel& model);

// The longest run of `colour` through (row, column) in any of the four directions, counting
// that cell as holding the colour and (skipRow, skipColumn) as empty.
int RunThrough(const BoardModel& model, int row, int column, int colour, int skipRow,
               int skipColumn);
