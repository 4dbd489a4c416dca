// RandomGamesTest.cpp: what holds after every move of any game, over a few seeded random games
// of each shape (the soak run plays the real program far longer).
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <type_traits>

namespace {

// The model is a plain value: each move below is checked against a copy taken before it.
static_assert(std::is_trivially_copyable_v<BoardModel>);

// Counts incoming pieces and removed cells as reported, checking each removed line.
class GameWatcher : public BoardListener {
public:
    explicit GameWatcher(const BoardModel& model) : m_model(model) {}
    void PieceAtRest(int row, int column, int colour) override {
        if (m_model.GetState() == BoardModel::Moving) {  // only incoming pieces, as a move ends
            ++incoming;
            EXPECT_EQ(m_model.Colour(row, column), colour);
        }
    }
    void LineRemoved(const BoardLine& line) override {
        EXPECT_GE(line.n, 5);
        for (int i = 0; i < line.n; ++i) {
            EXPECT_EQ(m_model.Colour(line.Cell(i).row, line.Cell(i).column), -1) << "cleared";
        }
        removed += line.n;
    }
    void GameOver() override { ++gameOvers; }
    int incoming = 0, removed = 0, gameOvers = 0;

private:
    const BoardModel& m_model;
};

int Pieces(const BoardModel& model) {
    int pieces = 0;
    for (int index = 0; index < kCellCount; ++index) {
        pieces += model.Colour(index / kGridSize, index % kGridSize) >= 0;
    }
    return pieces;
}

TEST(RandomGames, EveryMoveKeepsTheRulesInvariants) {
    for (bool cross : {false, true}) {
        for (unsigned seed = 1; seed <= 60 && !HasFailure(); ++seed) {
            SCOPED_TRACE(std::string(cross ? "cross" : "square") + " game " + std::to_string(seed));
            crt::set_calendar_clock([seed] { return static_cast<std::time_t>(1'000'000 + seed); });
            BoardModel model;
            model.SetShape(cross);
            model.NewGame();
            GameWatcher watcher(model);
            model.SetListener(&watcher);
            std::mt19937 rng(seed);
            int placed = 5;
            for (int moves = 0; moves < 1000 && !HasFailure() && model.FreeCells() > 0; ++moves) {
                const BoardModel before = model;
                ASSERT_TRUE(gametest::PlayRandomMove(model, rng)) << "no move on a board with room";
                // The route is a shortest one, in unit steps through empty cells.
                const int len = model.RouteLen();
                const RoutePoint* route = model.Route();
                ASSERT_EQ(route[len - 1], model.SelectedCell());
                const RoutePoint start = route[len - 1], target = route[0];
                EXPECT_EQ(
                    gametest::StepDistances(before, start.row,
                                            start.column)[target.row * kGridSize + target.column],
                    len - 1);
                for (int i = 0; i + 1 < len; ++i) {
                    EXPECT_EQ(std::abs(route[i].row - route[i + 1].row) +
                                  std::abs(route[i].column - route[i + 1].column),
                              1);
                    EXPECT_EQ(before.Colour(route[i].row, route[i].column), -1);
                }
                const int pieces = Pieces(model), incoming = watcher.incoming;
                const int removed = watcher.removed;
                EXPECT_EQ(gametest::TravelToTarget(model), 2 * (len - 1));
                model.FinishMove();
                const int gone = watcher.removed - removed, came = watcher.incoming - incoming;
                placed += came;
                EXPECT_EQ(Pieces(model), pieces + came - gone);
                EXPECT_EQ(model.FreeCells(), (cross ? 121 : 81) - Pieces(model));
                EXPECT_LE(model.NextCount(), std::min(3, model.FreeCells() + gone));
                BoardModel probe = model;
                probe.SetListener(nullptr);
                BoardLine line{};
                EXPECT_FALSE(probe.FindLine(line)) << "a line outlived the end of a move";
                EXPECT_EQ(watcher.gameOvers, model.FreeCells() == 0 ? 1 : 0);
            }
            EXPECT_EQ(model.FreeCells(), 0) << "the game ran to its end";
            EXPECT_EQ(watcher.removed, placed - Pieces(model)) << "score = pieces removed";
        }
    }
    crt::reset_calendar_clock();
}

}  // namespace
