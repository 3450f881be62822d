// The compiled stage maps against what the stages need of them: sizes, the
// fixed cells, ids the factory makes and of the kinds each layer may hold,
// empty flag bits, a backdrop without holes, and ground under every place a
// stage or a scene puts the player.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "character/Character.h"
#include "character/CharacterBackground.h"
#include "character/CharacterBlock.h"
#include "character/CreateCharacter.h"
#include "maps/StageMaps.h"
#include "stage/MapTypeIds.h"
#include "stage/StageMap.h"
#include "stage/MapGrid.h"

namespace {

using testing_support::MapGrid;

struct IdRange {
    int32_t first, last;
};

struct StageExpectations {
    const char* name;
    int32_t width, height, cellsPerLayer;
    std::vector<IdRange> a, b, c;
    int32_t count[3];  // the cells each layer holds
    bool counted;      // whether the layers hold the table's ids and counts yet
};

// Sizes, the ids of each layer and how many cells each holds, as the stage
// table gives them.
const std::vector<StageExpectations>& Expected() {
    static const std::vector<StageExpectations> table = {
        {"1_1", 150, 8, 2880, {{20064, 20073}, {20882, 20882}, {20885, 20885}, {20887, 20887}, {24590, 24590}},
         {{30020, 30078}, {30571, 30571}},
         {{11050, 11051}, {11060, 11061}, {11070, 11071}, {11080, 11081}, {11090, 11091}}, {383, 1520, 32}, true},
        {"1_2", 150, 8, 2880, {{20061, 20073}, {20525, 20536}, {24592, 24592}}, {{30020, 30103}, {30248, 30253}},
         {{10041, 10044}, {11051, 11051}, {11071, 11071}, {11080, 11080}, {11090, 11091}}, {144, 1520, 36}, true},
        {"1_3", 150, 8, 2880, {{20525, 20536}, {24594, 24594}}, {{30248, 30253}}, {{11050, 11071}}, {719, 1520, 23}, true},
        {"1_4", 12, 40, 1100, {{20521, 20537}, {24596, 24596}}, {{30248, 30253}}, {{11072, 11072}}, {239, 588, 1}, true},
        {"1_5", 12, 8, 396, {{20526, 20526}, {20529, 20529}, {21160, 21160}}, {{30170, 30214}}, {{11100, 11100}},
         {44, 170, 1}, true},
        {"1_6", 30, 8, 720, {{20546, 20546}, {20552, 20552}}, {{30248, 30253}}, {}, {96, 320, 0}, true},
        {"1_7", 30, 8, 720, {{20066, 20066}, {20072, 20072}}, {{30046, 30073}}, {}, {72, 360, 0}, true},
        {"1_8", 9, 8, 342, {{20526, 20536}, {21170, 21170}}, {{30248, 30253}}, {}, {76, 110, 0}, true},
    };
    return table;
}

int32_t Columns(const StageMapData& m) { return m.width + 10; }
int32_t Rows(const StageMapData& m) { return m.height + 10; }

StageMapCell Cell(const StageMapCell* layer, const StageMapData& m, int32_t column, int32_t row) {
    return layer[row * Columns(m) + column];
}

int32_t TypeOf(StageMapCell v) { return static_cast<int32_t>(v & kMapCellTypeMask); }

bool InRanges(int32_t id, const std::vector<IdRange>& ranges) {
    for (const IdRange& r : ranges)
        if (id >= r.first && id <= r.last) return true;
    return false;
}

}  // namespace

TEST(StageMaps, SizesMatchTheStageTable) {
    ASSERT_EQ(kStageMapCount, 8);
    for (int i = 0; i < kStageMapCount; ++i) {
        const StageMapData& m = kStageMaps[i];
        const StageExpectations& e = Expected()[static_cast<std::size_t>(i)];
        EXPECT_STREQ(m.name, e.name);
        EXPECT_EQ(m.width, e.width) << e.name;
        EXPECT_EQ(m.height, e.height) << e.name;
        EXPECT_EQ(Columns(m) * Rows(m), e.cellsPerLayer) << e.name;
        EXPECT_NE(m.layerA, nullptr);
        EXPECT_NE(m.layerB, nullptr);
        EXPECT_NE(m.layerC, nullptr);
    }
}

