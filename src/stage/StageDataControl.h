#pragma once
// The stage proxy inside the game object: it owns the current stage, passes
// most operations on to it, and keeps the pending warp, the stage to switch
// to at its next update with the player's position and facing and the
// transition. Room exits, the final boss and the player classes ask for a
// switch by writing the warp: SetPendingStage with the stage id, and the
// inherited m_startX, m_startY, m_startFacing, m_warpExtra,
// m_transitionType and m_transitionFrames directly.
//
// It is also the stage as terrain code sees it (CStageView). Without a
// current stage the size and camera answer 0.
#include <cstdint>
#include <memory>

#include "stage/StageData.h"
#include "stage/StageView.h"

class CStageDataControl : public CStageData, public CStageView {
public:
    CStageDataControl();
    ~CStageDataControl() override;

    void Start() override;
    void End() override;
    void Restart() override;
    void EmptyHookA() override;
    void EmptyHookB() override;
    int32_t GetNextStage() override;
    // A pending switch first, then the current stage's update.
    void Update() override;
    void Draw() override;
    int32_t GetWidth() override;
    int32_t GetHeight() override;
    int32_t GetCameraX() override;
    int32_t GetCameraY() override;
    int32_t GetScreenWidth() override;
    int32_t GetScreenHeight() override;
    int32_t GetMusic() override;
    void SetScreenWidth(int32_t w) override;
    void SetDeadZone(int32_t maxX, int32_t minX, int32_t minY, int32_t maxY) override;
    int32_t GetGoldMultiplier() override;

    // Asks for a switch to the stage at the next update.
    virtual void SetPendingStage(int32_t id);
    // Makes the stage object for a stage id (266 to 273) in place of the
    // current one, or (0) removes the current one. Nothing is started. An
    // id that names no stage keeps the current stage; false then.
    virtual bool SetStage(int32_t id);
    // The current stage; null when there is none.
    virtual CStageData* GetStage();

    bool HasStage() override { return m_stage != nullptr; }

    // Whether an id names one of the stages.
    static bool IsStageId(int32_t id);

private:
    // Leaves the pending warp idle.
    void ClearWarp();
    // The switch to the pending stage.
    void PerformWarp();

    std::unique_ptr<CStageData> m_stage;
};
