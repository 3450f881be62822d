// The kappa, the enemy ninja and the living armour on a floor of real
// blocks: the plate thrown and caught, the lurking kappa's leap and its
// sinking back, its grab, the ninja's jump over a wall, the armour's turn,
// and what each throws.
#include <gtest/gtest.h>

#include <algorithm>

#include "enemy/CharacterEnemyNinja.h"
#include "enemy/CharacterKappa.h"
#include "enemy/CharacterLivingArmor.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

// The frame after each of n play frames.
std::vector<int32_t> Trace(Scenario& s, const CCharacter& c, int n) {
    std::vector<int32_t> frames;
    for (int i = 0; i < n; ++i) {
        s.Run(1);
        frames.push_back(c.frame);
    }
    return frames;
}

int IndexOf(const std::vector<int32_t>& v, int32_t x) {
    const auto it = std::find(v.begin(), v.end(), x);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

}  // namespace

TEST(Kappa, ThrowsItsPlateAndCatchesItOnlyOnItsWayBack) {
    // The player far to the left, beyond the plate's reach.
    Field f(-600);
    auto* kappa = f.Make<CCharacterKappa>(10041, 4000);
    f.s.Run(1);
    ASSERT_EQ(kappa->frame, 230);
    EXPECT_EQ(kappa->facing, -1);
    const std::vector<int32_t> before = Trace(f.s, *kappa, 32);
    EXPECT_EQ(IndexOf(before, 231), 19) << "20 frames standing";
    EXPECT_EQ(IndexOf(before, 232), 31) << "12 frames of wind-up";
    CCharacter* plate = kappa->linksB[0];
    ASSERT_NE(plate, nullptr);
    EXPECT_EQ(plate->frame, 310);
    EXPECT_EQ(plate->linksA[0], kappa);
    EXPECT_EQ(plate->attackDirX, 100);
    EXPECT_EQ(plate->prevX - plate->x, 100 - 2) << "thrown at 100, slowed by 2 in its first frame";
    EXPECT_EQ(plate->prevX, kappa->x - 200) << "thrown from 200 before it";
    EXPECT_EQ(plate->prevY, kappa->y + 50);
    EXPECT_EQ(plate->group, kappa->group);

    // It touches the kappa as it leaves, but only its return is caught.
    int32_t caughtAt = -1;
    for (int i = 0; i < 120 && caughtAt < 0; ++i) {
        const bool returning = plate->vx * kappa->facing < 0;
        f.s.Run(1);
        if (kappa->frame == 233) {
            caughtAt = i;
            EXPECT_TRUE(returning);
        }
    }
    ASSERT_GT(caughtAt, 80) << "the plate flew out and came back";
    f.s.Run(1);
    EXPECT_FALSE(Listed(plate));
    EXPECT_EQ(kappa->linksB[0], nullptr);
    f.s.Run(12);
    EXPECT_EQ(kappa->frame, 230);
    // Winding up it stands and falls like the rest of its block.
    f.s.Run(20);
    ASSERT_EQ(kappa->frame, 231);
    kappa->y = kStandY - 100;
    kappa->vx = 20;
    f.s.Run(1);
    EXPECT_GT(kappa->y, kStandY - 100);
    EXPECT_EQ(kappa->vx, 0);
    // A plate at a standstill over the kappa is on neither way: not caught.
    f.s.Run(11);
    ASSERT_EQ(kappa->frame, 232);
    plate = kappa->linksB[0];
    ASSERT_NE(plate, nullptr);
    plate->x = plate->prevX = kappa->x;
    plate->y = plate->prevY = kappa->y;
    plate->vx = 0;
    f.s.Run(1);
    EXPECT_TRUE(Listed(plate));
    EXPECT_EQ(kappa->frame, 232);
    // On its way back, its own box (100 each way) just meeting the kappa's
    // hurt box (150): caught.
    plate->x = plate->prevX = kappa->x - 245;
    plate->y = plate->prevY = kappa->y;
    plate->vx = 20;
    f.s.Run(1);
    EXPECT_FALSE(Listed(plate));
    EXPECT_EQ(kappa->frame, 233);
}

