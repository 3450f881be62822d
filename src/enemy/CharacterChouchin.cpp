#include "enemy/CharacterChouchin.h"

#include "character/CharacterAttackEffect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"

CCharacterChouchin::CCharacterChouchin() {
    ApplyRoster({10020, 200, 100, 4, 2, 10, 0, 6, 1, 2, 2, 1, 10});
    frameTable.Load(kCharacterChouchinFrames);
}

void CCharacterChouchin::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10021, kFloat}, {10022, kDrift}});
}

void CCharacterChouchin::SetState(int32_t state) {
    TurnWhenFar(state);
    if (state == kSpit) {
        if (CCharacter* fire = SpawnAttackEffect(this, kFire, facing, x, x, y, y, 0, 0, 0, 0))
            fire->AimAt(CGameMain::GetInstance()->m_player, kFireSpeed);
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterChouchin::UpdateAction230() {
    // Runs its touch attack, though no record of it has an attack box.
    TouchAttack();
    if (frame >= kFloat && frame <= 235) {
        UpdateHover();
        FacePlayer();
    }
}
