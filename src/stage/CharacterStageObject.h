#pragma once
// Level furniture: room exits, doors, save points, switches, gates, locks,
// targets, breakable blocks and hazards. (Stand-in until the stage objects
// land: each kind is put into its start state and holds it.)
#include <cstdint>

#include "character/Character.h"

class CCharacterStageObject : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 440;

    CCharacterStageObject();
    ~CCharacterStageObject() override;

    void Update() override;
    // Room exits (start state 240).
    void SetTypeId(int32_t id) override;

    void InitKeyLock(int32_t id);
    void InitFlagGate(int32_t id);
    void InitSwitch(int32_t id);
    void InitSwitchAlt(int32_t id);
    void InitLockedDoor(int32_t id);
    void InitTarget(int32_t id);
    void InitEnemyLock(int32_t id);
    void InitBreakableBlock(int32_t id);
    void InitSealedBlock(int32_t id);
    void InitFallingBlock(int32_t id);
};
