#pragma once
// The ordinary enemy base: turns the character core's frame-table state
// machine into an enemy. It sleeps while it is off screen, steps its frame
// and state timers, hands the current record to the handler of its block
// of twenty records, runs the hurt and defeat states, shakes the screen at
// a defeat and pays out coins and at most one pick-up when the enemy
// bursts. A kind adds its constructor (scalars and its frame table),
// SetTypeId (variant and home state), entry actions in SetState and the
// handlers of its blocks.
#include <cstdint>
#include <initializer_list>

#include "character/Character.h"

class CCharacterPlayer;

// The states every enemy kind shares: each the first record of its block.
namespace EnemyState {
enum : int32_t {
    Remove = 0,
    Hurt = 10,
    Defeated = 110,
    FadeOut = 111,
    Wait = 220,
};
}  // namespace EnemyState

class CCharacterEnemy : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 450;
    static constexpr int32_t kEnemyGroup = 2;
    static constexpr int32_t kWaitState = EnemyState::Wait;

    // Presence modes: asleep off screen, or removed whenever found there.
    static constexpr int32_t kSleepOffScreen = 1;
    static constexpr int32_t kRemoveOffScreen = 2;

    // Pick-ups a defeat may leave (the pick-up class's type ids); the
    // launched forms are made while the player flies from a catapult.
    static constexpr int32_t kHeart = 23001;
    static constexpr int32_t kSpirit = 23002;
    static constexpr int32_t kLaunchedHeart = 23014;
    static constexpr int32_t kLaunchedSpirit = 23015;

    // The drifting variants turn to a player farther than this (x only).
    static constexpr int32_t kFarTurnReach = 800;
    static constexpr int32_t kDriftSpeed = 10;
    // The spiral and fan shots: attack effects facing right and left, their
    // speed, and the turn per shot (pi/8).
    static constexpr int32_t kSpiralShot = 380;
    static constexpr int32_t kSpiralShotMirrored = 384;
    static constexpr int32_t kSpiralShotSpeed = 40;

    // The values a kind's constructor gives (HP is also the maximum; the
    // base coin count is the enemy's gold).
    struct Roster {
        int32_t typeId;
        int32_t hp;
        int32_t coinChance;
        int32_t coinRange;
        int32_t baseCoins;
        int32_t itemChance;
        int32_t secondItemChance;
        int32_t gravityNum;
        int32_t gravityDen;
        int32_t hoverSpeed;
        int32_t hoverAmplitude;
        int32_t hoverNum;
        int32_t hoverDen;
    };

    // The spawner's defaults; the kinds apply their roster row.
    CCharacterEnemy();
    ~CCharacterEnemy() override;

    void Update() override;
    void UpdateHurt() override;
    void UpdateDefeat() override;
    void SetState(int32_t state) override;

    // The handlers of frame 220 and of the record blocks 230-249 ...
    // 430-449; empty in the base but for the wait.
    virtual void UpdateWait();
    virtual void UpdateAction230();
    virtual void UpdateAction250();
    virtual void UpdateAction270();
    virtual void UpdateAction290();
    virtual void UpdateAction310();
    virtual void UpdateAction330();
    virtual void UpdateAction350();
    virtual void UpdateAction370();
    virtual void UpdateAction390();
    virtual void UpdateAction410();
    virtual void UpdateAction430();
    // The defeat's payout; only UpdateDefeat calls them.
    virtual void DropCoins();
    virtual void DropItem();

    // Percent chance of coins at the defeat, and the random part of their
    // count (count = gold + rand() % coinRange).
    int32_t coinChance = 100;
    int32_t coinRange = 2;
    // Percent chances of a heart, and (only when no heart dropped) of a
    // spirit pick-up.
    int32_t itemChance = 10;
    int32_t secondItemChance = 0;
    int32_t presenceMode = kSleepOffScreen;

protected:
    void ApplyRoster(const Roster& roster);

    // The frame's handler: hurt, defeat, wait or the block's handler.
    void DispatchFrame();

    // The wait of the kinds that stand on the ground: face the player,
    // enter the home state, then drop to the ground.
    void UpdateWaitGrounded();
    // The touch attack: every other group whose hurt box the current
    // attack box overlaps; the last character hit, or null.
    CCharacter* TouchAttack(int32_t kind, int32_t damage);
    // The touch attack of most kinds: attack kind 15, damage 50.
    CCharacter* TouchAttack() { return TouchAttack(15, 50); }
    // Standing still on the ground facing the player (the shared body of
    // the kinds' stand-and-shoot frames).
    void StandFacingPlayer();
    // The block handler of the kinds that stand and shoot or strike: the
    // touch attack (kind 15, damage 50), then in frames first to last
    // standing still facing the player.
    void UpdateStandingBlock(int32_t first, int32_t last);
    // The activation of the flyers that do not turn to the player first:
    // entering the wait on screen goes straight to the home state. True
    // when it did.
    bool EnterHomeWhenSeen(int32_t state);
    // A flyer's step: the bob, and flight along its facing.
    void FlyForward(int32_t speed);
    // In the air, or a wall at the side it faces.
    bool BlockedAhead();
    // The variant's home state by type id. An id that maps no variant
    // leaves none to go to: the enemy is removed at once (even asleep).
    struct Home {
        int32_t id;
        int32_t state;
    };
    void ChooseHome(int32_t id, std::initializer_list<Home> homes);
    // Entering 250 or 251: turn to a player more than kFarTurnReach away.
    void TurnWhenFar(int32_t state);
    // The drifting variants' block (250-269): the touch attack, the bob in
    // 250 and 251, and a drift along the facing with no wall test.
    void UpdateDriftBlock();
    // One shot of a spiral or fan: its angle is the state timer x pi/8 (0
    // straight down, then turning to the front and over the top).
    void FireSpiralShot();
    // The spiral turret's block (250-269): the touch attack, a shot every
    // frame in 251 and 252, and standing facing the player in 250-252.
    void UpdateSpiralBlock();
    // The player's position relative to this enemy; false (and 0, 0) when
    // there is no player.
    bool PlayerOffset(double& dx, double& dy) const;
    // Points the given records at another picture of the same size.
    void RepointRecords(std::initializer_list<int32_t> records, int32_t textureId, int32_t u, int32_t v);
    // The variants' own pictures of the hurt and defeat records 10, 110, 111
    // (the kinds whose variants differ in colour also show their own
    // colours in the wait, 220, the one frame an enemy may be seen in it).
    void RepointHurtAndDefeat(int32_t textureId, int32_t u, int32_t v) {
        RepointRecords({EnemyState::Hurt, EnemyState::Defeated, EnemyState::FadeOut}, textureId, u, v);
    }

    // The game's player; null when there is none or it is no player class.
    static CCharacterPlayer* Player();
    static bool PlayerIsLaunched();
};
