#include "player/NinjaVariant.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "player/TouchPad.h"
#include "ui/GameInput.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kAnchorOffset = 190;
// How far a hurt or a homing start lifts a standing player.
constexpr int32_t kHurtLift = 200;
constexpr int32_t kHomingLift = 100;
// The fastest rise of a fall.
constexpr int32_t kFallRise = -40;
constexpr int32_t kJumpRise = -110;

constexpr int32_t kRunDust = 380;
constexpr int32_t kRunDustSound = 13;
constexpr int32_t kTouchMark = 70;
constexpr int32_t kTargetMark = 80;

// The launched flight's damage is this many times the attack power; its
// speed falls by this rate a tick.
constexpr int32_t kLaunchStrength = 5;
constexpr double kLaunchSlowing = 0.98;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// The surfaces a hold takes, in the order they are tried: the touched side,
// the speed toward it that must not be exceeded (the sign it may have), the
// stance, the velocity it leaves and the facing (0 keeps it).
struct Hold {
    int32_t side;
    bool byVy;       // the speed tested is vy (else vx)
    bool notAbove;   // the speed must be <= 0 (else >= 0)
    int32_t state, vx, vy, facing;
};
constexpr Hold kHolds[] = {
    {4, true, false, 236, 0, 1, 0},   // floor
    {1, true, true, 234, 0, -1, 0},   // ceiling
    {2, false, true, 232, -1, 0, 1},  // left wall
    {3, false, false, 232, 1, 0, -1}, // right wall
};

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

int64_t Square(int64_t v) { return v * v; }

}  // namespace

CNinjaVariant::CNinjaVariant(int32_t type, const FrameTableData& ownRecords, const Bands& bands, const Strike& strike)
    : bands_(bands), strike_(strike) {
    hp = hpMax = kLife;
    gauge = gaugeMax = kGauge;
    maxFall = 100;
    attack = 100;
    controlled = 1;
    typeId = type;
    frame = pendingState = PlayerState::Stand;
    gravityNum = 6;
    gravityDen = 1;
    friction = 10;
    layer = 152;
    airDashes = airDashesMax = 1;
    strikeSide = 0;
    group = 1;
    colorR = colorG = colorB = 255;
    releasedSide = 0;
    scaleX = scaleX2 = scaleY = scaleY2 = 2.0;
    ApplyEquipmentBonuses();
    // Every record the class draws for itself replaces the ninja's.
    for (int32_t i = 0; i < ownRecords.count; ++i) {
        const FrameRecord& own = ownRecords.records[i];
        if (own == FrameRecord{}) continue;
        if (FrameRecord* r = frameTable.Find(i)) *r = own;
    }
}

// --- The frame -----------------------------------------------------------------

void CNinjaVariant::Update() {
    CMyInput* input = CMyInput::GetInstance();
    if (!controlled) input->m_inputAvailable = 0;
    StepAnimation();
    TickCountdown();
    TickPlayTime();
    RunStateHandler();
    Move(vx, vy);
    ClampToStage();
    if (!controlled) input->m_inputAvailable = 1;
}

void CNinjaVariant::RunStateHandler() {
    const int32_t f = frame;
    switch (f) {
        case 10: UpdateHurt(); return;
        case 20: UpdateState20(); return;
        case 30: UpdateState30(); return;
        case 40: UpdateState40(); return;
        case 50: UpdateState50(); return;
        default: break;
    }
    if (In(f, 110, 115)) UpdateDefeat();
    else if (f == 220 || In(f, 230, 236)) UpdateGround();
    else if (f == 240 || f == 241) UpdateState240();
    else if (In(f, 250, 255)) UpdateWalk();
    else if (In(f, 260, 263) || In(f, 270, 273)) UpdateRun();
    else if (f == 280 || f == 281 || In(f, 290, 292)) UpdateAir();
    else if (bands_.move.Has(f)) UpdateMoveAttack();
    else if (bands_.homing.Has(f)) UpdateHomingAttack();
    else if (bands_.launched.Has(f)) UpdateLaunched();
    // Anything else (item get, scene poses) floats at its velocity.
}

void CNinjaVariant::UpdateGround() {
    RefillAirDashes();
    if (FallFromLostSurface()) return;
    if (!TryHomingAttackDefault()) TryMoveAttackInAir();
    AccelerateXForward(0, 10);
}

void CNinjaVariant::UpdateAir() {
    if (TryHold()) return;
    ApplyGravity();
    AttackTail();
}

void CNinjaVariant::AttackTail() {
    if (!TryHomingAttackDefault()) MoveAttackTail();
}

void CNinjaVariant::MoveAttackTail() {
    if (TryMoveAttackInAir()) --airDashes;
}

// --- Holds -----------------------------------------------------------------------

