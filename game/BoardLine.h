// BoardLine.h: a line of five or more pieces of one colour, as the line search reports it.
#pragma once

#include "game/BoardCell.h"

#include <cstdint>

struct BoardLine {
    std::int16_t n;    // number of pieces, at least 5
    std::int16_t row;  // first cell: the end the row-by-row scan meets first
    std::int16_t column;
    std::int16_t rowStep;  // direction: (1, 0), (1, 1), (1, -1) or (0, 1)
    std::int16_t columnStep;

    // The i-th cell of the line, 0 <= i < n.
    RoutePoint Cell(int i) const {
        return {static_cast<std::int16_t>(row + i * rowStep),
                static_cast<std::int16_t>(column + i * columnStep)};
    }

    friend bool operator==(const BoardLine&, const BoardLine&) = default;
};
