// The soldier, the snow fairy, the crow-billed goblin and the princess on
// the enemy field: the patrol's turn at a ledge and the guard's at a wall,
// the fairy's two crystals, the crow's aimed dart, and the princess's sink,
// marker and fallback pose.
#include <gtest/gtest.h>

#include <cmath>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CreateCharacter.h"
#include "enemy/CharacterCrowBilledGoblin.h"
#include "enemy/CharacterPrincess.h"
#include "enemy/CharacterSnowFairy.h"
#include "enemy/CharacterSoldier.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

TEST(Soldier, APatrolLegStartingAtALedgeTurnsRoundBeforeItsFirstStep) {
    // A platform over columns 4-7 (x 1600..3200, top 2800), the soldier on
    // its left end with 5 units of its body over the platform.
    const int32_t top = 2800, edgeX = 1600 - 185;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        Field f(6000, FloorGrid({"....####............"}), seed);
        auto* soldier = f.Make<CCharacterSoldier>(11002, edgeX, top - 190);
        f.s.Run(1);
        ASSERT_EQ(soldier->frame, 250);
        soldier->SetState(251);
        EXPECT_EQ(soldier->facing, 1);
        EXPECT_GE(soldier->x, edgeX);
        EXPECT_FALSE(soldier->IsAirborne());
        f.s.Run(20);
        EXPECT_EQ(soldier->y, top - 190);
        EXPECT_GT(soldier->x, edgeX + 100) << "walking in over the platform";
    }
}

// A patrol leg walks at 10 a frame and ends at a wall or at the edge of
// its ground: back to its rest, stepping back 10 in that frame.
TEST(Soldier, APatrolLegEndsAtAWallOrALedgeWithAStepBack) {
    struct Ground {
        const char* row;
        int32_t top;
        int32_t rightStop, leftStop;  // where it stands as the leg ends
    };
    // Walls in columns 4 and 7 (x 1600..2000 and 2800..3200) on the floor;
    // a platform over columns 4-5 (x 1600..2400), which it does not leave.
    for (const Ground g : {Ground{"....#..#............", kFloor, 2800 - 190, 2000 + 190},
                           Ground{"....##..............", kFloor - 400, 2400 + 190, 1600 - 190}}) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(testing::Message() << g.row << " seed " << seed);
            Field f(6000, FloorGrid({g.row}), seed);
            const int32_t startX = g.top == kFloor ? 2400 : 2000;
            auto* soldier = f.Make<CCharacterSoldier>(11002, startX, g.top - 190);
            f.s.Run(1);
            ASSERT_EQ(soldier->frame, 250);
            soldier->SetState(251);
            const int32_t facing = soldier->facing;
            bool stopped = false;
            for (int i = 0; i < 300 && !stopped; ++i) {
                const int32_t before = soldier->frame, x = soldier->x;
                f.s.Run(1);
                EXPECT_EQ(soldier->y, g.top - 190) << "it keeps to its ground";
                if (before >= 251 && before <= 254 && soldier->frame == 250) {
                    stopped = true;
                    EXPECT_EQ(soldier->vx, -10 * facing);
                    EXPECT_EQ(soldier->x, x - 10 * facing) << "a step back";
                    EXPECT_EQ(x, facing == 1 ? g.rightStop : g.leftStop) << "at the wall or the edge";
                } else if (soldier->frame >= 251 && soldier->frame <= 254 && before >= 251) {
                    EXPECT_EQ(soldier->vx, 10 * facing);
                }
            }
            EXPECT_TRUE(stopped);
            const int32_t restX = soldier->x;
            f.s.Run(5);
            EXPECT_EQ(soldier->x, restX) << "resting";
        }
    }
}

TEST(Soldier, TheGuardWakesByTheDistanceAcrossAloneAndTurnsBackAtAWall) {
    // A wall block in column 6 (x 2400..2800) on the floor.
    Field f(400, FloorGrid({"......#............."}));
    auto* guard = f.Make<CCharacterSoldier>(11001, 4000);
    f.s.Run(30);
    EXPECT_EQ(guard->frame, 230);
    EXPECT_EQ(guard->facing, -1);
    // Far above, 1000 across: not yet; 999: it wakes, and 8 frames later
    // marches.
    f.player->x = 3000;
    f.player->y = 0;
    f.s.Run(5);
    EXPECT_EQ(guard->frame, 230);
    f.player->x = 3001;
    f.s.Run(1);
    EXPECT_EQ(guard->frame, 231);
    f.s.Run(8);
    EXPECT_EQ(guard->frame, 232 + 1);
    EXPECT_EQ(guard->vx, -10);
    // Marching left into the wall it turns and stands guard again.
    f.player->x = 400;
    int frames = 0;
    while (guard->frame != 230 && frames < 200) {
        f.s.Run(1);
        ++frames;
    }
    EXPECT_EQ(guard->frame, 230);
    EXPECT_NEAR(guard->x, 2800 + 190, 10);
    EXPECT_EQ(guard->facing, 1);
}

