// The wanyudo: the wheel and its eight flames built at the entrance, the
// bouncing with its speed by life fifths and its bursts of splinters per
// struck side (two sides at once in a corner), the clearing that spares
// its own parts, and the finale that sends the flames flying.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "boss/CharacterWanyudo.h"
#include "framework/Random.h"
#include "boss/SideRoom.h"
#include "stage/EventSpot1.h"

namespace {

using namespace boss_test;

struct WheelFight : SideRoom {
    CCharacterWanyudo* face = nullptr;
    explicit WheelFight(bool ceiling = true, bool floor = true) : SideRoom(800, Grid(ceiling, floor)) {
        face = dynamic_cast<CCharacterWanyudo*>(s.AddAt(CCharacterWanyudo::kFace, 4000, 1600));
    }
    void Begin() { RunUntil([&] { return face->frame == CCharacterWanyudo::kBounce; }, 800); }
    CCharacter* Wheel() const { return face->linksB[0]; }
    // The walled room, its ceiling and floor on request (without a floor
    // its last row is open but for the walls).
    static std::vector<std::string> Grid(bool ceiling, bool floor) {
        std::vector<std::string> rows = RoomGrid(20, true, ceiling);
        if (!floor) rows.back() = "#" + std::string(18, '.') + "#";
        return rows;
    }
};

TEST(Wanyudo, TheWheelAndItsFlamesRideOnTheFaceAndTheFlamesStayUpright) {
    WheelFight f;
    // The wheel spins up in 232: by a hundredth of the state timer a frame.
    f.RunUntil([&] { return f.face->frame == 232; }, 200);
    for (int i = 0; i < 5; ++i) {
        const double before = f.Wheel()->relativeAngle;
        f.face->Frame();
        ASSERT_EQ(f.face->frame, 232);
        EXPECT_NEAR(f.Wheel()->relativeAngle - before, 0.01 * f.face->stateTimer, 1e-9) << i;
    }
    // In 233 the flames kindle by 8 a frame, up to 192.
    f.RunUntil([&] { return f.face->frame == 233; }, 200);
    EXPECT_EQ(f.Wheel()->linksB[3]->alpha, 8);  // (its first frame ran with the entry)
    for (int i = 2; i <= 30; ++i) {
        f.face->Frame();
        ASSERT_EQ(f.face->frame, 233);
        EXPECT_EQ(f.Wheel()->linksB[3]->alpha, std::min(8 * i, 192)) << i;
    }
    // In 234 it slows from 0.3 a frame by 0.005 x the state timer.
    f.RunUntil([&] { return f.face->frame == 234; }, 200);
    for (int i = 0; i < 5; ++i) {
        const double before = f.Wheel()->relativeAngle;
        f.face->Frame();
        ASSERT_EQ(f.face->frame, 234);
        EXPECT_NEAR(f.Wheel()->relativeAngle - before, 0.3 - 0.005 * f.face->stateTimer, 1e-9) << i;
    }
    // Waiting for the tour, 0.1 a frame.
    f.RunUntil([&] { return f.face->frame == CCharacterWanyudo::kWaitTour; }, 200);
    for (int i = 0; i < 5; ++i) {
        const double before = f.Wheel()->relativeAngle;
        f.face->Frame();
        ASSERT_EQ(f.face->frame, 235);
        EXPECT_NEAR(f.Wheel()->relativeAngle - before, 0.1, 1e-9) << i;
    }
    f.Begin();
    CCharacter* wheel = f.Wheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->typeId, CCharacterWanyudo::kWheel);
    EXPECT_EQ(wheel->linksA[0], f.face);
    EXPECT_EQ(wheel->layer, f.face->layer - 1);
    for (int32_t i = 0; i < 8; ++i) {
        CCharacter* flame = wheel->linksB[i];
        ASSERT_NE(flame, nullptr) << i;
        EXPECT_EQ(flame->linksA[0], wheel) << i;
        EXPECT_EQ(flame->alpha, 192) << i;
        EXPECT_EQ(flame->layer, f.face->layer - 1) << i;
        EXPECT_EQ(flame->parentOffsetX, static_cast<int32_t>(200 * std::sin(i * M_PI / 4))) << i;
    }
    const double spin = wheel->relativeAngle;
    f.s.Run(10);
    EXPECT_NEAR(wheel->relativeAngle - spin, 1.0, 1e-9);
    EXPECT_EQ(wheel->x, f.face->x);
    // On the rim, 400 out at scale 2, and upright.
    CCharacter* flame = wheel->linksB[2];
    const double r = std::hypot(flame->x - wheel->x, flame->y - wheel->y);
    EXPECT_NEAR(r, 400, 2);
    EXPECT_NEAR(flame->angle, 0.0, 1e-9);
}

