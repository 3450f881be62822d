#include "framework/StateMain.h"

#include <utility>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "stage/Event.h"
#include "ui/GameInput.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputPause.h"
#include "win/Graphics.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr int kF2 = 1;
constexpr int kF10 = 9;
constexpr int kF11 = 10;
constexpr int kF12 = 11;
constexpr int kPauseKey = 11;  // entry of the key map

// A key goes down in a frame when it is down now and was up the frame
// before, and nothing used the frame's input.
bool WentDown(const InputHistory& history) {
    return CMyInput::GetInstance()->m_inputAvailable != 0 && history[0] != 0 && history[1] == 0;
}

bool FunctionKeyWentDown(int index) { return WentDown(CMyInput::GetInstance()->m_functionKeyHistory[index]); }

// Play time counts in the save slot in play, in play and pause alike.
void CountPlayTime() {
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return;
    CSaveData& slot = game->m_slotData[game->m_currentSlot];
    slot.SetInt(SaveSlotRecord::kPlayTime, slot.GetInt(SaveSlotRecord::kPlayTime) + 1);
}

// F10 retries while tries are left, F11 restarts, F12 leaves for the title;
// only the first that went down acts. True when one did.
bool StageKeys() {
    CGameMain* game = CGameMain::GetInstance();
    if (FunctionKeyWentDown(kF10)) {
        if (game->m_triesLeft != 0) game->RetryStage();
        else PlaySE(36);
        return true;
    }
    if (FunctionKeyWentDown(kF11)) {
        game->RestartStage();
        return true;
    }
    if (FunctionKeyWentDown(kF12)) {
        game->GoToTitle();
        return true;
    }
    return false;
}

// The portrait swap: the screen's width and height trade places, and the
// camera, the window and the device follow.
void SwapScreenSides() {
    CGameMain* game = CGameMain::GetInstance();
    std::swap(game->m_screenWidth, game->m_screenHeight);
    game->ApplyScreenSizeToStage();
    ResizeScreen(game->m_screenWidth, game->m_screenHeight);
    ResetDevice();
    game->ApplyScreenSizeToStage();
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

void DrawPlayScene() {
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DrawAll();
    if (CStageData* stage = game->m_stageControl.GetStage()) stage->Draw();
    CEffect::GetInstance()->Draw();
}

void DrawPlayField() {
    DrawPlayScene();
    CGameInputController::GetInstance()->Draw();
}

void CGameStateMainNormal::DoAction() {
    CGameMain* game = CGameMain::GetInstance();
    CountPlayTime();
    CGameInputController::GetInstance()->Update();
    game->m_subCharacterList.UpdateAll();
    game->m_characterList.UpdateAll();
    game->m_stageControl.Update();
    CEvent::GetInstance()->Update();
    CEffect::GetInstance()->Update();
    game->TickFreezeTimer();
    game->TickGroupFreezeTimer();
    if (FunctionKeyWentDown(kF2)) SwapScreenSides();
    if (StageKeys()) return;
    // The pause key pauses over whatever screen lies over play, except the
    // pause screen itself, still closing from a resume: pushed again it
    // would reopen in place and wait for the HUD to lie idle under it,
    // while the HUD waits for it to close, and play would stay paused for
    // good.
    if (WentDown(CMyInput::GetInstance()->m_keyHistory[kPauseKey]) &&
        CGameInputController::GetInstance()->GetTop() != CGameInputPause::GetInstance())
        CGameInputMain::GetInstance()->OpenPause();
}

void CGameStateMainNormal::Draw() { DrawPlayField(); }

void CGameStateMainPause::DoAction() {
    CountPlayTime();
    CGameInputController::GetInstance()->Update();
    StageKeys();
}

void CGameStateMainPause::Draw() { DrawPlayField(); }
