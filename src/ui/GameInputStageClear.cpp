#include "ui/GameInputStageClear.h"

#include <algorithm>
#include <cinttypes>
#include <climits>
#include <cstdio>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/TextTable.h"
#include "player/CharacterPlayer.h"
#include "player/Item.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/Lifebar.h"
#include "ui/StageSelectTable.h"
#include "win/Network.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kRowWidth = 440;
constexpr int32_t kButtonWidth = 140;
constexpr int32_t kButtonGap = 10;
constexpr int32_t kShareSize = 40;
constexpr int32_t kShareMargin = 4;
constexpr int32_t kBackdropAlpha = 128;
constexpr int32_t kLeaveFrames = 20;
constexpr int32_t kFullBonus = 10000;  // hundredths
constexpr int32_t kBonusLimit = 1000;
constexpr int32_t kFramesPerTimeUnit = 60;
constexpr int32_t kMaxGold = 999999;
constexpr int32_t kTitleStyle = 3;
constexpr int32_t kButtonStyle = 2;

// What the stage in play names: every stage of this game counts one gold per
// gold picked up and names 299, which is no stage, as its successor.
constexpr int32_t kStageGoldMultiplier = 1;
constexpr int32_t kStageNamedNext = 299;

// Share text ids.
constexpr int32_t kShareTitleText = 189;
constexpr int32_t kShareCharacterText = 193;  // + character 1 to 4
constexpr int32_t kShareStageText = 199;
constexpr int32_t kShareStageNoItemText = 200;
constexpr int32_t kShareLinkText = 201;
constexpr int32_t kShareTagText = 202;

// The clear-mark bit of each game mode.
int32_t ClearBit(int32_t gameMode) {
    switch (gameMode) {
        case 0: return 1;
        case 1: return 2;
        case 2: return 4;
        default: return 0;
    }
}

}  // namespace

CGameInputStageClear* CGameInputStageClear::GetInstance() {
    static CGameInputStageClear instance;
    return &instance;
}

CGameInputStageClear::CGameInputStageClear() { CGameInputStageClear::Init(); }

void CGameInputStageClear::Init() {
    const int32_t left = CGameInputMain::GetInstance()->m_touchPad.x;
    InitBackdrop(m_backdrop);
    InitLabelWidget(m_titleText, left, 40, kRowWidth, 20, SpriteKey{}, 3.0f, kTitleStyle, "STAGE CLEAR!");
    InitLabelWidget(m_goldText, left, 80, kRowWidth, 20, SpriteKey{}, 2.0f, kTitleStyle, "");
    InitLabelWidget(m_scoreText, left, 120, kRowWidth, 20, SpriteKey{}, 2.0f, kTitleStyle, "      SCORE");
    InitLabelWidget(m_timeBonusText, left, 160, kRowWidth, 20, SpriteKey{}, 2.0f, kTitleStyle, " TIME BONUS");
    InitLabelWidget(m_totalText, left, 200, kRowWidth, 20, SpriteKey{}, 2.0f, kTitleStyle, "TOTAL SCORE");
    InitLabelWidget(m_hiScoreText, left, 240, kRowWidth, 20, SpriteKey{}, 2.0f, kButtonStyle, "HI-SCORE!");
    InitLabelWidget(m_restartButton, 40, 280, kButtonWidth, 20, SpriteKey{}, 2.0f, kButtonStyle, "RESTART");
    InitLabelWidget(m_menuButton, 190, 280, kButtonWidth, 20, SpriteKey{}, 2.0f, kButtonStyle, "MENU");
    InitLabelWidget(m_nextButton, 340, 280, kButtonWidth, 20, SpriteKey{}, 2.0f, kButtonStyle, "NEXT");
    m_shareButton.InitAnimation(436, 230, kShareSize, kShareSize, SpriteKey{14, 40, 80, 20, 20, 0}, 2.0f);
}

