// The ending screen through the real screen stack: the curtains, the staff
// roll's cards on time and six times as fast while a touch is held, "THE
// END", the result page, the share button and the way back to the title.
#include <cstring>

#include "framework/SaveData.h"
#include "ui/GameInputEnding.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

using Ending = CGameInputEnding;

TEST(EndingTexts, TheClearTimeInHoursMinutesAndSecondsOfFortyFrames) {
    struct Case {
        int32_t frames, completion;
        const char* result;
    };
    for (const Case& c : {Case{54000, 37, "RESULT\n\nCLEAR TIME\n0:22:30\n\nCLEAR %\n37%"},
                          Case{143999, 0, "RESULT\n\nCLEAR TIME\n0:59:59\n\nCLEAR %\n0%"},
                          Case{144000, 100, "RESULT\n\nCLEAR TIME\n1:00:00\n\nCLEAR %\n100%"}}) {
        char text[Ending::kTextBufferSize];
        Ending::BuildResultText(text, sizeof text, c.frames, c.completion);
        EXPECT_STREQ(text, c.result);
    }
    char share[Ending::kTextBufferSize];
    Ending::BuildShareText(share, sizeof share, 144000, 12);
    EXPECT_STREQ(share, "Corvennic!\nClear Time:1:00:00\nClear %:12%\nPellumbrisk for the Linux desktop\n#Corvennic");
    // Cut at the buffer and terminated.
    char small[20];
    std::memset(small, 'x', sizeof small);
    Ending::BuildShareText(small, sizeof small, 144000, 12);
    EXPECT_EQ(std::strlen(small), 19u);
}

class EndingScreen : public testing_support::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        game->m_currentSlot = 2;
        game->m_slotData[2].SetInt(SaveSlotRecord::kPlayTime, 54000);
        // Every flag of the slot played: 100%, where the first slot has 0%.
        for (int32_t flag = 0; flag < SaveSlotRecord::kFlagCount; ++flag) game->m_slotData[2].SetSlotFlag(flag, 1);
        game->m_slotData[0].SetNewGameDefaults();
        Root()->SetInput(ScreenId::Ending);
    }
    CGameInput* Root() { return CGameInputController::GetInstance(); }

    CGameMain* game = CGameMain::GetInstance();
    Ending* ending = Ending::GetInstance();
};

TEST_F(EndingScreen, TheRollRunsOnTimeFasterWhileHeldAndEndsAtTheTitle) {
    Frame();
    EXPECT_EQ(ending->GetState(), ScreenState::Active);
    Frame(39);
    EXPECT_EQ(ending->m_topBand.y, -120);
    EXPECT_EQ(ending->m_bottomBand.y, 280);
    EXPECT_EQ(ending->m_creditLine.y, 800) << "no card before the scene asks";

    // The scene starts the roll: a card crosses in 280 frames.
    ending->LayoutStep();
    EXPECT_EQ(ending->GetState(), 7);
    EXPECT_STREQ(ending->m_creditLine.GetText(), "STAFF");
    Frame(140);
    EXPECT_EQ(ending->m_creditLine.y, 145);
    Frame(139);
    EXPECT_EQ(ending->GetState(), 7);
    Frame();
    EXPECT_EQ(ending->GetState(), 8);
    EXPECT_STREQ(ending->m_creditLine.GetText(), "PROGRAM\nBRINDLECOVE");
    EXPECT_EQ(ending->m_creditLine.y, 320);

    // Held: six steps a frame.
    MoveTo(240, 160);
    Press();
    Frame(10);
    EXPECT_EQ(ending->m_creditLine.y, 320 - 350 * 60 / 280);
    Release();
    Frame();
    EXPECT_EQ(ending->m_creditLine.y, 320 - 350 * 61 / 280);

    for (int i = 0; i < 280 * 7 && ending->GetState() != Ending::kTheEnd; ++i) Frame();
    ASSERT_EQ(ending->GetState(), 15);
    EXPECT_STREQ(ending->m_creditLine.GetText(), "THANK YOU FOR PLAYING!");
    EXPECT_EQ(ending->m_creditLine.y, 120);
    EXPECT_EQ(ending->m_theEndText.y, 60);
    Frame(50);
    EXPECT_EQ(ending->GetState(), 15) << "it waits for a tap";

    // The tap shows the result, without a sound.
    sounds.clear();
    Click(240, 160);
    EXPECT_EQ(ending->GetState(), 16);
    EXPECT_TRUE(sounds.empty());
    EXPECT_STREQ(ending->m_resultText.GetText(), "RESULT\n\nCLEAR TIME\n0:22:30\n\nCLEAR %\n100%");
    EXPECT_TRUE(ending->m_backButton.IsVisible());
    EXPECT_EQ(ending->m_theEndText.y, 320);
    Click(ending->m_shareButton.x + 20, 250);
    Click(ending->m_shareButton.x + 20, 250);
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35}));
    EXPECT_EQ(ending->GetState(), 16);

    // Back: no sound, 80 frames to black, then the title with the stage
    // select's cursor home.
    CGameInputTitleStageSelect::GetInstance()->SelectCell(1, 0);
    game->m_mapId = 268;
    Click(456, 296);
    EXPECT_EQ(ending->GetState(), ScreenState::Closing);
    EXPECT_EQ(sounds.size(), 2u);
    EXPECT_EQ(ending->m_backdrop.fadeFrom, 0);
    EXPECT_EQ(ending->m_backdrop.fadeTo, 255) << "all black at the end";
    EXPECT_EQ(ending->m_backdrop.fadeFrames, 80);
    Frame(78);
    EXPECT_EQ(Root()->GetChild(), ending);
    Frame();
    EXPECT_EQ(Root()->GetChild(), CGameInputTitleTop::GetInstance());
    EXPECT_EQ(CGameInputTitleStageSelect::GetInstance()->m_row, 0);
    EXPECT_EQ(game->m_mapId, 0);
}

