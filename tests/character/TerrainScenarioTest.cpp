// Movement against real blocks of the stage, run through the play frame.
#include <gtest/gtest.h>

#include <memory>

#include "character/CharacterBlock.h"
#include "framework/GameMain.h"
#include "support/Scenario.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

namespace {

// Type ids of the blocks used here.
constexpr int32_t kStone = 20529;         // a full stone cell
constexpr int32_t kOneWay = 21160;        // the one-way border block
constexpr int32_t kClockwise = 20821;     // conveyor, top running right
constexpr int32_t kCounter = 20833;       // conveyor, top running left
constexpr int32_t kDamaging = 21050;      // spikes

// A walker's y when its feet stand on the top of row `row`.
int32_t StandingY(int32_t row) { return row * kTileSize - WalkerBody().bottom; }

ScenarioBody* AddWalker(Scenario& s, int32_t x, int32_t y) {
    auto* w = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), x, y);
    w->falls = true;
    return w;
}

}  // namespace

TEST(TerrainScenario, AFallingBodyLandsExactlyOnTheFloorWithOneContact) {
    Scenario s({"......",
                "......",
                "......",
                "......",
                "######"},
               {{'#', kStone}});
    // From a standstill high above: gravity builds the speed up to the cap.
    ScenarioBody* faller = AddWalker(s, Scenario::CellX(1), 0);
    // Feet 30 units above the floor, falling at 60 (no gravity).
    auto* near = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(4), StandingY(4) - 30);
    near->vy = 60;
    s.Run(1);
    EXPECT_EQ(near->y, StandingY(4));
    EXPECT_EQ(near->vy, 0);
    EXPECT_EQ(near->contacts, std::vector<int32_t>{4});

    s.Run(40);
    EXPECT_EQ(faller->y, StandingY(4));
    EXPECT_EQ(faller->vy, 0);
    EXPECT_EQ(faller->contacts, std::vector<int32_t>{4}) << "one landing, nothing after it";
    EXPECT_FALSE(faller->IsAirborne());
    EXPECT_TRUE(faller->TouchesSolid(4));
    EXPECT_EQ(near->contacts.size(), 1u);
}

TEST(TerrainScenario, AWalkerClimbsAFortyUnitStepAndSettlesOnIt) {
    Scenario s({"......",
                "......",
                "......",
                "......",
                "###..."},
               {{'#', kStone}});
    for (int col = 3; col < 6; ++col) s.AddAt(kStone, Scenario::CellX(col), Scenario::CellY(4) - 40);
    ScenarioBody* w = AddWalker(s, Scenario::CellX(1), StandingY(4));
    w->vx = 100;
    int32_t lowest = w->y;
    w->onUpdate = [&](ScenarioBody& b) { lowest = std::max(lowest, b.y); };
    s.Run(8);
    EXPECT_EQ(w->x, Scenario::CellX(1) + 800);
    EXPECT_EQ(w->y, StandingY(4) - 40) << "standing on the step's top exactly";
    EXPECT_EQ(w->vx, 100) << "a step is no wall";
    EXPECT_TRUE(w->contacts.empty());
    EXPECT_FALSE(w->IsAirborne());
    EXPECT_LE(lowest, StandingY(4)) << "never sank into the floor on the way";
}

TEST(TerrainScenario, AFourHundredUnitWallStopsTheWalker) {
    Scenario s({"......",
                "......",
                "......",
                "....#.",
                "######"},
               {{'#', kStone}});
    ScenarioBody* w = AddWalker(s, Scenario::CellX(1), StandingY(4));
    w->vx = 100;
    s.Run(10);
    // Pushed back to touch the wall's left face.
    EXPECT_EQ(w->x + WalkerBody().right, 4 * kTileSize);
    EXPECT_EQ(w->y, StandingY(4));
    EXPECT_EQ(w->vx, 0);
    ASSERT_FALSE(w->contacts.empty());
    EXPECT_EQ(w->contacts.front(), 3);
    EXPECT_TRUE(w->TouchesSolid(3));
    EXPECT_FALSE(w->TouchesSolid(2));
}

