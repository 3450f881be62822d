// The spawner: its timing on and off screen, its spots away from the
// player, the flyers from beyond the screen edge the player faces, and no
// limit on the count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "enemy/CharacterCrowBilledGoblin.h"
#include "enemy/CharacterDragon.h"
#include "enemy/CharacterEnemyMaker.h"
#include "enemy/EnemyField.h"
#include "framework/Random.h"

using namespace enemy_test;

namespace {

int32_t Distance(const CCharacter& a, const CCharacter& b) {
    const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y;
    return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
}

// The play frames (counted from 1) in which a new child of the type came.
std::vector<int> ReleaseTimes(Scenario& s, int32_t typeId, int n) {
    return TimesItGrew(s, [typeId] { return OfType(typeId).size(); }, n);
}

// The one enemy of the type in play; null when there is none or more.
CCharacter* Only(int32_t typeId) {
    const std::vector<CCharacter*> all = OfType(typeId);
    return all.size() == 1 ? all[0] : nullptr;
}

// Takes the enemies of the type out of play (as if the player beat them).
void Beat(int32_t typeId) {
    for (CCharacter* c : OfType(typeId)) c->alive = 0;
    World().UpdateAll();
}

}  // namespace

TEST(EnemyMaker, WispsComeEverySixtyFramesWithTheirSoundEvenWhenTheSpawnerIsOffScreen) {
    Field f(2400);
    f.player->y = 1600;
    auto* maker = f.Make<CCharacterEnemyMaker>(10005, 100000, 100000);
    ASSERT_NE(maker, nullptr);
    EXPECT_EQ(maker->frame, 230);
    f.s.ClearSounds();
    const std::vector<int> times = ReleaseTimes(f.s, 10006, 185);
    EXPECT_EQ(times, (std::vector<int>{60, 120, 180}));
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 21), 3);
    EXPECT_EQ(OfType(10006).size(), 3u);
}

TEST(EnemyMaker, NoWispIsPlacedWithinEightHundredOfThePlayer) {
    // The player at several places, facing either way. Over all the spots:
    // the farthest out from the centre, the highest and lowest, and the
    // nearest to the player (the whole ranges are drawn, and a spot just
    // beyond 800 is taken).
    int32_t widest = 0, highest = 1600, lowest = 1600, nearest = 100000;
    for (const auto& [px, py, facing] : {std::tuple{2400, 1600, 1}, std::tuple{2600, 1500, -1},
                                         std::tuple{3500, 2000, 1}, std::tuple{2400, 300, -1}}) {
        Field f(px);
        f.player->y = py;
        f.player->facing = facing;
        auto* maker = f.Make<CCharacterEnemyMaker>(10005, 0, 0);
        for (int i = 0; i < 300; ++i) {
            maker->SetState(231);
            const CCharacter* wisp = Only(10006);
            ASSERT_NE(wisp, nullptr);
            EXPECT_GT(Distance(*wisp, *f.player), 800);
            nearest = std::min(nearest, Distance(*wisp, *f.player));
            // Around the screen's centre (2400, 1600), on the player's side.
            const int32_t dx = (wisp->x - 2400) * facing;
            widest = std::max(widest, dx);
            highest = std::min(highest, wisp->y);
            lowest = std::max(lowest, wisp->y);
            EXPECT_GE(dx, 0);
            EXPECT_LT(dx, 1800);
            EXPECT_GE(wisp->y, 1600 - 1400);
            EXPECT_LT(wisp->y, 1600 + 1400);
            EXPECT_EQ(wisp->facing, 1);
            Beat(10006);
        }
    }
    // The spot's x is drawn first, then its y.
    Field g(400);
    auto* maker = g.Make<CCharacterEnemyMaker>(10005, 0, 0);
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        GameSrand(seed);
        const int32_t rx = GameRand(), ry = GameRand();
        GameSrand(seed);
        maker->SetState(231);
        const CCharacter* wisp = Only(10006);
        ASSERT_NE(wisp, nullptr);
        EXPECT_EQ(std::make_pair(wisp->x, wisp->y), std::make_pair(rx % 1800 + 2400, ry % 2800 + 1600 - 1400)) << seed;
        Beat(10006);
    }
    EXPECT_GE(widest, 1700);
    EXPECT_LE(highest, 1600 - 1300);
    EXPECT_GE(lowest, 1600 + 1300);
    EXPECT_LE(nearest, 850);
}

