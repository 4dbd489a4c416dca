// BoardPictures.cpp: text pictures, the distance oracle, the recording listener, the player.
#include "tests/game/BoardPictures.h"

#include <cassert>
#include <deque>
#include <initializer_list>
#include <stdexcept>

namespace gametest {

std::vector<std::string> Full(const std::vector<std::string>& rows) {
    if (rows.size() > 9) {
        return rows;
    }
    std::vector<std::string> full(2, std::string(kGridSize, '#'));
    for (std::string row : rows) {
        row.resize(9, '.');
        full.push_back("##" + row + "##");
    }
    full.resize(11, "##.........##");
    full.resize(kGridSize, std::string(kGridSize, '#'));
    return full;
}

BoardModel BoardFromPicture(const std::vector<std::string>& picture) {
    const std::vector<std::string> rows = Full(picture);
    BoardModel model;
    model.ClearBoard(rows[0] != std::string(kGridSize, '#'));
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            const char c = rows.at(row).at(column);
            if ((c == '#') == (model.IsPlayable(row, column) != 0) ||
                rows[row].size() != kGridSize) {
                throw std::invalid_argument("a picture off the shape in row " +
                                            std::to_string(row));
            }
            if (c >= '0' && c <= '5') {
                model.PutPiece(row, column, c - '0');
            }
        }
    }
    return model;
}

std::vector<std::string> PictureOf(const BoardModel& model) {
    std::vector<std::string> rows;
    for (int row = 0; row < kGridSize; ++row) {
        std::string text;
        for (int column = 0; column < kGridSize; ++column) {
            const int colour = model.Colour(row, column);
            text += !model.IsPlayable(row, column) ? '#'
                    : colour < 0                   ? '.'
                                                   : static_cast<char>('0' + colour);
        }
        rows.push_back(text);
    }
    return rows;
}

std::vector<int> StepDistances(const BoardModel& model, int fromRow, int fromColumn) {
    std::vector<int> distance(kCellCount, -1);
    std::deque<std::pair<int, int>> queue{{fromRow, fromColumn}};
    distance[fromRow * kGridSize + fromColumn] = 0;
    while (!queue.empty()) {
        const auto [row, column] = queue.front();
        queue.pop_front();
        const int here = distance[row * kGridSize + column];
        for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            const int r = row + dr;
            const int c = column + dc;
            if (r < 0 || r >= kGridSize || c < 0 || c >= kGridSize ||
                distance[r * kGridSize + c] >= 0 || !model.IsPlayable(r, c) ||
                model.Colour(r, c) >= 0) {
                continue;
            }
            distance[r * kGridSize + c] = here + 1;
            queue.emplace_back(r, c);
        }
    }
    return distance;
}

namespace {
std::string Words(const char* what, std::initializer_list<int> numbers) {
    std::string text = what;
    for (int n : numbers) {
        text += " " + std::to_string(n);
    }
    return text;
}
}  // namespace

void RecordingListener::CellEmptied(int row, int column) {
    events.push_back(Words("empty", {row, column}));
}
void RecordingListener::PieceAtRest(int row, int column, int colour) {
    events.push_back(Words("rest", {row, column, colour}));
}
void RecordingListener::NextPiecesChanged(const std::int16_t* next, int count) {
    events.push_back(Words("next", {count}));
    for (int i = 0; i < count; ++i) {
        events.back() += " " + std::to_string(next[i]);
    }
}
void RecordingListener::LineRemoved(const BoardLine& line) {
    points += line.n;
    events.push_back(Words("line", {line.n, line.row, line.column, line.rowStep, line.columnStep}));
}
void RecordingListener::BoardDealt() {
    events.push_back("dealt");
}
void RecordingListener::GameOver() {
    ++gameOvers;
    events.push_back("gameover");
}

int TravelToTarget(BoardModel& model) {
    int steps = 0;
    TravelStep step{};
    while (steps < 4 * kCellCount && model.AdvanceTravel(step)) {
        ++steps;
        if (step.arrived) {
            break;
        }
    }
    return steps;
}

bool PlayRandomMove(BoardModel& model, std::mt19937& rng) {
    int movable[kCellCount];
    int empty[kCellCount];
    int movableCount = 0;
    int emptyCount = 0;
    for (int index = 0; index < kCellCount; ++index) {
        const int row = index / kGridSize;
        const int column = index % kGridSize;
        if (!model.IsPlayable(row, column)) {
            continue;
        }
        if (model.Colour(row, column) < 0) {
            empty[emptyCount++] = index;
        } else if (model.CanMove(row, column)) {
            movable[movableCount++] = index;
        }
    }
    if (movableCount == 0) {
        return false;
    }
    const int piece = movable[rng() % movableCount];
    model.Click(CentreX(piece % kGridSize), CentreY(piece / kGridSize));
    assert(model.GetState() == BoardModel::Selected);
    while (model.GetState() == BoardModel::Selected) {
        const int target = empty[rng() % emptyCount];
        model.Click(CentreX(target % kGridSize), CentreY(target / kGridSize));
    }
    return true;
}

}  // namespace gametest