TEST(Wanyudo, ItBouncesFasterAsItsLifeDropsAndBurstsOnEachStruckSide) {
    WheelFight f;
    f.Begin();
    // 30 while it keeps four fifths of its life (a fifth is 2400), 5 more
    // for each fifth lost; a life exactly on a fifth still counts it.
    for (auto [hp, speed] : {std::pair{12000, 30}, {9600, 30}, {9599, 35}, {7200, 35}, {7199, 40}, {4800, 40},
                             {4799, 45}, {2400, 45}, {2399, 50}, {1, 50}}) {
        f.face->hp = hp;
        EXPECT_EQ(f.face->GetSpeed(), speed) << hp;
    }
    // Each bout of bouncing starts at a random tick of its timer, 0 to 99.
    int32_t latest = 0;
    for (int k = 0; k < 300; ++k) {
        f.face->SetState(CCharacterWanyudo::kBounce);
        f.face->ConsumeStateChange();
        ASSERT_LT(f.face->stateTimer, 100) << k;
        latest = std::max(latest, f.face->stateTimer);
    }
    EXPECT_GT(latest, 95);
    // The four draws: two for the timer (the second kept), one for the
    // facing and one for the way up or down, each +1 when odd.
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        GameSrand(seed);
        (void)GameRand();
        const int32_t timer = GameRand() % 100, across = GameRand(), up = GameRand();
        GameSrand(seed);
        f.face->SetState(CCharacterWanyudo::kBounce);
        f.face->ConsumeStateChange();
        EXPECT_EQ(f.face->stateTimer, timer) << seed;
        EXPECT_EQ(f.face->facing, across % 2 == 1 ? 1 : -1) << seed;
        EXPECT_EQ(f.face->verticalDirection, up % 2 == 1 ? 1 : -1) << seed;
    }
    f.face->hp = 12000;
    f.s.Run(1);
    EXPECT_EQ(std::abs(f.face->vx), 30);
    EXPECT_EQ(std::abs(f.face->vy), 30);
    // To the first wall, ceiling or floor: four splinters off it, a shake,
    // a short stop, and away on the other diagonal.
    const int n = f.RunUntil([] { return !Shots(CCharacterWanyudo::kSplinter).empty(); }, 400);
    ASSERT_LT(n, 400);
    EXPECT_EQ(Shots(CCharacterWanyudo::kSplinter).size(), 4u);
    EXPECT_EQ(f.face->frame, CCharacterWanyudo::kSquash);
    EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0);
    f.s.Run(1);
    EXPECT_EQ(f.face->vx, 0);
    EXPECT_EQ(f.face->vy, 0);
    f.s.Run(5);
    EXPECT_EQ(f.face->frame, CCharacterWanyudo::kBounce);

    // In the top-left corner two sides at once: eight splinters in a frame,
    // and away down and to the right.
    f.face->x = kTileSize + 250;
    f.face->y = kTileSize + 250;
    f.face->SetFrame(CCharacterWanyudo::kBounce);
    const std::size_t before = Shots(CCharacterWanyudo::kSplinter).size();
    f.s.Run(1);
    EXPECT_EQ(Shots(CCharacterWanyudo::kSplinter).size(), before + 8);
    EXPECT_EQ(f.face->facing, 1);
    EXPECT_EQ(f.face->verticalDirection, 1);
}

