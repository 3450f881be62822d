// Attack effects: spawning and allegiance, bombs and their fragments, the
// returning shot, refused hits, the chains and the drill, links that go
// while a shot flies, and the shots that leave something behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "player/CharacterRobo.h"
#include "support/Scenario.h"
#include "support/WorldList.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::InStates;
using testing_support::Listed;
using testing_support::World;

namespace {

constexpr int32_t kForestFill = 20069;
constexpr int32_t kEnemyGroup = 2;



ScenarioBody* AddBody(Scenario& s, int32_t x, int32_t y, int32_t group) {
    auto* b = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-200, 200, -200, 200}), x, y);
    b->group = group;
    return b;
}

// A shot of the given state, fired by a body of the given group.
CCharacterAttackEffect* Shot(ScenarioBody* firer, int32_t state, int32_t x, int32_t y, int32_t vx = 0,
                             int32_t vy = 0) {
    return SpawnAttackEffect(firer, state, firer != nullptr ? firer->facing : 1, x, x, y, y, vx, vx, vy, vy);
}

}  // namespace

TEST(SpawnAttackEffect, TakesTheFirersGroupAndHurtsOnlyTheOthers) {
    Scenario s({"........"}, {});
    ScenarioBody* player = AddBody(s, 1000, 400, 1);
    ScenarioBody* enemy = AddBody(s, 1000, 400, kEnemyGroup);
    ScenarioBody* other = AddBody(s, 1000, 400, 1 | 4);
    CCharacterAttackEffect* shot = SpawnAttackEffect(player, 300, -1, 1200, 800, 400, 400, 0, 0, 0, 0);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->group, 1);
    EXPECT_EQ(shot->facing, -1);
    EXPECT_GE(shot->x, 800);
    EXPECT_LE(shot->x, 1200);
    EXPECT_EQ(shot->typeId, 40000);
    EXPECT_EQ(shot->layer, 184);
    EXPECT_FALSE(shot->IsTargetable());
    shot->x = 1000;
    s.Run(1);
    EXPECT_EQ(player->hp, 100);  // never its own side
    EXPECT_EQ(enemy->hp, 50);
    EXPECT_EQ(other->hp, 50);    // a group bit the firer lacks
}

TEST(AttackEffectSetUp, StatesSetTheirTypeIdsScalesAndFallRates) {
    CCharacterAttackEffect wind, orb, bomb, grower, missile;
    wind.SetState(270);
    EXPECT_EQ(wind.typeId, 40020);
    orb.SetState(291);
    EXPECT_EQ(orb.typeId, 40010);
    EXPECT_DOUBLE_EQ(orb.scaleX, 2.0);
    bomb.SetState(450);
    EXPECT_EQ(bomb.maxFall, 200);
    EXPECT_EQ(bomb.gravityNum, 6);
    grower.SetState(550);
    EXPECT_DOUBLE_EQ(grower.scaleX, 0.0);
    EXPECT_EQ(grower.layer, 136);
    missile.SetState(680);
    EXPECT_DOUBLE_EQ(missile.scaleY, 8.0);
}

// --- Bombs -----------------------------------------------------------------------

TEST(Bomb, ABombLandingBurstsIntoEighteenFragmentsWithItsSound) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* bomb = Shot(boss, 450, 1600, 900, 0, 40);
    int frames = 0;
    while (Listed(bomb) && frames < 60) {
        s.Run(1);
        ++frames;
    }
    ASSERT_FALSE(Listed(bomb));
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 47), 1);
    std::map<int32_t, int32_t> kinds;
    for (CCharacter* f : InStates(470, 499)) {
        ++kinds[f->frame];
        EXPECT_EQ(f->group, kEnemyGroup);
        EXPECT_LE(std::abs(f->vx), 40 + 6);
        EXPECT_LE(f->vy, 0);  // thrown up off the ground (or already stopped on it)
    }
    EXPECT_EQ(kinds, (std::map<int32_t, int32_t>{{470, 6}, {480, 6}, {490, 6}}));
}

TEST(Bomb, FragmentsFlyAwayFromTheWallTheBombMet) {
    Scenario s({"#.......", "#.......", "#.......", "#......."}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 3000, 200, kEnemyGroup);
    CCharacterAttackEffect* bomb = Shot(boss, 450, 800, 600, -100, -40);
    s.Run(4);
    ASSERT_FALSE(Listed(bomb));
    const std::vector<CCharacter*> fragments = InStates(470, 499);
    ASSERT_EQ(fragments.size(), 18u);
    for (CCharacter* f : fragments) {
        EXPECT_GE(f->vx, 0);  // all to the right, away from the wall on the left
        EXPECT_LE(f->vx, 40);
    }
}

