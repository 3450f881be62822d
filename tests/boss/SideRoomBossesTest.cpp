// The five side-room bosses alike: each entrance holds the player through
// its camera tour and then starts the fight with the boss music and the
// life bar; a heavy blow is capped; each defeat runs to its end and hands
// the room back: the player free, the bar gone, the boss and all of its
// parts removed, and the stage's music again (none asked for when the
// stage has none).
//
// With PELLUMBRISK_SHOTS set to a folder, each fight is drawn through the
// game's own drawing a second into it and written there as <boss>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>

#include "boss/CharacterBigGhost.h"
#include "boss/CharacterBoseki.h"
#include "boss/CharacterKappaTank.h"
#include "boss/CharacterMammoth.h"
#include "boss/CharacterWanyudo.h"
#include "boss/SideRoom.h"
#include "framework/StateLoading.h"
#include "stage/EventSpot1.h"
#include "support/Screenshot.h"
#include "win/Graphics.h"

namespace {

using namespace boss_test;

// The state timers of the defeat at which an explosion's sound comes:
// every `step` from `from` up to (not including) `to`.
std::vector<int32_t> Every(std::vector<std::array<int32_t, 3>> runs) {
    std::vector<int32_t> out;
    for (const auto& [from, to, step] : runs)
        for (int32_t t = from; t < to; t += step) out.push_back(t);
    return out;
}

struct Case {
    const char* name;
    int32_t typeId;
    int32_t y;
    int32_t tourHold;
    int32_t held;  // frames from its creation to the fight
    int32_t fightState;
    bool ceiling;
    // Whether a character is this boss or one of its parts.
    std::function<bool(CCharacter*)> ofBoss;
    // Its body's blow on what it touches (none: 0, 0).
    std::pair<int32_t, int32_t> trample;
    // The defeat: the record and sound of its explosions, their state
    // timers, and the speed it is thrown up at by the last blast (0: it is
    // not thrown).
    int32_t blastRecord, blastSound;
    std::vector<int32_t> blasts;
    int32_t spread;  // of the explosions round it (0: not attack effects)
    int32_t throwVy;
    double spin;  // a frame as it falls
};

template <class T>
std::function<bool(CCharacter*)> Of() {
    return [](CCharacter* c) { return dynamic_cast<T*>(c) != nullptr; };
}

std::vector<Case> Cases() {
    // Every 40 ticks below 80, 20 below 140, 10 below 200, 5 below 260 (the
    // first tick of the defeat counts 1).
    const auto shared = Every({{40, 80, 40}, {80, 140, 20}, {140, 200, 10}, {200, 260, 5}});
    // The tours from the first tick: 30 frames there, the hold, 30 back
    // and the frames of the hand-over; those from 20 frames in (231) later.
    return {
        {"mammoth", 11020, kFloor - 590, 80, 143, 240, false, Of<CCharacterMammoth>(), {15, 100}, 110, 53, shared, 500, -110, 0.8},
        {"boseki", 10280, 1000, 200, 282, 220, false, Of<CCharacterBoseki>(), {0, 0}, 110, 53, shared, 500, -115, 0.0},
        {"big ghost", 10290, 1600, 300, 382, 220, false, Of<CCharacterBigGhost>(), {0, 0}, 110, 22,
         Every({{40, 140, 10}, {140, 200, 5}, {201, 260, 3}}), 0, 0, 0.0},
        // The wanyudo bounces 40 ticks still first; its explosions start
        // with the bouncing.
        {"wanyudo", 11010, 1600, 200, 282, 220, true, Of<CCharacterWanyudo>(), {0, 0}, 111, 53,
         Every({{0, 80, 40}, {80, 140, 20}, {140, 200, 10}, {200, 260, 5}}), 200, 0, 0.0},
        {"kappa tank", 11030, kFloor - 660, 120, 183, 220, false, Of<CCharacterKappaTank>(), {15, 100}, 110, 53, shared,
         500, -110, 0.8},
    };
}

// The fight as the game draws it, when a folder for pictures is given.
void Picture(const char* name) {
    static const char* dir = std::getenv("PELLUMBRISK_SHOTS");
    static const bool ready = [] {
        if (dir == nullptr || !InitGraphics()) return false;
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
        return true;
    }();
    if (!ready) return;
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF2B2140u, 1.0f);
    device->BeginScene();
    World().DrawAll();
    device->EndScene();
    std::string file = std::string(dir) + "/" + name + ".png";
    std::replace(file.begin(), file.end(), ' ', '_');
    testing_support::WriteScreenshot(file);
}

