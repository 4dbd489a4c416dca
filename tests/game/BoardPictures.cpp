// BoardPictures.cpp: text pictures, the distance oracle, the recording listener, the player.
#include "tests/game/BoardPictures.h"

#include <cassert>
#include <cstdlib>
#include <deque>
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
    std::vector<std::string> rows(kGridSize, std::string(kGridSize, '#'));
    for (int index = 0; index < kCellCount; ++index) {
        const int row = index / kGridSize, column = index % kGridSize;
        const int colour = model.Colour(row, column);
        if (model.IsPlayable(row, column)) {
            rows[row][column] = colour < 0 ? '.' : static_cast<char>('0' + colour);
        }
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
        for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            const int r = row + dr, c = column + dc;
            if (r >= 0 && r < kGridSize && c >= 0 && c < kGridSize &&
                distance[r * kGridSize + c] < 0 && model.IsPlayable(r, c) &&
                model.Colour(r, c) < 0) {
                distance[r * kGridSize + c] = distance[row * kGridSize + column] + 1;
                queue.emplace_back(r, c);
            }
        }
    }
    return distance;
}

std::string RouteFault(const BoardModel& before, const BoardModel& model, RoutePoint from) {
    const int len = model.RouteLen();
    const RoutePoint* route = model.Route();  // target first
    if (len < 2 || !(route[len - 1] == from)) {
        return "the route does not start at its start";
    }
    const int target = route[0].row * kGridSize + route[0].column;
    if (StepDistances(before, route[len - 1].row, route[len - 1].column)[target] != len - 1) {
        return "the route is not a shortest one";
    }
    for (int i = 0; i + 1 < len; ++i) {
        if (std::abs(route[i].row - route[i + 1].row) +
                    std::abs(route[i].column - route[i + 1].column) !=
                1 ||
            before.Colour(route[i].row, route[i].column) >= 0) {
            return "step " + std::to_string(i) + " is no unit step to an empty cell";
        }
    }
    return "";
}

void RecordingListener::NextPiecesChanged(const std::int16_t* next, int count) {
    events.push_back(Words("next", count));
    for (int i = 0; i < count; ++i) {
        events.back() += Words("", next[i]);
    }
}
void RecordingListener::LineRemoved(const BoardLine& line) {
    points += line.n;
    events.push_back(Words("line", line.n, line.row, line.column, line.rowStep, line.columnStep));
}
void RecordingListener::GameOver() {
    ++gameOvers;
    events.push_back("gameover");
}

int TravelToTarget(BoardModel& model) {
    int steps = 0;
    TravelStep step{};
    while (steps < 4 * kCellCount && model.AdvanceTravel(step) && (++steps, !step.arrived)) {
    }
    return steps;
}

bool PlayRandomMove(BoardModel& model, std::mt19937& rng) {
    std::vector<int> movable, empty;
    for (int index = 0; index < kCellCount; ++index) {
        const int row = index / kGridSize, column = index % kGridSize;
        if (model.IsPlayable(row, column) && model.Colour(row, column) < 0) {
            empty.push_back(index);
        } else if (model.IsPlayable(row, column) && model.CanMove(row, column)) {
            movable.push_back(index);
        }
    }
    if (movable.empty()) {
        return false;
    }
    const int piece = movable[rng() % movable.size()];
    model.Click(CentreX(piece % kGridSize), CentreY(piece / kGridSize));
    assert(model.GetState() == BoardModel::Selected);
    while (model.GetState() == BoardModel::Selected) {
        const int target = empty[rng() % empty.size()];
        model.Click(CentreX(target % kGridSize), CentreY(target / kGridSize));
    }
    return true;
}

}  // namespace gametest
