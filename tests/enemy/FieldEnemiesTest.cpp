// The archer, flower, dragon, bird and lizardman: arrows from their spawn
// points and the defeated archer's body, the flower's hops, the dragon's
// fire, the bird's dive range and the lizardman leaving after a kill.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "enemy/CharacterArcher.h"
#include "enemy/CharacterBird.h"
#include "enemy/CharacterDragon.h"
#include "enemy/CharacterFlower.h"
#include "enemy/CharacterLizardman.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

// The frames in which a shot of the state appeared, over n play frames.
std::vector<int> ShotTimes(Scenario& s, int32_t state, int n) {
    return TimesItGrew(s, [state] { return Shots(state).size(); }, n);
}

}  // namespace

TEST(Archer, ArrowsLeaveAHundredAheadAndSixtyUnderHisCentre) {
    Field f(400);
    auto* archer = f.Make<CCharacterArcher>(11050, 3000);
    f.s.Run(1);
    ASSERT_EQ(archer->frame, 230);
    ASSERT_EQ(archer->facing, -1);
    archer->SetState(233);
    const CCharacter* arrow = World().GetAt(World().GetCount());
    EXPECT_EQ(arrow->frame, 710);
    EXPECT_EQ(arrow->x, 3000 - 100);
    EXPECT_EQ(arrow->y, kStandY + 60);
    EXPECT_EQ(arrow->vx, -100);
    EXPECT_EQ(arrow->vy, 0);
    EXPECT_EQ(arrow->facing, -1);
    EXPECT_EQ(arrow->group, archer->group);

    // Facing right, then left, the lobbed arrows at their three ranges.
    for (int32_t side : {1, -1}) {
        archer->facing = side;
        const int32_t speeds[4][2] = {{253, 10}, {257, 30}, {261, 50}, {265, 30}};
        for (const auto& [state, speed] : speeds) {
            SCOPED_TRACE(testing::Message() << state << " facing " << side);
            archer->SetState(state);
            const CCharacter* lob = World().GetAt(World().GetCount());
            EXPECT_EQ(lob->frame, 720);
            EXPECT_EQ(lob->x, 3000 + 100 * side);
            EXPECT_EQ(lob->y, kStandY + 60);
            EXPECT_EQ(lob->vx, speed * side);
            EXPECT_EQ(lob->vy, -120);
            EXPECT_EQ(lob->facing, side);
        }
    }
}

TEST(Archer, StraightArrowsEverySeventyTwoFramesAndLobsEveryFiftyTwo) {
    Field f(400);
    f.player->y = 1500;  // above the arrows' way
    f.Make<CCharacterArcher>(11050, 3000);
    f.s.Run(1);
    f.s.ClearSounds();
    const std::vector<int> straight = ShotTimes(f.s, 710, 200);
    ASSERT_GE(straight.size(), 2u);
    EXPECT_EQ(straight[0], 60);
    EXPECT_EQ(straight[1] - straight[0], 72);
    EXPECT_TRUE(f.s.Sounds().empty()) << "loosed without a sound";

    Field g(400);
    g.Make<CCharacterArcher>(11051, 3000);
    g.s.Run(1);
    const std::vector<int> lobbed = ShotTimes(g.s, 720, 220);
    ASSERT_GE(lobbed.size(), 4u);
    EXPECT_EQ(lobbed[0], 40);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(lobbed[i] - lobbed[i - 1], 52);
}

TEST(Archer, DefeatedHeLeavesSparksHopsBackAndStaysLying) {
    Field f(400);
    auto* archer = f.Make<CCharacterArcher>(11050, 3000);
    f.s.Run(2);
    ASSERT_EQ(archer->facing, -1);
    archer->OnHit(15, 1000, 1, f.player);
    ASSERT_EQ(archer->frame, EnemyState::Defeated);
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(archer->frame, EnemyState::FadeOut);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
    const std::vector<CCharacterEffect*> sparks = Effects(640, 640 + 9);
    ASSERT_EQ(sparks.size(), 40u);
    int left = 0;
    int32_t west = 0, east = 0;
    // Drifting 5 either way from within 200 across and up to 200 under
    // his centre.
    for (const CCharacterEffect* s : sparks) {
        EXPECT_LE(std::abs(s->prevX - 3000), 200);
        west = std::min(west, s->prevX - 3000);
        east = std::max(east, s->prevX - 3000);
        EXPECT_GE(s->prevY, kStandY);
        EXPECT_LE(s->prevY, kStandY + 200);
        EXPECT_EQ(std::abs(s->vx), 5);
        EXPECT_EQ(s->facing, -1) << "drawn his way";
        left += s->vx < 0;
    }
    EXPECT_EQ(left, 20);
    EXPECT_LT(west, -100) << "over the whole 200 either side";
    EXPECT_GT(east, 100);
    EXPECT_TRUE(Effects(140, 140 + 23).empty());

    // 9 frozen frames, then 20 in 111: the hop back, away from his facing.
    f.s.Run(9 + 19);
    EXPECT_EQ(archer->frame, EnemyState::FadeOut);
    EXPECT_EQ(archer->alpha, 255) << "the body does not fade";
    f.s.Run(1);
    EXPECT_EQ(archer->frame, 112);
    EXPECT_EQ(archer->layer, 136);
    EXPECT_EQ(archer->vx, 10);
    EXPECT_EQ(archer->vy, -60 + 6) << "up at 60, a frame of its fall";
    for (int i = 0; i < 60 && archer->frame == 112; ++i) f.s.Run(1);
    EXPECT_EQ(archer->frame, 113);
    EXPECT_EQ(archer->vx, 0);
    EXPECT_EQ(archer->y, kStandY);
    f.s.Run(500);
    EXPECT_TRUE(Listed(archer));
    EXPECT_EQ(archer->frame, 113);
    EXPECT_EQ(archer->CurrentRecord().hurtRight - archer->CurrentRecord().hurtLeft, 0) << "nothing hits the body";
}

