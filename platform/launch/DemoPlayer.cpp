// DemoPlayer.cpp: the demo's choice of move.
#include "platform/launch/DemoPlayer.h"

namespace {

constexpr int kLineLength = 5;
constexpr int kDirections[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}};

int Value(int runAtTarget, int runAtStart) {
    const int line = runAtTarget >= kLineLength ? 1000 : 0;
    return line + 10 * runAtTarget - runAtStart;
}

}  // namespace

int RunThrough(const BoardModel& model, int row, int column, int colour, int skipRow,
               int skipColumn) {
    int best = 0;
    for (const auto& d : kDirections) {
        int run = 1;
        for (int sign : {1, -1}) {
            int r = row + sign * d[0];
            int c = column + sign * d[1];
            while (InGrid(r, c) && !(r == skipRow && c == skipColumn) &&
                   model.Colour(r, c) == colour) {
                ++run;
                r += sign * d[0];
                c += sign * d[1];
            }
        }
        if (run > best) {
            best = run;
        }
    }
    return best;
}

std::optional<DemoMove> ChooseDemoMove(const BoardModel& model) {
    // Route searches mark cells, so they run on a silent copy.
    BoardModel scratch = model;
    scratch.SetListener(nullptr);
    std::optional<DemoMove> best;
    int bestValue = 0;
    for (int fromRow = 0; fromRow < kGridSize; ++fromRow) {
        for (int fromColumn = 0; fromColumn < kGridSize; ++fromColumn) {
            const int colour = model.Colour(fromRow, fromColumn);
            if (colour == kNoPiece || !model.CanMove(fromRow, fromColumn)) {
                continue;
            }
            const int runAtStart = RunThrough(model, fromRow, fromColumn, colour, -1, -1);
            for (int toRow = 0; toRow < kGridSize; ++toRow) {
                for (int toColumn = 0; toColumn < kGridSize; ++toColumn) {
                    if (!model.IsPlayable(toRow, toColumn) ||
                        model.Colour(toRow, toColumn) != kNoPiece) {
                        continue;
                    }
                    const int run = RunThrough(model, toRow, toColumn, colour, fromRow, fromColumn);
                    const int value = Value(run, runAtStart);
                    if (best && value <= bestValue) {
                        continue;
                    }
                    if (!scratch.FindRoute(static_cast<std::int16_t>(fromRow),
                                           static_cast<std::int16_t>(fromColumn),
                                           static_cast<std::int16_t>(toRow),
                                           static_cast<std::int16_t>(toColumn))) {
                        continue;
                    }
                    best = DemoMove{fromRow, fromColumn, toRow, toColumn, run};
                    bestValue = value;
                }
            }
        }
    }
    return best;
}
