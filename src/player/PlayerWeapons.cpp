// The throws and ninjutsu: the stances they are thrown from (in the air, on
// the ground, on a wall, under a ceiling) and what their releases send off:
// the bomb's arc, the shuriken, the fireball, the wind and the water orbs,
// with their ammunition and gauge costs.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

namespace {

using Shot = CCharacterAttackEffect;

constexpr double kPi = 3.14159265358979323846;

// A bomb leaves the hand this far in front of the player, and flies one
// frame for every this many units across, within these bounds.
constexpr int32_t kBombReach = 100;
constexpr int32_t kBombUnitsPerFrame = 30;
constexpr int32_t kBombLongestFlight = 20;
constexpr int32_t kBombShortFlight = 4;  // this or shorter ...
constexpr int32_t kBombShortestFlight = 5;  // ... flies this long

constexpr int32_t kShurikenSpeed = 200;
constexpr int32_t kFireSpeed = 100;
constexpr int32_t kWindSpeed = 100;
// The water orbs: four on a circle about the player, drifting outward as
// they start to circle.
constexpr int32_t kOrbCount = 4;
constexpr int32_t kOrbRadius = 80;
constexpr int32_t kOrbSpeed = 20;

// What each ninjutsu costs of the gauge.
constexpr int32_t kFireCost = 500;
constexpr int32_t kWindCost = 1000;
constexpr int32_t kWaterCost = 1000;

// The hop back of a ninjutsu's release.
constexpr int32_t kNinjutsuRecoilX = -9;
constexpr int32_t kNinjutsuRecoilY = -30;

// The first ninjutsu frame floats: its gravity rate.
constexpr int32_t kFloatNum = 10;
constexpr int32_t kFloatDen = 4;

constexpr int32_t kFireSound = 21;
constexpr int32_t kWindSound = 50;

// The velocity of `speed` from one point toward another (none when they
// coincide).
void Toward(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int32_t speed, int32_t& vx, int32_t& vy) {
    const double dx = static_cast<double>(toX) - fromX, dy = static_cast<double>(toY) - fromY;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        vx = vy = 0;
        return;
    }
    vx = static_cast<int32_t>(dx * speed / length);
    vy = static_cast<int32_t>(dy * speed / length);
}

// How far a body falls in `frames` frames from the vertical speed v, when
// each frame its speed grows by `gravity` up to `maxFall` before it moves
// (a faster start is kept, as the gravity step keeps it).
int64_t FallDistance(int32_t v, int32_t frames, int32_t gravity, int32_t maxFall) {
    int64_t distance = 0;
    int32_t speed = v;
    for (int32_t i = 0; i < frames; ++i) {
        if (speed < maxFall) speed = std::min(speed + gravity, maxFall);
        distance += speed;
    }
    return distance;
}

// The starting vertical speed that falls `drop` units (negative: rises) in
// `frames` frames under that gravity: the nearest whole speed.
int32_t LaunchSpeedY(int32_t drop, int32_t frames, int32_t gravity, int32_t maxFall) {
    // The distance never shrinks as the start speed grows: a binary search
    // for the first speed that reaches the drop.
    int32_t lo = -100000, hi = 100000;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (FallDistance(mid, frames, gravity, maxFall) >= drop) hi = mid;
        else lo = mid + 1;
    }
    const int64_t over = FallDistance(lo, frames, gravity, maxFall) - drop;
    const int64_t under = drop - FallDistance(lo - 1, frames, gravity, maxFall);
    return under < over ? lo - 1 : lo;
}

}  // namespace

// --- Stances -------------------------------------------------------------------

void CCharacterPlayer::UpdateBombThrow() { UpdateThrowStance(PlayerState::BombThrow); }
void CCharacterPlayer::UpdateShurikenThrow() { UpdateThrowStance(PlayerState::ShurikenThrow); }
void CCharacterPlayer::UpdateNinjutsu() { UpdateThrowStance(PlayerState::Ninjutsu); }

void CCharacterPlayer::UpdateThrowStance(int32_t first) {
    // Each block: +0/+1 in the air, +2/+3 on the ground, +4/+5 on a wall,
    // +6/+7 under a ceiling; the odd record of each pair is the release.
    switch (frame - first) {
        case 0:
        case 1: {
            RefillAirDashes();
            const bool floats = first == PlayerState::Ninjutsu && frame == first;
            const bool airborne = floats ? ApplyGravityWith(kFloatNum, kFloatDen) : ApplyGravity();
            if (!airborne) {
                SetFrame(frame + 2);
                vx = vy = 0;
            }
            break;
        }
        case 2:
        case 3:
            if (ApplyGravity()) SetFrame(frame - 2);
            AccelerateXForward(0, 10);
            break;
        case 4:
        case 5:
            RefillAirDashes();
            // The wall behind the player.
            if (!TouchesSolid(facing == 1 ? 2 : 3)) SetFrame(frame - 2);
            break;
        case 6:
        case 7:
            RefillAirDashes();
            if (!TouchesSolid(1)) SetFrame(frame - 4);
            break;
        default:
            break;
    }
    const int32_t k = frame - first;
    if (k == 1) {
        if (!TryHomingAttack(false)) TryMoveAttackInAir();
    } else if (k == 3 || k == 5 || k == 7) {
        if (!TryHomingAttack(false)) TryMoveAttackNoFlag(0);
    }
}

// --- Releases --------------------------------------------------------------------

void CCharacterPlayer::GetAimPoint(int32_t& aimX, int32_t& aimY) {
    if (target != nullptr) {
        aimX = target->GetAnchorX();
        aimY = target->GetAnchorY();
    } else {
        aimX = attackDirX;
        aimY = attackDirY;
    }
}

