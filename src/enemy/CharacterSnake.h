#pragma once
// The snake: crawls along and turns back at walls and at the edge of its
// ground (10031), or drifts on (10032).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterSnake : public CCharacterEnemy {
public:
    static constexpr int32_t kCrawl = 230;
    static constexpr int32_t kDrift = 250;
    static constexpr int32_t kCrawlSpeed = 10;

    CCharacterSnake();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateDriftBlock(); }
};