TEST(Bomb, ADefeatedFallingStoneBurstsWithBothSoundsAnythingElseJustGoes) {
    Scenario s({"........"}, {});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* stone = Shot(boss, 460, 1600, 200);
    stone->SetState(110);
    EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{31, 47}));
    EXPECT_EQ(InStates(470, 499).size(), 18u);
    EXPECT_EQ(stone->frame, 0);
    s.Run(1);
    EXPECT_FALSE(Listed(stone));

    s.ClearSounds();
    CCharacterAttackEffect* shot = Shot(boss, 300, 1600, 200);
    shot->SetState(150);
    EXPECT_TRUE(s.Sounds().empty());
    EXPECT_EQ(shot->frame, 0);
    EXPECT_EQ(InStates(470, 499).size(), 18u);
}

TEST(Bomb, ThePlayersBombShakesExplodesAndThrowsFirePuffs) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
    ScenarioBody* player = AddBody(s, 200, 200, 1);
    CCharacterAttackEffect* bomb = Shot(player, CCharacterAttackEffect::kThrownBomb, 1600, 900, 0, 20);
    int frames = 0;
    while (bomb->frame == CCharacterAttackEffect::kThrownBomb && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(bomb->frame, 232);
    EXPECT_EQ(bomb->vy, 0);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 17), 1);
    EXPECT_GE(CEffect::GetInstance()->m_shakeFrames, 59);
    s.Run(3);
    const std::vector<CCharacter*> puffs = InStates(CCharacterEffect::kExplosionPuff, CCharacterEffect::kExplosionPuff + 9);
    EXPECT_EQ(puffs.size(), 3u);
    for (CCharacter* p : puffs) {
        EXPECT_LE(std::abs(p->x - bomb->x), 200);
        EXPECT_DOUBLE_EQ(p->scaleX, 2.0);
    }
    s.Run(20);
    EXPECT_FALSE(Listed(bomb));
}

// --- Shots -------------------------------------------------------------------------

