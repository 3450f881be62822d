#include "enemy/CharacterLizardman.h"

#include "framework/Random.h"
#include "frames/FrameTables.h"

namespace {

constexpr int32_t kDamage = 100;
constexpr int32_t kWalkSpeed = 40;

}  // namespace

CCharacterLizardman::CCharacterLizardman() {
    ApplyRoster({11060, 500, 0, 1, 0, 0, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterLizardmanFrames);
}

void CCharacterLizardman::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 11060) {
        homeState = kJumper;
        RepointHurtAndDefeat(43, 140, 20);
    } else if (id == 11061) {
        homeState = kWalker;
        RepointHurtAndDefeat(43, 140, 60);
        RepointRecords({EnemyState::Wait}, 43, 20, 60);
    }
}

void CCharacterLizardman::SetState(int32_t state) {
    switch (state) {
        case kJumper:
            // Never stands: from the ground it jumps at the player at once.
            FacePlayer();
            if (IsAirborne()) {
                SetState(kFall);
            } else {
                SetState(kJump);
                vy = GameRand() % 2 == 0 ? -120 : -140;
            }
            return;
        case kWalker:
            FacePlayer();
            if (IsAirborne()) SetState(kWalkerFall);
            else if (GameRand() % 2 == 1) SetState(kHop);
            else CCharacterEnemy::SetState(kWalker);
            return;
        case kJump:
            FacePlayer();
            break;
        case kHop:
            FacePlayer();
            vy = -80;
            break;
        default:
            // A scene pose holds where the scene put it, whatever the
            // lizardman was doing.
            if (state >= kGuard && state <= kLaugh) vx = vy = 0;
            break;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterLizardman::UpdateBrawl(int32_t kind, int32_t first) {
    CCharacter* victim = TouchAttack(kind, kDamage);
    if (victim != nullptr && victim->hp < 1) {
        SetState(EnemyState::Remove);
        return;
    }
    if (frame >= first && frame <= first + 3) {
        ApplyGravity();
        if (BlockedAhead()) SetState(first + 4);
        vx = kWalkSpeed * facing;
    } else if (frame == first + 4) {
        vx = kWalkSpeed * facing;
        if (!ApplyGravity()) SetState(first);
    } else if (frame == first + 5) {
        if (!ApplyGravity()) SetState(first);
    }
}
