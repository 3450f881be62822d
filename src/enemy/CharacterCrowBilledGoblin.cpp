#include "enemy/CharacterCrowBilledGoblin.h"

#include <cstdlib>

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"

CCharacterCrowBilledGoblin::CCharacterCrowBilledGoblin() {
    ApplyRoster({10070, 200, 100, 4, 2, 10, 0, 6, 1, 20, 20, 1, 2});
    frameTable.Load(kCharacterCrowBilledGoblinFrames);
}

void CCharacterCrowBilledGoblin::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 10072 || id == 10073) homeState = kFly;
}

void CCharacterCrowBilledGoblin::SetState(int32_t state) {
    if (EnterHomeWhenSeen(state)) return;
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (state == kThrow || state == kThrow + 1) {
        CCharacterAttackEffect* dart = SpawnAttackEffect(this, kDart, facing, x, x, y, y, 0, 0, 0, 0);
        if (dart != nullptr && player != nullptr) dart->AimAt(player, kDartSpeed);
    } else if ((state == kDrift || state == kDrift + 1) && player != nullptr &&
               std::abs(player->x - x) > kTurnDistance) {
        FacePlayer();
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterCrowBilledGoblin::UpdateAction250() {
    TouchAttack(15, 50);
    FlyForward(kDriftSpeed);
}
