#pragma once
// The thunderer: a thunder imp riding its cloud, beating its drums. It
// flies on (10171) or hovers facing the player (10172) and drops a
// lightning bolt that falls from under its cloud, every 40 frames in
// flight and every 22 while hovering.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterThunderer : public CCharacterEnemy {
public:
    static constexpr int32_t kFly = 230;
    static constexpr int32_t kHover = 250;
    static constexpr int32_t kLightning = 390;  // attack effect
    static constexpr int32_t kLightningBelow = 200;
    static constexpr int32_t kLightningSpeed = 200;
    static constexpr int32_t kFlySpeed = 10;

    CCharacterThunderer();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override;
};
