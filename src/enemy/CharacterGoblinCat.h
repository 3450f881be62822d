#pragma once
// The goblin cat, a two-tailed nekomata: it runs at the player, leaping
// walls and ledges, and once a second turns to it and pounces on a coin
// toss (10181); or it sits and sprays a spiral of shots (10182).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterGoblinCat : public CCharacterEnemy {
public:
    static constexpr int32_t kRun = 230;
    static constexpr int32_t kLeap = 232;
    static constexpr int32_t kPounce = 233;
    static constexpr int32_t kTurret = 250;
    static constexpr int32_t kRunSpeed = 40;
    static constexpr int32_t kLeapSpeed = -70;
    static constexpr int32_t kPounceSpeed = -80;

    CCharacterGoblinCat();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateSpiralBlock(); }
};
