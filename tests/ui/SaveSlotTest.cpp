// The save-slot screen through the real screen stack: the rows and their
// tallies, the pages sliding, the erase dialogue's two questions with the
// files it writes, a slot started at its stored stage, and a resume point
// taken far into a stage that puts the player back where it stood.
#include <iterator>
#include <string>

#include "framework/SaveData.h"
#include "platform/AudioMixer.h"
#include "stage/StageWalker.h"
#include "ui/GameInputSaveSlot.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"
#include "win/DebugLog.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

using Slots = CGameInputSaveSlot;
using testing_support::MapGrid;
using testing_support::Reach;
using R = SaveSlotRecord;

class SaveSlots : public testing_support::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        for (int i = 0; i < CGameMain::kSlotCount; ++i) {
            game->m_slotData[i].SetNewGameDefaults();
            game->m_resumeData[i].SetNewGameDefaults();
        }
        game->m_currentSlot = 0;
    }
    void Open() {
        CGameInputController::GetInstance()->SetInput(ScreenId::SaveSlot);
        for (int i = 0; i < 40 && screen->GetState() != ScreenState::Active; ++i) Frame();
        ASSERT_EQ(screen->GetState(), ScreenState::Active);
        sounds.clear();
    }
    void FramesWhile(int32_t state) {
        for (int i = 0; i < 40 && screen->GetState() == state; ++i) Frame();
    }
    // The dialogue's buttons, once grown.
    void Yes() {
        Frame(10);
        Click(150, 200);
    }
    void No() {
        Frame(10);
        Click(330, 200);
    }
    void DeleteRow(int32_t k) { Click(420, 20 + 100 * k + 10); }

    CGameMain* game = CGameMain::GetInstance();
    Slots* screen = Slots::GetInstance();
};

TEST_F(SaveSlots, TheRowsRiseShowTheirRecordsAndThePagesSlide) {
    game->m_slotData[1].SetInt(R::kPlayTime, 144000);
    for (int32_t flag = 9; flag <= 28; ++flag) game->m_slotData[2].SetSlotFlag(flag, 1);
    game->m_slotData[2].SetSlotFlag(29, 1);
    // The rows rise one after another from below the screen (parked at 420):
    // the second starts on the 5th frame, the third on the 9th, and the
    // screen takes presses from the 17th.
    CGameInputController::GetInstance()->SetInput(ScreenId::SaveSlot);
    int risen1 = 0, risen2 = 0, active = 0;
    for (int frame = 1; frame <= 20 && active == 0; ++frame) {
        Frame();
        if (risen1 == 0 && screen->m_rows[1].y != 420) risen1 = frame;
        if (risen2 == 0 && screen->m_rows[2].y != 420) risen2 = frame;
        if (screen->GetState() == ScreenState::Active) active = frame;
        if (frame == 8) {
            EXPECT_EQ(screen->m_rows[0].y, 20) << "the first row has risen";
        }
    }
    EXPECT_EQ(risen1, 5);
    EXPECT_EQ(risen2, 9);
    EXPECT_EQ(active, 17);
    EXPECT_EQ(screen->m_rows[1].y, 120);
    // From 20 below the screen (and 100 further for each next row) up to 20, 120, 220.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(screen->m_rows[k].moveY0, 340 + 100 * k) << k;
        EXPECT_EQ(screen->m_rows[k].moveY1, 20 + 100 * k) << k;
    }
    Open();
    EXPECT_EQ(screen->m_rows[2].y, 220);
    EXPECT_EQ(screen->m_rows[2].x, 40);
    // Each row's frame stands 372 by 72 from the start.
    for (int k : {0, 9}) {
        EXPECT_EQ(screen->m_rows[k].resizeW1, 372) << k;
        EXPECT_EQ(screen->m_rows[k].resizeH1, 72) << k;
    }
    EXPECT_STREQ(screen->m_rows[0].GetText(), "1    0%  TIME 000:00");
    EXPECT_STREQ(screen->m_rows[1].GetText(), "2    0%  TIME 001:00");
    EXPECT_TRUE(screen->m_lifeIcons[0][2].IsVisible());
    EXPECT_FALSE(screen->m_lifeIcons[0][3].IsVisible());
    EXPECT_TRUE(screen->m_lifeIcons[2][15].IsVisible()) << "twenty items stop at sixteen icons";
    EXPECT_TRUE(screen->m_gaugeIcons[2][3].IsVisible());
    EXPECT_FALSE(screen->m_gaugeIcons[2][4].IsVisible());
    EXPECT_FALSE(screen->m_prevButton.IsVisible());

    // Next: the rows leave to the left, the next page's come in from the
    // right from frame 9 on.
    Click(460, 160);
    EXPECT_EQ(screen->GetState(), 7);
    EXPECT_EQ(screen->m_page, 1);
    Frame(8);
    EXPECT_EQ(screen->m_rows[0].x, -440);
    EXPECT_EQ(screen->m_rows[3].x, 520);
    // The new rows come in over the 8 frames up to the 17th count.
    Frame(7);
    EXPECT_NE(screen->m_rows[3].x, 40) << "still on the way";
    EXPECT_EQ(screen->GetState(), 7);
    FramesWhile(Slots::kPageSlide);
    EXPECT_EQ(screen->m_rows[3].x, 40);
    EXPECT_EQ(screen->m_rows[5].y, 220);
    EXPECT_TRUE(screen->m_prevButton.IsVisible());
    for (int page = 2; page <= 3; ++page) {
        Click(460, 160);
        FramesWhile(Slots::kPageSlide);
    }
    EXPECT_EQ(screen->m_page, 3);
    EXPECT_FALSE(screen->m_nextButton.IsVisible());
    Click(20, 160);
    EXPECT_EQ(screen->m_page, 2);
    Frame(7);
    EXPECT_EQ(screen->m_rows[9].x, 520) << "leaving to the right";
}