bool CNinjaVariant::TryHold() {
    for (const Hold& h : kHolds) {
        if (!TouchesSolid(h.side)) {
            if (releasedSide == h.side) releasedSide = 0;
            continue;
        }
        const int32_t speed = h.byVy ? vy : vx;
        if ((h.notAbove ? speed > 0 : speed < 0) || releasedSide == h.side) continue;
        SetState(h.state);
        vx = h.vx;
        vy = h.vy;
        if (h.facing != 0) facing = h.facing;
        return true;
    }
    return false;
}

int32_t CNinjaVariant::GetAnchorX() { return frame == 232 || frame == 233 ? x + kAnchorOffset * facing : x; }

int32_t CNinjaVariant::GetAnchorY() {
    if (frame == 234 || frame == 235) return y + kAnchorOffset;
    if (IsFootStance(frame)) return y - kAnchorOffset;
    return y;
}

// --- States ----------------------------------------------------------------------

void CNinjaVariant::LeaveState(int32_t from, int32_t to) {
    if (In(from, 330, 349) && !In(to, 330, 359)) target = nullptr;
    const bool inFlight = bands_.powered.Has(from) || bands_.falling.Has(from);
    if (inFlight && to != 360 && !bands_.powered.Has(to) && !bands_.falling.Has(to)) angle = angle2 = 0.0;
}

void CNinjaVariant::SetState(int32_t state) {
    const int32_t from = frame;
    LeaveState(from, state);
    switch (state) {
        case PlayerState::Stand:
            SetState(IsAirborne() ? PlayerState::Fall : PlayerState::Ground);
            return;
        case PlayerState::Hurt:
            RefillAirDashes();
            if (IsStandingState(from)) y -= kHurtLift;
            break;
        case PlayerState::Ground:
            if (IsAirborne()) {
                SetState(PlayerState::Fall);
                return;
            }
            if (from != PlayerState::Landed) {
                if (!TryHold()) SetState(PlayerState::Landed);
                return;
            }
            RefillAirDashes();
            vx = vy = 0;
            break;
        case 231:
        case 232:
        case 233:
        case 234:
        case 235:
        case 236:
            RefillAirDashes();
            vx = vy = 0;
            break;
        case 260:
        case 270:
            SpawnEffect(kRunDust, facing, x, x, y, y, 0, 0, 0, 0);
            PlaySE(kRunDustSound);
            vx = facing * 100;
            vy /= 100;
            break;
        case PlayerState::Jump:
            vy = kJumpRise;
            if (vy < kFallRise + 1) vy = kFallRise;
            break;
        case PlayerState::Fall:
            if (vy < kFallRise + 1) vy = kFallRise;
            break;
        case PlayerState::HomingAttack:
            RefillAirDashes();
            strikeChain = 1;
            vx = vy = 0;
            if (IsStandingState(from)) y -= kHomingLift;
            break;
        case 333:
        case 337:
            if (!strikeChain) {
                SetState(PlayerState::Ground);
                return;
            }
            // The strikes alternate between the two sides.
            state = strikeSide == 0 ? 333 : 337;
            strikeSide = 1 - strikeSide;
            break;
        case 334:
        case 338:
            PlaySE(strike_.sound);
            break;
        case 349:
            vx = vy = 0;
            SetState(PlayerState::Ground);
            return;
        case PlayerState::Launched:
            vx = attackDirX;
            vy = attackDirY;
            break;
        default:
            break;
    }
    if (bands_.stageClear.Has(state)) CGameInputController::GetInstance()->PushInput(ScreenId::StageClear);
    if (!EnterOwnState(state, from)) return;
    CCharacterPlayer::SetState(state);
}

void CNinjaVariant::ConsumeStateChange() {
    const int32_t pending = pendingState;
    if (pending == 335 || pending == 339) {
        const int32_t kind = pending == 335 ? strike_.firstKind : strike_.secondKind;
        const int32_t damage = attack * strike_.numerator / strike_.denominator;
        if (AttackAll(&World(), ~group, kind, damage) != nullptr) {
            vx = vy = 0;
            // A target that has gone counts as defeated.
            if (LiveTarget() == nullptr) {
                SetState(pending == 335 ? 341 : 343);
                vy = -50;
            }
        }
    }
    CCharacterPlayer::ConsumeStateChange();
}

// --- Attacks ---------------------------------------------------------------------

