// The king tengu: one object for both phases (the first lethal blow only
// starts the rise into the second), the final defeat that ends in a stage
// the game can build, and the opening scene's poses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "boss/BossField.h"
#include "boss/CharacterKingTengu.h"
#include "character/CreateCharacter.h"
#include "player/CharacterPlayer.h"
#include "stage/EventSpot1.h"

namespace {

using namespace boss_test;

constexpr int32_t kHalf = 290;
constexpr int32_t kBossX = 4000;

struct TenguFight : BossField {
    CCharacterKingTengu* tengu = nullptr;
    TenguFight() {
        tengu = MakeBoss<CCharacterKingTengu>(10250, kBossX, kHalf);
        player->invulnerableTimer = -1;
    }
    void Begin() {
        RunEntrance(tengu);
        ASSERT_EQ(tengu->frame, EnemyState::Wait);
        player->invulnerableTimer = -1;  // its shots must not end the test
    }
    template <class Pred>
    int RunUntil(Pred done, int limit) {
        int n = 0;
        while (!done() && n < limit) {
            s.Run(1);
            ++n;
        }
        return n;
    }
};

TEST(KingTengu, EveryFactoryIdGivesTheFirstPhase) {
    for (int32_t id : {10250, 10251, 10252, 10253, 11040}) {
        std::unique_ptr<CCharacter> c(CreateCharacter(id));
        auto* tengu = dynamic_cast<CCharacterKingTengu*>(c.get());
        ASSERT_NE(tengu, nullptr) << id;
        EXPECT_EQ(tengu->typeId, CCharacterKingTengu::kPhase1) << id;
        EXPECT_EQ(tengu->hp, 20000) << id;
        EXPECT_EQ(tengu->frame, EnemyState::Entrance) << id;
    }
}

TEST(KingTengu, TheEntranceHoldsThePlayerThroughTheTourThenTheFightBeginsWithItsMusic) {
    TenguFight f;
    f.player->vx = 40;
    f.player->invulnerableTimer = 30;
    f.s.Run(1);
    // A tick in 230, then the camera tour: 30 frames there, 120 on the
    // boss, 30 back, the music stopped meanwhile and the player held still.
    ASSERT_EQ(f.tengu->frame, EnemyState::FightStart);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 3);
    EXPECT_EQ(CEventSpot1::GetInstance()->m_travelFrames, 30);
    EXPECT_EQ(CEventSpot1::GetInstance()->m_waitFrames, 120);
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped}));
    EXPECT_EQ(f.player->controlled, 0);
    EXPECT_EQ(f.player->vx, 0);
    int held = 0;
    for (; held < 600 && f.tengu->frame == EnemyState::FightStart; ++held) {
        ASSERT_EQ(f.player->controlled, 0) << held;
        f.s.Run(1);
    }
    EXPECT_EQ(held, 30 + 120 + 30 + 2);  // with a frame each to start and to end the tour
    // Then the player moves again, unhurt, to the boss music and the bar.
    EXPECT_EQ(f.tengu->frame, EnemyState::Wait);
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.player->invulnerableTimer, 0);
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped, kMusicStopped, 8}));
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar()->m_target, f.tengu);
}

