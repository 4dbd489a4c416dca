// BoardPictures.h: boards as text pictures, an independent distance oracle, a
// recording listener, and a random player for property checks and benchmarks.
#pragma once

#include "game/BoardListener.h"
#include "game/BoardModel.h"

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace gametest {

// A cell of the 13 x 13 grid.
struct Cell {
    int row, column;
};

// 13 rows of 13 characters: '#' outside the shape, '.' empty, '0' to '5' a piece; square when
// rows 0, 1, 11 and 12 are all '#'. Up to 9 rows of up to 9 stand for the square's middle,
// padded with '.'; Full() gives their whole picture.
BoardModel BoardFromPicture(const std::vector<std::string>& rows);
std::vector<std::string> Full(const std::vector<std::string>& rows);
std::vector<std::string> PictureOf(const BoardModel& model);

// Breadth-first step counts from `from` through empty playable cells; -1 where no route
// leads. Indexed by cell index.
std::vector<int> StepDistances(const BoardModel& model, int fromRow, int fromColumn);

// Why the model's route is not a shortest walk from `from` in unit steps through cells empty
// in `before`; empty when it is.
std::string RouteFault(const BoardModel& before, const BoardModel& model, RoutePoint from);

inline int CentreX(int column) {  // a click's pixel in the cell
    return 16 + 28 * column;
}
inline int CentreY(int row) {
    return 16 + 28 * row;
}

template <typename... Numbers>
std::string Words(const char* what, Numbers... numbers) {
    std::string text = what;
    ((text += ' ', text += std::to_string(numbers)), ...);
    return text;
}

// Everything a model told its view, in order: "empty R C", "rest R C K", "next N K...",
// "line N R C DR DC", "dealt", "gameover".
class RecordingListener : public BoardListener {
public:
    void CellEmptied(int row, int column) override {
        events.push_back(Words("empty", row, column));
    }
    void PieceAtRest(int row, int column, int colour) override {
        events.push_back(Words("rest", row, column, colour));
    }
    void NextPiecesChanged(const std::int16_t* next, int count) override;
    void LineRemoved(const BoardLine& line) override;
    void BoardDealt() override { events.push_back("dealt"); }
    void GameOver() override;
    std::vector<std::string> events;
    int points = 0, gameOvers = 0;
};

// Advances a travel until the arrival; returns the steps taken.
int TravelToTarget(BoardModel& model);

// Selects a random piece that can move, then clicks random empty cells until a move starts.
// False when no piece can move.
bool PlayRandomMove(BoardModel& model, std::mt19937& rng);

}  // namespace gametest
