// The ninja's weapons in a room of real blocks through the real play frame:
// the katana's strikes, the throws from their stances, the bomb's arc, the
// ninjutsu with their gauge costs, the water orbs' drain, the dive and the
// launched flight; and the ammunition, stock and potion bookkeeping.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "player/CharacterNinja.h"
#include "support/PlayerRoom.h"
#include "support/WorldList.h"

using namespace player_room;
using testing_support::Listed;
using testing_support::World;

namespace {

// The shots whose frame lies in first..last (a state and its later
// frames), in list order.
std::vector<CCharacterAttackEffect*> Shots(int32_t first, int32_t last) {
    std::vector<CCharacterAttackEffect*> out;
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        auto* s = dynamic_cast<CCharacterAttackEffect*>(World().GetAt(i));
        if (s != nullptr && s->frame >= first && s->frame <= last) out.push_back(s);
    }
    return out;
}

using Shot = CCharacterAttackEffect;
std::vector<Shot*> Bombs() { return Shots(Shot::kThrownBomb, Shot::kThrownBomb); }
std::vector<Shot*> Stars() { return Shots(Shot::kShuriken, Shot::kShuriken + 1); }
std::vector<Shot*> Fireballs() { return Shots(Shot::kFireball, Shot::kFireball + 1); }
std::vector<Shot*> Winds() { return Shots(Shot::kWindLauncher, Shot::kWindLauncher + 1); }
std::vector<Shot*> Orbs() { return Shots(Shot::kCircling, Shot::kCircling); }
std::vector<Shot*> FreeOrbs() { return Shots(Shot::kCirclingFree, Shot::kCirclingFree); }

bool HasChild(const CCharacter& c, const CCharacter* child) {
    for (const CCharacter* l : c.linksB)
        if (l == child) return true;
    return false;
}

bool HitBy(const Foe& foe, int32_t kind, int32_t damage) {
    for (const Foe::Hit& h : foe.hits)
        if (h.kind == kind && h.damage == damage) return true;
    return false;
}

// A standing ninja holding `weapon`.
struct Armed : Room {
    explicit Armed(int32_t weapon, int32_t x = Scenario::CellX(2), int32_t y = kFloor) : Room(x, y) {
        s.Run(8);
        ninja->currentWeapon = weapon;
    }
    // Touches the foe; the attack starts in that frame.
    void Attack(Foe* foe) { Tap(foe->x, foe->y); }
    // The foe leaves the world (the list deletes it in the next frame).
    void Remove(Foe* foe) {
        foe->SetState(0);
        s.Run(1);
    }
};

}  // namespace

// --- Bookkeeping ---------------------------------------------------------------------

TEST(Weapons, AmmunitionStocksAndPotionsKeepTheirBounds) {
    Room r;
    CCharacterNinja& n = *r.ninja;
    static std::vector<int32_t> announced;
    announced.clear();
    CCharacterPlayer::SetWeaponNotice([](int32_t weapon) { announced.push_back(weapon); });

    // A weapon not owned yet: the count becomes the amount and the HUD is
    // told about the new weapon.
    n.shurikenAmmo = -1;
    n.AddShurikenAmmo(5);
    EXPECT_EQ(n.shurikenAmmo, 5);
    n.bombAmmo = -1;
    n.AddBombAmmo(3);
    EXPECT_EQ(n.bombAmmo, 3);
    // Owned ones only count up, to their caps.
    n.AddBombAmmo(100);
    EXPECT_EQ(n.bombAmmo, 30);
    n.AddShurikenAmmo(1);
    EXPECT_EQ(n.shurikenAmmo, 6);
    EXPECT_EQ(announced, (std::vector<int32_t>{WeaponId::Shuriken, WeaponId::Bomb}));
    CCharacterPlayer::SetWeaponNotice(nullptr);

    // Potion stocks: from "never owned" up, at most 9.
    n.exHealingPotions = -1;
    n.AddExHealingPotions(2);
    EXPECT_EQ(n.exHealingPotions, 2);
    n.magicPotions = 4;
    n.AddMagicPotions(20);
    EXPECT_EQ(n.magicPotions, 9);
    n.AddExMagicPotions(0);
    EXPECT_EQ(n.exMagicPotions, 1);

    // A potion is only taken from a stock above 0, and then heals or fills
    // to the maximum at most.
    r.s.ClearSounds();
    n.hp = 10;
    n.exHealingPotions = 0;
    EXPECT_FALSE(n.UseExHealingPotion());
    n.healingPotions = -1;
    EXPECT_FALSE(n.UseHealingPotion());
    EXPECT_EQ(n.healingPotions, -1);
    EXPECT_EQ(n.hp, 10);
    EXPECT_TRUE(r.s.Sounds().empty());
    n.exHealingPotions = 1;
    EXPECT_TRUE(n.UseExHealingPotion());
    EXPECT_EQ(n.hp, n.hpMax);
    n.gauge = 2500;
    EXPECT_TRUE(n.UseMagicPotion());
    EXPECT_EQ(n.gauge, n.gaugeMax);
    EXPECT_EQ(n.magicPotions, 8);
    n.gauge = 0;
    EXPECT_TRUE(n.UseExMagicPotion());
    EXPECT_EQ(n.gauge, n.gaugeMax);
    EXPECT_EQ(n.exMagicPotions, 0);
    EXPECT_EQ(r.s.Sounds(), (std::vector<int32_t>{45, 46, 46}));
}

