// The big ghost: the room's two lights decide whether it can be seen and
// hit; its entrance lights them in turn and puts them out (even when a
// fight starts with stale lights from the save slot); it calls at most four
// ghosts; in a room too narrow for any point its calls give up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "boss/CharacterBigGhost.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

struct GhostFight : SideRoom {
    CCharacterBigGhost* ghost = nullptr;
    explicit GhostFight(std::vector<std::string> grid = RoomGrid(), int32_t bossX = 4000) : SideRoom(800, std::move(grid)) {
        Light(false, false);
        ghost = dynamic_cast<CCharacterBigGhost*>(s.AddAt(CCharacterBigGhost::kTypeId, bossX, 1600));
    }
    ~GhostFight() { Light(false, false); }
    static void Light(bool first, bool second) {
        CCharacterBigGhost::SetLight(203, first);
        CCharacterBigGhost::SetLight(204, second);
    }
    static std::pair<bool, bool> Lights() {
        return {CCharacterBigGhost::LightOn(203), CCharacterBigGhost::LightOn(204)};
    }
    void Begin() { RunUntil([&] { return ghost->frame == CCharacterBigGhost::kFight; }, 1000); }
};

TEST(BigGhost, TheEntranceLightsTheRoomInTurnThenPutsItOut) {
    for (bool stale : {false, true}) {
        GhostFight f;
        // Its first frame lays a black veil of half alpha over the room, of
        // the enemies' group (so that the clearing takes it).
        f.s.Run(1);
        const CCharacter* veil = f.ghost->linksB[0];
        ASSERT_NE(veil, nullptr);
        EXPECT_EQ(veil->alpha, 128);
        EXPECT_EQ(veil->colorR | veil->colorG | veil->colorB, 0);
        EXPECT_EQ(veil->group, 2);
        if (stale) GhostFight::Light(true, true);
        std::vector<std::pair<bool, bool>> seen{GhostFight::Lights()};
        int32_t top = f.ghost->y, bottom = f.ghost->y;  // it bobs all through
        for (int i = 0; i < 1000 && f.ghost->frame != CCharacterBigGhost::kFight; ++i) {
            f.s.Run(1);
            if (GhostFight::Lights() != seen.back()) seen.push_back(GhostFight::Lights());
            top = std::min(top, f.ghost->y);
            bottom = std::max(bottom, f.ghost->y);
        }
        EXPECT_GT(bottom - top, 200) << stale;
        EXPECT_LT(bottom - top, 300) << stale;
        const std::vector<std::pair<bool, bool>> fresh{{false, false}, {true, false}, {true, true}, {false, false}};
        const std::vector<std::pair<bool, bool>> old{{true, true}, {false, false}};
        EXPECT_EQ(seen, stale ? old : fresh) << stale;
        EXPECT_EQ(f.Heard(22), 3) << stale;
        EXPECT_EQ(f.ghost->alpha, 0) << stale;
    }
}

TEST(BigGhost, OnlyBothLightsShowItAndOpenItToBlows) {
    GhostFight f;
    f.Begin();
    CCharacter* veil = f.ghost->linksB[0];
    ASSERT_NE(veil, nullptr);
    struct Step {
        bool first, second;
        int32_t alpha, colour, veilAlpha;
        bool hittable;
    };
    const Step steps[] = {
        {false, false, 0, 255, 128, false},  {true, false, 128, 128, 64, false}, {false, true, 128, 128, 64, false},
        {true, true, 255, 255, 0, true},     {true, true, 255, 255, 0, true},    {false, true, 128, 128, 64, false},
        {false, false, 0, 128, 128, false},
    };
    for (const Step& st : steps) {
        GhostFight::Light(st.first, st.second);
        f.s.Run(1);
        EXPECT_EQ(f.ghost->alpha, st.alpha) << st.first << st.second;
        EXPECT_EQ(f.ghost->colorR, st.colour) << st.first << st.second;
        EXPECT_EQ(veil->alpha, st.veilAlpha) << st.first << st.second;
        EXPECT_EQ(f.ghost->targetable != 0, st.hittable) << st.first << st.second;
        const int32_t hp = f.ghost->hp;
        EXPECT_EQ(f.Strike(f.ghost, 100), st.hittable) << st.first << st.second;
        EXPECT_EQ(f.ghost->hp, st.hittable ? hp - 100 : hp);
    }
    // Lit, it takes one blow per swing: while the player's blade stays in
    // it the blow that struck keeps it safe; once the blade is out of it, it
    // is open again.
    GhostFight::Light(true, true);
    f.s.Run(1);
    f.player->frame = 321;  // a swing whose blade reaches 200 round the player
    f.player->x = f.ghost->x;
    f.player->y = f.ghost->y;
    const int32_t hp = f.ghost->hp;
    EXPECT_TRUE(f.Strike(f.ghost, 100));
    for (int i = 0; i < 3; ++i) {
        f.s.Run(1);
        f.player->x = f.ghost->x;
        EXPECT_FALSE(f.Strike(f.ghost, 100)) << i;
    }
    EXPECT_EQ(f.ghost->hp, hp - 100);
    f.player->frame = 230;
    f.s.Run(1);
    EXPECT_TRUE(f.Strike(f.ghost, 100));
}

