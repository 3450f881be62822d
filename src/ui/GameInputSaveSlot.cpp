#include "ui/GameInputSaveSlot.h"

#include <cstdio>
#include <cstring>

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "player/CharacterPlayer.h"
#include "ui/GameInputMain.h"
#include "win/MyInput.h"
#include "win/Network.h"
#include "win/SoundManager.h"

namespace {

constexpr int32_t kSheet = 14;
constexpr int32_t kHudSheet = 16;
constexpr int32_t kFrameSheet = 13;
constexpr int32_t kTopLeft = 5;
constexpr int32_t kTopCentred = 9;
constexpr int32_t kCentredBothWays = 10;
constexpr int32_t kRowStyle = 4;
constexpr int32_t kDialogueStyle = 0;
constexpr int32_t kSlideFrames = 8;
constexpr int32_t kEaseIn = 1;
constexpr int32_t kRowStep = 100;
constexpr int32_t kFadeStep = 16;
constexpr int32_t kFramesPerSecond = 40;
constexpr int32_t kBaseTally = 3;
constexpr int32_t kFirstLifeFlag = 9;
constexpr int32_t kFirstGaugeFlag = 29;
constexpr int32_t kTallyFlags = 20;
constexpr int32_t kDialogueWidth = 360;
constexpr int32_t kDialogueHeight = 140;

// Text ids.
constexpr int32_t kRowNumberText = 263;
constexpr int32_t kRowText = 264;
constexpr int32_t kFirstQuestionText = 266;
constexpr int32_t kSecondQuestionText = 267;
constexpr int32_t kErasedText = 269;
constexpr int32_t kYesText = 270;
constexpr int32_t kReallyYesText = 271;
constexpr int32_t kNoText = 273;
constexpr int32_t kReallyNoText = 274;

constexpr SpriteKey kFrameKey{kFrameSheet, 0, 0, 512, 512, 0};

// A framed box from the window frame image, its corners 2 x 2.
void InitFramed(CWidgetWindow& w, int32_t x, int32_t y, int32_t width, int32_t height) {
    w.InitAnimation(x, y, width, height, kFrameKey, 2.0f);
    w.SetFrameTexture(2, 2);
}

void InitDialogueText(CWidget& w) {
    w.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[kDialogueStyle], 1.0, 1);
    w.SetText("");
}

int32_t CountSet(const CSaveData& record, int32_t firstFlag) {
    int32_t n = 0;
    for (int32_t f = firstFlag; f < firstFlag + kTallyFlags; ++f)
        if (record.GetSlotFlag(f) != 0) ++n;
    return n;
}

}  // namespace

CGameInputSaveSlot* CGameInputSaveSlot::GetInstance() {
    static CGameInputSaveSlot instance;
    return &instance;
}

CGameInputSaveSlot::CGameInputSaveSlot() { CGameInputSaveSlot::Init(); }