// (The slots (1, 0, 0) with shuriken, bombs and fire owned becoming (1, 2, 3)
// is in PlayerStatusTest.)
TEST(Weapons, FillWeaponSlotsLeavesFullSlotsAndCountsOnlyWhatItFilled) {
    CCharacterNinja n;
    n.equipSlots[0] = 1;
    n.equipSlots[1] = 3;
    n.equipSlots[2] = 6;
    EXPECT_EQ(n.FillWeaponSlots(), 3);
    EXPECT_EQ(n.equipSlots[2], 6);

    // Only the katana: nothing to add, one slot counted.
    n.shurikenAmmo = n.bombAmmo = -1;
    n.fireNinjutsu = n.windNinjutsu = n.waterNinjutsu = 0;
    n.equipSlots[1] = n.equipSlots[2] = 0;
    EXPECT_EQ(n.FillWeaponSlots(), 1);
    EXPECT_EQ(n.equipSlots[1], 0);
    // Wind and water in id order; the katana is not put in twice.
    n.windNinjutsu = n.waterNinjutsu = 1;
    EXPECT_EQ(n.FillWeaponSlots(), 3);
    EXPECT_EQ(n.equipSlots[1], 5);
    EXPECT_EQ(n.equipSlots[2], 6);
}

// --- Starting an attack ----------------------------------------------------------------

TEST(Weapons, EachWeaponStartsItsOwnAttack) {
    struct Case {
        int32_t weapon;
        int32_t state;  // grounded stance for the throws and ninjutsu
    };
    for (const Case& c : {Case{1, 330}, Case{2, 402}, Case{3, 382}, Case{4, 422}, Case{5, 422}, Case{6, 422}}) {
        SCOPED_TRACE(c.weapon);
        Armed a(c.weapon, Scenario::CellX(6));
        Foe* foe = a.Enemy(a.ninja->x - 1000, a.ninja->GetAnchorY());
        a.ninja->vx = 53;
        a.ninja->StartHomingAttack(foe);
        if (c.weapon >= 4) {
            EXPECT_EQ(a.ninja->vx, 10) << "a ninjutsu slows the player to a fifth";
        }
        EXPECT_EQ(a.ninja->frame, c.state);
        EXPECT_EQ(a.ninja->target, foe);
        EXPECT_EQ(a.ninja->facing, -1) << "toward the target";
        if (c.weapon == 1) {
            EXPECT_LE(a.ninja->attackDirX, -145) << "150 toward the target's anchor";
        } else {
            EXPECT_EQ(a.ninja->attackDirX, foe->x) << "the target's position is kept";
            EXPECT_EQ(a.ninja->attackDirY, foe->y);
        }
        EXPECT_EQ(a.ninja->GetNinjutsuInUse(), c.weapon >= 4 ? c.weapon : 0);
    }
}

// --- The katana ------------------------------------------------------------------------

TEST(Weapons, TheKatanaCutsLandAsTheyStartWithKindTwoAndThreeAndTheAttackPower) {
    Armed a(WeaponId::Katana);
    a.ninja->attack = 321;
    Foe* foe = a.Enemy(a.ninja->x + 400, a.ninja->GetAnchorY());
    foe->hp = 100000;
    a.Attack(foe);
    // The chase leaves a bluish trail under the player (alpha 160, fading
    // by 8); the strike poses a white one over it (alpha 80, fading by 6).
    using Trail = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
    std::vector<int32_t> t;
    for (int i = 0; i < 24; ++i) {
        a.s.Run(1);
        const int32_t f = a.ninja->frame;
        t.push_back(f);
        const auto& trail = a.ninja->afterimage;
        const Trail look{trail.layer, trail.red, trail.green, trail.blue, trail.alpha, trail.fadeStep};
        if (f == 331 || f == 332) {
            EXPECT_EQ(look, Trail(152 - 1, 192, 192, 255, 160, 8)) << f;
        } else if (f == 335 || f == 336 || f == 339 || f == 340) {
            EXPECT_EQ(look, Trail(152 + 1, 255, 255, 255, 80, 6)) << f;
        }
    }
    ASSERT_TRUE(Contains(t, 331));
    ASSERT_TRUE(Contains(t, 335));
    EXPECT_TRUE(HitBy(*foe, 2, 321)) << "the first cut";
    EXPECT_TRUE(HitBy(*foe, 3, 321)) << "the second cut";
    EXPECT_EQ(foe->hits.front().attacker, a.ninja);

    // Straight through ConsumeStateChange: the pending cut strikes, the
    // player stops, and a cut that kills ends in the finishing pose.
    foe->hits.clear();
    foe->hp = 1;
    foe->ClearDamageFlash();
    foe->ClearInvulnerable();
    a.ninja->x = foe->x - 200;
    a.ninja->y = foe->y;
    a.ninja->facing = 1;
    a.ninja->target = foe;
    a.ninja->vx = 80;
    a.ninja->SetState(339);
    a.ninja->ConsumeStateChange();
    ASSERT_EQ(foe->hits.size(), 1u);
    EXPECT_EQ(foe->hits[0].kind, 3);
    EXPECT_EQ(a.ninja->vx, 0);
    EXPECT_EQ(a.ninja->frame, 343);
    EXPECT_EQ(a.ninja->vy, -50);
}

