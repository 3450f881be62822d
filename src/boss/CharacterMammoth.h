#pragma once
// The mammoth: a woolly beast of the snow fields and the first of the side
// rooms' bosses. It runs one fixed cycle: it stands and tramples (every
// frame of its fight hurts by contact), throws six snowballs upward, hops,
// charges across the room until a wall stops it (which shakes the room and
// brings ten icicles down), is thrown back, and turns with a hop, so that
// each charge goes the other way.
#include <cstdint>

#include "boss/CharacterSwitchBoss.h"

class CCharacterMammoth : public CCharacterSwitchBoss {
public:
    static constexpr int32_t kTypeId = 11020;
    static constexpr int32_t kHp = 12000;

    // Records: each a group of four pictures in turn but the hop, charge,
    // bounce and turn.
    static constexpr int32_t kTour = 234;
    static constexpr int32_t kStand = 240;
    static constexpr int32_t kThrow = 244;
    static constexpr int32_t kRest = 260;
    static constexpr int32_t kHop = 264;
    static constexpr int32_t kCharge = 265;
    static constexpr int32_t kChargeB = 266;
    static constexpr int32_t kBounce = 267;
    static constexpr int32_t kTurn = 268;

    // Attack-effect states: the snowball thrown upward, the falling icicle.
    static constexpr int32_t kSnowball = 650;
    static constexpr int32_t kIcicle = 660;

    CCharacterMammoth();

    void Update() override;
    void SetState(int32_t state) override;
    void SetTypeId(int32_t id) override;

private:
    void Trample();
    void DropIcicle();
    void UpdateCharge();
};