TEST(StageMaps, FixedCellsAreInPlace) {
    auto column = [](int stage, int layer, int32_t col, int32_t r0, int32_t r1, int32_t id) {
        const StageMapData& m = kStageMaps[stage];
        const StageMapCell* cells = layer == 0 ? m.layerA : layer == 1 ? m.layerB : m.layerC;
        for (int32_t r = r0; r <= r1; ++r)
            EXPECT_EQ(Cell(cells, m, col, r), static_cast<StageMapCell>(id)) << m.name << " column " << col << " row " << r;
    };
    // The exit walls.
    column(0, 0, 155, 6, 11, 24590);
    column(1, 0, 155, 6, 10, 24592);
    column(2, 0, 155, 6, 11, 24594);
    column(3, 0, 17, 6, 10, 24596);
    // The spawner of the tower and the boss of the hall.
    column(3, 2, 15, 12, 12, 11072);
    column(4, 2, 15, 11, 11, 11100);
    // The hall's one-way border columns and the pedestal of the last room.
    column(4, 0, 4, 4, 11, 21160);
    column(4, 0, 17, 4, 11, 21160);
    column(7, 0, 9, 10, 11, 21170);
    // The plank bridge of 1-1: three blocks side by side in row 11.
    const StageMapData& forest = kStageMaps[0];
    bool bridge = false;
    for (int32_t c = 0; c + 2 < Columns(forest); ++c)
        bridge = bridge || (Cell(forest.layerA, forest, c, 11) == 20885 && Cell(forest.layerA, forest, c + 1, 11) == 20882 &&
                            Cell(forest.layerA, forest, c + 2, 11) == 20887);
    EXPECT_TRUE(bridge);
    // Only the boss in the hall; the scene rooms bring their own actors.
    for (int stage : {4, 5, 6, 7}) {
        const StageMapData& m = kStageMaps[stage];
        int count = 0;
        for (int32_t i = 0; i < Columns(m) * Rows(m); ++i) count += m.layerC[i] != 0;
        EXPECT_EQ(count, stage == 4 ? 1 : 0) << m.name;
    }
}

TEST(StageMaps, EveryCellNamesWhatTheFactoryMakesAndItsLayerMayHold) {
    for (int i = 0; i < kStageMapCount; ++i) {
        const StageMapData& m = kStageMaps[i];
        const StageExpectations& e = Expected()[static_cast<std::size_t>(i)];
        std::set<int32_t> seen;
        for (int layer = 0; layer < 3; ++layer) {
            const StageMapCell* cells = layer == 0 ? m.layerA : layer == 1 ? m.layerB : m.layerC;
            const std::vector<IdRange>& allowed = layer == 0 ? e.a : layer == 1 ? e.b : e.c;
            for (int32_t k = 0; k < Columns(m) * Rows(m); ++k) {
                const StageMapCell v = cells[k];
                if (v == 0) continue;
                // No flag bits at all: neither the half-cell bits nor 18 to 31.
                EXPECT_EQ(v & ~kMapCellTypeMask, 0u) << m.name << " layer " << layer << " cell " << k;
                const int32_t id = TypeOf(v);
                EXPECT_TRUE(InRanges(id, allowed)) << m.name << " layer " << layer << " holds " << id;
                if (!seen.insert(id * 4 + layer).second) continue;
                std::unique_ptr<CCharacter> made(CreateCharacter(id));
                EXPECT_NE(made, nullptr) << m.name << ": " << id << " makes nothing";
                if (!made) continue;
                // The window-bound layers hold tiles and exits only.
                if (layer == 0 && KindOfTypeId(id) != MapObjectKind::RoomExit) {
                    EXPECT_NE(dynamic_cast<CCharacterBlock*>(made.get()), nullptr) << m.name << ": " << id;
                }
                if (layer == 1) {
                    EXPECT_NE(dynamic_cast<CCharacterBackground*>(made.get()), nullptr) << m.name << ": " << id;
                }
            }
        }
    }
}

TEST(StageMaps, TheBackdropCoversThePlayfieldAndTheRingAroundIt) {
    for (int i = 0; i < kStageMapCount; ++i) {
        const StageMapData& m = kStageMaps[i];
        for (int32_t r = 4; r <= m.height + 5; ++r)
            for (int32_t c = 4; c <= m.width + 5; ++c)
                EXPECT_NE(Cell(m.layerB, m, c, r), 0u) << m.name << " column " << c << " row " << r;
    }
}

// Each layer holds the table's number of cells, and the backdrop of layer B
// fills the ring around the playfield and nothing past it, but for the few
// cells further right that the boss hall and the night forest reach.
TEST(StageMaps, EachLayerHoldsTheTablesCountOfCells) {
    for (int i = 0; i < kStageMapCount; ++i) {
        const StageMapData& m = kStageMaps[i];
        const StageExpectations& e = Expected()[static_cast<std::size_t>(i)];
        if (!e.counted) continue;
        for (int layer = 0; layer < 3; ++layer) {
            const StageMapCell* cells = layer == 0 ? m.layerA : layer == 1 ? m.layerB : m.layerC;
            int32_t count = 0, right = 0, elsewhere = 0;
            for (int32_t r = 0; r < Rows(m); ++r)
                for (int32_t c = 0; c < Columns(m); ++c) {
                    if (Cell(cells, m, c, r) == 0) continue;
                    ++count;
                    const bool inRows = r >= 4 && r <= m.height + 5;
                    right += inRows && c > m.width + 5;
                    elsewhere += !inRows || c < 4;
                }
            EXPECT_EQ(count, e.count[layer]) << m.name << " layer " << layer;
            if (layer == 1) {
                EXPECT_EQ(elsewhere, 0) << m.name;
                EXPECT_EQ(right, e.count[1] - (m.width + 2) * (m.height + 2)) << m.name;
            }
        }
    }
}

