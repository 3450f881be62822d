#pragma once
// The ordinary enemy base. (Stand-in until the enemies land: it waits in
// whatever state it is put into, and every record of its table holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterEnemy : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 450;
    static constexpr int32_t kEnemyGroup = 2;
    static constexpr int32_t kWaitState = 220;

    CCharacterEnemy() {
        typeId = 10000;
        group = kEnemyGroup;
        hp = hpMax = 100;
        layer = 168;
        friction = 5;
        maxFall = 200;
        gravityNum = gravityDen = 1;
        hoverDir = -1;
        scaleX = scaleY = 2.0;
        AllocateHeldRecords(kFrameCount);
        frame = kWaitState;
    }

    // The variant waits in its start state.
    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(kWaitState);
    }

    void Update() override { StepAnimation(); }
};
