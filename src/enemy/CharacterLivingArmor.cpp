#include "enemy/CharacterLivingArmor.h"

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kWalkSpeed = 20;
constexpr int32_t kWaveSpeed = 100;

}  // namespace

CCharacterLivingArmor::CCharacterLivingArmor() {
    ApplyRoster({10120, 500, 100, 5, 3, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterLivingArmorFrames);
}

void CCharacterLivingArmor::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 10121) {
        homeState = kWalk;
    } else if (id == 10122) {
        homeState = kStand;
        RepointHurtAndDefeat(30, 105, 105);
        RepointRecords({EnemyState::Wait}, 30, 190, 130);
    } else if (id == 10123) {
        homeState = kWaveStand;
        RepointHurtAndDefeat(29, 105, 225);
        RepointRecords({EnemyState::Wait}, 29, 25, 225);
    }
}

void CCharacterLivingArmor::SetState(int32_t state) {
    if (state == kStrike || state == kStandStrike) {
        SpawnAttackEffect(this, kStrikeEffect, facing, x, x, y, y, 0, 0, 0, 0);
    } else if (state == kWaveThrow) {
        SpawnAttackEffect(this, kWave, facing, x + facing * 100, x + facing * 100, y + 60, y + 60,
                          facing * kWaveSpeed, facing * kWaveSpeed, 0, 0);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterLivingArmor::UpdateAction230() {
    TouchAttack(15, 50);
    if (frame >= kWalk && frame <= 233) {
        // It turns back at walls and ledges.
        if (BlockedAhead()) facing = -facing;
        vx = facing * kWalkSpeed;
        ApplyGravity();
    } else if (frame == 235 || frame == kStrike) {
        StandFacingPlayer();
    }
}
