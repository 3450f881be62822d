// The fox, the spider, the zen priest, the thunderer, the goblin cat, the
// bat and the frog on a floor of real blocks: the fox's one fire at a
// time, the spider's bursts through the terrain, the priest's fan and the
// turrets' spiral, the lightning, the goblin cat's hop at a wall, the bats'
// flights and the hanging bat's waking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "enemy/CharacterBat.h"
#include "enemy/CharacterFox.h"
#include "enemy/CharacterFrog.h"
#include "enemy/CharacterGoblinCat.h"
#include "enemy/CharacterSpider.h"
#include "enemy/CharacterThunderer.h"
#include "enemy/CharacterZenPriest.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

constexpr double kPi = 3.14159265358979323846;

std::size_t ShotCount(int32_t first, int32_t last) {
    std::size_t n = 0;
    for (const CCharacterAttackEffect* a : Shots())
        if (a->frame >= first && a->frame <= last) ++n;
    return n;
}

// The floor with ten empty rows under it, so that no shot of a round
// leaves the map before the round is over.
std::vector<std::string> DeepGrid() {
    std::vector<std::string> grid = FloorGrid();
    grid.insert(grid.end(), 10, std::string(20, '.'));
    return grid;
}

}  // namespace

TEST(Fox, ItCastsOneFoxFireAtATimeAndCastsAgainOnlyOnceItIsGone) {
    // The player far off, out of the fire's reach.
    Field f(-600);
    auto* fox = f.Make<CCharacterFox>(10131, 3000);
    f.s.Run(98);
    EXPECT_EQ(ShotCount(360, 363), 0u);
    f.s.Run(1);  // 90 sitting, 8 crouching
    ASSERT_EQ(fox->frame, 233);
    CCharacter* fire = fox->linksB[0];
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->linksA[0], fox);
    EXPECT_EQ(fire->group, fox->group);
    EXPECT_EQ(fire->facing, -1);
    EXPECT_EQ(fire->prevX, 3000 - 200) << "200 before it";
    EXPECT_EQ(fire->prevY, fox->y) << "at its height";
    EXPECT_EQ(Velocity(*fire), std::make_pair(-10, 0));
    // It waits while its fire lives, with its state timer running on.
    int gone = -1;
    int again = -1;
    for (int i = 0; i < 400 && again < 0; ++i) {
        f.s.Run(1);
        EXPECT_LE(ShotCount(360, 363), 1u);
        if (gone < 0 && !Listed(fire)) gone = i;
        if (gone < 0 && fox->stateTimer >= 90) {
            EXPECT_TRUE(fox->frame == 230 || fox->frame == 231);
        }
        if (gone >= 0 && fox->frame == 233) again = i;
    }
    ASSERT_GT(gone, 150);
    EXPECT_EQ(again - gone, 9) << "into 232 at once, 8 frames crouching, then the fire";
    EXPECT_NE(fox->linksB[0], nullptr);
}

TEST(Fox, TheOtherKindNeverCasts) {
    Field f(-600);
    f.Make<CCharacterFox>(10132, 3000);
    f.s.Run(300);
    EXPECT_EQ(ShotCount(360, 363), 0u);
}

