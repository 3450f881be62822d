// The kappa tank: its parts built at the entrance and riding on the body,
// the patrol that turns at walls, the warned main shot, the cannon's burst
// at the aim it had when the burst began, the second gun's spray, and the
// defeat that keeps the second gun until the throw.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "boss/CharacterKappaTank.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

using Tank = CCharacterKappaTank;

struct TankFight : SideRoom {
    Tank* tank = nullptr;
    explicit TankFight(std::vector<std::string> grid = RoomGrid(), int32_t x = 4000) : SideRoom(800, std::move(grid)) {
        tank = dynamic_cast<Tank*>(s.AddAt(Tank::kTypeId, x, kFloor - 660));
    }
    void Begin() { RunUntil([&] { return tank->frame == Tank::kPatrol; }, 800); }
    CCharacter* Part(int32_t link) const { return tank->linksB[link]; }
};

TEST(KappaTank, ItsPartsRideOnTheBodyAndTheGunsStartWithTheFight) {
    TankFight f;
    f.s.Run(1);
    struct Expected {
        int32_t link, dx, dy, layer, start, fight;
    };
    const Expected parts[] = {
        {0, 150, 60, 138, Tank::kCannonWait, Tank::kCannonAim}, {1, -110, -240, 135, Tank::kUpper, -1},
        {2, -360, 20, 135, Tank::kRear, -1},                    {3, 260, 20, 137, Tank::kFront, -1},
        {6, -180, 20, 137, Tank::kGunWait, Tank::kGunLoad},
    };
    for (const Expected& e : parts) {
        CCharacter* part = f.Part(e.link);
        ASSERT_NE(part, nullptr) << e.link;
        EXPECT_EQ(part->linksA[0], f.tank) << e.link;
        EXPECT_EQ(part->parentOffsetX, e.dx) << e.link;
        EXPECT_EQ(part->parentOffsetY, e.dy) << e.link;
        EXPECT_EQ(part->layer, e.layer) << e.link;
        EXPECT_EQ(part->scaleX, 2.0) << e.link;
        EXPECT_EQ(part->frame / 10, e.start / 10) << e.link;
    }
    // The cannon waits with its barrel turned up against its facing.
    CCharacter* cannon = f.Part(0);
    cannon->Frame();
    EXPECT_EQ(cannon->frame, Tank::kCannonWait);
    EXPECT_EQ(cannon->relativeAngle, f.tank->facing * -M_PI / 2);
    f.Begin();
    for (const Expected& e : parts)
        if (e.fight > 0) {
            EXPECT_EQ(f.Part(e.link)->frame, e.fight) << e.link;
        }
    f.s.Run(20);
    // Riding along at twice their offsets (the body's scale).
    CCharacter* wheels = f.Part(3);
    EXPECT_EQ(wheels->x, f.tank->x + 260 * 2 * f.tank->facing);
    EXPECT_EQ(wheels->y, f.tank->y + 40);
    // The kappa on top and both sets of wheels face the body's way (toward
    // the player, on its left); when the body turns they turn with it in the
    // same frame and ride on its other side.
    for (int32_t facing : {-1, 1, -1}) {
        f.tank->facing = facing;
        f.s.Run(1);
        for (int32_t link : {1, 2, 3}) EXPECT_EQ(f.Part(link)->facing, facing) << link;
        EXPECT_EQ(wheels->x, f.tank->x + 260 * 2 * facing);
    }
}

