#pragma once
// The ghost: fades in, bobs facing the player and every 120 frames sends a
// ghost fire straight at it. Whatever id made it, it reports 10050, by
// which the big ghost counts its ghosts; at its burst it scatters blasts
// while it fades.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterGhost : public CCharacterEnemy {
public:
    static constexpr int32_t kTypeId = 10050;
    static constexpr int32_t kFadeIn = 230;
    static constexpr int32_t kShoot = 233;
    static constexpr int32_t kFire = 412;      // attack effect
    static constexpr int32_t kFireSound = 21;
    static constexpr int32_t kFireSpeed = 50;
    static constexpr int32_t kBlast = 320;     // effect, while it fades
    static constexpr int32_t kFadeInStep = 16;

    CCharacterGhost();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateDefeat() override;
    void UpdateAction230() override;
};
