#include "player/CharacterLuka.h"

#include <cstdlib>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "frames/FrameTables.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "ui/GameInput.h"
#include "ui/Lifebar.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int32_t kDashSound = 0;
// The dash: its four steps, and the pose it ends in.
constexpr int32_t kFirstDashStep = 321;
constexpr int32_t kLastDashStep = 324;
constexpr int32_t kDashEnd = 325;
constexpr int32_t kLastKatanaRecord = 344;

// Effect states of the defeats.
constexpr int32_t kZapSpark = 310;
constexpr int32_t kStarPiece = 370;

// Throws and spins of the defeats.
constexpr int32_t kThrownUp = -90;
constexpr int32_t kZapThrownUp = -60;
constexpr int32_t kTumbleDrift = 20;
constexpr int32_t kZapDrift = 10;
constexpr double kTumbleTurn = 0.3;
// The fade to black before a defeat stage: 3 a frame, 85 frames.
constexpr int32_t kDefeatFadeStep = 3;
constexpr int32_t kBlack = 255;
// Chance of the cough, sob or twitch each frame: 1 in 15.
constexpr int32_t kFidgetChance = 15;

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

bool HasBody(const FrameRecord& r) { return r.bodyLeft != r.bodyRight && r.bodyTop != r.bodyBottom; }

bool SameBody(const FrameRecord& a, const FrameRecord& b) {
    return a.bodyLeft == b.bodyLeft && a.bodyRight == b.bodyRight && a.bodyTop == b.bodyTop &&
           a.bodyBottom == b.bodyBottom;
}

}  // namespace

// The ninja's construction with twice its life (the equipment's life on
// top) and Luka's table.
CCharacterLuka::CCharacterLuka() {
    typeId = 5;
    frameTable.Load(kCharacterLukaFrames);
    pictureShift = kOwnPictures;
    hpMax = kBaseLife + GetEquipmentBonus().life;
    hp = hpMax;
}

int32_t CCharacterLuka::ReadStatus(CSaveData& record) { return ReadStatusWithBaseLife(record, kBaseLife); }

// --- The frame -----------------------------------------------------------------

void CCharacterLuka::RunStateHandler() {
    const int32_t f = frame;
    if (In(f, 130, 199)) UpdateDefeat();
    else if (In(f, PlayerState::MoveAttack, kDashEnd)) UpdateMoveAttack();
    else CCharacterNinja::RunStateHandler();
}

// --- States ----------------------------------------------------------------------

void CCharacterLuka::SetState(int32_t state) {
    if (setStateDepth_ > 0) {
        EnterState(state);
        return;
    }
    const FrameRecord before = CurrentRecord();
    const bool standing = HasBody(before) && !IsAirborne();
    ++setStateDepth_;
    EnterState(state);
    --setStateDepth_;
    KeepPlace(before, standing);
}

// Her dash and defeat records have a smaller body around the position than
// the ninja's records, whose body stands on the position. A player standing
// on something when the body changes keeps its bottom there; and where the
// other width loses the foothold at an edge or reaches into a wall, the
// player moves sideways by at most the difference, so that it stands, or is
// free, again (instead of sliding off the edge or being pushed out of the
// wall through its top).
void CCharacterLuka::KeepPlace(const FrameRecord& before, bool standing) {
    const FrameRecord after = CurrentRecord();
    if (!HasBody(before) || !HasBody(after) || SameBody(before, after)) return;
    if (standing) y += before.bodyBottom - after.bodyBottom;
    auto fits = [&] { return FindBlockOverlap() == nullptr && (!standing || vy < 0 || !IsAirborne()); };
    if (fits()) return;
    const int32_t reach =
        std::abs((before.bodyRight - before.bodyLeft) - (after.bodyRight - after.bodyLeft)) / 2 + 1;
    const int32_t x0 = x;
    for (int32_t d = 1; d <= reach; ++d) {
        for (int32_t side : {1, -1}) {
            x = x0 + side * d;
            if (fits()) return;
        }
    }
    x = x0;
}

void CCharacterLuka::EnterState(int32_t state) {
    const int32_t from = frame;
    switch (state) {
        case 321:
        case 322:
        case 323:
        case 324:
            LeaveState(from, state);
            EnterFlight(from);
            CCharacterPlayer::SetState(state);
            return;
        case PlayerState::Dying:
        case 160:
            CCharacterNinja::SetState(state);
            vy = kThrownUp;
            return;
        case 142:
        case 161:
            CCharacterNinja::SetState(state);
            StartFadeToBlack();
            return;
        case 153:
            CCharacterNinja::SetState(state);
            vy = kZapThrownUp;
            return;
        case 170:
            CCharacterNinja::SetState(state);
            vy = kThrownUp;
            SpawnBlast();
            return;
        case 180:
            CCharacterNinja::SetState(state);
            vx = vy = 0;
            SpawnEffect(bonkEffect, facing, x, x, y - 180, y - 180, -10 * facing, -10 * facing, -100, -100);
            return;
        case 190:
            CCharacterNinja::SetState(state);
            vx = vy = 0;
            return;
        default:
            CCharacterNinja::SetState(state);
            return;
    }
}

