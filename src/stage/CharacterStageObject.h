#pragma once
// Level furniture: room exits and doors that lead to another stage, the save
// point, the shop point, switches, flag gates, locks, targets, enemy locks,
// breakable, sealed and falling blocks, hazard blocks, a goal target and
// decorations. The kind is chosen once, when the factory puts the object
// into its first state (directly or through one of the Init operations);
// from then on every behaviour follows the current frame. The records are
// data (data/frames/CCharacterStageObject.tab), and several kinds rewrite
// their own copy at run time.
//
// Room exits read their destination from the exit table (data/maps/
// exits.txt) by type id and arm the stage proxy's pending warp when the
// player touches them; door exits do so once the fade the player started by
// entering them has finished.
#include <cstdint>

#include "character/Character.h"

class CCharacterStageObject : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 440;
    // The type id door exits, locked doors and shop points keep: the player
    // finds them by it and their frame.
    static constexpr int32_t kTypeId = 23800;

    // States other code relies on.
    static constexpr int32_t kRoomExit = 240;
    static constexpr int32_t kRoomExitAlt = 241;
    static constexpr int32_t kDoorExit = 250;
    static constexpr int32_t kDoorEntered = 251;
    static constexpr int32_t kConditionFlagCount = 8;

    CCharacterStageObject();
    // Lets go of the player's hold on it (the character core does that for
    // every character).
    ~CCharacterStageObject() override;

    void Update() override;
    // Attack kind 12 is refused; the switches, the target and the blocks
    // react by their kind in their own frames; anything else is the
    // character core's hit.
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override;
    // The entry actions of the state (layer, group, scale, effects), then
    // the state.
    void SetState(int32_t state) override;
    // Room and door exits from the exit table's row for the id.
    void SetTypeId(int32_t id) override;
    int32_t GetAnchorX() override;
    int32_t GetAnchorY() override;

    // The destination stage of an exit or door.
    virtual void SetLinkParam(int32_t value);
    virtual void InitKeyLock(int32_t id);
    virtual void InitFlagGate(int32_t id);
    virtual void InitSwitch(int32_t id);
    virtual void InitSwitchAlt(int32_t id);
    virtual void InitLockedDoor(int32_t id);
    virtual void InitTarget(int32_t id);
    virtual void InitEnemyLock(int32_t id);
    virtual void InitBreakableBlock(int32_t id);
    virtual void InitSealedBlock(int32_t id);
    virtual void InitFallingBlock(int32_t id);
    // True when every condition flag that is not 0 is set in the slot in
    // play.
    virtual bool AreAllFlagsSet();
    // The switch's light among the children (type 50005), or null.
    virtual CCharacter* FindChild50005();
    // Every light among the children goes (state 0), its link cleared.
    virtual void ReleaseChildren50005();
    // Whether any character of the world is of the enemies' group (stage
    // objects of that group too), sealed blocks aside.
    virtual bool AnyEnemyLeft();
    // Every character of the enemies' group goes (state 0).
    virtual void RemoveAllEnemies();

    int32_t m_destMapId = 0;
    int32_t m_destX = -1;
    int32_t m_destY = -1;
    int32_t m_destFacing = 0;
    int32_t m_transitionType = -1;
    int32_t m_transitionFrames = 30;
    int32_t m_warpExtra = 0;
    int32_t m_rewardTypeId = 0;
    uint8_t m_startsTour = 0;
    int32_t m_openSound = -1;
    int32_t m_onFrames = -1;
    int32_t m_invert = 0;
    int32_t m_flagId = -1;
    int32_t m_conditionFlags[kConditionFlagCount] = {};

private:
    // One frame of a room exit (240/241); false when the update ends.
    bool UpdateRoomExit();
    // Door exits: waiting (250) and entered (251); false when the update
    // ends.
    bool UpdateDoorWaiting();
    bool UpdateDoorEntered();
    // Arms the stage proxy's warp to this exit's destination at the given
    // map y.
    void ArmWarp(int32_t startY);
    // Marker stacking of a room exit: only the topmost exit cell of a
    // column shows, lowered by half a cell for each further cell below it.
    void StackMarker();
    // The goal target's finish, in place of the defeat state.
    void FinishGoalTarget();
    // The warp of an exit or door row (the exit table's columns).
    template <class Row>
    void TakeWarpOf(const Row& row) {
        SetLinkParam(row.destMapId);
        m_destX = row.destX10 * 10;
        m_destY = row.destY10 * 10;
        m_destFacing = row.facing;
        m_transitionType = row.transitionType;
        m_transitionFrames = row.transitionFrames;
        m_warpExtra = row.warpExtra;
    }
    // A door's picture, in every record of the door's states.
    static constexpr int32_t kDoorRecords = 10;
    template <class Row>
    void PaintDoorOf(const Row& row) {
        for (int32_t i = kDoorExit; i < kDoorExit + kDoorRecords; ++i) {
            FrameRecord* r = frameTable.Find(i);
            if (r == nullptr) continue;
            r->u = row.spriteU;
            r->v = row.spriteV;
            r->spriteLeft = row.spriteLeft;
            r->spriteRight = row.spriteRight;
            r->spriteTop = row.spriteTop;
            r->spriteBottom = row.spriteBottom;
            r->textureId = row.textureId;
        }
    }
    // The first child of a type, or null; every child of a type put into
    // state 0 and let go.
    CCharacter* FindChildOfType(int32_t type);
    void ReleaseChildrenOfType(int32_t type);
    // An effect made a child of this object.
    void SpawnChildEffect(int32_t state, int32_t ex, int32_t ey);
    // Doors and shop points: one child effect of the type (made in the
    // state at the place given) while the grounded player touches the
    // body, none otherwise.
    void ShowSignWhileStanding(int32_t type, int32_t state, int32_t ex, int32_t ey);

    // The furniture of StageObjectKinds.cpp. UpdateKind runs the behaviour
    // of the current frame; false when the update ends before the move.
    bool UpdateKind();
    void UpdateGoalTarget();
    bool UpdateLockedDoor();
    void UpdateSavePoint();
    bool UpdateKeyLock();
    void UpdateFlagGate();
    void UpdateSwitch();
    void UpdateEnemyLock();
    void UpdateFallingBlock();
    void UpdateHazard();
    // The hit of a switch, the target or a block in its frame; false when
    // the kind does not answer to it.
    bool HitKind(int32_t kind);
    // The camera tour with this object as its first spot.
    void StartTour(int32_t travelFrames, int32_t waitFrames);
    // A broken block's pieces: `passes` times one of each state, spread
    // around the position.
    void Shatter(const int32_t* states, int32_t count, int32_t passes, int32_t spread);
    // Flag f of the slot in play (0 without one), and writing it.
    static bool FlagSet(int32_t flagId);
    static void WriteFlag(int32_t flagId, uint8_t value);
};
