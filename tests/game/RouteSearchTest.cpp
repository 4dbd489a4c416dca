// RouteSearchTest.cpp: the wave search: which shortest route it takes, and when none. The route
// up and right from the centre is pinned by the console script.
#include "game/BoardModel.h"
#include "tests/game/BoardPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace gametest;
using Picture = std::vector<std::string>;
using Points = std::vector<std::pair<int, int>>;

// The route from start to target, as (row, column) pairs.
Points RouteOf(const BoardModel& model) {
    Points points;
    for (int i = model.RouteLen() - 1; i >= 0; --i) {
        points.emplace_back(model.Route()[i].row, model.Route()[i].column);
    }
    return points;
}

BoardModel OnePieceAtTheCentre(bool cross) {
    BoardModel model;
    model.ClearBoard(cross);
    model.PutPiece(6, 6, 0);
    return model;
}

TEST(RouteSearch, OpenBoardRoutesFollowTheDiscoveryOrder) {
    struct Case {
        const char* name;
        bool cross;
        int toRow, toColumn;
        Points route;
    };
    // clang-format off
    const Case cases[] = {
        {"down-left: down the column first", false, 8, 4, {{6, 6}, {7, 6}, {8, 6}, {8, 5}, {8, 4}}},
        {"down-right: along the row first", false, 8, 8, {{6, 6}, {6, 7}, {6, 8}, {7, 8}, {8, 8}}},
        {"up-left: along the row first", false, 4, 4, {{6, 6}, {6, 5}, {6, 4}, {5, 4}, {4, 4}}},
        {"straight up", false, 3, 6, {{6, 6}, {5, 6}, {4, 6}, {3, 6}}},
        {"a neighbour: one step", false, 6, 7, {{6, 6}, {6, 7}}},
        {"to the top-left corner", false, 2, 2, {{6, 6}, {6, 5}, {6, 4}, {6, 3}, {6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}}},
        {"into the cross's top arm", true, 0, 4, {{6, 6}, {6, 5}, {6, 4}, {5, 4}, {4, 4}, {3, 4}, {2, 4}, {1, 4}, {0, 4}}},
        {"into the cross's left arm", true, 4, 0, {{6, 6}, {6, 5}, {6, 4}, {6, 3}, {6, 2}, {6, 1}, {6, 0}, {5, 0}, {4, 0}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model = OnePieceAtTheCentre(c.cross);
        ASSERT_TRUE(model.FindRoute(6, 6, static_cast<std::int16_t>(c.toRow),
                                    static_cast<std::int16_t>(c.toColumn)));
        EXPECT_EQ(RouteOf(model), c.route);
        EXPECT_EQ(model.RouteLen(), static_cast<int>(c.route.size()));
    }
}

// Every layer holds cells exactly its number of steps from the start, so the start never
// comes back, even when it is empty (only the console asks for that).
TEST(RouteSearch, LayersHoldTheCellsAtTheirDistanceAndAreNotCutShort) {
    struct Case {
        const char* name;
        bool cross, piece;
        std::int16_t toRow, toColumn;
        int layer6;  // cells in layers 6 and 7; -1 unchecked
    };
    const Case cases[] = {
        {"cross: layers of more than twenty cells", true, true, 0, 4, 24},
        {"an empty start", false, false, 10, 10, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model = OnePieceAtTheCentre(c.cross);
        if (!c.piece) {
            model.ClearBoard(c.cross);
        }
        ASSERT_TRUE(model.FindRoute(6, 6, c.toRow, c.toColumn));
        EXPECT_EQ(model.RouteLen(), 9);
        const WaveStore& waves = model.Waves();
        EXPECT_EQ(waves.LayerSize(0), 1);
        if (c.layer6 >= 0) {
            EXPECT_EQ(waves.LayerSize(6), c.layer6);
            EXPECT_EQ(waves.LayerSize(7), c.layer6);
        }
        const std::vector<int> distance = StepDistances(model, 6, 6);
        for (int layer = 1; layer < waves.LayerCount(); ++layer) {
            for (int i = 0; i < waves.LayerSize(layer); ++i) {
                const RoutePoint p = waves.Layer(layer)[i];
                EXPECT_EQ(distance[p.row * kGridSize + p.column], layer)
                    << "layer " << layer << " holds " << p.row << "," << p.column;
            }
        }
    }
}

TEST(RouteSearch, UnreachableTargetsGiveNoRoute) {
    const Picture enclosed = {"", "", "...2", "..2.2", "...2.0"};
    struct Case {
        const char* name;
        int toRow, toColumn;
    };
    const Case cases[] = {
        {"an empty cell walled in by pieces", 5, 5},
        {"an occupied cell", 5, 4},
        {"the start itself", 6, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model = BoardFromPicture(enclosed);
        EXPECT_FALSE(model.FindRoute(6, 7, static_cast<std::int16_t>(c.toRow),
                                     static_cast<std::int16_t>(c.toColumn)));
    }
    EXPECT_FALSE(BoardModel().FindRoute(6, 6, 6, 6)) << "an empty start is no target";
    EXPECT_FALSE(BoardModel().IsPlayable(-1, 6) || BoardModel().IsPlayable(6, 13))
        << "off the grid";
    // On the square, no cell outside the 9 x 9 middle is ever reached.
    BoardModel model = OnePieceAtTheCentre(false);
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            if (!model.IsPlayable(row, column)) {
                EXPECT_FALSE(model.FindRoute(6, 6, static_cast<std::int16_t>(row),
                                             static_cast<std::int16_t>(column)))
                    << row << "," << column;
            }
        }
    }
}

// The longest shortest route a search over crowded crosses found.
TEST(RouteSearch, ALongRouteOnACrowdedBoardIsWholeAndShortest) {
    const Picture board = {"####0....####", "####0.00.####", "##0.0..0...##", "##0..0..00.##",
                           "...0..0..0...", ".0.00..0..00.", ".0...0..0..0.", "..000..0..0..",
                           "0..00.0..0...", "##..0...00.##", "##0..0.0...##", "####..0..####",
                           "####0...0####"};
    BoardModel model = BoardFromPicture(board);
    ASSERT_EQ(StepDistances(model, 2, 2)[6 * kGridSize + 4], 74);
    ASSERT_TRUE(model.FindRoute(2, 2, 6, 4));
    EXPECT_EQ(model.RouteLen(), 75);
    EXPECT_EQ(model.Waves().LayerCount(), 75);
    EXPECT_EQ(model.Route()[0], (RoutePoint{6, 4}));
    EXPECT_EQ(RouteFault(BoardFromPicture(board), model, {2, 2}), "");
}

}  // namespace