void CGameInputSaveSlot::Init() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t w = game->m_screenWidth;
    char number[16];
    for (int32_t i = 0; i < kRows; ++i) {
        CWidgetWindow& row = m_rows[i];
        InitFramed(row, 0, 0, kRowWidth, 80);
        row.SetPivot(200, 40);
        row.StartResize(372, 372, 72, 72, 0, CWidgetWindow::kTogether);
        // The frame stands 14 pixels in from the row's edge once resized;
        // the text starts 10 further in so that the number clears its rim.
        row.SetTextRect(24, 10, 380, 60, kTopLeft);
        row.InitTextStyleKeys(&game->m_textStyles[kRowStyle], 1.0, 1);
        std::snprintf(number, sizeof number, GetText(kRowNumberText), i + 1);
        row.SetText(number);
        for (int32_t k = 0; k < kTallyIcons; ++k) {
            const int32_t dx = 20 * (k % 8), dy = 30 + 20 * (k / 8);
            m_lifeIcons[i][k].InitAnimation(30 + dx, dy, 20, 20, SpriteKey{kHudSheet, 170, 60, 10, 10, 0}, 2.0f);
            m_lifeIcons[i][k].parent = &row;
            m_gaugeIcons[i][k].InitAnimation(210 + dx, dy, 20, 20, SpriteKey{kHudSheet, 220, 60, 10, 10, 0}, 2.0f);
            m_gaugeIcons[i][k].parent = &row;
        }
        m_deleteButtons[i].InitAnimation(366, -6, 34, 34, SpriteKey{kHudSheet, 140, 120, 17, 17, 0}, 2.0f);
        m_deleteButtons[i].parent = &row;
    }
    m_prevButton.InitAnimation(w / 2 - 240, 140, 40, 40, SpriteKey{kSheet, 0, 200, 20, 20, 0}, 2.0f);
    m_prevButton.SetAnimationKeys2();
    m_prevButton.SetAnimationKey(0, 10, kSheet, 0, 200, 20, 20);
    m_prevButton.SetAnimationKey(1, 10, kSheet, 1, 200, 20, 20);
    m_nextButton.InitAnimation(w / 2 + 200, 140, 40, 40, SpriteKey{kSheet, 20, 200, 20, 20, 0}, 2.0f);
    m_nextButton.SetAnimationKeys2();
    m_nextButton.SetAnimationKey(0, 10, kSheet, 20, 200, 20, 20);
    m_nextButton.SetAnimationKey(1, 10, kSheet, 19, 200, 20, 20);
    m_leaderboardButton.InitAnimation(0, 0, 40, 40, SpriteKey{kSheet, 60, 80, 20, 20, 0}, 2.0f);
    m_backButton.InitAnimation(0, 0, 40, 40, SpriteKey{kSheet, 100, 80, 20, 20, 0}, 2.0f);

    InitFramed(m_confirmWindow, 0, 0, kDialogueWidth, kDialogueHeight);
    m_confirmWindow.SetPivot(0, 0);
    m_confirmWindow.StartResize(0, 0, 0, 0, 0, CWidgetWindow::kTogether);
    m_confirmWindow.SetTextRect(-180, -50, kDialogueWidth, kDialogueHeight, kTopCentred);
    InitDialogueText(m_confirmWindow);
    m_confirmWindow.SetVisible(false);
    int32_t buttonX = -170;
    for (CWidgetWindow* b : {&m_yesButton, &m_noButton}) {
        InitFramed(*b, buttonX, 20, 160, 40);
        b->parent = &m_confirmWindow;
        b->SetPivot(80, 20);
        b->StartResize(160, 160, 40, 40, 0, CWidgetWindow::kTogether);
        b->SetTextRect(0, 0, 160, 40, kCentredBothWays);
        InitDialogueText(*b);
        buttonX = 10;
    }
}

void CGameInputSaveSlot::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    m_counter = 0;
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t w = game->m_screenWidth, h = game->m_screenHeight;
    m_leftX = -(w / 2) - kRowWidth / 2;
    m_centreX = w / 2 - kRowWidth / 2;
    m_rightX = 3 * (w / 2) - kRowWidth / 2;
    m_topY = 20;
    m_bottomY = h + 20;
    const int32_t margin = w == 512 ? 32 : 0;
    m_confirmWindow.x = w / 2;
    m_confirmWindow.y = h / 2 - margin;
    m_backButton.x = w - 44;
    m_backButton.y = h - margin - 44;
    m_leaderboardButton.x = w - 44;
    m_leaderboardButton.y = h - margin - 88;

    SwitchScreenMusic(kMusic);

    ShowPage(-1, 0);
    Refresh();
    StartScreenFade(255, 0, -kFadeStep);
}

void CGameInputSaveSlot::Close() {
    CSoundManager::GetInstance()->StopAllMusic();
    CloseWithFade();
}

void CGameInputSaveSlot::MoveRow(int32_t row, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    m_rows[row].MoveTo(x0, x1, y0, y1, kSlideFrames, kEaseIn);
}

void CGameInputSaveSlot::ShowPage(int32_t from, int32_t to) {
    m_fromPage = from;
    m_page = to;
    const int32_t h = CGameMain::GetInstance()->m_screenHeight;
    for (CWidgetWindow& row : m_rows) row.y = h + 100;
    if (from == -1) {
        MoveRow(kRowsPerPage * to, m_centreX, m_centreX, m_bottomY, m_topY);
        return;
    }
    const int32_t x = from > to ? m_rightX : m_leftX;
    for (int32_t k = 0; k < kRowsPerPage; ++k) {
        const int32_t y = m_topY + kRowStep * k;
        MoveRow(kRowsPerPage * from + k, m_centreX, x, y, y);
    }
    m_counter = 0;
    state_ = kPageSlide;
}

