#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "stage/Event.h"
#include "ui/GameInput.h"

void CGameMain::StartStage(int32_t mapId) {
    m_triesLeft = m_gameMode != 0 ? 3 : 999;
    CEffect::GetInstance()->ResetScreenEffects();
    CGameInputController::GetInstance()->SetInput(15);
    CGameStateController::GetInstance()->ChangeState(6);
    ClearFreezeTimer();
    ClearGroupFreezeTimer();
    CEvent::GetInstance()->Reset();
    m_stageControl.SetStage(mapId);
    m_stageControl.Start();
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
    m_stageControl.SetStage(m_retryMapId);
    m_stageControl.Start();
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
