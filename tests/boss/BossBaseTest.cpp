// The shared fight flow of the bosses: the damage cap, the defeat start and
// what it does to the player, the entrance that holds the player through
// the camera tour, the switch-style defeat's end, the life bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "character/CreateCharacter.h"
#include "framework/Random.h"
#include "stage/EventSpot1.h"
#include "boss/CharacterSilvy.h"
#include "player/CharacterPlayer.h"
#include "boss/BossField.h"
#include "win/SoundManager.h"

namespace {

using namespace boss_test;

constexpr int32_t kSilvyHalf = 190;

// A boss fought as the switch-style bosses are: three frames of entrance,
// then (234) the tour with the music stopped, and once the tour is over the
// fight in 240 with the boss music, both left alone on the quiet maps. Its
// defeat is the explosions and the fall.
class TourBoss : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kTour = 234;
    static constexpr int32_t kFirstAttack = 240;
    using CCharacterEnemyBoss::ClearOtherEnemies;
    using CCharacterEnemyBoss::TryReturnToWait;

    TourBoss() : CCharacterEnemyBoss({11020, 12000, 200000, 136, 6, 255, nullptr}) {
        AllocateHeldRecords(470);
        for (int32_t r : {230, 234, 240}) {
            FrameRecord* rec = frameTable.Find(r);
            rec->bodyLeft = rec->bodyTop = -100;
            rec->bodyRight = rec->bodyBottom = 100;
            rec->hurtLeft = rec->hurtTop = -100;
            rec->hurtRight = rec->hurtBottom = 100;
        }
    }

    void Update() override {
        StepFrame();
        if (frame == EnemyState::Entrance) {
            FacePlayer();
            HoldPlayer();
            if (stateTimer >= 3) SetState(kTour);
        } else if (frame == kTour) {
            FacePlayer();
            HoldPlayer();
            if (!CameraTourRunning()) StartFight(kBossMusic, kFirstAttack, true);
        } else if (frame == EnemyState::Defeated) {
            UpdateDefeatExplosions(500, -110);
        } else if (frame == EnemyState::BossDefeatFall) {
            UpdateDefeatFall();
        }
        Move(vx, vy);
    }

    void SetState(int32_t state) override {
        if (state == kTour) {
            DropToGround();
            StartCameraTour(80);
            if (!IsQuietMap()) StopBossMusic();
        }
        CCharacterEnemyBoss::SetState(state);
    }
};

// A boss of the hook generation: the base's own Update and defeat.
class HookBoss : public CCharacterEnemyBoss {
public:
    HookBoss() : CCharacterEnemyBoss({10080, 5000, 500, 168, 5, 255, nullptr}) {
        AllocateHeldRecords(470);
        frame = EnemyState::Wait;
        homeState = EnemyState::Wait;
    }
};