// The two cuts alternate while the chain holds, whichever is asked for;
// without the chain the strike ends standing. A pending cut stops the
// player only when it hits, and ends in its finishing pose only when the
// target is gone or dead.
TEST(Weapons, TheCutsAlternateWhileTheChainHoldsAndFinishOnlyWhenTheTargetIsDone) {
    struct Alternation {
        int32_t chain, side, asked, frame, sideAfter;
    };
    for (const Alternation& c : {Alternation{1, 0, 333, 333, 1}, Alternation{1, 0, 337, 333, 1},
                                 Alternation{1, 1, 333, 337, 0}, Alternation{1, 1, 337, 337, 0},
                                 Alternation{0, 0, 333, 236, 0}, Alternation{0, 1, 337, 236, 1}}) {
        SCOPED_TRACE(testing::Message() << "chain " << c.chain << ", side " << c.side << ", asked " << c.asked);
        Armed a(WeaponId::Katana);
        a.ninja->strikeChain = static_cast<uint8_t>(c.chain);
        a.ninja->strikeSide = c.side;
        a.ninja->SetState(c.asked);
        EXPECT_EQ(a.ninja->frame, c.frame);
        EXPECT_EQ(a.ninja->strikeSide, c.sideAfter);
    }
    struct Pending {
        const char* what;
        int32_t cut, foeDx, foeHp;
        bool targeted, hits;
        int32_t frame, vy;
    };
    const Pending cases[] = {
        {"first cut, target lives", 335, 200, 100000, true, true, 335, 0},
        {"second cut, target lives", 339, 200, 100000, true, true, 339, 0},
        {"first cut, no target", 335, 200, 100000, false, true, 341, -50},
        {"second cut, no target", 339, 200, 100000, false, true, 343, -50},
        {"first cut, nothing in reach", 335, 2000, 100000, true, false, 335, 7},
    };
    for (const Pending& c : cases) {
        SCOPED_TRACE(c.what);
        Armed a(WeaponId::Katana);
        a.ninja->attack = 123;
        Foe* foe = a.Enemy(a.ninja->x + c.foeDx, a.ninja->GetAnchorY());
        foe->hp = c.foeHp;
        a.ninja->y = foe->y;
        a.ninja->facing = 1;
        a.ninja->target = c.targeted ? foe : nullptr;
        a.ninja->SetState(c.cut);
        a.ninja->vx = 80;
        a.ninja->vy = 7;
        a.ninja->ConsumeStateChange();
        EXPECT_EQ(HitBy(*foe, c.cut == 335 ? 2 : 3, 123), c.hits);
        EXPECT_EQ(a.ninja->vx, c.hits ? 0 : 80);
        EXPECT_EQ(a.ninja->frame, c.frame);
        EXPECT_EQ(a.ninja->vy, c.vy);
    }
}

TEST(Weapons, ATargetGoneMidChaseEndsTheChaseStanding) {
    // Gone from the world, down to no life, or off the screen.
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        Armed a(WeaponId::Katana);
        Foe* foe = a.Enemy(a.ninja->x + 1100, a.ninja->GetAnchorY() - 400);
        a.Attack(foe);
        a.s.Run(5);
        ASSERT_TRUE(a.ninja->frame == 331 || a.ninja->frame == 332);
        if (way == 0) {
            a.Remove(foe);
            EXPECT_EQ(a.ninja->target, nullptr);
        } else if (way == 1) {
            foe->hp = 0;
        } else {
            foe->x = a.ninja->x + 40000;
        }
        const std::vector<int32_t> t = a.Trace(30);
        EXPECT_FALSE(Contains(t, 333)) << "nothing is struck";
        EXPECT_TRUE(IsStanding(t.back()) || t.back() == 236 || t.back() == 290);
        EXPECT_FALSE(Contains(t, 331));
    }
    Armed a(WeaponId::Katana);

    // Called by hand with no target at all, the handler asks nothing of it.
    a.ninja->SetState(334);
    a.ninja->target = nullptr;
    a.ninja->UpdateHomingAttack();
    EXPECT_NE(a.ninja->frame, 334);
}

// --- Bombs ---------------------------------------------------------------------------------

