#include "ui/GameInputMessageWindow.h"

#include "framework/GameMain.h"
#include "ui/GameInputMain.h"
#include "ui/Lifebar.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kFrameSheet = 13;
constexpr int32_t kResizeFrames = 10;
constexpr int32_t kMessageWidth = 360;
constexpr int32_t kMessageHeight = 80;
constexpr int32_t kCaptionWidth = 200;
constexpr int32_t kCaptionHeight = 30;
// The caption shrinks from this width: a little narrower than it grew.
constexpr int32_t kCaptionShrinkWidth = 180;
constexpr int32_t kTopLeft = kAlignTop | kAlignLeft;
constexpr int32_t kCentredBothWays = 10;
// A caption shows up to 80 characters a frame (the whole page at once) and
// stays 80 frames after each page.
constexpr int32_t kCaptionSpeed = -80;
constexpr int32_t kCaptionWait = 80;

}  // namespace

CGameInputMessageWindow* CGameInputMessageWindow::GetInstance() {
    static CGameInputMessageWindow instance;
    return &instance;
}

CGameInputMessageWindow::CGameInputMessageWindow() { CGameInputMessageWindow::Init(); }

void CGameInputMessageWindow::Init() {
    m_window.InitAnimation(0, 0, 0, 0, SpriteKey{kFrameSheet, 0, 0, 512, 512, 0}, 1.0f);
    m_window.SetScale(2.0f);
    m_window.SetPivot(0, 0);
    m_window.SetFrameTexture(2, 2);
    m_window.SetTextRect(-170, -30, 340, 60, kTopLeft);
    m_window.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[0], 1.0, 1);
}

void CGameInputMessageWindow::PlaceWindow() {
    const CWidget& pad = CGameInputMain::GetInstance()->m_touchPad;
    m_window.x = pad.x + pad.width / 2;
    m_window.y = pad.y + 90;
}

void CGameInputMessageWindow::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    CGameMain* game = CGameMain::GetInstance();
    m_window.InitTextStyleKeys(&game->m_textStyles[game->m_language == 1 ? 0 : 4], 1.0, 1);
    PlaceWindow();
    m_window.StartResize(0, kMessageWidth, 0, kMessageHeight, kResizeFrames, CWidgetWindow::kTogether);
    m_window.SetTextRect(-170, -30, 340, 60, kTopLeft);
    m_window.StopTypewriter();
}

void CGameInputMessageWindow::ShowText(const char* text) {
    state_ = kCaptionOpening;
    child_ = nullptr;
    SetText(text);
    PlaceWindow();
    m_window.StartResize(0, kCaptionWidth, 0, kCaptionHeight, kResizeFrames, CWidgetWindow::kTogether);
    m_window.SetTextRect(-170, -30, 340, 60, kCentredBothWays);
    m_window.StopTypewriter();
}

void CGameInputMessageWindow::SetText(const char* text) { CopyBoundedText(m_text, kTextSize, text); }

void CGameInputMessageWindow::Close() {
    state_ = ScreenState::Closing;
    m_window.StartResize(kMessageWidth, 0, kMessageHeight, 0, kResizeFrames, CWidgetWindow::kTogether);
}

void CGameInputMessageWindow::OnCovered() {
    if (state_ != ScreenState::Covered && state_ != ScreenState::Idle && state_ != ScreenState::Uncovered) {
        m_coveredState = state_;
    }
    state_ = ScreenState::Covered;
}

void CGameInputMessageWindow::OnUncovered() { state_ = ScreenState::Uncovered; }

void CGameInputMessageWindow::Update() {
    UpdateChild();
    CLifebarController::GetInstance()->Update();
    switch (state_) {
        case ScreenState::Opening:
            UpdateWidgets();
            if (m_window.IsResizing()) return;
            state_ = ScreenState::Active;
            m_window.StartTypewriter(m_text, 0, 0, 0);
            return;
        case ScreenState::Active:
            UpdateWidgets();
            if (!m_window.IsTypewriting()) Close();
            return;
        case ScreenState::Closing:
            UpdateWidgets();
            if (m_window.IsResizing()) return;
            if (parent_) parent_->OnUncovered();
            state_ = ScreenState::Closed;
            return;
        case ScreenState::Covered: state_ = ScreenState::Idle; return;
        case ScreenState::Uncovered:
            if (child_ && child_->GetState() != ScreenState::Closed) return;
            child_ = nullptr;
            state_ = m_coveredState;
            return;
        case kCaptionOpening:
            UpdateWidgets();
            if (m_window.IsResizing()) return;
            state_ = kCaptionShowing;
            m_window.StartTypewriter(m_text, kCaptionSpeed, kCaptionWait, 1);
            return;
        case kCaptionShowing:
            UpdateWidgets();
            if (m_window.IsTypewriting()) return;
            m_window.StartResize(kCaptionShrinkWidth, 0, kCaptionHeight, 0, kResizeFrames, CWidgetWindow::kTogether);
            state_ = ScreenState::Closing;
            return;
        default: return;
    }
}

void CGameInputMessageWindow::Draw() {
    DrawParams::shakeEnabled = 0;
    m_window.Draw();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
