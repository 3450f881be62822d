// The whole road from start-up to a stage, played with the mouse through the
// real frame step: boot, the title's fade-in, the options (music volume up
// twice, saved by "BACK"), "START", two taps on Luka and the stage start;
// then the same through the stage list once the game has been cleared.
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/SaveData.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "ui/GameInputOption.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputTitleTop.h"
#include "ui/GameLoopTest.h"
#include "win/SoundManager.h"

namespace {

class TitleFlow : public testing_support::GameLoopTest {
protected:
    // Frames until the title takes presses again.
    int WaitForTitle() {
        return FramesUntil([this] { return title->GetState() == ScreenState::Active; }, 200);
    }
    int32_t SavedMusicVolume() {
        const std::vector<uint8_t> block = saves.Read("save");
        if (block.size() != 65536) return -1;
        const std::size_t o = SystemRecord::kMusicVolume;
        return block[o] | block[o + 1] << 8 | block[o + 2] << 16 | block[o + 3] << 24;
    }

    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
};

TEST_F(TitleFlow, FromBootThroughTheOptionsIntoTheFirstStageAndThroughTheStageList) {
    ASSERT_EQ(states->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(WaitForTitle(), 33);
    Shot("title-main");

    // Options: music up twice, then "BACK" writes "save".
    Tap(240, 255);
    CGameInputOption* options = CGameInputOption::GetInstance();
    ASSERT_EQ(options->GetState(), ScreenState::Active);
    Tap(340, 70);
    Tap(340, 70);
    EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 100);
    EXPECT_STREQ(options->m_musicVolumeValue.GetText(), "100");
    Shot("options");
    EXPECT_FALSE(saves.Exists("save"));
    Tap(240, 290);
    EXPECT_EQ(SavedMusicVolume(), 100);
    EXPECT_EQ(options->GetState(), ScreenState::Closed);
    EXPECT_EQ(WaitForTitle(), 0);

    // The credits, which the title keeps hidden, pushed as its button would.
    title->OnCovered();
    CGameInputController::GetInstance()->PushInput(ScreenId::TitleCredits);
    Frame();
    Shot("credits");
    Tap(240, 300);
    EXPECT_EQ(WaitForTitle(), 0);

    // "START", then Luka twice.
    Tap(240, 155);
    ASSERT_EQ(title->GetState(), 10);
    Tap(160, 220);
    EXPECT_TRUE(title->m_lukaButton.GetHighlight());
    Shot("title-characters");
    Tap(160, 220);
    EXPECT_EQ(title->GetState(), 7);
    EXPECT_EQ(game->m_selectedCharacter, 5);
    int frames = 0;
    while (states->GetCurrent() != CGameStateMainNormal::GetInstance() && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(frames, 15) << "16 frames to black, counting the tap's release frame";
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance());
    Frame(5);

    // The whole game cleared: back at the title the stage list is open.
    game->m_clearFlags[0] = 1;
    ASSERT_TRUE(game->SaveGlobalData());
    game->m_clearFlags[0] = 0;
    game->GoToTitle();
    ASSERT_EQ(states->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(WaitForTitle(), 33);
    EXPECT_EQ(game->m_clearFlags[0], 1) << "reloaded from \"save\"";
    EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 100);
    Tap(240, 205);
    ASSERT_EQ(title->GetState(), 11);
    Shot("title-stages");
    Tap(240, 195);  // "1-3"
    ASSERT_EQ(title->GetState(), 10);
    Tap(160, 220);
    Tap(160, 220);
    Frame(20);
    EXPECT_EQ(states->GetCurrent(), CGameStateMainNormal::GetInstance());
    EXPECT_EQ(game->m_mapId, 268);
    EXPECT_EQ(game->m_selectedCharacter, 5);
}

}  // namespace
