#pragma once
// The eight stages. Each fills the stage fields from its row of the stage
// table and its maps (data/maps): the three forest and castle runs, the
// tower, the boss hall, and the three scene rooms whose start and restart
// begin a scene.
#include <cstdint>

#include "stage/StageData.h"

// What sets one stage apart from the others.
struct StageTableRow {
    int32_t stageId;
    int mapIndex;  // into kStageMaps
    int32_t retryStageId;
    int32_t restartStageId;
    int32_t music;
    int32_t startX, startY;
    // Scene rooms: the position a restart puts the player at, and the scene
    // that a start and a restart begin. Other stages restart where the warp
    // or the last start put the player, and begin no scene.
    bool sceneRoom;
    int32_t restartX, restartY;
    int32_t event;
};

// The behaviour the eight stage classes share.
class CStageDataPellumbrisk : public CStageDataBase {
public:
    void Start() override;
    void End() override;
    void Restart() override;

protected:
    explicit CStageDataPellumbrisk(const StageTableRow& row);

private:
    const StageTableRow& m_row;
};

class CStageDataPellumbrisk1_1 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_1();
};
class CStageDataPellumbrisk1_2 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_2();
};
class CStageDataPellumbrisk1_3 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_3();
};
class CStageDataPellumbrisk1_4 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_4();
};
class CStageDataPellumbrisk1_5 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_5();
};
class CStageDataPellumbrisk1_6 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_6();
};
class CStageDataPellumbrisk1_7 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_7();
};
class CStageDataPellumbrisk1_8 : public CStageDataPellumbrisk {
public:
    CStageDataPellumbrisk1_8();
};

// The stage table, in stage order (266 to 273).
extern const StageTableRow kStageTable[8];
