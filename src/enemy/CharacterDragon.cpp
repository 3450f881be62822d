#include "enemy/CharacterDragon.h"

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

CCharacterDragon::CCharacterDragon() {
    ApplyRoster({11070, 200, 0, 1, 0, 0, 0, 6, 1, 20, 20, 2, 1});
    frameTable.Load(kCharacterDragonFrames);
}

void CCharacterDragon::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 11070 || id == 11073) homeState = kFly;
    else if (id == 11071) homeState = kHover;
    if (id == 11073) presenceMode = kRemoveOffScreen;
}

void CCharacterDragon::SetState(int32_t state) {
    if (EnterHomeWhenSeen(state)) return;
    if (state == 232 || state == 233 || state == 252 || state == 253) {
        PlaySE(kFireSound);
        if (CCharacter* fire = SpawnAttackEffect(this, kFire, facing, x, x, y, y, 0, 0, 0, 0))
            fire->AimAt(CGameMain::GetInstance()->m_player, kFireSpeed);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterDragon::UpdateAction230() {
    if (frame >= kFly && frame <= 235) FlyForward(20);
}

void CCharacterDragon::UpdateAction250() {
    if (frame >= kHover && frame <= 253) {
        UpdateHover();
        vx = 0;
    }
}
