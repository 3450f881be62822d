#pragma once
// Scenery: a non-solid tile made from a map cell of layer B. Its records
// (data/frames/CCharacterBackground.tab) are 20 x 20 pictures drawn at
// scale 2.0, one per 40-pixel cell; it removes itself when it leaves the
// spawn window, and the stage makes it again when its cell comes back.
#include <cstdint>

#include "character/Character.h"

class CCharacterBackground : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1088;

    CCharacterBackground();

    void Update() override;
    // Sets layer, parallax, scale and opacity by state, then enters it.
    void SetState(int32_t state) override;
    // Takes three values and reports true; nothing calls it.
    virtual bool ExtraHook(int32_t a, int32_t b, int32_t c);
};
