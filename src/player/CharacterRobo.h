#pragma once
// The robot (character 4): its move attack is a spinning drill charge toward
// the touched point that strikes everything it passes through at twice the
// attack power and slows down over its last ten ticks, with a drill (an
// attack effect) set off at its start; its homing attack charges the touched
// enemy and rams it again and again, a pair of strikes of kind 13 at twice
// the attack power between charges, until the target falls, leaves the
// screen, or a charge lasts 80 ticks without contact.
#include <cstdint>

#include "player/NinjaVariant.h"

class CCharacterRobo : public CNinjaVariant {
public:
    static constexpr int32_t kSheet = 23;
    static constexpr int32_t kEndingSheet = 24;
    static constexpr int32_t kChargeSpeed = 100;
    // The spin records of the drill charge, and its end.
    static constexpr int32_t kFirstSpin = 321;
    static constexpr int32_t kLastSpin = 327;
    static constexpr int32_t kChargeEnd = 328;
    // The charge slows over this many last ticks.
    static constexpr int32_t kSlowTicks = 10;

    CCharacterRobo();

    void UpdateMoveAttack() override;

    // Extra attack damage from the held attack equipment.
    int32_t weaponBonus = 0;

protected:
    void RunStateHandler() override;
    void LeaveState(int32_t from, int32_t to) override;
    bool EnterOwnState(int32_t& state, int32_t from) override;
    void StartMove(int32_t px, int32_t py) override;
    void StartHoming(CCharacter* winner) override;
    void UpdateApproach() override;
    bool IsFootStance(int32_t f) const override;
};