TEST(Spider, ItGoesThroughTheFloorAndBurstsSixWaysWithoutATouchAttack) {
    Field f(400);
    f.player->hp = 1000;
    // Its thread runs 800 down, into the floor 400 below it.
    auto* spider = f.Make<CCharacterSpider>(10151, 3000, kFloor - 400);
    f.s.ClearSounds();
    f.s.Run(81);
    // 79 steps: the frame it left its wait in ran no handler.
    EXPECT_EQ(spider->y, kFloor - 400 + 790);
    EXPECT_EQ(spider->frame, 232);
    f.s.Run(8);
    const std::vector<CCharacterAttackEffect*> burst = Shots(370);
    ASSERT_EQ(burst.size(), 6u);
    // 30, 90, 150, 210, 270, 330 degrees, truncated toward zero.
    for (std::size_t i = 0; i < 6; ++i) {
        const double a = (30 + 60 * static_cast<double>(i)) * kPi / 180;
        EXPECT_EQ(burst[i]->vx, static_cast<int32_t>(40 * std::sin(a))) << i;
        EXPECT_EQ(burst[i]->vy, static_cast<int32_t>(40 * std::cos(a))) << i;
        EXPECT_EQ(burst[i]->group, spider->group);
        EXPECT_EQ(std::make_pair(burst[i]->prevX, burst[i]->prevY), std::make_pair(3000, kFloor - 400 + 790)) << i;
        EXPECT_EQ(burst[i]->facing, -1) << "the way it faces, to the player";
    }
    EXPECT_EQ(std::tie(burst[0]->vx, burst[0]->vy), std::make_tuple(19, 34));
    EXPECT_EQ(std::tie(burst[1]->vx, burst[4]->vx), std::make_tuple(40, -40));
    EXPECT_TRUE(f.s.Sounds().empty()) << "it bursts without a sound";
    // The second burst 20 frames on, turned to the player, who went round
    // it; then it climbs back.
    f.player->x = 5000;
    f.s.Run(20);
    EXPECT_EQ(ShotCount(370, 370), 12u);
    EXPECT_EQ(spider->facing, 1);
    EXPECT_EQ(Shots(370).back()->facing, 1);
    f.s.Run(91);
    EXPECT_EQ(spider->frame / 2 * 2, 236);
    EXPECT_EQ(spider->y, kFloor - 400 + 790 - 800);
    // At the top of its thread it bursts twice more, 20 frames apart, then
    // goes down again.
    for (int i = 0; i < 100 && spider->frame != 238; ++i) f.s.Run(1);
    ASSERT_EQ(spider->frame, 238);
    const std::vector<int> times = TimesItGrew(f.s, [] { return ShotCount(370, 370); }, 30);
    EXPECT_EQ(times, (std::vector<int>{8, 28}));
}

TEST(Spider, HangingOnThePlayerItDoesNoHarmUntilItBursts) {
    Field f(3000);
    f.player->hp = 1000;
    auto* spider = f.Make<CCharacterSpider>(10152, 3000, kStandY);
    f.s.Run(48);
    EXPECT_EQ(spider->y, kStandY);
    EXPECT_EQ(f.player->hp, 1000);
    EXPECT_EQ(ShotCount(370, 370), 0u);
    f.s.Run(1);
    EXPECT_EQ(ShotCount(370, 370), 6u);
    // The second burst 20 frames on; the next round 80 after the first.
    const std::vector<int> times = TimesItGrew(f.s, [] { return ShotCount(370, 370); }, 90);
    EXPECT_EQ(times, (std::vector<int>{20, 80}));
}

TEST(SpiralShots, ThePriestsFanAndTheTurretsSpiralTurnAnEighthOfPiAShot) {
    struct Turret {
        int32_t id;
        int32_t shots;  // in one round
    };
    for (const Turret t : {Turret{10162, 30}, Turret{10182, 80}, Turret{10232, 80}}) {
        for (int32_t side : {1, -1}) {
            SCOPED_TRACE(t.id * side);
            Field f(side == 1 ? 5000 : 400, DeepGrid());
            CCharacterEnemy* turret = f.Make(t.id, 4000);
            f.s.Run(40);
            EXPECT_TRUE(Shots().empty()) << "40 frames still";
            EXPECT_EQ(turret->facing, side);
            f.s.Run(t.shots);
            const std::vector<CCharacterAttackEffect*> shots = Shots();
            ASSERT_EQ(static_cast<int32_t>(shots.size()), t.shots);
            for (std::size_t k = 0; k < shots.size(); ++k) {
                // The timer starts again at the 40-frame re-entry.
                const double a = static_cast<double>(k % 40) * kPi / 8;
                EXPECT_EQ(shots[k]->vx, static_cast<int32_t>(std::sin(a) * 40 * side)) << k;
                EXPECT_EQ(shots[k]->vy, static_cast<int32_t>(std::cos(a) * 40)) << k;
                EXPECT_EQ(shots[k]->frame / 2 * 2, side == 1 ? 380 : 384) << k;
                EXPECT_EQ(shots[k]->facing, side) << k;
                // Each from the turret's centre, flying straight on since.
                const int32_t flown = t.shots - 1 - static_cast<int32_t>(k);
                EXPECT_EQ(std::make_pair(shots[k]->prevX, shots[k]->prevY),
                          std::make_pair(4000 + shots[k]->vx * flown, kStandY + shots[k]->vy * flown)) << k;
            }
            EXPECT_EQ(std::tie(shots[0]->vx, shots[0]->vy), std::make_tuple(0, 40)) << "straight down first";
            EXPECT_EQ(shots[1]->vx, 15 * side) << "sin(pi/8) x 40 = 15.3";
            EXPECT_EQ(turret->x, 4000);
            f.s.Run(1);
            EXPECT_EQ(turret->frame, 250) << "a round, then still again";
        }
    }
}

