// Attack effects: spawning and allegiance, bombs and their fragments, the
// returning shot, refused hits, the chains and the drill, links that go
// while a shot flies, and the shots that leave something behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "player/CharacterRobo.h"
#include "support/FailingAllocations.h"
#include "support/Scenario.h"
#include "support/WorldList.h"
#include "win/Sprite.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::InStates;
using testing_support::Listed;
using testing_support::World;

namespace {

constexpr int32_t kForestFill = 20069;
constexpr int32_t kEnemyGroup = 2;



ScenarioBody* AddBody(Scenario& s, int32_t x, int32_t y, int32_t group) {
    auto* b = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-200, 200, -200, 200}), x, y);
    b->group = group;
    return b;
}

// A shot of the given state, fired by a body of the given group.
CCharacterAttackEffect* Shot(ScenarioBody* firer, int32_t state, int32_t x, int32_t y, int32_t vx = 0,
                             int32_t vy = 0) {
    return SpawnAttackEffect(firer, state, firer != nullptr ? firer->facing : 1, x, x, y, y, vx, vx, vy, vy);
}

// Shots watched across frames that may delete them carry a mark (a field
// attack effects never use), so a newcomer at a freed address is not taken
// for them.
constexpr int32_t kMark = 424242;
CCharacter* Marked(CCharacterAttackEffect* shot) {
    shot->score = kMark;
    return shot;
}
CCharacter* FindMarked() {
    for (CCharacter* c : InStates(0, 99999))
        if (c->score == kMark) return c;
    return nullptr;
}

}  // namespace

TEST(SpawnAttackEffect, TakesTheFirersGroupAndHurtsOnlyTheOthers) {
    Scenario s({"........"}, {});
    ScenarioBody* player = AddBody(s, 1000, 400, 1);
    ScenarioBody* enemy = AddBody(s, 1000, 400, kEnemyGroup);
    ScenarioBody* other = AddBody(s, 1000, 400, 1 | 4);
    CCharacterAttackEffect* shot = SpawnAttackEffect(player, 300, -1, 1200, 800, 400, 400, 0, 0, 0, 0);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->group, 1);
    EXPECT_EQ(shot->facing, -1);
    EXPECT_GE(shot->x, 800);
    EXPECT_LE(shot->x, 1200);
    EXPECT_EQ(shot->typeId, 40000);
    EXPECT_EQ(shot->layer, 184);
    EXPECT_FALSE(shot->IsTargetable());
    shot->x = 1000;
    s.Run(1);
    EXPECT_EQ(player->hp, 100);  // never its own side
    EXPECT_EQ(enemy->hp, 50);
    EXPECT_EQ(other->hp, 50);    // a group bit the firer lacks
}

