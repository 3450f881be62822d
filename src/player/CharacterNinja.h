#pragma once
// The ninja (character 1), the default player character and the reference
// class of the player family: its frame table, its per-frame order, the
// entry and exit actions of its states, the katana strikes, its defeat, and
// its answers to the status, hold and target questions.
#include <cstdint>

#include "player/CharacterPlayer.h"

class CCharacterNinja : public CCharacterPlayer {
public:
    CCharacterNinja();

    void Update() override;
    void UpdateDefeat() override;
    void SetState(int32_t state) override;
    void ConsumeStateChange() override;
    int32_t GetAnchorX() override;
    int32_t GetAnchorY() override;

    void StoreStatus() override;
    void RestoreStatus() override;
    bool IsLaunched() override;
    bool HasCeilingHold() override;
    bool HasWallHold() override;
    int32_t GetHomingRange() override;
    void MarkTargets() override;
    bool IsInHomingRange(CCharacter* other) override;
    bool CanTarget(CCharacter* other) override;

protected:
    // The handler of the record index's band (step 4 of Update).
    virtual void RunStateHandler();
    // The exit actions of leaving `from` for `to`.
    virtual void LeaveState(int32_t from, int32_t to);
    // The entry of a jump's or dash's flight (281, 321): the attack
    // direction as velocity, and dust where it left a floor, wall or
    // ceiling.
    void EnterFlight(int32_t from);
    // The attack box of another record reaches the other character.
    bool ReachesFrom(int32_t record, CCharacter* other);
};