TEST(ZenPriest, ItWalksAtThePlayerThenPraysAFanOfThirty) {
    Field f(400, DeepGrid());
    auto* priest = f.Make<CCharacterZenPriest>(10161, 4000);
    f.s.Run(60);
    EXPECT_EQ(priest->x, 4000 - 59 * 25);
    EXPECT_EQ(priest->frame / 4 * 4, 230 - 2) << "walking, 230-233";
    const std::vector<int> times = TimesItGrew(f.s, [] { return Shots().size(); }, 40);
    EXPECT_EQ(times.size(), 30u);
    EXPECT_EQ(times.front(), 1);
    EXPECT_EQ(times.back(), 30);
    EXPECT_EQ(priest->x, 4000 - 69 * 25) << "stood 30 frames to pray, then walked on";
    EXPECT_EQ(priest->frame / 2 * 2, 230);
    // The player behind it as it starts to pray: the first shot still goes
    // its old way, then it turns.
    f.player->x = priest->x + 1000;
    priest->SetState(235);
    const std::size_t before = Shots().size();
    f.s.Run(1);
    ASSERT_EQ(Shots().size(), before + 1);
    EXPECT_EQ(Shots().back()->frame / 2 * 2, 384);
    EXPECT_EQ(priest->facing, 1);
}

TEST(Thunderer, ItDropsLightningEveryFortyFramesInFlightAndEveryTwentyTwoHovering) {
    for (const auto& [id, first, period] : {std::tuple{10171, 31, 40}, std::tuple{10172, 17, 22}}) {
        SCOPED_TRACE(id);
        Field f(400);
        auto* thunderer = f.Make<CCharacterThunderer>(id, 3000, 1000);
        f.s.ClearSounds();
        const std::vector<int> times = TimesItGrew(f.s, [] { return ShotCount(390, 391); }, first + 2 * period);
        ASSERT_EQ(times, (std::vector<int>{first, first + period, first + 2 * period}));
        EXPECT_TRUE(f.s.Sounds().empty()) << "it strikes without a sound";
        const CCharacterAttackEffect* bolt = Shots().back();
        EXPECT_LE(std::abs(bolt->x - thunderer->x), 10) << "it flew on after the drop";
        EXPECT_EQ(bolt->prevY, bolt->y - 200) << "falling at 200 a frame";
        EXPECT_EQ(std::tie(bolt->vx, bolt->vy), std::make_tuple(0, 200));
        EXPECT_EQ(bolt->frame / 2 * 2, 390);
        // Each bolt starts 200 under the thunderer.
        thunderer->SetState(id == 10171 ? 234 : 254);
        const CCharacter* fresh = World().GetAt(World().GetCount());
        EXPECT_EQ(fresh->frame, 390);
        EXPECT_EQ(fresh->facing, -1) << "drawn its way";
        EXPECT_EQ(fresh->x, thunderer->x);
        EXPECT_EQ(fresh->y, thunderer->y + 200);
        if (id == 10171) {
            EXPECT_LT(thunderer->x, 3000) << "flies on";
            // While it strikes it holds its height, whatever speed it had.
            thunderer->vy = 30;
            f.s.Run(1);
            EXPECT_EQ(thunderer->vy, 0);
        } else {
            EXPECT_EQ(thunderer->x, 3000);
        }
    }
}

