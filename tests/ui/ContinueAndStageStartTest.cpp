// The game-over screen (continue or leave for the title) and the stage-start
// countdown, both over live play.
#include <string>
#include <vector>

#include "framework/SaveData.h"
#include "framework/StateTitle.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputStageStart.h"
#include "ui/GameInputTitleTop.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

class ContinueScreen : public testing_support::PlayTest {
protected:
    // As the end of the player's defeat opens it.
    void GameOver() { Root()->PushInput(ScreenId::Continue); }
    void Continue() { Click(240, 165); }
    void ReturnToTitle() { Click(240, 225); }

    CGameInputContinue* screen = CGameInputContinue::GetInstance();
};

TEST_F(ContinueScreen, OpeningDropsTheResumePointAndWritesTheResumeFiles) {
    game->m_currentSlot = 2;
    game->m_slotData[2].SetByte(SaveSlotRecord::kResumeFlag, 1);
    game->m_resumeData[2].SetByte(SaveSlotRecord::kResumeFlag, 1);
    GameOver();
    EXPECT_EQ(game->m_slotData[2].GetByte(SaveSlotRecord::kResumeFlag), 0);
    const std::vector<uint8_t> file = saves.Read("resume02");
    ASSERT_EQ(file.size(), 65536u);
    EXPECT_EQ(file[SaveSlotRecord::kResumeFlag], 0);
    EXPECT_TRUE(Playing()) << "the screen runs over live play";
}

TEST_F(ContinueScreen, TheChoicesAppearOnlyAfterTheFadeAndATapBeforeDoesNothing) {
    Player()->controlled = 0;  // a dead player takes no touches: only the screen could sound
    GameOver();
    struct Place {
        const CWidget* widget;
        int32_t x, y;
    };
    for (const Place& c : {Place{&screen->m_gameOverText, 80, 60}, Place{&screen->m_continueButton, 130, 150},
                           Place{&screen->m_returnButton, 130, 210}}) {
        EXPECT_EQ(c.widget->x, c.x);
        EXPECT_EQ(c.widget->y, c.y);
    }
    EXPECT_FLOAT_EQ(screen->m_gameOverText.scaleX, 3.0f) << "the heading in large letters";
    EXPECT_FLOAT_EQ(screen->m_continueButton.scaleX, 2.0f);
    EXPECT_FLOAT_EQ(screen->m_returnButton.scaleX, 2.0f);
    // Centred on the view at the other widths too.
    game->m_screenWidth = 568;
    screen->Open();
    EXPECT_EQ(screen->m_gameOverText.x, 124);
    EXPECT_EQ(screen->m_continueButton.x, 174);
    game->m_screenWidth = 480;
    screen->Open();
    Continue();
    Frame(17);
    EXPECT_FALSE(screen->m_continueButton.IsVisible());
    EXPECT_EQ(screen->GetState(), ScreenState::Opening);
    Frame();
    EXPECT_EQ(screen->m_backdrop.GetAlpha(), 120);
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_TRUE(screen->m_gameOverText.IsVisible());
    EXPECT_TRUE(sounds.empty());
}

TEST_F(ContinueScreen, ContinueRetriesTheStageWithOneTryLess) {
    GameOver();
    Frame(20);
    Continue();
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    EXPECT_EQ(screen->GetState(), 7);
    EXPECT_FALSE(screen->m_continueButton.IsVisible());
    Frame(18);
    EXPECT_EQ(game->m_triesLeft, 3);
    Frame();
    EXPECT_EQ(game->m_triesLeft, 2);
    EXPECT_EQ(Root()->GetChild(), hud);
    EXPECT_TRUE(hud->IsPlaying());
    EXPECT_EQ(game->m_mapId, 266);
    ASSERT_NE(Player(), nullptr);

    // With no tries left it still retries and leaves them at 0; unlimited
    // tries are not counted.
    for (int32_t tries : {0, 999}) {
        game->m_triesLeft = tries;
        GameOver();
        Frame(20);
        Continue();
        Frame(20);
        EXPECT_EQ(game->m_triesLeft, tries);
        EXPECT_TRUE(hud->IsPlaying());
    }
}

TEST_F(ContinueScreen, ReturnToTitleLeavesNoStage) {
    GameOver();
    Frame(20);
    ReturnToTitle();
    Frame(19);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(Root()->GetChild(), CGameInputTitleTop::GetInstance());
    EXPECT_EQ(game->m_mapId, 0);
    EXPECT_EQ(game->m_stageControl.GetStage(), nullptr);
}

TEST_F(ContinueScreen, AScreenOverItHidesItsWidgetsUntilItCloses) {
    GameOver();
    Frame(20);
    screen->OnCovered();
    EXPECT_FALSE(screen->m_backdrop.IsVisible());
    EXPECT_FALSE(screen->m_continueButton.IsVisible());
    screen->OnUncovered();
    Frame();
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_TRUE(screen->m_backdrop.IsVisible());
    EXPECT_TRUE(screen->m_continueButton.IsVisible());
}

