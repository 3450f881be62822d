#include "player/CharacterKusarigama.h"

#include <cmath>
#include <cstdlib>

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"
#include "player/TouchPad.h"
#include "win/MyInput.h"

namespace {

constexpr int32_t kCutSound = 0;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// The states the chain is out in: thrown (320-327, 330-332), and those it
// stays out for once thrown.
bool ThrowsChain(int32_t f) { return In(f, 320, 327) || In(f, 330, 332); }
bool KeepsChain(int32_t f) { return In(f, 321, 327) || f == 331 || f == 332; }
// The move and homing states in which she cannot be hurt.
bool IsUnhurtState(int32_t f) { return In(f, 320, 325) || In(f, 330, 332); }
bool IsHanging(int32_t f) { return f == 326 || f == 327; }

constexpr CNinjaVariant::Bands kBands{{320, 329}, {330, 344}, {360, 379}, {361, 364}, {365, 368}, 369, {941, 941}};
constexpr CNinjaVariant::Strike kFullStrike{2, 3, 1, 1, kCutSound};

}  // namespace

CCharacterKusarigama::CCharacterKusarigama()
    : CNinjaVariant(3, kCharacterKusarigamaFrames, kBands, kFullStrike) {}

CCharacter* CCharacterKusarigama::Chain() const {
    CCharacter* chain = linksB[0];
    return chain != nullptr && chain->alive && chain->frame != 0 ? chain : nullptr;
}

bool CCharacterKusarigama::AttackHits(CCharacter* other) {
    if (CNinjaVariant::AttackHits(other)) return true;
    CCharacter* chain = Chain();
    return chain != nullptr && other != chain && chain->AttackHits(other);
}

// --- States ----------------------------------------------------------------------

void CCharacterKusarigama::LeaveState(int32_t from, int32_t to) {
    if ((from == kPull || from == 323) && to != kPull && to != 323) {
        if (from == 323) releasedSide = 0;
        angle = angle2 = 0.0;
    }
    if (from == 331) vx = vy = 0;
    if (from == 332) angle = angle2 = 0.0;
    if (ThrowsChain(from) && !KeepsChain(to)) DropChain();
    if (IsUnhurtState(from) && !IsUnhurtState(to)) ClearInvulnerable();
    CNinjaVariant::LeaveState(from, to);
}

void CCharacterKusarigama::DropChain() {
    CCharacter* chain = linksB[0];
    if (chain == nullptr) return;
    chain->SetState(0);
    chain->linksA[0] = nullptr;
    linksB[0] = nullptr;
}

bool CCharacterKusarigama::EnterOwnState(int32_t& state, int32_t) {
    switch (state) {
        case 320:
        case 324:
            vx = vy = 0;
            SetInvulnerable(-1);
            break;
        case PlayerState::HomingAttack:
            SetInvulnerable(-1);
            break;
        case kPull:
        case 332:
            if (const CCharacter* chain = Chain()) PullTowardChain(*chain);
            break;
        default:
            break;
    }
    return true;
}

// --- Throws ----------------------------------------------------------------------

CCharacter* CCharacterKusarigama::ThrowChain(int32_t state, int32_t px, int32_t py) {
    const int32_t ax = GetAnchorX(), ay = GetAnchorY();
    Toward(ax, ay, px, py, kDashSpeed, attackDirX, attackDirY);
    Toward(ax, ay, px, py, kChainSpeed, chainDirX_, chainDirY_);
    FaceAttackDirection();
    CCharacter* chain =
        SpawnAttackEffect(this, state, facing, ax, ax, ay, ay, chainDirX_, chainDirX_, chainDirY_, chainDirY_);
    if (chain == nullptr) return nullptr;
    DropChain();
    linksB[0] = chain;
    chain->linksA[0] = this;
    return chain;
}

