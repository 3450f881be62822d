#pragma once
// Spikes pointing up (230), right (231), down (232) or left (233): they
// hurt everything outside the enemy group that touches their points, every
// frame (the victim's own invulnerability spaces the hits). Outside their
// own step they carry no group, so they neither count as enemies nor stop
// in a group freeze.
#include <cstdint>

#include "enemy/CharacterYakumono.h"

class CCharacterSpike : public CCharacterYakumono {
public:
    static constexpr int32_t kHurtKind = 15;
    static constexpr int32_t kDamage = 100;

    CCharacterSpike();

    void SetTypeId(int32_t id) override;
    void UpdateAction230() override;
};