TEST(AttackEffectSetUp, StatesSetTheirTypeIdsScalesAndFallRates) {
    // Every band of the set-up: type id, scale, alpha, layer, fall rate,
    // the speed it leaves (a shot that aims at the player 1000 to its right
    // flies right at its speed; one that stops keeps none) and its sound.
    struct Row {
        int32_t state;
        int32_t typeId;
        double scale;
        int32_t alpha, layer, maxFall, gravityNum;
        int32_t vx, vy;
        int32_t sound;
    };
    // Before the set-up: scale 1.0, alpha 255, layer 184, fall 1 at 1/1,
    // moving at (30, -30).
    const Row rows[] = {
        {230, 40000, 2.0, 255, 184, 100, 6, 30, -30, -1},
        {330, 40000, 2.0, 255, 184, 100, 6, 30, -30, -1},
        {690, 40000, 2.0, 255, 184, 100, 6, 30, -30, -1},
        {270, 40020, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {280, 40020, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {290, 40010, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {291, 40010, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {412, 40000, 2.0, 192, 184, 1, 1, 50, 0, -1},
        {425, 40000, 2.0, 192, 184, 1, 1, 50, 0, -1},
        {543, 40000, 2.0, 192, 184, 1, 1, 50, 0, -1},
        {440, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {450, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {490, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {562, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {650, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {661, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {720, 40000, 2.0, 255, 184, 200, 6, 30, -30, -1},
        {522, 40000, 1.0, 255, 184, 1, 1, 0, 0, -1},
        {651, 40000, 1.0, 255, 184, 1, 1, 0, 0, -1},
        {524, 40000, 1.0, 255, 184, 1, 1, 60, 0, -1},
        {550, 40000, 0.0, 255, 136, 1, 1, 30, -30, -1},
        {590, 40000, 2.0, 0, 136, 1, 1, 30, -30, -1},
        {600, 40000, 2.0, 0, 136, 1, 1, 30, -30, -1},
        {593, 40000, 1.0, 255, 184, 1, 1, 30, -30, 10},
        {602, 40000, 1.0, 255, 184, 1, 1, 30, -50, -1},
        {603, 40000, 1.0, 255, 184, 1, 1, 30, 200, 10},
        {610, 40000, 2.0, 255, 151, 1, 1, 30, -30, -1},
        {620, 40000, 2.0, 255, 151, 1, 1, 30, -30, -1},
        {630, 40000, 2.0, 192, 184, 1, 1, 30, -30, -1},
        {640, 40000, 2.0, 192, 184, 1, 1, 30, -30, -1},
        {730, 40000, 2.0, 192, 184, 1, 1, 30, -30, -1},
        {652, 40000, 1.0, 255, 184, 1, 1, 50, 0, -1},
        {680, 40000, 8.0, 255, 184, 1, 1, 30, -30, -1},
        {751, 40000, 1.0, 255, 184, 1, 1, 80, 0, -1},
        {240, 40000, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {384, 40000, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {581, 40000, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {770, 40000, 2.0, 255, 184, 1, 1, 30, -30, -1},
        {530, 40000, 1.0, 255, 184, 1, 1, 30, -30, -1},  // nothing of its own
        {321, 40000, 1.0, 255, 184, 1, 1, 30, -30, -1},
    };
    for (const Row& r : rows) {
        Scenario s({"............"}, {});
        ScenarioBody* player = AddBody(s, 2000, 400, 1);
        s.SetPlayer(player);
        CCharacterAttackEffect e;
        e.x = 1000;
        e.y = 400;
        e.vx = 30;
        e.vy = -30;
        e.SetState(r.state);
        EXPECT_EQ(e.frame, r.state) << r.state;
        EXPECT_EQ(e.typeId, r.typeId) << r.state;
        EXPECT_DOUBLE_EQ(e.scaleX, r.scale) << r.state;
        EXPECT_DOUBLE_EQ(e.scaleY, r.scale) << r.state;
        EXPECT_EQ(e.alpha, r.alpha) << r.state;
        EXPECT_EQ(e.layer, r.layer) << r.state;
        EXPECT_EQ(e.maxFall, r.maxFall) << r.state;
        EXPECT_EQ(e.gravityNum, r.gravityNum) << r.state;
        EXPECT_EQ(e.gravityDen, 1) << r.state;
        EXPECT_EQ(e.vx, r.vx) << r.state;
        EXPECT_EQ(e.vy, r.vy) << r.state;
        EXPECT_FALSE(e.IsTargetable()) << r.state;
        EXPECT_EQ(s.Sounds(), r.sound < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{r.sound}) << r.state;
    }
    // Without a player the aimed shots keep their speed.
    Scenario s({"............"}, {});
    CCharacterAttackEffect aimed;
    aimed.vx = 30;
    aimed.SetState(751);
    EXPECT_EQ(aimed.vx, 30);
}

// --- What each shot strikes with, and where it goes ------------------------------------

namespace {

// A victim that records every hit it is dealt and takes no harm.
class Victim : public ScenarioBody {
public:
    Victim() : ScenarioBody(Box{-200, 200, -200, 200}) { group = 1; }
    bool OnHit(int32_t kind, int32_t damage, int32_t, CCharacter*) override {
        hits.push_back({kind, damage});
        return true;
    }
    std::vector<std::pair<int32_t, int32_t>> hits;
};

}  // namespace

TEST(AttackEffectStrike, EachShotHitsWithItsKindAndDamageAndSomeStopThere) {
    // after: the frame it is in after the frame of its hit; -1 still in
    // flight (its own band), 0 gone. Kind 0: it strikes nothing (the wind's
    // blades).
    struct Row {
        int32_t frame, kind, damage, after;
    };
    const Row rows[] = {
        {230, 4, 400, 232},  {240, 5, 100, 0},    {250, 6, 100, 0},   {260, 7, 400, -1},
        {280, 0, 0, -1},     {281, 0, 0, -1},
        {290, 8, 5, -1},     {291, 10, 50, -1},   {300, 15, 50, -1},  {310, 30, 100, -1}, {320, 15, 50, -1},
        {330, 15, 50, 331},  {331, 15, 50, -1},   {340, 15, 50, -1},  {350, 15, 50, -1},  {360, 15, 50, -1},
        {370, 15, 50, -1},   {380, 15, 50, -1},   {384, 15, 50, -1},  {390, 15, 50, -1},  {400, 15, 50, -1},
        {410, 15, 50, -1},   {412, 15, 50, -1},   {420, 15, 50, -1},  {425, 15, 50, -1},  {430, 15, 50, -1},
        {431, 15, 50, -1},   {450, 15, 50, 0},    {500, 15, 100, -1}, {510, 15, 100, -1}, {520, 15, 50, -1},
        {522, 15, 50, -1},   {524, 15, 50, -1},   {530, 15, 200, -1}, {540, 15, 100, -1}, {543, 15, 100, -1},
        {550, 15, 100, -1},  {560, 15, 100, 0},   {570, 15, 100, -1}, {580, 15, 50, -1},  {593, 15, 50, -1},
        {603, 15, 50, -1},   {604, 15, 50, -1},   {610, 12, 100, -1}, {640, 15, 50, -1},  {650, 15, 100, -1},
        {652, 15, 100, -1},  {660, 15, 50, 0},    {670, 15, 100, -1}, {680, 15, 200, -1}, {690, 15, 100, 691},
        {700, 15, 100, 703}, {701, 15, 100, 703}, {702, 15, 100, 703}, {710, 17, 100, 0},  {720, 17, 100, 0},
        {730, 25, 100, 0},   {740, 20, 100, 0},   {751, 26, 100, -1}, {760, 27, 100, 0},  {770, 28, 100, -1},
    };
    for (const Row& r : rows) {
        Scenario s({"............", "............"}, {});
        ScenarioBody* firer = AddBody(s, 1600, 400, kEnemyGroup);
        firer->controlled = 1;
        Victim* victim = s.Add(std::make_unique<Victim>(), 1600, 400);
        s.SetPlayer(victim);
        CCharacterAttackEffect* shot = Shot(firer, r.frame, 1600, 400);
        shot->linksA[0] = firer;
        shot->attackDirX = 1000;  // the returning shot's limit
        Marked(shot);
        s.Run(1);
        if (r.kind == 0) {
            EXPECT_TRUE(victim->hits.empty()) << r.frame;
            EXPECT_NE(FindMarked(), nullptr) << r.frame;
            continue;
        }
        ASSERT_FALSE(victim->hits.empty()) << r.frame;
        EXPECT_EQ(victim->hits.size(), 1u) << r.frame;  // one strike a frame
        EXPECT_EQ(victim->hits.front(), std::make_pair(r.kind, r.damage)) << r.frame;
        CCharacter* left = FindMarked();
        EXPECT_EQ(left != nullptr, r.after != 0) << r.frame;
        if (r.after > 0 && left != nullptr) {
            EXPECT_EQ(left->frame, r.after) << r.frame;
        }
    }
}

TEST(AttackEffectLeaving, EachShotGoesByItsOwnTestOfTheView) {
    // The view is 4800 wide from x -800; the spawn window reaches 1600
    // further; the stage is as wide as its grid.
    enum Rule { kOffScreen, kNotNear, kOffMap, kNever };
    struct Row {
        int32_t frame;
        Rule rule;
    };
    const Row rows[] = {
        {230, kNotNear},  {240, kOffScreen}, {250, kOffScreen}, {260, kOffScreen}, {270, kOffScreen},
        {280, kNever},    {290, kOffScreen}, {291, kOffScreen}, {300, kOffMap},    {310, kNotNear},
        {320, kOffMap},   {330, kOffScreen}, {331, kOffScreen}, {340, kOffMap},    {350, kOffMap},
        {360, kNever},    {370, kOffMap},    {380, kOffMap},    {384, kOffMap},    {390, kOffScreen},
        {400, kOffMap},   {410, kOffMap},    {412, kOffMap},    {420, kOffScreen}, {423, kOffScreen},
        {430, kNever},    {431, kOffMap},    {470, kNotNear},   {480, kNotNear},   {561, kNotNear},
        {663, kNotNear},  {500, kOffScreen}, {510, kOffScreen}, {520, kNever},     {522, kNever},
        {524, kNotNear},  {530, kNotNear},   {540, kOffScreen}, {543, kOffScreen}, {550, kNever},
        {570, kOffScreen}, {580, kOffScreen}, {640, kOffMap},   {650, kNever},     {652, kOffScreen},
        {670, kOffScreen}, {680, kOffScreen}, {690, kOffScreen}, {700, kOffScreen}, {710, kOffScreen},
        {720, kOffScreen}, {730, kOffScreen}, {740, kOffScreen}, {750, kNever},    {751, kOffMap},
        {760, kOffMap},   {770, kOffScreen},
    };
    // Off screen but near, inside the stage; not near but inside the stage;
    // not near and off the stage.
    struct Place {
        int32_t x;
        std::string grid;
        std::vector<Rule> gone;
    };
    const Place places[] = {
        {6000, std::string(16, '.'), {kOffScreen}},
        {8000, std::string(21, '.'), {kOffScreen, kNotNear}},
        {8000, std::string(16, '.'), {kOffScreen, kNotNear, kOffMap}},
    };
    for (const Place& p : places)
        for (const Row& r : rows) {
            Scenario s({p.grid}, {});
            ScenarioBody* firer = AddBody(s, p.x, 200, kEnemyGroup);
            firer->controlled = 1;
            CCharacterAttackEffect* shot = Shot(firer, r.frame, p.x, 200);
            shot->linksA[0] = firer;
            shot->attackDirX = 1000;
            Marked(shot);
            s.Run(1);
            const bool gone = std::find(p.gone.begin(), p.gone.end(), r.rule) != p.gone.end();
            EXPECT_EQ(FindMarked() != nullptr, !gone) << r.frame << " at " << p.x << " in " << p.grid.size();
        }
}

// --- Bombs -----------------------------------------------------------------------

TEST(Bomb, ABombLandingBurstsIntoEighteenFragmentsWithItsSound) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* bomb = Shot(boss, 450, 1600, 900, 0, 40);
    int frames = 0;
    while (Listed(bomb) && frames < 60) {
        s.Run(1);
        ++frames;
    }
    ASSERT_FALSE(Listed(bomb));
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 47), 1);
    std::map<int32_t, int32_t> kinds;
    for (CCharacter* f : InStates(470, 499)) {
        ++kinds[f->frame];
        EXPECT_EQ(f->group, kEnemyGroup);
        EXPECT_LE(std::abs(f->vx), 40 + 6);
        EXPECT_LE(f->vy, 0);  // thrown up off the ground (or already stopped on it)
    }
    EXPECT_EQ(kinds, (std::map<int32_t, int32_t>{{470, 6}, {480, 6}, {490, 6}}));
}

TEST(Bomb, FragmentsFlyAwayFromTheWallTheBombMet) {
    Scenario s({"#.......", "#.......", "#.......", "#......."}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 3000, 200, kEnemyGroup);
    CCharacterAttackEffect* bomb = Shot(boss, 450, 800, 600, -100, -40);
    s.Run(4);
    ASSERT_FALSE(Listed(bomb));
    const std::vector<CCharacter*> fragments = InStates(470, 499);
    ASSERT_EQ(fragments.size(), 18u);
    for (CCharacter* f : fragments) {
        EXPECT_GE(f->vx, 0);  // all to the right, away from the wall on the left
        EXPECT_LE(f->vx, 40);
    }
}

TEST(Bomb, ADefeatedFallingStoneBurstsWithBothSoundsAnythingElseJustGoes) {
    Scenario s({"........"}, {});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* stone = Shot(boss, 460, 1600, 200);
    stone->SetState(110);
    EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{31, 47}));
    EXPECT_EQ(InStates(470, 499).size(), 18u);
    EXPECT_EQ(stone->frame, 0);
    s.Run(1);
    EXPECT_FALSE(Listed(stone));

    s.ClearSounds();
    CCharacterAttackEffect* shot = Shot(boss, 300, 1600, 200);
    shot->SetState(150);
    EXPECT_TRUE(s.Sounds().empty());
    EXPECT_EQ(shot->frame, 0);
    EXPECT_EQ(InStates(470, 499).size(), 18u);

    // Each falling bomb bursts into its own fragments; a state between the
    // tenths is no defeat.
    struct Row {
        int32_t bomb, defeat, first, last;
    };
    const Row rows[] = {{460, 200, 470, 490}, {560, 130, 561, 563}, {660, 170, 661, 663}};
    for (const Row& r : rows) {
        Scenario field({"........"}, {});
        ScenarioBody* owner = AddBody(field, 200, 200, kEnemyGroup);
        CCharacterAttackEffect* bomb = Shot(owner, r.bomb, 1600, 200);
        bomb->SetState(r.defeat);
        EXPECT_EQ(bomb->frame, 0) << r.bomb;
        EXPECT_EQ(field.Sounds(), (std::vector<int32_t>{31, 47})) << r.bomb;
        EXPECT_EQ(InStates(r.first, r.last).size(), 18u) << r.bomb;
        for (CCharacter* f : InStates(r.first, r.last)) {
            EXPECT_LE(std::abs(f->x - 1600), 100);
            EXPECT_GE(f->vx, -40);
            EXPECT_LE(f->vx, 40);
            EXPECT_GE(f->vy, -80);
            EXPECT_LE(f->vy, -20);
        }
        CCharacterAttackEffect* other = Shot(owner, r.bomb, 1600, 200);
        other->SetState(115);
        EXPECT_EQ(other->frame, 115) << r.bomb;
        EXPECT_EQ(InStates(r.first, r.last).size(), 18u) << r.bomb;
    }
}

TEST(Bomb, ThePlayersBombShakesExplodesAndThrowsFirePuffs) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
    ScenarioBody* player = AddBody(s, 200, 200, 1);
    CCharacterAttackEffect* bomb = Shot(player, CCharacterAttackEffect::kThrownBomb, 1600, 900, 0, 20);
    int frames = 0;
    while (bomb->frame == CCharacterAttackEffect::kThrownBomb && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(bomb->frame, 232);
    EXPECT_EQ(bomb->vy, 0);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 17), 1);
    EXPECT_GE(CEffect::GetInstance()->m_shakeFrames, 59);
    s.Run(3);
    const std::vector<CCharacter*> puffs = InStates(CCharacterEffect::kExplosionPuff, CCharacterEffect::kExplosionPuff + 9);
    EXPECT_EQ(puffs.size(), 3u);
    for (CCharacter* p : puffs) {
        EXPECT_LE(std::abs(p->x - bomb->x), 200);
        EXPECT_DOUBLE_EQ(p->scaleX, 2.0);
    }
    s.Run(20);
    EXPECT_FALSE(Listed(bomb));
}

// --- Shots -------------------------------------------------------------------------

TEST(ReturningShot, VanishesInTheFrameItsSpeedFirstExceedsItsLimit) {
    Scenario s({"............"}, {});
    ScenarioBody* kappa = AddBody(s, 2000, 200, kEnemyGroup);
    kappa->facing = 1;
    CCharacterAttackEffect* dish = Shot(kappa, CCharacterAttackEffect::kReturningShot, 2200, 200, 60, 0);
    dish->attackDirX = 100;
    // It slows by 2 a frame, turns round and comes back faster.
    int frames = 0;
    while (Listed(dish) && frames < 200) {
        EXPECT_LE(std::abs(dish->vx), 100);
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(frames, 81);  // 60 - 2 x 81 = -102: the first speed above 100
}

TEST(RefusedHits, EnemyShotsTakeNoDamageAndVanishOnlyToKindEight) {
    Scenario s({"........"}, {});
    ScenarioBody* enemy = AddBody(s, 200, 200, kEnemyGroup);
    ScenarioBody* player = AddBody(s, 3000, 200, 1);
    CCharacterAttackEffect* shot = Shot(enemy, 300, 1600, 200);
    EXPECT_FALSE(shot->OnHit(1, 500, 1, player));
    EXPECT_FALSE(shot->OnHit(2, 500, 1, player));
    EXPECT_EQ(shot->frame, 300);
    EXPECT_EQ(shot->hp, 0);
    EXPECT_FALSE(shot->OnHit(8, 5, 1, player));
    EXPECT_EQ(shot->frame, 0);

    // A falling stone refuses the katana's strikes but breaks to others.
    CCharacterAttackEffect* stone = Shot(enemy, 460, 1600, 200);
    EXPECT_FALSE(stone->OnHit(2, 100, 1, player));
    EXPECT_FALSE(stone->OnHit(3, 100, 1, player));
    EXPECT_EQ(stone->frame, 460);
    EXPECT_TRUE(stone->OnHit(5, 100, 1, player));
    EXPECT_EQ(stone->frame, 0);
    // An arrow is cut down by any hit.
    CCharacterAttackEffect* arrow = Shot(enemy, 710, 1600, 200);
    EXPECT_TRUE(arrow->OnHit(4, 1, 1, player));
    EXPECT_EQ(arrow->frame, 0);
}

TEST(HomingShot, SteersToItsTargetAndBurstsOnIt) {
    Scenario s({"............", "............"}, {});
    ScenarioBody* player = AddBody(s, 400, 400, 1);
    ScenarioBody* enemy = AddBody(s, 3000, 200, kEnemyGroup);
    CCharacterAttackEffect* star = Shot(player, CCharacterAttackEffect::kShuriken, 600, 400, 200, -20);
    star->linksA[0] = enemy;
    int frames = 0;
    while (Listed(star) && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_LT(frames, 60);
    EXPECT_EQ(enemy->hp, 0);  // kind 5, damage 100
    // It leaves a burst of its own picture that swells as it fades.
    const std::vector<CCharacter*> burst = InStates(CCharacterEffect::kAfterimage, CCharacterEffect::kAfterimage);
    ASSERT_FALSE(burst.empty());
    EXPECT_GT(burst.back()->scaleXRate, 0.0);
    EXPECT_EQ(burst.back()->CurrentRecord().textureId, 57);
}

TEST(Missile, LeavesExplosionsTurnedBackAlongItsFlight) {
    Scenario s({"............"}, {});
    ScenarioBody* tank = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* missile = Shot(tank, 680, 1000, 200, 200, 0);
    s.Run(2);
    const std::vector<CCharacter*> puffs = InStates(CCharacterAttackEffect::kExplosion, 589);
    ASSERT_EQ(puffs.size(), 2u);
    EXPECT_NEAR(missile->angle, std::acos(-1.0) / 2, 1e-9);
    EXPECT_NEAR(puffs[0]->angle, missile->angle + std::acos(-1.0), 1e-9);
    EXPECT_EQ(puffs[0]->layer, missile->layer);
    EXPECT_EQ(puffs[0]->group, kEnemyGroup);
}

TEST(Sweep, TheGreatFanFadesInFindsThePlayersBandAndSweeps) {
    Scenario s({"............", "............", "............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 700, 1000, 1);
    s.SetPlayer(player);
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* fan = Shot(boss, 590, 400, 1500);
    fan->facing = 1;
    s.Run(16);
    EXPECT_EQ(fan->alpha, 255);  // 16 a frame, the last step clamped
    EXPECT_EQ(fan->frame, 591);
    s.Run(39);
    EXPECT_EQ(fan->y, 1020);  // 15 a frame into the band from 800 to 1020
    EXPECT_EQ(fan->frame, 591);
    s.Run(1);
    EXPECT_EQ(fan->frame, 593);  // wound up and off at once
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 10), 1);
    const int32_t x = fan->x;
    s.Run(1);
    EXPECT_GT(fan->x, x);
    EXPECT_LT(player->hp, 100);
}

// --- Chains, the drill and links that go --------------------------------------------

namespace {

// A player whose state changes the chains ask for are recorded.
class Thrower : public CCharacterRobo {
public:
    void SetState(int32_t state) override {
        states.push_back(state);
        CCharacterRobo::SetState(state);
    }
    std::vector<int32_t> states;
};

}  // namespace

TEST(Chain, AnchorsOnItsDestinationPullsItsThrowerAndCountsItsHits) {
    Scenario s({"............", "............"}, {});
    Thrower* thrower = s.Add(std::make_unique<Thrower>(), 400, 400);
    thrower->gravityNum = 0;  // it hangs where it threw from
    s.SetPlayer(thrower);
    ScenarioBody* enemy = AddBody(s, 1000, 400, kEnemyGroup);
    CCharacterAttackEffect* chain = SpawnAttackEffect(thrower, CCharacterAttackEffect::kMoveChain, 1, 400, 400, 400,
                                                      400, 300, 300, 0, 0);
    chain->linksA[0] = thrower;
    chain->attackDirX = 2400;
    chain->attackDirY = 500;
    if (FrameRecord* r = chain->frameTable.Find(chain->frame)) r->stateDuration = 6;
    thrower->states.clear();
    s.Run(3);
    EXPECT_EQ(enemy->hp, 0);                // kind 12, damage 100
    EXPECT_EQ(thrower->GetCombo(), 1);      // its hit counts for the thrower
    EXPECT_GT(chain->CurrentRecord().spriteBottom, 7);  // the chain reaches back
    s.Run(3);
    EXPECT_EQ(chain->frame, 611);
    EXPECT_EQ(chain->x, 2400);
    EXPECT_EQ(chain->y, 500);
    EXPECT_EQ(chain->vx, 0);
    ASSERT_FALSE(thrower->states.empty());
    EXPECT_EQ(thrower->states.back(), 322);
    EXPECT_EQ(std::count(thrower->states.begin(), thrower->states.end(), 322), 1);
    // Pointing away from the thrower, the chain as long as the distance.
    EXPECT_NEAR(chain->angle, std::atan2(2000.0, -100.0), 1e-9);
    EXPECT_EQ(chain->CurrentRecord().spriteBottom, static_cast<int32_t>(std::hypot(2000.0, 100.0) / 20));
}

TEST(Chain, AChainWhoseThrowerIsGoneGoesToo) {
    Scenario s({"............"}, {});
    Thrower* thrower = s.Add(std::make_unique<Thrower>(), 400, 200);
    CCharacterAttackEffect* chain =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kMoveChain, 1, 400, 400, 200, 200, 100, 100, 0, 0);
    chain->linksA[0] = thrower;
    CCharacterAttackEffect* hook =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kHomingChain, 1, 400, 400, 200, 200, 100, 100, 0, 0);
    hook->linksA[0] = thrower;
    ScenarioBody* enemy = AddBody(s, 3000, 200, kEnemyGroup);
    thrower->target = enemy;
    s.Run(2);
    ASSERT_TRUE(Listed(chain));
    ASSERT_TRUE(Listed(hook));
    EXPECT_GT(hook->vx, 250);  // aimed at the touched enemy at 300
    // The enemy goes: the hook has nothing to hold.
    enemy->alive = 0;
    thrower->target = nullptr;
    s.Run(1);
    EXPECT_FALSE(Listed(hook));
    // The thrower goes mid-flight: the chain does not read through the gone link.
    thrower->alive = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(chain));
    // Arriving without a thrower: no one to pull, it goes at once.
    CCharacterAttackEffect* late = SpawnAttackEffect(nullptr, CCharacterAttackEffect::kMoveChainAnchored, 1, 0, 0, 0,
                                                     0, 0, 0, 0, 0);
    EXPECT_EQ(late->frame, 0);
}

TEST(CirclingShot, SpiralsAboutItsFirerAndGoesWithIt) {
    Scenario s({"............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 2400, 600, 1);
    player->controlled = 1;
    CCharacterAttackEffect* orb = Shot(player, CCharacterAttackEffect::kCircling, 2400, 520, 20, 0);
    orb->linksA[0] = player;
    std::vector<double> radii;
    for (int i = 0; i < 6; ++i) {
        s.Run(1);
        radii.push_back(std::hypot(orb->parentOffsetX, orb->parentOffsetY));
    }
    for (std::size_t i = 1; i < radii.size(); ++i) EXPECT_GT(radii[i], radii[i - 1]);
    EXPECT_EQ(orb->x, player->x + orb->parentOffsetX + orb->vx);
    // Its firer lets go of the controls: it goes.
    player->controlled = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(orb));
    // A firer gone mid-flight: it goes instead of reading through the link.
    player->controlled = 1;
    CCharacterAttackEffect* second = Shot(player, CCharacterAttackEffect::kCircling, 2400, 520, 20, 0);
    second->linksA[0] = player;
    player->alive = 0;
    s.Run(1);
    EXPECT_FALSE(Listed(second));
}

TEST(Drill, TheBlowAddsTheRobosBonusOnlyAndShakesByTheSetting) {
    for (bool robo : {true, false}) {
        Scenario s({"............"}, {});
        CGameMain* game = CGameMain::GetInstance();
        game->m_vibration = 0;
        CEffect::GetInstance()->ResetScreenEffects();
        CEffect::GetInstance()->m_shakeFrames = 0;
        Thrower* player = s.Add(std::make_unique<Thrower>(), 400, 200);
        player->weaponBonus = 50;
        s.SetPlayer(player);
        ScenarioBody* firer = robo ? nullptr : AddBody(s, 400, 200, 1);
        ScenarioBody* enemy = AddBody(s, 1000, 200, kEnemyGroup);
        enemy->hp = enemy->hpMax = 5000;
        CCharacterAttackEffect* drill = SpawnAttackEffect(robo ? static_cast<CCharacter*>(player) : firer,
                                                          CCharacterAttackEffect::kDrill, 1, 1000, 1000, 200, 200, 0,
                                                          0, 0, 0);
        drill->linksA[0] = robo ? static_cast<CCharacter*>(player) : firer;
        s.Run(5);  // 630 -2-> 631 -2-> 632: the blow
        EXPECT_EQ(enemy->hp, robo ? 5000 - 3100 : 5000 - 3000) << robo;
        EXPECT_EQ(player->invulnerableTimer > 0, true) << robo;
        EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0) << robo;
        EXPECT_EQ(robo ? player->GetCombo() : 0, robo ? 1 : 0);
    }
    // The shake by the vibration setting: 0 normal, 1 strong, 2 none, 3 mild.
    struct Row {
        int32_t vibration;
        bool shakes;
        int32_t lowY, highY, decay;
    };
    const Row rows[] = {
        {0, true, -10, 10, 3},
        {1, true, -10, 10, 0},
        {2, false, 0, 0, 0},
        {3, true, -5, 5, 1},
    };
    for (const Row& r : rows) {
        Scenario s({"............"}, {});
        CGameMain::GetInstance()->m_vibration = r.vibration;
        CEffect* screen = CEffect::GetInstance();
        screen->ResetScreenEffects();
        screen->m_shakeFrames = 0;
        screen->m_shakeLowY = screen->m_shakeHighY = screen->m_shakeDecay = 0;
        ScenarioBody* firer = AddBody(s, 400, 200, 1);
        ScenarioBody* enemy = AddBody(s, 1000, 200, kEnemyGroup);
        enemy->hp = enemy->hpMax = 5000;
        CCharacterAttackEffect* drill =
            SpawnAttackEffect(firer, CCharacterAttackEffect::kDrill, 1, 1000, 1000, 200, 200, 0, 0, 0, 0);
        drill->linksA[0] = firer;
        drill->SetState(632);  // the blow, looked at before the screen moves
        EXPECT_EQ(enemy->hp, 2000) << r.vibration;
        EXPECT_EQ(drill->hitStop, 6) << r.vibration;
        EXPECT_EQ(screen->m_shakeFrames, r.shakes ? 20 : 0) << r.vibration;
        EXPECT_EQ(screen->m_shakeLowY, r.lowY) << r.vibration;
        EXPECT_EQ(screen->m_shakeHighY, r.highY) << r.vibration;
        EXPECT_EQ(screen->m_shakeDecay, r.decay) << r.vibration;
    }
    CGameMain::GetInstance()->m_vibration = 0;
    // A blow that meets no one shakes nothing and holds no one.
    Scenario s({"............"}, {});
    CEffect::GetInstance()->ResetScreenEffects();
    CEffect::GetInstance()->m_shakeFrames = 0;
    ScenarioBody* firer = AddBody(s, 400, 200, 1);
    s.SetPlayer(firer);
    CCharacterAttackEffect* drill =
        SpawnAttackEffect(firer, CCharacterAttackEffect::kDrill, 1, 3000, 3000, 200, 200, 0, 0, 0, 0);
    drill->linksA[0] = firer;
    s.Run(5);
    EXPECT_EQ(CEffect::GetInstance()->m_shakeFrames, 0);
    EXPECT_EQ(firer->invulnerableTimer, 0);
}

// --- Fades, end frames and the hits a shot takes ------------------------------------

TEST(AttackEffectFade, FadersLoseSixteenAFrameAndEndFramesGoAtOnce) {
    // frames: how many updates until it is gone (alpha 255 falls by 16 a
    // frame and goes below 0 on the sixteenth; from 240 it stays a frame
    // at 0 first); step: what it loses a frame. The fading wind blade loses
    // 64 and its records end it on the fourth.
    struct Row {
        int32_t frame, start, frames, step;
    };
    const Row rows[] = {
        {362, 255, 16, 16}, {363, 255, 16, 16}, {605, 255, 16, 16}, {362, 240, 16, 16}, {605, 240, 16, 16},
        {281, 255, 4, 64},  {371, 255, 1, 0},   {382, 255, 1, 0},   {383, 255, 1, 0},   {386, 255, 1, 0},
        {387, 255, 1, 0},
    };
    for (const Row& r : rows) {
        Scenario s({"............"}, {});
        ScenarioBody* firer = AddBody(s, 200, 200, kEnemyGroup);
        CCharacterAttackEffect* shot = Shot(firer, r.frame, 1600, 200);
        shot->alpha = r.start;
        s.Run(r.frames - 1);
        ASSERT_TRUE(Listed(shot)) << r.frame;
        if (r.frames > 1) {
            EXPECT_EQ(shot->alpha, r.start - r.step * (r.frames - 1)) << r.frame;
        }
        s.Run(1);
        EXPECT_FALSE(Listed(shot)) << r.frame;
    }
}

TEST(AttackEffectOnHit, EachFrameTakesOrRefusesTheHitsByKind) {
    // result: what OnHit returns; after: the frame afterwards (0 gone);
    // sounds as they play.
    struct Row {
        int32_t frame, kind;
        bool result;
        int32_t after;
        std::vector<int32_t> sounds;
    };
    const Row rows[] = {
        {310, 1, false, 310, {}},   {336, 2, false, 336, {}},   {425, 8, false, 0, {}},
        {300, 1, false, 300, {}},   {321, 1, false, 321, {}},   {330, 1, false, 330, {}},
        {350, 1, false, 350, {}},   {363, 1, false, 363, {}},   {371, 1, false, 371, {}},
        {387, 1, false, 387, {}},   {390, 1, false, 390, {}},   {401, 1, false, 401, {}},
        {413, 1, false, 413, {}},   {431, 1, false, 431, {}},   {500, 1, false, 500, {}},
        {510, 1, false, 510, {}},   {525, 1, false, 525, {}},   {540, 1, false, 540, {}},
        {580, 1, false, 580, {}},   {642, 1, false, 642, {}},   {650, 1, false, 650, {}},
        {670, 1, false, 670, {}},   {690, 1, false, 690, {}},   {700, 1, false, 700, {}},
        {545, 5, false, 545, {}},   {652, 8, false, 0, {}},     {696, 3, false, 696, {}},
        {708, 8, false, 0, {}},     {660, 2, false, 660, {}},   {660, 3, false, 660, {}},
        {660, 8, false, 0, {}},     {560, 2, false, 560, {}},   {560, 3, false, 560, {}},
        {1201, 2, true, 1202, {31}},
        {1201, 8, true, 1202, {31}},
    };
    for (const Row& r : rows) {
        Scenario s({"............"}, {});
        ScenarioBody* enemy = AddBody(s, 200, 200, kEnemyGroup);
        ScenarioBody* player = AddBody(s, 3000, 200, 1);
        CCharacterAttackEffect* shot = Shot(enemy, r.frame, 1600, 200);
        EXPECT_EQ(shot->OnHit(r.kind, 100, 1, player), r.result) << r.frame << " kind " << r.kind;
        EXPECT_EQ(shot->frame, r.after) << r.frame << " kind " << r.kind;
        EXPECT_EQ(s.Sounds(), r.sounds) << r.frame << " kind " << r.kind;
        EXPECT_EQ(InStates(470, 499).size() + InStates(561, 563).size() + InStates(661, 663).size(), 0u) << r.frame;
    }
    // The dark bomb is not cleared by kind 8: the blow defeats it and it
    // bursts with both sounds.
    Scenario s({"............"}, {});
    ScenarioBody* enemy = AddBody(s, 200, 200, kEnemyGroup);
    ScenarioBody* player = AddBody(s, 3000, 200, 1);
    CCharacterAttackEffect* bomb = Shot(enemy, 560, 1600, 200);
    EXPECT_TRUE(bomb->OnHit(8, 5, 1, player));
    EXPECT_EQ(bomb->frame, 0);
    EXPECT_EQ(InStates(561, 563).size(), 18u);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 31), 1);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 47), 1);
}

TEST(AttackEffectOnHit, OnlyTheChainsAndTheDrillPassALandedHitToTheirThrower) {
    struct Row {
        int32_t frame;
        int32_t landed;
    };
    const Row rows[] = {
        {610, 1}, {611, 1}, {620, 1}, {621, 1}, {630, 1}, {632, 1}, {634, 1},
        {300, 0}, {612, 0}, {635, 0}, {240, 0},
    };
    for (const Row& r : rows) {
        CCharacterAttackEffect e;
        ScenarioBody thrower(ScenarioBody::Box{-100, 100, -100, 100});
        e.frame = r.frame;
        e.linksA[0] = &thrower;
        e.OnAttackLanded();
        EXPECT_EQ(thrower.attacksLanded, r.landed) << r.frame;
        e.linksA[0] = nullptr;
        e.OnAttackLanded();  // nobody to tell
    }
}

// --- Bombs that meet ceilings and walls ----------------------------------------------

TEST(Bomb, EachBombBurstsWhereItsKindAllowsAndThrowsItsFragmentsAway) {
    struct Row {
        const char* what;
        int32_t bomb;
        std::vector<std::string> grid;
        int32_t x, y, vx, vy;
        bool bursts;
        int32_t firstFragment;
        int32_t vxLo, vxHi, vyLo, vyHi;  // the fragments' speeds as thrown
    };
    const std::vector<std::string> ceiling = {"########", "........", "........", "........"};
    const std::vector<std::string> rightWall = {".......#", ".......#", ".......#", ".......#"};
    const std::vector<std::string> floor = {"........", "........", "........", "########"};
    const Row rows[] = {
        {"rock under a ceiling", 450, ceiling, 1600, 520, 0, -60, true, 470, -40, 40, -20, 20},
        {"rock at a right wall", 450, rightWall, 2600, 600, 100, -40, true, 470, -40, 0, -80, -20},
        {"dark bomb at a wall", 560, rightWall, 2600, 600, 100, -40, false, 561, 0, 0, 0, 0},
        {"dark bomb under a ceiling", 560, ceiling, 1600, 500, 0, -60, false, 561, 0, 0, 0, 0},
        {"dark bomb landing", 560, floor, 1600, 900, 100, 40, true, 561, 60, 140, -80, -20},
        {"icicle at a wall", 660, rightWall, 2600, 600, 100, -40, true, 661, -40, 40, -80, -20},
        {"icicle under a ceiling", 660, ceiling, 1600, 500, 0, -60, true, 661, -40, 40, -80, -20},
    };
    for (const Row& r : rows) {
        Scenario s(r.grid, {{'#', kForestFill}});
        ScenarioBody* boss = AddBody(s, 200, 1400, kEnemyGroup);
        Marked(Shot(boss, r.bomb, r.x, r.y, r.vx, r.vy));
        std::vector<std::pair<int32_t, int32_t>> thrown;
        int32_t vxAtBurst = 0;
        int frames = 0;
        while (CCharacter* bomb = FindMarked()) {
            if (frames == 8) break;
            vxAtBurst = bomb->vx;
            s.Run(1);
            ++frames;
            // The fragments as they were thrown, before their first fall.
            // One stopped by a solid in that first step has lost its speed.
            for (CCharacter* f : InStates(r.firstFragment, r.firstFragment == 470 ? 490 : r.firstFragment + 2))
                if (f->vy != 0) thrown.push_back({f->vx, f->vy - 6});
        }
        EXPECT_EQ(FindMarked() == nullptr, r.bursts) << r.what;
        EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 47), r.bursts ? 1 : 0) << r.what;
        if (!r.bursts) {
            EXPECT_TRUE(thrown.empty()) << r.what;
            continue;
        }
        ASSERT_FALSE(thrown.empty()) << r.what;
        const int32_t shift = r.bomb == 560 ? vxAtBurst - 100 : 0;  // the dark bomb's range follows its own vx
        for (const auto& [fvx, fvy] : thrown) {
            EXPECT_GE(fvx, r.vxLo + shift) << r.what;
            EXPECT_LE(fvx, r.vxHi + shift) << r.what;
            EXPECT_GE(fvy, r.vyLo) << r.what;
            EXPECT_LE(fvy, r.vyHi) << r.what;
        }
    }
}

