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
#include "support/Screenshot.h"
#include "win/Graphics.h"

namespace {

using namespace boss_test;

struct Case {
    const char* name;
    int32_t typeId;
    int32_t y;
    int32_t tourHold;
    int32_t fightState;
    bool ceiling;
    // Whether a character is this boss or one of its parts.
    std::function<bool(CCharacter*)> ofBoss;
};

template <class T>
std::function<bool(CCharacter*)> Of() {
    return [](CCharacter* c) { return dynamic_cast<T*>(c) != nullptr; };
}

std::vector<Case> Cases() {
    return {
        {"mammoth", 11020, kFloor - 590, 80, 240, false, Of<CCharacterMammoth>()},
        {"boseki", 10280, 1000, 200, 220, false, Of<CCharacterBoseki>()},
        {"big ghost", 10290, 1600, 300, 220, false, Of<CCharacterBigGhost>()},
        {"wanyudo", 11010, 1600, 200, 220, true, Of<CCharacterWanyudo>()},
        {"kappa tank", 11030, kFloor - 660, 120, 220, false, Of<CCharacterKappaTank>()},
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
        int held = 0;
        for (; held < 1000 && boss->frame != c.fightState; ++held) {
            f.s.Run(1);
            // (The big ghost holds the player only from its tour on, 20 frames in.)
            if (held >= 20 && boss->frame != c.fightState) {
                ASSERT_EQ(f.player->controlled, 0) << c.name << " " << held;
            }
        }
        // The tour: 30 frames there, the hold, 30 back.
        EXPECT_GE(held, c.tourHold + 58) << c.name;
        EXPECT_LT(held, c.tourHold + 200) << c.name;
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
            const int n = f.RunUntil([&] { return CountOf(c) == 0; }, 1500);
            EXPECT_LT(n, 1500) << c.name;
            EXPECT_GE(n, 260) << c.name;
            EXPECT_EQ(f.player->controlled, 1) << c.name;
            EXPECT_EQ(f.player->invulnerableTimer, 0) << c.name;
            EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr) << c.name;
            // The music stopped at the defeat start; then the stage's own,
            // unless it has none: "no music" is never asked to play.
            ASSERT_FALSE(f.music.empty()) << c.name;
            EXPECT_EQ(f.music.front(), kMusicStopped) << c.name;
            EXPECT_EQ(std::count(f.music.begin(), f.music.end(), -1), 0) << c.name;
            if (stageMusic >= 0) {
                EXPECT_EQ(f.music.back(), stageMusic) << c.name;
            }
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