TEST(KingTengu, TheFirstLethalBlowStartsTheRiseIntoTheSecondPhase) {
    TenguFight f;
    f.Begin();
    f.tengu->hp = 30;
    f.tengu->OnHit(1, 90, 1, f.player);
    // No defeat: no victory for the player, no defeat sound; out of reach
    // instead, until the change.
    EXPECT_EQ(f.tengu->hp, 0);
    EXPECT_NE(f.tengu->frame, EnemyState::Defeated);
    EXPECT_EQ(f.tengu->targetable, 0);
    EXPECT_EQ(f.tengu->invulnerableTimer, -1);
    EXPECT_NE(f.player->frame, PlayerState::Victory);
    EXPECT_EQ(f.player->controlled, 1);
    f.s.Run(3);
    EXPECT_EQ(f.tengu->invulnerableTimer, -1) << "at no life, not open again";
    // The running attack ends in the wait, which holds even at no life;
    // the next choice is the rise.
    f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kRise; }, 600);
    ASSERT_EQ(f.tengu->frame, CCharacterKingTengu::kRise);
    // It bobs as it rises: amplitude 10, half a step.
    EXPECT_EQ(std::vector<int32_t>({f.tengu->hoverAmplitude, f.tengu->hoverNum, f.tengu->hoverDen}),
              std::vector<int32_t>({10, 1, 2}));
    const FrameRecord* rise = f.tengu->frameTable.Find(CCharacterKingTengu::kRise);
    EXPECT_EQ(rise->hurtLeft | rise->hurtRight, 0);
    // It turns to the player as it starts to rise.
    f.tengu->facing = 1;
    f.tengu->SetState(CCharacterKingTengu::kRise);
    EXPECT_EQ(f.tengu->facing, -1);
    f.music.clear();
    const int32_t from = f.tengu->y;
    const int rising = f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kHover; }, 400);
    ASSERT_EQ(f.tengu->frame, 340);
    // It rises 10 a frame, give or take its bobbing.
    EXPECT_NEAR(from - f.tengu->y, 10 * rising, 100);
    // It stops on the first frame above 1000.
    EXPECT_LT(f.tengu->y, 1000);
    EXPECT_GT(f.tengu->y, 975);
    EXPECT_GT(from, 1000);
    EXPECT_EQ(f.tengu->typeId, CCharacterKingTengu::kPhase2);
    EXPECT_EQ(f.tengu->hp, 20000);
    EXPECT_EQ(f.tengu->hpMax, 20000);
    EXPECT_EQ(f.tengu->targetable, 1);
    EXPECT_EQ(f.tengu->invulnerableTimer, 0);
    EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kLastBossMusic);
    // Hovering, it keeps turning to the player (on its left).
    f.tengu->facing = 1;
    f.tengu->vx = 100;
    f.tengu->Frame();
    ASSERT_EQ(f.tengu->frame, 340);
    EXPECT_EQ(f.tengu->facing, -1);
    EXPECT_EQ(f.tengu->vx, 0);  // and stays where it is
    // Flying, it chooses among the fly-by, the gale and the charged shots.
    std::set<int32_t> seen;
    for (int i = 0; i < 4000; ++i) {
        f.s.Run(1);
        const int32_t fr = f.tengu->frame;
        if (fr == 360 || fr == 380 || fr == 400) seen.insert(fr);
        ASSERT_FALSE(fr >= 240 && fr <= 314) << "back on the ground in " << fr;
    }
    EXPECT_EQ(seen, (std::set<int32_t>{360, 380, 400}));
}