TEST(Bomb, AFragmentGoesWhenItTouchesASolidAndFallsOtherwise) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacterAttackEffect* falling = Shot(boss, 480, 1600, 600, 0, 0);
    CCharacterAttackEffect* lying = Shot(boss, 661, 2400, 1140, 0, 0);  // its body's bottom on the floor
    s.Run(1);
    EXPECT_EQ(falling->vy, 6);  // 6/1 a frame
    EXPECT_FALSE(Listed(lying));
    int frames = 1;
    while (Listed(falling) && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_FALSE(Listed(falling));
    EXPECT_LT(frames, 20);
}

TEST(Bomb, AFragmentOverAGapThatHasNoFloorGoesOnceOutOfSight) {
    // Columns 3 and 4 are open to the bottom of the stage: nothing below
    // would ever stop it.
    Scenario s({"........", "........", "........", "###..###"}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 200, 200, kEnemyGroup);
    CCharacter* fragment = Marked(Shot(boss, 561, 1600, 600, 0, 0));
    int frames = 0;
    int32_t lastY = fragment->y;
    while (FindMarked() != nullptr && frames < 600) {
        lastY = fragment->y;
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(FindMarked(), nullptr) << "not falling for ever";
    EXPECT_GT(lastY, 3200) << "below the view first";
}

// --- Shots with a way of their own -------------------------------------------------

TEST(GreatClog, FadesInHangsOverThePlayerRisesAndStampsWithItsShake) {
    Scenario s({"............", "............", "............", "............", "............", "............",
                "############"},
               {{'#', kForestFill}});
    Victim* player = s.Add(std::make_unique<Victim>(), 2000, 2000);
    s.SetPlayer(player);
    CGameMain::GetInstance()->m_vibration = 2;  // the stamp shakes whatever the setting
    CEffect::GetInstance()->ResetScreenEffects();
    CEffect::GetInstance()->m_shakeFrames = 0;
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    boss->facing = -1;
    CCharacterAttackEffect* clog = Shot(boss, 600, 1000, 800);
    s.Run(16);
    EXPECT_EQ(clog->alpha, 255);
    EXPECT_EQ(clog->frame, 601);
    EXPECT_NEAR(clog->angle, -0.2, 1e-12);  // leaning by its facing
    s.Run(30);
    EXPECT_EQ(clog->x, 1900);  // 30 a frame into the band 1900 to 2100
    int frames = 0;
    while (clog->frame == 601 && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(clog->x, 1900);
    ASSERT_EQ(clog->frame, 602);
    EXPECT_TRUE(player->hits.empty());
    // Up at 50, slowing by 5 from its first frame: it turns down on the
    // eleventh.
    EXPECT_EQ(clog->vy, -45);
    frames = 0;
    while (clog->frame == 602 && frames < 60) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(frames, 10);
    ASSERT_EQ(clog->frame, 603);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 10), 1);
    frames = 0;
    while (clog->frame == 603 && frames < 60) {
        s.Run(1);
        ++frames;
    }
    ASSERT_EQ(clog->frame, 604);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 57), 1);
    EXPECT_EQ(clog->vy, 0);
    const CEffect* screen = CEffect::GetInstance();
    EXPECT_GT(screen->m_shakeFrames, 0);
    EXPECT_EQ(screen->m_shakeLowX, 0);
    EXPECT_EQ(screen->m_shakeHighX, 0);
    EXPECT_EQ(screen->m_shakeLowY, -10);
    EXPECT_EQ(screen->m_shakeHighY, 10);
    EXPECT_EQ(screen->m_shakeDecay, 0);
    ASSERT_FALSE(player->hits.empty());
    EXPECT_EQ(player->hits.back(), std::make_pair(15, 50));
    // It keeps hurting where it stands, then fades away.
    player->hits.clear();
    s.Run(5);
    EXPECT_EQ(player->hits.size(), 5u);
    frames = 0;
    while (Listed(clog) && frames < 80) {
        s.Run(1);
        ++frames;
    }
    EXPECT_FALSE(Listed(clog));
    CGameMain::GetInstance()->m_vibration = 0;
}

