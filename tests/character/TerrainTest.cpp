// Geometry, gravity, speed, aiming and the view and stage tests.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/GameMain.h"
#include "support/Scenario.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr ScenarioBody::Box kCell = {-200, 200, -200, 200};

ScenarioBody* Solid(Scenario& s, int32_t x, int32_t y, ScenarioBody::Box solid = kCell) {
    return s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{}, solid), x, y);
}

ScenarioBody* Walker(Scenario& s, int32_t x, int32_t y) { return s.Add(std::make_unique<ScenarioBody>(WalkerBody()), x, y); }

}  // namespace

TEST(Terrain, RangesOverlapOnlyWhenTheyShareMoreThanAnEnd) {
    EXPECT_FALSE(RangesOverlap(0, 10, 10, 20));
    EXPECT_FALSE(RangesOverlap(10, 20, 0, 10));
    EXPECT_TRUE(RangesOverlap(0, 10, 9, 20));
    EXPECT_TRUE(RangesOverlap(5, 5, 5, 5));
    EXPECT_TRUE(RangesOverlap(0, 100, 40, 60));
    EXPECT_FALSE(RangesOverlap(0, 10, 20, 30));
    EXPECT_FALSE(RangesOverlap(5, 5, 0, 5));
}

TEST(Terrain, MoveOfNothingOnlyRemembersThePosition) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 1000, 1000);
    w->SetPosition(1200, 900);
    w->Move(0, 0);
    EXPECT_EQ(w->prevX, 1200);
    EXPECT_EQ(w->prevY, 900);
    EXPECT_EQ(w->x, 1200);
    EXPECT_TRUE(w->contacts.empty());
}

TEST(Terrain, SlopedSurfacesAreSampledAtTheBodysX) {
    Scenario s({"...."}, {});
    // A ramp rising to the right: top at -100 on its left, -300 on its right.
    ScenarioBody* ramp = Solid(s, 1000, 1000);
    for (int32_t i = 1; i < ScenarioBody::kRecords; ++i) {
        FrameRecord* r = ramp->frameTable.Find(i);
        r->solidTopLeft = -100;
        r->solidTopRight = -300;
    }
    ScenarioBody* w = Walker(s, 1100, 0);
    // At x 1100 the top is -100 + (-200) * 300 / 400 + 1000 = 750.
    w->y = 750 - WalkerBody().bottom;
    EXPECT_FALSE(w->IsAirborne());
    EXPECT_FALSE(w->OverlapsSolid(ramp));
    w->y += 1;
    EXPECT_TRUE(w->OverlapsSolid(ramp));
    // Left of the ramp the left height holds, right of it the right one.
    w->SetPosition(750, 900 - WalkerBody().bottom);
    EXPECT_FALSE(w->IsAirborne());
    w->SetPosition(1250, 700 - WalkerBody().bottom);
    EXPECT_FALSE(w->IsAirborne());
    // Walking up it the walker climbs.
    w->SetPosition(900, 850 - WalkerBody().bottom);
    ASSERT_FALSE(w->IsAirborne());
    for (int i = 0; i < 4; ++i) w->Move(50, 0);
    EXPECT_EQ(w->x, 1100);
    EXPECT_EQ(w->y, 750 - WalkerBody().bottom);
}

TEST(Terrain, TheWallFlagDecidesCeilingsAndWallsNotFloorsOrPushOut) {
    Scenario s({"...."}, {});
    ScenarioBody* block = Solid(s, 1000, 1000);
    ScenarioBody* w = Walker(s, 1000, 800 - WalkerBody().bottom);
    block->wallSolid = 0;
    EXPECT_TRUE(w->TouchesSolid(4));
    w->SetPosition(1000, 1200 - WalkerBody().top);
    EXPECT_FALSE(w->TouchesSolid(1));
    w->SetPosition(800 - WalkerBody().right, 1000);
    EXPECT_FALSE(w->TouchesSolid(3));
    EXPECT_EQ(w->FirstTouchedSideOf(block), 3) << "the direct test ignores the flag";
    block->wallSolid = 1;
    EXPECT_TRUE(w->TouchesSolid(3));
    w->SetPosition(1000, 1200 - WalkerBody().top);
    EXPECT_TRUE(w->TouchesSolid(1));
    EXPECT_TRUE(w->TouchesAnySolid());

    // Overlapping it, the body is found and pushed out whatever the flag.
    block->wallSolid = 0;
    w->SetPosition(1000, 1150 - WalkerBody().top);
    EXPECT_EQ(w->FindBlockOverlap(), block);
    w->Move(0, -10);
    EXPECT_EQ(w->y, 1200 - WalkerBody().top);
    // A solid flagged not solid is not found.
    block->notSolid = 1;
    w->SetPosition(1000, 1000);
    EXPECT_EQ(w->FindBlockOverlap(), nullptr);
}