TEST(EnemyMaker, FlyersComeFromBeyondTheEdgeThePlayerFacesEveryHundredTwentyFrames) {
    for (int32_t facing : {1, -1}) {
        SCOPED_TRACE(facing);
        Field f(2400);
        f.player->facing = facing;
        f.Make<CCharacterEnemyMaker>(10074, 1000, 1000);
        f.s.ClearSounds();
        // Each crow as it comes (it may have taken its first wing beat).
        std::vector<int> times;
        for (int i = 1; i <= 310; ++i) {
            const std::size_t before = OfType(10072).size();
            f.s.Run(1);
            const std::vector<CCharacter*> crows = OfType(10072);
            if (crows.size() == before) continue;
            times.push_back(i);
            const CCharacter* crow = crows.back();
            EXPECT_NEAR(crow->x, facing == 1 ? 5200 : -400, 20);
            EXPECT_EQ(crow->facing, -facing);
            EXPECT_GE(crow->y, 1600 - 1200);
            EXPECT_LT(crow->y, 1600 + 1200);
        }
        EXPECT_EQ(times, (std::vector<int>{60, 180, 300}));
        EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 21), 0) << "they come without the wisps' sound";
    }

    // The dragons are the kind that goes once off screen.
    Field f(2400);
    f.Make<CCharacterEnemyMaker>(11072, 1000, 1000);
    f.s.Run(60);
    auto* dragon = dynamic_cast<CCharacterDragon*>(Only(11073));
    ASSERT_NE(dragon, nullptr);
    EXPECT_EQ(dragon->typeId, 11073);
    EXPECT_EQ(dragon->presenceMode, 2);
    EXPECT_EQ(dragon->x, 5200);
    dragon->x = 6000;
    f.s.Run(1);
    EXPECT_TRUE(OfType(11073).empty());
}

TEST(EnemyMaker, APlayerStandingWhereTheFlyersComeIsKeptClearOf) {
    Field f(5200);
    f.player->y = 1600;
    auto* maker = f.Make<CCharacterEnemyMaker>(10074, 0, 0);
    // Spots from 1200 above the centre to 1200 below it; only those more
    // than 800 from the player are taken, the nearest of them just beyond.
    int32_t highest = 1600, lowest = 1600, nearest = 100000;
    for (int i = 0; i < 300; ++i) {
        maker->SetState(251);
        const CCharacter* crow = Only(10072);
        ASSERT_NE(crow, nullptr);
        EXPECT_GT(Distance(*crow, *f.player), 800);
        EXPECT_EQ(crow->facing, -1) << "toward the side of the screen the player stands on";
        nearest = std::min(nearest, Distance(*crow, *f.player));
        highest = std::min(highest, crow->y);
        lowest = std::max(lowest, crow->y);
        Beat(10072);
    }
    EXPECT_LE(highest, 1600 - 1100);
    EXPECT_GE(lowest, 1600 + 1100);
    EXPECT_LE(nearest, 850);
}

TEST(EnemyMaker, ItReleasesWithNoLimitOnTheCountButNoneWithoutAPlayer) {
    // The maps' dragons, kept on screen so that none goes: one at frame 60
    // and one every 120 frames after it, twenty of them by frame 2400.
    {
        Field f(2400);
        f.Make<CCharacterEnemyMaker>(11072, 0, 0);
        f.s.beforeFrame = [](Scenario&) {
            for (CCharacter* dragon : OfType(11073)) dragon->x = 2400;
        };
        f.s.Run(120 * 20);
        EXPECT_EQ(OfType(11073).size(), 20u);
    }
    // The will-o'-wisps stay until the player beats them: one every 60
    // frames, all of them in play.
    Field f(2400);
    f.Make<CCharacterEnemyMaker>(10005, 0, 0);
    f.s.Run(60 * 30);
    EXPECT_EQ(OfType(10006).size(), 30u);

    Field g(2400);
    CGameMain::GetInstance()->m_player = nullptr;
    g.Make<CCharacterEnemyMaker>(11072, 0, 0);
    g.s.Run(300);
    EXPECT_TRUE(OfType(11073).empty());
}

TEST(EnemyMaker, AGroupFreezeDelaysItsCount) {
    Field f(2400);
    CGameMain::GetInstance()->SetGroupFreezeTimer(20);
    f.Make<CCharacterEnemyMaker>(10005, 0, 0);
    const std::vector<int> times = ReleaseTimes(f.s, 10006, 100);
    ASSERT_FALSE(times.empty());
    EXPECT_EQ(times[0], 80);
}