TEST(Weapons, ABombLandsOnItsAimPointAtTheEndOfItsFlight) {
    // Aim points on the floor (a bomb's centre rests 100 above it), near,
    // far and behind; and in the open air, which the bomb passes: among them
    // two so near that the flight is stretched to its shortest, 5 frames.
    // The flight lasts a frame per 30 units across from 100 in front of
    // the player (at 1000, so from 1100, or 900 facing back), at most 20.
    struct Case {
        int32_t x, y;
        bool onFloor;
        int flight;
    };
    for (const Case& c : {Case{1300, kFloor - 100, true, 6}, Case{2200, kFloor - 100, true, 20},
                          Case{3300, kFloor - 100, true, 20}, Case{520, kFloor - 100, true, 12},
                          Case{2600, 900, false, 20}, Case{1900, 1500, false, 20}, Case{1150, 900, false, 5},
                          Case{1000, 1100, false, 5}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        Armed a(WeaponId::Bomb);
        a.ninja->bombAmmo = 2;
        Foe* foe = a.Enemy(c.x, c.y);
        a.Attack(foe);
        ASSERT_EQ(a.ninja->frame, 382);
        // The target goes before the throw: the bomb flies to the point kept
        // when the attack started.
        a.Remove(foe);
        CCharacterAttackEffect* bomb = nullptr;
        for (int i = 0; i < 6 && bomb == nullptr; ++i) {
            a.s.Run(1);
            const auto bombs = Bombs();
            if (!bombs.empty()) bomb = bombs.front();
        }
        ASSERT_NE(bomb, nullptr);
        EXPECT_EQ(a.ninja->bombAmmo, 1);
        EXPECT_EQ(a.ninja->target, nullptr);
        EXPECT_EQ(bomb->linksA[0], nullptr) << "nothing to link";
        double nearest = 1e9;
        int32_t burstX = 0, burstY = 0;
        int nearestAt = 0;
        for (int i = 0; i < 60 && Listed(bomb) && bomb->frame == CCharacterAttackEffect::kThrownBomb; ++i) {
            const double d = std::hypot(bomb->x - c.x, bomb->y - c.y);
            if (d < nearest) nearestAt = i;
            nearest = std::min(nearest, d);
            burstX = bomb->x;
            burstY = bomb->y;
            a.s.Run(1);
        }
        EXPECT_LE(nearest, 30.0);
        EXPECT_EQ(nearestAt + 1, c.flight) << "nearest at the end of the flight";
        if (c.onFloor) {
            EXPECT_LE(std::abs(burstX - c.x), 200);
            EXPECT_LE(std::abs(burstY - c.y), 200);
        }
    }
}

TEST(Weapons, ABombHitsItsTargetAndNoBombsThrowNothing) {
    Armed a(WeaponId::Bomb);
    a.ninja->bombAmmo = 1;
    Foe* foe = a.Enemy(2400, kFloor - 100);
    foe->hp = 1000;
    a.Attack(foe);
    a.s.Run(30);
    EXPECT_TRUE(HitBy(*foe, 4, 400));
    EXPECT_EQ(a.ninja->bombAmmo, 0);

    // Without bombs the throw is only a pose.
    a.s.Run(20);
    const int32_t shots = static_cast<int32_t>(Bombs().size());
    a.Attack(foe);
    const std::vector<int32_t> t = a.Trace(30);
    EXPECT_TRUE(Contains(t, 383));
    EXPECT_TRUE(IsStanding(t.back()));
    EXPECT_EQ(static_cast<int32_t>(Bombs().size()), shots);
    EXPECT_EQ(a.ninja->bombAmmo, 0);
}

TEST(Weapons, ThrowsFollowTheSurfaceTheyAreThrownFrom) {
    // Thrown in the air just above the floor: the stance lands without
    // starting again, and the bomb is thrown once.
    {
        Armed a(WeaponId::Bomb);
        a.ninja->y = kFloor - 30;
        a.ninja->SetState(290);
        a.ninja->bombAmmo = 5;
        Foe* foe = a.Enemy(3000, 1000);
        a.Attack(foe);
        EXPECT_EQ(a.ninja->frame, 380);
        const std::vector<int32_t> t = a.Trace(30);
        EXPECT_TRUE(Contains(t, 382)) << "landed";
        EXPECT_FALSE(Contains(t, 381));
        EXPECT_TRUE(Contains(t, 383));
        EXPECT_EQ(a.ninja->bombAmmo, 4);
    }
    // From a wall and from a ceiling; a ceiling left behind falls back to
    // the grounded and then the airborne stance.
    {
        Armed a(WeaponId::Shuriken, kLeftWall + 20, 1200);
        a.ninja->wallHold = 1;
        a.ninja->SetState(290);
        a.s.Run(3);
        ASSERT_EQ(a.ninja->frame, 232);
        Foe* foe = a.Enemy(3000, 1200);
        a.Attack(foe);
        EXPECT_EQ(a.ninja->frame, 404);
        a.s.Run(2);
        EXPECT_EQ(a.ninja->frame, 405);
        const auto stars = Stars();
        ASSERT_EQ(stars.size(), 1u);
        EXPECT_EQ(stars[0]->prevX, a.ninja->x + 190) << "from the body's centre, away from the wall";
        EXPECT_EQ(stars[0]->linksA[0], foe);
        EXPECT_TRUE(HasChild(*foe, stars[0]));
    }
    {
        Armed a(WeaponId::NinjutsuFire, Scenario::CellX(3), kCeiling + 20);
        a.ninja->ceilingHold = 1;
        a.ninja->y = kCeiling + 20;
        a.ninja->SetState(290);
        a.ninja->vy = -5;
        a.s.Run(2);
        ASSERT_EQ(a.ninja->frame, 234);
        Foe* foe = a.Enemy(2200, 1200);
        a.Attack(foe);
        EXPECT_EQ(a.ninja->frame, 426);
        a.ninja->y += 50;  // the ceiling is out of reach
        const std::vector<int32_t> t = a.Trace(2);
        EXPECT_EQ(t[0], 422);
        EXPECT_EQ(t[1], 420);
    }
    // In the air a ninjutsu's first record floats: gravity 10/4, not the
    // player's 6/1.
    {
        Armed a(WeaponId::NinjutsuFire, Scenario::CellX(3), 800);
        a.ninja->SetState(290);
        Foe* foe = a.Enemy(2200, 800);
        a.Attack(foe);
        ASSERT_EQ(a.ninja->frame, 420);
        a.ninja->vy = 0;
        a.ninja->gravityAcc = 0;
        a.s.Run(2);
        ASSERT_EQ(a.ninja->frame, 420);
        EXPECT_EQ(a.ninja->vy, 5);
    }
    // At the release the thrower turns to where its target is now, except
    // against a wall, which it keeps facing away from.
    for (const int32_t weapon : {WeaponId::Bomb, WeaponId::Shuriken}) {
        for (const bool wall : {false, true}) {
            SCOPED_TRACE(testing::Message() << "weapon " << weapon << (wall ? " on the wall" : " on the floor"));
            Armed a(weapon, wall ? kLeftWall + 20 : Scenario::CellX(4), wall ? 1200 : kFloor);
            if (wall) {
                a.ninja->wallHold = 1;
                a.ninja->SetState(290);
                a.s.Run(3);
                ASSERT_EQ(a.ninja->frame, 232);
            } else {
                a.s.Run(8);
            }
            Foe* foe = a.Enemy(a.ninja->x + 1000, a.ninja->GetAnchorY());
            a.Attack(foe);
            ASSERT_EQ(a.ninja->facing, 1);
            if (!wall) {
                // On the floor the stance slows by 10 a frame.
                a.ninja->vx = 50;
                a.s.Run(1);
                EXPECT_EQ(a.ninja->vx, 40);
            }
            foe->x = a.ninja->x - 100;
            a.s.TouchUp();
            const int32_t release = (weapon == WeaponId::Bomb ? 380 : 400) + (wall ? 5 : 3);
            for (int i = 0; i < 6 && a.ninja->frame != release; ++i) a.s.Run(1);
            ASSERT_EQ(a.ninja->frame, release);
            EXPECT_EQ(a.ninja->facing, wall ? 1 : -1);
        }
    }
}

// Each throw's stance by the surface it starts from: + 2 on the floor, + 4
// on a wall, + 6 on a ceiling, the state itself in the air. The ninjutsu
// asks whether a surface could be held, the throws whether one is.
TEST(Weapons, EachThrowTakesTheStanceOfItsSurface) {
    struct Surface {
        const char* name;
        int32_t x, y, hold, offset;
    };
    const Surface surfaces[] = {
        {"the air", Scenario::CellX(4), 1000, 290, 0},
        {"the floor", Scenario::CellX(4), kFloor, 230, 2},
        {"the left wall", kLeftWall + 20, 1200, 232, 4},
        {"the right wall", kRightWall - 20, 1200, 232, 4},
        {"the ceiling", Scenario::CellX(4), kCeiling + 20, 234, 6},
    };
    for (const int32_t weapon : {WeaponId::Bomb, WeaponId::Shuriken, WeaponId::NinjutsuFire}) {
        const int32_t base = weapon == WeaponId::Bomb ? 380 : weapon == WeaponId::Shuriken ? 400 : 420;
        for (const Surface& w : surfaces) {
            SCOPED_TRACE(testing::Message() << "weapon " << weapon << " from " << w.name);
            Armed a(weapon, w.x, w.y);
            a.ninja->wallHold = a.ninja->ceilingHold = 1;
            a.ninja->x = w.x;
            a.ninja->y = w.y;
            a.ninja->vx = w.x > Scenario::CellX(6) ? 5 : 0;
            a.ninja->vy = w.y < 1000 ? -5 : 0;
            if (w.hold != 230) a.ninja->SetState(290);
            if (w.hold == 232 || w.hold == 234) {
                a.s.Run(2);
                ASSERT_EQ(a.ninja->frame / 2, w.hold / 2);
            }
            a.ninja->airDashes = 0;
            // Within the fire's 1600 of every surface.
            Foe* foe = a.Enemy(w.x < 2000 ? w.x + 1000 : w.x - 1000, 1300);
            a.Attack(foe);
            EXPECT_EQ(a.ninja->frame, base + w.offset);
            // The throws give the air dashes back; the ninjutsu only on a
            // surface, where the standing and holding stances do.
            EXPECT_EQ(a.ninja->airDashes, weapon != WeaponId::NinjutsuFire || w.hold != 290 ? 1 : 0);

            // The stance holds its surface into the release (bomb after 4
            // frames, shuriken after 2, ninjutsu after 4) ...
            a.s.TouchUp();
            const int32_t windUp = weapon == WeaponId::Shuriken ? 2 : 4;
            for (int i = 1; i < windUp; ++i) {
                a.s.Run(1);
                ASSERT_EQ(a.ninja->frame, base + w.offset) << i;
            }
            // (The ninjutsu's recoil lifts the player off the floor into
            // the airborne release.)
            const bool hops = weapon == WeaponId::NinjutsuFire && w.hold == 230;
            a.s.Run(1);
            ASSERT_EQ(a.ninja->frame, hops ? base + 1 : base + w.offset + 1);
            // ... where a touch away from the foe dashes: from a surface for
            // nothing, in the air for an air dash.
            a.Tap(w.x < 2000 ? 3400 : 600, 800);
            EXPECT_EQ(a.ninja->frame, 320);
            EXPECT_EQ(a.ninja->airDashes, w.hold == 290 || hops ? 0 : 1);
        }
    }
}

// --- Shuriken --------------------------------------------------------------------------------

TEST(Weapons, AShurikenFliesAtTheTargetLinkedToIt) {
    Armed a(WeaponId::Shuriken);
    a.ninja->shurikenAmmo = 1;
    Foe* foe = a.Enemy(3000, a.ninja->GetAnchorY());
    foe->hp = 1000;
    a.Attack(foe);
    a.s.Run(2);
    const auto stars = Stars();
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(a.ninja->shurikenAmmo, 0);
    EXPECT_EQ(stars[0]->vx, 200);
    EXPECT_EQ(stars[0]->linksA[0], foe);
    EXPECT_TRUE(HasChild(*foe, stars[0]));
    EXPECT_EQ(a.ninja->target, nullptr);
    a.s.Run(15);
    EXPECT_TRUE(HitBy(*foe, 5, 100));

    // None left: the pose plays, nothing flies, and the weapon is still
    // owned (0, not the -1 of a weapon never found).
    a.Attack(foe);
    const std::vector<int32_t> t = a.Trace(12);
    EXPECT_TRUE(Contains(t, 403));
    EXPECT_TRUE(Stars().empty());
    EXPECT_EQ(a.ninja->shurikenAmmo, 0);
}

TEST(Weapons, ATargetGoneBeforeTheReleaseLeavesTheThrowItsStoredAim) {
    // Without a target to steer by, each flies on at its release speed.
    struct Case {
        int32_t weapon, speed;
    };
    for (const Case c : {Case{WeaponId::Shuriken, 200}, Case{WeaponId::NinjutsuFire, 100}, Case{WeaponId::NinjutsuWind, 100}}) {
        const int32_t weapon = c.weapon;
        SCOPED_TRACE(weapon);
        Armed a(weapon);
        Foe* foe = a.Enemy(2400, a.ninja->GetAnchorY());
        a.Attack(foe);
        a.Remove(foe);
        a.s.Run(4);
        const auto shots = weapon == WeaponId::Shuriken ? Stars() : weapon == WeaponId::NinjutsuFire ? Fireballs() : Winds();
        ASSERT_EQ(shots.size(), 1u);
        EXPECT_GT(shots[0]->vx, 0) << "toward where the target was";
        EXPECT_LT(std::abs(shots[0]->vy), 10);
        EXPECT_NEAR(std::hypot(shots[0]->vx, shots[0]->vy), c.speed, 1.5);
        EXPECT_EQ(shots[0]->linksA[0], nullptr);
        EXPECT_EQ(a.ninja->facing, 1);
    }
}

// --- Ninjutsu ------------------------------------------------------------------------------

TEST(Weapons, FireNeedsFiveHundredUnitsOfTheGauge) {
    for (int32_t gauge : {499, 500}) {
        SCOPED_TRACE(gauge);
        Armed a(WeaponId::NinjutsuFire);
        Foe* foe = a.Enemy(2600, a.ninja->GetAnchorY());
        a.ninja->StartHomingAttack(foe);
        ASSERT_EQ(a.ninja->frame, 422);
        a.s.ClearSounds();
        a.ninja->gauge = gauge;
        a.ninja->SetState(423);
        EXPECT_EQ(a.ninja->vx, -9) << "the release hops back";
        EXPECT_EQ(a.ninja->vy, -30);
        EXPECT_EQ(a.ninja->target, nullptr);
        const auto fire = Fireballs();
        if (gauge == 499) {
            EXPECT_EQ(a.ninja->gauge, 499) << "nothing spent";
            EXPECT_TRUE(fire.empty());
            EXPECT_TRUE(a.s.Sounds().empty());
        } else {
            EXPECT_EQ(a.ninja->gauge, 0);
            ASSERT_EQ(fire.size(), 1u);
            EXPECT_EQ(fire[0]->vx, 100);
            EXPECT_EQ(a.s.Sounds(), std::vector<int32_t>{21});
            // Not linked to the target, it does not home: it flies on along
            // its aim when the target moves away.
            EXPECT_EQ(fire[0]->linksA[0], nullptr);
            foe->y -= 1200;
            a.s.Run(5);
            const auto later = Fireballs();
            ASSERT_EQ(later.size(), 1u);
            EXPECT_EQ(later[0]->vx, 100);
            EXPECT_EQ(later[0]->vy, 0);
        }
        // The pose plays out either way.
        const std::vector<int32_t> t = a.Trace(20);
        EXPECT_TRUE(IsStanding(t.back()) || t.back() == 236);
    }
}

TEST(Weapons, OneWindAtATime) {
    Armed a(WeaponId::NinjutsuWind);
    Foe* foe = a.Enemy(3000, a.ninja->GetAnchorY() - 600);
    a.ninja->StartHomingAttack(foe);
    a.s.ClearSounds();
    a.ninja->SetState(423);
    auto winds = Winds();
    ASSERT_EQ(winds.size(), 1u);
    EXPECT_EQ(a.ninja->gauge, 2000);
    EXPECT_EQ(a.s.Sounds(), std::vector<int32_t>{50});
    EXPECT_TRUE(HasChild(*a.ninja, winds[0]));
    EXPECT_EQ(winds[0]->typeId, CCharacterAttackEffect::kWindTypeId);
    EXPECT_GT(winds[0]->vx, 0);
    EXPECT_LT(winds[0]->vy, 0) << "aimed up at the target";

    // A second one while the first is out costs nothing and makes nothing.
    a.s.Run(3);
    a.ninja->StartHomingAttack(foe);
    const int32_t gauge = a.ninja->gauge;
    a.ninja->SetState(423);
    EXPECT_EQ(Winds().size(), 1u);
    EXPECT_EQ(a.ninja->gauge, gauge);
}

TEST(Weapons, WaterOrbsCircleThePlayerDrainTheGaugeBlinkWhenLowAndVanishWhenEmpty) {
    Armed a(WeaponId::NinjutsuWater);
    // A touch anywhere casts the orbs on the player.
    a.Tap(a.ninja->x + 1500, a.ninja->y - 800);
    EXPECT_EQ(a.ninja->frame, 422);
    for (int i = 0; i < 6 && Orbs().empty(); ++i) a.s.Run(1);
    auto orbs = Orbs();
    ASSERT_EQ(orbs.size(), 4u);
    for (CCharacterAttackEffect* orb : orbs) {
        EXPECT_EQ(orb->typeId, CCharacterAttackEffect::kCirclingTypeId);
        EXPECT_EQ(orb->linksA[0], a.ninja);
        EXPECT_TRUE(HasChild(*a.ninja, orb));
        EXPECT_EQ(std::hypot(orb->parentOffsetX, orb->parentOffsetY) > 70, true);
    }

    // While they are out the gauge drains by 10 a frame.
    a.ninja->gauge = 2500;
    a.s.Run(10);
    EXPECT_EQ(a.ninja->gauge, 2400);
    for (CCharacterAttackEffect* orb : orbs) EXPECT_EQ(orb->GetBlink(), 0);
    a.ninja->gauge = 1509;
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, 1499);
    for (CCharacterAttackEffect* orb : orbs) EXPECT_NE(orb->GetBlink(), 0) << "below 1500 they blink";
    std::vector<int32_t> blinks;
    for (CCharacterAttackEffect* orb : orbs) blinks.push_back(orb->GetBlink());
    a.s.Run(3);
    for (std::size_t i = 0; i < orbs.size(); ++i) {
        EXPECT_EQ(orbs[i]->GetBlink(), blinks[i] - 3) << "the blink runs on, not started again";
    }
    a.ninja->gauge = 1600;
    a.s.Run(1);
    for (CCharacterAttackEffect* orb : orbs) EXPECT_EQ(orb->GetBlink(), 0);
    a.ninja->gauge = 5;
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, 0);
    EXPECT_TRUE(Orbs().empty()) << "an empty gauge takes them";
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, 3) << "and it fills again";

    // When a scene takes the player the orbs go, and the frame they go in
    // costs nothing.
    a.ninja->gauge = 3000;
    a.s.TouchUp();
    a.s.Run(20);
    a.Tap(a.ninja->x + 1500, a.ninja->y - 800);
    a.s.Run(4);
    ASSERT_EQ(Orbs().size(), 4u);
    a.ninja->gauge = 2000;
    a.ninja->controlled = 0;
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, 2003);
    EXPECT_TRUE(Orbs().empty());

    // As they are cast they lie a quarter turn apart on a circle of 80
    // about the player, the first straight above.
    a.ninja->controlled = 1;
    a.ninja->SetNinjutsuInUse(WeaponId::NinjutsuWater);
    a.ninja->SetState(423);
    orbs = Orbs();
    ASSERT_EQ(orbs.size(), 4u);
    const int32_t offsets[4][2] = {{0, -80}, {80, 0}, {0, 80}, {-80, 0}};
    for (std::size_t i = 0; i < orbs.size(); ++i) {
        EXPECT_EQ(orbs[i]->parentOffsetX, offsets[i][0]) << i;
        EXPECT_EQ(orbs[i]->parentOffsetY, offsets[i][1]) << i;
        EXPECT_EQ(orbs[i]->x, a.ninja->GetAnchorX() + offsets[i][0]) << i;
    }
}

