#include "framework/StateTitle.h"

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInput.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

CGameStateTitleLogo* CGameStateTitleLogo::GetInstance() {
    static CGameStateTitleLogo instance;
    return &instance;
}

void CGameStateTitleLogo::Start() {
    m_phase = 0;
    m_frame = 0;
}

void CGameStateTitleLogo::End() {}

void CGameStateTitleLogo::DoAction() {
    CGameInputController::GetInstance()->Update();
    CEffect::GetInstance()->Update();
    if (m_phase == 0) {
        m_phase = 1;
    } else if (m_phase == 1) {
        if (m_frame++ > 180) m_phase = 2;
    } else {
        CGameStateController::GetInstance()->ChangeState(4);
    }
}

void CGameStateTitleLogo::Draw() {
    CGameMain::GetInstance()->m_characterList.DrawAll();
    CEffect::GetInstance()->Draw();
    CGameInputController::GetInstance()->Draw();
}

CGameStateTitleMain* CGameStateTitleMain::GetInstance() {
    static CGameStateTitleMain instance;
    return &instance;
}

void CGameStateTitleMain::Start() {
    CEffect::GetInstance()->ResetScreenEffects();
    CGameInputController::GetInstance()->SetInput(2);
    m_scrollX = 0;
    m_scrollY = 0;
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DeleteAll();
    game->m_subCharacterList.DeleteAll();
    CSoundManager::GetInstance()->StopAllMusic();
}

void CGameStateTitleMain::DoAction() {
    CGameInputController::GetInstance()->Update();
    CEffect::GetInstance()->Update();
    m_scrollX = (m_scrollX + 1) % 256;
}

void CGameStateTitleMain::Draw() {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = 2.0f;
    DrawParams::scaleY = 2.0f;
    DrawSprite(-100, -100, 49, m_scrollX / 2, m_scrollY / 2, 680, 520);
    DrawParams::scaleX = 1.0f;
    DrawParams::scaleY = 1.0f;
    CGameMain::GetInstance()->m_characterList.DrawAll();
    CGameInputController::GetInstance()->Draw();
    CEffect::GetInstance()->Draw();
}