TEST(TerrainScenario, AWalkerSticksToTheGroundGoingDownAndFallsOffAHighLedge) {
    Scenario s({"........",
                "........",
                "........",
                "........",
                "###....."},
               {{'#', kStone}});
    // A floor 200 lower to the right of the first, and a gap after it with
    // a floor 400 lower still.
    for (int col = 3; col < 5; ++col) s.AddAt(kStone, Scenario::CellX(col), Scenario::CellY(4) + 200);
    for (int col = 5; col < 8; ++col) s.AddAt(kStone, Scenario::CellX(col), Scenario::CellY(4) + 600);

    ScenarioBody* w = AddWalker(s, Scenario::CellX(2), StandingY(4));
    w->vx = 100;
    bool leftTheGround = false;
    w->onUpdate = [&](ScenarioBody& b) {
        // Between the first and the second floor the walker never leaves the
        // ground: the step down happens inside the move.
        if (b.x <= Scenario::CellX(4) && b.IsAirborne()) leftTheGround = true;
    };
    s.Run(3);
    EXPECT_EQ(w->y, StandingY(4) + 200);
    s.Run(3);
    EXPECT_FALSE(leftTheGround);
    EXPECT_EQ(w->y, StandingY(4) + 200);

    // Off the end of the second floor nothing lies within 280 units: the
    // walker keeps its height for that move, then falls.
    while (!w->IsAirborne()) s.Run(1);
    EXPECT_EQ(w->y, StandingY(4) + 200);
    w->vx = 0;
    s.Run(20);
    EXPECT_EQ(w->y, StandingY(4) + 600);
    EXPECT_FALSE(w->IsAirborne());
}

TEST(TerrainScenario, OneWayBlocksAreFloorsButNeitherCeilingsNorWalls) {
    Scenario s({"......",
                "..o...",
                "......",
                "...#..",
                "oooooo"},
               {{'o', kOneWay}, {'#', kStone}});
    // Stood on from above: a floor for landing, standing and the contact
    // test.
    ScenarioBody* top = AddWalker(s, Scenario::CellX(1), 0);
    ScenarioBody* under = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(2), 0);
    s.Run(30);
    EXPECT_EQ(top->y, StandingY(4));
    EXPECT_FALSE(top->IsAirborne());
    EXPECT_TRUE(top->TouchesSolid(4));

    // From below and from the sides it is not bumped: no ceiling and no
    // wall for the contact tests, where a stone block is both.
    auto at = [&](int32_t x, int32_t y) { under->SetPosition(x, y); };
    at(Scenario::CellX(2), 2 * kTileSize - WalkerBody().top);  // head at the one-way block's underside
    EXPECT_FALSE(under->TouchesSolid(1));
    at(Scenario::CellX(3), 4 * kTileSize - WalkerBody().top);  // head at the stone block's underside
    EXPECT_TRUE(under->TouchesSolid(1));
    at(2 * kTileSize - WalkerBody().right, Scenario::CellY(1));  // right side at the one-way block
    EXPECT_FALSE(under->TouchesSolid(3));
    at(3 * kTileSize - WalkerBody().right, Scenario::CellY(3));  // right side at the stone block
    EXPECT_TRUE(under->TouchesSolid(3));
    at(3 * kTileSize - WalkerBody().left, Scenario::CellY(1));  // left side at the one-way block
    EXPECT_FALSE(under->TouchesSolid(2));
    at(4 * kTileSize - WalkerBody().left, Scenario::CellY(3));  // left side at the stone block
    EXPECT_TRUE(under->TouchesSolid(2));

    // Move still pushes a body out of it from every side.
    at(Scenario::CellX(2), 2 * kTileSize - WalkerBody().top + 50);
    under->vy = -100;
    s.Run(1);
    EXPECT_EQ(under->y, 2 * kTileSize - WalkerBody().top);
    EXPECT_EQ(under->contacts.back(), 1);
}

TEST(TerrainScenario, AMovingSolidCarriesItsRider) {
    Scenario s({"......",
                "......",
                "......",
                "......",
                "......"},
               {});
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    // A platform with no body (it moves through everything) and a solid
    // cell; each frame it carries its riders by its speed, then moves.
    auto* platform = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{}, ScenarioBody::Box{-200, 200, -200, 200}),
                           Scenario::CellX(1), Scenario::CellY(3));
    platform->vx = 20;
    platform->onUpdate = [&world](ScenarioBody& p) { p.CarryRiders(&world); };
    ScenarioBody* rider = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(1), StandingY(3));
    ScenarioBody* bystander = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(4), StandingY(3));
    ASSERT_TRUE(platform->IsRiderOn(rider));
    s.Run(10);
    EXPECT_EQ(rider->x, Scenario::CellX(1) + 200);
    EXPECT_EQ(rider->y, StandingY(3));
    EXPECT_TRUE(platform->IsRiderOn(rider));
    EXPECT_EQ(bystander->x, Scenario::CellX(4));

    // Rising, it lifts the rider with it.
    platform->vx = 0;
    platform->vy = -10;
    s.Run(10);
    EXPECT_EQ(rider->x, Scenario::CellX(1) + 200);
    EXPECT_EQ(rider->y, StandingY(3) - 100);
    EXPECT_FALSE(rider->IsAirborne());
    EXPECT_TRUE(platform->IsRiderOn(rider));
    EXPECT_EQ(bystander->y, StandingY(3));
}

