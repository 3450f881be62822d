#pragma once
// The dragon: a small sky dragon that flies on (11070, and 11073, the one
// the spawner releases, which is gone once it leaves the screen) or hovers
// (11071), breathing fire at the player every 90 frames.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterDragon : public CCharacterEnemy {
public:
    static constexpr int32_t kFly = 230;
    static constexpr int32_t kHover = 250;

    static constexpr int32_t kFire = 730;  // attack effect
    static constexpr int32_t kFireSound = 21;
    static constexpr int32_t kFireSpeed = 60;

    CCharacterDragon();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override;
};
