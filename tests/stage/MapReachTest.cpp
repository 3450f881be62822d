// Every exit of the four stages that have one can be reached from the
// stage's start and from where the previous stage's exit puts the player,
// by the ninja's hops over the real maps: from where it stands, a dash to a
// point in the air and its air dash down onto the floor it is to stand on,
// each dash a straight line of at most 1500 units that no solid cell may
// cross (the walker in MapGrid.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// The walker itself: it gets where the ninja's two dashes get and no
// further.
TEST(StageMaps, TheReachWalkerKeepsToTheNinjasHops) {
    // A hand-made stage 30 x 8 (layer rows 5..12): ground in row 12, a
    // ledge three cells up, a tower six cells high (its top is the
    // playfield's top row) with one cell of ground behind it, then a pit of
    // four cells and one of eight.
    constexpr int32_t kW = 30, kH = 8, kCols = kW + 10;
    static StageMapCell a[kCols * (kH + 10)] = {};
    const StageMapData map{"test", kW, kH, a, a, a};
    auto block = [&](int32_t c, int32_t r) { a[r * kCols + c] = 20526; };
    for (int32_t c = 5; c < 13; ++c) block(c, 12);
    block(8, 9);
    for (int32_t r = 6; r <= 11; ++r) block(11, r);
    for (int32_t c = 17; c < 22; ++c) block(c, 12);
    for (int32_t c = 30; c < 35; ++c) block(c, 12);
    const MapGrid grid(map);
    const Reach reach(grid);
    EXPECT_FALSE(reach.Hops(6, 11, 8, 8).empty()) << "three cells up in one hop";
    EXPECT_TRUE(reach.Hops(6, 11, 11, 5).empty()) << "six cells up is beyond one hop";
    const auto reached = reach.From(6, 11);
    auto has = [&](int32_t c, int32_t r) {
        return std::find(reached.begin(), reached.end(), std::make_pair(c, r)) != reached.end();
    };
    EXPECT_TRUE(has(11, 5)) << "the tower's top by way of the ledge";
    EXPECT_TRUE(has(12, 11)) << "down beside the tower";
    EXPECT_TRUE(has(17, 11)) << "across the pit of four";
    EXPECT_TRUE(has(21, 11));
    EXPECT_FALSE(has(30, 11)) << "a pit of eight is too wide";
    // Each hop the walker takes has both dashes in reach and clear.
    const auto hops = reach.Hops(6, 11, 8, 8);
    ASSERT_FALSE(hops.empty());
    for (const auto& h : hops) {
        EXPECT_LE(std::hypot(h.wx - Reach::FeetX(6), h.wy - Reach::FeetY(11)), Reach::kDashReach);
        EXPECT_LT(h.wy, h.ty) << "the second dash goes down onto the floor";
    }
}
