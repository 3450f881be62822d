// Silvy: her entrance and attacks, that she never attacks a fallen player,
// the volley's aim, the ring of stars, and the defeat that hands over to
// the clear scene and its stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "boss/BossField.h"
#include "boss/CharacterSilvy.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"

namespace {

using namespace boss_test;

constexpr int32_t kHalf = 190;
constexpr int32_t kBossX = 4000;

struct SilvyFight : BossField {
    CCharacterSilvy* silvy = nullptr;
    explicit SilvyFight(int32_t px = 800) : BossField(px) {
        silvy = MakeBoss<CCharacterSilvy>(11100, kBossX, kHalf);
    }
    // Through the entrance into her wait.
    void Begin() {
        RunEntrance(silvy);
        ASSERT_EQ(silvy->frame, EnemyState::Wait);
    }
};

TEST(Silvy, TheEntranceHoldsThePlayerThroughTheTourThenTheFightBegins) {
    SilvyFight f;
    EXPECT_EQ(f.silvy->frame, EnemyState::Entrance);
    EXPECT_EQ(f.silvy->typeId, CCharacterSilvy::kTypeId);
    EXPECT_EQ(f.silvy->hp, 10000);
    EXPECT_EQ(f.silvy->layer, 136);
    f.s.Run(1);
    EXPECT_EQ(f.silvy->frame, EnemyState::FightStart);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 3);
    EXPECT_EQ(f.player->controlled, 0);
    int held = 0;
    for (; held < 600 && f.silvy->frame == EnemyState::FightStart; ++held) {
        ASSERT_EQ(f.player->controlled, 0) << held;
        f.s.Run(1);
    }
    EXPECT_GE(held, kTourFrames - 1);
    EXPECT_EQ(f.silvy->frame, EnemyState::Wait);
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kBossMusic);
    EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, f.silvy);
}

TEST(Silvy, SheChoosesEachOfHerFourAttacksButNeverWhileThePlayerIsDown) {
    SilvyFight f;
    f.Begin();
    f.player->invulnerableTimer = -1;  // her shots must not bring it down
    std::set<int32_t> seen;
    for (int i = 0; i < 3000; ++i) {
        f.s.Run(1);
        const int32_t fr = f.silvy->frame;
        if (fr == 240 || fr == 260 || fr == 280 || fr == 300) seen.insert(fr);
    }
    EXPECT_EQ(seen, (std::set<int32_t>{240, 260, 280, 300}));

    // The player falls: she keeps to her wait and throws nothing, though
    // the choice is drawn again each frame.
    SilvyFight g;
    g.Begin();
    g.player->hp = 0;
    int wait = 0;
    for (int i = 0; i < 600; ++i) {
        g.s.Run(1);
        if (g.silvy->frame == EnemyState::Wait) ++wait;
    }
    EXPECT_EQ(wait, 600);
    EXPECT_TRUE(Shots().empty());
    g.player->hp = 100;
    g.s.Run(1);
    EXPECT_NE(g.silvy->frame, EnemyState::Wait);
}

TEST(Silvy, TheRingPutsFourStillStarsThatTakeWingInTurn) {
    SilvyFight f;
    f.Begin();
    f.silvy->facing = 1;
    f.silvy->SetState(280);
    EXPECT_EQ(f.silvy->facing, -1);  // turned to the player
    f.s.Run(9);
    const auto stars = Shots(750);
    ASSERT_EQ(stars.size(), 4u);
    const int32_t fx = f.silvy->facing, x = f.silvy->x, y = f.silvy->y;
    const int32_t wantX[] = {x + 500 * fx, x + 200 * fx, x - 200 * fx, x - 500 * fx};
    const int32_t wantY[] = {y - 600, y - 800, y - 800, y - 600};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(stars[k]->x, wantX[k]) << k;
        EXPECT_EQ(stars[k]->y, wantY[k]) << k;
        EXPECT_EQ(stars[k]->vx, 0);
        EXPECT_EQ(stars[k]->vy, 0);
    }
    // Entered at once: each star turned a quarter more than the one before.
    const std::size_t placed = Shots(750).size();
    f.silvy->SetState(281);
    const auto fresh = Shots(750);
    ASSERT_EQ(fresh.size(), placed + 4);
    const double turns[] = {0.0, M_PI / 2, M_PI, 3 * M_PI / 2};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(fresh[placed + k]->angle, turns[k], 1e-9) << k;
    for (std::size_t k = placed; k < fresh.size(); ++k) fresh[k]->SetState(EnemyState::Remove);
    // Each flies after its own wait: 60, 90, 120, 150 ticks.
    int left[4] = {-1, -1, -1, -1};
    for (int t = 1; t <= 160; ++t) {
        f.s.Run(1);
        for (int k = 0; k < 4; ++k)
            if (left[k] < 0 && testing_support::Listed(stars[k]) && stars[k]->frame != 750) left[k] = t;
    }
    EXPECT_EQ(left[1] - left[0], 30);
    EXPECT_EQ(left[2] - left[1], 30);
    EXPECT_EQ(left[3] - left[2], 30);
}