TEST(Flower, HopsInPlaceOrChoosesAHopForwardAtEveryLanding) {
    Field f(400);
    auto* still = f.Make<CCharacterFlower>(11080, 2000);
    auto* forward = f.Make<CCharacterFlower>(11081, 3800);
    std::set<std::pair<int32_t, int32_t>> hops;
    int32_t stillHops = 0, top = kStandY;
    for (int i = 0; i < 900; ++i) {
        const int32_t before = forward->frame, beforeStill = still->frame;
        f.s.Run(1);
        if (forward->frame == 251 && before != 251)
            hops.insert({forward->vx, forward->stateTimer == 0 ? forward->vy : forward->vy});
        if (still->frame == 231 && beforeStill != 231) ++stillHops;
        if (forward->frame == 250) {
            EXPECT_EQ(forward->vx, 0) << "landed, it stands";
        }
        EXPECT_EQ(still->x, 2000);
        top = std::min(top, still->y);
    }
    EXPECT_GT(stillHops, 10);
    EXPECT_EQ(top, kStandY - 780) << "straight up at 130, 10 a frame less";
    std::set<int32_t> speeds;
    for (const auto& h : hops) speeds.insert(std::abs(h.first));
    EXPECT_EQ(speeds, (std::set<int32_t>{10, 30})) << "both hops, chosen anew";

    // Defeated, both wilt; the forward hopper's defeat has no boxes left.
    for (CCharacterFlower* fl : {still, forward}) {
        EXPECT_EQ(fl->RecordAt(EnemyState::Defeated).u, 140);
        EXPECT_EQ(fl->RecordAt(EnemyState::FadeOut).u, 140);
        EXPECT_EQ(fl->RecordAt(EnemyState::Hurt).u, 100);
    }
    EXPECT_EQ(forward->RecordAt(EnemyState::Hurt).attackRight, 0);
    EXPECT_NE(forward->RecordAt(EnemyState::Hurt).hurtRight, 0);
}

TEST(Dragon, BreathesFireAtThePlayerEveryNinetyFrames) {
    Field f(400);
    auto* dragon = f.Make<CCharacterDragon>(11071, 3000, 1000);
    f.s.Run(1);
    ASSERT_EQ(dragon->frame, 250);
    EXPECT_EQ(dragon->facing, -1) << "the first wait turns it to the player";
    f.s.ClearSounds();
    int32_t top = dragon->y, bottom = dragon->y;
    f.s.beforeFrame = [&](Scenario&) {
        top = std::min(top, dragon->y);
        bottom = std::max(bottom, dragon->y);
    };
    const std::vector<int> fire = ShotTimes(f.s, 730, 200);
    f.s.beforeFrame = nullptr;
    EXPECT_GT(bottom - top, 100) << "it bobs as it hovers";
    ASSERT_EQ(fire.size(), 2u);
    EXPECT_EQ(fire[0], 60);
    EXPECT_EQ(fire[1] - fire[0], 90);
    EXPECT_EQ(dragon->x, 3000) << "the hovering one stays";
    EXPECT_EQ(std::count(f.s.Sounds().begin(), f.s.Sounds().end(), 21), 2);

    // A shot aimed at the player at 60 a frame.
    dragon->SetState(232);
    const CCharacter* shot = World().GetAt(World().GetCount());
    EXPECT_EQ(shot->facing, -1) << "drawn its way";
    const double dx = f.player->x - dragon->x, dy = f.player->y - dragon->y;
    EXPECT_NEAR(shot->vx, 60 * dx / std::hypot(dx, dy), 1.0);
    EXPECT_NEAR(shot->vy, 60 * dy / std::hypot(dx, dy), 1.0);
    // Each breathing record, flying or hovering, breathes one fire with its sound.
    for (int32_t breath : {232, 233, 252, 253}) {
        SCOPED_TRACE(breath);
        const std::size_t before = Shots(730).size();
        f.s.ClearSounds();
        dragon->SetState(breath);
        EXPECT_EQ(Shots(730).size(), before + 1);
        EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{21}));
    }

    // The flyer goes on its way; back from a hit, it does not turn first.
    auto* flyer = f.Make<CCharacterDragon>(11070, 2000, 1000);
    f.s.Run(2);
    EXPECT_EQ(flyer->vx, -20);
    flyer->OnHit(15, 10, 1, f.player);
    flyer->facing = 1;
    f.s.Run(20);
    EXPECT_EQ(flyer->frame, 230);
    EXPECT_EQ(flyer->facing, 1);
    f.s.Run(1);
    EXPECT_EQ(flyer->vx, 20);
}

