#pragma once
// Solid blocks of the stage.
// (Stand-in until the block kind lands: every record of its table
// holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterBlock : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1568;

    CCharacterBlock() {
        typeId = 20000;
        gravityNum = gravityDen = 1;
        auxValue = 1;
        hp = hpMax = 1;
        layer = 120;
        wallSolid = 1;
        AllocateHeldRecords(kFrameCount);
    }

    void Update() override { StepAnimation(); }
};
