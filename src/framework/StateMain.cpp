#include "framework/StateMain.h"

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInput.h"

CGameStateMainNormal* CGameStateMainNormal::GetInstance() {
    static CGameStateMainNormal instance;
    return &instance;
}

CGameStateMainPause* CGameStateMainPause::GetInstance() {
    static CGameStateMainPause instance;
    return &instance;
}

void DrawPlayField() {
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DrawAll();
    CEffect::GetInstance()->Draw();
    CGameInputController::GetInstance()->Draw();
}

void CGameStateMainNormal::DoAction() {
    CGameMain* game = CGameMain::GetInstance();
    CGameInputController::GetInstance()->Update();
    game->m_subCharacterList.UpdateAll();
    game->m_characterList.UpdateAll();
    CEffect::GetInstance()->Update();
    game->TickFreezeTimer();
    game->TickGroupFreezeTimer();
}

void CGameStateMainNormal::Draw() { DrawPlayField(); }

void CGameStateMainPause::DoAction() { CGameInputController::GetInstance()->Update(); }

void CGameStateMainPause::Draw() { DrawPlayField(); }
