#include "enemy/CharacterWilloTheWisp.h"

#include "framework/GameMain.h"
#include "frames/FrameTables.h"

CCharacterWilloTheWisp::CCharacterWilloTheWisp() {
    ApplyRoster({10000, 100, 100, 3, 1, 10, 0, 1, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterWilloTheWispFrames);
}

void CCharacterWilloTheWisp::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    ChooseHome(id, {{10001, kHover}, {10002, kDrift}, {10006, kAppear}});
}

void CCharacterWilloTheWisp::SetState(int32_t state) {
    TurnWhenFar(state);
    CCharacterEnemy::SetState(state);
}

void CCharacterWilloTheWisp::UpdateAction230() {
    TouchAttack();
    if (frame == kHover || frame == 231) {
        FacePlayer();
        UpdateHover();
    }
}

void CCharacterWilloTheWisp::UpdateAction250() { UpdateDriftBlock(); }

void CCharacterWilloTheWisp::UpdateAction290() {
    // Harmless while its records carry no attack box (the appearance).
    TouchAttack();
    if (frame == kHoming || frame == 295) {
        FacePlayer();
        UpdateHover();
        AimAt(CGameMain::GetInstance()->m_player, kHomingSpeed);
    }
}