int32_t CGameInputStageClear::TimeBonus(int32_t playTime) {
    const int32_t t = playTime / kFramesPerTimeUnit;
    if (t <= 0) return kFullBonus;
    if (t >= kBonusLimit) return 0;
    return kFullBonus / t;
}

int64_t CGameInputStageClear::TotalScore(int32_t score, int32_t timeBonus) {
    return static_cast<int64_t>(score) * timeBonus / 100;
}

int32_t CGameInputStageClear::NextStageAfter(int32_t mapId, int32_t namedNext) {
    if (IsBuildableStage(namedNext)) return namedNext;
    if (StageSelectTable::IsPlayableStage(mapId) && StageSelectTable::IsPlayableStage(mapId + 1)) return mapId + 1;
    return 0;
}

void CGameInputStageClear::PlaceButtons() {
    const int32_t view = CGameMain::GetInstance()->GetViewWidth();
    const int32_t left = CGameInputMain::GetInstance()->m_touchPad.x;
    m_menuButton.x = CentredInStage(kButtonWidth);
    m_restartButton.x = m_menuButton.x - kButtonWidth - kButtonGap;
    m_nextButton.x = m_menuButton.x + kButtonWidth + kButtonGap;
    m_shareButton.x = view - kShareSize - kShareMargin + left;
}

void CGameInputStageClear::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    CGameMain* game = CGameMain::GetInstance();
    if (game->m_screenWidth == 480 || game->m_screenWidth == 568) {
        for (CWidget* w : {&m_titleText, &m_goldText, &m_scoreText, &m_timeBonusText, &m_totalText, &m_hiScoreText}) {
            w->x = CentredInStage(w->width);
        }
        PlaceButtons();
    }
    m_backdrop.FadeTo(0, kBackdropAlpha, 10);
    m_backdrop.SetVisible(true);
    m_titleText.SetVisible(true);
    for (CWidget* w : {&m_goldText, &m_scoreText, &m_timeBonusText, &m_totalText, &m_hiScoreText, &m_restartButton,
                       &m_menuButton, &m_nextButton, &m_shareButton}) {
        w->SetVisible(false);
    }

    CCharacter* player = game->m_player;
    const int32_t gold = player ? player->GetGold() : 0;
    m_goldEarned = static_cast<int32_t>(static_cast<int64_t>(gold) * kStageGoldMultiplier);
    m_score = player ? player->GetScore() : 0;
    m_timeBonus = TimeBonus(player ? player->GetPlayTime() : 0);
    m_totalScore = TotalScore(m_score, m_timeBonus);
    m_nextStage = NextStageAfter(game->m_mapId, kStageNamedNext);
    CSoundManager::GetInstance()->PlaySE(kClearSound, 1);
}

void CGameInputStageClear::OnCovered() {
    if (state_ != ScreenState::Idle && state_ != ScreenState::Uncovered) m_coveredState = state_;
    state_ = ScreenState::Idle;
}

void CGameInputStageClear::UpdateWidgets() {
    for (CWidget* w : {&m_backdrop, &m_titleText, &m_goldText, &m_scoreText, &m_timeBonusText, &m_totalText,
                       &m_hiScoreText, &m_restartButton, &m_menuButton, &m_nextButton, &m_shareButton}) {
        w->Update();
    }
}

void CGameInputStageClear::Update() {
    UpdateChild();
    CLifebarController::GetInstance()->Update();
    switch (state_) {
        case ScreenState::Opening:
            if (parent_ && parent_->GetState() != ScreenState::Idle) return;
            UpdateWidgets();
            if (m_backdrop.IsFading()) return;
            m_frameCounter = 0;
            state_ = kCountGold;
            return;
        case kCountGold:
        case kCountScore:
        case kCountTimeBonus:
        case kCountTotal: CountUp(); return;
        case ScreenState::Active:
            UpdateWidgets();
            UpdateButtons();
            return;
        case ScreenState::Closing:
        case kRestarting:
        case kGoingOn:
            UpdateWidgets();
            if (!m_backdrop.IsFading()) Leave();
            return;
        case ScreenState::Uncovered:
            if (child_ && child_->GetState() != ScreenState::Closed) return;
            child_ = nullptr;
            state_ = m_coveredState;
            return;
        default: return;
    }
}

