#include "ui/GameInputEnding.h"

#include <cstdio>

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/TextTable.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputTitleStageSelect.h"
#include "win/Network.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kWhiteSheet = 1;
constexpr int32_t kSheet = 14;
constexpr int32_t kTopCentred = 9;
constexpr int32_t kCardStyle = 3;
constexpr int32_t kTheEndStyle = 2;
constexpr int32_t kFramesPerSecond = 40;
constexpr int32_t kFastForward = 5;  // extra steps a frame while held

// Text ids: the cards, then the result page and the share text.
constexpr int32_t kFirstCardText = 36;
constexpr int32_t kThanksText = 44;
constexpr int32_t kResultHeadText = 203;
constexpr int32_t kResultTimeText = 204;
constexpr int32_t kResultClearText = 205;
constexpr int32_t kShareHeadText = 189;
constexpr int32_t kShareTimeText = 190;
constexpr int32_t kShareClearText = 191;
constexpr int32_t kShareLinkText = 201;
constexpr int32_t kShareTagText = 202;

constexpr SpriteKey BlackKey(int32_t w, int32_t h, int32_t duration) {
    return SpriteKey{kWhiteSheet, 0, 0, w, h, duration};
}

void InitBand(CWidget& band, int32_t w, int32_t h) {
    band.InitAnimation(0, 0, w, h, BlackKey(w, h, 0), 1.0f);
    band.SetColor(0, 0, 0);
}

void InitText(CWidget& w, int32_t x, int32_t y, float scale, int32_t style, const char* text) {
    w.InitAnimation(x, y, 440, 30, SpriteKey{}, scale);
    w.SetTextRect(0, 0, 440, 30, kTopCentred);
    w.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[style]);
    w.SetText(text);
}

void SetKey(CWidget& w, const SpriteKey& key) {
    for (WidgetTable t : {WidgetTable::Normal, WidgetTable::Highlighted, WidgetTable::Disabled})
        w.SetSpriteTable(t, {key});
}

// Parked or set at (x, y), with no move under way.
void PlaceAt(CWidget& w, int32_t x, int32_t y) { w.MoveTo(x, x, y, y, 0, 0); }

// The widths the layouts know; 0 for any other.
int32_t KnownWidth(int32_t w) { return w == 480 || w == 568 || w == 512 || w == 320 ? w : 0; }

struct ClearTime {
    int32_t hours, minutes, seconds;
};
ClearTime TimeOf(int32_t playFrames) {
    const int32_t s = playFrames / kFramesPerSecond;
    return ClearTime{s / 3600, (s / 60) % 60, s % 60};
}

void AppendFormatted(char* out, int size, int& used, const char* format, int32_t a, int32_t b = 0, int32_t c = 0) {
    char line[CGameInputEnding::kTextBufferSize];
    std::snprintf(line, sizeof line, format, a, b, c);
    AppendBoundedText(out, size, used, line);
}

}  // namespace

CGameInputEnding* CGameInputEnding::GetInstance() {
    static CGameInputEnding instance;
    return &instance;
}

CGameInputEnding::CGameInputEnding() { CGameInputEnding::Init(); }

void CGameInputEnding::Init() {
    InitBackdrop(m_backdrop);
    InitBand(m_topBand, 480, 160);
    InitBand(m_bottomBand, 480, 160);
    InitBand(m_sideBand, 60, 320);
    InitText(m_creditLine, 60, 100, 2.0f, kCardStyle, "");
    InitText(m_theEndText, 60, 100, 3.0f, kTheEndStyle, "THE END");
    InitText(m_resultText, 0, 60, 2.0f, kCardStyle, "");
    m_shareButton.InitAnimation(436, 230, 40, 40, SpriteKey{kSheet, 40, 80, 20, 20, 0}, 2.0f);
    m_backButton.InitAnimation(436, 276, 40, 40, SpriteKey{kSheet, 100, 80, 20, 20, 0}, 2.0f);
}

void CGameInputEnding::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    CGameMain* game = CGameMain::GetInstance();
    const int32_t screenWidth = game->m_screenWidth;
    const int32_t w = KnownWidth(screenWidth);
    m_backdrop.x = -100;
    SetKey(m_backdrop, BlackKey(screenWidth + 200, 520, 1));
    SetKey(m_topBand, BlackKey(screenWidth + 200, 160, 1));
    SetKey(m_bottomBand, BlackKey(screenWidth + 200, 160, 1));
    for (CWidget* text : {&m_creditLine, &m_theEndText, &m_resultText}) text->SetTextRect(60, 0, w, 30, kTopCentred);
    m_backdrop.FadeTo(0, 0, 0);
    m_topBand.MoveTo(0, 0, 0, -120, kBandFrames, 0);
    m_bottomBand.MoveTo(0, 0, 160, 280, kBandFrames, 0);
    for (CWidget* text : {&m_creditLine, &m_theEndText}) text->MoveTo(0, 0, 320, 800, 1, 0);
    m_resultText.SetText("");
    m_shareButton.x = w / 2 + 40;
    m_backButton.x = screenWidth - 44;
    m_backButton.y = game->m_screenHeight - 44 - (screenWidth == 512 ? 32 : 0);
    m_shareButton.SetVisible(false);
    m_backButton.SetVisible(false);
    const int32_t slot = game->m_currentSlot;
    m_playFrames = game->m_slotData[slot].GetInt(SaveSlotRecord::kPlayTime);
    m_completion = game->CountCompletion(slot);
}

