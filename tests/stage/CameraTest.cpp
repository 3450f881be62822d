// The camera over the real stages: the ends it reaches on the long runs,
// the centring on stages narrower than the view, the vertical tower, the
// dead zone; and the scroll's spawning on small grid stages.
#include <gtest/gtest.h>

#include <set>
#include <vector>
#include <utility>

#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"

using testing_support::CountMapCharacters;
using testing_support::GridStage;
using testing_support::StagePlayTest;

namespace {

class CameraTest : public StagePlayTest {
protected:
    // Holds the camera target at a map position and steps the camera until
    // it stands still; returns the camera.
    std::pair<int32_t, int32_t> SettleWithTargetAt(int32_t mapX, int32_t mapY) {
        CStageData* s = Stage();
        CCharacter* t = Player();
        for (int i = 0; i < 2000; ++i) {
            t->x = mapX - s->m_cameraX;
            t->y = mapY - s->m_cameraY;
            t->vx = 0;
            const int32_t x = s->m_cameraX, y = s->m_cameraY;
            s->UpdateCamera();
            if (s->m_cameraX == x && s->m_cameraY == y) break;
        }
        return {s->m_cameraX, s->m_cameraY};
    }
};

}  // namespace

TEST_F(CameraTest, TheLongRunsScrollFromOneCellBeforeToOneCellPastTheirEnds) {
    Game()->StartStage(266);
    ASSERT_NE(Stage(), nullptr);
    EXPECT_EQ(SettleWithTargetAt(0, 2400), std::make_pair(-400, 0));
    EXPECT_EQ(SettleWithTargetAt(150 * 400, 2400), std::make_pair(55600, 0));
    // Between the ends the target stays at the view's centre, however high.
    EXPECT_EQ(SettleWithTargetAt(20000, 400), std::make_pair(20000 - 2400, 0));
    EXPECT_EQ(Player()->x, 2400);
}

TEST_F(CameraTest, StagesNarrowerThanTheViewAreCentred) {
    Game()->StartStage(273);  // 9 cells: 3600 units in a 4800-unit view
    EXPECT_EQ(SettleWithTargetAt(0, 2400).first, -600);
    EXPECT_EQ(SettleWithTargetAt(3600, 2400).first, -600);
    Game()->StartStage(270);  // 12 cells, as wide as the view: a cell of play each way
    EXPECT_EQ(SettleWithTargetAt(0, 2400).first, -400);
    EXPECT_EQ(SettleWithTargetAt(4800, 2400).first, 400);
}

TEST_F(CameraTest, TheTowerScrollsUpAndDownWithinItsHeight) {
    Game()->StartStage(269);  // 12 x 40
    EXPECT_EQ(SettleWithTargetAt(1000, 15200).second, 40 * 400 - 3200);
    EXPECT_EQ(SettleWithTargetAt(1000, 8000).second, 8000 - 1600);
    EXPECT_EQ(SettleWithTargetAt(1000, 800).second, 0);
}

TEST_F(CameraTest, StartSpawnsTheFirstWindowAndTheWholeObjectLayer) {
    Game()->StartStage(266);
    const testing_support::MapCounts n = CountMapCharacters();
    // Layer C whole; layers A and B only inside the window around the view.
    EXPECT_EQ(n.c, 32);
    EXPECT_GT(n.a, 0);
    EXPECT_GT(n.b, 0);
    EXPECT_LT(n.b, 1520);
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) {
        CCharacter* c = list.GetAt(i);
        if (c->fromLayerA || c->fromLayerB) {
            EXPECT_TRUE(c->IsNearScreen()) << c->mapColumn << "," << c->mapRow;
        }
    }
}

// --- Spawning on grid stages ---------------------------------------------------

namespace {

class SpawnTest : public StagePlayTest {
protected:
    void SetUp() override {
        StagePlayTest::SetUp();
        grid.Fill(grid.b, 0, 49, 0, 49, 30248);
        grid.m_startX = 2400;
        grid.m_startY = 1600;
    }
    // (column, row) of every scenery character in the world.
    std::multiset<std::pair<int32_t, int32_t>> SceneryCells() {
        std::multiset<std::pair<int32_t, int32_t>> cells;
        CCharacterList& list = Game()->m_characterList;
        for (int32_t i = 1; i <= list.GetCount(); ++i)
            if (list.GetAt(i)->fromLayerB) cells.insert({list.GetAt(i)->mapColumn, list.GetAt(i)->mapRow});
        return cells;
    }
    // The cells of the 50 x 50 grid whose centres lie in the spawn window
    // of a camera (9600 units square around the view's centre).
    std::multiset<std::pair<int32_t, int32_t>> WindowCells(int32_t cx, int32_t cy) {
        std::multiset<std::pair<int32_t, int32_t>> cells;
        for (int32_t r = 0; r < 50; ++r)
            for (int32_t c = 0; c < 50; ++c)
                if (MapCellX(c) >= cx - 2400 && MapCellX(c) <= cx + 7200 && MapCellY(r) >= cy - 3200 &&
                    MapCellY(r) <= cy + 6400)
                    cells.insert({c, r});
        return cells;
    }
    int32_t WindowColumns(int32_t cx) {
        int32_t n = 0;
        for (int32_t c = 0; c < 50; ++c) n += MapCellX(c) >= cx - 2400 && MapCellX(c) <= cx + 7200;
        return n;
    }
    GridStage grid{40, 40};
};

}  // namespace