TEST(GoblinCat, ItHopsAtAWallWithoutLeavingItsRunAndLandsBackInIt) {
    // A wall two cells high between the cat and the player.
    Field f(400, FloorGrid({".....#..............", ".....#.............."}));
    auto* cat = f.Make<CCharacterGoblinCat>(10181, 4000);
    bool hopped = false;
    for (int i = 0; i < 120 && !hopped; ++i) {
        const int32_t before = cat->frame;
        const int32_t timer = cat->stateTimer;
        f.s.Run(1);
        if ((before == 230 || before == 231) && cat->frame == 232) {
            hopped = true;
            EXPECT_EQ(cat->vy, -70);
            EXPECT_EQ(cat->x, 2400 + 190);
            EXPECT_EQ(cat->stateTimer, (timer + 1) % 60) << "the run's timer runs on";
        }
    }
    ASSERT_TRUE(hopped);
    for (int i = 0; i < 40 && cat->frame == 232; ++i) {
        const int32_t timer = cat->stateTimer;
        f.s.Run(1);
        if (cat->frame != 232) {
            EXPECT_EQ(cat->stateTimer, (timer + 1) % 60) << "landed back in its run, the timer running on";
        }
    }
    EXPECT_TRUE(cat->frame == 230 || cat->frame == 232);
    EXPECT_EQ(cat->y, kStandY);
}

// The walking priest hops up at 70 when a block stands in its way, without
// leaving its walk, and walks on over it.
TEST(ZenPriest, ItHopsOntoABlockInItsWayAndWalksOnOverIt) {
    Field f(400, FloorGrid({".....#.............."}));
    auto* priest = f.Make<CCharacterZenPriest>(10161, 3200);
    int32_t hopAt = 0, top = priest->y;
    for (int i = 0; i < 50; ++i) {
        const int32_t before = priest->frame, timer = priest->stateTimer;
        f.s.Run(1);
        top = std::min(top, priest->y);
        if (hopAt == 0 && before != 234 && priest->frame == 234) {
            hopAt = priest->x;
            EXPECT_EQ(priest->vy, -70);
            EXPECT_EQ(priest->stateTimer, timer + 1) << "the walk's timer runs on";
        }
        if (before == 234 && priest->frame != 234) {
            EXPECT_EQ(priest->stateTimer, timer + 1) << "landed back in its walk, the timer running on";
        }
    }
    EXPECT_EQ(hopAt, 2400 + 190) << "at the block's face";
    EXPECT_EQ(top, 2566) << "70 up, 6 a frame less";
    EXPECT_EQ(priest->y, 2800 - 190) << "on the block";
    EXPECT_LT(priest->x, 2400);
    EXPECT_EQ(priest->vx, -25);
    EXPECT_NE(priest->frame, 234);
}

// Each 60-frame re-entry of its run faces the player and, on an odd draw,
// pounces: up at 80, on at 40, and runs again where it lands.
TEST(GoblinCat, AtEveryReEntryOfItsRunItPouncesOnAnOddDraw) {
    Field f(400);
    auto* cat = f.Make<CCharacterGoblinCat>(10181, 4400);
    int pounces = 0, runs = 0;
    int32_t top = kStandY;
    for (int i = 0; i < 720; ++i) {
        const int32_t before = cat->frame;
        f.s.Run(1);
        if (before != 233 && cat->frame == 233) {
            ++pounces;
            top = kStandY;
        }
        if (cat->frame == 233) {
            top = std::min(top, cat->y);
            if (cat->vy != 0) {
                EXPECT_EQ(cat->vx, 40 * cat->facing);
            }
        }
        if (before == 233 && cat->frame != 233) {
            EXPECT_EQ(cat->frame, 230) << "it lands running";
            EXPECT_EQ(cat->y, kStandY);
            // Up at 80, 6 a frame less: from a landing it rises 80 in its
            // first frame, from the run's re-entry gravity already took 6.
            EXPECT_TRUE(top == kStandY - 574 || top == kStandY - 494) << top;
        }
        if (before != 233 && cat->frame == 230 && cat->stateTimer == 0) ++runs;
        if (cat->frame == 230 || cat->frame == 231) {
            EXPECT_EQ(cat->vx, 40 * cat->facing);
            EXPECT_EQ(cat->facing, cat->x > f.player->x ? -1 : 1);
        }
        if (cat->x < 1000) cat->x = 4400;
    }
    EXPECT_GE(pounces, 3);
    EXPECT_GE(runs, 3);
}

