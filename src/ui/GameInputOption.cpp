#include "ui/GameInputOption.h"

#include <algorithm>
#include <cstdio>

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "win/SoundManager.h"

namespace {

constexpr int32_t kHeadingStyle = 3;
constexpr int32_t kValueStyle = 2;
constexpr int32_t kLanguageText = 45;
constexpr SpriteKey kLeftArrow{14, 0, 200, 20, 20, 0};
constexpr SpriteKey kRightArrow{14, 20, 200, 20, 20, 0};

void SetUpText(CWidget& w, int32_t x, int32_t y, int32_t width, int32_t style, const char* text) {
    InitLabelWidget(w, x, y, width, 20, SpriteKey{}, 2.0f, style, text);
}

// The text of a shake strength: 0 normal, 1 strong, 2 none, 3 mild.
const char* VibrationText(int32_t vibration) {
    switch (vibration) {
        case 0: return GetText(48);
        case 1: return GetText(49);
        case 2: return GetText(46);
        case 3: return GetText(47);
        default: return nullptr;
    }
}

int32_t StepVolume(int32_t volume, int32_t step) { return std::clamp(volume + step, 0, 100); }

}  // namespace

CGameInputOption* CGameInputOption::GetInstance() {
    static CGameInputOption instance;
    return &instance;
}

CGameInputOption::CGameInputOption() { CGameInputOption::Init(); }

void CGameInputOption::Init() {
    SetUpText(m_musicVolumeLabel, 160, 40, 240, kHeadingStyle, "MUSIC VOLUME");
    SetUpText(m_musicVolumeValue, 160, 60, 160, kValueStyle, "");
    m_musicVolumeDown.InitAnimation(120, 50, 40, 40, kLeftArrow, 2.0f);
    m_musicVolumeUp.InitAnimation(320, 50, 40, 40, kRightArrow, 2.0f);
    SetUpText(m_seVolumeLabel, 160, 100, 240, kHeadingStyle, "SE VOLUME");
    SetUpText(m_seVolumeValue, 160, 120, 160, kValueStyle, "");
    m_seVolumeDown.InitAnimation(120, 110, 40, 40, kLeftArrow, 2.0f);
    m_seVolumeUp.InitAnimation(320, 110, 40, 40, kRightArrow, 2.0f);
    SetUpText(m_languageLabel, 160, 160, 240, kHeadingStyle, "LANGUAGE");
    SetUpText(m_languageButton, 160, 180, 160, kValueStyle, "");
    SetUpText(m_vibrationLabel, 160, 220, 240, kHeadingStyle, "VIBRATION EFFECT");
    SetUpText(m_vibrationButton, 160, 240, 160, kValueStyle, "");
    SetUpText(m_backButton, 160, 280, 160, kHeadingStyle, "BACK");
}

void CGameInputOption::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t screenWidth = CGameMain::GetInstance()->GetViewWidth();
    for (CWidget* w : {&m_musicVolumeLabel, &m_musicVolumeValue, &m_seVolumeLabel, &m_seVolumeValue, &m_languageLabel,
                       &m_languageButton, &m_vibrationLabel, &m_vibrationButton, &m_backButton}) {
        w->x = CentredX(screenWidth, w->width);
    }
    // The arrows stand against the left and right edges of their value.
    m_musicVolumeDown.x = m_musicVolumeValue.x - m_musicVolumeDown.width;
    m_musicVolumeUp.x = m_musicVolumeValue.x + m_musicVolumeValue.width;
    m_seVolumeDown.x = m_seVolumeValue.x - m_seVolumeDown.width;
    m_seVolumeUp.x = m_seVolumeValue.x + m_seVolumeValue.width;
    Refresh();
}

void CGameInputOption::Close() {
    CloseToClosingState();
    // A save that fails leaves the settings in effect until the next run.
    CGameMain::GetInstance()->SaveGlobalData();
}

void CGameInputOption::OnCovered() {
    state_ = ScreenState::Covered;
    Refresh();
}

void CGameInputOption::OnUncovered() {
    state_ = ScreenState::Uncovered;
    Refresh();
}

void CGameInputOption::Refresh() {
    const CSoundManager* sound = CSoundManager::GetInstance();
    const CGameMain* game = CGameMain::GetInstance();
    char number[16];
    std::snprintf(number, sizeof number, "%d", static_cast<int>(sound->GetMusicVolume()));
    m_musicVolumeValue.SetText(number);
    std::snprintf(number, sizeof number, "%d", static_cast<int>(sound->GetSEVolume()));
    m_seVolumeValue.SetText(number);
    m_languageButton.SetText(GetTextForLanguage(kLanguageText, game->m_language));
    if (const char* text = VibrationText(game->m_vibration)) m_vibrationButton.SetText(text);
}

void CGameInputOption::UpdateWidgets() {
    for (CWidget* w : m_widgets) w->Update();
}

void CGameInputOption::Update() {
    UpdateChild();
    if (!RunGenericStates(false)) return;
    CSoundManager* sound = CSoundManager::GetInstance();
    CGameMain* game = CGameMain::GetInstance();
    if (m_backButton.IsTouchBegan()) {
        TakePress(0);
        Close();
    } else if (m_musicVolumeDown.IsTouchBegan() || m_musicVolumeUp.IsTouchBegan()) {
        const int32_t step = m_musicVolumeUp.IsTouchBegan() ? kVolumeStep : -kVolumeStep;
        TakePress(0);
        sound->SetMusicVolume(StepVolume(sound->GetMusicVolume(), step));
        Refresh();
    } else if (m_seVolumeDown.IsTouchBegan() || m_seVolumeUp.IsTouchBegan()) {
        const int32_t step = m_seVolumeUp.IsTouchBegan() ? kVolumeStep : -kVolumeStep;
        TakePress(0);
        sound->SetSEVolume(StepVolume(sound->GetSEVolume(), step));
        Refresh();
    } else if (m_languageButton.IsTouchBegan()) {
        TakePress(0);
        game->m_language = game->m_language == 0 ? kLanguageJapanese : 0;
        Refresh();
    } else if (m_vibrationButton.IsTouchBegan()) {
        TakePress(0);
        // Normal, strong, none, mild, and round again.
        game->m_vibration = game->m_vibration + 1 >= 4 ? 0 : game->m_vibration + 1;
        Refresh();
    }
}

void CGameInputOption::Draw() {
    for (CWidget* w : m_widgets) w->Draw();
    for (CWidget* w : m_widgets) w->DrawOwnText();
    DrawChild();
}
