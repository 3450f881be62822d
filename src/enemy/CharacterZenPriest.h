#pragma once
// The zen priest: walks at the player, hopping walls and ledges, and
// stops to pray, sending out a fan of prayer lights that turns from
// straight down over the front to the top (10161); the other kind stands
// and prays every 70 frames (10162).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterZenPriest : public CCharacterEnemy {
public:
    static constexpr int32_t kWalk = 230;
    static constexpr int32_t kJump = 234;
    static constexpr int32_t kPray = 235;
    static constexpr int32_t kStand = 250;
    static constexpr int32_t kWalkSpeed = 25;
    static constexpr int32_t kJumpSpeed = -70;

    CCharacterZenPriest();

    void SetTypeId(int32_t id) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateSpiralBlock(); }
};
