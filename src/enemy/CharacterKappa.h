#pragma once
// The kappa: a river imp. On the bank (10041) it throws the water plate
// from its crown, which flies out, turns and comes back to be caught; in
// the water (10042) it lurks until the player passes, leaps out, throws
// once and jumps back under. Its touch is a grab (attack kind 29) that
// holds a player it kills.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterKappa : public CCharacterEnemy {
public:
    // Behaviour states (each the first record of its frames).
    static constexpr int32_t kStand = 230;
    static constexpr int32_t kThrow = 232;
    static constexpr int32_t kCatch = 233;
    static constexpr int32_t kLurk = 250;
    static constexpr int32_t kRise = 251;
    static constexpr int32_t kDrop = 252;
    static constexpr int32_t kLanded = 253;
    static constexpr int32_t kWaterThrow = 255;
    static constexpr int32_t kWaterCatch = 256;
    static constexpr int32_t kSink = 258;
    static constexpr int32_t kUnderWater = 259;
    // Holding a player its grab has killed (the player sets it).
    static constexpr int32_t kHolding = 350;

    // The thrown plate (an attack effect that flies back).
    static constexpr int32_t kPlateShot = 310;
    static constexpr int32_t kSplashSound = 33;
    // A lurking kappa leaps at a player closer than this, horizontally.
    static constexpr int32_t kLeapReach = 1200;
    // Depth at which a sinking kappa is back under the water.
    static constexpr int32_t kWaterDepth = 3400;

    CCharacterKappa();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override;
    void UpdateAction230() override;
    void UpdateAction250() override;

private:
    void ThrowPlate();
    // While the plate is out: caught when it touches the kappa on its way
    // back (or gone), then `caught`.
    void WaitForPlate(int32_t caught);
    void Splash();
};