TEST(ReturningShot, VanishesInTheFrameItsSpeedFirstExceedsItsLimit) {
    Scenario s({"............"}, {});
    ScenarioBody* kappa = AddBody(s, 2000, 200, kEnemyGroup);
    kappa->facing = 1;
    CCharacterAttackEffect* dish = Shot(kappa, CCharacterAttackEffect::kReturningShot, 2200, 200, 60, 0);
    dish->attackDirX = 100;
    // It slows by 2 a frame, turns round and comes back faster.
    int frames = 0;
    while (Listed(dish) && frames < 200) {
        EXPECT_LE(std::abs(dish->vx), 100);
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(frames, 81);  // 60 - 2 x 81 = -102: the first speed above 100
}

TEST(RefusedHits, EnemyShotsTakeNoDamageAndVanishOnlyToKindEight) {
    Scenario s({"........"}, {});
    ScenarioBody* enemy = AddBody(s, 200, 200, kEnemyGroup);
    ScenarioBody* player = AddBody(s, 3000, 200, 1);
    CCharacterAttackEffect* shot = Shot(enemy, 300, 1600, 200);
    EXPECT_FALSE(shot->OnHit(1, 500, 1, player));
    EXPECT_FALSE(shot->OnHit(2, 500, 1, player));
    EXPECT_EQ(shot->frame, 300);
    EXPECT_EQ(shot->hp, 0);
    EXPECT_FALSE(shot->OnHit(8, 5, 1, player));
    EXPECT_EQ(shot->frame, 0);

    // A falling stone refuses the katana's strikes but breaks to others.
    CCharacterAttackEffect* stone = Shot(enemy, 460, 1600, 200);
    EXPECT_FALSE(stone->OnHit(2, 100, 1, player));
    EXPECT_FALSE(stone->OnHit(3, 100, 1, player));
    EXPECT_EQ(stone->frame, 460);
    EXPECT_TRUE(stone->OnHit(5, 100, 1, player));
    EXPECT_EQ(stone->frame, 0);
    // An arrow is cut down by any hit.
    CCharacterAttackEffect* arrow = Shot(enemy, 710, 1600, 200);
    EXPECT_TRUE(arrow->OnHit(4, 1, 1, player));
    EXPECT_EQ(arrow->frame, 0);
}

TEST(HomingShot, SteersToItsTargetAndBurstsOnIt) {
    Scenario s({"............", "............"}, {});
    ScenarioBody* player = AddBody(s, 400, 400, 1);
    ScenarioBody* enemy = AddBody(s, 3000, 200, kEnemyGroup);
    CCharacterAttackEffect* star = Shot(player, CCharacterAttackEffect::kShuriken, 600, 400, 200, -20);
    star->linksA[0] = enemy;
    int frames = 0;
    while (Listed(star) && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_LT(frames, 60);
    EXPECT_EQ(enemy->hp, 0);  // kind 5, damage 100
    // It leaves a burst of its own picture that swells as it fades.
    const std::vector<CCharacter*> burst = InStates(CCharacterEffect::kAfterimage, CCharacterEffect::kAfterimage);
    ASSERT_FALSE(burst.empty());
    EXPECT_GT(burst.back()->scaleXRate, 0.0);
    EXPECT_EQ(burst.back()->CurrentRecord().textureId, 57);
}

TEST(Missile, LeavesExplosionsTurnedBackAlongItsFlight) {
    Scenario s({"............"}, {});
    ScenarioBody* tank = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* missile = Shot(tank, 680, 1000, 200, 200, 0);
    s.Run(2);
    const std::vector<CCharacter*> puffs = InStates(CCharacterAttackEffect::kExplosion, 589);
    ASSERT_EQ(puffs.size(), 2u);
    EXPECT_NEAR(missile->angle, std::acos(-1.0) / 2, 1e-9);
    EXPECT_NEAR(puffs[0]->angle, missile->angle + std::acos(-1.0), 1e-9);
    EXPECT_EQ(puffs[0]->layer, missile->layer);
    EXPECT_EQ(puffs[0]->group, kEnemyGroup);
}

TEST(Sweep, TheGreatFanFadesInFindsThePlayersBandAndSweeps) {
    Scenario s({"............", "............", "............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 700, 1000, 1);
    s.SetPlayer(player);
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* fan = Shot(boss, 590, 400, 1500);
    fan->facing = 1;
    s.Run(16);
    EXPECT_EQ(fan->alpha, 255);  // 16 a frame, the last step clamped
    EXPECT_EQ(fan->frame, 591);
    s.Run(39);
    EXPECT_EQ(fan->y, 1020);  // 15 a frame into the band from 800 to 1020
    EXPECT_EQ(fan->frame, 591);
    s.Run(1);
    EXPECT_EQ(fan->frame, 593);  // wound up and off at once
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 10), 1);
    const int32_t x = fan->x;
    s.Run(1);
    EXPECT_GT(fan->x, x);
    EXPECT_LT(player->hp, 100);
}

// --- Chains, the drill and links that go --------------------------------------------

namespace {

// A player whose state changes the chains ask for are recorded.
class Thrower : public CCharacterRobo {
public:
    void SetState(int32_t state) override {
        states.push_back(state);
        CCharacterRobo::SetState(state);
    }
    std::vector<int32_t> states;
};

}  // namespace

TEST(Chain, AnchorsOnItsDestinationPullsItsThrowerAndCountsItsHits) {
    Scenario s({"............", "............"}, {});
    Thrower* thrower = s.Add(std::make_unique<Thrower>(), 400, 400);
    thrower->gravityNum = 0;  // it hangs where it threw from
    s.SetPlayer(thrower);
    ScenarioBody* enemy = AddBody(s, 1000, 400, kEnemyGroup);
    CCharacterAttackEffect* chain = SpawnAttackEffect(thrower, CCharacterAttackEffect::kMoveChain, 1, 400, 400, 400,
                                                      400, 300, 300, 0, 0);
    chain->linksA[0] = thrower;
    chain->attackDirX = 2400;
    chain->attackDirY = 500;
    if (FrameRecord* r = chain->frameTable.Find(chain->frame)) r->stateDuration = 6;
    thrower->states.clear();
    s.Run(3);
    EXPECT_EQ(enemy->hp, 0);                // kind 12, damage 100
    EXPECT_EQ(thrower->GetCombo(), 1);      // its hit counts for the thrower
    EXPECT_GT(chain->CurrentRecord().spriteBottom, 7);  // the chain reaches back
    s.Run(3);
    EXPECT_EQ(chain->frame, CCharacterAttackEffect::kMoveChainAnchored);
    EXPECT_EQ(chain->x, 2400);
    EXPECT_EQ(chain->y, 500);
    EXPECT_EQ(chain->vx, 0);
    ASSERT_FALSE(thrower->states.empty());
    EXPECT_EQ(thrower->states.back(), 322);
    EXPECT_EQ(std::count(thrower->states.begin(), thrower->states.end(), 322), 1);
    // Pointing away from the thrower, the chain as long as the distance.
    EXPECT_NEAR(chain->angle, std::atan2(2000.0, -100.0), 1e-9);
    EXPECT_EQ(chain->CurrentRecord().spriteBottom, static_cast<int32_t>(std::hypot(2000.0, 100.0) / 20));
}

TEST(Chain, AChainWhoseThrowerIsGoneGoesToo) {
    Scenario s({"............"}, {});
    Thrower* thrower = s.Add(std::make_unique<Thrower>(), 400, 200);
    CCharacterAttackEffect* chain =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kMoveChain, 1, 400, 400, 200, 200, 100, 100, 0, 0);
    chain->linksA[0] = thrower;
    CCharacterAttackEffect* hook =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kHomingChain, 1, 400, 400, 200, 200, 100, 100, 0, 0);
    hook->linksA[0] = thrower;
    ScenarioBody* enemy = AddBody(s, 3000, 200, kEnemyGroup);
    thrower->target = enemy;
    s.Run(2);
    ASSERT_TRUE(Listed(chain));
    ASSERT_TRUE(Listed(hook));
    EXPECT_GT(hook->vx, 250);  // aimed at the touched enemy at 300
    // The enemy goes: the hook has nothing to hold.
    enemy->alive = 0;
    thrower->target = nullptr;
    s.Run(1);
    EXPECT_FALSE(Listed(hook));
    // The thrower goes mid-flight: the chain does not read through the gone link.
    thrower->alive = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(chain));
    // Arriving without a thrower: no one to pull, it goes at once.
    CCharacterAttackEffect* late = SpawnAttackEffect(nullptr, CCharacterAttackEffect::kMoveChainAnchored, 1, 0, 0, 0,
                                                     0, 0, 0, 0, 0);
    EXPECT_EQ(late->frame, 0);
}