TEST(KappaTank, ThePatrolTurnsAtWallsThenTheBlinkingTankFiresItsMainShot) {
    TankFight f;
    f.Begin();
    f.tank->facing = -1;
    f.tank->x = kTileSize + 800 + 5;  // one step from the left wall
    f.s.Run(2);
    EXPECT_EQ(f.tank->facing, 1);
    EXPECT_EQ(f.tank->vx, 10);
    f.s.ClearSounds();
    int32_t was = f.tank->x, stopStep = 0;
    f.RunUntil(
        [&] {
            if (f.tank->frame == Tank::kStop) stopStep = f.tank->x - was;
            was = f.tank->x;
            return f.tank->frame == Tank::kWarn;
        },
        200);
    // Stopping, it only shudders: 10 one way, no patrol step on top.
    EXPECT_EQ(std::abs(stopStep), 10);
    EXPECT_GT(f.tank->flashTimer, 0);
    // Shuddering 10 either way, a frame each, until the shot.
    std::vector<int32_t> shudder;
    int32_t last = f.tank->x;
    const int n = f.RunUntil(
        [&] {
            shudder.push_back(f.tank->x - last);
            last = f.tank->x;
            return f.tank->frame == Tank::kMainShot;
        },
        100);
    EXPECT_EQ(n, 60);
    ASSERT_GE(shudder.size(), 60u);
    for (std::size_t k = 2; k < 60; ++k) EXPECT_EQ(shudder[k], -shudder[k - 1]) << k;
    EXPECT_EQ(std::abs(shudder[30]), 10);
    // The shot leaves 900 in front and 100 up, at 200, toward the player:
    // the tank walked away from it, to the right, and turned as it stopped.
    ASSERT_EQ(Shots(Tank::kMissile).size(), 1u);
    const CCharacter* missile = Shots(Tank::kMissile).front();
    EXPECT_EQ(f.tank->facing, -1);
    EXPECT_EQ(missile->vx, -200);
    EXPECT_EQ(missile->vy, 0);
    EXPECT_EQ(missile->x - missile->vx, f.tank->x + 900 * f.tank->facing);
    EXPECT_EQ(missile->y, f.tank->y - 100);
    EXPECT_EQ(f.Heard(18), 1);
    EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0);
    f.s.Run(11);
    EXPECT_EQ(f.tank->frame / 10, 22);
    // Each warning before a shot blinks 40 ticks: the body's, the cannon's
    // and the second gun's.
    for (auto [part, state] : {std::pair{static_cast<CCharacter*>(f.tank), Tank::kWarn}, {f.Part(0), Tank::kCannonWarn},
                               {f.Part(6), Tank::kGunWarn}}) {
        part->flashTimer = 0;
        part->SetState(state);
        EXPECT_EQ(part->flashTimer, 40) << state;
        EXPECT_EQ(part->flashPeriod, 2) << state;
        EXPECT_EQ(part->flashOn, 1) << state;
    }
    // The shot's shake: 30 frames between -20 and 20, easing by 3.
    CEffect* effect = CEffect::GetInstance();
    effect->m_shakeFrames = 0;
    f.tank->SetState(Tank::kMainShot);
    EXPECT_EQ(std::vector<int32_t>({effect->m_shakeFrames, effect->m_shakeLowY, effect->m_shakeHighY, effect->m_shakeDecay}),
              std::vector<int32_t>({30, -20, 20, 3}));
    // Each patrol starts toward the player (on its left), whichever way the
    // tank last went.
    f.tank->facing = 1;
    f.tank->SetState(Tank::kPatrol);
    EXPECT_EQ(f.tank->facing, -1);
    // It rams whatever it touches in its patrol, its stop, its warning and
    // its shot (kind 15, 100 damage).
    for (int32_t state : {Tank::kPatrol, Tank::kStop, Tank::kWarn, Tank::kMainShot}) {
        Victim* victim = f.AddVictim(f.tank->x);
        victim->y = f.tank->y;
        f.tank->SetState(state);
        f.tank->ConsumeStateChange();
        f.tank->Frame();  // the tank alone
        EXPECT_EQ(victim->blows, (std::vector<std::pair<int32_t, int32_t>>{{15, 100}})) << state;
    }
}

TEST(KappaTank, BetweenTwoWallsAtOnceItEndsFacingLeft) {
    // The right wall is tested last, though the player stands to the right.
    TankFight f(RoomGrid(6), 3 * kTileSize);
    f.player->x = 1900;
    f.Begin();
    ASSERT_EQ(f.tank->frame, Tank::kPatrol);
    f.s.Run(2);
    EXPECT_EQ(f.tank->facing, -1);
}