TEST(BossBase, TheHookStyleDefeatReleasesRingsOfOrbsThenSendsThePlayerOut) {
    BossField f;
    auto* boss = f.s.Add(std::make_unique<HookBoss>(), 3000, 1600);
    f.player->combo = 30;
    const int32_t rate = f.player->GetScoreRate();
    ASSERT_EQ(rate, 130);
    boss->SetState(EnemyState::Defeated);
    // The first frame of the defeat counts 1: no ring; the second one.
    const auto orbs = [] { return enemy_test::Effects(CCharacterEffect::kScoreOrb, CCharacterEffect::kScoreOrb); };
    f.s.Run(1);
    EXPECT_TRUE(orbs().empty());
    f.s.Run(1);
    const auto ring = orbs();
    ASSERT_EQ(ring.size(), 4u);
    // A ring as it leaves (at state timer 6): turned by 0.6, a quarter
    // turn apart, 200 out and moving outward at 200.
    boss->stateTimer = 6;
    boss->ReleaseScoreOrbs();
    const auto fresh = orbs();
    ASSERT_EQ(fresh.size(), 8u);
    for (int k = 0; k < 4; ++k) {
        const double a = 6 * 0.1 + k * M_PI / 2;
        const auto dx = static_cast<int32_t>(std::sin(a) * 200), dy = static_cast<int32_t>(std::cos(a) * 200);
        EXPECT_EQ(fresh[4 + k]->vx, dx) << k;
        EXPECT_EQ(fresh[4 + k]->vy, dy) << k;
        EXPECT_EQ(fresh[4 + k]->x, boss->x + dx) << k;
        EXPECT_EQ(fresh[4 + k]->y, boss->y + dy) << k;
    }
    for (std::size_t k = 4; k < fresh.size(); ++k) fresh[k]->SetState(EnemyState::Remove);
    for (auto* orb : ring) {
        const double r = std::hypot(orb->x - 3000.0, orb->y - 1600.0);
        EXPECT_NEAR(r, 200.0 + std::hypot(orb->vx, orb->vy), 3.0);
        EXPECT_EQ(orb->GetScore(), rate * 500 / 100);
        EXPECT_EQ(orb->GetScoreRate(), rate);
        EXPECT_EQ(orb->attackDirX, 180);
    }
    // It fades by 2 a frame: gone on the 128th frame, and 50 frames later
    // the player leaves the stage while the boss stays, invisible. A second
    // defeat start cries again and counts afresh; the fade goes on.
    f.s.Run(60);
    f.s.ClearSounds();
    const int32_t alpha = boss->alpha;
    boss->SetState(EnemyState::Defeated);
    EXPECT_EQ(std::make_tuple(boss->frame, boss->stateTimer, boss->alpha),
              std::make_tuple(EnemyState::Defeated, 0, alpha));
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
    f.s.Run(65);
    EXPECT_EQ(boss->frame, EnemyState::Defeated);
    EXPECT_EQ(boss->alpha, 1);
    f.s.Run(1);
    EXPECT_EQ(boss->frame, EnemyState::FadeOut);
    EXPECT_EQ(boss->alpha, 0);
    f.s.Run(49);
    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    f.s.Run(1);
    EXPECT_EQ(f.player->frame, PlayerState::StageExit);
    EXPECT_EQ(boss->frame, EnemyState::Gone);
    f.s.Run(30);
    EXPECT_TRUE(testing_support::Listed(boss));
}

TEST(BossBase, AHookStyleBossOffScreenStandsStillButInItsDefeat) {
    BossField f;
    auto* boss = f.s.Add(std::make_unique<HookBoss>(), 20000, 1600);
    boss->vx = 50;
    f.s.Run(10);
    EXPECT_EQ(boss->x, 20000);
    EXPECT_EQ(boss->stateTimer, 0);
    boss->SetState(EnemyState::Defeated);
    f.s.Run(10);
    EXPECT_EQ(boss->stateTimer, 10);
    // Its fade runs off screen too.
    boss->CCharacter::SetState(EnemyState::FadeOut);
    f.s.Run(10);
    EXPECT_EQ(boss->frame, EnemyState::FadeOut);
    EXPECT_EQ(boss->stateTimer, 10);
}

TEST(BossBase, DamageOfAHundredAndMoreCountsAThirdAboveAHundred) {
    BossField f;
    auto* boss = f.MakeBoss<CCharacterSilvy>(11100, 3000, kSilvyHalf);
    const std::pair<int32_t, int32_t> cases[] = {{1, 1},     {99, 99},   {100, 100}, {101, 100},
                                                 {103, 101}, {160, 120}, {400, 200}, {1000, 400}};
    for (auto [damage, expected] : cases) {
        // The kind never matters, not even the guard kinds of the others.
        for (int32_t kind : {1, 64, 70}) EXPECT_EQ(boss->ScaleDamage(kind, damage), expected) << damage << " " << kind;
    }
    // A blow takes the capped value off its life, and super armour keeps
    // it out of the hurt state.
    boss->SetState(EnemyState::Wait);
    boss->OnHit(1, 400, 1, f.player);
    EXPECT_EQ(boss->hp, CCharacterSilvy::kHp - 200);
    EXPECT_NE(boss->frame, EnemyState::Hurt);
}

