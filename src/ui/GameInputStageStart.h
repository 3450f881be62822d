#pragma once
// The stage-start countdown over the running play view: "3", "2", "1" and
// "GO!", each zooming in, flashing and squashing out; when "GO!" has gone
// the player character gets control and its play clock starts. It takes no
// input. Nothing in the game opens it yet: a stage that wants the countdown
// leaves its player uncontrolled and pushes it over the HUD.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputStageStart : public CGameInput {
public:
    // Own states 7 to 15: the steps of the countdown.
    static constexpr int32_t kFirstStep = 7;
    static constexpr int32_t kLastStep = 15;

    static CGameInputStageStart* GetInstance();
    ~CGameInputStageStart() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    // Leaves the countdown and fades the view to black by 5 a frame.
    void Close() override;
    void OnUncovered() override { child_ = nullptr; }
    void UpdateWidgets() override;

    CWidget m_countThree;
    CWidget m_countTwo;
    CWidget m_countOne;
    CWidget m_countGo;

private:
    CGameInputStageStart();
    void Step();
    void Finish();
};