TEST(Weapons, ASecondWaterCastLetsTheOrbsGoInsteadOfMakingMore) {
    // With orbs out the second cast aims at what is touched: an enemy (here
    // behind the player), or the player itself.
    for (const bool atSelf : {false, true}) {
        SCOPED_TRACE(atSelf);
        Armed a(WeaponId::NinjutsuWater);
        a.ninja->StartHomingAttack(a.ninja);
        a.ninja->SetState(423);
        ASSERT_EQ(Orbs().size(), 4u);
        EXPECT_EQ(a.ninja->gauge, 2000);
        a.s.Run(12);
        a.ninja->facing = 1;
        Foe* foe = a.Enemy(a.ninja->x - 800, a.ninja->GetAnchorY());
        const int32_t gauge = a.ninja->gauge;
        if (atSelf) {
            a.Tap(a.ninja->x, a.ninja->GetAnchorY());
        } else {
            a.Attack(foe);
        }
        EXPECT_EQ(a.ninja->target, atSelf ? static_cast<CCharacter*>(a.ninja) : foe);
        a.s.Run(4);
        EXPECT_TRUE(Orbs().empty());
        EXPECT_EQ(FreeOrbs().size(), 4u);
        EXPECT_EQ(a.ninja->facing, atSelf ? 1 : -1);
        EXPECT_GT(a.ninja->gauge, gauge - 100) << "letting go costs nothing";
    }
}

