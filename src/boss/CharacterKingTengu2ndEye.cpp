#include "boss/CharacterKingTengu2ndEye.h"

#include <cmath>

#include "boss/CharacterEnemyBoss.h"
#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kBoltSound = 61;
// The bolt starts this many of its steps ahead of the eye.
constexpr int32_t kBoltLead = 5;

}  // namespace

CCharacterKingTengu2ndEye::CCharacterKingTengu2ndEye() {
    CCharacterEnemyBoss::SetCommonScalars(*this);
    typeId = 10270;
    hp = hpMax = kHp;
    score = 1000;
    frameTable.Load(kCharacterKingTengu2ndEyeFrames);
}

void CCharacterKingTengu2ndEye::Aim() {
    // Its turn is measured from straight up, clockwise.
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr) return;
    relativeAngle = std::atan2(static_cast<double>(player->x) - x, static_cast<double>(y) - player->y);
}

void CCharacterKingTengu2ndEye::Update() {
    StepAnimation();
    if (frame == kPlaced) {
        UpdateTween();
        relativeAngle = kPi;
    } else if (frame == kWatch) {
        Aim();
        if (stateTimer > kWatchFrames) SetState(kWindUp);
    } else if (frame >= kWindUp && frame <= kFire) {
        Aim();
    }
    FollowParent();
    Move(vx, vy);
}

void CCharacterKingTengu2ndEye::SetState(int32_t state) {
    if (state == kFire) {
        PlaySE(kBoltSound);
        if (CCharacterAttackEffect* bolt = SpawnAttackEffect(this, kBolt, facing, x, x, y, y, 0, 0, 0, 0)) {
            bolt->AimAt(CGameMain::GetInstance()->m_player, kBoltSpeed);
            bolt->Move(kBoltLead * bolt->vx, kBoltLead * bolt->vy);
        }
    } else if (state == kDead) {
        relativeAngle = 0.0;
    }
    CCharacter::SetState(state);
}
