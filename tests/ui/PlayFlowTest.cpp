// A game played through the real frame step with the mouse and the pause
// key: from the title into a stage, the HUD with its life, a notice, pause
// with its question, resume; a defeat that ends in "GAME OVER!" and
// CONTINUE back into the stage; a cleared stage with its tally and NEXT;
// then pause and back to the title. The player's defeat and stage exit open
// their screens as the player does. With PELLUMBRISK_SHOTS=dir it writes a
// PNG of each screen there.
#include <png.h>

#include <cstdlib>
#include <string>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "framework/TextTable.h"
#include "platform/Clock.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputStageStart.h"
#include "ui/GameInputTitleTop.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"
#include "win/Graphics.h"
#include "win/SoundManager.h"

namespace {

class PlayFlow : public testing_support::PointerTest {
protected:
    void SetUp() override {
        platform::SetClockSource([this] { return now; });
        ASSERT_TRUE(InitGraphics());
        CSoundManager::GetInstance()->Init();
        PointerTest::SetUp();
        game->Init();
        if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) shots = dir;
    }
    void TearDown() override {
        PointerTest::TearDown();
        ReleaseGraphics();
        platform::SetClockSource(nullptr);
    }
    void Frame(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            now += CGameMain::kFrameMs;
            game->DoFrame();
        }
    }
    void Tap(int32_t x, int32_t y) {
        MoveTo(x, y);
        Press();
        Frame();
        Release();
        Frame();
    }
    void PauseKey() {
        CMyInput::GetInstance()->OnKeyMessage({platform::MessageType::KeyDown, 'P', false});
        Frame();
        CMyInput::GetInstance()->OnKeyMessage({platform::MessageType::KeyUp, 'P', false});
        Frame();
    }
    template <typename Done>
    int FramesUntil(Done done, int limit = 400) {
        int frames = 0;
        while (!done() && frames < limit) {
            Frame();
            ++frames;
        }
        return frames;
    }
    bool Playing() const { return states->GetCurrent() == CGameStateMainNormal::GetInstance(); }
    bool Paused() const { return states->GetCurrent() == CGameStateMainPause::GetInstance(); }
    void Shot(const std::string& name) {
        if (shots.empty()) return;
        platform::GraphicsDevice* device = GetDevice();
        std::vector<uint32_t> argb(480 * 320);
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 480; ++x) argb[static_cast<size_t>(y) * 480 + x] = device->Pixel(x, y);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = 480;
        image.height = 320;
        image.format = PNG_FORMAT_BGRA;
        png_image_write_to_file(&image, (shots + "/" + name + ".png").c_str(), 0, argb.data(), 0, nullptr);
    }

    SaveTestDir saves;
    uint32_t now = 50000;
    std::string shots;
    CGameMain* game = CGameMain::GetInstance();
    CGameStateController* states = CGameStateController::GetInstance();
    CGameInput* root = CGameInputController::GetInstance();
    CGameInputMain* hud = CGameInputMain::GetInstance();
};

