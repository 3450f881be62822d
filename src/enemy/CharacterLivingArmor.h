#pragma once
// The living armour: empty armour with a katana. The bronze one (10121)
// walks back and forth, turning at walls and ledges, and strikes; the
// crimson one (10122) stands and strikes; the jade one (10123) throws a
// sword wave.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterLivingArmor : public CCharacterEnemy {
public:
    static constexpr int32_t kWalk = 230;
    static constexpr int32_t kStrike = 236;
    static constexpr int32_t kStand = 250;
    static constexpr int32_t kStandStrike = 252;
    static constexpr int32_t kWaveStand = 270;
    static constexpr int32_t kWaveThrow = 273;

    static constexpr int32_t kStrikeEffect = 340;  // attack effects
    static constexpr int32_t kWave = 350;

    CCharacterLivingArmor();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateStandingBlock(kStand, 253); }
    void UpdateAction270() override { UpdateStandingBlock(kWaveStand, kWaveThrow); }
};
