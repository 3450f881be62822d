#include "ui/GameInputTitleStageSelect.h"

#include <vector>

#include "framework/GameMain.h"
#include "ui/StageSelectTable.h"
#include "win/Network.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kSheet = 14;
constexpr int32_t kWindowSheet = 12;
constexpr int32_t kTitleStyle = 3;
constexpr int32_t kTopCentred = 9;
constexpr int32_t kStartFadeStep = 8;
constexpr int32_t kFadeStep = 16;
constexpr int32_t kGrey = 128;

constexpr SpriteKey Key(int32_t x, int32_t y, int32_t w, int32_t h) { return SpriteKey{kSheet, x, y, w, h, 0}; }

// The four keys of the selected cell's running character, by the selected
// character: the ninjas run on their sheets (19, 21, 22, 23); the two
// characters of the title's character page step on theirs (25, 27).
struct RunKeys {
    int32_t character;
    int32_t slot;
    int32_t keys[4][3];  // source x, source y, frames
};
constexpr RunKeys kRunKeys[] = {
    {1, 19, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
    {2, 21, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
    {3, 22, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
    {4, 23, {{0, 0, 4}, {40, 0, 4}, {0, 0, 4}, {40, 0, 4}}},
    {5, 25, {{0, 0, 10}, {40, 0, 10}, {0, 0, 10}, {40, 0, 10}}},
    {6, 27, {{0, 0, 10}, {40, 0, 10}, {0, 0, 10}, {40, 0, 10}}},
};

std::vector<SpriteKey> RunAnimation(int32_t character) {
    const RunKeys* run = &kRunKeys[0];
    for (const RunKeys& r : kRunKeys)
        if (r.character == character) run = &r;
    std::vector<SpriteKey> keys;
    for (const auto& k : run->keys) keys.push_back(SpriteKey{run->slot, k[0], k[1], 40, 40, k[2]});
    return keys;
}

}  // namespace

CGameInputTitleStageSelect* CGameInputTitleStageSelect::GetInstance() {
    static CGameInputTitleStageSelect instance;
    return &instance;
}

CGameInputTitleStageSelect::CGameInputTitleStageSelect() { CGameInputTitleStageSelect::Init(); }

int32_t CGameInputTitleStageSelect::GetStageRow(int32_t mapId) { return StageSelectTable::GetStageRow(mapId); }

int32_t CGameInputTitleStageSelect::GetStageColumn(int32_t mapId) { return StageSelectTable::GetStageColumn(mapId); }

int32_t CGameInputTitleStageSelect::GetStageId(int32_t row, int32_t column) {
    return StageSelectTable::GetStageId(row, column);
}

void CGameInputTitleStageSelect::Init() {
    CGameMain* game = CGameMain::GetInstance();
    InitTitleBar(m_titleBar, "STAGE SELECT");
    m_prevRowButton.InitAnimation(40, 90, 40, 40, Key(0, 200, 20, 20), 2.0f);
    m_nextRowButton.InitAnimation(400, 90, 40, 40, Key(20, 200, 20, 20), 2.0f);
    m_preview.InitAnimation(80, 20, 320, 160, Key(160, 0, 160, 80), 2.0f);
    for (int32_t i = 0; i < 4; ++i) {
        m_stageButtons[i].InitAnimation(80 + 80 * i, 100, 80, 80, SpriteKey{}, RunAnimation(1)[0], SpriteKey{}, 2.0f);
        m_connectors[i].InitAnimation(150 + 80 * i, 150, 20, 20, Key(110, 100, 10, 10), 2.0f);
        m_plates[i].InitAnimation(90 + 80 * i, 150, 60, 20, Key(60, 100, 30, 10), 2.0f);
    }
    m_window.InitAnimation(80, 200, 320, 100, SpriteKey{kWindowSheet, 0, 0, 256, 256, 0}, 1.0f);
    m_window.SetScale(2.0f);
    m_window.SetFrameTexture(7, 5);
    m_window.SetPivot(160, 50);
    m_window.SetTextRect(0, 2, 320, 96, kTopCentred);
    m_window.InitTextStyleKeys(&game->m_textStyles[kTitleStyle]);
    m_scoreButton.InitAnimation(436, 100, 40, 40, Key(140, 140, 20, 20), 2.0f);
    m_statusButton.InitAnimation(436, 144, 40, 40, Key(140, 80, 20, 20), 2.0f);
    m_shopButton.InitAnimation(436, 188, 40, 40, Key(120, 80, 20, 20), 2.0f);
    m_leaderboardButton.InitAnimation(436, 232, 40, 40, Key(60, 80, 20, 20), 2.0f);
    m_backButton.InitAnimation(436, 276, 40, 40, Key(100, 80, 20, 20), 2.0f);
}

void CGameInputTitleStageSelect::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    SwitchScreenMusic(kMusic);

    const int32_t w = CGameMain::GetInstance()->m_screenWidth;
    if (w == 480 || w == 568) {
        m_titleBar.x = CentredX(w, m_titleBar.width);
        m_prevRowButton.x = w / 2 - 200;
        m_nextRowButton.x = w / 2 + 160;
        const int32_t x0 = CentredX(w, m_preview.width);
        m_preview.x = x0;
        for (int32_t i = 0; i < 4; ++i) {
            m_stageButtons[i].x = x0 + 80 * i;
            m_plates[i].x = x0 + 80 * i + 10;
            m_connectors[i].x = x0 + 80 * i + 70;
        }
        m_window.x = CentredX(w, m_window.width);
        for (CWidget* b : {&m_scoreButton, &m_statusButton, &m_shopButton, &m_leaderboardButton, &m_backButton})
            b->x = w - 44;
    }
    m_window.StartResize(0, 320, 100, 100, 14, CWidgetWindow::kTogether);
    // Also after a chain that was replaced while a pushed screen had them
    // hidden.
    ShowFixedWidgets();
    SelectCell(0, 0);
    StartScreenFade(255, 0, -kFadeStep);
}

void CGameInputTitleStageSelect::Close() {
    CSoundManager::GetInstance()->StopAllMusic();
    CloseWithFade();
}

void CGameInputTitleStageSelect::ShowFixedWidgets() {
    for (CWidget* w : {&m_titleBar, &m_preview, static_cast<CWidget*>(&m_window), &m_scoreButton, &m_shopButton,
                       &m_statusButton, &m_leaderboardButton, &m_backButton}) {
        w->SetVisible(true);
    }
}

void CGameInputTitleStageSelect::OnUncovered() {
    state_ = ScreenState::Uncovered;
    ShowFixedWidgets();
    SelectCell(m_row, m_column);
}

void CGameInputTitleStageSelect::SetLeaderboardEnabled(uint8_t enabled) {
    const bool on = enabled == 1;
    m_leaderboardButton.SetEnabled(on);
    const int32_t c = on ? 255 : kGrey;
    m_leaderboardButton.SetColor(c, c, c);
}

void CGameInputTitleStageSelect::SelectCell(int32_t row, int32_t column) {
    if (row < 0 || row >= StageSelectTable::kRows || column < 0 || column >= StageSelectTable::kColumns) {
        row = 0;
        column = 0;
    }
    m_column = column;
    m_row = row;
    m_prevRowButton.SetVisible(row != 0);
    m_nextRowButton.SetVisible(row != StageSelectTable::kRows - 1);
    for (int32_t i = 0; i < 4; ++i) {
        m_connectors[i].SetVisible(i != 3);
        m_plates[i].SetVisible(true);
        m_stageButtons[i].SetVisible(true);
        m_stageButtons[i].SetHighlight(i == column);
        m_stageButtons[i].SetSpriteTable(WidgetTable::Highlighted,
                                         RunAnimation(CGameMain::GetInstance()->m_selectedCharacter));
        // A cell without a stage of this game stands grey.
        const int32_t c = StageSelectTable::PlayableStage(row, i) != 0 ? 255 : kGrey;
        m_plates[i].SetColor(c, c, c);
    }
    m_window.StartResize(0, 320, 100, 100, 14, CWidgetWindow::kTogether);
}

void CGameInputTitleStageSelect::StartSelectedStage() {
    const int32_t stage = StageSelectTable::PlayableStage(m_row, m_column);
    if (stage == 0) return;
    state_ = kStarting;
    CGameMain::GetInstance()->m_mapId = stage;
    StartScreenFade(0, 255, kStartFadeStep);
}

void CGameInputTitleStageSelect::UpdateWidgets() {
    for (CWidget* w : m_widgets) w->Update();
}

void CGameInputTitleStageSelect::Update() {
    UpdateChild();
    switch (state_) {
        case ScreenState::Opening:
        case ScreenState::Covered:
        case ScreenState::Uncovered: RunGenericStates(true); return;
        case ScreenState::Active:
            UpdateWidgets();
            UpdateButtons();
            return;
        case ScreenState::Closing:
            UpdateWidgets();
            if (ScreenFadeDone()) CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
            return;
        case kStarting:
            if (ScreenFadeDone()) CGameMain::GetInstance()->StartStage(CGameMain::GetInstance()->m_mapId);
            return;
        case kToShop: PushAfterFade(ScreenId::TitleShop); return;
        case kToStatus: PushAfterFade(ScreenId::TitleState); return;
        case kToScore: PushAfterFade(ScreenId::TitleScore); return;
        default: return;
    }
}

void CGameInputTitleStageSelect::PushAfterFade(int32_t screenId) {
    if (!ScreenFadeDone()) return;
    for (CWidget* w : m_widgets) w->SetVisible(false);
    CGameInputController::GetInstance()->PushInput(screenId);
    state_ = ScreenState::Idle;
}

void CGameInputTitleStageSelect::FadeOutTo(int32_t state) {
    StartScreenFade(0, 255, kFadeStep);
    state_ = state;
}

void CGameInputTitleStageSelect::PressCell(int32_t column) {
    // A cell without a stage of this game takes no press.
    if (StageSelectTable::PlayableStage(m_row, column) == 0) return;
    TakePress();
    if (!m_stageButtons[column].GetHighlight()) {
        SelectCell(m_row, column);
    } else {
        StartSelectedStage();
    }
}

void CGameInputTitleStageSelect::UpdateButtons() {
    for (int32_t i = 0; i < 4; ++i) {
        if (m_stageButtons[i].IsTouchBegan()) {
            PressCell(i);
            return;
        }
    }
    if (m_nextRowButton.IsTouchBegan()) {
        TakePress();
        if (m_row < StageSelectTable::kRows - 1) SelectCell(m_row + 1, 0);
    } else if (m_prevRowButton.IsTouchBegan()) {
        TakePress();
        if (m_row > 0) SelectCell(m_row - 1, 0);
    } else if (m_backButton.IsTouchBegan()) {
        TakePress();
        Close();
    } else if (m_scoreButton.IsTouchBegan()) {
        TakePress();
        FadeOutTo(kToScore);
    } else if (m_shopButton.IsTouchBegan()) {
        TakePress();
        FadeOutTo(kToShop);
    } else if (m_statusButton.IsTouchBegan()) {
        TakePress();
        FadeOutTo(kToStatus);
    } else if (m_leaderboardButton.IsTouchBegan()) {
        TakePress();
        CNetwork::GetInstance()->ShowLeaderboard();
    }
}

void CGameInputTitleStageSelect::Draw() {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    if (m_preview.IsVisible()) {
        const StageSelectTable::Preview p = StageSelectTable::PreviewOf(m_row, m_column);
        // The picture of a cell without a stage is dimmed.
        DrawParams::colour = StageSelectTable::PlayableStage(m_row, m_column) != 0 ? 0xFFFFFFFFu : 0xFF808080u;
        DrawSprite(m_preview.GetX(), m_preview.GetY(), p.slot, p.srcX, p.srcY, StageSelectTable::kPreviewWidth,
                   StageSelectTable::kPreviewHeight);
        DrawParams::colour = 0xFFFFFFFFu;
    }
    m_titleBar.Draw();
    m_titleBar.DrawOwnText();
    for (CWidget* w : m_widgets) {
        if (w != &m_titleBar) w->Draw();
    }
    DrawChild();
}
