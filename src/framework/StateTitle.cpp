#include "framework/StateTitle.h"

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInput.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

// Key Z, X or C (game keys 4, 5, 6) down this frame, input not yet used.
bool SkipKeyDown() {
    const CMyInput* input = CMyInput::GetInstance();
    if (input->m_inputAvailable == 0) return false;
    for (int key = 4; key <= 6; ++key)
        if (input->m_keyHistory[key][0] != 0) return true;
    return false;
}

}  // namespace

CGameStateTitleLogo* CGameStateTitleLogo::GetInstance() {
    static CGameStateTitleLogo instance;
    return &instance;
}

void CGameStateTitleLogo::Start() {
    m_phase = 0;
    m_frame = 0;
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 255;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = -10;
}

void CGameStateTitleLogo::End() {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = 0;
}

void CGameStateTitleLogo::DoAction() {
    CGameInputController::GetInstance()->Update();
    CEffect* effect = CEffect::GetInstance();
    effect->Update();
    switch (m_phase) {
        case 0:
            if (effect->m_fade == effect->m_fadeTarget) m_phase = 1;
            break;
        case 1:
            if (m_frame++ > 180 || SkipKeyDown()) {
                m_phase = 2;
                effect->m_fade = 0;
                effect->m_fadeTarget = 255;
                effect->m_fadeStep = 10;
            }
            break;
        case 2:
            if (effect->m_fade == effect->m_fadeTarget) CGameStateController::GetInstance()->ChangeState(4);
            break;
        default:
            break;
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
    CEffect* effect = CEffect::GetInstance();
    effect->ResetScreenEffects();
    effect->m_fade = 255;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = -10;
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
    // The 128-texel tile repeats over the source rectangle; drawn at double
    // size it covers the screen and slides one texel every second frame.
    DrawSprite(-100, -100, 49, m_scrollX / 2, m_scrollY / 2, 680, 520);
    DrawParams::scaleX = 1.0f;
    DrawParams::scaleY = 1.0f;
    CGameMain::GetInstance()->m_characterList.DrawAll();
    CGameInputController::GetInstance()->Draw();
    CEffect::GetInstance()->Draw();
}