TEST(KingTengu, TheFinalDefeatEndsInAStageThatExists) {
    TenguFight f;
    f.Begin();
    f.tengu->hp = 0;
    f.tengu->SetState(EnemyState::Wait);
    f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kHover; }, 800);
    ASSERT_EQ(f.tengu->typeId, CCharacterKingTengu::kPhase2);
    f.tengu->hp = 10;
    f.music.clear();
    f.s.ClearSounds();
    f.tengu->OnHit(1, 50, 1, f.player);
    EXPECT_EQ(f.tengu->frame, EnemyState::Defeated);
    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped}));  // the music stops
    const FrameRecord* rec = f.tengu->frameTable.Find(EnemyState::Defeated);
    EXPECT_EQ(rec->hurtLeft | rec->hurtRight | rec->hurtTop | rec->hurtBottom, 0);

    // 260 ticks of explosions within 500 of it, every 40 ticks, then 20
    // from 80, 10 from 140 and 5 from 200 (its first tick counts 1); then
    // the last blast, and it is flung up at 100 without gravity.
    int32_t reachX = 0, reachY = 0;
    const int exploding = f.RunUntil(
        [&] {
            if (f.tengu->frame != EnemyState::Defeated) return true;  // (flung up already)
            for (CCharacter* b : Shots())
                if (b->frame >= 581 && b->frame <= 589) {
                    reachX = std::max(reachX, std::abs(b->x - f.tengu->x));
                    reachY = std::max(reachY, std::abs(b->y - f.tengu->y));
                }
            return false;
        },
        300);
    EXPECT_EQ(f.tengu->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(exploding, 260);
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 53), 1 + 3 + 6 + 12);
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 17), 1);
    EXPECT_LE(reachX, 500);
    EXPECT_GT(reachX, 400);
    EXPECT_LE(reachY, 500);
    EXPECT_GT(reachY, 400);
    EXPECT_EQ(f.tengu->vy, -100);
    f.s.Run(5);
    EXPECT_EQ(f.tengu->vy, -100);
    // Spinning by 0.8 a tick against its facing.
    const double spun = f.tengu->angle;
    f.s.Run(1);
    EXPECT_NEAR(f.tengu->angle - spun, -0.8 * f.tengu->facing, 1e-9);
    // Up until it is above -4000.
    int32_t highest = f.tengu->y;
    f.RunUntil(
        [&] {
            if (f.tengu->frame == EnemyState::BossDefeatFall) highest = f.tengu->y;
            return f.tengu->frame == CCharacterKingTengu::kFallBack;
        },
        300);
    ASSERT_EQ(f.tengu->frame, CCharacterKingTengu::kFallBack);
    EXPECT_LT(highest, -4000);
    EXPECT_GE(highest, -4000 - 100);
    EXPECT_EQ(f.player->frame, PlayerState::ScenePose990);
    EXPECT_EQ(f.player->invulnerableTimer, 0);
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
    // Back over the stage's centre from above it, falling at 15, the
    // player turned toward it.
    EXPECT_EQ(f.tengu->GetStageX(), f.s.Stage().width * kTileSize / 2);
    EXPECT_EQ(f.tengu->vy, 15);
    EXPECT_EQ(f.player->facing, f.player->x < f.tengu->x ? 1 : -1);
    f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kLanded; }, 400);
    ASSERT_EQ(f.tengu->frame, 114);
    EXPECT_EQ(f.tengu->vy, 0);
    // Its landing raises a puff at 192 of alpha (which has moved on from
    // 50 by now: its timer started at 8).
    const auto puffs = enemy_test::Effects(50, 69);
    ASSERT_EQ(puffs.size(), 1u);
    EXPECT_EQ(puffs[0]->alpha, 192);
    // It rests 100 ticks, then the fade to black at 3 a frame.
    EXPECT_EQ(f.RunUntil([&] { return f.tengu->frame == 115; }, 400), 100);
    ASSERT_EQ(f.tengu->frame, CCharacterKingTengu::kFadeOut);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 3);
    EXPECT_EQ(f.tengu->y, 2300);
    // Once the fade is black it asks for its stage: the one it names does
    // not exist, so the clear scene's stage instead.
    CEffect::GetInstance()->m_fade = CEffect::GetInstance()->m_fadeTarget;
    f.tengu->Frame();
    const CStageDataControl& control = CGameMain::GetInstance()->m_stageControl;
    EXPECT_EQ(std::vector<int32_t>({control.m_nextStage, control.m_startX, control.m_startY, control.m_startFacing,
                                    control.m_transitionType, control.m_transitionFrames, control.m_warpExtra}),
              std::vector<int32_t>({271, 600, 0, 1, 0, 80, -1}));
    EXPECT_TRUE(CStageDataControl::IsStageId(CCharacterKingTengu::DefeatStage()));
    EXPECT_FALSE(CStageDataControl::IsStageId(CCharacterKingTengu::kDefeatStage));
}

// Into the second phase at once: at no life the next choice is the rise.
void RiseToSecondPhase(TenguFight& f) {
    f.tengu->hp = 0;
    f.tengu->SetState(EnemyState::Wait);
    f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kHover; }, 800);
    ASSERT_EQ(f.tengu->typeId, CCharacterKingTengu::kPhase2);
}