CWidget* CGameInputStageClear::LineOf(int32_t state) {
    switch (state) {
        case kCountGold: return &m_goldText;
        case kCountScore: return &m_scoreText;
        case kCountTimeBonus: return &m_timeBonusText;
        default: return &m_totalText;
    }
}

void CGameInputStageClear::SetLine(int32_t state, int64_t shown) {
    char text[96];
    switch (state) {
        case kCountGold: {
            CCharacter* player = CGameMain::GetInstance()->m_player;
            std::snprintf(text, sizeof text, "GOLD\n%dx%d=%" PRId64, player ? static_cast<int>(player->GetGold()) : 0,
                          static_cast<int>(kStageGoldMultiplier), shown);
            break;
        }
        case kCountScore: std::snprintf(text, sizeof text, "SCORE\n%" PRId64, shown); break;
        case kCountTimeBonus:
            std::snprintf(text, sizeof text, "TIME BONUS\n150/TIME=%" PRId64 ".%02" PRId64, shown / 100, shown % 100);
            break;
        default: std::snprintf(text, sizeof text, "TOTAL SCORE\nSCORExTIME BONUS=%" PRId64, shown); break;
    }
    LineOf(state)->SetText(text);
}

void CGameInputStageClear::CountUp() {
    if (m_backdrop.IsTouchBegan()) {
        ShowResults();
        return;
    }
    ++m_frameCounter;
    int64_t value = m_totalScore;
    switch (state_) {
        case kCountGold: value = m_goldEarned; break;
        case kCountScore: value = m_score; break;
        case kCountTimeBonus: value = m_timeBonus; break;
        default: break;
    }
    SetLine(state_, value * m_frameCounter / kCountFrames);
    LineOf(state_)->SetVisible(true);
    if (m_frameCounter < kCountFrames) return;
    if (state_ == kCountTotal) {
        ShowResults();
        return;
    }
    m_frameCounter = 0;
    ++state_;
}

void CGameInputStageClear::ShowResults() {
    state_ = ScreenState::Active;
    for (CWidget* w : {&m_titleText, &m_goldText, &m_scoreText, &m_timeBonusText, &m_totalText}) w->SetVisible(true);
    PlaceButtons();
    for (CWidget* w : {&m_restartButton, &m_menuButton, &m_shareButton}) w->SetVisible(true);
    m_nextButton.SetVisible(m_nextStage != 0);
    SetLine(kCountGold, m_goldEarned);
    SetLine(kCountScore, m_score);
    SetLine(kCountTimeBonus, m_timeBonus);
    SetLine(kCountTotal, m_totalScore);

    CGameMain* game = CGameMain::GetInstance();
    if (game->m_mapId >= 0 && game->m_mapId < CGameMain::kClearFlagCount) {
        game->m_clearFlags[game->m_mapId] |= ClearBit(game->m_gameMode);
    }
    game->SaveGlobalData();
    const int64_t sum = static_cast<int64_t>(game->m_gold) + m_goldEarned;
    if (sum > kMaxGold) {
        game->m_gold = kMaxGold;
    } else if (sum > game->m_gold) {
        game->m_gold = static_cast<int32_t>(sum);
    }
    game->SaveGlobalData();
    ConsumeTouch();
}

void CGameInputStageClear::HideAllButBackdrop() {
    for (CWidget* w : {&m_titleText, &m_goldText, &m_scoreText, &m_timeBonusText, &m_totalText, &m_hiScoreText,
                       &m_restartButton, &m_menuButton, &m_nextButton, &m_shareButton}) {
        w->SetVisible(false);
    }
}