TEST(BossBase, TheDefeatStartFreezesThePlayerInItsVictory) {
    BossField f;
    auto* boss = f.MakeBoss<CCharacterSilvy>(11100, 3000, kSilvyHalf);
    f.player->angle = 1.0;
    f.player->vx = 70;
    f.player->SetPlayTimeRunning(true);
    CGameMain::GetInstance()->m_vibration = 0;
    boss->vx = 30;
    boss->vy = -40;
    f.s.ClearSounds();

    boss->SetState(EnemyState::Defeated);

    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    EXPECT_EQ(f.player->hitStop, 10);
    EXPECT_EQ(f.player->invulnerableTimer, -1);
    EXPECT_EQ(f.player->vx, 0);
    EXPECT_EQ(f.player->vy, -50);
    EXPECT_EQ(f.player->angle, 0.0);
    EXPECT_EQ(f.player->controlled, 0);
    EXPECT_FALSE(f.player->IsPlayTimeRunning());
    EXPECT_EQ(boss->vx, 0);
    EXPECT_EQ(boss->vy, 0);
    ASSERT_FALSE(f.s.Sounds().empty());
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
    EXPECT_EQ(CEffect::GetInstance()->m_shakeFrames, 20);
}

TEST(BossBase, TheDefeatShakeFollowsTheSettingAndSparesALongerShake) {
    struct Case {
        int32_t vibration, running, shakeAfter;
        int32_t lowY, highY, speedY, decay;  // of the shake left running
    };
    // NORMAL shakes 20 frames between -10 and 10 easing by 3, STRONG the
    // same span at a speed of 100 without easing, MILD between -5 and 5
    // easing by 1; NONE not at all; a running shake of more than 20 frames
    // stays.
    for (Case c : {Case{0, 0, 20, -10, 10, 100, 3}, Case{1, 0, 20, -10, 10, 100, 0}, Case{2, 0, 0, 0, 0, 0, 0},
                   Case{3, 0, 20, -5, 5, 100, 1}, Case{0, 35, 35, 0, 0, 0, 0}, Case{0, 20, 20, -10, 10, 100, 3}}) {
        BossField f;
        auto* boss = f.MakeBoss<CCharacterSilvy>(11100, 3000, kSilvyHalf);
        CGameMain::GetInstance()->m_vibration = c.vibration;
        CEffect* effect = CEffect::GetInstance();
        effect->m_shakeFrames = c.running;
        effect->m_shakeLowY = effect->m_shakeHighY = effect->m_shakeVelocityY = effect->m_shakeDecay = 0;
        boss->SetState(EnemyState::Defeated);
        SCOPED_TRACE(testing::Message() << c.vibration << " " << c.running);
        EXPECT_EQ(effect->m_shakeFrames, c.shakeAfter);
        EXPECT_EQ(effect->m_shakeLowY, c.lowY);
        EXPECT_EQ(effect->m_shakeHighY, c.highY);
        EXPECT_EQ(effect->m_shakeVelocityY, c.speedY);
        EXPECT_EQ(effect->m_shakeDecay, c.decay);
        EXPECT_EQ(effect->m_shakeLowX | effect->m_shakeHighX | effect->m_shakeVelocityX, 0);
    }
}