TEST(Silvy, TheVolleyAimsAtThePlayerOrATenthOfARadianShort) {
    SilvyFight f(1200);
    f.Begin();
    f.silvy->y = 1200;  // high in her leap
    f.silvy->SetState(303);
    f.s.Run(39);
    EXPECT_EQ(f.silvy->frame == 303 || f.silvy->frame == 304, true);
    int darts = 0, exact = 0, shortOf = 0;
    const double dx = f.player->GetAnchorX() - f.silvy->x;
    const double dy = f.player->GetAnchorY() - (f.silvy->y + 150);
    const double aim = std::atan2(dx, dy);
    for (auto* d : Shots()) {
        if (d->frame != 760 && d->frame != 761) continue;
        ++darts;
        const int32_t ex = static_cast<int32_t>(std::sin(aim) * 80), ey = static_cast<int32_t>(std::cos(aim) * 80);
        const int32_t sx = static_cast<int32_t>(std::sin(aim - 0.1) * 80),
                      sy = static_cast<int32_t>(std::cos(aim - 0.1) * 80);
        if (d->vx == ex && d->vy == ey) ++exact;
        else if (d->vx == sx && d->vy == sy) ++shortOf;
        else ADD_FAILURE() << "dart at " << d->vx << "," << d->vy;
    }
    EXPECT_GE(darts, 13);
    EXPECT_GT(exact, 0);
    // Each leaves from 150 below her centre (her alone: it has not moved yet).
    for (auto* d : Shots()) d->SetState(EnemyState::Remove);
    f.s.Run(1);
    f.silvy->SetState(303);
    for (int i = 0; i < 4 && Shots(760).empty(); ++i) f.silvy->Frame();
    ASSERT_EQ(Shots(760).size(), 1u);
    EXPECT_EQ(Shots(760).front()->x, f.silvy->x - f.silvy->vx);  // (before her own step)
    EXPECT_EQ(Shots(760).front()->y, f.silvy->y - f.silvy->vy + 150);
    EXPECT_GT(shortOf, 0);
}

TEST(Silvy, TheVolleyOffsetHoldsForEveryDrawOfTheGenerator) {
    // An odd draw turns the dart a tenth of a radian; an even one not at
    // all, up to the generator's largest value (where a hundredfold of the
    // draw of a wider generator would overflow).
    for (int32_t draw : {0, 1, 2, 3, 32766, kGameRandMax}) {
        EXPECT_EQ(CCharacterSilvy::VolleyOffset(draw), draw % 2 == 0 ? 0 : -100) << draw;
    }
    GameSrand(7);
    for (int i = 0; i < 100000; ++i) {
        const int32_t draw = GameRand();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, kGameRandMax);
    }
}

TEST(Silvy, TheLowShotRunsAlongTheFloorAndTheLeapThrowsAnAimedDart) {
    SilvyFight f;
    f.Begin();
    f.silvy->SetState(260);
    f.s.Run(41);
    const auto flames = Shots(770);
    ASSERT_EQ(flames.size(), 1u);
    EXPECT_EQ(flames[0]->vx, 200 * f.silvy->facing);
    EXPECT_EQ(flames[0]->vy, 0);
    // Entered directly: from her feet, 190 below her, with its sound.
    f.s.ClearSounds();
    f.silvy->SetState(262);
    ASSERT_EQ(Shots(770).size(), 2u);
    EXPECT_EQ(Shots(770).back()->x, f.silvy->x);
    EXPECT_EQ(Shots(770).back()->y, f.silvy->y + 190);
    EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{50}));

    f.s.ClearSounds();
    f.silvy->SetState(240);
    EXPECT_LT(f.silvy->vy, -129);
    int n = 0;
    while (f.silvy->frame != 242 && n < 200) {
        f.s.Run(1);
        ++n;
    }
    ASSERT_EQ(f.silvy->frame, 242);
    ASSERT_EQ(Shots(760).size() + Shots(761).size(), 1u);
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 12), 1);  // (with her leap's own)
    // Aimed at the player at 80.
    const CCharacter* dart = Shots(760).empty() ? Shots(761).front() : Shots(760).front();
    EXPECT_NEAR(std::hypot(dart->vx, dart->vy), 80.0, 1.5);
    // She comes down and waits again.
    n = 0;
    while (f.silvy->frame != EnemyState::Wait && n < 300) {
        f.s.Run(1);
        ++n;
    }
    EXPECT_EQ(f.silvy->frame, EnemyState::Wait);
    EXPECT_EQ(f.silvy->y, kFloor - kHalf);
}

