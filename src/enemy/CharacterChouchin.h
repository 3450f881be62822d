#pragma once
// The chouchin, a paper lantern yokai with a mouth: it floats, bobbing a
// little, and spits a fire at the player every 86 frames (10021), or
// drifts on (10022). Touching it does no harm; it floats through terrain.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterChouchin : public CCharacterEnemy {
public:
    static constexpr int32_t kFloat = 230;
    static constexpr int32_t kSpit = 233;
    static constexpr int32_t kDrift = 250;
    static constexpr int32_t kFire = 300;  // attack effect
    static constexpr int32_t kFireSpeed = 50;

    CCharacterChouchin();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override { UpdateDriftBlock(); }
};
