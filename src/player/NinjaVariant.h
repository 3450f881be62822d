#pragma once
// What the three other ninjas (the kunoichi, the chain-sickle fighter and the
// robot) share: a touch on an enemy starts the class's homing attack, a touch
// anywhere else its move attack toward the touched point; no weapons, no SP
// gauge, no target markers; they cling to any floor, wall or ceiling they
// touch. Each class gives its own attacks on the skeletons here, its bands
// and its strike damage.
#include <cstdint>

#include "character/FrameRecord.h"
#include "player/CharacterNinja.h"

class CNinjaVariant : public CCharacterNinja {
public:
    static constexpr int32_t kLife = 30;
    static constexpr int32_t kGauge = 10000;
    // The half size of the square around the touch point that a target's
    // hurt box must reach.
    static constexpr int32_t kTouchReach = 200;
    static constexpr int32_t kHomingSpeed = 150;

    // The states each handler serves, and the launched flight's parts; the
    // homing combo's strikes.
    struct Band {
        int32_t first, last;
        bool Has(int32_t f) const { return f >= first && f <= last; }
    };
    struct Bands {
        Band move, homing, launched;
        Band powered, falling;
        int32_t launchEnd;
        // Entering these hands over to the stage-clear screen.
        Band stageClear;
    };
    // The homing combo's two strikes: kinds for 335 and 339, and the sound
    // of their swings (334, 338).
    struct Strike {
        int32_t firstKind, secondKind;
        int32_t numerator, denominator;  // of the attack power
        int32_t sound;
    };

    void Update() override;
    void SetState(int32_t state) override;
    void ConsumeStateChange() override;
    int32_t GetAnchorX() override;
    int32_t GetAnchorY() override;
    bool TryHold() override;
    void UpdateGround() override;
    void UpdateRun() override {}
    void UpdateAir() override;
    void UpdateHomingAttack() override;
    void UpdateLaunched() override;
    bool TryMoveAttackInAir() override;
    bool TryHomingAttackDefault() override;

    // The character nearest the touch point whose hurt box reaches the
    // square around it (null without a fresh touch or control).
    CCharacter* FindTouchedTarget();

protected:
    // The ninja's construction, then the variant's values, the equipment
    // bonuses again, and the class's own records over the ninja's.
    CNinjaVariant(int32_t type, const FrameTableData& ownRecords, const Bands& bands, const Strike& strike);

    void RunStateHandler() override;
    void LeaveState(int32_t from, int32_t to) override;
    // The class's own entry actions; false when it entered another state
    // itself (the request is then done). `state` may be changed.
    virtual bool EnterOwnState(int32_t& state, int32_t from) = 0;
    // The class's move attack toward (px, py): direction, entry state and
    // length.
    virtual void StartMove(int32_t px, int32_t py) = 0;
    // The class's homing attack on the winner: entry state, direction,
    // extras and the target.
    virtual void StartHoming(CCharacter* winner) = 0;
    // The class's part of the homing handler in 330-332.
    virtual void UpdateApproach() = 0;
    // The stances whose anchor lies above the feet.
    virtual bool IsFootStance(int32_t f) const = 0;

    // The attacks' shared tail: a new homing attack, else a move attack (which
    // costs an air dash).
    void AttackTail();
    void MoveAttackTail();
    // (dx, dy) of the given speed from (fromX, fromY) toward (toX, toY),
    // each truncated.
    static void Toward(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int32_t speed, int32_t& dx,
                       int32_t& dy);
    // The attack direction at the given speed toward (toX, toY), from the
    // position.
    void AimAttack(int32_t toX, int32_t toY, int32_t speed) { Toward(x, y, toX, toY, speed, attackDirX, attackDirY); }
    // The current target, or null when it is gone or defeated.
    CCharacter* LiveTarget() const { return target != nullptr && target->hp > 0 ? target : nullptr; }
    // The state duration of a record of the own table.
    void SetRecordDuration(int32_t record, int32_t duration);
    // The number of ticks a dash of (dirX, dirY) per tick takes to (dx, dy)
    // along its longer axis, plus `extra`.
    static int32_t DashTicks(int32_t dx, int32_t dy, int32_t dirX, int32_t dirY, int32_t extra);

    void SetFacingFromVx() {
        if (vx != 0) facing = vx > 0 ? 1 : -1;
    }
    static bool IsStandingState(int32_t f) { return f == 230 || f == 231 || f == 236; }

    const Bands bands_;
    const Strike strike_;
};