TEST(Bird, DivesOnlyAtAPlayerStrictlyCloserThanSixteenHundred) {
    struct Case {
        int32_t dx, dy;
        bool dives;
    };
    for (const Case& c : {Case{1600, 0, false}, Case{1599, 0, true}, Case{1599, 57, false}, Case{1131, 1131, true},
                          Case{-1132, 1132, false}, Case{0, 1599, true}}) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        Field f(400);
        auto* bird = f.Make<CCharacterBird>(11091, 3000, 1000);
        bird->hoverNum = 0;  // no bob: the distance stays as set
        bird->hoverSpeed = 0;
        f.s.Run(1);
        ASSERT_EQ(bird->frame, 250);
        f.player->x = bird->x + c.dx;
        f.player->y = bird->y + c.dy;
        f.s.Run(1);
        EXPECT_EQ(bird->frame == 252, c.dives);
        if (c.dives && c.dy == 0) {
            EXPECT_EQ(bird->attackDirX, 80);
            EXPECT_EQ(bird->attackDirY, 0);
        }
        if (c.dives && c.dx == 0) {
            // Straight down it has no way across: it is drawn facing left.
            bird->facing = 1;
            f.s.Run(1);
            EXPECT_EQ(bird->vx, 0);
            EXPECT_EQ(bird->facing, -1);
        }
    }
    // In the other picture of its wait it looks out alike.
    Field g(400);
    auto* bird = g.Make<CCharacterBird>(11091, 3000, 1000);
    bird->hoverNum = 0;
    bird->hoverSpeed = 0;
    for (int i = 0; i < 10 && bird->frame != 251; ++i) g.s.Run(1);
    ASSERT_EQ(bird->frame, 251);
    g.player->x = bird->x;
    g.player->y = bird->y + 1599;
    g.s.Run(1);
    EXPECT_EQ(bird->frame, 252);
}

TEST(Bird, TheDiverSteersAtThePlayerTurnedAlongItsFlightAndTheFlyerDropsEggs) {
    Field f(2000);
    auto* bird = f.Make<CCharacterBird>(11091, 3000, 2000);
    for (int i = 0; i < 5 && bird->frame != 252; ++i) f.s.Run(1);
    ASSERT_EQ(bird->frame, 252);
    EXPECT_EQ(bird->angle, 0.0) << "the frame it starts its dive it is drawn as it hovered";
    f.s.Run(1);
    EXPECT_DOUBLE_EQ(bird->angle, std::atan2(static_cast<double>(bird->vx), -static_cast<double>(bird->vy)))
        << "then turned along its dive by the dive's own steps";
    f.s.Run(2);
    EXPECT_EQ(bird->facing, -1);
    EXPECT_LT(bird->vx, 0);
    const double tilt = std::atan2(static_cast<double>(bird->vx), -static_cast<double>(bird->vy));
    EXPECT_NEAR(bird->angle, tilt, 1e-9);
    bird->OnHit(15, 10, 1, f.player);
    f.s.Run(1);
    EXPECT_EQ(bird->frame, 10);
    EXPECT_NEAR(bird->angle, tilt, 1e-9) << "hurt, it keeps the tilt of its dive";

    Field g(400);
    auto* flyer = g.Make<CCharacterBird>(11090, 4000, 1000);
    g.s.Run(1);
    const std::vector<int> eggs = ShotTimes(g.s, 740, 130);
    EXPECT_EQ(eggs, (std::vector<int>{40, 80, 120}));
    EXPECT_EQ(flyer->vx, -20);
    const CCharacter* egg = Shots(740).back();
    EXPECT_EQ(Velocity(*egg), std::make_pair(0, 70)) << "an egg falls at 70";
    EXPECT_EQ(egg->facing, -1) << "drawn the bird's way";
    // Each egg leaves from where the bird is.
    int32_t x = flyer->x, y = flyer->y;
    for (int i = 0; i < 40 && Shots(740).back() == egg; ++i) {
        x = flyer->x;
        y = flyer->y;
        g.s.Run(1);
    }
    ASSERT_NE(Shots(740).back(), egg);
    EXPECT_EQ(std::make_pair(Shots(740).back()->prevX, Shots(740).back()->prevY), std::make_pair(x, y));
}

