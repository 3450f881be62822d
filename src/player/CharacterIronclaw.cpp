#include "player/CharacterIronclaw.h"

#include <algorithm>

#include "character/CharacterList.h"
#include "frames/FrameTables.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kPounceSound = 6;
constexpr int32_t kStrikeSound = 0;
// The wind-up brakes the motion it starts from to a tenth.
constexpr int32_t kWindUpBrake = 10;
// The katana: wind-ups in the air and on the ground, the chase, the seven
// strike pairs (swing even, strike odd), the finishing poses, and the
// give-up that stands again.
constexpr int32_t kAirWindUp = 330;
constexpr int32_t kGroundWindUp = 331;
constexpr int32_t kChase = 332;
constexpr int32_t kFirstSwing = 334;
constexpr int32_t kLastStrike = 347;
constexpr int32_t kStrikePairs = 7;
constexpr int32_t kFirstFinish = 348;
constexpr int32_t kLastFinish = 354;
constexpr int32_t kGiveUp = 359;
constexpr int32_t kChaseSpeed = 150;
// The katana's wind-up from the ground lifts him half a body.
constexpr int32_t kKatanaLift = 100;
constexpr int32_t kDashEnd = 325;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }
bool IsSwing(int32_t f) { return In(f, kFirstSwing, kLastStrike) && f % 2 == 0; }
bool IsStrike(int32_t f) { return In(f, kFirstSwing, kLastStrike) && f % 2 == 1; }
bool IsStanding(int32_t f) { return f == 230 || f == 231 || f == 236; }

CCharacterList* World() { return &CGameMain::GetInstance()->m_characterList; }

}  // namespace

// Luka's construction (her life) with Ironclaw's table and the looks of his
// blast and bonk.
CCharacterIronclaw::CCharacterIronclaw() {
    typeId = 6;
    frameTable.Load(kCharacterIronclawFrames);
    pictureShift = kOwnPictures;
    blastSparkHigh = 561;
    blastSparkLow = 560;
    bonkEffect = 570;
}

void CCharacterIronclaw::RunStateHandler() {
    if (In(frame, PlayerState::HomingAttack, kLastFinish)) UpdateHomingAttack();
    else CCharacterLuka::RunStateHandler();
}

// --- States ----------------------------------------------------------------------

void CCharacterIronclaw::LeaveState(int32_t from, int32_t to) {
    if (from == 280 || from == 281 || from == 981 || from == 982 ||
        ((from == 361 || from == 362) && !In(to, 360, 362)) || (In(from, 321, 324) && !In(to, 320, 329))) {
        angle = angle2 = 0.0;
    }
    if (from == kDashEnd) {
        releasedSide = 0;
        angle = angle2 = 0.0;
    }
    if (from == kChase || from == kChase + 1) vx = vy = 0;
    LeaveAttackStates(from, to, kLastFinish);
}

void CCharacterIronclaw::EnterState(int32_t state) {
    const int32_t from = frame;
    switch (state) {
        case PlayerState::Jump:
        case PlayerState::MoveAttack:
            // The crouch brakes the motion it starts from.
            LeaveState(from, state);
            vx /= kWindUpBrake;
            vy /= kWindUpBrake;
            break;
        case 281:
        case 321:
        case 322:
        case 323:
        case 324:
            LeaveState(from, state);
            PlaySE(kPounceSound);
            EnterFlight(from);
            break;
        case kAirWindUp:
        case kGroundWindUp:
            LeaveState(from, state);
            RefillAirDashes();
            strikeChain = 1;
            vx = vy = 0;
            if (IsStanding(from)) y -= kKatanaLift;
            break;
        case kChase:
        case kChase + 1: {
            LeaveState(from, state);
            // Within the sword's reach of the chase pose already: a strike
            // pair at once.
            const int32_t saved = frame;
            frame = kChase;
            const bool connects = AttackHits(target);
            frame = saved;
            if (connects) {
                SetState(kFirstSwing);
                vx = vy = 0;
                return;
            }
            break;
        }
        case kGiveUp:
            LeaveState(from, state);
            vx = vy = 0;
            SetState(PlayerState::Ground);
            return;
        default:
            if (IsSwing(state)) {
                if (!strikeChain) {
                    SetState(PlayerState::Ground);
                    return;
                }
                LeaveState(from, state);
                // One of the seven pairs, at random.
                state = kFirstSwing + 2 * (GameRand() % kStrikePairs);
            } else if (IsStrike(state)) {
                LeaveState(from, state);
                PlaySE(kStrikeSound);
            } else if (In(state, kFirstFinish, kLastFinish)) {
                LeaveState(from, state);
            } else {
                CCharacterLuka::EnterState(state);
                return;
            }
            break;
    }
    CCharacterPlayer::SetState(state);
}

