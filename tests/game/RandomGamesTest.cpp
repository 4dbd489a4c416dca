// RandomGamesTest.cpp: properties that hold in every game, checked over seeded random games.
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using gametest::PlayRandomMove;
using gametest::StepDistances;
using gametest::TravelToTarget;

constexpr int kGamesPerShape = 1000;

struct Census {
    int pieces = 0;
    int empty = 0;  // playable cells without a piece
};

Census Count(const BoardModel& model) {
    Census census;
    for (int index = 0; index < kCellCount; ++index) {
        const int row = index / kGridSize;
        const int column = index % kGridSize;
        if (model.IsPlayable(row, column)) {
            ++(model.Colour(row, column) < 0 ? census.empty : census.pieces);
        }
    }
    return census;
}

// Counts what the model reports and checks each removed line as it is reported.
class GameWatcher : public BoardListener {
public:
    explicit GameWatcher(const BoardModel& model) : m_model(model) {}

    void PieceAtRest(int row, int column, int colour) override {
        // Incoming pieces are the only pieces at rest reported while a move ends.
        if (m_model.GetState() == BoardModel::Moving) {
            ++incoming;
            EXPECT_EQ(m_model.Colour(row, column), colour);
        }
    }
    void LineRemoved(const BoardLine& line) override {
        EXPECT_GE(line.n, 5);
        for (int i = 0; i < line.n; ++i) {
            const RoutePoint p = line.Cell(i);
            EXPECT_TRUE(m_model.IsPlayable(p.row, p.column));
            EXPECT_EQ(m_model.Colour(p.row, p.column), -1) << "a reported line is cleared";
        }
        score += line.n;
    }
    void GameOver() override { ++gameOvers; }

    int incoming = 0;
    int score = 0;
    int gameOvers = 0;

private:
    const BoardModel& m_model;
};

// The route just taken, against a breadth-first search of the board it was found on.
void CheckRoute(const BoardModel& before, const BoardModel& model) {
    const int len = model.RouteLen();
    ASSERT_GE(len, 2);
    const RoutePoint* route = model.Route();
    const RoutePoint start = route[len - 1];
    const RoutePoint target = route[0];
    EXPECT_EQ(start, model.SelectedCell());
    const std::vector<int> distance = StepDistances(before, start.row, start.column);
    EXPECT_EQ(distance[target.row * kGridSize + target.column], len - 1) << "not shortest";
    for (int i = 0; i + 1 < len; ++i) {
        EXPECT_EQ(std::abs(route[i].row - route[i + 1].row) +
                      std::abs(route[i].column - route[i + 1].column),
                  1);
        EXPECT_TRUE(before.IsPlayable(route[i].row, route[i].column));
        EXPECT_EQ(before.Colour(route[i].row, route[i].column), -1);
    }
}

void PlayOneGame(bool cross, unsigned seed) {
    crt::set_calendar_clock([seed] { return static_cast<std::time_t>(1'000'000 + seed); });
    BoardModel model;
    model.SetShape(cross);
    model.NewGame();
    GameWatcher watcher(model);
    model.SetListener(&watcher);
    std::mt19937 rng(seed);
    int placed = 5;

    for (int move = 0; move < 1000; ++move) {
        const BoardModel before = model;
        if (!PlayRandomMove(model, rng)) {
            break;
        }
        ASSERT_NO_FATAL_FAILURE(CheckRoute(before, model));
        const int steps = model.RouteLen() - 1;
        const int piecesBefore = Count(model).pieces;
        watcher.incoming = 0;
        const int scoreBefore = watcher.score;

        EXPECT_EQ(TravelToTarget(model), 2 * steps);
        model.FinishMove();

        const Census after = Count(model);
        EXPECT_EQ(model.FreeCells(), after.empty);
        EXPECT_EQ(after.pieces, piecesBefore + watcher.incoming - (watcher.score - scoreBefore));
        EXPECT_LE(model.NextCount(),
                  std::min(3, model.FreeCells() + (watcher.score - scoreBefore)));
        placed += watcher.incoming;
        BoardModel probe = model;
        probe.SetListener(nullptr);
        BoardLine line{};
        EXPECT_FALSE(probe.FindLine(line)) << "a line outlived the end of a move";
        EXPECT_EQ(watcher.gameOvers, model.FreeCells() == 0 ? 1 : 0);
        if (::testing::Test::HasFailure() || model.FreeCells() == 0) {
            break;
        }
    }
    EXPECT_EQ(model.FreeCells(), 0) << "the game ran to its end";
    EXPECT_EQ(watcher.score, placed - Count(model).pieces) << "score = pieces removed";
}

TEST(RandomGames, InvariantsHoldInThousandsOfGames) {
    for (bool cross : {false, true}) {
        for (unsigned seed = 1; seed <= kGamesPerShape; ++seed) {
            SCOPED_TRACE(std::string(cross ? "cross" : "square") + " game " + std::to_string(seed));
            PlayOneGame(cross, seed);
            if (::testing::Test::HasFailure()) {
                return;
            }
        }
    }
    crt::reset_calendar_clock();
}

}  // namespace