// --- The gauge -------------------------------------------------------------------------------

TEST(Weapons, TheGaugeFillsByAnEightHundredthOfItsMaximumWhileAlive) {
    Armed a(WeaponId::Katana);
    a.ninja->gauge = 0;
    a.s.Run(10);
    EXPECT_EQ(a.ninja->gauge, 30);
    a.ninja->gauge = a.ninja->gaugeMax - 1;
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, a.ninja->gaugeMax);
    a.ninja->gaugeMax = 8000;
    a.ninja->gauge = 0;
    a.s.Run(1);
    EXPECT_EQ(a.ninja->gauge, 10);
    a.ninja->hp = 0;
    a.ninja->gauge = 0;
    a.ninja->UpdateGauge();
    EXPECT_EQ(a.ninja->gauge, 0);
}

// --- Dive and launched flight ------------------------------------------------------------------

TEST(Weapons, TheDiveStrikesWhatItFallsOnAndBouncesOff) {
    Armed a(WeaponId::Katana, Scenario::CellX(4), 900);
    a.ninja->attack = 250;
    a.ninja->SetState(290);
    a.ninja->airDashes = 0;
    Foe* foe = a.Enemy(a.ninja->x, kFloor - 100);
    foe->hp = 1000;
    a.ninja->SetState(440);
    std::vector<int32_t> t;
    int32_t bounce = 0;
    int diving = 0;
    for (int i = 0; i < 30; ++i) {
        a.s.Run(1);
        if (a.ninja->frame == 443 && !Contains(t, 443)) bounce = a.ninja->vy;
        if (a.ninja->frame == 441 || a.ninja->frame == 442) {
            // A bluish trail at the player's layer, alpha 120, fading by 8.
            ++diving;
            const auto& trail = a.ninja->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.red, trail.green, trail.blue, trail.alpha, trail.fadeStep),
                      std::make_tuple(152, 192, 192, 255, 120, 8));
        }
        t.push_back(a.ninja->frame);
    }
    EXPECT_GT(diving, 0);
    EXPECT_TRUE(HitBy(*foe, 9, 250));
    EXPECT_TRUE(Contains(t, 443));
    EXPECT_EQ(bounce, -50) << "it bounces up off what it strikes";
    EXPECT_EQ(a.ninja->airDashes, a.ninja->airDashesMax) << "a hit gives back the air dashes";
}