// Each struck side sends four splinters off it at 30, from 300 out on
// that side, at its own four angles (degrees from straight down), and
// turns the wheel away from it.
TEST(Wanyudo, EachStruckSideSendsItsOwnFourSplinters) {
    struct Side {
        const char* name;
        int32_t x, y;  // touching that side of the room
        int32_t dx, dy;
        int32_t angles[4];
        int32_t facing0, vertical0;  // moving into it
        int32_t facing, vertical;    // away from it
        bool ceiling = true;
        int32_t cameraY = 0;  // the view scrolled down by it
        bool floor = true;
    };
    const Side sides[] = {
        {"ceiling", 4000, kTileSize + 250, 0, -300, {-60, -20, 20, 60}, 1, -1, 1, 1},
        // (Without a ceiling the stage's top stops it, its body's top on
        // the edge.)
        {"stage top", 4000, 200, 0, -300 + 50, {-60, -20, 20, 60}, 1, -1, 1, 1, false},
        // (The stage's top lies 400 above the view's when the view has
        // scrolled 400 down.)
        {"stage top, view down", 4000, 200 - 400, 0, -300 + 50, {-60, -20, 20, 60}, 1, -1, 1, 1, false, 400},
        {"floor", 4000, kFloor - 250, 0, 300, {120, 160, 200, 240}, 1, 1, 1, -1},
        // (Without a floor the stage's bottom, nine rows down, stops it,
        // its body's bottom on the edge; 400 higher up the view when the
        // view has scrolled 400 down.)
        {"stage bottom", 4000, 9 * kTileSize - 200, 0, 300 - 50, {120, 160, 200, 240}, 1, 1, 1, -1, true, 0, false},
        {"stage bottom, view down", 4000, 9 * kTileSize - 400 - 200, 0, 300 - 50, {120, 160, 200, 240}, 1, 1, 1, -1, true,
         400, false},
        {"left wall", kTileSize + 250, 1600, -300, 0, {30, 70, 110, 150}, -1, 1, 1, 1},
        // (The room's right wall lies off the screen, asleep: the stage's
        // edge stops the wheel there.)
        {"right edge", 20 * kTileSize - 250, 1600, 300, 0, {210, 250, 290, 330}, 1, 1, -1, 1},
    };
    for (const Side& side : sides) {
        WheelFight f(side.ceiling, side.floor);
        f.Begin();
        f.s.Run(1);  // past the bout's random start
        f.s.Stage().cameraY = side.cameraY;
        f.face->facing = side.facing0;
        f.face->verticalDirection = side.vertical0;
        f.face->x = side.x;
        f.face->y = side.y;
        f.face->SetFrame(CCharacterWanyudo::kBounce);
        f.s.ClearSounds();
        const std::size_t before = Shots(CCharacterWanyudo::kSplinter).size();
        f.face->Frame();  // the face alone: the splinters have not moved yet
        const auto splinters = Shots(CCharacterWanyudo::kSplinter);
        ASSERT_EQ(splinters.size(), before + 4) << side.name;
        for (int k = 0; k < 4; ++k) {
            const CCharacter* sp = splinters[before + k];
            const double a = side.angles[k] * M_PI / 180;
            EXPECT_EQ(sp->vx, static_cast<int32_t>(30 * std::sin(a))) << side.name << " " << k;
            EXPECT_EQ(sp->vy, static_cast<int32_t>(30 * std::cos(a))) << side.name << " " << k;
            EXPECT_EQ(sp->x, side.x + side.dx) << side.name << " " << k;
            EXPECT_EQ(sp->y, side.y + side.dy) << side.name << " " << k;
        }
        EXPECT_EQ(f.face->facing, side.facing) << side.name;
        EXPECT_EQ(f.face->verticalDirection, side.vertical) << side.name;
        EXPECT_EQ(f.face->frame, 221) << side.name;
        EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{22})) << side.name;
        const CEffect* shake = CEffect::GetInstance();
        EXPECT_EQ(std::vector<int32_t>({shake->m_shakeFrames, shake->m_shakeLowY, shake->m_shakeHighY, shake->m_shakeDecay}),
                  std::vector<int32_t>({20, -10, 10, 3}))
            << side.name;
    }
}