TEST(BossBase, TheEntranceHoldsThePlayerUntilTheTourEndsThenMusicAndBar) {
    BossField f;
    auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
    f.s.Run(3);
    EXPECT_EQ(boss->frame, TourBoss::kTour);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 3);
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped}));
    // Held through the tour (a glide there, 80 frames on the boss, a glide
    // back): no control, and no drift either.
    int held = 0;
    for (; held < 400 && CEventSpot1::GetInstance()->IsRunning(); ++held) {
        EXPECT_EQ(boss->frame, TourBoss::kTour);
        f.player->vx = 40;
        f.s.Run(1);
        ASSERT_EQ(f.player->vx, 0) << held;
        if (boss->frame == TourBoss::kTour) {
            ASSERT_EQ(f.player->controlled, 0) << held;
        }
    }
    EXPECT_GE(held, 30 + 80 + 30);
    EXPECT_LT(held, 400);
    if (boss->frame == TourBoss::kTour) {
        EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
        f.player->invulnerableTimer = 30;
        f.s.Run(1);
    }
    EXPECT_EQ(boss->frame, TourBoss::kFirstAttack);
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.player->invulnerableTimer, 0);
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped, kMusicStopped, CCharacterEnemyBoss::kBossMusic}));
    ASSERT_NE(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
    EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, boss);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 0);
}

TEST(BossBase, OnTheQuietMapsTheEntranceLeavesTheMusicAlone) {
    for (int32_t map : {246, 255, 265}) {
        BossField f;
        CGameMain::GetInstance()->m_mapId = map;
        auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
        f.RunEntrance(boss);
        EXPECT_EQ(boss->frame, TourBoss::kFirstAttack) << map;
        EXPECT_TRUE(f.music.empty()) << map;
        // The bar shows the boss all the same.
        EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, boss) << map;
    }
    for (int32_t map : {245, 266}) {
        BossField f;
        CGameMain::GetInstance()->m_mapId = map;
        auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
        f.RunEntrance(boss);
        EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kBossMusic) << map;
    }
}

// Once the attack that hit it has left it, a boss is open to the next hit,
// with life or without (its defeat records have no hurt box).
TEST(BossBase, ABossIsOpenToTheNextHitOnceTheBlowHasLeftIt) {
    struct Case {
        int32_t hp;
        int32_t timerAfter;
    };
    for (const Case c : {Case{100, 0}, Case{0, 0}}) {
        SCOPED_TRACE(c.hp);
        BossField f;
        auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
        f.RunEntrance(boss);
        boss->hp = c.hp;
        boss->invulnerableTimer = 5;  // the blow's own protection
        f.s.Run(3);
        EXPECT_EQ(boss->invulnerableTimer, c.timerAfter);
    }
}

TEST(BossBase, TheSwitchStyleFallHandsBackControlAndAsksForTheStagesMusic) {
    BossField f;
    f.s.Stage().music = -1;  // a stage without music
    auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
    f.RunEntrance(boss);
    f.music.clear();
    boss->SetState(EnemyState::Defeated);
    EXPECT_EQ(f.player->controlled, 0);
    f.s.Run(259);
    EXPECT_EQ(boss->frame, EnemyState::Defeated);
    f.s.Run(1);
    EXPECT_EQ(boss->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(CEffect::GetInstance()->m_flashRed, 255);
    int n = 0;
    while (testing_support::Listed(boss) && n < 600) {
        f.s.Run(1);
        ++n;
    }
    ASSERT_FALSE(testing_support::Listed(boss));
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.player->invulnerableTimer, 0);
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
    // The music was stopped, then the stage's own asked for: none, and none
    // plays.
    EXPECT_NE(std::find(f.music.begin(), f.music.end(), kMusicStopped), f.music.end());
    EXPECT_EQ(f.music.back(), -1);
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), -1);

    // A stage with music gets it back.
    BossField g;
    g.s.Stage().music = 3;
    auto* other = g.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
    g.RunEntrance(other);
    other->SetState(EnemyState::Defeated);
    g.s.Run(600);
    EXPECT_EQ(g.music.back(), 3);
}

