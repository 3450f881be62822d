#pragma once
// Solid blocks of the stage: ground, walls, platforms, one-way platforms,
// conveyor tiles and damaging tiles, made from map cells of layer A. Other
// characters collide with the solid of the current record; the records are
// data (data/frames/CCharacterBlock.tab).
#include <cstdint>

#include "character/Character.h"

class CCharacterBlock : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1568;

    CCharacterBlock();

    void Update() override;
    // Layer 57 for the back tiles, the one-way flag for the damaging and
    // border tiles, scale 2.0; then enters the state.
    void SetState(int32_t state) override;
    // Takes three values and reports true; nothing calls it.
    virtual bool ExtraHook(int32_t a, int32_t b, int32_t c);
};
