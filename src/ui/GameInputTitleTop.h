#pragma once
// The title screen: the main page ("START", "STAGE SELECT", "CONFIG", the
// logo and the maker line), the stage list ("1-1" to "1-5") and the
// character page (Luka and Ironclaw: a first press highlights one, a second
// press on the highlighted one starts the stage with that character).
// "CREDITS" and "MORE GAMES" exist but every layout keeps them hidden.
#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputTitleTop : public CGameInput {
public:
    // The title's own states.
    static constexpr int32_t kStarting = 7;
    static constexpr int32_t kCharacterPage = 10;
    static constexpr int32_t kStageList = 11;
    static constexpr int kStageButtonCount = 5;
    static constexpr int32_t kFirstStage = 266;
    // Player type ids of the two characters of the character page.
    static constexpr int32_t kLukaTypeId = 5;
    static constexpr int32_t kIronclawTypeId = 6;

    static CGameInputTitleTop* GetInstance();
    ~CGameInputTitleTop() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void OnCovered() override;
    void OnUncovered() override;
    void UpdateWidgets() override;

    CWidget m_startButton;
    CWidget m_stageSelectButton;
    CWidget m_configButton;
    CWidget m_creditsButton;
    CWidget m_moreGamesButton;
    CWidget m_lukaButton;
    CWidget m_ironclawButton;
    CWidget m_backButton;
    CWidget m_logo;
    CWidget m_makerLine;
    CWidget m_stageButtons[kStageButtonCount];

private:
    CGameInputTitleTop();
    void Layout();
    void UpdateMainPage();
    void UpdateStageList();
    void UpdateCharacterPage();
    // Shows the main page's widgets (not "CREDITS" and "MORE GAMES").
    void ShowMainPage(bool visible);
    // Hides the main-page buttons and shows the character page for a stage.
    void OpenCharacterPage(int32_t mapId);
};
