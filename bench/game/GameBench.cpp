// GameBench.cpp: route search, line search and whole random games on the board model.
#include "game/BoardModel.h"
#include "platform/crt/crt.h"
#include "tests/game/BoardPictures.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using gametest::BoardFromPicture;
using gametest::PlayRandomMove;
using gametest::StepDistances;
using gametest::TravelToTarget;

// Full boards without a line: colour (row + 2 x column) mod 6, so FindLine scans every cell
// in every direction and finds nothing.
BoardModel FullBoard(bool cross) {
    BoardModel model;
    model.ClearBoard(cross);
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            model.PutPiece(row, column, (row + 2 * column) % 6);
        }
    }
    return model;
}

struct RouteCase {
    BoardModel model;
    RoutePoint from, to;
};

// One piece in a corner; the target is the far corner, so the waves cover the board.
RouteCase OpenBoard(bool cross) {
    RouteCase c{BoardModel{}, {}, {}};
    c.model.ClearBoard(cross);
    c.from = cross ? RoutePoint{0, 4} : RoutePoint{2, 2};
    c.to = cross ? RoutePoint{12, 8} : RoutePoint{10, 10};
    c.model.PutPiece(c.from.row, c.from.column, 0);
    return c;
}

// A board half full from a seeded random game, with the route between the piece and the
// empty cell that lie farthest apart.
RouteCase ClutteredBoard(bool cross) {
    crt::set_calendar_clock([] { return std::time_t{20240101}; });
    RouteCase c{BoardModel{}, {}, {}};
    c.model.SetShape(cross);
    c.model.NewGame();
    std::mt19937 rng(7);
    const int playable = cross ? 121 : 81;
    while (c.model.FreeCells() > playable / 2 && PlayRandomMove(c.model, rng)) {
        TravelToTarget(c.model);
        c.model.FinishMove();
    }
    int longest = 0;
    for (int from = 0; from < kCellCount; ++from) {
        const int row = from / kGridSize;
        const int column = from % kGridSize;
        if (c.model.Colour(row, column) < 0) {
            continue;
        }
        const std::vector<int> distance = StepDistances(c.model, row, column);
        for (int to = 0; to < kCellCount; ++to) {
            if (distance[to] > longest) {
                longest = distance[to];
                c.from = {static_cast<std::int16_t>(row), static_cast<std::int16_t>(column)};
                c.to = {static_cast<std::int16_t>(to / kGridSize),
                        static_cast<std::int16_t>(to % kGridSize)};
            }
        }
    }
    crt::reset_calendar_clock();
    return c;
}

void RunFindRoute(benchmark::State& state, RouteCase c) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            c.model.FindRoute(c.from.row, c.from.column, c.to.row, c.to.column));
    }
    state.counters["steps"] = c.model.RouteLen() - 1;
}

void BM_FindRoute_EmptySquare(benchmark::State& state) {
    RunFindRoute(state, OpenBoard(false));
}
void BM_FindRoute_EmptyCross(benchmark::State& state) {
    RunFindRoute(state, OpenBoard(true));
}
void BM_FindRoute_ClutteredSquare(benchmark::State& state) {
    RunFindRoute(state, ClutteredBoard(false));
}
void BM_FindRoute_ClutteredCross(benchmark::State& state) {
    RunFindRoute(state, ClutteredBoard(true));
}
// No route: the waves exhaust the whole empty cross before giving up.
void BM_FindRoute_UnreachableCross(benchmark::State& state) {
    RouteCase c = OpenBoard(true);
    c.to = {0, 0};
    RunFindRoute(state, c);
}

void RunFindLine(benchmark::State& state, bool cross) {
    BoardModel model = FullBoard(cross);
    BoardLine line{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.FindLine(line));
    }
}

void BM_FindLine_FullSquare(benchmark::State& state) {
    RunFindLine(state, false);
}
void BM_FindLine_FullCross(benchmark::State& state) {
    RunFindLine(state, true);
}

// Random legal moves from a fresh deal until the board is full; 64 deals in turn.
void RunWholeGame(benchmark::State& state, bool cross) {
    std::time_t seconds = 0;
    crt::set_calendar_clock([&seconds] { return seconds; });
    BoardModel model;
    model.SetShape(cross);
    long moves = 0;
    long games = 0;
    for (auto _ : state) {
        seconds = 1'000'000 + games % 64;
        std::mt19937 rng(static_cast<unsigned>(games % 64));
        model.NewGame();
        while (PlayRandomMove(model, rng)) {
            TravelToTarget(model);
            model.FinishMove();
            ++moves;
        }
        ++games;
    }
    state.counters["moves/game"] = static_cast<double>(moves) / static_cast<double>(games);
    crt::reset_calendar_clock();
}

void BM_WholeGame_Square(benchmark::State& state) {
    RunWholeGame(state, false);
}
void BM_WholeGame_Cross(benchmark::State& state) {
    RunWholeGame(state, true);
}

}  // namespace

BENCHMARK(BM_FindRoute_EmptySquare);
BENCHMARK(BM_FindRoute_EmptyCross);
BENCHMARK(BM_FindRoute_ClutteredSquare);
BENCHMARK(BM_FindRoute_ClutteredCross);
BENCHMARK(BM_FindRoute_UnreachableCross);
BENCHMARK(BM_FindLine_FullSquare);
BENCHMARK(BM_FindLine_FullCross);
BENCHMARK(BM_WholeGame_Square)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeGame_Cross)->Unit(benchmark::kMicrosecond);