TEST(Sweep, TheFanWindsUpAgainstItsWayBeforeItSweeps) {
    // 5 a frame toward its facing: from -12 it turns on the third frame.
    struct Row {
        int32_t facing, vx, frames;
    };
    const Row rows[] = {{1, -12, 3}, {-1, 12, 3}, {1, -5, 2}, {1, 0, 1}};
    for (const Row& r : rows) {
        Scenario s({"............", "............", "............"}, {});
        ScenarioBody* boss = AddBody(s, 4400, 200, kEnemyGroup);
        CCharacterAttackEffect* fan = Shot(boss, 592, 2000, 600, r.vx, 0);
        fan->facing = r.facing;
        int frames = 0;
        while (fan->frame == 592 && frames < 10) {
            s.Run(1);
            ++frames;
        }
        EXPECT_EQ(frames, r.frames) << r.vx;
        EXPECT_EQ(fan->frame, 593) << r.vx;
        EXPECT_EQ(fan->vx * r.facing, (r.vx + 5 * r.facing * r.frames) * r.facing) << r.vx;
    }
}

TEST(Sweep, TheFanStopsPastTheFarSideAndFadesAway) {
    struct Row {
        int32_t facing, startX;
    };
    // Rightward it stops once past 3200, leftward once below 1200.
    const Row rows[] = {{1, 2600}, {-1, 1800}};
    for (const Row& r : rows) {
        Scenario s({"............", "............", "............"}, {});
        ScenarioBody* boss = AddBody(s, 4400, 200, kEnemyGroup);
        CCharacterAttackEffect* fan = Shot(boss, 593, r.startX, 600, 60 * r.facing, 0);
        fan->facing = r.facing;
        // Where it stood when it last swept and when it stopped.
        int frames = 0;
        int32_t before = fan->x, seen = fan->x;
        while (fan->frame == 593 && frames < 60) {
            before = seen;
            seen = fan->x;
            s.Run(1);
            ++frames;
        }
        ASSERT_EQ(fan->frame, 594) << r.facing;
        if (r.facing == 1) {
            EXPECT_EQ(before, 3200);
            EXPECT_EQ(seen, 3260);
        } else {
            EXPECT_EQ(before, 1200);
            EXPECT_EQ(seen, 1140);
        }
        // 30 a frame against its way: 60 is spent in two frames, then it fades.
        s.Run(2);
        EXPECT_EQ(fan->vx, 0) << r.facing;
        EXPECT_EQ(fan->alpha, 255 - 16) << r.facing;
        s.Run(14);
        EXPECT_TRUE(Listed(fan));
        s.Run(1);
        EXPECT_FALSE(Listed(fan)) << r.facing;
    }
}

