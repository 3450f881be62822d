// The enemy base through a real kind (the kappa on the bank) in a field of
// real blocks: the sleep off screen, hurt and the way home, the defeat with
// its freeze, sound, shakes, payout and fade, and the removal of enemies
// that nothing maps or that are told to go while asleep.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "enemy/CharacterArcher.h"
#include "enemy/CharacterDragon.h"
#include "enemy/CharacterKappa.h"
#include "enemy/EnemyField.h"
#include "framework/Effect.h"
#include "framework/Random.h"
#include "player/CharacterItem.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

constexpr int32_t kBank = 10041;

void ClearShake() {
    CEffect* e = CEffect::GetInstance();
    e->m_shakeFrames = 0;
    e->m_shakeLowY = e->m_shakeHighY = 0;
    e->m_shakeVelocityY = 0;
    e->m_shakeDecay = 0;
}

}  // namespace

TEST(EnemyBase, OffScreenItSleepsUntilSeenButItsDefeatRunsOn) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, kScreenRight + 400);
    ASSERT_NE(kappa, nullptr);
    f.s.Run(50);
    EXPECT_EQ(kappa->frame, EnemyState::Wait) << "no handler, no timers off screen";
    EXPECT_EQ(kappa->stateTimer, 0);
    EXPECT_EQ(kappa->frameTimer, 0);
    EXPECT_EQ(kappa->x, kScreenRight + 400);
    EXPECT_EQ(kappa->y, kStandY);

    // Seen, it faces the player and enters its home state.
    kappa->x = 3000;
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, CCharacterKappa::kStand);
    EXPECT_EQ(kappa->facing, -1);

    // Defeated off screen, it still bursts and fades.
    kappa->x = kScreenRight + 400;
    kappa->SetState(EnemyState::Defeated);
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
    f.s.Run(40);
    EXPECT_FALSE(Listed(kappa));
}

TEST(EnemyBase, AHurtEnemyHangsTwentyFramesThenGoesHomeAndTheNextHitCountsOnceTheFirstHasPassed) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    f.s.Run(25);
    kappa->vx = 40;
    ASSERT_TRUE(kappa->OnHit(15, 50, 1, f.player));
    EXPECT_EQ(kappa->frame, EnemyState::Hurt);
    EXPECT_EQ(kappa->hp, 150);
    EXPECT_EQ(kappa->vx, 0);
    const int32_t y = kappa->y;
    f.s.Run(19);
    EXPECT_EQ(kappa->frame, EnemyState::Hurt);
    EXPECT_EQ(kappa->y, y) << "no gravity while hurt";
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, CCharacterKappa::kStand) << "back through the wait to its home";

    // Re-arming: invulnerable while the attack that hit it still touches it.
    testing_support::ScenarioBody* blade = f.s.Add(
        std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 2000, kStandY);
    blade->SetAttackBox({-300, 300, -300, 300});
    f.s.SetPlayer(blade);
    kappa->OnHit(1, 10, 1, blade);
    EXPECT_EQ(kappa->GetInvulnerable(), 20);
    f.s.Run(2);
    EXPECT_GT(kappa->GetInvulnerable(), 0);
    blade->x = 4000;
    f.s.Run(1);
    EXPECT_EQ(kappa->GetInvulnerable(), 0);
}

TEST(EnemyBase, TheDefeatFreezesEveryoneBurstsWithSoundAndCoinsAndFades) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    CCharacterEnemy* other = f.Make(kBank, 3200);
    f.s.Run(5);
    kappa->OnHit(15, 500, 1, f.player);
    ASSERT_EQ(kappa->frame, EnemyState::Defeated);
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
    const size_t coins = Effects(CCharacterEffect::kDroppedCoin, CCharacterEffect::kDroppedCoin + 23).size();
    EXPECT_GE(coins, 3u);
    EXPECT_LE(coins, 8u);

    // Ten frames of freeze (this one included) for everything of a group.
    const int32_t otherTimer = other->stateTimer;
    EXPECT_EQ(CGameMain::GetInstance()->m_groupFreezeTimer, 9);
    f.s.Run(9);
    EXPECT_EQ(other->stateTimer, otherTimer);
    EXPECT_EQ(kappa->alpha, 255);
    // Then 19 frames of fading, and gone.
    for (int i = 1; i <= 18; ++i) {
        f.s.Run(1);
        EXPECT_EQ(kappa->alpha, 255 - 14 * i);
    }
    EXPECT_NE(other->stateTimer, otherTimer);
    f.s.Run(1);
    EXPECT_EQ(kappa->alpha, 0);
    f.s.Run(1);
    EXPECT_FALSE(Listed(kappa));
}

