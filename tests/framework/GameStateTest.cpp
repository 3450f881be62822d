#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "platform/Clock.h"

namespace {

TEST(GameStateController, UnknownIdsLeaveTheCurrentStateRunning) {
    auto* controller = CGameStateController::GetInstance();
    controller->ChangeState(6);
    EXPECT_EQ(controller->GetCurrent(), CGameStateMainNormal::GetInstance());
    for (int id : {0, 7, 9, -1, 1000}) {
        controller->ChangeState(id);
        EXPECT_EQ(controller->GetCurrent(), CGameStateMainNormal::GetInstance()) << id;
    }
}

TEST(GameStateController, IdsTwoAndFourAreTheSameTitle) {
    EXPECT_EQ(CGameStateController::StateForId(2), CGameStateController::StateForId(4));
    EXPECT_EQ(CGameStateController::StateForId(5), CGameStateMain::GetInstance());
    EXPECT_EQ(CGameStateController::StateForId(8), CGameStateMainPause::GetInstance());
}

// Records the order of the hooks a change calls.
std::vector<std::string> g_calls;

struct RecordingState : CGameState {
    explicit RecordingState(std::string n) : name(std::move(n)) {}
    void Start() override { g_calls.push_back(name + ".Start"); }
    void End() override { g_calls.push_back(name + ".End"); }
    void ChangeState(int32_t id) override { g_calls.push_back(name + ".ChangeState(" + std::to_string(id) + ")"); }
    std::string name;
};

}  // namespace

TEST(GameStateController, ChangeCallsEndThenStartThenIdHook) {
    // Static: the controller keeps pointing at the last one after the test.
    static RecordingState a("a"), b("b");
    auto* controller = CGameStateController::GetInstance();
    controller->SwitchTo(&a, 3);
    g_calls.clear();
    controller->SwitchTo(&b, 6);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"a.End", "b.Start", "b.ChangeState(6)"}));
    g_calls.clear();
    controller->SwitchTo(&b, 8);
    EXPECT_TRUE(g_calls.empty());
    controller->ChangeState(3);  // no state of this test stays current after it
}

TEST(GameStateController, ChangeToTheCurrentTitleDoesNotRestartIt) {
    // The logo state ends, the title starts, then the title hears its id;
    // a change to the state already current calls nothing.
    auto* controller = CGameStateController::GetInstance();
    controller->ChangeState(3);
    controller->ChangeState(2);
    EXPECT_EQ(controller->GetCurrent(), CGameStateTitleMain::GetInstance());
    controller->ChangeState(4);
    EXPECT_EQ(controller->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(CGameStateTitleMain::GetInstance()->m_scrollX, 0);
    CGameStateTitleMain::GetInstance()->DoAction();
    controller->ChangeState(4);  // no restart: the scroll counter is kept
    EXPECT_EQ(CGameStateTitleMain::GetInstance()->m_scrollX, 1);
}

TEST(FrameGate, RunsAtOnceThenEvery24MsWithoutCatchUp) {
    uint32_t now = 5000;
    platform::SetClockSource([&] { return now; });
    CGameMain* game = CGameMain::GetInstance();
    const int start = game->m_frameCount;
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 1);
    now += 23;
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 1);
    now += 1;  // 24 ms after the first
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 2);
    now += 40;  // late: one frame, nothing made up
    game->DoFrame();
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 3);
    now += 23;  // the next frame is due 24 ms after the late pass, not 8
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 3);
    now += 1;
    game->DoFrame();
    EXPECT_EQ(game->m_frameCount, start + 4);
    platform::SetClockSource(nullptr);
}

TEST(TimerRule, GroupFreezeFollowsTheRule) {
    CGameMain* game = CGameMain::GetInstance();
    game->ClearGroupFreezeTimer();
    game->SetGroupFreezeTimer(20);
    game->SetGroupFreezeTimer(10);
    EXPECT_EQ(game->GetGroupFreezeTimer(), 20);  // smaller does not replace
    game->ClearGroupFreezeTimer();
    game->SetGroupFreezeTimer(5);
    game->SetGroupFreezeTimer(10);
    EXPECT_EQ(game->GetGroupFreezeTimer(), 10);
    game->SetGroupFreezeTimer(-1);
    EXPECT_EQ(game->GetGroupFreezeTimer(), -1);  // -1 holds
    game->SetGroupFreezeTimer(50);
    EXPECT_EQ(game->GetGroupFreezeTimer(), -1);  // nothing replaces a held timer
    game->TickGroupFreezeTimer();
    EXPECT_EQ(game->GetGroupFreezeTimer(), -1);
    game->ClearGroupFreezeTimer();
    EXPECT_EQ(game->GetGroupFreezeTimer(), 0);
    game->TickGroupFreezeTimer();
    EXPECT_EQ(game->GetGroupFreezeTimer(), 0);
    game->SetFreezeTimer(3);
    game->TickFreezeTimer();
    EXPECT_EQ(game->GetFreezeTimer(), 2);
}

TEST(GameMainView, ViewOperationsFollowTheScreenSize) {
    CGameMain* game = CGameMain::GetInstance();
    EXPECT_EQ(game->GetViewLeft(), 80);
    EXPECT_EQ(game->GetViewTop(), 160);
    game->m_screenWidth = 600;
    EXPECT_EQ(game->GetViewWidth(), 0);
    EXPECT_EQ(game->GetViewLeft(), 320);
    game->m_screenWidth = 320;
    game->m_screenHeight = 568;
    EXPECT_EQ(game->GetViewLeft(), 160);
    EXPECT_EQ(game->GetViewTop(), 110);
    game->m_screenHeight = 512;
    EXPECT_EQ(game->GetViewTop(), 94);
}

TEST(GameMainReset, DefaultsGiveThreeTries) {
    CGameMain* game = CGameMain::GetInstance();
    EXPECT_EQ(game->m_gameMode, 1);
    EXPECT_EQ(game->m_selectedCharacter, 1);
    game->StartStage(266);
    EXPECT_EQ(game->m_triesLeft, 3);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateMainNormal::GetInstance());
}

TEST(StageFlow, OnlyIdsThatBuildAStageAreStartedAndAStartSetsTheRunsIds) {
    CGameMain* game = CGameMain::GetInstance();
    CGameStateController* states = CGameStateController::GetInstance();
    states->ChangeState(2);
    game->m_triesLeft = 7;
    for (int32_t id : {0, 8, 265, 274, 299}) {
        EXPECT_FALSE(game->StartStage(id)) << id;
        EXPECT_EQ(states->GetCurrent(), CGameStateTitleMain::GetInstance());
        EXPECT_EQ(game->m_triesLeft, 7);
        EXPECT_EQ(game->m_player, nullptr);
    }
    game->m_selectedCharacter = 3;
    ASSERT_TRUE(game->StartStage(267));
    EXPECT_EQ(game->m_mapId, 267);
    EXPECT_EQ(game->m_retryMapId, 267);
    EXPECT_EQ(game->m_restartMapId, 267);
    ASSERT_NE(game->m_player, nullptr);
    EXPECT_EQ(game->m_player->typeId, 3);
    // A retry builds the stage again with a new player.
    game->m_player->x += 4000;
    const int32_t movedX = game->m_player->x;
    game->RetryStage();
    ASSERT_NE(game->m_player, nullptr);
    EXPECT_NE(game->m_player->x, movedX) << "the player starts again at the stage's start";
    EXPECT_EQ(game->m_triesLeft, 2);
}