TEST(BigGhost, ItCallsAtMostFourGhostsAndGivesUpInANarrowRoom) {
    {
        GhostFight f;
        f.Begin();
        const auto times = enemy_test::TimesItGrew(f.s, [] { return enemy_test::OfType(10050).size(); }, 800);
        EXPECT_EQ(times, (std::vector<int>{120, 240, 360, 480}));
        for (CCharacter* minion : enemy_test::OfType(10050)) EXPECT_GE(minion->x, 1200);
        // Each ghost comes more than 800 from the player (and the draws come
        // near that): ghosts taken away as they come, at the fastest pace.
        f.ghost->hp = 1;
        f.player->x = 4000;
        for (CCharacter* minion : enemy_test::OfType(10050)) minion->SetState(EnemyState::Remove);
        // Their heights: from 1400 above the view's middle to 600 below it.
        const int32_t middle = CGameMain::GetInstance()->GetViewHeight() * 10 / 2;
        double nearest = 1e9;
        int32_t highest = 100000, lowest = -100000;
        int called = 0;
        for (int i = 0; i < 2400; ++i) {
            f.s.Run(1);
            for (CCharacter* minion : enemy_test::OfType(10050)) {
                if (minion->pendingState == EnemyState::Remove) continue;
                ++called;
                nearest = std::min(nearest, std::hypot(minion->x - f.player->x, minion->y - f.player->y));
                highest = std::min(highest, minion->y - middle);
                lowest = std::max(lowest, minion->y - middle);
                minion->SetState(EnemyState::Remove);
            }
        }
        EXPECT_GE(called, 25);
        EXPECT_GT(nearest, 800.0);
        EXPECT_LT(nearest, 900.0);
        // (Each has had a frame of its own to move.)
        EXPECT_GE(highest, -1400 - 50);
        EXPECT_LT(highest, -1100);
        EXPECT_LE(lowest, 600 + 50);
        EXPECT_GT(lowest, 300);
        f.ghost->hp = 12000;
        f.player->x = 800;
        // 120 frames while it keeps four fifths of its life (a fifth is
        // 2400), 10 fewer for each fifth lost; a life exactly on a fifth
        // still counts it.
        for (auto [hp, interval] : {std::pair{12000, 120}, {9600, 120}, {9599, 110}, {7200, 110}, {7199, 100},
                                    {4800, 100}, {4799, 90}, {2400, 90}, {2399, 80}, {1, 80}}) {
            f.ghost->hp = hp;
            EXPECT_EQ(f.ghost->CallInterval(), interval) << hp;
        }
        // None is called at a fallen player.
        for (CCharacter* minion : enemy_test::OfType(10050)) minion->SetState(EnemyState::Remove);
        const int32_t life = f.player->hp;
        f.player->hp = 0;
        f.s.ClearSounds();
        f.s.Run(240);
        EXPECT_TRUE(enemy_test::OfType(10050).empty());
        EXPECT_EQ(f.Heard(21), 0);
        // Its removal takes its ghosts and its veil along.
        f.player->hp = life;
        f.RunUntil([] { return !enemy_test::OfType(10050).empty(); }, 200);
        ASSERT_FALSE(enemy_test::OfType(10050).empty());
        ASSERT_FALSE(enemy_test::Effects(300, 300).empty());
        f.ghost->SetState(EnemyState::Remove);
        f.s.Run(1);
        EXPECT_TRUE(enemy_test::OfType(10050).empty());
        EXPECT_TRUE(enemy_test::Effects(300, 300).empty());
    }

    // Six cells: the drift bounds leave one column of points, which the
    // draws hardly ever hit; the calls give up and the fight goes on.
    GhostFight g(RoomGrid(6), 1200);
    g.Begin();
    ASSERT_EQ(g.ghost->frame / 10, 22);
    g.s.ClearSounds();
    g.s.Run(600);
    EXPECT_EQ(g.Heard(21), 5);
    EXPECT_TRUE(enemy_test::OfType(10050).empty());
}

