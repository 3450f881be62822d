#pragma once
// The compiled stage maps seen as grids, for the map tests: cells by
// column and row, and where layer A is solid (a block whose frame has solid
// width, as the real block classes say).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "maps/StageMaps.h"
#include "stage/MapTypeIds.h"
#include "stage/StageMap.h"

namespace testing_support {

class MapGrid {
public:
    explicit MapGrid(const StageMapData& map) : m(map), columns(map.width + 10), rows(map.height + 10) {
        solid.assign(static_cast<std::size_t>(columns * rows), false);
        for (int32_t i = 0; i < columns * rows; ++i) {
            const int32_t id = static_cast<int32_t>(map.layerA[i] & kMapCellTypeMask);
            if (KindOfTypeId(id) != MapObjectKind::Block) continue;
            std::unique_ptr<CCharacter> block(CreateCharacter(id));
            solid[static_cast<std::size_t>(i)] =
                block && block->CurrentRecord().solidLeft != block->CurrentRecord().solidRight;
        }
    }
    StageMapCell A(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerA[r * columns + c] : 0; }
    StageMapCell B(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerB[r * columns + c] : 0; }
    StageMapCell C(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerC[r * columns + c] : 0; }
    bool Solid(int32_t c, int32_t r) const { return Inside(c, r) && solid[static_cast<std::size_t>(r * columns + c)]; }
    bool Inside(int32_t c, int32_t r) const { return c >= 0 && c < columns && r >= 0 && r < rows; }

    // Layer cell of a map position.
    static int32_t ColumnOf(int32_t x) { return (x + 2000) / 400; }
    static int32_t RowOf(int32_t y) { return (y + 2000) / 400; }

    const StageMapData& m;
    const int32_t columns, rows;

private:
    std::vector<bool> solid;
};

// A player that walks, falls off edges and jumps as the stand-in player can
// (up two cells, from a cell of room before a ledge or sliding up a wall;
// across a gap of three cells, two when landing higher; its head rising
// three cells; a body shorter than a cell), over a map: the cells it can
// stand in and get to.
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
        // A jump takes the head three cells up: no jumping under a lower
        // ceiling.
        if (g.Solid(c, r - 1) || g.Solid(c, r - 2) || g.Solid(c, r - 3)) return out;
        for (int32_t dx = -4; dx <= 4; ++dx) {
            if (dx == 0) continue;
            for (int32_t dy = 2; dy >= -4; --dy) {
                const int32_t tc = c + dx, tr = r - dy;
                if (!Standable(tc, tr)) continue;
                // Across a gap of three cells at the same height or lower,
                // of two when landing higher.
                if (dy >= 1 && std::abs(dx) > 3) continue;
                // Onto a ledge right beside the take-off only up its wall:
                // under an overhang the head meets it.
                if (dy == 2 && std::abs(dx) < 2) {
                    bool wall = true;
                    for (int32_t row = tr + 1; row <= r && wall; ++row) wall = g.Solid(tc, row);
                    if (!wall) continue;
                }
                // Between take-off and landing the body may slide up a wall
                // no higher than where it lands (and no more than two cells
                // high), but nothing may hang over its way; nothing either
                // over the cell it comes down into.
                const int32_t top = r - 3;
                const int32_t wallTop = std::max(tr + 1, r - 1);
                bool clear = true;
                for (int32_t k = std::min(c, tc) + 1; k < std::max(c, tc) && clear; ++k) {
                    int32_t row = top;
                    while (row <= r && !g.Solid(k, row)) ++row;
                    clear = row > r || row >= wallTop;
                    for (; row <= r && clear; ++row) clear = g.Solid(k, row);
                }
                for (int32_t row = top; row < tr && clear; ++row) clear = !g.Solid(tc, row);
                if (clear) out.push_back({tc, tr});
            }
        }
        return out;
    }

    // Every standable cell reachable from a start cell, in the order they
    // were found, each with the cell it was reached from (itself for the
    // start).
    struct Found {
        std::pair<int32_t, int32_t> cell, from;
    };
    std::vector<Found> Search(int32_t c, int32_t r) const {
        std::vector<bool> seen(static_cast<std::size_t>(g.columns * g.rows), false);
        std::vector<Found> found;
        std::deque<Found> queue{{{c, r}, {c, r}}};
        seen[static_cast<std::size_t>(r * g.columns + c)] = true;
        while (!queue.empty()) {
            const Found f = queue.front();
            queue.pop_front();
            found.push_back(f);
            for (const auto& next : Moves(f.cell.first, f.cell.second)) {
                const std::size_t k = static_cast<std::size_t>(next.second * g.columns + next.first);
                if (seen[k]) continue;
                seen[k] = true;
                queue.push_back({next, f.cell});
            }
        }
        return found;
    }
    std::vector<std::pair<int32_t, int32_t>> From(int32_t c, int32_t r) const {
        std::vector<std::pair<int32_t, int32_t>> cells;
        for (const Found& f : Search(c, r)) cells.push_back(f.cell);
        return cells;
    }
    // The cells of a shortest way from a start cell to the first cell that
    // satisfies goal (start and goal included); empty when there is none.
    template <class Goal>
    std::vector<std::pair<int32_t, int32_t>> PathTo(int32_t c, int32_t r, Goal goal) const {
        const std::vector<Found> found = Search(c, r);
        for (const Found& f : found) {
            if (!goal(f.cell.first, f.cell.second)) continue;
            std::vector<std::pair<int32_t, int32_t>> path{f.cell};
            while (path.back() != std::make_pair(c, r)) {
                for (const Found& g2 : found)
                    if (g2.cell == path.back()) {
                        path.push_back(g2.from);
                        break;
                    }
            }
            std::reverse(path.begin(), path.end());
            return path;
        }
        return {};
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

}  // namespace testing_support