// Life items are flags 9 to 28, gauge items 29 to 48: one icon each over the three of a new game.
TEST_F(SaveSlots, TheTalliesCountTheLifeAndGaugeItemFlagsAndNothingBeside) {
    struct Case {
        int32_t flag, life, gauge;
    };
    const Case cases[] = {{8, 3, 3}, {9, 4, 3}, {18, 4, 3}, {28, 4, 3}, {29, 3, 4},
                          {40, 3, 4}, {48, 3, 4}, {49, 3, 3}, {401, 3, 3}};
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(cases)); ++i) game->m_slotData[i].SetSlotFlag(cases[i].flag, 1);
    Open();
    const auto shown = [](const CWidget(&icons)[Slots::kTallyIcons]) {
        int32_t n = 0;
        for (const CWidget& icon : icons) n += icon.IsVisible() ? 1 : 0;
        return n;
    };
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(cases)); ++i) {
        EXPECT_EQ(shown(screen->m_lifeIcons[i]), cases[i].life) << "flag " << cases[i].flag;
        EXPECT_EQ(shown(screen->m_gaugeIcons[i]), cases[i].gauge) << "flag " << cases[i].flag;
    }
    // The delete button in the row's top right corner; the page arrows at
    // half the width less 240 and plus 200.
    EXPECT_EQ(screen->m_deleteButtons[4].x, 366);
    EXPECT_EQ(screen->m_deleteButtons[4].y, -6);
    EXPECT_EQ(screen->m_prevButton.x, 0);
    EXPECT_EQ(screen->m_nextButton.x, 440);
    EXPECT_EQ(screen->m_nextButton.y, 140);
    // Two rows of eight icons in the row: life from x 30, gauge from x 210, rows at y 30 and 50.
    struct Icon {
        int k, x, y;
    };
    for (const Icon& c : {Icon{0, 30, 30}, Icon{7, 170, 30}, Icon{8, 30, 50}, Icon{15, 170, 50}}) {
        EXPECT_EQ(screen->m_lifeIcons[4][c.k].x, c.x) << c.k;
        EXPECT_EQ(screen->m_lifeIcons[4][c.k].y, c.y) << c.k;
        EXPECT_EQ(screen->m_gaugeIcons[4][c.k].x, c.x + 180) << c.k;
        EXPECT_EQ(screen->m_gaugeIcons[4][c.k].y, c.y) << c.k;
        EXPECT_EQ(screen->m_lifeIcons[4][c.k].parent, &screen->m_rows[4]);
    }
}

