// The enemy base through a real kind (the kappa on the bank) in a field of
// real blocks: the sleep off screen, hurt and the way home, the defeat with
// its freeze, sound, shakes, payout and fade, and the removal of enemies
// that nothing maps or that are told to go while asleep.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "character/CreateCharacter.h"
#include "enemy/CharacterArcher.h"
#include "enemy/CharacterDragon.h"
#include "enemy/CharacterKappa.h"
#include "enemy/EnemyField.h"
#include "framework/Effect.h"
#include "framework/Random.h"
#include "player/CharacterItem.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

constexpr int32_t kBank = 10041;

void ClearShake() {
    CEffect* e = CEffect::GetInstance();
    e->m_shakeFrames = 0;
    e->m_shakeLowY = e->m_shakeHighY = 0;
    e->m_shakeVelocityY = 0;
    e->m_shakeDecay = 0;
}

}  // namespace

// What each kind is made with: life, payout, fall and bob, as the factory
// hands it over (-1: a value the kind leaves as it is).
TEST(EnemyKinds, EachKindIsMadeWithItsOwnValues) {
    struct Values {
        int32_t id, typeId, hp, coinChance, coinRange, gold, itemChance, secondItemChance;
        int32_t gravityNum, gravityDen, hoverSpeed, hoverAmplitude, hoverNum, hoverDen, presence, layer;
    };
    const Values kinds[] = {
        {10001, 10001, 100, 100, 3, 1, 10, 0, 1, 1, 10, 10, 1, 2, 1, 168},
        {10006, 10006, 100, 100, 3, 1, 10, 0, 1, 1, 10, 10, 1, 2, 1, 168},
        {10054, 10050, 100, 100, 3, 1, 0, 100, 1, 1, 10, 10, 1, 2, 1, 168},
        {10011, 10011, 200, 100, 4, 1, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10021, 10021, 200, 100, 4, 2, 10, 0, 6, 1, 2, 2, 1, 10, 1, 168},
        {10031, 10031, 200, 100, 4, 2, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10041, 10041, 200, 100, 6, 3, 10, 0, 10, 1, 10, 10, 1, 2, 1, 168},
        {10091, 10091, 200, 100, 6, 3, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10121, 10121, 500, 100, 5, 3, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10131, 10131, 500, 100, 6, 4, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10151, 10151, 100, 100, 4, 2, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10161, 10161, 500, 100, 4, 3, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10171, 10171, 300, 100, 3, 2, 10, 0, 6, 1, 20, 20, 2, 1, 1, 168},
        {10181, 10181, 300, 100, 5, 4, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {10221, 10221, 200, 100, 2, 2, 10, 0, 6, 1, 20, 20, 2, 1, 1, 168},
        {10231, 10231, 200, 100, 3, 2, 10, 0, 6, 1, 10, 10, 1, 2, 1, 168},
        {11001, 11001, 100, 100, 3, 1, 10, 0, 6, 1, 10, 10, -1, -1, 1, 168},
        {10060, 10060, 400, 100, 3, 3, 10, 0, 6, 1, 10, 10, -1, -1, 1, 168},
        {10072, 10072, 200, 100, 4, 2, 10, 0, 6, 1, 20, 20, -1, -1, 1, 168},
        {11050, 11050, 300, 0, 1, 0, 0, 0, 6, 1, 10, 10, -1, -1, 1, 168},
        {11080, 11080, 100, 0, 1, 0, 0, 0, 10, 1, 10, 10, -1, -1, 1, 168},
        {11070, 11070, 200, 0, 1, 0, 0, 0, 6, 1, 20, 20, -1, -1, 1, 168},
        {11073, 11073, 200, 0, 1, 0, 0, 0, 6, 1, 20, 20, -1, -1, 2, 168},
        {11090, 11090, 100, 0, 1, 0, 0, 0, 6, 1, 20, 20, -1, -1, 1, 168},
        {11060, 11060, 500, 0, 1, 0, 0, 0, 6, 1, 10, 10, -1, -1, 1, 168},
        {10005, 10005, 100, 100, 2, 10, 10, 0, 1, 1, 10, 10, 1, 2, 1, 168},
        {20770, 20770, 0, -1, -1, 10, -1, 0, 6, 1, 10, 10, 1, 2, 1, 136},
        {20800, 20800, 0, -1, -1, 10, -1, 0, 6, 1, 10, 10, 1, 2, 1, 126},
        {20780, 20780, 0, -1, -1, 10, -1, 0, 6, 1, 10, 10, 1, 2, 1, 126},
    };
    for (const Values& v : kinds) {
        SCOPED_TRACE(v.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(v.id));
        auto* e = dynamic_cast<CCharacterEnemy*>(made.get());
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->typeId, v.typeId);
        EXPECT_EQ(e->hp, v.hp);
        EXPECT_EQ(e->hpMax, v.hp);
        if (v.coinChance >= 0) {
            EXPECT_EQ(e->coinChance, v.coinChance);
            EXPECT_EQ(e->coinRange, v.coinRange);
            EXPECT_EQ(e->itemChance, v.itemChance);
        }
        EXPECT_EQ(e->GetGold(), v.gold);
        EXPECT_EQ(e->secondItemChance, v.secondItemChance);
        EXPECT_EQ(e->gravityNum, v.gravityNum);
        EXPECT_EQ(e->gravityDen, v.gravityDen);
        EXPECT_EQ(e->hoverSpeed, v.hoverSpeed);
        EXPECT_EQ(e->hoverAmplitude, v.hoverAmplitude);
        if (v.hoverNum >= 0) {
            EXPECT_EQ(e->hoverNum, v.hoverNum);
            EXPECT_EQ(e->hoverDen, v.hoverDen);
        }
        EXPECT_EQ(e->hoverDir, -1);
        EXPECT_EQ(e->presenceMode, v.presence);
        EXPECT_EQ(e->layer, v.layer);
        EXPECT_EQ(e->group, 2);
        EXPECT_EQ(e->friction, 5);
        EXPECT_EQ(e->maxFall, 200);
        EXPECT_EQ(e->scaleX, 2.0);
        EXPECT_EQ(e->scaleY, 2.0);
    }
}