TEST(KingTengu, TheGaleBlowsOnlyALivingPlayer) {
    for (int32_t hp : {100, 0}) {
        TenguFight f;
        f.Begin();
        RiseToSecondPhase(f);
        f.player->hp = hp;
        // Turned from the player, it turns to it first, with the gale's sound.
        f.tengu->facing = 1;
        f.s.ClearSounds();
        f.tengu->SetState(CCharacterKingTengu::kGale);
        EXPECT_EQ(f.tengu->facing, -1);
        EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{51}));
        const int32_t from = f.player->x, facing = f.tengu->facing;
        f.s.Run(20);
        if (hp > 0) EXPECT_EQ(f.player->x, from + 20 * 20 * facing);
        else EXPECT_EQ(f.player->x, from);
        // Stones of the gale every 10 ticks, from behind the boss.
        EXPECT_EQ(Shots(560).size(), 2u) << hp;
        if (hp == 0) continue;
        // Each from 600 beyond the view's edge behind the boss, anywhere
        // down the view, at 80 to 150 forward and 0 to 20 down (the boss
        // alone, so that each is seen as it left).
        const int32_t w = CGameMain::GetInstance()->GetViewWidth() * 10;
        const int32_t edge = w / 2 - (w / 2 + 600) * facing;
        const auto old = Shots(560);
        std::set<CCharacter*> seen(old.begin(), old.end());
        int32_t slow = 1000, fast = 0, lowVy = 100, highVy = -100;
        int32_t windSlow = 1000, windFast = 0;  // its streaks, 300 to 600 forward
        std::set<int32_t> looks;                // in turn, all four of them
        const int32_t h = CGameMain::GetInstance()->GetViewHeight() * 10;
        int32_t stoneTop = h, stoneBottom = 0, windTop = h, windBottom = 0;  // both anywhere down the view
        for (int i = 0; i < 200 && f.tengu->frame / 2 == CCharacterKingTengu::kGale / 2; ++i) {
            const auto wind = enemy_test::Effects(260, 263);
            if (!wind.empty()) {
                looks.insert(wind.back()->frame);
                if (i > 0) {
                    EXPECT_EQ(wind.back()->x, edge);  // (the first was blown on already)
                }
                windTop = std::min(windTop, wind.back()->y);
                windBottom = std::max(windBottom, wind.back()->y);
                windSlow = std::min(windSlow, wind.back()->vx * facing);
                windFast = std::max(windFast, wind.back()->vx * facing);
            }
            for (auto* stone : Shots(560)) {
                if (!seen.insert(stone).second) continue;
                EXPECT_EQ(stone->x, edge);
                stoneTop = std::min(stoneTop, stone->y);
                stoneBottom = std::max(stoneBottom, stone->y);
                slow = std::min(slow, stone->vx * facing);
                fast = std::max(fast, stone->vx * facing);
                lowVy = std::min(lowVy, stone->vy);
                highVy = std::max(highVy, stone->vy);
            }
            f.tengu->Frame();
        }
        EXPECT_EQ(seen.size(), 2u + 13u);  // at ticks 30, 40 .. 150
        EXPECT_GE(windSlow, 300);
        EXPECT_LT(windSlow, 320);
        EXPECT_LE(windFast, 600);
        EXPECT_GT(windFast, 580);
        EXPECT_EQ(looks, (std::set<int32_t>{260, 261, 262, 263}));
        EXPECT_GE(slow, 80);
        EXPECT_LT(slow, 95);
        EXPECT_LE(fast, 150);
        EXPECT_GT(fast, 135);
        EXPECT_GE(lowVy, 0);
        EXPECT_LE(highVy, 20);
        EXPECT_GE(stoneTop, 0);
        EXPECT_LT(stoneTop, h / 4);
        EXPECT_LE(stoneBottom, h);
        EXPECT_GT(stoneBottom, 3 * h / 4);
        EXPECT_GE(windTop, 0);
        EXPECT_LT(windTop, h / 20);
        EXPECT_LE(windBottom, h);
        EXPECT_GT(windBottom, h - h / 20);
    }
}

TEST(KingTengu, TheFanAlwaysSweepsDownward) {
    for (int32_t facing : {1, -1}) {
        TenguFight f;
        f.Begin();
        // Hanging at the top of its leap, then the sweep of 12 ticks.
        f.tengu->SetState(CCharacterKingTengu::kFanA - 1);
        f.tengu->facing = facing;
        f.player->x = f.tengu->x + 2000 * facing;  // it keeps facing the player
        f.s.Run(4 + 12);
        const auto leaves = Shots(510);
        ASSERT_EQ(leaves.size(), 6u) << facing;
        // The first leaves fly forward, the last ones nearly straight down.
        EXPECT_EQ(leaves.front()->vx > 0, facing > 0);
        EXPECT_GT(leaves.back()->vy, 90);
        for (std::size_t k = 1; k < leaves.size(); ++k) EXPECT_GT(leaves[k]->vy, leaves[k - 1]->vy);
    }
}