TEST(Soldier, TheSceneSoldierDropsNothingAndItsSurpriseShowsTheMark) {
    Field f;
    auto* soldier = f.Make<CCharacterSoldier>(11000, 3000);
    soldier->SetState(350);
    EXPECT_EQ(soldier->coinChance, 0);
    EXPECT_EQ(soldier->itemChance, 0);
    const int32_t x = soldier->x;
    f.s.Run(100);
    EXPECT_EQ(soldier->x, x) << "a scene soldier stands where it is put";
    soldier->facing = -1;
    soldier->SetState(352);
    const std::vector<CCharacterEffect*> marks =
        Effects(330, 330);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0]->y, soldier->y - 250);
    EXPECT_EQ(marks[0]->facing, 1) << "drawn one way whichever way he faces";
}

TEST(SnowFairy, ThrowsTwoMirroredCrystalsWhicheverWaySheFaces) {
    for (int32_t px : {400, 5000}) {
        SCOPED_TRACE(px);
        Field f(px);
        auto* fairy = f.Make<CCharacterSnowFairy>(10060, 2400);
        f.s.Run(1);
        EXPECT_EQ(fairy->facing, px < 2400 ? -1 : 1);
        f.s.ClearSounds();
        const std::vector<int> times = TimesItGrew(
            f.s, [] { return Shots(430).size(); }, 150);
        EXPECT_EQ(times, (std::vector<int>{60, 144}));
        EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{48, 48}));
        const std::vector<CCharacterAttackEffect*> crystals = Shots(430);
        ASSERT_EQ(crystals.size(), 4u);
        // Up and right, then up and left, at 50 along 45 degrees.
        EXPECT_EQ(Velocity(*crystals[2]), std::make_pair(35, -35));
        EXPECT_EQ(Velocity(*crystals[3]), std::make_pair(-35, -35));
        for (const CCharacterAttackEffect* c : crystals) {
            EXPECT_EQ(c->attackDirX, 35);
            EXPECT_EQ(c->attackDirY, 35);
            EXPECT_EQ(c->group, fairy->group);
        }
        EXPECT_EQ(fairy->x, 2400) << "she stands";
        // Both from where she stands.
        fairy->SetState(232);
        const std::vector<CCharacterAttackEffect*> cast = Shots(430);
        ASSERT_EQ(cast.size(), 6u);
        for (std::size_t i = 4; i < 6; ++i) {
            EXPECT_EQ(std::make_pair(cast[i]->x, cast[i]->y), std::make_pair(fairy->x, fairy->y)) << i;
        }
    }
}

TEST(CrowBilledGoblin, ThrowsADartAtWhereThePlayerIsAndTheDartDoesNotSteer) {
    Field f(400);
    auto* crow = f.Make<CCharacterCrowBilledGoblin>(10072, 4000, 1000);
    crow->facing = -1;
    f.s.ClearSounds();
    f.s.Run(1);
    ASSERT_EQ(crow->frame, 230);
    f.s.Run(58);
    EXPECT_LT(crow->x, 4000) << "flying along its facing";
    EXPECT_TRUE(Shots(400).empty());
    EXPECT_EQ(crow->vx, -20);
    int32_t x = crow->x, y = crow->y;
    for (int i = 0; i < 3 && Shots(400).empty(); ++i) {
        x = crow->x;
        y = crow->y;
        f.s.Run(1);
    }
    const std::vector<CCharacterAttackEffect*> darts = Shots(400);
    ASSERT_EQ(darts.size(), 1u);
    CCharacterAttackEffect* dart = darts[0];
    EXPECT_EQ(dart->group, crow->group);
    EXPECT_EQ(std::make_pair(dart->prevX, dart->prevY), std::make_pair(x, y)) << "thrown from where it is";
    // Aimed at the player's position at 60 a frame, from where it was thrown.
    EXPECT_EQ(Velocity(*dart), Aim(dart->prevX, dart->prevY, *f.player, 60));
    EXPECT_EQ(dart->frame, 400);
    EXPECT_EQ(dart->facing, -1) << "drawn its way";
    EXPECT_TRUE(f.s.Sounds().empty()) << "thrown without a sound";
    const int32_t vx = dart->vx, vy = dart->vy;
    f.player->x = 4000;
    f.s.Run(3);
    EXPECT_EQ(dart->vx, vx);
    EXPECT_EQ(dart->vy, vy);
}