// Where each id sends its kind from the wait, and the direction it gives a
// gimmick (in eighths of a turn clockwise from up); the second-variant ids
// as their first ones.
TEST(EnemyKinds, EachIdGoesToItsOwnHomeState) {
    struct Home {
        int32_t id, home, eighths;
    };
    const Home homes[] = {
        {10001, 230, 0}, {10002, 250, 0}, {10003, 230, 0}, {10004, 250, 0}, {10006, 290, 0}, {10054, 230, 0},
        {10011, 230, 0}, {10012, 250, 0}, {10021, 230, 0}, {10022, 250, 0}, {10023, 230, 0}, {10024, 250, 0},
        {10031, 230, 0}, {10032, 250, 0}, {10041, 230, 0}, {10042, 250, 0}, {10043, 230, 0}, {10044, 250, 0},
        {10091, 230, 0}, {10092, 250, 0}, {10121, 230, 0}, {10122, 250, 0}, {10123, 270, 0}, {10131, 230, 0},
        {10132, 250, 0}, {10151, 230, 0}, {10152, 250, 0}, {10161, 230, 0}, {10162, 250, 0}, {10171, 230, 0},
        {10172, 250, 0}, {10173, 230, 0}, {10174, 250, 0}, {10181, 230, 0}, {10182, 250, 0}, {10221, 230, 0},
        {10222, 250, 0}, {10223, 270, 0}, {10224, 230, 0}, {10225, 250, 0}, {10226, 270, 0}, {10227, 290, 0},
        {10231, 230, 0}, {10232, 250, 0}, {11001, 230, 0}, {11002, 250, 0}, {10060, 230, 0}, {10061, 230, 0},
        {10062, 230, 0}, {10072, 230, 0}, {10073, 230, 0}, {11050, 230, 0}, {11051, 250, 0}, {11080, 230, 0},
        {11081, 250, 0}, {11070, 230, 0}, {11071, 250, 0}, {11073, 230, 0}, {11090, 230, 0}, {11091, 250, 0},
        {11060, 230, 0}, {11061, 250, 0}, {20770, 230, 0}, {20771, 230, 2}, {20772, 230, 4}, {20773, 230, 6},
        {20775, 230, 0}, {20776, 230, 2}, {20777, 230, 4}, {20778, 230, 6}, {20780, 230, 0}, {20781, 231, 0},
        {20782, 232, 0}, {20783, 233, 0}, {20785, 230, 0}, {20786, 231, 0}, {20787, 232, 0}, {20788, 233, 0},
        {20800, 230, 0}, {20801, 230, 1}, {20802, 230, 2}, {20803, 230, 3}, {20804, 230, 4}, {20805, 230, 5},
        {20806, 230, 6}, {20807, 230, 7},
    };
    for (const Home& h : homes) {
        SCOPED_TRACE(h.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(h.id));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->homeState, h.home);
        EXPECT_DOUBLE_EQ(made->angle, h.eighths * 3.14159265358979323846 / 4);
    }
}

