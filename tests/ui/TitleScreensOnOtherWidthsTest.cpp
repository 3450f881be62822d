// The title-side screens on the other screen sizes: each lays itself out
// for a 568-wide view, goes back for 480, and keeps its places on widths it
// does not lay out; the save slots lift their corner buttons at 512; and the
// buttons that leave for the leaderboard, the row before, and the title.
#include <string>
#include <vector>

#include "framework/SaveData.h"
#include "ui/GameInputSaveSlot.h"
#include "ui/GameInputTitleScore.h"
#include "ui/GameInputTitleShop.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleState.h"
#include "ui/UiTestSupport.h"
#include "win/DebugLog.h"

namespace {

class OtherWidths : public testing_support::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        SetDebugLogSink([this](const char* text) { debug += text; });
    }
    void TearDown() override {
        SetDebugLogSink(nullptr);
        ScreenTest::TearDown();
    }
    CGameInput* Root() { return CGameInputController::GetInstance(); }
    void OpenAt(int32_t width, int32_t height, int32_t screen) {
        game->m_screenWidth = width;
        game->m_screenHeight = height;
        Root()->SetInput(screen);
    }

    CGameMain* game = CGameMain::GetInstance();
    std::string debug;
};

TEST_F(OtherWidths, TheTitleScreensCentreOnA568WideViewAndKeepTheirPlacesElsewhere) {
    // Rows in order: 568 lays out, 480 lays out again, 512 and 320 keep the
    // 480 places.
    struct Case {
        int32_t width;
        int32_t prevRowX, nextRowX, previewX, cell1X, plate1X, connector1X, selectBackX;
        int32_t shopRow0X, shopTitleX, shopBackX;
        int32_t stateWindowX, stateSlot0X, stateBackX;
        int32_t scoreWindowX, scoreBackX;
    };
    const Case cases[] = {
        {568, 84, 444, 124, 204, 214, 274, 524, 64, 44, 524, 84, 152, 524, 84, 524},
        {480, 40, 400, 80, 160, 170, 230, 436, 20, 0, 436, 40, 108, 436, 40, 436},
        {512, 40, 400, 80, 160, 170, 230, 436, 20, 0, 436, 40, 108, 436, 40, 436},
        {320, 40, 400, 80, 160, 170, 230, 436, 20, 0, 436, 40, 108, 436, 40, 436},
    };
    for (const Case& c : cases) {
        auto* select = CGameInputTitleStageSelect::GetInstance();
        OpenAt(c.width, 320, ScreenId::TitleStageSelect);
        EXPECT_EQ(select->m_prevRowButton.x, c.prevRowX) << c.width;
        EXPECT_EQ(select->m_nextRowButton.x, c.nextRowX) << c.width;
        EXPECT_EQ(select->m_preview.x, c.previewX) << c.width;
        EXPECT_EQ(select->m_stageButtons[1].x, c.cell1X) << c.width;
        EXPECT_EQ(select->m_plates[1].x, c.plate1X) << c.width;
        EXPECT_EQ(select->m_connectors[1].x, c.connector1X) << c.width;
        for (const CWidget* b : {&select->m_scoreButton, &select->m_statusButton, &select->m_shopButton,
                                 &select->m_leaderboardButton, &select->m_backButton}) {
            EXPECT_EQ(b->x, c.selectBackX) << c.width;
        }

        auto* shop = CGameInputTitleShop::GetInstance();
        OpenAt(c.width, 320, ScreenId::TitleShop);
        EXPECT_EQ(shop->m_itemRows[0].x, c.shopRow0X) << c.width;
        EXPECT_EQ(shop->m_titleBar.x, c.shopTitleX) << c.width;
        EXPECT_EQ(shop->m_backButton.x, c.shopBackX) << c.width;

        auto* state = CGameInputTitleState::GetInstance();
        OpenAt(c.width, 320, ScreenId::TitleState);
        EXPECT_EQ(state->m_window.x, c.stateWindowX) << c.width;
        EXPECT_EQ(state->m_itemSlots[0].x, c.stateSlot0X) << c.width;
        EXPECT_EQ(state->m_itemSlots[7].x, c.stateSlot0X + 44) << c.width;
        EXPECT_EQ(state->m_backButton.x, c.stateBackX) << c.width;

        auto* score = CGameInputTitleScore::GetInstance();
        OpenAt(c.width, 320, ScreenId::TitleScore);
        EXPECT_EQ(score->m_window.x, c.scoreWindowX) << c.width;
        EXPECT_EQ(score->m_backButton.x, c.scoreBackX) << c.width;
    }
}

