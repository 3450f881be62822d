#pragma once
// The king tengu's second form: a great shape that fades in over a
// darkened room, opens two turret eyes that aim at the player and shoot,
// and while it waits calls hazards in from both sides of the room: a great
// fan that sweeps the floor or a great clog that stamps. Its defeat is its
// own: explosions, a white-out, a burst of a hundred score orbs, then the
// stage exit.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterKingTengu2nd : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kTypeId = 10260;
    static constexpr int32_t kHp = 15000;
    // Records of its entrance: dark (230), the body's effect (231), the
    // eyes and the fade-in (232), the fight (233).
    static constexpr int32_t kBodyCalled = 231;
    static constexpr int32_t kFadeIn = 232;
    static constexpr int32_t kFightOn = 233;
    // Its defeat: explosions (110), the white-out (111), the wait (112),
    // gone (113).
    static constexpr int32_t kWhiteOut = 111;
    static constexpr int32_t kAfterglow = 112;
    static constexpr int32_t kDone = 113;
    // Its parts, in its B links.
    static constexpr int32_t kBodyLink = 0;
    static constexpr int32_t kLeftEyeLink = 1;
    static constexpr int32_t kRightEyeLink = 2;
    static constexpr int32_t kLeftHazardLink = 3;
    static constexpr int32_t kRightHazardLink = 4;
    // Effect state of the body; attack-effect states of the hazards.
    static constexpr int32_t kBodyEffect = 200;
    static constexpr int32_t kGreatFan = 590;
    static constexpr int32_t kGreatClog = 600;

    // The summon timers of the two sides.
    int32_t leftSummonTimer = 25;
    int32_t rightSummonTimer = 0;

    CCharacterKingTengu2nd();

    void SetState(int32_t state) override;
    void UpdateWait() override;
    void UpdateEntrance() override;
    void UpdateDefeat() override;

private:
    struct Side {
        int32_t link;
        int32_t* timer;
        int32_t threshold;
        int32_t facing;
    };
    void Summon(const Side& side);
    void OpenEyes();
    void StartFight();
    void ReleaseScoreBurst();
    // The boss, its body and its eyes all at one alpha.
    void SetPartsAlpha(int32_t a);
    CCharacter* Eye(int32_t k) const { return linksB[kLeftEyeLink + k]; }
};
