// A game played through the real frame step with the mouse and the pause
// key: from the title into a stage, the HUD with its life, a notice, pause
// with its question, resume; a defeat that ends in "GAME OVER!" and
// CONTINUE back into the stage; a cleared stage with its tally and NEXT;
// then pause and back to the title. The player's defeat and stage exit open
// their screens as the player does. With PELLUMBRISK_SHOTS=dir it writes a
// PNG of each screen there.
#include "character/Character.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "framework/TextTable.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputStageStart.h"
#include "ui/GameInputTitleTop.h"
#include "ui/GameLoopTest.h"
#include "ui/Lifebar.h"

namespace {

class PlayFlow : public testing_support::GameLoopTest {
protected:
    void PauseKey() {
        CMyInput::GetInstance()->OnKeyMessage({platform::MessageType::KeyDown, 'P', false});
        Frame();
        CMyInput::GetInstance()->OnKeyMessage({platform::MessageType::KeyUp, 'P', false});
        Frame();
    }
    bool Playing() const { return states->GetCurrent() == CGameStateMainNormal::GetInstance(); }
    bool Paused() const { return states->GetCurrent() == CGameStateMainPause::GetInstance(); }
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
