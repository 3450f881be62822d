// The mammoth: its fixed cycle walked end to end in a walled room (the six
// throws, the charge into the wall with its crash and ten icicles, the
// bounce and the turn that sends the next charge the other way), and a
// charge in a room without walls that the stage's edge ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "boss/CharacterMammoth.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

constexpr int32_t kFeet = 590;

struct MammothFight : SideRoom {
    CCharacterMammoth* mammoth = nullptr;
    explicit MammothFight(std::vector<std::string> grid = RoomGrid()) : SideRoom(800, std::move(grid)) {
        mammoth = MakeBoss<CCharacterMammoth>(11020, 5000, kFeet + 400);
    }
};

TEST(Mammoth, TheCycleThrowsSixTimesChargesIntoTheWallAndTurnsForTheNextCharge) {
    MammothFight f;
    // The tour starts with the first frame; the player is held through it.
    f.s.Run(1);
    EXPECT_EQ(f.mammoth->frame, CCharacterMammoth::kTour);
    EXPECT_EQ(f.mammoth->y, kFloor - kFeet);  // dropped to the ground
    EXPECT_EQ(f.music, (std::vector<int32_t>{kMusicStopped}));
    const int held = f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 400);
    EXPECT_GE(held, 30 + 80 + 30 - 2);
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(f.music.back(), CCharacterEnemyBoss::kBossMusic);
    EXPECT_EQ(CLifebarEnemy::GetInstance()->m_target, f.mammoth);

    // Standing 20, then 200 ticks of throws: six snowballs, one every 32.
    f.s.ClearSounds();
    const int facing = f.mammoth->facing;
    std::vector<int32_t> throws;
    int heard = 0;
    f.RunUntil(
        [&] {
            if (f.Heard(48) > heard) throws.push_back(f.mammoth->stateTimer);
            heard = f.Heard(48);
            return f.mammoth->frame == CCharacterMammoth::kHop;
        },
        400);
    EXPECT_EQ(f.Heard(48), 6);
    // At the start of each first record of the group, which it entered at
    // its third.
    EXPECT_EQ(throws, (std::vector<int32_t>{16, 48, 80, 112, 144, 176}));
    // The hop: up at 80 (one frame of its gravity, 6, spent already).
    ASSERT_EQ(f.mammoth->frame, 264);
    EXPECT_EQ(f.mammoth->vy, -80 + 6);
    // The hop, then the charge into the wall: one icicle at the crash,
    // nine more in the bounce's first ticks.
    f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kBounce; }, 400);
    ASSERT_EQ(f.mammoth->frame, CCharacterMammoth::kBounce);
    EXPECT_EQ(f.Heard(77), 1);
    EXPECT_GT(f.Heard(76), 0);
    EXPECT_EQ(Shots(CCharacterMammoth::kIcicle).size(), 1u);
    // The crash shakes 40 frames between -20 and 20, easing by 2 (one
    // frame of it run: its first swing, upward, has eased the top by 2).
    EXPECT_EQ(CEffect::GetInstance()->m_shakeFrames, 40 - 1);
    EXPECT_EQ(CEffect::GetInstance()->m_shakeLowY, -20);
    EXPECT_EQ(CEffect::GetInstance()->m_shakeHighY, 20 - 2);
    EXPECT_EQ(CEffect::GetInstance()->m_shakeDecay, 2);
    const int32_t wall = facing > 0 ? 19 * kTileSize : kTileSize;
    // Stopped at the wall, then thrown back 10 in the same frame.
    EXPECT_EQ(f.mammoth->x + 490 * facing, wall - 10 * facing);
    EXPECT_EQ(f.mammoth->vy, -60);
    // (The mammoth alone, so that no icicle breaks on a wall before it is
    // counted.)
    for (int i = 0; i < 12; ++i) f.mammoth->Frame();
    const auto icicles = Shots(CCharacterMammoth::kIcicle);
    EXPECT_EQ(icicles.size(), 10u);
    // Each at 720, anywhere across the stage but 420 from either end.
    int32_t left = 100000, right = 0;
    for (std::size_t k = 1; k < icicles.size(); ++k) {
        EXPECT_EQ(icicles[k]->y, 720) << k;
        left = std::min(left, icicles[k]->x);
        right = std::max(right, icicles[k]->x);
    }
    EXPECT_GE(left, 420);
    EXPECT_LE(right, 20 * kTileSize - 420);
    EXPECT_LT(left, 2500);
    EXPECT_GT(right, 5500);

    // Thrown back, the turning hop (up at 70, one frame of gravity spent),
    // and the next charge goes the other way.
    int32_t bounceVx = 1;
    f.RunUntil(
        [&] {
            if (f.mammoth->frame == CCharacterMammoth::kBounce) bounceVx = f.mammoth->vx;
            return f.mammoth->frame == CCharacterMammoth::kTurn;
        },
        200);
    ASSERT_EQ(f.mammoth->frame, 268);
    EXPECT_EQ(bounceVx, 0);  // landed from the bounce, it slides no further
    EXPECT_EQ(f.mammoth->vy, -70 + 6);
    f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 200);
    EXPECT_EQ(f.mammoth->facing, -facing);
    f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kCharge; }, 600);
    f.s.Run(5);
    EXPECT_EQ(f.mammoth->vx, -facing * 100);
    // It tramples the player wherever they meet.
    EXPECT_NE(f.mammoth->CurrentRecord().attackRight, 0);
}

