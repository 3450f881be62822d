// Attacks, hits and damage.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"
#include "support/Scenario.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr ScenarioBody::Box kBox = {-100, 100, -200, 100};

struct World {
    Scenario s{{"........"}, {}};

    // An attacker with an attack box of the body's size, in group 1.
    ScenarioBody* Attacker(int32_t x, int32_t y) {
        ScenarioBody* a = s.Add(std::make_unique<ScenarioBody>(kBox), x, y);
        a->SetAttackBox(kBox);
        a->group = 1;
        return a;
    }
    ScenarioBody* Victim(int32_t x, int32_t y, int32_t group) {
        ScenarioBody* v = s.Add(std::make_unique<ScenarioBody>(kBox), x, y);
        v->group = group;
        return v;
    }
    // The effects in the world, in list order.
    std::vector<CCharacter*> Effects() const {
        std::vector<CCharacter*> out;
        const CCharacterList& world = CGameMain::GetInstance()->m_characterList;
        for (int32_t i = 1; i <= world.GetCount(); ++i)
            if (dynamic_cast<CCharacterEffect*>(world.GetAt(i)) != nullptr) out.push_back(world.GetAt(i));
        return out;
    }
};

}  // namespace

TEST(Attack, OnlyGroupsSharingABitWithTheMaskAreHitAndGroupZeroNever) {
    World w;
    ScenarioBody* a = w.Attacker(1000, 1000);
    ScenarioBody* g2 = w.Victim(1000, 1000, 2);
    ScenarioBody* g6 = w.Victim(1000, 1000, 6);
    ScenarioBody* g0 = w.Victim(1000, 1000, 0);
    ScenarioBody* g8 = w.Victim(1000, 1000, 8);

    EXPECT_EQ(a->AttackAll(nullptr, 4, 5, 10), g6);
    EXPECT_EQ(g6->hp, 90);
    EXPECT_EQ(g2->hp, 100);
    EXPECT_EQ(g8->hp, 100);

    // Every bit: everyone with a group, never the attacker itself, never
    // group 0.
    a->group = 2;
    g6->ClearDamageFlash();
    EXPECT_EQ(a->AttackAll(nullptr, ~0, 5, 10), g8) << "the last one hit in list order";
    EXPECT_EQ(a->hp, 100);
    EXPECT_EQ(g2->hp, 90);
    EXPECT_EQ(g6->hp, 80);
    EXPECT_EQ(g8->hp, 90);
    EXPECT_EQ(g0->hp, 100);
}

TEST(Attack, OneCallHitsEveryOverlappingVictim) {
    World w;
    ScenarioBody* a = w.Attacker(1000, 1000);
    ScenarioBody* first = w.Victim(1050, 1000, 2);
    ScenarioBody* away = w.Victim(3000, 1000, 2);
    ScenarioBody* second = w.Victim(950, 1000, 2);
    EXPECT_EQ(a->AttackAll(nullptr, 2, 5, 30), second);
    EXPECT_EQ(first->hp, 70);
    EXPECT_EQ(second->hp, 70);
    EXPECT_EQ(away->hp, 100);
    EXPECT_EQ(a->AttackAll(nullptr, 2, 5, 30), nullptr) << "both are flashing now";
}

TEST(Attack, RunningOrHeldProtectiveTimersProtect) {
    World w;
    ScenarioBody* a = w.Attacker(1000, 1000);
    ScenarioBody* v = w.Victim(1000, 1000, 2);
    for (int which = 0; which < 3; ++which) {
        for (int32_t t : {-1, 3}) {
            v->ClearInvincible();
            v->ClearInvulnerable();
            v->ClearDamageFlash();
            if (which == 0) v->SetInvincible(t);
            if (which == 1) v->SetInvulnerable(t);
            if (which == 2) v->SetDamageFlash(t);
            EXPECT_EQ(a->AttackAll(nullptr, 2, 5, 10), nullptr) << which << " " << t;
        }
    }
    EXPECT_EQ(v->hp, 100);
    v->ClearDamageFlash();
    EXPECT_EQ(a->AttackAll(nullptr, 2, 5, 10), v);
}

