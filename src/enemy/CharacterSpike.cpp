#include "enemy/CharacterSpike.h"

#include "frames/FrameTables.h"

CCharacterSpike::CCharacterSpike() { frameTable.Load(kCharacterSpikeFrames); }

void CCharacterSpike::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    const int32_t k = id - 20780;
    if (k >= 0 && k <= 3) homeState = kReady + k;
}

void CCharacterSpike::UpdateAction230() {
    group = kEnemyGroup;
    TouchAttack(kHurtKind, kDamage);
    group = 0;
}
