#pragma once
// An eye of the king tengu's second form: a turret part of the boss (not a
// boss itself) that sits where its parent put it, turns toward the player
// and every 211 frames winds up and fires a bolt at it. It cannot be hurt.
#include <cstdint>

#include "character/Character.h"

class CCharacterKingTengu2ndEye : public CCharacter {
public:
    static constexpr int32_t kHp = 10000;
    // Records: placed (230), watching (220), winding up (240/241), firing
    // (242), dead (110).
    static constexpr int32_t kPlaced = 230;
    static constexpr int32_t kWatch = 220;
    static constexpr int32_t kWindUp = 240;
    static constexpr int32_t kFire = 242;
    static constexpr int32_t kDead = 110;
    // It watches this long before it winds up.
    static constexpr int32_t kWatchFrames = 160;
    // The bolt (an attack-effect state) and its speed.
    static constexpr int32_t kBolt = 580;
    static constexpr int32_t kBoltSpeed = 60;

    CCharacterKingTengu2ndEye();

    void Update() override;
    void SetState(int32_t state) override;

private:
    void Aim();
};