TEST(Terrain, RidersAreBodiesStandingOnTheSolid) {
    Scenario s({"...."}, {});
    ScenarioBody* platform = Solid(s, 1000, 1000);
    ScenarioBody* w = Walker(s, 1150, 800 - WalkerBody().bottom);
    EXPECT_TRUE(platform->IsRiderOn(w));
    w->x = 1300;  // the body's left end touches the solid's right end
    EXPECT_FALSE(platform->IsRiderOn(w));
    w->x = 1150;
    w->y += 1;
    EXPECT_FALSE(platform->IsRiderOn(w));
    w->y -= 1;
    // A body counts as absent here only when a pair of its sides is 0.
    w->SetBody({0, 0, -200, 100});
    EXPECT_FALSE(platform->IsRiderOn(w));
    w->SetBody({-100, 0, -200, 100});
    EXPECT_TRUE(platform->IsRiderOn(w));
    EXPECT_FALSE(platform->IsRiderOn(platform));
    EXPECT_FALSE(w->IsRiderOn(platform)) << "a rider needs a solid under it";
}

TEST(Terrain, GravityAddsItsRateWithCarryAndCap) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 1000, 0);
    w->gravityNum = 3;
    w->gravityDen = 2;
    w->maxFall = 100;
    std::vector<int32_t> gains;
    for (int i = 0; i < 4; ++i) {
        const int32_t before = w->vy;
        EXPECT_TRUE(w->ApplyGravity());
        gains.push_back(w->vy - before);
    }
    EXPECT_EQ(gains, (std::vector<int32_t>{1, 2, 1, 2}));
    w->vy = 99;
    w->ApplyGravity();
    EXPECT_EQ(w->vy, 100);
    w->vy = 150;
    w->ApplyGravity();
    EXPECT_EQ(w->vy, 150) << "a speed beyond the cap is left alone";
    w->vy = 98;
    w->ApplyGravityWith(5, 1);
    EXPECT_EQ(w->vy, 100) << "a step that would pass the cap stops on it";

    // Standing: no speed and no carried remainder.
    Solid(s, 1000, 1000);
    w->SetPosition(1000, 800 - WalkerBody().bottom);
    w->vy = 0;
    EXPECT_FALSE(w->ApplyGravity());
    EXPECT_EQ(w->vy, 0);
    EXPECT_EQ(w->gravityAcc, 0);
    // Rising is always airborne.
    w->vy = -1;
    EXPECT_TRUE(w->ApplyGravity());

    EXPECT_FALSE(w->ApplyGravityWith(5, 1));
    EXPECT_EQ(w->gravityNum, 3);
    EXPECT_EQ(w->gravityDen, 2);
}

TEST(Terrain, RatesWithoutADenominatorGiveNoTicks) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 1000, 0);
    w->hoverNum = 3;  // the hover rate starts at 0/0
    EXPECT_EQ(w->HoverTicks(), 0);
    EXPECT_TRUE(w->UpdateHover());
    w->gravityDen = 0;
    EXPECT_EQ(w->GravityTicks(), 0);
}