void CGameInputSaveSlot::Refresh() {
    CGameMain* game = CGameMain::GetInstance();
    CDrawString* style = &game->m_textStyles[game->m_language == 0 ? kRowStyle : kDialogueStyle];
    for (CWidget* w : {static_cast<CWidget*>(&m_confirmWindow), static_cast<CWidget*>(&m_yesButton),
                       static_cast<CWidget*>(&m_noButton)}) {
        w->InitTextStyleKeys(style, 1.0, 1);
    }
    m_prevButton.SetVisible(m_page != 0);
    m_nextButton.SetVisible(m_page != kPages - 1);
    char text[64];
    for (int32_t i = 0; i < kRows; ++i) {
        const CSaveData& record = game->m_slotData[i];
        const int32_t completion = game->CountCompletion(i);
        const int32_t minutes = record.GetInt(SaveSlotRecord::kPlayTime) / kFramesPerSecond / 60;
        std::snprintf(text, sizeof text, GetText(kRowText), i + 1, completion, minutes / 60, minutes % 60);
        m_rows[i].SetText(text);
        const int32_t life = kBaseTally + CountSet(record, kFirstLifeFlag);
        const int32_t gauge = kBaseTally + CountSet(record, kFirstGaugeFlag);
        for (int32_t k = 0; k < kTallyIcons; ++k) {
            m_lifeIcons[i][k].SetVisible(k < life);
            m_gaugeIcons[i][k].SetVisible(k < gauge);
        }
        m_deleteButtons[i].SetVisible(true);
    }
}

void CGameInputSaveSlot::UpdateWidgets() {
    m_prevButton.Update();
    m_nextButton.Update();
    for (int32_t i = 0; i < kRows; ++i) {
        m_rows[i].Update();
        for (int32_t k = 0; k < kTallyIcons; ++k) {
            m_lifeIcons[i][k].Update();
            m_gaugeIcons[i][k].Update();
        }
        m_deleteButtons[i].Update();
    }
    m_confirmWindow.Update();
    m_yesButton.Update();
    m_noButton.Update();
    m_leaderboardButton.Update();
    m_backButton.Update();
}

void CGameInputSaveSlot::Update() {
    UpdateChild();
    const int32_t first = kRowsPerPage * m_page;
    switch (state_) {
        case ScreenState::Opening:
            if (parent_ && parent_->GetState() != ScreenState::Idle) return;
            UpdateWidgets();
            ++m_counter;
            if (m_counter == 5) MoveRow(first + 1, m_centreX, m_centreX, m_bottomY + kRowStep, m_topY + kRowStep);
            if (m_counter == 9) {
                MoveRow(first + 2, m_centreX, m_centreX, m_bottomY + 2 * kRowStep, m_topY + 2 * kRowStep);
            }
            if (m_counter == 17) {
                Refresh();
                state_ = ScreenState::Active;
            }
            return;
        case ScreenState::Active:
            UpdateWidgets();
            UpdateButtons();
            return;
        case ScreenState::Closing:
            UpdateWidgets();
            if (ScreenFadeDone()) CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
            return;
        case ScreenState::Covered:
        case ScreenState::Uncovered: RunGenericStates(false); return;
        case kPageSlide:
            UpdateWidgets();
            ++m_counter;
            if (m_counter == 9) {
                const int32_t x = m_fromPage > m_page ? m_leftX : m_rightX;
                for (int32_t k = 0; k < kRowsPerPage; ++k) {
                    const int32_t y = m_topY + kRowStep * k;
                    MoveRow(first + k, x, m_centreX, y, y);
                }
            }
            if (m_counter == 17) {
                Refresh();
                state_ = ScreenState::Active;
            }
            return;
        case kStarting:
            if (ScreenFadeDone()) StartSlot();
            return;
        case kFirstQuestion: UpdateQuestion(kFirstQuestionText, kYesText, kNoText); return;
        case kSecondQuestion: UpdateQuestion(kSecondQuestionText, kReallyYesText, kReallyNoText); return;
        case kDialogueClosing:
            UpdateWidgets();
            if (!m_confirmWindow.IsResizing()) {
                m_confirmWindow.SetVisible(false);
                state_ = ScreenState::Active;
            }
            return;
        case kMessageOpening:
            UpdateWidgets();
            if (!m_confirmWindow.IsResizing()) GrowDialogue(kErasedMessage);
            return;
        case kErasedMessage:
            UpdateWidgets();
            if (m_confirmWindow.IsResizing()) return;
            SetSlotText(m_confirmWindow, kErasedText);
            if (CMyInput::GetInstance()->IsTouchPressed()) {
                TakePress();
                ShrinkDialogue(kDialogueClosing);
            }
            return;
        default: return;
    }
}

void CGameInputSaveSlot::UpdateButtons() {
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        Close();
    } else if (m_nextButton.IsTouchBegan()) {
        TakePress();
        ShowPage(m_page, m_page + 1);
    } else if (m_prevButton.IsTouchBegan()) {
        TakePress();
        ShowPage(m_page, m_page - 1);
    } else if (m_leaderboardButton.IsTouchBegan()) {
        TakePress();
        CNetwork::GetInstance()->ShowLeaderboard();
    } else {
        for (int32_t i = 0; i < kRows; ++i) {
            if (m_deleteButtons[i].IsTouchBegan()) {
                TakePress();
                BeginErase(i);
                return;
            }
            if (m_rows[i].IsTouchBegan()) {
                TakePress();
                StartScreenFade(0, 255, kFadeStep);
                state_ = kStarting;
                CGameMain::GetInstance()->m_currentSlot = i;
                return;
            }
        }
    }
}