TEST(Bat, ItFliesStraightCirclesOrHomes) {
    Field f(400);
    auto* straight = f.Make<CCharacterBat>(10221, 3000, 1000);
    auto* circler = f.Make<CCharacterBat>(10222, 3000, 1500);
    auto* homer = f.Make<CCharacterBat>(10223, 3000, 2000);
    EXPECT_EQ(circler->vx, -15);
    EXPECT_EQ(std::tie(homer->attackDirX, homer->attackDirY), std::make_tuple(-15, 0));
    f.s.Run(4);
    EXPECT_EQ(straight->vx, -20) << "straight on at 20";
    // The circler's first turn, from its stored (-15, 0).
    const double a = std::atan2(-15.0, 0.0) + 0.1;
    EXPECT_EQ(std::tie(circler->vx, circler->vy),
              std::make_tuple(static_cast<int32_t>(std::sin(a) * 20), static_cast<int32_t>(std::cos(a) * 20)));
    EXPECT_EQ(std::tie(circler->attackDirX, circler->attackDirY), std::tie(circler->vx, circler->vy));
    const int32_t startX = circler->x, startY = circler->y;
    for (int i = 0; i < 190; ++i) {
        f.s.Run(1);
        if (circler->vx != 0) {
            EXPECT_EQ(circler->facing, circler->vx < 0 ? -1 : 1) << "facing its flight";
        }
    }
    EXPECT_EQ(straight->facing, -1);
    EXPECT_LT(straight->x, 3000 - 190 * 20 + 100);
    // Nearly a whole circle in 63 turns of 0.1.
    EXPECT_LT(std::hypot(circler->x - startX, circler->y - startY), 300);
    EXPECT_LT(std::hypot(homer->x - f.player->GetAnchorX(), homer->y - f.player->GetAnchorY()), 600);
}

// The homing bat turns its stored flight at most 0.2 toward the player on
// every third frame, at 15 a frame.
TEST(Bat, TheHomingBatTurnsAtMostTwoTenthsEveryThirdFrame) {
    Field f(400);
    auto* bat = f.Make<CCharacterBat>(10223, 3000, 1000);
    f.s.Run(1);
    ASSERT_EQ(bat->frame, 270);
    int steers = 0;
    for (int i = 0; i < 30; ++i) {
        const std::pair<int32_t, int32_t> before = Velocity(*bat);
        const double current = std::atan2(static_cast<double>(bat->attackDirX), static_cast<double>(bat->attackDirY));
        f.player->x = bat->x + (i / 6 % 2 == 0 ? 3000 : -3000);  // always far behind or ahead
        f.s.Run(1);
        if (Velocity(*bat) == before) continue;
        ++steers;
        EXPECT_EQ(bat->frameTimer % 3, 0) << i;
        const auto turned = [](double a) {
            return std::make_pair(static_cast<int32_t>(std::sin(a) * 15), static_cast<int32_t>(std::cos(a) * 15));
        };
        const std::pair<int32_t, int32_t> v = Velocity(*bat);
        // The whole 0.2 either way, or straight at the player when that is
        // a smaller turn.
        const double wanted = std::atan2(static_cast<double>(f.player->GetAnchorX()) - bat->prevX,
                                         static_cast<double>(f.player->GetAnchorY()) - bat->prevY);
        const double gap = std::abs(std::remainder(wanted - current, 2 * kPi));
        EXPECT_TRUE(v == turned(current + 0.2) || v == turned(current - 0.2) || (gap <= 0.2 && v == turned(wanted)))
            << i << ": " << v.first << "," << v.second;
        EXPECT_EQ(std::make_pair(bat->attackDirX, bat->attackDirY), v) << "kept as its flight";
        EXPECT_EQ(bat->facing, v.first < 0 ? -1 : 1);
    }
    EXPECT_GE(steers, 8);
}

