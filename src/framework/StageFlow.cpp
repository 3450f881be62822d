#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/SaveData.h"
#include "stage/Event.h"
#include "ui/GameInput.h"
#include "ui/Lifebar.h"

namespace {

// The player's life bar attached and reset, no boss bar.
void ResetLifebars(int32_t character) {
    CLifebarController* bars = CLifebarController::GetInstance();
    bars->SetNinjaBar(character);
    bars->SetEnemyBar(nullptr);
    bars->Reset();
}

// Builds the stage for an id and starts it: the stage creates the player,
// its camera and what its map places.
void BuildAndStartStage(CGameMain& game, int32_t mapId) {
    game.m_stageControl.SetStage(mapId);
    game.m_stageControl.Start();
}

}  // namespace

bool IsBuildableStage(int32_t mapId) {
    return mapId >= SaveSlotRecord::kFirstMapId && mapId <= SaveSlotRecord::kLastMapId;
}

bool CGameMain::StartStage(int32_t mapId) {
    if (!IsBuildableStage(mapId)) return false;
    m_triesLeft = m_gameMode != 0 ? 3 : 999;
    CEffect::GetInstance()->ResetScreenEffects();
    CGameInputController::GetInstance()->SetInput(15);
    CGameStateController::GetInstance()->ChangeState(6);
    ClearFreezeTimer();
    ClearGroupFreezeTimer();
    CEvent::GetInstance()->Reset();
    ResetLifebars(m_selectedCharacter);
    BuildAndStartStage(*this, mapId);
    return true;
}

void CGameMain::RetryStage() {
    CEffect::GetInstance()->ResetScreenEffects();
    CGameInputController::GetInstance()->SetInput(15);
    CGameStateController::GetInstance()->ChangeState(6);
    ClearFreezeTimer();
    ClearGroupFreezeTimer();
    if (m_triesLeft != 999) {
        --m_triesLeft;
        if (m_triesLeft < 0) m_triesLeft = 0;
    }
    CEvent::GetInstance()->Reset();
    ResetLifebars(m_selectedCharacter);
    BuildAndStartStage(*this, m_retryMapId);
}

void CGameMain::RestartStage() {
    CEffect::GetInstance()->ResetScreenEffects();
    ClearFreezeTimer();
    ClearGroupFreezeTimer();
    CEvent::GetInstance()->Reset();
    StartStage(m_restartMapId);
}

void CGameMain::GoToTitle() {
    CEvent::GetInstance()->Reset();
    CGameStateController::GetInstance()->ChangeState(2);
    m_mapId = 0;
    m_stageControl.SetStage(0);
}

void CGameMain::ApplyScreenSizeToStage() {
    CStageData* stage = m_stageControl.GetStage();
    if (stage == nullptr) return;
    const int32_t w = GetViewWidth(), h = GetViewHeight();
    stage->SetDeadZone((w / 2) * 10, (w / 2) * 10, (h / 2) * 10, (h / 2) * 10);
    stage->Update();
}