TEST(Attack, BoxesThatOnlyTouchDoNotHitAndMirrorWithFacing) {
    World w;
    ScenarioBody* a = w.Attacker(0, 0);
    a->SetAttackBox({-20, 20, -30, 0});
    ScenarioBody* v = w.Victim(0, 0, 2);
    v->SetHurtBox({0, 40, -30, 0});
    v->x = 20;  // hurt box from 20 to 60: touches the attack box's right end
    EXPECT_FALSE(a->AttackHits(v));
    v->x = 19;
    EXPECT_TRUE(a->AttackHits(v));

    // Mirrored: an attack box ahead of a left-facing attacker reaches left.
    a->SetAttackBox({10, 50, -30, 0});
    v->SetHurtBox({-5, 5, -30, 0});
    v->x = -30;
    EXPECT_FALSE(a->AttackHits(v));
    a->facing = -1;
    EXPECT_TRUE(a->AttackHits(v));

    // A box with both sides 0 is absent; one side alone is a box.
    v->SetHurtBox({0, 0, -30, 0});
    EXPECT_FALSE(a->AttackHits(v));
    v->SetHurtBox({-10, 0, -30, 0});
    v->x = -30;
    EXPECT_TRUE(a->AttackHits(v));
    a->SetAttackBox({});
    EXPECT_FALSE(a->AttackHits(v));
    EXPECT_FALSE(a->AttackHits(nullptr));
    EXPECT_FALSE(a->AttackHits(a));
}

namespace {

struct Reaction {
    int32_t kind;
    int32_t sound;      // -1 none
    bool hurt;          // state 10, facing turned, speed 0
    int32_t flash;      // damage flash after the hit
    int32_t invulnerable;
    int32_t hitStop;
    std::vector<int32_t> sparks;  // spark states
};

struct Lethal {
    int32_t kind;
    int32_t sound;
    bool defeat;  // state 110 and facing turned
    std::vector<int32_t> sparks;
};

}  // namespace

TEST(Attack, NonLethalReactionsByKind) {
    const std::vector<Reaction> table = {
        {1, 24, true, 0, 20, 0, {10}},   {2, 24, true, 1, 0, 0, {10}},   {3, 24, true, 1, 0, 0, {10}},
        {4, -1, true, 1, 0, 0, {}},      {5, 24, true, 1, 0, 0, {}},     {6, 24, true, 1, 0, 0, {}},
        {7, 24, true, 4, 0, 0, {}},      {8, 24, false, 0, 0, 0, {}},    {9, 24, true, 1, 0, 0, {10}},
        {10, 24, false, 4, 0, 0, {}},    {11, 24, true, 1, 0, 0, {30}},  {12, 24, true, 0, 20, 0, {}},
        {13, 58, true, 1, 0, 0, {}},     {14, 58, true, 20, 0, 6, {}},   {15, -1, true, 1, 0, 0, {}},
        {16, -1, false, 0, 0, 0, {}},    {0, -1, true, 1, 0, 0, {}},     {17, -1, true, 1, 0, 0, {}},
        {64, -1, true, 1, 0, 0, {}},
    };
    for (const Reaction& r : table) {
        World w;
        CGameMain::GetInstance()->m_frameCount = 16;  // a multiple of 8
        ScenarioBody* a = w.Attacker(1000, 1000);
        ScenarioBody* v = w.Victim(1000, 1000, 2);
        v->vx = 30;
        v->vy = 40;
        ASSERT_TRUE(v->OnHit(r.kind, 10, 1, a)) << r.kind;
        EXPECT_EQ(v->hp, 90) << r.kind;
        EXPECT_EQ(w.s.Sounds(), r.sound < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{r.sound}) << r.kind;
        EXPECT_EQ(v->frame, r.hurt ? 10 : ScenarioBody::kState) << r.kind;
        EXPECT_EQ(v->facing, r.hurt ? -1 : 1) << r.kind;
        EXPECT_EQ(v->vx, r.hurt ? 0 : 30) << r.kind;
        EXPECT_EQ(v->damageFlashTimer, r.flash) << r.kind;
        EXPECT_EQ(v->invulnerableTimer, r.invulnerable) << r.kind;
        EXPECT_EQ(v->hitStop, r.hitStop) << r.kind;
        std::vector<int32_t> sparks;
        for (CCharacter* e : w.Effects()) sparks.push_back(e->frame);
        EXPECT_EQ(sparks, r.sparks) << r.kind;
        const bool lands = r.kind == 1 || r.kind == 2 || r.kind == 3 || (r.kind >= 12 && r.kind <= 14);
        EXPECT_EQ(a->attacksLanded, lands ? 1 : 0) << r.kind;
    }
}

