// The stage-select screen through the real screen stack: the stage-clear
// MENU opening it on the stage just played, a cell selected then started,
// the cells without a stage of this game left alone, the rows, and the
// shop, status and score screens pushed over it and closed again.
#include <string>

#include "framework/StateTitle.h"
#include "platform/AudioMixer.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleTop.h"
#include "ui/StageSelectTable.h"
#include "ui/UiTestSupport.h"
#include "win/DebugLog.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

using Select = CGameInputTitleStageSelect;

TEST(StageSelectTable, TheLookupsFindTheGridsIdsAndTheStagesTheCellsStart) {
    struct Case {
        int32_t id, row, column;
    };
    for (const Case& c : {Case{284, 3, 0}, Case{9, 1, 0}, Case{8, 0, 3}, Case{298, 5, 3}, Case{278, -1, -1},
                          Case{293, -1, -1}, Case{266, -1, -1}}) {
        EXPECT_EQ(Select::GetStageRow(c.id), c.row) << c.id;
        EXPECT_EQ(Select::GetStageColumn(c.id), c.column) << c.id;
        if (c.row >= 0) {
            EXPECT_EQ(Select::GetInstance()->GetStageId(c.row, c.column), c.id);
        }
    }
    // Cells just outside the grid, on every side: no id, no stage, the first cell's preview.
    struct Outside {
        int32_t row, column;
    };
    for (const Outside& o : {Outside{-1, 0}, Outside{6, 0}, Outside{0, -1}, Outside{0, 4}, Outside{1, -1},
                             Outside{1, 4}, Outside{5, 4}, Outside{6, 3}}) {
        EXPECT_EQ(Select::GetInstance()->GetStageId(o.row, o.column), 0) << o.row << "," << o.column;
        EXPECT_EQ(StageSelectTable::PlayableStage(o.row, o.column), 0) << o.row << "," << o.column;
        EXPECT_EQ(StageSelectTable::PreviewOf(o.row, o.column).srcX, 0) << o.row << "," << o.column;
        EXPECT_EQ(StageSelectTable::PreviewOf(o.row, o.column).srcY, 240) << o.row << "," << o.column;
    }

    // The cells that start this game's stages, and the cursor's cell for an id.
    for (int32_t stage = 266; stage <= 270; ++stage) {
        const StageSelectTable::Cell cell = StageSelectTable::CellFor(stage);
        EXPECT_EQ(StageSelectTable::PlayableStage(cell.row, cell.column), stage);
    }
    EXPECT_EQ(StageSelectTable::CellFor(269).column, 3);
    EXPECT_EQ(StageSelectTable::CellFor(270).row, 1);
    EXPECT_EQ(StageSelectTable::CellFor(284).row, 3);
    for (int32_t id : {271, 273, 299, 0, -1}) {
        EXPECT_EQ(StageSelectTable::CellFor(id).row, 0) << id;
        EXPECT_EQ(StageSelectTable::CellFor(id).column, 0) << id;
    }
    EXPECT_EQ(StageSelectTable::PlayableStage(1, 1), 0);
    EXPECT_EQ(StageSelectTable::PlayableStage(-1, -1), 0);
    EXPECT_EQ(StageSelectTable::PreviewOf(1, 0).srcX, 320);
    EXPECT_EQ(StageSelectTable::PreviewOf(1, 0).srcY, 160);
}

class StageSelect : public testing_support::PlayTest {
protected:
    // As the stage-clear screen's MENU leaves a cleared stage.
    void OpenFromClear(int32_t stage) {
        ASSERT_TRUE(game->StartStage(stage));
        Root()->PushInput(ScreenId::StageClear);
        Frame(10);
        Click(240, 160);  // the count-up skipped
        Click(240, 290);  // "MENU"
        WaitActive();
    }
    void OpenDirect() {
        game->GoToTitle();
        Root()->SetInput(ScreenId::TitleStageSelect);
        WaitActive();
    }
    void WaitActive() {
        const auto ready = [&] { return Root()->GetTop() == select && select->GetState() == ScreenState::Active; };
        for (int i = 0; i < 100 && !ready(); ++i) Frame();
        ASSERT_TRUE(ready());
        sounds.clear();
    }
    static int32_t CellX(int32_t column) { return 120 + 80 * column; }
    void PressCell(int32_t column) { Click(CellX(column), 140); }
    void NextRow() { Click(420, 110); }

    Select* select = Select::GetInstance();
};