// In a room without walls the stage's ends turn it all the same, its body
// (800 either side) kept on the stage.
TEST(KappaTank, WithoutWallsTheStagesEndsTurnIt) {
    for (int32_t facing : {-1, 1}) {
        SCOPED_TRACE(facing);
        TankFight f(RoomGrid(20, false));
        f.Begin();
        ASSERT_EQ(f.tank->frame, Tank::kPatrol);
        f.tank->facing = facing;
        f.tank->x = facing < 0 ? 800 + 5 : 20 * kTileSize - 800 - 5;  // a step from the end
        f.s.Run(3);
        EXPECT_EQ(f.tank->facing, -facing);
        EXPECT_GE(f.tank->x, 800);
        EXPECT_LE(f.tank->x, 20 * kTileSize - 800);
    }
}

TEST(KappaTank, TheCannonFiresWhereThePlayerWasAndTheSecondGunSpraysUpward) {
    TankFight f;
    f.Begin();
    CCharacter* cannon = f.Part(0);
    // Blinking, it still tracks the player: from the left of it to its right.
    // All along it rides 300 ahead of the body's middle (its offset 150, at
    // the body's scale), aiming, blinking and firing.
    int32_t seatOff = 0;
    const auto seated = [&] { seatOff = std::max(seatOff, std::abs((cannon->x - f.tank->x) * f.tank->facing - 300)); };
    f.RunUntil([&] { seated(); return cannon->frame == Tank::kCannonWarn; }, 200);
    ASSERT_EQ(cannon->frame, Tank::kCannonWarn);
    EXPECT_GT(cannon->relativeAngle, 0.0);
    const int32_t home = f.player->x;
    f.player->x = cannon->x + 3000;
    f.s.Run(1);
    ASSERT_EQ(cannon->frame, Tank::kCannonWarn);
    EXPECT_LT(cannon->relativeAngle, 0.0);
    f.player->x = home;
    f.RunUntil([&] { seated(); return cannon->frame == Tank::kCannonBurst; }, 200);
    EXPECT_EQ(seatOff, 0);
    ASSERT_EQ(cannon->frame, Tank::kCannonBurst);
    // The first shot leaves two of its steps out from the cannon (and has
    // flown one step since).
    ASSERT_EQ(Shots(Tank::kBullet).size(), 1u);
    const CCharacter* first = Shots(Tank::kBullet).front();
    EXPECT_EQ(first->x - first->vx, cannon->x + 2 * first->vx);
    EXPECT_EQ(first->y - first->vy, cannon->y + 2 * first->vy);
    // The player moves off during the burst: all three shots keep the aim.
    // The cannon rides on the moving body as it fires.
    f.player->x += 3000;
    const int32_t seat = (cannon->x - f.tank->x) * f.tank->facing;
    for (int i = 0; i < 17; ++i) {
        f.s.Run(1);
        EXPECT_EQ((cannon->x - f.tank->x) * f.tank->facing, seat) << i;
    }
    const auto bullets = Shots(Tank::kBullet);
    ASSERT_EQ(bullets.size(), 3u);
    std::set<std::pair<int32_t, int32_t>> speeds;
    for (auto* b : bullets) speeds.insert({b->vx, b->vy});
    EXPECT_EQ(speeds.size(), 1u);
    EXPECT_NEAR(std::hypot(bullets.front()->vx, bullets.front()->vy), 60.0, 1.0);
    EXPECT_GT(bullets.front()->vx * (800 - f.tank->x), 0);  // toward where it was
    EXPECT_EQ(f.Heard(20), 3);

    // The second gun: forward and up, straight up, back and up.
    CCharacter* gun = f.Part(6);
    f.RunUntil([&] { return gun->frame == Tank::kGunSpray; }, 200);
    std::vector<std::pair<int32_t, int32_t>> spray;  // speeds as they leave
    std::set<CCharacter*> seen;
    const int32_t riding = (gun->x - f.tank->x) * f.tank->facing;  // it rides along, spraying
    for (int i = 0; i < 18; ++i) {
        f.s.Run(1);
        EXPECT_EQ((gun->x - f.tank->x) * f.tank->facing, riding) << i;
        for (auto* shot : Shots(Tank::kSpray)) {
            if (!seen.insert(shot).second) continue;
            spray.push_back({shot->vx * gun->facing, shot->vy});
            // Each leaves two of its steps out from the gun (and has flown
            // one step since; the first left a frame before this loop).
            if (i == 0) continue;
            EXPECT_EQ(shot->x - shot->vx, gun->x + 2 * shot->vx) << i;
            EXPECT_EQ(shot->y - shot->vy, gun->y + 2 * shot->vy) << i;
        }
    }
    const std::vector<std::pair<int32_t, int32_t>> expected{{34, -60}, {0, -70}, {-35, -60}};  // truncated
    EXPECT_EQ(spray, expected);
    EXPECT_EQ(f.Heard(19), 3);
}