TEST(Chain, TheHookGrabsTheTouchedEnemyAndPullsItsThrowerToIt) {
    Scenario s({"............", "............"}, {});
    Thrower* thrower = s.Add(std::make_unique<Thrower>(), 400, 400);
    thrower->gravityNum = 0;
    s.SetPlayer(thrower);
    ScenarioBody* enemy = AddBody(s, 1600, 400, kEnemyGroup);
    thrower->target = enemy;
    CCharacterAttackEffect* hook =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kHomingChain, 1, 400, 400, 400, 400, 0, 0, 0, 0);
    hook->linksA[0] = thrower;
    thrower->states.clear();
    int frames = 0;
    while (hook->frame == CCharacterAttackEffect::kHomingChain && frames < 20) {
        s.Run(1);
        ++frames;
    }
    ASSERT_EQ(hook->frame, 621);
    EXPECT_LE(frames, 5);  // 300 a frame over 1200, less the boxes' reach
    EXPECT_EQ(hook->vx, 0);
    EXPECT_EQ(hook->vy, 0);
    ASSERT_FALSE(thrower->states.empty());
    EXPECT_EQ(std::count(thrower->states.begin(), thrower->states.end(), 332), 1);
    // A thrower facing left throws a hook that faces left.
    CCharacterAttackEffect* back =
        SpawnAttackEffect(thrower, CCharacterAttackEffect::kHomingChain, 1, 400, 400, 400, 400, 0, 0, 0, 0);
    back->linksA[0] = thrower;
    ScenarioBody* behind = AddBody(s, -400, 400, kEnemyGroup);
    thrower->target = behind;
    s.Run(1);
    EXPECT_EQ(back->facing, -1);
    EXPECT_LT(back->vx, -250);
}

