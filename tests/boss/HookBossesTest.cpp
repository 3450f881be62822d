// The hook-style bosses (the ghost, the one-eyed monster, the tengu) and the
// king tengu's second form with its eyes, each fought in a small arena
// through the real play frame: the entrance, every attack with its periods
// and counts, capped damage, and the defeat that ends in the stage exit.
//
// With PELLUMBRISK_SHOTS set to a folder, the key moments of each fight are
// drawn through the game's own drawing and written there as
// <boss>-<moment>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

#include "boss/BossField.h"
#include "boss/CharacterBossGhost.h"
#include "boss/CharacterKingTengu2nd.h"
#include "boss/CharacterKingTengu2ndEye.h"
#include "boss/CharacterOneEyedMonster.h"
#include "boss/CharacterTengu.h"
#include "player/CharacterPlayer.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "support/PlayerRoom.h"
#include "support/Screenshot.h"
#include "ui/GameInput.h"
#include "win/Graphics.h"

namespace {

using namespace boss_test;
using enemy_test::TimesItGrew;

constexpr int32_t kStandHalf = 300;  // the ground bosses' feet lie 300 below them
constexpr int32_t kBossX = 3000;

template <class Pred>
int RunUntil(Scenario& s, Pred done, int limit) {
    int n = 0;
    while (!done() && n < limit) {
        s.Run(1);
        ++n;
    }
    return n;
}

int CountOf(const std::vector<int32_t>& v, int32_t x) { return static_cast<int>(std::count(v.begin(), v.end(), x)); }

std::size_t ShotCount(int32_t state) { return Shots(state).size(); }

// The world as the game draws it, written as <name>.png when
// PELLUMBRISK_SHOTS names a folder.
void Snapshot(const std::string& name) {
    const char* dir = std::getenv("PELLUMBRISK_SHOTS");
    if (dir == nullptr) return;
    static bool ready = false;
    if (!ready) {
        ready = InitGraphics();
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    }
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF2B2140u, 1.0f);
    device->BeginScene();
    testing_support::World().DrawAll();
    device->EndScene();
    testing_support::WriteScreenshot(std::string(dir) + "/" + name + ".png");
}

// Counts the shots of a state that appear, frame by frame (the shots of an
// attack come further apart than any one of them lives).
struct SpawnCount {
    int32_t state;
    std::size_t last = 0;
    int total = 0;
    std::vector<CCharacterAttackEffect*> newest = {};
    void Step() {
        const auto now = Shots(state);
        if (now.size() > last) {
            total += static_cast<int>(now.size() - last);
            newest.assign(now.end() - static_cast<std::ptrdiff_t>(now.size() - last), now.end());
        }
        last = now.size();
    }
};

struct HookCase {
    int32_t typeId;
    int32_t y;
};

TEST(HookBosses, EachHoldsItsEntranceTakesCappedBlowsAndEndsInTheStageExit) {
    for (const HookCase& k : {HookCase{10050, 1600}, HookCase{10210, kFloor - kStandHalf}, HookCase{10080, kFloor - kStandHalf}}) {
        BossField f;
        f.player->controlled = 0;
        auto* boss = dynamic_cast<CCharacterEnemyBoss*>(f.s.AddAt(k.typeId, kBossX, k.y));
        ASSERT_NE(boss, nullptr) << k.typeId;
        boss->facing = 1;
        // The fight starts after 20 frames with the life bar; the boss then
        // waits for the player to move, turned toward it.
        f.s.Run(20);
        EXPECT_EQ(boss->frame, EnemyState::FightStart) << k.typeId;
        EXPECT_EQ(boss->facing, -1) << k.typeId;
        EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar()->m_target, boss) << k.typeId;
        // Waiting, the ghost bobs up and down; the others stand.
        int32_t top = boss->y, bottom = boss->y;
        for (int i = 0; i < 30; ++i) {
            f.s.Run(1);
            top = std::min(top, boss->y);
            bottom = std::max(bottom, boss->y);
        }
        if (k.typeId == 10050) {
            EXPECT_GT(bottom - top, 150);
            EXPECT_LT(bottom - top, 250);
        } else {
            EXPECT_EQ(bottom - top, 0) << k.typeId;
        }
        EXPECT_EQ(boss->frame, EnemyState::FightStart) << k.typeId;
        f.player->controlled = 1;
        f.s.Run(1);
        EXPECT_EQ(boss->frame, EnemyState::Wait) << k.typeId;
        // Waiting, the ground bosses keep turning to the player; the
        // patrolling ghost does not.
        boss->facing = 1;
        f.s.Run(1);
        EXPECT_EQ(boss->facing, k.typeId == 10050 ? 1 : -1) << k.typeId;
        // A blow of 400 counts 200; the lethal one starts the defeat.
        const int32_t full = boss->hp;
        boss->OnHit(1, 400, 1, f.player);
        EXPECT_EQ(boss->hp, full - 200) << k.typeId;
        EXPECT_NE(boss->frame, EnemyState::Hurt);
        boss->hp = 10;
        f.s.Run(1);
        boss->OnHit(1, 50, 1, f.player);
        ASSERT_EQ(boss->frame, EnemyState::Defeated) << k.typeId;
        EXPECT_EQ(f.player->frame, PlayerState::Victory);
        // The defeat records have no hurt box: nothing can strike it again.
        for (int32_t r : {110, 111, 112}) EXPECT_EQ(boss->frameTable.Find(r)->hurtRight, 0) << k.typeId << " " << r;
        // Its orbs all turn the way it faces.
        int orbs = 0, turnedAway = 0;
        const int n = RunUntil(
            f.s,
            [&] {
                for (const CCharacter* orb : enemy_test::Effects(CCharacterEffect::kScoreOrb, CCharacterEffect::kScoreOrb)) {
                    ++orbs;
                    if (orb->facing != boss->facing) ++turnedAway;
                }
                return f.player->frame == PlayerState::StageExit;
            },
            300);
        EXPECT_EQ(n, 128 + 50) << k.typeId;
        EXPECT_GT(orbs, 0) << k.typeId;
        EXPECT_EQ(turnedAway, 0) << k.typeId;
        EXPECT_EQ(boss->frame, EnemyState::Gone);
        EXPECT_EQ(boss->alpha, 0);
    }
}

// --- The ghost ------------------------------------------------------------------------

