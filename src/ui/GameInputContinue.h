#pragma once
// The game-over screen, opened over the HUD when the player's defeat ends:
// the view darkens, "GAME OVER!" shows with CONTINUE (the stage again, one
// try spent) and RETURN TO TITLE. Opening it drops the current slot's
// resume point and writes the resume files.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputContinue : public CGameInput {
public:
    // Own states: the fade to black after a choice.
    static constexpr int32_t kContinuing = 7;
    static constexpr int32_t kReturning = 8;

    static CGameInputContinue* GetInstance();
    ~CGameInputContinue() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void OnCovered() override;
    void OnUncovered() override;
    void UpdateWidgets() override;

    CWidget m_backdrop;
    CWidget m_gameOverText;
    CWidget m_continueButton;
    CWidget m_returnButton;

private:
    CGameInputContinue();
    void ShowTexts(bool visible);
    void Choose(int32_t state);
};
