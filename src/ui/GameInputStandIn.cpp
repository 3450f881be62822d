#include "ui/GameInputStandIn.h"

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateTitle.h"

namespace {

constexpr int32_t kRowWidth = 240;
constexpr int32_t kRowHeight = 20;
constexpr int32_t kStyle = 3;

}  // namespace

const char* StandInCaption(int32_t screenId) {
    switch (screenId) {
        case ScreenId::SaveSlot: return "SAVE SLOTS";
        case ScreenId::TitleStageSelect: return "STAGE SELECT";
        case ScreenId::TitleShop: return "SHOP";
        case ScreenId::TitleState: return "STATUS";
        case ScreenId::TitleScore: return "SCORE";
        case ScreenId::Ending: return "ENDING";
        default: return "";
    }
}

CGameInputStandIn::CGameInputStandIn(const char* caption) {
    InitLabelWidget(m_caption, 0, 20, kRowWidth, kRowHeight, SpriteKey{}, 2.0f, kStyle, caption);
    InitLabelWidget(m_backButton, 0, 280, kRowWidth, kRowHeight, SpriteKey{}, 2.0f, kStyle, "BACK");
}

void CGameInputStandIn::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t w = CGameMain::GetInstance()->GetViewWidth();
    m_caption.x = CentredX(w, m_caption.width);
    m_backButton.x = CentredX(w, m_backButton.width);
}

void CGameInputStandIn::UpdateWidgets() {
    m_caption.Update();
    m_backButton.Update();
}

void CGameInputStandIn::Update() {
    UpdateChild();
    if (!RunGenericStates(false)) return;
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        Leave();
    }
}

void CGameInputStandIn::Leave() {
    if (parent_) {
        Close();
        return;
    }
    CGameStateController* states = CGameStateController::GetInstance();
    if (states->GetCurrent() == CGameStateTitleMain::GetInstance()) {
        CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
    } else {
        CGameMain::GetInstance()->GoToTitle();
    }
}

void CGameInputStandIn::Draw() {
    m_caption.DrawOwnText();
    m_backButton.DrawOwnText();
    DrawChild();
}