void CGameInputStageClear::UpdateButtons() {
    int32_t leaving = 0;
    if (m_restartButton.IsTouchBegan()) {
        leaving = kRestarting;
    } else if (m_menuButton.IsTouchBegan()) {
        leaving = ScreenState::Closing;
    } else if (m_nextButton.IsTouchBegan()) {
        leaving = kGoingOn;
    } else if (m_shareButton.IsTouchBegan()) {
        TakePress();
        CGameMain* game = CGameMain::GetInstance();
        char text[1024];
        BuildShareText(text, sizeof text, game->m_mapId, game->m_selectedCharacter, m_totalScore);
        CNetwork::GetInstance()->Tweet(text);
        return;
    } else {
        return;
    }
    TakePress();
    if (leaving == kRestarting) {
        CEffect* effect = CEffect::GetInstance();
        effect->m_fade = 0;
        effect->m_fadeTarget = 255;
        effect->m_fadeStep = 10;
    }
    m_backdrop.FadeTo(kBackdropAlpha, 255, kLeaveFrames);
    HideAllButBackdrop();
    state_ = leaving;
}

void CGameInputStageClear::Leave() {
    CGameMain* game = CGameMain::GetInstance();
    switch (state_) {
        case kRestarting: game->RestartStage(); return;
        case kGoingOn: game->StartStage(m_nextStage); return;
        default: {
            // The stage-select cursor on the stage just played, or on the
            // first cell for a stage the grid does not hold.
            const StageSelectTable::Cell cell = StageSelectTable::CellFor(game->m_mapId);
            LeavePlayFor(ScreenId::TitleStageSelect);
            CGameInputTitleStageSelect::GetInstance()->SelectCell(cell.row, cell.column);
            return;
        }
    }
}

void CGameInputStageClear::BuildShareText(char* out, int size, int32_t mapId, int32_t character,
                                          int64_t totalScore) {
    if (size <= 0) return;
    out[0] = '\0';
    int used = 0;
    AppendBoundedText(out, size, used, GetText(kShareTitleText));
    if (character >= 1 && character <= 4) {
        AppendBoundedText(out, size, used, GetText(kShareCharacterText + character));
    }
    char line[256];
    const int32_t format = CItem::GetInstance()->HasNoEquipment() ? kShareStageNoItemText : kShareStageText;
    // The text holds an int: a total past its range is shared as its
    // largest value rather than cut to its low bits.
    const int shared = static_cast<int>(std::clamp<int64_t>(totalScore, INT_MIN, INT_MAX));
    std::snprintf(line, sizeof line, GetText(format), StageSelectTable::GetStageRow(mapId) + 1,
                  StageSelectTable::GetStageColumn(mapId) + 1, shared);
    AppendBoundedText(out, size, used, line);
    AppendBoundedText(out, size, used, GetText(kShareLinkText));
    AppendBoundedText(out, size, used, GetText(kShareTagText));
}

void CGameInputStageClear::Draw() {
    DrawParams::shakeEnabled = 0;
    for (CWidget* w : {&m_backdrop, &m_titleText, &m_restartButton, &m_menuButton, &m_nextButton, &m_shareButton}) {
        w->Draw();
    }
    static const int32_t kHiScoreColours[4][3] = {{255, 128, 128}, {128, 128, 255}, {255, 255, 0}, {0, 255, 255}};
    const int32_t* colour = kHiScoreColours[(CGameMain::GetInstance()->m_frameCount % 12) / 3];
    m_hiScoreText.SetColor(colour[0], colour[1], colour[2]);
    for (CWidget* w : {&m_goldText, &m_titleText, &m_scoreText, &m_timeBonusText, &m_totalText, &m_hiScoreText,
                       &m_restartButton, &m_menuButton, &m_nextButton}) {
        w->DrawOwnText();
    }
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
