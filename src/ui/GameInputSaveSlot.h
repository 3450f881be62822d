#pragma once
// The save-slot screen: twelve slots, three rows a page on four pages that
// slide sideways. A row shows the slot's number, completion and play time
// and a tally of its life and gauge items; pressing it starts the slot
// (from its resume snapshot when it holds one). A row's erase button asks
// twice before the slot goes back to a new game.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

class CGameInputSaveSlot : public CGameInput {
public:
    static constexpr int32_t kRows = 12;
    static constexpr int32_t kRowsPerPage = 3;
    static constexpr int32_t kPages = 4;
    static constexpr int32_t kTallyIcons = 16;
    static constexpr int32_t kRowWidth = 400;
    // Own states.
    static constexpr int32_t kPageSlide = 7;
    static constexpr int32_t kStarting = 8;
    static constexpr int32_t kFirstQuestion = 9;
    static constexpr int32_t kSecondQuestion = 10;
    static constexpr int32_t kDialogueClosing = 12;
    static constexpr int32_t kMessageOpening = 13;
    static constexpr int32_t kErasedMessage = 14;
    static constexpr int32_t kMusic = 7;

    static CGameInputSaveSlot* GetInstance();
    ~CGameInputSaveSlot() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    // Fades to black with the music stopped; the title follows.
    void Close() override;
    void UpdateWidgets() override;

    // The arrows and every row's text and tallies from the slot records.
    virtual void Refresh();
    // Starts the change from page `from` to page `to`; -1 is the first page
    // after opening, whose rows rise from below.
    virtual void ShowPage(int32_t from, int32_t to);

    int32_t m_fromPage = -1;
    int32_t m_page = 0;
    int32_t m_counter = 0;
    int32_t m_leftX = 0;
    int32_t m_centreX = 0;
    int32_t m_rightX = 0;
    int32_t m_topY = 0;
    int32_t m_bottomY = 0;

    CWidget m_prevButton;
    CWidget m_nextButton;
    CWidgetWindow m_rows[kRows];
    CWidget m_lifeIcons[kRows][kTallyIcons];
    CWidget m_gaugeIcons[kRows][kTallyIcons];
    CWidget m_deleteButtons[kRows];
    CWidgetWindow m_confirmWindow;
    CWidgetWindow m_yesButton;
    CWidgetWindow m_noButton;
    CWidget m_leaderboardButton;
    CWidget m_backButton;

private:
    CGameInputSaveSlot();
    void UpdateButtons();
    void UpdateQuestion(int32_t question, int32_t yesText, int32_t noText);
    void BeginErase(int32_t slot);
    void EraseSlot();
    void StartSlot();
    // The dialogue's window shrinks away, its buttons hidden and its text
    // emptied.
    void ShrinkDialogue(int32_t nextState);
    void GrowDialogue(int32_t nextState);
    void MoveRow(int32_t row, int32_t x0, int32_t x1, int32_t y0, int32_t y1);
    // A text with the slot number filled in.
    void SetSlotText(CWidget& w, int32_t textId);
};
