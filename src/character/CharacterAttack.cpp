// Attacks, hits and damage: an attack is a character whose current record
// has an attack box; its owner calls AttackAll, and every matching victim
// whose hurt box it overlaps receives OnHit, whose base reaction (damage,
// spark, sound, timers, hurt or defeat state) is chosen by the attack kind.
#include <cmath>
#include <utility>

#include "character/Character.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sound-effect slots of a hit.
constexpr int32_t kHitSound = 24;
constexpr int32_t kHeavyHitSound = 58;

// Spark states of the effect class.
constexpr int32_t kSparkHit = 10;
constexpr int32_t kSparkLethal = 20;
constexpr int32_t kSparkBurst = 30;

constexpr int32_t kHurtState = 10;
constexpr int32_t kDefeatState = 110;

// How far from the victim the burst spark of kind 11 may land.
constexpr int32_t kBurstScatter = 300;

bool BoxPresent(int32_t left, int32_t right, int32_t top, int32_t bottom) {
    return (left != 0 || right != 0) && (top != 0 || bottom != 0);
}

bool SpanOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1) {
    if (a0 > a1) std::swap(a0, a1);
    if (b0 > b1) std::swap(b0, b1);
    return RangesOverlap(a0, a1, b0, b1);
}

double Angle(int32_t a, int32_t b) { return std::atan2(static_cast<double>(a), static_cast<double>(b)); }

// One spark in the victim's facing at (x0..x1, y0..y1), not moving.
CCharacter* Spark(CCharacter& victim, int32_t state, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    return SpawnEffect(state, victim.facing, x0, x1, y0, y1, 0, 0, 0, 0);
}

void SparkAt(CCharacter& victim, int32_t state, double angle) {
    if (CCharacter* s = Spark(victim, state, victim.x, victim.x, victim.y, victim.y)) s->angle = angle;
}

void SpawnSparks(CCharacter& victim, int32_t kind, bool lethal, const CCharacter& attacker) {
    const int32_t dx = attacker.x - victim.x;
    const int32_t dy = attacker.y - victim.y;
    switch (kind) {
        case 1:
            SparkAt(victim, lethal ? kSparkLethal : kSparkHit, Angle(attacker.attackDirX, -attacker.attackDirY) + kPi);
            break;
        case 2:
        case 3:
            if (lethal) {
                SparkAt(victim, kSparkLethal, Angle(dx, -dy) + kPi / 4);
                SparkAt(victim, kSparkLethal, Angle(dx, -dy) - kPi / 4);
            } else {
                SparkAt(victim, kSparkHit, Angle(dy, dx) + (kind == 3 ? kPi : 0.0));
            }
            break;
        case 9:
            SparkAt(victim, kSparkHit, Angle(attacker.vx, -attacker.vy) + kPi);
            break;
        case 11:
            if (lethal) Spark(victim, kSparkBurst, victim.x, victim.x, victim.y, victim.y);
            else
                Spark(victim, kSparkBurst, victim.x - kBurstScatter, victim.x + kBurstScatter, victim.y - kBurstScatter,
                      victim.y + kBurstScatter);
            break;
        default:
            break;
    }
}

// The sound of a hit by kind, or -1 for none.
int32_t HitSound(int32_t kind, bool lethal) {
    if (kind <= 0 || kind >= 15) return lethal ? kHitSound : -1;
    switch (kind) {
        case 4:
            return -1;
        case 6:
            return lethal ? -1 : kHitSound;
        case 8:
            // A continuous hit sounds on every eighth frame only.
            return lethal || CGameMain::GetInstance()->m_frameCount % 8 == 0 ? kHitSound : -1;
        case 13:
        case 14:
            return kHeavyHitSound;
        default:
            return kHitSound;
    }
}

}  // namespace

CCharacter* CCharacter::AttackAll(CCharacterList*, int32_t groupMask, int32_t kind, int32_t damage) {
    // One call hits every matching character; the last one hit is the result.
    CCharacter* result = nullptr;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.cursor = 0;
    while (CCharacter* c = world.GetNext()) {
        if ((c->group & groupMask) == 0 || c == this) continue;
        // Any running (or held) protective timer keeps the victim safe.
        if (c->invincibleTimer != 0 || c->invulnerableTimer != 0 || c->damageFlashTimer != 0) continue;
        if (AttackHits(c) && c->OnHit(kind, damage, facing, this)) result = c;
    }
    return result;
}

bool CCharacter::AttackHits(CCharacter* other) {
    if (other == nullptr || other == this) return false;
    const FrameRecord& a = CurrentRecord();
    const FrameRecord& h = other->CurrentRecord();
    if (!BoxPresent(a.attackLeft, a.attackRight, a.attackTop, a.attackBottom)) return false;
    if (!BoxPresent(h.hurtLeft, h.hurtRight, h.hurtTop, h.hurtBottom)) return false;
    if (!SpanOverlap(a.attackTop + y, a.attackBottom + y, h.hurtTop + other->y, h.hurtBottom + other->y)) return false;
    return SpanOverlap(a.attackLeft * facing + x, a.attackRight * facing + x, h.hurtLeft * other->facing + other->x,
                       h.hurtRight * other->facing + other->x);
}

bool CCharacter::OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) {
    hp -= ScaleDamage(kind, damage);
    const bool lethal = hp <= 0;
    if (lethal) hp = 0;

    SpawnSparks(*this, kind, lethal, *attacker);
    if (kind == 1 || kind == 2 || kind == 3 || kind == 12 || kind == 13 || kind == 14) attacker->OnAttackLanded();
    const int32_t sound = HitSound(kind, lethal);
    if (sound >= 0) PlaySE(sound);

    if (lethal) {
        if (kind == 16) return true;
        // Kind 1 is the player characters' own attack: a kill gives the
        // attacker its air dashes back. Only a player has them.
        if (kind == 1) {
            if (auto* player = dynamic_cast<CCharacterPlayer*>(attacker)) player->RefillAirDashes();
        }
        if (!superArmor) facing = -direction;
        SetState(kDefeatState);
        return true;
    }

    auto hurt = [&] {
        if (superArmor) return;
        SetState(kHurtState);
        facing = -direction;
        vx = 0;
        vy = 0;
    };
    switch (kind) {
        case 1:
        case 12:
            SetInvulnerable(20);
            hurt();
            break;
        case 7:
            SetDamageFlash(4);
            hurt();
            break;
        case 8:
        case 16:
            break;
        case 10:
            SetDamageFlash(4);
            break;
        case 14:
            SetDamageFlash(20);
            hurt();
            SetHitStop(6);
            break;
        default:
            SetDamageFlash(1);
            hurt();
            break;
    }
    return true;
}

int32_t CCharacter::ScaleDamage(int32_t kind, int32_t damage) {
    if (kind == 70 && (frame == 40 || guardTimer != 0)) return damage / 10;
    if (kind == 64 && (frame == 60 || guardTimer != 0)) return damage / 5;
    return damage;
}
