#pragma once
// The boss base. (Stand-in until the bosses land: it waits in whatever
// state it is put into, and every record of its table holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterEnemyBoss : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1000;
    static constexpr int32_t kEnemyGroup = 2;
    static constexpr int32_t kWaitState = 220;

    CCharacterEnemyBoss() {
        group = kEnemyGroup;
        hp = hpMax = 1000;
        layer = 168;
        friction = 5;
        maxFall = 200;
        gravityNum = gravityDen = 1;
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
