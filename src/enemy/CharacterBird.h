#pragma once
// The bird: a crane that flies on dropping eggs (11090), or hovers until
// the player comes near and then dives at it, steering after it and turned
// along its flight (11091).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterBird : public CCharacterEnemy {
public:
    static constexpr int32_t kFly = 230;
    static constexpr int32_t kHover = 250;
    static constexpr int32_t kDive = 252;

    static constexpr int32_t kEgg = 740;  // attack effect
    // A hovering bird dives at a player strictly closer than this.
    static constexpr int32_t kDiveReach = 1600;
    static constexpr int32_t kDiveSpeed = 80;

    CCharacterBird();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override;
};
