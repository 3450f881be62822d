#pragma once
// The ghost boss: it floats to and fro across its room, bobbing, and rains
// fire from above. The lower its life, the longer the rain: one fire above
// four fifths of its life, one more for every fifth it has lost. Its body
// never strikes; the fire does.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterBossGhost : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kHp = 8000;
    // Records.
    static constexpr int32_t kRain = 240;
    static constexpr int32_t kFirstFire = 241;
    static constexpr int32_t kLastFire = 245;
    // The fire it rains (an attack-effect state).
    static constexpr int32_t kFire = 410;

    CCharacterBossGhost();

    void SetState(int32_t state) override;
    void UpdateWait() override { Patrol(); }
    void UpdateEntrance() override;
    void UpdateAttack1() override { Patrol(); }

    // Always the rain.
    virtual void ChooseNextAttack();

    // Whether the fire of a rain record falls at this life: the first
    // always, each further one only below one more fifth of the life lost.
    static bool FiresAt(int32_t record, int32_t hp, int32_t hpMax);

private:
    // Bobbing from one end of the room to the other.
    void Patrol();
};
