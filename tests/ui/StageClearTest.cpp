// The stage-clear screen: the tally, the count-up a tap can skip, the clear
// mark and gold saved once, and the ways on (restart, the stage select, the
// next stage that exists).
#include <cstring>
#include <string>

#include "framework/SaveData.h"
#include "framework/StateTitle.h"
#include "player/Item.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"

namespace {

using Clear = CGameInputStageClear;

TEST(StageClearTally, TheTimeBonusFallsWithThePlayTimeInUnitsOfSixtyFrames) {
    EXPECT_EQ(Clear::TimeBonus(0), 10000);
    EXPECT_EQ(Clear::TimeBonus(59), 10000);
    EXPECT_EQ(Clear::TimeBonus(119), 10000) << "T = 1";
    EXPECT_EQ(Clear::TimeBonus(120), 5000);
    EXPECT_EQ(Clear::TimeBonus(420), 1428);
    EXPECT_EQ(Clear::TimeBonus(40000), 15) << "the longest clock a player keeps";
    EXPECT_EQ(Clear::TimeBonus(60000), 0);
    EXPECT_EQ(Clear::TimeBonus(-300), 10000);
}

TEST(StageClearTally, TheTotalIsScoreTimesBonusInSixtyFourBits) {
    EXPECT_EQ(Clear::TotalScore(5000, 1428), 71400);
    EXPECT_EQ(Clear::TotalScore(0, 10000), 0);
    EXPECT_EQ(Clear::TotalScore(5000, 10000), 500000);
    EXPECT_EQ(Clear::TotalScore(999999999, 10000), 99999999900LL);
}

TEST(StageClearTally, NextIsTheNamedStageOrTheFollowingOneAndNeverAStageThatCannotBeBuilt) {
    EXPECT_EQ(Clear::NextStageAfter(266, 299), 267);
    EXPECT_EQ(Clear::NextStageAfter(268, 270), 270);
    EXPECT_EQ(Clear::NextStageAfter(273, 299), 0);
    EXPECT_EQ(Clear::NextStageAfter(270, 299), 0) << "after the last stage, not into the scene rooms";
    EXPECT_EQ(Clear::NextStageAfter(0, 299), 0);
    EXPECT_EQ(Clear::NextStageAfter(265, 299), 0);
    EXPECT_FALSE(IsBuildableStage(299));
    EXPECT_FALSE(IsBuildableStage(265));
    EXPECT_TRUE(IsBuildableStage(273));
}

TEST(StageClearTally, TheShareTextNamesTheCharacterTheStageAndTheTotal) {
    struct Case {
        int32_t mapId, character;
        int64_t total;
        bool equipped;
        const char* text;
    };
    const Case cases[] = {
        // A total past the int the text holds is shared as its largest value.
        {266, 2, 99999999900LL, true,
         "Corvennic!\nKunoichi\n0-0\nScore:2147483647\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {277, 2, 2147483648LL, true,
         "Corvennic!\nKunoichi\n1-3\nScore:2147483647\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {280, 1, 2147483647LL, false,
         "Corvennic!\nNinja\n2-3(No Item)\nScore:2147483647\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {9, 5, 70, false, "Corvennic!\n2-1(No Item)\nScore:70\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {275, 1, 0, true, "Corvennic!\nNinja\n1-1\nScore:0\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {279, 3, 5, true, "Corvennic!\nKusarigama\n2-2\nScore:5\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {298, 4, 71400, true,
         "Corvennic!\nRobo Ninja\n6-4\nScore:71400\nPellumbrisk for the Linux desktop\n#Corvennic"},
        {276, 6, 1, false, "Corvennic!\n1-2(No Item)\nScore:1\nPellumbrisk for the Linux desktop\n#Corvennic"},
    };
    char text[1024];
    for (const Case& c : cases) {
        CItem::GetInstance()->SetFlag(3, c.equipped ? 1 : 0);
        Clear::BuildShareText(text, sizeof text, c.mapId, c.character, c.total);
        EXPECT_STREQ(text, c.text) << c.mapId << " " << c.character;
    }
    CItem::GetInstance()->SetFlag(3, 0);
    // Cut at the buffer, terminated.
    char small[16];
    std::memset(small, 'x', sizeof small);
    Clear::BuildShareText(small, sizeof small, 266, 1, 1);
    EXPECT_EQ(std::strlen(small), 15u);
}

class StageClear : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        game->m_gold = 1000;
        CCharacterPlayer* p = Player();
        p->SetGold(300);
        p->SetScore(5000);
        p->SetPlayTime(420);
    }
    // As the end of the player's stage exit opens it.
    void Cleared() { Root()->PushInput(ScreenId::StageClear); }
    void Restart() { Click(90, 290); }
    void Menu() { Click(240, 290); }
    void Next() { Click(390, 290); }
    void Share() { Click(456, 250); }
    // Past the darkening, a tap on the backdrop ends the count-up.
    void SkipCount() {
        Frame(10);
        Click(240, 160);
    }
    int32_t SavedInt(std::size_t offset) {
        const std::vector<uint8_t> b = saves.Read("save");
        if (b.size() != 65536) return -1;
        return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | b[offset + 3] << 24;
    }

    Clear* screen = Clear::GetInstance();
};

TEST_F(StageClear, TheLinesCountUpOneAfterTheOtherThenTheButtonsAppear) {
    Cleared();
    EXPECT_EQ(sounds, std::vector<int32_t>{43});
    EXPECT_TRUE(screen->m_titleText.IsVisible());
    EXPECT_FALSE(screen->m_goldText.IsVisible());
    EXPECT_EQ(screen->m_goldEarned, 300);
    EXPECT_EQ(screen->m_timeBonus, 1428);
    EXPECT_EQ(screen->m_totalScore, 71400);
    Frame(10);  // the backdrop darkens
    EXPECT_EQ(screen->GetState(), 7);
    EXPECT_EQ(screen->m_backdrop.GetAlpha(), 128);
    Player()->hp = Player()->hpMax - 50;
    Frame(20);
    EXPECT_STREQ(screen->m_goldText.GetText(), "GOLD\n300x1=150");
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, Player()->hpMax - 50) << "the bars keep following the player";
    Frame(20);
    EXPECT_STREQ(screen->m_goldText.GetText(), "GOLD\n300x1=300");
    EXPECT_EQ(screen->GetState(), 8);
    EXPECT_STREQ(screen->m_scoreText.GetText(), "      SCORE");
    Frame(80);
    EXPECT_STREQ(screen->m_timeBonusText.GetText(), "TIME BONUS\n150/TIME=14.28");
    Frame(39);
    EXPECT_EQ(screen->GetState(), 10);
    EXPECT_FALSE(screen->m_menuButton.IsVisible());
    Frame();
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_STREQ(screen->m_totalText.GetText(), "TOTAL SCORE\nSCORExTIME BONUS=71400");
    struct Place {
        const CWidget* widget;
        int32_t x, y;
        float scale;
    };
    for (const Place& c : {Place{&screen->m_titleText, 20, 40, 3.0f}, Place{&screen->m_goldText, 20, 80, 2.0f},
                           Place{&screen->m_scoreText, 20, 120, 2.0f}, Place{&screen->m_timeBonusText, 20, 160, 2.0f},
                           Place{&screen->m_totalText, 20, 200, 2.0f}, Place{&screen->m_hiScoreText, 20, 240, 2.0f},
                           Place{&screen->m_restartButton, 20, 280, 2.0f}, Place{&screen->m_menuButton, 170, 280, 2.0f},
                           Place{&screen->m_nextButton, 320, 280, 2.0f}, Place{&screen->m_shareButton, 436, 230, 2.0f}}) {
        EXPECT_EQ(c.widget->x, c.x) << c.y;
        EXPECT_EQ(c.widget->y, c.y) << c.x;
        EXPECT_FLOAT_EQ(c.widget->scaleX, c.scale) << c.x << "," << c.y;
    }
    // The hi-score label cycles four colours, three frames each.
    struct Colour {
        int32_t frame, r, g, b;
    };
    for (const Colour& c : {Colour{0, 255, 128, 128}, Colour{2, 255, 128, 128}, Colour{3, 128, 128, 255},
                            Colour{6, 255, 255, 0}, Colour{9, 0, 255, 255}, Colour{11, 0, 255, 255}, Colour{12, 255, 128, 128}}) {
        game->m_frameCount = c.frame;
        screen->Draw();
        EXPECT_EQ(std::vector<int32_t>({screen->m_hiScoreText.red, screen->m_hiScoreText.green, screen->m_hiScoreText.blue}),
                  std::vector<int32_t>({c.r, c.g, c.b}))
            << "frame " << c.frame;
    }
    EXPECT_TRUE(screen->m_nextButton.IsVisible());
    EXPECT_FALSE(screen->m_hiScoreText.IsVisible());
    EXPECT_TRUE(Playing()) << "the screen lies over live play";
}