TEST(BossGhost, ItsRainLengthensWithEveryFifthOfLifeLost) {
    struct Case {
        int32_t hp;
        int fires;
    };
    for (const Case& c : {Case{8000, 1}, Case{6401, 1}, Case{6400, 2}, Case{3200, 4}, Case{1600, 5}, Case{1, 5}}) {
        BossField f;
        auto* ghost = f.MakeBoss<CCharacterBossGhost>(10050, kBossX, 1600);
        f.s.Run(1);
        ghost->hp = c.hp;
        ghost->SetState(CCharacterBossGhost::kRain);
        f.s.ClearSounds();
        const int n = RunUntil(f.s, [&] { return ghost->frame == EnemyState::Wait; }, 400);
        EXPECT_EQ(CountOf(f.s.Sounds(), 21), c.fires) << c.hp;
        if (c.hp == 1) Snapshot("ghost-rain");
        // One fire every 20 frames after the 20 of the raised hands; the full
        // rain runs out by the table.
        EXPECT_EQ(n, c.fires < 5 ? 20 + 20 * c.fires : 140) << c.hp;
    }
    // Each fire appears 400 to 800 above the ghost, anywhere across the
    // 4400 of the room, with its sound.
    BossField f;
    auto* ghost = f.MakeBoss<CCharacterBossGhost>(10050, kBossX, 1600);
    f.s.Run(1);
    f.s.ClearSounds();
    int32_t lowY = 0, highY = -100000, leftX = 100000, rightX = -100000;
    for (int i = 0; i < 80; ++i) {
        ghost->SetState(CCharacterBossGhost::kFirstFire);
        const CCharacter* fire = Shots(CCharacterBossGhost::kFire).back();
        lowY = std::min(lowY, fire->y - ghost->y);
        highY = std::max(highY, fire->y - ghost->y);
        leftX = std::min(leftX, fire->x);
        rightX = std::max(rightX, fire->x);
    }
    EXPECT_EQ(ShotCount(410), 80u);
    EXPECT_EQ(CountOf(f.s.Sounds(), 21), 80);
    EXPECT_GE(lowY, -800);
    EXPECT_LE(lowY, -770);
    EXPECT_GE(highY, -430);
    EXPECT_LE(highY, -400);
    EXPECT_GE(leftX, 0);
    EXPECT_LE(leftX, 300);
    EXPECT_GE(rightX, 4100);
    EXPECT_LE(rightX, 4400);
    // In a room scrolled by 1000 it still falls across the room itself.
    f.s.Stage().cameraX = 1000;
    leftX = 100000;
    rightX = -100000;
    for (int i = 0; i < 80; ++i) {
        ghost->SetState(CCharacterBossGhost::kFirstFire);
        const CCharacter* fire = Shots(CCharacterBossGhost::kFire).back();
        leftX = std::min(leftX, fire->x);
        rightX = std::max(rightX, fire->x);
    }
    EXPECT_GE(leftX, -1000);
    EXPECT_LE(leftX, -700);
    EXPECT_GE(rightX, 3100);
    EXPECT_LE(rightX, 3400);
}

TEST(BossGhost, ItPatrolsBetweenTheRoomsTurningPointsWithoutTurningToThePlayer) {
    BossField f;
    auto* ghost = f.MakeBoss<CCharacterBossGhost>(10050, 3900, 1600);
    f.s.Run(1);
    ASSERT_EQ(ghost->frame, EnemyState::Wait);
    ghost->facing = 1;
    int32_t maxX = ghost->x, top = ghost->y, bottom = ghost->y;
    for (int i = 0; i < 40; ++i) {
        f.s.Run(1);
        maxX = std::max(maxX, ghost->x);
        top = std::min(top, ghost->y);
        bottom = std::max(bottom, ghost->y);
    }
    // Bobbing as it goes.
    EXPECT_GT(bottom - top, 80);
    EXPECT_LT(bottom - top, 250);
    // Past 4000 it turns back, though the player is to its left all along.
    EXPECT_EQ(ghost->facing, -1);
    EXPECT_LE(maxX, 4000 + 20);
    EXPECT_LT(ghost->x, maxX);
    // It drifts at 10 (the hover moves it only up and down).
    const int32_t from = ghost->x;
    f.s.Run(5);
    EXPECT_EQ(ghost->vx, -10);
    EXPECT_EQ(ghost->x, from - 5 * 10);
    // Below 400 it turns to the right again.
    ghost->x = 390;
    f.s.Run(1);
    EXPECT_EQ(ghost->facing, 1);
    // It turns only beyond its turning points, 4000 and 400 (the stage's
    // own positions here, the camera at rest).
    // In a room scrolled by 1000 its right turning point lies 1000 further left.
    struct Turn {
        int32_t x, facing, turnedTo, camera = 0;
    };
    for (const Turn& t : {Turn{4001, 1, -1}, Turn{4000, 1, 1}, Turn{3000, 1, 1}, Turn{399, -1, 1}, Turn{400, -1, -1},
                          Turn{1000, -1, -1}, Turn{3001, 1, -1, 1000}, Turn{3000, 1, 1, 1000}}) {
        f.s.Stage().cameraX = t.camera;
        ghost->x = t.x;
        ghost->facing = t.facing;
        ghost->Frame();
        EXPECT_EQ(ghost->vx, 10 * t.facing) << t.x;
        EXPECT_EQ(ghost->facing, t.turnedTo) << t.x;
    }
    // Its body is put back inside the view before each step.
    const int32_t right = std::min(f.s.Stage().width * kTileSize, CGameMain::GetInstance()->GetViewWidth() * 10);
    ghost->x = right + 500;
    ghost->facing = -1;
    ghost->Frame();
    EXPECT_EQ(ghost->x + ghost->CurrentRecord().bodyRight, right - 10);
    // And so it is while it waits for the player at its entrance.
    ghost->SetState(EnemyState::Entrance);
    ghost->x = right + 500;
    ghost->vx = 0;
    ghost->Frame();
    EXPECT_EQ(ghost->x + ghost->CurrentRecord().bodyRight, right);
}

// --- The one-eyed monster -------------------------------------------------------------