TEST(Kappa, APlateThatIsGoneEndsTheWaitAtOnce) {
    Field f(-600);
    auto* kappa = f.Make<CCharacterKappa>(10041, 4000);
    f.s.Run(33);
    ASSERT_EQ(kappa->frame, 232);
    kappa->linksB[0]->SetState(EnemyState::Remove);  // struck down elsewhere
    f.s.Run(1);
    EXPECT_EQ(kappa->linksB[0], nullptr);
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 233);
}

TEST(Kappa, TheLurkerLeapsAtAPlayerWithinReachThenSinksBackUnder) {
    // The kappa lurks under the floor line (it passes through terrain).
    constexpr int32_t kLurkX = 3000;
    Field f(kLurkX - 1200);
    auto* kappa = f.Make<CCharacterKappa>(10042, kLurkX, 3400);
    f.s.Run(60);
    EXPECT_EQ(kappa->frame, 250) << "1200 away is out of reach";
    EXPECT_EQ(kappa->y, 3400);
    EXPECT_EQ(kappa->homeState, 251);
    f.player->y = -1000;  // however high above
    f.player->x = kLurkX - 1199;
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 251);
    EXPECT_EQ(kappa->y, 3200) << "leapt at 200 a frame";
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{33});
    const std::vector<CCharacterEffect*> splash = Effects(350, 350 + 9);
    ASSERT_EQ(splash.size(), 4u);
    const int32_t vxs[4] = {-10, -5, 5, 10}, lifts[4] = {-60, -70, -70, -60};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(splash[static_cast<size_t>(i)]->vx, vxs[i]);
        EXPECT_EQ(splash[static_cast<size_t>(i)]->vy, lifts[i] + 6) << "after a frame of their fall";
        EXPECT_EQ(splash[static_cast<size_t>(i)]->prevY, 3400 - 200) << "above the water where it leapt";
        EXPECT_EQ(splash[static_cast<size_t>(i)]->facing, kappa->facing);
    }

    // Rises, turns, falls onto the floor and stands.
    f.player->x = kLurkX - 3000;  // out of the plate's way
    f.player->y = kFloor;
    f.s.ClearSounds();
    std::vector<int32_t> t, vys, ys;
    std::vector<std::size_t> splashes;
    int standing = 0;
    for (int i = 0; i < 400; ++i) {
        f.s.Run(1);
        splashes.push_back(Effects(350, 350 + 9).size());
        t.push_back(kappa->frame);
        vys.push_back(kappa->vy);
        ys.push_back(kappa->y);
        // Landed, it keeps turning to the player, who goes round it.
        if (kappa->frame == 253) {
            if (standing == 1) {
                EXPECT_EQ(kappa->facing, 1);
            } else if (standing == 2) {
                EXPECT_EQ(kappa->facing, -1);
            }
            f.player->x = kLurkX + (standing == 0 ? 3000 : -3000);
            ++standing;
        }
    }
    const int dropped = IndexOf(t, 252);
    const int landed = IndexOf(t, 253);
    ASSERT_GT(dropped, 15);
    EXPECT_EQ(vys[static_cast<size_t>(dropped - 1)], 0) << "at the top of its leap it still counts as rising";
    EXPECT_EQ(vys[static_cast<size_t>(dropped)], 10) << "falling once its speed is above 0";
    ASSERT_GT(landed, dropped);
    EXPECT_EQ(IndexOf(t, 255), landed + 32);
    const int sinking = IndexOf(t, 258);
    ASSERT_GT(sinking, landed);
    EXPECT_EQ(vys[static_cast<size_t>(sinking)], -120 + 10) << "back up at 120, a frame of its gravity 10";
    // Jumps back (its first frame already falling toward the water).
    const int under = IndexOf(t, 259);
    ASSERT_GT(under, sinking);
    EXPECT_GE(kappa->y, 3400);
    // It sinks until it is 3400 down or deeper, and stops in the next frame.
    EXPECT_LT(ys[static_cast<size_t>(under - 2)], 3400);
    EXPECT_EQ(ys[static_cast<size_t>(under - 1)], 3400) << "back down to where it lurked";
    EXPECT_EQ(ys[static_cast<size_t>(under + 10)], ys[static_cast<size_t>(under)]) << "and rests there";
    EXPECT_EQ(splashes[static_cast<size_t>(under)], splashes[static_cast<size_t>(under - 2)] + 4)
        << "a splash as it goes under";
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{33}) << "and its sound";
    EXPECT_EQ(IndexOf(t, 250), under + 40);
}