TEST(TerrainScenario, ConveyorsMoveThePlayerStandingOnThem) {
    Scenario s({"......",
                "......",
                "......",
                "......",
                "#>##<#"},
               {{'#', kStone}, {'>', kClockwise}, {'<', kCounter}});
    ScenarioBody* right = AddWalker(s, Scenario::CellX(1), StandingY(4));
    s.SetPlayer(right);
    s.Run(5);
    EXPECT_EQ(right->x, Scenario::CellX(1) + 50);
    EXPECT_EQ(right->y, StandingY(4));

    // Only the player rides a conveyor.
    ScenarioBody* other = AddWalker(s, Scenario::CellX(4), StandingY(4));
    ScenarioBody* left = AddWalker(s, Scenario::CellX(4), StandingY(4));
    s.SetPlayer(left);
    s.Run(5);
    EXPECT_EQ(left->x, Scenario::CellX(4) - 50);
    EXPECT_EQ(other->x, Scenario::CellX(4));
}

TEST(TerrainScenario, ADamagingTileHurtsACharacterOfAnyGroup) {
    Scenario s({"......",
                "......",
                "......",
                "......",
                "#^^^^#"},
               {{'#', kStone}, {'^', kDamaging}});
    std::vector<ScenarioBody*> bodies;
    for (int32_t group : {1, 2, 0x40, static_cast<int32_t>(0x80000000u), 0}) {
        ScenarioBody* b = AddWalker(s, Scenario::CellX(1 + static_cast<int32_t>(bodies.size()) % 4), 0);
        b->group = group;
        b->hp = b->hpMax = 100000;
        bodies.push_back(b);
    }
    s.SetPlayer(bodies[0]);
    s.Run(20);
    for (ScenarioBody* b : bodies) {
        // They landed on the tiles (floors for everyone) ...
        EXPECT_EQ(b->y, StandingY(4)) << "group " << b->group;
        // ... and every one with a group bit was hurt there.
        if (b->group != 0) {
            EXPECT_EQ((100000 - b->hp) % 300, 0) << "group " << b->group;
            EXPECT_LT(b->hp, 100000) << "group " << b->group;
            EXPECT_EQ(b->frame, 10) << "group " << b->group;
        } else {
            EXPECT_EQ(b->hp, 100000) << "group 0 is never hit";
        }
    }
    EXPECT_TRUE(s.Sounds().empty()) << "a non-lethal hit of kind 15 is silent";

    // A hit that takes the last hit points is lethal, with the hit sound.
    bodies[0]->hp = 300;
    s.Run(2);
    EXPECT_EQ(bodies[0]->hp, 0);
    EXPECT_EQ(bodies[0]->frame, 110);
    EXPECT_FALSE(s.Sounds().empty());
    for (int32_t slot : s.Sounds()) EXPECT_EQ(slot, 24);
}

TEST(TerrainScenario, AConveyorCarriesThePlayerRoundEachOfItsFaces) {
    // One conveyor cell (800..1200 both ways); the player (a walker that
    // does not fall) touches one face; its move in one frame.
    struct Row {
        const char* what;
        int32_t id, x, y, dx, dy;
    };
    const Row rows[] = {
        {"clockwise, on top", kClockwise, 1000, 700, 10, 0},
        {"clockwise, on top, off the right end", kClockwise, 1295, 700, 11, 0},
        {"clockwise, against the left face", kClockwise, 700, 1000, 0, -10},
        {"clockwise, up the left face over the top", kClockwise, 700, 705, 10, -10},
        {"clockwise, underneath", kClockwise, 1000, 1400, -10, 0},
        {"clockwise, against the right face", kClockwise, 1300, 1000, 0, 10},
        {"counter, on top", kCounter, 1000, 700, -10, 0},
        {"counter, on top, off the left end", kCounter, 705, 700, -11, 0},
        {"counter, against the right face", kCounter, 1300, 1000, 0, -10},
        {"counter, up the right face over the top", kCounter, 1300, 705, -10, -10},
        {"counter, underneath", kCounter, 1000, 1400, 10, 0},
        {"counter, against the left face", kCounter, 700, 1000, 0, 10},
        {"clockwise, not touching", kClockwise, 1000, 500, 0, 0},
    };
    for (const Row& r : rows) {
        Scenario s({"......", "......", "..c...", "......", "......"}, {{'c', r.id}});
        auto* player = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), r.x, r.y);
        s.SetPlayer(player);
        s.Run(1);
        EXPECT_EQ(player->x - r.x, r.dx) << r.what;
        EXPECT_EQ(player->y - r.y, r.dy) << r.what;
    }
}