TEST(OneEyedMonster, ItsJumpStompsOnlyWhereThePlayerStillIs) {
    for (bool playerLeaves : {false, true}) {
        BossField f;
        auto* monster = f.MakeBoss<CCharacterOneEyedMonster>(10210, kBossX, kStandHalf);
        f.player->invulnerableTimer = -1;
        Victim* victim = f.AddVictim(800);
        f.s.Run(1);
        monster->SetState(CCharacterOneEyedMonster::kJump);
        EXPECT_EQ(monster->vy, -120);
        EXPECT_EQ(monster->attackDirX, (800 - kBossX) / 24);
        // Moved away after the jump: the speed stays, it lands short.
        if (playerLeaves) f.player->x = -600;
        bool stomped = false;
        RunUntil(
            f.s,
            [&] {
                stomped = stomped || monster->frame == CCharacterOneEyedMonster::kStomp;
                return monster->frame == EnemyState::Wait;
            },
            200);
        EXPECT_EQ(stomped, !playerLeaves);
        // The stomp's body blows (kind 15, 10 each), and none from the jump.
        EXPECT_EQ(victim->blows.empty(), playerLeaves);
        for (const auto& blow : victim->blows) EXPECT_EQ(blow, (std::pair<int32_t, int32_t>{15, 10}));
        if (!playerLeaves) Snapshot("oneeye-stomp-landed");
        EXPECT_EQ(monster->frame, EnemyState::Wait);
        EXPECT_EQ(monster->vx, 0) << playerLeaves;  // landed, it stands
        EXPECT_EQ(monster->y, kFloor - kStandHalf);
        if (!playerLeaves) {
            EXPECT_LE(std::abs(monster->x - 800), 100);
        }
        // Its landing shakes the room.
        EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 30);
    }
}

// A monster standing exactly at the player's x jumps straight up and
// stomps as it falls.
TEST(OneEyedMonster, RightOverThePlayerItStompsOnTheWayDown) {
    BossField f;
    auto* monster = f.MakeBoss<CCharacterOneEyedMonster>(10210, 800, kStandHalf);
    f.player->invulnerableTimer = -1;
    f.s.Run(1);
    monster->SetState(CCharacterOneEyedMonster::kJump);
    EXPECT_EQ(monster->attackDirX, 0);
    // At the top: 24 frames of gravity 5 take its 120.
    EXPECT_EQ(RunUntil(f.s, [&] { return monster->frame != 240; }, 100), 24);
    EXPECT_EQ(monster->frame, 241);
}

TEST(OneEyedMonster, ItsSmashThrowsSixteenShardsThenARockAtThePlayer) {
    BossField f;
    auto* monster = f.MakeBoss<CCharacterOneEyedMonster>(10210, kBossX, kStandHalf);
    f.s.Run(1);
    monster->facing = 1;
    monster->SetState(CCharacterOneEyedMonster::kSmash);
    f.s.Run(1);
    EXPECT_EQ(monster->facing, -1);  // turned to the player
    f.s.Run(5);
    const auto a = Shots(CCharacterOneEyedMonster::kShardA), b = Shots(CCharacterOneEyedMonster::kShardB);
    ASSERT_EQ(a.size() + b.size(), 16u);
    for (auto* s : a) EXPECT_LT(s->vy, 0);
    f.s.Run(3);
    Snapshot("oneeye-smash");
    const auto rockOut = [] { return ShotCount(CCharacterOneEyedMonster::kRock) + ShotCount(450); };
    EXPECT_EQ(rockOut(), 0u);
    f.s.Run(17);
    EXPECT_EQ(rockOut(), 1u);
    f.s.Run(27);
    EXPECT_EQ(monster->frame, CCharacterOneEyedMonster::kSmash + 3);
    f.s.Run(1);
    EXPECT_EQ(monster->frame, EnemyState::Wait);

    // Entered directly: four volleys of four from its feet (150 below it,
    // 150 either side), flying up at 20 to 40, to the left and then to the
    // right for each of the two shard kinds.
    for (auto* shard : Shots()) shard->SetState(EnemyState::Remove);
    f.s.Run(1);
    monster->SetState(CCharacterOneEyedMonster::kDebris);
    struct VolleyRow {
        int32_t state, vx0, vx1;
    };
    const VolleyRow volleys[] = {{480, -40, 0}, {480, 0, 40}, {490, -40, 0}, {490, 0, 40}};
    const auto shards = Shots();
    ASSERT_EQ(shards.size(), 16u);
    for (std::size_t i = 0; i < shards.size(); ++i) {
        const VolleyRow& v = volleys[i / 4];
        EXPECT_EQ(shards[i]->frame, v.state) << i;
        EXPECT_EQ(shards[i]->y, monster->y + 150) << i;
        EXPECT_LE(std::abs(shards[i]->x - monster->x), 150) << i;
        EXPECT_GE(shards[i]->vx, v.vx0) << i;
        EXPECT_LE(shards[i]->vx, v.vx1) << i;
        EXPECT_GE(shards[i]->vy, -40) << i;
        EXPECT_LE(shards[i]->vy, -20) << i;
    }
    // Over more smashes the speeds fill their ranges, every volley its own.
    int32_t lowestVy = 0, highestVy = -100, spread = 0;
    int32_t widest[4] = {};
    for (int k = 0; k < 60; ++k) {
        for (auto* shard : Shots()) shard->SetState(EnemyState::Remove);
        f.s.Run(1);
        monster->SetState(CCharacterOneEyedMonster::kDebris);
        const auto made = Shots();
        for (std::size_t i = 0; i < made.size(); ++i) {
            const CCharacter* shard = made[i];
            lowestVy = std::min(lowestVy, shard->vy);
            highestVy = std::max(highestVy, shard->vy);
            widest[i / 4 % 4] = std::max(widest[i / 4 % 4], std::abs(shard->vx));
            spread = std::max(spread, std::abs(shard->x - monster->x));
        }
    }
    EXPECT_EQ(lowestVy, -40);
    EXPECT_EQ(highestVy, -20);
    for (int v = 0; v < 4; ++v) EXPECT_EQ(widest[v], 40) << v;
    EXPECT_LE(spread, 150);
    EXPECT_GT(spread, 135);
    // The rock leaves its hand 150 in front, thrown up at 138 and across at
    // a 46th of the way to the player.
    monster->SetState(CCharacterOneEyedMonster::kThrow);
    const auto rocks = Shots(CCharacterOneEyedMonster::kRock);
    ASSERT_EQ(rocks.size(), 1u);
    const int32_t hand = monster->x + 150 * monster->facing;
    EXPECT_EQ(rocks[0]->x, hand);
    EXPECT_EQ(rocks[0]->y, monster->y);
    EXPECT_EQ(rocks[0]->vx, (800 - hand) / 46);
    EXPECT_EQ(rocks[0]->vy, -138);
    // All through the smash it stands turned to the player.
    for (int32_t record : {260, 261, 262, 263}) {
        monster->facing = 1;
        monster->vx = 30;
        monster->SetState(record);
        monster->Frame();
        EXPECT_EQ(monster->facing, -1) << record;
        EXPECT_EQ(monster->vx, 0) << record;
    }
}

