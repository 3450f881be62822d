#pragma once
// The will-o'-the-wisp, a floating flame: it hovers in place (10001),
// drifts on (10002), or, as the homing kind the spawner and the bosses
// release (10006), sparks into being for 40 frames and then homes on the
// player. It floats through terrain.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterWilloTheWisp : public CCharacterEnemy {
public:
    static constexpr int32_t kHover = 230;
    static constexpr int32_t kDrift = 250;
    static constexpr int32_t kAppear = 290;
    static constexpr int32_t kHoming = 294;
    static constexpr int32_t kHomingSpeed = 15;

    CCharacterWilloTheWisp();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateAction230() override;
    void UpdateAction250() override;
    void UpdateAction290() override;
};