// The defeat: blasts ever more often while it darkens to black over its
// last 60 ticks, then a slow white flash under which it vanishes; once the
// flash is over the room is handed back.
TEST(BigGhost, ItsDefeatDarkensItToBlackAndItVanishesUnderAWhiteFlash) {
    GhostFight f;
    f.Begin();
    GhostFight::Light(true, true);
    f.s.Run(1);
    ASSERT_EQ(f.ghost->alpha, 255);
    f.ghost->hp = 10;
    f.ghost->OnHit(1, 50, 1, f.player);
    ASSERT_EQ(f.ghost->frame, EnemyState::Defeated);
    EXPECT_EQ(f.ghost->vx, 0);
    // Its blasts burst up to 500 from it either way.
    int32_t farthestX = 0, farthestY = 0;
    std::size_t blasts = 0;
    f.RunUntil(
        [&] {
            const auto now = enemy_test::Effects(320, 320);
            if (now.size() > blasts) {
                const CCharacter* b = now.back();
                farthestX = std::max(farthestX, std::abs(b->x - f.ghost->x));
                farthestY = std::max(farthestY, std::abs(b->y - f.ghost->y));
            }
            blasts = now.size();
            return f.ghost->stateTimer == 199;
        },
        300);
    EXPECT_LE(farthestX, 500);
    EXPECT_GT(farthestX, 450);
    EXPECT_LE(farthestY, 500);
    EXPECT_GT(farthestY, 450);
    EXPECT_EQ(f.ghost->colorR, 255);
    f.s.Run(1);
    EXPECT_EQ(f.ghost->colorR, 251);
    EXPECT_EQ(f.ghost->colorB, 251);
    f.s.Run(59);
    ASSERT_EQ(f.ghost->stateTimer, 259);
    EXPECT_EQ(f.ghost->colorG, 255 - 60 * 4);
    f.s.Run(1);
    ASSERT_EQ(f.ghost->frame, EnemyState::BossDefeatFall);
    const CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(effect->m_flashRed, 255);
    EXPECT_EQ(effect->m_flashPeak, 255);
    EXPECT_EQ(effect->m_flashCycles, 1);
    EXPECT_EQ(effect->m_flashRiseStep, 16);
    EXPECT_EQ(effect->m_flashHoldPeak, 40);
    EXPECT_EQ(effect->m_flashFallStep, 8);
    EXPECT_EQ(effect->m_flashHoldZero, 0);
    int frames = 0;
    std::map<int32_t, int> framesIn;  // frames by the flash's phase the ghost saw
    while (testing_support::Listed(f.ghost) && frames < 400) {
        const int32_t seen = effect->m_flashPhase;
        const std::size_t before = enemy_test::Effects(320, 320).size();
        f.s.Run(1);
        ++frames;
        const std::size_t after = enemy_test::Effects(320, 320).size();
        ++framesIn[seen];
        // Rising: a blast a frame (each lasts two); holding: gone under
        // the white, the blasts dying out; after it: nothing new.
        if (seen == 1) {
            EXPECT_EQ(f.ghost->alpha, 255) << frames;
            EXPECT_EQ(after, frames == 1 ? 1u : 2u) << frames;
        } else {
            EXPECT_LE(after, before) << frames;
        }
        if (seen == 2) {
            EXPECT_EQ(f.ghost->alpha, 0) << frames;
        }
    }
    // 16 a frame up to white, 40 frames held, 8 a frame back down: the
    // room is handed back on the first frame the flash is over (and the
    // ghost leaves the list with the next).
    EXPECT_EQ(framesIn, (std::map<int32_t, int>{{0, 2}, {1, 15}, {2, 40}, {3, 32}}));
    EXPECT_FALSE(testing_support::Listed(f.ghost));
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
}

// It drifts at 5 and turns 1200 from the left end of the stage and three
// cells from its right end, whatever the player does and wherever the view
// stands (x is taken from the view's left edge).
TEST(BigGhost, ItDriftsAtFiveAndTurnsAtItsBounds) {
    struct Case {
        int32_t x, facing, turnedTo, cameraX = 0;
    };
    const Case cases[] = {{1199, -1, 1},       {1200, -1, -1},       {4000, -1, -1},       {4000, 1, 1},
                          {6800, 1, 1},        {6801, 1, -1},        {199, -1, 1, 1000},   {200, -1, -1, 1000},
                          {5800, 1, 1, 1000},  {5801, 1, -1, 1000}};
    for (const Case& c : cases) {
        GhostFight f;
        f.Begin();
        f.s.Run(1);
        f.s.Stage().cameraX = c.cameraX;
        f.ghost->x = c.x;
        f.ghost->facing = c.facing;
        f.ghost->Frame();
        EXPECT_EQ(f.ghost->vx, 5 * c.facing) << c.x;
        EXPECT_EQ(f.ghost->facing, c.turnedTo) << c.x;
    }
    // And it bobs as it drifts: over a swing of its hover (88 frames) it
    // rises and sinks some 240 units.
    GhostFight f;
    f.Begin();
    int32_t top = f.ghost->y, bottom = f.ghost->y;
    for (int i = 0; i < 88; ++i) {
        f.s.Run(1);
        top = std::min(top, f.ghost->y);
        bottom = std::max(bottom, f.ghost->y);
    }
    EXPECT_GT(bottom - top, 200);
    EXPECT_LT(bottom - top, 300);
}

}  // namespace