TEST(OneEyedMonster, FiveHopsDropTenStonesAcrossTheRoomAndShakeItFiveTimes) {
    BossField f;
    auto* monster = f.MakeBoss<CCharacterOneEyedMonster>(10210, kBossX, kStandHalf);
    f.s.Run(1);
    // Each hop starts up at 40.
    for (int32_t hop : {280, 282, 284, 286, 288}) {
        monster->vy = 0;
        monster->SetState(hop);
        EXPECT_EQ(monster->vy, -40) << hop;
    }
    monster->SetState(CCharacterOneEyedMonster::kHops);
    SpawnCount stones{CCharacterOneEyedMonster::kStone};
    int shakes = 0;
    int32_t lastShake = 0;
    int frame = 0;
    std::vector<int> stoneFrames;  // (seen the frame after)
    f.s.beforeFrame = [&](Scenario&) {
        stones.Step();
        for (std::size_t k = 0; k < stones.newest.size(); ++k) stoneFrames.push_back(frame);
        ++frame;
        // Each is seen one frame into its fall from 320, high over the room.
        for (auto* stone : stones.newest) EXPECT_EQ(stone->y - stone->vy, 320);
        stones.newest.clear();
        const CEffect* effect = CEffect::GetInstance();
        const int32_t now = effect->m_shakeFrames;
        if (now > lastShake) {
            ++shakes;
            // Up and down 10, easing by 1 (seen a frame later, eased once).
            EXPECT_EQ(std::vector<int32_t>({effect->m_shakeLowY, effect->m_shakeHighY, effect->m_shakeDecay}),
                      std::vector<int32_t>({-10, 10 - 1, 1}));
        }
        lastShake = now;
    };
    int32_t left = 100000, right = 0;
    const auto across = [&] {
        for (auto* stone : Shots(CCharacterOneEyedMonster::kStone)) {
            left = std::min(left, stone->x);
            right = std::max(right, stone->x);
        }
    };
    RunUntil(f.s, [&] { across(); return monster->frame == EnemyState::Wait; }, 400);
    f.s.Run(1);
    f.s.beforeFrame = nullptr;
    EXPECT_EQ(monster->frame, EnemyState::Wait);
    EXPECT_EQ(stones.total, 10);
    // A stone in the frame each hop's rise at 40 has come to nothing (8 of
    // gravity 5), and another in the frame it lands.
    EXPECT_EQ(stoneFrames, (std::vector<int>{8, 16, 24, 33, 41, 50, 58, 67, 75, 84}));
    // Eighty more attacks: the stones fall anywhere from 420 to 3980, the
    // whole width.
    for (int k = 0; k < 80; ++k) {
        monster->SetState(CCharacterOneEyedMonster::kHops);
        RunUntil(f.s, [&] { across(); return monster->frame == EnemyState::Wait; }, 400);
    }
    EXPECT_GE(left, 420);
    EXPECT_LE(right, 3980);
    EXPECT_LT(left, 440);
    EXPECT_GT(right, 3950);
    EXPECT_EQ(shakes, 5);
    // In a room scrolled by 1000 they fall across the room itself.
    for (auto* stone : Shots(CCharacterOneEyedMonster::kStone)) stone->SetState(EnemyState::Remove);
    f.s.Run(1);
    f.s.Stage().cameraX = 1000;
    left = 100000;
    right = -100000;
    for (int k = 0; k < 40; ++k) {
        monster->SetState(CCharacterOneEyedMonster::kHops);
        RunUntil(f.s, [&] { across(); return monster->frame == EnemyState::Wait; }, 400);
    }
    EXPECT_GE(left, 420 - 1000);
    EXPECT_LE(right, 3980 - 1000);
    EXPECT_LT(left, 440 - 1000);
    EXPECT_GT(right, 3950 - 1000);
    // Up and down alike, it keeps turning to the player.
    for (int32_t hop : {280, 281}) {
        monster->facing = 1;
        monster->SetState(hop);
        monster->Frame();
        EXPECT_EQ(monster->facing, -1) << hop;
    }
}

TEST(OneEyedMonster, EachHopLandingPushesThePlayerOutOfTheWallItTouches) {
    // The ninja against the left wall (its left edge on the wall's face):
    // the first landing pushes it one unit out, and then it touches no more.
    player_room::Room r(player_room::kLeftWall + 20);
    r.s.Run(2);
    ASSERT_EQ(r.ninja->x, 420);
    auto* monster = dynamic_cast<CCharacterOneEyedMonster*>(r.s.AddAt(10210, 2400, player_room::kFloor - kStandHalf));
    ASSERT_NE(monster, nullptr);
    r.s.Run(1);
    monster->SetState(CCharacterOneEyedMonster::kHops);
    std::vector<int32_t> xs;
    int32_t last = monster->frame;
    RunUntil(r.s, [&] {
        if (monster->frame != last && (last - CCharacterOneEyedMonster::kHops) % 2 == 1) xs.push_back(r.ninja->x);
        last = monster->frame;
        return monster->frame == EnemyState::Wait;
    }, 400);
    EXPECT_EQ(xs, (std::vector<int32_t>{421, 421, 421, 421, 421}));
}

// --- The tengu ------------------------------------------------------------------------

