#include "ui/GameInputTitleTop.h"

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "win/Network.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kConfirmSound = 31;
constexpr int32_t kMoreGamesText = 18;
constexpr int32_t kLabelStyle = 2;
constexpr int32_t kLukaSheet = 25;
constexpr int32_t kIronclawSheet = 27;
constexpr int32_t kCharacterStepFrames = 10;
constexpr int32_t kWideScreen = 512;
constexpr int32_t kWideScreenLift = 32;

// Text buttons show only their labels: slot 0 is the transparent sheet.
constexpr SpriteKey kTextButtonKey{0, 0, 0, 80, 10, 0};

void SetUpTextButton(CWidget& w, int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key,
                     const char* label) {
    InitLabelWidget(w, x, y, width, height, key, 2.0f, kLabelStyle, label);
}

void SetUpCharacterButton(CWidget& w, int32_t x, int32_t sheet) {
    w.InitAnimation(x, 180, 80, 80, SpriteKey{sheet, 0, 0, 40, 40, 0}, 2.0f);
    // Highlighted, the character steps between its first two frames.
    w.SetSpriteTable(WidgetTable::Highlighted, {{sheet, 40, 0, 40, 40, kCharacterStepFrames},
                                                {sheet, 0, 0, 40, 40, kCharacterStepFrames}});
}

}  // namespace

CGameInputTitleTop* CGameInputTitleTop::GetInstance() {
    static CGameInputTitleTop instance;
    return &instance;
}

CGameInputTitleTop::CGameInputTitleTop() { CGameInputTitleTop::Init(); }

void CGameInputTitleTop::Init() {
    SetUpTextButton(m_startButton, 160, 140, 160, 30, kTextButtonKey, "START");
    SetUpTextButton(m_stageSelectButton, 160, 190, 160, 30, kTextButtonKey, "STAGE SELECT");
    SetUpTextButton(m_configButton, 160, 240, 160, 30, kTextButtonKey, "CONFIG");
    SetUpTextButton(m_creditsButton, 0, 250, 160, 30, kTextButtonKey, "CREDITS");
    SetUpTextButton(m_moreGamesButton, 320, 250, 160, 30, kTextButtonKey, "MORE GAMES");
    SetUpCharacterButton(m_lukaButton, 120, kLukaSheet);
    SetUpCharacterButton(m_ironclawButton, 280, kIronclawSheet);
    SetUpTextButton(m_backButton, 160, 280, 160, 30, kTextButtonKey, "BACK");
    m_logo.InitAnimation(0, 0, 480, 160, SpriteKey{14, 0, 0, 160, 80, 0}, 3.0f);
    SetUpTextButton(m_makerLine, 0, 300, 480, 20, SpriteKey{}, "(C) BRINDLECOVE");
    static const char* const kStageLabels[kStageButtonCount] = {"1-1", "1-2", "1-3", "1-4", "1-5"};
    for (int i = 0; i < kStageButtonCount; ++i) {
        SetUpTextButton(m_stageButtons[i], 160, 120 + 30 * i, 160, 30, kTextButtonKey, kStageLabels[i]);
    }
}

void CGameInputTitleTop::Open() {
    // From black in 32 frames; every return to the title reloads the saves.
    StartScreenFade(255, 0, -8);
    CGameMain::GetInstance()->LoadAllSlots();
    Layout();
    state_ = ScreenState::Opening;
}

void CGameInputTitleTop::Layout() {
    CGameMain* game = CGameMain::GetInstance();
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_logo, &m_makerLine}) {
        w->SetVisible(true);
        w->SetEnabled(true);
    }
    for (CWidget* w : {&m_creditsButton, &m_moreGamesButton}) {
        w->SetVisible(false);
        w->SetEnabled(false);
    }
    for (CWidget* w : {&m_lukaButton, &m_ironclawButton, &m_backButton}) w->SetVisible(false);
    for (CWidget& w : m_stageButtons) w.SetVisible(false);

    // "STAGE SELECT" only once the whole game has been cleared.
    const bool cleared = game->m_clearFlags[0] != 0;
    m_stageSelectButton.SetEnabled(cleared);
    const int32_t shade = cleared ? 255 : 128;
    m_stageSelectButton.SetColor(shade, shade, shade);

    const int32_t screenWidth = game->GetViewWidth();
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_backButton, &m_logo, &m_makerLine}) {
        w->x = CentredX(screenWidth, w->width);
    }
    for (CWidget& w : m_stageButtons) w.x = CentredX(screenWidth, w.width);
    const int32_t margin = game->m_screenWidth == kWideScreen ? kWideScreenLift : 0;
    m_makerLine.y = game->m_screenHeight - m_makerLine.height - margin;
}

void CGameInputTitleTop::UpdateWidgets() {
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_creditsButton, &m_moreGamesButton,
                       &m_lukaButton, &m_ironclawButton, &m_backButton, &m_logo, &m_makerLine}) {
        w->Update();
    }
}