TEST(Bat, TheHangingBatWakesOnlyUnderFifteenHundredAndThenHomesEvenAfterAHurt) {
    // A ceiling row under which the bat hangs.
    std::vector<std::string> grid(9, std::string(20, '.'));
    grid[1] = std::string(20, '#');
    grid.push_back(std::string(20, '#'));
    Field f(400, grid);
    f.player->y = 2000;
    auto* bat = f.Make<CCharacterBat>(10227, 3000, 1400);
    f.s.Run(2);
    ASSERT_EQ(bat->frame, 290);
    EXPECT_EQ(bat->y, 800 + 100) << "pressed against the ceiling";
    EXPECT_EQ(bat->RecordAt(EnemyState::Hurt).u, bat->RecordAt(290).u);
    f.player->x = bat->x + 1600;
    f.player->y = bat->y;
    f.s.Run(1);
    EXPECT_EQ(bat->frame, 290);
    EXPECT_EQ(bat->facing, 1) << "hanging, it turns to the player";
    // 1000 across but 1200 below: 1562 away, still too far.
    f.player->x = bat->x + 1000;
    f.player->y = bat->y + 1200;
    f.s.Run(1);
    EXPECT_EQ(bat->frame, 290);
    f.player->x = bat->x - 1500;
    f.player->y = bat->y;
    f.s.Run(5);
    EXPECT_EQ(bat->frame, 290) << "exactly 1500 away";
    f.player->x += 1;
    f.s.Run(1);
    EXPECT_EQ(bat->frame, 270);
    EXPECT_EQ(bat->homeState, 270);
    EXPECT_EQ(std::tie(bat->vx, bat->vy), std::make_tuple(-15, 0));
    EXPECT_EQ(bat->facing, -1);
    bat->OnHit(15, 50, 1, f.player);
    f.s.Run(21);
    EXPECT_EQ(bat->frame / 2 * 2, 270) << "back homing after the hurt";

    // Woken from straight below it has no way across: it keeps the way it
    // faced.
    Field g(400, grid);
    g.player->y = 2000;
    auto* below = g.Make<CCharacterBat>(10227, 3000, 1400);
    g.s.Run(2);
    ASSERT_EQ(below->frame, 290);
    ASSERT_EQ(below->facing, -1);
    g.player->x = below->x;
    g.player->y = below->y + 1000;
    g.s.Run(1);
    EXPECT_EQ(below->frame, 270);
    EXPECT_EQ(std::tie(below->vx, below->vy), std::make_tuple(0, 15));
    EXPECT_EQ(below->facing, -1);
}

TEST(Frog, ItSitsFacingThePlayerThenHopsAtItAndTheUnmappedFrogGoes) {
    Field f(400);
    auto* frog = f.Make<CCharacterFrog>(10231, 3000);
    auto* stray = f.Make<CCharacterFrog>(10233, kScreenRight + 2000);
    f.s.Run(11);
    EXPECT_FALSE(Listed(stray)) << "no variant: gone at once, even off screen";
    ASSERT_EQ(frog->frame, 231);
    EXPECT_EQ(frog->facing, -1);
    int32_t top = frog->y;
    for (int i = 0; i < 60 && frog->frame == 231; ++i) {
        f.s.Run(1);
        top = std::min(top, frog->y);
        if (frog->frame == 231) {
            EXPECT_EQ(frog->vx, -10) << "forward at 10";
        }
    }
    EXPECT_EQ(frog->frame, 230);
    EXPECT_EQ(frog->y, kStandY);
    EXPECT_EQ(Velocity(*frog), std::make_pair(0, 0)) << "landed, it stops at once";
    EXPECT_LT(frog->x, 3000 - 200);
    EXPECT_EQ(top, kStandY - 784) << "up at 100, 6 a frame less";
}

TEST(Yokai, EveryKindKeepsGoingWithoutAPlayer) {
    // Every read of the player (facing, aiming, homing, waking, the far
    // turn) finds none; each kind goes on its way all the same.
    Field f(400);
    CGameMain::GetInstance()->m_player = nullptr;
    f.player->alive = 0;
    std::vector<CCharacterEnemy*> kinds;
    for (int32_t id : {10001, 10002, 10006, 10054, 10011, 10012, 10021, 10022, 10031, 10032, 10131, 10132,
                       10151, 10152, 10161, 10162, 10171, 10172, 10181, 10182, 10221, 10222, 10223, 10227,
                       10231, 10232, 10041, 10042, 10091, 10092, 10121, 10122, 10123, 11001, 11002, 10060,
                       10072, 11050, 11051, 11080, 11081, 11070, 11071, 11090, 11091, 11060, 11061,
                       20770, 20800, 20780})
        kinds.push_back(f.Make(id, 2400, id == 10227 ? 1000 : kStandY));
    f.s.Run(300);
    for (CCharacterEnemy* e : kinds) {
        ASSERT_TRUE(Listed(e)) << e->typeId;
        EXPECT_NE(e->frame, EnemyState::Wait) << e->typeId;
    }
    EXPECT_FALSE(Shots().empty());
}