TEST(KappaTank, TheSecondGunOutlastsTheClearingUntilThePiecesAreThrown) {
    TankFight f;
    f.Begin();
    CCharacter* gun = f.Part(6);
    f.tank->hp = 10;
    f.tank->OnHit(1, 50, 1, f.player);
    f.s.Run(1);
    EXPECT_EQ(gun->frame, Tank::kGunStopped);
    EXPECT_EQ(f.Part(0)->frame, Tank::kCannonStopped);
    EXPECT_EQ(f.Part(1)->frame, 314);
    EXPECT_EQ(f.Part(2)->frame, 316);
    EXPECT_EQ(f.Part(3)->frame, 316);
    f.RunUntil([&] { return f.tank->stateTimer == 259; }, 400);
    ASSERT_EQ(f.tank->frame, EnemyState::Defeated);
    const int32_t x0 = f.tank->x, y0 = f.tank->y;
    f.tank->Frame();  // the body alone: the pieces have not moved yet
    ASSERT_EQ(f.tank->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(f.tank->vy, -110);
    EXPECT_EQ(f.Part(0), nullptr);
    EXPECT_EQ(f.Part(6), nullptr);
    // The three pieces thrown each its way, and two bits of the wreck from
    // 220 above the body (by the body's facing).
    const int32_t facing = f.tank->facing;
    struct Throw {
        int32_t link, vx, vy;
    };
    for (const Throw& k : {Throw{1, 0, -110}, Throw{2, -20, -90}, Throw{3, 20, -90}, Throw{4, -10, -105},
                           Throw{5, 10, -105}}) {
        const CCharacter* piece = f.Part(k.link);
        ASSERT_NE(piece, nullptr) << k.link;
        EXPECT_EQ(piece->frame, Tank::kThrown) << k.link;
        EXPECT_EQ(piece->vx, k.vx * facing) << k.link;
        EXPECT_EQ(piece->vy, k.vy) << k.link;
    }
    for (auto [link, dx] : {std::pair{4, -480}, {5, 200}}) {
        const CCharacter* bit = f.Part(link);
        EXPECT_EQ(bit->x, x0 + dx * facing) << link;
        EXPECT_EQ(bit->y, y0 - 220) << link;
        EXPECT_EQ(bit->linksA[0], f.tank) << link;
        EXPECT_EQ(bit->layer, 135) << link;
        EXPECT_EQ(bit->facing, facing) << link;
    }
    // The body spins as it falls, against its facing.
    const double turned = f.tank->angle;
    f.tank->Frame();
    EXPECT_NEAR(f.tank->angle, turned - 0.8 * facing, 1e-9);
    // Thrown pieces spin under gravity.
    const double spin = f.Part(1)->angle;
    f.Part(1)->Frame();
    EXPECT_NEAR(f.Part(1)->angle, spin - 0.8 * f.Part(1)->facing, 1e-9);
}

}  // namespace
