#include "ui/GameInputContinue.h"

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "ui/GameInputMain.h"
#include "win/Sprite.h"

namespace {

constexpr SpriteKey kLabelKey{0, 0, 80, 80, 10, 0};
constexpr int32_t kBackdropAlpha = 120;
constexpr int32_t kBackdropFrames = 20;

}  // namespace

CGameInputContinue* CGameInputContinue::GetInstance() {
    static CGameInputContinue instance;
    return &instance;
}

CGameInputContinue::CGameInputContinue() { CGameInputContinue::Init(); }

void CGameInputContinue::Init() {
    InitBackdrop(m_backdrop);
    InitLabelWidget(m_gameOverText, 180, 60, 320, 30, kLabelKey, 3.0f, 3, "GAME OVER!");
    InitLabelWidget(m_continueButton, 260, 150, 220, 30, kLabelKey, 2.0f, 2, "CONTINUE");
    InitLabelWidget(m_returnButton, 40, 210, 220, 30, kLabelKey, 2.0f, 2, "RETURN TO TITLE");
}

void CGameInputContinue::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    CGameMain* game = CGameMain::GetInstance();
    game->ResetResumeRecord();
    game->SaveResumeRecords();
    for (CWidget* w : {&m_gameOverText, &m_continueButton, &m_returnButton}) w->x = CentredInStage(w->width);
    m_backdrop.FadeTo(0, kBackdropAlpha, kBackdropFrames);
    m_backdrop.SetVisible(true);
    ShowTexts(false);
}

void CGameInputContinue::ShowTexts(bool visible) {
    for (CWidget* w : {&m_gameOverText, &m_continueButton, &m_returnButton}) w->SetVisible(visible);
}

void CGameInputContinue::OnCovered() {
    state_ = ScreenState::Idle;
    m_backdrop.SetVisible(false);
    ShowTexts(false);
}

void CGameInputContinue::OnUncovered() {
    state_ = ScreenState::Uncovered;
    m_backdrop.SetVisible(true);
    ShowTexts(true);
}

void CGameInputContinue::UpdateWidgets() {
    for (CWidget* w : {&m_backdrop, &m_gameOverText, &m_continueButton, &m_returnButton}) w->Update();
}

void CGameInputContinue::Update() {
    UpdateChild();
    CGameMain* game = CGameMain::GetInstance();
    switch (state_) {
        case ScreenState::Opening:
            if (parent_ && parent_->GetState() != ScreenState::Idle) return;
            UpdateWidgets();
            if (m_backdrop.IsFading()) return;
            ShowTexts(true);
            state_ = ScreenState::Active;
            return;
        case ScreenState::Active:
            UpdateWidgets();
            if (m_continueButton.IsTouchBegan()) {
                Choose(kContinuing);
            } else if (m_returnButton.IsTouchBegan()) {
                Choose(kReturning);
            }
            return;
        case kContinuing:
            UpdateWidgets();
            if (!m_backdrop.IsFading()) game->RetryStage();
            return;
        case kReturning:
            UpdateWidgets();
            if (m_backdrop.IsFading()) return;
            LeavePlayFor(ScreenId::TitleTopEntry);
            return;
        case ScreenState::Uncovered:
            if (child_ && child_->GetState() != ScreenState::Closed) return;
            child_ = nullptr;
            UpdateWidgets();
            state_ = ScreenState::Active;
            return;
        default: return;
    }
}

void CGameInputContinue::Choose(int32_t state) {
    TakePress();
    m_backdrop.FadeTo(kBackdropAlpha, 255, kBackdropFrames);
    ShowTexts(false);
    state_ = state;
}

void CGameInputContinue::Draw() {
    DrawParams::shakeEnabled = 0;
    for (CWidget* w : {&m_backdrop, &m_gameOverText, &m_continueButton, &m_returnButton}) w->Draw();
    for (CWidget* w : {&m_gameOverText, &m_continueButton, &m_returnButton}) w->DrawOwnText();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
