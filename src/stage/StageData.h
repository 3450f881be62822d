#pragma once
// A stage: its three map layers and size, the camera over them, the player's
// start, its music and the stage ids the game records while it is played.
// There is no tile map at run time: the camera scroll moves every character
// (positions are relative to the camera) and turns the map cells that come
// into the spawn window into characters, which delete themselves when they
// leave it again.
#include <cstdint>

#include "stage/StageMap.h"

class CStageData {
public:
    CStageData();
    CStageData(const CStageData&) = delete;
    CStageData& operator=(const CStageData&) = delete;
    virtual ~CStageData();

    virtual void Init();
    // A fresh start: screen fade-in, the recorded ids, both character lists
    // emptied, a new player at the start position, layer C, the music, then
    // one camera step (which spawns the first window).
    virtual void Start();
    virtual void End();
    // Begins again keeping the player (after a stage switch).
    virtual void Restart();
    virtual void EmptyHookA();
    virtual void EmptyHookB();
    virtual int32_t GetNextStage();
    // The camera step, then the fall-out test.
    virtual void Update();
    // The black masks over the parts of the view outside the stage.
    virtual void Draw();
    virtual int32_t GetWidth();
    virtual int32_t GetHeight();
    virtual int32_t GetCameraX();
    virtual int32_t GetCameraY();
    virtual int32_t GetScreenWidth();
    virtual int32_t GetScreenHeight();
    virtual int32_t GetMusic();
    virtual void SetScreenWidth(int32_t w);
    virtual void SetDeadZone(int32_t maxX, int32_t minX, int32_t minY, int32_t maxY);
    // Follows the camera target: look-ahead, dead zone, one cell of
    // overshoot at the left and right ends, none at the top and bottom,
    // centring on stages smaller than the view.
    virtual void UpdateCamera();
    virtual void ScrollClamped(int32_t dx, int32_t dy);
    virtual void SnapToTarget();
    virtual void SnapToSecondTarget();
    // Moves the camera and every character, and spawns the cells of layers
    // A and B that entered the spawn window.
    virtual void ScrollBy(int32_t dx, int32_t dy);
    // Creates every cell of layer C at its map position.
    virtual void SpawnObjectLayer();
    virtual int32_t GetPlayerEdgeFlags();
    virtual bool IsPlayerBelowView();
    // A player that fell below the bottom of the stage stops and dies; true
    // when that happened this frame.
    virtual bool CheckFallOut();
    virtual void EmptyHookC(int32_t value);
    virtual int32_t GetGoldMultiplier();

    const StageMapCell* m_layerA = nullptr;
    const StageMapCell* m_layerB = nullptr;
    const StageMapCell* m_layerC = nullptr;
    int32_t m_stageId = -1;
    int32_t m_retryStageId = -1;
    int32_t m_restartStageId = -1;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_cameraX = 0;
    int32_t m_cameraY = 0;
    // The camera of the last spawn pass and the view size it was made at:
    // together they give the window whose cells exist. The view size
    // changes with the portrait turn, and the window that was spawned is
    // the one of the old size until the next pass.
    int32_t m_spawnCameraX = 0;
    int32_t m_spawnCameraY = 0;
    int32_t m_spawnViewWidth = 0;
    int32_t m_spawnViewHeight = 0;
    int32_t m_startX = -1;
    int32_t m_startY = -1;
    int32_t m_startFacing = 0;
    int32_t m_transitionType = -1;
    int32_t m_transitionFrames = 30;
    int32_t m_music = -1;
    int32_t m_goldMultiplier = 1;
    int32_t m_nextStage = 0;
    int32_t m_warpExtra = -1;
    int32_t m_deadZoneMaxX = 2400;
    int32_t m_deadZoneMinX = 2400;
    int32_t m_deadZoneMinY = 1600;
    int32_t m_deadZoneMaxY = 1600;
    int32_t m_screenWidth = 480;
    int32_t m_screenHeight = 320;
    int32_t m_state = 0;

protected:
    // The camera back at (0, 0), the spawn reference so far away that the
    // next scroll spawns the whole window, the horizontal dead zone at the
    // view's centre and the view size.
    void ResetCamera();
    // Start's music step: stop what plays, start the stage's piece.
    void StartMusic();
    // Makes the character of one map cell and puts it into the world list,
    // camera-relative or (layer C) at its map position. Null for an empty
    // cell or an id that makes nothing.
    class CCharacter* SpawnCell(StageMapCell value, int32_t column, int32_t row, int layer);
    int32_t LayerColumns() const { return m_width + 2 * kMapBorder; }
    int32_t LayerRows() const { return m_height + 2 * kMapBorder; }
};

// Stages that know whether they were started.
class CStageDataBase : public CStageData {
public:
    virtual bool IsStarted();

    uint8_t m_started = 0;
};