void CGameInputTitleTop::Update() {
    UpdateChild();
    switch (state_) {
        case kStarting:
            if (ScreenFadeDone()) {
                CGameMain* game = CGameMain::GetInstance();
                game->StartStage(game->m_mapId);
            }
            return;
        case kCharacterPage:
            UpdateWidgets();
            UpdateCharacterPage();
            return;
        case kStageList:
            UpdateWidgets();
            UpdateStageList();
            return;
        default:
            if (RunGenericStates(true)) UpdateMainPage();
            return;
    }
}

void CGameInputTitleTop::ShowMainPage(bool visible) {
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_logo, &m_makerLine}) {
        w->SetVisible(visible);
    }
}

void CGameInputTitleTop::OpenCharacterPage(int32_t mapId) {
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_creditsButton, &m_moreGamesButton,
                       &m_makerLine}) {
        w->SetVisible(false);
    }
    for (CWidget& w : m_stageButtons) w.SetVisible(false);
    for (CWidget* w : {&m_lukaButton, &m_ironclawButton, &m_backButton, &m_logo}) w->SetVisible(true);
    m_lukaButton.SetHighlight(false);
    m_ironclawButton.SetHighlight(false);
    CGameMain::GetInstance()->m_mapId = mapId;
    state_ = kCharacterPage;
}

void CGameInputTitleTop::UpdateMainPage() {
    if (m_startButton.IsTouchBegan()) {
        TakePress();
        OpenCharacterPage(kFirstStage);
        return;
    }
    if (m_stageSelectButton.IsTouchBegan()) {
        TakePress();
        for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_creditsButton,
                           &m_moreGamesButton, &m_makerLine}) {
            w->SetVisible(false);
        }
        for (CWidget& w : m_stageButtons) w.SetVisible(true);
        m_backButton.SetVisible(true);
        state_ = kStageList;
        return;
    }
    if (m_configButton.IsTouchBegan()) {
        TakePress();
        OnCovered();
        CGameInputController::GetInstance()->PushInput(ScreenId::Option);
        return;
    }
    if (m_creditsButton.IsTouchBegan()) {
        TakePress();
        OnCovered();
        CGameInputController::GetInstance()->PushInput(ScreenId::TitleCredits);
        return;
    }
    if (m_moreGamesButton.IsTouchBegan()) {
        TakePress(0);
        CNetwork::GetInstance()->OpenURL(::GetText(kMoreGamesText));
    }
}

void CGameInputTitleTop::UpdateStageList() {
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        ShowMainPage(true);
        for (CWidget& w : m_stageButtons) w.SetVisible(false);
        m_backButton.SetVisible(false);
        state_ = ScreenState::Active;
    }
    // A press taken above is consumed, so no stage button sees it.
    for (int i = 0; i < kStageButtonCount; ++i) {
        if (m_stageButtons[i].IsTouchBegan()) {
            TakePress();
            OpenCharacterPage(kFirstStage + i);
        }
    }
}

void CGameInputTitleTop::UpdateCharacterPage() {
    struct Choice {
        CWidget* button;
        CWidget* other;
        int32_t typeId;
    };
    const Choice choices[2] = {{&m_lukaButton, &m_ironclawButton, kLukaTypeId},
                               {&m_ironclawButton, &m_lukaButton, kIronclawTypeId}};
    for (const Choice& c : choices) {
        if (c.button->IsTouchBegan() && c.button->GetHighlight()) {
            ConsumeTouch();
            CSoundManager::GetInstance()->PlaySE(kConfirmSound, 1);
            CGameMain::GetInstance()->m_selectedCharacter = c.typeId;
            StartScreenFade(0, 255, 16);
            state_ = kStarting;
        }
        if (c.button->IsTouchBegan() && !c.button->GetHighlight()) {
            TakePress();
            c.button->SetHighlight(true);
            c.other->SetHighlight(false);
        }
    }
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        ShowMainPage(true);
        for (CWidget* w : {&m_creditsButton, &m_moreGamesButton, &m_lukaButton, &m_ironclawButton, &m_backButton}) {
            w->SetVisible(false);
        }
        m_lukaButton.SetHighlight(false);
        m_ironclawButton.SetHighlight(false);
        state_ = ScreenState::Active;
    }
}

void CGameInputTitleTop::OnCovered() {
    state_ = ScreenState::Idle;
    ShowMainPage(false);
    m_creditsButton.SetVisible(false);
    m_moreGamesButton.SetVisible(false);
}

void CGameInputTitleTop::OnUncovered() {
    state_ = ScreenState::Uncovered;
    ShowMainPage(true);
}

void CGameInputTitleTop::Draw() {
    DrawParams::shakeEnabled = 1;
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_creditsButton, &m_moreGamesButton,
                       &m_lukaButton, &m_ironclawButton, &m_backButton}) {
        w->Draw();
    }
    for (CWidget* w : {&m_startButton, &m_stageSelectButton, &m_configButton, &m_creditsButton, &m_moreGamesButton,
                       &m_backButton}) {
        w->DrawOwnText();
    }
    for (CWidget& w : m_stageButtons) w.DrawOwnText();
    m_logo.Draw();
    m_makerLine.Draw();
    m_makerLine.DrawOwnText();
    DrawParams::ResetToDefaults();
    DrawChild();
}