TEST(Attack, LethalReactionsByKind) {
    const std::vector<Lethal> table = {
        {1, 24, true, {20}},  {2, 24, true, {20, 20}}, {3, 24, true, {20, 20}}, {4, -1, true, {}},
        {5, 24, true, {}},    {6, -1, true, {}},       {7, 24, true, {}},       {8, 24, true, {}},
        {9, 24, true, {10}},  {10, 24, true, {}},      {11, 24, true, {30}},    {12, 24, true, {}},
        {13, 58, true, {}},   {14, 58, true, {}},      {15, 24, true, {}},      {16, 24, false, {}},
        {0, 24, true, {}},    {40, 24, true, {}},
    };
    for (const Lethal& r : table) {
        World w;
        CGameMain::GetInstance()->m_frameCount = 3;  // kind 8 sounds on every lethal hit
        ScenarioBody* a = w.Attacker(1000, 1000);
        ScenarioBody* v = w.Victim(1000, 1000, 2);
        ASSERT_TRUE(v->OnHit(r.kind, 500, 1, a)) << r.kind;
        EXPECT_EQ(v->hp, 0) << r.kind;
        EXPECT_EQ(w.s.Sounds(), r.sound < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{r.sound}) << r.kind;
        EXPECT_EQ(v->frame, r.defeat ? 110 : ScenarioBody::kState) << r.kind;
        EXPECT_EQ(v->facing, r.defeat ? -1 : 1) << r.kind;
        EXPECT_EQ(v->damageFlashTimer, 0) << r.kind;
        std::vector<int32_t> sparks;
        for (CCharacter* e : w.Effects()) sparks.push_back(e->frame);
        EXPECT_EQ(sparks, r.sparks) << r.kind;
    }
}

TEST(Attack, SuperArmourTakesDamageButKeepsStateFacingAndSpeed) {
    World w;
    ScenarioBody* a = w.Attacker(1000, 1000);
    ScenarioBody* v = w.Victim(1000, 1000, 2);
    v->superArmor = 1;
    v->hp = 50;
    v->vx = 7;
    v->vy = -3;
    v->OnHit(14, 10, 1, a);
    EXPECT_EQ(v->hp, 40);
    EXPECT_EQ(v->damageFlashTimer, 20);
    EXPECT_EQ(v->hitStop, 6);
    EXPECT_EQ(v->frame, ScenarioBody::kState);
    EXPECT_EQ(v->facing, 1);
    EXPECT_EQ(v->vx, 7);
    EXPECT_EQ(v->vy, -3);
    EXPECT_EQ(w.s.Sounds(), std::vector<int32_t>{58});
    EXPECT_TRUE(w.Effects().empty());
    EXPECT_EQ(a->attacksLanded, 1);

    // Lethal: the defeat state all the same, facing kept.
    v->OnHit(5, 100, 1, a);
    EXPECT_EQ(v->frame, 110);
    EXPECT_EQ(v->facing, 1);
}

TEST(Attack, AContinuousHitSoundsOnlyOnEveryEighthFrame) {
    World w;
    ScenarioBody* a = w.Attacker(1000, 1000);
    ScenarioBody* v = w.Victim(1000, 1000, 2);
    v->hp = 10000;
    std::vector<int32_t> soundedOn;
    for (int32_t f = 1; f <= 24; ++f) {
        CGameMain::GetInstance()->m_frameCount = f;
        const std::size_t before = w.s.Sounds().size();
        v->OnHit(8, 1, 1, a);
        if (w.s.Sounds().size() > before) soundedOn.push_back(f);
    }
    EXPECT_EQ(soundedOn, (std::vector<int32_t>{8, 16, 24}));
    EXPECT_EQ(v->frame, ScenarioBody::kState);
}

TEST(Attack, SparksPointAlongTheBlow) {
    World w;
    ScenarioBody* a = w.Attacker(1300, 600);
    ScenarioBody* v = w.Victim(1000, 1000, 2);
    v->hp = 10000;
    a->attackDirX = 0;
    a->attackDirY = -100;  // striking upward
    v->OnHit(1, 1, 1, a);
    // Non-lethal kind 2: along the line from the victim to the attacker.
    v->ClearInvulnerable();
    v->OnHit(2, 1, 1, a);
    a->vx = 50;
    a->vy = 0;
    v->OnHit(9, 1, 1, a);
    const std::vector<CCharacter*> sparks = w.Effects();
    ASSERT_EQ(sparks.size(), 3u);
    EXPECT_NEAR(sparks[0]->angle, kPi, 1e-9);
    EXPECT_NEAR(sparks[1]->angle, std::atan2(-400.0, 300.0), 1e-9);
    EXPECT_NEAR(sparks[2]->angle, std::atan2(50.0, 0.0) + kPi, 1e-9);
    for (CCharacter* s : sparks) {
        EXPECT_EQ(s->x, v->x);
        EXPECT_EQ(s->y, v->y);
        EXPECT_EQ(s->vx, 0);
        EXPECT_EQ(s->group, 0) << "sparks are never victims";
    }

    // Lethal kind 2: two sparks a quarter turn either side of the line.
    v->hp = 1;
    v->OnHit(2, 5, 1, a);
    const std::vector<CCharacter*> all = w.Effects();
    ASSERT_EQ(all.size(), 5u);
    const double line = std::atan2(300.0, 400.0);
    EXPECT_NEAR(all[3]->angle, line + kPi / 4, 1e-9);
    EXPECT_NEAR(all[4]->angle, line - kPi / 4, 1e-9);
}