TEST_F(OtherWidths, TheSaveSlotsParkTheirRowsByTheWidthAndLiftTheCornerAt512) {
    struct Case {
        int32_t width, height;
        int32_t left, centre, right, bottom;
        int32_t confirmX, confirmY, backX, backY, boardY;
    };
    const Case cases[] = {
        {480, 320, -440, 40, 520, 340, 240, 160, 436, 276, 232},
        {512, 384, -456, 56, 568, 404, 256, 160, 468, 308, 264},
        {568, 320, -484, 84, 652, 340, 284, 160, 524, 276, 232},
        {320, 480, -360, -40, 280, 500, 160, 240, 276, 436, 392},
    };
    auto* slots = CGameInputSaveSlot::GetInstance();
    for (const Case& c : cases) {
        OpenAt(c.width, c.height, ScreenId::SaveSlot);
        EXPECT_EQ(slots->m_leftX, c.left) << c.width;
        EXPECT_EQ(slots->m_centreX, c.centre) << c.width;
        EXPECT_EQ(slots->m_rightX, c.right) << c.width;
        EXPECT_EQ(slots->m_bottomY, c.bottom) << c.width;
        EXPECT_EQ(slots->m_confirmWindow.x, c.confirmX) << c.width;
        EXPECT_EQ(slots->m_confirmWindow.y, c.confirmY) << c.width;
        EXPECT_EQ(slots->m_backButton.x, c.backX) << c.width;
        EXPECT_EQ(slots->m_backButton.y, c.backY) << c.width;
        EXPECT_EQ(slots->m_leaderboardButton.x, c.backX) << c.width;
        EXPECT_EQ(slots->m_leaderboardButton.y, c.boardY) << c.width;
        EXPECT_EQ(slots->m_rows[0].y, c.bottom) << "the first row rises from below, " << c.width;
    }
}

TEST_F(OtherWidths, TheSaveSlotsLeaderboardAndBackButtons) {
    for (int i = 0; i < CGameMain::kSlotCount; ++i) game->m_slotData[i].SetNewGameDefaults();
    auto* slots = CGameInputSaveSlot::GetInstance();
    Root()->SetInput(ScreenId::SaveSlot);
    for (int i = 0; i < 40 && slots->GetState() != ScreenState::Active; ++i) Frame();
    ASSERT_EQ(slots->GetState(), ScreenState::Active);
    sounds.clear();
    Click(456, 252);  // the leaderboard, (436, 232)
    EXPECT_EQ(debug, "ShowLeaderboard\n");
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    EXPECT_EQ(slots->GetState(), ScreenState::Active);

    Click(456, 296);  // back, (436, 276)
    EXPECT_EQ(slots->GetState(), ScreenState::Closing);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 16);
    // Black in steps of 16, then the title.
    int32_t lastFade = -1;
    for (int i = 0; i < 40 && Root()->GetChild() == slots; ++i) {
        lastFade = CEffect::GetInstance()->m_fade;
        Frame();
    }
    EXPECT_EQ(lastFade, 255) << "the title opens once the view is black";
    EXPECT_EQ(Root()->GetChild(), CGameInput::GetInput(ScreenId::TitleTopEntry));
}