TEST(Tengu, ThreeHopsLooseThreeBladesAimedAtThePlayer) {
    BossField f;
    auto* tengu = f.MakeBoss<CCharacterTengu>(10080, kBossX, kStandHalf);
    f.player->invulnerableTimer = -1;
    f.s.Run(1);
    tengu->SetState(CCharacterTengu::kHop);
    SpawnCount blades{CCharacterTengu::kBlade};
    f.s.beforeFrame = [&](Scenario&) {
        blades.Step();
        // Each blade comes on entering the third record of its hop.
        if (!blades.newest.empty()) {
            EXPECT_EQ((tengu->frame - 240) % 5, 2) << tengu->frame;
        }
        if (!blades.newest.empty() && blades.total == 2) Snapshot("tengu-hop-blade");
        for (auto* b : blades.newest) EXPECT_NEAR(std::hypot(b->vx, b->vy), 100.0, 1.5);
        blades.newest.clear();
    };
    std::vector<int32_t> firsts;
    RunUntil(
        f.s,
        [&] {
            const int32_t fr = tengu->frame;
            if ((fr == 240 || fr == 245 || fr == 250) && (firsts.empty() || firsts.back() != fr)) firsts.push_back(fr);
            return fr == EnemyState::Wait;
        },
        600);
    f.s.Run(1);
    f.s.beforeFrame = nullptr;
    EXPECT_EQ(firsts, (std::vector<int32_t>{240, 245, 250}));
    EXPECT_EQ(blades.total, 3);
    EXPECT_LT(tengu->x, kBossX);  // it hopped toward the player
    // Landed from the last hop, it stands.
    EXPECT_EQ(tengu->vx, 0);
    const int32_t landed = tengu->x;
    f.s.Run(5);
    EXPECT_EQ(tengu->x, landed);

    // Each hop leaves its first record once it has slowed to 20 (its
    // gravity takes 5 a frame).
    struct Rise {
        int32_t lift, frames, top;
    };
    for (const Rise& r : {Rise{-120, 20, -20}, Rise{-125, 21, -20}, Rise{-123, 21, -18}, Rise{-129, 22, -19}}) {
        tengu->y = kFloor - kStandHalf;  // from the floor
        tengu->SetState(CCharacterTengu::kHop);
        tengu->vy = r.lift;
        int n = 0;
        for (; n < 60 && tengu->frame == CCharacterTengu::kHop; ++n) tengu->Frame();
        ASSERT_EQ(tengu->frame, 241) << r.lift;
        EXPECT_EQ(n, r.frames) << r.lift;
        EXPECT_EQ(tengu->vy, r.top) << r.lift;
    }
    // A hop that does not leave the ground ends the attack at once.
    tengu->y = kFloor - kStandHalf;
    tengu->SetState(CCharacterTengu::kHop);
    tengu->vy = 0;
    tengu->Frame();
    EXPECT_EQ(tengu->frame, EnemyState::Wait);
    EXPECT_EQ(tengu->vx, 0);
    // Each hop: forward at 30 to 69, up at 120 to 129.
    tengu->x = kBossX;
    int32_t slow = 1000, fast = 0, low = 0, high = -1000;
    for (int i = 0; i < 60; ++i) {
        tengu->SetState(CCharacterTengu::kHop + 5 * (i % 3));
        EXPECT_EQ(tengu->facing, -1);
        slow = std::min(slow, tengu->attackDirX * tengu->facing);
        fast = std::max(fast, tengu->attackDirX * tengu->facing);
        low = std::min(low, tengu->vy);
        high = std::max(high, tengu->vy);
    }
    EXPECT_EQ(slow, 30);
    EXPECT_EQ(fast, 69);
    EXPECT_EQ(low, -129);
    EXPECT_EQ(high, -120);
    // Each blade leaves from the tengu itself straight at the player, at 100.
    for (auto [dx, dy] : {std::pair{-1500, 0}, {-700, 900}, {400, 1300}, {1200, -600}, {0, 800}, {-900, -900}}) {
        f.player->x = tengu->x + dx;
        f.player->y = tengu->y + dy;
        tengu->SetState(CCharacterTengu::kHop + 2);
        const CCharacter* blade = Shots(CCharacterTengu::kBlade).back();
        const double a = std::atan2(static_cast<double>(dx), static_cast<double>(dy));
        EXPECT_EQ(blade->vx, static_cast<int32_t>(std::sin(a) * 100)) << dx << "," << dy;
        EXPECT_EQ(blade->vy, static_cast<int32_t>(std::cos(a) * 100)) << dx << "," << dy;
        EXPECT_EQ(blade->x, tengu->x) << dx << "," << dy;
        EXPECT_EQ(blade->y, tengu->y) << dx << "," << dy;
    }
}

TEST(Tengu, ThreeFansOfFiveFeathersAt42_78And114Frames) {
    BossField f;
    auto* tengu = f.MakeBoss<CCharacterTengu>(10080, kBossX, kStandHalf);
    f.s.Run(1);
    tengu->facing = 1;
    tengu->vx = 30;
    tengu->SetState(CCharacterTengu::kFans);
    // Feathers turn over between 400 and 401 as they fly.
    const auto feathers = [] { return ShotCount(CCharacterTengu::kFeather) + ShotCount(CCharacterTengu::kFeather + 1); };
    std::vector<std::size_t> sizes;
    std::set<int32_t> facings;  // it turns to the player on the left
    const auto times = TimesItGrew(
        f.s,
        [&] {
            if (!sizes.empty()) facings.insert(tengu->facing);  // (the first count comes before any frame)
            sizes.push_back(feathers());
            return sizes.back();
        },
        156);
    EXPECT_EQ(times, (std::vector<int>{42, 78, 114}));
    EXPECT_EQ(facings, (std::set<int32_t>{-1}));
    EXPECT_EQ(tengu->x, kBossX);  // standing all along
    Snapshot("tengu-fans");
    EXPECT_EQ(sizes[42] - sizes[41], 5u);
    EXPECT_EQ(tengu->frame, EnemyState::Wait);

    // A fan: five feathers at 40, six degrees apart round the line to the
    // player, each two of its steps out.
    // (From several places of the player, so that every turn of the fan
    // shows in the truncated speeds.)
    const double turns[] = {-0.20944, -0.10472, 0.0, 0.10472, 0.20944};
    const int32_t home = f.player->x;
    for (auto [dx, dy] : {std::pair{0, -900}, {-700, -1500}, {-2300, -400}, {-1500, 700}, {400, -1300}, {-300, 1100}}) {
        f.player->x = home + dx;
        f.player->y = tengu->y + dy;
        const std::size_t before = ShotCount(CCharacterTengu::kFeather);
        tengu->SetState(264);
        const auto fan = Shots(CCharacterTengu::kFeather);
        ASSERT_EQ(fan.size(), before + 5);
        const double aim = std::atan2(static_cast<double>(f.player->x - tengu->x), static_cast<double>(f.player->y - tengu->y));
        for (int k = 0; k < 5; ++k) {
            const CCharacter* feather = fan[before + k];
            const auto vx = static_cast<int32_t>(std::sin(aim + turns[k]) * 40);
            const auto vy = static_cast<int32_t>(std::cos(aim + turns[k]) * 40);
            EXPECT_EQ(feather->vx, vx) << dx << "," << dy << " " << k;
            EXPECT_EQ(feather->vy, vy) << dx << "," << dy << " " << k;
            EXPECT_EQ(feather->x, tengu->x + 2 * vx) << dx << "," << dy << " " << k;
            EXPECT_EQ(feather->y, tengu->y + 2 * vy) << dx << "," << dy << " " << k;
        }
    }
    // It stands turned to the player through the first two fans' records
    // (260 to 263); from 264 on it runs no hook and keeps its facing.
    f.player->x = home;
    f.player->y = tengu->y;
    for (auto [record, turns] : {std::pair{260, true}, {262, true}, {263, true}, {264, false}, {266, false}}) {
        tengu->facing = 1;
        tengu->vx = 30;
        tengu->SetState(record);
        tengu->Frame();
        EXPECT_EQ(tengu->facing, turns ? -1 : 1) << record;
        EXPECT_EQ(tengu->vx, turns ? 0 : 30) << record;
    }
}

