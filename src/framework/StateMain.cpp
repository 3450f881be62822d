#include "framework/StateMain.h"

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInput.h"
#include "ui/GameInputMain.h"
#include "win/MyInput.h"

namespace {

constexpr int kPauseKey = 11;  // P in the default key map

// Down this frame and up the frame before, with the input not yet used.
bool KeyWentDown(int key) {
    const CMyInput* input = CMyInput::GetInstance();
    return input->m_inputAvailable != 0 && input->m_keyHistory[key][0] != 0 && input->m_keyHistory[key][1] == 0;
}

}  // namespace

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
    // The pause key pauses plain play only: the HUD on top of the chain in
    // its play state. Over a message window, the weapon chooser, continue
    // or stage clear it does nothing.
    CGameInputMain* hud = CGameInputMain::GetInstance();
    if (KeyWentDown(kPauseKey) && hud->IsPlaying()) hud->OpenPause();
}

void CGameStateMainNormal::Draw() { DrawPlayField(); }

void CGameStateMainPause::DoAction() { CGameInputController::GetInstance()->Update(); }

void CGameStateMainPause::Draw() { DrawPlayField(); }
