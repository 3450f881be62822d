#pragma once
// The enemy ninja: the violet one (10091) walks, jumps over walls and gaps
// and throws shuriken; the crimson one (10092) stands and lobs bombs that
// burst into flames on the ground.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterEnemyNinja : public CCharacterEnemy {
public:
    static constexpr int32_t kWalk = 230;
    static constexpr int32_t kJump = 234;
    static constexpr int32_t kThrow = 236;
    static constexpr int32_t kStand = 250;
    static constexpr int32_t kLob = 252;

    static constexpr int32_t kShuriken = 320;  // attack effects
    static constexpr int32_t kBomb = 330;

    CCharacterEnemyNinja();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateStandingBlock(kStand, 253); }
};
