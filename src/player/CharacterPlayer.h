#pragma once
// The player character base: the character the user steers with touches.
// Every player class keeps this field block and the player interface below
// in this order. The status operations, the touch tests, the handlers of the
// state bands and the weapons are the Ninja family's, which every player
// class shares unless it overrides them; the base answers the first group
// (StoreStatus to CanTarget) plainly, and the Ninja gives them their real
// bodies.
#include <cstdint>

#include "character/Character.h"

class CSaveData;

// The player's state numbers: each is the first frame record of its block.
namespace PlayerState {
enum : int32_t {
    Hurt = 10,
    Dying = 110,
    Stop = 120,
    GameOver = 121,
    ScenePose144 = 144,
    ScenePose162 = 162,
    Stand = 220,
    Ground = 230,
    WallHold = 232,
    CeilingHold = 234,
    Landed = 236,
    Walk = 250,
    Run = 260,
    Jump = 280,
    Fall = 290,
    Carried = 300,
    ItemGet = 310,
    MoveAttack = 320,
    HomingAttack = 330,
    Victory = 341,
    Launched = 360,
    BombThrow = 380,
    ShurikenThrow = 400,
    Ninjutsu = 420,
    DiveAttack = 440,
    StageExit = 940,
    ScenePose990 = 990,
};
}  // namespace PlayerState

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
    static constexpr int32_t kMaxGold = 999999;
    static constexpr int32_t kComboWindow = 160;
    static constexpr int32_t kMaxShuriken = 200;
    static constexpr int32_t kMaxBombs = 30;
    static constexpr int32_t kMaxPotions = 9;
    static constexpr int32_t kEquipSlotCount = 3;
    static constexpr int32_t kLastWeapon = WeaponId::PotionOfExMagic;
    // Life and gauge before the life tanks and scrolls (100 life is one HP,
    // 1000 gauge one SP).
    static constexpr int32_t kBaseLife = 300;
    static constexpr int32_t kBaseGauge = 3000;
    static constexpr int32_t kKatanaReach = 1200;

    CCharacterPlayer();
    ~CCharacterPlayer() override;

    // The game's player as a player character; null when there is none.
    static CCharacterPlayer* GetGamePlayer();
    // Called with a weapon id whenever the player comes to own it (the HUD
    // shows its icons then); null for nobody.
    using WeaponNotice = void (*)(int32_t weapon);
    static void SetWeaponNotice(WeaponNotice notice);
    // A character being deleted: no player aims at it or holds it any more.
    static void ForgetCharacter(const CCharacter* dying);

    // --- Character-core slots the player answers ------------------------

    void Draw() override;
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override;
    bool IsRemoved() override;
    void Reset() override;
    bool OnTerrainContact(int32_t side) override;
    void SetState(int32_t state) override;
    int32_t GetScoreRate() override;
    void OnAttackLanded() override;
    void TickCountdown() override;
    void SetGold(int32_t n) override;
    void AddGold(int32_t n) override;
    void PushOutOfBlocks() override;
    void OnSpringLaunch() override;
    void OnCatapultLaunch() override;

    // --- The player interface, in slot order ------------------------------

    virtual void StoreStatus();
    virtual void RestoreStatus();
    virtual bool IsLaunched();
    virtual void Hook148();
    virtual void Hook149();
    virtual int32_t GetMoveAttackRange();
    virtual int32_t GetMoveAttackSpeed();
    virtual bool HasCeilingHold();
    virtual bool HasWallHold();
    virtual int32_t GetHomingRange();
    virtual void MarkTargets();
    virtual bool IsInHomingRange(CCharacter* other);
    virtual void DrawExtra();
    virtual bool CanTarget(CCharacter* other);

    // The record's player status: ammunition, potions, weapon slots, gold.
    virtual CSaveData& WriteStatus(CSaveData& record);
    // Life, gauge, abilities and status from a record (and the resume point
    // when it holds one); returns FillWeaponSlots' count.
    virtual int32_t ReadStatus(CSaveData& record);
    virtual bool IsHoldingWall();
    virtual bool IsHoldingCeiling();
    virtual bool TryHold();
    virtual bool CanHold(int32_t side);
    virtual void UpdateModeTimer();
    virtual void Hook166();
    virtual int32_t GetShurikenAmmo();
    virtual void SetShurikenAmmo(int32_t n);
    virtual void AddShurikenAmmo(int32_t n);
    virtual int32_t GetBombAmmo();
    virtual void SetBombAmmo(int32_t n);
    virtual void AddBombAmmo(int32_t n);
    virtual int32_t GetHealingPotions();
    virtual void SetHealingPotions(int32_t n);
    virtual void AddHealingPotions(int32_t n);
    virtual int32_t GetExHealingPotions();
    virtual void SetExHealingPotions(int32_t n);
    virtual void AddExHealingPotions(int32_t n);
    virtual int32_t GetMagicPotions();
    virtual void SetMagicPotions(int32_t n);
    virtual void AddMagicPotions(int32_t n);
    virtual int32_t GetExMagicPotions();
    virtual void SetExMagicPotions(int32_t n);
    virtual void AddExMagicPotions(int32_t n);
    virtual int32_t GetFireNinjutsu();
    virtual void SetFireNinjutsu(int32_t n);
    virtual int32_t GetWindNinjutsu();
    virtual void SetWindNinjutsu(int32_t n);
    virtual int32_t GetWaterNinjutsu();
    virtual void SetWaterNinjutsu(int32_t n);
    virtual bool UseHealingPotion();
    virtual bool UseExHealingPotion();
    virtual bool UseMagicPotion();
    virtual bool UseExMagicPotion();
    virtual int32_t GetNinjutsuInUse();
    // Equip slots 0..2, and 3 for the current weapon; 0 outside them.
    virtual int32_t GetEquipSlot(int32_t index);
    virtual int32_t GetCurrentWeapon();
    virtual void SetNinjutsuInUse(int32_t weapon);
    virtual void SetEquipSlot(int32_t index, int32_t weapon);
    virtual void SetCurrentWeapon(int32_t weapon);
    virtual int32_t FillWeaponSlots();
    virtual void StartHomingAttack(CCharacter* other);
    virtual void UpdateGround();
    virtual void UpdateState240();
    virtual void UpdateWalk();
    virtual void UpdateRun();
    virtual void UpdateAir();
    virtual void UpdateItemGet();
    virtual void UpdateMoveAttack();
    virtual void UpdateHomingAttack();
    virtual void UpdateLaunched();
    virtual void UpdateBombThrow();
    virtual void UpdateShurikenThrow();
    virtual void UpdateNinjutsu();
    virtual void UpdateDiveAttack();
    virtual void UpdateScriptedExit();
    virtual void UpdateState980();
    virtual bool TryGrabObject();
    virtual bool TryTouchStageObject();
    virtual bool TryJump();
    virtual bool TryMoveAttack(int32_t cost, bool pressed);
    virtual bool TryMoveAttackNoFlag(int32_t cost);
    virtual bool TryMoveAttackInAir();
    virtual bool TryHomingAttack(bool pressed);
    virtual bool TryHomingAttackDefault();
    virtual bool Hook226();
    virtual bool Hook227();
    virtual bool Hook228();
    virtual bool Hook229();
    virtual bool Hook230();
    virtual bool Hook231();
    virtual bool Hook232();
    virtual void UpdateGauge();

    void RefillAirDashes() { airDashes = airDashesMax; }

    // --- Player fields, in declaration order ------------------------------

    int32_t airDashes = 1;
    int32_t airDashesMax = 1;
    int32_t attack = 100;
    int32_t softBlockCrash = 0;
    int32_t wallHold = 0;
    int32_t ceilingHold = 0;
    uint8_t strikeChain = 0;
    int32_t strikeSide = 0;
    // The surface side let go of last (1 up, 2 left, 3 right, 4 down; 0
    // none): no hold is taken on that side until the player has been away.
    int32_t releasedSide = 0;
    // What the current homing attack, throw or touch aims at.
    CCharacter* target = nullptr;
    // The stage object taken hold of.
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
    int32_t ninjutsuInUse = 0;
    int32_t equipSlots[kEquipSlotCount] = {WeaponId::Katana, WeaponId::None, WeaponId::None};
    int32_t currentWeapon = WeaponId::Katana;
    int32_t katanaReach = kKatanaReach;

