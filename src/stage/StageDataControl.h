#pragma once
// The stage proxy inside the game object. (Least form until the stages land.)
#include <cstdint>

class CStageDataControl {
public:
    CStageDataControl() = default;
    virtual ~CStageDataControl() = default;
    void SetStage(int32_t mapId) { stageId_ = mapId; }
    void Start() {}
    int32_t GetStageId() const { return stageId_; }

private:
    int32_t stageId_ = 0;
};
