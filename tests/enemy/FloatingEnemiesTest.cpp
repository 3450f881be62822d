// The will-o'-wisps, the ghost, the karakasa, the chouchin and the snake on
// a floor of real blocks: the homing wisp's appearance and its chase (also
// as the spawner releases it), the ghost's fire and its burst, the hop, the
// lantern's fire, the snake's turn at a ledge, and the drifters' far turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "enemy/CharacterChouchin.h"
#include "enemy/CharacterEnemyMaker.h"
#include "enemy/CharacterGhost.h"
#include "enemy/CharacterKarakasa.h"
#include "enemy/CharacterSnake.h"
#include "enemy/CharacterWilloTheWisp.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

double Speed(const CCharacter& c) { return std::hypot(c.vx, c.vy); }

// The cosine of the angle between c's velocity and the way to the target's
// anchor (where aimed shots and homing flyers head).
double Heading(const CCharacter& c, CCharacter& target) {
    const double dx = static_cast<double>(target.GetAnchorX()) - c.x, dy = static_cast<double>(target.GetAnchorY()) - c.y;
    return (c.vx * dx + c.vy * dy) / (Speed(c) * std::hypot(dx, dy));
}

// Shots alive in frames first..last (a shot's frames alternate).
std::size_t ShotCount(int32_t first, int32_t last = -1) {
    std::size_t n = 0;
    for (const CCharacterAttackEffect* a : Shots())
        if (a->frame >= first && a->frame <= (last < 0 ? first : last)) ++n;
    return n;
}

}  // namespace

TEST(WillOTheWisp, TheHomingKindAppearsHarmlessForFortyFramesThenChasesAndStrikes) {
    // Appearing right on the player.
    Field f(2000);
    f.player->hp = 1000;
    auto* wisp = f.Make<CCharacterWilloTheWisp>(10006, 2000, kStandY);
    struct Step {
        int frames;
        int32_t frame;
        bool hurtBox, attackBox;
    };
    for (const Step& s : {Step{1, 290, false, false}, Step{19, 290, false, false}, Step{1, 292, true, false},
                          Step{19, 292, true, false}, Step{1, 294, true, true}}) {
        f.s.Run(s.frames);
        SCOPED_TRACE(wisp->stateTimer);
        EXPECT_EQ(wisp->frame / 2 * 2, s.frame);
        const FrameRecord& r = wisp->CurrentRecord();
        EXPECT_EQ(r.hurtLeft != r.hurtRight, s.hurtBox);
        EXPECT_EQ(r.attackLeft != r.attackRight, s.attackBox);
        EXPECT_EQ(r.bodyLeft, r.bodyRight) << "it floats through terrain";
        if (!s.attackBox) {
            EXPECT_EQ(f.player->hp, 1000) << "harmless while it appears";
        }
    }
    EXPECT_LT(f.player->hp, 1000) << "its touch strikes from 294 on";

    // Far off, it flies straight at the player at 15 a frame, aimed anew
    // every frame of both its homing records while the player runs about.
    f.player->x = 400;
    f.player->y = 1000;
    bool saw294 = false, saw295 = false;
    for (int i = 0; i < 40; ++i) {
        f.player->x = 400 + 300 * (i % 3);
        f.player->y = 1000 + 200 * (i % 4);
        f.s.Run(1);
        saw294 |= wisp->frame == 294;
        saw295 |= wisp->frame == 295;
        EXPECT_EQ(Velocity(*wisp), Aim(wisp->prevX, wisp->prevY, *f.player, 15)) << i << " in " << wisp->frame;
    }
    EXPECT_TRUE(saw294 && saw295);
    EXPECT_EQ(wisp->facing, -1);
}