// --- The countdown ----------------------------------------------------------------

class StageStart : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        // A stage that wants the countdown starts its player without control.
        Player()->controlled = 0;
        Player()->SetPlayTimeRunning(false);
        Root()->PushInput(ScreenId::StageStart);
    }
    CGameInputStageStart* screen = CGameInputStageStart::GetInstance();
};

TEST_F(StageStart, ThreeTwoOneGoThenThePlayerHasControlAndItsClockRuns) {
    EXPECT_TRUE(screen->m_countThree.IsVisible());
    EXPECT_FALSE(screen->m_countTwo.IsVisible());
    EXPECT_FLOAT_EQ(screen->m_countThree.scaleX, 16.0f);
    for (const CWidget* word : {&screen->m_countThree, &screen->m_countTwo, &screen->m_countOne, &screen->m_countGo}) {
        EXPECT_EQ(std::vector<int32_t>({word->x, word->y, word->width, word->height}),
                  std::vector<int32_t>({0, 100, 480, 20}))
            << word->GetText();
    }
    // "3" zooms in for 10 frames, fading in over the same 10, and flashes
    // for 10; "2" then zooms in while "3" squashes out.
    Frame(5);
    EXPECT_GT(screen->m_countThree.GetAlpha(), 100);
    EXPECT_LT(screen->m_countThree.GetAlpha(), 160);
    Frame(5);
    EXPECT_FLOAT_EQ(screen->m_countThree.scaleX, 8.0f);
    EXPECT_EQ(screen->m_countThree.GetAlpha(), 255);
    Frame(9);
    EXPECT_FALSE(screen->m_countTwo.IsVisible());
    Frame();
    EXPECT_TRUE(screen->m_countTwo.IsVisible());
    Frame(5);
    EXPECT_LT(screen->m_countThree.scaleY, 8.0f);
    EXPECT_GT(screen->m_countThree.scaleX, 8.0f);
    EXPECT_LT(screen->m_countThree.GetAlpha(), 255);
    // The life bars follow the player while the count runs over the HUD.
    Player()->hp = Player()->hpMax - 50;
    Frame();
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, Player()->hpMax - 50);
    int frames = 26;
    float goZoomed = 0.0f;
    int goingOut = 0, halfGone = -1;
    while (screen->GetState() != ScreenState::Closed && frames < 200) {
        EXPECT_EQ(Player()->controlled, 0) << "frame " << frames;
        Frame();
        ++frames;
        if (screen->GetState() == 14 && goZoomed == 0.0f) goZoomed = screen->m_countGo.scaleX;
        if (screen->GetState() == 15 && ++goingOut == 5) halfGone = screen->m_countGo.GetAlpha();
    }
    EXPECT_GT(halfGone, 100) << "GO! fades out over its 10 frames";
    EXPECT_LT(halfGone, 160);
    EXPECT_FLOAT_EQ(goZoomed, 10.0f) << "GO! grows from nothing to 10x, then goes out growing to 40x";
    // Each number went out four times as wide and flat.
    for (const CWidget* word : {&screen->m_countThree, &screen->m_countTwo, &screen->m_countOne}) {
        EXPECT_FLOAT_EQ(word->scaleX, 32.0f) << word->GetText();
        EXPECT_FLOAT_EQ(word->scaleY, 0.0f) << word->GetText();
        EXPECT_EQ(word->GetAlpha(), 0) << word->GetText();
    }
    EXPECT_FLOAT_EQ(screen->m_countGo.scaleX, 40.0f);
    // Three numbers of 10 zoom and 10 flash frames; "GO!" zooms for 10,
    // flashes for 8 and goes out in 10.
    EXPECT_EQ(frames, 88);
    EXPECT_EQ(Player()->controlled, 1);
    EXPECT_TRUE(Player()->IsPlayTimeRunning());
    EXPECT_EQ(hud->GetChild(), nullptr);
    EXPECT_TRUE(hud->IsPlaying());
}

TEST_F(StageStart, EachWordShownIsWrittenOnce) {
    Frame(25);  // "3" squashing out while "2" zooms in
    std::vector<std::string> texts;
    SetTextObserver([&](const TextDraw& t) { texts.push_back(t.text); });
    screen->Draw();
    SetTextObserver(nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"3", "2"}));
}