TEST(Weapons, TheLaunchedFlightStrikesWithFiveTimesTheAttack) {
    Armed a(WeaponId::Katana, Scenario::CellX(2), 1400);
    a.ninja->y = 1400;
    a.ninja->SetState(290);
    Foe* foe = a.Enemy(Scenario::CellX(5), 1400);
    foe->hp = 10000;
    a.ninja->attackDirX = 100;
    a.ninja->attackDirY = 0;
    a.ninja->SetState(360);
    EXPECT_EQ(a.ninja->GetInvulnerable(), 999);
    std::vector<int32_t> t, flight;
    for (int i = 0; i < 40; ++i) {
        a.s.Run(1);
        t.push_back(a.ninja->frame);
        if (a.ninja->frame == 361) flight.push_back(a.ninja->vx);
    }
    // 20 frames of spinning flight, slowing by a fiftieth each frame.
    ASSERT_EQ(flight.size(), 20u);
    EXPECT_EQ(std::vector<int32_t>(flight.begin(), flight.begin() + 5), (std::vector<int32_t>{98, 96, 94, 92, 90}));
    EXPECT_TRUE(HitBy(*foe, 1, 500));
    EXPECT_TRUE(a.ninja->IsLaunched() || a.ninja->frame == 236 || IsStanding(a.ninja->frame));
}