void CGameInputSaveSlot::SetSlotText(CWidget& w, int32_t textId) {
    char text[128];
    std::snprintf(text, sizeof text, GetText(textId), CGameMain::GetInstance()->m_currentSlot + 1);
    w.SetText(text);
}

void CGameInputSaveSlot::UpdateQuestion(int32_t question, int32_t yesText, int32_t noText) {
    UpdateWidgets();
    if (m_confirmWindow.IsResizing()) return;
    m_yesButton.SetVisible(true);
    m_noButton.SetVisible(true);
    SetSlotText(m_confirmWindow, question);
    m_yesButton.SetText(GetText(yesText));
    m_noButton.SetText(GetText(noText));
    if (m_yesButton.IsTouchBegan()) {
        TakePress();
        if (state_ == kFirstQuestion) {
            GrowDialogue(kSecondQuestion);
        } else {
            EraseSlot();
            Refresh();
            ShrinkDialogue(kMessageOpening);
        }
    } else if (m_noButton.IsTouchBegan()) {
        TakePress();
        ShrinkDialogue(kDialogueClosing);
    }
}

void CGameInputSaveSlot::GrowDialogue(int32_t nextState) {
    m_confirmWindow.StartResize(0, kDialogueWidth, 0, kDialogueHeight, 10, CWidgetWindow::kTogether);
    state_ = nextState;
    m_confirmWindow.SetVisible(true);
    m_yesButton.SetVisible(false);
    m_noButton.SetVisible(false);
    m_confirmWindow.SetText("");
}

void CGameInputSaveSlot::ShrinkDialogue(int32_t nextState) {
    m_confirmWindow.StartResize(kDialogueWidth, 0, kDialogueHeight, 0, kSlideFrames, CWidgetWindow::kTogether);
    m_yesButton.SetVisible(false);
    m_noButton.SetVisible(false);
    m_confirmWindow.SetText("");
    state_ = nextState;
}

// The row asked about becomes the current slot at once, and stays so
// whatever the answers.
void CGameInputSaveSlot::BeginErase(int32_t slot) {
    CGameMain::GetInstance()->m_currentSlot = slot;
    GrowDialogue(kFirstQuestion);
}

void CGameInputSaveSlot::EraseSlot() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t s = game->m_currentSlot;
    game->ResetResumeRecordAt(s);
    game->SaveResumeRecords();
    game->NewGameInSlot(s);
    // The system record's write also writes the erased slot's own file.
    game->SaveGlobalData();
}

void CGameInputSaveSlot::StartSlot() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t s = game->m_currentSlot;
    CSaveData& record = game->m_slotData[s];
    const CSaveData& resume = game->m_resumeData[s];
    if (resume.GetByte(SaveSlotRecord::kResumeFlag) == 1) {
        std::memcpy(record.Bytes(), resume.Bytes(), SaveSlotRecord::kUsedSize);
    }
    // (Loading brings a record that names no stage of the game to the
    // first stage.)
    game->m_mapId = record.GetInt(SaveSlotRecord::kMapId);
    game->StartStage(game->m_mapId);
    if (CCharacterPlayer* player = PlayerInPlay()) {
        player->RestoreStatus();
        // A resume point may lie beyond the first view. The view is brought
        // to it at once: the player's first frame keeps it inside the view,
        // and would pull it back to the view's edge, away from where it
        // stood.
        if (CStageData* stage = game->m_stageControl.GetStage()) stage->UpdateCamera();
    }
}

void CGameInputSaveSlot::Draw() {
    for (CWidget* w : {&m_prevButton, &m_nextButton, &m_backButton, &m_leaderboardButton}) w->Draw();
    for (int32_t i = 0; i < kRows; ++i) {
        m_rows[i].Draw();
        m_rows[i].DrawOwnText();
        m_deleteButtons[i].Draw();
        for (CWidget& icon : m_lifeIcons[i]) icon.Draw();
        for (CWidget& icon : m_gaugeIcons[i]) icon.Draw();
    }
    for (CWidgetWindow* w : {&m_confirmWindow, &m_yesButton, &m_noButton}) {
        w->Draw();
        w->DrawOwnText();
    }
    DrawChild();
}
