#pragma once
// The chain-sickle fighter (character 3): both attacks throw her chain, an
// attack effect she owns (B link 0, its owner link back to her). The move
// chain anchors on the touched point and pulls her to it; with the touch
// held she hangs from it on a rope of 400 and swings until it is let go. The
// homing chain flies at the touched enemy and pulls her in for a combo of
// alternating cuts at full attack power. The chain's attack box is hers.
#include <cstdint>

#include "player/NinjaVariant.h"

class CCharacterKusarigama : public CNinjaVariant {
public:
    static constexpr int32_t kSheet = 22;
    static constexpr int32_t kDashSpeed = 150;
    static constexpr int32_t kChainSpeed = 300;
    static constexpr int32_t kPullSpeed = 200;
    static constexpr int32_t kRope = 400;
    // The pull toward the anchored chain.
    static constexpr int32_t kPull = 322;

    CCharacterKusarigama();

    bool AttackHits(CCharacter* other) override;
    void UpdateMoveAttack() override;

    // The chain while it is out (null when it has gone or is going).
    CCharacter* Chain() const;

protected:
    void LeaveState(int32_t from, int32_t to) override;
    bool EnterOwnState(int32_t& state, int32_t from) override;
    void StartMove(int32_t px, int32_t py) override;
    void StartHoming(CCharacter* winner) override;
    void UpdateApproach() override;
    bool IsFootStance(int32_t f) const override;

private:
    // Throws the chain in the given state from the anchor point at the
    // chain speed toward (px, py).
    CCharacter* ThrowChain(int32_t state, int32_t px, int32_t py);
    // Velocity toward the chain at the pull speed, the drawing along it.
    void PullTowardChain(const CCharacter& chain);
    void DropChain();
    // The finger that threw the chain is still down.
    static bool TouchHeld();
    // The rope's pull on a hanging player: moving away beyond its length
    // turns the motion back at half speed.
    void KeepOnRope(const CCharacter& chain);

    // The velocity of the last chain thrown.
    int32_t chainDirX_ = 0;
    int32_t chainDirY_ = 0;
};
