// The stage gimmicks on the enemy field: the spring's bounce in each
// direction and its release, the catapult's launch, the spikes' hits by
// orientation, and the ids that take no direction or home state.
#include <gtest/gtest.h>

#include "enemy/CharacterCatapult.h"
#include "enemy/CharacterSpike.h"
#include "enemy/CharacterSpring.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

// High above the floor, where nothing stops a pushed player.
constexpr int32_t kAirX = 2000;
constexpr int32_t kAirY = 1000;

}  // namespace

TEST(Spring, BouncesThePlayerItsWayAndOnlyTheUpwardOneRefillsTheDashes) {
    struct Case {
        int32_t id;
        int32_t dx, dy;  // the direction it pushes
    };
    for (const Case c : {Case{20770, 0, -1}, Case{20771, 1, 0}, Case{20772, 0, 1}, Case{20773, -1, 0}}) {
        SCOPED_TRACE(c.id);
        Field f;
        auto* spring = f.Make<CCharacterSpring>(c.id, kAirX, kAirY);
        f.s.Run(1);
        ASSERT_EQ(spring->frame, 230);
        f.player->x = kAirX;
        f.player->y = kAirY;
        f.player->vx = f.player->vy = 7;
        f.player->airDashes = 0;
        f.s.ClearSounds();
        f.s.Run(1);
        EXPECT_EQ(spring->frame, 231);
        EXPECT_EQ(f.player->frame, 290) << "set standing as it is thrown: in the air, falling";
        // Only the component along the spring is written.
        EXPECT_EQ(f.player->vx, c.dx != 0 ? 120 * c.dx : 7);
        EXPECT_EQ(f.player->vy, c.dy != 0 ? 120 * c.dy : 7);
        EXPECT_EQ(f.player->airDashes, c.dy < 0 ? f.player->airDashesMax : 0);

        // Pressed, it pushes the player 120 a frame until they part; the
        // release sounds once and wobbles 60 frames back to ready.
        int pushes = 0;
        while (spring->frame == 231 && pushes < 20) {
            f.player->frame = 230;  // whatever the player took up meanwhile
            f.s.Run(1);
            ++pushes;
            if (spring->frame == 231) {
                EXPECT_EQ(f.player->frame, 290) << "set standing again by each push";
            }
        }
        EXPECT_EQ(spring->frame, 232);
        EXPECT_GE(pushes, 2);
        EXPECT_EQ(f.player->x - kAirX, 120 * c.dx * (pushes - 1));
        EXPECT_EQ(f.player->y - kAirY, 120 * c.dy * (pushes - 1));
        EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{41});
        f.s.Run(59);
        EXPECT_NE(spring->frame, 230);
        f.s.Run(1);
        EXPECT_EQ(spring->frame, 230);
    }
}

TEST(Spring, NeitherADeadPlayerNorOneWhoseCountdownRunsIsBounced) {
    Field f;
    auto* spring = f.Make<CCharacterSpring>(20770, kAirX, kAirY);
    f.s.Run(1);
    // Its touch box reaches 200 to the side: the player's hurt box (x
    // -120..120) 330 across stays clear of it, 310 across touches.
    f.player->x = kAirX + 330;
    f.player->y = kAirY;
    f.s.Run(1);
    EXPECT_EQ(spring->frame, 230) << "just out of its reach";
    f.player->x = kAirX + 310;
    f.player->SetTimer172(30);
    f.s.Run(1);
    EXPECT_EQ(spring->frame, 230);
    f.player->ClearTimer172();
    f.s.Run(1);
    ASSERT_EQ(spring->frame, 231);
    // Dead on the spring: it lets go.
    f.player->hp = 0;
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(spring->frame, 232);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{41});
    // Still springing back, it throws a living player again.
    f.player->hp = 100;
    f.player->vy = 0;
    f.s.Run(1);
    EXPECT_EQ(spring->frame, 231);
    EXPECT_EQ(f.player->vy, -120);
}