TEST_F(SpawnTest, EachCellOfScrollBringsOneColumnOverTheOldRows) {
    grid.Start();
    Game()->m_cameraTarget = nullptr;  // the test moves the camera itself
    const auto before = SceneryCells();
    EXPECT_EQ(before, WindowCells(grid.m_cameraX, grid.m_cameraY));
    grid.ScrollBy(400, 0);
    const auto after = SceneryCells();
    std::set<int32_t> newColumns;
    int32_t added = 0;
    for (const auto& cell : after)
        if (before.count(cell) == 0) {
            newColumns.insert(cell.first);
            ++added;
        }
    ASSERT_EQ(newColumns.size(), 1u);
    // The column that came into the window, over every row of the window.
    const int32_t rows = static_cast<int32_t>(WindowCells(grid.m_cameraX, grid.m_cameraY).size()) /
                         WindowColumns(grid.m_cameraX);
    EXPECT_EQ(added, rows);
    EXPECT_LE(MapCellX(*newColumns.begin()), grid.m_cameraX + 7200);
    EXPECT_GT(MapCellX(*newColumns.begin()), grid.m_cameraX - 400 + 7200);
}

TEST_F(SpawnTest, ADiagonalScrollMakesNoCellTwice) {
    grid.Start();
    Game()->m_cameraTarget = nullptr;
    grid.ScrollBy(2000, 400);
    grid.ScrollBy(400, 400);
    const auto cells = SceneryCells();
    for (const auto& cell : cells) EXPECT_EQ(cells.count(cell), 1u) << cell.first << "," << cell.second;
    // Everything in the window is there (the cells behind are not yet gone:
    // they leave at their own next update).
    for (const auto& cell : WindowCells(grid.m_cameraX, grid.m_cameraY)) EXPECT_EQ(cells.count(cell), 1u);
}

TEST_F(SpawnTest, TilesLeavingTheWindowRemoveThemselvesAndComeBackOnce) {
    grid.Start();
    Game()->m_cameraTarget = nullptr;
    grid.ScrollBy(4000, 0);
    Game()->m_characterList.UpdateAll();
    EXPECT_EQ(SceneryCells(), WindowCells(grid.m_cameraX, grid.m_cameraY));
    grid.ScrollBy(-4000, 0);
    Game()->m_characterList.UpdateAll();
    EXPECT_EQ(SceneryCells(), WindowCells(grid.m_cameraX, grid.m_cameraY));
}

TEST_F(SpawnTest, CellsAreMadeWhereTheMapPutsThemAndEmptyIdsAreSkipped) {
    GridStage g(20, 8);
    g.At(g.a, 7, 12) = 20526;                      // a block
    g.At(g.a, 8, 12) = 20526 | kMapCellHalfRight;  // half a cell further right
    g.At(g.a, 9, 12) = 20526 | kMapCellHalfDown;   // half a cell lower
    g.At(g.a, 10, 12) = 7;                         // an id that makes nothing
    g.At(g.c, 12, 11) = 11060;                     // a layer C enemy
    g.m_startX = 1000;
    g.m_startY = 2400;
    g.Start();
    CCharacterList& list = Game()->m_characterList;
    int blocks = 0;
    for (int32_t i = 1; i <= list.GetCount(); ++i) {
        CCharacter* c = list.GetAt(i);
        const int32_t mapX = c->x + g.m_cameraX, mapY = c->y + g.m_cameraY;
        if (c->fromLayerA) {
            ++blocks;
            const int32_t dx = c->mapColumn == 8 ? 200 : 0, dy = c->mapColumn == 9 ? 200 : 0;
            EXPECT_EQ(mapX, MapCellX(c->mapColumn) + dx);
            EXPECT_EQ(mapY, MapCellY(c->mapRow) + dy);
        }
        if (c->fromLayerC) {
            EXPECT_EQ(c->typeId, 11060);
            EXPECT_EQ(c->mapColumn, 12);
            EXPECT_EQ(c->mapRow, 11);
        }
    }
    EXPECT_EQ(blocks, 3);
    EXPECT_EQ(CountMapCharacters().c, 1);
}

TEST_F(SpawnTest, LayerCIsMadeColumnByColumnBottomRowFirst) {
    GridStage g(10, 8);
    g.At(g.c, 6, 6) = 11060;
    g.At(g.c, 6, 9) = 11061;
    g.At(g.c, 5, 7) = 11050;
    g.m_startX = 1000;
    g.m_startY = 2400;
    g.Start();
    std::vector<int32_t> order;
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i)
        if (list.GetAt(i)->fromLayerC) order.push_back(list.GetAt(i)->typeId);
    EXPECT_EQ(order, (std::vector<int32_t>{11050, 11061, 11060}));
}

TEST(Parallax, AScrollTakesEachCharactersShareOfIt) {
    CCharacter fixed, half, quarter, pinned;
    half.parallaxMode = 5;
    quarter.parallaxMode = 3;
    pinned.parallaxMode = 9;
    std::vector<int32_t> halfSteps;
    for (int i = 0; i < 4; ++i) {
        const int32_t before = half.x;
        half.ScrollParallax(1, 1);
        halfSteps.push_back(before - half.x);
    }
    EXPECT_EQ(halfSteps, (std::vector<int32_t>{0, 1, 0, 1}));
    EXPECT_EQ(half.y, -2);
    fixed.ScrollParallax(100, -40);
    EXPECT_EQ(fixed.x, -100);
    EXPECT_EQ(fixed.y, 40);
    quarter.ScrollParallax(100, 0);
    EXPECT_EQ(quarter.x, -25);
    EXPECT_EQ(quarter.parallaxRemX, 0);
    quarter.ScrollParallax(-3, 0);
    EXPECT_EQ(quarter.x, -25);
    EXPECT_EQ(quarter.parallaxRemX, -3);
    pinned.ScrollParallax(500, 500);
    EXPECT_EQ(pinned.x, 0);
    EXPECT_EQ(pinned.y, 0);
}
