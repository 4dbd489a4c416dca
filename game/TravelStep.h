// TravelStep.h: one half-cell advance of a travelling piece, for the view to draw.
#pragma once

#include "game/BoardCell.h"
#include "game/BoardGeometry.h"

#include <cstdint>

// The piece was drawn `erasedHalf` half-cells from `from` towards `to` and is now drawn
// `drawnHalf` half-cells along. When `arrived` is set the piece stands in its target cell
// and the end of the move is due in the same tick.
struct TravelStep {
    RoutePoint from;
    RoutePoint to;
    std::int16_t erasedHalf;  // 0 or 1
    std::int16_t drawnHalf;   // 1 or 2
    std::int16_t colour;
    bool arrived;

    // Pixel centre of the piece `half` half-cells along the step.
    int X(int half) const { return Along(CellCentre(from.column), CellCentre(to.column), half); }
    int Y(int half) const { return Along(CellCentre(from.row), CellCentre(to.row), half); }

private:
    static int Along(int from, int to, int half) { return from + (to - from) * half / 2; }
};