TEST(Catapult, LaunchesThePlayerAlongItsDirectionTruncatedAndSwellsBack) {
    // The player's facing before and after (straight up or down leaves it),
    // and the player's record that frees the loaded catapult (outside the
    // launched records 360-379).
    struct Case {
        int32_t id;
        int32_t dirX, dirY, before, facing, freedAt;
    };
    for (const Case c : {Case{20800, 0, -300, 1, 1, 380}, Case{20801, 212, -212, -1, 1, 220},
                         Case{20803, 212, 212, -1, 1, 220}, Case{20804, 0, 300, -1, -1, 380},
                         Case{20806, -300, 0, 1, -1, 220},
                         Case{20808, 0, -300, -1, -1, 380}}) {  // the id without records of its own: up
        SCOPED_TRACE(c.id);
        Field f;
        auto* catapult = f.Make<CCharacterCatapult>(c.id, kAirX, kAirY);
        f.s.Run(2);
        ASSERT_EQ(catapult->frame, 230);
        EXPECT_EQ(catapult->scaleX, 2.0) << "at rest it does not shrink";
        f.player->facing = c.before;
        // Its touch box reaches 250 to the side: the player's hurt box
        // (x -120..120) 380 across stays clear of it, 360 across touches.
        f.player->x = kAirX + 380;
        f.player->y = kAirY + 100;
        f.s.Run(1);
        ASSERT_EQ(catapult->frame, 230) << "just out of its reach";
        f.player->x = kAirX + 360;
        f.player->airDashes = 0;
        f.s.ClearSounds();
        f.s.Run(1);
        EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{42});
        EXPECT_EQ(f.player->frame, PlayerState::Launched);
        EXPECT_EQ(f.player->x, kAirX);
        EXPECT_EQ(f.player->y, kAirY);
        EXPECT_EQ(f.player->attackDirX, c.dirX);
        EXPECT_EQ(f.player->attackDirY, c.dirY);
        EXPECT_EQ(f.player->facing, c.facing);
        EXPECT_EQ(f.player->airDashes, f.player->airDashesMax);
        EXPECT_EQ(catapult->frame, 231);
        EXPECT_EQ(catapult->scaleX, 2.5);
        // Eleven steps of 0.05: the tenth leaves it a hair above 2.0.
        f.s.Run(12);
        EXPECT_EQ(catapult->frame, 231) << "loaded while the player flies from it";
        EXPECT_NEAR(catapult->scaleX, 1.95, 1e-9);
        EXPECT_EQ(catapult->scaleY, catapult->scaleX);
        // Loaded through the player's launched records 360-379, it never
        // fires from the loaded state; a landing, or any other record,
        // frees it.
        // (The ninja leaves its launched records from 364 on unused: the
        // last of them is given the look and boxes of its flight, 361.)
        const FrameRecord flight = f.player->RecordAt(361);
        *f.player->frameTable.Find(379) = flight;
        f.player->frame = 379;
        // Loaded, its box still reaches 250 below it: the player's hurt box
        // top 240 under the catapult touches it.
        f.player->x = kAirX;
        f.player->y = kAirY + 240 - flight.hurtTop;
        f.s.Run(1);
        EXPECT_EQ(catapult->frame, 231);
        f.player->frame = c.freedAt;
        f.s.Run(1);
        EXPECT_EQ(catapult->frame, 230);
        // Launched again, the player still in flight but out of its reach
        // frees it too.
        f.player->frame = 379;
        f.s.Run(1);
        ASSERT_EQ(catapult->frame, 231);
        f.player->x = kAirX + 2000;
        f.s.Run(1);
        EXPECT_EQ(f.player->frame, PlayerState::Launched);
        EXPECT_EQ(catapult->frame, 230);
    }
}

TEST(Spike, HurtsWhatTouchesItsPointsAndCarriesNoGroupBetweenItsSteps) {
    // The player (feet at its position, hurt box x -120..120, y -360..0)
    // just beyond the spikes' tips, then just inside them.
    struct Case {
        int32_t id;
        int32_t state;
        int32_t safeX, safeY, hitX, hitY;
    };
    for (const Case c : {Case{20780, 230, 0, -105, 0, -80}, Case{20781, 231, 225, 100, 200, 100},
                         Case{20782, 232, 0, 465, 0, 440}, Case{20783, 233, -225, 100, -200, 100}}) {
        SCOPED_TRACE(c.id);
        Field f;
        auto* spike = f.Make<CCharacterSpike>(c.id, kAirX, kAirY);
        CCharacter* other = f.Make(11002, kAirX, kAirY);  // an enemy on it is spared
        f.s.Run(1);
        ASSERT_EQ(spike->frame, c.state);
        f.player->x = kAirX + c.safeX;
        f.player->y = kAirY + c.safeY;
        const int32_t hp = f.player->hp;
        f.s.Run(3);
        EXPECT_EQ(f.player->hp, hp);
        f.player->x = kAirX + c.hitX;
        f.player->y = kAirY + c.hitY;
        f.s.Run(1);
        EXPECT_EQ(f.player->hp, hp - 100);
        EXPECT_EQ(other->hp, other->hpMax);
        EXPECT_EQ(spike->group, 0);
    }
}

TEST(Gimmicks, IdsWithoutADirectionOrHomeAndGimmicksFarOutsideTheViewAreRemoved) {
    Field f;
    std::vector<CCharacter*> gone;
    // Gimmicks without a direction, soldiers, a fairy and crows without a
    // home state: each goes as soon as it is seen.
    for (int32_t id : {20774, 20784, 20809, 11003, 11004, 11005, 10063, 10070, 10071})
        gone.push_back(f.Make(id, kAirX, kAirY));
    // 160 pixels beyond the view's right edge and a little more.
    gone.push_back(f.Make(20770, kScreenRight + 1700, kAirY));
    CCharacter* kept = f.Make(20770, kScreenRight + 1500, kAirY);
    f.s.Run(2);
    for (CCharacter* c : gone) EXPECT_FALSE(Listed(c));
    EXPECT_TRUE(Listed(kept));
    EXPECT_EQ(kept->frame, 220) << "near the view but not in it, it waits";
}
