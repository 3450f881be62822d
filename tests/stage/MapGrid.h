#pragma once
// The compiled stage maps seen as grids, for the map tests: cells by
// column and row, and where layer A is solid (a block whose frame has solid
// width, as the real block classes say).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
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

// Where the ninja gets to over a map, by the moves a player makes with it:
// every move is a hop of two dashes. A touch sends the standing ninja
// dashing in a straight line toward a point in the air (the waypoint); as
// the dash ends, a second touch sends it (its one air dash) down onto the
// floor of the cell it is to stand in, where it takes hold of the floor and
// stands. A dash covers at most 1500 units; the body is 40 units wide and
// 20 tall, so a hop needs its two straight lines clear of every solid cell
// by a small margin. The cells the ninja can stand in are free cells with
// ground under them.
class Reach {
public:
    // A hop: the waypoint of the first dash and the point the second aims
    // at (the target cell's floor under its middle), in map units; down
    // when the second dash goes straight down from where the first ended.
    struct Hop {
        int32_t wx, wy, tx, ty;
        bool down;
    };
    static constexpr int32_t kDashReach = 1500;
    // What a hop plans for: the dash runs on a little past its point, and
    // the second one starts from there.
    static constexpr int32_t kPlannedReach = 1450;
    static constexpr int32_t kOvershoot = 150;
    // Clearance around the body's 40 x 20 units, generous: a dash drifts a
    // little off its line, and one that grazes an edge catches on it.
    static constexpr int32_t kHalfWidth = 50;
    static constexpr int32_t kHeight = 60;

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

    // The feet of a player standing in a cell.
    static int32_t FeetX(int32_t c) { return MapCellX(c); }
    static int32_t FeetY(int32_t r) { return MapCellY(r) + kHalfTile; }

    // Whether the body fits at a map point (its feet).
    bool Clear(int32_t x, int32_t y) const {
        for (int32_t dx : {-kHalfWidth, kHalfWidth})
            for (int32_t dy : {-kHeight, -1})
                if (SolidAt(x + dx, y + dy)) return false;
        return x - kHalfWidth >= 0 && x + kHalfWidth <= g.m.width * kTileSize && y - kHeight >= 0;
    }
    // Whether the body passes along a straight line (both ends included).
    bool ClearLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
        const double len = std::hypot(double(x1 - x0), double(y1 - y0));
        const int32_t steps = std::max(1, static_cast<int32_t>(len / 20));
        for (int32_t i = 0; i <= steps; ++i)
            if (!Clear(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps)) return false;
        return true;
    }

    // The hops from one standable cell to another, the likeliest first (low
    // and straight); none when the ninja cannot make it in one hop. A hop
    // either aims its second dash at the target's floor, or (down) drops
    // straight onto it from above: a dash straight down that falls the rest
    // of the way when it ends short, so any height will do.
    std::vector<Hop> Hops(int32_t c, int32_t r, int32_t tc, int32_t tr) const {
        std::vector<Hop> out;
        const int32_t sx = FeetX(c), sy = FeetY(r), tx = FeetX(tc), ty = FeetY(tr);
        // Where the first dash really ends when aimed at (wx, wy).
        auto end = [&](int32_t wx, int32_t wy, int32_t& ox, int32_t& oy) {
            const double len = std::hypot(double(wx - sx), double(wy - sy));
            if (len > kPlannedReach || len < 1) return false;
            ox = wx + static_cast<int32_t>((wx - sx) * kOvershoot / len);
            oy = wy + static_cast<int32_t>((wy - sy) * kOvershoot / len);
            return ClearLine(sx, sy - 1, ox, oy);
        };
        // A waypoint well clear of the floor first: one skimming it may catch
        // on an edge.
        for (int32_t rise : {300, 500, 700, 100, 900, 1100, 1300, 1500}) {
            const int32_t wy = std::min(sy, ty) - rise;
            int32_t ox = 0, oy = 0;
            for (int32_t k : {2, 1, 3, 0, 4}) {
                const int32_t wx = sx + (tx - sx) * k / 4;
                if (!end(wx, wy, ox, oy)) continue;
                // The second dash must come down onto the floor to take it.
                if (oy > ty - 50 || std::hypot(double(tx - ox), double(ty - oy)) > kPlannedReach) continue;
                // However far past its point the first dash ran, the second
                // clears everything on its way.
                if (ClearLine(ox, oy, tx, ty - 1) && ClearLine(wx, wy, tx, ty - 1)) out.push_back({wx, wy, tx, ty, false});
            }
            // The drop: the first dash aimed short of the point above the
            // target by what it runs on, so that it ends right over it.
            const double len = std::hypot(double(tx - sx), double(wy - sy));
            if (len <= kOvershoot) continue;
            const int32_t wx = tx - static_cast<int32_t>((tx - sx) * kOvershoot / len);
            const int32_t dy = wy - static_cast<int32_t>((wy - sy) * kOvershoot / len);
            if (end(wx, dy, ox, oy) && std::abs(ox - tx) < kHalfTile - 2 * kHalfWidth && oy < ty &&
                ClearLine(ox, oy, ox, ty - 1))
                out.push_back({wx, dy, tx, ty, true});
        }
        return out;
    }

    // The cells one hop away (worked out once per cell).
    const std::vector<std::pair<int32_t, int32_t>>& Moves(int32_t c, int32_t r) const {
        auto [it, fresh] = moves.try_emplace({c, r});
        if (!fresh) return it->second;
        for (int32_t tc = c - 6; tc <= c + 6; ++tc)
            for (int32_t tr = r - 6; tr <= r + 6; ++tr)
                if ((tc != c || tr != r) && Standable(tc, tr) && !Hops(c, r, tc, tr).empty())
                    it->second.push_back({tc, tr});
        return it->second;
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

    // Whether a player standing there touches an exit cell once it dashes
    // against the right edge: the exit wall stands just past it, and its
    // cells reach one unit into the playfield and past their own rows.
    bool TouchesExit(int32_t c, int32_t r) const {
        if (c != lastColumn) return false;
        for (int32_t row : {r, r + 1})
            if (KindOfTypeId(static_cast<int32_t>(g.A(c + 1, row) & kMapCellTypeMask)) == MapObjectKind::RoomExit)
                return true;
        return false;
    }

    const MapGrid& g;
    const int32_t firstColumn, lastColumn, lastRow;

private:
    mutable std::map<std::pair<int32_t, int32_t>, std::vector<std::pair<int32_t, int32_t>>> moves;

    bool SolidAt(int32_t x, int32_t y) const {
        if (x < -2000 || y < -2000) return false;
        return g.Solid((x + 2000) / kTileSize, (y + 2000) / kTileSize);
    }
};

}  // namespace testing_support
