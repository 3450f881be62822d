#pragma once
// The crow-billed goblin (karasu tengu): flies along its facing with a bob
// and every 90 frames throws a feather dart straight at where the player
// is. The spawner releases it as 10072.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterCrowBilledGoblin : public CCharacterEnemy {
public:
    static constexpr int32_t kFly = 230;
    static constexpr int32_t kThrow = 232;  // 232/233
    static constexpr int32_t kDrift = 250;  // 250/251
    static constexpr int32_t kDart = 400;   // the attack effect
    static constexpr int32_t kDartSpeed = 60;
    static constexpr int32_t kFlySpeed = 20;
    static constexpr int32_t kDriftSpeed = 10;
    // A drifting crow turns to a player farther than this across.
    static constexpr int32_t kTurnDistance = 800;

    CCharacterCrowBilledGoblin();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override { FlyForward(kFlySpeed); }
    void UpdateAction250() override;
};
