#pragma once
// The pause screen: a dimmed overlay over the frozen play with "RESUME",
// "RESTART" and "RETURN TO TITLE"; the two that leave the stage ask first.
// It is opened over the HUD after play has been paused, and only "RESUME"
// (or a second press on the HUD's pause button) lets play run again.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputPause : public CGameInput {
public:
    // Own states.
    static constexpr int32_t kRestartChosen = 7;
    static constexpr int32_t kQuitChosen = 8;
    static constexpr int32_t kRestartQuestion = 9;
    static constexpr int32_t kQuitQuestion = 10;
    static constexpr int32_t kQuitText = 260;
    static constexpr int32_t kRestartText = 261;

    static CGameInputPause* GetInstance();
    ~CGameInputPause() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override;
    void OnCovered() override;
    void OnUncovered() override;
    void UpdateWidgets() override;

    CWidget m_title;
    CWidget m_backdrop;
    CWidget m_restartButton;
    CWidget m_titleButton;
    CWidget m_resumeButton;
    CWidget m_question;
    CWidget m_yesButton;
    CWidget m_noButton;

private:
    CGameInputPause();
    void UpdateMenu();
    void UpdateQuestion();
    void Leave();
    // The three choices and the title, or the question with "YES" and "NO".
    void ShowMenu(bool menu);
    void HideAll();
};
