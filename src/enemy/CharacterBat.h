#pragma once
// The bat: flies straight on (10221), in a circle (10222), homing on the
// player (10223), or hangs from the ceiling until the player comes within
// 1500 and then homes (10227). Its stored flight vector is its attack
// direction pair.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterBat : public CCharacterEnemy {
public:
    static constexpr int32_t kStraight = 230;
    static constexpr int32_t kCircle = 250;
    static constexpr int32_t kHoming = 270;
    static constexpr int32_t kHanging = 290;
    static constexpr int32_t kStraightSpeed = 20;
    static constexpr int32_t kCircleSpeed = 20;
    static constexpr int32_t kHomingSpeed = 15;
    static constexpr int32_t kStartSpeed = -15;
    static constexpr int32_t kWakeReach = 1500;

    CCharacterBat();

    void SetTypeId(int32_t id) override;
    void UpdateAction230() override;
    void UpdateAction250() override;
    void UpdateAction270() override;
    void UpdateAction290() override;

private:
    void FaceFlight();
};
