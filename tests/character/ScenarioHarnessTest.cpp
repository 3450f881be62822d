// The scenario harness itself: what later scenarios rely on.
#include <gtest/gtest.h>

#include <memory>

#include "character/CharacterBlock.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "support/Scenario.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

TEST(ScenarioHarness, TheGridBecomesRealTilesAtTheCentresOfTheirCells) {
    Scenario s({"..#",
                "#.",
                "##x"},
               {{'#', 20529}, {'x', 30020}});
    CGameMain* game = CGameMain::GetInstance();
    EXPECT_EQ(game->m_characterList.GetCount(), 5);
    EXPECT_EQ(s.Stage().width, 3);
    EXPECT_EQ(s.Stage().height, 3);
    EXPECT_EQ(game->GetStageView(), &s.Stage());
    ASSERT_NE(s.At(2, 0), nullptr);
    EXPECT_NE(dynamic_cast<CCharacterBlock*>(s.At(2, 0)), nullptr);
    EXPECT_EQ(s.At(2, 0)->x, 1000);
    EXPECT_EQ(s.At(2, 0)->y, 200);
    EXPECT_EQ(s.At(0, 1)->frame, 921);
    EXPECT_EQ(s.At(2, 2)->frame, 192);
    EXPECT_EQ(s.At(1, 1), nullptr);
}

TEST(ScenarioHarness, FramesCountSeedRecordSoundsAndReadTouches) {
    GameSrand(99);
    const int32_t afterOther = GameRand();
    Scenario s({"...."}, {}, 7);
    GameSrand(7);
    const int32_t expected = GameRand();
    GameSrand(7);
    EXPECT_EQ(GameRand(), expected);
    EXPECT_NE(expected, afterOther);

    ScenarioBody* b = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), 1000, 1000);
    int32_t updates = 0;
    b->onUpdate = [&](ScenarioBody&) {
        ++updates;
        if (updates == 2) PlaySE(5);
    };
    int32_t hooks = 0;
    s.beforeFrame = [&](Scenario&) { ++hooks; };
    s.Run(3);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(hooks, 3);
    EXPECT_EQ(CGameMain::GetInstance()->m_frameCount, 3);
    EXPECT_EQ(s.Sounds(), std::vector<int32_t>{5});

    // A touch of three frames is a tap on its release frame.
    s.Run(12);
    s.TouchDown(100, 120);
    s.Run(3);
    EXPECT_FALSE(CMyInput::GetInstance()->IsTouchTapped());
    s.TouchUp();
    s.Run(1);
    EXPECT_TRUE(CMyInput::GetInstance()->IsTouchTapped());
}

TEST(ScenarioHarness, EndingAScenarioEmptiesTheWorldAndTakesItsStandInsOut) {
    CGameMain* game = CGameMain::GetInstance();
    {
        Scenario s({"#"}, {{'#', 20529}});
        s.SetPlayer(s.At(0, 0));
    }
    EXPECT_EQ(game->m_characterList.GetCount(), 0);
    EXPECT_EQ(game->m_player, nullptr);
    EXPECT_EQ(game->GetStageView(), &game->m_stageControl);
    EXPECT_FALSE(game->GetStageView()->HasStage());
    PlaySE(3);  // no recorder left behind
}