TEST(Tengu, AShotAtAPlayerOnTheSameSpotFliesStraightDown) {
    const auto down = CCharacterTengu::Aim(100, 100, 100, 100, 0.0, 100);
    EXPECT_EQ(down.vx, 0);
    EXPECT_EQ(down.vy, 100);
    const auto left = CCharacterTengu::Aim(1000, 0, 0, 0, 0.0, 40);
    EXPECT_EQ(left.vx, -40);
    EXPECT_EQ(left.vy, 0);
}

// --- The king tengu's second form ---------------------------------------------------------

struct SecondForm : BossField {
    CCharacterKingTengu2nd* boss = nullptr;
    SecondForm() {
        player->controlled = 0;
        boss = dynamic_cast<CCharacterKingTengu2nd*>(s.AddAt(10260, 2400, 1200));
        player->invulnerableTimer = -1;
    }
    CCharacter* Eye(int k) const { return boss->linksB[1 + k]; }
    void Enter() {
        BossField::RunUntil([&] { return boss->frame == EnemyState::Wait; }, 400);
        ASSERT_EQ(boss->frame, EnemyState::Wait);
    }
};

TEST(KingTengu2nd, ItFadesInOpensTwoEyesAndStartsTheFightWithItsMusic) {
    SecondForm f;
    EXPECT_EQ(f.boss->alpha, 0);
    f.player->SetPlayTimeRunning(false);
    f.s.Run(40);
    ASSERT_EQ(f.boss->frame, CCharacterKingTengu2nd::kBodyCalled);
    CCharacter* body = f.boss->linksB[0];
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->frame, CCharacterKingTengu2nd::kBodyEffect);
    EXPECT_EQ(body->linksA[0], f.boss);
    f.s.Run(40);
    ASSERT_EQ(f.boss->frame, CCharacterKingTengu2nd::kFadeIn);
    ASSERT_NE(f.Eye(0), nullptr);
    ASSERT_NE(f.Eye(1), nullptr);
    EXPECT_EQ(f.player->controlled, 0);
    f.s.Run(12);
    // Placed, they look half a turn from straight up.
    for (int k = 0; k < 2; ++k) EXPECT_NEAR(f.Eye(k)->relativeAngle, 3.14159265, 1e-6) << k;
    Snapshot("kingtengu2nd-fading-in");
    const int fade = 12 + RunUntil(f.s, [&] { return f.boss->frame == CCharacterKingTengu2nd::kFightOn; }, 100);
    EXPECT_EQ(fade + 1, 32);  // with the frame it entered
    EXPECT_EQ(f.boss->alpha, 255);
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.player->invulnerableTimer, 0);
    EXPECT_TRUE(f.player->IsPlayTimeRunning());  // its fight starts the clock again
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar()->m_target, f.boss);
    EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kLastBossMusic);
    // The eyes sit on its face, 260 either side and 180 above its centre,
    // and follow it.
    f.s.Run(1);
    EXPECT_EQ(f.Eye(0)->x, f.boss->x + 260);
    EXPECT_EQ(f.Eye(1)->x, f.boss->x - 260);
    EXPECT_EQ(f.Eye(0)->y, f.boss->y - 180);
    // Drawn just over the body.
    for (int k = 0; k < 2; ++k) EXPECT_EQ(f.Eye(k)->layer, 137) << k;
    for (int k = 0; k < 2; ++k) EXPECT_EQ(f.Eye(k)->scaleX, 2.0) << k;
    f.boss->x += 100;
    f.s.Run(1);
    EXPECT_EQ(f.Eye(1)->x, f.boss->x - 260);
    EXPECT_EQ(f.Eye(0)->frame, CCharacterKingTengu2ndEye::kWatch);
    EXPECT_EQ(f.Eye(0)->hp, CCharacterKingTengu2ndEye::kHp);
    f.s.Run(78);
    EXPECT_EQ(f.boss->frame, EnemyState::Wait);
    // Watching, each eye turns down toward the player below and to its
    // left: more than a quarter turn from straight up.
    for (int k = 0; k < 2; ++k) {
        EXPECT_LT(f.Eye(k)->relativeAngle, -1.5708) << k;
        EXPECT_GT(f.Eye(k)->relativeAngle, -3.1416) << k;
    }

    // A bolt: aimed at the player at 60, starting five of its steps ahead
    // of the eye, with its sound.
    f.s.ClearSounds();
    CCharacter* eye = f.Eye(1);
    eye->SetState(CCharacterKingTengu2ndEye::kFire);
    const auto bolts = Shots(CCharacterKingTengu2ndEye::kBolt);
    ASSERT_EQ(bolts.size(), 1u);
    EXPECT_NEAR(std::hypot(bolts[0]->vx, bolts[0]->vy), 60.0, 1.0);
    EXPECT_LT(bolts[0]->vx, 0);  // the player is to its left, below
    EXPECT_GT(bolts[0]->vy, 0);
    EXPECT_EQ(bolts[0]->x, eye->x + 5 * bolts[0]->vx);
    EXPECT_EQ(bolts[0]->y, eye->y + 5 * bolts[0]->vy);
    EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{61}));
    // Still turning after the player while it fires: now up to its right.
    f.player->x = eye->x + 1000;
    f.s.Run(1);
    ASSERT_EQ(eye->frame, 242);
    EXPECT_GT(eye->relativeAngle, 1.5708);
    EXPECT_LT(eye->relativeAngle, 3.1416);
    // Waiting, it keeps its body (290 either side) inside the view.
    const int32_t right = std::min(f.s.Stage().width * kTileSize, CGameMain::GetInstance()->GetViewWidth() * 10);
    f.boss->x = right - 100;
    f.boss->Frame();
    EXPECT_EQ(f.boss->x, right - 290);
    f.boss->x = 100;
    f.boss->Frame();
    EXPECT_EQ(f.boss->x, 290);
}

