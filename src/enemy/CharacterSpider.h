#pragma once
// The spider: goes down and up on its thread through anything in its way,
// firing six-way bursts of web balls at the bottom and at the top (10151),
// or hangs still and bursts twice every 80 frames (10152). Its touch does
// no harm; only its web balls do.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterSpider : public CCharacterEnemy {
public:
    static constexpr int32_t kDescend = 230;
    static constexpr int32_t kClimb = 236;
    static constexpr int32_t kHang = 250;
    static constexpr int32_t kWebBall = 370;  // attack effect
    static constexpr int32_t kWebBallSpeed = 40;
    static constexpr int32_t kThreadSpeed = 10;

    CCharacterSpider();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override;

private:
    void Burst();
};
