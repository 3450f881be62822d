#include "ui/GameInputStageStart.h"

#include "character/Character.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInputMain.h"
#include "ui/Lifebar.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kWordStyle = 2;
constexpr int32_t kZoomFrames = 10;
constexpr int32_t kRising = 1;   // flash mode: 0 -> 255
constexpr int32_t kFalling = 0;  // flash mode: 255 -> 0
constexpr int32_t kGoFlashFrames = 8;
constexpr int32_t kCloseFadeStep = 5;

// A number zooms in from 16x to 8x while it fades in.
void ZoomIn(CWidget& word) {
    word.SetVisible(true);
    word.ScaleAnimUniform(16.0f, 8.0f, kZoomFrames);
    word.FadeTo(0, 255, kZoomFrames);
}

// A number squashes out: wide and flat while it fades away.
void SquashOut(CWidget& word) {
    word.ScaleAnim(8.0f, 32.0f, 8.0f, 0.0f, kZoomFrames);
    word.FadeTo(255, 0, kZoomFrames);
}

}  // namespace

CGameInputStageStart* CGameInputStageStart::GetInstance() {
    static CGameInputStageStart instance;
    return &instance;
}

CGameInputStageStart::CGameInputStageStart() { CGameInputStageStart::Init(); }

void CGameInputStageStart::Init() {
    const CWidget& pad = CGameInputMain::GetInstance()->m_touchPad;
    const char* const words[] = {"3", "2", "1", "GO!"};
    CWidget* const widgets[] = {&m_countThree, &m_countTwo, &m_countOne, &m_countGo};
    for (int i = 0; i < 4; ++i) {
        InitLabelWidget(*widgets[i], pad.x, pad.y + 100, pad.width, 20, SpriteKey{}, 1.0f, kWordStyle, words[i]);
        widgets[i]->SetScale(2.0f);
    }
}

void CGameInputStageStart::Open() {
    state_ = kFirstStep;
    child_ = nullptr;
    const int32_t screenWidth = CGameMain::GetInstance()->m_screenWidth;
    for (CWidget* w : {&m_countThree, &m_countTwo, &m_countOne, &m_countGo}) {
        if (screenWidth == 480 || screenWidth == 568) w->x = CentredInStage(w->width);
        w->SetVisible(false);
    }
    ZoomIn(m_countThree);
}

void CGameInputStageStart::Close() {
    state_ = ScreenState::Closing;
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = 255;
    effect->m_fadeStep = kCloseFadeStep;
}

void CGameInputStageStart::UpdateWidgets() {
    for (CWidget* w : {&m_countThree, &m_countTwo, &m_countOne, &m_countGo}) w->Update();
}

void CGameInputStageStart::Update() {
    UpdateChild();
    CLifebarController::GetInstance()->Update();
    if (state_ < kFirstStep || state_ > kLastStep) return;
    UpdateWidgets();
    Step();
}

void CGameInputStageStart::Step() {
    // Each number: zoom in (odd steps wait for it), flash, then squash out
    // while the next one zooms in.
    CWidget* const numbers[] = {&m_countThree, &m_countTwo, &m_countOne};
    CWidget* const following[] = {&m_countTwo, &m_countOne, &m_countGo};
    if (state_ <= 12) {
        const int index = (state_ - kFirstStep) / 2;
        CWidget& word = *numbers[index];
        if (state_ % 2 == 1) {
            if (word.IsScaleAnimating()) return;
            word.FlashTo(kZoomFrames, kRising);
        } else {
            if (word.IsFlashing()) return;
            SquashOut(word);
            CWidget& next = *following[index];
            if (&next == &m_countGo) {
                next.SetVisible(true);
                next.FadeTo(0, 255, kZoomFrames);
                next.ScaleAnimUniform(0.0f, 10.0f, kZoomFrames);
            } else {
                ZoomIn(next);
            }
        }
        ++state_;
        return;
    }
    switch (state_) {
        case 13:
            if (m_countGo.IsScaleAnimating()) return;
            m_countGo.FlashTo(kGoFlashFrames, kRising);
            break;
        case 14:
            if (m_countGo.IsFlashing()) return;
            m_countGo.FlashTo(kZoomFrames, kFalling);
            m_countGo.FadeTo(255, 0, kZoomFrames);
            m_countGo.ScaleAnimUniform(10.0f, 40.0f, kZoomFrames);
            break;
        default:
            if (m_countGo.IsScaleAnimating()) return;
            Finish();
            return;
    }
    ++state_;
}

void CGameInputStageStart::Finish() {
    if (parent_) {
        parent_->ClearChild();
        parent_->OnUncovered();
    }
    if (CCharacter* player = CGameMain::GetInstance()->m_player) {
        player->controlled = 1;
        player->SetPlayTimeRunning(true);
    }
    state_ = ScreenState::Closed;
}

void CGameInputStageStart::Draw() {
    DrawParams::shakeEnabled = 0;
    CWidget* const words[] = {&m_countThree, &m_countTwo, &m_countOne, &m_countGo};
    for (CWidget* w : words) w->Draw();
    for (CWidget* w : words) w->DrawOwnText();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