void CCharacterKusarigama::StartMove(int32_t px, int32_t py) {
    SetState(IsStandingState(frame) ? 324 : 320);
    const int32_t ax = GetAnchorX(), ay = GetAnchorY();
    CCharacter* chain = ThrowChain(CCharacterAttackEffect::kMoveChain, px, py);
    if (chain == nullptr) return;
    // The chain's destination: it anchors there when its flight ends, and
    // she is pulled about as long as it flew.
    chain->attackDirX = px;
    chain->attackDirY = py;
    const bool level = std::abs(attackDirY) < std::abs(attackDirX);
    const int32_t chainTicks = level ? (px - ax) / chainDirX_ + 2 : (py - ay) / chainDirY_ + 2;
    if (FrameRecord* r = chain->frameTable.Find(CCharacterAttackEffect::kMoveChain)) r->stateDuration = chainTicks;
    SetRecordDuration(kPull, DashTicks(px - ax, py - ay, attackDirX, attackDirY, 2));
}

void CCharacterKusarigama::StartHoming(CCharacter* winner) {
    SetState(PlayerState::HomingAttack);
    // In the wind-up her anchor is her position.
    ThrowChain(CCharacterAttackEffect::kHomingChain, winner->x, winner->y);
    target = winner;
}

// --- Handlers --------------------------------------------------------------------

bool CCharacterKusarigama::TouchHeld() {
    // The throw took its press whole, which the pad no longer reports as
    // pressed; the finger is still down while the newest sample is that
    // taken press.
    const CMyInput* input = CMyInput::GetInstance();
    const bool taken = input->m_inputAvailable != 0 && input->m_touchHistory[0] == kInputConsumed;
    return taken || CTouchPad::GetCurrent()->IsPressed();
}

void CCharacterKusarigama::PullTowardChain(const CCharacter& chain) {
    Toward(x, y, chain.x, chain.y, kPullSpeed, vx, vy);
    FaceVelocity();
}

void CCharacterKusarigama::UpdateMoveAttack() {
    const int32_t f = frame;
    CCharacter* chain = Chain();
    if (f == kPull) {
        if (stateTimer > 1 && TryHold()) {
            SetState(323);
        } else if (chain == nullptr) {
            // The chain has gone: the pull ends where she is.
            SetState(323);
        } else if (chain->frame == CCharacterAttackEffect::kMoveChainAnchored && chain->AttackHits(this)) {
            SetState(TouchHeld() ? 326 : 323);
        } else {
            PullTowardChain(*chain);
        }
    } else if (f == 323) {
        TryHold();
    } else if (f == 321 || f == 325) {
        // A chain that has gone before it anchored pulls nothing.
        if (chain == nullptr) SetState(323);
    } else if (IsHanging(f)) {
        if (!TryHold()) {
            if (!TouchHeld() || chain == nullptr) {
                vx = vy = 0;
                SetState(PlayerState::Ground);
            } else {
                ApplyGravity();
                KeepOnRope(*chain);
            }
        }
    }
    AttackTail();
}

void CCharacterKusarigama::KeepOnRope(const CCharacter& chain) {
    const double nx = static_cast<double>(x) + vx - chain.x, ny = static_cast<double>(y) + vy - chain.y;
    const int32_t d = static_cast<int32_t>(std::sqrt(nx * nx + ny * ny));
    if (d <= kRope) return;
    if (static_cast<int64_t>(vx) * (chain.x - x) < 0) vx = -(vx / 2);
    if (static_cast<int64_t>(vy) * (chain.y - y) < 0) {
        vy = -(vy / 2);
        if (vy < 10) vy = 0;
    }
}

void CCharacterKusarigama::UpdateApproach() {
    const int32_t f = frame;
    CCharacter* chain = Chain();
    if ((f == 331 || f == 332) && chain == nullptr) {
        // The chain missed or has gone: nothing pulls her in.
        SetState(PlayerState::Ground);
        vx = vy = 0;
        return;
    }
    if (f != 332) return;
    if (AttackHits(target)) {
        SetState(333);
        vx = vy = 0;
        return;
    }
    PullTowardChain(*chain);
    SetFacingFromVx();
}

bool CCharacterKusarigama::IsFootStance(int32_t f) const {
    return IsStandingState(f) || f == 324 || f == 325 || f == 940 || f == 941;
}
