#include "enemy/CharacterThunderer.h"

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"

CCharacterThunderer::CCharacterThunderer() {
    ApplyRoster({10170, 300, 100, 3, 2, 10, 0, 6, 1, 20, 20, 2, 1});
    frameTable.Load(kCharacterThundererFrames);
}

void CCharacterThunderer::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10171, kFly}, {10172, kHover}});
}

void CCharacterThunderer::SetState(int32_t state) {
    if (state == 234 || state == 235 || state == 254 || state == 255) {
        const int32_t by = y + kLightningBelow;
        SpawnAttackEffect(this, kLightning, facing, x, x, by, by, 0, 0, kLightningSpeed, kLightningSpeed);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterThunderer::UpdateAction230() {
    TouchAttack();
    FlyForward(kFlySpeed);
    if (frame != kFly && frame != 231) vy = 0;
}

void CCharacterThunderer::UpdateAction250() {
    TouchAttack();
    UpdateHover();
    vx = vy = 0;
    FacePlayer();
}