TEST_F(SaveSlots, TheLeaderboardShowsAndBackStopsTheMusicAndFadesToTheTitle) {
    // Where Open puts the two buttons: a bottom margin of 32 at width 512 only.
    struct Place {
        int32_t w, h, backX, backY, boardY, dialogueX, dialogueY;
    };
    for (const Place& p : {Place{480, 320, 436, 276, 232, 240, 160}, Place{568, 320, 524, 276, 232, 284, 160},
                           Place{512, 384, 468, 308, 264, 256, 160}}) {
        game->m_screenWidth = p.w;
        game->m_screenHeight = p.h;
        screen->Open();
        EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -16) << "in from black, 16 a frame";
        EXPECT_EQ(screen->m_confirmWindow.x, p.dialogueX) << p.w;
        EXPECT_EQ(screen->m_confirmWindow.y, p.dialogueY) << p.w;
        EXPECT_EQ(screen->m_backButton.x, p.backX) << p.w;
        EXPECT_EQ(screen->m_backButton.y, p.backY) << p.w;
        EXPECT_EQ(screen->m_leaderboardButton.x, p.backX) << p.w;
        EXPECT_EQ(screen->m_leaderboardButton.y, p.boardY) << p.w;
    }
    game->m_screenWidth = 480;
    game->m_screenHeight = 320;
    // The dialogue speaks in the row style in English, in style 0 in Japanese.
    for (int32_t language : {1, 0}) {
        game->m_language = language;
        screen->Open();
        for (CWidget* w : {static_cast<CWidget*>(&screen->m_confirmWindow), static_cast<CWidget*>(&screen->m_yesButton),
                           static_cast<CWidget*>(&screen->m_noButton)}) {
            EXPECT_EQ(w->GetTextStyleKey(WidgetTable::Normal).style, &game->m_textStyles[language == 1 ? 0 : 4])
                << "language " << language;
        }
    }
    std::vector<int32_t> music;
    SetMusicObserver([&music](int32_t entry) { music.push_back(entry); });
    screen->Open();
    SetMusicObserver(nullptr);
    EXPECT_EQ(music, std::vector<int32_t>{7}) << "the save slots' piece";

    CSoundManager* sound = CSoundManager::GetInstance();
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(sound->Init());
    std::string log;
    SetDebugLogSink([&log](const char* text) { log += text; });
    Open();
    Click(456, 252);
    EXPECT_EQ(log, "ShowLeaderboard\n");
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    SetDebugLogSink(nullptr);

    // The screen's own piece is silent: any music still playing stops on the way back.
    PlayMusic(2);
    ASSERT_EQ(sound->GetPlayingMusic(), 2);
    Click(456, 296);
    EXPECT_EQ(screen->GetState(), ScreenState::Closing);
    EXPECT_EQ(sound->GetPlayingMusic(), -1) << "back stops the music";
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 16);
    for (int i = 0; i < 40 && CGameInputController::GetInstance()->GetChild() == screen; ++i) Frame();
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputTitleTop::GetInstance());
}

