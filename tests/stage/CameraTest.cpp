// The camera over the real stages: the ends it reaches on the long runs,
// the centring on stages narrower than the view, the vertical tower, the
// dead zone; and the scroll's spawning on small grid stages.
#include <gtest/gtest.h>

#include <set>
#include <vector>
#include <utility>

#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"
#include "support/Scenario.h"

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
    // With room in the dead zone the camera looks 50 ahead of the way the
    // target faces, on top of its speed.
    Stage()->SetDeadZone(2800, 2000, 1600, 1600);
    struct Look {
        int32_t facing, vx, dx;
    };
    for (const Look& l : {Look{1, 0, 50}, Look{-1, 0, -50}, Look{1, 30, 80}, Look{-1, -30, -80}}) {
        Player()->x = 2400;
        Player()->facing = l.facing;
        Player()->vx = l.vx;
        const int32_t x = Stage()->m_cameraX;
        Stage()->UpdateCamera();
        EXPECT_EQ(Stage()->m_cameraX - x, l.dx) << l.facing << " " << l.vx;
    }
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
    EXPECT_EQ(n.c, 32);  // the first stage's thirty-two enemies
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

// The scrolls nothing in play calls, and the player's edge mask, on a grid
// stage of 40 x 20 cells (16000 x 8000 units) in a 480 x 320 view.
TEST_F(SpawnTest, TheClampedScrollTheSnapsAndThePlayersEdgeMask) {
    GridStage g(40, 20);
    g.m_startX = 2400;
    g.m_startY = 1600;
    g.Start();
    Game()->m_cameraTarget = nullptr;
    const auto camera = [&] { return std::make_pair(g.m_cameraX, g.m_cameraY); };
    ASSERT_EQ(camera(), std::make_pair(0, 0));
    // Clamped: no overshoot at either end, no balancing.
    g.ScrollClamped(-500, -500);
    EXPECT_EQ(camera(), std::make_pair(0, 0));
    g.ScrollClamped(100000, 100000);
    EXPECT_EQ(camera(), std::make_pair(16000 - 4800, 8000 - 3200));
    g.ScrollClamped(-300, -200);
    EXPECT_EQ(camera(), std::make_pair(16000 - 4800 - 300, 8000 - 3200 - 200));
    g.ScrollClamped(-100000, 0);
    EXPECT_EQ(camera(), std::make_pair(0, 8000 - 3200 - 200));
    // The snap to the target puts it 800 from the left, scrolling only right.
    CCharacter* target = Player();
    ASSERT_NE(target, nullptr);
    g.SnapToTarget();  // no target: nothing
    EXPECT_EQ(g.m_cameraX, 0);
    Game()->m_cameraTarget = target;
    target->x = 3000;
    g.SnapToTarget();
    EXPECT_EQ(g.m_cameraX, 2200);
    EXPECT_EQ(target->x, 800);
    target->x = 500;
    g.SnapToTarget();
    EXPECT_EQ(g.m_cameraX, 2200) << "never to the left";
    target->x = 100000;
    g.SnapToTarget();
    EXPECT_EQ(g.m_cameraX, 16000 - 4800) << "up to the right end";
    // The snap to the second target puts it 1150 from the left, only left.
    g.SnapToSecondTarget();  // none: nothing
    EXPECT_EQ(g.m_cameraX, 16000 - 4800);
    auto* limit = new testing_support::ScenarioBody({-10, 10, -10, 10});
    Game()->m_characterList.Add(limit);
    Game()->m_cameraLimitCharacter = limit;
    limit->x = 150;
    g.SnapToSecondTarget();
    EXPECT_EQ(g.m_cameraX, 16000 - 4800 - 1000);
    EXPECT_EQ(limit->x, 1150);
    limit->x = 3000;
    g.SnapToSecondTarget();
    EXPECT_EQ(g.m_cameraX, 16000 - 4800 - 1000) << "never to the right";
    limit->x = -100000;
    g.SnapToSecondTarget();
    EXPECT_EQ(g.m_cameraX, 0) << "down to the left end";
    Game()->m_cameraLimitCharacter = nullptr;

    // The edge mask: the player's body (40 wide, its feet at its position,
    // 20 high) at the view's edges while the camera stands at a stage end.
    struct Edge {
        int32_t cameraX, x, y, facing, flags;
    };
    const Edge edges[] = {
        {0, 20, 1600, 1, 1},          {0, 21, 1600, 1, 0},      {0, 20, 20, 1, 1 | 4},   {0, 21, 21, -1, 0},
        {0, 20, 1600, -1, 1},         {400, 0, 0, 1, 0},        {16000, 4780, 1600, 1, 2}, {16000, 4779, 1600, 1, 0},
        {16000, 4780, 3200, -1, 2 | 8}, {16000, 2400, 3199, 1, 0}, {11200, 4800, 3200, 1, 0},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(testing::Message() << e.cameraX << " " << e.x << "," << e.y << " facing " << e.facing);
        g.m_cameraX = e.cameraX;
        target->x = e.x;
        target->y = e.y;
        target->facing = e.facing;
        EXPECT_EQ(g.GetPlayerEdgeFlags(), e.flags);
    }
    Game()->m_player = nullptr;
    EXPECT_EQ(g.GetPlayerEdgeFlags(), 0);
    Game()->m_player = target;
}

// A player below the view at the bottom of the stage falls out: its life
// goes with the sound of a burst, once, and it is held at 4000.
TEST_F(SpawnTest, APlayerBelowTheBottomOfTheStageFallsOut) {
    GridStage g(20, 10);
    g.m_startX = 2400;
    g.m_startY = 1600;
    g.Start();
    Game()->m_cameraTarget = nullptr;
    CCharacter* player = Player();
    ASSERT_NE(player, nullptr);
    player->y = 4500;
    EXPECT_FALSE(g.CheckFallOut()) << "the camera is not at the bottom";
    g.m_cameraY = 10 * 400 - 3200;
    player->y = 3999;
    EXPECT_FALSE(g.CheckFallOut()) << "still in the view";
    player->y = 4500;
    sounds.clear();
    EXPECT_TRUE(g.CheckFallOut());
    EXPECT_EQ(player->hp, 0);
    EXPECT_EQ(player->pendingState, 120);
    EXPECT_EQ(player->y, 4000);
    EXPECT_EQ(sounds, std::vector<int32_t>{31});
    // Already falling out: no second sound, the fall goes on.
    player->frame = 125;
    player->pendingState = -1;
    EXPECT_TRUE(g.CheckFallOut());
    EXPECT_EQ(player->pendingState, -1);
    player->frame = 230;
    EXPECT_TRUE(g.CheckFallOut());
    EXPECT_EQ(player->pendingState, 120);
    EXPECT_EQ(sounds.size(), 1u);
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