TEST(WillOTheWisp, TheSpawnersWispsHomeOnThePlayer) {
    Field f(2400);
    f.player->y = 1600;
    f.Make<CCharacterEnemyMaker>(10005, 0, 0);
    f.s.Run(60);
    ASSERT_EQ(OfType(10006).size(), 1u);
    auto* wisp = dynamic_cast<CCharacterWilloTheWisp*>(OfType(10006)[0]);
    ASSERT_NE(wisp, nullptr);
    const double start = std::hypot(wisp->x - f.player->x, wisp->y - f.player->y);
    f.s.Run(41);
    EXPECT_GE(wisp->frame, 294);
    EXPECT_GT(Heading(*wisp, *f.player), 0.99);
    EXPECT_LT(std::hypot(wisp->x - f.player->x, wisp->y - f.player->y), start - 15 * 0.9);
}

TEST(WillOTheWisp, TheOthersHoverInPlaceOrDriftAndTurnOnlyToAFarPlayer) {
    Field f(400);
    auto* hover = f.Make<CCharacterWilloTheWisp>(10001, 2000, 1500);
    auto* drift = f.Make<CCharacterWilloTheWisp>(10002, 1000, 1500);
    f.s.Run(1);
    EXPECT_EQ(hover->frame, 230);
    EXPECT_EQ(drift->frame, 250);
    EXPECT_EQ(drift->facing, -1);
    // The player slips behind it, but only 600 away: it drifts on.
    f.player->x = 1600;
    f.s.Run(95);
    EXPECT_EQ(hover->x, 2000);
    EXPECT_EQ(drift->x, 1000 - 95 * 10);
    EXPECT_EQ(drift->facing, -1);
    // Exactly 800 behind at the next re-entry: not farther than 800, on it
    // goes; 801 at the one after: it turns; 801 behind again at the next
    // (the other of its two records): it turns back.
    drift->x = 4000;  // room to drift in view for three more re-entries
    struct ReEntry {
        int32_t behind, facing;
    };
    for (const ReEntry r : {ReEntry{800, -1}, ReEntry{801, 1}, ReEntry{-801, -1}}) {
        SCOPED_TRACE(r.behind);
        f.s.beforeFrame = [&](Scenario&) { f.player->x = drift->x + r.behind; };
        int frames = 0;
        do {
            f.s.Run(1);
            ++frames;
        } while (drift->stateTimer != 0 && frames < 100);
        EXPECT_LE(frames, 96) << "a re-entry";
        EXPECT_EQ(drift->facing, r.facing);
    }
    f.s.beforeFrame = nullptr;
    // The hoverer keeps turning to the player.
    f.player->x = hover->x + 1000;
    f.s.Run(1);
    EXPECT_EQ(hover->facing, 1);
}

TEST(Ghost, ItKeepsItsTypeFadesInAndFiresEveryHundredTwentyFrames) {
    Field f(400);
    auto* ghost = f.Make<CCharacterGhost>(10054, 3000, 1500);
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->typeId, 10050);
    // It appears in its first frame and fades in from the next.
    f.s.Run(2);
    EXPECT_EQ(ghost->alpha, 16);
    f.s.Run(15);
    EXPECT_EQ(ghost->alpha, 255);
    f.s.ClearSounds();
    const std::vector<int> times = TimesItGrew(f.s, [] { return ShotCount(412, 412 + 1); }, 400);
    // The first 140 frames after it appeared (frame 141 of its life, 124
    // after these 17), then every 120.
    EXPECT_EQ(times, (std::vector<int>{124, 244, 364}));
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 21), 3);
    const CCharacterAttackEffect* fire = Shots(412).back();
    EXPECT_EQ(fire->group, ghost->group);
    // Aimed at the player from where the ghost is, at 50 a frame.
    ghost->SetState(233);
    const CCharacter* shot = World().GetAt(World().GetCount());
    EXPECT_EQ(shot->frame, 412);
    EXPECT_EQ(shot->facing, -1) << "drawn its way";
    EXPECT_EQ(std::make_pair(shot->x, shot->y), std::make_pair(ghost->x, ghost->y));
    EXPECT_EQ(Velocity(*shot), Aim(ghost->x, ghost->y, *f.player, 50));
    EXPECT_LT(fire->vx, 0);
    EXPECT_GT(fire->vy, 0);
}