TEST_F(SaveSlots, EraseAsksTwiceThenWritesTheNewGameAndNoLeavesTheRecordsAlone) {
    game->m_slotData[2].SetInt(R::kPlayTime, 9000);
    game->m_slotData[2].SetInt(R::kMapId, 269);
    game->m_slotData[2].SetByte(R::kResumeFlag, 1);
    game->m_resumeData[2].SetByte(R::kResumeFlag, 1);
    Open();

    // NO at either question: no record changes, but the row asked about is
    // the current slot from the press on its erase button.
    // The box grows to 360 x 140 over 10 frames and shrinks to nothing over
    // 8, both sides together.
    struct Resize {
        int32_t w0, w1, h0, h1, frames;
    };
    const auto expectResize = [&](const Resize& r) {
        const CWidgetWindow& w = screen->m_confirmWindow;
        EXPECT_EQ(w.resizeW0, r.w0);
        EXPECT_EQ(w.resizeW1, r.w1);
        EXPECT_EQ(w.resizeH0, r.h0);
        EXPECT_EQ(w.resizeH1, r.h1);
        EXPECT_EQ(w.resizeFrames, r.frames);
        EXPECT_EQ(w.resizeMode, 2);
    };
    DeleteRow(2);
    EXPECT_EQ(screen->GetState(), 9);
    EXPECT_EQ(game->m_currentSlot, 2);
    expectResize({0, 360, 0, 140, 10});
    No();
    expectResize({360, 0, 140, 0, 8});
    FramesWhile(Slots::kDialogueClosing);
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_FALSE(screen->m_confirmWindow.IsVisible()) << "the shrunk window is put away";
    EXPECT_EQ(game->m_currentSlot, 2);
    game->m_currentSlot = 0;
    DeleteRow(2);
    Yes();
    EXPECT_EQ(screen->GetState(), 10);
    No();
    FramesWhile(Slots::kDialogueClosing);
    EXPECT_EQ(game->m_currentSlot, 2);
    EXPECT_EQ(game->m_slotData[2].GetInt(R::kPlayTime), 9000);
    EXPECT_FALSE(saves.Exists("save"));

    // YES, then YES!: erased at once and written.
    game->m_currentSlot = 0;
    DeleteRow(2);
    Frame(10);
    EXPECT_STREQ(screen->m_confirmWindow.GetText(), "DELETE SAVE3?");
    EXPECT_STREQ(screen->m_yesButton.GetText(), "YES");
    Click(150, 200);
    Frame(10);
    EXPECT_STREQ(screen->m_confirmWindow.GetText(), "REALLY?");
    EXPECT_STREQ(screen->m_yesButton.GetText(), "YES!");
    Click(150, 200);
    EXPECT_EQ(game->m_currentSlot, 2);
    EXPECT_EQ(game->m_slotData[2].GetInt(R::kPlayTime), 0);
    EXPECT_EQ(game->m_slotData[2].GetInt(R::kMapId), 266);
    EXPECT_EQ(game->m_slotData[2].GetByte(R::kResumeFlag), 0);
    EXPECT_STREQ(screen->m_rows[2].GetText(), "3    0%  TIME 000:00");
    const std::vector<uint8_t> slotFile = saves.Read("saveslot02");
    ASSERT_EQ(slotFile.size(), 65536u);
    EXPECT_EQ(slotFile[R::kMapId], 266 & 0xFF);
    EXPECT_EQ(slotFile[R::kPlayTime], 0);
    const std::vector<uint8_t> resumeFile = saves.Read("resume02");
    ASSERT_EQ(resumeFile.size(), 65536u);
    EXPECT_EQ(resumeFile[R::kResumeFlag], 0);
    EXPECT_TRUE(saves.Exists("save"));

    // The message, then any press closes it.
    for (int i = 0; i < 40 && screen->m_confirmWindow.GetText()[0] == '\0'; ++i) Frame();
    EXPECT_EQ(screen->GetState(), 14);
    EXPECT_STREQ(screen->m_confirmWindow.GetText(), "SAVE3 IS DELETED!");
    sounds.clear();
    Click(30, 30);
    EXPECT_EQ(sounds, std::vector<int32_t>{35}) << "the press that closes the message clicks";
    FramesWhile(Slots::kDialogueClosing);
    EXPECT_EQ(screen->GetState(), ScreenState::Active);
    EXPECT_EQ(screen->m_page, 0);
}

TEST_F(SaveSlots, ASlotStartsAtItsResumeSnapshotOrItsStoredStage) {
    struct Case {
        int32_t slotMap, resumeMap;
        bool resume;
        int32_t started;
    };
    for (const Case& c : {Case{267, 269, true, 269}, Case{268, 270, false, 268}, Case{9999, 0, false, 266}}) {
        game->GoToTitle();
        game->m_slotData[1].SetInt(R::kMapId, c.slotMap);
        game->m_slotData[1].SetInt(R::kKeyCount, 0);
        game->m_resumeData[1].SetInt(R::kMapId, c.resumeMap);
        game->m_resumeData[1].SetInt(R::kKeyCount, 7);
        game->m_resumeData[1].SetByte(R::kResumeFlag, c.resume ? 1 : 0);
        game->m_slotData[1].SetInt(R::kShurikenAmmo, 37);
        game->m_resumeData[1].SetInt(R::kShurikenAmmo, 41);
        if (c.slotMap == 9999) {
            // A damaged file, read as the title reads the files: it names no
            // stage of the game, so the slot continues at the first.
            const uint8_t* bytes = game->m_slotData[1].Bytes();
            saves.Write("saveslot01", std::vector<uint8_t>(bytes, bytes + CSaveData::kSize));
            game->LoadAllSlots();
            ASSERT_EQ(game->m_slotData[1].GetInt(R::kMapId), 266);
        }
        Open();
        Click(200, 160);  // row 2
        EXPECT_EQ(screen->GetState(), 8);
        EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
        EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 16) << "out to black, 16 a frame";
        EXPECT_EQ(game->m_currentSlot, 1);
        for (int i = 0; i < 40 && screen->GetState() == Slots::kStarting; ++i) Frame();
        EXPECT_EQ(game->m_mapId, c.started) << c.slotMap;
        ASSERT_NE(PlayerInPlay(), nullptr);
        EXPECT_EQ(PlayerInPlay()->GetShurikenAmmo(), c.resume ? 41 : 37) << "the player takes the slot's status";
        EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance());
        EXPECT_EQ(game->m_slotData[1].GetInt(R::kKeyCount), c.resume ? 7 : 0) << "the snapshot copied over";
    }
}

