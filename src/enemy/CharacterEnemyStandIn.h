#pragma once
// The stand-in of the enemy kinds and gimmicks still to come: it holds
// whatever state it is put into (every record of its table is one held
// frame that draws nothing and has no boxes), sleeps nowhere and cannot be
// hit, so the stage maps, spawners and scenes that create these kinds
// already run.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterEnemyStandIn : public CCharacterEnemy {
public:
    CCharacterEnemyStandIn() { AllocateHeldRecords(kFrameCount); }

    // The variant waits in its start state.
    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(kWaitState);
    }

    void SetState(int32_t state) override { CCharacter::SetState(state); }
    void Update() override { StepAnimation(); }
};
