#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateMain.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

using testing_support::ScreenTest;

// Centres of the title's buttons at 480 x 320.
constexpr int kStartY = 155, kStageSelectY = 205, kConfigY = 255, kBackY = 295;
constexpr int kLukaX = 160, kIronclawX = 320, kCharacterY = 220;
int StageButtonY(int i) { return 135 + 30 * i; }

class TitleScreen : public ScreenTest {
protected:
    void OpenTitle() {
        CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
        SettleFade();
        Frame();
    }
    CGameMain* game = CGameMain::GetInstance();
    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
};

TEST_F(TitleScreen, OpensFromBlackWithTheMainPage) {
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
    EXPECT_EQ(CEffect::GetInstance()->m_fade, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -8);
    int frames = 0;
    while (title->GetState() != ScreenState::Active && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(frames, 33) << "32 frames of fade, then the title takes the finished fade";
    for (CWidget* w : {&title->m_startButton, &title->m_stageSelectButton, &title->m_configButton, &title->m_logo,
                       &title->m_makerLine}) {
        EXPECT_TRUE(w->IsVisible());
    }
    for (CWidget* w : {&title->m_creditsButton, &title->m_moreGamesButton, &title->m_lukaButton,
                       &title->m_ironclawButton, &title->m_backButton, &title->m_stageButtons[0]}) {
        EXPECT_FALSE(w->IsVisible());
    }
    EXPECT_FALSE(title->m_creditsButton.IsEnabled());
    EXPECT_FALSE(title->m_moreGamesButton.IsEnabled());
    EXPECT_EQ(title->m_startButton.x, 160);
    EXPECT_EQ(title->m_makerLine.y, 300);
    // The title leaves the sprite parameters at their defaults for what follows.
    DrawParams::scaleX = 3.0f;
    DrawParams::angle = 1.0f;
    title->Draw();
    EXPECT_FLOAT_EQ(DrawParams::scaleX, 1.0f);
    EXPECT_FLOAT_EQ(DrawParams::angle, 0.0f);

    // Without a clear mark "STAGE SELECT" is grey and does nothing.
    EXPECT_FALSE(title->m_stageSelectButton.IsEnabled());
    EXPECT_EQ(title->m_stageSelectButton.red, 128);
    Click(240, kStageSelectY);
    EXPECT_EQ(title->GetState(), ScreenState::Active);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(TitleScreen, WideScreensLiftTheMakerLine) {
    game->m_screenWidth = 512;
    OpenTitle();
    EXPECT_EQ(title->m_makerLine.y, 268);
    EXPECT_EQ(title->m_startButton.x, 176);
    EXPECT_EQ(title->m_logo.x, 16);
    game->m_screenWidth = 480;
}

TEST_F(TitleScreen, StartThenTwoPressesOnACharacterStartTheStage) {
    OpenTitle();
    Click(240, kStartY);
    EXPECT_EQ(title->GetState(), 10);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_FALSE(title->m_startButton.IsVisible());
    EXPECT_TRUE(title->m_lukaButton.IsVisible());
    EXPECT_TRUE(title->m_logo.IsVisible());
    struct Place {
        const CWidget* widget;
        int32_t x, y, slot;
    };
    for (const Place& c : {Place{&title->m_lukaButton, 120, 180, 25}, Place{&title->m_ironclawButton, 280, 180, 27},
                           Place{&title->m_backButton, 160, 280, 0}}) {
        EXPECT_EQ(c.widget->x, c.x) << c.slot;
        EXPECT_EQ(c.widget->y, c.y) << c.slot;
        EXPECT_EQ(c.widget->GetSpriteTable(WidgetTable::Normal)[0].slot, c.slot);
    }

    // The first press only highlights; a press on the other moves it.
    Click(kLukaX, kCharacterY);
    EXPECT_TRUE(title->m_lukaButton.GetHighlight());
    Click(kIronclawX, kCharacterY);
    EXPECT_TRUE(title->m_ironclawButton.GetHighlight());
    EXPECT_FALSE(title->m_lukaButton.GetHighlight());
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35, 35}));
    // Highlighted, the character steps between its first two frames.
    EXPECT_EQ(title->m_ironclawButton.CurrentTable(), WidgetTable::Highlighted);
    std::vector<int32_t> keys;
    for (int i = 0; i < 20; ++i) {
        Frame();
        keys.push_back(title->m_ironclawButton.spriteIndex);
    }
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 10);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 1), 10);

    Click(kIronclawX, kCharacterY);
    EXPECT_EQ(sounds.back(), 31);
    EXPECT_EQ(game->m_selectedCharacter, 6);
    EXPECT_EQ(title->GetState(), 7);
    CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(effect->m_fadeTarget, 255);
    EXPECT_EQ(effect->m_fadeStep, 16);

    // While the screen goes black nothing reacts or moves.
    const int32_t timer = title->m_ironclawButton.spriteTimer;
    const size_t heard = sounds.size();
    Click(240, kBackY);
    Click(kLukaX, kCharacterY);
    EXPECT_EQ(sounds.size(), heard);
    EXPECT_EQ(title->m_ironclawButton.spriteTimer, timer);
    EXPECT_EQ(title->GetState(), 7);

    SettleFade();
    Frame();
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance());
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateMainNormal::GetInstance());
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(game->m_triesLeft, 3);
}

