#pragma once
// The snow fairy: stands facing the player and every 84 frames throws two
// ice crystals up and out, one to each side, whichever way she faces.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterSnowFairy : public CCharacterEnemy {
public:
    static constexpr int32_t kStand = 230;
    static constexpr int32_t kCast = 232;  // 232/233
    static constexpr int32_t kCrystal = 430;  // the attack effect
    static constexpr int32_t kCastSound = 48;

    CCharacterSnowFairy();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override { StandFacingPlayer(); }
};