TEST(BossBase, ABossDeletedWhileTheBarShowsItTakesTheBarAlong) {
    BossField f;
    auto* boss = f.MakeBoss<CCharacterSilvy>(11100, 3000, kSilvyHalf);
    CLifebarController::GetInstance()->SetEnemyBar(boss);
    ASSERT_EQ(CLifebarEnemy::GetInstance()->m_target, boss);
    // The stage ends (or the list is emptied) with the fight still on.
    World().DeleteAllButPlayer();
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
    EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, nullptr);
    // The bar still updates and draws safely.
    CLifebarController::GetInstance()->Update();

    // A bar that shows another boss is left as it is.
    BossField g;
    auto* shown = g.MakeBoss<CCharacterSilvy>(11100, 3000, kSilvyHalf);
    auto* other = new CCharacterSilvy();
    CLifebarController::GetInstance()->SetEnemyBar(shown);
    delete other;
    EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, shown);
}

TEST(BossBase, TryReturnToWaitLeavesForTheWaitWithEvenOdds) {
    BossField f;
    auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
    int back = 0;
    for (int i = 0; i < 400; ++i) {
        boss->CCharacter::SetState(221);
        boss->TryReturnToWait();
        if (boss->frame == EnemyState::Wait) ++back;
    }
    EXPECT_GT(back, 140);
    EXPECT_LT(back, 260);
}

TEST(BossBase, ClearOtherEnemiesSparesTheBossItsPartsAndThePlayer) {
    BossField f;
    auto* boss = f.s.Add(std::make_unique<TourBoss>(), 3000, kFloor - 100);
    CCharacter* part = f.s.AddAt(10054, 2000, 1000);
    CCharacter* stranger = f.s.AddAt(10054, 2400, 1000);
    boss->linksB[2] = part;
    CCharacter* spring = f.s.AddAt(20770, 2800, kFloor - 200);
    CCharacter* catapult = f.s.AddAt(20800, 3200, kFloor - 200);
    boss->ClearOtherEnemies();
    EXPECT_EQ(stranger->pendingState, 0);
    EXPECT_EQ(spring->pendingState, 0) << "the room's springs and catapults go too";
    EXPECT_EQ(catapult->pendingState, 0);
    EXPECT_NE(part->pendingState, 0);
    EXPECT_NE(boss->pendingState, 0);
    EXPECT_NE(f.player->pendingState, 0);
}

// Each boss that chooses its attacks draws one number and picks by bands of
// it: the draw's range and each band's attack, at both edges of every band.
TEST(BossBase, EachBossChoosesItsAttacksByItsOwnBands) {
    struct Band {
        int32_t below, state;
    };
    struct Case {
        const char* name;
        int32_t typeId;
        int32_t flyingType;  // the type id it fights under (0: its own)
        int32_t request;
        int32_t range;
        std::vector<Band> bands;
    };
    const Case cases[] = {
        {"ghost", 10050, 0, 221, 1, {{1, 240}}},
        {"one-eyed monster", 10210, 0, 221, 30, {{10, 240}, {20, 260}, {30, 280}}},
        {"tengu", 10080, 0, 221, 40, {{30, 240}, {40, 260}}},
        {"king tengu", 10250, 0, 221, 100, {{40, 240}, {60, 260}, {80, 280}, {100, 300}}},
        {"king tengu flying", 10250, 10251, 342, 140, {{60, 360}, {100, 380}, {140, 400}}},
        {"silvy", 11100, 0, 221, 80, {{20, 240}, {40, 260}, {60, 280}, {80, 300}}},
    };
    // The first seed whose first draw gives `r` in the range.
    const auto seedFor = [](int32_t r, int32_t range) {
        for (uint32_t seed = 1;; ++seed) {
            GameSrand(seed);
            if (GameRand() % range == r) return seed;
        }
    };
    for (const Case& c : cases) {
        BossField f;
        CCharacter* boss = f.s.AddAt(c.typeId, 3000, 1600);
        ASSERT_NE(boss, nullptr) << c.name;
        if (c.flyingType != 0) boss->typeId = c.flyingType;
        // Both edges of each band, and some draws of any seed.
        std::vector<uint32_t> seeds;
        int32_t low = 0;
        for (const Band& b : c.bands) {
            seeds.push_back(seedFor(low, c.range));
            seeds.push_back(seedFor(b.below - 1, c.range));
            low = b.below;
        }
        for (uint32_t seed = 1000; seed < 1040; ++seed) seeds.push_back(seed);
        for (uint32_t seed : seeds) {
            GameSrand(seed);
            const int32_t r = GameRand() % c.range;
            int32_t expected = -1;
            for (auto it = c.bands.rbegin(); it != c.bands.rend(); ++it)
                if (r < it->below) expected = it->state;
            boss->CCharacter::SetState(c.flyingType != 0 ? 340 : EnemyState::Wait);
            GameSrand(seed);
            boss->SetState(c.request);
            EXPECT_EQ(boss->frame, expected) << c.name << " draw " << r;
        }
    }
}

