// BoardListener.h: what the board model tells its view; every call has an empty default.
#pragma once

#include "game/BoardLine.h"

#include <cstdint>

class BoardListener {
public:
    // The piece picture at a cell goes: a move leaves its start cell.
    virtual void CellEmptied(int /*row*/, int /*column*/) {}
    // A piece stands at rest in a cell in its large picture: an incoming piece, or the
    // previous selection when another piece is selected.
    virtual void PieceAtRest(int /*row*/, int /*column*/, int /*colour*/) {}
    // The waiting pieces changed: `count` colours (0 to 3) in the order they will come in.
    virtual void NextPiecesChanged(const std::int16_t* /*next*/, int /*count*/) {}
    // A line has been cleared from the model: erase its cells, score line.n points.
    virtual void LineRemoved(const BoardLine& /*line*/) {}
    // A new deal replaced the whole board (and perhaps its shape): repaint everything.
    virtual void BoardDealt() {}
    // The last empty cell has been filled: the game is over.
    virtual void GameOver() {}

protected:
    ~BoardListener() = default;
};
