#pragma once
// The karakasa, a one-eyed umbrella yokai on one leg: it hops in place,
// turning to the player between hops (10011), or drifts on, bobbing
// (10012).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterKarakasa : public CCharacterEnemy {
public:
    static constexpr int32_t kAir = 230;
    static constexpr int32_t kStand = 231;
    static constexpr int32_t kSpring = 232;
    static constexpr int32_t kDrift = 250;
    static constexpr int32_t kHopSpeed = -120;

    CCharacterKarakasa();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateDriftBlock(); }
};