TEST(Attack, TheBurstSparkOfKindElevenLandsWithinThreeHundredUnits) {
    bool sawFar = false;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        World w;
        GameSrand(seed);
        ScenarioBody* a = w.Attacker(0, 0);
        ScenarioBody* v = w.Victim(5000, 7000, 2);
        v->OnHit(11, 1, 1, a);
        const std::vector<CCharacter*> sparks = w.Effects();
        ASSERT_EQ(sparks.size(), 1u);
        EXPECT_EQ(sparks[0]->frame, 30);
        EXPECT_LE(std::abs(sparks[0]->x - 5000), 300);
        EXPECT_LE(std::abs(sparks[0]->y - 7000), 300);
        sawFar = sawFar || std::abs(sparks[0]->x - 5000) > 150;
    }
    EXPECT_TRUE(sawFar) << "the spark is scattered, not always at the victim";
}

namespace {

// An attacker of another class with fields of its own right after the
// character's: a kill with kind 1 must leave them alone.
class PlainAttacker : public ScenarioBody {
public:
    PlainAttacker() : ScenarioBody(kBox) {}
    int32_t ownA = 1234;
    int32_t ownB = 5678;
};

}  // namespace

TEST(Attack, AKillOfKindOneRefillsOnlyAPlayersAirDashes) {
    World w;
    auto* player = static_cast<CCharacterPlayer*>(CreateCharacter(1));
    ASSERT_NE(player, nullptr);
    w.s.Add(std::unique_ptr<CCharacter>(player), 1000, 1000);
    player->airDashesMax = 3;
    player->airDashes = 0;
    ScenarioBody* v = w.Victim(1000, 1000, 2);
    v->hp = 5;
    v->OnHit(1, 10, 1, player);
    EXPECT_EQ(player->airDashes, 3);

    // A non-lethal hit refills nothing.
    player->airDashes = 0;
    ScenarioBody* v2 = w.Victim(1000, 1000, 2);
    v2->OnHit(1, 10, 1, player);
    EXPECT_EQ(player->airDashes, 0);

    auto* other = w.s.Add(std::make_unique<PlainAttacker>(), 1000, 1000);
    ScenarioBody* v3 = w.Victim(1000, 1000, 2);
    v3->hp = 5;
    v3->OnHit(1, 10, 1, other);
    EXPECT_EQ(v3->frame, 110);
    EXPECT_EQ(other->ownA, 1234);
    EXPECT_EQ(other->ownB, 5678);
}

TEST(Attack, GuardAndGuardingFramesScaleDamageOfKinds64And70) {
    World w;
    ScenarioBody* v = w.Victim(0, 0, 2);
    EXPECT_EQ(v->ScaleDamage(70, 95), 95);
    EXPECT_EQ(v->ScaleDamage(64, 12), 12);
    v->frame = 40;
    EXPECT_EQ(v->ScaleDamage(70, 95), 9);
    EXPECT_EQ(v->ScaleDamage(64, 12), 12) << "frame 40 guards only against kind 70";
    v->frame = 60;
    EXPECT_EQ(v->ScaleDamage(64, 12), 2);
    EXPECT_EQ(v->ScaleDamage(70, 95), 95);
    v->frame = 1;
    v->guardTimer = 3;
    EXPECT_EQ(v->ScaleDamage(64, 12), 2);
    EXPECT_EQ(v->ScaleDamage(70, -95), -9) << "divisions truncate toward zero";
    EXPECT_EQ(v->ScaleDamage(5, 12), 12);

    // OnHit subtracts the scaled damage.
    ScenarioBody* a = w.Attacker(0, 0);
    v->OnHit(64, 12, 1, a);
    EXPECT_EQ(v->hp, 98);
}