// Sinking, it stops at the water line of 3400 and not above it.
TEST(Kappa, ItsSinkEndsAtTheWaterLine) {
    Field f(-600);
    auto* kappa = f.Make<CCharacterKappa>(10042, 3000, 3400);
    f.s.Run(2);
    kappa->SetState(258);
    EXPECT_EQ(kappa->vy, -120);
    kappa->y = 3390;
    kappa->vy = 0;
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 258) << "10 above the line: on it sinks";
    EXPECT_EQ(kappa->y, 3400);
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 259);
    EXPECT_EQ(kappa->vy, 0);
    EXPECT_EQ(kappa->y, 3400);
}

TEST(Kappa, AKappaHurtAfterItsLeapComesBackRisingNotLurking) {
    Field f(2000);
    auto* kappa = f.Make<CCharacterKappa>(10042, 3000, 3400);
    f.s.Run(2);
    ASSERT_EQ(kappa->frame, 251);
    f.s.Run(3);
    kappa->OnHit(15, 50, 1, f.player);
    EXPECT_EQ(kappa->vy, 0);
    f.s.Run(20);
    // Back in 251 with no speed left, so at once falling.
    EXPECT_EQ(kappa->homeState, 251);
    EXPECT_EQ(kappa->frame, 252);
    const std::vector<int32_t> t = Trace(f.s, *kappa, 30);
    EXPECT_EQ(IndexOf(t, 250), -1);
}

TEST(Kappa, ItsGrabHoldsTheKilledPlayerForAWhileThenItGoesOn) {
    Field f(2200);
    f.player->hp = 100;
    auto* kappa = f.Make<CCharacterKappa>(10041, 2000);
    f.s.Run(2);
    EXPECT_EQ(f.player->frame, 190) << "held by the kappa";
    EXPECT_EQ(f.player->hp, 0);
    EXPECT_EQ(f.player->x, 2000 + 360);
    EXPECT_EQ(f.player->y, kStandY + 170);
    EXPECT_EQ(kappa->frame, 350);
    EXPECT_EQ(kappa->vx, 0);
    EXPECT_EQ(kappa->vy, 0);
    const std::vector<int32_t> t = Trace(f.s, *kappa, 61);
    EXPECT_EQ(IndexOf(t, 230), 59) << "60 frames, then home";
    EXPECT_EQ(kappa->hp, 200);
    EXPECT_EQ(kappa->y, kStandY);
    // The grab itself does not touch its speed: one that grabs on the move
    // goes on moving as it holds.
    kappa->vx = 40;
    kappa->vy = -30;
    kappa->SetState(350);
    EXPECT_EQ(kappa->vx, 40);
    EXPECT_EQ(kappa->vy, -30);
}

TEST(EnemyNinja, JumpsAWallWithoutLeavingItsWalk) {
    // A wall a cell high between the ninja and the player.
    Field f(5600, FloorGrid({"...........#........"}));
    auto* ninja = f.Make<CCharacterEnemyNinja>(10091, 3000);
    f.s.Run(1);
    ASSERT_EQ(ninja->frame, 230);
    EXPECT_EQ(ninja->facing, 1);
    bool jumped = false;
    for (int i = 0; i < 58 && !jumped; ++i) {
        f.s.Run(1);

        if (ninja->x + 190 + 30 < 4400) {
            EXPECT_EQ(ninja->vx, 30) << "walking at 30 short of the wall";
        }
        if (ninja->frame == 234) {
            jumped = true;
            EXPECT_EQ(ninja->stateTimer, i + 1) << "the walk's timer runs on";
            EXPECT_EQ(ninja->vy, -70);
        }
    }
    EXPECT_TRUE(jumped);
    // Over the wall with its walking speed, and on beyond it.
    for (int i = 0; i < 150 && ninja->x < 4800 + 190; ++i) {
        const int32_t before = ninja->frame, timer = ninja->stateTimer;
        f.s.Run(1);
        if (before == 234 && ninja->frame == 230) {
            EXPECT_EQ(ninja->stateTimer, timer + 1) << "landed back in its walk, the timer running on";
        }
        if (ninja->frame == 234 && ninja->x > 4400) {
            EXPECT_EQ(ninja->vx, 30) << "above the wall";
        }
    }
    EXPECT_GE(ninja->x, 4800 + 190);

    // The shuriken, 200 ahead and 40 under its centre, drawn its way.
    ninja->facing = -1;
    ninja->SetState(236);
    const CCharacter* star = World().GetAt(World().GetCount());
    EXPECT_EQ(star->frame, 320);
    EXPECT_EQ(star->x, ninja->x - 200);
    EXPECT_EQ(star->y, ninja->y + 40);
    EXPECT_EQ(star->vx, -80);
    EXPECT_EQ(star->vy, 0);
    EXPECT_EQ(star->facing, -1);
    // Throwing, it stands and turns to the player.
    f.player->x = ninja->x + 1000;
    f.s.Run(1);
    ASSERT_EQ(ninja->frame, 236);
    EXPECT_EQ(ninja->vx, 0);
    EXPECT_EQ(ninja->facing, 1);
}

