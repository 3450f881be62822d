#pragma once
// The stage proxy inside the game object. (Least form until the stages land:
// it keeps the id it was given and has no current stage.)
#include <cstdint>

#include "stage/StageView.h"

class CStageDataControl : public CStageView {
public:
    CStageDataControl() = default;
    ~CStageDataControl() override = default;
    void SetStage(int32_t mapId) { stageId_ = mapId; }
    void Start() {}
    int32_t GetStageId() const { return stageId_; }

    bool HasStage() override { return false; }
    int32_t GetWidth() override { return 0; }
    int32_t GetHeight() override { return 0; }
    int32_t GetCameraX() override { return 0; }
    int32_t GetCameraY() override { return 0; }

private:
    int32_t stageId_ = 0;
};