// A choice draws exactly one number, whatever it leads to: the ghost's
// (always the rain), the first phase's at no life (the rise), Silvy's
// while the player is down (nothing).
TEST(BossBase, EachChoiceDrawsOneNumber) {
    struct Case {
        const char* name;
        int32_t typeId, hp, playerHp, chosen;
    };
    for (const Case& c : {Case{"ghost", 10050, 8000, 100, 240}, Case{"king tengu at no life", 10250, 0, 100, 320},
                          Case{"silvy, player down", 11100, 10000, 0, EnemyState::Wait}}) {
        BossField f;
        CCharacter* boss = f.s.AddAt(c.typeId, 3000, 1600);
        boss->CCharacter::SetState(EnemyState::Wait);
        boss->ConsumeStateChange();
        boss->hp = c.hp;
        f.player->hp = c.playerHp;
        GameSrand(77);
        GameRand();
        const int32_t second = GameRand();
        GameSrand(77);
        boss->SetState(EnemyState::ChooseAttack);
        boss->ConsumeStateChange();
        EXPECT_EQ(boss->frame, c.chosen) << c.name;
        EXPECT_EQ(GameRand(), second) << c.name;
    }
}

// The ground bosses of the hook style keep inside the view while they wait
// and while they hop: their bodies stop at its right edge.
TEST(BossBase, TheHookStyleGroundBossesKeepInsideTheView) {
    struct Case {
        const char* name;
        int32_t typeId, state;
    };
    for (const Case& c : {Case{"one-eyed monster waiting", 10210, 220}, Case{"tengu waiting", 10080, 220},
                          Case{"tengu hopping", 10080, 240}}) {
        BossField f(5000);
        const int32_t right = std::min(f.s.Stage().width * kTileSize, CGameMain::GetInstance()->GetViewWidth() * 10);
        CCharacter* boss = f.s.AddAt(c.typeId, right - 400, kFloor - 300);
        f.player->x = right + 2000;  // beyond the edge: it turns and hops toward it
        f.player->invulnerableTimer = -1;
        boss->CCharacter::SetState(EnemyState::Wait);
        boss->ConsumeStateChange();
        if (c.state == 220) boss->x = right - 100;  // its body already across the edge
        else boss->SetState(c.state);
        // Waiting, it is put back at once; hopping, it is put back before
        // each step (so that a step, at most 69, may carry it past).
        int32_t farthest = 0;
        for (int i = 0; i < (c.state == 220 ? 1 : 100); ++i) {
            boss->Frame();
            farthest = std::max(farthest, boss->x + boss->CurrentRecord().bodyRight);
            if (boss->frame == EnemyState::Wait && i > 0) break;
        }
        EXPECT_EQ(boss->facing, 1) << c.name;
        if (c.state == 220) {
            EXPECT_EQ(farthest, right) << c.name;
        } else {
            EXPECT_GT(farthest, right) << c.name;
            EXPECT_LE(farthest, right + 69) << c.name;
        }
    }
}

