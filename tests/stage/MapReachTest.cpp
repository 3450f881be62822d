// Every exit of the four stages that have one can be reached from the
// stage's start and from where the previous stage's exit puts the player,
// by a player that walks, falls off edges and jumps as the stand-in player
// can (up two cells with a cell of room before the ledge, one cell with
// none; across a gap of three cells, two when landing higher; a body
// shorter than a cell), over the real maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stage/MapGrid.h"

namespace {

using testing_support::MapGrid;
using testing_support::Reach;

struct ExitRun {
    int stage;
    int32_t x, y;  // map position of the feet
    const char* from;
};

}  // namespace

TEST(StageMaps, EveryExitIsReachableFromTheStartAndFromTheArrival) {
    const std::vector<ExitRun> runs = {
        {0, 1000, 2400, "the start of 1-1"},
        {1, 1000, 2400, "the start of 1-2"},
        {1, 200, 2400, "the arrival from 1-1"},
        {2, 1000, 2400, "the start of 1-3"},
        {2, 200, 2400, "the arrival from 1-2"},
        {3, 1000, 14400, "the start of 1-4"},
        {3, 200, 15200, "the arrival from 1-3"},
    };
    for (const ExitRun& run : runs) {
        const MapGrid grid(kStageMaps[run.stage]);
        const Reach reach(grid);
        const int32_t c = MapGrid::ColumnOf(run.x);
        const int32_t r = reach.Land(c, MapGrid::RowOf(run.y - 1));
        ASSERT_GE(r, 0) << run.from << ": nothing to stand on";
        const auto reached = reach.From(c, r);
        const bool exit = std::any_of(reached.begin(), reached.end(),
                                      [&](const auto& cell) { return reach.TouchesExit(cell.first, cell.second); });
        int32_t furthest = 0;
        for (const auto& cell : reached) furthest = std::max(furthest, cell.first);
        EXPECT_TRUE(exit) << "no exit reached from " << run.from << "; the furthest column reached is " << furthest;
    }
}

// The walker itself: it climbs what the stand-in can and no more.
TEST(StageMaps, TheReachWalkerKeepsToTheStandInsJumps) {
    // A hand-made stage: ground, a ledge two cells up with a gap before it,
    // and one three cells up.
    static StageMapCell a[20 * 18] = {};
    const StageMapData map{"test", 10, 8, a, a, a};
    auto block = [&](int32_t c, int32_t r) { a[r * 20 + c] = 20526; };
    for (int32_t c = 0; c < 20; ++c) block(c, 12);
    block(9, 10);   // two up, a gap of one column from column 7
    block(13, 9);   // three up from the ground
    const MapGrid grid(map);
    const Reach reach(grid);
    const auto reached = reach.From(6, 11);
    auto has = [&](int32_t c, int32_t r) {
        return std::find(reached.begin(), reached.end(), std::make_pair(c, r)) != reached.end();
    };
    EXPECT_TRUE(has(9, 9));
    EXPECT_FALSE(has(13, 8));
}
