#pragma once
// The flower: a fanged chrysanthemum that crouches and hops, straight up
// (11080) or forward, near or far as it chooses at each landing (11081).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterFlower : public CCharacterEnemy {
public:
    static constexpr int32_t kReady = 230;
    static constexpr int32_t kHop = 231;
    static constexpr int32_t kReadyForward = 250;
    static constexpr int32_t kHopForward = 251;

    CCharacterFlower();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override;
};
