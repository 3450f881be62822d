#pragma once
// Scenery.
// (Stand-in until the scenery kind lands: every record of its table
// holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterBackground : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1088;

    CCharacterBackground() {
        typeId = 20000;
        gravityNum = gravityDen = 1;
        auxValue = 1;
        hp = hpMax = 1;
        layer = 120;
        AllocateHeldRecords(kFrameCount);
    }

    void Update() override { StepAnimation(); }
};