TEST(EnemyBase, TheBurstWaitsForThePlayersDashToPass) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    f.s.Run(5);
    kappa->OnHit(15, 500, 1, f.player);
    for (int32_t dash = 321; dash <= 324; ++dash) {
        f.player->frame = dash;
        f.s.Run(1);
        EXPECT_EQ(kappa->frame, EnemyState::Defeated) << dash;
    }
    f.player->frame = 325;
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
}

TEST(EnemyBase, ScreenShakesAtTheDefeatFollowTheVibrationSetting) {
    struct Shake {
        int32_t frames, low, high, velocity, decay;
    };
    // NORMAL, STRONG, NONE, MILD: the 110 bounce, then the 111 shake.
    const std::map<int32_t, std::pair<Shake, Shake>> expected = {
        {0, {{6, -3, 3, 100, 0}, {20, -10, 10, 100, 3}}},
        {1, {{6, -3, 3, 100, 0}, {20, -10, 10, 100, 0}}},
        {2, {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}},
        {3, {{6, -3, 3, 100, 0}, {20, -5, 5, 100, 1}}},
    };
    CEffect* e = CEffect::GetInstance();
    for (const auto& [vibration, shakes] : expected) {
        SCOPED_TRACE(vibration);
        Field f;
        CGameMain::GetInstance()->m_vibration = vibration;
        CCharacterEnemy* kappa = f.Make(kBank, 2000);
        ClearShake();
        kappa->vx = 30;
        kappa->SetState(EnemyState::Defeated);
        EXPECT_EQ(kappa->vx, 0);
        EXPECT_EQ(e->m_shakeFrames, shakes.first.frames);
        EXPECT_EQ(e->m_shakeLowY, shakes.first.low);
        EXPECT_EQ(e->m_shakeHighY, shakes.first.high);
        EXPECT_EQ(e->m_shakeVelocityY, shakes.first.velocity);
        ClearShake();
        kappa->SetState(EnemyState::FadeOut);
        EXPECT_EQ(e->m_shakeFrames, shakes.second.frames);
        EXPECT_EQ(e->m_shakeLowY, shakes.second.low);
        EXPECT_EQ(e->m_shakeHighY, shakes.second.high);
        EXPECT_EQ(e->m_shakeVelocityY, shakes.second.velocity);
        EXPECT_EQ(e->m_shakeDecay, shakes.second.decay);
    }
}

// A kind made outside the world, so that only its drops are listed there.
std::unique_ptr<CCharacterEnemy> Loose(int32_t typeId) {
    std::unique_ptr<CCharacterEnemy> e(dynamic_cast<CCharacterEnemy*>(CreateCharacter(typeId)));
    e->x = 2000;
    e->y = kStandY;
    return e;
}

// What one call added to the world, taken out again (into `keep`).
template <class F>
std::vector<CCharacter*> Drops(F call, std::vector<std::unique_ptr<CCharacter>>& keep) {
    std::vector<CCharacter*> before;
    for (int32_t k = 1; k <= World().GetCount(); ++k) before.push_back(World().GetAt(k));
    call();
    std::vector<CCharacter*> out;
    for (int32_t k = static_cast<int32_t>(before.size()) + 1; k <= World().GetCount(); ++k) out.push_back(World().GetAt(k));
    for (CCharacter* c : out) keep.emplace_back(c);
    World().RemoveAll();
    for (CCharacter* c : before) World().Add(c);
    return out;
}

TEST(EnemyBase, CoinsAreTheBaseCountPlusTheRandomPartAndFlyUpAsTheyShould) {
    Field f;
    auto kappa = Loose(kBank);  // 100 % / range 6 / base 3
    std::map<size_t, int> counts;
    for (int i = 0; i < 600; ++i) {
        std::vector<std::unique_ptr<CCharacter>> keep;
        const std::vector<CCharacter*> coins = Drops([&] { kappa->DropCoins(); }, keep);
        ++counts[coins.size()];
        for (CCharacter* c : coins) {
            auto* coin = dynamic_cast<CCharacterEffect*>(c);
            ASSERT_NE(coin, nullptr);
            EXPECT_EQ(coin->frame, CCharacterEffect::kDroppedCoin);
            EXPECT_EQ(coin->GetGold(), 1);
            EXPECT_EQ(coin->attackDirX, coin->vx);
            EXPECT_EQ(coin->attackDirY, coin->vy);
            EXPECT_LE(std::abs(coin->x - kappa->x), 30);
            EXPECT_LE(std::abs(coin->y - kappa->y), 30);
            EXPECT_LE(std::abs(coin->vx), 20);
            EXPECT_GE(coin->vy, -120);
            EXPECT_LE(coin->vy, -80);
        }
    }
    EXPECT_EQ(counts.size(), 6u) << "3 to 8 coins, each count seen";
    EXPECT_EQ(counts.begin()->first, 3u);
    EXPECT_EQ(counts.rbegin()->first, 8u);

    // A kind that pays nothing, and a chance below 100.
    auto archer = Loose(11050);
    std::vector<std::unique_ptr<CCharacter>> keep;
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(Drops([&] { archer->DropCoins(); }, keep).empty());
    kappa->coinChance = 30;
    int dropped = 0;
    for (int i = 0; i < 1000; ++i) dropped += !Drops([&] { kappa->DropCoins(); }, keep).empty();
    EXPECT_GT(dropped, 240);
    EXPECT_LT(dropped, 360);
}

