#include "framework/GameState.h"

#include "framework/StateLoading.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"

CGameStateController* CGameStateController::GetInstance() {
    static CGameStateController instance;
    return &instance;
}

CGameStateMain* CGameStateMain::GetInstance() {
    static CGameStateMain instance;
    return &instance;
}

CGameState* CGameStateController::StateForId(int32_t id) {
    switch (id) {
        case 1: return CGameStateLoading::GetInstance();
        case 2: case 4: return CGameStateTitleMain::GetInstance();
        case 3: return CGameStateTitleLogo::GetInstance();
        case 5: return CGameStateMain::GetInstance();
        case 6: return CGameStateMainNormal::GetInstance();
        case 8: return CGameStateMainPause::GetInstance();
        default: return nullptr;
    }
}

void CGameStateController::DoAction() {
    if (current_) current_->DoAction();
}

void CGameStateController::Draw() {
    if (current_) current_->Draw();
}

void CGameStateController::ChangeState(int32_t id) { SwitchTo(StateForId(id), id); }

void CGameStateController::SwitchTo(CGameState* next, int32_t id) {
    if (!next || next == current_) return;
    if (current_) current_->End();
    current_ = next;
    next->Start();
    next->ChangeState(id);
}