TEST_F(StageStart, CloseLeavesTheCountAndOpeningAgainStartsOverAtThree) {
    Frame(40);
    EXPECT_GT(screen->GetState(), 7);
    // Closed, the count stops and the whole view fades to black at 5 a frame.
    screen->Close();
    CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(screen->GetState(), ScreenState::Closing);
    EXPECT_EQ(effect->m_fade, 0);
    EXPECT_EQ(effect->m_fadeTarget, 255);
    EXPECT_EQ(effect->m_fadeStep, 5);
    Frame(60);
    EXPECT_EQ(screen->GetState(), ScreenState::Closing);
    EXPECT_EQ(Player()->controlled, 0);
    screen->Open();
    EXPECT_EQ(screen->GetState(), 7);
    EXPECT_TRUE(screen->m_countThree.IsVisible());
    EXPECT_FLOAT_EQ(screen->m_countThree.scaleX, 16.0f);
    EXPECT_FALSE(screen->m_countTwo.IsVisible());
    EXPECT_FALSE(screen->m_countOne.IsVisible());
    EXPECT_FALSE(screen->m_countGo.IsVisible());
    // The words centre on a 568-wide view; other widths leave them where they stand.
    struct Width {
        int32_t w, x;
    };
    for (const Width& c : {Width{568, 44}, Width{512, 44}, Width{480, 0}}) {
        game->m_screenWidth = c.w;
        screen->Open();
        for (const CWidget* word : {&screen->m_countThree, &screen->m_countGo}) EXPECT_EQ(word->x, c.x) << c.w;
    }

    // Each number flashes up to white; "GO!" flashes up, then back down.
    CWidget* const words[] = {&screen->m_countThree, &screen->m_countTwo, &screen->m_countOne, &screen->m_countGo};
    std::vector<std::string> flashes;
    for (int f = 0; f < 120 && screen->GetState() != ScreenState::Closed; ++f) {
        Frame();
        for (CWidget* word : words) {
            if (!word->IsFlashing()) continue;
            const std::string seen = std::string(word->GetText()) + " " + std::to_string(word->flashMode);
            if (flashes.empty() || flashes.back() != seen) flashes.push_back(seen);
        }
    }
    EXPECT_EQ(flashes, (std::vector<std::string>{"3 1", "2 1", "1 1", "GO! 1", "GO! 0"}));
}

// --- Over live play -----------------------------------------------------------------

class OverPlay : public testing_support::PlayTest {};

TEST_F(OverPlay, TheScreensOverPlayStandStillWhenTheViewShakes) {
    struct Case {
        int32_t id;
        CGameInput* screen;
    };
    for (const Case& c : {Case{ScreenId::Continue, CGameInputContinue::GetInstance()},
                          Case{ScreenId::StageClear, CGameInputStageClear::GetInstance()},
                          Case{ScreenId::StageStart, CGameInputStageStart::GetInstance()}}) {
        Root()->PushInput(c.id);
        Frame(30);
        DrawParams::shakeEnabled = 1;
        int drawn = 0;
        bool still = true;
        SetSpriteObserver([&](const SpriteDraw&) {
            ++drawn;
            still = still && DrawParams::shakeEnabled == 0;
        });
        c.screen->Draw();
        SetSpriteObserver(nullptr);
        EXPECT_GT(drawn, 0) << c.id;
        EXPECT_TRUE(still) << c.id;
        EXPECT_EQ(DrawParams::shakeEnabled, 1) << c.id;
    }
}

TEST_F(OverPlay, ThePauseKeyPausesOverGameOverAndStageClearAndEachGoesOnWhereItWas) {
    struct Case {
        int32_t id;
        CGameInput* screen;
        int32_t stateWhenPaused;
        int32_t mapAfter;  // the stage its way on leads to
    };
    CGameInputPause* pause = CGameInputPause::GetInstance();
    for (const Case& c : {Case{ScreenId::Continue, CGameInputContinue::GetInstance(), ScreenState::Active, 266},
                          Case{ScreenId::StageClear, CGameInputStageClear::GetInstance(), 7, 267}}) {
        SCOPED_TRACE(c.id);
        Root()->PushInput(c.id);
        Frame(30);
        ASSERT_EQ(c.screen->GetState(), c.stateWhenPaused);
        PressPauseKey();
        EXPECT_TRUE(Paused());
        EXPECT_EQ(Root()->GetTop(), pause);
        Frame(25);
        EXPECT_EQ(pause->GetState(), ScreenState::Active);
        EXPECT_EQ(c.screen->GetState(), ScreenState::Idle) << "it waits under the pause screen";
        Click(240, 145);  // "RESUME"
        EXPECT_TRUE(Playing());
        Frame(20);
        EXPECT_EQ(Root()->GetTop(), c.screen);
        EXPECT_EQ(c.screen->GetState(), c.stateWhenPaused) << "back where it was";
        // Its way on: CONTINUE; or a tap that ends the count, then NEXT.
        if (c.id == ScreenId::Continue) {
            Click(240, 165);
        } else {
            Click(240, 160);
            Click(390, 290);
        }
        Frame(40);
        EXPECT_EQ(game->m_mapId, c.mapAfter);
        EXPECT_TRUE(hud->IsPlaying());
    }
}

}  // namespace