TEST_F(EndingScreen, TheResultButtonsStandByTheScreenSize) {
    // Share at half the known width plus 40 (a width the game does not know
    // counts as none); back in the bottom right corner, 32 higher at 512.
    struct Place {
        int32_t w, h, shareX, backX, backY;
    };
    for (const Place& p : {Place{480, 320, 280, 436, 276}, Place{568, 320, 324, 524, 276},
                           Place{512, 384, 296, 468, 308}, Place{320, 480, 200, 276, 436},
                           Place{600, 400, 40, 556, 356}}) {
        game->m_screenWidth = p.w;
        game->m_screenHeight = p.h;
        ending->Open();
        EXPECT_EQ(ending->m_shareButton.x, p.shareX) << p.w;
        EXPECT_EQ(ending->m_shareButton.y, 230) << p.w;
        // The black backdrop overlaps the view by 100 on every side.
        const SpriteKey backdrop = ending->m_backdrop.GetSpriteTable(WidgetTable::Normal)[0];
        EXPECT_EQ(backdrop.width, p.w + 200) << p.w;
        EXPECT_EQ(backdrop.height, 520) << p.w;
        EXPECT_EQ(ending->m_backdrop.x, -100) << p.w;
        for (const CWidget* band : {&ending->m_topBand, &ending->m_bottomBand}) {
            const SpriteKey key = band->GetSpriteTable(WidgetTable::Normal)[0];
            EXPECT_EQ(key.width, p.w + 200) << p.w;
            EXPECT_EQ(key.height, 160) << p.w;
        }
        EXPECT_EQ(ending->m_backButton.x, p.backX) << p.w;
        EXPECT_EQ(ending->m_backButton.y, p.backY) << p.w;
        EXPECT_FALSE(ending->m_shareButton.IsVisible());
        EXPECT_FALSE(ending->m_backButton.IsVisible());
    }
    game->m_screenWidth = 480;
    game->m_screenHeight = 320;
    // "THE END" in large letters, the cards and the result at twice size.
    EXPECT_EQ(ending->m_theEndText.scaleX, 3.0f);
    EXPECT_EQ(ending->m_creditLine.scaleX, 2.0f);
    EXPECT_EQ(ending->m_resultText.scaleX, 2.0f);
    // The black bands that mask the roll: above and below 480 x 160, the
    // left column 60 x 320.
    struct Band {
        const CWidget* band;
        int32_t w, h;
    };
    for (const Band& b : {Band{&ending->m_topBand, 480, 160}, Band{&ending->m_bottomBand, 480, 160},
                          Band{&ending->m_sideBand, 60, 320}}) {
        EXPECT_EQ(b.band->width, b.w);
        EXPECT_EQ(b.band->height, b.h);
        EXPECT_EQ(b.band->red, 0);
    }
    const SpriteKey side = ending->m_sideBand.GetSpriteTable(WidgetTable::Normal)[0];
    EXPECT_EQ(side.slot, 1);
    EXPECT_EQ(side.width, 60);
    EXPECT_EQ(side.height, 320);
    // The roll stands still while the screen shakes; the shake is on again afterwards.
    DrawParams::shakeEnabled = 1;
    bool shakeOff = true;
    int drawn = 0;
    SetSpriteObserver([&](const SpriteDraw&) {
        ++drawn;
        shakeOff = shakeOff && DrawParams::shakeEnabled == 0;
    });
    ending->Draw();
    SetSpriteObserver(nullptr);
    EXPECT_GT(drawn, 0);
    EXPECT_TRUE(shakeOff);
    EXPECT_EQ(DrawParams::shakeEnabled, 1);
}

}  // namespace