TEST(Terrain, HoverBobsBackAndForth) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 1000, 1000);
    w->hoverAmplitude = 3;
    w->hoverNum = 1;
    w->hoverDen = 1;
    w->StartHover();
    EXPECT_EQ(w->hoverSpeed, 3);
    EXPECT_EQ(w->hoverDir, -1);
    std::vector<int32_t> speeds;
    for (int i = 0; i < 14; ++i) {
        w->UpdateHover();
        speeds.push_back(w->hoverSpeed);
    }
    EXPECT_EQ(speeds, (std::vector<int32_t>{2, 1, 0, -1, -2, -3, -4, -3, -2, -1, 0, 1, 2, 3}));
    int32_t sum = 0;
    for (int32_t v : speeds) sum += v;
    EXPECT_EQ(w->y, 1000 + sum);
}

TEST(Terrain, AccelerationTowardATargetSpeed) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 0, 0);
    w->vx = -50;
    w->AccelerateX(-30, 5, true, false);
    EXPECT_EQ(w->vx, -50) << "beyond a leftward target, kept";
    w->AccelerateX(-30, 5, true, true);
    EXPECT_EQ(w->vx, -45);
    w->vx = 50;
    w->AccelerateX(30, 5, true, false);
    EXPECT_EQ(w->vx, 50);
    w->AccelerateX(30, 30, true, true);
    EXPECT_EQ(w->vx, 30) << "never past the target";
    w->vx = 0;
    w->facing = -1;
    w->AccelerateXForward(40, 15);
    EXPECT_EQ(w->vx, -15) << "forward is along the facing";
    w->AccelerateXAbsolute(40, 100);
    EXPECT_EQ(w->vx, 40);
    w->vx = -7;
    w->DecelerateX(10);
    EXPECT_EQ(w->vx, 0);
    w->vx = 25;
    w->DecelerateX(10);
    EXPECT_EQ(w->vx, 15);
}

TEST(Terrain, DropToGroundStopsOnTheGroundOrBelowTheStage) {
    Scenario s({"....",
                "....",
                "....",
                "...."},
               {});
    Solid(s, Scenario::CellX(0), Scenario::CellY(3));
    ScenarioBody* w = Walker(s, Scenario::CellX(0), -3000);
    w->DropToGround();
    EXPECT_EQ(w->y, 3 * kTileSize - WalkerBody().bottom);
    EXPECT_FALSE(w->IsAirborne());

    // Nothing below: it ends two cells below the stage's bottom edge.
    ScenarioBody* lost = Walker(s, Scenario::CellX(2), 0);
    lost->DropToGround();
    EXPECT_GT(lost->y, 4 * kTileSize + 2 * kTileSize);
    EXPECT_LE(lost->y, 4 * kTileSize + 2 * kTileSize + 100);
    // The edge moves with the camera.
    s.Stage().cameraY = 1000;
    ScenarioBody* lost2 = Walker(s, Scenario::CellX(2), 0);
    lost2->DropToGround();
    EXPECT_LE(lost2->y, 4 * kTileSize + 2 * kTileSize - 1000 + 100);
    // Without a stage the search gives up after a bounded number of steps;
    // so does a body that is still rising.
    s.Stage().present = false;
    ScenarioBody* noStage = Walker(s, Scenario::CellX(3), 0);
    noStage->DropToGround();
    EXPECT_EQ(noStage->y, 100000);
    s.Stage().present = true;
    ScenarioBody* rising = Walker(s, Scenario::CellX(3), 0);
    rising->vy = -10;
    rising->DropToGround();
    EXPECT_LE(rising->y, 4 * kTileSize + 2 * kTileSize - 1000 + 100);
}

TEST(Terrain, ClampToStageKeepsTheBodyInsideTheStageAndTheView) {
    Scenario s({"................................"}, {});  // 32 cells: wider than the view
    ScenarioBody* w = Walker(s, -500, 0);
    w->SetBody({-50, 150, -200, 100});
    EXPECT_TRUE(w->ClampToStage());
    EXPECT_EQ(w->x, 50);  // left edge at 0
    w->x = 6000;
    w->ClampToStage();
    EXPECT_EQ(w->x, 4800 - 150) << "the right bound is the view's width";
    w->facing = -1;
    w->x = -500;
    w->ClampToStage();
    EXPECT_EQ(w->x, 150);  // mirrored: the body spans x - 150 .. x + 50
    w->x = 6000;
    w->ClampToStage();
    EXPECT_EQ(w->x, 4800 - 50);

    // With the camera moved the bounds are relative to it.
    s.Stage().cameraX = 1000;
    w->facing = 1;
    w->x = -2000;
    w->ClampToStage();
    EXPECT_EQ(w->x, -1000 + 50);
    // Near the stage's right end the stage's edge is the bound.
    s.Stage().cameraX = 32 * kTileSize - 2000;
    w->x = 3000;
    w->ClampToStage();
    EXPECT_EQ(w->x, 2000 - 150);
}