TEST(KingTengu2nd, BothEyesFireTogetherEvery211FramesAndHazardsComeInTimeFromTheirSides) {
    SecondForm f;
    f.Enter();
    // Each side's hazard as it first appears: its state, facing and place.
    struct Seen {
        int32_t state, facing, x, y, frame;
        int gone;  // the first frame its side's link was empty again
    };
    std::vector<Seen> left, right;
    int bolts = 0, frame = 0;
    const auto times = TimesItGrew(
        f.s,
        [&] {
            ++frame;
            for (int32_t side : {3, 4}) {
                const CCharacter* h = f.boss->linksB[side];
                auto& seen = side == 3 ? left : right;
                if (h != nullptr && (seen.empty() || seen.back().gone != 0))
                    seen.push_back({h->frame, h->facing, h->x, h->y, frame, 0});
                if (h == nullptr && !seen.empty() && seen.back().gone == 0) seen.back().gone = frame;
            }
            const int now = static_cast<int>(ShotCount(CCharacterKingTengu2ndEye::kBolt));
            if (now > bolts) Snapshot("kingtengu2nd-eyes-fire");
            bolts = std::max(bolts, now);
            return static_cast<std::size_t>(CountOf(f.s.Sounds(), 61));
        },
        1100);
    // The eyes started watching when the fight started, 80 frames before
    // the wait, and wind up after 161 frames and 40 more: their first bolts
    // 121 frames into the wait (the first of which ran with its entry),
    // then every 211.
    EXPECT_EQ(times, (std::vector<int>{120, 331, 542, 753, 964}));
    EXPECT_EQ(CountOf(f.s.Sounds(), 61), 10);
    EXPECT_GE(bolts, 2);
    // The first hazards 126 and 201 frames into the wait (its first frame
    // ran with its entry; the count's first call is frame 1); once one has
    // gone, its side counts 151 (left) or 201 (right) frames to the next.
    struct SideRow {
        const std::vector<Seen>* seen;
        int32_t facing, first, rearm;
    };
    // Each hazard is a fan or a clog by one draw of two.
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        for (int32_t link : {3, 4})
            if (CCharacter* h = f.boss->linksB[link]) {
                h->SetState(EnemyState::Remove);
                f.boss->linksB[link] = nullptr;
            }
        f.boss->leftSummonTimer = 150;
        f.boss->rightSummonTimer = 0;
        GameSrand(seed);
        const int32_t r = GameRand() % 2;
        GameSrand(seed);
        f.boss->UpdateWait();
        ASSERT_NE(f.boss->linksB[3], nullptr) << seed;
        EXPECT_EQ(f.boss->linksB[3]->frame, r == 0 ? 590 : 600) << seed;
        EXPECT_EQ(f.boss->linksB[3]->linksA[0], f.boss) << seed;
    }
    for (const SideRow& side : {SideRow{&left, 1, 126, 151}, SideRow{&right, -1, 201, 201}}) {
        const std::vector<Seen>& seen = *side.seen;
        ASSERT_GE(seen.size(), 2u) << side.facing;
        EXPECT_EQ(seen.front().frame, side.first) << side.facing;
        for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_EQ(seen[i].frame - seen[i - 1].gone, side.rearm) << side.facing;
        // The fan comes in low from 1850 off, the clog high from 800 off
        // (heights of the room), each facing into the room.
        for (const Seen& h : seen) {
            EXPECT_EQ(h.facing, side.facing);
            ASSERT_TRUE(h.state == 590 || h.state == 600) << h.state;
            EXPECT_EQ(h.x, f.boss->x - side.facing * (h.state == 590 ? 1850 : 800)) << h.state;
            EXPECT_EQ(h.y, h.state == 590 ? 2000 : 350) << h.state;
        }
    }
}

