#pragma once
// A pick-up lying in the play field: hearts and spirit orbs that enemies
// drop, ammunition, and the one-time items of the stage maps (abilities, life
// tanks, scrolls, keys, treasures). The type id picks the kind: its first
// state, the text of its message and the collected flag of the save slot
// that remembers it. A dropped pick-up lies for a while, waits for the
// player to come near, flies to the player and takes effect; a one-time item
// is held up in the item-get pose under its message, and its flag goes into
// the save slot and the resume snapshot so that it never comes back.
#include <cstdint>

#include "character/Character.h"

// The pick-up type ids (23001 to 23179).
namespace PickupId {
enum : int32_t {
    Heart = 23001,
    Spirit = 23002,
    Bombs = 23003,
    Shurikens = 23004,
    // The abilities: fire, wind and water ninjutsu, straw sandals,
    // gauntlets, silver gauntlets, scarf of wind, bombs, amulet.
    Ability = 23005,
    LastAbility = 23013,
    LaunchedHeart = 23014,
    LaunchedSpirit = 23015,
    LifeTank = 23030,  // to 23049
    ScrollOfShinobi = 23050,  // to 23069
    Key = 23080,  // to 23119
    Treasure = 23130,  // to 23179
};
}  // namespace PickupId

class CCharacterItem : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 190;
    static constexpr int32_t kTypeId = 23000;
    static constexpr int32_t kTextureSlot = 59;

    // States (each the first record of its kind's block).
    static constexpr int32_t kHeart = 10;
    static constexpr int32_t kSpirit = 20;
    static constexpr int32_t kShurikens = 30;
    static constexpr int32_t kBombs = 40;
    static constexpr int32_t kFireNinjutsu = 50;
    static constexpr int32_t kLastOneTime = 150;
    static constexpr int32_t kLifeTank = 110;
    static constexpr int32_t kScroll = 120;
    static constexpr int32_t kKey = 170;
    static constexpr int32_t kTreasure = 180;
    // Offsets within a dropped kind's block: lying, waiting, flying, and
    // the launched drop that flies without waiting.
    static constexpr int32_t kWaiting = 1;
    static constexpr int32_t kFlying = 2;
    static constexpr int32_t kLaunched = 3;

    CCharacterItem();

    // The kind of the type id: its state, message text and collected flag.
    void SetTypeId(int32_t id) override;
    // Fall rate, scale, fall speed and layer of the kinds' first states,
    // then the state.
    void SetState(int32_t state) override;
    // The chain's grab (kind 12) passes over pick-ups.
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override;
    void Update() override;

    // Stores the link value of the map cell (as stage objects do).
    virtual void SetLinkParam(int32_t value);

    int32_t linkValue = 0;
    // Index into the save slot's collected flags; -1 for the dropped kinds.
    int32_t collectedIndex = -1;
    // The message window's text; -1 for kinds without a message.
    int32_t messageTextId = -1;

private:
    // The behaviours by record.
    void UpdateLying();
    void UpdateWaiting();
    void UpdateFlying();
    void UpdateOneTime();
    void UpdateHeldUntilLanded();
    void UpdateUnderMessage();
    void UpdateKeyOrTreasure();
    void UpdateFading();

    // Whether the current save slot already holds this item's flag.
    bool IsCollected() const;
    void MarkCollected() const;

    // The vertical speed of the previous frame, for the bounce of keys and
    // treasures.
    int32_t lastVy_ = 0;
};
