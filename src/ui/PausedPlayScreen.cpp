#include "ui/PausedPlayScreen.h"

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "ui/Widget.h"

bool RunPausedPlayStates(CGameInput& screen, const CWidget& mover) {
    switch (screen.GetState()) {
        case ScreenState::Opening:
            screen.UpdateWidgets();
            if (!mover.IsMoving()) screen.SetState(ScreenState::Active);
            return false;
        case ScreenState::Active: return true;
        case ScreenState::Closing:
            screen.UpdateWidgets();
            if (!mover.IsMoving()) {
                screen.SetState(ScreenState::Closed);
                CGameStateController::GetInstance()->ChangeState(6);
            }
            return false;
        case ScreenState::Uncovered:
            if (screen.GetChild() && screen.GetChild()->GetState() != ScreenState::Closed) return false;
            screen.ClearChild();
            screen.SetState(ScreenState::Active);
            return false;
        default: return false;
    }
}

CSaveData& CurrentSlotRecord() {
    CGameMain* game = CGameMain::GetInstance();
    return game->m_slotData[game->m_currentSlot];
}
