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

    // State 90 is the target marker: it shows itself to the character it
    // marks as a child of type 19990.
    void SetState(int32_t state) override {
        if (state == kTargetMarkerState) typeId = kTargetMarkerType;
        CCharacter::SetState(state);
    }

    void Update() override { StepAnimation(); }

    static constexpr int32_t kTargetMarkerState = 90;
    static constexpr int32_t kTargetMarkerType = 19990;
};

// Makes an effect in the given state and facing, at a position and speed
// each drawn from its range (bounds in either order), and appends it to the
// world list. Null when no effect could be made.
CCharacterEffect* SpawnEffect(int32_t state, int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1,
                              int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1);
