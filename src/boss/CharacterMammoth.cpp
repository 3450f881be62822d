#include "boss/CharacterMammoth.h"

#include "character/CharacterAttackEffect.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

// Sounds: the throw, the charge's steps, the crash into the wall.
constexpr int32_t kThrowSound = 48;
constexpr int32_t kStepSound = 76;
constexpr int32_t kCrashSound = 77;

constexpr int32_t kTrampleKind = 15;
constexpr int32_t kTrampleDamage = 100;
constexpr int32_t kTourHold = 80;

constexpr int32_t kHopLift = -80;
constexpr int32_t kChargeSpeed = 100;
constexpr int32_t kTurnLift = -70;

}  // namespace

CCharacterMammoth::CCharacterMammoth()
    : CCharacterSwitchBoss({kTypeId, kHp, 200000, 136, 6, 255, &kCharacterMammothFrames}) {}

void CCharacterMammoth::SetTypeId(int32_t id) {
    typeId = id;
    if (id == kTypeId) homeState = kStand;
}

// --- The frame ----------------------------------------------------------------

void CCharacterMammoth::Trample() {
    AttackAll(nullptr, ~group, kTrampleKind, kTrampleDamage);
}

void CCharacterMammoth::Update() {
    StepFrame();
    const int32_t f = frame;
    if (f >= EnemyState::Entrance && f < kTour) {
        FacePlayer();
        HoldPlayer();
    } else if (f >= kTour && f < kStand) {
        FacePlayer();
        HoldPlayer();
        if (!CameraTourRunning()) StartFight(kBossMusic, kStand, true);
    } else if ((f >= kStand && f < kThrow) || (f >= kRest && f < kHop)) {
        Trample();
        vx = vy = 0;
        ApplyGravity();
    } else if (f >= kThrow && f < kThrow + 4) {
        Trample();
        vx = vy = 0;
        ApplyGravity();
        if (f == kThrow && frameTimer == 0) {
            PlaySE(kThrowSound);
            SpawnAttackEffect(this, kSnowball, facing, x - 400, x, y - 200, y, -10, 10, -120, -100);
        }
    } else if (f == kHop) {
        Trample();
        ApplyGravity();
        if (!IsAirborne() && vy >= 0) SetState(kCharge);
    } else if (f == kCharge || f == kChargeB) {
        Trample();
        ApplyGravity();
        UpdateCharge();
    } else if (f == kBounce) {
        if (stateTimer < 10) DropIcicle();
        ApplyGravity();
        if (!IsAirborne() && vy >= 0) vx = 0;
    } else if (f == kTurn) {
        Trample();
        if (!ApplyGravity() && vy >= 0) SetState(kStand);
    } else if (f == EnemyState::Defeated) {
        UpdateDefeatExplosions(500, -110);
    } else if (f == EnemyState::BossDefeatFall) {
        FallOutOfRoom(true, 0, -1);
    }
    Move(vx, vy);
}

void CCharacterMammoth::UpdateCharge() {
    if (stateTimer % 6 == 1) PlaySE(kStepSound);
    // The stage's edge stops it where no wall stands.
    if (vx != 0 && AtStageEdge(facing > 0 ? 3 : 2)) vx = 0;
    if (vx != 0) return;
    // Stopped by a wall: the crash.
    PlaySE(kCrashSound);
    DropIcicle();
    CEffect::GetInstance()->StartVerticalShake(40, -20, 20, 2);
    vx = -10 * facing;
    vy = -60;
    SetState(kBounce);
}

void CCharacterMammoth::DropIcicle() {
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    const int32_t cameraX = stage->GetCameraX();
    const int32_t w = stage->GetWidth() * kTileSize;
    SpawnAttackEffect(this, kIcicle, facing, 420 - cameraX, w - 420 - cameraX, 720, 720, 0, 0, 0, 0);
}

// --- Entry actions ------------------------------------------------------------

void CCharacterMammoth::SetState(int32_t state) {
    switch (state) {
        case kTour:
        case kTour + 1:
        case kTour + 2:
        case kTour + 3:
            DropToGround();
            StartCameraTour(kTourHold);
            StopMusicUnlessQuiet();
            break;
        case kHop:
            vy = kHopLift;
            break;
        case kCharge:
        case kChargeB:
            vx = facing * kChargeSpeed;
            vy = 0;
            break;
        case kTurn:
            facing = -facing;
            vy = kTurnLift;
            break;
        case EnemyState::Defeated:
            CCharacterEnemyBoss::SetState(state);
            ClearOtherEnemies();
            StopMusicUnlessQuiet();
            return;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}