// The touch attack of every kind as its first frames in play deal it to a
// body of the player's side on it: the kind and the damage (none: the kind
// does not hurt by touch).
TEST(EnemyKinds, EachKindsTouchHurtsWithItsOwnKindAndDamage) {
    struct Touch {
        int32_t id, y, kind, damage;
    };
    constexpr int32_t kHigh = 1500;
    const Touch kinds[] = {
        {10001, kHigh, 15, 50},   {10002, kHigh, 15, 50},   {10054, kHigh, 15, 50},   {10011, kStandY, 15, 50},
        {10012, kStandY, 15, 50}, {10021, kHigh, 0, 0},     {10022, kHigh, 0, 0},     {10031, kStandY, 15, 50},
        {10041, kStandY, 29, 100}, {10042, kStandY, 29, 100}, {10091, kStandY, 15, 50}, {10092, kStandY, 15, 50},
        {10121, kStandY, 15, 50}, {10122, kStandY, 15, 50}, {10123, kStandY, 15, 50}, {10131, kStandY, 15, 50},
        {10132, kStandY, 15, 50}, {10151, kHigh, 0, 0},     {10152, kHigh, 0, 0},     {10161, kStandY, 15, 50},
        {10162, kStandY, 15, 50}, {10171, kHigh, 15, 50},   {10172, kHigh, 15, 50},   {10181, kStandY, 15, 50},
        {10182, kStandY, 15, 50}, {10221, kHigh, 15, 50},   {10222, kHigh, 15, 50},   {10223, kHigh, 15, 50},
        {10231, kStandY, 15, 50}, {10232, kStandY, 15, 50}, {11001, kStandY, 15, 50}, {11002, kStandY, 15, 50},
        {10060, kStandY, 0, 0},   {10072, kHigh, 0, 0},     {11050, kStandY, 0, 0},   {11051, kStandY, 0, 0},
        {11080, kStandY, 18, 100}, {11081, kStandY, 19, 100}, {11070, kHigh, 0, 0},    {11071, kHigh, 0, 0},
        {11090, kHigh, 0, 0},     {11091, kHigh, 20, 100},  {11060, kStandY, 22, 100}, {11061, kStandY, 23, 100},
        {20780, kHigh, 15, 100},  {20770, kHigh, 0, 0},     {20800, kHigh, 0, 0},
    };
    for (const Touch& t : kinds) {
        SCOPED_TRACE(t.id);
        Field f(400);
        CCharacter* enemy = f.s.AddAt(t.id, 3000, t.y);
        ASSERT_NE(enemy, nullptr);
        auto* body = f.s.Add(std::make_unique<Recorder>(), 3000, t.y);
        f.s.beforeFrame = [&](Scenario&) {
            body->x = enemy->x;
            body->y = enemy->y;
        };
        for (int i = 0; i < 30 && body->hits.empty(); ++i) f.s.Run(1);
        f.s.beforeFrame = nullptr;
        if (t.kind == 0) {
            EXPECT_TRUE(body->hits.empty()) << body->hits.front().first;
            continue;
        }
        ASSERT_FALSE(body->hits.empty());
        EXPECT_EQ(body->hits.front(), std::make_pair(t.kind, t.damage));
    }
}

// The kinds' random choices follow the parity of the game's next draw: the
// patrol's way, the cat's pounce, the forward flower's hop, the lizardmen's
// jump and hop.
TEST(EnemyKinds, TheirRandomChoicesFollowTheParityOfTheDraw) {
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        Field f(400);
        GameSrand(seed);
        const bool odd = GameRand() % 2 == 1;
        const auto draw = [seed] { GameSrand(seed); };
        CCharacter* soldier = f.Make(11002, 2400);
        CCharacter* cat = f.Make(10181, 3000);
        CCharacter* flower = f.Make(11081, 3600);
        CCharacter* jumper = f.Make(11060, 4200);
        CCharacter* walker = f.Make(11061, 4800);
        for (CCharacter* c : {soldier, cat, flower, jumper, walker}) c->facing = -1;

        draw();
        soldier->SetState(251);
        EXPECT_EQ(soldier->facing, odd ? 1 : -1) << "the patrol's way";
        EXPECT_EQ(soldier->x, 2400 + 10 * soldier->facing) << "its first step";
        cat->facing = 1;
        draw();
        cat->SetState(230);
        EXPECT_EQ(cat->frame, odd ? 233 : 230) << "the pounce";
        EXPECT_EQ(cat->facing, -1) << "turned to the player either way";
        if (odd) {
            EXPECT_EQ(cat->vy, -80);
        }
        cat->y -= 1000;  // in the air: no draw, it falls
        draw();
        cat->SetState(230);
        EXPECT_EQ(cat->frame, 232);
        cat->y += 1000;
        flower->facing = -1;
        draw();
        flower->SetState(251);
        EXPECT_EQ(Velocity(*flower), odd ? std::make_pair(-30, -100) : std::make_pair(-10, -130)) << "the hop";
        draw();
        jumper->SetState(230);
        EXPECT_EQ(jumper->frame, 234);
        EXPECT_EQ(jumper->vy, odd ? -140 : -120) << "the jump";
        walker->facing = 1;
        draw();
        walker->SetState(250);
        EXPECT_EQ(walker->frame, odd ? 254 : 250) << "the hop";
        EXPECT_EQ(walker->vy, odd ? -80 : 0);
        EXPECT_EQ(walker->facing, -1) << "turned to the player either way";
    }
}

