// BoardModel.cpp: the grid and its shapes, the deal, random cells and the waiting pieces.
#include "game/BoardModel.h"

#include "game/BoardGeometry.h"
#include "game/BoardListener.h"
#include "platform/crt/crt.h"

#include <algorithm>

namespace {

// First playable column of each row; the last is 12 minus it; -1: no playable cell.
//
//   square          cross
//   .............   ....#####....
//   .............   ....#####....
//   ..#########..   ..#########..
//   ..#########..   ..#########..
//   ..#########..   #############
//   ..#########..   #############
//   ..#########..   #############
//   ..#########..   #############
//   ..#########..   #############
//   ..#########..   ..#########..
//   ..#########..   ..#########..
//   .............   ....#####....
//   .............   ....#####....
constexpr int kSquareFirstColumn[kGridSize] = {-1, -1, 2, 2, 2, 2, 2, 2, 2, 2, 2, -1, -1};
constexpr int kCrossFirstColumn[kGridSize] = {4, 4, 2, 2, 0, 0, 0, 0, 0, 2, 2, 4, 4};

bool ShapeHolds(bool cross, int row, int column) {
    const int first = (cross ? kCrossFirstColumn : kSquareFirstColumn)[row];
    return first >= 0 && column >= first && column <= kGridSize - 1 - first;
}

constexpr int kOpeningPieces = 5;
constexpr int kMaxNext = 3;

// Along each axis a cell's clickable square runs from pixel 4 + 28 x i to 28 + 28 x i, but
// pixel 4 itself and everything past 364 count as outside the board.
constexpr int kHitOrigin = 4;
constexpr int kHitWidth = 25;
constexpr int kHitFirst = 5;
constexpr int kHitLast = 364;

}  // namespace

BoardModel::BoardModel() {
    ResetCells();
}

// Clears every cell and marks the cells of the current shape playable. m_freeCells
// follows at once (81 or 121), so it equals the empty playable cells at every moment.
void BoardModel::ResetCells() {
    m_freeCells = 0;
    for (int index = 0; index < kCellCount; ++index) {
        const int row = index / kGridSize;
        const int column = index % kGridSize;
        BoardCell& cell = m_cells[index];
        cell.visited = 0;
        cell.playable = ShapeHolds(IsCross(), row, column) ? 1 : 0;
        cell.colour = kNoPiece;
        m_freeCells = static_cast<std::int16_t>(m_freeCells + cell.playable);
    }
}

// Five pieces on random empty cells (cell, then colour), then three waiting pieces. The
// generator is seeded from the calendar clock first, so one second gives one game.
void BoardModel::DealOpening() {
    crt::srand(static_cast<unsigned>(crt::time(nullptr)));
    for (int i = 0; i < kOpeningPieces; ++i) {
        const int index = RandomEmptyCell();
        if (index < 0) {
            break;
        }
        m_cells[index].colour = static_cast<std::int16_t>(crt::rand() % kColourCount);
        --m_freeCells;
    }
    ChooseNextPieces();
    if (m_listener != nullptr) {
        m_listener->BoardDealt();
    }
}

void BoardModel::NewGame() {
    m_state = Idle;
    m_stepsLeft = 0;
    m_halfStep = 0;
    ResetCells();
    DealOpening();
}

void BoardModel::SetShape(bool cross) {
    if (cross == IsCross()) {
        return;
    }
    m_cross = cross ? 1 : 0;
    NewGame();
}

int BoardModel::HitTest(int x, int y) {
    if (x < kHitFirst || x > kHitLast || y < kHitFirst || y > kHitLast) {
        return -1;
    }
    const int column = (x - kHitOrigin) / kCellPitch;
    const int row = (y - kHitOrigin) / kCellPitch;
    if (x - (kHitOrigin + kCellPitch * column) >= kHitWidth ||
        y - (kHitOrigin + kCellPitch * row) >= kHitWidth) {
        return -1;  // in the gap between two cells
    }
    return CellIndex(row, column);
}

// Neighbours are tried down, up, right, left; the first playable empty one settles it.
bool BoardModel::CanMove(int row, int column) const {
    constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : kSteps) {
        const int r = row + step[0];
        const int c = column + step[1];
        if (IsPlayable(r, c) && Colour(r, c) == kNoPiece) {
            return true;
        }
    }
    return false;
}

int BoardModel::EmptyCellAt(int r) const {
    for (int index = 0; index < kCellCount; ++index) {
        const BoardCell& cell = m_cells[index];
        if (cell.playable && cell.colour == kNoPiece && r-- == 0) {
            return index;
        }
    }
    return -1;
}

// One rand() call: r = rand() mod m_freeCells, then the r-th empty cell in index order.
int BoardModel::RandomEmptyCell() const {
    if (m_freeCells <= 0) {
        return -1;
    }
    return EmptyCellAt(crt::rand() % m_freeCells);
}

bool BoardModel::PlaceNextPiece(int i) {
    const int index = RandomEmptyCell();
    if (index < 0) {
        return false;
    }
    m_cells[index].colour = m_next[i];
    --m_freeCells;
    if (m_listener != nullptr) {
        m_listener->PieceAtRest(index / kGridSize, index % kGridSize, m_next[i]);
    }
    return true;
}

// As many waiting pieces as there are empty cells, at most three, colours in slot order.
void BoardModel::ChooseNextPieces() {
    m_nextCount = std::min<std::int16_t>(m_freeCells, kMaxNext);
    for (int i = 0; i < m_nextCount; ++i) {
        m_next[i] = static_cast<std::int16_t>(crt::rand() % kColourCount);
    }
    if (m_listener != nullptr) {
        m_listener->NextPiecesChanged(m_next, m_nextCount);
    }
}

void BoardModel::ClearBoard(bool cross) {
    m_state = Idle;
    m_stepsLeft = 0;
    m_halfStep = 0;
    m_cross = cross ? 1 : 0;
    m_nextCount = 0;
    ResetCells();
}

bool BoardModel::PutPiece(int row, int column, int colour) {
    if (!IsPlayable(row, column) || Colour(row, column) != kNoPiece || colour < 0 ||
        colour >= kColourCount) {
        return false;
    }
    m_cells[CellIndex(row, column)].colour = static_cast<std::int16_t>(colour);
    --m_freeCells;
    return true;
}

bool BoardModel::SetNextPieces(const std::int16_t* colours, int count) {
    if (count < 0 || count > kMaxNext || std::any_of(colours, colours + count, [](std::int16_t c) {
            return c < 0 || c >= kColourCount;
        })) {
        return false;
    }
    std::copy(colours, colours + count, m_next);
    m_nextCount = static_cast<std::int16_t>(count);
    return true;
}
