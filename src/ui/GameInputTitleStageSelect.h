#pragma once
// The stage-select screen: a grid of six rows of four stages, a row shown at
// a time with the preview picture of the cell under the cursor, where the
// selected cell shows the player character running. A press on a cell
// selects it, a second press starts its stage. From here the title shop,
// the status and the score screens are pushed, and "back" leads to the
// title. Only the cells that name a stage of this game answer; the others
// stand greyed.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

class CGameInputTitleStageSelect : public CGameInput {
public:
    // Own states: fading out before a stage starts, and before the shop,
    // the status and the score screen are pushed.
    static constexpr int32_t kStarting = 8;
    static constexpr int32_t kToShop = 9;
    static constexpr int32_t kToStatus = 10;
    static constexpr int32_t kToScore = 11;
    static constexpr int32_t kMusic = 7;

    static CGameInputTitleStageSelect* GetInstance();
    ~CGameInputTitleStageSelect() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    // Fades to black with the music stopped; the title follows.
    void Close() override;
    void OnUncovered() override;
    void UpdateWidgets() override;

    // Starts the stage under the cursor (a cell without one does nothing).
    virtual void StartSelectedStage();
    // 1 enables the leaderboard button, any other value greys it.
    virtual void SetLeaderboardEnabled(uint8_t enabled);
    // The grid's stage id of a cell; 0 outside the grid.
    virtual int32_t GetStageId(int32_t row, int32_t column);
    // Moves the cursor; a cell outside the grid puts it on the first one.
    virtual void SelectCell(int32_t row, int32_t column);

    // Where a stage id stands in the grid; -1 for an id it does not hold.
    static int32_t GetStageRow(int32_t mapId);
    static int32_t GetStageColumn(int32_t mapId);

    CWidget m_titleBar;
    CWidget m_nextRowButton;
    CWidget m_prevRowButton;
    CWidget m_preview;
    CWidget m_stageButtons[4];
    CWidget m_connectors[4];
    CWidget m_plates[4];
    CWidgetWindow m_window;
    CWidget m_scoreButton;
    CWidget m_shopButton;
    CWidget m_statusButton;
    CWidget m_leaderboardButton;
    CWidget m_backButton;
    int32_t m_column = 0;
    int32_t m_row = 0;

private:
    CGameInputTitleStageSelect();
    void UpdateButtons();
    void PressCell(int32_t column);
    // Fades out, then pushes the screen that `state` names.
    void FadeOutTo(int32_t state);
    void PushAfterFade(int32_t screenId);
    // The widgets that SelectCell does not show.
    void ShowFixedWidgets();

    // The 22 widgets in drawing order.
    CWidget* const m_widgets[22] = {
        &m_titleBar,      &m_nextRowButton,   &m_prevRowButton,   &m_preview,         &m_connectors[0],
        &m_connectors[1], &m_connectors[2],   &m_connectors[3],   &m_plates[0],       &m_plates[1],
        &m_plates[2],     &m_plates[3],       &m_stageButtons[0], &m_stageButtons[1], &m_stageButtons[2],
        &m_stageButtons[3], &m_window,        &m_scoreButton,     &m_shopButton,      &m_statusButton,
        &m_leaderboardButton, &m_backButton};
};