void CGameInputEnding::LayoutStep() {
    if (state_ == ScreenState::Active || (state_ >= kFirstCard && state_ < kLastCard)) {
        const int32_t card = state_ == ScreenState::Active ? 0 : state_ - kFirstCard + 1;
        m_creditLine.SetText(GetText(kFirstCardText + card));
        m_creditLine.MoveTo(0, 0, 320, -30, kCardFrames, 0);
        state_ = state_ == ScreenState::Active ? kFirstCard : state_ + 1;
    } else if (state_ == kLastCard) {
        m_creditLine.SetText(GetText(kThanksText));
        PlaceAt(m_creditLine, 0, 120);
        PlaceAt(m_theEndText, 0, 60);
        state_ = kTheEnd;
    }
}

void CGameInputEnding::UpdateWidgets() {
    for (CWidget* w : {&m_topBand, &m_bottomBand, &m_sideBand, &m_backdrop, &m_theEndText, &m_creditLine,
                       &m_shareButton, &m_backButton}) {
        w->Update();
    }
}

void CGameInputEnding::Update() {
    UpdateChild();
    switch (state_) {
        case ScreenState::Opening:
        case ScreenState::Active:
        case ScreenState::Covered:
        case ScreenState::Uncovered: RunGenericStates(false); return;
        case kTheEnd:
            if (m_backdrop.IsTouchBegan()) {
                ConsumeTouch();
                ShowResult();
            }
            return;
        case kResult:
            if (m_backButton.IsTouchBegan()) {
                ConsumeTouch();
                Close();
                m_backdrop.FadeTo(0, 255, kCloseFrames);
            } else if (m_shareButton.IsTouchBegan()) {
                TakePress();
                char text[kTextBufferSize];
                BuildShareText(text, sizeof text, m_playFrames, m_completion);
                CNetwork::GetInstance()->Tweet(text);
            }
            return;
        case ScreenState::Closing:
            UpdateWidgets();
            if (!m_backdrop.IsFading()) LeaveToTitle();
            return;
        default:
            if (state_ < kFirstCard || state_ > kLastCard) return;
            if (m_backdrop.IsPressed()) {
                for (int i = 0; i < kFastForward; ++i) UpdateWidgets();
            }
            UpdateWidgets();
            if (!m_creditLine.IsMoving()) LayoutStep();
            return;
    }
}

void CGameInputEnding::ShowResult() {
    state_ = kResult;
    char text[kTextBufferSize];
    BuildResultText(text, sizeof text, m_playFrames, m_completion);
    m_resultText.SetText(text);
    m_shareButton.SetVisible(true);
    m_backButton.SetVisible(true);
    PlaceAt(m_theEndText, 0, 320);
    PlaceAt(m_creditLine, 0, 320);
}

void CGameInputEnding::LeaveToTitle() {
    LeavePlayFor(ScreenId::TitleTopAfterEnding);
    CGameInputTitleStageSelect::GetInstance()->SelectCell(0, 0);
}

void CGameInputEnding::BuildResultText(char* out, int size, int32_t playFrames, int32_t completion) {
    if (size <= 0) return;
    out[0] = '\0';
    int used = 0;
    const ClearTime t = TimeOf(playFrames);
    AppendBoundedText(out, size, used, GetText(kResultHeadText));
    AppendFormatted(out, size, used, GetText(kResultTimeText), t.hours, t.minutes, t.seconds);
    AppendFormatted(out, size, used, GetText(kResultClearText), completion);
}

void CGameInputEnding::BuildShareText(char* out, int size, int32_t playFrames, int32_t completion) {
    if (size <= 0) return;
    out[0] = '\0';
    int used = 0;
    const ClearTime t = TimeOf(playFrames);
    AppendBoundedText(out, size, used, GetText(kShareHeadText));
    AppendFormatted(out, size, used, GetText(kShareTimeText), t.hours, t.minutes, t.seconds);
    AppendFormatted(out, size, used, GetText(kShareClearText), completion);
    AppendBoundedText(out, size, used, GetText(kShareLinkText));
    AppendBoundedText(out, size, used, GetText(kShareTagText));
}

void CGameInputEnding::Draw() {
    DrawParams::shakeEnabled = 0;
    m_theEndText.DrawOwnText();
    m_creditLine.DrawOwnText();
    for (CWidget* w : {&m_topBand, &m_bottomBand, &m_sideBand, &m_backdrop}) w->Draw();
    m_resultText.DrawOwnText();
    m_shareButton.Draw();
    m_backButton.Draw();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