TEST(Splitter, FiresTwoCirclingShotsSpreadAboutItsAimAndGoes) {
    Scenario s({"............", "............", "............"}, {});
    ScenarioBody* firer = AddBody(s, 1000, 600, 1);
    ScenarioBody* aim = AddBody(s, 3000, 600, 1);
    aim->controlled = 1;  // the new shots circle about it
    CCharacterAttackEffect* splitter = Shot(firer, 292, 2000, 1000);
    splitter->linksA[0] = firer;
    splitter->linksA[1] = aim;
    Marked(splitter);
    s.Run(1);
    EXPECT_EQ(FindMarked(), nullptr);
    const std::vector<CCharacter*> shots = InStates(290, 290);
    ASSERT_EQ(shots.size(), 2u);
    // Toward the aim (straight right) turned either way, at 60; each has
    // turned back by a twentieth of a half turn in its first frame.
    std::vector<double> headings;
    for (CCharacter* c : shots) {
        EXPECT_EQ(c->linksA[0].Get(), aim);
        EXPECT_EQ(c->typeId, 40010);
        EXPECT_NEAR(std::hypot(c->vx, c->vy), 60, 1.5);
        headings.push_back(std::atan2(c->vx, -c->vy));
    }
    std::sort(headings.begin(), headings.end());
    const double pi = std::acos(-1.0);
    EXPECT_NEAR(headings[0], pi / 2 - pi / 6 + pi / 20, 0.05);
    EXPECT_NEAR(headings[1], pi / 2 + pi / 6 - pi / 20, 0.05);
    // Without its aim it fires nothing.
    CCharacterAttackEffect* blind = Shot(firer, 292, 2000, 1000);
    blind->linksA[0] = firer;
    Marked(blind);
    s.Run(1);
    EXPECT_EQ(FindMarked(), nullptr);
    EXPECT_EQ(InStates(290, 290).size(), 2u);
}

