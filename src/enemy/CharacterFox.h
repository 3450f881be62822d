#pragma once
// The fox: sits facing the player and casts a fox-fire that chases it,
// one at a time: it casts again only once the last one is gone (10131);
// the other kind sits and crouches but never casts (10132).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterFox : public CCharacterEnemy {
public:
    static constexpr int32_t kSit = 230;
    static constexpr int32_t kCrouch = 232;
    static constexpr int32_t kCast = 233;
    static constexpr int32_t kIdle = 250;
    static constexpr int32_t kFoxFire = 360;  // attack effect
    static constexpr int32_t kFoxFireAhead = 200;
    static constexpr int32_t kFoxFireSpeed = 10;

    CCharacterFox();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override { UpdateStandingBlock(kSit, kCast); }
    void UpdateAction250() override { UpdateStandingBlock(kIdle, 253); }
};