int CountOf(const Case& c) {
    int n = 0;
    for (int32_t i = 1; i <= World().GetCount(); ++i) n += c.ofBoss(World().GetAt(i)) ? 1 : 0;
    return n;
}

TEST(SideRoomBosses, EachEntranceHoldsThePlayerThroughTheTourThenTheFightBegins) {
    for (const Case& c : Cases()) {
        SideRoom f(800, RoomGrid(20, true, c.ceiling));
        CCharacter* boss = f.s.AddAt(c.typeId, 4000, c.y);
        boss->facing = 1;
        int held = 0;
        bool toured = false;
        for (; held < 1000 && boss->frame != c.fightState; ++held) {
            f.s.Run(1);
            // From its first frame it turns to the player on its left.
            if (held == 0) {
                EXPECT_EQ(boss->facing, -1) << c.name;
            }
            // The tour: 30 frames of travel each way and its hold on the boss.
            if (!toured && CEvent::GetInstance()->GetCurrentId() == 3) {
                toured = true;
                EXPECT_EQ(CEventSpot1::GetInstance()->m_travelFrames, 30) << c.name;
                EXPECT_EQ(CEventSpot1::GetInstance()->m_waitFrames, c.tourHold) << c.name;
            }
            // (The big ghost holds the player only from its tour on, 20 frames in.)
            if (held >= 20 && boss->frame != c.fightState) {
                ASSERT_EQ(f.player->controlled, 0) << c.name << " " << held;
            }
        }
        EXPECT_TRUE(toured) << c.name;
        EXPECT_EQ(held, c.held) << c.name;
        EXPECT_EQ(f.player->controlled, 1) << c.name;
        EXPECT_EQ(f.music.front(), kMusicStopped) << c.name;
        EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kBossMusic) << c.name;
        EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, boss) << c.name;

        // A blow of 400 takes 200; the parts cannot be hit at all.
        if (c.typeId == CCharacterBigGhost::kTypeId) {
            CCharacterBigGhost::SetLight(203, true);
            CCharacterBigGhost::SetLight(204, true);
            f.s.Run(1);
        }
        if (std::getenv("PELLUMBRISK_SHOTS") != nullptr) {
            f.s.Run(60);
            Picture(c.name);
        }
        const int32_t hp = boss->hp;
        EXPECT_TRUE(f.Strike(boss, 400)) << c.name;
        EXPECT_EQ(boss->hp, hp - 200) << c.name;
        for (int32_t i = 1; i <= World().GetCount(); ++i) {
            CCharacter* part = World().GetAt(i);
            if (part == boss || !c.ofBoss(part)) continue;
            const FrameRecord& r = part->CurrentRecord();
            EXPECT_EQ(r.hurtLeft | r.hurtRight | r.attackLeft | r.attackRight, 0) << c.name << " " << part->frame;
        }
        CCharacterBigGhost::SetLight(203, false);
        CCharacterBigGhost::SetLight(204, false);
    }
}

// The mammoth and the tank trample whatever they touch on every frame
// (kind 15, 100 a blow); the others never hurt by touch.
TEST(SideRoomBosses, OnlyTheMammothAndTheTankHurtByTouch) {
    for (const Case& c : Cases()) {
        SideRoom f(800, RoomGrid(20, true, c.ceiling));
        CCharacter* boss = f.s.AddAt(c.typeId, 4000, c.y);
        f.RunUntil([&] { return boss->frame == c.fightState; }, 1000);
        if (c.typeId == CCharacterBigGhost::kTypeId) {
            CCharacterBigGhost::SetLight(203, true);
            CCharacterBigGhost::SetLight(204, true);
        }
        Victim* victim = f.AddVictim(boss->x);
        victim->y = boss->y;
        f.s.Run(10);
        const std::vector<std::pair<int32_t, int32_t>> none, trampled(10, c.trample);
        EXPECT_EQ(victim->blows, c.trample.first != 0 ? trampled : none) << c.name;
        CCharacterBigGhost::SetLight(203, false);
        CCharacterBigGhost::SetLight(204, false);
    }
}

