// LineFinder.cpp: runs of one colour, and finding and clearing one line of five or more.
#include "game/BoardModel.h"

#include <cassert>

namespace {

constexpr int kMinLine = 5;

// Tried in this order at every cell; all point forward in the row-by-row scan, so a line
// is met first at its top (for a row, its left) end and counted whole from there.
constexpr int kDirections[4][2] = {{1, 0}, {1, 1}, {1, -1}, {0, 1}};

}  // namespace

// Whether (row, column) is a playable cell holding a piece of `colour` (0 to 5). Every way
// onto the board keeps colours within 0 to 5, so comparing them as they are compares them
// modulo 6.
bool BoardModel::SameColour(int row, int column, int colour) const {
    if (!InGrid(row, column)) {
        return false;
    }
    const BoardCell& cell = m_cells[CellIndex(row, column)];
    return cell.colour == colour && cell.playable;
}

// A run never leaves the 13 x 13 grid, so it is at most 13 long.
std::int16_t BoardModel::CountRun(int row, int column, int rowStep, int columnStep,
                                  int colour) const {
    assert(rowStep != 0 || columnStep != 0);
    std::int16_t n = 0;
    if (colour == kNoPiece) {
        return n;
    }
    for (; SameColour(row, column, colour); row += rowStep, column += columnStep) {
        ++n;
    }
    return n;
}

// The first line in scan order (then direction order) is cleared and reported; lines that
// share a piece with it keep only what is left of them for the next call. A run of five
// must reach the cell four steps on, so a direction whose fifth cell differs is passed over
// without counting: on a crowded board that settles almost every direction at once.
bool BoardModel::FindLine(BoardLine& line) {
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            const BoardCell& cell = m_cells[CellIndex(row, column)];
            if (!cell.playable || cell.colour == kNoPiece) {
                continue;
            }
            for (const auto& direction : kDirections) {
                const int lastRow = row + (kMinLine - 1) * direction[0];
                const int lastColumn = column + (kMinLine - 1) * direction[1];
                if (!SameColour(lastRow, lastColumn, cell.colour)) {
                    continue;
                }
                const std::int16_t n =
                    CountRun(row, column, direction[0], direction[1], cell.colour);
                if (n < kMinLine) {
                    continue;
                }
                line = {n, static_cast<std::int16_t>(row), static_cast<std::int16_t>(column),
                        static_cast<std::int16_t>(direction[0]),
                        static_cast<std::int16_t>(direction[1])};
                for (int i = 0; i < n; ++i) {
                    const RoutePoint p = line.Cell(i);
                    m_cells[CellIndex(p.row, p.column)].colour = kNoPiece;
                }
                m_freeCells = static_cast<std::int16_t>(m_freeCells + n);
                return true;
            }
        }
    }
    return false;
}
