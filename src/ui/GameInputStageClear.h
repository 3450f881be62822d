#pragma once
// The result screen of a cleared stage, opened over the HUD at the end of
// the player's stage exit: the view darkens, four result lines count up one
// after the other (gold, score, time bonus, total score), the earned gold
// and the clear mark are saved, and RESTART, MENU, NEXT and a share icon
// are offered. A tap during the count shows the results at once.
//
// The tally: gold = gold picked up x the stage's gold multiplier; time
// bonus (hundredths) = 10000 / T with T = play time / 60, 10000 for T <= 0
// and 0 for T >= 1000; total = score x bonus / 100, kept in 64 bits.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputStageClear : public CGameInput {
public:
    // Own states: the four count-ups, then the three ways out after their
    // fade (MENU leaves through the closing state 3).
    static constexpr int32_t kCountGold = 7;
    static constexpr int32_t kCountScore = 8;
    static constexpr int32_t kCountTimeBonus = 9;
    static constexpr int32_t kCountTotal = 10;
    static constexpr int32_t kRestarting = 11;
    static constexpr int32_t kGoingOn = 12;
    static constexpr int32_t kCountFrames = 40;
    static constexpr int32_t kClearSound = 43;

    static CGameInputStageClear* GetInstance();
    ~CGameInputStageClear() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { state_ = ScreenState::Closing; }
    // A screen opened over the results freezes them; they go on from the
    // same state when it has closed.
    void OnCovered() override;
    void OnUncovered() override { state_ = ScreenState::Uncovered; }
    void UpdateWidgets() override;

    // Ends the count-up: the final lines, the buttons, the clear mark and
    // the gold saved; the press that asked for it is taken.
    virtual void ShowResults();

    static int32_t TimeBonus(int32_t playTime);
    static int64_t TotalScore(int32_t score, int32_t timeBonus);
    // The stage NEXT starts: the one the stage names when it can be built,
    // else the stage after it in order, else 0 (NEXT stays hidden, as after
    // the last stage).
    static int32_t NextStageAfter(int32_t mapId, int32_t namedNext);
    // The text the share icon sends.
    static void BuildShareText(char* out, int size, int32_t mapId, int32_t character, int64_t totalScore);

    int32_t m_frameCounter = 0;
    int32_t m_goldEarned = 0;
    int32_t m_score = 0;
    int32_t m_timeBonus = 0;
    int64_t m_totalScore = 0;
    CWidget m_backdrop;
    CWidget m_titleText;
    CWidget m_goldText;
    CWidget m_scoreText;
    CWidget m_timeBonusText;
    CWidget m_totalText;
    CWidget m_hiScoreText;
    CWidget m_restartButton;
    CWidget m_menuButton;
    CWidget m_nextButton;
    CWidget m_shareButton;

private:
    CGameInputStageClear();
    void CountUp();
    void UpdateButtons();
    void Leave();
    void PlaceButtons();
    // The line of a count-up state showing `shown` of its value.
    void SetLine(int32_t state, int64_t shown);
    CWidget* LineOf(int32_t state);
    void HideAllButBackdrop();

    int32_t m_nextStage = 0;
    int32_t m_coveredState = ScreenState::Closed;
};