TEST(SideRoomBosses, EachDefeatRunsToItsEndAndHandsTheRoomBack) {
    for (const Case& c : Cases()) {
        for (int32_t stageMusic : {-1, 4}) {
            SideRoom f(800, RoomGrid(20, true, c.ceiling));
            f.s.Stage().music = stageMusic;
            CCharacter* boss = f.s.AddAt(c.typeId, 4000, c.y);
            f.RunUntil([&] { return boss->frame == c.fightState; }, 1000);
            f.s.Run(30);
            ASSERT_GT(CountOf(c), 0) << c.name;
            boss->hp = 10;
            boss->OnHit(1, 50, 1, f.player);
            ASSERT_EQ(boss->frame, EnemyState::Defeated) << c.name;
            EXPECT_EQ(f.player->frame, PlayerState::Victory) << c.name;
            f.music.clear();
            f.s.ClearSounds();
            // The explosions by state timer, and the throw of the last blast.
            std::vector<int32_t> blasts, fall;  // fall: its height after each frame of the fall
            std::vector<double> turn;           // and its angle
            bool handed = false;
            int heard = 0;
            int32_t farthest = 0;
            int32_t thrownVy = 0;
            bool thrown = false;
            const int n = f.RunUntil(
                [&] {
                    // The boss is deleted in the frame it leaves: touch it only while it is there
                    // (the wanyudo's flames fly on a little after it).
                    if (CountOf(c) == 0) return true;
                    if (!testing_support::Listed(boss)) return false;
                    if (boss->frame == c.blastRecord && f.Heard(c.blastSound) > heard) {
                        blasts.push_back(boss->stateTimer);
                        // The newest explosion, within its spread of the boss.
                        if (c.spread > 0) {
                            const CCharacter* e = Shots(581).back();
                            const int32_t off = std::max(std::abs(e->x - boss->x), std::abs(e->y - boss->y));
                            EXPECT_LE(off, c.spread + 100) << c.name;  // (it may have moved a frame)
                            farthest = std::max(farthest, off);
                        }
                    }
                    heard = f.Heard(c.blastSound);
                    if (!thrown && boss->frame == EnemyState::BossDefeatFall) {
                        thrown = true;
                        thrownVy = boss->vy;
                    }
                    // The room is handed back in the frame that begins below 8000.
                    if (c.throwVy != 0 && !handed && f.player->controlled == 1) {
                        handed = true;
                        EXPECT_GE(fall.size(), 2u) << c.name;
                        if (fall.size() >= 2) {
                            EXPECT_GT(fall.back(), 8000) << c.name;
                            EXPECT_LE(fall[fall.size() - 2], 8000) << c.name;
                        }
                    }
                    if (thrown && !handed) {
                        fall.push_back(boss->y);
                        turn.push_back(boss->angle);
                    }
                    return false;
                },
                1500);
            EXPECT_EQ(blasts, c.blasts) << c.name;
            if (c.spread > 0) {
                EXPECT_GT(farthest, c.spread * 4 / 5) << c.name;
            }
            if (c.throwVy != 0) {
                EXPECT_EQ(thrownVy, c.throwVy) << c.name;
                EXPECT_TRUE(handed) << c.name;
                ASSERT_GE(turn.size(), 2u) << c.name;
                for (std::size_t k = 1; k < turn.size(); ++k) EXPECT_NEAR(std::abs(turn[k] - turn[k - 1]), c.spin, 1e-9) << c.name << " " << k;
            }
            EXPECT_LT(n, 1500) << c.name;
            EXPECT_GE(n, 260) << c.name;
            EXPECT_EQ(f.player->controlled, 1) << c.name;
            EXPECT_EQ(f.player->invulnerableTimer, 0) << c.name;
            EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr) << c.name;
            // The music stopped at the defeat start; then the stage's own
            // is asked for (none: -1).
            ASSERT_FALSE(f.music.empty()) << c.name;
            EXPECT_EQ(f.music.front(), kMusicStopped) << c.name;
            EXPECT_EQ(f.music.back(), stageMusic) << c.name;
            // Nothing of the enemies' group is left behind.
            for (int32_t i = 1; i <= World().GetCount(); ++i)
                EXPECT_EQ(World().GetAt(i)->group & 2, 0) << c.name << " " << World().GetAt(i)->typeId;
        }
    }
}

TEST(SideRoomBosses, OnTheMapsThatKeepTheirMusicNoneIsTouched) {
    for (const Case& c : Cases()) {
        SideRoom f(800, RoomGrid(20, true, c.ceiling));
        CGameMain::GetInstance()->m_mapId = 250;
        f.s.Stage().music = 4;
        CCharacter* boss = f.s.AddAt(c.typeId, 4000, c.y);
        f.RunUntil([&] { return boss->frame == c.fightState; }, 1000);
        boss->hp = 10;
        boss->OnHit(1, 50, 1, f.player);
        f.RunUntil([&] { return CountOf(c) == 0; }, 1500);
        EXPECT_TRUE(f.music.empty()) << c.name;
    }
}

}  // namespace