TEST(CirclingShot, SpiralsAboutItsFirerAndGoesWithIt) {
    Scenario s({"............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 2400, 600, 1);
    player->controlled = 1;
    CCharacterAttackEffect* orb = Shot(player, CCharacterAttackEffect::kCircling, 2400, 520, 20, 0);
    orb->linksA[0] = player;
    std::vector<double> radii;
    for (int i = 0; i < 6; ++i) {
        s.Run(1);
        radii.push_back(std::hypot(orb->parentOffsetX, orb->parentOffsetY));
    }
    for (std::size_t i = 1; i < radii.size(); ++i) EXPECT_GT(radii[i], radii[i - 1]);
    EXPECT_EQ(orb->x, player->x + orb->parentOffsetX + orb->vx);
    // Its firer lets go of the controls: it goes.
    player->controlled = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(orb));
    // A firer gone mid-flight: it goes instead of reading through the link.
    player->controlled = 1;
    CCharacterAttackEffect* second = Shot(player, CCharacterAttackEffect::kCircling, 2400, 520, 20, 0);
    second->linksA[0] = player;
    player->alive = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(second));
}

TEST(Drill, TheBlowAddsTheRobosBonusOnlyAndShakesByTheSetting) {
    for (bool robo : {true, false}) {
        Scenario s({"............"}, {});
        CGameMain* game = CGameMain::GetInstance();
        game->m_vibration = 0;
        CEffect::GetInstance()->ResetScreenEffects();
        CEffect::GetInstance()->m_shakeFrames = 0;
        Thrower* player = s.Add(std::make_unique<Thrower>(), 400, 200);
        player->weaponBonus = 50;
        s.SetPlayer(player);
        ScenarioBody* firer = robo ? nullptr : AddBody(s, 400, 200, 1);
        ScenarioBody* enemy = AddBody(s, 1000, 200, kEnemyGroup);
        enemy->hp = enemy->hpMax = 5000;
        CCharacterAttackEffect* drill = SpawnAttackEffect(robo ? static_cast<CCharacter*>(player) : firer,
                                                          CCharacterAttackEffect::kDrill, 1, 1000, 1000, 200, 200, 0,
                                                          0, 0, 0);
        drill->linksA[0] = robo ? static_cast<CCharacter*>(player) : firer;
        s.Run(5);  // 630 -2-> 631 -2-> 632: the blow
        EXPECT_EQ(enemy->hp, robo ? 5000 - 3100 : 5000 - 3000) << robo;
        EXPECT_EQ(player->invulnerableTimer > 0, true) << robo;
        EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0) << robo;
        EXPECT_EQ(robo ? player->GetCombo() : 0, robo ? 1 : 0);
    }
    // No shake when the setting says none.
    Scenario s({"............"}, {});
    CGameMain::GetInstance()->m_vibration = 2;
    CEffect::GetInstance()->ResetScreenEffects();
    CEffect::GetInstance()->m_shakeFrames = 0;
    ScenarioBody* firer = AddBody(s, 400, 200, 1);
    ScenarioBody* enemy = AddBody(s, 1000, 200, kEnemyGroup);
    enemy->hp = enemy->hpMax = 5000;
    CCharacterAttackEffect* drill =
        SpawnAttackEffect(firer, CCharacterAttackEffect::kDrill, 1, 1000, 1000, 200, 200, 0, 0, 0, 0);
    drill->linksA[0] = firer;
    s.Run(5);
    EXPECT_EQ(enemy->hp, 2000);
    EXPECT_EQ(CEffect::GetInstance()->m_shakeFrames, 0);
    CGameMain::GetInstance()->m_vibration = 0;
}