TEST(Ghost, ItsBurstLeavesASpiritAndBlastsEveryFourFramesOfItsFade) {
    Field f(400);
    auto* ghost = f.Make<CCharacterGhost>(10054, 3000, 1500);
    f.s.Run(20);
    ghost->OnHit(15, 500, 1, f.player);
    ASSERT_EQ(ghost->frame, EnemyState::Defeated);
    std::vector<int> blasts = TimesItGrew(f.s, [] { return Effects(320, 325).size(); }, 1);
    ASSERT_EQ(blasts, std::vector<int>{1}) << "the first in the burst's own frame";
    EXPECT_EQ(OfType(23002).size(), 1u);
    const CCharacterEffect* blast = Effects(320, 325)[0];
    EXPECT_LE(std::abs(blast->x - ghost->x), 200);
    EXPECT_LE(std::abs(blast->y - ghost->y), 200);
    // The burst's freeze, then one every four frames of the fade: those of
    // its frames 4, 8, 12 and 16 are all still there at 16.
    for (int i = 0; i < 40 && !(ghost->frame == EnemyState::FadeOut && ghost->stateTimer == 16); ++i) f.s.Run(1);
    ASSERT_EQ(ghost->stateTimer, 16);
    EXPECT_EQ(Effects(320, 325).size(), 4u);
    // Scattered within 200 of its centre either way, over the whole square.
    int32_t spread = 0;
    for (const CCharacterEffect* b : Effects(320, 325)) {
        EXPECT_LE(std::abs(b->prevX - ghost->x), 200);
        EXPECT_LE(std::abs(b->prevY - ghost->y), 200);
        spread = std::max({spread, std::abs(b->prevX - ghost->x), std::abs(b->prevY - ghost->y)});
        EXPECT_EQ(b->facing, -1) << "drawn its way";
    }
    EXPECT_GT(spread, 100);
    f.s.Run(10);
    EXPECT_FALSE(Listed(ghost));
}

TEST(Karakasa, ItHopsInPlaceTurningToThePlayerBetweenHopsAndTheDrifterNeverHops) {
    Field f(400);
    auto* kasa = f.Make<CCharacterKarakasa>(10011, 3000, 1000);
    auto* drifter = f.Make<CCharacterKarakasa>(10012, 2000);
    // The lantern's and the snake's drifting kinds share the drift and its
    // turn to a far player.
    CCharacterEnemy* others[] = {f.Make(10022, 2000), f.Make(10032, 2000)};
    f.s.Run(2);
    ASSERT_EQ(kasa->frame, 231);
    EXPECT_EQ(kasa->y, kStandY) << "dropped to the ground";
    EXPECT_EQ(kasa->facing, -1);
    int32_t top = kasa->y;
    int hops = 0;
    f.player->x = 5000;  // behind both now
    for (int i = 0; i < 200; ++i) {
        f.s.Run(1);
        top = std::min(top, kasa->y);
        if (kasa->frame == 232) {
            ++hops;
            EXPECT_EQ(kasa->facing, 1) << "turned while it stood";
        }
        EXPECT_EQ(kasa->x, 3000);
        EXPECT_EQ(drifter->frame / 2 * 2, 250);
        EXPECT_LE(drifter->y, kStandY);
        EXPECT_GT(drifter->y, kStandY - 400) << "the drifter only bobs";
    }
    EXPECT_GE(hops, 3);
    // Up at 120, down at 6 a frame more.
    EXPECT_EQ(top, kStandY - 1140);
    EXPECT_EQ(drifter->facing, 1) << "turned to the far player at its re-entry";
    for (const CCharacterEnemy* other : others) {
        EXPECT_EQ(other->facing, 1) << other->typeId << " turned to the far player too";
    }
    // A hop goes straight up at 120 whatever sideways speed it had.
    kasa->vx = 30;
    kasa->SetState(232);
    EXPECT_EQ(Velocity(*kasa), std::make_pair(0, -120));
}