TEST_F(OtherWidths, TheStageSelectsRowArrowsStepBothWaysAndTheLeaderboardAnswers) {
    auto* select = CGameInputTitleStageSelect::GetInstance();
    Root()->SetInput(ScreenId::TitleStageSelect);
    for (int i = 0; i < 100 && select->GetState() != ScreenState::Active; ++i) Frame();
    ASSERT_EQ(select->GetState(), ScreenState::Active);
    EXPECT_FALSE(select->m_prevRowButton.IsVisible()) << "row 0 has no row before";
    Click(420, 110);  // next row, (400, 90)
    Click(420, 110);
    EXPECT_EQ(select->m_row, 2);
    select->SelectCell(2, 2);  // the cursor on the third cell
    sounds.clear();
    Click(60, 110);  // previous row, (40, 90)
    EXPECT_EQ(select->m_row, 1);
    EXPECT_EQ(select->m_column, 0) << "a new row starts at its first cell";
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    for (int row = 1; row < 5; ++row) Click(420, 110);
    EXPECT_EQ(select->m_row, 5);
    EXPECT_FALSE(select->m_nextRowButton.IsVisible()) << "row 5 is the last";

    select->SetLeaderboardEnabled(1);
    EXPECT_EQ(select->m_leaderboardButton.red, 255);
    Click(456, 252);  // the leaderboard, (436, 232)
    EXPECT_EQ(debug, "ShowLeaderboard\n");
    select->SetLeaderboardEnabled(0);
    EXPECT_EQ(select->m_leaderboardButton.red, 128);
    Click(456, 252);
    EXPECT_EQ(debug, "ShowLeaderboard\n") << "a disabled button takes no press";
}

}  // namespace

namespace {

class SlotPages : public testing_support::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        for (int i = 0; i < CGameMain::kSlotCount; ++i) CGameMain::GetInstance()->m_slotData[i].SetNewGameDefaults();
    }
    CGameInput* Root() { return CGameInputController::GetInstance(); }
    void WaitActive() {
        for (int i = 0; i < 60 && slots->GetState() != ScreenState::Active; ++i) Frame();
        ASSERT_EQ(slots->GetState(), ScreenState::Active);
    }
    CGameInputSaveSlot* slots = CGameInputSaveSlot::GetInstance();
};

TEST_F(SlotPages, ThePreviousPagesRowsComeInFromTheLeftOnTheNinthFrame) {
    Root()->SetInput(ScreenId::SaveSlot);
    WaitActive();
    Click(460, 160);  // next
    for (int i = 0; i < 40 && slots->GetState() == CGameInputSaveSlot::kPageSlide; ++i) Frame();
    ASSERT_EQ(slots->m_page, 1);
    Click(20, 160);  // previous: the press's frame is the slide's first
    Frame(7);
    EXPECT_EQ(slots->m_counter, 8);
    EXPECT_EQ(slots->m_rows[3].x, 520) << "page 1 has left to the right";
    Frame();
    EXPECT_EQ(slots->m_rows[0].x, -440) << "page 0 enters from the left";
    EXPECT_EQ(slots->m_rows[2].x, -440);
    EXPECT_EQ(slots->m_rows[2].y, 220);
    Frame(2);
    EXPECT_GT(slots->m_rows[0].x, -440) << "easing in from the second frame";
    for (int i = 0; i < 40 && slots->GetState() == CGameInputSaveSlot::kPageSlide; ++i) Frame();
    EXPECT_EQ(slots->m_rows[0].x, 40);
    EXPECT_EQ(slots->GetState(), ScreenState::Active);
}

TEST_F(SlotPages, OverAnotherScreenTheyWaitForItAndAScreenOverThemCoversAndUncoversThem) {
    // Pushed over the options screen, the rows do not rise before the
    // screen under them stands still.
    Root()->SetInput(ScreenId::Option);
    CGameInput* options = CGameInput::GetInput(ScreenId::Option);
    Frame(20);
    Root()->PushInput(ScreenId::SaveSlot);
    EXPECT_EQ(options->GetState(), ScreenState::Covered);
    Frame();
    EXPECT_EQ(slots->m_counter, 0) << "the options screen is only now going idle";
    EXPECT_EQ(options->GetState(), ScreenState::Idle);
    Frame();
    EXPECT_EQ(slots->m_counter, 1);
    WaitActive();

    // The credits over them: covered, idle, then back on their close.
    Root()->PushInput(ScreenId::TitleCredits);
    CGameInput* credits = CGameInput::GetInput(ScreenId::TitleCredits);
    EXPECT_EQ(slots->GetState(), ScreenState::Covered);
    Frame();
    EXPECT_EQ(slots->GetState(), ScreenState::Idle);
    Frame(20);
    credits->Close();
    for (int i = 0; i < 60 && slots->GetState() != ScreenState::Active; ++i) Frame();
    EXPECT_EQ(slots->GetState(), ScreenState::Active);
    EXPECT_EQ(slots->GetChild(), nullptr);
    EXPECT_EQ(credits->GetState(), ScreenState::Closed);
}

}  // namespace
