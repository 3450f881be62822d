#pragma once
// An eye of the king tengu's second form, a boss part of its own class.
// (Stand-in until the bosses land.)
#include <cstdint>

#include "character/Character.h"

class CCharacterKingTengu2ndEye : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 450;

    CCharacterKingTengu2ndEye() {
        group = 2;
        hp = hpMax = 1000;
        layer = 168;
        gravityNum = gravityDen = 1;
        scaleX = scaleY = 2.0;
        AllocateHeldRecords(kFrameCount);
        frame = 220;
    }

    // The variant waits in its start state.
    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(220);
    }

    void Update() override { StepAnimation(); }
};