TEST(WindLauncher, FiresLinkedBladesWithItsSoundThatHomeOnIt) {
    Scenario s({"............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 1000, 600, 1);
    CCharacterAttackEffect* launcher = Shot(player, 270, 2000, 600);
    s.Run(1);
    const std::vector<CCharacter*> blades = InStates(280, 281);
    ASSERT_EQ(blades.size(), 1u);
    EXPECT_EQ(blades[0]->typeId, 40020);
    EXPECT_EQ(blades[0]->linksA[0].Get(), launcher);
    EXPECT_EQ(launcher->linksB[0].Get(), blades[0]);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 50), 1);
    // One blade (and one sound) for each frame it spends in 270, none in 271.
    int inFiringFrame = 1;
    for (int i = 0; i < 9; ++i) {
        s.Run(1);
        if (launcher->frame == 270) ++inFiringFrame;
    }
    EXPECT_GT(inFiringFrame, 1);
    EXPECT_LT(inFiringFrame, 10);
    EXPECT_EQ(InStates(280, 281).size(), static_cast<std::size_t>(inFiringFrame));
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 50), inFiringFrame);
}

TEST(HummingShot, HumsOnEveryFourthFrameOfTheGame) {
    // The frame counter runs 1, 2, 3, ...: frames 1, 5 and 9 leave 1.
    struct Row {
        int32_t frame;
    };
    const Row rows[] = {{520}, {522}, {524}, {550}, {750}};
    for (const Row& r : rows) {
        Scenario s({"............", "............"}, {});
        ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
        CCharacterAttackEffect* shot = Shot(boss, r.frame, 1600, 400);
        s.Run(9);
        ASSERT_TRUE(Listed(shot)) << r.frame;
        EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{49, 49, 49})) << r.frame;
    }
    // The spinning charge turns by half a radian a frame as it hums.
    Scenario s({"............"}, {});
    ScenarioBody* silvy = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* star = Shot(silvy, 750, 1600, 200);
    s.Run(4);
    EXPECT_NEAR(star->angle, 2.0, 1e-12);
}

TEST(GrowingBall, SwellsByAStepAFrameAndComesForwardAtThirty) {
    Scenario s({"............"}, {});
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* ball = Shot(boss, 550, 1600, 200);
    s.Run(10);
    EXPECT_NEAR(ball->scaleX, 1.5, 1e-9);
    EXPECT_NEAR(ball->scaleY, 1.5, 1e-9);
    EXPECT_EQ(ball->layer, 136);
    s.Run(19);
    EXPECT_EQ(ball->layer, 136);
    s.Run(1);
    EXPECT_EQ(ball->layer, 168);  // when its state timer is 30
    EXPECT_NEAR(ball->scaleX, 4.5, 1e-9);
}

TEST(SlowingStar, SlowsToAStopOverFortyFramesThenFliesAtThePlayer) {
    Scenario s({"............", "............"}, {});
    ScenarioBody* player = AddBody(s, 3000, 400, 1);
    player->SetHurtBox({0, 0, 0, 0});
    s.SetPlayer(player);
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* star = Shot(boss, 540, 1000, 400, 0, 0);
    star->attackDirX = 40;
    star->attackDirY = -20;
    // stateTimer t gives 40 x (40 - t) / 40 and -20 x (40 - t) / 40.
    s.Run(1);
    EXPECT_EQ(star->vx, 39);
    EXPECT_EQ(star->vy, -19);
    EXPECT_EQ(star->alpha, 192);
    s.Run(9);
    EXPECT_EQ(star->vx, 30);
    EXPECT_EQ(star->vy, -15);
    s.Run(30);
    EXPECT_EQ(star->vx, 0);
    EXPECT_EQ(star->vy, 0);
    s.Run(19);
    EXPECT_EQ(star->vx, 0);
    s.Run(1);
    // Sixty frames on it is the aimed star: straight at the player at 50.
    EXPECT_GE(star->frame, 543);
    EXPECT_LE(star->frame, 545);
    EXPECT_GT(star->vx, 0);
    EXPECT_NEAR(std::hypot(star->vx, star->vy), 50, 1.5);
}

TEST(IceCrystal, AnAxisThatStopsTakesItsStoredSpeedAgain) {
    Scenario s({"............", "............"}, {});
    ScenarioBody* fairy = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* crystal = Shot(fairy, 430, 1600, 400, 0, 0);
    crystal->attackDirX = -40;
    crystal->attackDirY = 30;
    s.Run(1);
    EXPECT_EQ(crystal->vx, -40);
    EXPECT_EQ(crystal->vy, 30);
    EXPECT_EQ(crystal->facing, -1);
    EXPECT_EQ(crystal->x, 1560);
    EXPECT_NEAR(crystal->angle, std::atan2(-40.0, -30.0), 1e-9);  // pointing along its flight
    crystal->vx = 25;
    s.Run(1);
    EXPECT_EQ(crystal->vx, 25);
    EXPECT_EQ(crystal->facing, 1);
}

