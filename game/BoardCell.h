// BoardCell.h: the 13 x 13 grid, its cells and the points of a route.
#pragma once

#include <cstdint>

inline constexpr int kGridSize = 13;                      // rows and columns
inline constexpr int kCellCount = kGridSize * kGridSize;  // stored row by row
inline constexpr int kColourCount = 6;                    // red, green, blue, yellow, magenta, cyan
inline constexpr std::int16_t kNoPiece = -1;              // colour of an empty cell

struct BoardCell {
    std::int32_t visited;   // mark of the route search; meaningless outside a search
    std::int32_t playable;  // non-zero when the cell belongs to the current shape
    std::int16_t colour;    // kNoPiece, or 0 to 5
};

struct RoutePoint {
    std::int16_t row;
    std::int16_t column;

    friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

constexpr bool InGrid(int row, int column) {
    return row >= 0 && row < kGridSize && column >= 0 && column < kGridSize;
}

constexpr int CellIndex(int row, int column) {
    return row * kGridSize + column;
}