TEST(EnemyNinja, TheCrimsonOneStandsAndLobsBombs) {
    Field f(400);
    auto* ninja = f.Make<CCharacterEnemyNinja>(10092, 3000);
    f.s.Run(1);
    ASSERT_EQ(ninja->frame, 250);
    const std::vector<int32_t> t = Trace(f.s, *ninja, 60);
    EXPECT_EQ(IndexOf(t, 252), 47);
    EXPECT_EQ(ninja->x, 3000) << "it never walks";
    ninja->SetState(252);
    const std::vector<CCharacterAttackEffect*> bombs = Shots(330);
    ASSERT_FALSE(bombs.empty());
    EXPECT_EQ(bombs.back()->x, 3000 - 200);
    EXPECT_EQ(bombs.back()->y, ninja->y + 40);
    EXPECT_EQ(bombs.back()->vx, -30);
    EXPECT_EQ(bombs.back()->vy, -80);
    EXPECT_EQ(bombs.back()->facing, -1) << "drawn its way";
}

TEST(LivingArmor, TurnsAtAWallInsteadOfJumpingAndStrikesWhereItStands) {
    Field f(4400, FloorGrid({"...........#........"}));
    auto* armour = f.Make<CCharacterLivingArmor>(10121, 3800);
    f.s.Run(1);
    ASSERT_EQ(armour->frame, 230);
    EXPECT_EQ(armour->facing, 1);
    bool turned = false;
    for (int i = 0; i < 50; ++i) {
        f.s.Run(1);
        EXPECT_GE(armour->vy, 0) << "no jump";
        EXPECT_TRUE(armour->vx == 20 * armour->facing || armour->vx == 0) << armour->vx << " (0: stopped by the wall)";
        turned = turned || armour->facing == -1;
    }
    EXPECT_TRUE(turned);
    EXPECT_LE(armour->x + 190, 4400);

    armour->SetState(236);
    const std::vector<CCharacterAttackEffect*> strikes = Shots(340);
    ASSERT_EQ(strikes.size(), 1u);
    EXPECT_EQ(strikes[0]->x, armour->x);
    EXPECT_EQ(strikes[0]->y, armour->y);
    EXPECT_EQ(strikes[0]->facing, armour->facing);
    // The standing armour strikes the same way.
    auto* guard = f.Make<CCharacterLivingArmor>(10122, 2600);
    f.s.Run(1);
    ASSERT_EQ(guard->frame, 250);
    guard->SetState(252);
    ASSERT_EQ(Shots(340).size(), 2u);
    EXPECT_EQ(Shots(340).back()->x, guard->x);
    EXPECT_EQ(Shots(340).back()->y, guard->y);

    auto* jade = f.Make<CCharacterLivingArmor>(10123, 2000);
    f.s.Run(1);
    ASSERT_EQ(jade->frame, 270);
    jade->facing = -1;  // turned from the player for once
    jade->SetState(273);
    const std::vector<CCharacterAttackEffect*> waves = Shots(350);
    ASSERT_EQ(waves.size(), 1u);
    EXPECT_EQ(waves[0]->x, jade->x - 100);
    EXPECT_EQ(waves[0]->y, jade->y + 60);
    EXPECT_EQ(waves[0]->vx, -100);
    EXPECT_EQ(waves[0]->facing, -1) << "drawn its way";
}