// Diving, it turns at most 0.02 a frame toward the player, at 80.
TEST(Bird, TheDiverTurnsAtMostTwoHundredthsAFrame) {
    Field f(2000);
    auto* bird = f.Make<CCharacterBird>(11091, 3000, 2000);
    f.s.Run(3);
    ASSERT_EQ(bird->frame, 252);
    // The player now far behind it: every frame turns the whole 0.02.
    for (int i = 0; i < 5; ++i) {
        f.player->x = bird->x + 2000 * (bird->vx > 0 ? -1 : 1);
        f.player->y = bird->y - 1000;
        const double current = std::atan2(static_cast<double>(bird->vx), static_cast<double>(bird->vy));
        f.s.Run(1);
        const auto turned = [&](double a) {
            return std::make_pair(static_cast<int32_t>(std::sin(a) * 80), static_cast<int32_t>(std::cos(a) * 80));
        };
        const std::pair<int32_t, int32_t> v = Velocity(*bird);
        EXPECT_TRUE(v == turned(current + 0.02) || v == turned(current - 0.02)) << i << ": " << v.first << "," << v.second;
    }
}

TEST(Lizardman, ALizardmanThatKillsThePlayerLeavesAtOnce) {
    Field f(2100);
    f.player->hp = 100;
    auto* lizard = f.Make<CCharacterLizardman>(11061, 2000);
    f.s.Run(2);
    EXPECT_EQ(f.player->hp, 0);
    EXPECT_EQ(f.player->frame, 140) << "the walker's kind-23 death";
    EXPECT_EQ(lizard->frame, EnemyState::Remove) << "it shows nothing from this frame";
    f.s.Run(1);
    EXPECT_FALSE(Listed(lizard));

    // A touch that does not kill leaves it in play.
    Field g(2100);
    g.player->hp = 1000;
    auto* other = g.Make<CCharacterLizardman>(11060, 2000);
    g.s.Run(5);
    EXPECT_EQ(g.player->hp, 900);
    EXPECT_TRUE(Listed(other));
}

TEST(Lizardman, TheJumperNeverRestsAndTheScenePosesHold) {
    // It jumps over the player and back at every landing.
    Field f(2800);
    f.player->hp = f.player->hpMax = 1000000;
    auto* lizard = f.Make<CCharacterLizardman>(11060, 4400);
    std::set<int32_t> lifts;
    int landings = 0;
    for (int i = 0; i < 400; ++i) {
        const int32_t vy = lizard->vy;
        f.s.Run(1);
        EXPECT_TRUE(lizard->frame == 234 || lizard->frame == EnemyState::Wait) << i;
        // (In a landing's frame it has turned for the next jump but still
        // moved on its old way.)
        const bool landed = vy >= 0 && lizard->vy < 0;
        if (lizard->frame == 234 && lizard->vy != 0 && !landed) {
            EXPECT_EQ(lizard->vx, 40 * lizard->facing) << i << ": on at 40 the way it faces";
        }
        if (vy >= 0 && lizard->vy < 0) {
            ++landings;
            lifts.insert(lizard->vy);
        }
    }
    EXPECT_GT(landings, 5);
    EXPECT_EQ(lifts, (std::set<int32_t>{-120, -140}));
    // Sent home in the air, it falls first, and jumps again where it lands.
    lizard->y = kStandY - 1000;
    lizard->vy = 0;
    lizard->SetState(230);
    EXPECT_EQ(lizard->frame, 235);
    for (int i = 0; i < 60 && lizard->frame == 235; ++i) f.s.Run(1);
    EXPECT_EQ(lizard->frame, 234);
    EXPECT_LT(lizard->vy, 0);
    EXPECT_GT(lizard->x, 1000);
    EXPECT_LT(lizard->x, 5000);

    for (int32_t pose : {350, 356}) {
        // Whatever speed it had, a scene pose stops it.
        lizard->vx = 40;
        lizard->vy = -80;
        lizard->SetState(pose);
        const int32_t x = lizard->x, y = lizard->y;
        f.s.Run(1500);
        EXPECT_EQ(lizard->frame, pose);
        EXPECT_EQ(lizard->x, x);
        EXPECT_EQ(lizard->y, y);
    }
}
