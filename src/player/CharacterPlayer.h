#pragma once
// The player character base. (Stand-in until the player characters land: it
// keeps the status that the rest of the game reads and writes, and holds
// whatever state it is put into.)
#include <cstdint>

#include "character/Character.h"

class CSaveData;

// The weapons of the equip slots and the homing attack; 0 is an empty slot.
namespace WeaponId {
enum : int32_t {
    None = 0,
    Katana = 1,
    Shuriken = 2,
    Bomb = 3,
    NinjutsuFire = 4,
    NinjutsuWind = 5,
    NinjutsuWater = 6,
    PotionOfHealing = 7,
    PotionOfExHealing = 8,
    PotionOfMagic = 9,
    PotionOfExMagic = 10,
};
}  // namespace WeaponId

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

    // Weapons and stocks as the HUD reads them: -1 is a weapon or potion
    // never obtained, a ninjutsu is owned above 0.
    virtual int32_t GetShurikenAmmo() { return shurikenAmmo; }
    virtual int32_t GetBombAmmo() { return bombAmmo; }
    virtual int32_t GetHealingPotions() { return healingPotions; }
    virtual int32_t GetExHealingPotions() { return exHealingPotions; }
    virtual int32_t GetMagicPotions() { return magicPotions; }
    virtual int32_t GetExMagicPotions() { return exMagicPotions; }
    virtual int32_t GetFireNinjutsu() { return fireNinjutsu; }
    virtual int32_t GetWindNinjutsu() { return windNinjutsu; }
    virtual int32_t GetWaterNinjutsu() { return waterNinjutsu; }
    // Equip slots 0 to 2; index 3 is the weapon in use. Other indexes read
    // 0 and are not written.
    virtual int32_t GetEquipSlot(int32_t index);
    virtual void SetEquipSlot(int32_t index, int32_t weapon);
    virtual int32_t GetCurrentWeapon();
    virtual void SetCurrentWeapon(int32_t weapon) { currentWeapon = weapon; }
    virtual bool IsInHomingRange(CCharacter* other);
    virtual bool TryGrabObject();
    virtual bool TryTouchStageObject();
    virtual bool TryMoveAttack();
    virtual bool TryHomingAttackDefault();
    void RefillAirDashes() { airDashes = airDashesMax; }
    // A dying character that the player last touched is forgotten.
    static void ForgetTarget(const CCharacter* dying);

    int32_t airDashes = 1;
    int32_t airDashesMax = 1;
    // The character or stage object the player last touched or aims at.
    CCharacter* target = nullptr;
    CCharacter* grabbedObject = nullptr;
    int32_t shurikenAmmo = 99;
    int32_t bombAmmo = 99;
    int32_t fireNinjutsu = 1;
    int32_t windNinjutsu = 1;
    int32_t waterNinjutsu = 1;
    int32_t healingPotions = 1;
    int32_t exHealingPotions = 1;
    int32_t magicPotions = 1;
    int32_t exMagicPotions = 1;
    int32_t equipSlots[3] = {1, 0, 0};
    int32_t currentWeapon = 1;
    int32_t katanaReach = 1200;
};
