#include "enemy/CharacterEnemyNinja.h"

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kWalkSpeed = 30;
constexpr int32_t kJumpSpeed = -70;

}  // namespace

CCharacterEnemyNinja::CCharacterEnemyNinja() {
    ApplyRoster({10040, 200, 100, 6, 3, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterEnemyNinjaFrames);
}

void CCharacterEnemyNinja::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 10091) {
        homeState = kWalk;
    } else if (id == 10092) {
        homeState = kStand;
        RepointHurtAndDefeat(30, 105, 45);
        RepointRecords({EnemyState::Wait}, 30, 20, 182);
    }
}

void CCharacterEnemyNinja::SetState(int32_t state) {
    if (state == kThrow) {
        SpawnAttackEffect(this, kShuriken, facing, x + facing * 200, x + facing * 200, y + 40, y + 40, facing * 80,
                          facing * 80, 0, 0);
    } else if (state == kLob) {
        SpawnAttackEffect(this, kBomb, facing, x + facing * 200, x + facing * 200, y + 40, y + 40, facing * 30,
                          facing * 30, -80, -80);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterEnemyNinja::UpdateAction230() {
    TouchAttack(15, 50);
    const int32_t f = frame;
    if (f >= kWalk && f <= 233) {
        // Over walls and gaps: a jump that keeps the walk's timers running.
        if (BlockedAhead()) {
            vy = kJumpSpeed;
            frame = kJump;
        }
        vx = facing * kWalkSpeed;
    } else if (f == kJump) {
        if (!ApplyGravity()) frame = kWalk;
        vx = facing * kWalkSpeed;
    } else if (f == 235 || f == kThrow) {
        StandFacingPlayer();
    }
}
