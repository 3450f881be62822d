#pragma once
// The archer: shoots straight arrows (11050) or lobs them at three ranges
// (11051). Defeated, he leaves his body: sparks drift up, he hops back and
// stays lying where he lands.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterArcher : public CCharacterEnemy {
public:
    static constexpr int32_t kStraight = 230;
    static constexpr int32_t kLoose = 233;
    static constexpr int32_t kLobbed = 250;
    static constexpr int32_t kHopBack = 112;
    static constexpr int32_t kBody = 113;

    static constexpr int32_t kArrow = 710;  // attack effects
    static constexpr int32_t kLobbedArrow = 720;
    static constexpr int32_t kSpark = 640;  // effect

    CCharacterArcher();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateDefeat() override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override;
};
