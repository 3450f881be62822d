#include "stage/StageDataControl.h"

#include <new>

#include "framework/Effect.h"
#include "stage/StagePellumbrisk.h"
#include "win/DebugLog.h"

namespace {

constexpr int32_t kFirstStage = 266;
constexpr int32_t kLastStage = 273;

std::unique_ptr<CStageData> MakeStage(int32_t id) {
    switch (id) {
        case 266: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_1());
        case 267: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_2());
        case 268: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_3());
        case 269: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_4());
        case 270: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_5());
        case 271: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_6());
        case 272: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_7());
        case 273: return std::unique_ptr<CStageData>(new (std::nothrow) CStageDataPellumbrisk1_8());
        default: return nullptr;
    }
}

}  // namespace

CStageDataControl::CStageDataControl() {
    m_state = 2;
    m_nextStage = 0;
}

CStageDataControl::~CStageDataControl() = default;

bool CStageDataControl::IsStageId(int32_t id) { return id >= kFirstStage && id <= kLastStage; }

bool CStageDataControl::SetStage(int32_t id) {
    if (id == 0) {
        m_stage.reset();
        return true;
    }
    if (!IsStageId(id)) {
        DebugPrintf("SetStage: no stage %d; the current stage stays\n", static_cast<int>(id));
        return false;
    }
    // A failed allocation leaves no current stage.
    m_stage.reset();
    m_stage = MakeStage(id);
    return m_stage != nullptr;
}

CStageData* CStageDataControl::GetStage() { return m_stage.get(); }

void CStageDataControl::SetPendingStage(int32_t id) { m_nextStage = id; }

void CStageDataControl::ClearWarp() {
    m_nextStage = 0;
    m_startX = -1;
    m_startY = -1;
    m_startFacing = 0;
    m_warpExtra = -1;
    m_transitionType = -1;
    m_transitionFrames = 30;
}

void CStageDataControl::PerformWarp() {
    if (!IsStageId(m_nextStage)) {
        // A warp to a stage this game does not have (a boss of another
        // stage set, the stage-clear screen's next stage, a stale save)
        // goes nowhere: play goes on in the current stage.
        DebugPrintf("stage switch to %d dropped: no such stage\n", static_cast<int>(m_nextStage));
        ClearWarp();
        return;
    }
    End();
    if (!SetStage(m_nextStage) || m_stage == nullptr) {
        ClearWarp();
        return;
    }
    if (m_startX != -1) {
        m_stage->m_startX = m_startX;
        m_stage->m_startY = m_startY;
        m_stage->m_startFacing = m_startFacing;
        m_stage->m_warpExtra = m_warpExtra;
        m_startX = -1;
        m_startY = -1;
        m_startFacing = 0;
        m_warpExtra = -1;
    }
    Restart();
    CEffect* effect = CEffect::GetInstance();
    if (m_transitionType != -1) {
        effect->m_overlay = 255;
        effect->m_overlayTarget = 0;
        effect->m_overlayStep = -10;
        effect->m_overlayKind = m_transitionType;
        m_transitionType = -1;
    }
    effect->m_fade = 255;
    effect->m_fadeTarget = 0;
    // A warp of no frames (or fewer) is there at once instead of dividing
    // by nothing.
    effect->m_fadeStep = m_transitionFrames > 0 ? -255 / m_transitionFrames : -255;
    m_transitionFrames = 30;
    m_nextStage = 0;
}

void CStageDataControl::Update() {
    if (m_nextStage != 0) PerformWarp();
    if (m_stage) m_stage->Update();
}

void CStageDataControl::Start() {
    if (m_stage) m_stage->Start();
}
void CStageDataControl::End() {
    if (m_stage) m_stage->End();
}
void CStageDataControl::Restart() {
    if (m_stage) m_stage->Restart();
}
void CStageDataControl::EmptyHookA() {
    if (m_stage) m_stage->EmptyHookA();
}
void CStageDataControl::EmptyHookB() {
    if (m_stage) m_stage->EmptyHookB();
}
void CStageDataControl::Draw() {
    if (m_stage) m_stage->Draw();
}
int32_t CStageDataControl::GetNextStage() { return m_stage ? m_stage->GetNextStage() : 0; }

// Without a stage the size, camera and music read as nothing.
int32_t CStageDataControl::GetWidth() { return m_stage ? m_stage->m_width : 0; }
int32_t CStageDataControl::GetHeight() { return m_stage ? m_stage->m_height : 0; }
int32_t CStageDataControl::GetCameraX() { return m_stage ? m_stage->m_cameraX : 0; }
int32_t CStageDataControl::GetCameraY() { return m_stage ? m_stage->m_cameraY : 0; }
int32_t CStageDataControl::GetScreenWidth() { return m_stage ? m_stage->m_screenWidth : 0; }
int32_t CStageDataControl::GetScreenHeight() { return m_stage ? m_stage->m_screenHeight : 0; }
int32_t CStageDataControl::GetMusic() { return m_stage ? m_stage->GetMusic() : -1; }

void CStageDataControl::SetScreenWidth(int32_t w) {
    if (m_stage) m_stage->SetScreenWidth(w);
}
void CStageDataControl::SetDeadZone(int32_t maxX, int32_t minX, int32_t minY, int32_t maxY) {
    if (m_stage) m_stage->SetDeadZone(maxX, minX, minY, maxY);
}
int32_t CStageDataControl::GetGoldMultiplier() { return m_stage ? m_stage->GetGoldMultiplier() : m_goldMultiplier; }