void CNinjaVariant::UpdateHomingAttack() {
    const int32_t f = frame;
    if (In(f, 330, 340) && (LiveTarget() == nullptr || !target->IsOnScreen())) {
        SetState(PlayerState::Ground);
        vx = vy = 0;
        return;
    }
    const bool strikePose = f == 335 || f == 336 || f == 339 || f == 340;
    const bool closing = f == 333 || f == 334 || f == 337 || f == 338;
    if (In(f, 341, 344)) ApplyGravity();
    if (strikePose || (closing && AttackHits(target))) {
        vx = vy = 0;
        StartAfterimage(1, layer + 1, 80, 6);
    } else if (closing) {
        Toward(x, y, target->x, target->y, kHomingSpeed, attackDirX, attackDirY);
        vx = attackDirX;
        vy = attackDirY;
        StartAfterimage(1, layer - 1, 160, 8);
        SetFacingFromVx();
    } else if (In(f, 330, 332)) {
        UpdateApproach();
    }
    if (In(f, 330, 332)) MoveAttackTail();
    else AttackTail();
}

void CNinjaVariant::UpdateLaunched() {
    const int32_t f = frame;
    const bool powered = bands_.powered.Has(f), falling = bands_.falling.Has(f);
    if (f == PlayerState::Launched) {
        vx = vy = 0;
    } else if (powered || falling) {
        if (TryHold()) {
            SetState(bands_.launchEnd);
        } else {
            if (powered) {
                const double slowing = std::pow(kLaunchSlowing, stateTimer + 1);
                vx = static_cast<int32_t>(attackDirX * slowing);
                vy = static_cast<int32_t>(attackDirY * slowing);
                FaceVelocity();
                angle2 = angle;
            } else {
                ApplyGravity();
                FaceVelocity();
            }
            StartAfterimage(1, powered ? layer + 1 : layer - 1, 240, 15);
            AttackAll(&World(), ~group, 1, attack * kLaunchStrength);
        }
    } else if (f == bands_.launchEnd) {
        TryHold();
    }
    AttackTail();
}

CCharacter* CNinjaVariant::FindTouchedTarget() {
    CTouchPad* pad = CTouchPad::GetCurrent();
    if (!controlled || !pad->IsTouchEntered()) return nullptr;
    const int32_t px = TouchX(), py = TouchY();
    CCharacter* winner = nullptr;
    int64_t nearest = 0;
    CCharacterList& world = World();
    world.cursor = 0;
    while (CCharacter* c = world.GetNext()) {
        if ((c->group & ~group) == 0 || c == target || !c->IsTargetable()) continue;
        const FrameRecord& r = c->CurrentRecord();
        if ((r.hurtLeft == 0 && r.hurtRight == 0) || (r.hurtTop == 0 && r.hurtBottom == 0)) continue;
        int32_t x0 = r.hurtLeft * c->facing + c->x, x1 = r.hurtRight * c->facing + c->x;
        if (x0 > x1) std::swap(x0, x1);
        if (!RangesOverlap(x0, x1, px - kTouchReach, px + kTouchReach)) continue;
        if (!RangesOverlap(r.hurtTop + c->y, r.hurtBottom + c->y, py - kTouchReach, py + kTouchReach)) continue;
        // The nearest position wins; on a tie the one met first stays.
        const int64_t d = Square(static_cast<int64_t>(c->x) - px) + Square(static_cast<int64_t>(c->y) - py);
        if (winner == nullptr || d < nearest) {
            winner = c;
            nearest = d;
        }
    }
    return winner;
}

bool CNinjaVariant::TryHomingAttackDefault() {
    CCharacter* winner = FindTouchedTarget();
    if (winner == nullptr) return false;
    TakeWholeTouch();
    StartHoming(winner);
    SpawnEffect(kTargetMark, facing, winner->x, winner->x, winner->y, winner->y, 0, 0, 0, 0);
    FaceAttackDirection();
    return true;
}

bool CNinjaVariant::TryMoveAttackInAir() {
    if (airDashes < 1 || !controlled || !CTouchPad::GetCurrent()->IsTouchEntered()) return false;
    const int32_t px = TouchX(), py = TouchY();
    TakeWholeTouch();
    LetGoOfSurface();
    StartMove(px, py);
    SpawnEffect(kTouchMark, facing, px, px, py, py, 0, 0, 0, 0);
    FaceAttackDirection();
    return true;
}

// --- Helpers ---------------------------------------------------------------------

void CNinjaVariant::Toward(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int32_t speed, int32_t& dx,
                           int32_t& dy) {
    const double a = std::atan2(static_cast<double>(toY) - fromY, static_cast<double>(toX) - fromX);
    dx = static_cast<int32_t>(speed * std::cos(a));
    dy = static_cast<int32_t>(speed * std::sin(a));
}

void CNinjaVariant::SetRecordDuration(int32_t record, int32_t duration) {
    if (FrameRecord* r = frameTable.Find(record)) r->stateDuration = duration;
}

int32_t CNinjaVariant::DashTicks(int32_t dx, int32_t dy, int32_t dirX, int32_t dirY, int32_t extra) {
    if (std::abs(dirY) < std::abs(dirX)) return dx / dirX + extra;
    return dirY != 0 ? dy / dirY + extra : extra;
}
