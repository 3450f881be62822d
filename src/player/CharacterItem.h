#pragma once
// A pick-up. (Stand-in until the pick-ups land: its type id picks the kind,
// and it waits in its start state.)
#include <cstdint>

#include "character/Character.h"

class CCharacterItem : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 450;
    static constexpr int32_t kStartState = 220;

    CCharacterItem() {
        typeId = 23001;
        hp = hpMax = 1;
        layer = 160;
        gravityNum = gravityDen = 1;
        scaleX = scaleY = 2.0;
        AllocateHeldRecords(kFrameCount);
    }

    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(kStartState);
    }

    void Update() override { StepAnimation(); }
};