TEST(Wanyudo, TheDefeatSparesItsPartsUntilTheFinaleSendsTheFlamesFlying) {
    WheelFight f;
    f.Begin();
    const int32_t wispType = f.s.AddAt(10006, 2000, 1000)->typeId;
    ASSERT_EQ(enemy_test::OfType(wispType).size(), 1u);
    f.face->hp = 10;
    f.face->OnHit(1, 50, 1, f.player);
    f.s.Run(1);
    EXPECT_TRUE(enemy_test::OfType(wispType).empty());
    CCharacter* wheel = f.Wheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 3);  // a tour on the dying wheel
    EXPECT_EQ(CEventSpot1::GetInstance()->m_waitFrames, 340);
    EXPECT_EQ(CEventSpot1::GetInstance()->m_travelFrames, 30);
    // 40 frames still, then bouncing at 80 on each axis.
    f.s.Run(38);
    EXPECT_EQ(f.face->frame, EnemyState::Defeated);
    f.s.Run(2);
    EXPECT_EQ(f.face->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(std::abs(f.face->vx), 80);
    EXPECT_EQ(std::abs(f.face->vy), 80);
    // The wheel spins 0.2 a frame.
    const double spin = wheel->relativeAngle;
    f.face->Frame();
    EXPECT_NEAR(wheel->relativeAngle - spin, 0.2, 1e-9);
    // Its last minute: an explosion with its sound every 5 ticks and one
    // more on every even tick, each within 200 of it (the face alone, so
    // that none has burnt out yet).
    // Till then, bouncing off the walls it only turns: no splinters, no
    // stops.
    int turns = 0;
    int32_t lastFacing = f.face->facing, lastVertical = f.face->verticalDirection;
    while (f.face->stateTimer < 199) {
        f.face->Frame();
        // (A wall it runs into stops its step across, a ceiling or floor
        // its step up or down, for that frame.)
        if (f.face->vx != 0) {
            ASSERT_EQ(f.face->vx, 80 * f.face->facing) << f.face->stateTimer;
        }
        if (f.face->vy != 0) {
            ASSERT_EQ(f.face->vy, 80 * f.face->verticalDirection) << f.face->stateTimer;
        }
        ASSERT_TRUE(Shots(640).empty()) << f.face->stateTimer;
        ASSERT_NE(f.face->frame, 221) << f.face->stateTimer;
        turns += (f.face->facing != lastFacing) + (f.face->verticalDirection != lastVertical);
        lastFacing = f.face->facing;
        lastVertical = f.face->verticalDirection;
    }
    EXPECT_GT(turns, 2);
    std::vector<int> made;
    for (int32_t t = 200; t < 260; ++t) {
        const std::size_t before = Shots(581).size();
        f.face->Frame();
        ASSERT_EQ(f.face->stateTimer, t);
        made.push_back(static_cast<int>(Shots(581).size() - before));
        if (made.back() > 0) {
            EXPECT_LE(std::abs(Shots(581).back()->x - f.face->x), 200 + 80) << t;
        }
    }
    for (int32_t t = 200; t < 260; ++t) EXPECT_EQ(made[t - 200], (t % 5 == 0) + (t % 2 == 0)) << t;
    f.RunUntil([&] { return f.face->frame == CCharacterWanyudo::kFadeOut; }, 400);
    ASSERT_EQ(f.face->frame, CCharacterWanyudo::kFadeOut);
    EXPECT_EQ(wheel->frame, CCharacterWanyudo::kWheelFading);
    // The last blast, with its own sound: eight times the size, a shake of
    // 60 frames between -20 and 20 easing by 1 (a frame of it gone: its
    // first swing, upward, has eased the top by 1), and ten white strobes,
    // full up and full down each frame with a frame between.
    const auto finalBlasts = Shots(581);
    EXPECT_EQ(std::count_if(finalBlasts.begin(), finalBlasts.end(), [](const CCharacter* b) { return b->scaleX == 8.0; }), 1);
    EXPECT_EQ(f.Heard(17), 1);
    const CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(std::vector<int32_t>({effect->m_shakeFrames, effect->m_shakeLowY, effect->m_shakeHighY, effect->m_shakeDecay}),
              std::vector<int32_t>({60 - 1, -20, 20 - 1, 1}));
    EXPECT_EQ(std::vector<int32_t>({effect->m_flashRed, effect->m_flashGreen, effect->m_flashBlue, effect->m_flashPeak,
                                    effect->m_flashCycles, effect->m_flashRiseStep, effect->m_flashHoldPeak,
                                    effect->m_flashFallStep, effect->m_flashHoldZero}),
              std::vector<int32_t>({255, 255, 255, 255, 10, 255, 0, 255, 1}));
    for (int32_t i = 0; i < 8; ++i) {
        CCharacter* flame = wheel->linksB[i];
        ASSERT_NE(flame, nullptr);
        EXPECT_EQ(flame->frame, CCharacterWanyudo::kFlameFlying);
        EXPECT_EQ(flame->vx, static_cast<int32_t>(100 * std::sin(i * M_PI / 4))) << i;
        EXPECT_EQ(flame->vy, static_cast<int32_t>(100 * std::cos(i * M_PI / 4))) << i;
        EXPECT_EQ(flame->x - flame->vx, static_cast<int32_t>(f.face->x + 200 * std::sin(i * M_PI / 4))) << i;  // (one step flown)
        EXPECT_EQ(flame->y - flame->vy, static_cast<int32_t>(f.face->y + 200 * std::cos(i * M_PI / 4))) << i;
    }
    // The flames fly 80 frames and go (watched by address only).
    std::vector<const CCharacter*> flying;
    for (int32_t i = 0; i < 8; ++i) flying.push_back(wheel->linksB[i]);
    const auto flamesLeft = [&] {
        int n = 0;
        for (const CCharacter* flame : flying) n += testing_support::Listed(flame) ? 1 : 0;
        return n;
    };
    // The face fades by 32 a frame over the 60 of its last record, then
    // hands the room back and goes.
    f.s.Run(1);
    EXPECT_EQ(f.face->alpha, 255 - 32);
    EXPECT_EQ(wheel->alpha, 255 - 32 * 2);  // (the wheel also faded in the finale's frame)
    f.s.Run(58);
    EXPECT_TRUE(testing_support::Listed(f.face));
    f.s.Run(1);
    EXPECT_FALSE(testing_support::Listed(f.face));
    EXPECT_EQ(f.player->controlled, 1);
    EXPECT_EQ(flamesLeft(), 8);
    // (the first of their 80 frames ran with the finale's)
    EXPECT_EQ(60 + f.RunUntil([&] { return flamesLeft() == 0; }, 100), 80 - 1);
}

}  // namespace