// A leap turns over at its top: on the frame its rise has come to 0 (a
// lift of 120 under a gravity of 6 takes 20 frames).
TEST(BossBase, ALeapTurnsOverWhenItsRiseComesToNothing) {
    // king tengu falls in 244, Silvy in 243: the fall goes on at the leap's
    // forward speed.
    for (auto [typeId, fall] : {std::pair{10250, 244}, std::pair{11100, 243}}) {
        BossField f;
        CCharacter* boss = f.s.AddAt(typeId, 3000, 1600);
        f.s.Run(1);
        boss->SetState(240);
        boss->ConsumeStateChange();
        boss->vy = -120;
        boss->attackDirX = 0;
        int n = 0;
        while (boss->frame == 240 && n < 100) {
            boss->Frame();
            ++n;
        }
        EXPECT_EQ(n, 20) << typeId;
        EXPECT_EQ(boss->frame, 241) << typeId;
        EXPECT_EQ(boss->vx, 0) << typeId;
        boss->attackDirX = 45;
        for (n = 0; boss->frame != fall && n < 100; ++n) boss->Frame();
        ASSERT_EQ(boss->frame, fall) << typeId;
        const int32_t from = boss->x;
        boss->Frame();
        EXPECT_EQ(boss->vx, 45) << typeId;
        EXPECT_EQ(boss->x, from + 45) << typeId;
        // Back in the wait it stands still.
        boss->SetState(EnemyState::Wait);
        boss->ConsumeStateChange();
        boss->vx = 45;
        boss->Frame();
        EXPECT_EQ(boss->vx, 0) << typeId;
    }
}

// A hook-style boss that only notes which hook each frame ran.
class HookRecorder : public CCharacterEnemyBoss {
public:
    HookRecorder() : CCharacterEnemyBoss({10080, 5000, 500, 168, 5, 255, nullptr}) { AllocateHeldRecords(470); }
    std::string ran;
    void UpdateHurt() override { ran = "hurt"; }
    void UpdateDefeat() override { ran = "defeat"; }
    void UpdateWait() override { ran = "wait"; }
    void UpdateEntrance() override { ran = "entrance"; }
    void UpdateAttack1() override { ran = "1"; }
    void UpdateAttack2() override { ran = "2"; }
    void UpdateAttack3() override { ran = "3"; }
    void UpdateAttack4() override { ran = "4"; }
    void UpdateAttack5() override { ran = "5"; }
    void UpdateAttack6() override { ran = "6"; }
    void UpdateAttack7() override { ran = "7"; }
    void UpdateAttack8() override { ran = "8"; }
};

// The hook-style frame hands each band of records to its hook, at both
// ends of every band; the records between the bands run none.
TEST(BossBase, TheHookStyleFrameHandsEachBandToItsHook) {
    const std::pair<int32_t, const char*> bands[] = {
        {9, ""},        {10, "hurt"},   {11, ""},      {109, ""},     {110, "defeat"}, {116, "defeat"}, {117, ""},
        {219, ""},      {220, "wait"},  {221, ""},     {229, ""},     {230, "entrance"}, {239, "entrance"},
        {240, "1"},     {259, "1"},     {260, "2"},    {279, "2"},    {280, "3"},      {299, "3"},      {300, ""},
        {419, ""},      {420, "4"},     {429, "4"},    {430, "5"},    {439, "5"},      {440, "6"},      {449, "6"},
        {450, "7"},     {459, "7"},     {460, "8"},    {469, "8"},
    };
    BossField f;
    auto* boss = f.s.Add(std::make_unique<HookRecorder>(), 3000, 1600);
    for (auto [record, hook] : bands) {
        boss->CCharacter::SetState(record);
        boss->ran.clear();
        boss->Frame();
        EXPECT_EQ(boss->ran, hook) << record;
    }
}

