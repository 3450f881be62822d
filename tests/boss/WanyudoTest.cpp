// The wanyudo: the wheel and its eight flames built at the entrance, the
// bouncing with its speed by life fifths and its bursts of splinters per
// struck side (two sides at once in a corner), the clearing that spares
// its own parts, and the finale that sends the flames flying.
#include <gtest/gtest.h>

#include <cmath>

#include "boss/CharacterWanyudo.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

struct WheelFight : SideRoom {
    CCharacterWanyudo* face = nullptr;
    WheelFight() : SideRoom(800, RoomGrid(20, true, true)) {
        face = dynamic_cast<CCharacterWanyudo*>(s.AddAt(CCharacterWanyudo::kFace, 4000, 1600));
    }
    void Begin() { RunUntil([&] { return face->frame == CCharacterWanyudo::kBounce; }, 800); }
    CCharacter* Wheel() const { return face->linksB[0]; }
};

TEST(Wanyudo, TheWheelAndItsFlamesRideOnTheFaceAndTheFlamesStayUpright) {
    WheelFight f;
    f.Begin();
    CCharacter* wheel = f.Wheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->typeId, CCharacterWanyudo::kWheel);
    EXPECT_EQ(wheel->linksA[0], f.face);
    EXPECT_EQ(wheel->layer, f.face->layer - 1);
    for (int32_t i = 0; i < 8; ++i) {
        CCharacter* flame = wheel->linksB[i];
        ASSERT_NE(flame, nullptr) << i;
        EXPECT_EQ(flame->linksA[0], wheel) << i;
        EXPECT_EQ(flame->alpha, 192) << i;
        EXPECT_EQ(flame->parentOffsetX, static_cast<int32_t>(200 * std::sin(i * M_PI / 4))) << i;
    }
    const double spin = wheel->relativeAngle;
    f.s.Run(10);
    EXPECT_NEAR(wheel->relativeAngle - spin, 1.0, 1e-9);
    EXPECT_EQ(wheel->x, f.face->x);
    // On the rim, 400 out at scale 2, and upright.
    CCharacter* flame = wheel->linksB[2];
    const double r = std::hypot(flame->x - wheel->x, flame->y - wheel->y);
    EXPECT_NEAR(r, 400, 2);
    EXPECT_NEAR(flame->angle, 0.0, 1e-9);
}

TEST(Wanyudo, ItBouncesFasterAsItsLifeDropsAndBurstsOnEachStruckSide) {
    WheelFight f;
    f.Begin();
    for (auto [hp, speed] : {std::pair{12000, 30}, {9599, 35}, {7199, 40}, {4799, 45}, {2399, 50}}) {
        f.face->hp = hp;
        EXPECT_EQ(f.face->GetSpeed(), speed) << hp;
    }
    f.face->hp = 12000;
    f.s.Run(1);
    EXPECT_EQ(std::abs(f.face->vx), 30);
    EXPECT_EQ(std::abs(f.face->vy), 30);
    // To the first wall, ceiling or floor: four splinters off it, a shake,
    // a short stop, and away on the other diagonal.
    const int n = f.RunUntil([] { return !Shots(CCharacterWanyudo::kSplinter).empty(); }, 400);
    ASSERT_LT(n, 400);
    EXPECT_EQ(Shots(CCharacterWanyudo::kSplinter).size(), 4u);
    EXPECT_EQ(f.face->frame, CCharacterWanyudo::kSquash);
    EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0);
    f.s.Run(1);
    EXPECT_EQ(f.face->vx, 0);
    f.s.Run(5);
    EXPECT_EQ(f.face->frame, CCharacterWanyudo::kBounce);

    // In the top-left corner two sides at once: eight splinters in a frame,
    // and away down and to the right.
    f.face->x = kTileSize + 250;
    f.face->y = kTileSize + 250;
    f.face->SetFrame(CCharacterWanyudo::kBounce);
    const std::size_t before = Shots(CCharacterWanyudo::kSplinter).size();
    f.s.Run(1);
    EXPECT_EQ(Shots(CCharacterWanyudo::kSplinter).size(), before + 8);
    EXPECT_EQ(f.face->facing, 1);
    EXPECT_EQ(f.face->verticalDirection, 1);
}

TEST(Wanyudo, TheDefeatSparesItsPartsUntilTheFinaleSendsTheFlamesFlying) {
    WheelFight f;
    f.Begin();
    const int32_t wispType = f.s.AddAt(10006, 2000, 1000)->typeId;
    ASSERT_EQ(enemy_test::OfType(wispType).size(), 1u);
    f.face->hp = 10;
    f.face->OnHit(1, 50, 1, f.player);
    f.s.Run(1);
    EXPECT_TRUE(enemy_test::OfType(wispType).empty());
    CCharacter* wheel = f.Wheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 3);  // a tour on the dying wheel
    f.RunUntil([&] { return f.face->frame == CCharacterWanyudo::kFadeOut; }, 400);
    ASSERT_EQ(f.face->frame, CCharacterWanyudo::kFadeOut);
    EXPECT_EQ(wheel->frame, CCharacterWanyudo::kWheelFading);
    for (int32_t i = 0; i < 8; ++i) {
        CCharacter* flame = wheel->linksB[i];
        ASSERT_NE(flame, nullptr);
        EXPECT_EQ(flame->frame, CCharacterWanyudo::kFlameFlying);
        EXPECT_EQ(flame->vx, static_cast<int32_t>(100 * std::sin(i * M_PI / 4))) << i;
        EXPECT_EQ(flame->vy, static_cast<int32_t>(100 * std::cos(i * M_PI / 4))) << i;
    }
}

}  // namespace
