#pragma once
// The catapult: fires a touching player in one of eight directions. The
// player is set on the catapult and launched with the direction at 300
// units; the catapult swells and shrinks back, and stays loaded until the
// player has left it or is no longer in flight.
#include <cstdint>

#include "enemy/CharacterYakumono.h"

class CCharacterCatapult : public CCharacterYakumono {
public:
    static constexpr int32_t kLoaded = 231;
    static constexpr int32_t kLaunchSpeed = 300;
    static constexpr int32_t kLaunchSound = 42;
    static constexpr double kRestScale = 2.0;
    static constexpr double kSwellScale = 2.5;
    static constexpr double kShrinkStep = 0.05;

    CCharacterCatapult();

    void SetTypeId(int32_t id) override;
    void UpdateAction230() override;
};