TEST(Terrain, ScreenWindowsAndStageCoordinates) {
    Scenario s({"..........",
                ".........."},
               {});
    ScenarioBody* w = Walker(s, 0, 0);
    auto onScreen = [&](int32_t x, int32_t y) {
        w->SetPosition(x, y);
        return w->IsOnScreen();
    };
    auto near = [&](int32_t x, int32_t y) {
        w->SetPosition(x, y);
        return w->IsNearScreen();
    };
    EXPECT_TRUE(onScreen(-800, -1600));
    EXPECT_TRUE(onScreen(5600, 4800));
    EXPECT_FALSE(onScreen(-801, 0));
    EXPECT_FALSE(onScreen(5601, 0));
    EXPECT_FALSE(onScreen(0, 4801));
    EXPECT_TRUE(near(-2400, -3200));
    EXPECT_TRUE(near(7200, 6400));
    EXPECT_FALSE(near(-2401, 0));
    EXPECT_FALSE(near(0, 6401));

    s.Stage().cameraX = 300;
    s.Stage().cameraY = -100;
    w->SetPosition(100, 200);
    EXPECT_EQ(w->GetStageX(), 400);
    EXPECT_EQ(w->GetStageY(), 100);
    w->SetStageX(1000);
    w->SetStageY(50);
    EXPECT_EQ(w->x, 700);
    EXPECT_EQ(w->y, 150);
    EXPECT_TRUE(w->IsInsideStage());
    w->SetStageX(4000);
    EXPECT_TRUE(w->IsInsideStage()) << "the right edge itself is inside";
    w->SetStageX(4001);
    EXPECT_FALSE(w->IsInsideStage());
    w->SetStageX(0);
    w->SetStageY(-1);
    EXPECT_FALSE(w->IsInsideStage());
}

TEST(Terrain, AimingAndSteering) {
    Scenario s({"...."}, {});
    ScenarioBody* w = Walker(s, 0, 0);
    ScenarioBody* target = Walker(s, 500, 0);
    w->AimAt(target, 100);
    EXPECT_EQ(w->vx, 100);
    EXPECT_EQ(w->vy, 0);
    target->SetPosition(0, -500);
    w->AimAt(target, 70);
    EXPECT_EQ(w->vx, 0);
    EXPECT_EQ(w->vy, -70);

    // Wanted direction half a turn away: turns the short way back (-).
    w->vx = 0;
    w->vy = -100;  // moving up: atan2(0, -100) = pi
    target->SetPosition(0, 500);
    w->SteerToward(target, 100, 0.1);
    EXPECT_EQ(w->vx, static_cast<int32_t>(std::sin(kPi - 0.1) * 100));
    EXPECT_EQ(w->vy, static_cast<int32_t>(std::cos(kPi - 0.1) * 100));
    // A quarter turn away: turns by +0.1.
    w->vx = 0;
    w->vy = 100;
    target->SetPosition(500, 0);
    w->SteerToward(target, 100, 0.1);
    EXPECT_EQ(w->vx, static_cast<int32_t>(std::sin(0.1) * 100));
    EXPECT_EQ(w->vy, static_cast<int32_t>(std::cos(0.1) * 100));
    // Within reach of the turn: straight at it.
    w->SteerToward(target, 100, 2.0);
    EXPECT_EQ(w->vx, 100);
    EXPECT_EQ(w->vy, 0);
    // No target: straight ahead along the facing.
    w->facing = -1;
    w->vx = 0;
    w->vy = 100;
    w->SteerToward(nullptr, 50, 3.0);
    EXPECT_EQ(w->vx, -50);
}
