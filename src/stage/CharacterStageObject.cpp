#include "stage/CharacterStageObject.h"

CCharacterStageObject::CCharacterStageObject() {
    typeId = 23800;
    hp = hpMax = 600;
    layer = 136;
    superArmor = 1;
    targetable = 0;
    gravityNum = gravityDen = 1;
    hoverSpeed = 10;
    hoverAmplitude = 10;
    hoverNum = 1;
    hoverDen = 2;
    hoverDir = -1;
    AllocateHeldRecords(kFrameCount);
}

CCharacterStageObject::~CCharacterStageObject() = default;

void CCharacterStageObject::Update() { StepAnimation(); }

void CCharacterStageObject::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    SetState(240);
}

void CCharacterStageObject::InitKeyLock(int32_t) { SetState(290); }
void CCharacterStageObject::InitFlagGate(int32_t) { SetState(300); }
void CCharacterStageObject::InitSwitch(int32_t) { SetState(310); }
void CCharacterStageObject::InitSwitchAlt(int32_t) { SetState(320); }
void CCharacterStageObject::InitLockedDoor(int32_t) { SetState(260); }
void CCharacterStageObject::InitTarget(int32_t) { SetState(330); }
void CCharacterStageObject::InitEnemyLock(int32_t) { SetState(340); }

void CCharacterStageObject::InitBreakableBlock(int32_t) {
    typeId = 10660;
    SetState(400);
}

void CCharacterStageObject::InitSealedBlock(int32_t) {
    typeId = 10710;
    SetState(410);
}

void CCharacterStageObject::InitFallingBlock(int32_t) { SetState(420); }
