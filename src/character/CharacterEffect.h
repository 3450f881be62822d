#pragma once
// Visual effects: sparks, marks, score orbs and afterimages.
// (Stand-in until the effect kind lands: every record of its table
// holds.)
#include <cstdint>

#include "character/Character.h"

class CCharacterEffect : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 890;

    CCharacterEffect() {
        typeId = 50000;
        gravityNum = gravityDen = 1;
        auxValue = 1;
        hp = hpMax = 1;
        layer = 120;
        score = 100;
        combo = 100;
        AllocateHeldRecords(kFrameCount);
    }

    void Update() override { StepAnimation(); }
};
