#pragma once
// The stand-in of the bosses still to come: it waits in whatever state it
// is put into (every record of its table is one held 64 x 64 frame without
// boxes), so that whatever creates these bosses already runs.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterEnemyBossStandIn : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kFrameCount = 1000;

    CCharacterEnemyBossStandIn() : CCharacterEnemyBoss({0, 1000, 0, 168, 1, 255, nullptr}) {
        gravityNum = gravityDen = 1;
        AllocateHeldRecords(kFrameCount);
        frame = EnemyState::Wait;
    }

    // The variant waits in its start state.
    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(EnemyState::Wait);
    }

    void SetState(int32_t state) override { CCharacter::SetState(state); }
    void Update() override { StepAnimation(); }
};
