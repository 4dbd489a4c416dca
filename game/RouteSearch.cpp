// RouteSearch.cpp: the wave search for a shortest free route between two cells.
#include "game/BoardModel.h"

#include <cstdlib>

namespace {

// Neighbours are discovered right, down, left, up; with the walk back this fixes which of
// several shortest routes is taken.
constexpr int kSteps[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};

bool Touches(RoutePoint a, RoutePoint b) {
    return std::abs(a.row - b.row) + std::abs(a.column - b.column) == 1;
}

}  // namespace

// Layer k holds the cells k steps from the start, in discovery order. The start is marked
// visited too: a piece stands there in play, and a search from an empty cell (the console
// allows one) must not walk back through it.
bool BoardModel::FindRoute(std::int16_t fromRow, std::int16_t fromColumn, std::int16_t toRow,
                           std::int16_t toColumn) {
    for (BoardCell& cell : m_cells) {
        cell.visited = 0;
    }
    m_routeLen = 0;
    m_waves.Clear();
    m_waves.OpenLayer();
    m_waves.Append({fromRow, fromColumn});
    if (InGrid(fromRow, fromColumn)) {
        m_cells[CellIndex(fromRow, fromColumn)].visited = 1;
    }
    const RoutePoint target{toRow, toColumn};
    int layer = 0;
    while (!ExpandLayer(layer, target)) {
        if (m_waves.LayerSize(layer + 1) == 0) {
            return false;  // the empty region around the start is exhausted
        }
        ++layer;
    }
    WalkBack(layer, target);
    return true;
}

// Fills layer + 1 from layer; stops at once, returning true, when the target is entered.
bool BoardModel::ExpandLayer(int layer, RoutePoint target) {
    m_waves.OpenLayer();
    const RoutePoint* points = m_waves.Layer(layer);
    const int count = m_waves.LayerSize(layer);
    for (int i = 0; i < count; ++i) {
        for (const auto& step : kSteps) {
            const int row = points[i].row + step[0];
            const int column = points[i].column + step[1];
            if (!InGrid(row, column)) {
                continue;
            }
            BoardCell& cell = m_cells[CellIndex(row, column)];
            if (!cell.playable || cell.visited || cell.colour != kNoPiece) {
                continue;
            }
            cell.visited = 1;
            const RoutePoint entered{static_cast<std::int16_t>(row),
                                     static_cast<std::int16_t>(column)};
            m_waves.Append(entered);
            if (entered == target) {
                return true;
            }
        }
    }
    return false;
}

// From the target back to the start: in each layer, from the one whose expansion entered
// the target down to layer 0, the earliest-discovered point touching the current one.
void BoardModel::WalkBack(int layer, RoutePoint target) {
    m_route[0] = target;
    m_routeLen = 1;
    for (int j = layer; j >= 0; --j) {
        const RoutePoint* points = m_waves.Layer(j);
        const int count = m_waves.LayerSize(j);
        for (int i = 0; i < count; ++i) {
            if (Touches(points[i], m_route[m_routeLen - 1])) {
                m_route[m_routeLen++] = points[i];
                break;
            }
        }
    }
}