TEST(FoxFire, SteersOnlyOnEveryFourthFrameOfItsState) {
    Scenario s({"............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 3000, 600, 1);
    player->SetHurtBox({0, 0, 0, 0});
    s.SetPlayer(player);
    ScenarioBody* fox = AddBody(s, 4400, 200, kEnemyGroup);
    CCharacterAttackEffect* fire = Shot(fox, 360, 1000, 600, 0, -10);
    int changes = 0;
    for (int i = 0; i < 12; ++i) {
        const int32_t vx = fire->vx, vy = fire->vy;
        s.Run(1);
        if (fire->vx != vx || fire->vy != vy) {
            ++changes;
            EXPECT_EQ(fire->stateTimer % 4, 0) << i;
            EXPECT_NEAR(std::hypot(fire->vx, fire->vy), 10, 1.5);  // 10 + stateTimer / 20
        }
    }
    EXPECT_EQ(changes, 3);
    EXPECT_GT(fire->vx, 0);  // turning toward the player on its right
}

TEST(Lightning, StopsAndFlaresWhereItReachesTheGround) {
    Scenario s({"............", "............", "............", "############"}, {{'#', kForestFill}});
    ScenarioBody* thunderer = AddBody(s, 4000, 200, kEnemyGroup);
    CCharacterAttackEffect* bolt = Shot(thunderer, 390, 1600, 400, 0, 100);
    int frames = 0;
    while ((bolt->frame == 390 || bolt->frame == 391) && frames < 30) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(bolt->frame, 331);
    EXPECT_EQ(bolt->vx, 0);
    EXPECT_EQ(bolt->vy, 0);
    EXPECT_EQ(bolt->y + 300, 1200);  // its feet on the floor
}

TEST(HomingMissile, FliesStraightThenSteersLeavingSmokeAndExplodesOnAHit) {
    Scenario s({"............", "............", "............", "............"}, {});
    Victim* player = s.Add(std::make_unique<Victim>(), 1600, 2400);
    s.SetPlayer(player);
    ScenarioBody* tank = AddBody(s, 4400, 200, kEnemyGroup);
    CCharacterAttackEffect* missile = Shot(tank, 700, 1600, 400, 70, 0);
    // Smoke on every second frame of its state: the puffs new in each frame.
    std::vector<int> puffs;
    for (int i = 0; i < 4; ++i) {
        s.Run(1);
        int fresh = 0;
        for (CCharacter* c : InStates(50, 51))
            if (c->stateTimer == 1) ++fresh;
        puffs.push_back(fresh);
    }
    EXPECT_EQ(puffs, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(missile->vx, 70);  // straight while in 700
    EXPECT_EQ(missile->vy, 0);
    s.Run(8);
    ASSERT_EQ(missile->frame, 701);
    s.Run(3);
    EXPECT_GT(missile->vy, 0);  // turning down toward the player
    int frames = 0;
    while (missile->frame >= 700 && missile->frame <= 702 && frames < 80) {
        s.Run(1);
        ++frames;
    }
    EXPECT_EQ(missile->frame, 703);
    ASSERT_FALSE(player->hits.empty());
    EXPECT_EQ(player->hits.front(), std::make_pair(15, 100));
}

// --- Out of memory -----------------------------------------------------------------

TEST(AttackEffectOutOfMemory, ShotsThatCannotBeMadeAreNotFiredAndTheirFirersCarryOn) {
    using testing_support::FailingAllocations;
    Scenario s({"............", "............", "............", "############"}, {{'#', kForestFill}});
    ScenarioBody* boss = AddBody(s, 4000, 200, kEnemyGroup);
    const int32_t listed = World().GetCount();
    {
        FailingAllocations full;
        EXPECT_EQ(Shot(boss, 300, 1600, 200), nullptr);
        EXPECT_EQ(SpawnAttackEffect(nullptr, 300, 1, 0, 0, 0, 0, 0, 0, 0, 0), nullptr);
    }
    EXPECT_EQ(World().GetCount(), listed);

    // Each keeps to its own way with nothing to leave behind: the launcher
    // plays its sound, the bursts theirs, and nothing new is listed.
    struct Row {
        int32_t frame;
        int32_t y, vy;
        int32_t sound;
    };
    const Row rows[] = {
        {270, 600, 0, 50},   // the wind launcher's blade
        {231, 600, 0, -1},   // the thrown bomb's fire puffs
        {450, 1080, 0, 47},  // the rock's fragments as it lies on the floor
        {680, 600, 0, -1},   // the missile's explosions
        {700, 600, 0, -1},   // the homing missile's smoke
    };
    for (const Row& r : rows) {
        s.ClearSounds();
        CCharacterAttackEffect* shot = Shot(boss, r.frame, 1600, r.y, 0, r.vy);
        shot->linksA[0] = boss;
        const int32_t before = World().GetCount();
        {
            FailingAllocations full;
            s.Run(2);
        }
        EXPECT_LE(World().GetCount(), before) << r.frame;
        if (r.sound >= 0) {
            EXPECT_GE(std::count(s.Sounds().begin(), s.Sounds().end(), r.sound), 1) << r.frame;
        }
        if (Listed(shot) && shot->frame == 270) {
            EXPECT_EQ(shot->linksB[0].Get(), nullptr);
        }
        s.Run(1);
    }
    // A falling stone defeated with no memory to spare still goes, with both sounds.
    s.ClearSounds();
    CCharacterAttackEffect* stone = Shot(boss, 460, 1600, 200);
    const int32_t before = World().GetCount();
    {
        FailingAllocations full;
        stone->SetState(110);
    }
    EXPECT_EQ(stone->frame, 0);
    EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{31, 47}));
    EXPECT_EQ(World().GetCount(), before);
}

TEST(AttackEffectSolids, ShotsThatMeetTheGroundBurstStopOrFlareByKind) {
    // Each shot's body rests on the floor (its top at 1200). after: the frame
    // it is in after one frame, 0 gone; moves: whether it still moved.
    struct Row {
        int32_t frame, y;
        int32_t after;
        bool moves;
    };
    const Row rows[] = {
        {230, 1100, 232, false},  // the thrown bomb explodes
        {240, 1140, 0, false},    // the shuriken bursts
        {250, 1140, 0, false},    // the fire bursts
        {330, 1100, 331, false},  // the enemy bomb flares
        {690, 1100, 691, false},  // the water bomb splashes
        {291, 1140, 291, false},  // the released orb waits where it is
        {260, 1140, 260, true},   // the piercing kunai has no body: on it goes
    };
    for (const Row& r : rows) {
        Scenario s({"............", "............", "............", "############"}, {{'#', kForestFill}});
        ScenarioBody* firer = AddBody(s, 4400, 200, 1);
        CCharacterAttackEffect* shot = Shot(firer, r.frame, 1600, r.y, 40, 0);
        Marked(shot);
        s.Run(1);
        CCharacter* left = FindMarked();
        ASSERT_EQ(left != nullptr, r.after != 0) << r.frame;
        if (left == nullptr) continue;
        EXPECT_EQ(left->frame, r.after) << r.frame;
        EXPECT_EQ(left->x != 1600, r.moves) << r.frame;
    }
}

TEST(AttackEffectWithoutPlayer, ShotsThatFollowThePlayerHoldTheirCourse) {
    // No player in the world: the fan keeps its height, the clog its place,
    // the homing missiles and the fox fire their speed.
    struct Row {
        int32_t frame, vx, vy;
    };
    const Row rows[] = {{591, 0, 0}, {601, 0, 0}, {701, 70, 0}, {702, 0, 70}, {361, 10, 0}};
    for (const Row& r : rows) {
        Scenario s({"............", "............", "............"}, {});
        ScenarioBody* boss = AddBody(s, 4400, 200, kEnemyGroup);
        CCharacterAttackEffect* shot = Shot(boss, r.frame, 1600, 600, r.vx, r.vy);
        s.Run(4);
        ASSERT_TRUE(Listed(shot)) << r.frame;
        EXPECT_EQ(shot->vx, r.vx) << r.frame;
        EXPECT_EQ(shot->vy, r.vy) << r.frame;
        EXPECT_EQ(shot->x, 1600 + 4 * r.vx) << r.frame;
        EXPECT_EQ(shot->y, 600 + 4 * r.vy) << r.frame;
    }
}

TEST(AttackEffectDraw, AGoneShotShowsNothing) {
    Scenario s({"............"}, {});
    ScenarioBody* boss = AddBody(s, 4400, 200, kEnemyGroup);
    CCharacterAttackEffect* shot = Shot(boss, 300, 1600, 200);
    int drawn = 0;
    SetSpriteObserver([&](const SpriteDraw&) { ++drawn; });
    shot->Draw();
    EXPECT_EQ(drawn, 1);
    shot->frame = 0;
    shot->Draw();
    EXPECT_EQ(drawn, 1);
    SetSpriteObserver(nullptr);
}

TEST(HomingMissile, TiresTurningLessEachFrameUntilItFliesStraight) {
    // In 702 it may turn by 0.1 - 0.005 x stateTimer a frame, never less
    // than 0: by its twentieth frame it no longer turns.
    Scenario s({"............", "............", "............", "............"}, {});
    ScenarioBody* player = AddBody(s, 1000, 4700, 1);
    player->SetHurtBox({0, 0, 0, 0});
    s.SetPlayer(player);
    ScenarioBody* tank = AddBody(s, 4400, 200, kEnemyGroup);
    CCharacterAttackEffect* missile = Shot(tank, 702, 1000, 400, 70, 0);
    double heading = std::atan2(70.0, 0.0);
    for (int k = 1; k <= 25; ++k) {
        const int32_t vx = missile->vx, vy = missile->vy;
        s.Run(1);
        const double now = std::atan2(static_cast<double>(missile->vx), static_cast<double>(missile->vy));
        const double turn = heading - now;
        if (k < 20) {
            EXPECT_NEAR(turn, 0.1 - 0.005 * k, 0.03) << k;
        } else {
            EXPECT_EQ(missile->vx, vx) << k;
            EXPECT_EQ(missile->vy, vy) << k;
        }
        heading = now;
    }
}