TEST(KingTengu2nd, ItsDefeatClearsTheHazardsWhitesOutBurstsAHundredOrbsAndSendsThePlayerOut) {
    SecondForm f;
    f.Enter();
    RunUntil(f.s, [&] { return f.boss->linksB[3] != nullptr && f.boss->linksB[4] != nullptr; }, 400);
    ASSERT_NE(f.boss->linksB[4], nullptr);
    f.s.Run(40);
    Snapshot("kingtengu2nd-hazards");
    // A capped blow, then the lethal one.
    f.boss->OnHit(1, 400, 1, f.player);
    EXPECT_EQ(f.boss->hp, 15000 - 200);
    f.boss->hp = 10;
    f.s.Run(1);
    f.boss->OnHit(1, 50, 1, f.player);
    ASSERT_EQ(f.boss->frame, EnemyState::Defeated);
    EXPECT_EQ(f.player->frame, PlayerState::Victory);
    EXPECT_EQ(f.Eye(0)->frame, CCharacterKingTengu2ndEye::kDead);
    EXPECT_EQ(f.Eye(1)->relativeAngle, 0.0);
    f.s.Run(1);
    EXPECT_EQ(f.boss->linksB[3], nullptr);
    EXPECT_EQ(f.boss->linksB[4], nullptr);
    f.s.ClearSounds();
    f.s.Run(250);
    Snapshot("kingtengu2nd-explosions");
    const int blasts = 250 + RunUntil(f.s, [&] { return f.boss->frame == CCharacterKingTengu2nd::kWhiteOut; }, 400);
    EXPECT_EQ(blasts, 299);
    // The white-out: one flash to full white, rising by 16, held 40,
    // falling by 8.
    const CEffect* white = CEffect::GetInstance();
    EXPECT_EQ((std::vector<int32_t>{white->m_flashRed, white->m_flashGreen, white->m_flashBlue, white->m_flashPeak,
                                    white->m_flashCycles, white->m_flashRiseStep, white->m_flashHoldPeak,
                                    white->m_flashFallStep, white->m_flashHoldZero}),
              (std::vector<int32_t>{255, 255, 255, 255, 1, 16, 40, 8, 0}));
    // Under the full white it and its parts are all but gone (1).
    RunUntil(f.s, [&] { return CEffect::GetInstance()->m_flashPhase == 2; }, 100);
    f.s.Run(1);
    EXPECT_EQ(f.boss->alpha, 1);
    EXPECT_EQ(f.Eye(1)->alpha, 1);
    // Every 40 frames below 100, every 20 below 200, every 5 below 300.
    EXPECT_EQ(CountOf(f.s.Sounds(), 53), 2 + 5 + 20);
    const auto orbs = [] { return enemy_test::Effects(CCharacterEffect::kScoreOrb, CCharacterEffect::kScoreOrb); };
    RunUntil(f.s, [&] { return !orbs().empty(); }, 200);
    ASSERT_EQ(orbs().size(), 100u);
    // Ten rings of ten, each ring faster by 60 and turning the other way
    // from the one before.
    const auto burst = orbs();
    for (int j = 0; j < 10; ++j)
        for (int k = 0; k < 10; ++k) {
            const CCharacter* orb = burst[static_cast<std::size_t>(10 * j + k)];
            EXPECT_EQ(orb->attackDirX, 60 * (j + 1)) << j << " " << k;
            EXPECT_EQ(orb->facing, j % 2 == 0 ? f.boss->facing : -f.boss->facing) << j << " " << k;
        }
    f.s.Run(6);
    Snapshot("kingtengu2nd-orbs");
    const int32_t rate = f.player->GetScoreRate();
    EXPECT_EQ(orbs().front()->GetScore(), rate * 200000 / 100 / 10 / 10);
    EXPECT_EQ(enemy_test::Effects(190, 190).size(), 1u);
    EXPECT_EQ(f.boss->alpha, 0);
    EXPECT_EQ(f.Eye(0)->alpha, 0);
    EXPECT_EQ(f.boss->linksB[0]->alpha, 0);  // its body too
    // Once: no second burst while the flash fades.
    f.s.Run(10);
    EXPECT_EQ(enemy_test::Effects(190, 190).size(), 1u);
    RunUntil(f.s, [&] { return f.boss->frame == CCharacterKingTengu2nd::kAfterglow; }, 400);
    ASSERT_EQ(f.boss->frame, 112);
    // 50 frames after the flash, the stage exit.
    EXPECT_EQ(RunUntil(f.s, [&] { return f.player->frame == PlayerState::StageExit; }, 400), 50);
    EXPECT_EQ(f.player->frame, PlayerState::StageExit);
    EXPECT_EQ(f.boss->frame, CCharacterKingTengu2nd::kDone);
    // Its explosions burst within 700 either side of it, from 700 above
    // to 800 below.
    f.boss->frame = EnemyState::Defeated;
    f.boss->stateTimer = 0;
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    GameSrand(7);
    for (int k = 0; k < 200; ++k) {
        f.boss->UpdateDefeat();
        const CCharacter* e = Shots(581).back();
        left = std::min(left, e->x - f.boss->x);
        right = std::max(right, e->x - f.boss->x);
        top = std::min(top, e->y - f.boss->y);
        bottom = std::max(bottom, e->y - f.boss->y);
    }
    EXPECT_GE(left, -700);
    EXPECT_LT(left, -650);
    EXPECT_LE(right, 700);
    EXPECT_GT(right, 650);
    EXPECT_GE(top, -700);
    EXPECT_LT(top, -650);
    EXPECT_LE(bottom, 800);
    EXPECT_GT(bottom, 750);
    // The burst, orb by orb: ring j turned on by j hundredths of a turn
    // from a start drawn as one of a hundred steps of half a turn, each orb
    // 200 out and flying outward at 200; then the sign of the rate.
    CEffect* flash = CEffect::GetInstance();
    f.player->combo = 40;
    ASSERT_EQ(f.player->GetScoreRate(), 140);
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        const std::size_t before = orbs().size(), signs = enemy_test::Effects(190, 190).size();
        f.boss->frame = CCharacterKingTengu2nd::kWhiteOut;
        f.boss->alpha = 255;
        flash->m_flashPhase = 3;
        GameSrand(seed);
        const double start = (GameRand() % 100) * M_PI / 100;
        GameSrand(seed);
        f.boss->UpdateDefeat();
        const auto now = orbs();
        ASSERT_EQ(now.size(), before + 100) << seed;
        for (int j = 0; j < 10; ++j)
            for (int k = 0; k < 10; ++k) {
                const double a = 2 * M_PI * k / 10 + j * (2 * M_PI / 10) / 10 + start;
                const auto dx = static_cast<int32_t>(std::sin(a) * 200), dy = static_cast<int32_t>(std::cos(a) * 200);
                const CCharacter* orb = now[before + static_cast<std::size_t>(10 * j + k)];
                EXPECT_EQ(orb->vx, dx) << seed << " " << j << " " << k;
                EXPECT_EQ(orb->vy, dy) << seed << " " << j << " " << k;
                EXPECT_EQ(orb->x, f.boss->x + dx) << seed << " " << j << " " << k;
                EXPECT_EQ(orb->y, f.boss->y + dy) << seed << " " << j << " " << k;
            }
        const auto sign = enemy_test::Effects(190, 190);
        ASSERT_EQ(sign.size(), signs + 1) << seed;
        EXPECT_EQ(sign.back()->GetScoreRate(), 140) << seed;
        EXPECT_EQ(now.back()->GetScore(), 140 * 200000 / 100 / 10 / 10) << seed;
        EXPECT_EQ(now.back()->GetScoreRate(), 140) << seed;
        EXPECT_EQ(f.boss->alpha, 0) << seed;
    }
}

// --- The whole way to the stage clear ----------------------------------------------------------

TEST(HookBosses, AHookBossesDefeatOpensTheStageClearForARealPlayer) {
    for (int32_t typeId : {10080, 10260}) {
        player_room::Room r(1000);
        r.s.Run(2);
        auto* boss = dynamic_cast<CCharacterEnemyBoss*>(r.s.AddAt(typeId, 2400, player_room::kFloor - kStandHalf));
        ASSERT_NE(boss, nullptr);
        r.s.Run(typeId == 10260 ? 120 : 2);
        boss->hp = 10;
        boss->OnHit(1, 50, 1, r.ninja);
        ASSERT_EQ(boss->frame, EnemyState::Defeated) << typeId;
        RunUntil(r.s, [&] { return CGameInputController::GetInstance()->GetTop() == CGameInput::GetInput(ScreenId::StageClear); }, 900);
        EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::StageClear)) << typeId;
    }
}

// --- Pictures -----------------------------------------------------------------------------------

// Every picture the five tables name is a cell of the art layouts, on the
// sheet the record names.
TEST(HookBossFrames, EveryPictureIsACellOfTheArtLayouts) {
    using Cell = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
    std::set<Cell> cells;
    for (const char* file : {"hook_bosses_ghost_slot72", "hook_bosses_oneeye_slot72", "hook_bosses_tengu_slot72",
                             "kingtengu_slot38", "kingtengu2nd_eyes_slot38"}) {
        std::ifstream in(std::string(PELLUMBRISK_ART_LAYOUTS) + "/" + file + ".txt");
        EXPECT_TRUE(in) << file;
        std::string line, pose;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            int32_t slot, u, v, l, r, t, b;
            if (line[0] != '#' && words >> pose >> slot >> u >> v >> l >> r >> t >> b) cells.insert({slot, u, v, l, r, t, b});
        }
    }
    for (int32_t id : {10050, 10210, 10080, 10260, 10271}) {
        std::unique_ptr<CCharacter> c(CreateCharacter(id));
        for (int32_t i = 1; i < 470; ++i) {
            const FrameRecord* r = c->frameTable.Find(i);
            if (r == nullptr || r->textureId == 0) continue;
            EXPECT_TRUE(cells.count({r->textureId, r->u, r->v, r->spriteLeft, r->spriteRight, r->spriteTop, r->spriteBottom}))
                << id << " record " << i;
        }
    }
}

}  // namespace