// Flying, it does not hurt by touch; drifting (a home no map id gives it)
// it does, at 10 a frame, turning only to a player more than 800 across at
// the re-entries of its records.
TEST(CrowBilledGoblin, OnlyTheDrifterHurtsByTouchAndTurnsToAFarPlayer) {
    Field f(2000);
    f.player->y = 1000;
    f.player->hp = 1000;
    auto* flyer = f.Make<CCharacterCrowBilledGoblin>(10072, 2000, 1000);
    f.s.beforeFrame = [&](Scenario&) { flyer->x = 2000; };
    f.s.Run(5);
    EXPECT_EQ(flyer->frame / 2 * 2, 230);
    EXPECT_EQ(f.player->hp, 1000) << "no touch attack in flight";
    f.s.beforeFrame = nullptr;
    flyer->SetState(0);

    auto* crow = f.Make<CCharacterCrowBilledGoblin>(10070, 2000, 1000);
    crow->homeState = 250;
    f.s.Run(1);
    ASSERT_EQ(crow->frame, 250);
    f.s.Run(1);
    EXPECT_EQ(f.player->hp, 950) << "kind 15, 50";
    f.player->hp = 1000;
    f.player->x = 400;
    crow->x = 3000;
    crow->facing = 1;
    f.s.Run(1);
    crow->SetState(250);
    EXPECT_EQ(crow->facing, -1) << "2600 away: it turns";
    // Drifting at 10 a frame; at its re-entries (every 96 frames) it turns
    // only to a player more than 800 behind it.
    const int32_t x0 = crow->x;
    f.s.Run(10);
    EXPECT_EQ(crow->x, x0 - 10 * 10);
    for (const int32_t behind : {800, 801}) {
        SCOPED_TRACE(behind);
        f.s.beforeFrame = [&](Scenario&) { f.player->x = crow->x + behind; };
        int frames = 0;
        do {
            f.s.Run(1);
            ++frames;
        } while (crow->stateTimer != 0 && frames < 100);
        EXPECT_LE(frames, 96) << "a re-entry";
        EXPECT_TRUE(crow->frame == 250 || crow->frame == 251);
        EXPECT_EQ(crow->facing, behind == 800 ? -1 : 1);
    }
    f.s.beforeFrame = nullptr;
}

TEST(Princess, SinksInTheJumpDownUntilTheGroundStopsHer) {
    Field f;
    auto* princess = dynamic_cast<CCharacterPrincess*>(f.s.AddAt(101, 2400, 1000));
    ASSERT_NE(princess, nullptr);
    // In the air in any other pose she stays where she is put.
    for (int32_t pose : {230, 240, 241, 250, 252, 253, 260, 270, 280}) {
        princess->SetState(pose);
        f.s.Run(10);
        EXPECT_EQ(princess->y, 1000) << pose;
    }
    princess->SetState(232);
    f.s.Run(10);
    EXPECT_EQ(princess->y, 1100);
    EXPECT_TRUE(princess->IsAirborne());
    f.s.Run(200);
    EXPECT_EQ(princess->y, kFloor - 190);
    EXPECT_FALSE(princess->IsAirborne());
    EXPECT_EQ(princess->frame, 232);
}

TEST(Princess, TheMarkerShowsWhileSheCallsAndGoesWithTheNextPose) {
    Field f;
    auto* princess = dynamic_cast<CCharacterPrincess*>(f.s.AddAt(101, 2400, kStandY));
    ASSERT_NE(princess, nullptr);
    EXPECT_EQ(princess->frame, 230);
    princess->facing = -1;
    princess->SetState(270);
    CCharacter* marker = princess->linksB[0];
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->facing, 1) << "drawn one way whichever way she faces";
    EXPECT_EQ(marker->y, kStandY - 250);
    EXPECT_EQ(marker->frame, 340);
    EXPECT_EQ(marker->x, princess->x);
    // Through the call's two pictures the marker stays; a second call adds
    // a marker of its own, and the first stays where it was.
    f.s.Run(30);
    EXPECT_TRUE(Listed(marker));
    princess->SetState(271);
    f.s.Run(1);
    EXPECT_TRUE(Listed(marker)) << "her call's other picture keeps it";
    princess->SetState(270);
    f.s.Run(1);
    EXPECT_TRUE(Listed(marker));
    EXPECT_EQ(Effects(340, 340 + 1).size(), 2u);
    marker->SetState(0);
    marker = princess->linksB[0];
    ASSERT_NE(marker, nullptr);
    // Left from the call's other picture, the marker goes all the same.
    for (int i = 0; i < 30 && princess->frame != 271; ++i) f.s.Run(1);
    ASSERT_EQ(princess->frame, 271);
    princess->SetState(280);
    f.s.Run(1);
    EXPECT_FALSE(Listed(marker));
    EXPECT_EQ(princess->linksB[0], nullptr);
    EXPECT_EQ(princess->frame == 280 || princess->frame == 281, true);
    // Gone far off the view while she calls, she takes her marker along.
    princess->SetState(270);
    marker = princess->linksB[0];
    princess->x = kScreenRight + 5000;
    f.s.Run(2);
    EXPECT_FALSE(Listed(princess));
    EXPECT_FALSE(Listed(marker));
}

TEST(Princess, TheHurtRecordAndTheWaitLeadBackToHerStartPose) {
    Field f;
    auto* princess = dynamic_cast<CCharacterPrincess*>(f.s.AddAt(101, 2400, kStandY));
    ASSERT_NE(princess, nullptr);
    princess->SetState(EnemyState::Wait);
    EXPECT_EQ(princess->frame, 230);
    princess->SetState(EnemyState::Hurt);
    f.s.Run(22);
    EXPECT_TRUE(princess->frame == 230 || princess->frame == 231);
    EXPECT_TRUE(Listed(princess));
    EXPECT_EQ(princess->x, 2400);
}
