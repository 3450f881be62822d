#pragma once
// Ironclaw (character 6), the other character the title offers: Luka's
// life, defeats and dash set-up, with a long pounce of a dash (a six-tick
// wind-up, then a speed that falls to a third) and a katana chain of seven
// strike pairs picked at random, each strike at half the attack power.
#include <cstdint>

#include "player/CharacterLuka.h"

class CCharacterIronclaw : public CCharacterLuka {
public:
    static constexpr int32_t kMoveAttackRange = 3000;
    static constexpr int32_t kMoveAttackSpeed = 150;
    // His own versions of the ninja's pictures lie 256 texels below them.
    static constexpr CCharacter::PictureShift kOwnPictures{kNinjaSheet, 0, 256};

    CCharacterIronclaw();

    void ConsumeStateChange() override;
    int32_t GetMoveAttackRange() override { return kMoveAttackRange; }
    int32_t GetMoveAttackSpeed() override { return kMoveAttackSpeed; }
    void StartHomingAttack(CCharacter* other) override;
    void UpdateMoveAttack() override;
    void UpdateHomingAttack() override;

protected:
    void RunStateHandler() override;
    void LeaveState(int32_t from, int32_t to) override;
    // 7/5 of distance / speed ticks, at least one.
    void SetDashLength(int32_t distance) override;
    void EnterState(int32_t state) override;
};
