#pragma once
// The player character base. (Stand-in until the player characters land: it
// keeps the status that the rest of the game reads and writes; it stands,
// walks on the arrow keys, jumps on Z or the up arrow and falls onto the
// terrain, and holds whatever other state it is put into.)
#include <cstdint>

#include "character/Character.h"

class CSaveData;

class CCharacterPlayer : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 1030;
    static constexpr int32_t kStandState = 220;
    static constexpr int32_t kMaxGold = 999999;
    static constexpr int32_t kComboWindow = 160;

    CCharacterPlayer();
    ~CCharacterPlayer() override;

    void Update() override;
    bool IsRemoved() override;
    void Reset() override;
    int32_t GetScoreRate() override;
    void OnAttackLanded() override;
    void SetGold(int32_t n) override;
    void AddGold(int32_t n) override;
    void OnSpringLaunch() override;
    void OnCatapultLaunch() override;

    // Carried status.
    virtual void StoreStatus();
    virtual void RestoreStatus();
    virtual CSaveData& WriteStatus(CSaveData& record);
    virtual void ReadStatus(CSaveData& record);

    virtual bool IsHoldingWall();
    virtual bool IsHoldingCeiling();
    virtual int32_t GetCurrentWeapon();
    virtual bool IsInHomingRange(CCharacter* other);
    virtual bool TryGrabObject();
    virtual bool TryTouchStageObject();
    virtual bool TryMoveAttack();
    virtual bool TryHomingAttackDefault();
    void RefillAirDashes() { airDashes = airDashesMax; }
    // A dying character that the player last touched is forgotten.
    static void ForgetTarget(const CCharacter* dying);

    // The stand-in's moves: standing, walking, in the air.
    static constexpr int32_t kWalkState = 250;
    static constexpr int32_t kRiseState = 280;
    static constexpr int32_t kAirState = 290;
    static constexpr int32_t kWalkSpeed = 40;
    static constexpr int32_t kJumpSpeed = 115;

    int32_t airDashes = 1;
    int32_t airDashesMax = 1;
    // The character or stage object the player last touched or aims at.
    CCharacter* target = nullptr;
    CCharacter* grabbedObject = nullptr;
    int32_t shurikenAmmo = 99;
    int32_t bombAmmo = 99;
    int32_t healingPotions = 1;
    int32_t exHealingPotions = 1;
    int32_t magicPotions = 1;
    int32_t exMagicPotions = 1;
    int32_t equipSlots[3] = {1, 0, 0};
    int32_t currentWeapon = 1;
    int32_t katanaReach = 1200;

protected:
    // Draws the standing and every held state from another character
    // sheet (its cell layout as the ninja's).
    void UseStandInSheet(int32_t textureSlot);

private:
    // Reads the arrow keys and the jump key and picks the stand-in's move.
    void UpdateStandInMoves();
};