// It tramples in every record of its cycle but the bounce off the wall
// (each picture of the four-picture groups too): kind 15, 100 a blow.
TEST(Mammoth, ItTramplesInEveryRecordButTheBounce) {
    struct Case {
        int32_t state;
        bool tramples;
    };
    for (const Case& c : {Case{240, true}, Case{243, true}, Case{244, true}, Case{247, true}, Case{260, true},
                          Case{263, true}, Case{264, true}, Case{265, true}, Case{267, false}, Case{268, true}}) {
        MammothFight f;
        f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 400);
        Victim* victim = f.AddVictim(f.mammoth->x);
        victim->y = f.mammoth->y;
        f.mammoth->SetState(c.state);
        f.mammoth->ConsumeStateChange();
        f.mammoth->Frame();
        const std::vector<std::pair<int32_t, int32_t>> none, blow{{15, 100}};
        EXPECT_EQ(victim->blows, c.tramples ? blow : none) << c.state;
    }
}

// Each throw: a snowball from up to 400 behind its x (whatever its
// facing) and up to 200 above it, at -10 to 10 across and 100 to 120 up.
TEST(Mammoth, ItsSnowballsLeaveWithinTheirRanges) {
    for (int32_t facing : {1, -1}) {
        MammothFight f;
        f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 400);
        f.mammoth->facing = facing;
        int32_t lowX = 1000, highX = -1000, lowY = 1000, highY = -1000, slowX = 100, fastX = -100, lowVy = 0, highVy = -1000;
        for (int i = 0; i < 300; ++i) {
            // The last picture of the group turns over to its first.
            f.mammoth->SetState(CCharacterMammoth::kThrow + 3);
            f.mammoth->ConsumeStateChange();
            f.mammoth->frameTimer = f.mammoth->CurrentRecord().frameDuration - 1;
            f.mammoth->Frame();  // the mammoth alone: the snowball has not moved yet
            ASSERT_EQ(f.mammoth->frame, 244);
            ASSERT_EQ(Shots(650).size(), static_cast<std::size_t>(i + 1)) << facing;
            const CCharacter* ball = Shots(CCharacterMammoth::kSnowball).back();
            lowX = std::min(lowX, ball->x - f.mammoth->x);
            highX = std::max(highX, ball->x - f.mammoth->x);
            lowY = std::min(lowY, ball->y - f.mammoth->y);
            highY = std::max(highY, ball->y - f.mammoth->y);
            slowX = std::min(slowX, ball->vx);
            fastX = std::max(fastX, ball->vx);
            lowVy = std::min(lowVy, ball->vy);
            highVy = std::max(highVy, ball->vy);
        }
        SCOPED_TRACE(facing);
        EXPECT_GE(lowX, -400);
        EXPECT_LT(lowX, -380);
        EXPECT_LE(highX, 0);
        EXPECT_GT(highX, -20);
        EXPECT_GE(lowY, -200);
        EXPECT_LT(lowY, -180);
        EXPECT_LE(highY, 0);
        EXPECT_GT(highY, -20);
        EXPECT_EQ(slowX, -10);
        EXPECT_EQ(fastX, 10);
        EXPECT_EQ(lowVy, -120);
        EXPECT_EQ(highVy, -100);
    }
    // The icicles of a crash: from 720, anywhere from 420 to 420 short of
    // the room's right end, wherever the view stands (here scrolled 1200
    // into the room).
    MammothFight f;
    f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 400);
    f.s.Stage().cameraX = 1200;
    for (int i = 0; i < 100; ++i) {
        f.mammoth->SetState(CCharacterMammoth::kBounce);
        f.mammoth->ConsumeStateChange();
        for (int k = 0; k < 10; ++k) f.mammoth->Frame();  // the mammoth alone
    }
    const auto icicles = Shots(CCharacterMammoth::kIcicle);
    ASSERT_GE(icicles.size(), 900u);
    int32_t leftmost = 100000, rightmost = 0;
    for (CCharacter* ice : icicles) {
        EXPECT_EQ(ice->y, 720);
        leftmost = std::min(leftmost, ice->GetStageX());
        rightmost = std::max(rightmost, ice->GetStageX());
    }
    EXPECT_GE(leftmost, 420);
    EXPECT_LT(leftmost, 460);
    EXPECT_LE(rightmost, 20 * kTileSize - 420);
    EXPECT_GT(rightmost, 20 * kTileSize - 460);
}

TEST(Mammoth, AChargeInARoomWithoutWallsEndsAtTheStagesEdge) {
    for (int32_t facing : {1, -1}) {
        SCOPED_TRACE(facing);
        MammothFight f(RoomGrid(20, false));
        f.RunUntil([&] { return f.mammoth->frame == CCharacterMammoth::kStand; }, 400);
        f.s.Stage().cameraX = 400;  // the view scrolled a cell into the room
        f.mammoth->facing = facing;
        f.mammoth->vy = 25;
        f.mammoth->SetState(CCharacterMammoth::kCharge);
        EXPECT_EQ(f.mammoth->vy, 0);  // it charges level
        // Its steps sound every 6 ticks, from the first.
        std::vector<int32_t> steps;
        int heard = 0;
        const int n = f.RunUntil(
            [&] {
                if (f.Heard(76) > heard && f.mammoth->frame != CCharacterMammoth::kBounce) steps.push_back(f.mammoth->stateTimer);
                heard = f.Heard(76);
                return f.mammoth->frame == CCharacterMammoth::kBounce;
            },
            200);
        EXPECT_LT(n, 200);
        ASSERT_GE(steps.size(), 3u);
        for (std::size_t k = 0; k < steps.size(); ++k) EXPECT_EQ(steps[k], 1 + 6 * static_cast<int32_t>(k)) << k;
        // Stopped with its body (490 either side) on the edge, then thrown
        // back 10.
        EXPECT_EQ(f.mammoth->GetStageX(), facing > 0 ? 20 * kTileSize - 490 - 10 : 490 + 10);
        EXPECT_EQ(f.Heard(77), 1);
    }
}

}  // namespace
