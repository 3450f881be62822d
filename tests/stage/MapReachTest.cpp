// Every exit of the four stages that have one can be reached from the
// stage's start and from where the previous stage's exit puts the player,
// by a player that walks, falls off edges and jumps as the stand-in player
// can (up two cells with a cell of room before the ledge, one cell with
// none; across a gap of three cells, two when landing higher; a body
// shorter than a cell), over the real maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "stage/MapGrid.h"

namespace {

using testing_support::MapGrid;

class Reach {
public:
    explicit Reach(const MapGrid& grid) : g(grid), firstColumn(5), lastColumn(grid.m.width + 4), lastRow(grid.m.height + 4) {}

    // A cell the player can stand in: free, with ground under it.
    bool Standable(int32_t c, int32_t r) const {
        return c >= firstColumn && c <= lastColumn && r >= 0 && r <= lastRow && !g.Solid(c, r) && g.Solid(c, r + 1);
    }

    // Where a body dropped in the column (from row r down) comes to stand;
    // -1 when it falls out of the stage.
    int32_t Land(int32_t c, int32_t r) const {
        if (g.Solid(c, r)) return -1;
        while (r <= lastRow && !g.Solid(c, r + 1)) ++r;
        return r <= lastRow ? r : -1;
    }

    std::vector<std::pair<int32_t, int32_t>> Moves(int32_t c, int32_t r) const {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int32_t d : {-1, 1}) {
            const int32_t n = c + d;
            if (n < firstColumn || n > lastColumn || g.Solid(n, r)) continue;
            const int32_t landed = Land(n, r);
            if (landed >= 0) out.push_back({n, landed});
        }
        if (g.Solid(c, r - 1)) return out;  // no room to jump
        for (int32_t dx = -4; dx <= 4; ++dx) {
            if (dx == 0) continue;
            for (int32_t dy = 2; dy >= -4; --dy) {
                const int32_t tc = c + dx, tr = r - dy;
                if (!Standable(tc, tr)) continue;
                // Across a gap of three cells at the same height or lower,
                // of two when landing higher.
                if (dy >= 1 && std::abs(dx) > 3) continue;
                if (dy >= 1 && g.Solid(c, r - 2)) continue;
                if (dy == 2 && std::abs(dx) < 2) continue;  // the head would meet the ledge
                if (dy >= 1 && g.Solid(tc, tr - 1)) continue;
                // The cells the body crosses between take-off and landing.
                const int32_t top = std::min(r, tr) - 2, bottom = std::min(r, tr);
                bool clear = true;
                for (int32_t k = std::min(c, tc) + 1; k < std::max(c, tc) && clear; ++k)
                    for (int32_t row = top; row <= bottom && clear; ++row) clear = !g.Solid(k, row);
                if (clear) out.push_back({tc, tr});
            }
        }
        return out;
    }

    // Every standable cell reachable from a start cell.
    std::vector<std::pair<int32_t, int32_t>> From(int32_t c, int32_t r) const {
        std::vector<bool> seen(static_cast<std::size_t>(g.columns * g.rows), false);
        std::vector<std::pair<int32_t, int32_t>> reached;
        std::deque<std::pair<int32_t, int32_t>> queue{{c, r}};
        seen[static_cast<std::size_t>(r * g.columns + c)] = true;
        while (!queue.empty()) {
            const auto [qc, qr] = queue.front();
            queue.pop_front();
            reached.push_back({qc, qr});
            for (const auto& [nc, nr] : Moves(qc, qr)) {
                const std::size_t k = static_cast<std::size_t>(nr * g.columns + nc);
                if (seen[k]) continue;
                seen[k] = true;
                queue.push_back({nc, nr});
            }
        }
        return reached;
    }

    // Whether a player standing there touches an exit cell: the exit wall
    // stands just past the right edge, and its cells reach one unit into
    // the playfield and past their own rows.
    bool TouchesExit(int32_t c, int32_t r) const {
        if (c != lastColumn) return false;
        for (int32_t row : {r, r + 1})
            if (KindOfTypeId(static_cast<int32_t>(g.A(c + 1, row) & kMapCellTypeMask)) == MapObjectKind::RoomExit)
                return true;
        return false;
    }

    const MapGrid& g;
    const int32_t firstColumn, lastColumn, lastRow;
};

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
