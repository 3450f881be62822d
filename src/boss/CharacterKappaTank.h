#pragma once
// The kappa tank: a war cart built round a giant kappa shell and crewed by
// a kappa, that patrols the floor (turning at walls), rams by contact and,
// after a shuddering, blinking warning, fires a heavy shot forward. Its
// parts, objects of the same class that ride on the body, are a cannon
// that follows the player and fires bursts of three water bullets where it
// last aimed, a second gun that sprays upward, the kappa on top and two
// sets of wheels below. The defeat throws the pieces and the hull's wreck
// out of the room.
#include <cstdint>

#include "boss/CharacterSwitchBoss.h"

class CCharacterKappaTank : public CCharacterSwitchBoss {
public:
    static constexpr int32_t kTypeId = 11030;
    static constexpr int32_t kHp = 15000;

    // Records of the body.
    static constexpr int32_t kWaitTour = 233;
    static constexpr int32_t kPatrol = 220;
    static constexpr int32_t kStop = 240;
    static constexpr int32_t kWarn = 241;
    static constexpr int32_t kMainShot = 242;
    // Records of the parts.
    static constexpr int32_t kCannonAim = 300;
    static constexpr int32_t kCannonWarn = 301;
    static constexpr int32_t kCannonBurst = 302;
    static constexpr int32_t kCannonWait = 303;
    static constexpr int32_t kCannonStopped = 304;
    static constexpr int32_t kUpper = 310;
    static constexpr int32_t kUpperStopped = 314;
    static constexpr int32_t kLowerStopped = 316;
    static constexpr int32_t kThrown = 318;
    static constexpr int32_t kRear = 320;
    static constexpr int32_t kFront = 330;
    static constexpr int32_t kGunLoad = 340;
    static constexpr int32_t kGunWarn = 341;
    static constexpr int32_t kGunSpray = 342;
    static constexpr int32_t kGunWait = 343;
    static constexpr int32_t kGunStopped = 344;

    // The parts' places in the body's B links.
    static constexpr int32_t kCannonLink = 0;
    static constexpr int32_t kGunLink = 6;

    // Attack-effect states: the cannon's water bullet, the main shot, the
    // second gun's missile.
    static constexpr int32_t kBullet = 670;
    static constexpr int32_t kMissile = 680;
    static constexpr int32_t kSpray = 700;

    CCharacterKappaTank();

    void Update() override;
    void SetState(int32_t state) override;
    void SetTypeId(int32_t id) override { typeId = id; }

private:
    void Ram();
    void BuildParts();
    void AimAtPlayer();
    void FireBurstShot();
    void FireSprayShot();
    void ThrowPieces();
    CCharacter* MakePiece(int32_t link, int32_t dx, int32_t dy, int32_t layerShift, int32_t start);
};