TEST(KingTengu, TheFlyByFacesAwayFromTheNearerEdgeAndTurnsOnlyACellBeyondTheStageEdge) {
    // Right in the middle, as near one edge as the other, it faces left.
    for (const int place : {0, 1, 2}) {
        SCOPED_TRACE(place == 0 ? "near the left edge" : place == 1 ? "near the right edge" : "in the middle");
        TenguFight f;
        f.Begin();
        RiseToSecondPhase(f);
        const int32_t stageRight = f.s.Stage().width * kTileSize;
        f.tengu->SetStageX(place == 0 ? 2 * kTileSize : place == 1 ? stageRight - 2 * kTileSize : stageRight / 2);
        f.tengu->SetState(CCharacterKingTengu::kFlyBy);
        const int32_t facing = place == 0 ? 1 : -1;
        EXPECT_EQ(f.tengu->facing, facing);
        f.s.Run(1);
        EXPECT_EQ(f.tengu->vx, -150 * facing);  // backing toward the edge
        f.RunUntil([&] { return f.tengu->frame == CCharacterKingTengu::kFlyByFar; }, 100);
        ASSERT_EQ(f.tengu->frame, CCharacterKingTengu::kFlyByFar);
        // From a cell outside the edge it backed toward (one step flown).
        EXPECT_EQ(f.tengu->GetStageX() - f.tengu->vx, facing > 0 ? -kTileSize : stageRight + kTileSize);
        EXPECT_EQ(f.tengu->scaleX, 1.0);
        EXPECT_EQ(f.tengu->y, 1600);
        EXPECT_EQ(f.tengu->layer, 136);
        // Its balls fly a thirtieth of the way to the player a frame.
        const std::size_t balls = Shots(550).size();
        for (int i = 0; i < 20 && Shots(550).size() == balls; ++i) f.tengu->Frame();
        ASSERT_EQ(Shots(550).size(), balls + 1);
        // (on the first tick of its record 363)
        EXPECT_EQ(f.tengu->frame, 363);
        EXPECT_EQ(f.tengu->frameTimer, 0);
        const CCharacter* ball = Shots(550).back();
        EXPECT_EQ(ball->vx, (f.player->x - ball->x) / 30);
        EXPECT_EQ(ball->vy, (f.player->y - ball->y) / 30);
        int32_t lastX = f.tengu->x;
        f.RunUntil(
            [&] {
                const bool turned = f.tengu->frame == CCharacterKingTengu::kFlyByBack;
                if (!turned) lastX = f.tengu->x;
                return turned;
            },
            400);
        ASSERT_EQ(f.tengu->frame, CCharacterKingTengu::kFlyByBack);
        EXPECT_EQ(f.tengu->facing, -facing);
        if (facing > 0) EXPECT_GT(lastX + 100, stageRight + kTileSize);
        else EXPECT_LT(lastX - 100, -kTileSize);
        // Back to its size, height and layer, and back into the room at 100.
        EXPECT_EQ(f.tengu->scaleX, 2.0);
        EXPECT_EQ(f.tengu->y, 1000);
        EXPECT_EQ(f.tengu->layer, 168);
        f.tengu->Frame();
        EXPECT_EQ(f.tengu->vx, -100 * facing);
        EXPECT_GT(Shots(550).size() + Shots(551).size(), 0u);
    }
}