TEST_F(StageClear, ATapShowsTheResultsAtOnceAndPressesNoButton) {
    Cleared();
    Frame(60);
    ASSERT_EQ(screen->GetState(), 8);
    // Held where "MENU" will appear.
    MoveTo(240, 290);
    Press();
    Frame();
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_STREQ(screen->m_scoreText.GetText(), "SCORE\n5000");
    EXPECT_STREQ(screen->m_totalText.GetText(), "TOTAL SCORE\nSCORExTIME BONUS=71400");
    EXPECT_TRUE(screen->m_totalText.IsVisible());
    Frame(5);
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    Release();
    Frame();
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_EQ(sounds, std::vector<int32_t>{43});
}

TEST_F(StageClear, GoldAndTheClearMarkAreSavedOnceAndMoneyStopsAtItsCap) {
    game->m_gold = 999900;
    Cleared();
    Frame(5);
    EXPECT_FALSE(saves.Exists("save")) << "nothing before the results";
    Frame(5);
    Click(240, 160);
    EXPECT_EQ(game->m_gold, 999999);
    EXPECT_EQ(SavedInt(SystemRecord::kGold), 999999);
    // The stages of this game lie past the 64 marks: nothing is marked, and
    // the record is still written.
    for (int32_t mark : game->m_clearFlags) EXPECT_EQ(mark, 0);

    // A stage id inside the marks gets the bit of the game mode (modes 0,
    // 1 and 2; any other mode marks nothing).
    Player()->SetGold(0);
    struct Mark {
        int32_t mode, mapId, bit;
    };
    for (const Mark& m : {Mark{2, 12, 4}, Mark{1, 13, 2}, Mark{0, 14, 1}, Mark{3, 15, 0}}) {
        game->m_gameMode = m.mode;
        game->m_mapId = m.mapId;
        Cleared();
        SkipCount();
        EXPECT_EQ(game->m_clearFlags[m.mapId], m.bit) << "mode " << m.mode;
        ASSERT_EQ(saves.Size("save"), 65536);
        EXPECT_EQ(saves.Read("save")[SystemRecord::kClearMarks + m.mapId], m.bit) << "mode " << m.mode;
    }
    EXPECT_EQ(game->m_gold, 999999) << "no gold earned leaves the money";
}

