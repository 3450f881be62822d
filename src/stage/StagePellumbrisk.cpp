#include "stage/StagePellumbrisk.h"

#include "maps/StageMaps.h"
#include "stage/Event.h"

namespace {

constexpr int32_t kNoStage = -1;
constexpr int32_t kNoMusic = -1;
constexpr int32_t kStageMusic = 2;
// What the stage-clear screen starts after any of these stages.
constexpr int32_t kAfterClear = 299;

}  // namespace

// stage, map, retry, restart, music, start, scene room, restart position, scene
const StageTableRow kStageTable[8] = {
    {266, kStageMapIndex1_1, 266, 266, kStageMusic, 1000, 2400, false, 0, 0, 0},
    {267, kStageMapIndex1_2, 267, 267, kStageMusic, 1000, 2400, false, 0, 0, 0},
    {268, kStageMapIndex1_3, 268, 268, kStageMusic, 1000, 2400, false, 0, 0, 0},
    {269, kStageMapIndex1_4, 269, 269, kStageMusic, 1000, 14400, false, 0, 0, 0},
    {270, kStageMapIndex1_5, 270, 270, kNoMusic, 600, 2400, false, 0, 0, 0},
    {271, kStageMapIndex1_6, kNoStage, kNoStage, kNoMusic, 1000, 2400, true, 2200, 2400, 7},
    {272, kStageMapIndex1_7, kNoStage, kNoStage, kNoMusic, 1000, 2400, true, 2200, 2400, 8},
    {273, kStageMapIndex1_8, kNoStage, kNoStage, kNoMusic, 1000, 2400, true, 2200, 2400, 9},
};

static_assert(kStageMapWidths[kStageMapIndex1_1] == 150 && kStageMapHeights[kStageMapIndex1_1] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_2] == 150 && kStageMapHeights[kStageMapIndex1_2] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_3] == 150 && kStageMapHeights[kStageMapIndex1_3] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_4] == 12 && kStageMapHeights[kStageMapIndex1_4] == 40);
static_assert(kStageMapWidths[kStageMapIndex1_5] == 12 && kStageMapHeights[kStageMapIndex1_5] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_6] == 30 && kStageMapHeights[kStageMapIndex1_6] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_7] == 30 && kStageMapHeights[kStageMapIndex1_7] == 8);
static_assert(kStageMapWidths[kStageMapIndex1_8] == 9 && kStageMapHeights[kStageMapIndex1_8] == 8);

CStageDataPellumbrisk::CStageDataPellumbrisk(const StageTableRow& row) : m_row(row) {
    const StageMapData& map = kStageMaps[row.mapIndex];
    m_warpExtra = -1;
    m_started = 0;
    m_stageId = row.stageId;
    m_retryStageId = row.retryStageId;
    m_restartStageId = row.restartStageId;
    m_layerA = map.layerA;
    m_layerB = map.layerB;
    m_layerC = map.layerC;
    m_width = map.width;
    m_height = map.height;
    m_cameraX = 0;
    m_goldMultiplier = 1;
    m_nextStage = kAfterClear;
    m_music = row.music;
}

void CStageDataPellumbrisk::Start() {
    m_startX = m_row.startX;
    m_startY = m_row.startY;
    CStageData::Start();
    m_started = 1;
    if (m_row.sceneRoom) CEvent::GetInstance()->SetEvent(m_row.event);
}

void CStageDataPellumbrisk::End() { m_started = 0; }

void CStageDataPellumbrisk::Restart() {
    if (!m_row.sceneRoom) {
        CStageData::Restart();
        return;
    }
    // A scene room puts the player where its scene wants it, whatever the
    // warp said.
    m_startX = m_row.restartX;
    m_startY = m_row.restartY;
    CStageData::Restart();
    CEvent::GetInstance()->SetEvent(m_row.event);
}

CStageDataPellumbrisk1_1::CStageDataPellumbrisk1_1() : CStageDataPellumbrisk(kStageTable[0]) {}
CStageDataPellumbrisk1_2::CStageDataPellumbrisk1_2() : CStageDataPellumbrisk(kStageTable[1]) {}
CStageDataPellumbrisk1_3::CStageDataPellumbrisk1_3() : CStageDataPellumbrisk(kStageTable[2]) {}
CStageDataPellumbrisk1_4::CStageDataPellumbrisk1_4() : CStageDataPellumbrisk(kStageTable[3]) {}
CStageDataPellumbrisk1_5::CStageDataPellumbrisk1_5() : CStageDataPellumbrisk(kStageTable[4]) {}
CStageDataPellumbrisk1_6::CStageDataPellumbrisk1_6() : CStageDataPellumbrisk(kStageTable[5]) {}
CStageDataPellumbrisk1_7::CStageDataPellumbrisk1_7() : CStageDataPellumbrisk(kStageTable[6]) {}
CStageDataPellumbrisk1_8::CStageDataPellumbrisk1_8() : CStageDataPellumbrisk(kStageTable[7]) {}
