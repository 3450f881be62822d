#pragma once
// The soldier, a castle guard in ashigaru armour. The guard (11001) waits
// facing the player and, once the player is within 1000 units across,
// walks at it, turning back to its post at a wall or ledge; the patroller
// (11002) walks short legs in random directions. 11000 is the actor of the
// opening scene, posed by the scene in 350-354; it drops nothing.
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterSoldier : public CCharacterEnemy {
public:
    static constexpr int32_t kGuard = 230;
    static constexpr int32_t kAlert = 231;
    static constexpr int32_t kMarch = 232;   // 232/233
    static constexpr int32_t kPatrolRest = 250;
    static constexpr int32_t kPatrolLeg = 251;  // 251-254
    static constexpr int32_t kScenePose = 350;  // 350-354
    static constexpr int32_t kSceneSurprised = 352;

    static constexpr int32_t kSurpriseMark = 330;  // the effect above its head
    static constexpr int32_t kWakeDistance = 1000;
    static constexpr int32_t kWalkSpeed = 10;

    CCharacterSoldier();

    void SetTypeId(int32_t id) override;
    void SetState(int32_t state) override;
    void UpdateWait() override { UpdateWaitGrounded(); }
    void UpdateAction230() override;
    void UpdateAction250() override;

private:
    void StartPatrolLeg();
};
