// Bodies that start a move already inside terrain (a changed body, a bob or
// a push put them there): each leaves the solid it is in the shortest way and
// moves only its own step, instead of being pushed back along a whole row or
// column of blocks. And the drifter whose bob dips into the floor, without
// the ground check of its drift.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "enemy/CharacterKarakasa.h"
#include "enemy/EnemyField.h"
#include "support/Scenario.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

namespace {

constexpr int32_t kStone = 20529;  // a full stone cell

// The karakasa's drifter with nothing but its bob and its speed: no check
// that takes it back out of the ground after the bob.
class BareDrifter : public CCharacterKarakasa {
public:
    void UpdateAction250() override {
        TouchAttack();
        if (frame == 250 || frame == 251) UpdateHover();
        vx = facing * 10;
    }
};

}  // namespace

TEST(TerrainPushOut, ABodyAlreadyInsideTerrainLeavesItTheShortestWayAndMovesOnlyItsOwnStep) {
    // A ceiling (0..400), a floor (1600..2000) and a wall standing on the
    // floor (x 2000..2400, y 800..1600), all of stone. The walker's body is
    // 200 wide and 300 tall, its feet 100 under its position: it stands on
    // the floor at y 1500.
    struct Case {
        const char* what;
        int32_t x, y, dx, dy;
        int32_t wantX, wantY;
    };
    const Case cases[] = {
        {"10 into the floor, drifting left", 1000, 1510, -10, 0, 990, 1500},
        {"10 into the floor, drifting right", 1000, 1510, 10, 0, 1010, 1500},
        {"10 into the floor at a joint of two blocks", 1200, 1510, 30, 0, 1230, 1500},
        {"6 into the floor, rising 4", 1000, 1506, 0, -4, 1000, 1500},
        {"20 into the ceiling, sinking 10", 1000, 580, 0, 10, 1000, 600},
        {"20 into the ceiling, moving along it", 1000, 580, 50, 0, 1050, 600},
        {"6 into the wall's face, rising 40", 1906, 1200, 0, -40, 1900, 1160},
        {"6 into the wall's face, falling 40", 1906, 1200, 0, 40, 1900, 1240},
        // A step that enters a solid from free space ends against its face.
        {"free, walking into the wall", 1800, 1200, 150, 0, 1900, 1200},
        {"free, falling onto the floor", 1000, 1450, 0, 80, 1000, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s({"##########",
                    "..........",
                    ".....#....",
                    ".....#....",
                    "##########"},
                   {{'#', kStone}});
        ScenarioBody* body = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), c.x, c.y);
        body->Move(c.dx, c.dy);
        EXPECT_EQ(body->x, c.wantX);
        EXPECT_EQ(body->y, c.wantY);
        EXPECT_EQ(body->FindBlockOverlap(), nullptr) << "inside a block at " << body->x << ", " << body->y;
    }
}

TEST(TerrainPushOut, ADrifterWhoseBobDipsIntoTheFloorDriftsAlongItsTop) {
    using namespace enemy_test;
    Field f(400);
    auto* drifter = f.s.Add(std::make_unique<BareDrifter>(), 2000, kStandY);
    drifter->SetTypeId(10012);
    int32_t lastX = drifter->x;
    int onTheFloor = 0;
    for (int i = 0; i < 150; ++i) {
        f.s.Run(1);
        SCOPED_TRACE(i);
        ASSERT_EQ(drifter->frame / 2 * 2, 250);
        // Never farther than its own drift, and never in the ground.
        EXPECT_LE(std::abs(drifter->x - lastX), 10);
        EXPECT_LE(drifter->y, kStandY);
        EXPECT_EQ(drifter->FindBlockOverlap(), nullptr);
        if (drifter->y == kStandY) ++onTheFloor;
        lastX = drifter->x;
    }
    EXPECT_GT(onTheFloor, 0) << "its bob reached down to the floor";
    // Left all along, at its speed (its first frame enters the drift).
    EXPECT_EQ(drifter->x, 2000 - 149 * 10);
}
