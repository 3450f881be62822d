#pragma once
// The stage as the character core sees it: the playfield's size and the
// camera. Terrain code (clamping to the stage, stage coordinates, the
// inside-stage test, the ground search) reads the stage only through this,
// reached by CGameMain::GetStageView(), so that it does not care whether the
// stage proxy or a test's stand-in answers.
//
// The stage proxy CStageDataControl implements it with its operations of
// the same names; tests install a fake with CGameMain::SetStageView.
#include <cstdint>

class CStageView {
public:
    virtual ~CStageView() = default;

    // True while a stage is current; without one the others answer 0.
    virtual bool HasStage() = 0;
    // Playfield size in cells (a cell is 400 units).
    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    // Map position of the view's top-left corner, in world units. A
    // character's stage position is camera + its position.
    virtual int32_t GetCameraX() = 0;
    virtual int32_t GetCameraY() = 0;
    // The current stage's music entry; -1 for a stage without music (and
    // without a stage).
    virtual int32_t GetMusic() { return -1; }
};