TEST(Silvy, HerDefeatEndsInTheClearSceneAndItsStage) {
    SilvyFight f;
    f.Begin();
    f.silvy->hp = 50;
    f.s.ClearSounds();
    f.silvy->OnHit(1, 80, 1, f.player);
    EXPECT_EQ(f.silvy->frame, EnemyState::Defeated);
    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    EXPECT_EQ(f.music.back(), kMusicStopped);
    EXPECT_EQ(f.Count(360) + f.Count(361), 40);
    // Ten of each kind drifting each way, from up to 200 either side of
    // her and up to 200 below her centre.
    struct Sparkle {
        int32_t state, vx;
    };
    for (const Sparkle& k : {Sparkle{360, -5}, Sparkle{360, 5}, Sparkle{361, -5}, Sparkle{361, 5}}) {
        int n = 0;
        for (auto* e : enemy_test::Effects(k.state, k.state)) {
            if (e->vx != k.vx) continue;
            ++n;
            EXPECT_LE(std::abs(e->x - f.silvy->x), 200) << k.state;
            EXPECT_GE(e->y - f.silvy->y, 0) << k.state;
            EXPECT_LE(e->y - f.silvy->y, 200) << k.state;
            EXPECT_EQ(e->vy, 0) << k.state;
        }
        EXPECT_EQ(n, 10) << k.state << " " << k.vx;
    }
    // No boxes in the defeat: nothing more can strike her. A lethal blow
    // handed to her past them starts the defeat again.
    const FrameRecord* rec = f.silvy->frameTable.Find(EnemyState::Defeated);
    EXPECT_EQ(rec->hurtLeft | rec->hurtRight | rec->hurtTop | rec->hurtBottom, 0);
    f.silvy->OnHit(1, 80, 1, f.player);
    EXPECT_EQ(f.Count(360) + f.Count(361), 80);
    int defeatSounds = 0;
    for (int32_t snd : f.s.Sounds()) defeatSounds += snd == 31;
    EXPECT_EQ(defeatSounds, 2);

    f.s.Run(39);
    EXPECT_EQ(f.silvy->frame, EnemyState::Defeated);
    f.s.Run(1);
    EXPECT_EQ(f.silvy->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(f.silvy->vy, -80 + 6);  // thrown up at 80 (one frame of gravity spent)
    // Spinning 0.8 a frame against her facing.
    const double spun = f.silvy->angle;
    f.silvy->Frame();
    EXPECT_NEAR(f.silvy->angle - spun, -0.8 * f.silvy->facing, 1e-9);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 0);
    // Her fall, frame by frame on her own (the play frame would perform
    // the stage switch at once).
    int n = 0;
    while (CEvent::GetInstance()->GetCurrentId() != CCharacterSilvy::kClearEvent && n < 400) {
        f.silvy->Frame();
        ++n;
    }
    EXPECT_GT(f.silvy->y, 6000);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 7);
    CStageDataControl& control = CGameMain::GetInstance()->m_stageControl;
    EXPECT_EQ(control.m_nextStage, 271);
    EXPECT_EQ(control.m_startX, 600);
    EXPECT_EQ(control.m_startY, 0);
    EXPECT_EQ(control.m_startFacing, 1);
    EXPECT_EQ(control.m_transitionType, 0);
    EXPECT_EQ(control.m_transitionFrames, 80);
    EXPECT_EQ(control.m_warpExtra, -1);
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
    // The player stays in its victory, and the scene is started once: she
    // has left the field.
    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    CEvent::GetInstance()->SetEvent(0);
    f.silvy->Frame();
    EXPECT_EQ(f.silvy->alive, 0);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 0);
}

TEST(Silvy, TheClearSceneStepsHerThroughHerPoses) {
    BossField f;
    // The scene makes her as the factory does and drops her.
    auto* silvy = f.MakeBoss<CCharacterSilvy>(11101, 3000, 1000);
    EXPECT_EQ(silvy->typeId, 11100);
    silvy->SetState(CCharacterSilvy::kDropped);
    int n = 0;
    while (silvy->frame == CCharacterSilvy::kDropped && n < 200) {
        f.s.Run(1);
        ++n;
    }
    EXPECT_EQ(silvy->frame, CCharacterSilvy::kLying);
    EXPECT_EQ(silvy->y, kFloor - kHalf);
    silvy->SetState(116);
    f.s.Run(20);
    EXPECT_EQ(silvy->frame, 117);
    silvy->SetState(118);
    f.s.Run(20);
    EXPECT_EQ(silvy->frame, 119);
    // The shining eyes twinkle every 40 ticks.
    f.s.ClearSounds();
    silvy->SetState(424);
    f.s.Run(81);
    int twinkles = 0;
    for (int32_t snd : f.s.Sounds()) twinkles += snd == 28;
    EXPECT_EQ(twinkles, 3);
    // The scene poses never hurt and never attack.
    for (int32_t r : {113, 117, 420, 422, 424, 426}) {
        const FrameRecord* rec = silvy->frameTable.Find(r);
        EXPECT_EQ(rec->hurtLeft | rec->hurtRight | rec->attackLeft | rec->attackRight, 0) << r;
        EXPECT_NE(rec->bodyBottom, 0) << r;
    }
}

}  // namespace
