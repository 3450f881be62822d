// The pause screen over frozen play: resume, and the two questions that
// leave the stage (restart from the retry stage, quit to the title).
#include "framework/SaveData.h"
#include "framework/StateTitle.h"
#include "framework/TextTable.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"

namespace {

class PauseScreen : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        PressPauseKey();
        Frame();
        ASSERT_EQ(pause->GetState(), ScreenState::Active);
    }
    // The buttons, where they stand on a 480-wide view.
    void Resume() { Click(240, 145); }
    void Restart() { Click(240, 185); }
    void Quit() { Click(240, 225); }
    void Yes() { Click(120, 195); }
    void No() { Click(360, 195); }

    CGameInputPause* pause = CGameInputPause::GetInstance();
};

TEST_F(PauseScreen, ItsChoicesStandCentredOverADimmedView) {
    EXPECT_TRUE(Paused());
    for (CWidget* w : {&pause->m_title, &pause->m_resumeButton, &pause->m_restartButton, &pause->m_titleButton}) {
        EXPECT_TRUE(w->IsVisible());
        EXPECT_EQ(w->x, 80);
    }
    EXPECT_EQ(pause->m_yesButton.x, 40);
    EXPECT_EQ(pause->m_noButton.x, 280);
    EXPECT_FALSE(pause->m_question.IsVisible());
    EXPECT_EQ(pause->m_backdrop.GetAlpha(), 120);
    EXPECT_EQ(pause->m_backdrop.red, 0);
}

TEST_F(PauseScreen, ResumePlaysOnAtOnceAndTheHudTakesOverWhenTheOverlayHasGone) {
    Resume();
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    EXPECT_TRUE(Playing()) << "play runs again in the frame of the press";
    EXPECT_EQ(pause->GetState(), ScreenState::Closing);
    EXPECT_FALSE(pause->m_resumeButton.IsVisible());
    EXPECT_EQ(hud->GetState(), ScreenState::Uncovered);
    Frame(18);
    EXPECT_EQ(hud->GetState(), ScreenState::Uncovered);
    Frame();
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);
    EXPECT_EQ(hud->GetState(), ScreenState::Active);
    EXPECT_EQ(Root()->GetTop(), hud);
}

TEST_F(PauseScreen, TheHudsPauseButtonResumesButNotWhileAQuestionIsAsked) {
    Restart();
    ASSERT_EQ(pause->GetState(), CGameInputPause::kRestartQuestion);
    Click(30, 20);
    EXPECT_EQ(pause->GetState(), CGameInputPause::kRestartQuestion);
    EXPECT_TRUE(Paused());
    No();
    EXPECT_EQ(pause->GetState(), ScreenState::Active);
    Click(30, 20);
    EXPECT_EQ(pause->GetState(), ScreenState::Closing);
    EXPECT_TRUE(Playing());
}

TEST_F(PauseScreen, NoGoesBackToTheChoicesAndTheQuestionTextStays) {
    Restart();
    EXPECT_STREQ(pause->m_question.GetText(), GetText(261));
    EXPECT_TRUE(pause->m_question.IsVisible());
    EXPECT_FALSE(pause->m_title.IsVisible());
    No();
    EXPECT_TRUE(pause->m_title.IsVisible());
    EXPECT_TRUE(pause->m_resumeButton.IsVisible());
    EXPECT_FALSE(pause->m_yesButton.IsVisible());
    EXPECT_STREQ(pause->m_question.GetText(), GetText(261));
    Quit();
    EXPECT_STREQ(pause->m_question.GetText(), "QUIT TO TITLE?");
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35, 35}));
}

TEST_F(PauseScreen, RestartYesFadesToBlackThenRetriesWithOneTryLess) {
    game->m_resumeData[0].SetByte(SaveSlotRecord::kResumeFlag, 1);
    game->m_slotData[0].SetByte(SaveSlotRecord::kResumeFlag, 1);
    ASSERT_EQ(game->m_triesLeft, 3);
    Restart();
    Yes();
    EXPECT_EQ(pause->GetState(), CGameInputPause::kRestartChosen);
    EXPECT_FALSE(pause->m_yesButton.IsVisible());
    EXPECT_TRUE(pause->m_backdrop.IsVisible());
    // No input is taken during the fade.
    Resume();
    Frame(16);
    EXPECT_EQ(pause->GetState(), CGameInputPause::kRestartChosen);
    EXPECT_TRUE(Paused());
    Frame();
    EXPECT_EQ(game->m_triesLeft, 2);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(Root()->GetChild(), hud);
    EXPECT_EQ(hud->GetChild(), nullptr);
    EXPECT_EQ(hud->GetState(), ScreenState::Active);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(game->m_resumeData[0].GetByte(SaveSlotRecord::kResumeFlag), 1) << "the resume point stays";
    // Unlimited tries stay unlimited.
    game->m_triesLeft = 999;
    PressPauseKey();
    Frame();
    Restart();
    Yes();
    Frame(20);
    EXPECT_EQ(game->m_triesLeft, 999);
}

TEST_F(PauseScreen, QuitYesDropsTheResumePointWritesItAndShowsTheTitle) {
    game->m_currentSlot = 3;
    game->m_slotData[3].SetByte(SaveSlotRecord::kResumeFlag, 1);
    game->m_resumeData[3].SetByte(SaveSlotRecord::kResumeFlag, 1);
    game->m_resumeData[3].SetInt(SaveSlotRecord::kMapId, 270);
    Quit();
    EXPECT_EQ(pause->GetState(), CGameInputPause::kQuitQuestion);
    Yes();
    Frame(18);
    EXPECT_FALSE(saves.Exists("resume03")) << "not before the screen is black";
    EXPECT_TRUE(Paused());
    Frame();
    EXPECT_TRUE(saves.Exists("resume03"));
    const std::vector<uint8_t> file = saves.Read("resume03");
    ASSERT_EQ(file.size(), 65536u);
    EXPECT_EQ(file[SaveSlotRecord::kResumeFlag], 0);
    EXPECT_EQ(file[SaveSlotRecord::kMapId], 266 & 0xFF) << "new-game values";
    EXPECT_EQ(game->m_slotData[3].GetByte(SaveSlotRecord::kResumeFlag), 0);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(Root()->GetChild(), CGameInputTitleTop::GetInstance());
    EXPECT_EQ(game->m_mapId, 0);
    EXPECT_EQ(game->m_stageControl.GetStage(), nullptr);
    EXPECT_EQ(game->m_player, nullptr);
}

}  // namespace