TEST(EnemyBase, AtMostOneItemAndTheHeartIsTriedFirst) {
    Field f;
    auto kappa = Loose(kBank);
    std::vector<std::unique_ptr<CCharacter>> keep;
    auto tally = [&](int runs) {
        std::map<int32_t, int> made;
        for (int i = 0; i < runs; ++i) {
            const std::vector<CCharacter*> items = Drops([&] { kappa->DropItem(); }, keep);
            EXPECT_LE(items.size(), 1u);
            for (CCharacter* item : items) {
                EXPECT_NE(dynamic_cast<CCharacterItem*>(item), nullptr);
                EXPECT_EQ(item->x, kappa->x);
                EXPECT_EQ(item->y, kappa->y);
                EXPECT_EQ(item->vx, 0);
                EXPECT_EQ(item->vy, -70);
                EXPECT_EQ(item->attackDirY, -70);
                ++made[item->typeId];
            }
        }
        return made;
    };
    // 10 % hearts, nothing else.
    std::map<int32_t, int> made = tally(1000);
    EXPECT_EQ(made.size(), 1u);
    EXPECT_GT(made[CCharacterEnemy::kHeart], 60);
    EXPECT_LT(made[CCharacterEnemy::kHeart], 140);

    // A heart in 10 %, a spirit in the other 90 %.
    kappa->secondItemChance = 100;
    made = tally(1000);
    EXPECT_GT(made[CCharacterEnemy::kHeart], 60);
    EXPECT_LT(made[CCharacterEnemy::kHeart], 140);
    EXPECT_EQ(made[CCharacterEnemy::kHeart] + made[CCharacterEnemy::kSpirit], 1000);

    // While the player flies from a catapult: the launched forms, and the
    // coins' launched state.
    f.player->launched = true;
    made = tally(200);
    EXPECT_EQ(made[CCharacterEnemy::kLaunchedHeart] + made[CCharacterEnemy::kLaunchedSpirit], 200);
    EXPECT_GT(made[CCharacterEnemy::kLaunchedHeart], 0);
    for (CCharacter* coin : Drops([&] { kappa->DropCoins(); }, keep))
        EXPECT_EQ(coin->frame, CCharacterEffect::kDroppedCoinLaunched);
}

TEST(EnemyBase, AnIdThatMapsNoVariantRemovesItselfAndNoStateReachesPastTheTable) {
    Field f;
    auto* unmapped = f.s.Add(std::make_unique<CCharacterKappa>(), 2000, kStandY);
    unmapped->SetTypeId(10045);
    EXPECT_EQ(unmapped->homeState, 0);
    f.s.Run(2);
    EXPECT_FALSE(Listed(unmapped));

    for (int32_t state : {-7, 449, 450, 5000, 1 << 30}) {
        SCOPED_TRACE(state);
        CCharacterEnemy* kappa = f.Make(kBank, 2000);
        f.s.Run(1);
        kappa->SetState(state);
        f.s.Run(2);
        EXPECT_FALSE(Listed(kappa)) << "a state outside the table leads to removal";
    }
}

TEST(EnemyBase, AnEnemyToldToGoWhileAsleepIsRemovedAndTheLastPlayerAimIsDropped) {
    Field f;
    // The spawner's dragon goes once it is off screen.
    auto* dragon = f.Make<CCharacterDragon>(11073, 3000, 1000);
    f.s.Run(3);
    EXPECT_TRUE(Listed(dragon));
    EXPECT_EQ(dragon->presenceMode, CCharacterEnemy::kRemoveOffScreen);
    dragon->x = kScreenLeft - 100;
    f.s.Run(1);
    EXPECT_FALSE(Listed(dragon));

    // An asleep enemy cleared away (as a boss clears the room) is gone too.
    CCharacterEnemy* kappa = f.Make(kBank, kScreenRight + 1000);
    f.s.Run(2);
    f.player->target = kappa;
    f.player->grabbedObject = kappa;
    kappa->SetState(EnemyState::Remove);
    f.s.Run(1);
    EXPECT_FALSE(Listed(kappa));
    EXPECT_EQ(f.player->target, nullptr);
    EXPECT_EQ(f.player->grabbedObject, nullptr);
}