TEST(Weapons, TheDashStrikesWhatItPassesThrough) {
    Armed a(WeaponId::Katana);
    a.ninja->attack = 140;
    Foe* foe = a.Enemy(1700, kFloor - 100);
    foe->hp = 1000;
    // A touch well beyond the foe: a dash along the floor, not a homing
    // attack.
    a.Tap(3300, kFloor - 100);
    EXPECT_EQ(a.ninja->frame, 320);
    EXPECT_EQ(a.ninja->target, nullptr);
    a.s.Run(20);
    EXPECT_TRUE(HitBy(*foe, 1, 140));
}

// --- Scene flights -------------------------------------------------------------------------

TEST(Weapons, TheSceneFlightsComeToRestAndTheOpeningPlaysItsSound) {
    Scenario open({"....", "....", "....", "...."}, {});
    auto* ninja = open.Add(std::make_unique<CCharacterNinja>(), 800, 1400);
    open.SetPlayer(ninja);
    // The ending's descent stops at its mark with a puff.
    ninja->SetState(967);
    ninja->vy = 15;
    ninja->y = 1949;
    const int32_t puffs = static_cast<int32_t>(testing_support::InStates(50, 50).size());
    open.Run(1);
    EXPECT_NE(ninja->frame, 969) << "not yet below 1949";
    EXPECT_EQ(ninja->y, 1964);
    open.Run(1);
    EXPECT_EQ(ninja->frame, 969);
    EXPECT_EQ(ninja->vy, 0);
    EXPECT_EQ(static_cast<int32_t>(testing_support::InStates(50, 50).size()), puffs + 1);
    // The puff it stops with is drawn at alpha 192; the climb's trail, every
    // frame, at 160.
    for (const int32_t pose : {967, 965}) {
        SCOPED_TRACE(pose);
        ninja->SetState(pose);
        ninja->y = 1950;
        ninja->UpdateScriptedExit();
        const auto trail = testing_support::InStates(50, 50);
        ASSERT_FALSE(trail.empty());
        EXPECT_EQ(trail.back()->alpha, pose == 967 ? 192 : 160);
    }

    // The ending's climb turns once above -1000: back in at stage height
    // -400, drifting down at 15 and left at 3.
    for (const int32_t top : {-999, -1001}) {
        SCOPED_TRACE(top);
        ninja->SetState(965);
        ninja->x = 800;
        ninja->y = top;
        ninja->vx = 0;
        ninja->vy = -30;
        open.Run(1);
        if (top == -999) {
            EXPECT_EQ(ninja->frame / 2, 965 / 2);
            EXPECT_EQ(ninja->vy, -31);
        } else {
            EXPECT_EQ(ninja->frame, 967);
            EXPECT_EQ(ninja->vx, -3);
            EXPECT_EQ(ninja->vy, 15);
            EXPECT_EQ(ninja->y, -400 + 15);
        }
    }

    // The opening: 981 falls at a tenth of the gravity and spins; 985
    // sounds once as it starts.
    ninja->SetState(981);
    ninja->vy = 0;
    const double angle = ninja->angle;
    open.Run(10);
    EXPECT_LE(ninja->vy, 6);
    EXPECT_NE(ninja->angle, angle);
    open.ClearSounds();
    ninja->SetState(985);
    open.Run(1);
    EXPECT_EQ(open.Sounds(), std::vector<int32_t>{75}) << "as it starts";
    open.Run(4);
    EXPECT_EQ(open.Sounds(), std::vector<int32_t>{75});
}