// Back from a hurt an enemy on screen goes straight to its home state; the
// flyers that go their own way (crow, dragon, bird) do not turn to the
// player first, the rest do.
TEST(EnemyKinds, BackFromAHurtTheFlyersKeepTheirWayTheOthersFaceThePlayer) {
    struct Kind {
        int32_t id, y, home;
        bool turns;
    };
    for (const Kind& k : {Kind{10072, 1500, 230, false}, Kind{11070, 1500, 230, false}, Kind{11090, 1500, 230, false},
                          Kind{10171, 1500, 230, true}, Kind{10221, 1500, 230, true}, Kind{11001, kStandY, 230, true}}) {
        SCOPED_TRACE(k.id);
        Field f(400);
        CCharacterEnemy* e = f.Make(k.id, 3000, k.y);
        f.s.Run(2);
        ASSERT_EQ(e->frame / 2 * 2, k.home);
        e->facing = 1;  // away from the player
        e->OnHit(15, 1, 1, f.player);
        e->facing = 1;
        ASSERT_EQ(e->frame, 10);
        f.s.Run(20);
        EXPECT_EQ(e->frame / 2 * 2, k.home);
        EXPECT_EQ(e->facing, k.turns ? -1 : 1);
    }
}

// Which kinds turn to the player in which records: each kind is put in the
// record with the player gone round to its other side (still out of its
// reach), and faces the player a frame later, or keeps its way.
TEST(EnemyKinds, InTheirRecordsTheyTurnToThePlayerOrKeepTheirWay) {
    struct Turn {
        int32_t id, y, state;
        bool turns;
    };
    constexpr int32_t kHigh = 1500;
    const Turn turns[] = {
        {10001, kHigh, 230, true},   {10001, kHigh, 231, true},   {10006, kHigh, 294, true},
        {10054, kHigh, 233, true},
        {10054, kHigh, 231, true},   {10011, kStandY, 231, true}, {10011, kStandY, 230, false},
        {10021, kHigh, 234, true},   {10041, kStandY, 230, true}, {10041, kStandY, 231, false},
        {10042, kStandY, 250, true}, {10042, kStandY, 251, true}, {10042, kStandY, 252, true},
        {10042, kStandY, 253, true}, {10042, kStandY, 254, false},
        {10091, kStandY, 235, true}, {10092, kStandY, 251, true}, {10121, kStandY, 236, true},
        {10122, kStandY, 252, true}, {10123, kStandY, 272, true}, {10123, kStandY, 273, true},
        {10131, kStandY, 233, true},
        {10132, kStandY, 252, true}, {10151, kHigh, 234, true},   {10152, kHigh, 254, true},
        {10161, kStandY, 236, true}, {10162, kStandY, 250, true}, {10171, kHigh, 232, false},
        {10172, kHigh, 252, true},   {10182, kStandY, 251, true}, {10231, kStandY, 230, true},
        {10232, kStandY, 252, true}, {11001, kStandY, 230, true}, {11001, kStandY, 231, true},
        {11001, kStandY, 232, true},
        {11001, kStandY, 233, true},
        {10060, kStandY, 231, true}, {10072, kHigh, 230, false},  {11050, kStandY, 233, true},
        {11051, kStandY, 253, true}, {11051, kStandY, 254, false}, {11080, kStandY, 230, true},
        {11081, kStandY, 250, true}, {11070, kHigh, 230, false},  {11071, kHigh, 250, false},
        {11090, kHigh, 230, false},  {11091, kHigh, 250, false},
    };
    for (const Turn& t : turns) {
        SCOPED_TRACE(testing::Message() << t.id << " in " << t.state);
        Field f(400);
        CCharacterEnemy* e = f.Make(t.id, 3000, t.y);
        f.s.Run(2);
        ASSERT_EQ(e->facing, -1);
        f.player->x = 5400;
        e->SetState(t.state);
        f.s.Run(1);
        EXPECT_EQ(e->facing, t.turns ? 1 : -1);
    }
}