void CCharacterLuka::LeaveState(int32_t from, int32_t to) {
    if (from == 280 || from == 281 || In(from, kFirstDashStep, kLastDashStep) || from == 981 || from == 982 ||
        ((from == 361 || from == 362) && !In(to, 360, 362))) {
        angle = angle2 = 0.0;
    }
    if (from == kDashEnd) releasedSide = 0;
    if (from == 331) vx = vy = 0;
    LeaveAttackStates(from, to, kLastKatanaRecord);
}

void CCharacterLuka::LeaveAttackStates(int32_t from, int32_t to, int32_t lastKatana) {
    if (In(from, PlayerState::MoveAttack, kDashEnd) && !In(to, 320, 329)) grabbedObject = nullptr;
    const bool attack = In(from, 280, 284) || In(from, PlayerState::MoveAttack, kDashEnd) ||
                        In(from, PlayerState::HomingAttack, lastKatana) || In(from, 380, 389) || In(from, 400, 409) ||
                        In(from, 420, 429) || In(from, 440, 449);
    const bool keepsTarget = In(to, 280, 289) || In(to, 320, 359) || In(to, 380, 459);
    if (attack && !keepsTarget) target = nullptr;
    if (In(from, 360, 363) && !In(to, 360, 369)) ClearInvulnerable();
}

void CCharacterLuka::SpawnBlast() {
    // Four star pieces thrown up and out, turned a quarter turn each.
    struct Piece {
        int32_t dx, dy, vy, side;
        double angle;
    };
    static constexpr Piece kPieces[] = {{-60, -200, -70, -1, kPi / 2},
                                        {60, -200, -70, 1, kPi},
                                        {-60, -60, -60, -1, 3 * kPi / 2},
                                        {60, -60, -60, 1, 2 * kPi}};
    for (const Piece& p : kPieces) {
        const int32_t px = x + p.dx, py = y + p.dy, pvx = 5 * p.side * facing;
        if (CCharacter* piece = SpawnEffect(kStarPiece, facing, px, px, py, py, pvx, pvx, p.vy, p.vy))
            piece->angle = p.angle;
    }
    // Sparkles drifting back: two high bands, two low.
    for (int32_t i = 0; i < 10; ++i) {
        SpawnEffect(blastSparkHigh, facing, x - 200, x + 200, y - 400, y - 300, -3 * facing, -5 * facing, 0, 0);
        SpawnEffect(blastSparkHigh, facing, x - 200, x + 200, y - 300, y - 200, -3 * facing, -5 * facing, 0, 0);
        SpawnEffect(blastSparkLow, facing, x - 200, x + 200, y - 200, y + 50, -3 * facing, -5 * facing, 0, 0);
        SpawnEffect(blastSparkLow, facing, x - 200, x + 200, y - 200, y + 50, -3 * facing, -5 * facing, 0, 0);
    }
}

// --- Defeats ---------------------------------------------------------------------

bool CCharacterLuka::FadeFinished() {
    const CEffect* effect = CEffect::GetInstance();
    return effect->m_fade == effect->m_fadeTarget;
}

void CCharacterLuka::StartFadeToBlack() {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = kBlack;
    effect->m_fadeStep = kDefeatFadeStep;
}

void CCharacterLuka::OpenContinue() { CGameInputController::GetInstance()->PushInput(ScreenId::Continue); }

void CCharacterLuka::TouchToContinue() {
    if (!CMyInput::GetInstance()->IsTouchPressed()) return;
    TakeWholeTouch();
    controlled = 0;
    OpenContinue();
}

void CCharacterLuka::WaitForTouch(int32_t fidgetFrame, bool falls) {
    TouchToContinue();
    if (GameRand() % kFidgetChance == 0) SetFrame(fidgetFrame);
    if (falls) ApplyGravity();
}

void CCharacterLuka::RequestDefeatStage(const DefeatStage& stage) {
    CStageDataControl& control = CGameMain::GetInstance()->m_stageControl;
    control.SetPendingStage(stage.stage);
    control.m_startX = stage.startX;
    control.m_startY = stage.startY;
    control.m_startFacing = 1;
    control.m_transitionType = kDefeatStageTransition;
    control.m_transitionFrames = kDefeatStageFadeIn;
    control.m_warpExtra = -1;
}

