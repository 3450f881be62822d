#pragma once
// The message window over play: a framed box that grows out of a point,
// types its text out and shrinks away. Two uses: a message the reader taps
// through page by page (the text of a pick-up, set with SetText right after
// the push), and a place-name caption that shows itself at once, stays for a
// while and closes by itself (ShowText right after the push). The HUD under
// it stands idle, still drawn, and takes over again when the box is gone.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/WidgetWindow.h"

class CGameInputMessageWindow : public CGameInput {
public:
    static constexpr int kTextSize = 4096;
    // Own states: the caption's box growing, and the caption showing.
    static constexpr int32_t kCaptionOpening = 7;
    static constexpr int32_t kCaptionShowing = 8;

    static CGameInputMessageWindow* GetInstance();
    ~CGameInputMessageWindow() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override;
    // A screen opened over the window freezes it where it is; when that
    // screen has closed, the window goes on from the same state.
    void OnCovered() override;
    void OnUncovered() override;
    void UpdateWidgets() override { m_window.Update(); }

    // The place-name caption: a box of 200 x 30, the text centred.
    virtual void ShowText(const char* text);
    // The message to tap through; at most kTextSize - 1 bytes are kept.
    virtual void SetText(const char* text);

    CWidgetWindow m_window;
    char m_text[kTextSize] = {};

private:
    CGameInputMessageWindow();
    // The box's centre: across the middle of the HUD's touch pad, 90 pixels
    // below its top.
    void PlaceWindow();

    int32_t m_coveredState = ScreenState::Closed;
};