// Lifted off the floor in a record where they stand (or, the armour,
// walk), they fall.
TEST(EnemyKinds, InTheirStandingRecordsTheyFall) {
    struct Stand {
        int32_t id, state;
    };
    const Stand stands[] = {
        {10041, 230}, {10042, 253}, {10042, 254}, {10042, 256}, {10042, 257}, {10091, 235}, {10121, 230},
        {10121, 235}, {10122, 250}, {10123, 270}, {10131, 230}, {10161, 235},
        {10162, 250}, {10182, 250}, {10231, 230}, {10232, 250}, {11001, 230}, {11002, 250}, {10060, 230},
        {11050, 230}, {11051, 250},
    };
    for (const Stand& s : stands) {
        SCOPED_TRACE(testing::Message() << s.id << " in " << s.state);
        Field f(400);
        CCharacterEnemy* e = f.Make(s.id, 3000);
        f.s.Run(2);
        e->SetState(s.state);
        f.s.Run(1);
        ASSERT_EQ(e->frame, s.state);
        e->y = kStandY - 200;
        f.s.Run(2);
        EXPECT_GT(e->y, kStandY - 200);
    }
}

// Meeting a wall ahead in any picture of its walk, a walker hops (at its
// own speed) or turns round (and walks away at `away`).
TEST(EnemyKinds, InEveryWalkPictureTheyMeetAWallAlike) {
    struct Walk {
        int32_t id, first, last, vy, facing, away;
    };
    const Walk walks[] = {
        {10091, 230, 233, -70, -1, 0}, {10161, 230, 233, -70, -1, 0}, {10181, 230, 231, -70, -1, 0},
        {11061, 250, 253, -80, -1, 0}, {10121, 230, 233, 0, 1, 20},    {10031, 230, 231, 0, 1, 10},
        {11001, 232, 233, 0, 1, 10},     {11002, 251, 254, 0, -1, 10},  // the soldiers: back to guard, or a step back
    };
    for (const Walk& w : walks) {
        for (int32_t picture = w.first; picture <= w.last; ++picture) {
            SCOPED_TRACE(testing::Message() << w.id << " in " << picture);
            // A wall two blocks high (x 2000..2400), the walker at its face.
            Field f(400, FloorGrid({".....#..............", ".....#.............."}));
            CCharacterEnemy* e = f.Make(w.id, 2400 + 190);
            f.s.Run(2);
            e->frame = picture;
            e->frameTimer = 0;
            e->x = 2400 + 190;
            e->y = kStandY;
            e->vy = 0;
            e->facing = -1;
            f.s.Run(1);
            EXPECT_EQ(e->vy, w.vy);
            EXPECT_EQ(e->facing, w.facing);
            if (w.away != 0) {
                EXPECT_EQ(e->vx, w.away);
            }
        }
    }
}

// The floating kinds bob up and down as they hover, drift or fly, in both
// pictures of their flight: in most frames they move up or down by more
// than their own vertical speed (the drifters put on the ground only bob
// above it, half the time).
TEST(EnemyKinds, TheFloatingKindsBobAsTheyGo) {
    struct Bob {
        int32_t id, y, settle;
        int least = 30;
    };
    constexpr int32_t kHigh = 1500;
    const Bob bobs[] = {
        {10001, kHigh, 2},   {10002, kHigh, 2},   {10006, kHigh, 45},  {10054, kHigh, 2},  {10021, kHigh, 2},
        {10022, kHigh, 2},   {10012, kHigh, 2, 20}, {10032, kHigh, 2, 20}, {10171, kHigh, 2},  {10172, kHigh, 2},
        {10221, kHigh, 2},   {10072, kHigh, 2},   {11070, kHigh, 2},   {11071, kHigh, 2},  {11091, kHigh, 2},
        {11071, kHigh, 62},  // the hovering dragon breathing (252/253)
        {11070, kHigh, 62},  // the flying one breathing (232/233)
    };
    for (const Bob& b : bobs) {
        SCOPED_TRACE(b.id);
        Field f(-600);  // far off: nothing dives or leaps at it
        f.player->y = kHigh;
        CCharacterEnemy* e = f.Make(b.id, 4000, b.y);
        f.s.Run(b.settle);
        int bobbed = 0;
        for (int i = 0; i < 40; ++i) {
            const int32_t y = e->y;
            f.s.Run(1);
            bobbed += e->y - y != e->vy;
        }
        EXPECT_GE(bobbed, b.least);
    }
}

TEST(EnemyBase, OffScreenItSleepsUntilSeenButItsDefeatRunsOn) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, kScreenRight + 400);
    ASSERT_NE(kappa, nullptr);
    f.s.Run(50);
    EXPECT_EQ(kappa->frame, EnemyState::Wait) << "no handler, no timers off screen";
    EXPECT_EQ(kappa->stateTimer, 0);
    EXPECT_EQ(kappa->frameTimer, 0);
    EXPECT_EQ(kappa->x, kScreenRight + 400);
    EXPECT_EQ(kappa->y, kStandY);

    // Seen, it faces the player and enters its home state.
    kappa->x = 3000;
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 230);
    EXPECT_EQ(kappa->facing, -1);

    // Defeated off screen, it still bursts and fades.
    kappa->x = kScreenRight + 400;
    kappa->SetState(EnemyState::Defeated);
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
    f.s.Run(40);
    EXPECT_FALSE(Listed(kappa));
}