// Played into the first stage until the view has scrolled well on, a
// resume point is taken (as a pick-up or the in-stage shop takes it); the
// slot started again from the save-slot screen puts the player on the same
// spot of the map, facing the same way.
class ResumePoint : public testing_support::PlayTest {
protected:
    int32_t MapX() { return Player()->x + game->m_stageControl.GetStage()->m_cameraX; }
    int32_t MapY() { return Player()->y + game->m_stageControl.GetStage()->m_cameraY; }
    testing_support::StageWalker walker{{[this] {
                                             testing_support::ClearEnemiesOutOfPlay();
                                             Frame();
                                         },
                                         [this](int32_t x, int32_t y) {
                                             MoveTo(x, y);
                                             Press();
                                         },
                                         [this] { Release(); }}};
};

TEST_F(ResumePoint, TakenAfterTheViewScrolledItPutsThePlayerBackWhereItStood) {
    game->m_currentSlot = 1;
    const MapGrid grid(kStageMaps[0]);
    const Reach reach(grid);
    ASSERT_TRUE(walker.Settle());
    for (int hops = 0; hops < 30 && game->m_stageControl.GetStage()->m_cameraX < 4000; ++hops) {
        const int32_t c = MapGrid::ColumnOf(MapX()), r = MapGrid::RowOf(MapY() - 1);
        const auto way = reach.PathTo(c, r, [&](int32_t tc, int32_t tr) { return reach.TouchesExit(tc, tr); });
        ASSERT_GE(way.size(), 2u);
        const auto hopsThere = reach.Hops(c, r, way[1].first, way[1].second);
        ASSERT_FALSE(hopsThere.empty());
        walker.Hop(hopsThere.front());
        ASSERT_TRUE(walker.Standing());
    }
    const int32_t cameraX = game->m_stageControl.GetStage()->m_cameraX;
    ASSERT_GE(cameraX, 4000) << "the view has scrolled";
    const int32_t x = MapX(), y = MapY(), facing = Player()->facing;
    ASSERT_TRUE(game->TakeResumeSnapshot());
    EXPECT_EQ(game->m_resumeData[1].GetInt(R::kResumeX), x);
    EXPECT_EQ(game->m_resumeData[1].GetInt(R::kResumeY), y);
    // A pick-up and the in-stage shop give the player its stored status
    // back right after their snapshot: it stays where it is.
    Player()->RestoreStatus();
    EXPECT_EQ(MapX(), x);
    EXPECT_EQ(MapY(), y);

    // Back at the title, the slot is started again.
    game->GoToTitle();
    Root()->SetInput(ScreenId::SaveSlot);
    CGameInputSaveSlot* slots = CGameInputSaveSlot::GetInstance();
    for (int i = 0; i < 40 && slots->GetState() != ScreenState::Active; ++i) Frame();
    ASSERT_EQ(slots->GetState(), ScreenState::Active);
    Click(200, 160);  // row 2: slot 1
    for (int i = 0; i < 40 && !Playing(); ++i) Frame();
    ASSERT_TRUE(Playing());
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(MapX(), x);
    EXPECT_EQ(MapY(), y);
    EXPECT_EQ(Player()->facing, facing);
    // It stands there, inside the view (the enemies kept out of the way).
    walker.Step(60);
    EXPECT_TRUE(walker.Standing());
    EXPECT_EQ(MapX(), x);
    EXPECT_EQ(MapY(), y);
    EXPECT_GE(Player()->x, 0) << "in the view";
    EXPECT_LT(Player()->x, game->GetViewWidth() * 10);
}

}  // namespace