TEST_F(StageClear, NextStartsTheFollowingStageAfterTheFadeAndIsHiddenAfterTheLast) {
    Cleared();
    SkipCount();
    Next();
    EXPECT_EQ(screen->GetState(), 12);
    for (const CWidget* w : {&screen->m_titleText, &screen->m_goldText, &screen->m_scoreText, &screen->m_timeBonusText,
                             &screen->m_totalText, &screen->m_restartButton, &screen->m_menuButton, &screen->m_nextButton,
                             &screen->m_shareButton}) {
        EXPECT_FALSE(w->IsVisible()) << "only the darkening stays while leaving";
    }
    EXPECT_TRUE(screen->m_backdrop.IsVisible());
    Frame(18);
    EXPECT_EQ(game->m_mapId, 266);
    Frame();
    EXPECT_EQ(game->m_mapId, 267);
    EXPECT_EQ(Root()->GetChild(), hud);
    EXPECT_TRUE(hud->IsPlaying());

    ASSERT_TRUE(game->StartStage(273));
    Cleared();
    SkipCount();
    EXPECT_FALSE(screen->m_nextButton.IsVisible());
    Next();
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
}

TEST_F(StageClear, RestartStartsTheRunAgainWithFreshTries) {
    game->m_triesLeft = 1;
    Cleared();
    SkipCount();
    Restart();
    EXPECT_EQ(screen->GetState(), 11);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 10);
    Frame(19);
    EXPECT_EQ(game->m_triesLeft, 3);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 0) << "the new start fades in";
    EXPECT_TRUE(hud->IsPlaying());
}

TEST_F(StageClear, MenuLeavesForTheStageSelectWithItsCursorOnACell) {
    auto* select = CGameInputTitleStageSelect::GetInstance();
    select->SelectCell(3, 2);
    Cleared();
    SkipCount();
    Menu();
    EXPECT_EQ(screen->GetState(), ScreenState::Closing);
    EXPECT_EQ(std::vector<int32_t>({screen->m_backdrop.fadeFrom, screen->m_backdrop.fadeTo, screen->m_backdrop.fadeFrames}),
              std::vector<int32_t>({128, 255, 20}))
        << "the darkened view goes fully black in 20 frames";
    Frame(19);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(Root()->GetChild(), select);
    EXPECT_EQ(select->m_row, 0);
    EXPECT_EQ(select->m_column, 0);
    EXPECT_EQ(game->m_mapId, 0);
    EXPECT_EQ(game->m_stageControl.GetStage(), nullptr);
}

TEST_F(StageClear, TheShareIconLeavesTheScreenActive) {
    Cleared();
    SkipCount();
    Share();
    Share();
    EXPECT_EQ(sounds, (std::vector<int32_t>{43, 35, 35}));
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_TRUE(screen->m_menuButton.IsVisible());
}

// P pauses over the results; the pause's closing must not leave them idle
// for good with the HUD waiting under them.
TEST_F(StageClear, AScreenOpenedOverTheResultsNeverEndsThem) {
    Cleared();
    Frame(30);
    ASSERT_EQ(screen->GetState(), 7);
    CGameStateController::GetInstance()->ChangeState(8);
    Root()->PushInput(ScreenId::Pause);
    Frame(2);
    CGameInputPause* pause = CGameInputPause::GetInstance();
    ASSERT_EQ(pause->GetState(), ScreenState::Active);
    Click(240, 145);  // "RESUME"
    Frame(20);
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);
    EXPECT_EQ(screen->GetState(), 7);
    EXPECT_EQ(Root()->GetTop(), screen);
    Frame(200);
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
}

}  // namespace