TEST(StageMaps, GroundLiesUnderEveryPlaceThePlayerIsPut) {
    struct Place {
        int stage;
        int32_t x, y;  // map position of the feet
        const char* what;
    };
    const std::vector<Place> places = {
        {0, 1000, 2400, "start of 1-1"},
        {1, 1000, 2400, "start of 1-2"},
        {1, 200, 2400, "arrival from 1-1 (the ground's height there)"},
        {2, 1000, 2400, "start of 1-3"},
        {2, 200, 2400, "arrival from 1-2"},
        {3, 1000, 14400, "start of 1-4"},
        {3, 200, 15200, "arrival from 1-3 (12800 lower)"},
        {4, 600, 2400, "start of 1-5"},
        {4, 200, 2800, "arrival from 1-4 (400 lower)"},
        {5, 1000, 2400, "start of 1-6"},
        {5, 2200, 2400, "restart of 1-6"},
        {5, 2400, 800, "clear scene: the player"},
        {5, 1200, -800, "clear scene: lizardman"},
        {5, 1800, -800, "clear scene: lizardman"},
        {5, 3000, -800, "clear scene: lizardman"},
        {5, 3600, -800, "clear scene: lizardman"},
        {6, 1000, 2400, "start of 1-7"},
        {6, 2200, 2400, "restart of 1-7"},
        {6, 4400, 800, "first defeat scene: the player"},
        {6, 1200, -800, "first defeat scene: lizardman"},
        {6, 1800, -800, "first defeat scene: lizardman"},
        {6, 3000, -800, "first defeat scene: lizardman"},
        {6, 3600, -800, "first defeat scene: lizardman"},
        {7, 1000, 2400, "start of 1-8"},
        {7, 2200, 2400, "restart of 1-8"},
        {7, 1300, 2400, "second defeat scene: the player"},
        {7, 2800, 1200, "second defeat scene: lizardman"},
    };
    for (const Place& p : places) {
        const MapGrid grid(kStageMaps[p.stage]);
        // The columns under the body's width (two when it stands across a
        // cell's edge).
        const int32_t c0 = MapGrid::ColumnOf(p.x - 100), c1 = MapGrid::ColumnOf(p.x + 99);
        const int32_t feetRow = MapGrid::RowOf(p.y - 1);
        for (int32_t c = c0; c <= c1; ++c) {
            EXPECT_FALSE(grid.Solid(c, feetRow)) << p.what << ": the body stands inside a block";
            int32_t r = feetRow + 1;
            while (r < grid.rows && !grid.Solid(c, r)) ++r;
            EXPECT_LT(r, grid.m.height + 5) << p.what << ": nothing to land on below (" << p.x << ", " << p.y << ")";
        }
    }
}

TEST(StageMaps, NoEnemyIsPlacedInsideABlock) {
    for (int i = 0; i < kStageMapCount; ++i) {
        const MapGrid grid(kStageMaps[i]);
        for (int32_t r = 0; r < grid.rows; ++r)
            for (int32_t c = 0; c < grid.columns; ++c)
                if (grid.C(c, r) != 0) {
                    EXPECT_FALSE(grid.Solid(c, r)) << grid.m.name << " column " << c << " row " << r;
                }
    }
}

// The archers and lizardmen of the maps are put standing on the ground: the
// cell under each is solid (an archer keeps to the place it is put in, and
// one put over a pit or a drop would shoot from the air).
TEST(StageMaps, ArchersAndLizardmenArePutOnTheGround) {
    const std::set<int32_t> standing = {11050, 11051, 11060, 11061};
    int placed = 0;
    for (int i = 0; i < kStageMapCount; ++i) {
        const MapGrid grid(kStageMaps[i]);
        for (int32_t r = 0; r + 1 < grid.rows; ++r)
            for (int32_t c = 0; c < grid.columns; ++c) {
                if (!standing.count(TypeOf(grid.C(c, r)))) continue;
                ++placed;
                EXPECT_TRUE(grid.Solid(c, r + 1)) << grid.m.name << " column " << c << " row " << r;
            }
    }
    EXPECT_GT(placed, 20);
}
