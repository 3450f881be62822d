#pragma once
// The frog: sits a moment facing the player, then hops at it (10231); or
// sits and sprays a spiral of shots (10232).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterFrog : public CCharacterEnemy {
public:
    static constexpr int32_t kSit = 230;
    static constexpr int32_t kHop = 231;
    static constexpr int32_t kTurret = 250;
    static constexpr int32_t kHopSpeed = -100;
    static constexpr int32_t kHopForward = 10;

    CCharacterFrog();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateSpiralBlock(); }
};
