#pragma once
// The stage proxy inside the game object. (Least form until the stages land:
// it keeps the id it was given and has no current stage. It keeps the
// pending switch that characters ask for, under the names the stage data
// gives it: SetPendingStage with the stage id, and the start point, facing,
// transition and extra value written directly; nothing performs it yet.)
#include <cstdint>

#include "stage/StageView.h"

class CStageDataControl : public CStageView {
public:
    CStageDataControl() = default;
    ~CStageDataControl() override = default;
    void SetStage(int32_t mapId) { stageId_ = mapId; }
    void Start() {}
    int32_t GetStageId() const { return stageId_; }
    // Asks for a switch to the stage at the next update.
    virtual void SetPendingStage(int32_t id) { m_nextStage = id; }

    bool HasStage() override { return false; }
    int32_t GetWidth() override { return 0; }
    int32_t GetHeight() override { return 0; }
    int32_t GetCameraX() override { return 0; }
    int32_t GetCameraY() override { return 0; }

    // The pending switch: the stage (0 none), where the player starts in it
    // (-1: where the stage says), its facing, the transition (-1 none), the
    // fade-in frames and the extra value.
    int32_t m_nextStage = 0;
    int32_t m_startX = -1;
    int32_t m_startY = -1;
    int32_t m_startFacing = 0;
    int32_t m_transitionType = -1;
    int32_t m_transitionFrames = 30;
    int32_t m_warpExtra = -1;

private:
    int32_t stageId_ = 0;
};