TEST(KingTengu, TheOpeningScenePosesFaceThePlayerAndFanAWindFromTheRight) {
    BossField f;
    auto* tengu = f.MakeBoss<CCharacterKingTengu>(10250, kBossX, 1000);
    tengu->SetState(CCharacterKingTengu::kScenePose);
    f.s.Run(200);
    EXPECT_EQ(tengu->frame, CCharacterKingTengu::kScenePose);
    EXPECT_EQ(tengu->y, kFloor - kHalf);
    EXPECT_EQ(tengu->facing, -1);  // the player is to its left
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_TRUE(f.music.empty());
    tengu->facing = 1;
    tengu->SetState(CCharacterKingTengu::kSceneGust);
    const std::size_t before = enemy_test::Effects(260, 263).size();
    f.s.Run(5);
    EXPECT_EQ(tengu->facing, -1);  // still turned to the player
    const auto streaks = enemy_test::Effects(260, 263);
    EXPECT_EQ(streaks.size(), before + 5);
    const int32_t w = CGameMain::GetInstance()->GetViewWidth() * 10;
    for (auto* e : streaks) EXPECT_LT(e->vx, 0);
    EXPECT_GE(streaks.back()->x, w);  // from beyond the right edge
    // Each blows left at 300 to 600, anywhere down the view.
    const int32_t h = CGameMain::GetInstance()->GetViewHeight() * 10;
    int32_t slowest = -1000, fastest = 0, top = h, bottom = 0;
    std::set<int32_t> looks;  // in turn, all four
    for (int i = 0; i < 100; ++i) {
        f.s.Run(1);
        const CCharacter* e = enemy_test::Effects(260, 263).back();
        looks.insert(e->frame);
        slowest = std::max(slowest, e->vx);
        fastest = std::min(fastest, e->vx);
        top = std::min(top, e->y);
        bottom = std::max(bottom, e->y);
    }
    EXPECT_EQ(looks, (std::set<int32_t>{260, 261, 262, 263}));
    EXPECT_GE(top, 0);
    EXPECT_LT(top, h / 10);
    EXPECT_LE(bottom, h);
    EXPECT_GT(bottom, h - h / 10);
    EXPECT_LE(slowest, -300);
    EXPECT_GT(slowest, -320);
    EXPECT_GE(fastest, -600);
    EXPECT_LT(fastest, -580);
}

