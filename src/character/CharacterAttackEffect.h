#pragma once
// Projectiles and attack objects.
// (Stand-in until the attack effect kind lands: every record of its table
// holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterAttackEffect : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1380;

    CCharacterAttackEffect() {
        typeId = 40000;
        gravityNum = gravityDen = 1;
        auxValue = 1;
        layer = 184;
        targetable = 0;
        AllocateHeldRecords(kFrameCount);
    }

    void Update() override { StepAnimation(); }
};
