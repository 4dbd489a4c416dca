// RandomGamesTest.cpp: what holds after every move of a few seeded random games of each shape
// (the soak run plays the real program far longer).
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <type_traits>

namespace {

using namespace gametest;

static_assert(std::is_trivially_copyable_v<BoardModel>);  // each move is checked against a copy

// Counts incoming pieces (at rest while the move ends) and removed cells, which must be empty.
struct GameWatcher : BoardListener {
    explicit GameWatcher(const BoardModel& m) : model(m) {}
    void PieceAtRest(int row, int column, int colour) override {
        incoming += model.GetState() == BoardModel::Moving;
        EXPECT_EQ(model.Colour(row, column), colour);
    }
    void LineRemoved(const BoardLine& line) override {
        EXPECT_GE(line.n, 5);
        for (int i = 0; i < line.n; ++i) {
            EXPECT_EQ(model.Colour(line.Cell(i).row, line.Cell(i).column), -1);
        }
        removed += line.n;
    }
    void GameOver() override { ++gameOvers; }
    const BoardModel& model;
    int incoming = 0, removed = 0, gameOvers = 0;
};

TEST(RandomGames, EveryMoveKeepsTheRulesInvariants) {
    for (unsigned seed = 1; seed <= 24 && !HasFailure(); ++seed) {
        const bool cross = seed % 2 == 0;
        SCOPED_TRACE("game " + std::to_string(seed));
        crt::set_calendar_clock([seed] { return static_cast<std::time_t>(1'000'000 + seed); });
        BoardModel model;
        model.SetShape(cross);
        model.NewGame();
        GameWatcher watcher(model);
        model.SetListener(&watcher);
        std::mt19937 rng(seed);
        for (int moves = 0; moves < 1000 && !HasFailure() && model.FreeCells() > 0; ++moves) {
            const BoardModel before = model;
            ASSERT_TRUE(PlayRandomMove(model, rng)) << "no move on a board with room";
            EXPECT_EQ(RouteFault(before, model, model.SelectedCell()), "");
            const int len = model.RouteLen();
            const int free = model.FreeCells(), incoming = watcher.incoming;
            const int removed = watcher.removed;
            EXPECT_EQ(TravelToTarget(model), 2 * (len - 1));
            model.FinishMove();
            const int gone = watcher.removed - removed;
            EXPECT_EQ(model.FreeCells(), free - (watcher.incoming - incoming) + gone);
            long dots = 0;
            for (const std::string& row : PictureOf(model)) {
                dots += std::count(row.begin(), row.end(), '.');
            }
            EXPECT_EQ(model.FreeCells(), dots);
            EXPECT_LE(model.NextCount(), std::min(3, model.FreeCells() + gone));
            BoardModel probe = model;
            probe.SetListener(nullptr);
            BoardLine line{};
            EXPECT_FALSE(probe.FindLine(line)) << "a line outlived the end of a move";
            EXPECT_EQ(watcher.gameOvers, model.FreeCells() == 0 ? 1 : 0);
        }
        EXPECT_EQ(model.FreeCells(), 0) << "the game ran to its end";
        EXPECT_EQ(watcher.removed, 5 + watcher.incoming - (cross ? 121 : 81)) << "score";
    }
    crt::reset_calendar_clock();
}

}  // namespace
