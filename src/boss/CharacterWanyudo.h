#pragma once
// The wanyudo: a burning ox-cart wheel with the face of a damned man at its
// hub. The face is the body that bounces diagonally about the room like a
// ball and takes the blows; the wheel rides behind it, spun by it, and
// eight flames burn on the rim (all objects of this class). Each time the
// face strikes a ceiling, floor or wall the room shakes, it stops for a
// moment and four burning splinters fly off the struck side; it goes faster
// as its life drops. At its defeat it bounces on in explosions until the
// wheel fades and the flames fly off.
#include <cstdint>

#include "boss/CharacterSwitchBoss.h"

class CCharacterWanyudo : public CCharacterSwitchBoss {
public:
    static constexpr int32_t kFace = 11010;
    static constexpr int32_t kWheel = 11011;
    static constexpr int32_t kFlame = 11012;
    static constexpr int32_t kFlames = 8;
    static constexpr int32_t kHp = 12000;

    // Records.
    static constexpr int32_t kBounce = 220;
    static constexpr int32_t kSquash = 221;
    static constexpr int32_t kWaitTour = 235;
    static constexpr int32_t kFadeOut = 112;
    static constexpr int32_t kEnd = 113;
    static constexpr int32_t kWheelRiding = 300;
    static constexpr int32_t kWheelFading = 301;
    static constexpr int32_t kFlameBurning = 310;
    static constexpr int32_t kFlameFlying = 314;
    // The splinters of a contact (attack-effect state).
    static constexpr int32_t kSplinter = 640;

    CCharacterWanyudo();

    void Update() override;
    void SetState(int32_t state) override;
    void ConsumeStateChange() override;
    void SetTypeId(int32_t id) override;

    // Units a frame on each axis at the current life.
    virtual int32_t GetSpeed();
    // Every other enemy leaves (the stage's springs and catapults too), but
    // the wheel and its flames.
    virtual void ClearOtherEnemies();

    // Up (-1) or down (+1), the vertical twin of the facing.
    int32_t verticalDirection = 1;

private:
    CCharacter* Wheel() const { return linksB[0]; }
    void Spin(double by);
    void BuildWheel();
    // The four side tests; with `burst` each contact also shakes the room,
    // throws splinters and stops the face for a moment.
    void TestSides(bool burst);
    void Burst(int32_t side);
    void UpdateDefeatBounce();
    void Finale();
};