void CCharacterLuka::UpdateDefeat() {
    const int32_t f = frame;
    switch (f) {
        case PlayerState::Dying:
        case 160:
        case 170: {
            // Thrown up spinning, drifting back; the landing ends the spin.
            vx = -kTumbleDrift * facing;
            const bool airborne = ApplyGravity();
            angle -= kTumbleTurn * facing;
            if (!airborne) {
                SetState(f == PlayerState::Dying ? 111 : f + 1);
                angle = 0.0;
                vx = 0;
                if (f == PlayerState::Dying) OpenContinue();
            }
            break;
        }
        case 130:
        case 131:
        case 140:
        case 141:
        case 144:
        case 145:
            ApplyGravity();
            break;
        case 132:
        case 133:
            ApplyGravity();
            TouchToContinue();
            break;
        case 142:
        case 143:
            // Asked for again each frame until the switch has happened (the
            // defeat stage's scene takes the player on to 144 as it begins).
            if (FadeFinished()) RequestDefeatStage(kFirstDefeatStage);
            ApplyGravity();
            break;
        case 150:
        case 151:
            ApplyGravity();
            for (int32_t i = 0; i < 2; ++i)
                SpawnEffect(kZapSpark, facing, x - 300, x + 300, y - 500, y + 100, 0, 0, 0, 0);
            break;
        case 153:
            vx = -kZapDrift * facing;
            if (!ApplyGravity()) {
                SetState(154);
                angle = 0.0;
                vx = 0;
                OpenContinue();
            }
            break;
        case 161:
            if (FadeFinished()) {
                CLifebarController::GetInstance()->SetEnemyBar(nullptr);
                RequestDefeatStage(kSecondDefeatStage);
                SetState(162);
            }
            ApplyGravity();
            break;
        case 162:
        case 163:
            ApplyGravity();
            if (FadeFinished()) TouchToContinue();
            break;
        case 171:
            WaitForTouch(172, true);
            break;
        case 172:
            // Coughing soot: puffs at the mouth and two streams ahead.
            TouchToContinue();
            for (int32_t i = 0; i < 5; ++i) {
                SpawnShortLivedEffect(facing, x + 50 * facing, x + 90 * facing, y - 30, y - 30, -10, 10, -10, 10);
                SpawnShortLivedEffect(facing, x + 140 * facing, x + 140 * facing, y - 60, y - 20, 10 * facing,
                                      40 * facing, -10, 10);
                SpawnShortLivedEffect(facing, x + 140 * facing, x + 140 * facing, y - 100, y - 60, 10 * facing,
                                      40 * facing, -10, 10);
            }
            ApplyGravity();
            break;
        case 181:
            // Steam rising from the bonked head.
            for (int32_t i = 0; i < 5; ++i)
                SpawnShortLivedEffect(facing, x - 20 * facing, x + 20 * facing, y - 140, y - 140, -20 * facing,
                                      20 * facing, -100, -60);
            ApplyGravity();
            break;
        case 182:
            WaitForTouch(183, true);
            break;
        case 183:
            // Tears thrown back.
            TouchToContinue();
            for (int32_t i = 0; i < 5; ++i)
                SpawnShortLivedEffect(facing, x + 20 * facing, x + 20 * facing, y - 60, y - 20, -10 * facing,
                                      -40 * facing, -10, 10);
            ApplyGravity();
            break;
        case 193:
            WaitForTouch(194, false);
            break;
        case 194:
            TouchToContinue();
            break;
        default:
            break;  // 111, 152, 154 and the rest lie still
    }
}

// --- The dash --------------------------------------------------------------------

bool CCharacterLuka::TryMoveAttack(int32_t cost, bool pressed) {
    if (!controlled) return false;
    return TryDash(cost, pressed);
}

void CCharacterLuka::SetDashLength(int32_t distance) {
    const int32_t ticks = distance / GetMoveAttackSpeed();
    for (int32_t step = kFirstDashStep; step <= kLastDashStep; ++step)
        if (FrameRecord* r = frameTable.Find(step)) r->stateDuration = ticks;
}

void CCharacterLuka::DashStrike() {
    TrailAfterimage(0, 224, 224, 255, 240, 15);
    AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, 1, attack);
}

void CCharacterLuka::UpdateMoveAttack() {
    if (GrabOrDropTarget()) return;
    if (In(frame, kFirstDashStep, kLastDashStep)) {
        if (stateTimer % 6 == 1) PlaySE(kDashSound);
        if (TryHold()) {
            SetState(kDashEnd);
        } else {
            // She runs: no spin.
            vx = attackDirX;
            vy = attackDirY;
            angle2 = angle;
            DashStrike();
        }
    } else if (frame == kDashEnd) {
        TryHold();
    }
    if (!TryHomingAttackDefault()) TryMoveAttackInAir();
}
