#include "player/CharacterRobo.h"

#include "character/CharacterAttackEffect.h"
#include "character/CharacterList.h"
#include "frames/FrameTables.h"
#include "framework/GameMain.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kDrillSound = 55;
constexpr int32_t kRamSound = 59;
// How far in front of the body the drill is set off.
constexpr int32_t kDrillReach = 200;
// The ending's rise and hover.
constexpr int32_t kEndingRise = -19;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

constexpr CNinjaVariant::Bands kBands{{320, 329}, {330, 349}, {360, 379}, {361, 367}, {368, 374}, 375, {947, 953}};
constexpr CNinjaVariant::Strike kDoubleStrike{13, 13, 2, 1, kRamSound};

}  // namespace

CCharacterRobo::CCharacterRobo() : CNinjaVariant(4, kCharacterRoboFrames, kBands, kDoubleStrike) {}

void CCharacterRobo::RunStateHandler() {
    if (In(frame, 963, 969)) vy = kEndingRise;
    else if (frame == 970 || frame == 971) vy = 0;
    else CNinjaVariant::RunStateHandler();
}

void CCharacterRobo::LeaveState(int32_t from, int32_t to) {
    if (In(from, kFirstSpin, kChargeEnd) && !In(to, kFirstSpin, kChargeEnd)) {
        if (from == kChargeEnd) releasedSide = 0;
        angle = angle2 = 0.0;
    }
    if (In(from, 330, 332)) angle = angle2 = 0.0;
    CNinjaVariant::LeaveState(from, to);
}

bool CCharacterRobo::EnterOwnState(int32_t& state, int32_t) {
    switch (state) {
        case 320:
            vx = vy = 0;
            [[fallthrough]];
        case 329: {
            // The drill, set off at the charge's start in front of the arm that
            // holds it; it lives its own life.
            const int32_t dx = GetAnchorX() + facing * kDrillReach, dy = GetAnchorY();
            CCharacter* drill =
                SpawnAttackEffect(this, CCharacterAttackEffect::kDrill, facing, dx, dx, dy, dy, 0, 0, 0, 0);
            if (drill != nullptr) {
                LinkB(drill);
                drill->linksA[0] = this;
            }
            PlaySE(kDrillSound);
            break;
        }
        case 330:
        case 331:
        case 332:
            if (target != nullptr) {
                Toward(x, y, target->x, target->y, kHomingSpeed, vx, vy);
                FaceVelocity();
            }
            break;
        default:
            break;
    }
    return true;
}

void CCharacterRobo::StartMove(int32_t px, int32_t py) {
    AimAttack(px, py, kChargeSpeed);
    const int32_t ticks = DashTicks(px - x, py - y, attackDirX, attackDirY, 5);
    for (int32_t spin = kFirstSpin; spin <= kLastSpin; ++spin) SetRecordDuration(spin, ticks);
    SetState(IsStandingState(frame) ? 329 : 320);
}

void CCharacterRobo::StartHoming(CCharacter* winner) {
    target = winner;
    SetState(PlayerState::HomingAttack);
    AimAttack(winner->x, winner->y, kHomingSpeed);
}

void CCharacterRobo::UpdateMoveAttack() {
    const int32_t f = frame;
    if (In(f, kFirstSpin, kLastSpin)) {
        if (stateTimer > 1 && TryHold()) {
            SetState(kChargeEnd);
        } else {
            // Full speed, then slower tick by tick over the last ten.
            const int32_t left = CurrentRecord().stateDuration - stateTimer;
            vx = left > kSlowTicks ? attackDirX : attackDirX * left / kSlowTicks;
            vy = left > kSlowTicks ? attackDirY : attackDirY * left / kSlowTicks;
            FaceVelocity();
            angle2 = angle;
            StartAfterimage(1, layer - 1, 160, 10);
            AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, 1, attack * 2);
        }
    } else if (f == kChargeEnd) {
        TryHold();
    }
    AttackTail();
}

void CCharacterRobo::UpdateApproach() {
    if (AttackHits(target)) {
        SetState(333);
        vx = vy = 0;
        return;
    }
    Toward(x, y, target->x, target->y, kHomingSpeed, vx, vy);
    angle2 = angle;
    FaceVelocity();
    StartAfterimage(1, layer - 1, 160, 8);
    SetFacingFromVx();
}

bool CCharacterRobo::IsFootStance(int32_t f) const {
    return IsStandingState(f) || f == 324 || f == 325 || In(f, 940, 953);
}