TEST(EnemyBase, AHurtEnemyHangsTwentyFramesThenGoesHomeAndTheNextHitCountsOnceTheFirstHasPassed) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    f.s.Run(25);
    kappa->vx = 40;
    ASSERT_TRUE(kappa->OnHit(15, 50, 1, f.player));
    EXPECT_EQ(kappa->frame, EnemyState::Hurt);
    EXPECT_EQ(kappa->hp, 150);
    EXPECT_EQ(kappa->vx, 0);
    const int32_t y = kappa->y;
    f.s.Run(19);
    EXPECT_EQ(kappa->frame, EnemyState::Hurt);
    EXPECT_EQ(kappa->y, y) << "no gravity while hurt";
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, 230) << "back through the wait to its home";

    // Re-arming: invulnerable while the attack that hit it still touches it.
    testing_support::ScenarioBody* blade = f.s.Add(
        std::make_unique<testing_support::ScenarioBody>(testing_support::WalkerBody()), 2000, kStandY);
    blade->SetAttackBox({-300, 300, -300, 300});
    f.s.SetPlayer(blade);
    kappa->OnHit(1, 10, 1, blade);
    EXPECT_EQ(kappa->GetInvulnerable(), 20);
    f.s.Run(2);
    EXPECT_GT(kappa->GetInvulnerable(), 0);
    blade->x = 4000;
    f.s.Run(1);
    EXPECT_EQ(kappa->GetInvulnerable(), 0);
}

TEST(EnemyBase, TheDefeatFreezesEveryoneBurstsWithSoundAndCoinsAndFades) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    CCharacterEnemy* other = f.Make(kBank, 3200);
    f.s.Run(5);
    kappa->OnHit(15, 500, 1, f.player);
    ASSERT_EQ(kappa->frame, EnemyState::Defeated);
    f.s.ClearSounds();
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
    const size_t coins = Effects(140, 140 + 23).size();
    for (const CCharacterEffect* coin : Effects(140, 140 + 23)) EXPECT_EQ(coin->facing, -1) << "the kappa's way";
    EXPECT_GE(coins, 3u);
    EXPECT_LE(coins, 8u);

    // Ten frames of freeze (this one included) for everything of a group.
    const int32_t otherTimer = other->stateTimer;
    EXPECT_EQ(CGameMain::GetInstance()->m_groupFreezeTimer, 9);
    f.s.Run(9);
    EXPECT_EQ(other->stateTimer, otherTimer);
    EXPECT_EQ(kappa->alpha, 255);
    // Then 19 frames of fading, and gone.
    for (int i = 1; i <= 18; ++i) {
        f.s.Run(1);
        EXPECT_EQ(kappa->alpha, 255 - 14 * i);
    }
    EXPECT_NE(other->stateTimer, otherTimer);
    f.s.Run(1);
    EXPECT_EQ(kappa->alpha, 0);
    f.s.Run(1);
    EXPECT_FALSE(Listed(kappa));
}

TEST(EnemyBase, TheBurstWaitsForThePlayersDashToPass) {
    Field f;
    CCharacterEnemy* kappa = f.Make(kBank, 2000);
    f.s.Run(5);
    kappa->OnHit(15, 500, 1, f.player);
    for (int32_t dash = 321; dash <= 324; ++dash) {
        f.player->frame = dash;
        f.s.Run(1);
        EXPECT_EQ(kappa->frame, EnemyState::Defeated) << dash;
    }
    f.player->frame = 325;
    f.s.Run(1);
    EXPECT_EQ(kappa->frame, EnemyState::FadeOut);
}

