#include "enemy/CharacterSoldier.h"

#include <cstdlib>

#include "character/CharacterEffect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"

CCharacterSoldier::CCharacterSoldier() {
    ApplyRoster({11000, 100, 100, 3, 1, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterSoldierFrames);
}

void CCharacterSoldier::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 11001) homeState = kGuard;
    else if (id == 11002) homeState = kPatrolRest;
}

void CCharacterSoldier::SetState(int32_t state) {
    switch (state) {
        case kMarch:
        case kMarch + 1:
            FacePlayer();
            break;
        case kPatrolLeg:
            StartPatrolLeg();
            break;
        case kScenePose:
            coinChance = 0;
            itemChance = 0;
            break;
        case kSceneSurprised:
            SpawnEffect(kSurpriseMark, 1, x, x, y - 250, y - 250, 0, 0, 0, 0);
            break;
        default:
            break;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterSoldier::StartPatrolLeg() {
    facing = GameRand() % 2 == 1 ? 1 : -1;
    Move(kWalkSpeed * facing, 0);
    if (IsAirborne()) {
        // Stepped off a ledge: back, and the other way.
        facing = -facing;
        Move(kWalkSpeed * facing, 0);
    }
}

void CCharacterSoldier::UpdateAction230() {
    TouchAttack(15, 50);
    if (frame == kGuard) {
        const CCharacter* player = CGameMain::GetInstance()->m_player;
        if (player != nullptr && std::abs(player->x - x) < kWakeDistance) SetState(kAlert);
    }
    if (frame == kGuard || frame == kAlert) {
        StandFacingPlayer();
    } else if (frame == kMarch || frame == kMarch + 1) {
        if (BlockedAhead()) {
            facing = -facing;
            SetState(kGuard);
        }
        ApplyGravity();
        vx = kWalkSpeed * facing;
    }
}

void CCharacterSoldier::UpdateAction250() {
    TouchAttack(15, 50);
    if (frame == kPatrolRest) {
        vx = 0;
        ApplyGravity();
    } else if (frame >= kPatrolLeg && frame <= 254) {
        const bool wayFree = !IsAirborne() && !TouchesSolid(facing == -1 ? 2 : 3);
        if (wayFree) {
            ApplyGravity();
            vx = kWalkSpeed * facing;
        } else {
            SetState(kPatrolRest);
            vx = -kWalkSpeed * facing;
        }
    }
}