void CCharacterPlayer::FacePoint(int32_t pointX) {
    if (pointX > x) facing = 1;
    else if (pointX < x) facing = -1;
}

void CCharacterPlayer::LinkShotToTarget(CCharacter* shot) {
    if (target == nullptr) return;
    shot->LinkA(target);
    target->LinkB(shot);
}

void CCharacterPlayer::ReleaseBomb(int32_t state) {
    int32_t aimX = 0, aimY = 0;
    GetAimPoint(aimX, aimY);
    if (state != PlayerState::BombThrow + 5) FacePoint(aimX);
    if (bombAmmo > 0) {
        --bombAmmo;
        const int32_t fromX = GetAnchorX() + kBombReach * facing, fromY = GetAnchorY();
        if (Shot* bomb = SpawnAttackEffect(this, Shot::kThrownBomb, facing, fromX, fromX, fromY, fromY, 0, 0, 0, 0)) {
            // An arc that ends on the aim point when the flight time is up.
            int32_t frames = std::abs(aimX - fromX) / kBombUnitsPerFrame;
            if (frames > kBombLongestFlight) frames = kBombLongestFlight;
            if (frames <= kBombShortFlight) frames = kBombShortestFlight;
            const int32_t gravity = bomb->gravityDen > 0 ? bomb->gravityNum / bomb->gravityDen : 0;
            bomb->vx = (aimX - fromX) / frames;
            bomb->vy = LaunchSpeedY(aimY - fromY, frames, gravity, bomb->maxFall);
        }
    }
    target = nullptr;
}

void CCharacterPlayer::ReleaseShuriken(int32_t state) {
    int32_t aimX = 0, aimY = 0;
    GetAimPoint(aimX, aimY);
    if (state != PlayerState::ShurikenThrow + 5) FacePoint(aimX);
    if (shurikenAmmo > 0) {
        --shurikenAmmo;
        const int32_t fromX = GetAnchorX(), fromY = GetAnchorY();
        int32_t svx = 0, svy = 0;
        Toward(fromX, fromY, aimX, aimY, kShurikenSpeed, svx, svy);
        if (Shot* shuriken = SpawnAttackEffect(this, Shot::kShuriken, facing, fromX, fromX, fromY, fromY, svx, svx, svy, svy))
            LinkShotToTarget(shuriken);
    }
    target = nullptr;
}

void CCharacterPlayer::ReleaseNinjutsu() {
    int32_t aimX = 0, aimY = 0;
    GetAimPoint(aimX, aimY);
    FacePoint(aimX);
    vx = kNinjutsuRecoilX * facing;
    vy = kNinjutsuRecoilY;
    const int32_t fromX = GetAnchorX(), fromY = GetAnchorY();
    switch (ninjutsuInUse) {
        case WeaponId::NinjutsuFire:
            if (gauge >= kFireCost) {
                PlaySE(kFireSound);
                int32_t svx = 0, svy = 0;
                Toward(fromX, fromY, aimX, aimY, kFireSpeed, svx, svy);
                // The fireball is not linked to the target: it flies on
                // along its aim.
                SpawnAttackEffect(this, Shot::kFireball, facing, fromX, fromX, fromY, fromY, svx, svx, svy, svy);
                gauge -= kFireCost;
            }
            break;
        case WeaponId::NinjutsuWind: {
            // One wind at a time: the launcher's state is its two frames.
            bool windOut = false;
            for (const CCharacter* child : linksB)
                windOut = windOut || (child != nullptr && child->typeId == Shot::kWindTypeId &&
                                      InRange(child->frame, Shot::kWindLauncher, Shot::kWindLauncher + 1));
            if (gauge >= kWindCost && !windOut) {
                PlaySE(kWindSound);
                int32_t svx = 0, svy = 0;
                Toward(fromX, fromY, aimX, aimY, kWindSpeed, svx, svy);
                if (Shot* wind = SpawnAttackEffect(this, Shot::kWindLauncher, facing, fromX, fromX, fromY, fromY, svx, svx, svy, svy)) {
                    LinkB(wind);
                    LinkShotToTarget(wind);
                }
                gauge -= kWindCost;
            }
            break;
        }
        case WeaponId::NinjutsuWater: {
            // Orbs already out are let go; new ones come only when none was out.
            bool anyOrb = false;
            for (CCharacter* child : linksB) {
                if (child == nullptr || child->typeId != Shot::kCirclingTypeId) continue;
                anyOrb = true;
                if (child->frame == Shot::kCircling) child->SetState(Shot::kCirclingFree);
            }
            if (anyOrb || gauge < kWaterCost) break;
            for (int32_t i = 0; i < kOrbCount; ++i) {
                const double a = kPi / 2 * i;
                const double dirX = std::sin(a), dirY = -std::cos(a);
                const int32_t ox = static_cast<int32_t>(dirX * kOrbRadius), oy = static_cast<int32_t>(dirY * kOrbRadius);
                const int32_t ovx = static_cast<int32_t>(dirX * kOrbSpeed), ovy = static_cast<int32_t>(dirY * kOrbSpeed);
                Shot* orb = SpawnAttackEffect(this, Shot::kCircling, facing, fromX + ox, fromX + ox, fromY + oy,
                                              fromY + oy, ovx, ovx, ovy, ovy);
                if (orb == nullptr) continue;
                orb->parentOffsetX = ox;
                orb->parentOffsetY = oy;
                orb->FaceVelocity();
                // An orb circles what it is linked to first: the target, or
                // the player when there is none.
                if (target != nullptr && target != this) LinkShotToTarget(orb);
                else orb->LinkA(this);
                LinkB(orb);
            }
            gauge -= kWaterCost;
            break;
        }
        default:
            break;
    }
    target = nullptr;
}