// The ground attacks of the first phase, each from its first record back to
// the wait: its length, its sounds and its shots (state, count, speed as
// they leave). The boss alone runs, so that each shot is seen as it left.
TEST(KingTengu, EachGroundAttackFiresItsShotsAndReturnsToTheWait) {
    struct Case {
        const char* name;
        int32_t state;
        int frames;  // to the wait (0: by its leap, not counted)
        std::vector<int32_t> sounds;
        int32_t shot;
        std::size_t shots;
        double speed;
        std::size_t streaks;  // of wind
        bool turns;           // to the player as it starts
        int32_t spread;       // of the shots round it as they leave
        int32_t forward;      // the shots' speed along its facing (0: not along it)
    };
    const Case cases[] = {
        {"leap and fan", 240, 0, {49, 49, 49, 49}, 510, 6, 100, 0, true, 20, 0},
        {"forward blade", 260, 80, {50}, 530, 1, 200, 10, false, 0, 200},
        {"twin aimed shots", 280, 204, {}, 520, 2, 60, 0, true, 0, 0},
        {"ring", 300, 54, {21}, 540, 6, 40, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        TenguFight f;
        f.Begin();
        f.s.Run(1);
        f.s.ClearSounds();
        const std::size_t calm = enemy_test::Effects(260, 263).size();
        f.tengu->facing = 1;  // turned from the player
        f.tengu->SetState(c.state);
        EXPECT_EQ(f.tengu->facing, c.turns ? -1 : 1) << c.name;
        std::vector<CCharacterAttackEffect*> fired;
        std::set<CCharacter*> seen;
        int n = 0;
        for (; n < 400 && f.tengu->frame != EnemyState::Wait; ++n) {
            f.tengu->Frame();
            for (auto* shot : Shots(c.shot))
                if (seen.insert(shot).second) {
                    fired.push_back(shot);
                    EXPECT_LE(std::abs(shot->x - f.tengu->x), c.spread) << c.name;
                    EXPECT_LE(std::abs(shot->y - f.tengu->y), c.spread) << c.name;
                    if (c.forward != 0) {
                        EXPECT_EQ(shot->vx, c.forward * f.tengu->facing) << c.name;
                    }
                }
        }
        if (c.frames > 0) {
            EXPECT_EQ(n, c.frames) << c.name;
        }
        EXPECT_EQ(f.s.Sounds(), c.sounds) << c.name;
        EXPECT_EQ(enemy_test::Effects(260, 263).size() - calm, c.streaks) << c.name;
        ASSERT_EQ(fired.size(), c.shots) << c.name;
        for (auto* shot : fired) EXPECT_NEAR(std::hypot(shot->vx, shot->vy), c.speed, 1.5) << c.name;
    }
}

// The leaves of the fan, 10 degrees apart from 15 above the level, and the
// ring of six at 40, turned by its facing, all pausing 40 ticks together.
TEST(KingTengu, TheFanAndTheRingLeaveAtTheirAngles) {
    TenguFight f;
    f.Begin();
    f.s.Run(1);
    const int32_t facing = f.tengu->facing;
    // The blade's wind: streaks 300 to 600 forward, from anywhere between
    // the view's middle and a view's width behind it, and from 600 above
    // the view down to its bottom.
    int32_t windSlow = 1000, windFast = 0;
    const int32_t w = CGameMain::GetInstance()->GetViewWidth() * 10, h = CGameMain::GetInstance()->GetViewHeight() * 10;
    int32_t nearX = -100000, farX = 100000, top = 100000, bottom = -100000;  // x measured forward
    for (int i = 0; i < 30; ++i) {
        const std::size_t before = enemy_test::Effects(260, 263).size();
        f.tengu->SetState(CCharacterKingTengu::kBlade);
        const auto wind = enemy_test::Effects(260, 263);
        for (std::size_t k = before; k < wind.size(); ++k) {
            windSlow = std::min(windSlow, wind[k]->vx * facing);
            windFast = std::max(windFast, wind[k]->vx * facing);
            nearX = std::max(nearX, (wind[k]->x - w / 2) * facing);
            farX = std::min(farX, (wind[k]->x - w / 2) * facing);
            top = std::min(top, wind[k]->y);
            bottom = std::max(bottom, wind[k]->y);
        }
    }
    EXPECT_GE(windSlow, 300);
    EXPECT_LT(windSlow, 320);
    EXPECT_LE(windFast, 600);
    EXPECT_GT(windFast, 580);
    EXPECT_LE(nearX, 0);
    EXPECT_GT(nearX, -w / 20);
    EXPECT_GE(farX, -w);
    EXPECT_LT(farX, -w + w / 20);
    EXPECT_GE(top, -600);
    EXPECT_LT(top, -600 + h / 20);
    EXPECT_LE(bottom, h);
    EXPECT_GT(bottom, h - h / 20);
    for (auto* shot : Shots(530)) shot->SetState(EnemyState::Remove);
    f.s.Run(1);
    f.tengu->SetState(CCharacterKingTengu::kFanA - 1);
    for (int k = 0; k < 4 + 12; ++k) f.tengu->Frame();
    const auto leaves = Shots(510);
    ASSERT_EQ(leaves.size(), 6u);
    for (int k = 0; k < 6; ++k) {
        const double a = (2 * k) * M_PI / 18 - M_PI / 12;
        EXPECT_EQ(leaves[k]->vx, static_cast<int32_t>(std::cos(a) * 100 * facing)) << k;
        EXPECT_EQ(leaves[k]->vy, static_cast<int32_t>(std::sin(a) * 100)) << k;
        EXPECT_LE(std::abs(leaves[k]->x - f.tengu->x), 20) << k;
        EXPECT_LE(std::abs(leaves[k]->y - f.tengu->y), 20) << k;
    }
    f.tengu->SetState(CCharacterKingTengu::kRingShots);
    const auto ring = Shots(540);
    ASSERT_EQ(ring.size(), 6u);
    for (CCharacter* shot : ring)
        for (int32_t r : {540, 541, 542}) EXPECT_EQ(shot->frameTable.Find(r)->stateDuration, 40) << r;
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3 + M_PI / 6;
        EXPECT_EQ(ring[k]->vx, static_cast<int32_t>(std::sin(a) * 40 * facing)) << k;
        EXPECT_EQ(ring[k]->vy, static_cast<int32_t>(std::cos(a) * 40 * facing)) << k;
        EXPECT_EQ(ring[k]->attackDirX, ring[k]->vx) << k;
        EXPECT_EQ(ring[k]->attackDirY, ring[k]->vy) << k;
        EXPECT_EQ(ring[k]->frameTable.Find(540)->stateDuration, 40) << k;
    }
}