TEST(EnemyBase, ScreenShakesAtTheDefeatFollowTheVibrationSetting) {
    struct Shake {
        int32_t frames, low, high, velocity, decay;
    };
    // NORMAL, STRONG, NONE, MILD: the 110 bounce, then the 111 shake.
    const std::map<int32_t, std::pair<Shake, Shake>> expected = {
        {0, {{6, -3, 3, 100, 0}, {20, -10, 10, 100, 3}}},
        {1, {{6, -3, 3, 100, 0}, {20, -10, 10, 100, 0}}},
        {2, {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}},
        {3, {{6, -3, 3, 100, 0}, {20, -5, 5, 100, 1}}},
    };
    CEffect* e = CEffect::GetInstance();
    for (const auto& [vibration, shakes] : expected) {
        SCOPED_TRACE(vibration);
        Field f;
        CGameMain::GetInstance()->m_vibration = vibration;
        CCharacterEnemy* kappa = f.Make(kBank, 2000);
        ClearShake();
        kappa->vx = 30;
        kappa->vy = -40;
        kappa->SetState(EnemyState::Defeated);
        EXPECT_EQ(Velocity(*kappa), std::make_pair(0, 0));
        EXPECT_EQ(e->m_shakeFrames, shakes.first.frames);
        EXPECT_EQ(e->m_shakeLowY, shakes.first.low);
        EXPECT_EQ(e->m_shakeHighY, shakes.first.high);
        EXPECT_EQ(e->m_shakeVelocityY, shakes.first.velocity);
        ClearShake();
        kappa->vx = 30;
        kappa->vy = -40;
        kappa->SetState(EnemyState::FadeOut);
        EXPECT_EQ(Velocity(*kappa), std::make_pair(0, 0));
        EXPECT_EQ(e->m_shakeFrames, shakes.second.frames);
        EXPECT_EQ(e->m_shakeLowY, shakes.second.low);
        EXPECT_EQ(e->m_shakeHighY, shakes.second.high);
        EXPECT_EQ(e->m_shakeVelocityY, shakes.second.velocity);
        EXPECT_EQ(e->m_shakeDecay, shakes.second.decay);
    }
}

// A kind made outside the world, so that only its drops are listed there.
std::unique_ptr<CCharacterEnemy> Loose(int32_t typeId) {
    std::unique_ptr<CCharacterEnemy> e(dynamic_cast<CCharacterEnemy*>(CreateCharacter(typeId)));
    e->x = 2000;
    e->y = kStandY;
    return e;
}

// What one call added to the world, taken out again (into `keep`).
template <class F>
std::vector<CCharacter*> Drops(F call, std::vector<std::unique_ptr<CCharacter>>& keep) {
    std::vector<CCharacter*> before;
    for (int32_t k = 1; k <= World().GetCount(); ++k) before.push_back(World().GetAt(k));
    call();
    std::vector<CCharacter*> out;
    for (int32_t k = static_cast<int32_t>(before.size()) + 1; k <= World().GetCount(); ++k) out.push_back(World().GetAt(k));
    for (CCharacter* c : out) keep.emplace_back(c);
    World().RemoveAll();
    for (CCharacter* c : before) World().Add(c);
    return out;
}

TEST(EnemyBase, CoinsAreTheBaseCountPlusTheRandomPartAndFlyUpAsTheyShould) {
    Field f;
    auto kappa = Loose(kBank);  // 100 % / range 6 / base 3
    std::map<size_t, int> counts;
    int32_t lowest = 0, highest = -1000, leftmost = 0, rightmost = 0;
    int32_t west = 0, east = 0, north = 0, south = 0;  // where they start, from the centre
    for (int i = 0; i < 600; ++i) {
        std::vector<std::unique_ptr<CCharacter>> keep;
        const std::vector<CCharacter*> coins = Drops([&] { kappa->DropCoins(); }, keep);
        ++counts[coins.size()];
        for (CCharacter* c : coins) {
            auto* coin = dynamic_cast<CCharacterEffect*>(c);
            ASSERT_NE(coin, nullptr);
            EXPECT_EQ(coin->frame, 140);
            EXPECT_EQ(coin->GetGold(), 1);
            EXPECT_EQ(coin->attackDirX, coin->vx);
            EXPECT_EQ(coin->attackDirY, coin->vy);
            EXPECT_LE(std::abs(coin->x - kappa->x), 30);
            EXPECT_LE(std::abs(coin->y - kappa->y), 30);
            EXPECT_LE(std::abs(coin->vx), 20);
            EXPECT_GE(coin->vy, -120);
            EXPECT_LE(coin->vy, -80);
            lowest = std::min(lowest, coin->vy);
            highest = std::max(highest, coin->vy);
            leftmost = std::min(leftmost, coin->vx);
            rightmost = std::max(rightmost, coin->vx);
            west = std::min(west, coin->x - kappa->x);
            east = std::max(east, coin->x - kappa->x);
            north = std::min(north, coin->y - kappa->y);
            south = std::max(south, coin->y - kappa->y);
        }
    }
    // The whole ranges are drawn, both ends included.
    EXPECT_EQ(std::make_pair(lowest, highest), std::make_pair(-120, -80));
    EXPECT_EQ(std::make_pair(leftmost, rightmost), std::make_pair(-20, 20));
    EXPECT_EQ(std::make_pair(west, east), std::make_pair(-30, 30));
    EXPECT_EQ(std::make_pair(north, south), std::make_pair(-30, 30));
    EXPECT_EQ(counts.size(), 6u) << "3 to 8 coins, each count seen";
    EXPECT_EQ(counts.begin()->first, 3u);
    EXPECT_EQ(counts.rbegin()->first, 8u);

    // A kind that pays nothing, and a chance below 100.
    auto archer = Loose(11050);
    std::vector<std::unique_ptr<CCharacter>> keep;
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(Drops([&] { archer->DropCoins(); }, keep).empty());
    kappa->coinChance = 0;
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(Drops([&] { kappa->DropCoins(); }, keep).empty()) << "a chance of 0";
    kappa->coinChance = 30;
    int dropped = 0;
    for (int i = 0; i < 1000; ++i) dropped += !Drops([&] { kappa->DropCoins(); }, keep).empty();
    EXPECT_GT(dropped, 240);
    EXPECT_LT(dropped, 360);
}

