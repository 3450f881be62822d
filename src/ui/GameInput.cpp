#include "ui/GameInput.h"

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputEnding.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputMainMenu.h"
#include "ui/GameInputMainShop.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputOption.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputSaveSlot.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputStageStart.h"
#include "ui/GameInputTitleCredits.h"
#include "ui/GameInputTitleScore.h"
#include "ui/GameInputTitleShop.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleState.h"
#include "ui/GameInputTitleTop.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kFadeStep = 16;
constexpr int32_t kCentredBothWays = 10;

}  // namespace

void InitLabelWidget(CWidget& widget, int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key,
                     float scale, int32_t style, const char* label) {
    widget.InitAnimation(x, y, width, height, key, scale);
    widget.SetTextRect(0, 0, width, height, kCentredBothWays);
    widget.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[style]);
    widget.SetText(label);
}

bool ScreenFadeDone() {
    const CEffect* e = CEffect::GetInstance();
    return e->m_fade == e->m_fadeTarget;
}

void StartScreenFade(int32_t from, int32_t to, int32_t step) {
    CEffect* e = CEffect::GetInstance();
    e->m_fade = from;
    e->m_fadeTarget = to;
    e->m_fadeStep = step;
}

void SwitchScreenMusic(int32_t entry) {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    sound->StopAllMusic();
    PlayMusic(entry);
    if (playing != -1) sound->ReleaseMusic(playing);
}

void InitTitleBar(CWidget& bar, const char* text) {
    bar.InitAnimation(0, 0, 480, 20, SpriteKey{}, 1.0f);
    bar.SetScale(2.0f);
    bar.SetTextRect(0, 0, 480, 20, kCentredBothWays);
    bar.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[3]);
    bar.SetText(text);
}

void InitPageWindow(CWidgetWindow& window) {
    window.InitAnimation(40, 15, 400, 270, SpriteKey{12, 0, 0, 512, 512, 0}, 1.0f);
    window.SetScale(2.0f);
    window.SetFrameTexture(7, 5);
    window.SetPivot(200, 145);
    window.SetTextRect(0, 5, 400, 280, 9);
    window.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[3]);
}

void InitBackdrop(CWidget& backdrop) {
    backdrop.InitAnimation(-100, -100, 680, 520, SpriteKey{1, 0, 0, 680, 520, 0}, 1.0f);
    backdrop.SetColor(0, 0, 0);
}

CGameInput* CGameInput::GetInput(int32_t screenId) {
    switch (screenId) {
        case ScreenId::TitleTop:
        case ScreenId::TitleTopAfterEnding:
        case ScreenId::TitleTopEntry: return CGameInputTitleTop::GetInstance();
        case ScreenId::TitleCredits: return CGameInputTitleCredits::GetInstance();
        case ScreenId::SaveSlot: return CGameInputSaveSlot::GetInstance();
        case ScreenId::Option: return CGameInputOption::GetInstance();
        case ScreenId::TitleStageSelect: return CGameInputTitleStageSelect::GetInstance();
        case ScreenId::TitleShop: return CGameInputTitleShop::GetInstance();
        case ScreenId::TitleState: return CGameInputTitleState::GetInstance();
        case ScreenId::TitleScore: return CGameInputTitleScore::GetInstance();
        case ScreenId::Main: return CGameInputMain::GetInstance();
        case ScreenId::MainMenu: return CGameInputMainMenu::GetInstance();
        case ScreenId::MainShop: return CGameInputMainShop::GetInstance();
        case ScreenId::Pause: return CGameInputPause::GetInstance();
        case ScreenId::MessageWindow: return CGameInputMessageWindow::GetInstance();
        case ScreenId::Continue: return CGameInputContinue::GetInstance();
        case ScreenId::StageStart: return CGameInputStageStart::GetInstance();
        case ScreenId::StageClear: return CGameInputStageClear::GetInstance();
        case ScreenId::Ending: return CGameInputEnding::GetInstance();
        default: return nullptr;
    }
}

void CGameInput::SetInput(int32_t screenId) {
    CGameInput* screen = GetInput(screenId);
    if (!screen) return;
    child_ = screen;
    screen->SetParent(nullptr);
    screen->child_ = nullptr;
    screen->Open();
}

void CGameInput::PushInput(int32_t screenId) {
    CGameInput* screen = GetInput(screenId);
    if (!screen) return;
    CGameInput* top = GetTop();
    if (top == screen) {
        screen->Open();
        return;
    }
    // The new screen opens before the old top hears that it is covered.
    top->child_ = screen;
    screen->SetParent(top);
    screen->Open();
    top->OnCovered();
}

CGameInput* CGameInput::GetTop() {
    CGameInput* node = this;
    while (node->child_) node = node->child_;
    return node;
}

void CGameInput::CloseWithFade() {
    state_ = ScreenState::Closing;
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = 255;
    effect->m_fadeStep = kFadeStep;
}

bool CGameInput::RunGenericStates(bool fading) {
    const CEffect* effect = CEffect::GetInstance();
    const bool fadeDone = !fading || effect->m_fade == effect->m_fadeTarget;
    switch (state_) {
        case ScreenState::Opening:
            if (parent_ && parent_->GetState() != ScreenState::Idle) return false;
            UpdateWidgets();
            if (fadeDone) state_ = ScreenState::Active;
            return false;
        case ScreenState::Active:
            UpdateWidgets();
            return true;
        case ScreenState::Closing:
            UpdateWidgets();
            if (!fadeDone) return false;
            if (fading) {
                CEffect* e = CEffect::GetInstance();
                e->m_fade = 255;
                e->m_fadeTarget = 0;
                e->m_fadeStep = -kFadeStep;
            }
            state_ = ScreenState::Closed;
            if (parent_) parent_->OnUncovered();
            return false;
        case ScreenState::Covered:
            UpdateWidgets();
            if (fadeDone) state_ = ScreenState::Idle;
            return false;
        case ScreenState::Uncovered:
            if (child_ && child_->GetState() != ScreenState::Closed) return false;
            child_ = nullptr;
            UpdateWidgets();
            if (fadeDone) state_ = ScreenState::Active;
            return false;
        default:
            return false;
    }
}

void CGameInput::TakePress(int32_t repeats) {
    ConsumeTouch();
    CSoundManager::GetInstance()->PlaySE(kButtonSound, repeats);
}

CGameInputController* CGameInputController::GetInstance() {
    static CGameInputController instance;
    return &instance;
}
