#pragma once
// The kunoichi (character 2): her move attack is a smoke-ball dash, gone in a
// puff of smoke, flying unhurt straight to the touched point, back in a puff
// of smoke; her homing attack an unhurt dash at the touched enemy with a
// burst of sparks behind her, then a fast combo of alternating cuts at half
// the attack power.
#include <cstdint>

#include "player/NinjaVariant.h"

class CCharacterKunoichi : public CNinjaVariant {
public:
    static constexpr int32_t kSheet = 21;
    static constexpr int32_t kDashSpeed = 150;
    // The smoke dash: the flight's record.
    static constexpr int32_t kSmokeFlight = 322;

    CCharacterKunoichi();

    void UpdateMoveAttack() override;

protected:
    void LeaveState(int32_t from, int32_t to) override;
    bool EnterOwnState(int32_t& state, int32_t from) override;
    void StartMove(int32_t px, int32_t py) override;
    void StartHoming(CCharacter* winner) override;
    void UpdateApproach() override;
    bool IsFootStance(int32_t f) const override;

private:
    // Gone in a puff of smoke at (x, smokeY): unhurt until the dash ends.
    void Vanish(int32_t smokeY);
};