TEST(EnemyBase, AtMostOneItemAndTheHeartIsTriedFirst) {
    Field f;
    auto kappa = Loose(kBank);
    std::vector<std::unique_ptr<CCharacter>> keep;
    auto tally = [&](int runs) {
        std::map<int32_t, int> made;
        for (int i = 0; i < runs; ++i) {
            const std::vector<CCharacter*> items = Drops([&] { kappa->DropItem(); }, keep);
            EXPECT_LE(items.size(), 1u);
            for (CCharacter* item : items) {
                EXPECT_NE(dynamic_cast<CCharacterItem*>(item), nullptr);
                EXPECT_EQ(item->x, kappa->x);
                EXPECT_EQ(item->y, kappa->y);
                EXPECT_EQ(item->vx, 0);
                EXPECT_EQ(item->vy, -70);
                EXPECT_EQ(std::make_pair(item->attackDirX, item->attackDirY), std::make_pair(0, -70));
                ++made[item->typeId];
            }
        }
        return made;
    };
    // 10 % hearts, nothing else.
    std::map<int32_t, int> made = tally(1000);
    EXPECT_EQ(made.size(), 1u);
    EXPECT_GT(made[23001], 60);
    EXPECT_LT(made[23001], 140);
    // A chance of 0 never drops one.
    kappa->itemChance = 0;
    EXPECT_TRUE(tally(1000).empty());
    kappa->itemChance = 10;

    // A heart in 10 %, a spirit in the other 90 %.
    kappa->secondItemChance = 100;
    made = tally(1000);
    EXPECT_GT(made[23001], 60);
    EXPECT_LT(made[23001], 140);
    EXPECT_EQ(made[23001] + made[23002], 1000);

    // While the player flies from a catapult: the launched forms, and the
    // coins' launched state.
    f.player->launched = true;
    made = tally(200);
    EXPECT_EQ(made[23014] + made[23015], 200);
    EXPECT_GT(made[23014], 0);
    for (CCharacter* coin : Drops([&] { kappa->DropCoins(); }, keep))
        EXPECT_EQ(coin->frame, 164);
}

TEST(EnemyBase, AnIdThatMapsNoVariantRemovesItselfAndNoStateReachesPastTheTable) {
    Field f;
    auto* unmapped = f.s.Add(std::make_unique<CCharacterKappa>(), 2000, kStandY);
    unmapped->SetTypeId(10045);
    EXPECT_EQ(unmapped->homeState, 0);
    f.s.Run(2);
    EXPECT_FALSE(Listed(unmapped));

    for (int32_t state : {-7, 449, 450, 5000, 1 << 30}) {
        SCOPED_TRACE(state);
        CCharacterEnemy* kappa = f.Make(kBank, 2000);
        f.s.Run(1);
        kappa->SetState(state);
        f.s.Run(2);
        EXPECT_FALSE(Listed(kappa)) << "a state outside the table leads to removal";
    }
}

TEST(EnemyBase, AnEnemyToldToGoWhileAsleepIsRemovedAndTheLastPlayerAimIsDropped) {
    Field f;
    // The spawner's dragon goes once it is off screen.
    auto* dragon = f.Make<CCharacterDragon>(11073, 3000, 1000);
    f.s.Run(3);
    EXPECT_TRUE(Listed(dragon));
    EXPECT_EQ(dragon->presenceMode, 2);
    dragon->x = kScreenLeft - 100;
    f.s.Run(1);
    EXPECT_FALSE(Listed(dragon));

    // An asleep enemy cleared away (as a boss clears the room) is gone too.
    CCharacterEnemy* kappa = f.Make(kBank, kScreenRight + 1000);
    f.s.Run(2);
    f.player->target = kappa;
    f.player->grabbedObject = kappa;
    kappa->SetState(EnemyState::Remove);
    f.s.Run(1);
    EXPECT_FALSE(Listed(kappa));
    EXPECT_EQ(f.player->target, nullptr);
    EXPECT_EQ(f.player->grabbedObject, nullptr);
}
