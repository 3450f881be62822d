#pragma once
// The ending screen: black curtains part over the last scene, the staff
// roll's cards scroll up between two black bars one after the other (six
// times as fast while a touch is held), "THE END" stands until a tap, then
// the result page shows the save slot's clear time and completion with a
// share button and a back button, which fades to black and returns to the
// title. The ending scenes open it and start the roll with LayoutStep.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputEnding : public CGameInput {
public:
    // Own states: 7 to 14 the roll's cards, 15 "THE END", 16 the result.
    static constexpr int32_t kFirstCard = 7;
    static constexpr int32_t kLastCard = 14;
    static constexpr int32_t kTheEnd = 15;
    static constexpr int32_t kResult = 16;
    static constexpr int32_t kCardFrames = 280;
    static constexpr int32_t kBandFrames = 40;
    static constexpr int32_t kCloseFrames = 80;
    static constexpr int kTextBufferSize = 256;

    static CGameInputEnding* GetInstance();
    ~CGameInputEnding() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { state_ = ScreenState::Closing; }
    void UpdateWidgets() override;

    // The next card of the staff roll, by the current state.
    virtual void LayoutStep();

    // The result page and the share text for a play time in frames (40 a
    // second) and a completion percent, cut to `size` bytes.
    static void BuildResultText(char* out, int size, int32_t playFrames, int32_t completion);
    static void BuildShareText(char* out, int size, int32_t playFrames, int32_t completion);

    CWidget m_topBand;
    CWidget m_bottomBand;
    CWidget m_sideBand;
    CWidget m_backdrop;
    CWidget m_theEndText;
    CWidget m_creditLine;
    CWidget m_resultText;
    CWidget m_shareButton;
    CWidget m_backButton;
    int32_t m_playFrames = 0;
    int32_t m_completion = 0;

private:
    CGameInputEnding();
    void ShowResult();
    void LeaveToTitle();
};
