#include "character/Character.h"
#include "character/CreateCharacter.h"
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

// Builds the stage and starts it. Until the stages themselves exist, the
// start does here what a stage's start does for the flow around it: the
// run's stage ids, both character lists emptied, and the player of the
// selected character.
void BuildAndStartStage(CGameMain& game, int32_t mapId) {
    game.m_stageControl.SetStage(mapId);
    game.m_stageControl.Start();
    game.m_mapId = game.m_retryMapId = game.m_restartMapId = mapId;
    game.m_subCharacterList.DeleteAll();
    game.m_characterList.DeleteAll();
    if (CCharacter* player = CreateCharacter(game.m_selectedCharacter)) {
        game.m_characterList.Add(player);
        game.m_player = player;
    }
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
}