// Standing on a block that goes, it falls at once and stands again where
// it lands.
TEST(Karakasa, WhenItsGroundGoesItFallsAndStandsWhereItLands) {
    Field f(400, FloorGrid({".......#............", "....................", "...................."}));
    CCharacter* ledge = f.s.At(7, 5);
    ASSERT_NE(ledge, nullptr);
    auto* kasa = f.Make<CCharacterKarakasa>(10011, 3000, 1000);
    f.s.Run(2);
    ASSERT_EQ(kasa->frame, 231);
    ASSERT_EQ(kasa->y, 2000 - 190) << "on the block";
    ledge->alive = 0;
    f.s.Run(2);
    EXPECT_EQ(kasa->frame, 230) << "in the air";
    for (int i = 0; i < 60 && kasa->frame == 230; ++i) f.s.Run(1);
    EXPECT_EQ(kasa->frame, 231);
    EXPECT_EQ(kasa->y, kStandY);
    EXPECT_EQ(kasa->x, 3000);
}

TEST(Chouchin, ItSpitsAnAimedFireEveryEightySixFramesWithoutASound) {
    Field f(400);
    auto* lantern = f.Make<CCharacterChouchin>(10021, 3000, 1500);
    f.s.ClearSounds();
    f.s.Run(52);
    const int32_t x = lantern->x, y = lantern->y;
    f.s.Run(1);
    ASSERT_EQ(ShotCount(300), 1u);
    EXPECT_EQ(std::make_pair(Shots(300)[0]->prevX, Shots(300)[0]->prevY), std::make_pair(x, y)) << "from its centre";
    EXPECT_TRUE(f.s.Sounds().empty());
    const std::vector<int> times = TimesItGrew(f.s, [] { return ShotCount(300); }, 180);
    EXPECT_EQ(times, (std::vector<int>{86, 172}));
    const CCharacterAttackEffect* fire = Shots(300).back();
    EXPECT_NEAR(Speed(*fire), 50, 1.5);
    EXPECT_GT(Heading(*fire, *f.player), 0.99);
    EXPECT_EQ(fire->facing, -1) << "drawn its way";
    EXPECT_EQ(lantern->facing, -1);
    EXPECT_EQ(lantern->x, 3000);
}

TEST(Snake, ItCrawlsBackAndForthOnALedgeAndTurnsAtAWall) {
    // A platform of three cells (2400..3600, top 2000) high over the floor,
    // and a wall on the floor.
    std::vector<std::string> grid(8, std::string(20, '.'));
    grid[5] = "......###...........";
    grid[7] = "..........#.........";
    grid.push_back(std::string(20, '#'));
    Field f(400, grid);
    auto* ledge = f.Make<CCharacterSnake>(10031, 3000, 1810);
    auto* walled = f.Make<CCharacterSnake>(10031, 5000);
    f.s.Run(1);
    ASSERT_EQ(ledge->frame, 230);
    EXPECT_EQ(ledge->facing, -1);
    int turns = 0;
    int32_t facing = ledge->facing;
    int32_t wallTurn = 0;
    for (int i = 0; i < 400; ++i) {
        f.s.Run(1);
        EXPECT_EQ(ledge->y, 1810) << "never falls";
        EXPECT_GE(ledge->x, 2400 - 190);
        EXPECT_LE(ledge->x, 3600 + 190);
        if (ledge->facing != facing) ++turns;
        facing = ledge->facing;
        if (wallTurn == 0 && walled->facing == 1) wallTurn = walled->x;
    }
    EXPECT_GE(turns, 3);
    EXPECT_EQ(wallTurn, 4400 + 190 + 10) << "turned at the wall's face, one step on";
    // The platform gone from under it, it falls to the floor.
    for (int32_t col : {6, 7, 8}) f.s.At(col, 5)->alive = 0;
    f.s.Run(60);
    EXPECT_EQ(ledge->y, kStandY);
}