void CCharacterIronclaw::ConsumeStateChange() {
    const int32_t pending = pendingState;
    if (!IsStrike(pending)) {
        CCharacterNinja::ConsumeStateChange();
        return;
    }
    // The strike lands as it starts, at half the attack power.
    if (AttackAll(World(), ~group, 11, attack / 2) != nullptr) {
        vx = vy = 0;
        if (target == nullptr || target->hp <= 0) {
            // The finishing pose of the pair that killed.
            SetState(kFirstFinish + (pending - 335) / 2);
            vy = -50;
        }
    }
    CCharacterPlayer::ConsumeStateChange();
}

// --- The dash --------------------------------------------------------------------

void CCharacterIronclaw::SetDashLength(int32_t distance) {
    const int32_t ticks = std::max(7 * distance / 5 / GetMoveAttackSpeed(), 1);
    for (int32_t step = 321; step <= 324; ++step)
        if (FrameRecord* r = frameTable.Find(step)) r->stateDuration = ticks;
}

void CCharacterIronclaw::UpdateMoveAttack() {
    if (GrabOrDropTarget()) return;
    if (In(frame, 321, 324)) {
        if (TryHold()) {
            SetState(kDashEnd);
        } else {
            vx = attackDirX;
            vy = attackDirY;
            // The pounce points along its flight: its picture points up,
            // where the game's angles count from.
            FaceVelocity();
            angle2 = angle;
            // The speed falls from full to a third over the dash.
            const int32_t length = std::max(CurrentRecord().stateDuration, 1);
            const int32_t spent = 2 * stateTimer / 3;
            vx = (length - spent) * attackDirX / length;
            vy = (length - spent) * attackDirY / length;
            DashStrike();
        }
    } else if (frame == kDashEnd) {
        TryHold();
    }
    if (!TryHomingAttackDefault()) TryMoveAttackInAir();
}

// --- The katana ------------------------------------------------------------------

void CCharacterIronclaw::StartHomingAttack(CCharacter* other) {
    if (other != nullptr && currentWeapon == WeaponId::Katana) {
        StartKatana(other, IsAirborne() ? kAirWindUp : kGroundWindUp);
        return;
    }
    CCharacterLuka::StartHomingAttack(other);
}

void CCharacterIronclaw::UpdateHomingAttack() {
    const int32_t f = frame;
    // A target lost or no longer to be aimed at: stand again. (A state of
    // the band set from outside, the victory pose 341 among them, may come
    // without a target: nothing is read through it.)
    if (target == nullptr || !target->IsTargetable()) {
        SetState(kGiveUp);
        return;
    }
    if (In(f, PlayerState::HomingAttack, kLastStrike) && (target->hp <= 0 || !target->IsOnScreen())) {
        SetState(PlayerState::Ground);
        vx = vy = 0;
        return;
    }
    auto strikePose = [this] {
        vx = vy = 0;
        TrailAfterimage(1, 255, 255, 255, 80, 6);
    };
    if (f == kChase || f == kChase + 1) {
        if (!AttackHits(target)) {
            AimAtTarget(kChaseSpeed);
            TrailAfterimage(-1, 192, 192, 255, 160, 8);
            if (vx != 0) facing = vx > 0 ? 1 : -1;
            AttackAll(World(), ~group, 11, attack);
        } else {
            SetState(kFirstSwing);
            vx = vy = 0;
        }
    } else if (IsSwing(f)) {
        AimAtTarget(kChaseSpeed);
        if (AttackHits(target)) strikePose();
    } else if (IsStrike(f)) {
        strikePose();
    } else if (In(f, kFirstFinish, kLastFinish)) {
        ApplyGravity();
    }
    if (In(f, kFirstSwing, kLastFinish)) {
        if (!TryHomingAttackDefault()) TryMoveAttackInAir();
    } else {
        TryMoveAttackInAir();
    }
}