protected:
    // The equipment bonuses of the inventory's flags, in their order:
    // life for kinds 1-5, attack for 6-8, air dashes for 9-11.
    struct EquipmentBonus {
        int32_t life = 0;
        int32_t attack = 0;
        int32_t airDashes = 0;
    };
    static EquipmentBonus GetEquipmentBonus();
    // The constructor's last step: the bonuses, then full dashes and life.
    void ApplyEquipmentBonuses();
    // ReadStatus with the class's base life.
    int32_t ReadStatusWithBaseLife(CSaveData& record, int32_t baseLife);

    // Whether the player owns a weapon (1..6).
    bool OwnsWeapon(int32_t weapon);
    // Tells the HUD about a weapon that is now owned.
    static void AnnounceWeapon(int32_t weapon);

    // The touch point in play-field units.
    static int32_t TouchX();
    static int32_t TouchY();
    // The press that started an attack is used: the newest touch sample
    // becomes 2. A press taken whole (a grab, a door) is hidden from every
    // later test: all 60 samples are marked consumed.
    static void UseTouch();
    static void TakeWholeTouch();

    // The grab of a stage object the body touches: fade to black, the
    // object taken (251), the player put down at it in the carried pose.
    void GrabObject(CCharacter* object);
    // The move attack after the dive's swipe test: the grab, the shop door,
    // or the dash toward the touch (true when it acted).
    bool TryDash(int32_t cost, bool pressed);
    // The surface a stance stands on, hangs from or leans against becomes
    // the side let go of (releasedSide); other states leave it.
    void LetGoOfSurface();
    // Fits the dash to its distance (at most the range): the state
    // duration of the flight record(s).
    virtual void SetDashLength(int32_t distance);
    // A stance whose floor, wall or ceiling is no longer there falls (290);
    // true when it did.
    bool FallFromLostSurface();
    // The move attack's first steps each frame: the grab of a taken object
    // the body now touches (true: it happened, the frame is over), and the
    // target dropped when the finger is up or input is off.
    bool GrabOrDropTarget();
    // The katana's homing start in the given wind-up state: the dash
    // direction toward the target, the trail, the target and the facing.
    void StartKatana(CCharacter* other, int32_t windUpState);
    // The five trail effects thrown back from (fromX, fromY) against the
    // attack direction.
    void SpawnDashTrail(int32_t fromX, int32_t fromY);
    // Facing by the attack direction.
    void FaceAttackDirection() { facing = attackDirX > 0 ? 1 : -1; }
    // Velocity and attack direction toward the target's anchor.
    void AimAtTarget(int32_t speed);
    // The player's own tinted afterimages.
    void TrailAfterimage(int32_t layerOffset, int32_t red, int32_t green, int32_t blue, int32_t alphaValue,
                         int32_t fade);

    static bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

    // --- Throws and ninjutsu ------------------------------------------------

    // The handlers' shared shape for the block starting at `first` (380,
    // 400 or 420): the stance follows the surface (air, ground, wall,
    // ceiling) by moving the record index, then the touch tests.
    void UpdateThrowStance(int32_t first);
    // The entry actions of the releases (the odd records of the blocks).
    void ReleaseBomb(int32_t state);
    void ReleaseShuriken(int32_t state);
    void ReleaseNinjutsu();
    // The point a throw aims at: the target's anchor, or the point stored
    // when the attack started when the target has gone.
    void GetAimPoint(int32_t& aimX, int32_t& aimY);
    // Facing toward a point (unchanged when level with it).
    void FacePoint(int32_t pointX);
    // A shot fired from the player's anchor keeps the target as its parent
    // and the target keeps it as a child.
    void LinkShotToTarget(CCharacter* shot);
};
