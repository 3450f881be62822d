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
        frameTable.Allocate(kFrameCount);
        for (int32_t r = 1; r < kFrameCount; ++r)
            SetFrameRecord(r, 32, 32, -32, 31, -32, 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, kHeldDuration, -1,
                           kHeldDuration, 0);
    }

    void Update() override { StepAnimation(); }
};