// The charged shots of the second phase: five over the attack, one every
// 30 ticks, each aimed at 170 with its sound and five trails along it.
TEST(KingTengu, TheChargedShotsComeFiveTimesAimedAt170) {
    TenguFight f;
    f.Begin();
    RiseToSecondPhase(f);
    f.s.ClearSounds();
    f.tengu->SetState(CCharacterKingTengu::kCharge);
    EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{51}));
    std::vector<CCharacterAttackEffect*> fired;
    std::set<CCharacter*> seen;
    const std::size_t trails = enemy_test::Effects(260, 263).size();
    int n = 0;
    std::vector<int> ticks;  // of the shots
    int32_t top = f.tengu->y, bottom = f.tengu->y, trailReachY = 0;
    for (; n < 400 && f.tengu->frame != CCharacterKingTengu::kHover; ++n) {
        f.tengu->Frame();
        if (f.tengu->frame / 2 == CCharacterKingTengu::kCharge / 2) {
            top = std::min(top, f.tengu->y);
            bottom = std::max(bottom, f.tengu->y);
        }
        for (auto* shot : Shots(570))
            if (seen.insert(shot).second) {
                fired.push_back(shot);
                ticks.push_back(n + 1);
                // From the boss itself; its trails round it (six steps back).
                EXPECT_EQ(shot->x, f.tengu->x);
                EXPECT_EQ(shot->y, f.tengu->y);
                const auto wind = enemy_test::Effects(260, 263);
                for (std::size_t k = wind.size() - 5; k < wind.size(); ++k)
                    trailReachY = std::max(trailReachY, std::abs(wind[k]->y + 6 * wind[k]->vy - f.tengu->y));
            }
    }
    EXPECT_EQ(n, 80 + 150);
    // Winding up it bobs; then a shot every 30 ticks from the 80th.
    EXPECT_GT(bottom - top, 50);
    EXPECT_EQ(ticks, (std::vector<int>{80, 110, 140, 170, 200}));
    EXPECT_LE(trailReachY, 300);
    EXPECT_GT(trailReachY, 250);
    ASSERT_EQ(fired.size(), 5u);
    for (auto* shot : fired) EXPECT_NEAR(std::hypot(shot->vx, shot->vy), 170.0, 1.5);
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 50), 5);
    // Five trails a shot, each along it at 180 to 259 150ths of its speed.
    const auto streaks = enemy_test::Effects(260, 263);
    ASSERT_EQ(streaks.size(), trails + 25);
    double slowest = 10, fastest = 0;
    std::set<int32_t> looks;  // of the wind, by the tick: 0, 30, .. 120 give two
    for (std::size_t k = trails; k < streaks.size(); ++k) {
        looks.insert(streaks[k]->frame);
        // Drawn a quarter turn by its facing off its own flight (an angle
        // of 0 points up, growing clockwise).
        const double flight = std::atan2(static_cast<double>(streaks[k]->vx), static_cast<double>(-streaks[k]->vy));
        EXPECT_NEAR(streaks[k]->angle, flight + f.tengu->facing * M_PI / 2, 1e-9) << k;
        // Put within 300 of it, then six of its steps back.
        EXPECT_LE(std::abs(streaks[k]->x + 6 * streaks[k]->vx - f.tengu->x), 300) << k;
        const double ratio = std::hypot(streaks[k]->vx, streaks[k]->vy) / 170.0;
        slowest = std::min(slowest, ratio);
        fastest = std::max(fastest, ratio);
    }
    EXPECT_EQ(looks, (std::set<int32_t>{260, 262}));
    EXPECT_GE(slowest, 1.19);
    EXPECT_LT(slowest, 1.3);
    EXPECT_LT(fastest, 1.74);
    EXPECT_GT(fastest, 1.6);
}

}  // namespace
