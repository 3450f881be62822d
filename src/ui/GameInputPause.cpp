#include "ui/GameInputPause.h"

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/TextTable.h"
#include "ui/GameInputMain.h"
#include "win/Sprite.h"

namespace {

// Labels carry a key on the transparent sheet: only their texts show.
constexpr SpriteKey kLabelKey{0, 0, 80, 80, 10, 0};
constexpr int32_t kBackdropAlpha = 120;
constexpr int32_t kBackdropFrames = 20;

}  // namespace

CGameInputPause* CGameInputPause::GetInstance() {
    static CGameInputPause instance;
    return &instance;
}

CGameInputPause::CGameInputPause() { CGameInputPause::Init(); }

void CGameInputPause::Init() {
    InitLabelWidget(m_title, 0, 60, 320, 30, kLabelKey, 3.0f, 3, "PAUSE");
    InitBackdrop(m_backdrop);
    InitLabelWidget(m_restartButton, 0, 170, 320, 30, kLabelKey, 2.0f, 2, "RESTART");
    InitLabelWidget(m_titleButton, 0, 210, 320, 30, kLabelKey, 2.0f, 2, "RETURN TO TITLE");
    InitLabelWidget(m_resumeButton, 0, 130, 320, 30, kLabelKey, 2.0f, 2, "RESUME");
    InitLabelWidget(m_question, 0, 90, 320, 30, kLabelKey, 2.0f, 3, "REALLY?");
    InitLabelWidget(m_yesButton, 0, 180, 160, 30, kLabelKey, 2.0f, 2, "YES");
    InitLabelWidget(m_noButton, 0, 180, 160, 30, kLabelKey, 2.0f, 2, "NO");
}

void CGameInputPause::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    m_backdrop.x = -100;
    for (CWidget* w : {&m_title, &m_resumeButton, &m_restartButton, &m_titleButton, &m_question}) {
        w->x = CentredInStage(w->width);
    }
    const int32_t quarter = CGameMain::GetInstance()->GetViewWidth() / 4;
    const int32_t padX = CGameInputMain::GetInstance()->m_touchPad.x;
    m_yesButton.x = quarter - m_yesButton.width / 2 + padX;
    m_noButton.x = 3 * quarter - m_noButton.width / 2 + padX;
    m_backdrop.FadeTo(kBackdropAlpha, kBackdropAlpha, kBackdropFrames);
    m_backdrop.SetVisible(true);
    ShowMenu(true);
}

void CGameInputPause::ShowMenu(bool menu) {
    for (CWidget* w : {&m_title, &m_restartButton, &m_titleButton, &m_resumeButton}) w->SetVisible(menu);
    for (CWidget* w : {&m_question, &m_yesButton, &m_noButton}) w->SetVisible(!menu);
}

void CGameInputPause::HideAll() {
    for (CWidget* w : {&m_title, &m_backdrop, &m_restartButton, &m_titleButton, &m_resumeButton, &m_question,
                       &m_yesButton, &m_noButton}) {
        w->SetVisible(false);
    }
}

void CGameInputPause::Close() {
    state_ = ScreenState::Closing;
    m_backdrop.FadeTo(kBackdropAlpha, 0, kBackdropFrames);
    HideAll();
}

void CGameInputPause::OnCovered() {
    state_ = ScreenState::Covered;
    HideAll();
}

void CGameInputPause::OnUncovered() {
    state_ = ScreenState::Uncovered;
    m_backdrop.SetVisible(true);
    ShowMenu(true);
}

void CGameInputPause::UpdateWidgets() {
    for (CWidget* w : {&m_title, &m_backdrop, &m_restartButton, &m_titleButton, &m_resumeButton, &m_question,
                       &m_yesButton, &m_noButton}) {
        w->Update();
    }
}

void CGameInputPause::Update() {
    UpdateChild();
    switch (state_) {
        case kRestartQuestion:
        case kQuitQuestion: UpdateQuestion(); return;
        case kRestartChosen:
        case kQuitChosen:
            UpdateWidgets();
            if (!m_backdrop.IsFading()) Leave();
            return;
        case ScreenState::Closing:
            // The backdrop fades out with nothing else of the screen shown;
            // the HUD has already been told.
            UpdateWidgets();
            if (!m_backdrop.IsFading()) state_ = ScreenState::Closed;
            return;
        default:
            if (RunGenericStates(false)) UpdateMenu();
            return;
    }
}

void CGameInputPause::UpdateMenu() {
    if (m_resumeButton.IsTouchBegan() || CGameInputMain::GetInstance()->m_pauseButton.IsTouchBegan()) {
        TakePress();
        Close();
        if (parent_) parent_->OnUncovered();
        CGameStateController::GetInstance()->ChangeState(6);
        return;
    }
    const bool restart = m_restartButton.IsTouchBegan();
    if (!restart && !m_titleButton.IsTouchBegan()) return;
    TakePress();
    ShowMenu(false);
    state_ = restart ? kRestartQuestion : kQuitQuestion;
    m_question.SetText(GetText(restart ? kRestartText : kQuitText));
}

void CGameInputPause::UpdateQuestion() {
    if (m_yesButton.IsTouchBegan()) {
        TakePress();
        m_backdrop.FadeTo(kBackdropAlpha, 255, kBackdropFrames);
        state_ = state_ == kRestartQuestion ? kRestartChosen : kQuitChosen;
        for (CWidget* w : {&m_title, &m_restartButton, &m_titleButton, &m_resumeButton, &m_question, &m_yesButton,
                           &m_noButton}) {
            w->SetVisible(false);
        }
        return;
    }
    if (m_noButton.IsTouchBegan()) {
        TakePress();
        state_ = ScreenState::Active;
        ShowMenu(true);
    }
}

void CGameInputPause::Leave() {
    CGameMain* game = CGameMain::GetInstance();
    if (state_ == kRestartChosen) {
        game->RetryStage();
        return;
    }
    game->ResetResumeRecord();
    game->SaveResumeRecords();
    LeavePlayFor(ScreenId::TitleTopEntry);
}

void CGameInputPause::Draw() {
    DrawParams::shakeEnabled = 0;
    CWidget* const labels[] = {&m_title,   &m_restartButton, &m_titleButton, &m_resumeButton,
                               &m_question, &m_yesButton,     &m_noButton};
    m_backdrop.Draw();
    for (CWidget* w : labels) w->Draw();
    for (CWidget* w : labels) w->DrawOwnText();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