TEST_F(PlayFlow, FromTheTitleThroughPauseGameOverAndAClearedStageBackToTheTitle) {
    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
    FramesUntil([&] { return title->GetState() == ScreenState::Active; });
    Tap(240, 155);  // "START"
    Tap(160, 220);  // Luka
    Tap(160, 220);
    FramesUntil([&] { return Playing(); });
    ASSERT_TRUE(Playing());
    ASSERT_EQ(game->m_mapId, 266);
    ASSERT_NE(game->m_player, nullptr);
    EXPECT_TRUE(hud->IsPlaying());
    game->m_player->hpMax = 550;
    game->m_player->hp = 350;
    Frame(20);
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, 350) << "the HUD shows the player's life";
    Shot("hud");

    // A save point's notice.
    hud->ShowMessage(GetText(243));
    Frame(30);
    Shot("hud-notice");
    Frame(80);

    // Pause with the key; the restart question; "NO"; "RESUME".
    PauseKey();
    ASSERT_TRUE(Paused());
    CGameInputPause* pause = CGameInputPause::GetInstance();
    Frame(3);
    Shot("pause");
    Tap(240, 185);  // "RESTART"
    EXPECT_EQ(pause->GetState(), CGameInputPause::kRestartQuestion);
    Shot("pause-restart-question");
    Tap(360, 195);  // "NO"
    Tap(240, 145);  // "RESUME"
    EXPECT_TRUE(Playing());
    FramesUntil([&] { return hud->IsPlaying(); });
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);

    // The pause button, then "RESTART", "YES": the stage again.
    Tap(30, 20);
    ASSERT_TRUE(Paused());
    Frame();
    Tap(240, 185);
    Tap(120, 195);  // "YES"
    FramesUntil([&] { return Playing(); });
    EXPECT_EQ(game->m_triesLeft, 2);
    EXPECT_TRUE(hud->IsPlaying());

    // A boss with its bar, then the player's defeat: "GAME OVER!".
    CCharacter boss;
    boss.hp = boss.hpMax = 2000;
    CLifebarController::GetInstance()->SetEnemyBar(&boss);
    Frame(50);
    Shot("boss-bar");
    boss.hp = 800;
    Frame(10);
    game->m_player->hp = 0;
    CLifebarController::GetInstance()->SetEnemyBar(nullptr);
    root->PushInput(ScreenId::Continue);
    CGameInputContinue* gameOver = CGameInputContinue::GetInstance();
    FramesUntil([&] { return gameOver->GetState() == ScreenState::Active; });
    Shot("continue");
    Tap(240, 165);  // "CONTINUE"
    FramesUntil([&] { return hud->IsPlaying(); });
    EXPECT_EQ(game->m_triesLeft, 1);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, game->m_player->hp);

    // A pick-up's message of two pages.
    root->PushInput(ScreenId::MessageWindow);
    CGameInputMessageWindow::GetInstance()->SetText(GetText(240));
    Frame(40);
    Shot("message-window");
    Tap(240, 160);
    Tap(240, 160);
    FramesUntil([&] { return hud->IsPlaying(); });

    // The countdown of a stage that wants one.
    game->m_player->controlled = 0;
    root->PushInput(ScreenId::StageStart);
    Frame(5);
    Shot("stage-start-3");
    Frame(60);
    Shot("stage-start-go");
    FramesUntil([&] { return hud->IsPlaying(); });
    EXPECT_EQ(game->m_player->controlled, 1);

    // The stage cleared: the tally counts up, then NEXT.
    game->m_player->SetGold(1234);
    game->m_player->SetScore(56000);
    game->m_player->SetPlayTime(2400);
    hud->m_clearLabel.SetVisible(true);
    root->PushInput(ScreenId::StageClear);
    CGameInputStageClear* clear = CGameInputStageClear::GetInstance();
    Frame(75);
    Shot("stage-clear-counting");
    FramesUntil([&] { return clear->GetState() == ScreenState::Active; });
    Shot("stage-clear");
    EXPECT_EQ(game->m_gold, 1234);
    Frame();
    Tap(390, 290);  // "NEXT"
    FramesUntil([&] { return game->m_mapId == 267; });
    EXPECT_TRUE(hud->IsPlaying());
    EXPECT_FALSE(hud->m_clearLabel.IsVisible());

    // Pause, "RETURN TO TITLE", "YES".
    PauseKey();
    Tap(240, 225);
    Shot("pause-quit-question");
    Tap(120, 195);
    FramesUntil([&] { return states->GetCurrent() == CGameStateTitleMain::GetInstance(); });
    EXPECT_EQ(game->m_mapId, 0);
    EXPECT_EQ(FramesUntil([&] { return title->GetState() == ScreenState::Active; }), 33);
}

}  // namespace