TEST_F(TitleScreen, TheStageListOnceTheGameIsCleared) {
    game->m_clearFlags[0] = 1;
    OpenTitle();
    EXPECT_TRUE(title->m_stageSelectButton.IsEnabled());
    EXPECT_EQ(title->m_stageSelectButton.red, 255);
    Click(240, kStageSelectY);
    EXPECT_EQ(title->GetState(), 11);
    EXPECT_TRUE(title->m_logo.IsVisible());
    EXPECT_TRUE(title->m_stageButtons[4].IsVisible());
    EXPECT_FALSE(title->m_configButton.IsVisible());
    const char* const labels[] = {"1-1", "1-2", "1-3", "1-4", "1-5"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(title->m_stageButtons[i].GetText(), labels[i]);
        EXPECT_EQ(title->m_stageButtons[i].y, 120 + 30 * i);
    }

    // "BACK" from the list, then the list again and "1-5".
    Click(240, kBackY);
    EXPECT_EQ(title->GetState(), ScreenState::Active);
    EXPECT_FALSE(title->m_stageButtons[0].IsVisible());
    Click(240, kStageSelectY);
    Click(240, StageButtonY(4));
    EXPECT_EQ(title->GetState(), 10);
    EXPECT_EQ(game->m_mapId, 270);
    EXPECT_FALSE(title->m_stageButtons[4].IsVisible());

    // "BACK" on the character page goes to the main page, not the list.
    Click(kLukaX, kCharacterY);
    Click(240, kBackY);
    EXPECT_EQ(title->GetState(), ScreenState::Active);
    EXPECT_TRUE(title->m_startButton.IsVisible());
    EXPECT_FALSE(title->m_stageButtons[4].IsVisible());
    EXPECT_FALSE(title->m_lukaButton.IsVisible());
    EXPECT_FALSE(title->m_lukaButton.GetHighlight());
    EXPECT_EQ(game->m_mapId, 270) << "the stage chosen stays";
    EXPECT_FALSE(title->m_creditsButton.IsVisible());
}

TEST_F(TitleScreen, ConfigCoversTheTitleAndItWakesWhenTheFadeIsDone) {
    OpenTitle();
    Click(240, kConfigY);
    CGameInput* options = CGameInput::GetInput(ScreenId::Option);
    EXPECT_EQ(title->GetChild(), options);
    EXPECT_EQ(title->GetState(), ScreenState::Idle);
    EXPECT_FALSE(title->m_logo.IsVisible());
    EXPECT_EQ(options->GetState(), ScreenState::Active);

    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 64;
    effect->m_fadeStep = -16;
    Click(240, 290);  // the options' "BACK"
    EXPECT_EQ(options->GetState(), ScreenState::Closed);
    EXPECT_EQ(title->GetState(), ScreenState::Uncovered);
    EXPECT_TRUE(title->m_startButton.IsVisible()) << "back at once";
    Click(240, kStartY);
    EXPECT_NE(title->GetState(), 10) << "no reaction while fading";
    SettleFade();
    Frame();
    EXPECT_EQ(title->GetState(), ScreenState::Active);
    Click(240, kStartY);
    EXPECT_EQ(title->GetState(), 10);
}

}  // namespace
