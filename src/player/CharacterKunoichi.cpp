#include "player/CharacterKunoichi.h"

#include "character/CharacterEffect.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kSmoke = 60;
constexpr int32_t kVanishSound = 54;
constexpr int32_t kCutSound = 0;
// The body's centre above the feet of a standing player.
constexpr int32_t kBodyCentre = 190;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// The move and homing states in which she cannot be hurt.
bool IsUnhurtState(int32_t f) { return In(f, 320, 325) || In(f, 330, 332); }

constexpr CNinjaVariant::Bands kBands{{320, 325}, {330, 344}, {360, 365}, {361, 362}, {363, 364}, 365, {941, 941}};
constexpr CNinjaVariant::Strike kHalfStrike{2, 3, 1, 2, kCutSound};

}  // namespace

CCharacterKunoichi::CCharacterKunoichi() : CNinjaVariant(2, kCharacterKunoichiFrames, kBands, kHalfStrike) {}

void CCharacterKunoichi::LeaveState(int32_t from, int32_t to) {
    if (from == 321 || from == 325) angle = angle2 = 0.0;
    if (from == kSmokeFlight) {
        vx = vy = 0;
        SpawnEffect(kSmoke, facing, x, x, y, y, 0, 0, 0, 0);
    }
    if (from == 323) {
        vx = vy = 0;
        releasedSide = 0;
    }
    if (from == 331) vx = vy = 0;
    if (IsUnhurtState(from) && !IsUnhurtState(to)) {
        ClearInvulnerable();
        ClearTimer172();
    }
    CNinjaVariant::LeaveState(from, to);
}

void CCharacterKunoichi::Vanish(int32_t smokeY) {
    SpawnEffect(kSmoke, facing, x, x, smokeY, smokeY, 0, 0, 0, 0);
    PlaySE(kVanishSound);
    SetInvulnerable(-1);
    SetTimer172(-1);
}

bool CCharacterKunoichi::EnterOwnState(int32_t& state, int32_t) {
    switch (state) {
        case 320:
            vx = vy = 0;
            Vanish(y);
            break;
        case 324:
            vx = vy = 0;
            Vanish(y - kBodyCentre);
            break;
        case PlayerState::HomingAttack:
            Vanish(y);
            break;
        case 332:
            // Already within reach: the cuts start at once.
            if (ReachesFrom(332, target)) {
                SetState(333);
                vx = vy = 0;
                return false;
            }
            break;
        default:
            break;
    }
    return true;
}

void CCharacterKunoichi::StartMove(int32_t px, int32_t py) {
    AimAttack(px, py, kDashSpeed);
    // The dash ends on the touched point, or at most one tick past it.
    SetRecordDuration(kSmokeFlight, DashTicks(px - x, py - y, attackDirX, attackDirY, 1));
    SetState(IsStandingState(frame) ? 324 : 320);
}

void CCharacterKunoichi::StartHoming(CCharacter* winner) {
    SetState(PlayerState::HomingAttack);
    AimAttack(winner->x, winner->y, kHomingSpeed);
    SpawnDashTrail(x - attackDirX, y - attackDirY);
    target = winner;
}

void CCharacterKunoichi::UpdateMoveAttack() {
    if (frame == kSmokeFlight) {
        if (stateTimer > 1 && TryHold()) {
            SetState(323);
        } else {
            vx = attackDirX;
            vy = attackDirY;
        }
    } else if (frame == 323) {
        TryHold();
    }
    AttackTail();
}

void CCharacterKunoichi::UpdateApproach() {
    if (frame != 332) return;
    if (AttackHits(target)) {
        SetState(333);
        vx = vy = 0;
        return;
    }
    AimAttack(target->x, target->y, kHomingSpeed);
    vx = attackDirX;
    vy = attackDirY;
    SetFacingFromVx();
}

bool CCharacterKunoichi::IsFootStance(int32_t f) const { return IsStandingState(f) || f == 940 || f == 941; }