TEST_F(StageSelect, StageClearsMenuOpensOnThePlayedCellAndTwoPressesStartAStage) {
    OpenFromClear(269);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateTitleMain::GetInstance());
    EXPECT_EQ(Root()->GetChild(), select);
    EXPECT_EQ(select->m_row, 0);
    EXPECT_EQ(select->m_column, 3);
    EXPECT_TRUE(select->m_stageButtons[3].GetHighlight());
    EXPECT_FALSE(select->m_prevRowButton.IsVisible());
    EXPECT_FALSE(select->m_connectors[3].IsVisible());

    // The first press selects, the second starts.
    PressCell(0);
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    EXPECT_EQ(select->m_column, 0);
    EXPECT_EQ(select->GetState(), ScreenState::Active);
    PressCell(0);
    EXPECT_EQ(select->GetState(), 8);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 8);
    int frames = 0;
    while (!Playing() && frames < 60) {
        Frame();
        ++frames;
    }
    EXPECT_TRUE(Playing());
    EXPECT_EQ(frames, 31) << "32 steps of 8 to black, the press's two frames among them";
    EXPECT_EQ(Root()->GetChild(), hud);
    EXPECT_EQ(game->m_mapId, 266);
    EXPECT_NE(Player(), nullptr);
}

TEST_F(StageSelect, TheSelectedCellRunsTheChosenCharactersFourKeys) {
    // Texture slot, then source x, source y and frames of the four keys (40 x 40 each).
    struct Run {
        int32_t character, slot;
        int32_t keys[4][3];
    };
    const Run runs[] = {
        {1, 19, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
        {2, 21, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
        {3, 22, {{0, 0, 10}, {160, 40, 10}, {0, 0, 10}, {200, 40, 10}}},
        {4, 23, {{0, 0, 4}, {40, 0, 4}, {0, 0, 4}, {40, 0, 4}}},
        // The title's two characters step on their own sheets.
        {5, 25, {{0, 0, 10}, {40, 0, 10}, {0, 0, 10}, {40, 0, 10}}},
        {6, 27, {{0, 0, 10}, {40, 0, 10}, {0, 0, 10}, {40, 0, 10}}},
    };
    OpenDirect();
    for (const Run& r : runs) {
        game->m_selectedCharacter = r.character;
        select->SelectCell(0, 1);
        const std::vector<SpriteKey>& keys = select->m_stageButtons[1].GetSpriteTable(WidgetTable::Highlighted);
        ASSERT_EQ(keys.size(), 4u) << r.character;
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(testing::Message() << "character " << r.character << " key " << k);
            EXPECT_EQ(keys[k].slot, r.slot);
            EXPECT_EQ(keys[k].srcX, r.keys[k][0]);
            EXPECT_EQ(keys[k].srcY, r.keys[k][1]);
            EXPECT_EQ(keys[k].width, 40);
            EXPECT_EQ(keys[k].height, 40);
            EXPECT_EQ(keys[k].duration, r.keys[k][2]);
        }
    }
}

TEST_F(StageSelect, CellsWithoutAStageOfThisGameStandGreyAndTakeNoPress) {
    OpenDirect();
    EXPECT_EQ(select->m_plates[3].red, 255);
    NextRow();
    EXPECT_EQ(select->m_row, 1);
    EXPECT_EQ(select->m_column, 0);
    EXPECT_TRUE(select->m_window.IsResizing()) << "the box opens again";
    EXPECT_TRUE(select->m_prevRowButton.IsVisible());
    EXPECT_EQ(select->m_plates[0].red, 255);
    EXPECT_EQ(select->m_plates[1].red, 128);
    sounds.clear();
    PressCell(1);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(select->m_column, 0);
    // Either arrow lands on the first cell of its row.
    select->SelectCell(3, 2);
    Click(60, 110);
    EXPECT_EQ(select->m_row, 2);
    EXPECT_EQ(select->m_column, 0);
    select->SelectCell(2, 3);
    NextRow();
    EXPECT_EQ(select->m_row, 3);
    EXPECT_EQ(select->m_column, 0);
    select->SelectCell(1, 0);
    for (int i = 0; i < 4; ++i) NextRow();
    EXPECT_EQ(select->m_row, 5);
    EXPECT_FALSE(select->m_nextRowButton.IsVisible());
    PressCell(0);
    PressCell(0);
    EXPECT_EQ(select->GetState(), ScreenState::Active);
    EXPECT_EQ(game->m_mapId, 0);

    // A cursor asked for outside the grid stands on the first cell.
    select->SelectCell(-1, -1);
    EXPECT_EQ(select->m_row, 0);
    EXPECT_EQ(select->m_column, 0);
    struct Asked {
        int32_t row, column, toRow, toColumn;
    };
    for (const Asked& a : {Asked{2, 7, 0, 0}, Asked{2, 4, 0, 0}, Asked{5, 3, 5, 3}, Asked{6, 1, 0, 0},
                           Asked{3, -1, 0, 0}, Asked{0, 3, 0, 3}}) {
        select->SelectCell(a.row, a.column);
        EXPECT_EQ(select->m_row, a.toRow) << a.row << "," << a.column;
        EXPECT_EQ(select->m_column, a.toColumn) << a.row << "," << a.column;
    }
}

TEST_F(StageSelect, TheShopStatusAndScoreScreensOpenOverItAndHandBackTheSameCell) {
    struct Case {
        int32_t buttonY, screenId, state;
    };
    for (const Case& c : {Case{208, ScreenId::TitleShop, Select::kToShop},
                          Case{164, ScreenId::TitleState, Select::kToStatus},
                          Case{120, ScreenId::TitleScore, Select::kToScore}}) {
        OpenDirect();
        game->m_selectedCharacter = 1;
        PressCell(2);
        Click(456, c.buttonY);
        EXPECT_EQ(select->GetState(), c.state) << c.screenId;
        EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 16) << "to black in 16 frames, " << c.screenId;
        CGameInput* pushed = CGameInput::GetInput(c.screenId);
        for (int i = 0; i < 40 && Root()->GetTop() != pushed; ++i) Frame();
        ASSERT_EQ(Root()->GetTop(), pushed) << c.screenId;
        EXPECT_EQ(select->GetState(), ScreenState::Idle);
        EXPECT_FALSE(select->m_stageButtons[0].IsVisible());
        EXPECT_FALSE(select->m_backButton.IsVisible());

        // Another character chosen meanwhile runs on the cell afterwards.
        game->m_selectedCharacter = 5;
        pushed->Close();
        WaitActive();
        EXPECT_EQ(Root()->GetTop(), select);
        EXPECT_TRUE(select->m_backButton.IsVisible());
        EXPECT_TRUE(select->m_stageButtons[0].IsVisible());
        EXPECT_EQ(select->m_column, 2);
        EXPECT_EQ(select->m_stageButtons[2].GetSpriteTable(WidgetTable::Highlighted)[0].slot, 25);
        EXPECT_EQ(CEffect::GetInstance()->m_fade, 0) << "not left in the dark";
    }

    // The leaderboard button calls the platform service and the screen stays;
    // greyed (any value but 1) it takes no press.
    std::string log;
    SetDebugLogSink([&log](const char* text) { log += text; });
    struct Board {
        uint8_t enabled;
        int32_t grey;
        const char* heard;
    };
    for (const Board& b : {Board{1, 255, "ShowLeaderboard\n"}, Board{0, 128, ""}, Board{2, 128, ""},
                           Board{1, 255, "ShowLeaderboard\n"}}) {
        log.clear();
        sounds.clear();
        select->SetLeaderboardEnabled(b.enabled);
        EXPECT_EQ(select->m_leaderboardButton.red, b.grey) << int(b.enabled);
        Click(456, 252);
        EXPECT_EQ(log, b.heard) << int(b.enabled);
        EXPECT_EQ(sounds, b.grey == 255 ? std::vector<int32_t>{35} : std::vector<int32_t>{}) << int(b.enabled);
        EXPECT_EQ(select->GetState(), ScreenState::Active);
        EXPECT_EQ(select->m_column, 2);
    }
    SetDebugLogSink(nullptr);

    // Opening plays the stage select's piece, entry 7.
    std::vector<int32_t> music;
    SetMusicObserver([&music](int32_t entry) { music.push_back(entry); });
    select->Open();
    SetMusicObserver(nullptr);
    EXPECT_EQ(music, std::vector<int32_t>{7});
    for (int i = 0; i < 40 && select->GetState() != ScreenState::Active; ++i) Frame();

    // "Back" fades to black with the music stopped, then the title.
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(CSoundManager::GetInstance()->Init());
    // The piece heard before (the stage clear's) is let go once the select's own starts.
    LoadStageClearMidi();
    PlayMusic(11);
    ASSERT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), 11);
    select->Open();
    EXPECT_FALSE(CSoundManager::GetInstance()->HasMusicSegment(11));
    for (int i = 0; i < 40 && select->GetState() != ScreenState::Active; ++i) Frame();
    PlayMusic(2);
    ASSERT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), 2);
    Click(456, 296);
    EXPECT_EQ(select->GetState(), ScreenState::Closing);
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), -1);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    for (int i = 0; i < 40 && Root()->GetChild() == select; ++i) Frame();
    EXPECT_EQ(Root()->GetChild(), CGameInputTitleTop::GetInstance());
}

}  // namespace
