// The real ninja on the stage gimmicks, through the real play frame: an
// upward spring throws it far higher than it stands, a catapult fires it
// off up and to the right, and spikes hurt it where it lands. The soldier,
// the snow fairy, the crow and the princess stand by in the same field.
//
// With PELLUMBRISK_SHOTS set to a folder, every third frame is drawn through
// the game's own drawing and written there as ride-NNN.png.
#include <gtest/gtest.h>

#include <algorithm>

#include "enemy/CharacterCatapult.h"
#include "enemy/CharacterSpring.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;

namespace {

const std::vector<std::string> kGround = {
    "............", "............", "............", "............",
    "............", "............", "666666666666", "999999999999",
};
constexpr int32_t kGroundTop = 2400;
constexpr int32_t kCellAbove = kGroundTop - 200;  // the centre of a cell on the ground

}  // namespace

TEST(GimmickRide, TheNinjaIsBouncedHighThenFiredOffAndTheSpikesHurtIt) {
    WorldShots shots("ride");
    Scenario s(kGround, {{'6', 20066}, {'9', 20069}}, 3);
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 600, kGroundTop);
    s.SetPlayer(ninja);
    ninja->hp = ninja->hpMax = 3000;
    ninja->SetState(220);
    auto* spring = dynamic_cast<CCharacterSpring*>(s.AddAt(20770, 1400, kCellAbove));
    auto* catapult = dynamic_cast<CCharacterCatapult*>(s.AddAt(20801, 2600, kCellAbove));
    s.AddAt(20780, 4200, kCellAbove);
    // The scene actors and the other kinds, to be seen beside them.
    s.AddAt(101, 3400, kGroundTop - 190);
    s.AddAt(11001, 5000, kGroundTop - 190);
    s.AddAt(10060, 200, kGroundTop - 190);
    s.AddAt(10072, 4400, 600);
    ASSERT_NE(spring, nullptr);
    ASSERT_NE(catapult, nullptr);
    s.beforeFrame = [&](Scenario&) { shots.Frame(); };
    s.Run(10);

    // Onto the spring: thrown up well above a jump's height.
    ninja->x = 1400;
    ninja->airDashes = 0;
    int32_t highest = ninja->y;
    for (int i = 0; i < 60; ++i) {
        s.Run(1);
        highest = std::min(highest, ninja->y);
    }
    EXPECT_LT(highest, kGroundTop - 1200);
    EXPECT_EQ(ninja->airDashes, ninja->airDashesMax);
    // It lets go with its sound (and bounces the ninja again as it comes down).
    EXPECT_GE(std::count(s.Sounds().begin(), s.Sounds().end(), 41), 1);

    // Into the catapult: fired off up and to the right.
    ninja->x = 2600;
    ninja->y = kGroundTop;
    ninja->SetState(220);
    s.Run(2);
    ASSERT_EQ(catapult->frame, 231);
    const int32_t fromX = ninja->x, fromY = ninja->y;
    s.Run(12);
    EXPECT_GT(ninja->x, fromX + 600);
    EXPECT_LT(ninja->y, fromY - 600);

    // Landed on the spikes: hurt.
    s.Run(120);
    ninja->x = 4200;
    ninja->y = kGroundTop;
    ninja->vx = ninja->vy = 0;
    ninja->SetState(220);
    const int32_t hp = ninja->hp;
    s.Run(3);
    EXPECT_LT(ninja->hp, hp);
    s.Run(60);
}
