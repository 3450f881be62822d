#pragma once
// The one-eyed monster: a heavy boss that jumps at the player and stomps,
// smashes the floor into flying debris and throws a rock, or hops five
// times in place while stones fall across the room. Every landing shakes
// the room.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterOneEyedMonster : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kHp = 12000;
    // Records.
    static constexpr int32_t kJump = 240;
    static constexpr int32_t kStomp = 241;
    static constexpr int32_t kSmash = 260;
    static constexpr int32_t kDebris = 261;
    static constexpr int32_t kThrow = 262;
    static constexpr int32_t kHops = 280;
    static constexpr int32_t kLastHop = 289;
    // Attack-effect states: the shards of the smash, the thrown rock, the
    // falling stones.
    static constexpr int32_t kShardA = 480;
    static constexpr int32_t kShardB = 490;
    static constexpr int32_t kRock = 440;
    static constexpr int32_t kStone = 460;

    CCharacterOneEyedMonster();

    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitShared(); }
    void UpdateEntrance() override { UpdateEntranceShared(); }
    void UpdateAttack1() override;
    void UpdateAttack2() override;
    void UpdateAttack3() override;

    // The jump (a third of the time), the smash or the hops.
    virtual void ChooseNextAttack();

private:
    void Land();
    void DropStone();
    void ThrowDebris();
    void ThrowRock();
};