// The leaps of the ground fighters: toward the player at 30 to 59, upward
// at their lift and up to their spread - 1 more.
TEST(BossBase, EachLeapRisesWithinItsRange) {
    struct Case {
        const char* name;
        int32_t typeId, state, lift, spread;
    };
    for (const Case& c : {Case{"king tengu", 10250, 240, -120, 30}, Case{"silvy", 11100, 240, -130, 20},
                          Case{"silvy's high leap", 11100, 300, -140, 30}}) {
        BossField f;
        CCharacter* boss = f.s.AddAt(c.typeId, 3000, 1600);
        int32_t slow = 1000, fast = 0, low = 0, high = -1000;
        for (int i = 0; i < 100; ++i) {
            boss->SetState(c.state);
            EXPECT_EQ(boss->facing, -1) << c.name;  // toward the player
            slow = std::min(slow, -boss->attackDirX);
            fast = std::max(fast, -boss->attackDirX);
            low = std::min(low, boss->vy);
            high = std::max(high, boss->vy);
        }
        EXPECT_EQ(slow, 30) << c.name;
        EXPECT_EQ(fast, 59) << c.name;
        EXPECT_EQ(high, c.lift) << c.name;
        EXPECT_EQ(low, c.lift - c.spread + 1) << c.name;
    }
}

// Every boss as the factory makes it: its own life, score, layer, gravity
// and alpha, and the values all of them share.
TEST(BossBase, EveryBossStartsWithItsRosterValues) {
    struct Row {
        int32_t typeId, hp, score, layer, gravity, alpha;
    };
    const Row roster[] = {
        {10050, 8000, 500, 168, 6, 255},     {10210, 12000, 500, 168, 5, 255},   {10080, 5000, 500, 168, 5, 255},
        {10260, 15000, 200000, 136, 6, 0},   {10271, 10000, 1000, 168, 6, 255},  {10280, 15000, 200000, 136, 6, 0},
        {10290, 12000, 200000, 136, 6, 255}, {11010, 12000, 200000, 136, 6, 255}, {11020, 12000, 200000, 136, 6, 255},
        {11030, 15000, 200000, 136, 6, 255}, {10250, 20000, 1000, 136, 6, 255},  {11100, 10000, 1000, 136, 6, 255},
    };
    for (const Row& r : roster) {
        std::unique_ptr<CCharacter> c(CreateCharacter(r.typeId));
        ASSERT_NE(c, nullptr) << r.typeId;
        EXPECT_EQ(c->hp, r.hp) << r.typeId;
        EXPECT_EQ(c->hpMax, r.hp) << r.typeId;
        EXPECT_EQ(c->score, r.score) << r.typeId;
        EXPECT_EQ(c->layer, r.layer) << r.typeId;
        EXPECT_EQ(c->gravityNum, r.gravity) << r.typeId;
        EXPECT_EQ(c->gravityDen, 1) << r.typeId;
        EXPECT_EQ(c->alpha, r.alpha) << r.typeId;
        EXPECT_EQ(c->group, 2) << r.typeId;
        EXPECT_EQ(c->superArmor, 1) << r.typeId;
        EXPECT_EQ(c->maxFall, 200) << r.typeId;
        EXPECT_EQ(c->friction, 5) << r.typeId;
        EXPECT_EQ(c->scaleX, 2.0) << r.typeId;
        EXPECT_EQ(c->scaleY, 2.0) << r.typeId;
        EXPECT_EQ(c->controlled, 0) << r.typeId;
        EXPECT_EQ(c->auxValue, 70) << r.typeId;
        EXPECT_EQ(std::vector<int32_t>({c->hoverSpeed, c->hoverAmplitude, c->hoverNum, c->hoverDen, c->hoverAcc, c->hoverDir}),
                  std::vector<int32_t>({10, 10, 1, 2, 0, -1}))
            << r.typeId;
    }
}

}  // namespace
